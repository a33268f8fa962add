// The forms that skinned controls show as popups (drop-down windows), kept together so
// that a click on a skinned form's frame closes every one that is open. The controller is
// made only by a component that shows popup forms; without it nothing is closed.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "gui/Forms.h"

namespace skin {

// One popup form served by the controller, with an object it owns.
class TacFormHandler {
 public:
  explicit TacFormHandler(gui::TCustomForm* form, std::unique_ptr<rtl::TObject> owned = nullptr)
      : Form(form), owned_(std::move(owned)) {}
  virtual ~TacFormHandler() = default;
  gui::TCustomForm* Form = nullptr;

 private:
  std::unique_ptr<rtl::TObject> owned_;
};

class TacPopupController {
 public:
  // Entries may be empty.
  std::vector<std::unique_ptr<TacFormHandler>> Handlers;
};

// The controller, nullptr unless a popup component made one.
TacPopupController*& PopupController();

// Closes every visible popup; when none stays visible the handlers go. Nothing without a
// controller.
void CloseAllPopups(TacPopupController* controller);
// The popups whose window is visible, ExceptForm not counted.
int VisiblePopupCount(TacPopupController* controller, gui::TCustomForm* exceptForm);

// At shut-down: the controller goes.
void DonePopupControllerObject();

}  // namespace skin

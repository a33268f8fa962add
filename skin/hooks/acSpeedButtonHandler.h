// Speed buttons and other windowless controls cannot be subclassed, so they get a handler
// in place of their WindowProc that paints the whole button from its skin state: the
// section for the current look over the parent's background, the caption and the glyph
// laid out by the button's Layout, Margin and Spacing. The buttons of a spin button
// ("TTimerSpeedButton") take the background of the spin button's parent.
#pragma once
#include <windows.h>

#include "gui/Controls.h"
#include "rtl/Classes.h"
#include "skin/core/sCommonData.h"
#include "skin/hooks/acHookLayout.h"

namespace skin {

class TsSkinManager;

// A component only so that the class layer tells it when its control is freed: a control
// gone without WM_DESTROY (windowless controls never get one) is forgotten, and the
// handler's end then leaves it alone.
class TacSpeedButtonHandler : public rtl::TComponent {
  KORVAN_CLASS(TacSpeedButtonHandler)
 public:
  // SkinData stays the caller's and must outlive the handler; Manager nullptr: the skin
  // state's manager. The state takes Section when it has none.
  TacSpeedButtonHandler(gui::TControl* control, TsCommonData* skinData, TsSkinManager* manager,
                        const std::string& section);
  ~TacSpeedButtonHandler() override;

  void WndProc(gui::TMessage& msg);
  LRESULT CallOldWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // 2 while the button is down (or down in its group), else the state's current look.
  int PaintState();
  void PrepareCache();
  TacSpeedLayout Layout(int state);
  gui::TControl* Button() const { return button_; }
  bool Restored() const { return restored_; }

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation op) override;

 private:
  void GiveBack();
  gui::TSize CaptionSize();
  gui::TControl* button_;
  bool attached_ = true;
  bool isTimerButton_ = false;
  bool restored_ = false;
  gui::TWndMethod vclWindowProc_;
  TsCommonData* skinData_;
  TsSkinManager* manager_;
};

}  // namespace skin

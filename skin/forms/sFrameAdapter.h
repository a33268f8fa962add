// The adapter of a frame: put on a frame, it tells the frame's form that the frame's child
// controls are to be skinned, and with which class-name lists (its own when it names any,
// else the skin manager's). The form's child-control adapter then scans the frame even when
// the form itself does not let its own controls be skinned.
#pragma once
#include <windows.h>

#include "gui/Forms.h"
#include "skin/core/sSkinManager.h"

namespace skin {

class TsFrameAdapter : public rtl::TComponent {
  KORVAN_CLASS(TsFrameAdapter)
 public:
  // Raises the library's message unless the owner is a frame.
  explicit TsFrameAdapter(rtl::TComponent* owner);
  ~TsFrameAdapter() override;

  bool AllowSkin3rdParty = true;
  TsThirdPartyList ThirdParty;

  gui::TFrame* Frame() const { return frame_; }
  const TacThirdPartyLists& ThirdLists() const { return thirdLists_; }
  // Any of the adapter's own lists names a class.
  bool HasThirdPartyLists() const { return hasLists_; }

  // Reads the lists and joins the frame's form (whose provider then scans the frame again);
  // called when the frame has been put on its form.
  void Loaded() override;

 private:
  void AttachAdapterToForm(bool attach);

  gui::TFrame* frame_ = nullptr;
  TacThirdPartyLists thirdLists_;
  bool hasLists_ = false;
  HWND attachedTo_ = nullptr;
};

}  // namespace skin

// The up-down hook: an "msctls_updown32" control painted as two skinned buttons with
// arrows, the half under the mouse hot or pressed.
#pragma once
#include "skin/hooks/acHookLayout.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {

class TacSpinWnd : public TacMainWnd {
 public:
  void AfterCreation();
  void WndProc(gui::TMessage& msg) override;
  // Whether the hook paints; without it every message goes on unchanged.
  bool FActive = true;
  // Columns at the left of a vertical up-down left to the previous painting.
  int FLeftOffset = 0;
  // The buttons of a horizontal up-down swapped (a right-to-left owner).
  bool FRightToLeft = false;
  // The window the up-down belongs to (a tab control's own arrows), or none: told after each
  // paint (skin command 78); a right-to-left owner (WS_EX_RTLREADING) keeps the arrows at its
  // left edge.
  HWND FOwnerWnd = nullptr;
  int FirstButtonState() const { return firstState_; }
  int SecondButtonState() const { return secondState_; }
  void PrepareSpinCache();

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;
  bool KeepsNoVisualStyle() const override { return false; }

 private:
  void PaintSpin(HDC given);
  void KeepLeftForRightToLeftOwner(gui::TMessage& msg);
  void UpdateStates();
  bool Horizontal();
  int firstState_ = 0, secondState_ = 0;
  bool mousePressed_ = false;
  bool tracking_ = false;
};

}  // namespace skin

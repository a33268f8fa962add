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
  int FirstButtonState() const { return firstState_; }
  int SecondButtonState() const { return secondState_; }
  void PrepareSpinCache();

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;
  bool KeepsNoVisualStyle() const override { return false; }

 private:
  void PaintSpin(HDC given);
  void UpdateStates();
  bool Horizontal();
  int firstState_ = 0, secondState_ = 0;
  bool mousePressed_ = false;
  bool tracking_ = false;
};

}  // namespace skin

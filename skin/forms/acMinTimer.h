// A skinned form's own minimize and restore: its image flies to its task-bar button while it
// fades out, and back onto the form while it fades in, in a layered window, one step every
// 6 ms.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>

#include "skin/core/acBaseForms.h"
#include "skin/core/acThdTimer.h"
#include "skin/forms/acFormMoves.h"

namespace skin {

class TsSkinProvider;

class TacMinTimer : public TacThreadedTimer {
  KORVAN_CLASS(TacMinTimer)
 public:
  explicit TacMinTimer(TsSkinProvider* provider);
  ~TacMinTimer() override;
  // A minimize from where the form is now; SavedImage must hold the form's image.
  void Init();
  // The way back from the target onto the form.
  void PrepareRestore();
  void Step() override;

  TsSkinProvider* Provider;
  HWND FormHandle = nullptr;
  std::unique_ptr<gui::TBitmap> SavedImage, Frame;
  std::unique_ptr<TacGlowForm> AnimForm;
  TacRect WindowRect, TargetRect;
  int32_t StepCount = 1;
  int32_t TargetAlpha = 255;
  std::optional<TacMinimizeFlight> Minimize;
  std::optional<TacRestoreFlight> Restore;
  bool Minimized = false;

 private:
  void ShowAt(gui::TBitmap& bmp, const TacFlight& f);
  bool busy_ = false;
};

// The fade of a form being dragged to the manager's blend-on-moving value, 12 ms a step;
// the forms glued to it fade along.
class TacMoveTimer : public TacThreadedTimer {
  KORVAN_CLASS(TacMoveTimer)
 public:
  explicit TacMoveTimer(TsSkinProvider* provider);
  void Step() override;
  TsSkinProvider* Provider;
  HWND FormHandle = nullptr;
  uint8_t TargetAlpha = 255;
  double BlendStep = 0, CurAlpha = 255;
};
// The drag of a form with its blend: glued forms take their places, then (when the
// manager's blend on moving is on) the form turns translucent while DoMove drags it.
void StartBlendMoving(TsSkinProvider* provider, bool doMove);
// The form opaque and plain again after the drag, with its glued forms.
void FinishBlendMoving(TsSkinProvider* provider);

// The rectangle a minimized form flies to: its task-bar button, or (with composition, or
// when none is found) three quarters of the window's size centred on the task bar; empty
// without a task bar.
TacRect GetTargetRect(const TacRect& window, bool composition);
// The provider's form shrinks into the task bar: False when the manager's minimizing or
// animation is off, or on a system without composition (the system minimizes then).
bool StartMinimizeAnimation(TsSkinProvider* provider);
// The way back of a form whose minimize was animated; True.
bool StartRestoreAnimation(TsSkinProvider* provider);

}  // namespace skin

// The engine's animation timer and the state fades of skinned controls. A control that
// changes state (normal to hot and back) cross-fades its old image into the new one in a
// few 12 ms steps, painted straight into its window, and its glow's alpha follows. The
// ticks come from a class-library timer, so every step runs on the GUI thread.
#pragma once
#include <functional>
#include <memory>

#include "gui/Graphics.h"
#include "gui/Timer.h"
#include "rtl/Classes.h"

namespace skin {

class TsCommonData;

// One step of an animation; False ends it.
using TacStepProc = bool (*)(TsCommonData* skinData, int step);

enum class TThreadPriority : uint8_t { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TacThreadedTimer : public rtl::TComponent {
  KORVAN_CLASS(TacThreadedTimer)
 public:
  explicit TacThreadedTimer(rtl::TComponent* owner);
  // For descendants: disabled, with its owner as target; with RouteToStep its ticks call Step.
  TacThreadedTimer(rtl::TComponent* owner, bool routeToStep);
  ~TacThreadedTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  const rtl::TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(rtl::TNotifyEvent e);
  TThreadPriority ThreadPriority() const { return priority_; }
  void SetThreadPriority(TThreadPriority p);

  virtual void Step();
  void StartAnimation(TsCommonData* skinData, int startStep, TacStepProc stepProc, int kind, bool fast);
  // The inner timer's tick (what its OnTimer runs).
  void Tick();
  // The inner timer, for the tests that drive the steps themselves.
  gui::TTimer* InnerTimer() const { return timer_; }

  rtl::TComponent* FTarget = nullptr;
  double FAlpha = 0, FAlpha2 = 0, FStep = 0, FStep2 = 0;
  int FAnimKind = -1;  // -1 idle, 0 back to normal, 1 to hot, 2 third state
  int FStepIndex = 0;
  int FOldKind = -1;
  int FStepCount = 6;
  int FGlowOnly = 0;
  std::unique_ptr<gui::TBitmap> FNewImage, FWorkImage, FOldImage;
  TsCommonData* FSkinData = nullptr;
  bool FDestroying = false;
  TacStepProc FStepProc = nullptr;

 private:
  void CreateInnerTimer();
  void FreeInnerTimer();
  void UpdateInnerTimer();
  void InnerTimerFired();
  bool enabled_ = false;
  unsigned interval_ = 1000;
  rtl::TNotifyEvent onTimer_;
  TThreadPriority priority_ = TThreadPriority::tpNormal;
  gui::TTimer* timer_ = nullptr;  // owned through the component tree
  bool inTick_ = false;
};

// The steps still to run of an existing timer; a new one is made (starting from alpha 255
// for a fade back to normal) and 0 returned.
int InitAnimTimer(TacThreadedTimer*& timer, rtl::TComponent* owner, int newState);
// Image becomes a 32-bit copy of Source's rectangle.
void CaptureAnimImage(std::unique_ptr<gui::TBitmap>& image, gui::TBitmap& source, const gui::TRect& rect);
// Repaints the control in its new state, fading when animations are on.
void RepaintWithFade(TsCommonData* skinData, int newState, TacStepProc stepProc, bool animate, bool fast,
                     bool updateGlow);
void StartFade(TsCommonData* skinData, int newState, TacStepProc stepProc, bool fast);
bool FadeStep(TsCommonData* skinData, int step);
bool GlowFadeStep(TsCommonData* skinData, int step);
void FinishAnimation(TacThreadedTimer* timer);

// Set once by the form provider; no fade animates afterwards.
extern bool AnimationsStopped;

}  // namespace skin

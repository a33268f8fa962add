#include "skin/core/acThdTimer.h"

#include <algorithm>
#include <cmath>

#include "gui/Forms.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {

bool AnimationsStopped = false;

namespace {

// Round half to even on the double value, as the fades count their steps.
int RoundEven(double v) { return int(std::nearbyint(v)); }

}  // namespace

TacThreadedTimer::TacThreadedTimer(rtl::TComponent* owner) : rtl::TComponent(owner) {
  if (gui::Application && gui::Application->Terminated()) return;
  enabled_ = true;
  interval_ = 1000;
  CreateInnerTimer();
}

TacThreadedTimer::TacThreadedTimer(rtl::TComponent* owner, bool routeToStep) : TacThreadedTimer(owner) {
  SetEnabled(false);
  FTarget = owner;
  if (routeToStep) SetOnTimer([this](rtl::TObject*) { Step(); });
}

TacThreadedTimer::~TacThreadedTimer() {
  SetEnabled(false);
  if (FSkinData && FSkinData->FAnimTimer == this) FSkinData->FAnimTimer = nullptr;
  if (!FDestroying) {
    FDestroying = true;
    FreeInnerTimer();
    FNewImage.reset();
    FWorkImage.reset();
    FOldImage.reset();
  }
}

void TacThreadedTimer::CreateInnerTimer() {
  timer_ = new gui::TTimer(this);
  timer_->SetInterval(interval_);
  timer_->OnTimer = [this](rtl::TObject*) { InnerTimerFired(); };
  UpdateInnerTimer();
}

void TacThreadedTimer::FreeInnerTimer() {
  if (!timer_) return;
  timer_->SetEnabled(false);
  delete timer_;
  timer_ = nullptr;
}

void TacThreadedTimer::UpdateInnerTimer() {
  if (!timer_) return;
  timer_->SetEnabled(false);
  timer_->SetEnabled(interval_ != 0 && enabled_ && (onTimer_ || FStepProc));
}

void TacThreadedTimer::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  UpdateInnerTimer();
}

void TacThreadedTimer::SetOnTimer(rtl::TNotifyEvent e) {
  onTimer_ = std::move(e);
  UpdateInnerTimer();
}

void TacThreadedTimer::SetThreadPriority(TThreadPriority p) {
  if (priority_ == p) return;
  priority_ = p;
  UpdateInnerTimer();
}

void TacThreadedTimer::SetInterval(unsigned ms) {
  if (interval_ == ms) return;
  interval_ = ms;
  if (timer_) timer_->SetInterval(ms);
  UpdateInnerTimer();
}

void TacThreadedTimer::InnerTimerFired() {
  if (!timer_ || !timer_->Enabled() || inTick_ || FDestroying) return;
  inTick_ = true;
  try {
    Tick();
  } catch (...) {
    inTick_ = false;
    throw;
  }
  inTick_ = false;
}

void TacThreadedTimer::Tick() {
  if (FDestroying || !enabled_) return;
  if (FStepProc) {
    ++FStepIndex;
    if (FStepIndex > FStepCount)
      SetEnabled(false);
    else
      FStepProc(FSkinData, FStepIndex);
  } else if (onTimer_) {
    onTimer_(this);
  }
}

void TacThreadedTimer::Step() {
  if (!enabled_ || !FStepProc || FDestroying) return;
  if (!FStepProc(FSkinData, FStepIndex)) {
    SetEnabled(false);
    FAnimKind = -1;
  }
}

void TacThreadedTimer::StartAnimation(TsCommonData* skinData, int startStep, TacStepProc stepProc, int kind,
                                      bool fast) {
  SetEnabled(false);
  FSkinData = skinData;
  FAlpha2 = 0;
  FAlpha = std::clamp(FAlpha, 0.0, 255.0);
  FStepCount = fast ? 3 : 6;
  if (kind == 0) {
    FStepCount *= 3;
    FStep = FAlpha / FStepCount;
  } else if (kind == 2) {
    FStep = FAlpha / FStepCount;
  } else {
    FStepCount = FAnimKind > 0 ? 6 : RoundEven((255 - FAlpha) * 6 / 255);
    FStepCount = std::max(FStepCount, 1);
    FStep = (255 - FAlpha) / FStepCount;
  }
  FStep2 = (255 - FAlpha2) / FStepCount;
  if ((kind == 2 || (kind == 1 && FAnimKind == 2)) && FWorkImage)
    CaptureAnimImage(FOldImage, *FWorkImage, gui::Rect(0, 0, FWorkImage->Width(), FWorkImage->Height()));
  if (kind == 1 && FAnimKind < 1)
    FStepIndex = RoundEven(FAlpha * 6 / 255);
  else if (kind == 0 && FAnimKind == 1)
    FStepIndex = FAlpha == 0 ? 0 : RoundEven((255 - FAlpha) * FStepCount / 255);
  else
    FStepIndex = FWorkImage ? 0 : startStep;
  SetInterval(12);
  FStepProc = stepProc;
  FOldKind = FAnimKind;
  FAnimKind = kind;
  SetEnabled(true);
}

int InitAnimTimer(TacThreadedTimer*& timer, rtl::TComponent* owner, int newState) {
  if (timer) return std::max(0, (timer->FAnimKind == 0 ? 18 : 6) - timer->FStepIndex);
  timer = new TacThreadedTimer(owner);
  if (newState == 0) timer->FAlpha = 255;
  return 0;
}

void CaptureAnimImage(std::unique_ptr<gui::TBitmap>& image, gui::TBitmap& source, const gui::TRect& rect) {
  if (!image)
    image = CreateBitmap32(rect.Width(), rect.Height());
  else if (image->Width() != rect.Width() || image->Height() != rect.Height())
    image->SetSize(rect.Width(), rect.Height());
  BitBlt(image->Canvas().Handle(), 0, 0, rect.Width(), rect.Height(), source.Canvas().Handle(), rect.Left, rect.Top,
         SRCCOPY);
}

void RepaintWithFade(TsCommonData* d, int newState, TacStepProc stepProc, bool animate, bool fast, bool updateGlow) {
  if (!d->IsSkinned(false)) {
    d->Invalidate(false);
    return;
  }
  TsSkinManager* m = d->GetSkinManager();
  if (animate && !d->SkinIsChanging() && !AnimationsStopped && d->FCache && !d->FCacheInvalid && m &&
      m->Effects.AllowAnimation) {
    if (updateGlow && newState < 100 && d->FGlowID < 0) d->UpdateGlow(false, d->GetWndHandle(), -1, false, 0);
    d->FCacheInvalid = true;
    StartFade(d, newState, stepProc, fast);
    return;
  }
  d->FCacheInvalid = true;
  d->Invalidate(false);
  if (updateGlow) {
    if (d->FHovered) {
      if (newState < 100 && d->FGlowID < 0) d->UpdateGlow(false, d->GetWndHandle(), -1, false, 255);
    } else {
      HideGlowEffect(d->FGlowID, false);
    }
  }
}

void StartFade(TsCommonData* d, int newState, TacStepProc stepProc, bool fast) {
  const int s = InitAnimTimer(d->FAnimTimer, d->FControl, newState);
  TacThreadedTimer* t = d->FAnimTimer;
  t->FSkinData = d;
  if (t->FAnimKind == newState && t->FAnimKind != -1) return;
  if (!d->FCache) return;
  if (t->FWorkImage && (t->FWorkImage->Width() != d->FCache->Width() || t->FWorkImage->Height() != d->FCache->Height()))
    t->FWorkImage.reset();
  const gui::TRect whole = gui::Rect(0, 0, d->FCache->Width(), d->FCache->Height());
  CaptureAnimImage(t->FOldImage, *d->FCache, whole);
  if (d->FCacheInvalid) {
    const LRESULT answer = d->FControl ? SendControlSkinCommand(d->FControl, AC_PREPARECACHE)
                                       : SendSkinCommand(d->GetWndHandle(), AC_PREPARECACHE);
    if (answer != 0) t->SetEnabled(false);
  }
  CaptureAnimImage(t->FNewImage, *d->FCache, gui::Rect(0, 0, d->FCache->Width(), d->FCache->Height()));
  t->StartAnimation(d, s, stepProc, newState, fast);
  t->Step();
}

bool FadeStep(TsCommonData* d, int step) {
  (void)step;
  if (!d || !d->FAnimTimer || d->FAnimTimer->FDestroying) return false;
  TacThreadedTimer* t = d->FAnimTimer;
  HWND wnd = d->GetWndHandle();
  if (t->FStepCount <= 0 || !wnd || !d->FCache || !t->FOldImage || !t->FNewImage) return false;
  const int w = d->FCache->Width(), h = d->FCache->Height();
  if (!t->FWorkImage)
    t->FWorkImage = CreateBitmap32(w, h);
  else if (t->FWorkImage->Width() != w || t->FWorkImage->Height() != h)
    t->FWorkImage->SetSize(w, h);
  BitBlt(t->FWorkImage->Canvas().Handle(), 0, 0, w, h, t->FOldImage->Canvas().Handle(), 0, 0, SRCCOPY);
  switch (t->FAnimKind) {
    case 0:
    case 2: t->FAlpha -= t->FStep; break;
    case 1: t->FAlpha += t->FStep; break;
    default: t->FAlpha = 255 - double(t->FStepIndex) / t->FStepCount * 255;
  }
  const int a = std::clamp(RoundEven(t->FAlpha), 0, 255);
  {
    TBitmap32 work = Pixels32(*t->FWorkImage), fresh = Pixels32(*t->FNewImage);
    BlendBitmapRect(work, fresh, uint8_t(t->FAnimKind == 1 ? 255 - a : a), gui::Rect(0, 0, w, h), {0, 0});
  }
  if (auto* win = dynamic_cast<gui::TWinControl*>(d->FControl); win && win->ControlCount() > 0) {
    auto frame = CreateBitmap32Like(*t->FWorkImage);
    BitBlt(frame->Canvas().Handle(), 0, 0, w, h, t->FWorkImage->Canvas().Handle(), 0, 0, SRCCOPY);
    HDC dc = frame->Canvas().Handle();
    for (int i = 0; i < win->ControlCount(); ++i) {
      gui::TControl* child = win->Controls(i);
      if (!child || !child->Visible()) continue;
      const int saved = SaveDC(dc);
      OffsetWindowOrgEx(dc, -child->Left(), -child->Top(), nullptr);
      PaintControlToBitmap(*frame, child, child->Left(), child->Top(), false);
      RestoreDC(dc, saved);
    }
    BitBlt(t->FWorkImage->Canvas().Handle(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
  }
  HDC wdc = GetWindowDC(wnd);
  BitBlt(wdc, 0, 0, w, h, t->FWorkImage->Canvas().Handle(), 0, 0, SRCCOPY);
  ReleaseDC(wnd, wdc);
  TacGlowEffects* glow = GlowEffects();
  if (t->FStepIndex < t->FStepCount) {
    if (d->FGlowID >= 0 && glow) glow->SetGlowEffectAlpha(d->FGlowID, uint8_t(a));
    if (t->FAnimKind == 0 && a < 10) {
      t->FAlpha = 0;
      HideGlowEffect(d->FGlowID, false);
    }
    return true;
  }
  if (t->FAnimKind == 0 && a != 0) {
    // The fade back to normal ends only on the plain image: one more step from here.
    if (d->FGlowID >= 0 && glow) glow->SetGlowEffectAlpha(d->FGlowID, uint8_t(a));
    --t->FStepIndex;
    FadeStep(d, t->FStepIndex);
    return false;
  }
  if (t->FAnimKind == 0) d->StopAnimation();
  if (t->FAnimKind != 1) HideGlowEffect(d->FGlowID, false);
  return false;
}

bool GlowFadeStep(TsCommonData* d, int step) {
  (void)step;
  if (!d || !d->FControl || d->FControl->IsDestroying() || !d->FAnimTimer || d->FAnimTimer->FStepCount <= 0)
    return false;
  TacThreadedTimer* t = d->FAnimTimer;
  if (t->FStepIndex >= t->FStepCount) {
    if (t->FAnimKind != 1) HideGlowEffect(d->FGlowID, false);
    if (t->FAnimKind == 0) d->StopAnimation();
    return false;
  }
  if (d->FGlowID < 0) return true;
  t->FAlpha += t->FAnimKind == 1 ? t->FStep : -t->FStep;
  if (TacGlowEffects* glow = GlowEffects())
    glow->SetGlowEffectAlpha(d->FGlowID, uint8_t(std::clamp(RoundEven(t->FAlpha), 0, 255)));
  return true;
}

void FinishAnimation(TacThreadedTimer* t) {
  if (!t || t->FDestroying) return;
  t->FStepIndex = t->FStepCount - 1;
  t->FAlpha = t->FAnimKind <= 0 ? 0 : 255;
  t->SetEnabled(false);
  t->Step();
  t->FWorkImage.reset();
}

}  // namespace skin

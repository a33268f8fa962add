#include "skin/core/acAnimFrames.h"

#include <algorithm>

#include "rtl/SysUtils.h"

namespace skin {

int Nearest(double v) { return int(rtl::Round(v)); }

namespace {

TacAnimFrame Stretched(const TacFrameState& s, uint8_t alpha, bool cleared, bool fromOrigin) {
  TacAnimFrame f;
  f.Alpha = alpha;
  f.Paint = TacFramePaint::fpStretch;
  f.Cleared = cleared;
  f.X = fromOrigin ? 0 : Nearest(s.Left);
  f.Y = fromOrigin ? 0 : Nearest(s.Top);
  f.Width = Nearest(s.Right - s.Left);
  f.Height = Nearest(s.Bottom - s.Top);
  return f;
}

TacAnimFrame Copied(uint8_t alpha, bool cleared = false) {
  TacAnimFrame f;
  f.Alpha = alpha;
  f.Paint = TacFramePaint::fpCopy;
  f.Cleared = cleared;
  return f;
}

// Fading only: the picture is copied with the first frame, later frames change the alpha.
TacAnimFrame FadeOnly(TacFrameState& s, uint8_t alpha) {
  if (s.Left == 0) {
    s.Left = 1;
    return Copied(alpha);
  }
  TacAnimFrame f;
  f.Alpha = alpha;
  return f;
}

// Every edge moves by its step (outwards for a positive step).
void MoveEdges(TacFrameState& s) { s.Left -= s.StepX, s.Top -= s.StepY, s.Right += s.StepX, s.Bottom += s.StepY; }

uint8_t AlphaByte(double v) { return uint8_t(std::clamp(Nearest(v), 0, 255)); }

}  // namespace

// ---------------------------------------------------------------- show

TacShowFrames::TacShowFrames(int width, int height, int timeMs, int blendValue, TacAnimType mode, bool dialog)
    : w_(width), h_(height), frames_(AnimFrameCount(timeMs)), blend_(blendValue), mode_(mode) {
  if (frames_ <= 0) return;
  const double f = frames_;
  s_.AlphaStep = dialog ? blendValue / (f + 1) : (blendValue - 50) / f;
  switch (mode_) {
    case TacAnimType::atAero: {
      const double dx = w_ / 32.0, dy = h_ / 32.0;
      s_.Left = dx, s_.Top = dy, s_.Right = w_ - dx, s_.Bottom = h_ - dy;
      s_.StepX = dx / f, s_.StepY = dy / f;
      break;
    }
    case TacAnimType::atDropDown:
      s_.Right = w_;
      s_.StepY = h_ / 2.0;
      break;
    default:
      // A dialog leaves the rectangle empty; it is not read while fading.
      if (!dialog) s_.Right = w_, s_.Bottom = h_;
      break;
  }
}

TacAnimFrame TacShowFrames::Draw() {
  s_.Alpha = std::min<double>(blend_, s_.Alpha + s_.AlphaStep);
  const uint8_t alpha = mode_ == TacAnimType::atDropDown ? 255 : AlphaByte(s_.Alpha);
  if (mode_ == TacAnimType::atAero || mode_ == TacAnimType::atDropDown) {
    if (s_.Left >= 0 && s_.Top >= 0) return Stretched(s_, alpha, false, false);
    return Copied(alpha);
  }
  return FadeOnly(s_, alpha);
}

bool TacShowFrames::Advance() {
  switch (mode_) {
    case TacAnimType::atAero:
      MoveEdges(s_);
      return true;
    case TacAnimType::atDropDown:
      s_.Left = 0, s_.Top = 0, s_.Right = w_ - s_.StepX, s_.Bottom = h_ - s_.StepY;
      s_.StepX /= 2, s_.StepY /= 2;
      return s_.StepX >= 2 || s_.StepY >= 2;
    default:
      return true;
  }
}

// ---------------------------------------------------------------- hide

TacHideFrames::TacHideFrames(int width, int height, int timeMs, int startAlpha, TacAnimType mode)
    : w_(width), h_(height), frames_(AnimFrameCount(timeMs)), mode_(mode) {
  if (frames_ <= 0) return;
  const double f = frames_;
  s_.Alpha = startAlpha;
  s_.AlphaStep = startAlpha / f;
  switch (mode_) {
    case TacAnimType::atAero:
      s_.Right = w_, s_.Bottom = h_;
      s_.StepX = -w_ / (f * 32), s_.StepY = -h_ / (f * 32);
      break;
    case TacAnimType::atDropDown:
      s_.Right = w_, s_.Bottom = h_;
      s_.StepY = h_ / 2.0;
      s_.AlphaStep = 0;
      break;
    default:
      break;
  }
}

TacAnimFrame TacHideFrames::Draw() {
  s_.Alpha = std::max(0.0, s_.Alpha - s_.AlphaStep);
  const uint8_t alpha = AlphaByte(s_.Alpha);
  switch (mode_) {
    case TacAnimType::atAero:
      if (s_.Left >= 0 && s_.Top >= 0) return Stretched(s_, alpha, true, false);
      return Copied(alpha);
    case TacAnimType::atDropDown:
      // The first frame shows the picture as it is; then it is squeezed into the band.
      if (double(h_) != s_.Bottom) return Stretched(s_, alpha, true, true);
      return Copied(alpha);
    default:
      return FadeOnly(s_, alpha);
  }
}

bool TacHideFrames::Advance() {
  switch (mode_) {
    case TacAnimType::atAero:
      MoveEdges(s_);
      return true;
    case TacAnimType::atDropDown:
      s_.Bottom /= 2;
      return s_.Bottom >= 2;
    default:
      return true;
  }
}

// ---------------------------------------------------------------- skin change

TacSkinChangeFrames::TacSkinChangeFrames(int width, int height, int timeMs, int blendValue, bool aero)
    : w_(width), h_(height), frames_(AnimFrameCount(timeMs)), blend_(blendValue), aero_(aero) {
  if (frames_ <= 0) return;
  const double f = frames_;
  s_.AlphaStep = blendValue / f;
  if (aero_) {
    const double dx = w_ / 32.0, dy = h_ / 32.0;
    s_.Left = dx, s_.Top = dy, s_.Right = w_ - dx, s_.Bottom = h_ - dy;
    s_.StepX = dx / f, s_.StepY = dy / f;
  }
}

TacAnimFrame TacSkinChangeFrames::Draw() {
  s_.Alpha = std::min<double>(blend_, s_.Alpha + s_.AlphaStep);
  const uint8_t alpha = AlphaByte(s_.Alpha);
  if (aero_) {
    if (s_.Left >= 0 && s_.Top >= 0) return Stretched(s_, alpha, false, false);
    return Copied(alpha);
  }
  return FadeOnly(s_, alpha);
}

void TacSkinChangeFrames::Advance() {
  if (aero_) MoveEdges(s_);
}

uint8_t TacSkinChangeFrames::OldLookAlpha(uint8_t newAlpha) const {
  return uint8_t(std::clamp(blend_ - 3 * int(newAlpha), 0, 255));
}

std::vector<int> SkinChangeMixWeights(int timeMs) {
  std::vector<int> weights;
  const int frames = timeMs > 0 ? timeMs / kMixFramePeriod : 0;
  if (frames <= 0) return weights;
  const double step = 255.0 / frames;
  for (double weight = 255; weight > 2; weight = std::max(weight - step, 0.0))
    weights.push_back(std::max(0, Nearest(weight)));
  return weights;
}

}  // namespace skin

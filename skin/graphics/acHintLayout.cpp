#include "skin/graphics/acHintLayout.h"

#include <cmath>

namespace skin {

uint8_t HintPositionOf(bool below, bool right) {
  if (below) return right ? hpRightBelow : hpLeftBelow;
  return right ? hpRightAbove : hpLeftAbove;
}

uint8_t PlaceHint(TRect& r, TPoint p, uint8_t preferred, const std::optional<TRect>& monitor, const TRect& m,
                  TacHintFit fit) {
  uint8_t position = preferred;
  // The visible body, without its shadow.
  TRect body{r.Left + m.Left, r.Top + m.Top, r.Right - m.Right, r.Bottom - m.Bottom};
  const int w = body.Width(), h = body.Height();
  bool below = position == hpRightBelow || position == hpLeftBelow;
  bool right = position == hpRightBelow || position == hpRightAbove;
  if (!below) body = body.Offset(0, -h);
  if (!right) body = body.Offset(-w, 0);
  // Every correction moves the whole body, so the bubble keeps its size.
  const auto moveTo = [&](int left, int top) { body = body.Offset(left - body.Left, top - body.Top); };
  if (monitor) {
    const TRect& mon = *monitor;
    bool corrected = false;
    if (body.Bottom > mon.Bottom) {
      const int top = fit == TacHintFit::Skin            ? mon.Bottom - h
                      : fit == TacHintFit::SinglePicture ? p.Y + mon.Bottom - body.Bottom
                                                         : p.Y - h;
      moveTo(body.Left, top);
      below = false;
      corrected = true;
    }
    if (body.Top < mon.Top) {
      moveTo(body.Left, mon.Top);
      below = true;
      corrected = true;
    }
    if (body.Right > mon.Right) {
      const int left = fit == TacHintFit::Skin            ? mon.Right - w
                       : fit == TacHintFit::SinglePicture ? p.X + mon.Right - body.Right
                                                          : p.X - w;
      moveTo(left, body.Top);
      right = false;
      corrected = true;
    }
    if (body.Left < mon.Left) {
      moveTo(mon.Left, body.Top);
      right = true;
      corrected = true;
    }
    if (corrected) position = HintPositionOf(below, right);
  }
  r = {body.Left - m.Left, body.Top - m.Top, body.Right + m.Right, body.Bottom + m.Bottom};
  return position;
}

TPoint ComputeAnchorPoint(const TRect& s, const std::optional<TacAnchorPicture>& picture) {
  if (!picture) return {s.Left + s.Width() / 2, s.Bottom};
  const TacAnchorPicture& pic = *picture;
  const bool leftOfPoint = pic.Picture == 2 || pic.Picture == 3;  // Img_RightTop, Img_RightBottom
  const bool abovePoint = pic.Picture == 1 || pic.Picture == 3;   // Img_LeftBottom, Img_RightBottom
  TPoint a;
  if (!pic.VertCenter) {
    a.X = s.Left + s.Width() / 2;
    a.Y = abovePoint ? s.Top : s.Bottom;
  } else {
    a.Y = s.Top + s.Height() / 2;
    a.X = leftOfPoint ? s.Left : s.Right;
  }
  a.X += leftOfPoint ? -pic.Shadow.Right : pic.Shadow.Left;
  a.Y += abovePoint ? -pic.Shadow.Bottom : pic.Shadow.Top;
  a.X += pic.Offset.X;
  a.Y += pic.Offset.Y;
  return a;
}

int NearestInt(double x) { return static_cast<int>(std::nearbyint(x)); }

void TacHintFade::Start(int skinTransparency, const TRect& start, const TRect& target) {
  stepIndex_ = 0;
  minTransparency_ = (skinTransparency >= 0 && skinTransparency < 100) ? (skinTransparency * 255 + 50) / 100 : 0;
  alphaStep_ = (255.0 - minTransparency_) / kStepCount;
  alpha_ = 0;
  target_ = target;
  x_ = start.Left;
  y_ = start.Top;
  // The first step covers a fifth of the way towards the new place, whichever side it lies.
  stepX_ = (target.Left - start.Left) / 5.0;
  stepY_ = (target.Top - start.Top) / 5.0;
}

TacHintFade::TFrame TacHintFade::Step() {
  TFrame f;
  // A small allowance keeps the twentieth step from being lost to rounding of the sum.
  if (stepIndex_ < kStepCount && alpha_ <= 255.0 - minTransparency_ - alphaStep_ + 1e-9) {
    ++stepIndex_;
    alpha_ += alphaStep_;
    f.Alpha = static_cast<uint8_t>(NearestInt(alpha_));
    f.Slides = stepX_ != 0 || stepY_ != 0;
    if (f.Slides) {
      x_ += stepX_;
      y_ += stepY_;
      stepX_ = (target_.Left - x_) / 5.0;
      stepY_ = (target_.Top - y_) / 5.0;
      f.BackAlpha = static_cast<uint8_t>(255 - f.Alpha);
      f.Pos = {NearestInt(x_), NearestInt(y_)};
    }
    return f;
  }
  f.Done = true;
  f.Alpha = FinalAlpha();
  f.Pos = {target_.Left, target_.Top};
  alpha_ = 0;
  return f;
}

}  // namespace skin

// Where a hint bubble goes and how it fades in: the placement at the anchor point with the
// flip at a monitor's edges, the anchor point under or beside a control, and the steps of
// the fade and slide. Win32-free: monitors, templates and skin sections come in as values.
#pragma once
#include <cstdint>
#include <optional>

#include "gui/Types.h"

namespace skin {

using gui::TPoint;
using gui::TRect;

// Bubble positions: which corner of the bubble touches the anchor point.
enum TacHintPosition : uint8_t {
  hpRightBelow = 0,  // left-top corner at the point
  hpRightAbove = 1,  // left-bottom corner
  hpLeftBelow = 2,   // right-top corner
  hpLeftAbove = 3,   // right-bottom corner
};

// The position after a flip, from where the bubble ended up.
uint8_t HintPositionOf(bool below, bool right);

// How the bubble's picture copes with a monitor edge: a skinned bubble is pushed inside, a
// single-picture template is shifted by the overflow, a template with corner pictures flips
// to the other side of the point.
enum class TacHintFit : uint8_t { Skin, SinglePicture, CornerPictures };

// Places R (the bubble with its shadow, Shadow being the shadow's width on each side) at
// the point P for the preferred position, inside Monitor when one is given. R keeps its
// size; the position the bubble ended up at comes back.
uint8_t PlaceHint(TRect& r, TPoint p, uint8_t preferred, const std::optional<TRect>& monitor, const TRect& shadow,
                  TacHintFit fit);

// What the anchor point needs of the current template picture.
struct TacAnchorPicture {
  bool VertCenter = false;  // the template's HintAlign is haVertCenter
  uint8_t Picture = 0;      // 0 ImageDefault, 1 Img_LeftBottom, 2 Img_RightTop, 3 Img_RightBottom
  TRect Shadow;             // the picture's ShadowSizes (Left, Top, Right, Bottom)
  TPoint Offset;            // OffsetHorz, OffsetVert
};

// The point a bubble placed at a control points at, S being the control's screen
// rectangle; without a template, the middle of its bottom edge.
TPoint ComputeAnchorPoint(const TRect& s, const std::optional<TacAnchorPicture>& picture);

// Nearest integer, halves to the even neighbour.
int NearestInt(double x);

// The fade of one bubble: 20 steps, each adding a twentieth of the way to the final alpha,
// while the bubble slides a fifth of the remaining way from where the last one stood.
class TacHintFade {
 public:
  static constexpr int kStepCount = 20;
  static constexpr int kIntervalMs = 12;

  // SkinTransparency: the skin section's normal-state transparency in percent (-1 without
  // a skin); Start: where the previous bubble stands; Target: the new bubble's rectangle.
  void Start(int skinTransparency, const TRect& start, const TRect& target);

  struct TFrame {
    bool Done = false;
    uint8_t Alpha = 0;      // of the new bubble
    uint8_t BackAlpha = 0;  // of the previous bubble during a slide
    bool Slides = false;
    TPoint Pos;             // where both stand during a slide, the target at the end
  };
  TFrame Step();

  uint8_t FinalAlpha() const { return static_cast<uint8_t>(255 - minTransparency_); }
  int StepIndex() const { return stepIndex_; }

 private:
  double x_ = 0, y_ = 0, stepX_ = 0, stepY_ = 0, alphaStep_ = 0, alpha_ = 0;
  int stepIndex_ = 0, minTransparency_ = 0;
  TRect target_;
};

}  // namespace skin

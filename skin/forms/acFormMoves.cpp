#include "skin/forms/acFormMoves.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "skin/forms/acFormGeometry.h"

namespace skin {

TacPointI SnapPoint(const TacRect& target, int32_t width, int32_t height, int32_t x, int32_t y, int32_t buffer) {
  TacPointI p{SnapDelta(x, target.Left, buffer), SnapDelta(y, target.Top, buffer)};
  if (p.X == 0) p.X = SnapDelta(x + width, target.Right, buffer);
  if (p.Y == 0) p.Y = SnapDelta(y + height, target.Bottom, buffer);
  return p;
}

TacRect AdjustForBorder(const TacRect& m, const TacRect& r, bool grow) {
  const int32_t s = grow ? 1 : -1;
  return {r.Left - s * m.Left, r.Top - s * m.Top, r.Right + s * m.Right, r.Bottom + s * m.Bottom};
}

TacPointI SnapPosition(const TacSnapInput& in) {
  const TacRect& r = in.Window;
  const TacRect& w = in.WorkArea;
  const TacRect& m = in.Margins;
  const int32_t width = r.Right - r.Left, height = r.Bottom - r.Top;
  TacPointI p;
  auto take = [&](const TacRect& zone) {
    const TacPointI q = SnapPoint(AdjustForBorder(m, zone, false), width, height, in.X, in.Y, in.Buffer);
    if (p.X == 0) p.X = q.X;
    if (p.Y == 0) p.Y = q.Y;
  };
  for (const TacRect& other : in.Others) {
    const TacRect o = AdjustForBorder(m, other, true);
    const bool overlapsX = r.Left < o.Right && r.Right > o.Left;
    const bool overlapsY = r.Top < o.Bottom && r.Bottom > o.Top;
    // A zone is the free space on one side of the other form; snapping onto its far edge
    // lays this form against that side.
    if (overlapsY) take({w.Left, o.Top, o.Left, o.Bottom});
    if (overlapsX) take({o.Left, w.Top, o.Right, o.Top});
    if (overlapsY) take({o.Right, o.Top, w.Right, o.Bottom});
    if (overlapsX) take({o.Left, o.Bottom, o.Right, w.Bottom});
    if (p.X != 0 && p.Y != 0) break;
  }
  if (p.X == 0 || p.Y == 0) take(w);
  return {in.X - p.X, in.Y - p.Y};
}

bool FramesTouch(const TacRect& m, const TacRect& o) {
  return o.Top == m.Bottom || o.Left == m.Right || m.Top == o.Bottom || m.Left == o.Right;
}

// ---------------------------------------------------------------- minimize and restore

TacMinimizeFlight::TacMinimizeFlight(const TacRect& window, const TacRect& target, int32_t stepCount,
                                     int32_t startAlpha)
    : StepCount(std::max(1, stepCount)) {
  const int32_t xStart = (target.Left + window.Left) / 2, yStart = (target.Top + window.Top) / 2;
  const int32_t tw = target.Right - target.Left, th = target.Bottom - target.Top;
  DeltaX = double(target.Left - xStart) / StepCount;
  DeltaY = double(target.Top - yStart) / StepCount;
  DeltaW = double((window.Right - window.Left) - tw) / (2.0 * StepCount);
  DeltaH = double((window.Bottom - window.Top) - th) / (2.0 * StepCount);
  // The image starts at the window's size and shrinks by 2 x Delta a step to the target's;
  // started at the target's size it would turn inside out after a few steps.
  Cur = {double(xStart), double(yStart), double(xStart + (window.Right - window.Left)),
         double(yStart + (window.Bottom - window.Top)), double(startAlpha)};
  BlendStep = double(startAlpha) / std::max(1, StepCount - 1);
}

bool TacMinimizeFlight::Step() {
  Cur.Left += DeltaX + DeltaW;
  Cur.Right += DeltaX - DeltaW;
  Cur.Top += DeltaY + DeltaH;
  Cur.Bottom += DeltaY - DeltaH;
  Cur.Alpha = std::max(Cur.Alpha - BlendStep, 0.0);
  return Cur.Alpha > 0;
}

namespace {
// The factor that shrinks a gap to about one in N steps. A gap below one pixel (the target
// lies on the window) has nothing to shrink: the factor 1 keeps it, where the root of 0
// would divide by zero.
double ShrinkFactor(double gap, int32_t n) {
  gap = std::fabs(gap);
  return gap < 1 ? 1.0 : std::pow(gap, 1.0 / std::max(1, n));
}
}  // namespace

TacRestoreFlight::TacRestoreFlight(const TacRect& window, const TacRect& target, int32_t n, int32_t targetAlpha)
    : Window(window), TargetAlpha(targetAlpha) {
  const double left = window.Left + (target.Left - window.Left) / 4;
  const double top = window.Top + std::max((target.Top - window.Top) / 4, 80);
  Cur = {left, top, left + (window.Right - window.Left), top + (window.Bottom - window.Top), 1};
  DivX = ShrinkFactor(left - window.Left, n);
  DivY = ShrinkFactor(top - window.Top, n);
  BlendDiv = std::pow(255.0, 1.0 / std::max(1, n));
}

bool TacRestoreFlight::Step() {
  Cur.Left = Window.Left - (Window.Left - Cur.Left) / DivX;
  Cur.Top = Window.Top - (Window.Top - Cur.Top) / DivY;
  Cur.Right = Cur.Left + (Window.Right - Window.Left);
  Cur.Bottom = Cur.Top + (Window.Bottom - Window.Top);
  Cur.Alpha = 255 - (255 - Cur.Alpha) / BlendDiv;
  // A gap that cannot shrink is closed at once rather than never.
  if (DivX == 1.0) Cur.Left = Window.Left, Cur.Right = Window.Right;
  if (DivY == 1.0) Cur.Top = Window.Top, Cur.Bottom = Window.Bottom;
  return !(Cur.Alpha >= TargetAlpha - 5 && std::fabs(Cur.Left - Window.Left) < 1 && std::fabs(Cur.Top - Window.Top) < 1);
}

// ---------------------------------------------------------------- task-bar buttons

bool TacTaskButton::Skipped() const {
  constexpr uint8_t kHidden = 0x08;  // TBSTATE_HIDDEN
  return (State & kHidden) || (Style & 0x0D);
}

namespace {
uint64_t ReadLE(const uint8_t* b, size_t n) {
  uint64_t v = 0;
  for (size_t i = 0; i < n; ++i) v |= uint64_t(b[i]) << (8 * i);
  return v;
}
}  // namespace

std::optional<TacTaskButton> ReadTaskButton(const uint8_t* bytes, size_t size, bool target64) {
  const size_t need = target64 ? kTaskButtonSize64 : kTaskButtonSize32;
  if (!bytes || size < need) return std::nullopt;
  TacTaskButton b;
  b.State = bytes[8];
  b.Style = bytes[9];
  // The data pointer follows the reserved bytes that align it to the pointer size.
  b.Data = target64 ? ReadLE(bytes + 16, 8) : ReadLE(bytes + 12, 4);
  return b;
}

uint64_t ReadTaskWindow(const uint8_t* bytes, size_t size, bool target64) {
  const size_t n = target64 ? 8 : 4;
  return bytes && size >= n ? ReadLE(bytes, n) : 0;
}

}  // namespace skin

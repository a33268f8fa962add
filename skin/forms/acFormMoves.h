// The arithmetic of a skinned form's moves free of Win32, tested natively: snapping a
// dragged form to the work area's and other forms' edges, which forms touch (and so stay
// glued), the flight of a minimized form's image to its task-bar button and back, and the
// reading of a task-bar button record in either pointer size.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "skin/core/sConst.h"

namespace skin {

struct TacPointI {
  int32_t X = 0, Y = 0;
  friend bool operator==(const TacPointI&, const TacPointI&) = default;
};

// The offsets that bring a window of the given size at (X, Y) onto Target's edges: its left
// or right edge, its top or bottom edge, each only within Buffer pixels; 0 where none.
TacPointI SnapPoint(const TacRect& target, int32_t width, int32_t height, int32_t x, int32_t y, int32_t buffer);

// Where a form dragged to (X, Y) ends up: first next to the other forms (their visible
// frames; the first that gives both offsets ends the search), then on the work area.
struct TacSnapInput {
  TacRect Window;  // the form's window where it is now
  int32_t X = 0, Y = 0;
  TacRect WorkArea;
  std::vector<TacRect> Others;
  int32_t Buffer = 10;
  // How far the visible frame stands out beyond the windows on each side (a border window's
  // extra frame and title and the skin's align offsets; 0 without border window): the other
  // forms' frames and the work area are met with the frame, not the window.
  TacRect Margins;
};
TacPointI SnapPosition(const TacSnapInput& in);

// A window's rectangle grown to the visible frame around it by Margins (Grow), or shrunk by them.
TacRect AdjustForBorder(const TacRect& margins, const TacRect& r, bool grow);

// Two visible frames that touch edge to edge.
bool FramesTouch(const TacRect& main, const TacRect& other);

// ---------------------------------------------------------------- minimize and restore
// The rectangle and alpha of the image in flight.
struct TacFlight {
  double Left = 0, Top = 0, Right = 0, Bottom = 0, Alpha = 0;
};

// A minimize: from halfway between the window and the target, shrinking from the window's
// size to the target's and fading to nothing in StepCount steps.
struct TacMinimizeFlight {
  TacMinimizeFlight(const TacRect& window, const TacRect& target, int32_t stepCount, int32_t startAlpha);
  // One step; False once the image has faded out.
  bool Step();
  TacFlight Cur;
  int32_t StepCount = 1;
  double DeltaX = 0, DeltaY = 0, DeltaW = 0, DeltaH = 0, BlendStep = 0;
};

// A restore: from near the target back onto the window, every gap (left, top, alpha)
// shrinking by the same factor each step to about one pixel in N steps.
struct TacRestoreFlight {
  TacRestoreFlight(const TacRect& window, const TacRect& target, int32_t n, int32_t targetAlpha);
  // One step; False once the image is in place.
  bool Step();
  TacRect Window;
  TacFlight Cur;
  int32_t TargetAlpha = 255;
  double DivX = 1, DivY = 1, BlendDiv = 1;
};

// ---------------------------------------------------------------- task-bar buttons
// TBBUTTON as the task bar's own process lays it out.
inline constexpr size_t kTaskButtonSize32 = 20, kTaskButtonSize64 = 32;
struct TacTaskButton {
  uint8_t State = 0, Style = 0;
  uint64_t Data = 0;  // the address, in the task bar's process, of the button's window handle
  // Hidden, or a separator, group or drop-down button: stands for no window.
  bool Skipped() const;
};
std::optional<TacTaskButton> ReadTaskButton(const uint8_t* bytes, size_t size, bool target64);
// The window handle read at a button's data address (4 or 8 bytes; handles fit in 32 bits).
uint64_t ReadTaskWindow(const uint8_t* bytes, size_t size, bool target64);

}  // namespace skin

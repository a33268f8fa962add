// Small shapes of skinned controls drawn straight into engine bitmaps: the solid arrows of
// combo boxes, spin buttons and scroll bars, bevel and dotted frames, the quadrilateral that
// rotated pictures are drawn into, and the whole-degree sine and cosine. Win32-free; the
// styled arrows and rotations that need GDI+ or PlgBlt live beside the GDI adapters.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>

#include "skin/core/sConst.h"
#include "skin/graphics/acBitmap32.h"

namespace skin {

// Arrow measures at 96 pixels per inch, scaled as value * PPI div 96.
inline constexpr int kArrowSize = 5;
inline constexpr int kArrowLineThickness = 2;

// Directions of an arrow's tip.
enum TacArrowDirection : int { adLeft = 0, adUp = 1, adRight = 2, adDown = 3 };

// A filled triangle of Color's pixels centred in R; nothing when it does not fit the bitmap.
// The pixel value is SwapRB(Color): a plain RGB colour gets alpha 0, as GDI leaves it.
void DrawSolidArrow(TBitmap32& bmp, TColor color, const TRect& r, int direction, int ppi);

// A bevel frame of Width one-pixel rings: the left and top sides in TopLeftColor (resolved
// through ColorToRGB), the right and bottom sides in BottomRightColor taken as an RGB value.
// R comes back inside the frame and Width at 0.
void DrawRectFrame(TBitmap32& bmp, TRect& r, TColor topLeftColor, uint32_t bottomRightColor, int& width);

// A dotted outline of R, pixels alternating between Color1 and Color2; clNone skips a colour.
void DrawDottedFrame(TBitmap32& bmp, const TRect& r, TColor color1, TColor color2);

// Sine and cosine of whole degrees from a table of 360 entries; negative angles count back
// from 360.
float SinDeg(int degrees);
float CosDeg(int degrees);

// Four corners kept in double precision, turned around the middle of P0 and P2.
class TPrlgram {
 public:
  struct TDoublePoint {
    double X = 0, Y = 0;
  };
  // Keeps the first four points (fewer when fewer are given; the rest stay at 0).
  TPrlgram(std::initializer_list<TPoint> points);
  // The point rounded to whole pixels; an index outside 0..3 gives (0, 0).
  TPoint GetPoint(int index) const;
  // Counter-clockwise on screen (y grows downwards) for 0..359 degrees.
  void Rotate(uint16_t degrees);
  const std::array<TDoublePoint, 4>& Points() const { return p_; }

 private:
  std::array<TDoublePoint, 4> p_{};
};

}  // namespace skin

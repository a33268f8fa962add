// The shapes that need GDI, GDI+ or PlgBlt: styled arrows with anti-aliased lines, rounded
// shading, rotated pictures, and lines on device contexts.
#pragma once
#include <windows.h>

#include "gui/Graphics.h"
#include "skin/graphics/acShapes.h"

namespace skin {

void DrawLineOnDC(HDC dc, int x1, int y1, int x2, int y2);

// An arrow of the manager's style centred in R of a 32-bit bitmap: solid styles a filled
// triangle with soft edges, line styles two anti-aliased strokes of LineColor over an
// optional fill (clNone: none). Size 0 and Thickness 0 mean the standard ones; Angle, when
// not 0, turns the whole bitmap clockwise afterwards.
void DrawStyledArrow(gui::TBitmap& bmp, TColor lineColor, TColor fillColor, const TRect& r, int direction,
                     int thickness, double angle, int size, TacArrowsStyle style, int ppi);

// Blends Color into R with soft rounded edges: Band rings fading from the edge inwards,
// the inside keeping Percent of the pixels.
void ShadeRoundRect(gui::TBitmap& bmp, const TRect& r, int percent, TColor color, int band, int radius);

// Draws Bmp turned by Angle degrees clockwise around Center.
void RotateBitmapOnDC(HDC dc, gui::TBitmap& bmp, TPoint center, int angle);

}  // namespace skin

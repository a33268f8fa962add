// GDI+ at run time: anti-aliased lines and polygons, smooth gradient fills, high-quality
// stretching of 32-bit images, rotated image drawing and a blur, through GDI+'s flat API
// taken by name from "gdiplus.dll" at first use. Without the library every operation does
// nothing, so the engine runs with plainer pictures. Every GDI+ status is checked: an
// operation whose step fails stops there, leaves its target as it was and releases what it
// made.
#pragma once
#include <windows.h>

#include <vector>

#include "gui/Graphics.h"
#include "skin/graphics/acBitmap32.h"

namespace skin {

struct TPointF {
  float X = 0, Y = 0;
};

// Start-up: from here on the first operation (or ask below) loads the library, takes its
// entry points and starts GDI+; shut-down stops GDI+ and frees the library. Counted like
// every unit's pair.
void InitGdiPlus();
void FinalGdiPlus();
// False when the library is not there (or the unit is not started); StartNow starts GDI+
// anew (for code running in a library, which must not keep it running).
bool BeginGdiPlus(bool startNow);
void EndGdiPlus(bool stopNow);
bool GdiPlusLoaded();
// Whether the library has the named entry point (tests ask, to pin what Wine offers).
bool GdiPlusHas(const char* name);

// Colours are RGB colour values (red in the low byte) with an alpha in the high byte; a pen
// colour whose high byte is 0 is drawn opaque.
void DrawLineGdiPlus(HDC dc, TColor color, float x1, float y1, float x2, float y2, float width);
void DrawPolygonGdiPlus(HDC dc, TColor color, const TPointF* points, int count, int width);
void FillHorzGradientGdiPlus(HDC dc, TColor color1, TColor color2, float x, float y, float w, float h);
void FillVertGradientGdiPlus(HDC dc, TColor color1, TColor color2, float x, float y, float w, float h);
// Corners in the order given, each with its colour, and the centre colour.
void FillPathGradientGdiPlus(HDC dc, const TPoint points[4], const TColor colors[4], float x, float y, float w,
                             float h, TColor centerColor);
// SrcRect of Src drawn into DstRect of Dst (both 32-bit with alpha). The alpha travels
// halved and raised (a / 2 + 127) and is widened back afterwards over the whole of Dst.
void StretchBitmapGdiPlus(gui::TBitmap& dst, gui::TBitmap& src, const TRect& dstRect, const TRect& srcRect);
void StretchBitmapPartGdiPlus(gui::TBitmap& dst, gui::TBitmap& src, int x, int y, int w, int h);
// GDI+'s blur effect; where GDI+ has no effects, or the effect fails, the bitmap is softened
// by halving it and stretching it back instead.
void BlurBitmap(gui::TBitmap& bmp, float radius);
void BlurBitmapByHalving(gui::TBitmap& bmp);
// Turns the points counter-clockwise on the screen by Angle degrees about Center.
void RotatePoints(TPointF* points, TPointF center, int count, int angle);
// The bitmap drawn at Rect's corner, turned clockwise by Angle degrees about Rect's centre.
void DrawRotatedBitmapGdiPlus(HDC dc, gui::TBitmap& bmp, const TRect& rect, int angle);

}  // namespace skin

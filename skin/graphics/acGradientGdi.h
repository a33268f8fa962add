// Gradients on the engine bitmap under Windows: the platform fills a gradient may need (GDI+
// linear and path gradients for alpha bands, msimg32's GradientFill for the four-corner
// form, taken at first use).
#pragma once
#include <windows.h>

#include <memory>

#include "gui/Graphics.h"
#include "skin/graphics/acGradient.h"

namespace skin {

// The platform fills on one device context (a bitmap's canvas).
class TGdiGradientFills : public TGradientFills {
 public:
  explicit TGdiGradientFills(HDC dc) : dc_(dc) {}
  void Linear(bool vertical, int x, int y, int w, int h, TColor c0, TColor c1) override;
  void Path(const TRect& r, const TColor corners[4], TColor center) override;
  void Triangles(const TPoint vertices[5], const TColor colors[5]) override;

 private:
  HDC dc_;
};

// The gradient painted into an engine bitmap, platform-drawn parts included.
void PaintGradient(gui::TBitmap& bmp, const TRect& rect, const TsGradArray& gradient);

// msimg32's GradientFill, taken at the first ask while the unit runs (nullptr without the
// library, or outside the unit's start-up and shut-down).
using TGradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
TGradientFill GradientFillProc();
void InitGradientFill();
void FinalGradientFill();

// An engine bitmap holding a copy of the pixels.
std::unique_ptr<gui::TBitmap> BitmapFromPixels(const TBitmap32& pixels);

}  // namespace skin

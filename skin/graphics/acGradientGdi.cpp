#include "skin/graphics/acGradientGdi.h"

#include "skin/core/acProcAddress.h"

#include <algorithm>

#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGdiPlus.h"

namespace skin {

namespace {
HMODULE msimg = nullptr;
TGradientFill gradientFill = nullptr;
bool gradientTried = false;  // the library was looked for since the unit's start-up
int gradientCount = 0;
}  // namespace

TGradientFill GradientFillProc() {
  if (gradientCount > 0 && !gradientTried) {
    gradientTried = true;
    msimg = LoadLibraryA("msimg32.dll");
    gradientFill = ProcAddress<TGradientFill>(msimg, "GradientFill");
  }
  return gradientFill;
}

void TGdiGradientFills::Linear(bool vertical, int x, int y, int w, int h, TColor c0, TColor c1) {
  // The first row (column) belongs to the band before: it stays out of the clip.
  const int saved = SaveDC(dc_);
  if (vertical) {
    ExcludeClipRect(dc_, x, y, x + w, y + 1);
    FillVertGradientGdiPlus(dc_, c0, c1, float(x), float(y), float(w), float(h));
  } else {
    ExcludeClipRect(dc_, x, y, x + 1, y + h);
    FillHorzGradientGdiPlus(dc_, c0, c1, float(x), float(y), float(w), float(h));
  }
  RestoreDC(dc_, saved);
  GdiFlush();
}

void TGdiGradientFills::Path(const TRect& r, const TColor corners[4], TColor center) {
  const TPoint pts[4] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
  FillPathGradientGdiPlus(dc_, pts, corners, float(r.Left), float(r.Top), float(r.Width()), float(r.Height()), center);
  GdiFlush();
}

void TGdiGradientFills::Triangles(const TPoint v[5], const TColor c[5]) {
  const TGradientFill fill = GradientFillProc();
  if (fill == nullptr) return;
  TRIVERTEX vert[5];
  for (int i = 0; i < 5; ++i)
    vert[i] = {v[i].X, v[i].Y, static_cast<COLOR16>((c[i] & 0xFF) << 8), static_cast<COLOR16>(c[i] & 0xFF00),
               static_cast<COLOR16>(((c[i] >> 16) & 0xFF) << 8), 0xFF00};
  GRADIENT_TRIANGLE tri[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  fill(dc_, vert, 5, tri, 4, GRADIENT_FILL_TRIANGLE);
  GdiFlush();
}

void PaintGradient(gui::TBitmap& bmp, const TRect& rect, const TsGradArray& gradient) {
  TBitmap32 pixels = Pixels32(bmp);
  if (!pixels.HasRows()) return;
  TGdiGradientFills fills(bmp.Canvas().Handle());
  PaintGradient(pixels, rect, gradient, &fills);
}

void InitGradientFill() { ++gradientCount; }

void FinalGradientFill() {
  if (gradientCount == 0 || --gradientCount > 0) return;
  gradientFill = nullptr;
  gradientTried = false;
  if (msimg) FreeLibrary(msimg);
  msimg = nullptr;
}

std::unique_ptr<gui::TBitmap> BitmapFromPixels(const TBitmap32& pixels) {
  auto bmp = CreateBitmap32(pixels.Width(), pixels.Height());
  TBitmap32 to = Pixels32(*bmp);
  for (int y = 0; y < to.Height(); ++y) std::copy(pixels.Row(y), pixels.Row(y) + pixels.Width(), to.Row(y));
  return bmp;
}

}  // namespace skin

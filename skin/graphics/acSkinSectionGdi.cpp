#include "skin/graphics/acSkinSectionGdi.h"

#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGradientGdi.h"

namespace skin {

void PaintSkinSectionToDC(const TacSectionSource& skin, int skinIndex, const TacBackgroundCache& cache, int state,
                          const TRect& r, TPoint offset, HDC dc) {
  if (r.IsEmpty() || r.Left < 0 || r.Top < 0) return;
  auto tmp = CreateBitmap32ForRect(r);
  if (tmp->Empty()) return;
  TGdiGradientFills fills(tmp->Canvas().Handle());
  TacSectionSource own = skin;
  own.Fills = &fills;
  TBitmap32 px = Pixels32(*tmp);
  PaintSkinSection(own, skinIndex, cache, state, px.Bounds(), offset, px);
  GdiFlush();
  const int saved = SaveDC(dc);
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), tmp->Canvas().Handle(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

int PaintSkinSectionFromDC(gui::TBitmap& bmp, int skinIndex, int fallbackIndex, int state,
                           const TacSectionSource& skin, const TRect& r, TColor fillColor, HDC dc) {
  const int index = skinIndex >= 0 ? skinIndex : fallbackIndex;
  if (index < 0) return -1;
  if (bmp.Empty()) return index;
  if (dc != nullptr) BitBlt(bmp.Canvas().Handle(), 0, 0, bmp.Width(), bmp.Height(), dc, r.Left, r.Top, SRCCOPY);
  GdiFlush();
  TBitmap32 px = Pixels32(bmp);
  TacBackgroundCache cache;
  cache.Bitmap = dc != nullptr ? &px : nullptr;
  cache.FillColor = fillColor;
  cache.Ready = dc != nullptr;
  TGdiGradientFills fills(bmp.Canvas().Handle());
  TacSectionSource own = skin;
  own.Fills = &fills;
  PaintSkinSection(own, index, cache, state, px.Bounds(), {0, 0}, px);
  return index;
}

}  // namespace skin

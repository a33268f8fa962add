#include "skin/graphics/acShapesGdi.h"

#include <algorithm>
#include <cmath>

#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGdiPlus.h"

namespace skin {

void DrawLineOnDC(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void DrawStyledArrow(gui::TBitmap& bmp, TColor lineColor, TColor fillColor, const TRect& r, int direction,
                     int thickness, double angle, int size, TacArrowsStyle style, int ppi) {
  const bool lines = style == TacArrowsStyle::arsLines1 || style == TacArrowsStyle::arsLines2;
  const bool half = style == TacArrowsStyle::arsSolid2 || style == TacArrowsStyle::arsLines2;
  const bool oddWidth = r.Width() % 2 != 0;
  size = (size == 0 ? kArrowSize : size) * ppi / 96;
  TColor fill;
  if (lines) {
    thickness = (thickness == 0 ? kArrowLineThickness : thickness) * ppi / 96;
    fill = fillColor;
  } else {
    fill = lineColor;
    thickness = 1;
    size -= 1;
    if (style == TacArrowsStyle::arsSolid2 && !oddWidth) size += 1;
  }
  if (size <= 0) return;
  const int a = thickness / 2, m = std::max(1, a);
  int hb = half ? (size + 1) / 2 : size;
  int wb = 2 * size + (oddWidth ? 1 : 0);
  if (lines) {
    hb += m + thickness;
    wb += thickness;
  } else if (oddWidth) {
    hb += 1;
  }
  const int odd = wb % 2;
  TPoint p1, p2, p3, p4;
  if (lines) {
    p1 = {m, m};
    p2 = {m + size, hb - thickness};
    p3 = {p2.X + odd - a, p2.Y};
    p4 = {p3.X + size, p1.Y};
  } else {
    p1 = {0, 0};
    p2 = {wb / 2 + odd - 1, hb - 1};
    p3 = {wb / 2, hb - 1};
    p4 = {wb - 1, 0};
  }

  // The arrow pointing down, on white with alpha 0.
  std::unique_ptr<gui::TBitmap> image = CreateBitmap32(wb, hb);
  TBitmap32 px = Pixels32(*image);
  for (int y = 0; y < hb; ++y)
    for (int x = 0; x < wb; ++x) px.At(x, y) = 0x00FFFFFF;
  if (fill != clNone) {
    HDC dc = image->Canvas().Handle();
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    const POINT poly[4] = {{p1.X, p1.Y}, {p2.X, p2.Y}, {p3.X, p3.Y}, {p4.X, p4.Y}};
    Polygon(dc, poly, 4);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    GdiFlush();
    const TPixel fillPixel = SwapRB(ColorToRGB(fill) & 0xFFFFFF);
    for (int y = 0; y < hb; ++y)
      for (int x = 0; x < wb; ++x) {
        const TPixel p = px.At(x, y);
        const int sum = ChR(p) + ChG(p) + ChB(p);
        px.At(x, y) = sum == 765 ? 0x00FFFFFF : (fillPixel | (static_cast<TPixel>(255 - sum / 3) << 24));
      }
  }
  if (thickness >= 1) {
    // GDI+ leaves a 32-bit device context's alpha alone: the strokes are drawn black on a
    // white mask, whose darkness is their coverage, and laid over the image in LineColor.
    std::unique_ptr<gui::TBitmap> strokes = CreateBitmap32(wb, hb);
    TBitmap32 sp = Pixels32(*strokes);
    for (int y = 0; y < hb; ++y)
      for (int x = 0; x < wb; ++x) sp.At(x, y) = 0xFFFFFFFF;
    HDC dc = strokes->Canvas().Handle();
    DrawLineGdiPlus(dc, 0, float(p1.X), float(p1.Y), float(p2.X), float(p2.Y), float(thickness));
    DrawLineGdiPlus(dc, 0, float(p3.X), float(p3.Y), float(p4.X), float(p4.Y), float(thickness));
    GdiFlush();
    const TPixel line = SwapRB(ColorToRGB(lineColor) & 0xFFFFFF);
    for (int y = 0; y < hb; ++y)
      for (int x = 0; x < wb; ++x) {
        const TPixel m = sp.At(x, y);
        const int cover = 255 - (ChR(m) + ChG(m) + ChB(m)) / 3;
        if (cover <= 0) continue;
        const TPixel under = px.At(x, y);
        const int a = ChA(under) * (255 - cover) / 255, outA = cover + a;
        auto mix = [&](int i) { return (Channel(line, i) * cover + Channel(under, i) * a) / outA; };
        px.At(x, y) = MakePixel(mix(0), mix(1), mix(2), outA);
      }
  }

  TBitmap32 arrow = px.Clone();
  if (direction == adUp) {
    for (int y = 0; y < hb / 2; ++y) std::swap_ranges(arrow.Row(y), arrow.Row(y) + wb, arrow.Row(hb - 1 - y));
  } else if (direction == adLeft) {
    arrow = RotateBitmap32(arrow, 90);
  } else if (direction == adRight) {
    arrow = RotateBitmap32(arrow, 270);
  }
  TBitmap32 dst = Pixels32(bmp);
  const TPoint at{r.Left + (r.Width() - arrow.Width()) / 2, r.Top + (r.Height() - arrow.Height()) / 2};
  AlphaBlendRect(dst, arrow, arrow.Bounds(), at, 255);

  if (angle != 0) {
    std::unique_ptr<gui::TBitmap> copy = CreateBitmap32Like(bmp);
    CopyBitmapInto(*copy, bmp);
    RotateBitmapOnDC(bmp.Canvas().Handle(), *copy, {bmp.Width() / 2, bmp.Height() / 2},
                     static_cast<int>(std::nearbyint(angle)) - 90);
  }
}

void ShadeRoundRect(gui::TBitmap& bmp, const TRect& r, int percent, TColor color, int band, int radius) {
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return;
  TBitmap32 target = Pixels32(bmp);
  TBitmap32 copy(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (target.Inside(r.Left + x, r.Top + y)) copy.At(x, y) = target.At(r.Left + x, r.Top + y);
  const int limit = std::min(w / 2, h / 2);
  band = std::clamp(band, 0, limit);
  radius = std::clamp(radius, 0, limit);
  const int u = percent * 255 / 100;

  std::unique_ptr<gui::TBitmap> mask = CreateBitmap32(w, h);
  HDC dc = mask->Canvas().Handle();
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  // Without a pen RoundRect leaves the last column and row out: the rectangles are one
  // larger, so that the rings reach R's right and bottom edges too.
  auto ring = [&](int inset, int grey, int corner) {
    HBRUSH b = CreateSolidBrush(RGB(grey, grey, grey));
    HGDIOBJ old = SelectObject(dc, b);
    RoundRect(dc, inset, inset, w - inset + 1, h - inset + 1, corner, corner);
    SelectObject(dc, old);
    DeleteObject(b);
  };
  for (int k = 0; k <= band; ++k)
    ring(k, k == 0 ? 255 : u + static_cast<int>(std::nearbyint((255.0 - u) / (band + 1) * (band - k + 1))), radius);
  ring(band, u, band);
  SelectObject(dc, oldPen);
  GdiFlush();

  MaskBlendColor(copy, Pixels32(*mask), color);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (target.Inside(r.Left + x, r.Top + y)) target.At(r.Left + x, r.Top + y) = copy.At(x, y);
}

void RotateBitmapOnDC(HDC dc, gui::TBitmap& bmp, TPoint center, int angle) {
  const int degrees = ((360 - angle) % 360 + 360) % 360;
  const int w = bmp.Width(), h = bmp.Height();
  const TPoint p0{center.X - w / 2, center.Y - h / 2};
  TPrlgram q{p0, {p0.X + w, p0.Y}, {p0.X + w, p0.Y + h}, {p0.X, p0.Y + h}};
  q.Rotate(static_cast<uint16_t>(degrees));
  // The source's top-left goes to P1, its top-right to P2 and its bottom-left to P0.
  const TPoint a = q.GetPoint(1), b = q.GetPoint(2), c = q.GetPoint(0);
  const POINT pts[3] = {{a.X, a.Y}, {b.X, b.Y}, {c.X, c.Y}};
  PlgBlt(dc, pts, bmp.Canvas().Handle(), 0, 0, w, h, nullptr, 0, 0);
}

}  // namespace skin

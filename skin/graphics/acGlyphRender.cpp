#include "skin/graphics/acGlyphRender.h"

#include <algorithm>

#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGdiPlus.h"
#include "skin/graphics/acGlyphPixels.h"
#include "skin/graphics/acSkinText.h"

namespace skin {

namespace {

constexpr UINT kGlyphFlags = DT_NOPREFIX | DT_EXTERNALLEADING | DT_NOCLIP;

int DrawOne(HDC dc, wchar_t ch, TRect& r, UINT flags) {
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  const int h = DrawTextW(dc, &ch, 1, &rc, flags);
  r = {rc.left, rc.top, rc.right, rc.bottom};
  return h;
}

void PrepareCanvas(gui::TCanvas& canvas) {
  SetBkMode(canvas.Handle(), TRANSPARENT);
  canvas.Brush().SetStyle(gui::bsClear);
}

void StampAddedChar(const TacCharListItem& item, const TacGlyphColors& colors, gui::TBitmap& bmp, const TRect& r0,
                    uint32_t c1) {
  const uint32_t a = item.AddedColor() != gui::clNone ? ColorToSkinPixel(item.AddedColor()) : c1;
  gui::TFont& font = bmp.Canvas().Font();
  font.SetCharset(item.AddedCharset());
  font.SetName(item.AddedFontName());
  font.SetHeight(r0.Height() * item.AddedSize() / -100);
  const wchar_t ch = wchar_t(item.AddedChar());
  SIZE ext{};
  HDC dc = bmp.Canvas().Handle();
  bmp.Canvas().Refresh();
  HGDIOBJ old = SelectObject(dc, font.Handle());
  GetTextExtentPoint32W(dc, &ch, 1, &ext);
  SelectObject(dc, old);
  const int cx = ext.cx, cy = ext.cy;
  const int x = r0.Right - cx, y = r0.Bottom - cy;
  if (x < 0 || y < 0 || cx <= 0 || cy <= 0) return;
  auto t1 = CreateBitmap32(cx, cy);
  {
    TBitmap32 px = Pixels32(*t1);
    FillBitmapRect(px, px.Bounds(), gui::clWhite, 0);
  }
  t1->Canvas().Font().Assign(&font);
  t1->Canvas().Font().SetColor(gui::clBlack);
  PrepareCanvas(t1->Canvas());
  t1->Canvas().Refresh();
  HDC tdc = t1->Canvas().Handle();
  HGDIOBJ told = SelectObject(tdc, t1->Canvas().Font().Handle());
  SetTextColor(tdc, 0);
  TRect tr{0, 0, cx, cy};
  DrawOne(tdc, ch, tr, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_BOTTOM);
  SelectObject(tdc, told);
  GdiFlush();
  const int m = r0.Width() / 8;
  auto t2 = CreateBitmap32(cx + 2 * m, cy + 2 * m);
  {
    TBitmap32 halo = Pixels32(*t2);
    FillBitmapRect(halo, halo.Bounds(), gui::clWhite, 0);
    const TBitmap32 glyph = Pixels32(*t1);
    for (int j = 0; j < cy; ++j)
      for (int i = 0; i < cx; ++i) halo.At(i + m, j + m) = glyph.At(i, j);
  }
  if (m > 0) BlurBitmap(*t2, float(m));
  TBitmap32 dst = Pixels32(bmp);
  StampAddedGlyph(dst, Pixels32(*t1), Pixels32(*t2), x, y, m, a, colors.Blended ? colors.BlendValue : 255);
}

}  // namespace

std::unique_ptr<TacStrokeCollection> GetGlyphStrokes(wchar_t ch, const gui::TFont& font) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  gui::TFont big;
  big.Assign(&font);
  big.SetSize(512);
  HGDIOBJ old = SelectObject(dc, big.Handle());
  GLYPHMETRICS gm{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  std::unique_ptr<TacStrokeCollection> result;
  const DWORD size = GetGlyphOutlineW(dc, ch, GGO_NATIVE, &gm, 0, nullptr, &identity);
  if (size != 0 && size != GDI_ERROR) {
    std::vector<uint8_t> buffer(size);
    const DWORD got = GetGlyphOutlineW(dc, ch, GGO_NATIVE, &gm, size, buffer.data(), &identity);
    if (got != GDI_ERROR)
      result = std::make_unique<TacStrokeCollection>(WalkGlyphOutline(buffer.data(), buffer.size()));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return result;
}

void StrokeGlyph(gui::TCanvas& canvas, wchar_t ch, TRect& r, bool measureOnly, int angle, int penWidth) {
  const std::unique_ptr<TacStrokeCollection> s = GetGlyphStrokes(ch, canvas.Font());
  if (!s) return;
  const gui::TPoint size = FitOutlineSize(s->Bounds(), r.Width(), r.Height(), canvas.Font().Height(), measureOnly);
  if (measureOnly) {
    r = {0, 0, size.X, size.Y};
    return;
  }
  if (size.X <= 0 || size.Y <= 0) return;
  const TPointF centre{r.Left + r.Width() / 2.0f, r.Top + r.Height() / 2.0f};
  for (const auto& contour : PlaceOutline(*s, r, size)) {
    std::vector<TPointF> points;
    points.reserve(contour.size());
    for (const TacOutlinePoint& p : contour) points.push_back({p.X, p.Y});
    if (angle != 0) RotatePoints(points.data(), centre, int(points.size()), 360 - angle);
    DrawPolygonGdiPlus(canvas.Handle(), gui::clBlack, points.data(), int(points.size()), penWidth);
  }
}

void RenderGlyph(const TacCharListItem& item, const TacGlyphColors& colors, gui::TBitmap& bmp, int offsetY,
                 int baseHeight, const TRect& r) {
  SetPixelFormat32(bmp);
  gui::TCanvas& canvas = bmp.Canvas();
  gui::TFont& font = canvas.Font();
  font.SetPitch(item.Pitch());
  font.SetStyle(item.Style());
  font.SetCharset(item.Charset());
  font.SetName(item.FontName());
  font.SetColor(gui::clBlack);
  font.SetHeight(RoundEven(baseHeight * item.ScalingFactor()));
  const wchar_t ch = wchar_t(item.Char());
  {
    TBitmap32 px = Pixels32(bmp);
    FillBitmapRect(px, px.Bounds(), gui::clWhite, 0);
  }
  const int penWidth = baseHeight / 48 + 1;
  PrepareCanvas(canvas);
  canvas.Refresh();
  HDC dc = canvas.Handle();
  HGDIOBJ old = SelectObject(dc, font.Handle());
  SetTextColor(dc, 0);
  TRect m = r;
  if (item.DrawContour())
    StrokeGlyph(canvas, ch, m, true, 0, penWidth);
  else
    DrawOne(dc, ch, m, DT_CALCRECT | kGlyphFlags);
  TRect g = gui::Bounds((bmp.Width() - m.Width()) / 2, (bmp.Height() - m.Height()) / 2, m.Width(), m.Height());
  if (offsetY != 0) g = g.Offset(0, RoundEven(offsetY * item.ScalingFactor()));
  if (item.Angle() != 0 && item.DrawContour()) {
    StrokeGlyph(canvas, ch, g, false, item.Angle(), penWidth);
  } else if (item.Angle() != 0) {
    auto turned = CreateBitmapLike(bmp);
    {
      TBitmap32 px = Pixels32(*turned);
      FillBitmapRect(px, px.Bounds(), gui::clWhite, 0);
    }
    turned->Canvas().Font().Assign(&font);
    PrepareCanvas(turned->Canvas());
    turned->Canvas().Refresh();
    HDC tdc = turned->Canvas().Handle();
    HGDIOBJ told = SelectObject(tdc, turned->Canvas().Font().Handle());
    SetTextColor(tdc, 0);
    DrawOne(tdc, ch, g, kGlyphFlags | DT_VCENTER);
    SelectObject(tdc, told);
    GdiFlush();
    DrawRotatedBitmapGdiPlus(dc, *turned, {0, 0, bmp.Width(), bmp.Height()}, item.Angle() % 360);
  } else if (item.DrawContour()) {
    StrokeGlyph(canvas, ch, g, false, 0, penWidth);
  } else {
    DrawOne(dc, ch, g, kGlyphFlags);
  }
  SelectObject(dc, old);
  GdiFlush();

  const uint32_t c1 = colors.GlyphColor != gui::clNone ? ColorToSkinPixel(colors.GlyphColor)
                      : item.Color() != gui::clNone   ? ColorToSkinPixel(item.Color())
                                                      : 0u;
  bool hasC2 = false;
  uint32_t c2 = 0;
  if (item.SecondColor() != gui::clNone &&
      (colors.GlyphColor == gui::clNone || uint32_t(colors.GlyphColor) != ColorToSkinPixel(item.Color()))) {
    hasC2 = true;
    c2 = ColorToSkinPixel(item.SecondColor());
  }
  TBitmap32 px = Pixels32(bmp);
  CoverageToAlpha(px, c1, hasC2, c2, colors.Blended ? colors.BlendValue : 255);
  if (item.AddedChar() != 0) StampAddedChar(item, colors, bmp, r, c1);
}

}  // namespace skin

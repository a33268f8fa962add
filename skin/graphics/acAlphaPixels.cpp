#include "skin/graphics/acAlphaPixels.h"

#include <algorithm>

#include "rtl/SysUtils.h"

namespace skin {

uint32_t ByteSwap32(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

void ByteSwap32Array(uint32_t* p, int count) {
  for (int i = 0; i < count; ++i) p[i] = ByteSwap32(p[i]);
}

void PremultiplyBitmap(TBitmap32& bmp, bool composition) { PremultiplyBitmapRect(bmp, bmp.Bounds(), composition); }

void PremultiplyBitmapRect(TBitmap32& bmp, const TRect& r, bool composition) {
  const TRect c = ClipRect(r, bmp);
  for (int y = c.Top; y < c.Bottom; ++y) {
    TPixel* row = bmp.Row(y);
    for (int x = c.Left; x < c.Right; ++x) {
      const TPixel p = row[x];
      if (p == 0x00FFFFFFu) {
        row[x] = 0;
        continue;
      }
      const uint32_t a = ChA(p);
      uint32_t b = (ChB(p) * a) >> 8, g = (ChG(p) * a) >> 8, red = (ChR(p) * a) >> 8;
      if (!composition && ChB(p) >= 245 && ChG(p) >= 245 && ChR(p) >= 245) {
        b = std::min(244u, b);
        g = std::min(244u, g);
        red = std::min(244u, red);
      }
      row[x] = MakePixel(b, g, red, a);
    }
  }
}

namespace {
void CheckInside(const TBitmap32& bmp, int x, int y) {
  if (!bmp.Inside(x, y)) throw rtl::ERangeError("Scan line index out of range");
}
}  // namespace

TPixel GetPixel32(const TBitmap32& bmp, int x, int y) {
  CheckInside(bmp, x, y);
  return bmp.At(x, y);
}

void SetPixel32(TBitmap32& bmp, int x, int y, TPixel value) {
  CheckInside(bmp, x, y);
  bmp.At(x, y) = value;
}

namespace {
// The area of R (from its top-left corner) that pairs with Src from P on, cut to both
// bitmaps. False when nothing is left.
bool PairedArea(const TBitmap32& dst, const TBitmap32& src, const TRect& r, TPoint p, TRect& d, TPoint& s) {
  d = ClipRect(r, dst);
  s = {p.X + d.Left - r.Left, p.Y + d.Top - r.Top};
  if (s.X < 0) d.Left -= s.X, s.X = 0;
  if (s.Y < 0) d.Top -= s.Y, s.Y = 0;
  d.Right = std::min(d.Right, d.Left + src.Width() - s.X);
  d.Bottom = std::min(d.Bottom, d.Top + src.Height() - s.Y);
  return dst.HasRows() && src.HasRows() && d.Right > d.Left && d.Bottom > d.Top;
}
}  // namespace

void FillTransparentFromBitmap(TBitmap32& dst, const TBitmap32& src, const TRect& r, TPoint p) {
  TRect d;
  TPoint s;
  if (!PairedArea(dst, src, r, p, d, s)) return;
  for (int y = d.Top; y < d.Bottom; ++y) {
    TPixel* drow = dst.Row(y);
    const TPixel* srow = src.Row(s.Y + y - d.Top);
    for (int x = d.Left; x < d.Right; ++x) {
      drow[x] &= 0x00FFFFFFu;
      if (drow[x] == 0x00FF00FFu) drow[x] = srow[s.X + x - d.Left];
    }
  }
}

void FillTransparentFromElement(TBitmap32& dst, const TBitmap32& src, const TRect& r, TPoint p,
                                const TacElementPicture& element, int corner) {
  if (element.Image == nullptr || !element.Image->HasRows()) return;
  TRect d;
  TPoint s;
  if (!PairedArea(dst, src, r, p, d, s)) return;
  const TRect& e = element.SrcRect;
  TPoint o{e.Left, e.Top};
  if (corner == 14 || corner == 17) o.X = e.Left + element.FrameWidth - element.BorderRight;
  if (corner == 16 || corner == 17) o.Y = e.Top + element.FrameHeight - element.BorderBottom;
  // The element pixel pairing with destination (x, y) is o + (x - r.Left, y - r.Top).
  const TBitmap32& img = *element.Image;
  for (int y = d.Top; y < d.Bottom; ++y) {
    const int ey = o.Y + y - r.Top;
    if (ey < 0 || ey >= img.Height()) continue;
    TPixel* drow = dst.Row(y);
    const TPixel* srow = src.Row(s.Y + y - d.Top);
    const TPixel* erow = img.Row(ey);
    for (int x = d.Left; x < d.Right; ++x) {
      const int ex = o.X + x - r.Left;
      if (ex >= 0 && ex < img.Width() && (erow[ex] & 0x00FFFFFFu) == 0x00FF00FFu) drow[x] = srow[s.X + x - d.Left];
    }
  }
}

void FillBitmapRect(TBitmap32& bmp, const TRect& r, TColor color, int alpha) {
  const TRect c = ClipRect(r, bmp);
  const TPixel v = (SwapRB(color) & 0x00FFFFFFu) | (static_cast<uint32_t>(alpha & 0xFF) << 24);
  for (int y = c.Top; y < c.Bottom; ++y) std::fill(bmp.Row(y) + c.Left, bmp.Row(y) + c.Right, v);
}

void FillBitmapRectFrame(TBitmap32& bmp, const TRect& o, const TRect& i, TColor color, int alpha) {
  FillBitmapRect(bmp, {o.Left, o.Top, o.Right, i.Top}, color, alpha);
  FillBitmapRect(bmp, {o.Left, i.Top, i.Left, i.Bottom}, color, alpha);
  FillBitmapRect(bmp, {i.Right, i.Top, o.Right, i.Bottom}, color, alpha);
  FillBitmapRect(bmp, {o.Left, i.Bottom, o.Right, o.Bottom}, color, alpha);
}

void FillBitmapBorders(TBitmap32& bmp, const TRect& r, int lw, int tw, int rw, int bw, TColor color) {
  FillBitmapRect(bmp, {r.Left, r.Top, r.Right, r.Top + tw}, color, 255);
  FillBitmapRect(bmp, {r.Left, r.Top + tw, r.Left + lw, r.Bottom}, color, 255);
  FillBitmapRect(bmp, {r.Left + lw, r.Bottom - bw, r.Right, r.Bottom}, color, 255);
  FillBitmapRect(bmp, {r.Right - rw, r.Top + tw, r.Right, r.Bottom - bw}, color, 255);
}

void FadeRectToColor(TBitmap32& bmp, TRect r, uint8_t keep, TColor color) {
  const TRect c = ClipRectInclusive(r, bmp);
  const TPixel k = SwapRB(ColorToRGB(color));
  for (int y = c.Top; y <= c.Bottom; ++y) {
    TPixel* row = bmp.Row(y);
    for (int x = c.Left; x <= c.Right; ++x) row[x] = MixColors(row[x], k, keep);
  }
}

void BlendRectToColor(TBitmap32& bmp, const TRect& r, TColor color, uint8_t percent, uint8_t alpha) {
  const TRect c = ClipRect(r, bmp);
  const TPixel k = SwapRB(color);
  for (int y = c.Top; y < c.Bottom; ++y) {
    TPixel* row = bmp.Row(y);
    for (int x = c.Left; x < c.Right; ++x) {
      uint32_t out = static_cast<uint32_t>(alpha) << 24;
      for (int i = 0; i < 3; ++i) {
        const int ch = Channel(row[x], i);
        out |= static_cast<uint32_t>(ch - percent * (ch - Channel(k, i)) / 100) << (8 * i);
      }
      row[x] = out;
    }
  }
}

void FillBitmapAlpha(TBitmap32& bmp, const TRect& r, uint8_t alpha, uint32_t key) {
  const TRect c = ClipRect(r, bmp);
  const bool keyed = key != clNone;
  for (int y = c.Top; y < c.Bottom; ++y) {
    TPixel* row = bmp.Row(y);
    for (int x = c.Left; x < c.Right; ++x)
      if (!keyed || row[x] != key) row[x] = (row[x] & 0x00FFFFFFu) | (static_cast<uint32_t>(alpha) << 24);
  }
}

void AlphaFromCornerColor(TBitmap32& bmp) {
  if (!bmp.HasRows()) return;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (ChA(bmp.At(x, y)) != 0) return;
  const TPixel key = bmp.At(0, bmp.Height() - 1) & 0x00FFFFFFu;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (bmp.At(x, y) != key) bmp.At(x, y) |= 0xFF000000u;
}

void FillIntegers(int32_t* p, int count, int32_t value) {
  if (count > 0) std::fill(p, p + count, value);
}

}  // namespace skin

#include "skin/graphics/acBitmap32.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>

#include "rtl/SysUtils.h"

namespace skin {

namespace {
TSysColorSource sysColorSource = nullptr;
}

uint32_t SwapRBRotate(uint32_t v) {
  uint32_t r = ((v & 0xFF) << 24) | ((v & 0xFF00) << 8) | ((v >> 8) & 0xFF00) | (v >> 24);
  return (r >> 8) | (r << 24);
}

void SetSysColorSource(TSysColorSource source) { sysColorSource = source; }

TColor ColorToRGB(TColor c) {
  if (static_cast<int32_t>(c) >= 0) return c;
  return sysColorSource ? sysColorSource(static_cast<int>(c & 0xFF)) : (c & 0x00FFFFFF);
}

// ---- TBitmap32 ----

TBitmap32::TBitmap32(int width, int height, bool bottomUp) {
  if (width <= 0 || height <= 0) return;
  // A size the memory cannot hold gives an empty bitmap, as a failed DIB section does.
  try {
    store_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    return;
  } catch (const std::length_error&) {
    return;
  }
  width_ = width;
  height_ = height;
  const ptrdiff_t rowBytes = static_cast<ptrdiff_t>(width) * 4;
  auto* base = reinterpret_cast<uint8_t*>(store_.data());
  if (bottomUp) {
    row0_ = base + rowBytes * (height - 1);
    delta_ = -rowBytes;
  } else {
    row0_ = base;
    delta_ = rowBytes;
  }
  if (height == 1) delta_ = 0;
}

TBitmap32 TBitmap32::View(void* row0, ptrdiff_t delta, int width, int height) {
  TBitmap32 b;
  if (row0 == nullptr || width <= 0 || height <= 0) return b;
  b.row0_ = static_cast<uint8_t*>(row0);
  b.delta_ = height == 1 ? 0 : delta;
  b.width_ = width;
  b.height_ = height;
  return b;
}

TBitmap32::TBitmap32(TBitmap32&& other) noexcept { *this = std::move(other); }

TBitmap32& TBitmap32::operator=(TBitmap32&& other) noexcept {
  if (this == &other) return *this;
  // A vector's move keeps its buffer, so the row address stays valid.
  store_ = std::move(other.store_);
  row0_ = other.row0_;
  delta_ = other.delta_;
  width_ = other.width_;
  height_ = other.height_;
  other.store_.clear();
  other.row0_ = nullptr;
  other.delta_ = 0;
  other.width_ = other.height_ = 0;
  return *this;
}

TBitmap32 TBitmap32::Clone() const {
  TBitmap32 copy(width_, height_, delta_ < 0);
  for (int y = 0; y < height_; ++y) std::memcpy(copy.Row(y), Row(y), static_cast<size_t>(width_) * 4);
  return copy;
}

void TBitmap32::SetSize(int width, int height) { *this = TBitmap32(width, height, delta_ < 0); }

bool TBitmap32::GetRows(uint8_t*& row0, ptrdiff_t& delta) const {
  if (!HasRows()) return false;
  row0 = row0_;
  delta = delta_;
  return true;
}

TRect ClipRect(const TRect& r, const TBitmap32& bmp) {
  TRect c{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, bmp.Width()), std::min(r.Bottom, bmp.Height())};
  if (c.Right < c.Left) c.Right = c.Left;
  if (c.Bottom < c.Top) c.Bottom = c.Top;
  return c;
}

TRect ClipRectInclusive(const TRect& r, const TBitmap32& bmp) {
  TRect c{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, bmp.Width() - 1),
          std::min(r.Bottom, bmp.Height() - 1)};
  if (c.Right < c.Left) c.Right = c.Left - 1;
  if (c.Bottom < c.Top) c.Bottom = c.Top - 1;
  return c;
}

// ---- colour arithmetic ----

uint32_t ChangeColorBrightness(uint32_t v, int delta) {
  if (delta == 0) return v;
  uint32_t out = v & 0xFF000000u;
  for (int i = 0; i < 3; ++i) {
    int c = Channel(v, i);
    c = delta > 0 ? std::min(255, c + ((c * delta) >> 8)) : std::max(0, c - ((c * -delta) >> 8));
    out |= static_cast<uint32_t>(c) << (8 * i);
  }
  return out;
}

uint8_t Luma(uint32_t p) {
  return static_cast<uint8_t>(rtl::Round(0.299 * ChR(p) + 0.587 * ChG(p) + 0.114 * ChB(p)));
}

uint32_t SaturatePixel(int amount, uint32_t v) {
  const int64_t luma = Luma(v);
  uint32_t out = v & 0xFF000000u;
  for (int i = 0; i < 3; ++i) {
    int64_t c = (static_cast<int64_t>(amount) + 255) * Channel(v, i) - static_cast<int64_t>(amount) * luma;
    c = std::clamp<int64_t>(c, 0, 65535) >> 8;
    out |= static_cast<uint32_t>(c) << (8 * i);
  }
  return out;
}

uint32_t ChangeColorSaturation(uint32_t v, int amount) { return amount == 0 ? v : SaturatePixel(amount, v); }

uint32_t ShiftHuePixel(int angle, uint32_t p) {
  const double r = ChR(p), g = ChG(p), b = ChB(p);
  const double v = std::max({r, g, b}), mn = std::min({r, g, b});
  const double s = v == 0 ? 0 : (v - mn) / v;
  if (s == 0) return (p & 0xFF00FFFFu) | (static_cast<uint32_t>(v) << 16);
  const double k = 60 / (v - mn);
  double h = r == v ? k * (g - b) : g == v ? 120 + k * (b - r) : 240 + k * (r - g);
  if (h < 0) h += 360;
  const int hh = static_cast<int>(std::trunc(h + angle)) % 360;
  const int sector = static_cast<int>(std::trunc(hh / 60.0));
  const double f = hh / 60.0 - sector;
  auto limit = [](double x) { return static_cast<uint32_t>(std::clamp(x, 0.0, 255.0)); };
  const uint32_t vv = limit(v), pp = limit(v * (1 - s)), q = limit(v * (1 - s * f)),
                 t = limit(v * (1 - (1 - f) * s));
  uint32_t R, G, B;
  switch (sector) {
    case 0: R = vv, G = t, B = pp; break;
    case 1: R = q, G = vv, B = pp; break;
    case 2: R = pp, G = vv, B = t; break;
    case 3: R = pp, G = q, B = vv; break;
    case 4: R = t, G = pp, B = vv; break;
    default: R = vv, G = pp, B = q; break;
  }
  return MakePixel(B, G, R, ChA(p));
}

uint32_t ChangeColorHue(int angle, uint32_t v) {
  if (angle == 0) return v;
  return SwapRB(ShiftHuePixel(angle, SwapRB(v)));
}

uint32_t ColorTone(uint32_t p, uint32_t tone) {
  const uint32_t m = std::max({ChB(p), ChG(p), ChR(p)});
  return MakePixel((m * Channel(tone, 2)) >> 8, (m * Channel(tone, 1)) >> 8, (m * Channel(tone, 0)) >> 8, ChA(p));
}

uint32_t MixColors(uint32_t a, uint32_t b, uint8_t w) {
  uint32_t out = a & 0xFF000000u;
  for (int i = 0; i < 3; ++i)
    out |= ((Channel(a, i) * uint32_t{w} + Channel(b, i) * (255u - w)) >> 8) << (8 * i);
  return out;
}

TColor ApplyColorEffectsToColor(TColor v, TColor colorTone, int hueOffset, int saturation) {
  if (colorTone != clNone) v = ColorTone(v, SwapRB(ColorToRGB(colorTone)));
  v = ChangeColorHue(hueOffset, v);
  v = ChangeColorSaturation(v, saturation * 256 / 100);
  return ColorToRGB(v);
}

// ---- whole-bitmap passes ----

void ForEachPixel(TBitmap32& bmp, TPixelProc proc, int param, TColor key) {
  if (!bmp.HasRows()) return;
  const bool keyed = key != clNone;
  const TPixel k = SwapRB(key);
  for (int y = 0; y < bmp.Height(); ++y) {
    TPixel* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x)
      if (!keyed || row[x] != k) proc(&row[x], param);
  }
}

void BrightnessPixelProc(TPixel* pixel, int param) { *pixel = ChangeColorBrightness(*pixel, param); }
void SaturationPixelProc(TPixel* pixel, int param) { *pixel = SaturatePixel(param, *pixel); }
void HuePixelProc(TPixel* pixel, int param) { *pixel = ShiftHuePixel(param, *pixel); }
void TonePixelProc(TPixel* pixel, int param) { *pixel = ColorTone(*pixel, static_cast<uint32_t>(param)); }

namespace {
void GrayPixelProc(TPixel* pixel, int) {
  const uint32_t l = Luma(*pixel);
  *pixel = MakePixel(l, l, l, ChA(*pixel));
}
}  // namespace

void GrayscaleBitmap(TBitmap32& bmp) { ForEachPixel(bmp, GrayPixelProc, 0, clNone); }
void GrayscaleBitmapExcept(TBitmap32& bmp, TColor key) { ForEachPixel(bmp, GrayPixelProc, 0, key); }

void CopyChannel32(TBitmap32& dst, const TBitmap32& src, int channel) {
  if (!dst.HasRows() || !src.HasRows() || channel < 0 || channel > 3) return;
  const int w = std::min(dst.Width(), src.Width()), h = std::min(dst.Height(), src.Height());
  const uint32_t mask = 0xFFu << (8 * channel);
  for (int y = 0; y < h; ++y) {
    TPixel* d = dst.Row(y);
    const TPixel* s = src.Row(y);
    for (int x = 0; x < w; ++x) d[x] = (d[x] & ~mask) | (s[x] & mask);
  }
}

void TransferChannel8(TBitmap32& bmp, TBytePlane& plane, int channel, bool toPlane) {
  if (!bmp.HasRows() || plane.Row0 == nullptr || channel < 0 || channel > 3) return;
  const int w = std::min(bmp.Width(), plane.Width), h = std::min(bmp.Height(), plane.Height);
  const int shift = 8 * channel;
  for (int y = 0; y < h; ++y) {
    TPixel* p = bmp.Row(y);
    uint8_t* b = plane.Row(y);
    for (int x = 0; x < w; ++x) {
      if (toPlane)
        b[x] = Channel(p[x], channel);
      else
        p[x] = (p[x] & ~(0xFFu << shift)) | (uint32_t{b[x]} << shift);
    }
  }
}

TBitmap32 RotateBitmap32(const TBitmap32& bmp, int angle) {
  const int w = bmp.Width(), h = bmp.Height();
  const bool quarter = angle == 90 || angle == 270;
  TBitmap32 out(quarter ? h : w, quarter ? w : h, bmp.Delta() < 0);
  if (!bmp.HasRows()) return out;
  for (int y = 0; y < h; ++y) {
    const TPixel* s = bmp.Row(y);
    for (int x = 0; x < w; ++x) {
      switch (angle) {
        case 90: out.At(h - 1 - y, x) = s[x]; break;
        case 180: out.At(w - 1 - x, h - 1 - y) = s[x]; break;
        case 270: out.At(y, w - 1 - x) = s[x]; break;
        default: out.At(x, y) = s[x]; break;
      }
    }
  }
  return out;
}

std::vector<TRect> ColorRuns(const TBitmap32& bmp, TColor color) {
  std::vector<TRect> runs;
  if (!bmp.HasRows()) return runs;
  const TPixel key = color & 0x00FFFFFFu;
  for (int y = 0; y < bmp.Height(); ++y) {
    const TPixel* row = bmp.Row(y);
    int x = 0;
    while (x < bmp.Width()) {
      if (row[x] != key) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < bmp.Width() && row[x] == key) ++x;
      runs.push_back({start, y, x, y + 1});
    }
  }
  return runs;
}

}  // namespace skin

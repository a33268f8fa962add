#include "skin/graphics/acTextPixels.h"

#include <algorithm>
#include <cmath>

#include "rtl/SysUtils.h"

namespace skin {

void TransferTextPixels(TBitmap32& dst, const TBitmap32& text, TPoint at, bool alphaMode, TColor color) {
  if (!dst.HasRows() || !text.HasRows()) return;
  const TPixel k = SwapRB(color & 0x00FFFFFFu);
  const int x0 = std::max(0, -at.X), y0 = std::max(0, -at.Y);
  const int x1 = std::min(text.Width(), dst.Width() - at.X), y1 = std::min(text.Height(), dst.Height() - at.Y);
  for (int y = y0; y < y1; ++y) {
    const TPixel* t = text.Row(y);
    TPixel* d = dst.Row(at.Y + y) + at.X;
    for (int x = x0; x < x1; ++x) {
      const TPixel tp = t[x];
      if (tp == 0x00FFFFFFu || tp == 0xFFFFFFFFu) continue;
      uint32_t out;
      if (alphaMode) {
        const uint32_t g = tp == 0 ? 1 : Luma(tp);
        const uint32_t a = std::max<uint32_t>(ChA(d[x]), 255u - g);
        out = a << 24;
        for (int c = 0; c < 3; ++c) {
          const int dc = Channel(d[x], c), kc = Channel(k, c);
          out |= static_cast<uint32_t>((((dc - kc) * static_cast<int>(g) + kc * 256) * static_cast<int>(a)) >> 16)
                 << (8 * c);
        }
      } else {
        out = 0xFF000000u;
        for (int c = 0; c < 3; ++c) {
          const int dc = Channel(d[x], c), kc = Channel(k, c);
          out |= static_cast<uint32_t>(((dc - kc) * Channel(tp, c) + kc * 256) >> 8) << (8 * c);
        }
      }
      d[x] = out;
    }
  }
}

TBlurKernel MakeBlurKernel(double radius) {
  TBlurKernel k;
  // Without a radius every coefficient but the middle one is exp(-infinity) and the middle
  // one 0/0: the glow keeps the mask as it is.
  if (!(radius > 0)) {
    k.Weights = {1.0f};
    return k;
  }
  float w[33];
  float sum = 0;
  for (int i = -16; i <= 16; ++i) {
    const double q = i / radius;
    w[i + 16] = static_cast<float>(rtl::Round(std::exp(-q * q / 2)));
    sum += w[i + 16];
  }
  for (float& v : w) v /= sum;
  int j = 16;
  float t = 0;
  while (t < 1.0f / 510 && j > 1) {
    t += 2 * w[j + 16];
    --j;
  }
  k.HalfWidth = j;
  float part = 0;
  for (int i = -j; i <= j; ++i) part += w[i + 16];
  for (int i = -j; i <= j; ++i) k.Weights.push_back(w[i + 16] / part);
  return k;
}

namespace {

// Count values Step bytes apart from P convolved in place.
void Convolve(uint8_t* p, ptrdiff_t step, int count, const TBlurKernel& k, std::vector<uint8_t>& line) {
  line.assign(static_cast<size_t>(count), 0);
  for (int i = 0; i < count; ++i) line[static_cast<size_t>(i)] = p[i * step];
  for (int i = 0; i < count; ++i) {
    double s = 0;
    for (int t = -k.HalfWidth; t <= k.HalfWidth; ++t)
      s += k.Weights[static_cast<size_t>(t + k.HalfWidth)] * line[static_cast<size_t>(std::clamp(i + t, 0, count - 1))];
    p[i * step] = static_cast<uint8_t>(std::clamp<int64_t>(rtl::Round(s), 0, 255));
  }
}

}  // namespace

void BlurMask8(TBytePlane& plane, double radius) {
  if (plane.Row0 == nullptr || plane.Width <= 0 || plane.Height <= 0) return;
  const TBlurKernel k = MakeBlurKernel(radius);
  std::vector<uint8_t> line;
  for (int y = 0; y < plane.Height; ++y) Convolve(plane.Row(y), 1, plane.Width, k, line);
  for (int x = 0; x < plane.Width; ++x) Convolve(plane.Row0 + x, plane.Delta, plane.Height, k, line);
}

void ApplyGlowMask(TBitmap32& dst, const TacGlowMask& mask, TPoint at, TColor glowColor) {
  if (!dst.HasRows() || mask.Pixels.size() < static_cast<size_t>(mask.Width) * static_cast<size_t>(mask.Height)) return;
  const TPixel k = SwapRB(glowColor & 0x00FFFFFFu);
  for (int y = 0; y < mask.Height; ++y)
    for (int x = 0; x < mask.Width; ++x) {
      const uint32_t v = mask.Pixels[static_cast<size_t>(y) * static_cast<size_t>(mask.Width) + static_cast<size_t>(x)];
      if (v == 255 || !dst.Inside(at.X + x, at.Y + y)) continue;
      TPixel& p = dst.At(at.X + x, at.Y + y);
      const uint32_t c = 255 - v, a = ChA(p);
      p = MakePixel((c * ChB(k) + ChB(p) * v) >> 8, (c * ChG(k) + ChG(p) * v) >> 8, (c * ChR(k) + ChR(p) * v) >> 8,
                    a + (((255 - a) * c) >> 8));
    }
}

}  // namespace skin

#include "skin/graphics/acResample.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace skin {

float ResampleSupport(int filter) {
  static constexpr float supports[] = {0.51f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
  return filter >= 0 && filter <= 6 ? supports[filter] : 1.0f;
}

float ResampleFilter(int filter, float x) {
  const float ax = std::fabs(x);
  switch (filter) {
    case 0: return x > -0.5f && x <= 0.5f ? 1.0f : 0.0f;
    case 1: return ax < 1.0f ? 1.0f - ax : 0.0f;
    case 2: return ax < 1.0f ? ax * ax * (2.0f * ax - 3.0f) + 1.0f : 0.0f;
    case 3:
      if (ax < 0.5f) return 0.75f - ax * ax;
      if (ax < 1.5f) return 0.5f * (ax - 1.5f) * (ax - 1.5f);
      return 0.0f;
    case 4:
      if (ax < 1.0f) return ax * ax * (ax / 2.0f - 1.0f) + 2.0f / 3.0f;
      if (ax < 2.0f) return (2.0f - ax) * (2.0f - ax) * (2.0f - ax) / 6.0f;
      return 0.0f;
    case 5: {
      if (ax == 0.0f) return 1.0f;
      const float pi = 3.14159265358979f;
      return std::sin(pi * ax) * std::sin(ax) / (pi * ax * ax);
    }
    case 6:
      if (ax < 1.0f) return ax * ax * (7.0f / 6.0f * ax - 2.0f) + 8.0f / 9.0f;
      if (ax < 2.0f) return ax * ax * (-7.0f / 18.0f * ax + 2.0f) - 10.0f / 3.0f * ax + 16.0f / 9.0f;
      return 0.0f;
    default: return 0.0f;
  }
}

TResampleWeights BuildResampleWeights(int dstSize, int srcSize, ptrdiff_t step, int filter) {
  TResampleWeights list(static_cast<size_t>(std::max(dstSize, 0)));
  if (dstSize <= 0 || srcSize <= 0) return list;
  const float support = ResampleSupport(filter);
  const float scale = dstSize < srcSize ? static_cast<float>(dstSize) / static_cast<float>(srcSize) : 1.0f;
  const float width = support / scale;
  for (int i = dstSize - 1; i >= 0; --i) {
    const float h = static_cast<float>(srcSize) * static_cast<float>(i) / static_cast<float>(dstSize);
    auto& weights = list[static_cast<size_t>(i)];
    weights.reserve(static_cast<size_t>(2 * width + 1));
    const int hi = static_cast<int>(std::ceil(h + width)), lo = static_cast<int>(std::floor(h - width));
    for (int j = hi; j >= lo; --j) {
      const float x = std::fabs(h - static_cast<float>(j)) * scale;
      if (!(x < support)) continue;
      const float w = ResampleFilter(filter, x);
      if (w == 0.0f) continue;
      // Mirrored edges; a strong shrink reaches further than one mirror, so the index is
      // then held at the edge rather than read outside the source.
      int v = j;
      if (j < 0) {
        v = -j;
        if (v >= srcSize) v = j + 2 * srcSize - 1;
      } else if (j >= srcSize) {
        v = 2 * srcSize - 1 - j;
      }
      v = std::clamp(v, 0, srcSize - 1);
      weights.push_back({static_cast<ptrdiff_t>(v) * step, static_cast<int32_t>(std::nearbyint(w * scale * 65536.0f))});
    }
  }
  return list;
}

void ApplyResampleWeights(ptrdiff_t dstStep, uint8_t* dst, const uint8_t* src, const TResampleWeights& list, int count) {
  for (int i = 0; i < count && i < static_cast<int>(list.size()); ++i) {
    int64_t sum[4] = {0, 0, 0, 0};
    for (const TResampleWeight& w : list[static_cast<size_t>(i)]) {
      const uint8_t* p = src + w.Offset;
      for (int c = 0; c < 4; ++c) sum[c] += static_cast<int64_t>(w.Weight) * p[c];
    }
    uint8_t* d = dst + i * dstStep;
    for (int c = 0; c < 4; ++c)
      d[c] = sum[c] < 0 ? 0 : sum[c] <= 0xFF0000 ? static_cast<uint8_t>(sum[c] >> 16) : 255;
  }
}

void ResampleInto(const TBitmap32& src, TBitmap32& dst, int filter) {
  const int newWidth = dst.Width(), newHeight = dst.Height();
  if (newWidth <= 0 || newHeight <= 0 || src.Width() < 2 || src.Height() < 2 || !dst.HasRows()) return;
  if (newWidth == src.Width() && newHeight == src.Height()) {
    if (&dst != &src)
      for (int y = 0; y < newHeight; ++y) std::memcpy(dst.Row(y), src.Row(y), static_cast<size_t>(newWidth) * 4);
    return;
  }
  TBitmap32 temp(newWidth, src.Height());
  const TResampleWeights horz = BuildResampleWeights(newWidth, src.Width(), 4, filter);
  for (int y = 0; y < src.Height(); ++y)
    ApplyResampleWeights(4, reinterpret_cast<uint8_t*>(temp.Row(y)), reinterpret_cast<const uint8_t*>(src.Row(y)),
                         horz, newWidth);
  const TResampleWeights vert = BuildResampleWeights(newHeight, src.Height(), temp.Delta(), filter);
  for (int x = 0; x < newWidth; ++x)
    ApplyResampleWeights(dst.Delta(), reinterpret_cast<uint8_t*>(dst.Row(0) + x),
                         reinterpret_cast<const uint8_t*>(temp.Row(0) + x), vert, newHeight);
}

void ResampleBitmap(const TBitmap32& src, TBitmap32& dst, int newWidth, int newHeight, int filter) {
  if (newWidth <= 0 || newHeight <= 0 || src.Width() < 2 || src.Height() < 2) return;
  if (&dst == &src && newWidth == src.Width() && newHeight == src.Height()) return;
  TBitmap32 out(newWidth, newHeight, src.Delta() < 0);
  ResampleInto(src, out, filter);
  dst = std::move(out);
}

}  // namespace skin

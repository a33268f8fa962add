#include "skin/graphics/acGlyphPixels.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace skin {

int32_t RoundEven(double v) {
  const double r = std::nearbyint(v);
  if (!(r > double(INT32_MIN) && r < double(INT32_MAX))) return r > 0 ? INT32_MAX : INT32_MIN;
  return int32_t(r);
}

int CharItemWidth(int ppi, int storedWidth, double scalingFactor) {
  return int(int64_t(ppi) * RoundEven(storedWidth * scalingFactor) / 96);
}

int CharItemHeight(int ppi, int storedHeight, double scalingFactor, int offsetY) {
  return int(int64_t(ppi) * RoundEven(scalingFactor * (storedHeight + std::abs(offsetY))) / 96);
}

void CoverageToAlpha(TBitmap32& bmp, TPixel c1, bool hasC2, TPixel c2, uint8_t blend) {
  if (!bmp.HasRows()) return;
  const int h = bmp.Height();
  double ch[3] = {double(ChB(c1)), double(ChG(c1)), double(ChR(c1))};
  double step[3] = {0, 0, 0};
  if (hasC2 && h > 1)
    for (int i = 0; i < 3; ++i) step[i] = (double(Channel(c2, i)) - double(Channel(c1, i))) / (h - 1);
  for (int y = 0; y < h; ++y) {
    const TPixel rgb =
        hasC2 ? MakePixel(uint32_t(RoundEven(ch[0])), uint32_t(RoundEven(ch[1])), uint32_t(RoundEven(ch[2])), 0)
              : (c1 & 0xFFFFFFu);
    TPixel* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x) {
      uint32_t l = Coverage(row[x]);
      if (blend != 255) l = (l * blend) >> 8;
      if (hasC2 && Coverage(row[x]) == 0)
        row[x] = 0;
      else
        row[x] = (rgb & 0xFFFFFFu) | (l << 24);
    }
    if (hasC2)
      for (int i = 0; i < 3; ++i) ch[i] += step[i];
  }
}

void StampAddedGlyph(TBitmap32& dst, const TBitmap32& glyph, const TBitmap32& halo, int x, int y, int m, TPixel a,
                     uint8_t blend) {
  const int cx = glyph.Width(), cy = glyph.Height();
  for (int j = 0; j < halo.Height(); ++j) {
    const int ty = y + j - m;
    if (ty >= dst.Height()) break;
    if (ty < 0) continue;
    for (int i = 0; i < halo.Width(); ++i) {
      const int tx = x + i - m;
      if (tx < 0 || tx >= dst.Width()) continue;
      uint32_t k = 0;
      if (i >= m && i < m + cx && j >= m && j < m + cy) {
        k = Coverage(glyph.At(i - m, j - m));
        if (blend != 255) k = (k * blend) >> 8;
      }
      TPixel& p = dst.At(tx, ty);
      if (k != 0) {
        const int r = ChR(p), g = ChG(p), b = ChB(p);
        const int nr = (int(k) * (ChR(a) - r) + r * 256) >> 8;
        const int ng = (int(k) * (ChG(a) - g) + g * 256) >> 8;
        const int nb = b - ((int(k) * (b - ChB(a)) + 255) >> 8);
        p = MakePixel(uint32_t(nb), uint32_t(ng), uint32_t(nr), k);
      } else {
        const int cut = std::max(0, 6 * ChB(halo.At(i, j)) - 1275);
        p = (p & 0xFFFFFFu) | (uint32_t(std::min<int>(ChA(p), cut)) << 24);
      }
    }
  }
}

TacListImagePart ListImagePart(int x, int y, int width, int height, int state, int numGlyphs) {
  const int n = std::max(1, numGlyphs);
  const int cw = width / n;
  const int s = state < n ? state : n - 1;
  return {{x, y, x + cw, y + height}, {cw * s, 0, cw * s + cw, height}, {cw, height}};
}

int StdGlyphsOrderState(int state, bool enabled, int numGlyphs) {
  if (state == 0) return enabled ? 0 : 1;
  if (state == 1) return 0;
  return numGlyphs < 3 ? 0 : state;
}

}  // namespace skin

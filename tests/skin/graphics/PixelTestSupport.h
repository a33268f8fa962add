// Small fixtures for the pixel tests: bitmaps filled from lists of pixels, read back as
// lists, in both row orders.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "skin/graphics/acBitmap32.h"

namespace skin::test {

// Rows top to bottom; every row as wide as the first.
inline TBitmap32 Pixels(std::initializer_list<std::initializer_list<TPixel>> rows, bool bottomUp = false) {
  const int h = static_cast<int>(rows.size());
  const int w = h ? static_cast<int>(rows.begin()->size()) : 0;
  TBitmap32 b(w, h, bottomUp);
  int y = 0;
  for (const auto& row : rows) {
    int x = 0;
    for (TPixel p : row) b.At(x++, y) = p;
    ++y;
  }
  return b;
}

inline TBitmap32 Filled(int w, int h, TPixel p, bool bottomUp = false) {
  TBitmap32 b(w, h, bottomUp);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.At(x, y) = p;
  return b;
}

inline std::vector<std::vector<TPixel>> Rows(const TBitmap32& b) {
  std::vector<std::vector<TPixel>> out;
  for (int y = 0; y < b.Height(); ++y) out.emplace_back(b.Row(y), b.Row(y) + b.Width());
  return out;
}

// How many pixels differ from P.
inline int CountNot(const TBitmap32& b, TPixel p) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.At(x, y) != p;
  return n;
}

}  // namespace skin::test

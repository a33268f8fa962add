// Engine bitmaps (class-layer DIB sections) for the Windows tests of the graphics adapters.
#pragma once
#include <memory>

#include "skin/graphics/acGdiBitmap.h"

namespace skin::test {

inline std::unique_ptr<gui::TBitmap> FilledBitmap(int w, int h, TPixel p) {
  auto b = CreateBitmap32(w, h);
  TBitmap32 px = Pixels32(*b);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px.At(x, y) = p;
  return b;
}

}  // namespace skin::test

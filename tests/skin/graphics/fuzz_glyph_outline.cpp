// Feeds arbitrary bytes to the glyph-outline walker as a system outline buffer, then fits
// and places what it made: no input may loop for ever or read outside the buffer.
#include <cstdint>
#include <vector>

#include "skin/graphics/acGlyphOutline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly the input's size, so that a read past it is caught.
  std::vector<uint8_t> buffer(data, data + size);
  const skin::TacStrokeCollection s = skin::WalkGlyphOutline(buffer.data(), buffer.size());
  for (int n = -1; n <= s.ContourCount(); ++n) (void)s.StrokeCount(n);
  const gui::TPoint size32 = skin::FitOutlineSize(s.Bounds(), 32, 32, 32, false);
  (void)skin::PlaceOutline(s, {0, 0, 32, 32}, size32);
  return 0;
}

// Feeds arbitrary text to the gradient-string parser and paints what it accepts, plainly
// and textured, in every direction into a small bitmap: every input must end in stops or in
// a conversion or range error, without touching memory it does not own.
#include <cstdint>
#include <string_view>

#include "rtl/SysUtils.h"
#include "skin/graphics/acGradient.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  skin::TsGradArray g;
  try {
    skin::ParseGradientString(std::string_view(reinterpret_cast<const char*>(data), size), g);
  } catch (const rtl::Exception&) {
    return 0;
  }
  if (g.size() > 64) return 0;
  skin::TBitmap32 bmp(9, 7, true), tex(4, 3);
  skin::PaintGradient(bmp, {-2, 1, 12, 6}, g);
  skin::PaintTexturedGradient(bmp, {1, -1, 8, 9}, g, tex, {}, 128, 255);
  return 0;
}

// Feeds arbitrary bytes to the PNG reader: every input must end in a picture or in one of
// the reader's exceptions, without touching memory it does not own.
#include <cstdint>
#include <vector>

#include "rtl/Classes.h"
#include "skin/graphics/acPNGReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Keep single inputs small enough that the fuzzer spends its time on variety.
  skin::TPNGReader::MaxPixels = 1u << 20;
  rtl::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
  skin::TColorManager cm;
  skin::TPNGImage image;
  skin::TPNGReader reader(cm);
  try {
    reader.Load(stream, image);
  } catch (const rtl::Exception&) {
    return 0;
  }
  if (!image.Empty()) {
    std::vector<uint8_t> rows(static_cast<size_t>(image.Width()) * image.Height() * 4);
    const ptrdiff_t delta = static_cast<ptrdiff_t>(image.Width()) * 4;
    skin::PngToAlphaBGRA32(image, cm, true, rows.data() + (image.Height() - 1) * delta, -delta);
  }
  return 0;
}

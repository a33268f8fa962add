// libFuzzer over the packed skin reader and the preview lookup: any bytes as a packed file.
#include <cstddef>
#include <cstdint>

#include "skin/core/acSkinPack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  skin::TacSkinConvertor c;
  c.SourceStream.assign(data, data + size);
  if (skin::UnpackSkinStream(c) && c.OptionsStream) (void)c.OptionsStream->size();
  (void)skin::ExtractPreviewImage(c.SourceStream);
  return 0;
}

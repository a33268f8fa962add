// libFuzzer over the reader of streamed byte properties: any bytes as a property stream,
// read into an object that declares two byte properties.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rtl/Classes.h"

namespace {
class TTwoBlocks : public rtl::TPersistent {
 public:
  rtl::TMemoryStream A, B;
  void DefineProperties(rtl::TFiler& filer) override {
    filer.DefineBinaryProperty("ImgData", [this](rtl::TStream& s) { A.LoadFromStream(s); }, nullptr, true);
    filer.DefineBinaryProperty("FontData", [this](rtl::TStream& s) { B.LoadFromStream(s); }, nullptr, true);
  }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  rtl::TMemoryStream in(std::vector<uint8_t>(data, data + size));
  TTwoBlocks object;
  try {
    rtl::ReadBinaryProperties(object, in);
  } catch (const rtl::EReadError&) {
  }
  return 0;
}

// libFuzzer over the element-value converter and the canonical reader: any text as a value.
#include <cstddef>
#include <cstdint>
#include <string>

#include "rtl/SysUtils.h"
#include "skin/core/acSkinElements.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string value(reinterpret_cast<const char*>(data), size);
  try {
    std::string canonical = skin::ConvertElementValue(value);
    (void)skin::ReadElementValue(canonical);
  } catch (const rtl::EConvertError&) {
    // values that do not convert are refused this way
  }
  return 0;
}

// libFuzzer over the in-memory INI reader: any bytes as options text, then reads of the
// first section's keys as strings and integers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/core/sCommonUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  skin::TIniSections sections;
  skin::ParseIniLines(skin::SplitLines(text), sections);
  for (const auto& sec : sections) {
    for (const auto& line : sec.Lines) {
      std::string key = line.substr(0, line.find('='));
      (void)skin::IniListReadString(sections, sec.Name, key, "");
      (void)skin::IniListReadInteger(sections, sec.Name, key, 0);
    }
  }
  (void)skin::ParseHex(text);
  (void)skin::NthWord(3, text, ",;");
  (void)skin::NormalizeDirPath(text);
  return 0;
}

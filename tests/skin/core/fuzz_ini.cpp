// libFuzzer over the in-memory INI reader: any bytes as options text, then reads of the
// sections' keys as strings and integers, by the engine's exact reader and by the
// class layer's INI store.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rtl/IniFiles.h"
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
  rtl::TMemIniFile store(size % 2 == 0);
  store.SetText(text);
  for (const std::string& name : store.ReadSections())
    for (const std::string& key : store.ReadSection(name)) (void)store.ReadInteger(name, key, 0);
  (void)skin::ParseHex(text);
  (void)skin::NthWord(3, text, ",;");
  (void)skin::NormalizeDirPath(text);
  return 0;
}

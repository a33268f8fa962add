// An INI store held in memory and fed from text: sections and keys in file order.
//
// Rules: each line is trimmed; empty lines and lines starting with ";" are skipped; a
// line "[name]" starts a section (a name seen before continues that section); any other
// line inside a section is "key=value", split at the first "=", key and value trimmed (a
// line without "=" is a key with an empty value); lines before the first section are
// dropped. With several equal keys the first one wins. Section and key names match
// case-sensitively when CaseSensitive is set, else ignoring ASCII case.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

class TMemIniFile {
 public:
  explicit TMemIniFile(bool caseSensitive = false) : CaseSensitive(caseSensitive) {}
  bool CaseSensitive;

  void SetStrings(const std::vector<std::string>& lines);
  void SetText(std::string_view text);
  void Clear() { sections_.clear(); }

  std::string ReadString(std::string_view section, std::string_view ident, std::string_view def) const;
  // Decimal with an optional sign, "$" or "0x" hexadecimal (a 32-bit pattern); def for
  // anything else.
  int32_t ReadInteger(std::string_view section, std::string_view ident, int32_t def) const;
  std::vector<std::string> ReadSections() const;
  // The keys of a section in file order.
  std::vector<std::string> ReadSection(std::string_view section) const;
  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view ident) const;

 private:
  struct Entry {
    std::string Key, Value;
  };
  struct Section {
    std::string Name;
    std::vector<Entry> Entries;
  };
  bool Same(std::string_view a, std::string_view b) const;
  const Section* Find(std::string_view section) const;
  const Entry* FindEntry(std::string_view section, std::string_view ident) const;
  std::vector<Section> sections_;
};

}  // namespace rtl

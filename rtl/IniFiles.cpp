#include "rtl/IniFiles.h"

#include "rtl/SysUtils.h"

namespace rtl {

void TMemIniFile::SetText(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\n' && text[i] != '\r') continue;
    lines.emplace_back(text.substr(start, i - start));
    start = i + 1;
  }
  SetStrings(lines);
}

void TMemIniFile::SetStrings(const std::vector<std::string>& lines) {
  sections_.clear();
  Section* current = nullptr;
  for (const std::string& raw : lines) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string name = Trim(std::string_view(line).substr(1, line.size() - 2));
      current = const_cast<Section*>(Find(name));
      if (!current) {
        sections_.push_back({name, {}});
        current = &sections_.back();
      }
      continue;
    }
    if (!current) continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) current->Entries.push_back({line, ""});
    else current->Entries.push_back({Trim(std::string_view(line).substr(0, eq)), Trim(std::string_view(line).substr(eq + 1))});
  }
}

bool TMemIniFile::Same(std::string_view a, std::string_view b) const { return CaseSensitive ? a == b : SameText(a, b); }

const TMemIniFile::Section* TMemIniFile::Find(std::string_view section) const {
  for (const Section& s : sections_)
    if (Same(s.Name, section)) return &s;
  return nullptr;
}

const TMemIniFile::Entry* TMemIniFile::FindEntry(std::string_view section, std::string_view ident) const {
  const Section* s = Find(section);
  if (!s) return nullptr;
  for (const Entry& e : s->Entries)
    if (Same(e.Key, ident)) return &e;
  return nullptr;
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view def) const {
  const Entry* e = FindEntry(section, ident);
  return e ? e->Value : std::string(def);
}

int32_t TMemIniFile::ReadInteger(std::string_view section, std::string_view ident, int32_t def) const {
  const Entry* e = FindEntry(section, ident);
  return e ? StrToInt32HexDef(e->Value, def) : def;
}

std::vector<std::string> TMemIniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.Name);
  return names;
}

std::vector<std::string> TMemIniFile::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* s = Find(section))
    for (const Entry& e : s->Entries) keys.push_back(e.Key);
  return keys;
}

bool TMemIniFile::SectionExists(std::string_view section) const { return Find(section) != nullptr; }

bool TMemIniFile::ValueExists(std::string_view section, std::string_view ident) const {
  return FindEntry(section, ident) != nullptr;
}

}  // namespace rtl

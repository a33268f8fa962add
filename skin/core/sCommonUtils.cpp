#include "skin/core/sCommonUtils.h"

#include <algorithm>

#include "rtl/SysUtils.h"
#include "rtl/TypInfo.h"

namespace skin {

namespace {
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsDelim(char c, std::string_view delims) { return delims.find(c) != std::string_view::npos; }
}  // namespace

void ParseIniLines(const std::vector<std::string>& lines, TIniSections& sections) {
  sections.clear();
  TIniSection* current = nullptr;
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      sections.push_back({line.substr(1, line.size() - 2), {}});
      current = &sections.back();
      continue;
    }
    if (current) current->Lines.push_back(line);
  }
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    out.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) out.emplace_back(text.substr(start));
  return out;
}

std::string IniListReadString(const TIniSections& sections, std::string_view section, std::string_view ident,
                              std::string_view def) {
  auto sec = std::find_if(sections.begin(), sections.end(),
                          [&](const TIniSection& s) { return rtl::SameText(s.Name, section); });
  if (sec == sections.end()) return std::string(def);
  for (const std::string& line : sec->Lines) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (rtl::SameText(std::string_view(line).substr(0, eq), ident)) return line.substr(eq + 1);
  }
  return std::string(def);
}

int32_t IniStrToIntDef(std::string_view text, int32_t def) { return rtl::StrToInt32HexDef(text, def); }

int32_t IniListReadInteger(const TIniSections& sections, std::string_view section, std::string_view ident,
                           int32_t def) {
  return IniStrToIntDef(IniListReadString(sections, section, ident, ""), def);
}

uint64_t ParseHex(std::string_view s) {
  if (s.empty()) return 0;
  if (Upper(s.back()) == 'H') s.remove_suffix(1);
  uint64_t v = 0;
  for (char c : s) {
    c = Upper(c);
    unsigned d;
    if (c >= '0' && c <= '9') d = static_cast<unsigned>(c - '0');
    else if (c >= 'A' && c <= 'F') d = static_cast<unsigned>(c - 'A' + 10);
    else return 0;
    v = (v << 4) + d;
  }
  return v;
}

int32_t ScaleByPPI(int32_t value, int32_t ppi) {
  return static_cast<int32_t>(static_cast<int64_t>(value) * ppi / 96);
}

int32_t ScaleByStep(int32_t value, int step) {
  switch (step) {
    case 1: return value + value / 4;
    case 2: return value + value / 2;
    case 3: return value * 2;
    default: return value;
  }
}

int ScaleStepOfPPI(int32_t ppi) {
  if (ppi <= 110) return 0;
  if (ppi <= 134) return 1;
  if (ppi <= 170) return 2;
  return 3;
}

bool IsBetween(int32_t value, int32_t low, int32_t high, bool anyOrder) {
  if (anyOrder && low >= high) return high <= value && value <= low;
  return low <= value && value <= high;
}

int32_t ClampInt(int32_t value, int32_t min, int32_t max) {
  if (value < min) return min;
  if (value > max) return max;
  return value;
}

bool IndexInRange(int32_t index, int32_t count, int32_t low) { return low <= index && index < count; }

int32_t RectWidth(const TacRect& r, bool nonNegative) {
  int32_t w = r.Right - r.Left;
  return nonNegative && w < 0 ? 0 : w;
}

int32_t RectHeight(const TacRect& r, bool nonNegative) {
  int32_t h = r.Bottom - r.Top;
  return nonNegative && h < 0 ? 0 : h;
}

bool RectsOverlap(const TacRect& a, const TacRect& b) {
  if (b.Right <= b.Left || b.Bottom <= b.Top) return false;
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool RectInArea(const TacRect& area, const TacRect& r, bool entirely) {
  auto inside = [&](int32_t x, int32_t y) {
    return area.Left <= x && x <= area.Right && area.Top <= y && y <= area.Bottom;
  };
  if (entirely) return inside(r.Left, r.Top) && inside(r.Right, r.Bottom);
  return r.Left <= area.Right && area.Left <= r.Right && r.Top <= area.Bottom && area.Top <= r.Bottom;
}

TacRect IntersectRects(const TacRect& a, const TacRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

TacRect MirrorRect(const TacRect& r, int32_t width, int32_t height, bool horizontal) {
  if (horizontal) return {width - r.Right, r.Top, width - r.Left, r.Bottom};
  return {r.Left, height - r.Bottom, r.Right, height - r.Top};
}

TacRect MirrorRectIn(const TacRect& r, const TacRect& area, bool horizontal) {
  if (horizontal) return {area.Left + area.Right - r.Right, r.Top, area.Right + area.Left - r.Left, r.Bottom};
  return {r.Left, area.Top + area.Bottom - r.Bottom, r.Right, area.Bottom + area.Top - r.Top};
}

TacRect MoveRect(const TacRect& r, int32_t dx, int32_t dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

size_t NthWordPos(int n, std::string_view s, std::string_view delims) {
  int count = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsDelim(s[i], delims)) continue;
    if (i == 0 || IsDelim(s[i - 1], delims)) {
      if (++count == n) return i + 1;
    }
  }
  return 0;
}

std::string NthWord(int n, std::string_view s, std::string_view delims) {
  size_t pos = NthWordPos(n, s, delims);
  if (pos == 0) return {};
  size_t end = pos - 1;
  while (end < s.size() && !IsDelim(s[end], delims)) ++end;
  return std::string(s.substr(pos - 1, end - (pos - 1)));
}

int CountWords(std::string_view s, std::string_view delims) {
  int count = 0;
  for (size_t i = 0; i < s.size(); ++i)
    if (!IsDelim(s[i], delims) && (i == 0 || IsDelim(s[i - 1], delims))) ++count;
  return count;
}

std::string RepeatChar(char ch, int count) { return count <= 0 ? std::string() : std::string(static_cast<size_t>(count), ch); }

std::string PadLeftWith(char ch, std::string_view s, int width) {
  const int missing = width - static_cast<int>(s.size());
  return RepeatChar(ch, missing) + std::string(s);
}

std::string RemoveChars(std::string_view s, char ch) {
  std::string out;
  for (char c : s)
    if (c != ch) out += c;
  return out;
}

std::string ReplaceAll(std::string_view s, std::string_view pattern, std::string_view replacement) {
  if (pattern.empty()) return std::string(s);
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    size_t hit = s.find(pattern, i);
    if (hit == std::string_view::npos) break;
    out.append(s.substr(i, hit - i)).append(replacement);
    i = hit + pattern.size();
  }
  out.append(s.substr(std::min(i, s.size())));
  return out;
}

std::string NormalizeDirPath(std::string_view path) {
  if (path.empty()) return {};
  if (path.back() == '\\') return std::string(path);
  if (path.back() == '/') return std::string(path.substr(0, path.size() - 1)) + "\\";
  if (path.size() == 1) return std::string(path) + ":\\";
  return std::string(path) + "\\";
}

uint32_t MessageBoxStyle(int kind, unsigned buttons) {
  // The system's own numbers (MB_...), so this stays Win32-free.
  uint32_t style = 0;
  switch (kind) {
    case mkWarning: style = 0x30; break;
    case mkError: style = 0x10; break;
    case mkInformation: style = 0x40; break;
    case mkConfirmation: style = 0x20; break;
    default: break;
  }
  if (buttons & mbtOK) style |= (buttons & mbtCancel) ? 0x1u : 0x0u;                 // OKCANCEL / OK
  else if (buttons & (mbtAbort | mbtIgnore)) style |= 0x2u;                            // ABORTRETRYIGNORE
  else if (buttons & (mbtYes | mbtNo)) style |= (buttons & mbtCancel) ? 0x3u : 0x4u;  // YESNOCANCEL / YESNO
  else if (buttons & mbtRetry) style |= 0x5u;                                          // RETRYCANCEL
  if (buttons & mbtHelp) style |= 0x4000u;
  return style;
}

const char* DefaultMessageCaption(int kind) {
  switch (kind) {
    case mkWarning: return "Warning";
    case mkError: return "Error";
    case mkInformation: return "Information";
    case mkConfirmation: return "Confirm";
    default: return "";
  }
}

bool HasVersionSwitch(const std::vector<std::string>& params) {
  for (const std::string& p : params)
    if (rtl::LowerCase(p) == "/acver") return true;
  return false;
}

bool HasProp(rtl::TObject* obj, std::string_view name) { return rtl::FindProperty(obj, name) != nullptr; }

rtl::TObject* ReadObjectProp(rtl::TObject* obj, std::string_view name) {
  const rtl::TPropInfo* p = rtl::FindProperty(obj, name);
  return p && p->Kind == rtl::TPropKind::pkObject ? p->GetObject(obj) : nullptr;
}

int64_t ReadOrdProp(rtl::TObject* obj, std::string_view name) {
  const rtl::TPropInfo* p = rtl::FindProperty(obj, name);
  return p && p->Kind != rtl::TPropKind::pkObject ? p->GetOrd(obj) : -1;
}

void WriteOrdProp(rtl::TObject* obj, std::string_view name, int64_t value) {
  const rtl::TPropInfo* p = rtl::FindProperty(obj, name);
  if (p && p->Kind != rtl::TPropKind::pkObject && p->SetOrd) p->SetOrd(obj, value);
}

bool SetPropContains(rtl::TObject* obj, std::string_view name, std::string_view element) {
  const rtl::TPropInfo* p = rtl::FindProperty(obj, name);
  if (!p || p->Kind != rtl::TPropKind::pkSet) return false;
  const int64_t value = p->GetOrd(obj);
  for (size_t i = 0; i < p->SetMembers.size() && i < 32; ++i)
    if ((value & (int64_t{1} << i)) && p->SetMembers[i] == element) return true;
  return false;
}

std::string ChangeSetText(const std::string& text, std::string_view element, bool include) {
  // Whole member names only: a name that merely contains the element ("goEditingX" for
  // "goEditing") is another member, and cutting the element out of it would corrupt the
  // text.
  std::vector<std::string> items;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i)
    if (i == text.size() || text[i] == ',') {
      items.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  auto at = std::find(items.begin(), items.end(), element);
  if (include) return at == items.end() ? text + "," + std::string(element) : text;
  if (at == items.end()) return text;
  items.erase(at);
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
  return out;
}

void ChangeSetProp(rtl::TObject* obj, std::string_view name, std::string_view element, bool include) {
  const rtl::TPropInfo* p = rtl::FindProperty(obj, name);
  if (!p || p->Kind != rtl::TPropKind::pkSet || !p->SetOrd) return;
  const std::string text = rtl::SetToString(*p, p->GetOrd(obj));
  const std::string changed = ChangeSetText(text, element, include);
  if (changed != text) p->SetOrd(obj, rtl::StringToSet(*p, changed));
}

// ---------------------------------------------------------------- command records
namespace {
// Records being sent, innermost last; sends nest, so this stays a short stack.
thread_local std::vector<const void*> heldRecords;
}  // namespace

TacCommandRecord::TacCommandRecord(const void* record) : record_(record) { heldRecords.push_back(record); }

TacCommandRecord::~TacCommandRecord() {
  auto it = std::find(heldRecords.rbegin(), heldRecords.rend(), record_);
  if (it != heldRecords.rend()) heldRecords.erase(std::next(it).base());
}

bool IsCommandRecord(const void* address) {
  return address && std::find(heldRecords.begin(), heldRecords.end(), address) != heldRecords.end();
}

}  // namespace skin

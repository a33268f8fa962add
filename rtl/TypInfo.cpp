#include "rtl/TypInfo.h"

#include "rtl/SysUtils.h"

namespace rtl {

namespace {
std::vector<TPropInfo>& Registry() {
  static std::vector<TPropInfo> props;
  return props;
}
}  // namespace

void RegisterProperty(TPropInfo info) { Registry().push_back(std::move(info)); }

const TPropInfo* FindProperty(const TObject* obj, std::string_view name) {
  if (!obj) return nullptr;
  // The newest registration first: a descendant's own property hides its base's.
  auto& r = Registry();
  for (auto it = r.rbegin(); it != r.rend(); ++it)
    if (SameText(it->Name, name) && it->AppliesTo(obj)) return &*it;
  return nullptr;
}

std::string SetToString(const TPropInfo& prop, int64_t value) {
  std::string text;
  for (size_t i = 0; i < prop.SetMembers.size() && i < 32; ++i) {
    if (!(value & (int64_t{1} << i))) continue;
    if (!text.empty()) text += ',';
    text += prop.SetMembers[i];
  }
  return text;
}

int64_t StringToSet(const TPropInfo& prop, std::string_view text) {
  int64_t value = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string item = Trim(text.substr(start, end - start));
    if (!item.empty()) {
      size_t i = 0;
      while (i < prop.SetMembers.size() && prop.SetMembers[i] != item) ++i;
      if (i == prop.SetMembers.size() || i >= 32)
        throw EConvertError(Format("Invalid property element: %s", item.c_str()));
      value |= int64_t{1} << i;
    }
    start = end + 1;
  }
  return value;
}

}  // namespace rtl

// Resources of a module read as streams.
#pragma once
#include <windows.h>

#include <string>

#include "rtl/Classes.h"
#include "rtl/Utf.h"

namespace gui {

// A copy of a resource's bytes; raises "Resource <name> not found" when the module has no
// resource of that name and type (names are case-insensitive).
class TResourceStream : public rtl::TMemoryStream {
  KORVAN_CLASS(TResourceStream)
 public:
  TResourceStream(HMODULE module, const std::string& name, LPCWSTR type)
      : rtl::TMemoryStream(Load(module, name, type)) {}

 private:
  static std::vector<uint8_t> Load(HMODULE module, const std::string& name, LPCWSTR type) {
    HRSRC r = FindResourceW(module, rtl::W(name).c_str(), type);
    HGLOBAL g = r ? LoadResource(module, r) : nullptr;
    const auto* p = g ? static_cast<const uint8_t*>(LockResource(g)) : nullptr;
    if (!p) throw rtl::Exception(rtl::Format("Resource %s not found", name.c_str()));
    return std::vector<uint8_t>(p, p + SizeofResource(module, r));
  }
};

}  // namespace gui

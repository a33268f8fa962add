#include "skin/core/acSysColors.h"

#include <array>
#include <cstring>
#include <map>

#include "gui/Forms.h"
#include "skin/core/acSysColorMap.h"
#include "skin/core/sSkinManager.h"

namespace skin {

namespace {

struct TImportPatch {
  const char* Module;
  const char* Name;
  void* Replacement;
  void** Entry = nullptr;  // the import table entry while redirected
  void* Original = nullptr;
};

std::array<TImportPatch, 3> g_patches{{
    {"user32.dll", "GetSysColor", reinterpret_cast<void*>(&SkinGetSysColor)},
    {"user32.dll", "GetSysColorBrush", reinterpret_cast<void*>(&SkinGetSysColorBrush)},
    {"gdi32.dll", "CreatePen", reinterpret_cast<void*>(&SkinCreatePen)},
}};
enum { kGetSysColor, kGetSysColorBrush, kCreatePen };

// One brush a colour, kept until the colours are switched off (the system's own brushes
// are never freed by their callers either).
std::map<COLORREF, HBRUSH>& Brushes() {
  static std::map<COLORREF, HBRUSH> brushes;
  return brushes;
}

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

// The import table entry of module!name in this program module; nullptr when it imports
// no such function.
void** FindImportEntry(const char* module, const char* name) {
  auto* base = reinterpret_cast<uint8_t*>(ThisModule());
  if (!base) return nullptr;
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!dir.VirtualAddress) return nullptr;
  FARPROC target = GetProcAddress(GetModuleHandleA(module), name);
  for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name; ++desc) {
    if (_stricmp(reinterpret_cast<const char*>(base + desc->Name), module) != 0) continue;
    auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
    auto* names = desc->OriginalFirstThunk ? reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk)
                                           : nullptr;
    for (size_t i = 0; entries[i].u1.Function; ++i) {
      bool match = target && reinterpret_cast<FARPROC>(entries[i].u1.Function) == target;
      if (!match && names && !IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) {
        auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
        match = std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0;
      }
      if (match) return reinterpret_cast<void**>(&entries[i].u1.Function);
    }
  }
  return nullptr;
}

bool WriteEntry(void** entry, void* value) {
  DWORD old = 0;
  if (!VirtualProtect(entry, sizeof(void*), PAGE_READWRITE, &old)) return false;
  InterlockedExchangePointer(entry, value);
  VirtualProtect(entry, sizeof(void*), old, &old);
  return true;
}

// The system's function: through the saved entry while redirected, else straight.
template <class F>
F System(int which, F direct) {
  void* original = g_patches[size_t(which)].Original;
  return original ? reinterpret_cast<F>(original) : direct;
}

// A skin counts while the default manager has one loaded and a form of the program is
// active on screen; dialogs of other programs are not ours to colour.
TsSkinManager* ColoringManager() {
  TsSkinManager* m = DefaultManager();
  if (!m || !m->IsSkinLoaded()) return nullptr;
  return m;
}

bool ActiveFormShown() {
  gui::TCustomForm* f = gui::Screen ? gui::Screen->ActiveForm() : nullptr;
  return f && f->HandleAllocated() && IsWindowVisible(f->Handle());
}

}  // namespace

DWORD WINAPI SkinGetSysColor(int index) {
  if (TsSkinManager* m = ColoringManager(); m && ActiveFormShown())
    if (auto c = SkinSysColor(index, m->Palette(), m->CommonInfo().InactiveBorderColor)) return *c & 0xFFFFFF;
  return System(kGetSysColor, &::GetSysColor)(index);
}

HBRUSH WINAPI SkinGetSysColorBrush(int index) {
  if (TsSkinManager* m = ColoringManager()) {
    if (index == COLOR_WINDOW && m->PaletteBrush(5)) return m->PaletteBrush(5);
    if (auto c = SkinSysBrushColor(index, m->Palette())) {
      const COLORREF color = *c & 0xFFFFFF;
      HBRUSH& brush = Brushes()[color];
      if (!brush) brush = CreateSolidBrush(color);
      return brush;
    }
  }
  return System(kGetSysColorBrush, &::GetSysColorBrush)(index);
}

HPEN WINAPI SkinCreatePen(int style, int width, COLORREF color) {
  if (TsSkinManager* m = ColoringManager())
    color = SkinPenColor(color, m->Palette(), m->CommonInfo().InactiveBorderColor) & 0xFFFFFF;
  return System(kCreatePen, &::CreatePen)(style, width, color);
}

void SwitchSysColorDetours(bool on) {
  for (TImportPatch& p : g_patches) {
    if (on && !p.Entry) {
      void** entry = FindImportEntry(p.Module, p.Name);
      if (!entry) continue;
      void* original = *entry;
      p.Original = original;
      if (WriteEntry(entry, p.Replacement)) {
        p.Entry = entry;
      } else {
        p.Original = nullptr;
      }
    } else if (!on && p.Entry) {
      WriteEntry(p.Entry, p.Original);
      p.Entry = nullptr;
      p.Original = nullptr;
    }
  }
  if (!on) {
    for (auto& [color, brush] : Brushes()) DeleteObject(brush);
    Brushes().clear();
  }
}

int SysColorDetoursInstalled() {
  int n = 0;
  for (const TImportPatch& p : g_patches) n += p.Entry != nullptr;
  return n;
}

}  // namespace skin

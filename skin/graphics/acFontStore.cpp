#include "skin/graphics/acFontStore.h"

#include "gui/Resources.h"

namespace skin {

void InstallEmbeddedFont(TacEmbeddedFont& item) {
  if (item.FontData.Size() == 0) {
    item.Handle = nullptr;
    return;
  }
  DWORD fonts = 1;
  item.Handle = AddFontMemResourceEx(item.FontData.Memory(), static_cast<DWORD>(item.FontData.Size()), nullptr,
                                     &fonts);
}

void UninstallEmbeddedFont(TacEmbeddedFont& item) {
  if (item.Handle) RemoveFontMemResourceEx(item.Handle);
  item.Handle = nullptr;
}

TacEmbeddedFont::~TacEmbeddedFont() { UninstallEmbeddedFont(*this); }

void TacEmbeddedFont::Assign(const rtl::TPersistent* source) {
  auto* s = dynamic_cast<const TacEmbeddedFont*>(source);
  if (!s) return rtl::TCollectionItem::Assign(source);
  if (s == this) return;
  FileName = s->FileName;
  FontName = s->FontName;
  if (!s->FontData.Bytes().empty()) s->FontData.SaveToStream(FontData);
}

void TacEmbeddedFont::DefineProperties(rtl::TFiler& filer) {
  rtl::DefineStreamProperty(filer, "FontData", FontData);
}

namespace {
HANDLE g_iconFont = nullptr;
DWORD g_iconFontCount = 0;
}  // namespace

HANDLE IconFontHandle() { return g_iconFont; }

void InitIconFont() {
  if (g_iconFont) return;
  gui::TResourceStream font(GetModuleHandleW(nullptr), "AWFONT", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  g_iconFont = AddFontMemResourceEx(font.Memory(), static_cast<DWORD>(font.Size()), nullptr, &g_iconFontCount);
}

void DoneIconFont() {
  if (g_iconFont) RemoveFontMemResourceEx(g_iconFont);
  g_iconFont = nullptr;
}

}  // namespace skin

// Fonts held in memory: the bytes of a font file registered for this process alone, and
// the icon font "FontAwesome" that the engine registers at every start from the
// program's resource "AWFONT".
#pragma once
#include <windows.h>

#include <string>

#include "rtl/Classes.h"

namespace skin {

// One font a skin carries; its registration goes with it.
class TacEmbeddedFont : public rtl::TCollectionItem {
  KORVAN_CLASS(TacEmbeddedFont)
 public:
  explicit TacEmbeddedFont(rtl::TCollection* collection = nullptr) : rtl::TCollectionItem(collection) {}
  ~TacEmbeddedFont() override;
  std::string FileName;
  std::string FontName;
  HANDLE Handle = nullptr;       // the registration, nullptr while not registered
  rtl::TMemoryStream FontData;   // the complete bytes of one font file
  // Copies the names, and the bytes when the source has any (appended at the position).
  void Assign(const rtl::TPersistent* source) override;
  // "FontData", written even when empty.
  void DefineProperties(rtl::TFiler& filer) override;
};

// The fonts of a skin; Assign replaces them with copies of another collection's.
class TacEmbeddedFonts : public rtl::TCollection {
  KORVAN_CLASS(TacEmbeddedFonts)
 public:
  explicit TacEmbeddedFonts(rtl::TPersistent* owner = nullptr)
      : rtl::TCollection([](rtl::TCollection* c) { return new TacEmbeddedFont(c); }, owner) {}
  TacEmbeddedFont* Add() { return static_cast<TacEmbeddedFont*>(rtl::TCollection::Add()); }
  TacEmbeddedFont* Items(int index) const { return static_cast<TacEmbeddedFont*>(rtl::TCollection::Items(index)); }
};

// Registers the item's bytes for this process; an empty item gets no handle. A handle
// the item held before is overwritten without being removed.
void InstallEmbeddedFont(TacEmbeddedFont& item);
// Removes the item's registration, if any.
void UninstallEmbeddedFont(TacEmbeddedFont& item);

inline constexpr const char* kIconFontName = "FontAwesome";
// The icon font's registration; nullptr while it is not registered.
HANDLE IconFontHandle();
// Step 10 of the start-up road and its end.
void InitIconFont();
void DoneIconFont();

}  // namespace skin

// Fonts held in memory: the bytes of a font file registered for this process alone, and
// the icon font "FontAwesome" that the engine registers at every start from the
// program's resource "AWFONT".
#pragma once
#include <windows.h>

#include <string>

#include "rtl/Classes.h"

namespace skin {

class TacEmbeddedFont : public rtl::TPersistent {
  KORVAN_CLASS(TacEmbeddedFont)
 public:
  std::string FileName;
  std::string FontName;
  HANDLE Handle = nullptr;       // the registration, nullptr while not registered
  rtl::TMemoryStream FontData;   // the complete bytes of one font file
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

// Which system colours a loaded skin answers in place of the system's, so that standard
// controls and dialogs that draw with system colours match the skin: the colour queries,
// and the pens asked for in a system colour's index or in the two classic greys.
#pragma once
#include <cstdint>
#include <optional>

#include "skin/core/acSkinColors.h"

namespace skin {

// The skin's colour for GetSysColor(index); nothing where the system's stays.
std::optional<uint32_t> SkinSysColor(int index, const TacPalette& palette, uint32_t inactiveBorder);
// The palette entry a system brush is made of (COLOR_WINDOW, COLOR_WINDOWTEXT,
// COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT); nothing for any other index.
std::optional<uint32_t> SkinSysBrushColor(int index, const TacPalette& palette);
// The colour a pen of this colour is made in while the skin is loaded.
uint32_t SkinPenColor(uint32_t color, const TacPalette& palette, uint32_t inactiveBorder);

}  // namespace skin

// Colour codes to the colours of a skin: system colours, the skin's main colour and the
// named palette codes answer from the manager's palette and the 96-PPI sections while a
// skin is loaded, and from the system otherwise. Win32-free: system colours come through
// the pixel core's ColorToRGB.
#pragma once
#include <array>
#include <cstdint>

namespace skin {

class TacSkinData;

inline constexpr int kPaletteSize = 60;
using TacPalette = std::array<uint32_t, kPaletteSize>;

inline constexpr uint32_t clSkinMainColor = 0xF1000001;

// What the conversion reads of a skin manager.
struct TacSkinColors {
  // The manager has a skin loaded, or is loading one.
  bool SkinLoaded = false;
  TacPalette Palette{};
  const TacSkinData* Data96 = nullptr;  // for the FORMTITLE and HINT states
};

// Colour to RGB for skinned painting; colours nil for "no manager".
uint32_t ColorToSkinRGB(uint32_t color, const TacSkinColors* colors);

}  // namespace skin

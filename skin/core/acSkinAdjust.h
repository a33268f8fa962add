// Hue, saturation and brightness changes of a loaded skin and the mirrored title-bar
// buttons of right-to-left programs. Win32-free: the master bitmap and the skin data's
// pictures are the pixel core's bitmaps.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/core/acSkinColors.h"
#include "skin/core/acSkinData.h"
#include "skin/graphics/acBitmap32.h"

namespace skin {

// What one load has just read: the master bitmap, the skin data of the step being loaded,
// the palette and the shadow colour. Every load reads the master bitmap, the palette and the
// common information afresh, so each change runs once over exactly these and never reaches
// the data of steps loaded before.
struct TacSkinColorTarget {
  TBitmap32* Master = nullptr;  // may be missing
  TacSkinData* Data = nullptr;
  TacPalette* Palette = nullptr;
  uint32_t* ShadowColor = nullptr;
  int32_t KeepHue = 0;  // GLOBALINFO BIKEEPHUE: 1 keeps the title-button icons, 2 the close icons
};

// Each does nothing for 0. Saturation is a percentage (clamped to +-255 after scaling to
// 255); brightness a step added to each channel, which leaves the palette and the mask
// halves of the elements alone.
void AdjustHue(TacSkinColorTarget& t, int degrees);
void AdjustSaturation(TacSkinColorTarget& t, int amount);
void AdjustBrightness(TacSkinColorTarget& t, int amount);
// The three in the order a load applies them.
void ApplyColorAdjustments(TacSkinColorTarget& t, int hueOffset, int saturation, int brightness);

// Mirrors every frame of the element left to right, in its own picture or in the master
// bitmap; rows and columns outside the picture are left alone.
void MirrorElementFrames(const TsMaskData& element, TBitmap32* master);
// The close, maximize, minimize and restore buttons of every step's skin data and the first
// picture of each one's glow list. A region or picture that several of them share (a button
// and its glow, or two steps on the master bitmap) is mirrored once. Mirroring twice
// restores them.
void MirrorTitleButtons(const std::vector<TacSkinData*>& steps, TBitmap32* master);

}  // namespace skin

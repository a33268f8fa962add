// Skin sections painted onto device contexts: through a temporary engine bitmap whose own
// device context serves the gradient bands that need the platform.
#pragma once
#include <windows.h>

#include "gui/Graphics.h"
#include "skin/graphics/acSkinSection.h"

namespace skin {

// The section painted into a bitmap of R's size (R at 0, 0) and copied to DC at R's
// top-left; the DC's state is kept. Nothing when R is empty or starts left of or above 0.
void PaintSkinSectionToDC(const TacSectionSource& skin, int skinIndex, const TacBackgroundCache& cache, int state,
                          const TRect& r, TPoint offset, HDC dc);
// The section over the whole of Bmp (FallbackIndex when SkinIndex is negative), its
// background taken from DC at R's top-left when DC is given, else FillColor. Returns the
// index used, -1 when there is none.
int PaintSkinSectionFromDC(gui::TBitmap& bmp, int skinIndex, int fallbackIndex, int state,
                           const TacSectionSource& skin, const TRect& r, TColor fillColor, HDC dc);

}  // namespace skin

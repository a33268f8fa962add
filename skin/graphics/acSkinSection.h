// Skin sections painted into engine bitmaps: a state's background (colour, gradient,
// texture, mixed with what lies behind by the state's transparency), its corner pictures and
// its border element; and the alpha twin for 32-bit images of layered windows. Free of
// Win32: gradient bands that need the platform (alpha stops, the four-corner form) go
// through the fills the caller hands in, as in acGradient.h.
#pragma once
#include <cstdint>

#include "skin/core/acSkinData.h"
#include "skin/graphics/acBackground.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acGradient.h"

namespace skin {

// What the section painters read besides the target: the skin parsed for the PPI in use,
// the master picture its elements are cut from, and the platform's gradient fills for the
// target bitmap (nullptr: such bands stay unpainted).
struct TacSectionSource {
  TacSkinData* Data = nullptr;
  const TBitmap32* Master = nullptr;
  TGradientFills* Fills = nullptr;

  bool ValidSection(int index) const;
  bool ValidElement(int index) const;
};

// Texture draw modes of a plain texture element (its PaintFlags); the rectangle comes back
// as the part the texture left uncovered, (-1, -1, -1, -1) when it covered everything.
void PaintTexture(TBitmap32& bmp, TRect& r, const TsMaskData& texture, const TBitmap32* master);
// A masked texture (modes 0 and 10 only) laid over the background the cache gives.
void PaintMaskedTexture(TBitmap32& bmp, TRect& r, const TsMaskData& texture, const TBitmap32* master,
                        const TacBackgroundCache& cache);

// The state's background into R. Offset is R's origin in the cache's coordinates; Texture
// and HotTexture (-1: the state's own) override the state's texture; CustomColor other than
// clFuchsia paints that colour alone, opaque.
void PaintSkinSectionBackground(const TacSectionSource& skin, int skinIndex, const TacBackgroundCache& cache,
                                int state, const TRect& r, TPoint offset, TBitmap32& bmp, int texture = -1,
                                int hotTexture = -1, TColor customColor = clFuchsia);
// The section's four corner pictures at the corners of R.
void PaintSectionCorners(const TacSectionSource& skin, int skinIndex, int state, const TRect& r, TBitmap32& bmp);
// The background, the four corner pictures and the border element; nothing unless R lies
// inside Bmp.
void PaintSkinSection(const TacSectionSource& skin, int skinIndex, const TacBackgroundCache& cache, int state,
                      const TRect& r, TPoint offset, TBitmap32& bmp, int texture = -1, int hotTexture = -1);

// The state's background with Texture (state 0) or HotTexture (other states) in place of the
// state's own, then element MaskIndex over R as the border.
void PaintSkinSectionWithMask(const TacSectionSource& skin, int skinIndex, int maskIndex, int texture,
                              int hotTexture, const TacBackgroundCache& cache, int state, const TRect& r, TPoint offset,
                              TBitmap32& bmp);

// The section for State into R of a 32-bit image with meaningful alpha: the state's
// background with explicit alpha, the border element whose transparent corners show what
// the image held before, and premultiplication when R covers the whole image.
void PaintSkinSectionAlpha(const TacSectionSource& skin, int skinIndex, int state, const TRect& r, TBitmap32& bmp,
                           bool composition = true);
// The background step (State 0..2). A state's gradient painted without texture has its
// stops' alpha set from the transparency once; the mark stays with the loaded skin.
void PaintStateBackgroundAlpha(const TacSectionSource& skin, int skinIndex, int state, const TRect& r,
                               TBitmap32& bmp);

}  // namespace skin

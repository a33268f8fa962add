// The pixel steps and the arithmetic of glyph images, free of Win32: the sizes of a
// character list's items at a pixel density, a rendered character's grey levels turned
// into alpha under a colour or a vertical two-colour gradient, the small added character
// stamped into a glyph's corner with a soft cut-out around it, and which part of a strip
// of state pictures a list image draws.
#pragma once
#include <cstdint>

#include "skin/graphics/acBitmap32.h"

namespace skin {

// Round halves to the even integer, as the engine's sizes are rounded.
int32_t RoundEven(double v);

// A character item's width and height at P pixels per inch (sizes of the list at 96).
int CharItemWidth(int ppi, int storedWidth, double scalingFactor);
int CharItemHeight(int ppi, int storedHeight, double scalingFactor, int offsetY);
// The list's own size (no item) at P.
inline int ScaledListSize(int ppi, int storedSize) { return ppi * storedSize / 96; }

// The grey level of a black-on-white rendering as coverage: 255 - ((R + 2G + B) >> 2).
inline uint8_t Coverage(TPixel p) { return uint8_t(255 - ((ChR(p) + 2 * ChG(p) + ChB(p)) >> 2)); }

// Every pixel's coverage becomes its alpha (times Blend >> 8 when Blend is not 255) and its
// colour C1; with a gradient (HasC2) the colour runs from C1 in the top row to C2 in the
// bottom row, rounded per row, and pixels without coverage become 0 in all four bytes.
// Colours in pixel order.
void CoverageToAlpha(TBitmap32& bmp, TPixel c1, bool hasC2, TPixel c2, uint8_t blend);

// The added character: Glyph is its black-on-white rendering (cx x cy), Halo the same
// blurred with a margin of M on every side; both laid with their top-left corner at
// (X - M, Y - M) of Dst. Covered pixels take colour A by their coverage (times Blend >> 8
// when Blend is not 255), the others lose alpha where the halo is dark.
void StampAddedGlyph(TBitmap32& dst, const TBitmap32& glyph, const TBitmap32& halo, int x, int y, int m, TPixel a,
                     uint8_t blend);

// Which part of an image holding NumGlyphs state pictures side by side is drawn, and where.
struct TacListImagePart {
  TRect Target;  // at (X, Y), one picture's width and the image's height
  TRect Source;  // the state's picture inside the image
  TPoint Size;
};
// A state beyond the pictures draws the last one.
TacListImagePart ListImagePart(int x, int y, int width, int height, int state, int numGlyphs);

// The state a glyph is drawn in when the manager keeps the class library's glyph order:
// normal and hot exchange places, a disabled control shows picture 1, and pressed falls
// back to picture 0 with fewer than 3 pictures.
int StdGlyphsOrderState(int state, bool enabled, int numGlyphs);

}  // namespace skin

// Where a button puts its glyph and its caption: the glyph's side of the text, horizontal
// and vertical alignment, margin and spacing (negative: worked out from the free room), and
// the mirror image for right-to-left reading. Win32-free.
#pragma once
#include <cstdint>

#include "gui/Types.h"

namespace skin {

using gui::TPoint;
using gui::TRect;

enum TButtonLayout : uint8_t { blGlyphLeft = 0, blGlyphRight = 1, blGlyphTop = 2, blGlyphBottom = 3 };
enum TAlignment : uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// Vertical alignment of the pair: top, bottom, centre; any other value leaves it as placed.
inline constexpr uint8_t kVertAlignTop = 0, kVertAlignBottom = 1, kVertAlignCenter = 2, kVertAlignNone = 3;
// The bit of BiDiFlags that asks for right-to-left reading.
inline constexpr uint8_t kBiDiRightToLeft = 4;

struct TGlyphTextLayout {
  TPoint GlyphPos;
  TRect TextRect;
};

// Margin -1 asks for an automatic margin; a negative Spacing for an automatic spacing.
// Callers pass R with Left and Top 0: the top alignment and the mirroring work in R's own
// size, the other steps add R's origin.
TGlyphTextLayout LayoutGlyphAndText(const TRect& r, TPoint glyphSize, TPoint textSize, TButtonLayout layout,
                                    TAlignment alignment, int margin, int spacing, uint8_t biDiFlags,
                                    uint8_t vertAlign);

}  // namespace skin

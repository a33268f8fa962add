// A glyph of a character list turned into pixels: the character drawn black on white in
// the item's font, its grey levels made alpha under the colour (or a vertical gradient),
// and an optional small second character stamped into the corner. Outline drawing reads
// the glyph's outline from the system and draws it as anti-aliased polygons.
#pragma once
#include <windows.h>

#include <memory>

#include "gui/Graphics.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acGlyphOutline.h"

namespace skin {

class TacCharListItem;

// What the list decides for one rendering.
struct TacGlyphColors {
  gui::TColor GlyphColor = 0x1FFFFFFF;  // the list's colour of the moment, clNone when unset
  bool Blended = false;            // the list's State is 0: BlendValue applies
  uint8_t BlendValue = 255;
};

// Item rendered into the whole of Bmp (made 32-bit); R is the target (the whole bitmap),
// OffsetY the shift in pixels before the item's scaling, BaseHeight the list's glyph
// height at the density in use.
void RenderGlyph(const TacCharListItem& item, const TacGlyphColors& colors, gui::TBitmap& bmp, int offsetY,
                 int baseHeight, const TRect& r);

// The strokes of a character's outline in Font read at 512 points; nullptr when the
// font has no outline for it.
std::unique_ptr<TacStrokeCollection> GetGlyphStrokes(wchar_t ch, const gui::TFont& font);
// MeasureOnly: R becomes (0, 0, width, height) of the fitted outline. Otherwise the
// outline is drawn fitted and centred in R, turned by Angle degrees about R's centre.
void StrokeGlyph(gui::TCanvas& canvas, wchar_t ch, TRect& r, bool measureOnly, int angle, int penWidth);

}  // namespace skin

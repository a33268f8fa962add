#include "skin/core/acSkinColors.h"

#include "skin/core/acSkinData.h"
#include "skin/graphics/acBitmap32.h"

namespace skin {

namespace {

struct TPaletteCode {
  uint32_t Code;
  int Entry;
};
// Codes whose answer is one palette entry.
constexpr TPaletteCode kPaletteCodes[] = {
    {clSkinMainColor, 0}, {0xFF000000, 0}, {0xFF000001, 0}, {0xFF000004, 0}, {0xFF000005, 5},
    {0xFF000006, 55},     {0xFF000007, 1}, {0xFF000008, 4}, {0xFF00000A, 55}, {0xFF00000B, 55},
    {0xFF00000C, 0},      {0xFF00000D, 8}, {0xFF00000E, 9}, {0xFF00000F, 0},  {0xFF000012, 1},
    {0xFF00001A, 3},      {0xFF00001D, 8}, {0xFF00001E, 0},
    // edit texts and backgrounds: ok, warning, alert
    {0xFF003E0A, 14}, {0xFF004C4C, 15}, {0xFF00006C, 16}, {0xFFC9FFD2, 19}, {0xFFBAFFFF, 20}, {0xFFDBDBFF, 21},
    // colour tones red, green, blue, yellow; the same active; their texts; active texts
    {0xFFD5D5FF, 39}, {0xFFE1FFD2, 41}, {0xFFFFEDC9, 43}, {0xFFCAF3FF, 45},
    {0xFFBDBDFF, 40}, {0xFFCDFFB4, 42}, {0xFFFFE9BE, 44}, {0xFFBAEFFF, 46},
    {0xFF0000B4, 47}, {0xFF28851A, 49}, {0xFFAE7400, 51}, {0xFF00A5D7, 53},
    {0xFF0000A2, 48}, {0xFF008E00, 50}, {0xFF916000, 52}, {0xFF0098C6, 54},
};

// State colour or font colour of a standard section, or the palette entry without it.
uint32_t SectionColor(const TacSkinColors& c, const char* section, int state, bool font, int fallback) {
  int32_t i = c.Data96 ? GetSkinIndex(*c.Data96, section) : -1;
  if (i < 0) return c.Palette[size_t(fallback)];
  const TsGenState& st = c.Data96->Sections[size_t(i)].StateParams[size_t(state)];
  return font ? st.FontColor : st.Color;
}

}  // namespace

uint32_t ColorToSkinRGB(uint32_t color, const TacSkinColors* c) {
  if (int32_t(color) >= 0) return ColorToRGB(color);
  if (!c || !c->SkinLoaded) {
    if ((color & 0xFFFFFF) > 100) return color & 0xFFFFFF;
    return ColorToRGB(0xFF000000 | (color & 0xFF));
  }
  for (const auto& p : kPaletteCodes)
    if (p.Code == color) return c->Palette[size_t(p.Entry)];
  const uint32_t* pal = c->Palette.data();
  switch (color) {
    case 0xFF000002: case 0xFF00001B: return SectionColor(*c, "FORMTITLE", 1, false, 0);
    case 0xFF000003: case 0xFF00001C: return SectionColor(*c, "FORMTITLE", 0, false, 0);
    case 0xFF000009: return SectionColor(*c, "FORMTITLE", 1, true, 1);
    case 0xFF000013: return SectionColor(*c, "FORMTITLE", 0, true, 1);
    case 0xFF000017: return SectionColor(*c, "HINT", 0, true, 4);
    case 0xFF000018: return SectionColor(*c, "HINT", 0, false, 5);
    case 0xFF000010: case 0xFF000015: return MixColors(pal[0], 0x000000, 180);
    case 0xFF000011: return MixColors(pal[0], pal[1], 127);
    case 0xFF000014: return MixColors(pal[0], pal[8], 127);
    case 0xFF000016: return MixColors(pal[0], 0xFFFFFF, 180);
    default: return ColorToRGB(color);
  }
}

}  // namespace skin

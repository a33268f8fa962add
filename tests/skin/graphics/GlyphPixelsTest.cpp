// The pixel steps and the sizes of glyph images: coverage to alpha, the vertical gradient,
// the added character's stamp, item sizes at 96 and 144 PPI, and the parts of state strips.
#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "skin/graphics/acGlyphPixels.h"

using namespace skin;
using skin::test::Filled;
using skin::test::Pixels;

TEST(GlyphPixels, CoverageBecomesAlphaUnderOneColour) {
  const TPixel red = 0x00FF0000;
  struct Case {
    TPixel rendered;
    uint8_t blend;
    uint32_t alpha;
  } cases[] = {
      {0xFF000000, 255, 255}, {0x00FFFFFF, 255, 0}, {0x00808080, 255, 127},  // 255 - (512 >> 2)
      {0x000000FF, 255, 192},                                                   // 255 - (255 >> 2)
      {0x00000000, 222, 221},                                                   // 255 * 222 >> 8
      {0x00808080, 222, 110},
  };
  for (const Case& c : cases) {
    TBitmap32 b = Pixels({{c.rendered}});
    CoverageToAlpha(b, red, false, 0, c.blend);
    EXPECT_EQ(b.At(0, 0), (c.alpha << 24) | 0xFF0000u) << std::hex << c.rendered;
  }
}

TEST(GlyphPixels, GradientRunsFromTopToBottomRow) {
  TBitmap32 b = Filled(2, 10, 0xFF000000);
  b.At(1, 5) = 0x00FFFFFF;  // no coverage: all four bytes 0
  CoverageToAlpha(b, 0x00FF0000, true, 0x000000FF, 255);
  EXPECT_EQ(b.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(b.At(0, 9), 0xFF0000FFu);
  // Row 5: 255 - 5 * 255 / 9 = 113.3 red, 141.7 blue.
  EXPECT_EQ(b.At(0, 5), 0xFF71008Eu);
  EXPECT_EQ(b.At(1, 5), 0u);
  TBitmap32 one = Filled(1, 1, 0xFF000000);
  CoverageToAlpha(one, 0x00FF0000, true, 0x000000FF, 255);
  EXPECT_EQ(one.At(0, 0), 0xFFFF0000u);
}

TEST(GlyphPixels, AddedGlyphTakesItsColourAndCutsAHalo) {
  TBitmap32 dst = Filled(6, 6, 0xFF000000);               // a black glyph, opaque
  TBitmap32 glyph = Pixels({{0xFF000000, 0x00FFFFFF}});   // covered, uncovered
  TBitmap32 halo = Filled(4, 3, 0x00000000);              // margin 1: dark everywhere...
  halo.At(3, 0) = 0x00FFFFFF;                             // ...but one bright corner
  StampAddedGlyph(dst, glyph, halo, 4, 4, 1, 0x0000FF00, 255);
  EXPECT_EQ(dst.At(4, 4), 0xFF00FE00u);                  // (255 * 255 + 0) >> 8 = 254 green
  EXPECT_EQ(ChA(dst.At(5, 4)), 0u);                      // uncovered, dark halo: cut away
  EXPECT_EQ(ChA(dst.At(3, 3)), 0u);
  EXPECT_EQ(dst.At(1, 1), 0xFF000000u);                  // outside the stamp
  // The halo's column 3 lies beyond the bitmap (x 6): never written.
  TBitmap32 bright = Filled(4, 3, 0x00FFFFFF);
  TBitmap32 dst2 = Filled(6, 6, 0xFF000000);
  StampAddedGlyph(dst2, glyph, bright, 4, 4, 1, 0x0000FF00, 222);
  EXPECT_EQ(ChA(dst2.At(3, 3)), 255u);                    // a bright halo keeps the glyph
  EXPECT_EQ(dst2.At(4, 4), 0xDD00DC00u);                 // K = 221
}

TEST(GlyphPixels, ItemSizesAtTwoDensities) {
  // A 16 x 14 list, an item of scale 0.8 and offset 2: 13 x 13 at 96, 19 x 19 at 144.
  EXPECT_EQ(CharItemWidth(96, 16, 0.8), 13);
  EXPECT_EQ(CharItemHeight(96, 14, 0.8, 2), 13);
  EXPECT_EQ(CharItemWidth(144, 16, 0.8), 19);
  EXPECT_EQ(CharItemHeight(144, 14, 0.8, -2), 19);
  EXPECT_EQ(ScaledListSize(144, 14), 21);
  // Halves round to even: 10 * 1.25 = 12.5 -> 12, 14 * 0.75 = 10.5 -> 10.
  EXPECT_EQ(CharItemWidth(96, 10, 1.25), 12);
  EXPECT_EQ(CharItemHeight(96, 14, 0.75, 0), 10);
  EXPECT_EQ(RoundEven(13.5), 14);
}

TEST(GlyphPixels, StatePartsOfAStrip) {
  // 3 pictures in 48 pixels: 16 each; state 5 draws the last.
  const TacListImagePart p = ListImagePart(2, 3, 48, 16, 1, 3);
  EXPECT_EQ(p.Target, (TRect{2, 3, 18, 19}));
  EXPECT_EQ(p.Source, (TRect{16, 0, 32, 16}));
  EXPECT_EQ(p.Size, (TPoint{16, 16}));
  EXPECT_EQ(ListImagePart(0, 0, 48, 16, 5, 3).Source, (TRect{32, 0, 48, 16}));
  EXPECT_EQ(ListImagePart(0, 0, 48, 16, 5, 0).Source, (TRect{0, 0, 48, 16}));
}

TEST(GlyphPixels, StandardGlyphOrderRemapsStates) {
  struct Case {
    int state;
    bool enabled;
    int numGlyphs, want;
  } cases[] = {{0, true, 4, 0}, {0, false, 4, 1}, {1, true, 4, 0}, {2, true, 2, 0}, {2, true, 3, 2}, {3, false, 4, 3}};
  for (const Case& c : cases)
    EXPECT_EQ(StdGlyphsOrderState(c.state, c.enabled, c.numGlyphs), c.want) << c.state << c.enabled << c.numGlyphs;
}

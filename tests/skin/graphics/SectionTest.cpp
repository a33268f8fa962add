// Skin sections painted into engine bitmaps, on the project's test skin: backgrounds over
// known and unknown backgrounds, mixing at partial transparency, texture modes, custom
// colours, corner pictures; the alpha painter's states and gradients; blended elements
// with their margins and opacity.
#include <gtest/gtest.h>

#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"
#include "tests/skin/TestSkin.h"
#include "tests/skin/graphics/PixelTestSupport.h"

namespace skin {
namespace {

using test::Filled;

// The test skin with the painters' view of it.
struct Skin {
  std::unique_ptr<test::LoadedSkin> loaded = test::Load("Korvan Test", 96);
  TacSectionSource src{loaded->data.get(), loaded->master.get(), nullptr};
  TacSkinData& d = *loaded->data;
  int Index(const char* name) const { return GetSkinIndex(d, name); }
  TsGeneralData& Section(const char* name) { return d.Sections.at(size_t(Index(name))); }
};

TBitmap32 Positions(int w, int h) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.At(x, y) = MakePixel(x, y, 1, 200);
  return b;
}

// The pattern's pixel at (x, y): the 8 x 8 checker of the test skin.
TPixel Pattern(int x, int y) {
  return (x + y) % 2 ? MakePixel(220, 200, 200, 255) : MakePixel(210, 180, 180, 255);
}

TEST(SectionBackground, FullTransparencyCopiesTheBackgroundAtTheOffset) {
  Skin s;
  const int checkbox = s.Index("CHECKBOX");  // TRANSPARENCY=100
  TBitmap32 back = Positions(40, 40);
  TBitmap32 bmp = Filled(20, 20, 0x11111111u);
  PaintSkinSectionBackground(s.src, checkbox, MakeBackgroundCache(&back, 1, 2), 0, {2, 2, 12, 12}, {5, 3}, bmp);
  for (int y = 2; y < 12; ++y)
    for (int x = 2; x < 12; ++x) ASSERT_EQ(bmp.At(x, y), back.At(1 + 5 + x - 2, 2 + 3 + y - 2)) << x << "," << y;
  EXPECT_EQ(bmp.At(12, 12), 0x11111111u);
  // Nothing known behind it: the section is painted opaque.
  PaintSkinSectionBackground(s.src, checkbox, EmptyBackgroundCache(), 0, {0, 0, 20, 20}, {0, 0}, bmp);
  const TColor c = s.Section("CHECKBOX").StateParams[0].Color;
  EXPECT_EQ(test::CountNot(bmp, (SwapRB(c) & 0xFFFFFF) | 0xFF000000u), 0);
}

TEST(SectionBackground, PartialTransparencyMixesWithTheBackground) {
  Skin s;
  TsGenState& st = s.Section("PANEL_LOW").StateParams[0];
  st.Transparency = 40;
  st.ImagePercent = st.GradientPercent = 0;
  const TColor fill = 0x00204080;
  TacBackgroundCache colourOnly;
  colourOnly.FillColor = fill;
  TBitmap32 bmp(10, 10);
  PaintSkinSectionBackground(s.src, s.Index("PANEL_LOW"), colourOnly, 0, bmp.Bounds(), {0, 0}, bmp);
  EXPECT_EQ(bmp.At(4, 4), (SwapRB(MixColors(fill, st.Color, 102)) & 0xFFFFFF) | 0xFF000000u);
  // A ready background: the painted state blended over the copied background, keeping 102/256 of it.
  TBitmap32 back = Filled(10, 10, MakePixel(0, 0, 0, 255));
  PaintSkinSectionBackground(s.src, s.Index("PANEL_LOW"), MakeBackgroundCache(&back, 0, 0), 0, bmp.Bounds(), {0, 0},
                             bmp);
  const TPixel k = SwapRB(st.Color);
  EXPECT_EQ(bmp.At(4, 4), MakePixel((ChB(k) * 154) >> 8, (ChG(k) * 154) >> 8, (ChR(k) * 154) >> 8, 255));
}

TEST(SectionBackground, CustomColourIgnoresThePercentages) {
  Skin s;
  TBitmap32 back = Positions(10, 10);
  TBitmap32 bmp(10, 10);
  // BUTTON has a gradient; CHECKBOX is fully transparent: a custom colour paints both alone.
  for (const char* name : {"BUTTON", "CHECKBOX"}) {
    PaintSkinSectionBackground(s.src, s.Index(name), MakeBackgroundCache(&back, 0, 0), 1, bmp.Bounds(), {0, 0}, bmp,
                               -1, -1, 0x00123456);
    EXPECT_EQ(test::CountNot(bmp, 0xFF563412u), 0) << name;
  }
}

TEST(SectionBackground, TextureModes) {
  Skin s;
  const TsGeneralData& panel = s.Section("PANEL");
  ASSERT_TRUE(s.src.ValidElement(panel.StateParams[0].TextureIndex));
  TsMaskData tex = s.d.Masks[size_t(panel.StateParams[0].TextureIndex)];
  ASSERT_EQ(RectWidth(tex.SrcRect), 8);
  const TRect area{2, 1, 22, 19};  // 20 x 18: two and a half tiles across, two and a quarter down
  struct Case {
    int mode;
    TRect uncovered;
    TPoint probe, from;  // a painted pixel and the pattern pixel it shows
  } cases[] = {
      {0, {-1, -1, -1, -1}, {21, 18}, {3, 1}},
      {2, {2, 9, 22, 19}, {21, 8}, {3, 7}},
      {3, {10, 1, 22, 19}, {9, 18}, {7, 1}},
      {6, {2, 1, 22, 11}, {2, 11}, {0, 0}},
      {7, {2, 1, 14, 19}, {14, 1}, {0, 0}},
      {13, {-1, -1, -1, -1}, {2, 1}, {4, 6}},  // tiles end at the bottom-right corner
      {10, {-1, -1, -1, -1}, {21, 16}, {3, 7}},
  };
  for (const Case& c : cases) {
    tex.PaintFlags = int16_t(c.mode);
    TBitmap32 bmp(24, 20);
    TRect r = area;
    PaintTexture(bmp, r, tex, s.loaded->master.get());
    EXPECT_EQ(r, c.uncovered) << c.mode;
    EXPECT_EQ(bmp.At(c.probe.X, c.probe.Y), Pattern(c.from.X, c.from.Y)) << c.mode;
    EXPECT_EQ(bmp.At(1, 1), 0u) << c.mode;    // nothing outside the area
    EXPECT_EQ(bmp.At(22, 19), 0u) << c.mode;
    if (c.mode == 10) {
      EXPECT_EQ(bmp.At(5, 17), 0u);  // the band under the last full row stays
    }
  }
  // Mode 2 through the section: the part below the strip takes the state's colour.
  TsGeneralData& sec = s.Section("PANEL");
  sec.StateParams[0].ImagePercent = 100;
  s.d.Masks[size_t(sec.StateParams[0].TextureIndex)].PaintFlags = 2;
  TBitmap32 bmp(20, 20);
  PaintSkinSectionBackground(s.src, s.Index("PANEL"), EmptyBackgroundCache(), 0, bmp.Bounds(), {0, 0}, bmp);
  EXPECT_EQ(bmp.At(3, 2), Pattern(3, 2));
  EXPECT_EQ(bmp.At(3, 12), (SwapRB(sec.StateParams[0].Color) & 0xFFFFFF) | 0xFF000000u);
}

TEST(SectionBackground, StateAndCornerPictures) {
  Skin s;
  TsGeneralData& sec = s.Section("MENUITEM");  // three states of its own colours
  sec.States = 2;
  const int glyph = FindMaskIndex(s.d, "COMBOBOX", "GLYPHMASK");
  sec.CornerImages[2] = glyph;  // bottom-left
  TBitmap32 bmp(40, 40);
  PaintSkinSection(s.src, s.Index("MENUITEM"), EmptyBackgroundCache(), 7, {5, 4, 35, 36}, {0, 0}, bmp);
  // State 7 of two states is the hot state; the corner picture (frame 1) sits at x = 5.
  EXPECT_EQ(bmp.At(20, 10), (SwapRB(sec.StateParams[1].Color) & 0xFFFFFF) | 0xFF000000u);
  EXPECT_EQ(bmp.At(5 + 8, 36 - 16 + 8), MakePixel(230, 230, 230, 255));
  EXPECT_EQ(bmp.At(4, 10), 0u);
  // A rectangle that does not lie inside the bitmap paints nothing.
  TBitmap32 small(10, 10);
  PaintSkinSection(s.src, s.Index("MENUITEM"), EmptyBackgroundCache(), 0, {-1, 0, 5, 5}, {0, 0}, small);
  EXPECT_EQ(test::CountNot(small, 0), 0);
}

TEST(SectionBackground, WithAnotherBorderAndTexture) {
  Skin s;
  TsGenState& st = s.Section("PANEL_LOW").StateParams[0];
  const int pattern = st.TextureIndex;
  st.ImagePercent = st.GradientPercent = 0;
  const int edit = FindMaskIndex(s.d, "EDIT", "BORDERSMASK");
  const TPixel border = MakePixel(250, 250, 250, 255), colour = (SwapRB(st.Color) & 0xFFFFFF) | 0xFF000000u;
  TBitmap32 bmp(12, 12);
  PaintSkinSectionWithMask(s.src, s.Index("PANEL_LOW"), edit, -1, -1, EmptyBackgroundCache(), 0, bmp.Bounds(), {0, 0},
                           bmp);
  EXPECT_EQ(bmp.At(0, 0), border);
  EXPECT_EQ(bmp.At(5, 5), colour);
  // The texture handed in takes the state's place; a sum above 100 ends in the plain colour.
  st.ImagePercent = 100;
  PaintSkinSectionWithMask(s.src, s.Index("PANEL_LOW"), edit, pattern, -1, EmptyBackgroundCache(), 0, bmp.Bounds(),
                           {0, 0}, bmp);
  EXPECT_EQ(bmp.At(5, 5), Pattern(5, 5));
  st.GradientPercent = 50;
  PaintSkinSectionWithMask(s.src, s.Index("PANEL_LOW"), edit, pattern, -1, EmptyBackgroundCache(), 0, bmp.Bounds(),
                           {0, 0}, bmp);
  EXPECT_EQ(bmp.At(5, 5), colour);
  // A ready background behind a fully transparent state.
  st.Transparency = 100;
  TBitmap32 back = Positions(20, 20);
  PaintSkinSectionWithMask(s.src, s.Index("PANEL_LOW"), edit, -1, -1, MakeBackgroundCache(&back, 0, 0), 0,
                           bmp.Bounds(), {3, 4}, bmp);
  EXPECT_EQ(bmp.At(5, 5), back.At(8, 9));
  EXPECT_EQ(bmp.At(11, 11), border);
}

// ---- with alpha ----

TEST(SectionAlpha, TransparencyAndPlainColours) {
  Skin s;
  TsGenState& st = s.Section("PANEL_LOW").StateParams[0];
  st.ImagePercent = st.GradientPercent = 0;
  const int panel = s.Index("PANEL_LOW");
  const TPixel k = SwapRB(st.Color) & 0xFFFFFF;
  // Fully transparent: a part of the bitmap is left, the whole bitmap cleared.
  st.Transparency = 100;
  TBitmap32 bmp = Filled(10, 10, MakePixel(9, 9, 9, 99));
  PaintStateBackgroundAlpha(s.src, panel, 0, {1, 1, 5, 5}, bmp);
  EXPECT_EQ(test::CountNot(bmp, MakePixel(9, 9, 9, 99)), 0);
  PaintStateBackgroundAlpha(s.src, panel, 0, bmp.Bounds(), bmp);
  EXPECT_EQ(test::CountNot(bmp, 0), 0);
  // Transparency 40 over an empty bitmap: alpha 153; over a pixel of alpha 200 the colours
  // move 60 percent towards the colour and the alpha stays 200.
  st.Transparency = 40;
  PaintStateBackgroundAlpha(s.src, panel, 0, bmp.Bounds(), bmp);
  EXPECT_EQ(bmp.At(3, 3), k | 0x99000000u);
  bmp = Filled(10, 10, MakePixel(100, 100, 100, 200));
  PaintStateBackgroundAlpha(s.src, panel, 0, bmp.Bounds(), bmp);
  const auto toward = [](int c, int to) { return uint32_t(c - 60 * (c - to) / 100); };
  EXPECT_EQ(bmp.At(3, 3), MakePixel(toward(100, ChB(k)), toward(100, ChG(k)), toward(100, ChR(k)), 200));
}

TEST(SectionAlpha, TexturedGradientInOnePass) {
  Skin s;
  TsGenState& st = s.Section("PANEL_LOW").StateParams[0];
  st.ImagePercent = 30;
  st.GradientPercent = 70;
  st.Gradient = {{0, 0, 0x000000FF, 0}, {1, 0, 0x00FF0000, 100}};
  ASSERT_TRUE(s.src.ValidElement(st.TextureIndex));
  ASSERT_EQ(s.d.Masks[size_t(st.TextureIndex)].PaintFlags, 0);
  for (auto [t, alpha] : {std::pair{0, 255u}, {40, 153u}}) {
    st.Transparency = t;
    TBitmap32 bmp(16, 16);
    PaintStateBackgroundAlpha(s.src, s.Index("PANEL_LOW"), 0, bmp.Bounds(), bmp);
    EXPECT_EQ(ChA(bmp.At(5, 5)), alpha) << t;
    // Mix 76: the top row is 76/256 texture over the gradient's red.
    EXPECT_EQ(ChR(bmp.At(0, 0)), ((int(ChR(Pattern(0, 0))) - 255) * 76 + 255 * 256) >> 8) << t;
  }
}

TEST(SectionAlpha, AGradientTakesItsAlphaOnce) {
  Skin s;
  TsGenState& st = s.Section("PANEL_LOW").StateParams[0];
  st.ImagePercent = 0;
  st.GradientPercent = 100;
  st.Transparency = 40;
  st.Gradient = {{0, 0, 0x000000FF, 0}, {1, 0, 0x00FF0000, 100}};
  TBitmap32 bmp(8, 8);
  PaintStateBackgroundAlpha(s.src, s.Index("PANEL_LOW"), 0, bmp.Bounds(), bmp);
  EXPECT_NE(st.Gradient[0].Mode & gmAlphaStop, 0u);
  for (const TsGradStop& stop : st.Gradient) EXPECT_EQ(stop.Color >> 24, 153u);
  st.Transparency = 0;
  PaintStateBackgroundAlpha(s.src, s.Index("PANEL_LOW"), 0, bmp.Bounds(), bmp);
  for (const TsGradStop& stop : st.Gradient) EXPECT_EQ(stop.Color >> 24, 153u);
}

TEST(SectionAlpha, MaskedBorderCornersShowWhatWasThere) {
  Skin s;
  TBitmap32 bmp = Filled(50, 30, MakePixel(1, 2, 3, 44));
  PaintSkinSectionAlpha(s.src, s.Index("BUTTON"), 7, {5, 5, 45, 25}, bmp);
  EXPECT_EQ(bmp.At(5, 5), MakePixel(1, 2, 3, 44));   // the fuchsia corner of the frame
  EXPECT_EQ(bmp.At(0, 0), MakePixel(1, 2, 3, 44));   // outside R
  EXPECT_NE(bmp.At(8, 8), MakePixel(1, 2, 3, 44));
  // Over the whole bitmap the result is premultiplied: alpha 0 leaves black.
  TBitmap32 whole(40, 20);
  PaintSkinSectionAlpha(s.src, s.Index("CHECKBOX"), 0, whole.Bounds(), whole);
  EXPECT_EQ(test::CountNot(whole, 0), 0);
}

// ---- blended elements ----

// A masked 9 x 9 frame with borders 3, mask 0, every pixel naming its place.
struct MaskedFrame {
  TBitmap32 img{9, 18};
  TsMaskData m;
  MaskedFrame() {
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x) {
        img.At(x, y) = MakePixel(100 + x, 100 + y, 50, 255);
        img.At(x, y + 9) = MakePixel(0, 0, 0, 255);
      }
    m.Image = &img;
    m.SrcRect = {0, 0, 9, 18};
    m.FrameWidth = m.FrameHeight = 9;
    m.MaskBlocks = 1;
    m.BorderLeft = m.BorderTop = m.BorderRight = m.BorderBottom = 3;
    m.PaintFlags = pfDrawCentre;
  }
};

TEST(MaskBlended, MarginsLimitTheSides) {
  MaskedFrame f;
  struct Case {
    TRect margins;
    int drawn;  // pixels drawn of a 20 x 20 rectangle
  } cases[] = {
      {{0, 0, 0, 0}, 4 * 9},                        // the four corners only
      {{1, 0, 0, 2}, 4 * 9 + 14 + 2 * 14},          // left one column, bottom two rows
      {{9, 9, 9, 9}, 20 * 20 - 14 * 14},            // the full border thickness, no centre
  };
  for (const Case& c : cases) {
    TBitmap32 bmp(20, 20);
    DrawSkinMaskBlended(bmp, bmp.Bounds(), EmptyBackgroundCache(), f.m, nullptr, 0, c.margins, 255);
    EXPECT_EQ(test::CountNot(bmp, 0), c.drawn) << c.margins.Left << c.margins.Bottom;
  }
  // The bottom side's outer rows are the frame's bottom rows.
  TBitmap32 bmp(20, 20);
  DrawSkinMaskBlended(bmp, bmp.Bounds(), EmptyBackgroundCache(), f.m, nullptr, 0, {0, 0, 0, 1}, 255);
  EXPECT_EQ(ChG(bmp.At(10, 19)), (108 * 254) >> 8);  // row 8 at the weight of mask 0
}

TEST(MaskBlended, OpacityAndAlpha) {
  MaskedFrame f;
  for (int y = 9; y < 18; ++y)
    for (int x = 0; x < 9; ++x) f.img.At(x, y) = MakePixel(55, 55, 55, 255);  // mask 55
  const TRect all{9, 9, 9, 9};
  // Opacity 0 keeps the colours (but for the rounding of 255/256); alpha 0 stays 0 without
  // a ready cache and becomes 255 - m with one.
  TBitmap32 back(20, 20);
  for (bool ready : {false, true}) {
    TBitmap32 bmp = Filled(20, 20, MakePixel(70, 80, 90, 0));
    DrawSkinMaskBlended(bmp, bmp.Bounds(), ready ? MakeBackgroundCache(&back, 0, 0) : EmptyBackgroundCache(), f.m,
                        nullptr, 0, all, 0);
    EXPECT_EQ(bmp.At(1, 1), MakePixel(70 * 255 >> 8, 80 * 255 >> 8, 90 * 255 >> 8, ready ? 200 : 0)) << ready;
  }
  // Alphas between 1 and 254 are raised to at least 255 - m.
  TBitmap32 bmp = Filled(20, 20, MakePixel(7, 8, 9, 30));
  DrawSkinMaskBlended(bmp, bmp.Bounds(), EmptyBackgroundCache(), f.m, nullptr, 0, all, 128);
  const uint32_t h = (200 * 128) >> 8;
  EXPECT_EQ(bmp.At(1, 1), MakePixel((7 * (255 - h) + 101 * h) >> 8, (8 * (255 - h) + 101 * h) >> 8,
                                    (9 * (255 - h) + 50 * h) >> 8, 200));
}

TEST(MaskBlended, APlainElementIgnoresOpacityAndMargins) {
  Skin s;
  const TsMaskData& edit = s.d.Masks.at(size_t(FindMaskIndex(s.d, "EDIT", "BORDERSMASK")));
  ASSERT_EQ(edit.MaskBlocks, 0);
  TBitmap32 first(30, 30);
  DrawSkinMaskBlended(first, first.Bounds(), EmptyBackgroundCache(), edit, s.loaded->master.get(), 0, {0, 0, 0, 0}, 0);
  EXPECT_NE(test::CountNot(first, 0), 0);
  for (auto [margins, opacity] : {std::pair{TRect{5, 5, 5, 5}, 255}, {TRect{0, 9, 0, 1}, 77}}) {
    TBitmap32 bmp(30, 30);
    DrawSkinMaskBlended(bmp, bmp.Bounds(), EmptyBackgroundCache(), edit, s.loaded->master.get(), 0, margins, opacity);
    EXPECT_EQ(test::Rows(bmp), test::Rows(first));
  }
}

}  // namespace
}  // namespace skin

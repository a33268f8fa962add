// Border and glyph elements painted into engine bitmaps: border shrinking, frame choice,
// tiling remainders, zero middles, masked corners taking the background, stretched centres,
// glyph alpha rules, glyphs drawn across the bitmap's edge and the transparent corners of a
// control; on small pictures whose pixels name their place, and on the project's test skin.
#include <gtest/gtest.h>

#include <array>

#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acSkinMask.h"
#include "tests/skin/TestSkin.h"
#include "tests/skin/graphics/PixelTestSupport.h"

namespace skin {
namespace {

using test::Filled;

constexpr TPixel kKey = 0x00FF00FFu;

// An element over a picture of its own: Frames frames of FW x FH side by side, with a mask
// block below when Masked.
TsMaskData Element(const TBitmap32& img, int frames, int fw, int fh, int border, bool masked = false,
                   int16_t flags = 0) {
  TsMaskData m;
  m.Image = const_cast<TBitmap32*>(&img);
  m.SrcRect = {0, 0, frames * fw, fh * (masked ? 2 : 1)};
  m.FrameCount = int16_t(frames);
  m.FrameWidth = fw;
  m.FrameHeight = fh;
  m.MaskBlocks = masked ? 1 : 0;
  m.PaintFlags = flags;
  m.BorderLeft = m.BorderTop = m.BorderRight = m.BorderBottom = int16_t(border);
  return m;
}

// A picture whose pixel at (x, y) is opaque with blue x and green y.
TBitmap32 Positions(int w, int h) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.At(x, y) = MakePixel(x, y, 0, 255);
  return b;
}

TEST(SkinMask, BordersShrinkToNarrowDestinations) {
  TBitmap32 img(30, 30);
  const TsMaskData m = Element(img, 1, 30, 30, 10);
  struct Case {
    TRect r;
    int L, Rt, T, B, MW, MH;
  } cases[] = {
      {{0, 0, 8, 30}, 4, 4, 10, 10, 22, 10},   // excess 12: six from each side
      {{0, 0, 9, 30}, 5, 4, 10, 10, 21, 10},   // excess 11: the odd pixel from the right
      {{0, 0, 30, 5}, 10, 10, 3, 2, 10, 25},   // and from the bottom
      {{0, 0, 40, 40}, 10, 10, 10, 10, 10, 10},
  };
  for (const Case& c : cases) {
    TMaskLayout lay;
    ASSERT_TRUE(LayoutSkinMask(m, nullptr, c.r, 0, lay));
    EXPECT_EQ((std::array{lay.L, lay.Rt, lay.T, lay.B, lay.MW, lay.MH}), (std::array{c.L, c.Rt, c.T, c.B, c.MW, c.MH}))
        << c.r.Width() << "x" << c.r.Height();
  }
  TMaskLayout lay;
  EXPECT_FALSE(LayoutSkinMask(m, nullptr, {0, 0, 1, 30}, 0, lay));  // under 2 pixels
  TsMaskData none = m;
  none.Image = nullptr;
  EXPECT_FALSE(LayoutSkinMask(none, nullptr, {0, 0, 30, 30}, 0, lay));  // no picture at all
}

TEST(SkinMask, StateChoosesItsFrameAndStateZeroCanBeSkipped) {
  // Three 4 x 4 frames, one colour each.
  TBitmap32 img(12, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 12; ++x) img.At(x, y) = MakePixel(10 * (x / 4 + 1), 0, 0, 255);
  TsMaskData m = Element(img, 3, 4, 4, 1, false, pfDrawCentre);
  for (auto [state, blue] : {std::pair{0, 10}, {1, 20}, {2, 30}, {5, 30}}) {
    TBitmap32 bmp(6, 6);
    DrawSkinMask(bmp, bmp.Bounds(), EmptyBackgroundCache(), m, nullptr, state, false);
    EXPECT_EQ(bmp.At(0, 0), MakePixel(blue, 0, 0, 255)) << state;
    EXPECT_EQ(bmp.At(3, 3), MakePixel(blue, 0, 0, 255)) << state;
  }
  m.PaintFlags |= pfSkipState0;
  TBitmap32 bmp(6, 6);
  DrawSkinMask(bmp, bmp.Bounds(), EmptyBackgroundCache(), m, nullptr, 0, false);
  EXPECT_EQ(test::CountNot(bmp, 0), 0);
  DrawSkinMask(bmp, bmp.Bounds(), EmptyBackgroundCache(), m, nullptr, 1, false);
  EXPECT_EQ(test::CountNot(bmp, 0), 36);
}

TEST(SkinMask, SidesTileWithTheLastTileCut) {
  // Frame 50 x 30, borders 10: a middle of 30 columns tiled over 80 as 30 + 30 + 20.
  const TBitmap32 img = Positions(50, 30);
  const TsMaskData m = Element(img, 1, 50, 30, 10, false, pfDrawCentre);
  TBitmap32 bmp(100, 75);
  DrawSkinMask(bmp, bmp.Bounds(), EmptyBackgroundCache(), m, nullptr, 0, false);
  for (int x = 10; x < 90; ++x) {
    EXPECT_EQ(ChB(bmp.At(x, 0)), 10 + (x - 10) % 30) << x;  // top side
    EXPECT_EQ(ChB(bmp.At(x, 74)), 10 + (x - 10) % 30) << x;
    EXPECT_EQ(ChG(bmp.At(x, 74)), 29);  // the bottom side from the frame's bottom rows
  }
  for (int y = 10; y < 65; ++y) {
    EXPECT_EQ(ChG(bmp.At(0, y)), 10 + (y - 10) % 10) << y;  // left side, tiles of 10
    EXPECT_EQ(bmp.At(99, y), MakePixel(49, 10 + (y - 10) % 10, 0, 255)) << y;
    EXPECT_EQ(bmp.At(50, y), MakePixel(10 + 40 % 30, 10 + (y - 10) % 10, 0, 255)) << y;  // centre
  }
  EXPECT_EQ(bmp.At(95, 70), MakePixel(45, 25, 0, 255));  // bottom-right corner at its size
}

TEST(SkinMask, StretchedSidesCoverTheirParts) {
  const TBitmap32 img = Positions(12, 12);
  const TsMaskData m = Element(img, 1, 12, 12, 4, false, pfStretch | pfDrawCentre);
  TBitmap32 bmp(40, 20);
  DrawSkinMask(bmp, bmp.Bounds(), EmptyBackgroundCache(), m, nullptr, 0, false);
  EXPECT_EQ(test::CountNot(bmp, 0), 40 * 20);
  EXPECT_EQ(ChB(bmp.At(4, 0)), 4);    // the top side's first column
  EXPECT_EQ(ChB(bmp.At(35, 0)), 7);   // and its last
  EXPECT_EQ(bmp.At(36, 16), MakePixel(8, 8, 0, 255));
}

TEST(SkinMask, AHugeRectangleWalksOnlyTheTilesOnTheBitmap) {
  // One-pixel tiles over a million pixels a side: only the bitmap's part is visited.
  const TBitmap32 img = Positions(3, 3);
  const TsMaskData m = Element(img, 1, 3, 3, 1, false, pfDrawCentre);
  TBitmap32 bmp(10, 10);
  DrawSkinMask(bmp, {-500000, -500000, 500000, 500000}, EmptyBackgroundCache(), m, nullptr, 0, false);
  EXPECT_EQ(test::CountNot(bmp, MakePixel(1, 1, 0, 255)), 0);  // all centre
}

TEST(SkinMask, ZeroMiddleLeavesTopBottomAndCentreUndrawn) {
  const TBitmap32 img = Positions(8, 12);  // borders 4: no middle columns, four middle rows
  const TsMaskData m = Element(img, 1, 8, 12, 4, false, pfDrawCentre);
  TBitmap32 bmp(20, 20);
  DrawSkinMask(bmp, bmp.Bounds(), EmptyBackgroundCache(), m, nullptr, 0, false);
  EXPECT_NE(bmp.At(0, 0), 0u);    // corners
  EXPECT_NE(bmp.At(19, 19), 0u);
  EXPECT_NE(bmp.At(0, 10), 0u);   // left and right sides
  EXPECT_NE(bmp.At(19, 10), 0u);
  EXPECT_EQ(bmp.At(10, 0), 0u);   // top, bottom and centre stay
  EXPECT_EQ(bmp.At(10, 19), 0u);
  EXPECT_EQ(bmp.At(10, 10), 0u);
}

// A masked 6 x 6 frame, borders 2, mask 0 (image shown) but for one mask-255 pixel; fuchsia
// at the top-left corner and in the top side.
struct MaskedFrame {
  TBitmap32 img = Filled(6, 12, MakePixel(10, 20, 30, 255));
  TsMaskData m;
  MaskedFrame() {
    for (int y = 6; y < 12; ++y)
      for (int x = 0; x < 6; ++x) img.At(x, y) = MakePixel(0, 0, 0, 255);
    img.At(0, 0) = kKey;
    img.At(2, 0) = kKey;
    img.At(5, 11) = MakePixel(255, 255, 255, 255);  // bottom-right pixel keeps the destination
    m = Element(img, 1, 6, 6, 2, true);
    m.CornerFlags = 1;
  }
};

TEST(SkinMask, MaskedCornersTakeTheCacheOnlyWhenAllowed) {
  MaskedFrame f;
  TBitmap32 back = Filled(10, 10, MakePixel(1, 2, 3, 77));
  const TacBackgroundCache ready = MakeBackgroundCache(&back, 0, 0);
  struct Case {
    bool useCache;
    int cornerFlags;
    TPixel corner;
  } cases[] = {
      {true, 1, MakePixel(1, 2, 3, 255)},   // the background, made opaque
      {true, 4, MakePixel(7, 7, 7, 40)},    // bits 0 and 1 clear: the key pixel is blended
      {false, 1, MakePixel(7, 7, 7, 40)},
  };
  for (const Case& c : cases) {
    TBitmap32 bmp = Filled(10, 10, MakePixel(7, 7, 7, 40));
    f.m.CornerFlags = c.cornerFlags;
    DrawSkinMask(bmp, bmp.Bounds(), ready, f.m, nullptr, 0, c.useCache);
    if (c.useCache && c.cornerFlags == 1) {
      EXPECT_EQ(bmp.At(0, 0), c.corner);
    } else {
      // Without the background a key pixel is weighed like any other (mask 0: the key colour).
      EXPECT_EQ(bmp.At(0, 0) & 0x00FFFFFFu, kKey);
    }
    EXPECT_EQ(bmp.At(2, 0), MakePixel(7, 7, 7, 40));  // side tiles skip key pixels, never the cache
    EXPECT_EQ(bmp.At(3, 1), MakePixel(10, 20, 30, 40));  // tiles keep the destination's alpha
    EXPECT_EQ(bmp.At(1, 1), MakePixel(10, 20, 30, 255));  // corners over a ready cache are opaque
    EXPECT_EQ(bmp.At(9, 9), MakePixel(7, 7, 7, 255));     // mask 255 keeps the colour
  }
}

TEST(SkinMask, StretchedOnePixelCentre) {
  // A 3 x 3 frame with borders 1: the centre is one pixel, its mask 0 or 255 or 128.
  for (auto [m, expect] : {std::pair<uint32_t, TPixel>{0, MakePixel(200, 100, 50, 255)},
                           {255, MakePixel(4, 4, 4, 9)},
                           {128, MakePixel((4 * 128 + 200 * 128) >> 8, (4 * 128 + 100 * 128) >> 8,
                                           (4 * 128 + 50 * 128) >> 8, 9)}}) {
    TBitmap32 img = Filled(3, 6, MakePixel(200, 100, 50, 255));
    for (int y = 3; y < 6; ++y)
      for (int x = 0; x < 3; ++x) img.At(x, y) = MakePixel(255, 255, 255, 255);
    img.At(1, 4) = MakePixel(m, m, m, 255);
    const TsMaskData e = Element(img, 1, 3, 3, 1, true, pfStretch | pfDrawCentre);
    TBitmap32 bmp = Filled(12, 12, MakePixel(4, 4, 4, 9));
    DrawSkinMask(bmp, bmp.Bounds(), EmptyBackgroundCache(), e, nullptr, 0, false);
    for (TPoint p : {TPoint{1, 1}, TPoint{6, 6}, TPoint{10, 10}}) EXPECT_EQ(bmp.At(p.X, p.Y), expect) << m;
  }
}

TEST(SkinMask, TestSkinButtonBorderOverAReadyCache) {
  auto s = test::Load("Korvan Test", 96);
  const TacSkinData& d = *s->data;
  const TsMaskData& button = d.Masks.at(size_t(FindMaskIndex(d, "BUTTON", "BORDERSMASK")));
  ASSERT_EQ(button.FrameCount, 3);
  ASSERT_NE(button.CornerFlags & 3, 0);
  TBitmap32 back = Filled(60, 40, MakePixel(9, 8, 7, 6));
  TBitmap32 bmp(60, 40);
  DrawSkinMask(bmp, bmp.Bounds(), MakeBackgroundCache(&back, 0, 0), button, s->master.get(), 7, true);
  EXPECT_EQ(bmp.At(0, 0), MakePixel(9, 8, 7, 255));  // the frame's fuchsia corner
  // The picture (160, 90, 40 as blue, green, red) over its mask block of the same colour.
  const auto mix = [](int i, int m) { return uint32_t(((0 - i) * m + i * 256) >> 8); };
  EXPECT_EQ(bmp.At(3, 3), MakePixel(mix(160, 160), mix(90, 90), mix(40, 40), 255));
  EXPECT_EQ(bmp.At(30, 1), MakePixel(mix(160, 160), mix(90, 90), mix(40, 40), 0));  // a tile: alpha kept
  EXPECT_EQ(bmp.At(30, 20), 0u);  // no centre
}

// ---- glyphs ----

TEST(MaskGlyph, StateBeyondTheFramesDrawsTheLast) {
  auto s = test::Load("Korvan Test", 96);
  const TacSkinData& d = *s->data;
  const TsMaskData& glyph = d.Masks.at(size_t(FindMaskIndex(d, "COMBOBOX", "GLYPHMASK")));
  ASSERT_EQ(glyph.FrameCount, 2);
  TBitmap32 bmp = Filled(20, 20, MakePixel(1, 1, 1, 255));
  DrawMaskGlyph(bmp, {2, 2}, 3, 1, glyph, s->master.get(), EmptyBackgroundCache());
  EXPECT_EQ(bmp.At(10, 10), MakePixel(230, 230, 230, 255));  // the light square of frame 1
  EXPECT_EQ(bmp.At(3, 3), MakePixel(1, 1, 1, 255));         // its fuchsia ground is skipped
}

// A skin's text may give an element any geometry: frames whose picture rectangle lies past
// the pixel coordinates draw nothing, as a border or as a glyph, whatever the state.
TEST(MaskGlyph, FramesPastThePixelCoordinatesDrawNothing) {
  TBitmap32 img = Positions(8, 4);
  const int32_t huge = 2147483647;
  struct Case {
    const char* what;
    int32_t left, frameWidth;
    int16_t frames;
    int state;
  };
  const Case cases[] = {
      {"a frame as wide as the coordinates", 0, huge, 1, 0},
      {"a later frame beyond them", 0, 1 << 20, 32767, 32766},
      {"a picture rectangle starting beyond them", -huge, 4, 1, 0},
  };
  for (const Case& c : cases) {
    TsMaskData m = Element(img, 1, 4, 4, 1, false, pfDrawCentre);
    m.SrcRect.Left = c.left;
    m.FrameWidth = c.frameWidth;
    m.FrameCount = c.frames;
    TBitmap32 bmp(6, 6);
    DrawMaskGlyph(bmp, {1, 1}, c.state, 1, m, nullptr, EmptyBackgroundCache());
    DrawSkinMask(bmp, bmp.Bounds(), EmptyBackgroundCache(), m, nullptr, c.state, false);
    EXPECT_EQ(test::CountNot(bmp, 0), 0) << c.what;
  }
}

TEST(MaskGlyph, AlphaRules) {
  TBitmap32 masked = Filled(2, 2, MakePixel(100, 150, 200, 255));
  masked.At(0, 1) = MakePixel(0, 0, 0, 255);        // mask 0 under pixel 0
  masked.At(1, 1) = MakePixel(255, 255, 255, 255);  // mask 255 under pixel 1
  TsMaskData mm = Element(masked, 1, 2, 1, 0, true);
  TBitmap32 alpha(2, 1);
  alpha.At(0, 0) = MakePixel(100, 150, 200, 255);
  alpha.At(1, 0) = MakePixel(100, 150, 200, 0);
  TsMaskData am = Element(alpha, 1, 2, 1, 0, false, pfAlphaPicture);
  const TPixel ground = MakePixel(50, 50, 50, 0);
  struct Case {
    const TsMaskData* m;
    int blend;
    TPixel p0, p1;
  } cases[] = {
      // Mask 0 shows the image, alpha 0 + 255 * 255 >> 8; mask 255 leaves the pixel whole.
      {&mm, 1, MakePixel(100, 150, 200, 254), ground},
      // Half transparent: weight 100 of 256 for the destination.
      {&mm, 0, MakePixel((50 * 100 + 100 * 156) >> 8, (50 * 100 + 150 * 156) >> 8, (50 * 100 + 200 * 156) >> 8, 254),
       ground},
      {&am, 1, MakePixel(100, 150, 200, 254), ground},
      {&am, 0, MakePixel((50 * 100 + 100 * 156) >> 8, (50 * 100 + 150 * 156) >> 8, (50 * 100 + 200 * 156) >> 8, 254),
       ground},
  };
  for (const Case& c : cases) {
    TBitmap32 bmp = Filled(2, 1, ground);
    DrawMaskGlyph(bmp, {0, 0}, 0, c.blend, *c.m, nullptr, EmptyBackgroundCache());
    EXPECT_EQ(bmp.At(0, 0), c.p0) << c.blend;
    EXPECT_EQ(bmp.At(1, 0), c.p1) << c.blend;
  }
}

TEST(MaskGlyph, ANegativePositionCutsSourceAndDestinationTogether) {
  // Two 4 x 4 frames, A and B, over a mask of 0; and the same as an alpha picture.
  TBitmap32 masked(8, 8), alpha(8, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      masked.At(x, y) = alpha.At(x, y) = x < 4 ? MakePixel(10, 0, 0, 255) : MakePixel(20, 0, 0, 255);
      masked.At(x, y + 4) = MakePixel(0, 0, 0, 255);
    }
  const TsMaskData elements[] = {Element(masked, 2, 4, 4, 0, true), Element(alpha, 2, 4, 4, 0, false, pfAlphaPicture)};
  for (const TsMaskData& e : elements) {
    for (TPoint p : {TPoint{-2, 0}, TPoint{0, -2}, TPoint{-3, -3}}) {
      TBitmap32 bmp(8, 8);
      DrawMaskGlyph(bmp, p, 0, 1, e, nullptr, EmptyBackgroundCache());
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          const bool inside = x < p.X + 4 && y < p.Y + 4;
          EXPECT_EQ(bmp.At(x, y), inside ? MakePixel(10, 0, 0, 254) : 0u)
              << p.X << "," << p.Y << " at " << x << "," << y;
        }
    }
  }
}

TEST(MaskGlyph, CopyMaskedFromMasterFillsKeyPixels) {
  TBitmap32 master(3, 2);
  master.At(0, 0) = kKey;
  master.At(1, 0) = 0x10FF00FFu;  // fuchsia with some alpha is a colour like any other
  master.At(2, 0) = kKey;
  for (int x = 0; x < 3; ++x) master.At(x, 1) = 0;  // mask 0
  TsMaskData m;
  m.SrcRect = {0, 0, 3, 2};
  TBitmap32 back = Filled(3, 1, MakePixel(5, 6, 7, 8));
  for (bool ready : {false, true}) {
    TacBackgroundCache red = ready ? MakeBackgroundCache(&back, 0, 0) : TacBackgroundCache{};
    red.FillColor = 0x000000FF;
    TBitmap32 bmp = Filled(3, 1, MakePixel(1, 1, 1, 1));
    CopyMaskedFromMaster({0, 0, 3, 1}, {0, 0, 3, 1}, bmp, red, m, &master);
    EXPECT_EQ(bmp.At(0, 0), 0x00FF0000u) << ready;  // red as a pixel, alpha 0
    EXPECT_EQ(bmp.At(1, 0), MakePixel(255, 0, 255, 1));
  }
  TBitmap32 bmp = Filled(3, 1, MakePixel(1, 1, 1, 1));
  CopyMaskedFromMaster({0, 0, 3, 1}, {0, 0, 3, 1}, bmp, MakeBackgroundCache(&back, 1, 0), m, &master);
  EXPECT_EQ(bmp.At(0, 0), MakePixel(5, 6, 7, 8));  // the cache's pixel as it is
  EXPECT_EQ(bmp.At(2, 0), MakePixel(1, 1, 1, 1));  // past the cache's right edge: kept
  bmp = Filled(3, 1, MakePixel(1, 1, 1, 1));
  CopyMaskedFromMaster({0, 0, 3, 1}, {0, 0, 3, 1}, bmp, EmptyBackgroundCache(), m, nullptr);
  EXPECT_EQ(test::CountNot(bmp, MakePixel(1, 1, 1, 1)), 0);  // no master: nothing
}


// ---- transparent corners of a control ----

// Three 6 x 6 frames, borders 2: frame 2 has fuchsia in all four corner pixels, the others
// only at the top-left.
struct CornerElement {
  TBitmap32 img{18, 6};
  TsMaskData m;
  CornerElement() {
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 18; ++x) img.At(x, y) = MakePixel(10 + 10 * (x / 6), 0, 0, 255);
    for (int f = 0; f < 3; ++f) img.At(f * 6, 0) = kKey;
    img.At(17, 0) = img.At(12, 5) = img.At(17, 5) = kKey;
    m = Element(img, 3, 6, 6, 2);
    m.CornerFlags = 1;
  }
};

TEST(TransparentCorners, ColourAndBitmapAnswers) {
  CornerElement e;
  const TPixel ground = MakePixel(1, 1, 1, 1);
  TacBackgroundQuery colour;
  colour.Kind = bkColor;
  colour.Color = 0x00123456;
  TBitmap32 parent = Positions(60, 60);
  TacBackgroundQuery picture;
  picture.Kind = bkBitmap;
  picture.Bitmap = &parent;
  struct Case {
    const TacBackgroundQuery* q;
    int state, cornerFlags;
    uint8_t corners;
    TPixel tl, tr, bl, br;
  } cases[] = {
      {&colour, 2, 1, acTopLeft | acTopRight, 0x00563412u, 0x00563412u, ground, ground},
      {&picture, 4, 1, 15, parent.At(10, 20), parent.At(29, 20), parent.At(10, 35), parent.At(29, 35)},
      {&picture, 0, 1, 15, parent.At(10, 20), ground, ground, ground},  // frame 0: one corner only
      {&picture, 2, 4, 15, ground, ground, ground, ground},             // bits 0 and 1 clear
  };
  for (const Case& c : cases) {
    e.m.CornerFlags = c.cornerFlags;
    TBitmap32 cached = Filled(20, 16, ground);
    FillTransparentCorners(cached, e.m, nullptr, c.state, c.corners, *c.q, {10, 20});
    EXPECT_EQ((std::array{cached.At(0, 0), cached.At(19, 0), cached.At(0, 15), cached.At(19, 15)}),
              (std::array{c.tl, c.tr, c.bl, c.br}))
        << c.state << " " << int(c.corners);
    EXPECT_EQ(cached.At(1, 0), ground);
  }
  // A plain element keeps its corners when the answer is the transparent colour itself; a
  // masked one takes even that.
  colour.Color = clFuchsia;
  TBitmap32 cached = Filled(20, 16, ground);
  FillTransparentCorners(cached, e.m, nullptr, 2, 15, colour, {0, 0});
  EXPECT_EQ(test::CountNot(cached, ground), 0);
  MaskedFrame f;
  FillTransparentCorners(cached, f.m, nullptr, 0, acTopLeft, colour, {0, 0});
  EXPECT_EQ(cached.At(0, 0), kKey);
}

}  // namespace
}  // namespace skin

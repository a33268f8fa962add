// Gradient strings in both forms, the painters' bands, the textured gradient and the
// shadow bitmaps, with the worked examples of the format as expectations.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "PixelTestSupport.h"
#include "rtl/SysUtils.h"
#include "skin/graphics/acGradient.h"

using namespace skin;
using skin::test::CountNot;
using skin::test::Filled;
using skin::test::Rows;

namespace {

TsGradArray Parse(std::string_view s) {
  TsGradArray g{TsGradStop{}, TsGradStop{}};  // always replaced
  ParseGradientString(s, g);
  return g;
}

TsGradStop Stop(uint32_t color, uint8_t percent, uint32_t mode = 0) {
  TsGradStop s;
  s.Color = color;
  s.Percent = percent;
  s.Mode = mode;
  return s;
}

// Red, green and blue of a pixel.
std::array<int, 3> RGB(TPixel p) { return {ChR(p), ChG(p), ChB(p)}; }

// Records what the platform would have to draw.
struct RecordedFills : TGradientFills {
  std::vector<std::string> calls;
  void Linear(bool vertical, int x, int y, int w, int h, TColor c0, TColor c1) override {
    calls.push_back(rtl::Format("%s %d %d %d %d %08X %08X", vertical ? "V" : "H", x, y, w, h, c0, c1));
  }
  void Path(const TRect& r, const TColor c[4], TColor center) override {
    calls.push_back(rtl::Format("P %d %d %d %d %X %X %X %X %X", r.Left, r.Top, r.Right, r.Bottom, c[0], c[1], c[2], c[3],
                                center));
  }
  void Triangles(const TPoint v[5], const TColor c[5]) override {
    calls.push_back(rtl::Format("T %d,%d %d,%d %d,%d %d,%d %d,%d %X %X %X %X %X", v[0].X, v[0].Y, v[1].X, v[1].Y, v[2].X,
                                v[2].Y, v[3].X, v[3].Y, v[4].X, v[4].Y, c[0], c[1], c[2], c[3], c[4]));
  }
};

}  // namespace

TEST(GradientString, ThreeFieldForm) {
  const TsGradArray g = Parse("16777215;0;0;255;40;0;B");
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].Color, 16777215u);
  EXPECT_EQ(g[0].Percent, 0);
  EXPECT_EQ(g[1].Index, 1);
  EXPECT_EQ(g[1].Color, 255u);
  EXPECT_EQ(g[1].Percent, 100);  // 40, then the last stop holds 100

  const TsGradArray h = Parse("255;50;0;16776960;150;0;B");
  EXPECT_EQ(h[0].Percent, 50);
  EXPECT_EQ(h[1].Percent, 100);

  // An alpha stop marks the first stop as an alpha gradient; the colour's high byte stays.
  const TsGradArray a = Parse("2164195583;0;0;65280;100;16;B");
  EXPECT_EQ(a[0].Mode, 0x20u);
  EXPECT_EQ(a[1].Mode, 0x10u);
  EXPECT_EQ(a[0].Color, 0x80FF00FFu);
}

TEST(GradientString, FiveFieldForm) {
  const TsGradArray g = Parse("16777215;0;30;0;0;255;0;70;0;0");
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].Color, 0xFFFFFFFFu);
  EXPECT_EQ(g[0].Percent, 0);
  EXPECT_EQ(g[1].Color, 0xFF0000FFu);
  EXPECT_EQ(g[1].Percent, 100);
  // Band widths are clamped and summed; the alpha-stop bit is cleared.
  const TsGradArray w = Parse("1;9;-5;16;9;2;9;60;17;9;3;9;70;0;9;4;9;0;0;0");
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[1].Percent, 0);
  EXPECT_EQ(w[2].Percent, 60);
  EXPECT_EQ(w[3].Percent, 100);
  EXPECT_EQ(w[0].Mode, 0u);
  EXPECT_EQ(w[1].Mode, 1u);
  // Direction 2 with two stops: lengthened to five, copies of stop 1 (its Index too).
  const TsGradArray c = Parse("1;0;50;2;0;2;0;50;0;0");
  ASSERT_EQ(c.size(), 5u);
  for (size_t i = 2; i < 5; ++i) {
    EXPECT_EQ(c[i].Index, 1);
    EXPECT_EQ(c[i].Color, 0xFF000002u);
  }
  EXPECT_EQ(c[4].Percent, 100);
}

TEST(GradientString, EmptyAndBadStrings) {
  EXPECT_TRUE(Parse("0;;0").empty());  // 4 characters
  EXPECT_TRUE(Parse("").empty());
  EXPECT_TRUE(Parse("1;2;30").empty());      // five-field form without a whole stop
  EXPECT_TRUE(Parse("1;2;3;4;5;@").empty());  // no stops: nothing to complete
  EXPECT_THROW(Parse("abc;0;0;1;0;B"), rtl::EConvertError);
  // Missing fields are a conversion error, never a read beyond the string.
  EXPECT_THROW(Parse("255;0;0;C"), rtl::EConvertError);
  EXPECT_THROW(Parse("255;0;0;!"), rtl::ERangeError);
  // A 64-bit number keeps its low 32 bits.
  EXPECT_EQ(Parse("4294967551;0;0;1;100;0;B")[0].Color, 0xFFu);
}

TEST(GradientPaint, VerticalBands) {
  // Black to red in 3 rows, then red to white: each band starts with its own first colour.
  TBitmap32 b = Filled(2, 6, 0, true);
  PaintGradient(b, {0, 0, 2, 6}, {Stop(0, 0), Stop(0x0000FF, 50), Stop(0xFFFFFF, 100)});
  const std::vector<std::array<int, 3>> expected = {{0, 0, 0},     {85, 0, 0},     {170, 0, 0},
                                                    {255, 0, 0},   {255, 85, 85},  {255, 170, 170}};
  for (int y = 0; y < 6; ++y) {
    EXPECT_EQ(RGB(b.At(1, y)), expected[static_cast<size_t>(y)]) << y;
    EXPECT_EQ(ChA(b.At(0, y)), 255);
  }
}

TEST(GradientPaint, WorkedExampleRoundsHalvesToEven) {
  TsGradArray g;
  ParseGradientString("16777215;0;0;255;40;0;B", g);
  TBitmap32 b(1, 100);
  PaintGradient(b, {0, 0, 1, 100}, g);
  EXPECT_EQ(RGB(b.At(0, 0)), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(RGB(b.At(0, 1)), (std::array<int, 3>{255, 252, 252}));    // 252.45
  EXPECT_EQ(RGB(b.At(0, 50)), (std::array<int, 3>{255, 128, 128}));   // 127.5
  EXPECT_EQ(RGB(b.At(0, 99)), (std::array<int, 3>{255, 3, 3}));       // 2.55
}

TEST(GradientPaint, HorizontalRowRepeatedInEveryRow) {
  TBitmap32 b = Filled(7, 3, 0x12345678);
  PaintGradient(b, {0, 0, 5, 3}, {Stop(0, 0, gdHorizontal), Stop(0x0000FF, 100)});
  // Columns 0..4, step 63.75: 0, 63.75, 127.5, 191.25, 255.
  const int reds[] = {0, 64, 128, 191, 255};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(b.At(x, y), 0xFF000000u | (static_cast<uint32_t>(reds[x]) << 16)) << x;
    EXPECT_EQ(b.At(5, y), 0x12345678u);  // the gradient stays inside its rectangle
  }
}

TEST(GradientPaint, ZeroWidthBandPaintsItsFirstColour) {
  TBitmap32 b = Filled(3, 2, 0);
  PaintGradient(b, {1, 0, 2, 2}, {Stop(0x00FF00, 0, gdHorizontal), Stop(0x0000FF, 100)});
  EXPECT_EQ(b.At(1, 0), 0xFF00FF00u);
  EXPECT_EQ(b.At(1, 1), 0xFF00FF00u);
  EXPECT_EQ(b.At(0, 0), 0u);
  EXPECT_EQ(b.At(2, 0), 0u);
}

TEST(GradientPaint, BandExtentsNeverRunBackwards) {
  // Percent 80 then 20: the second band gets no rows instead of moving the third band up.
  const TsGradArray g = {Stop(0, 0), Stop(0x0000FF, 80), Stop(0x00FF00, 20), Stop(0xFF0000, 100)};
  TBitmap32 b(1, 10);
  PaintGradient(b, {0, 0, 1, 10}, g);
  EXPECT_EQ(RGB(b.At(0, 2)), (std::array<int, 3>{64, 0, 0}));  // still the first band: 255 * 2 / 8
  EXPECT_EQ(RGB(b.At(0, 8)), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(RGB(b.At(0, 9)), (std::array<int, 3>{0, 128, 128}));
  TsGradArray h = g;
  h[0].Mode = gdHorizontal;
  TBitmap32 c(10, 1);
  PaintGradient(c, {0, 0, 10, 1}, h);
  EXPECT_EQ(RGB(c.At(2, 0))[0], 64);  // 255 * 2 / 8, first band
  EXPECT_EQ(RGB(c.At(9, 0)), (std::array<int, 3>{0, 0, 255}));
}

TEST(GradientPaint, EmptyArraysRectanglesAndMissingPlatformFills) {
  TBitmap32 b = Filled(2, 2, 0x11111111);
  PaintGradient(b, {0, 0, 2, 2}, {});
  PaintGradient(b, {5, 5, 9, 9}, {Stop(0, 0), Stop(0xFF, 100)});
  PaintGradient(b, {0, 0, 2, 2}, {Stop(0, 0, gdCorners), Stop(1, 0), Stop(2, 0), Stop(3, 0), Stop(4, 100)});
  PaintGradient(b, {0, 0, 2, 2}, {Stop(0, 0, gmAlphaStop), Stop(0xFF, 100)});  // GDI+ band, no GDI+
  EXPECT_EQ(CountNot(b, 0x11111111), 0);
}

TEST(GradientPaint, PlatformFillsGetTheirGeometry) {
  RecordedFills f;
  TBitmap32 b = Filled(10, 10, 0);
  // Vertical: an alpha band over rows 0..4 starts one row above (excluded from the clip).
  PaintGradient(b, {0, 0, 10, 10}, {Stop(0x80000000, 0, gmAlphaStop), Stop(0xFF0000FF, 50), Stop(0xFF0000FF, 100)}, &f);
  PaintGradient(b, {2, 0, 10, 4}, {Stop(0x80000000, 0, gdHorizontal | gmAlphaStop), Stop(0xFF0000FF, 100)}, &f);
  PaintGradient(b, {0, 0, 8, 6}, {Stop(1, 0, gdCorners), Stop(2, 0), Stop(3, 0), Stop(4, 0), Stop(5, 100)}, &f);
  PaintGradient(b, {0, 0, 8, 6}, {Stop(1, 0, gdCorners | gmAlphaGradient), Stop(2, 0), Stop(3, 0), Stop(4, 0), Stop(5, 100)},
                &f);
  EXPECT_EQ(f.calls, (std::vector<std::string>{
                         "V 0 -1 10 6 80000000 FF0000FF",
                         "H 1 0 9 4 80000000 FF0000FF",
                         "T 0,0 4,3 8,0 8,6 0,6 1 2 3 4 5",
                         "P 0 0 8 6 1 3 4 5 2",
                     }));
  // The plain band of the first call was filled by the colour alone: rows 5..9 red.
  EXPECT_EQ(b.At(3, 7), 0xFFFF0000u);
}

TEST(GradientPaint, TexturedGradient) {
  // Texture 3 x 3 (its usable part 2 x 2 after the reduction): white at (0, 0), black elsewhere.
  TBitmap32 tex = Filled(3, 3, 0xFF000000);
  tex.At(0, 0) = 0xFFFFFFFF;
  TBitmap32 b = Filled(4, 2, 0);
  PaintTexturedGradient(b, {0, 0, 4, 2}, {Stop(0x808080, 0), Stop(0x808080, 100)}, tex, {}, 128, 200);
  // (128 * (255 - 128) + 128 * 256) >> 8 = 191 on white texels, (128 * -128 + 32768) >> 8 = 64 on black.
  EXPECT_EQ(Rows(b), (std::vector<std::vector<TPixel>>{{0xC8BFBFBF, 0xC8404040, 0xC8BFBFBF, 0xC8404040},
                                                      {0xC8404040, 0xC8404040, 0xC8404040, 0xC8404040}}));
  // Horizontal: the gradient row mixed with each row's texture row.
  TBitmap32 h = Filled(2, 2, 0);
  PaintTexturedGradient(h, {0, 0, 2, 2}, {Stop(0, 0, gdHorizontal), Stop(0xFFFFFF, 100)}, tex, {}, 0, 255);
  EXPECT_EQ(Rows(h), (std::vector<std::vector<TPixel>>{{0xFF000000, 0xFFFFFFFF}, {0xFF000000, 0xFFFFFFFF}}));
}

TEST(GradientPaint, TexturedGradientWithoutUsableTexturePaintsNothing) {
  TBitmap32 b = Filled(3, 3, 0x11111111);
  const TsGradArray g = {Stop(0, 0), Stop(0xFFFFFF, 100)};
  PaintTexturedGradient(b, b.Bounds(), g, Filled(1, 1, 0xFFFFFFFF), {}, 128, 255);  // reduced to 0 x 0
  PaintTexturedGradient(b, b.Bounds(), g, Filled(4, 4, 0xFFFFFFFF), {3, 3, 9, 9}, 128, 255);  // 0 wide
  PaintTexturedGradient(b, b.Bounds(), g, Filled(4, 4, 0xFFFFFFFF), {-1, 0, 2, 2}, 128, 255);  // outside
  PaintTexturedGradient(b, b.Bounds(), g, TBitmap32(), {}, 128, 255);
  EXPECT_EQ(CountNot(b, 0x11111111), 0);
}

TEST(ShadowBitmap, PopupShadowSizeAndTransparentTop) {
  const TBitmap32 s = CreateShadowBitmap(0x44000000, 17, 2, 8, 0, 0, false);
  ASSERT_EQ(s.Width(), 35);
  ASSERT_EQ(s.Height(), 45);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 35; ++x) EXPECT_EQ(s.At(x, y), 0u);
  // The centre is fully inside: alpha 0x44 * 255 >> 8 = 67, colour black.
  EXPECT_EQ(s.At(17, 22), 0x43000000u);
  // Rows 19..27 are copies of row 19; the shape is mirrored left to right and top to bottom.
  for (int y = 20; y <= 27; ++y) EXPECT_EQ(Rows(s)[static_cast<size_t>(y)], Rows(s)[19]);
  EXPECT_EQ(s.At(3, 10), s.At(31, 10));
  EXPECT_EQ(s.At(3, 10), s.At(3, 36));
  EXPECT_EQ(s.At(0, 2), 0u);  // the corner lies outside the circle
}

TEST(ShadowBitmap, ColouredFadeNeverPassesFullStrength) {
  // White at full alpha, radius 10, fade 3 (inner radius 7): at (3, 9), distance 7.07, the
  // fade formula gives 326; held at 255 the alpha is 255 * 255 >> 8 = 254. Along the row
  // the alpha falls steadily outwards and the premultiplied channels never exceed it.
  const TBitmap32 s = CreateShadowBitmap(0xFFFFFFFF, 10, 0, 0, 0, 3, false);
  EXPECT_EQ(ChA(s.At(3, 9)), 254);
  int previous = 256;
  for (int x = 10; x >= 0; --x) {
    const TPixel p = s.At(x, 9);
    EXPECT_LE(ChA(p), previous) << x;
    EXPECT_LE(ChR(p), ChA(p));
    previous = ChA(p);
  }
}

TEST(ShadowBitmap, SizesASkinCannotHaveGiveNoBitmap) {
  EXPECT_FALSE(CreateShadowBitmap(0x44000000, -1, 2, 8, 0, 0, false).HasRows());
  EXPECT_FALSE(CreateShadowBitmap(0x44000000, 17, -2, 8, 0, 0, false).HasRows());
  EXPECT_FALSE(CreateShadowBitmap(0x44000000, 0x7FFFFFFF, 0, 0, 0, 0, false).HasRows());
}

TEST(ShadowBitmap, MaskForm) {
  // Radius 2, no fade width (taken as 2), black: centre grey 0; at distance 2:
  // i = round(1 * (1 - 2/3) * 255 / 3) = 28, grey (255 * 227) >> 8 = 226; corners white.
  const TBitmap32 m = CreateShadowBitmap(0x00000000, 2, 0, 0, 0, 0, true);
  EXPECT_EQ(m.At(2, 2), 0xFF000000u);
  EXPECT_EQ(m.At(0, 2), 0xFFE2E2E2u);
  EXPECT_EQ(m.At(4, 2), 0xFFE2E2E2u);
  EXPECT_EQ(m.At(0, 0), 0xFFFFFFFFu);
  // Extra width repeats the centre column.
  const TBitmap32 w = CreateShadowBitmap(0x00000000, 2, 0, 0, 3, 0, true);
  ASSERT_EQ(w.Width(), 8);
  EXPECT_EQ(w.At(3, 2), w.At(2, 2));
  EXPECT_EQ(w.At(7, 2), 0xFFE2E2E2u);
}

// The pixel steps of text and glow: rendered text moved onto 32-bit bitmaps with its alpha
// rules and its window cut to the bitmap, the blur kernel (a glow of size 0 keeps the mask)
// and the glow laid on by the mask's coverage.
#include <gtest/gtest.h>

#include <numeric>

#include "skin/graphics/acTextPixels.h"
#include "tests/skin/graphics/PixelTestSupport.h"

namespace skin {
namespace {

using test::Filled;

constexpr TColor kText = 0x00336699;  // red 0x99, green 0x66, blue 0x33

TEST(TextPixels, AlphaModeCoversByGreyAndPremultiplies) {
  // Full ink, grey 128, paper of both kinds.
  const TBitmap32 text = test::Pixels({{0, MakePixel(128, 128, 128, 0), 0x00FFFFFFu, 0xFFFFFFFFu}});
  TBitmap32 bmp(4, 1);
  TransferTextPixels(bmp, text, {0, 0}, true, kText);
  const auto full = [](int k) { return uint32_t((((0 - k) * 1 + k * 256) * 254) >> 16); };
  EXPECT_EQ(bmp.At(0, 0), MakePixel(full(0x33), full(0x66), full(0x99), 254));
  EXPECT_EQ(ChA(bmp.At(1, 0)), 127u);
  EXPECT_EQ(bmp.At(2, 0), 0u);
  EXPECT_EQ(bmp.At(3, 0), 0u);
  // An opaque target keeps alpha 255 and takes the colour by the coverage.
  TBitmap32 opaque = Filled(1, 1, MakePixel(200, 200, 200, 255));
  TransferTextPixels(opaque, test::Pixels({{MakePixel(128, 128, 128, 0)}}), {0, 0}, true, kText);
  EXPECT_EQ(opaque.At(0, 0), MakePixel(((200 - 0x33) * 128 + 0x33 * 256) * 255 >> 16,
                                       ((200 - 0x66) * 128 + 0x66 * 256) * 255 >> 16,
                                       ((200 - 0x99) * 128 + 0x99 * 256) * 255 >> 16, 255));
}

TEST(TextPixels, OpaqueModeUsesEachChannelAsCoverage) {
  const TBitmap32 text = test::Pixels({{0, MakePixel(0, 128, 255, 7)}});
  TBitmap32 bmp = Filled(2, 1, MakePixel(10, 20, 30, 40));
  TransferTextPixels(bmp, text, {0, 0}, false, kText);
  EXPECT_EQ(bmp.At(0, 0), MakePixel(0x33, 0x66, 0x99, 255));  // full ink: exactly the colour
  EXPECT_EQ(bmp.At(1, 0), MakePixel(0x33, ((20 - 0x66) * 128 + 0x66 * 256) >> 8, 30, 255));
}

TEST(TextPixels, TheWindowIsCutToTheTarget) {
  // Text rows name their row in blue; at Top -3 rows 3.. land on rows 0..
  TBitmap32 text(3, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 3; ++x) text.At(x, y) = MakePixel(y, 0, 0, 0);
  for (TPoint at : {TPoint{0, -3}, TPoint{-2, 1}, TPoint{2, 2}}) {
    TBitmap32 bmp = Filled(4, 4, 0x00FFFFFFu);
    TransferTextPixels(bmp, text, at, false, 0);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const int tx = x - at.X, ty = y - at.Y;
        const bool inside = tx >= 0 && tx < 3 && ty >= 0 && ty < 6;
        // With colour 0 the result is the text pixel's own channels times the target's.
        EXPECT_EQ(bmp.At(x, y), inside ? MakePixel((255 * ty) >> 8, 0, 0, 255) : 0x00FFFFFFu) << x << "," << y;
      }
  }
}

TEST(BlurKernel, HalfWidthAndWeights) {
  struct Case {
    double radius;
    int halfWidth;
  } cases[] = {{0, 0}, {-1, 0}, {0.5, 1}, {1, 1}, {4, 3}, {6, 6}, {100, 15}};
  for (const Case& c : cases) {
    const TBlurKernel k = MakeBlurKernel(c.radius);
    EXPECT_EQ(k.HalfWidth, c.halfWidth) << c.radius;
    ASSERT_EQ(k.Weights.size(), size_t(2 * c.halfWidth + 1));
    EXPECT_NEAR(std::accumulate(k.Weights.begin(), k.Weights.end(), 0.0f), 1.0f, 1e-5) << c.radius;
  }
}

TEST(BlurKernel, ZeroRadiusKeepsTheMask) {
  TacGlowMask m{5, 3, {255, 0, 255, 128, 255, 0, 0, 0, 0, 0, 255, 255, 17, 255, 255}};
  const std::vector<uint8_t> before = m.Pixels;
  TBytePlane p = m.Plane();
  BlurMask8(p, 0);
  EXPECT_EQ(m.Pixels, before);
  // A real radius spreads a dark pixel over its neighbours, rows then columns.
  TacGlowMask dot{7, 7, std::vector<uint8_t>(49, 255)};
  dot.Pixels[24] = 0;
  TBytePlane q = dot.Plane();
  BlurMask8(q, 2);
  EXPECT_LT(dot.Pixels[24], 255);
  EXPECT_LT(dot.Pixels[23], 255);
  EXPECT_EQ(dot.Pixels[23], dot.Pixels[17]);  // symmetric across rows and columns
  EXPECT_EQ(dot.Pixels[0], 255);
}

TEST(GlowMask, CoverageBlendsTheColourAndRaisesAlpha) {
  TacGlowMask m{2, 1, {255, 55}};
  TBitmap32 bmp = Filled(3, 2, MakePixel(10, 20, 30, 100));
  ApplyGlowMask(bmp, m, {1, 1}, 0x00FF0000);  // blue glow
  EXPECT_EQ(bmp.At(1, 1), MakePixel(10, 20, 30, 100));  // mask 255: untouched
  EXPECT_EQ(bmp.At(2, 1), MakePixel((200 * 255 + 10 * 55) >> 8, (20 * 55) >> 8, (30 * 55) >> 8,
                                    100 + ((155 * 200) >> 8)));
  ApplyGlowMask(bmp, m, {2, -1}, 0x00FF0000);  // outside: nothing
  EXPECT_EQ(bmp.At(2, 0), MakePixel(10, 20, 30, 100));
}

}  // namespace
}  // namespace skin

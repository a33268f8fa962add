// Alpha primitives: premultiplying, fills, fades and transparent parts, with the
// expectations worked out from the engine's integer formulas.
#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "rtl/SysUtils.h"
#include "skin/graphics/acAlphaPixels.h"

using namespace skin;
using skin::test::CountNot;
using skin::test::Filled;
using skin::test::Pixels;
using skin::test::Rows;

TEST(AlphaPixels, Premultiply) {
  struct {
    TPixel in;
    bool composition;
    TPixel out;
  } cases[] = {
      {0x00FFFFFF, true, 0x00000000},   // untouched white: fully transparent
      {0x01FFFFFF, true, 0x01000000},   // white with alpha 1: black, alpha kept
      {0xFFFFFFFF, true, 0xFFFEFEFE},   // 255 * 255 >> 8
      {0x807F4020, true, 0x803F2010},
      {0xFFFAFAFA, false, 0xFFF4F4F4},  // near-white without composition: at most 244
      {0xFFFAFAC8, false, 0xFFF9F9C7},  // blue 200 is not near-white: plain formula
      {0xFFFAFAFA, true, 0xFFF9F9F9},
  };
  for (const auto& c : cases) {
    TBitmap32 b = Filled(2, 2, c.in, true);
    PremultiplyBitmap(b, c.composition);
    EXPECT_EQ(CountNot(b, c.out), 0) << std::hex << c.in;
  }
  // A rectangle reaching outside the bitmap changes only the pixels inside.
  TBitmap32 b = Filled(2, 2, 0xFFFFFFFF);
  PremultiplyBitmapRect(b, {1, 1, 5, 5}, true);
  EXPECT_EQ(Rows(b), (std::vector<std::vector<TPixel>>{{0xFFFFFFFF, 0xFFFFFFFF}, {0xFFFFFFFF, 0xFFFEFEFE}}));
}

TEST(AlphaPixels, ByteSwapsAndIntegers) {
  EXPECT_EQ(ByteSwap32(0x11223344), 0x44332211u);
  uint32_t a[2] = {0x01020304, 0xA0B0C0D0};
  ByteSwap32Array(a, 2);
  EXPECT_EQ(a[0], 0x04030201u);
  EXPECT_EQ(a[1], 0xD0C0B0A0u);
  int32_t n[3] = {1, 2, 3};
  FillIntegers(n, -1, 7);
  FillIntegers(n, 2, 7);
  EXPECT_EQ(n[1], 7);
  EXPECT_EQ(n[2], 3);
}

TEST(AlphaPixels, PixelReadsAndWritesStayInside) {
  TBitmap32 b(2, 2, true);
  SetPixel32Value(b, 1, 0, 0x12345678);
  EXPECT_EQ(GetPixel32(b, 1, 0), 0x12345678u);
  EXPECT_THROW(GetPixel32(b, 0, 2), rtl::ERangeError);
  EXPECT_THROW(SetPixel32(b, 2, 0, 1), rtl::ERangeError);
}

TEST(AlphaPixels, FillsClipToTheBitmap) {
  TBitmap32 b(3, 3);
  FillBitmapRect(b, {-2, 1, 10, 10}, 0x0000FF, 0);  // alpha 0 still writes the colour
  EXPECT_EQ(Rows(b), (std::vector<std::vector<TPixel>>{{0, 0, 0}, {0x00FF0000, 0x00FF0000, 0x00FF0000},
                                                      {0x00FF0000, 0x00FF0000, 0x00FF0000}}));
  TBitmap32 f(4, 4);
  FillBitmapRectFrame(f, {0, 0, 4, 4}, {1, 1, 3, 3}, 0xFFFFFF, 255);
  EXPECT_EQ(CountNot(f, 0xFFFFFFFF), 4);
  EXPECT_EQ(f.At(1, 1), 0u);
  TBitmap32 g(4, 4);
  FillBitmapBorders(g, {0, 0, 4, 4}, 1, 1, 1, 1, 0x000000);
  EXPECT_EQ(CountNot(g, 0xFF000000), 4);
}

TEST(AlphaPixels, FadeIsInclusiveAndClipped) {
  // Black faded towards white keeping 128/256: (255 * 127) >> 8 = 126.
  TBitmap32 whole = Filled(3, 2, 0x40000000, true);
  FadeRectToColor(whole, {0, 0, 3, 2}, 128, 0xFFFFFF);
  EXPECT_EQ(CountNot(whole, 0x407E7E7E), 0);

  TBitmap32 b = Filled(6, 6, 0xFF000000);
  FadeRectToColor(b, {2, 2, 4, 4}, 0, 0x0000FF);  // a 3 x 3 block, Right and Bottom included
  EXPECT_EQ(CountNot(b, 0xFF000000), 9);
  EXPECT_EQ(b.At(4, 4), 0xFFFE0000u);  // (0 + 255 * 255) >> 8, alpha untouched
  EXPECT_EQ(b.At(5, 4), 0xFF000000u);

  TBitmap32 c = Filled(2, 2, 0xFF000000);
  FadeRectToColor(c, {-5, -5, -1, -1}, 0, 0xFFFFFF);  // wholly outside: nothing
  EXPECT_EQ(CountNot(c, 0xFF000000), 0);
}

TEST(AlphaPixels, BlendTowardsAColour) {
  TBitmap32 b = Filled(2, 1, 0x00C86432);
  BlendRectToColor(b, {0, 0, 1, 1}, 0x000000, 0, 0x80);  // percent 0: only alpha
  BlendRectToColor(b, {1, 0, 2, 1}, 0x0A141E, 100, 0xFF);  // percent 100: the colour exactly
  EXPECT_EQ(Rows(b)[0], (std::vector<TPixel>{0x80C86432, 0xFF1E140A}));
  // 50 percent towards black: c - 50 * c / 100, truncating.
  TBitmap32 h = Filled(1, 1, 0x00C9650B);
  BlendRectToColor(h, {0, 0, 1, 1}, 0, 50, 0);
  EXPECT_EQ(h.At(0, 0), 0x00653306u);
  // Towards a lighter colour the signed difference truncates towards zero as well:
  // 11 - 50 * (11 - 255) / 100 = 11 + 122 = 133.
  TBitmap32 u = Filled(1, 1, 0x0000000B);
  BlendRectToColor(u, {0, 0, 1, 1}, 0xFF0000, 50, 0);
  EXPECT_EQ(u.At(0, 0), 0x00000085u);
}

TEST(AlphaPixels, FillAlphaWithAndWithoutKey) {
  TBitmap32 b = Pixels({{0x00FF00FF, 0x10FF00FF, 0x00123456}});
  FillBitmapAlpha(b, {-1, 0, 10, 1}, 0xFF, 0x00FF00FF);
  EXPECT_EQ(Rows(b)[0], (std::vector<TPixel>{0x00FF00FF, 0xFFFF00FF, 0xFF123456}));
  FillBitmapAlpha(b, {0, 0, 1, 1}, 0x20, clNone);
  EXPECT_EQ(b.At(0, 0), 0x20FF00FFu);
}

TEST(AlphaPixels, AlphaFromTheBottomLeftColour) {
  TBitmap32 b = Pixels({{0x00112233, 0x00ABCDEF}, {0x00ABCDEF, 0x00112233}}, true);
  AlphaFromCornerColor(b);
  EXPECT_EQ(Rows(b), (std::vector<std::vector<TPixel>>{{0xFF112233, 0x00ABCDEF}, {0x00ABCDEF, 0xFF112233}}));
  TBitmap32 c = Pixels({{0x00112233, 0x01ABCDEF}});  // one pixel already has alpha
  AlphaFromCornerColor(c);
  EXPECT_EQ(c.At(0, 0), 0x00112233u);
}

TEST(AlphaPixels, TransparentPartsFromAnotherBitmap) {
  const TPixel f = 0x00FF00FF;
  TBitmap32 dst = Pixels({{f, 0x80123456, f}, {0xFFFF00FF, f, 0x11111111}});
  TBitmap32 src = Pixels({{0xAA000001, 0xAA000002}, {0xAA000003, 0xAA000004}});
  // R is wider than the source from P: only the paired area changes.
  FillTransparentFromBitmap(dst, src, {0, 0, 3, 2}, {0, 0});
  EXPECT_EQ(Rows(dst), (std::vector<std::vector<TPixel>>{{0xAA000001, 0x00123456, f}, {0xAA000003, 0xAA000004, 0x11111111}}));
  // R and P reaching outside both bitmaps: nothing is written outside.
  TBitmap32 small = Pixels({{f}});
  FillTransparentFromBitmap(small, src, {-1, -1, 4, 4}, {0, 0});
  EXPECT_EQ(small.At(0, 0), 0xAA000004u);
}

TEST(AlphaPixels, TransparentPartsDecidedByAnElementCorner) {
  const TPixel f = 0x00FF00FF;
  // A 4 x 4 element picture: one frame, borders 2; fuchsia (any alpha) in the bottom-right
  // corner's pixel (3, 3) and at (0, 0).
  TBitmap32 img = Filled(4, 4, 0xFF000000);
  img.At(3, 3) = 0x80FF00FF;
  img.At(0, 0) = f;
  TacElementPicture e{&img, {0, 0, 4, 4}, 4, 4, 2, 2, 2, 2, 0};
  TBitmap32 dst = Filled(2, 2, 0x12121212);
  TBitmap32 src = Filled(2, 2, 0x34343434);
  FillTransparentFromElement(dst, src, {0, 0, 2, 2}, {0, 0}, e, 17);
  EXPECT_EQ(Rows(dst), (std::vector<std::vector<TPixel>>{{0x12121212, 0x12121212}, {0x12121212, 0x34343434}}));
  TBitmap32 dst2 = Filled(2, 2, 0x12121212);
  FillTransparentFromElement(dst2, src, {0, 0, 2, 2}, {0, 0}, e, 0);
  EXPECT_EQ(dst2.At(0, 0), 0x34343434u);
  EXPECT_EQ(CountNot(dst2, 0x12121212), 1);
}

// Colour arithmetic and whole-bitmap passes: expectations worked out by hand from the
// engine's formulas (shifts by 8, halves to even, truncation of hue channels).
#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "skin/graphics/acBitmap32.h"

using namespace skin;
using skin::test::Pixels;
using skin::test::Rows;

namespace {

struct Case {
  uint32_t in;
  int param;
  uint32_t out;
};

}  // namespace

TEST(ColorArithmetic, Brightness) {
  const Case cases[] = {
      {0x80402010, 64, 0x80502814},   // c + c*64 >> 8, alpha kept
      {0x80402010, -64, 0x8030180C},  // c - c*64 >> 8
      {0x00FF7F01, 300, 0x00FFFF02},  // 127 + 148 limited to 255; 1 + 300 >> 8 = 2
      {0x12345678, 0, 0x12345678},
      {0x00FFFFFF, -256, 0x00000000},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChangeColorBrightness(c.in, c.param), c.out) << std::hex << c.in << " " << std::dec << c.param;
}

TEST(ColorArithmetic, SaturationUsesRoundedLumaAndClamps) {
  // Red 255: luma round(76.245) = 76.
  EXPECT_EQ(SaturatePixel(100, 0x00FF0000), 0x00FF0000u);   // 355*255 - 7600 clamps to 65535
  EXPECT_EQ(SaturatePixel(-100, 0x00FF0000), 0x00B81D1Du);  // (39525 + 7600) >> 8, 7600 >> 8
  // The disabled-glyph amount -229 on a pixel with alpha: alpha untouched.
  // luma of (R 0x40, G 0x80, B 0xC0): 19.136 + 75.136 + 21.888 = 116.16 -> 116.
  // R: 26*64 + 229*116 = 28228 >> 8 = 110; G: 26*128 + 26564 = 29892 >> 8 = 116;
  // B: 26*192 + 26564 = 31556 >> 8 = 123.
  EXPECT_EQ(SaturatePixel(-229, 0x7F4080C0), 0x7F6E747Bu);
  EXPECT_EQ(ChangeColorSaturation(0xAB123456, 0), 0xAB123456u);
  // A grey loses one step under any amount: 255 c >> 8.
  EXPECT_EQ(SaturatePixel(50, 0x00808080), 0x007F7F7Fu);
}

TEST(ColorArithmetic, HueRotation) {
  const Case cases[] = {
      {0x0000FF, 120, 0x00FF00},    // red -> green (colour order)
      {0x0000FF, 60, 0x00FFFF},     // red -> yellow
      {0x0000FF, 240, 0xFF0000},    // red -> blue
      {0x0000FF, -30, 0x0000FF},    // h' = -30 gives sector 0, t and p limited to 0
      {0x0000FF, -90, 0xFF00FF},    // sector -1: the last case (v, p, q)
      {0x123456, 0, 0x123456},      // angle 0: unchanged
  };
  for (const Case& c : cases) EXPECT_EQ(ChangeColorHue(c.param, c.in), c.out) << c.param;
  // Pixel order, alpha kept: R 200 G 100 B 50 turned by 25: h 20 -> 45, f 0.75,
  // t = 200 * (1 - 0.25 * 0.75) = 162.5 truncated to 162, p = 50.
  EXPECT_EQ(ShiftHuePixel(25, 0x7FC86432), 0x7FC8A232u);
}

TEST(ColorArithmetic, GreyKeepsItsValueUnderAnyHueAngle) {
  for (uint32_t g : {0x000000u, 0x808080u, 0xFFFFFFu, 0x5A5A5Au})
    for (int angle : {1, 45, 90, 180, 359, -120}) EXPECT_EQ(ChangeColorHue(angle, g), g) << angle;
}

TEST(ColorArithmetic, ToneMixAndSwaps) {
  // m = 0x80; byte2 = 128*0x40 >> 8, byte1 = 128*0x80 >> 8, byte0 = 128*0xFF >> 8.
  EXPECT_EQ(ColorTone(0x11204080, 0x00FF8040), 0x1120407Fu);
  EXPECT_EQ(MixColors(0x80FFFFFF, 0x00000000, 255), 0x80FEFEFEu);  // 255 becomes 254
  EXPECT_EQ(MixColors(0x00FF0000, 0x000000FF, 128), 0x007F007Eu);  // (255*127) >> 8 = 126
  for (uint32_t v : {0x000000FFu, 0x00FF0000u, 0x12345678u, 0xFF00FF00u}) EXPECT_EQ(SwapRBRotate(v), SwapRB(v));
  EXPECT_EQ(SwapRB(0x0000FF), 0xFF0000u);
  EXPECT_EQ(SwapRB(0xAB12CD34), 0xAB34CD12u);
  EXPECT_EQ(SwapRedBlue24(0x00123456), 0x00563412u);
}

TEST(ColorArithmetic, ColorEffectsInOrderToneHueSaturation) {
  // No effects: the colour as it was.
  EXPECT_EQ(ApplyColorEffectsToColor(0x123456, clNone, 0, 0), 0x123456u);
  // Tone white on (R 0x20, G 0x40, B 0x80): every channel m*255 >> 8 = 127.
  EXPECT_EQ(ApplyColorEffectsToColor(0x804020, 0xFFFFFF, 0, 0), 0x7F7F7Fu);
  // Hue 120 on red, then saturation 0: green.
  EXPECT_EQ(ApplyColorEffectsToColor(0x0000FF, clNone, 120, 0), 0x00FF00u);
}

TEST(BitmapPasses, ForEachPixelSkipsOnlyTheExactKey) {
  TBitmap32 b = Pixels({{0x00FF00FF, 0xFFFF00FF, 0x00102030}});
  ForEachPixel(b, BrightnessPixelProc, -256, clFuchsia);
  EXPECT_EQ(Rows(b)[0], (std::vector<TPixel>{0x00FF00FF, 0xFF000000, 0x00000000}));
}

TEST(BitmapPasses, GrayscaleAndItsKeyedForm) {
  // R 0x40 G 0x80 B 0xC0: luma 116 = 0x74.
  TBitmap32 b = Pixels({{0x00FF00FF, 0x7F4080C0}, {0x00FF00FF, 0xFFFF00FF}}, true);
  GrayscaleBitmapExcept(b, SwapRB(b.At(0, 0)));
  // luma of fuchsia: 76.245 + 29.07 = 105.315 -> 105 = 0x69.
  EXPECT_EQ(Rows(b), (std::vector<std::vector<TPixel>>{{0x00FF00FF, 0x7F747474}, {0x00FF00FF, 0xFF696969}}));
  GrayscaleBitmap(b);
  EXPECT_EQ(b.At(0, 0), 0x00696969u);
}

TEST(BitmapPasses, ChannelCopiesStayInsideBothBitmaps) {
  TBitmap32 dst = test::Filled(3, 3, 0x11223344);
  TBitmap32 src = Pixels({{0xAA000000, 0xBB000000}});  // smaller than Dst
  CopyChannel32(dst, src, 3);
  EXPECT_EQ(Rows(dst)[0], (std::vector<TPixel>{0xAA223344, 0xBB223344, 0x11223344}));
  EXPECT_EQ(dst.At(0, 1), 0x11223344u);

  std::vector<uint8_t> plane(2 * 2, 9);
  TBytePlane p{plane.data(), 2, 2, 2};
  TransferChannel8(dst, p, 1, true);
  EXPECT_EQ(plane, (std::vector<uint8_t>{0x33, 0x33, 0x33, 0x33}));
  plane = {1, 2, 3, 4};
  TransferChannel8(dst, p, 0, false);
  EXPECT_EQ(dst.At(1, 1), 0x11223304u);
  EXPECT_EQ(dst.At(2, 2), 0x11223344u);
}

TEST(BitmapPasses, QuarterTurns) {
  // 3 x 2, stored bottom-up as a DIB section would be.
  TBitmap32 src = Pixels({{1, 2, 3}, {4, 5, 6}}, true);
  EXPECT_EQ(Rows(RotateBitmap32(src, 90)), (std::vector<std::vector<TPixel>>{{4, 1}, {5, 2}, {6, 3}}));
  EXPECT_EQ(Rows(RotateBitmap32(src, 180)), (std::vector<std::vector<TPixel>>{{6, 5, 4}, {3, 2, 1}}));
  EXPECT_EQ(Rows(RotateBitmap32(src, 270)), (std::vector<std::vector<TPixel>>{{3, 6}, {2, 5}, {1, 4}}));
  EXPECT_EQ(Rows(RotateBitmap32(src, 45)), Rows(src));
  EXPECT_FALSE(RotateBitmap32(TBitmap32(), 90).HasRows());
}

TEST(BitmapPasses, ColorRunsAreOnePixelHigh) {
  const TPixel f = 0x00FF00FF;
  TBitmap32 b = Pixels({{f, f, 0, f}, {0, 0xFFFF00FF, f, f}});
  EXPECT_EQ(ColorRuns(b, clFuchsia), (std::vector<TRect>{{0, 0, 2, 1}, {3, 0, 4, 1}, {2, 1, 4, 2}}));
  // Only the low 24 bits of the colour count.
  EXPECT_EQ(ColorRuns(b, 0x44FF00FF).size(), 3u);
}

TEST(Bitmap32, SizesRowsAndViews) {
  TBitmap32 b(-1, 10);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 0);
  uint8_t* row0 = nullptr;
  ptrdiff_t delta = 0;
  EXPECT_FALSE(b.GetRows(row0, delta));

  TBitmap32 one(3, 1, true);
  ASSERT_TRUE(one.GetRows(row0, delta));
  EXPECT_EQ(delta, 0);
  TBitmap32 up(3, 2, true);
  ASSERT_TRUE(up.GetRows(row0, delta));
  EXPECT_EQ(delta, -12);

  uint32_t store[4] = {1, 2, 3, 4};
  TBitmap32 v = TBitmap32::View(store + 2, -8, 2, 2);
  EXPECT_EQ(Rows(v), (std::vector<std::vector<TPixel>>{{3, 4}, {1, 2}}));
  TBitmap32 c = v.Clone();
  store[0] = 9;
  EXPECT_EQ(c.At(0, 1), 1u);
}

TEST(Bitmap32, SystemColoursResolveThroughTheSource) {
  EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456u);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  SetSysColorSource([](int index) -> uint32_t { return index == 15 ? 0xC0C0C0 : 0; });
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0u);
  SetSysColorSource(nullptr);
}

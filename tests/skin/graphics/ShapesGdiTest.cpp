// The shapes that need GDI and GDI+ under Wine: styled arrows with and without their fill,
// rounded shading and pictures turned with PlgBlt.
#include <gtest/gtest.h>

#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGdiPlus.h"
#include "skin/graphics/acShapesGdi.h"
#include "tests/gui/GuiTestSupport.h"

using namespace skin;

namespace {

constexpr TPixel kWhite = 0xFFFFFFFF;

std::unique_ptr<gui::TBitmap> Filled(int w, int h, TPixel p) {
  std::unique_ptr<gui::TBitmap> b = CreateBitmap32(w, h);
  TBitmap32 px = Pixels32(*b);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px.At(x, y) = p;
  return b;
}

// The box around the pixels that differ from P.
TRect Changed(gui::TBitmap& b, TPixel p) {
  TBitmap32 px = Pixels32(b);
  TRect r{b.Width(), b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (px.At(x, y) != p) r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
  return r;
}

class ShapesGdi : public ::testing::Test {
 protected:
  void SetUp() override { InitGdiPlus(); }
  void TearDown() override { FinalGdiPlus(); }
};

}  // namespace

TEST_F(ShapesGdi, LineArrowWithoutFillDrawsOnlyItsStrokes) {
  auto plain = Filled(32, 32, kWhite);
  DrawStyledArrow(*plain, 0x000000, clNone, {0, 0, 32, 32}, adDown, 0, 0, 0, TacArrowsStyle::arsLines1, 96);
  auto filled = Filled(32, 32, kWhite);
  DrawStyledArrow(*filled, 0x000000, 0x0000FF, {0, 0, 32, 32}, adDown, 0, 0, 0, TacArrowsStyle::arsLines1, 96);
  // The arrow image is 12 x 8 at (10, 12); inside the V, away from both strokes:
  EXPECT_EQ(Pixels32(*plain).At(15, 14), kWhite);
  const TPixel inside = Pixels32(*filled).At(15, 14);
  EXPECT_GT(ChR(inside), 0xC0);
  EXPECT_LT(ChB(inside), 0x40);
  // The strokes themselves are dark and stay inside the arrow's place.
  const TRect box = Changed(*plain, kWhite);
  EXPECT_GE(box.Left, 10);
  EXPECT_LE(box.Right, 22);
  EXPECT_GE(box.Top, 12);
  EXPECT_LE(box.Bottom, 20);
  EXPECT_LT(ChG(Pixels32(*plain).At(12, 14)), 0x80);
}

TEST_F(ShapesGdi, SolidArrowPointsWhereAsked) {
  auto down = Filled(20, 20, kWhite);
  DrawStyledArrow(*down, 0x008000, clNone, {0, 0, 20, 20}, adDown, 0, 0, 0, TacArrowsStyle::arsSolid1, 96);
  const TRect d = Changed(*down, kWhite);
  EXPECT_GT(d.Width(), d.Height());
  auto left = Filled(20, 20, kWhite);
  DrawStyledArrow(*left, 0x008000, clNone, {0, 0, 20, 20}, adLeft, 0, 0, 0, TacArrowsStyle::arsSolid1, 96);
  const TRect l = Changed(*left, kWhite);
  EXPECT_GT(l.Height(), l.Width());
  // The wide edge of a down arrow is its top row: more green there than in its last row.
  auto rowInk = [&](int y) {
    int n = 0;
    for (int x = 0; x < 20; ++x) n += Pixels32(*down).At(x, y) != kWhite;
    return n;
  };
  EXPECT_GT(rowInk(d.Top), rowInk(d.Bottom - 1));
}

TEST_F(ShapesGdi, ShadeWithoutBandTintsEvenly) {
  auto b = Filled(20, 12, 0xFF808080);
  ShadeRoundRect(*b, {2, 2, 18, 10}, 50, 0x000000, 0, 0);
  TBitmap32 px = Pixels32(*b);
  // Each pixel keeps 127/256 of itself: 128 becomes 63.
  for (int y = 2; y < 10; ++y)
    for (int x = 2; x < 18; ++x) ASSERT_EQ(ChR(px.At(x, y)), 63) << x << "," << y;
  EXPECT_EQ(px.At(1, 1), 0xFF808080u);
  EXPECT_EQ(px.At(18, 10), 0xFF808080u);
  // With a band the edge keeps more of the pixel than the inside.
  auto banded = Filled(40, 40, 0xFF808080);
  ShadeRoundRect(*banded, {0, 0, 40, 40}, 0, 0x000000, 4, 6);
  EXPECT_GT(ChR(Pixels32(*banded).At(20, 1)), ChR(Pixels32(*banded).At(20, 20)));
}

TEST_F(ShapesGdi, RotatedPictureTurnsAroundItsCentre) {
  auto pic = Filled(10, 4, 0xFF0000FF);
  auto target = Filled(30, 30, kWhite);
  RotateBitmapOnDC(target->Canvas().Handle(), *pic, {15, 15}, 90);
  const TRect r = Changed(*target, kWhite);
  EXPECT_EQ(r.Width(), 4);
  EXPECT_EQ(r.Height(), 10);
}

TEST_F(ShapesGdi, ArrowsOfEveryStyleAndDirection) {
  auto sheet = Filled(4 * 40, 4 * 40, kWhite);
  const TacArrowsStyle styles[] = {TacArrowsStyle::arsSolid1, TacArrowsStyle::arsLines1, TacArrowsStyle::arsSolid2,
                                   TacArrowsStyle::arsLines2};
  for (int s = 0; s < 4; ++s)
    for (int d = 0; d < 4; ++d) {
      const TRect cell{d * 40, s * 40, d * 40 + 40, s * 40 + 40};
      DrawStyledArrow(*sheet, 0x402000, 0xF0C090, cell, d, 0, 0, 0, styles[s], 192);
      const TRect ink = [&] {
        auto one = Filled(40, 40, kWhite);
        DrawStyledArrow(*one, 0x402000, 0xF0C090, {0, 0, 40, 40}, d, 0, 0, 0, styles[s], 192);
        return Changed(*one, kWhite);
      }();
      // Every arrow drawn, centred within a pixel or two, and longer across than along.
      EXPECT_GT(ink.Width(), 0) << s << "," << d;
      EXPECT_LE(std::abs((ink.Left + ink.Right) - 40), 2) << s << "," << d;
      EXPECT_LE(std::abs((ink.Top + ink.Bottom) - 40), 2) << s << "," << d;
      const bool vertical = d == adUp || d == adDown;
      EXPECT_GT(vertical ? ink.Width() : ink.Height(), vertical ? ink.Height() : ink.Width()) << s << "," << d;
    }
  sheet->SaveToFile("arrows.bmp");
}

// Solid arrows as pixel patterns, bevel and dotted frames, the whole-degree sine table and
// the rotated quadrilateral.
#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "skin/graphics/acShapes.h"

using namespace skin;
using skin::test::Filled;

namespace {

constexpr TPixel kBack = 0xFF000000;
constexpr TColor kRed = 0x0000FF;  // pixel 0x00FF0000

// The arrow's pixels as text, '#' drawn, '.' not, over its bounding box.
std::vector<std::string> Pattern(const TBitmap32& b) {
  int l = b.Width(), t = b.Height(), r = -1, bt = -1;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.At(x, y) != kBack) l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), bt = std::max(bt, y);
  std::vector<std::string> out;
  for (int y = t; y <= bt; ++y) {
    std::string row;
    for (int x = l; x <= r; ++x) row += b.At(x, y) == kBack ? '.' : '#';
    out.push_back(row);
  }
  return out;
}

std::vector<std::string> Arrow(int direction, int ppi) {
  TBitmap32 b = Filled(24, 24, kBack);
  DrawSolidArrow(b, kRed, {0, 0, 24, 24}, direction, ppi);
  return Pattern(b);
}

}  // namespace

TEST(SolidArrow, PatternsAt96AndAt192) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Arrow(adDown, 96), (V{"#####", ".###.", "..#.."}));
  EXPECT_EQ(Arrow(adUp, 96), (V{"..#..", ".###.", "#####"}));
  EXPECT_EQ(Arrow(adLeft, 96), (V{"..#", ".##", "###", ".##", "..#"}));
  EXPECT_EQ(Arrow(adRight, 96), (V{"#..", "##.", "###", "##.", "#.."}));
  EXPECT_EQ(Arrow(adDown, 192),
            (V{"##########", ".########.", "..######..", "...####...", "....##...."}));
}

TEST(SolidArrow, PixelValueAndPlacement) {
  TBitmap32 b = Filled(11, 9, kBack);
  DrawSolidArrow(b, kRed, {0, 0, 11, 9}, adDown, 96);
  // Centred: x0 = (11 - 5) div 2, y0 = (9 - 3) div 2; the colour's bytes swapped, alpha 0.
  EXPECT_EQ(b.At(3, 3), 0x00FF0000u);
  EXPECT_EQ(b.At(7, 3), 0x00FF0000u);
  EXPECT_EQ(b.At(2, 3), kBack);
  EXPECT_EQ(b.At(5, 5), 0x00FF0000u);
}

TEST(SolidArrow, NothingWhenItDoesNotFit) {
  for (TRect r : {TRect{0, 0, 5, 3}, TRect{-8, 0, 2, 9}, TRect{0, 0, 40, 9}}) {
    TBitmap32 b = Filled(5, 4, kBack);
    DrawSolidArrow(b, kRed, r, adDown, 96);
    EXPECT_EQ(test::CountNot(b, kBack), 0) << r.Left << "," << r.Right;
  }
}

TEST(RectFrame, TwoRingsShrinkTheRectangle) {
  TBitmap32 b = Filled(8, 7, kBack);
  TRect r{1, 1, 7, 6};
  int width = 2;
  DrawRectFrame(b, r, 0x00FFFFFF, 0x000000FF, width);
  EXPECT_EQ(r, (TRect{3, 3, 5, 4}));
  EXPECT_EQ(width, 0);
  const TPixel light = 0x00FFFFFF, dark = 0x00FF0000;
  std::vector<std::string> rows;
  for (int y = 0; y < 7; ++y) {
    std::string row;
    for (int x = 0; x < 8; ++x) row += b.At(x, y) == light ? 'L' : b.At(x, y) == dark ? 'D' : '.';
    rows.push_back(row);
  }
  EXPECT_EQ(rows, (std::vector<std::string>{"........",  //
                                            ".LLLLLD.",  //
                                            ".LLLLDD.",  //
                                            ".LL..DD.",  //
                                            ".LDDDDD.",  //
                                            ".DDDDDD.",  //
                                            "........"}));
}

TEST(RectFrame, ZeroWidthLeavesEverything) {
  TBitmap32 b = Filled(4, 4, kBack);
  TRect r{0, 0, 4, 4};
  int width = 0;
  DrawRectFrame(b, r, 0, 0, width);
  EXPECT_EQ(r, (TRect{0, 0, 4, 4}));
  EXPECT_EQ(test::CountNot(b, kBack), 0);
}

TEST(DottedFrame, AlternatesAndSkipsNone) {
  TBitmap32 b = Filled(6, 4, kBack);
  DrawDottedFrame(b, {0, 0, 6, 4}, 0x0000FF, 0x00FF00);
  const TPixel c1 = 0x00FF0000, c2 = 0x0000FF00;
  EXPECT_EQ(b.At(1, 0), c1);
  EXPECT_EQ(b.At(2, 0), c2);
  EXPECT_EQ(b.At(5, 3), c1);  // x = 0 + 2 * 3 lies outside: its pair's first pixel stays
  EXPECT_EQ(b.At(0, 1), c1);
  EXPECT_EQ(b.At(5, 2), c2);

  TBitmap32 only = Filled(6, 4, kBack);
  DrawDottedFrame(only, {0, 0, 6, 4}, clNone, 0x00FF00);
  EXPECT_EQ(only.At(1, 0), kBack);
  EXPECT_EQ(only.At(2, 0), c2);
}

TEST(SinCos, TableAndNegativeAngles) {
  EXPECT_FLOAT_EQ(SinDeg(90), 1.0f);
  EXPECT_FLOAT_EQ(CosDeg(180), -1.0f);
  EXPECT_EQ(SinDeg(-360), SinDeg(0));
  EXPECT_EQ(CosDeg(-90), CosDeg(270));
  EXPECT_EQ(SinDeg(-30), SinDeg(330));
  EXPECT_EQ(SinDeg(725), SinDeg(5));
  EXPECT_EQ(SinDeg(INT32_MIN), SinDeg(360 - static_cast<int>(2147483648LL % 360)));
}

TEST(Prlgram, KeepsFourPointsAndTurnsAroundTheMiddle) {
  TPrlgram q{{0, 0}, {10, 0}, {10, 4}, {0, 4}, {99, 99}};
  EXPECT_EQ(q.GetPoint(1), (TPoint{10, 0}));
  EXPECT_EQ(q.GetPoint(4), (TPoint{0, 0}));
  q.Rotate(90);
  // Around (5, 2): (0, 0) goes to (3, 7), (10, 0) to (3, -3).
  EXPECT_EQ(q.GetPoint(0), (TPoint{3, 7}));
  EXPECT_EQ(q.GetPoint(1), (TPoint{3, -3}));
  EXPECT_EQ(q.GetPoint(2), (TPoint{7, -3}));

  TPrlgram few{{2, 3}};
  EXPECT_EQ(few.GetPoint(0), (TPoint{2, 3}));
  EXPECT_EQ(few.GetPoint(3), (TPoint{0, 0}));
}

// Nine-part cutting (which copies a frame is drawn with) and the transparent corner runs of
// a border element.
#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "skin/graphics/acNineParts.h"

using namespace skin;
using skin::test::Filled;
using skin::test::Rows;

namespace {

// 0xFF000000 | (y << 8) | x: every source pixel different.
TBitmap32 Numbered(int w, int h) {
  TBitmap32 b(w, h, true);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.At(x, y) = 0xFF000000u | (static_cast<uint32_t>(y) << 8) | static_cast<uint32_t>(x);
  return b;
}
TPixel N(int x, int y) { return 0xFF000000u | (static_cast<uint32_t>(y) << 8) | static_cast<uint32_t>(x); }

const TRect kWidths{2, 2, 2, 2}, kNoLimits{255, 255, 255, 255}, kTile{0, 0, 0, 0};

}  // namespace

TEST(NinePartPlan, TiledFrameAndCentre) {
  const TBitmap32 src = Numbered(6, 6);
  TBitmap32 dst = Filled(9, 8, 0);
  DrawBitmapNineParts(dst, src, {0, 0, 9, 8}, {0, 0, 6, 6}, kWidths, kNoLimits, kTile, false, true);
  // Corners at their size, sides and centre tiled in blocks of 2 with the last one cut.
  EXPECT_EQ(Rows(dst)[0], (std::vector<TPixel>{N(0, 0), N(1, 0), N(2, 0), N(3, 0), N(2, 0), N(3, 0), N(2, 0), N(4, 0),
                                               N(5, 0)}));
  EXPECT_EQ(Rows(dst)[7][8], N(5, 5));
  EXPECT_EQ(Rows(dst)[4][0], N(0, 2));  // left side tile repeats source rows 2, 3
  EXPECT_EQ(Rows(dst)[5][4], N(2, 3));  // centre tiles
  EXPECT_EQ(test::CountNot(dst, 0), 9 * 8);  // every pixel drawn
}

TEST(NinePartPlan, StretchedSideIsOneCopy) {
  const auto parts = NinePartPlan({0, 0, 10, 10}, {0, 0, 6, 6}, kWidths, kNoLimits, {1, 0, 0, 0}, false, false);
  const TBlitPart left{{0, 2, 2, 8}, {0, 2, 2, 4}, true};
  EXPECT_EQ(std::count(parts.begin(), parts.end(), left), 1);
  // The tiled right side is three blocks of 2 rows.
  int right = 0;
  for (const TBlitPart& p : parts) right += p.Dst.Left == 8 && p.Dst.Top >= 2 && p.Dst.Bottom <= 8;
  EXPECT_EQ(right, 3);
}

TEST(NinePartPlan, SmallDestinationCutsCornersAtItsCentreWhereverItLies) {
  const TBitmap32 src = Numbered(6, 6);
  TBitmap32 dst = Filled(3, 3, 0);
  DrawBitmapNineParts(dst, src, {0, 0, 3, 3}, {0, 0, 6, 6}, kWidths, kNoLimits, kTile, false, true);
  const std::vector<std::vector<TPixel>> expected = {
      {N(0, 0), N(4, 0), N(5, 0)}, {N(0, 4), N(4, 4), N(5, 4)}, {N(0, 5), N(4, 5), N(5, 5)}};
  EXPECT_EQ(Rows(dst), expected);
  // The same destination away from the origin is cut the same way.
  auto at = NinePartPlan({0, 0, 3, 3}, {0, 0, 6, 6}, kWidths, kNoLimits, kTile, false, true);
  const auto moved = NinePartPlan({10, 20, 13, 23}, {0, 0, 6, 6}, kWidths, kNoLimits, kTile, false, true);
  for (TBlitPart& p : at) p.Dst = p.Dst.Offset(10, 20);
  EXPECT_EQ(moved, at);
}

TEST(NinePartPlan, LimitsMakeLShapedCorners) {
  const TBitmap32 src = Numbered(6, 6);
  TBitmap32 dst = Filled(8, 8, 0);
  DrawBitmapNineParts(dst, src, {0, 0, 8, 8}, {0, 0, 6, 6}, kWidths, {1, 1, 1, 1}, kTile, false, false);
  EXPECT_EQ(dst.At(0, 0), N(0, 0));
  EXPECT_EQ(dst.At(1, 0), N(1, 0));
  EXPECT_EQ(dst.At(0, 1), N(0, 1));
  EXPECT_EQ(dst.At(1, 1), 0u);  // inside the limits
  EXPECT_EQ(dst.At(6, 6), 0u);
  EXPECT_EQ(dst.At(7, 7), N(5, 5));
}

TEST(TransparentCorners, RunsOfBothCornersInBothBands) {
  const TPixel f = 0x00FF00FF;
  TBitmap32 img = Filled(6, 4, 0xFF000000);
  img.At(0, 0) = img.At(1, 0) = img.At(5, 0) = img.At(0, 1) = f;
  img.At(4, 3) = f;
  img.At(3, 0) = f;  // between the corners: not looked at
  const TacElementPicture e{&img, {0, 0, 6, 4}, 6, 4, 2, 2, 2, 1, 0};
  TRects rects;
  AddTransparentCornerRects(rects, 20, e, 0, false, 0);
  EXPECT_EQ(rects, (TRects{{0, 0, 2, 1}, {19, 0, 20, 1}, {0, 1, 1, 2}}));
  rects.clear();
  AddTransparentCornerRects(rects, 20, e, 30, true, 0);
  EXPECT_EQ(rects, (TRects{{18, 30, 19, 31}}));
  // A band reaching below the picture: nothing.
  const TacElementPicture tall{&img, {0, 2, 6, 8}, 6, 6, 2, 2, 2, 1, 0};
  rects.clear();
  AddTransparentCornerRects(rects, 20, tall, 0, true, 0);
  EXPECT_TRUE(rects.empty());
}

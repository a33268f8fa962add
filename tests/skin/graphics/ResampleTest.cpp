// Resampling: weights worked out by hand for the triangle filter, limits of the sums, and
// the shrinks whose filter reaches beyond one mirrored edge.
#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "skin/graphics/acResample.h"

using namespace skin;
using skin::test::Filled;
using skin::test::Pixels;
using skin::test::Rows;

TEST(Resample, FilterValues) {
  EXPECT_FLOAT_EQ(ResampleFilter(0, 0.5f), 1.0f);
  EXPECT_FLOAT_EQ(ResampleFilter(0, -0.5f), 0.0f);
  EXPECT_FLOAT_EQ(ResampleFilter(1, 0.25f), 0.75f);
  EXPECT_FLOAT_EQ(ResampleFilter(2, 0.5f), 0.5f);
  EXPECT_FLOAT_EQ(ResampleFilter(3, 1.0f), 0.125f);
  EXPECT_FLOAT_EQ(ResampleFilter(4, 0.0f), 2.0f / 3.0f);
  EXPECT_FLOAT_EQ(ResampleFilter(5, 0.0f), 1.0f);
  EXPECT_FLOAT_EQ(ResampleFilter(6, 0.0f), 8.0f / 9.0f);
  EXPECT_FLOAT_EQ(ResampleSupport(0), 0.51f);
  EXPECT_FLOAT_EQ(ResampleSupport(5), 3.0f);
}

TEST(Resample, TriangleWeightsOfAHalving) {
  // Destination 0: centre 0, width 2, scale 0.5: j = 1 (x 0.5), 0 (x 0), -1 mirrored to 1.
  const TResampleWeights w = BuildResampleWeights(2, 4, 4, 1);
  ASSERT_EQ(w.size(), 2u);
  ASSERT_EQ(w[0].size(), 3u);
  EXPECT_EQ(w[0][0].Offset, 4);
  EXPECT_EQ(w[0][0].Weight, 16384);
  EXPECT_EQ(w[0][1].Offset, 0);
  EXPECT_EQ(w[0][1].Weight, 32768);
  EXPECT_EQ(w[0][2].Offset, 4);
  EXPECT_EQ(w[1].size(), 3u);
}

TEST(Resample, HalvingAlternatingRowGivesValuesBetweenTheNeighbours) {
  const TPixel k = 0xFF000000, wh = 0xFFFFFFFF;
  TBitmap32 src = Pixels({{k, wh, k, wh}, {k, wh, k, wh}}, true);
  TBitmap32 dst;
  ResampleBitmap(src, dst, 2, 2, 1);
  // (16384 * 255 * 2 + 32768 * 0) >> 16 = 127; alpha sums to 255 * 65536 exactly.
  EXPECT_EQ(Rows(dst), (std::vector<std::vector<TPixel>>{{0xFF7F7F7F, 0xFF7F7F7F}, {0xFF7F7F7F, 0xFF7F7F7F}}));
}

TEST(Resample, EqualSizeCopiesExactly) {
  TBitmap32 src = Pixels({{1, 0x80FF00FF}, {0x7F102030, 0xFFFFFFFF}});
  TBitmap32 dst;
  ResampleBitmap(src, dst, 2, 2, 6);
  EXPECT_EQ(Rows(dst), Rows(src));
}

TEST(Resample, DegenerateSizesLeaveTheDestinationAlone) {
  TBitmap32 narrow = Filled(1, 5, 0xFFFFFFFF);
  TBitmap32 dst = Filled(1, 1, 0x12345678);
  ResampleBitmap(narrow, dst, 3, 3, 1);
  EXPECT_EQ(dst.At(0, 0), 0x12345678u);
  TBitmap32 src = Filled(3, 3, 0xFFFFFFFF);
  ResampleBitmap(src, dst, 0, 3, 1);
  ResampleBitmap(src, dst, 3, -1, 1);
  EXPECT_EQ(dst.Width(), 1);
}

TEST(Resample, NoChannelWrapsOrLeavesTheRange) {
  // Opaque white enlarged and shrunk with every filter: the unnormalised sums may pass
  // 0xFF0000 and must then give 255, never wrap to a dark value; sharp edges with negative
  // lobes never go below 0.
  for (int filter = 1; filter <= 6; ++filter) {
    for (auto [w, h] : {std::pair{7, 9}, std::pair{2, 3}, std::pair{1, 1}}) {
      TBitmap32 white = Filled(4, 5, 0xFFFFFFFF, true);
      TBitmap32 dst;
      ResampleBitmap(white, dst, w, h, filter);
      ASSERT_EQ(dst.Width(), w);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          for (int c = 0; c < 4; ++c) EXPECT_GE(Channel(dst.At(x, y), c), 200) << filter << " " << x << "," << y;
    }
  }
}

TEST(Resample, BoxWeightsAreNotNormalised) {
  // 5 rows to 3 with the box: scale 0.6, so row 0 has the one tap 0.6 (39322 * 255 >> 16 =
  // 153), rows 1 and 2 two taps (limited to 255). 4 columns to 2: three taps, 255.
  TBitmap32 white = Filled(4, 5, 0xFFFFFFFF, true);
  TBitmap32 dst;
  ResampleBitmap(white, dst, 2, 3, 0);
  EXPECT_EQ(Rows(dst), (std::vector<std::vector<TPixel>>{{0x99999999, 0x99999999}, {0xFFFFFFFF, 0xFFFFFFFF},
                                                        {0xFFFFFFFF, 0xFFFFFFFF}}));
}

TEST(Resample, StrongShrinkReadsOnlyInsideTheSource) {
  // A 2-pixel source shrunk to 1 with the widest filter reaches j = +-5: beyond one
  // mirror. The sanitizer build reports any read outside the rows.
  TBitmap32 src = Pixels({{0xFF102030, 0xFF405060}, {0xFF102030, 0xFF405060}});
  TBitmap32 dst;
  ResampleBitmap(src, dst, 1, 1, 5);
  EXPECT_EQ(dst.Width(), 1);
  const TResampleWeights w = BuildResampleWeights(1, 2, 4, 5);
  for (const TResampleWeight& p : w[0]) {
    EXPECT_GE(p.Offset, 0);
    EXPECT_LE(p.Offset, 4);
  }
}

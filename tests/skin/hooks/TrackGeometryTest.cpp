// Track bars' arithmetic: tick side, channel image place, tick places (also for fewer than
// two ticks), tick marks on each side and the thumb's scaling.
#include <gtest/gtest.h>

#include "skin/hooks/acTrackGeometry.h"

namespace skin {
namespace {

TEST(TrackGeometry, TickSideAndChannel) {
  EXPECT_EQ(TrackTickSide(0), 0);
  EXPECT_EQ(TrackTickSide(kTbsVert), 0);
  EXPECT_EQ(TrackTickSide(kTbsTop), 1);
  EXPECT_EQ(TrackTickSide(kTbsBoth), 2);
  EXPECT_EQ(TrackTickSide(kTbsBoth | kTbsTop), 2);
  // An image 4 pixels thick sits in the middle of an 8-pixel channel.
  EXPECT_EQ(TrackChannelRect({8, 18, 108, 26}, false, 100, 4), (TBarRect{8, 20, 108, 23}));
  EXPECT_EQ(TrackChannelRect({18, 8, 26, 108}, true, 4, 100), (TBarRect{20, 8, 23, 108}));
}

TEST(TrackGeometry, TickPositions) {
  const TBarRect channelH{8, 20, 108, 24}, thumbH{0, 12, 10, 32};
  const TBarRect channelV{20, 8, 24, 108}, thumbV{12, 0, 32, 10};
  struct Case {
    const char* what;
    int32_t count;
    std::vector<int32_t> expected;
  };
  // Span 100 - 10 from 8 + 5; the steps of 22.5 round halves to the even neighbour.
  const Case cases[] = {
      {"five ticks", 5, {13, 35, 58, 81, 103}},
      {"two ticks at the ends", 2, {13, 103}},
      {"one tick stands at the start", 1, {13}},
      {"no ticks", 0, {}},
      {"a negative count draws none", -1, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrackTickPositions(c.count, channelH, thumbH, false), c.expected) << c.what;
    EXPECT_EQ(TrackTickPositions(c.count, channelV, thumbV, true), c.expected) << c.what << " (vertical)";
  }
}

TEST(TrackGeometry, TickMarksOnEachSide) {
  // The thumb is 20 across, the channel 4: the gap is 8 + 2.
  const TBarRect channelH{8, 20, 108, 24}, thumbH{0, 12, 10, 32};
  const TBarRect channelV{20, 8, 24, 108}, thumbV{12, 0, 32, 10};
  const std::vector<int32_t> at{13, 50};
  using M = std::vector<TTickMark>;
  EXPECT_EQ(TrackTickMarks(at, channelH, thumbH, false, 0, 4), (M{{13, 34}, {50, 34}}));
  EXPECT_EQ(TrackTickMarks(at, channelH, thumbH, false, 1, 4), (M{{13, 6}, {50, 6}}));
  EXPECT_EQ(TrackTickMarks(at, channelH, thumbH, false, 2, 4), (M{{13, 6}, {13, 34}, {50, 6}, {50, 34}}));
  EXPECT_EQ(TrackTickMarks(at, channelV, thumbV, true, 0, 4), (M{{34, 13}, {34, 50}}));
  EXPECT_EQ(TrackTickMarks(at, channelV, thumbV, true, 1, 4), (M{{6, 13}, {6, 50}}));
  EXPECT_EQ(TrackTickMarks(at, channelV, thumbV, true, 2, 4), (M{{6, 13}, {34, 13}, {6, 50}, {34, 50}}));
}

TEST(TrackGeometry, ThumbScaling) {
  EXPECT_FALSE(TrackThumbScaled({0, 0, 11, 23}, false, 11, 21)) << "23 across is drawn as it is";
  EXPECT_FALSE(TrackThumbScaled({0, 0, 23, 11}, true, 21, 11)) << "also for vertical bars";
  EXPECT_FALSE(TrackThumbScaled({0, 0, 11, 21}, false, 11, 21)) << "same size";
  EXPECT_TRUE(TrackThumbScaled({0, 0, 12, 24}, false, 11, 21));
  EXPECT_TRUE(TrackThumbScaled({0, 0, 23, 12}, false, 21, 11)) << "23 counts across the bar only";
}

}  // namespace
}  // namespace skin

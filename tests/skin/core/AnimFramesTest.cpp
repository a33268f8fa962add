#include <gtest/gtest.h>

#include "skin/core/acAnimFrames.h"

namespace skin {
namespace {

std::vector<int> Alphas(const std::vector<TacAnimFrame>& frames) {
  std::vector<int> a;
  for (const auto& f : frames) a.push_back(f.Alpha);
  return a;
}

TEST(AnimFrames, NoFramesBelowOnePeriod) {
  for (int time : {0, 1, 11}) {
    EXPECT_EQ(AnimFrameCount(time), 0) << time;
    TacShowFrames show(100, 50, time, 255, TacAnimType::atAero, false);
    EXPECT_TRUE(CollectFrames(show).empty());
    TacHideFrames hide(100, 50, time, 255, TacAnimType::atFading);
    EXPECT_TRUE(CollectFrames(hide).empty());
    TacSkinChangeFrames change(100, 50, time, 255, true);
    EXPECT_TRUE(CollectFrames(change).empty());
  }
  EXPECT_EQ(AnimFrameCount(12), 1);
  EXPECT_EQ(AnimFrameCount(240), 20);
  EXPECT_TRUE(SkinChangeMixWeights(23).empty());
}

TEST(AnimFrames, FormShowFadesToFiftyBelowItsBlendAndPaintsOnce) {
  TacShowFrames show(100, 50, 240, 255, TacAnimType::atFading, false);
  const auto frames = CollectFrames(show);
  ASSERT_EQ(frames.size(), 21u);
  // 10.25 a frame, halves to the even neighbour (20.5 -> 20).
  const std::vector<int> first{10, 20, 31, 41, 51, 62};
  const std::vector<int> alphas = Alphas(frames);
  EXPECT_EQ(std::vector<int>(alphas.begin(), alphas.begin() + 6), first);
  EXPECT_EQ(frames.back().Alpha, 215);
  EXPECT_EQ(frames[0].Paint, TacFramePaint::fpCopy);
  for (size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[i].Paint, TacFramePaint::fpKeep) << i;
}

TEST(AnimFrames, DialogShowReachesItsBlendOnTheLastFrame) {
  TacShowFrames show(100, 50, 240, 255, TacAnimType::atFading, true);
  const auto frames = CollectFrames(show);
  ASSERT_EQ(frames.size(), 21u);
  EXPECT_EQ(frames[0].Alpha, Nearest(255.0 / 21));
  EXPECT_EQ(frames[19].Alpha, Nearest(20 * 255.0 / 21));
  EXPECT_EQ(frames[20].Alpha, 255);
}

TEST(AnimFrames, DropDownShowBandsHalveTheRemainingDistance) {
  TacShowFrames show(300, 400, 1200, 255, TacAnimType::atDropDown, false);
  const auto frames = CollectFrames(show);
  std::vector<int> bands;
  for (const auto& f : frames) {
    EXPECT_EQ(f.Alpha, 255);  // a drop-down does not fade
    EXPECT_EQ(f.Paint, TacFramePaint::fpStretch);
    EXPECT_EQ(f.Width, 300);
    bands.push_back(f.Height);
  }
  // Stops once the step is below 2 pixels, long before its 101 frames.
  EXPECT_EQ(bands, (std::vector<int>{0, 200, 300, 350, 375, 388, 394}));
}

TEST(AnimFrames, AeroShowGrowsFromAThirtySecondToFullSize) {
  TacShowFrames show(320, 64, 120, 255, TacAnimType::atAero, false);
  const auto frames = CollectFrames(show);
  ASSERT_EQ(frames.size(), 11u);
  EXPECT_EQ(frames[0].Paint, TacFramePaint::fpStretch);
  EXPECT_EQ((std::vector<int>{frames[0].X, frames[0].Y, frames[0].Width, frames[0].Height}),
            (std::vector<int>{10, 2, 300, 60}));
  EXPECT_EQ((std::vector<int>{frames[10].X, frames[10].Y, frames[10].Width, frames[10].Height}),
            (std::vector<int>{0, 0, 320, 64}));
}

TEST(AnimFrames, HideFadesFromItsStartAlphaAndAeroShrinks) {
  TacHideFrames fade(100, 50, 120, 200, TacAnimType::atFading);
  const auto faded = CollectFrames(fade);
  ASSERT_EQ(faded.size(), 11u);
  EXPECT_EQ(Alphas(faded)[0], 180);
  EXPECT_EQ(faded[9].Alpha, 0);
  EXPECT_EQ(faded[10].Alpha, 0);  // never below 0

  // Ten frames: W / 320 and H / 320 less on every side per frame.
  TacHideFrames aero(640, 320, 120, 255, TacAnimType::atAero);
  const auto frames = CollectFrames(aero);
  ASSERT_EQ(frames.size(), 11u);
  for (size_t i = 0; i < frames.size(); ++i) {
    EXPECT_TRUE(frames[i].Cleared);
    EXPECT_EQ(frames[i].X, Nearest(2.0 * i)) << i;
    EXPECT_EQ(frames[i].Y, Nearest(1.0 * i)) << i;
    EXPECT_EQ(frames[i].Width, Nearest(640 - 4.0 * i)) << i;
    EXPECT_EQ(frames[i].Height, Nearest(320 - 2.0 * i)) << i;
  }
}

TEST(AnimFrames, DropDownHideKeepsItsAlphaAndHalvesTheBand) {
  TacHideFrames hide(50, 64, 1200, 180, TacAnimType::atDropDown);
  const auto frames = CollectFrames(hide);
  std::vector<int> bands;
  for (const auto& f : frames) {
    EXPECT_EQ(f.Alpha, 180);
    bands.push_back(f.Paint == TacFramePaint::fpCopy ? -1 : f.Height);
  }
  // The first frame is the picture itself; stops once the band is below 2 pixels.
  EXPECT_EQ(bands, (std::vector<int>{-1, 32, 16, 8, 4, 2}));
}

TEST(AnimFrames, SkinChangeBlendsTheOldLookAwayInAThird) {
  TacSkinChangeFrames change(64, 32, 120, 255, false);
  const auto frames = CollectFrames(change);
  ASSERT_EQ(frames.size(), 11u);
  EXPECT_EQ(frames[0].Alpha, Nearest(25.5));
  EXPECT_EQ(frames[9].Alpha, 255);
  EXPECT_EQ(frames[10].Alpha, 255);  // held at the blend
  EXPECT_EQ(change.OldLookAlpha(0), 255);
  EXPECT_EQ(change.OldLookAlpha(50), 105);
  EXPECT_EQ(change.OldLookAlpha(85), 0);
  EXPECT_EQ(change.OldLookAlpha(200), 0);
  TacSkinChangeFrames aero(320, 64, 120, 200, true);
  const auto grown = CollectFrames(aero);
  EXPECT_EQ(grown[0].X, 10);
  EXPECT_EQ(grown[10].Width, 320);
}

TEST(AnimFrames, PlainSkinChangeMixesFallByEqualSteps) {
  EXPECT_EQ(SkinChangeMixWeights(240), (std::vector<int>{255, 230, 204, 178, 153, 128, 102, 76, 51, 26}));
  EXPECT_EQ(SkinChangeMixWeights(24), (std::vector<int>{255}));
}

}  // namespace
}  // namespace skin

// Hint bubbles: placement at the point with the flips at a monitor's edges, the anchor point
// at a control, and the steps of the fade and slide.
#include <gtest/gtest.h>

#include "skin/graphics/acHintLayout.h"

using namespace skin;

namespace {

const TRect kMonitor{0, 0, 1024, 768};
const TRect kDefaultShadow{6, 5, 7, 8};  // the default template's shadow

// A bubble 100 x 40 with its shadow, put at P as the hint window does before placing it.
TRect BubbleAt(TPoint p) { return {p.X, p.Y, p.X + 100, p.Y + 40}; }

}  // namespace

TEST(HintPlacement, FlipsAndShiftsAtTheMonitorsEdges) {
  struct Case {
    const char* What;
    TPoint P;
    uint8_t Preferred;
    TacHintFit Fit;
    uint8_t Position;
    TRect R;
  } cases[] = {
      {"room enough: as preferred", {500, 300}, 0, TacHintFit::SinglePicture, 0, {500, 300, 600, 340}},
      {"a single picture shifts up by the overflow", {500, 750}, 0, TacHintFit::SinglePicture, 1, {500, 731, 600, 771}},
      {"corner pictures flip above the point", {500, 750}, 0, TacHintFit::CornerPictures, 1, {500, 718, 600, 758}},
      {"a skinned bubble is pushed inside", {500, 750}, 0, TacHintFit::Skin, 1, {500, 736, 600, 776}},
      {"corner pictures flip left at the right edge", {1000, 300}, 0, TacHintFit::CornerPictures, 2,
       {907, 300, 1007, 340}},
      {"left and above at the top-left corner comes back right and below", {10, 10}, 3, TacHintFit::CornerPictures, 0,
       {-6, -5, 94, 35}},
      {"left and below with room stays", {500, 300}, 2, TacHintFit::CornerPictures, 2, {413, 300, 513, 340}},
  };
  for (const Case& c : cases) {
    TRect r = BubbleAt(c.P);
    EXPECT_EQ(PlaceHint(r, c.P, c.Preferred, kMonitor, kDefaultShadow, c.Fit), c.Position) << c.What;
    EXPECT_EQ(r, c.R) << c.What << ": " << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
    EXPECT_EQ(r.Width(), 100) << c.What;
    EXPECT_EQ(r.Height(), 40) << c.What;
  }
  // Without a monitor nothing is corrected.
  TRect r = BubbleAt({5, 5});
  EXPECT_EQ(PlaceHint(r, {5, 5}, 3, std::nullopt, kDefaultShadow, TacHintFit::CornerPictures), 3);
  EXPECT_EQ(r, (TRect{-82, -22, 18, 18}));
}

TEST(HintPlacement, PositionTable) {
  EXPECT_EQ(HintPositionOf(false, false), 3);
  EXPECT_EQ(HintPositionOf(false, true), 1);
  EXPECT_EQ(HintPositionOf(true, false), 2);
  EXPECT_EQ(HintPositionOf(true, true), 0);
}

TEST(HintAnchor, UnderOrBesideTheControl) {
  const TRect s{100, 200, 180, 224};
  EXPECT_EQ(ComputeAnchorPoint(s, std::nullopt), (TPoint{140, 224}));
  EXPECT_EQ(ComputeAnchorPoint(s, TacAnchorPicture{false, 0, kDefaultShadow, {}}), (TPoint{146, 229}));
  EXPECT_EQ(ComputeAnchorPoint(s, TacAnchorPicture{false, 3, kDefaultShadow, {}}), (TPoint{133, 192}));
  EXPECT_EQ(ComputeAnchorPoint(s, TacAnchorPicture{true, 2, kDefaultShadow, {3, -2}}), (TPoint{96, 215}));
  EXPECT_EQ(ComputeAnchorPoint(s, TacAnchorPicture{true, 1, kDefaultShadow, {}}), (TPoint{186, 204}));
}

TEST(HintFade, SkinnedBubbleFadesToItsTransparencyInTwentySteps) {
  TacHintFade fade;
  const TRect at{300, 200, 400, 240};
  fade.Start(40, at, at);
  std::vector<int> alphas;
  TacHintFade::TFrame f;
  while (!(f = fade.Step()).Done) {
    EXPECT_FALSE(f.Slides);
    alphas.push_back(f.Alpha);
    ASSERT_LE(alphas.size(), 20u);
  }
  ASSERT_EQ(alphas.size(), 20u);
  EXPECT_EQ(alphas.front(), 8);  // 153 / 20 = 7.65
  EXPECT_EQ(alphas[9], 76);      // 76.5, the half to the even neighbour
  EXPECT_EQ(alphas.back(), 153);
  EXPECT_TRUE(std::is_sorted(alphas.begin(), alphas.end()));
  EXPECT_EQ(f.Alpha, 153);
  EXPECT_EQ(f.Pos, (TPoint{300, 200}));

  TacHintFade plain;
  plain.Start(-1, at, at);
  EXPECT_EQ(plain.FinalAlpha(), 255);
  EXPECT_EQ(plain.Step().Alpha, 13);  // 12.75
}

TEST(HintFade, SlidesAFifthOfWhatIsLeft) {
  TacHintFade fade;
  fade.Start(-1, {0, 0, 100, 40}, {100, 50, 200, 90});
  TacHintFade::TFrame f = fade.Step();
  EXPECT_TRUE(f.Slides);
  EXPECT_EQ(f.Pos, (TPoint{20, 10}));
  EXPECT_EQ(f.BackAlpha, 255 - f.Alpha);
  f = fade.Step();
  EXPECT_EQ(f.Pos, (TPoint{36, 18}));
  // Towards a place on the left and above as well.
  TacHintFade back;
  back.Start(-1, {200, 100, 300, 140}, {100, 50, 200, 90});
  EXPECT_EQ(back.Step().Pos, (TPoint{180, 90}));
  TacHintFade::TFrame last;
  while (!(last = back.Step()).Done) {
  }
  EXPECT_EQ(last.Pos, (TPoint{100, 50}));
}

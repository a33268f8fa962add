#include <gtest/gtest.h>

#include "skin/core/sConst.h"

namespace skin {
namespace {

TEST(Constants, VersionFlagTreatsSixTwoAndAboveAsEight) {
  struct {
    unsigned major, minor;
    int flag;
  } cases[] = {{5, 1, 5}, {6, 0, 6}, {6, 1, 6}, {6, 2, 8}, {6, 3, 6}, {10, 0, 8}};
  for (const auto& c : cases) EXPECT_EQ(WinVersionFlagOf(c.major, c.minor), c.flag) << c.major << "." << c.minor;
}

TEST(Constants, SkipTagNeedsEveryBitOfTheSkipValue) {
  EXPECT_TRUE(IsSkipSkinTag(256));
  EXPECT_TRUE(IsSkipSkinTag(257));
  EXPECT_TRUE(IsSkipSkinTag(0x300));
  EXPECT_FALSE(IsSkipSkinTag(255));
  EXPECT_FALSE(IsSkipSkinTag(0));
}

TEST(Constants, TablesKeepTheirOrderAndSpelling) {
  EXPECT_EQ(ScalePPI[3], 192);
  EXPECT_EQ(ScaleSuffix[0], "");
  EXPECT_EQ(ScaleSuffix[2], "*150");
  EXPECT_EQ(UpDownElementNames[2], "UPDOWNBTNRIGHT");
  EXPECT_EQ(TabElementNames[15], "TABBOTTOM");
  EXPECT_EQ(ThirdPartyPropNames[13], "ThirdPageControl");
  EXPECT_EQ(ThirdPartyDefaultLists[3], "TCheckBox\r\nTRadioButton\r\nTGroupButton");
  EXPECT_EQ(ThirdPartyDefaultLists[22], " ");
}

}  // namespace
}  // namespace skin

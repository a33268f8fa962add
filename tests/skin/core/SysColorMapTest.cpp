#include <gtest/gtest.h>

#include "skin/core/acSysColorMap.h"
#include "skin/graphics/acBitmap32.h"

namespace skin {
namespace {

TacPalette TestPalette() {
  TacPalette p{};
  for (size_t i = 0; i < p.size(); ++i) p[i] = uint32_t(0x010101 * (i + 1));
  p[0] = 0x204060;
  p[4] = 0x101010;
  p[5] = 0xF0E0D0;
  return p;
}

TEST(SysColorMap, QueriesAnsweredFromThePalette) {
  const TacPalette p = TestPalette();
  const uint32_t border = 0x123456;
  struct Case { int index; std::optional<uint32_t> want; };
  const Case cases[] = {
      {5, p[5]}, {6, p[55]}, {8, p[4]}, {11, border}, {13, p[8]}, {14, p[9]},
      {16, MixColors(p[0], 0, 205)}, {21, MixColors(p[0], 0, 205)}, {22, MixColors(p[0], 0xFFFFFF, 205)},
      {15, std::nullopt}, {0, std::nullopt}, {-1, std::nullopt}, {99, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(SkinSysColor(c.index, p, border), c.want) << c.index;
  EXPECT_EQ(SkinSysBrushColor(5, p), p[5]);
  EXPECT_EQ(SkinSysBrushColor(14, p), p[9]);
  EXPECT_FALSE(SkinSysBrushColor(6, p));
}

TEST(SysColorMap, PensInTheClassicGreysTakeTheEditMix) {
  const TacPalette p = TestPalette();
  EXPECT_EQ(SkinPenColor(0xC0C0C0, p, 0), MixColors(p[4], p[5], 38));
  EXPECT_EQ(SkinPenColor(0xF0F0F0, p, 0), MixColors(p[4], p[5], 38));
  EXPECT_EQ(SkinPenColor(15, p, 0), p[0]);
  EXPECT_EQ(SkinPenColor(11, p, 0x42), 0x42u);
  EXPECT_EQ(SkinPenColor(0x0000FF, p, 0), 0x0000FFu);
}

}  // namespace
}  // namespace skin

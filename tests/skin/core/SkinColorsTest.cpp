// Colour codes to skin colours, with a stand-in system palette so the answers are known.
#include <gtest/gtest.h>

#include "skin/core/acSkinColors.h"
#include "skin/core/acSkinData.h"
#include "skin/graphics/acBitmap32.h"

namespace {

uint32_t FakeSysColor(int index) { return 0x00A00000u + uint32_t(index); }

class SkinColors : public ::testing::Test {
 protected:
  void SetUp() override {
    skin::SetSysColorSource(FakeSysColor);
    for (int i = 0; i < skin::kPaletteSize; ++i) colors.Palette[size_t(i)] = 0x010101u * uint32_t(i + 1);
    colors.SkinLoaded = true;
    data.Sections.clear();
    skin::AddSection(data, "FORMTITLE", -1, 0x111111, 0x222222, 0, 2);
    data.Sections[0].StateParams[1].Color = 0x333333;
    data.Sections[0].StateParams[1].FontColor = 0x444444;
    skin::AddSection(data, "HINT", -1, 0x555555, 0x666666, 0, 1);
    colors.Data96 = &data;
  }
  void TearDown() override { skin::SetSysColorSource(nullptr); }
  skin::TacSkinData data{96};
  skin::TacSkinColors colors;
};

TEST_F(SkinColors, WithoutASkinTheSystemAnswers) {
  struct { uint32_t code, rgb; } cases[] = {
      {0x0012AB34, 0x0012AB34},      // plain colours stay
      {0xFF00000F, 0x00A0000F},      // clBtnFace: the system's
      {0xFFD5D5FF, 0x00D5D5FF},      // a named palette code: its default value
      {skin::clSkinMainColor, 0x00A00001},  // the main colour: system colour of its low byte
  };
  for (const auto& t : cases) {
    EXPECT_EQ(skin::ColorToSkinRGB(t.code, nullptr), t.rgb) << std::hex << t.code;
    colors.SkinLoaded = false;
    EXPECT_EQ(skin::ColorToSkinRGB(t.code, &colors), t.rgb) << std::hex << t.code;
    colors.SkinLoaded = true;
  }
}

TEST_F(SkinColors, WithASkinThePaletteAndSectionsAnswer) {
  const auto& p = colors.Palette;
  struct { uint32_t code, rgb; } cases[] = {
      {0x00123456, 0x00123456},
      {skin::clSkinMainColor, p[0]}, {0xFF00000F, p[0]}, {0xFF000005, p[5]}, {0xFF000008, p[4]},
      {0xFF00000D, p[8]}, {0xFF00001A, p[3]}, {0xFF000006, p[55]},
      {0xFF000002, 0x333333}, {0xFF00001B, 0x333333}, {0xFF000003, 0x222222}, {0xFF00001C, 0x222222},
      {0xFF000009, 0x444444}, {0xFF000013, 0x111111},
      {0xFF000017, 0x555555}, {0xFF000018, 0x666666},
      {0xFF000010, skin::MixColors(p[0], 0, 180)}, {0xFF000011, skin::MixColors(p[0], p[1], 127)},
      {0xFF000014, skin::MixColors(p[0], p[8], 127)}, {0xFF000016, skin::MixColors(p[0], 0xFFFFFF, 180)},
      {0xFFD5D5FF, p[39]}, {0xFFBAEFFF, p[46]}, {0xFF0098C6, p[54]}, {0xFF003E0A, p[14]}, {0xFFDBDBFF, p[21]},
      {0xFF000019, 0x00A00019},  // a code the table does not hold: the system's
  };
  for (const auto& t : cases) EXPECT_EQ(skin::ColorToSkinRGB(t.code, &colors), t.rgb) << std::hex << t.code;
}

TEST_F(SkinColors, MissingSectionsFallBackToThePalette) {
  data.Sections.clear();
  const auto& p = colors.Palette;
  EXPECT_EQ(skin::ColorToSkinRGB(0xFF000018, &colors), p[5]);  // clInfoBk without HINT
  EXPECT_EQ(skin::ColorToSkinRGB(0xFF000017, &colors), p[4]);
  EXPECT_EQ(skin::ColorToSkinRGB(0xFF000002, &colors), p[0]);
  EXPECT_EQ(skin::ColorToSkinRGB(0xFF000009, &colors), p[1]);
  colors.Data96 = nullptr;
  EXPECT_EQ(skin::ColorToSkinRGB(0xFF000013, &colors), p[1]);
}

}  // namespace

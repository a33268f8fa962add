// Colour changes of a loaded skin and mirrored title-bar buttons, on a small skin built
// here: a master bitmap with a fuchsia key pixel, an element cut from it with a mask half,
// a title-bar close icon cut from it, a picture of its own, and a section with a gradient.
#include <gtest/gtest.h>

#include <vector>

#include "skin/core/acSkinAdjust.h"

namespace {

using skin::TBitmap32;

struct SmallSkin {
  TBitmap32 master{8, 4};
  skin::TacSkinData data{96};
  skin::TacPalette palette{};
  uint32_t shadow = 0x00336699;
  skin::TacSkinColorTarget Target(int keepHue = 0) { return {&master, &data, &palette, &shadow, keepHue}; }

  SmallSkin() {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 8; ++x) master.At(x, y) = skin::MakePixel(40 + 20 * x, 90 + 10 * y, 160, 255);
    master.At(0, 0) = 0x00FF00FF;  // key pixel
    const int32_t global = skin::AddSection(data, "GLOBALINFO", -1, 0, 0x336699, 0, 1);
    const int32_t button = skin::AddSection(data, "BUTTON", -1, 0x102030, 0x405060, 0, 3);
    data.Sections[size_t(button)].StateParams[0].GradientPercent = 50;
    data.Sections[size_t(button)].StateParams[0].Gradient = {{0, 0, 0x00AA5500, 0}, {1, 0, 0x000055AA, 100}};
    data.Sections[size_t(button)].StateParams[1].Gradient = {{0, 0, 0x00AA5500, 0}};  // not in use
    data.Sections[size_t(button)].StateParams[2].FontColor = 0xFFFFFFFF;           // no colour
    auto element = [&](int32_t section, const char* key, skin::TacRect rect, int16_t frames, int16_t maskBlocks,
                       TBitmap32* image) {
      skin::TsMaskData e;
      e.SectionIndex = section;
      e.SectionName = data.Sections[size_t(section)].SectionName;
      e.KeyName = key;
      e.SrcRect = rect;
      e.FrameCount = frames;
      e.MaskBlocks = maskBlocks;
      e.Image = image;
      data.Masks.push_back(e);
    };
    element(button, "BORDERSMASK", {0, 0, 4, 4}, 2, 1, nullptr);  // image over mask
    element(global, "BICONCLOSE", {4, 0, 8, 2}, 1, 0, nullptr);
    // BICONMAX with a picture of its own.
    skin::TacBmpData pic;
    pic.Bitmap = std::make_unique<TBitmap32>(4, 2);
    for (int x = 0; x < 4; ++x) pic.Bitmap->At(x, 0) = pic.Bitmap->At(x, 1) = skin::MakePixel(200, 30, 10 * x, 255);
    element(global, "BICONMAX", {0, 0, 4, 2}, 2, 0, pic.Bitmap.get());
    data.SharedImages.push_back(std::move(pic));
    data.TitleBtnImages.fill(-1);
    data.TitleBtnImages[1] = 1;
    data.TitleBtnImages[2] = 2;
    data.TitleBtnGlows[1] = {1};  // the close icon is its own glow: one region, mirrored once
    for (size_t i = 0; i < palette.size(); ++i) palette[i] = 0x00102030u + uint32_t(i);
  }
  const TBitmap32& Picture() const { return *data.SharedImages[0].Bitmap; }
};

std::vector<uint32_t> PixelsOf(const TBitmap32& b, skin::TacRect r) {
  std::vector<uint32_t> v;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) v.push_back(b.At(x, y));
  return v;
}
std::vector<uint32_t> AllPixels(const TBitmap32& b) { return PixelsOf(b, {0, 0, b.Width(), b.Height()}); }

TEST(SkinAdjust, ZeroChangesNothing) {
  SmallSkin a, b;
  auto t = b.Target(0);
  skin::ApplyColorAdjustments(t, 0, 0, 0);
  EXPECT_EQ(AllPixels(a.master), AllPixels(b.master));
  EXPECT_EQ(AllPixels(a.Picture()), AllPixels(b.Picture()));
  EXPECT_EQ(a.palette, b.palette);
  EXPECT_EQ(a.shadow, b.shadow);
  EXPECT_EQ(a.data.Sections[1].StateParams[0].Color, b.data.Sections[1].StateParams[0].Color);
}

TEST(SkinAdjust, SaturationIsClampedAndReachesEveryColour) {
  SmallSkin a, b;
  auto ta = a.Target(), tb = b.Target();
  skin::AdjustSaturation(ta, 100);
  skin::AdjustSaturation(tb, 150);  // 150 % gives 255 as 100 % does
  EXPECT_EQ(AllPixels(a.master), AllPixels(b.master));
  SmallSkin orig;
  EXPECT_NE(AllPixels(a.master), AllPixels(orig.master));
  EXPECT_EQ(a.master.At(0, 0), 0x00FF00FFu);  // key pixels stay
  const auto& st = a.data.Sections[1].StateParams;
  EXPECT_EQ(st[0].Color, skin::ChangeColorSaturation(0x405060, 255));
  EXPECT_EQ(st[0].Gradient[1].Color, skin::ChangeColorSaturation(0x000055AA, 255));
  EXPECT_EQ(st[2].FontColor, 0xFFFFFFFFu);  // -1 stays
  EXPECT_EQ(a.shadow, skin::ChangeColorSaturation(0x00336699, 255));
  EXPECT_EQ(a.palette[0], skin::ChangeColorSaturation(orig.palette[0], 255));
  EXPECT_EQ(a.palette[3], orig.palette[3]);    // entries that keep the skin's values
  EXPECT_EQ(a.palette[20], orig.palette[20]);
  EXPECT_EQ(a.palette[59], orig.palette[59]);
  EXPECT_EQ(a.palette[57], skin::ChangeColorSaturation(orig.palette[57], 255));
}

TEST(SkinAdjust, BrightnessKeepsMasksAndThePalette) {
  SmallSkin s, orig;
  auto t = s.Target();
  skin::AdjustBrightness(t, -30);
  EXPECT_EQ(s.palette, orig.palette);
  EXPECT_EQ(s.shadow, orig.shadow);
  // The lower half of the border element (rows 2-3, columns 0-3) is its mask.
  EXPECT_EQ(PixelsOf(s.master, {0, 2, 4, 4}), PixelsOf(orig.master, {0, 2, 4, 4}));
  EXPECT_EQ(s.master.At(1, 1), skin::ChangeColorBrightness(orig.master.At(1, 1), -30));
  EXPECT_EQ(s.master.At(6, 3), skin::ChangeColorBrightness(orig.master.At(6, 3), -30));
  EXPECT_EQ(s.data.Sections[1].StateParams[0].FontColor, skin::ChangeColorBrightness(0x102030, -30));
}

TEST(SkinAdjust, HueKeepsTitleIconsByKeepHue) {
  const skin::TacRect closeRect{4, 0, 8, 2};
  for (int keep : {0, 1, 2}) {
    SmallSkin s, orig;
    auto t = s.Target(keep);
    skin::AdjustHue(t, 120);
    // the close icon keeps its colours with any keep-hue value, the maximize icon's own
    // picture only with 1
    EXPECT_EQ(PixelsOf(s.master, closeRect) == PixelsOf(orig.master, closeRect), keep >= 1) << keep;
    EXPECT_EQ(AllPixels(s.Picture()) == AllPixels(orig.Picture()), keep == 1) << keep;
    EXPECT_EQ(s.master.At(1, 1), skin::ShiftHuePixel(120, orig.master.At(1, 1))) << keep;
    const auto& st = s.data.Sections[1].StateParams;
    EXPECT_EQ(st[0].Gradient[0].Color, skin::ChangeColorHue(120, 0x00AA5500));  // gradient in use
    EXPECT_EQ(st[1].Gradient[0].Color, 0x00AA5500u);                          // not in use
    EXPECT_EQ(st[0].Color, skin::ChangeColorHue(120, 0x405060));
    EXPECT_EQ(s.palette[13], skin::ChangeColorHue(120, orig.palette[13]));
  }
}

TEST(SkinAdjust, MirroringTwiceIsTheIdentity) {
  SmallSkin s, orig;
  skin::MirrorTitleButtons({&s.data}, &s.master);
  // The close icon (one frame of 4) is reversed in each row; the maximize picture has two
  // frames of 2, each reversed.
  EXPECT_EQ(s.master.At(4, 1), orig.master.At(7, 1));
  EXPECT_EQ(s.master.At(5, 0), orig.master.At(6, 0));
  EXPECT_EQ(s.Picture().At(0, 0), orig.Picture().At(1, 0));
  EXPECT_EQ(s.Picture().At(2, 1), orig.Picture().At(3, 1));
  EXPECT_EQ(PixelsOf(s.master, {0, 0, 4, 4}), PixelsOf(orig.master, {0, 0, 4, 4}));  // not a title button
  skin::MirrorTitleButtons({&s.data}, &s.master);
  EXPECT_EQ(AllPixels(s.master), AllPixels(orig.master));
  EXPECT_EQ(AllPixels(s.Picture()), AllPixels(orig.Picture()));
  // an element reaching beyond its picture mirrors what lies inside and nothing else
  skin::TsMaskData wide;
  wide.SrcRect = {6, 2, 12, 9};
  skin::MirrorElementFrames(wide, &s.master);
  EXPECT_EQ(AllPixels(s.master), AllPixels(orig.master));
}

}  // namespace

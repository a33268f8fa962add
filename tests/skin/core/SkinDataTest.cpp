// Skin data from the project's test skin: section records with inheritance, limits and state
// copies, the built-in sections, image elements in every notation, the scaled-variant search
// at several PPI, element scaling, shared pictures and the PARENTCLASS cycle.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "rtl/SysUtils.h"
#include "skin/core/acSkinData.h"
#include "tests/skin/TestSkin.h"

namespace {

using skin::TacSkinData;
using skin::TBitmap32;
using skin::test::Load;
using skin::test::LoadedSkin;
using skin::test::ReadBmp24;
using skin::test::ReadText;

const skin::TsGeneralData& Section(const TacSkinData& d, const char* name) {
  int32_t i = skin::GetSkinIndex(d, name);
  EXPECT_GE(i, 0) << name;
  return d.Sections.at(size_t(i));
}

const skin::TsMaskData& Element(const TacSkinData& d, const char* section, const char* key) {
  int32_t i = skin::FindMaskIndex(d, section, key);
  EXPECT_GE(i, 0) << section << "/" << key;
  return d.Masks.at(size_t(i));
}

TEST(SkinData, SectionsInheritThroughTwoLevelsAndKeepTheirLimits) {
  auto s = Load("Korvan Test", 96);
  const TacSkinData& d = *s->data;
  const auto& child = Section(d, "CHILDBUTTON");
  EXPECT_EQ(child.ParentClass, "MIDBUTTON");
  // COLOR=-1 cannot override: the parent's 255 stays; the rest comes from BUTTON.
  EXPECT_EQ(child.StateParams[0].Color, 255u);
  EXPECT_EQ(child.StateParams[1].Color, 15658734u);
  EXPECT_EQ(child.StateParams[1].FontColor, 8388608u);  // MIDBUTTON's -1 is skipped too
  EXPECT_EQ(child.StateParams[0].Transparency, 30);
  EXPECT_EQ(child.StateParams[0].GradientPercent, 100);
  ASSERT_FALSE(child.StateParams[0].Gradient.empty());
  EXPECT_FALSE(child.StateParams[1].Gradient.empty());
  // Limits: GLOW=300 gives 255, OUTBLUR=50 gives 30; absent keys take their defaults.
  EXPECT_EQ(child.Glow, 255);
  EXPECT_EQ(child.OuterBlur, 30);
  EXPECT_EQ(child.OuterRadius, 9);
  EXPECT_EQ(child.OuterOpacity, 200);
  EXPECT_EQ(child.OuterOffsetL, -1);
  EXPECT_EQ(child.States, 3);
  const auto& glow = Section(d, "GLOWPANEL");
  EXPECT_EQ(glow.OuterMode, 3);
  EXPECT_EQ(glow.OuterOffsetL, 4);
  EXPECT_EQ(glow.OuterColorL, 255u);
  EXPECT_EQ(Section(d, "FORMTITLE").GlowMargin, 4);
  EXPECT_EQ(Section(d, "FORMTITLE").StateParams[0].ContourLeft, -1);
}

TEST(SkinData, StatesAreReadOrCopiedByTheirCount) {
  auto s = Load("Korvan Test", 96);
  const TacSkinData& d = *s->data;
  const auto& button = Section(d, "BUTTON");  // three states, no third state of its own
  EXPECT_EQ(button.StateParams[2].Color, button.StateParams[1].Color);
  EXPECT_EQ(button.StateParams[2].Gradient.size(), button.StateParams[1].Gradient.size());
  const auto& panel = Section(d, "PANEL");  // one state
  for (int n : {1, 2}) {
    EXPECT_EQ(panel.StateParams[size_t(n)].Color, panel.StateParams[0].Color);
    EXPECT_EQ(panel.StateParams[size_t(n)].FontColor, panel.StateParams[0].FontColor);
  }
  const auto& menu = Section(d, "MENUITEM");  // a third state of its own
  EXPECT_TRUE(menu.UseState2);
  EXPECT_EQ(menu.StateParams[2].Color, 8421504u);
  EXPECT_EQ(menu.StateParams[2].ContourLeft, 255);
  EXPECT_EQ(menu.StateParams[1].Color, 12937777u);
  // Defaults come from the default state, not from another state.
  EXPECT_EQ(menu.StateParams[2].FontColor, 0u);
  EXPECT_EQ(menu.StateParams[2].GlowColor, 0xFFFFFFu);
}

TEST(SkinData, BuiltInSectionsAreAdded) {
  auto s = Load("Korvan Test", 96);
  const TacSkinData& d = *s->data;
  const size_t fromText = s->source.Options.ReadSections().size();
  ASSERT_GE(d.Sections.size(), fromText + 2);
  const auto& t = d.Sections[fromText];
  EXPECT_EQ(t.SectionName, "TRANSPARENT");
  EXPECT_EQ(t.States, 1);
  for (const auto& st : t.StateParams) {
    EXPECT_EQ(st.Transparency, 100);
    EXPECT_EQ(st.Color, 0xFFFFFFu);
    EXPECT_EQ(st.FontColor, 0x000080u);
    EXPECT_EQ(st.ContourTop, -1);
  }
  const auto& m = d.Sections[fromText + 1];
  EXPECT_EQ(m.SectionName, "MAINCOLOR");
  EXPECT_EQ(m.StateParams[0].Color, 0xDDDDDDu);
  EXPECT_EQ(m.StateParams[0].Transparency, 0);
}

TEST(SkinData, ElementsOfEveryNotationAndTheirSections) {
  auto s = Load("Korvan Test", 96);
  const TacSkinData& d = *s->data;
  const auto& border = Element(d, "BUTTON", "BORDERSMASK");
  EXPECT_EQ(border.Image, nullptr);  // a region of the master bitmap
  EXPECT_EQ(border.SrcRect, (skin::TacRect{0, 0, 90, 40}));
  EXPECT_EQ(border.FrameWidth, 30);
  EXPECT_EQ(border.FrameHeight, 20);
  EXPECT_EQ(border.CornerFlags, 1);  // fuchsia in the frames' corners
  EXPECT_EQ(Element(d, "EDIT", "BORDERSMASK").CornerFlags, 0);
  const auto& panel = Element(d, "PANEL", "BORDERSMASK");  // "^" with borders from the rectangle
  EXPECT_EQ(panel.BorderLeft, 14);
  EXPECT_EQ(panel.BorderBottom, 14);
  const auto& checks = Element(d, "GLOBALINFO", "BOXCHECKED");  // "@"
  EXPECT_EQ(checks.ElementKind, 2);
  EXPECT_EQ(checks.FrameWidth, 16);
  const auto& pattern = Element(d, "BUTTON", "PATTERN");  // "~" naming a file
  EXPECT_EQ(pattern.ElementKind, 1);
  ASSERT_NE(pattern.Image, nullptr);
  EXPECT_EQ(pattern.Image->Width(), 8);
  const auto& tick = Element(d, "TRACKBAR", "TICKHORZ");  // "!" kind 4, rectangle in the file
  EXPECT_EQ(tick.ElementKind, 4);
  EXPECT_EQ(tick.SrcRect, (skin::TacRect{0, 0, 32, 16}));
  // A picture the loader cannot give (a PNG here) drops its element.
  EXPECT_EQ(skin::FindMaskIndex(d, "GLOBALINFO", "BOXUNCHECKED"), -1);
  // Keys with "*" and the master bitmap's name are no elements.
  EXPECT_EQ(skin::FindMaskIndex(d, "HINT", "BORDERSMASK*150"), -1);
  EXPECT_EQ(skin::FindMaskIndex(d, "GLOBALINFO", "MASTERBITMAP"), -1);

  // Section indices: own, inherited through the chain, and textures likewise.
  const int32_t button = skin::FindMaskIndex(d, "BUTTON", "BORDERSMASK");
  EXPECT_EQ(Section(d, "BUTTON").BorderIndex, button);
  EXPECT_EQ(Section(d, "CHILDBUTTON").BorderIndex, button);
  EXPECT_EQ(Section(d, "TABTOP").StateParams[0].TextureIndex, skin::FindMaskIndex(d, "BUTTON", "PATTERN"));
  const int32_t hot = skin::FindMaskIndex(d, "BUTTON", "HOTPATTERN");  // a file name with "!" words
  EXPECT_EQ(d.Masks.at(size_t(hot)).ElementKind, 1);
  EXPECT_EQ(Section(d, "BUTTON").StateParams[1].TextureIndex, hot);
  EXPECT_EQ(Section(d, "BUTTON").StateParams[2].TextureIndex, hot);  // no third state: the hot one
  EXPECT_EQ(Section(d, "PANEL").StateParams[0].TextureIndex, skin::FindMaskIndex(d, "PANEL", "PATTERN"));
  EXPECT_EQ(Section(d, "EDIT").FrameKind, -1);      // one-pixel borders
  EXPECT_EQ(Section(d, "COMBOBOX").FrameKind, 0);   // the same borders, another name
  EXPECT_EQ(Section(d, "FORMTITLE").FrameKind, -2); // no border
  EXPECT_EQ(Section(d, "FORMTITLE").BorderIndex, -1);
  // Names are compared exactly.
  EXPECT_EQ(skin::GetSkinIndex(d, "button"), -1);
  EXPECT_EQ(skin::GetSkinIndex(d, ""), -1);
  EXPECT_EQ(skin::GetMaskIndex(d, -1, "BORDERSMASK"), -1);
  EXPECT_EQ(skin::GetMaskIndex(d, int32_t(d.Sections.size()), "BORDERSMASK"), -1);
}

TEST(SkinData, ScaledVariantSearch) {
  struct { int ppi; const char* section; int sourcePPI; int width; bool rescaled; } cases[] = {
      {96, "HINT", 96, 24, false},       {144, "HINT", 144, 36, false},  // the "*150" variant as drawn
      {120, "HINT", 144, 30, true},      // "*125" absent: "*150" next, then rescaled down
      {96, "TOOLBAR", 96, 20, false},    {100, "TOOLBAR", 120, 20, true},  // at 100 the search starts at "*125"
      {120, "TOOLBAR", 120, 25, false},  {144, "TOOLBAR", 192, 30, true},  // upward first: "*200"
      {192, "TOOLBAR", 192, 40, false},
  };
  for (const auto& t : cases) {
    auto s = Load("Korvan Test", t.ppi);
    const auto& e = Element(*s->data, t.section, "BORDERSMASK");
    EXPECT_EQ(e.SourcePPI, t.sourcePPI) << t.section << " at " << t.ppi;
    EXPECT_EQ(e.TargetPPI, t.ppi);
    EXPECT_EQ(e.FrameWidth, t.width) << t.section << " at " << t.ppi;
    EXPECT_EQ(e.Image != nullptr, t.rescaled) << t.section << " at " << t.ppi;
  }
}

TEST(SkinData, ElementScalingAndSharedPictures) {
  auto s = Load("Korvan Test", 120);
  const TacSkinData& d = *s->data;
  const auto& border = Element(d, "BUTTON", "BORDERSMASK");
  ASSERT_NE(border.Image, nullptr);
  // Frame width first (30 -> 37), then times the frames; image and mask halves each 25.
  EXPECT_EQ(border.Image->Width(), 111);
  EXPECT_EQ(border.Image->Height(), 50);
  EXPECT_EQ(border.FrameWidth, 37);
  EXPECT_EQ(border.FrameHeight, 25);
  EXPECT_EQ(border.BorderLeft, 5);
  // Every pixel of the image half is opaque or the key colour.
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 111; ++x) {
      skin::TPixel p = border.Image->At(x, y);
      EXPECT_TRUE(skin::ChA(p) >= 100 || p == 0x00FF00FFu) << x << "," << y;
    }
  // The same region named twice, and the same file named twice, are prepared once.
  EXPECT_EQ(Element(d, "TRACKBAR", "SLIDERMASK").Image, border.Image);
  EXPECT_EQ(Element(d, "COMBOBOX", "GLYPHMASK").Image, Element(d, "TRACKBAR", "TICKHORZ").Image);
  EXPECT_EQ(s->pictureLoads["GLYPH.BMP"], 1);
  // A one-pixel-border element stays as drawn.
  EXPECT_EQ(Element(d, "EDIT", "BORDERSMASK").Image, nullptr);
  auto at96 = Load("Korvan Test", 96);
  // Pattern.bmp, Glyph.bmp, the generated outer picture of GLOWPANEL and the two outer
  // effects of the skin only.
  EXPECT_EQ(at96->data->SharedImages.size(), 5u);
}

TEST(SkinData, FrameCountZeroIsOneFrameWithHalfBorders) {
  for (int ppi : {96, 120, 144}) {
    auto s = Load("bad-frame0", ppi);
    const auto& e = Element(*s->data, "EDIT", "BORDERSMASK");
    EXPECT_EQ(e.FrameCount, 1) << ppi;
    EXPECT_EQ(e.FrameWidth, skin::ScaleByPPI(20, ppi)) << ppi;
    EXPECT_EQ(e.BorderLeft, (e.FrameWidth - 1) / 2) << ppi;
    EXPECT_EQ(e.BorderTop, (e.FrameHeight - 1) / 2) << ppi;
  }
}

TEST(SkinData, ParentClassCycleEndsWithNotFound) {
  auto s = Load("bad-cycle", 96);
  const TacSkinData& d = *s->data;
  const auto& o = s->source.Options;
  // BUTTON -> CHILDBUTTON -> MIDBUTTON -> BUTTON, and SCROLLBAR1H naming itself.
  EXPECT_EQ(skin::ReadInheritedInt(o, "BUTTON", "NOSUCHKEY", 7), 7);
  EXPECT_EQ(skin::ReadInheritedInt(o, "CHILDBUTTON", "NOSUCHKEY", 0, true), -1);
  EXPECT_EQ(skin::ReadInheritedString(o, "SCROLLBAR1V", "NOSUCHKEY", "x"), "x");
  EXPECT_EQ(skin::ReadInheritedInt(o, "CHILDBUTTON", "HOTCOLOR", 0), 15658734);  // found before the loop closes
  EXPECT_EQ(skin::GetMaskIndex(d, skin::GetSkinIndex(d, "MIDBUTTON"), "NOSUCHMASK"), -1);
  EXPECT_EQ(skin::GetTextureIndex(d, skin::GetSkinIndex(d, "MIDBUTTON"), "MIDBUTTON", "NOSUCH"), -1);
  EXPECT_EQ(Section(d, "SCROLLBAR1H").FrameKind, -2);
  EXPECT_EQ(Section(d, "MIDBUTTON").BorderIndex, skin::FindMaskIndex(d, "BUTTON", "BORDERSMASK"));
}

TEST(SkinData, SkinWideMetricsAtEachStep) {
  struct { int ppi; int border, title, shadowSize, shadowBlur, combo; } cases[] = {
      {96, 4, 24, 16, -1, 1},   // as written; an absent blur stays -1 at step 0
      {120, 5, 30, 20, -1, 1},  // "*125" variants where written, else the plain value scaled
      {144, 6, 36, 24, -1, 2},  // a combo margin of 1 becomes 2 above 143 PPI
  };
  for (const auto& t : cases) {
    auto s = Load("Korvan Test", t.ppi);
    const TacSkinData& d = *s->data;
    EXPECT_EQ(d.BorderWidth, t.border) << t.ppi;
    EXPECT_EQ(d.TitleHeight, t.title) << t.ppi;
    EXPECT_EQ(d.MaxTitleHeight, t.title) << t.ppi;
    EXPECT_EQ(d.WndShadowSize, t.shadowSize) << t.ppi;
    EXPECT_EQ(d.Shadow1Blur, t.shadowBlur) << t.ppi;
    EXPECT_EQ(d.ComboMrg, t.combo) << t.ppi;
    EXPECT_EQ(d.WndShadowRadius, skin::ScaleByPPI(17, t.ppi)) << t.ppi;
    EXPECT_EQ(d.WndShadowColorActive, 0x99000000u);
    EXPECT_EQ(d.OuterEffects[1].ColorT, 0x00FF00FFu);
    EXPECT_EQ(d.OuterEffects[1].OffsetB, skin::ScaleByPPI(5, t.ppi));
    EXPECT_EQ(d.OuterEffects[0].Opacity, 200);
    EXPECT_EQ(d.OuterEffects[0].ColorL, 0xFFFFFFu);
  }
}

TEST(SkinData, GeneratedOuterEffects) {
  auto s = Load("Korvan Test", 96);
  const TacSkinData& d = *s->data;
  const auto& shadow = d.OuterEffects[1];  // defaults: radius 9, blur 5, offsets 3, 3, 2, 5
  ASSERT_GE(shadow.EffectMask, 0);
  const auto& m = d.Masks[size_t(shadow.EffectMask)];
  ASSERT_NE(m.Image, nullptr);
  EXPECT_EQ(m.Image->Width(), 25);   // 2 x 9 + 3 + 3 + 1
  EXPECT_EQ(m.Image->Height(), 52);  // twice 2 x 9 + 2 + 5 + 1
  EXPECT_EQ(m.SrcRect, (skin::TacRect{0, 0, 19, 38}));
  EXPECT_EQ(shadow.WidthL, 12);
  EXPECT_EQ(shadow.WidthR, 12);
  EXPECT_EQ(shadow.WidthT, 11);
  EXPECT_EQ(shadow.WidthB, 14);
  EXPECT_EQ(m.BorderBottom, 14);
  EXPECT_EQ(m.Image->At(1, 1), 0xFF000000u);  // one colour: the shadow's, opaque
  EXPECT_EQ(m.KeyName, "SH_MASK");
  const auto& outline = d.OuterEffects[0];
  ASSERT_GE(outline.EffectMask, 0);
  EXPECT_NE(outline.EffectMask, shadow.EffectMask);
  int calc = 0;
  for (const auto& b : d.SharedImages) calc += b.FileName == "OuterCalc";
  EXPECT_EQ(calc, 2);
}

TEST(SkinData, StandardSectionsAndElementRecords) {
  auto s = Load("Korvan Test", 96);
  const TacSkinData& d = *s->data;
  auto std_ = [&](int entry) { return d.StandardSections[size_t(entry)]; };
  EXPECT_EQ(d.GlobalInfoIndex, 0);
  EXPECT_EQ(std_(9), skin::GetSkinIndex(d, "BUTTON"));
  EXPECT_EQ(std_(11), -1);  // BUTTON_HUGE
  // Missing entries point at their fallback; a copy under the missing name is added.
  struct { int entry; const char* fallback; } fallbacks[] = {
      {39, "TOOLBAR"}, {40, "FORMTITLE"}, {41, "SPEEDBUTTON"}, {44, "TOOLBUTTON"}, {46, "TABTOP"},
      {47, "BUTTON"},  {48, "BUTTON"},    {50, "BUTTON"},      {51, "PANEL_LOW"}, {52, "PANEL_LOW"}};
  for (const auto& f : fallbacks) {
    EXPECT_EQ(std_(f.entry), skin::GetSkinIndex(d, f.fallback)) << f.entry;
    const int32_t copy = skin::GetSkinIndex(d, skin::StandardSectionNames[size_t(f.entry)]);
    ASSERT_GE(copy, 0) << f.entry;
    EXPECT_EQ(d.Sections[size_t(copy)].StateParams[0].Color,
              d.Sections[size_t(skin::GetSkinIndex(d, f.fallback))].StateParams[0].Color);
  }
  for (int self : {42, 43, 45}) {
    EXPECT_EQ(std_(self), -1);
    EXPECT_EQ(skin::GetSkinIndex(d, skin::StandardSectionNames[size_t(self)]), -1);
  }
  // Element records.
  const int32_t button = skin::GetSkinIndex(d, "BUTTON");
  EXPECT_EQ(d.UpDownElems[0].Section, skin::GetSkinIndex(d, "UPDOWNBTN"));
  EXPECT_EQ(d.UpDownElems[0].FoundName, "UPDOWNBTN");
  EXPECT_EQ(d.UpDownElems[0].BorderMask, skin::GetMaskIndex(d, button, "BORDERSMASK"));
  EXPECT_EQ(d.ScrollBarElems[1].Section, skin::GetSkinIndex(d, "SCROLLBAR1V"));
  EXPECT_EQ(d.ComboBtnElem.Section, skin::GetSkinIndex(d, "COMBOBTN"));
  EXPECT_GE(d.ComboBtnElem.Section, 0);
  EXPECT_EQ(d.ComboBtnElem.FoundName, "COMBOBTN");
  EXPECT_EQ(d.ComboBtnElem.GlyphMask, skin::FindMaskIndex(d, "COMBOBOX", "GLYPHMASK"));
  EXPECT_EQ(d.TrackBarElems[0].SliderMask, skin::FindMaskIndex(d, "TRACKBAR", "SLIDERMASK"));
  EXPECT_EQ(d.TrackBarElems[1].TickMask, skin::FindMaskIndex(d, "TRACKBAR", "TICKHORZ"));
  EXPECT_EQ(d.TrackBarElems[0].TickMask, -1);
  EXPECT_EQ(d.CheckImages[1], skin::FindMaskIndex(d, "GLOBALINFO", "BOXCHECKED"));
  EXPECT_EQ(d.CheckImages[0], -1);
  // Title buttons: the lone close button and the small icons fall back on the big ones.
  const int32_t close = skin::FindMaskIndex(d, "GLOBALINFO", "BICONCLOSE");
  ASSERT_GE(close, 0);
  EXPECT_EQ(d.TitleBtnImages[1], close);
  EXPECT_EQ(d.TitleBtnImages[0], close);
  EXPECT_EQ(d.TitleBtnImages[6], close);
  EXPECT_EQ(d.TitleBtnImages[12], -1);
  ASSERT_EQ(d.TitleBtnGlows[1].size(), 1u);
  EXPECT_EQ(d.TitleBtnGlows[1][0], skin::FindMaskIndex(d, "GLOBALINFO", "BICONCLOSEGLOW0"));
  EXPECT_EQ(d.TitleBtnGlows[0], d.TitleBtnGlows[1]);
  EXPECT_EQ(d.TitleBtnGlowMargins[1], 3);
  EXPECT_EQ(d.TitleBtnGlowMargins[0], 3);
}

TEST(SkinData, FallbackWithoutItsSectionAddsAnEmptyOne) {
  skin::TacSkinSource source;
  source.Options = skin::TacOptionsText("[GLOBALINFO]\r\nVERSION=12\r\n[PANEL]\r\nCOLOR=5\r\n");
  TacSkinData d(96);
  skin::LoadSkinData(d, source);
  EXPECT_EQ(d.StandardSections[39], -1);  // MENUCAPTION without TOOLBAR
  const int32_t added = skin::GetSkinIndex(d, "MENUCAPTION");
  ASSERT_GE(added, 0);
  EXPECT_EQ(d.Sections[size_t(added)].States, -1);
  EXPECT_EQ(d.Sections[size_t(added)].StateParams[2].Color, 0xFFFFFFFFu);
  EXPECT_EQ(d.Sections[size_t(added)].StateParams[0].Transparency, -1);
  EXPECT_EQ(d.StandardSections[48], -1);  // COLHEADERA follows the unresolved COLHEADER
}

TEST(SkinData, CommonSectionsAddWhatTheSkinLacks) {
  auto s = std::make_unique<LoadedSkin>();
  s->source.Options = skin::TacOptionsText(ReadText(std::string(KORVAN_TEST_SKIN) + "/Korvan Test/Options.dat"));
  s->source.CommonSections =
      "[BUTTON]\r\nCOLOR=1\r\n"
      "[MYBTN]\r\nPARENTCLASS=button\r\nHOTCOLOR=65280\r\nGIVEOWNFONT=true\r\n"
      "[NEWPANEL]\r\nSTATES=1\r\nCOLOR=-5\r\nFONTCOLOR=$FF\r\nBORDERSMASK=x\r\nGLOW=7\r\n";
  TacSkinData d(96);
  skin::LoadSkinData(d, s->source);
  EXPECT_EQ(Section(d, "BUTTON").StateParams[0].Color, 14540253u);  // a section of the skin stays
  const auto& mine = Section(d, "MYBTN");  // defaults from BUTTON, found without case
  EXPECT_EQ(mine.ParentClass, "BUTTON");
  EXPECT_EQ(mine.StateParams[0].Color, 14540253u);
  EXPECT_EQ(mine.StateParams[1].Color, 65280u);
  EXPECT_EQ(mine.StateParams[2].Color, 65280u);  // no third state: a copy of the hot one
  EXPECT_EQ(mine.StateParams[1].FontColor, 8388608u);
  EXPECT_EQ(mine.States, 3);
  EXPECT_EQ(mine.Glow, 255);
  EXPECT_TRUE(mine.GiveOwnFont);
  const auto& fresh = Section(d, "NEWPANEL");  // no parent: a fresh section's values
  EXPECT_EQ(fresh.States, 1);
  EXPECT_EQ(fresh.StateParams[0].Color, 0xFFFFFFu);  // a negative value counts as absent
  EXPECT_EQ(fresh.StateParams[2].FontColor, 0xFFu);
  EXPECT_EQ(fresh.Glow, 7);
  EXPECT_EQ(fresh.BorderIndex, -2);
  EXPECT_EQ(fresh.FrameKind, -2);
}

TEST(SkinData, OuterModeWithoutImageGetsAGeneratedElement) {
  auto s = Load("Korvan Test", 96);
  const TacSkinData& d = *s->data;
  const auto& glow = Section(d, "GLOWPANEL");  // mode 3, colour 255, offsets 4 left and right
  ASSERT_GE(glow.OuterIndex, 0);
  const auto& e = d.Masks[size_t(glow.OuterIndex)];
  ASSERT_NE(e.Image, nullptr);
  // radius 4, blur 6, extra width 8: (2 x 4 + 8 + 1) wide, (2 x 4 + 1) high, twice for the mask
  EXPECT_EQ(e.Image->Width(), 17);
  EXPECT_EQ(e.Image->Height(), 18);
  EXPECT_EQ(e.FrameHeight, 9);
  EXPECT_EQ(e.BorderLeft, 8);
  EXPECT_EQ(e.BorderRight, 8);
  EXPECT_EQ(e.BorderTop, 4);
  EXPECT_EQ(e.MaskBlocks, 1);
  EXPECT_EQ(e.Image->At(8, 4), skin::MakePixel(0, 0, 0xFF, 255));  // the colour block: the outer colour (red)
  bool found = false;
  for (const auto& b : d.SharedImages) found = found || (b.FileName == "Outer" + std::to_string(glow.OuterIndex) &&
                                                          b.Bitmap.get() == e.Image);
  EXPECT_TRUE(found);
  EXPECT_EQ(Section(d, "BUTTON").OuterIndex, -1);  // mode 2 without an outer image: none
}

TEST(SkinData, ElementMaskOfFourColours) {
  TBitmap32 b(11, 11);
  skin::DrawElementMask(b, skin::TacRect{0, 0, 11, 11}, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF);
  EXPECT_EQ(b.At(5, 0), skin::MakePixel(0x00, 0xFF, 0xFF, 255));   // top half: c3
  EXPECT_EQ(b.At(5, 10), skin::MakePixel(0x00, 0xFF, 0x00, 255));  // bottom half: c1
  EXPECT_EQ(b.At(0, 5), skin::MakePixel(0x00, 0x00, 0xFF, 255));   // left triangle: a
  EXPECT_EQ(b.At(10, 5), skin::MakePixel(0xFF, 0x00, 0x00, 255));  // right triangle: c2
  EXPECT_EQ(b.At(0, 0), skin::MakePixel(0x00, 0xFF, 0xFF, 255));   // the corner row lies outside both
  skin::DrawElementMask(b, skin::TacRect{0, 0, 11, 11}, 0x123456, 0, 0, 0xFF00FF);
  EXPECT_EQ(b.At(0, 5), skin::MakePixel(0x12, 0x34, 0x56, 255));
}

TEST(SkinData, FormShadowFromWindowShadowsOrTheExtendedBorder) {
  auto plain = Load("Korvan Test", 96);  // no extended borders: nothing
  EXPECT_EQ(plain->data->FormShadowActive, nullptr);
  EXPECT_EQ(plain->data->FormShadowMargins, (skin::TacRect{}));

  auto s = std::make_unique<LoadedSkin>();
  s->source.Options = skin::TacOptionsText(ReadText(std::string(KORVAN_TEST_SKIN) + "/Korvan Test/Options.dat"));
  s->source.ExtendedBorders = true;
  TacSkinData d(96);
  skin::LoadSkinData(d, s->source);
  ASSERT_NE(d.FormShadowActive, nullptr);
  // Radius 17, offset 2, shadow size 16: (2 x 17 + 32 + 1) x (2 x 17 + 32 + 2 + 1).
  EXPECT_EQ(d.FormShadowActive->Width(), 67);
  EXPECT_EQ(d.FormShadowActive->Height(), 69);
  EXPECT_EQ(d.FormShadowMargins, (skin::TacRect{16, 14, 16, 18}));
  EXPECT_EQ(&d.GetActiveShadowBmp(), d.ActiveShadow.get());  // made once

  // An extended-border element of two frames in the master bitmap: frame 1 inactive, 2 active.
  TBitmap32 master(40, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) master.At(x, y) = x < 20 ? 0xFF111111u : 0xFF222222u;
  skin::TacSkinSource ext;
  ext.Options = skin::TacOptionsText(
      "[GLOBALINFO]\r\nFORMOFFSET=2\r\nEXBORDER=&0000000000400020000600060006000620000000000\r\n");
  ext.Master = &master;
  ext.ExtendedBorders = true;
  TacSkinData e(96);
  skin::LoadSkinData(e, ext);
  ASSERT_GE(e.ExtBorderImage, 0);
  EXPECT_EQ(e.FormShadowMargins, (skin::TacRect{4, 4, 4, 4}));
  ASSERT_NE(e.FormShadowInactive, nullptr);
  EXPECT_EQ(e.FormShadowInactive->Width(), 20);
  EXPECT_EQ(e.FormShadowInactive->At(5, 5), 0xFF111111u);
  EXPECT_EQ(e.FormShadowActive->At(5, 5), 0xFF222222u);
}

TEST(SkinData, HugeShadowMetricsStayWithinRange) {
  // Scaled at 144 PPI, -2000000000 would leave 32 bits and come back as a large positive
  // offset, a shadow picture of hundreds of gigabytes.
  skin::TacSkinSource source;
  source.Options = skin::TacOptionsText("[GLOBALINFO]\r\nWSHOFFS=-2000000000\r\nWSHSIZE=2000000000\r\n");
  source.ExtendedBorders = true;
  TacSkinData d(144);
  skin::LoadSkinData(d, source);
  EXPECT_EQ(d.WndShadowOffset, INT32_MIN);
  EXPECT_EQ(d.WndShadowSize, INT32_MAX);
  ASSERT_NE(d.FormShadowActive, nullptr);
  EXPECT_EQ(d.FormShadowActive->Width(), 0);  // a negative offset: no shadow picture
  EXPECT_EQ(d.FormShadowMargins.Top, INT32_MAX);
}

TEST(SkinData, NewSkinDataForAPPI) {
  struct { int ppi, percent, step; } cases[] = {{96, 100, 0}, {100, 104, 0}, {120, 125, 1}, {144, 150, 2}, {192, 200, 3}};
  for (const auto& t : cases) {
    TacSkinData d(t.ppi);
    EXPECT_EQ(d.Percent, t.percent) << t.ppi;
    EXPECT_EQ(d.ScaleStep, t.step) << t.ppi;
  }
}

TEST(SkinData, MulDivRoundsHalfAwayFromZero) {
  struct { int a, b, c, r; } cases[] = {{6, 144, 192, 5}, {-6, 144, 192, -5}, {4, 120, 96, 5}, {7, 1, 2, 4},
                                        {1, 1, 0, -1},     {9, 120, 96, 11}};
  for (const auto& t : cases) EXPECT_EQ(skin::MulDiv(t.a, t.b, t.c), t.r) << t.a << "*" << t.b << "/" << t.c;
}

}  // namespace

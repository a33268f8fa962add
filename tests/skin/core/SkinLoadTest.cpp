// The manager's Win32-free rules: the skin directory, packed and font file names, the
// listed skin files, the common information and version check, the palette, and the scale
// steps and PPI of every mode.
#include <gtest/gtest.h>

#include "rtl/SysUtils.h"
#include "skin/core/acSkinLoad.h"
#include "skin/graphics/acBitmap32.h"

namespace {

using skin::TacScaleMode;
using M = skin::TacScaleMode;

TEST(SkinLoadRules, SkinDirectoryResolvesAgainstTheProgramFolder) {
  const std::string exe = "C:\\A\\B\\";
  struct { const char *dir, *resolved; } cases[] = {
      {"..\\X", "C:\\A\\X\\"},          // one level up
      {"../X", "C:\\A\\X\\"},
      {"..", "C:\\A\\"},
      {".\\X", "C:\\A\\B\\X\\"},
      {"./X/", "C:\\A\\B\\X\\"},
      {".", "C:\\A\\B\\"},
      {"X", "C:\\A\\B\\X\\"},           // a bare name lies inside
      {"X\\Y", "C:\\A\\B\\X\\Y\\"},
      {"D:\\Skins", "D:\\Skins\\"},     // a drive stays
      {"c:\\Skins\\", "c:\\Skins\\"},
      {"\\\\server\\skins", "\\\\server\\skins\\"},  // a share stays
  };
  for (const auto& c : cases) EXPECT_EQ(skin::ResolveSkinDirectory(c.dir, exe), c.resolved) << c.dir;
}

TEST(SkinLoadRules, PackedFontAndSuffixNames) {
  // The packed file lies in the resolved directory, as the folder skin does.
  EXPECT_EQ(skin::PackedSkinFileName(skin::ResolveSkinDirectory("Skins", "C:\\P\\"), "Blue"), "C:\\P\\Skins\\Blue.asz");
  struct { const char *name, *stripped; } names[] = {
      {"Blue.asz", "Blue"}, {"Blue.ASZ", "Blue"}, {"x.asz.asz", "x.asz"}, {".asz", ".asz"}, {"a.asz", "a"},
      {"Blue", "Blue"}, {"Blue.aszx", "Blue.aszx"}};
  for (const auto& n : names) EXPECT_EQ(skin::StripSkinSuffix(n.name), n.stripped) << n.name;
  // A relative font file is looked for in the skin folder first, then as written.
  EXPECT_EQ(skin::FontFileCandidates("F.ttf", "C:\\S\\Blue\\"),
            (std::vector<std::string>{"C:\\S\\Blue\\F.ttf", "F.ttf"}));
  EXPECT_EQ(skin::FontFileCandidates("D:\\F.ttf", "C:\\S\\Blue\\"), (std::vector<std::string>{"D:\\F.ttf"}));
  EXPECT_EQ(skin::FontFileCandidates("F.ttf", ""), (std::vector<std::string>{"F.ttf"}));
  EXPECT_TRUE(skin::FontFileCandidates("", "C:\\S\\").empty());
}

TEST(SkinLoadRules, ListedSkinFiles) {
  struct { const char* file; bool dir; bool listed; const char* name; } cases[] = {
      {"a.asz", false, true, "a"},
      {"b.ASZ", false, false, ""},      // the extension test is case-sensitive
      {"c.txt", false, false, ""},
      {"d.asz", true, false, ""},       // folders are skipped
      {".e.asz", false, false, ""},     // so are names starting with a dot
      {"x.asz.asz", false, true, "x.asz"},
      {"Y.ASZ.asz", false, true, "Y.asz"},  // the first ending found in any case goes
  };
  for (const auto& c : cases) {
    EXPECT_EQ(skin::IsListedSkinFile(c.file, c.dir), c.listed) << c.file;
    if (c.listed) {
      EXPECT_EQ(skin::ListedSkinName(c.file), c.name) << c.file;
    }
  }
}

TEST(SkinLoadRules, CommonInformationAndVersion) {
  skin::TacOptionsText o(
      "[GLOBALINFO]\r\nVERSION=14.2\r\nAUTHOR=Me\r\nDESCRIPTION=D\r\nMainFont=Arial\r\nAEROBLUR=2\r\n"
      "BRIGHTMAX=70\r\nBIKEEPHUE=1\r\nSHADOW1COLOR=$0000FF\r\nARROWSTYLE=2\r\n");
  skin::TacSkinCommonInfo info;
  skin::ReadCommonInfo(o, info);
  EXPECT_DOUBLE_EQ(info.Version, 14.2);
  EXPECT_EQ(info.Author, "Me");
  EXPECT_EQ(info.Description, "D");
  EXPECT_EQ(info.MainFont, "Arial");
  EXPECT_TRUE(info.AeroBlur);
  EXPECT_EQ(info.BrightMin, -50);
  EXPECT_EQ(info.BrightMax, 70);
  EXPECT_EQ(info.KeepHue, 1);
  EXPECT_EQ(info.ShadowColor, 0x0000FFu);
  EXPECT_EQ(info.ArrowStyle, 2);
  EXPECT_EQ(skin::SkinInfoText(true, info.Version), "14.2");
  EXPECT_EQ(skin::SkinInfoText(false, info.Version), "N/A");
  EXPECT_DOUBLE_EQ(skin::ReadSkinVersion(skin::TacOptionsText("[GLOBALINFO]\r\nVERSION=12,5\r\n")), 0);
  EXPECT_DOUBLE_EQ(skin::ReadSkinVersion(skin::TacOptionsText("")), 0);

  using N = skin::TacVersionNotice;
  struct { double v; bool designing; std::vector<std::string> params; N notice; } cases[] = {
      {10.25, false, {}, N::vnNone},          // old skins are told to a designer only
      {10.25, true, {}, N::vnOldSkin},
      {10.26, true, {}, N::vnNone},
      {14.99, false, {}, N::vnNone},
      {15, false, {}, N::vnNewerSkin},
      {15, false, {"/acpreview"}, N::vnNone},
      {15, false, {"/ACPREVIEW"}, N::vnNewerSkin},      // exact, first parameter only
      {15, false, {"x", "/acpreview"}, N::vnNewerSkin},
  };
  for (const auto& c : cases) EXPECT_EQ(skin::CheckSkinVersion(c.v, c.designing, c.params), c.notice) << c.v;
  EXPECT_EQ(skin::InternalFormatErrorMessage("Blue"),
            "Internal format error in the \"Blue\" skin. Please, update this skin to latest version.");
}

// ---------------------------------------------------------------- palette

uint32_t FakeSysColor(int index) { return 0x00A00000u + uint32_t(index); }

class Palette : public ::testing::Test {
 protected:
  void SetUp() override { skin::SetSysColorSource(FakeSysColor); }
  void TearDown() override { skin::SetSysColorSource(nullptr); }
  skin::TacPalette Read(const char* text, const skin::TacSkinData* d) {
    skin::TacPalette p;
    skin::ReadPalette(skin::TacOptionsText(text), d, p);
    return p;
  }
};

TEST_F(Palette, EveryEntryHasItsDefault) {
  const skin::TacPalette p = Read("[GLOBALINFO]\r\n", nullptr);
  auto mix = skin::MixColors;
  const uint32_t face = 0xA0000F, wtext = 0xA00008, window = 0xA00005;
  const uint32_t expected[skin::kPaletteSize] = {
      face, 0, 0xFF0000, 0x0000FF, wtext, window,
      0xA0000D, 0xA0000E, 0xA0000D, 0xA0000E,  // no SELECTION, no MENUITEM: the system's
      wtext, window, window, mix(wtext, window, 13),
      0x404000, 0x004C4C, 0x00006C, 0x00006C, 0x00006C, 0xC9FFD2, 0xBAFFFF, 0xDBDBFF, 0xDBDBFF, 0xDBDBFF, 0, 0, 0,
      mix(face, 0xFFFFFF, 177) | 0xFF000000, face | 0xFF000000, 0, 0,
      face | 0xFF000000, mix(face, 0, 244) | 0xFF000000, 0, 0,
      mix(face, 0, 233) | 0xFF000000, mix(face, 0, 233) | 0xFF000000, 0, 0,
      0xD5D5FF, 0xD5D5FF, 0xE1FFD2, 0xE1FFD2, 0xFFEDC9, 0xFFEDC9, 0xCAF3FF, 0xCAF3FF,
      0x0000B4, 0x0000B4, 0x28851A, 0x28851A, 0xAE7400, 0xAE7400, 0x00A5D7, 0x00A5D7,
      0, mix(wtext, window, 30), 0xA00018, 0xA00017, 0};
  for (size_t i = 0; i < skin::kPaletteSize; ++i) EXPECT_EQ(p[i], expected[i]) << "entry " << i;
}

TEST_F(Palette, KeysAndSectionsOverride) {
  skin::TacSkinData d(96);
  skin::AddSection(d, "EDIT", -1, 0xFF000008, 0x00EEEEEE, 0, 1);  // a system font colour: resolved
  skin::AddSection(d, "HINT", -1, 0x00111111, 0x00222222, 0, 1);
  const skin::TacPalette p = Read(
      "[GLOBALINFO]\r\nCOLOR=$123456\r\nFONTCOLOR=5\r\nBORDERCOLOR=7\r\nBTNCOLOR1ACTIVE=$80FFFFFF\r\n"
      "BTNCOLOR2NORMAL=4294967295\r\nBTNCOLOR1PRESSED=0xFF010203\r\nGRIDLINE=-1\r\nEDITTEXT_ALERT=9\r\n"
      "COLORTONEBLUETEXTActive=3\r\nCOLORTONEYELLOWTEXTACTIVE=4\r\n",
      &d);
  EXPECT_EQ(p[0], 0x123456u);
  EXPECT_EQ(p[1], 5u);
  EXPECT_EQ(p[4], 0xA00008u);
  EXPECT_EQ(p[5], 0xEEEEEEu);
  EXPECT_EQ(p[57], 0x222222u);
  EXPECT_EQ(p[58], 0x111111u);
  EXPECT_EQ(p[27], 0x80FFFFFFu);  // alpha bytes above 0x7F survive the 64-bit reads
  EXPECT_EQ(p[32], 0xFFFFFFFFu);
  EXPECT_EQ(p[35], 0xFF010203u);
  EXPECT_EQ(p[28], 0xFF123456u);
  EXPECT_EQ(p[29], 7u);           // borders default to BORDERCOLOR, fonts to FONTCOLOR
  EXPECT_EQ(p[38], 5u);
  EXPECT_EQ(p[16], 9u);
  EXPECT_EQ(p[18], 9u);
  EXPECT_EQ(p[52], 3u);           // the key's own spelling
  EXPECT_EQ(p[54], 0x00A5D7u);    // another spelling is another key
  EXPECT_EQ(p[56], skin::MixColors(p[4], p[5], 30));  // -1 is the same as missing
  EXPECT_EQ(p[59], 0u);
  EXPECT_THROW(Read("[GLOBALINFO]\r\nBTNCOLOR2ACTIVE=blue\r\n", nullptr), rtl::EConvertError);
}

TEST_F(Palette, SelectionRule) {
  struct Case {
    const char* what;
    int selStates;        // 0: no SELECTION
    uint32_t selFont;
    bool menuItem;
    uint32_t itemFont2;
    uint32_t e6, e7, e8, e9;
  } cases[] = {
      {"selection, one state", 1, 0x0000AA, false, 0, 0x000011, 0x0000AA, 0x000011, 0x0000AA},
      {"selection, two states", 2, 0x0000AA, false, 0, 0x000011, 0x0000AA, 0x000022, 0x0000BB},
      {"selection without font colour, menu item", 2, 0xFFFFFFFF, true, 0x0000CC, 0x000044, 0x0000CC, 0x000044,
       0x0000CC},
      {"menu item font fuchsia", 1, 0xFF00FF, true, 0xFF00FF, 0x000044, 0xA0000E, 0x000044, 0xA0000E},
      {"menu item system font colour", 0, 0, true, 0xFF000008, 0x000044, 0xA00008, 0x000044, 0xA00008},
      {"no selection, no menu item", 0, 0, false, 0, 0xA0000D, 0xA0000E, 0xA0000D, 0xA0000E},
  };
  for (const Case& c : cases) {
    skin::TacSkinData d(96);
    if (c.selStates) {
      const int32_t s = skin::AddSection(d, "SELECTION", -1, c.selFont, 0x000011, 0, c.selStates);
      d.Sections[size_t(s)].StateParams[1].Color = 0x000022;
      d.Sections[size_t(s)].StateParams[1].FontColor = 0x0000BB;
    }
    if (c.menuItem) {
      const int32_t m = skin::AddSection(d, "MENUITEM", -1, 0, 0x000033, 0, 2);
      d.Sections[size_t(m)].StateParams[1].Color = 0x000044;
      d.Sections[size_t(m)].StateParams[1].FontColor = c.itemFont2;
    }
    const skin::TacPalette p = Read("[GLOBALINFO]\r\n", &d);
    EXPECT_EQ(p[6], c.e6) << c.what;
    EXPECT_EQ(p[7], c.e7) << c.what;
    EXPECT_EQ(p[8], c.e8) << c.what;
    EXPECT_EQ(p[9], c.e9) << c.what;
  }
}

// ---------------------------------------------------------------- scaling

TEST(SkinScale, StepsAndValuesOfEveryMode) {
  struct Case { M mode; int32_t ppi; int systemStep; int step; int32_t scaled10; std::optional<int32_t> skinPPI; };
  const Case cases[] = {
      {M::sm100, 96, 2, 0, 10, 96},   {M::sm125, 96, 0, 1, 12, 120}, {M::sm150, 96, 0, 2, 15, 144},
      {M::sm200, 96, 0, 3, 20, 192},  {M::smAuto, 96, 2, 2, 15, 144}, {M::smOldMode, 96, 3, 0, 10, 96},
      {M::smVCL, 96, 2, 0, 10, std::nullopt},
      // a custom PPI maps to the step of its PPI: every step is an index of the tables
      {M::smCustomPPI, 144, 0, 2, 15, 144}, {M::smCustomPPI, 384, 0, 3, 40, 384},
      {M::smCustomPPI, 48, 0, 0, 5, 48},    {M::smCustomPPI, 120, 0, 1, 12, 120},
  };
  for (const Case& c : cases) {
    skin::TacScaleState s{c.mode, c.ppi, c.systemStep, false};
    const int step = skin::GetScaleStep(s);
    EXPECT_EQ(step, c.step) << int(c.mode) << " " << c.ppi;
    ASSERT_GE(step, 0);
    ASSERT_LT(step, skin::kScaleStepCount);
    EXPECT_EQ(skin::ScaleInt(s, 10), c.scaled10) << int(c.mode) << " " << c.ppi;
    EXPECT_EQ(skin::ManagerSkinPPI(s), c.skinPPI) << int(c.mode);
    // Outside smVCL one entry serves every PPI; its PPI is the mode's.
    if (c.mode != M::smVCL) {
      EXPECT_EQ(skin::SkinDataStep(s, 192), 0);
      EXPECT_EQ(skin::SkinDataPPIs(s, 144), (std::vector<int32_t>{*c.skinPPI}));
    }
    s.Designing = true;
    EXPECT_EQ(skin::GetScaleStep(s), 0);
    EXPECT_EQ(skin::ManagerSkinPPI(s), 96);
  }
  // smVCL keeps one entry per step met; at 144 PPI the step-0 and step-2 data.
  skin::TacScaleState vcl{M::smVCL, 96, 2, false};
  EXPECT_EQ(skin::SkinDataStep(vcl, 144), 2);
  EXPECT_EQ(skin::SkinDataStep(vcl, 96), 0);
  EXPECT_EQ(skin::SkinDataPPIs(vcl, 144), (std::vector<int32_t>{96, 144}));
  EXPECT_EQ(skin::SkinDataPPIs(vcl, 96), (std::vector<int32_t>{96}));
  EXPECT_EQ(skin::ScaleInt(vcl, 10), 10);
  EXPECT_EQ(skin::ScaleInt(vcl, 10, 3), 20);
}

TEST(SkinScale, ScrollBarWidth) {
  struct { M mode; int32_t ppi; int systemStep; int32_t size, atPPI, w, screen, expected; } cases[] = {
      {M::smVCL, 96, 0, 20, 192, 17, 96, 40},      // a set size scales with the PPI
      {M::smAuto, 96, 1, -1, 192, 17, 96, 17},
      {M::smOldMode, 96, 1, -1, 192, 17, 96, 17},
      {M::smVCL, 96, 0, -1, 144, 17, 96, 26},      // MulDiv(17, 144, 96) = 25.5 rounds up
      {M::smCustomPPI, 192, 0, -1, 96, 17, 96, 34},
      {M::sm200, 96, 1, -1, 96, 20, 96, 32},       // 20 * 200 / 125
  };
  for (const auto& c : cases)
    EXPECT_EQ(skin::ScrollBarWidth({c.mode, c.ppi, c.systemStep, false}, c.size, c.atPPI, c.w, c.screen), c.expected)
        << int(c.mode);
}

TEST(SkinScale, ScaleChangePlans) {
  // sm125 to smVCL passes through smCustomPPI with the main form's PPI.
  skin::TacScalePlan p = skin::PlanScaleChange({M::sm125, 96, 0, false}, M::sm125, M::smVCL, 0, 0, 144);
  EXPECT_TRUE(p.ThroughCustomPPI);
  EXPECT_EQ(p.PixelsPerInch, 144);
  EXPECT_EQ(p.Data.OldPercent, 125);
  EXPECT_EQ(p.Data.NewPercent, 100);
  EXPECT_TRUE(p.Shrinking);
  // the step on the way: smCustomPPI at 144 from sm125
  p = skin::PlanScaleChange({M::sm125, 144, 0, false}, M::sm125, M::smCustomPPI, 0, 0, 144);
  EXPECT_EQ(p.Data.OldPercent, 125);
  EXPECT_EQ(p.Data.OldPPI, 120);
  EXPECT_EQ(p.Data.NewPercent, 150);
  EXPECT_EQ(p.Data.NewPPI, 144);
  EXPECT_FALSE(p.Shrinking);
  // a new custom PPI
  p = skin::PlanScaleChange({M::smCustomPPI, 96, 0, false}, M::smCustomPPI, M::smCustomPPI, 192, 0, 96);
  EXPECT_EQ(p.PixelsPerInch, 192);
  EXPECT_EQ(p.Data.OldPPI, 96);
  EXPECT_EQ(p.Data.NewPercent, 200);
  // fixed steps, smAuto and smOldMode
  p = skin::PlanScaleChange({M::smVCL, 96, 2, false}, M::smVCL, M::sm200, 0, 0, 96);
  EXPECT_EQ(p.Data.OldPercent, 100);
  EXPECT_EQ(p.Data.NewPercent, 200);
  EXPECT_EQ(p.PixelsPerInch, 192);
  p = skin::PlanScaleChange({M::sm200, 192, 2, false}, M::sm200, M::smAuto, 0, 0, 96);
  EXPECT_EQ(p.Data.NewPercent, 150);
  EXPECT_EQ(p.PixelsPerInch, 144);
  EXPECT_TRUE(p.Shrinking);
  p = skin::PlanScaleChange({M::smCustomPPI, 120, 2, false}, M::smCustomPPI, M::smOldMode, 0, 0, 96);
  EXPECT_EQ(p.Data.OldPercent, 125);
  EXPECT_EQ(p.Data.NewPercent, 100);
  EXPECT_EQ(p.PixelsPerInch, 96);
}

}  // namespace

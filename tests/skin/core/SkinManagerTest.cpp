// The skin manager under Wine with the project's test skin: the source it chooses, the
// load of fonts, master bitmap, common information and palette, the version warning, the
// default manager, the options, the skin data of each scaling mode, the colour changes and
// the skin list with its background thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "../../gui/GuiTestSupport.h"
#include "rtl/Utf.h"
#include "skin/core/sSkinManager.h"
#include "tests/skin/core/ManagerFixture.h"
#include "skin/core/sSkinManagerUnit.h"
#include "skin/core/sSysUtils.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {
namespace {

namespace fs = std::filesystem;
using guitest::WithRecordedDialogs;

using test::kSkinName;
using test::kSkins;
const std::string kPackCases = std::string("Z:") + KORVAN_PACK_CASES;

class Manager : public test::WithTestSkinManager {
 protected:
  void TearDown() override {
    extra.reset();
    WithTestSkinManager::TearDown();
  }
  std::unique_ptr<TsSkinManager> extra;
};

// ---------------------------------------------------------------- sources

TEST_F(Manager, FolderBeforePackedThenStoredThenNothing) {
  Load(kSkinName);  // the folder and the packed file of the same name: the folder wins
  EXPECT_TRUE(m->IsSkinLoaded());
  EXPECT_FALSE(m->PackedSource());
  EXPECT_EQ(m->CommonInfo().SkinFolder, kSkins + "\\Korvan Test\\");

  Load("Korvan Case.asz");  // only packed (the ending is dropped from the name)
  EXPECT_EQ(m->SkinName(), "Korvan Case");
  EXPECT_TRUE(m->IsSkinLoaded());
  EXPECT_TRUE(m->PackedSource());
  EXPECT_EQ(m->CommonInfo().SkinFolder, "");

  // No folder, no file: the first stored skin, whose name the manager takes.
  TsStoredSkin& stored = m->InternalSkins.Add();
  stored.Name = "Stored";
  stored.PackedData = rtl::ReadFileBytes(kSkins + "/Korvan Test.asz");
  Load("Nowhere");
  EXPECT_EQ(m->SkinName(), "Stored");
  EXPECT_TRUE(m->IsSkinLoaded());
  EXPECT_TRUE(m->PackedSource());
  EXPECT_TRUE(dialogs.shown.empty());

  m->InternalSkins.Delete(0);
  Load("Nowhere");  // nothing at all: the manager switches itself off
  EXPECT_FALSE(m->Active());
  EXPECT_FALSE(m->IsSkinLoaded());
  EXPECT_EQ(m->GetSectionCount(), 0);
}

TEST_F(Manager, PackedFileWithoutOptionsIsRefused) {
  m->SetSkinDirectory(kPackCases);
  Load("no_options");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Text,
            "Internal format error in the \"no_options\" skin. Please, update this skin to latest version.");
  EXPECT_FALSE(m->IsSkinLoaded());
}

// The packed file and the fonts are found through the skin directory resolved against the
// program's folder, wherever the current directory is.
TEST_F(Manager, RelativeDirectoryFindsPackedSkinsAndFonts) {
  wchar_t old[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, old);
  SetCurrentDirectoryW(L"C:\\");
  m->SetSkinDirectory("test_skin");  // beside the test program
  EXPECT_EQ(m->ResolveSkinDirectory(), ExeFolder() + "test_skin\\");
  Load("Korvan Case");
  EXPECT_TRUE(m->PackedSource());
  EXPECT_TRUE(m->IsSkinLoaded());
  Load(kSkinName);
  EXPECT_FALSE(m->PackedSource());
  const auto fonts = m->SkinFonts();
  SetCurrentDirectoryW(old);
  ASSERT_EQ(fonts.size(), 1u);
  EXPECT_EQ(fonts[0]->FontName, "Korvan Test");
  EXPECT_EQ(fonts[0]->FileName, ExeFolder() + "test_skin\\Korvan Test\\KorvanTest.ttf");
  EXPECT_NE(fonts[0]->Handle, nullptr);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Manager, PackedSkinFontsComeFromTheirEntries) {
  Load("Korvan Case");
  const auto fonts = m->SkinFonts();
  ASSERT_EQ(fonts.size(), 1u);
  EXPECT_EQ(fonts[0]->FontName, "Korvan Test");
  EXPECT_EQ(fonts[0]->FileName, "KorvanTest.ttf");
  EXPECT_NE(fonts[0]->Handle, nullptr);
}

// ---------------------------------------------------------------- what a load reads

TEST_F(Manager, GlobalInfoMasterAndPalette) {
  EXPECT_EQ(m->SkinInfo(), "N/A");
  Load(kSkinName);
  EXPECT_EQ(m->SkinInfo(), "12.5");
  const TacSkinCommonInfo& info = m->CommonInfo();
  EXPECT_EQ(info.Author, "KORVAN project");
  EXPECT_EQ(info.MainFont, "Tahoma");
  EXPECT_EQ(info.BrightMin, -50);
  // The master bitmap: 32 bits, key pixels with alpha 0, the rest opaque.
  gui::TBitmap* master = m->MasterBitmap();
  ASSERT_NE(master, nullptr);
  EXPECT_EQ(master->Width(), 160);
  EXPECT_EQ(master->PixelFormat(), gui::pf32bit);
  TBitmap32 px = Pixels32(*master);
  EXPECT_EQ(px.At(0, 0), 0x00FF00FFu);
  EXPECT_EQ(px.At(5, 5), 0xFF285AA0u);  // the button region (40, 90, 160)
  EXPECT_EQ(m->GetGlobalColor(), 14540253u);
  EXPECT_EQ(m->GetEditColor(), 16777215u);
  EXPECT_EQ(m->GetHighlightColor(false), 12937777u);
  EXPECT_EQ(m->GetHighlightFontColor(false), 16777215u);
  EXPECT_EQ(m->Palette()[57], 13434879u);
  EXPECT_NE(m->PaletteBrush(0), nullptr);
  EXPECT_GE(m->GetSkinIndex("BUTTON"), 0);
  EXPECT_EQ(m->GetSkinIndex(""), -1);
  // An element inherited through two PARENTCLASS levels.
  EXPECT_GE(m->GetMaskIndex(m->GetSkinIndex("CHILDBUTTON"), "BORDERSMASK"), 0);
  EXPECT_TRUE(m->IsValidSkinIndex(0));
  EXPECT_FALSE(m->IsValidSkinIndex(m->GetSectionCount()));
}

TEST_F(Manager, VersionWarningOnlyAboveTheAcceptedRange) {
  Load("bad-version-low");
  EXPECT_TRUE(m->IsSkinLoaded());
  EXPECT_TRUE(dialogs.shown.empty());  // an old skin is told to a designer only
  Load("bad-version-high");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Text, SNewerSkinVersion);
  EXPECT_EQ(dialogs.shown[0].Type, gui::TMsgDlgType::mtWarning);
  EXPECT_TRUE(m->IsSkinLoaded());  // the load goes on
  EXPECT_EQ(m->SkinningRules(), unsigned(srStdForms | srStdDialogs | srThirdParty));
}

TEST_F(Manager, AnUnreadableSkinKeepsTheOldName) {
  Load(kSkinName);
  // A value that is no number ends the load with the conversion error in an error box.
  const fs::path dir = fs::temp_directory_path() / "korvan-bad-skin";
  fs::create_directories(dir / "Broken");
  std::ofstream(dir / "Broken" / "Options.dat") << "[GLOBALINFO]\r\nBTNCOLOR1ACTIVE=blue\r\n[BUTTON]\r\nCOLOR=1\r\n";
  m->SetSkinDirectory(rtl::U8(dir.wstring()));
  Load("Broken");
  EXPECT_EQ(m->SkinName(), kSkinName);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Caption, "Error");
  m.reset();  // its listing holds the directory open
  fs::remove_all(dir);
}

// ---------------------------------------------------------------- default manager, options

TEST_F(Manager, DefaultManagerRules) {
  EXPECT_TRUE(m->IsDefault());
  extra = std::make_unique<TsSkinManager>(nullptr);
  EXPECT_FALSE(extra->IsDefault());
  extra->SetIsDefault(false);  // a default exists: nothing changes
  EXPECT_TRUE(m->IsDefault());
  extra->SetIsDefault(true);
  EXPECT_TRUE(extra->IsDefault());
  EXPECT_FALSE(m->IsDefault());
  extra.reset();  // no other manager is promoted
  EXPECT_EQ(DefaultManager(), nullptr);
  m->SetIsDefault(false);  // with no default, even False makes it the default
  EXPECT_TRUE(m->IsDefault());
}

TEST_F(Manager, OptionDefaultsAndSetters) {
  EXPECT_TRUE(m->Active());
  EXPECT_TRUE(m->SkinnedPopups());
  EXPECT_FALSE(m->ExtendedBorders());
  EXPECT_EQ(m->SkinsFilter(), unsigned(sfiInternal | sfiExternal));
  EXPECT_EQ(m->Brightness(), 0);
  const bool options[7] = {false, false, false, false, false, false, true};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(m->Options.GetOption(i), options[i]) << i;
  m->Options.SetOption(4, true);
  EXPECT_TRUE(m->Options.GetOption(9));  // any other index answers ChangeSysColors
  EXPECT_EQ(m->Options.ScaleMode(), TacScaleMode::smVCL);
  EXPECT_EQ(m->Options.PixelsPerInch(), 96);
  EXPECT_EQ(m->Options.ArrowsStyle(), TacArrowsStyle::arsDefault);
  EXPECT_EQ(m->Options.GetActualArrowsStyle(), 0);
  m->Options.SetArrowsStyle(TacArrowsStyle::arsLines2);
  EXPECT_EQ(m->Options.GetActualArrowsStyle(), 3);
  EXPECT_TRUE(m->Effects.AllowOuterEffects());
  EXPECT_FALSE(m->Effects.DiscoloredGlyphs());
  EXPECT_EQ(m->AnimEffects.SkinChanging.Time, 100);
  EXPECT_EQ(m->AnimEffects.SkinChanging.Mode, TacAnimType::atFading);
  EXPECT_EQ(m->AnimEffects.Minimizing.Time, 80);
  EXPECT_FALSE(m->AnimEffects.BlendOnMoving.Active);
  EXPECT_EQ(m->AnimEffects.BlendValue, 170);
  EXPECT_EQ(m->ScrollsOptions.ScrollSize(), -1);
  m->ScrollsOptions.SetSize(1, 20);
  EXPECT_EQ(m->GetScrollBarWidth(192), 40);
  EXPECT_EQ(m->ButtonsOptions.ModalButtonsColoring, unsigned(bcGlyph));
  // the old-glyphs mode is one flag of the process
  extra = std::make_unique<TsSkinManager>(nullptr);
  m->ButtonsOptions.SetOldGlyphsMode(true);
  EXPECT_TRUE(extra->ButtonsOptions.GetOldGlyphsMode());
  m->ButtonsOptions.SetOldGlyphsMode(false);
  EXPECT_EQ(m->ThirdParty.GetClassNames(0), std::string(ThirdPartyDefaultLists[0]));
  EXPECT_EQ(m->ThirdParty.GetClassNames(23), "");
  // brightness is held to -100..100
  m->SetBrightness(250);
  EXPECT_EQ(m->Brightness(), 100);
  m->SetCommonSections({"[MY SECTION]", "; keep my blanks", "COLOR = 1"});
  EXPECT_EQ(m->CommonSections().Text(), "[MYSECTION]\r\n; keep my blanks\r\nCOLOR=1\r\n");
}

TEST_F(Manager, ThirdPartyClassNamesAreLookedUpWholeAndWithTheirCase) {
  // The manager's lists hold the defaults from its construction on.
  struct {
    const char* name;
    bool found;
  } names[] = {{"TEdit", true}, {"TDateTimePicker", true}, {"TStaticText", true}, {"TColorBox", true},
               {"tedit", false}, {"TEdi", false}, {"TEditX", false}, {"", false}};
  for (const auto& n : names) EXPECT_EQ(IsInStringLists(m->ThirdPartyLists(), n.name), n.found) << n.name;

  // A form's own lists: any kind with a text counts, even a blank one.
  TsThirdPartyList own;
  TacThirdPartyLists lists;
  for (auto& l : lists) l.CaseSensitive = true;
  lists[3].SetText("Stale");
  EXPECT_FALSE(LoadThirdPartyLists(own, lists));
  EXPECT_FALSE(IsInStringLists(lists, "Stale")) << "every kind takes its own text again";
  own.SetClassNames(5, "TMyGrid\r\nTOtherGrid");
  EXPECT_TRUE(LoadThirdPartyLists(own, lists));
  EXPECT_TRUE(IsInStringLists(lists, "TOtherGrid"));
  EXPECT_FALSE(IsInStringLists(lists, "TEdit"));
  own.SetClassNames(5, "");
  own.SetClassNames(22, " ");
  EXPECT_TRUE(LoadThirdPartyLists(own, lists));
}

// ---------------------------------------------------------------- scaling

TEST_F(Manager, SkinDataPerPPIInEachMode) {
  // Without a skin: the shared data of the step.
  EXPECT_EQ(m->GetSkinDataForPPI(144), SharedSkinData(2));
  Load(kSkinName);
  // smVCL: one entry per step met, each parsed at its PPI.
  TacSkinData* d96 = m->GetSkinDataForPPI(96);
  TacSkinData* d144 = m->GetSkinDataForPPI(144);
  ASSERT_NE(d96, d144);
  EXPECT_EQ(d144->PPI, 144);
  EXPECT_EQ(d144->ScaleStep, 2);
  EXPECT_FALSE(d144->Sections.empty());
  EXPECT_EQ(m->ScaleInt(10), 10);
  EXPECT_EQ(GetSkinPPI(m.get(), nullptr, true), GetMainFormPPI());

  m->Options.SetScaleMode(TacScaleMode::sm150);  // one entry for every PPI
  EXPECT_EQ(m->SkinDataCount(), 1);
  EXPECT_EQ(m->GetSkinDataForPPI(96), m->GetSkinDataForPPI(192));
  EXPECT_EQ(m->GetSkinDataForPPI(96)->PPI, 144);
  EXPECT_EQ(m->ScaleInt(10), 15);
  EXPECT_EQ(GetSkinPPI(m.get(), nullptr, true), 144);

  // A custom PPI paints at its own PPI through the step of that PPI.
  TScaleChangeData seen;
  m->OnScaleModeChange = [&](TsSkinManager*, const TScaleChangeData& d) { seen = d; };
  m->Options.SetPixelsPerInch(120);  // stored only outside smCustomPPI
  m->Options.SetScaleMode(TacScaleMode::smCustomPPI);
  EXPECT_EQ(seen.OldPercent, 150);
  EXPECT_EQ(seen.NewPPI, 120);
  EXPECT_EQ(m->GetScaleStep(), 1);
  EXPECT_EQ(m->ScaleInt(10), 12);
  EXPECT_EQ(m->GetSkinDataForPPI(96)->PPI, 120);
  EXPECT_TRUE(m->IsSkinLoaded());
  m->Options.SetPixelsPerInch(192);
  EXPECT_EQ(m->GetSkinDataForPPI(96)->PPI, 192);
  EXPECT_EQ(m->GetScaleStep(), 3);
}

// ---------------------------------------------------------------- colour changes

TEST_F(Manager, ColourChangesStartFromTheSkinsOwnColours) {
  Load(kSkinName);
  const TacPalette before = m->Palette();
  const int32_t title = m->GetSkinIndex("FORMTITLE");
  const uint32_t titleColor = m->SkinDataOfStep(0)->Sections[size_t(title)].StateParams[0].Color;
  ASSERT_NE(ChangeColorHue(90, titleColor), titleColor);
  int loads = 0;
  m->OnSkinLoading = [&](rtl::TObject*) { ++loads; };
  m->SetHueOffset(90);
  EXPECT_EQ(loads, 1);  // one step parsed
  EXPECT_EQ(m->Palette()[57], ChangeColorHue(90, before[57]));
  EXPECT_EQ(m->Palette()[3], before[3]);  // an entry that keeps the skin's value
  // A second step loaded later leaves the colours of the first shifted once.
  TacSkinData* d144 = m->GetSkinDataForPPI(144);
  EXPECT_EQ(loads, 2);
  m->OnSkinLoading = nullptr;
  EXPECT_EQ(m->SkinDataOfStep(0)->Sections[size_t(title)].StateParams[0].Color, ChangeColorHue(90, titleColor));
  EXPECT_EQ(d144->Sections[size_t(m->GetSkinIndex("FORMTITLE", d144))].StateParams[0].Color,
            ChangeColorHue(90, titleColor));
  EXPECT_EQ(m->Palette()[57], ChangeColorHue(90, before[57]));
  m->SetHueOffset(0);  // zero changes nothing
  EXPECT_EQ(m->Palette(), before);
  m->SetBrightness(-30);
  EXPECT_EQ(m->Palette(), before);  // brightness leaves the palette
  m->SetBrightness(0);

  // Mirroring the title-bar buttons twice gives them back; the same state does nothing.
  TBitmap32 master = Pixels32(*m->MasterBitmap());
  const uint32_t right = master.At(159, 5);
  master.At(140, 5) = 0xFF010203;
  m->UpdateRTLSysButtons(true);
  EXPECT_EQ(Pixels32(*m->MasterBitmap()).At(159, 5), 0xFF010203u);
  m->UpdateRTLSysButtons(true);
  EXPECT_EQ(Pixels32(*m->MasterBitmap()).At(159, 5), 0xFF010203u);
  m->UpdateRTLSysButtons(false);
  EXPECT_EQ(Pixels32(*m->MasterBitmap()).At(140, 5), 0xFF010203u);
  EXPECT_EQ(Pixels32(*m->MasterBitmap()).At(159, 5), right);
}

// ---------------------------------------------------------------- the skin list

class SkinList : public Manager {
 protected:
  void SetUp() override {
    Manager::SetUp();
    dir = fs::temp_directory_path() / ("korvan-skins-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(dir);
    fs::create_directories(dir / "d.asz");
    const std::vector<uint8_t> packed = rtl::ReadFileBytes(kSkins + "/Korvan Test.asz");
    for (const char* name : {"a.asz", "b.ASZ", "c.txt", "x.asz.asz", ".hidden.asz"}) {
      std::ofstream f(dir / name, std::ios::binary);
      f.write(reinterpret_cast<const char*>(packed.data()), std::streamsize(packed.size()));
    }
    TsStoredSkin& s = m->InternalSkins.Add();
    s.Name = "Stored";
    s.PackedData = packed;
    TsStoredSkin& plain = m->InternalSkins.Add();
    plain.Name = "Plain";  // no preview block
    path = rtl::U8(dir.wstring());
  }
  void TearDown() override {
    Manager::TearDown();
    fs::remove_all(dir);
  }
  std::vector<std::string> Names(TsSkinManager& manager, int kind) {
    rtl::TStringList list;
    std::string first;
    manager.GetSkinNames(list, false, first, kind);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list[i]);
    return names;
  }
  static std::vector<std::pair<std::string, int>> Items(TacSkinListController& c) {
    std::vector<std::pair<std::string, int>> v;
    for (const auto& i : c.Items()) v.emplace_back(i.Name + "/" + std::to_string(i.Kind), i.PreviewIndex);
    return v;
  }
  fs::path dir;
  std::string path;
};

TEST_F(SkinList, ListsPackedFilesAndStoredSkins) {
  m->SetSkinDirectory(path);
  EXPECT_EQ(Names(*m, 0), (std::vector<std::string>{"a", "x.asz"}));
  EXPECT_EQ(Names(*m, 1), (std::vector<std::string>{"Plain", "Stored"}));
  EXPECT_EQ(Names(*m, 2), (std::vector<std::string>{"a", "Plain", "Stored", "x.asz"}));  // sorted without case
  rtl::TStringList list;
  std::string first;
  m->GetSkinNames(list, true, first, 2);
  EXPECT_EQ(first, "Stored");  // the first listed, before sorting
  for (int i = 0; i < list.Count(); ++i) {
    auto* draw = dynamic_cast<TacItemDrawData*>(list.Objects(i));
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->ImageIndex < 0, list[i] == "Plain") << list[i];
    delete draw;
  }
  m->SetSkinsFilter(sfiExternal);
  EXPECT_EQ(Names(*m, 1), std::vector<std::string>{});
}

TEST_F(SkinList, BackgroundListingEqualsTheDirectOne) {
  m->SetSkinDirectory(path);  // starts the thread
  TacSkinListController& c = m->SkinList();
  ASSERT_NE(c.ListThread(), nullptr);
  const ULONGLONG start = GetTickCount64();
  while ((c.ListThread() || c.OutOfDate) && GetTickCount64() - start < 10000) WaitWithMessages(20);
  ASSERT_EQ(c.ListThread(), nullptr);
  const auto background = Items(c);
  EXPECT_EQ(background.size(), 4u);
  c.ClearList(true, false);
  c.UpdateIfNeeded(true);
  EXPECT_EQ(Items(c), background);
  // Finished at once when the list is read while the thread runs.
  c.ClearList(true, false);
  c.UpdateIfNeeded(false);
  ASSERT_NE(c.ListThread(), nullptr);
  c.FinishListing();
  EXPECT_EQ(c.ListThread(), nullptr);
  EXPECT_EQ(Items(c), background);
  EXPECT_EQ(c.Previews().size(), 3u);

  // A manager on the default manager's directory copies its list, previews included.
  extra = std::make_unique<TsSkinManager>(nullptr);
  extra->SetSkinDirectory(path);
  EXPECT_EQ(extra->SkinList().ListThread(), nullptr);
  EXPECT_EQ(Items(extra->SkinList()), background);
  EXPECT_EQ(extra->SkinList().Previews(), c.Previews());
}

// With stored skins alone the thread lists them and leaves the skin directory unread.
TEST_F(SkinList, BackgroundListingKeepsToTheFilter) {
  m->SetSkinsFilter(sfiInternal);
  m->SetSkinDirectory(path);
  TacSkinListController& c = m->SkinList();
  ASSERT_NE(c.ListThread(), nullptr);
  const ULONGLONG start = GetTickCount64();
  while (c.Items().size() < 2 && GetTickCount64() - start < 10000) WaitWithMessages(20);
  WaitWithMessages(100);  // further steps would find the packed files
  EXPECT_EQ(Items(c), (std::vector<std::pair<std::string, int>>{{"Stored/0", 0}, {"Plain/0", -1}}));
}

}  // namespace
}  // namespace skin

// The engine's start-up road under Wine: every step in its order, the shut-down in
// reverse, and what the steps leave behind while the engine runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "gui/Resources.h"
#include "skin/core/acStartup.h"
#include "skin/core/sConst.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sConstUnit.h"
#include "skin/core/sSkinManagerUnit.h"
#include "skin/core/sSysUtils.h"
#include "skin/forms/acFormsStartup.h"
#include "skin/graphics/acAlphaHints.h"
#include "skin/graphics/acFontStore.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGdiPlus.h"
#include "skin/graphics/acGradientGdi.h"

namespace skin {
namespace {

class EngineRoad : public ::testing::Test {
 protected:
  void SetUp() override { gui::InitApplication(); }
  void TearDown() override {
    SetStartupTrace(nullptr);
    while (EngineStarted()) RunEngineShutdown();
  }
};

TEST_F(EngineRoad, StepsRunInOrderAndShutDownInReverse) {
  std::vector<int> trace;
  SetStartupTrace([&](TStartupStep s, bool init) { trace.push_back(init ? s : -s); });
  RunEngineStartup();
  std::vector<int> expected;
  for (int s = 1; s <= ssLastStep; ++s) expected.push_back(s);
  EXPECT_EQ(trace, expected);
  // A second start only counts; the road runs again only after the last end.
  RunEngineStartup();
  RunEngineShutdown();
  EXPECT_EQ(trace.size(), expected.size());
  trace.clear();
  RunEngineShutdown();
  expected.clear();
  for (int s = ssLastStep; s >= 1; --s) expected.push_back(-s);
  EXPECT_EQ(trace, expected);
  EXPECT_FALSE(EngineStarted());
}

TEST_F(EngineRoad, ARaisingStepShutsDownTheStepsBeforeIt) {
  std::vector<int> trace;
  SetStartupTrace([&](TStartupStep s, bool init) {
    trace.push_back(init ? s : -s);
    if (init && s == ssShellFolder) throw std::runtime_error("step failed");
  });
  EXPECT_THROW(RunEngineStartup(), std::runtime_error);
  EXPECT_EQ(trace, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, -6, -5, -4, -3, -2, -1}));
  EXPECT_FALSE(EngineStarted());
}

TEST_F(EngineRoad, ConstantsAndPictureFormatHoldWhileTheEngineRuns) {
  RunEngineStartup();
  unsigned major = 0, minor = 0;
  GetWindowsVersion(major, minor);
  EXPECT_EQ(Globals().WinVersionFlag, WinVersionFlagOf(major, minor));
  EXPECT_EQ(Globals().HScrollBtnWidth, 16);
  // Wine's user32 has the standard button texts; comctl32's system-menu texts may differ
  // by version, but a loaded library always yields its text or the fallback.
  EXPECT_FALSE(Captions().OK.empty());
  EXPECT_FALSE(Captions().Restore.empty());
  EXPECT_EQ(Captions().Calculator, "Calculator");
  EXPECT_EQ(Captions().Internal, "(internal)");
  // The libraries are read as resources only; the texts are those a full load gives,
  // also from a library the program has not loaded (the file dialogs').
  for (auto [name, id, caption] : {std::tuple{L"comdlg32.dll", 436u, &TacCaptions::FileOpen},
                                   std::tuple{L"comctl32.dll", 33056u, &TacCaptions::Restore}}) {
    HMODULE full = LoadLibraryW(name);
    ASSERT_NE(full, nullptr);
    const std::string text = LoadLibraryString(full, id);
    FreeLibrary(full);
    if (!text.empty()) EXPECT_EQ(Captions().*caption, text) << id;
  }
  EXPECT_NE(gui::TPicture::GraphicClassByExtension("png"), nullptr);
  RunEngineShutdown();
  EXPECT_TRUE(Captions().OK.empty());
}

// The glyph the font chosen for "FontAwesome" has at a code point; 0xFFFF when none.
WORD IconGlyph(wchar_t cp) {
  // A new height each time: the system may keep the font it chose for a request it has
  // seen before, whatever was registered since.
  static int height = 20;
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT f = CreateFontW(-(++height), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"FontAwesome");
  HGDIOBJ old = SelectObject(dc, f);
  WORD index = 0;
  GetGlyphIndicesW(dc, &cp, 1, &index, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  DeleteObject(f);
  DeleteDC(dc);
  return index;
}

// Wine 8 keeps memory fonts to the end of the process (its removal is a stub), so there
// the system's side can only be checked while the font is registered.
bool SystemForgetsMemoryFonts() { return !GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"); }

TEST_F(EngineRoad, IconFontServesItsCodePointsOnlyWhileTheEngineRuns) {
  const wchar_t points[] = {0xF016, 0xF00C, 0xF00D, 0xF111, 0xF068};
  if (SystemForgetsMemoryFonts())
    for (wchar_t cp : points) EXPECT_EQ(IconGlyph(cp), 0xFFFF) << std::hex << int(cp);
  RunEngineStartup();
  ASSERT_NE(IconFontHandle(), nullptr);
  for (wchar_t cp : points) EXPECT_NE(IconGlyph(cp), 0xFFFF) << std::hex << int(cp);
  EXPECT_EQ(IconGlyph(L'A'), 0xFFFF);  // the font has nothing but its icons
  RunEngineShutdown();
  EXPECT_EQ(IconFontHandle(), nullptr);
  if (!SystemForgetsMemoryFonts()) return;
  for (wchar_t cp : points) EXPECT_EQ(IconGlyph(cp), 0xFFFF) << std::hex << int(cp);
}

TEST_F(EngineRoad, IconFontGlyphsHaveTheirKnownShapes) {
  RunEngineStartup();
  // At an em of 100 pixels the box glyphs cover x 10..90 and the ascent down to the
  // baseline; the minus only a bar from 30 to 50 units above the baseline.
  gui::TBitmap bmp;
  bmp.SetPixelFormat(gui::TPixelFormat::pf32bit);
  bmp.SetSize(100, 100);
  HDC dc = bmp.Canvas().Handle();
  PatBlt(dc, 0, 0, 100, 100, WHITENESS);
  HFONT f = CreateFontW(-100, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0,
                        L"FontAwesome");
  HGDIOBJ old = SelectObject(dc, f);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutW(dc, 0, 0, L"\xF068", 1);  // ascent 80: baseline at y 80, bar from y 30 to 50
  SelectObject(dc, old);
  DeleteObject(f);
  GdiFlush();
  auto black = [&](int x, int y) { return (GetPixel(dc, x, y) & 0xFFFFFF) == 0; };
  EXPECT_TRUE(black(50, 40));
  EXPECT_TRUE(black(15, 35));
  EXPECT_FALSE(black(50, 20));
  EXPECT_FALSE(black(50, 60));
  EXPECT_FALSE(black(5, 40));
  EXPECT_FALSE(black(95, 40));
}

TEST_F(EngineRoad, PipetteCursorIsScreenCursorMinus50) {
  RunEngineStartup();
  HCURSOR h = PipetteCursor();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(gui::Screen->Cursors(crPipette), h);
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(h, &ii));
  EXPECT_FALSE(ii.fIcon);
  EXPECT_EQ(ii.xHotspot, 2u);
  EXPECT_EQ(ii.yHotspot, 29u);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  EXPECT_EQ(CustomColors(), std::vector<std::string>(18, "FFFFFF"));
  RunEngineShutdown();
  EXPECT_TRUE(CustomColors().empty());
}

TEST_F(EngineRoad, DefaultHintTemplateMetrics) {
  EXPECT_EQ(DefaultHintTemplate(), nullptr);
  RunEngineStartup();
  TacHintTemplate* t = DefaultHintTemplate();
  ASSERT_NE(t, nullptr);
  const TacHintImage& img = t->ImageDefault;
  EXPECT_EQ(img.ImageWidth(), 27);
  EXPECT_EQ(img.ImageHeight(), 27);
  EXPECT_EQ(img.Image().PixelFormat(), gui::TPixelFormat::pf32bit);
  auto sides = [](const TacBordersSizes& s) { return std::vector<int>{s.Left(), s.Top(), s.Right(), s.Bottom()}; };
  EXPECT_EQ(sides(img.BordersWidths), (std::vector<int>{11, 10, 14, 15}));
  EXPECT_EQ(sides(img.ShadowSizes), (std::vector<int>{6, 5, 7, 8}));
  EXPECT_EQ(sides(img.ClientMargins), (std::vector<int>{11, 8, 16, 15}));
  EXPECT_TRUE(img.ImgData().Bytes().empty());
  for (const TacHintImage* corner : {&t->Img_LeftBottom, &t->Img_RightTop, &t->Img_RightBottom})
    EXPECT_EQ(corner->ImageWidth(), 0);
  EXPECT_TRUE(IsSingleImageTemplate(*t));
  EXPECT_EQ(t->Font().Height(), -12);
  RunEngineShutdown();
  EXPECT_EQ(DefaultHintTemplate(), nullptr);
}

TEST_F(EngineRoad, SelectHintImagePicksTheTemplateAndThePictureForThePosition) {
  RunEngineStartup();
  TacHintController controller(nullptr);
  TacHintTemplate& single = *controller.Templates.Add();
  TacHintTemplate& four = *controller.Templates.Add();
  const uint8_t bytes[] = {0x89, 'P', 'N', 'G'};
  four.Img_LeftBottom.ImgData().Write(bytes, sizeof bytes);
  TacHintTemplate* def = DefaultHintTemplate();
  struct Case {
    int index;
    uint8_t position;
    TacHintTemplate* wantTemplate;
    TacHintImage* wantImage;
  } cases[] = {
      {-1, 0, def, &def->ImageDefault},
      {2, 3, def, &def->ImageDefault},  // one beyond the collection
      {0, 2, &single, &single.ImageDefault},
      {1, 0, &four, &four.ImageDefault},
      {1, 1, &four, &four.Img_LeftBottom},
      {1, 2, &four, &four.Img_RightTop},
      {1, 3, &four, &four.Img_RightBottom},
      {1, 7, &four, &four.Img_RightBottom},  // an unknown position keeps the picture
  };
  for (const Case& c : cases) {
    controller.TemplateIndex = c.index;
    controller.PreferredPosition = c.position;
    SelectHintImage(&controller);
    EXPECT_EQ(CurrentHintTemplate(), c.wantTemplate) << c.index << "/" << int(c.position);
    EXPECT_EQ(CurrentHintImage(), c.wantImage) << c.index << "/" << int(c.position);
  }
  // A current template that goes away is current no longer.
  controller.Templates.Clear();
  EXPECT_EQ(CurrentHintTemplate(), nullptr);
  EXPECT_EQ(CurrentHintImage(), nullptr);
}

TEST_F(EngineRoad, EmbeddedFontsCopyAndStreamTheirBytes) {
  gui::TResourceStream awesome(GetModuleHandleW(nullptr), "AWFONT", MAKEINTRESOURCEW(10));
  TacEmbeddedFonts source;
  TacEmbeddedFont& bare = *source.Add();
  bare.FontName = "Tahoma";
  TacEmbeddedFont& icons = *source.Add();
  icons.FileName = "fontawesome.ttf";
  icons.FontName = kIconFontName;
  awesome.SaveToStream(icons.FontData);

  TacEmbeddedFonts copy;
  copy.Add()->FontName = "old";
  copy.Assign(&source);  // the old items go, no extra item comes
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Items(0)->FontName, "Tahoma");
  EXPECT_EQ(copy.Items(0)->FontData.Size(), 0);
  EXPECT_EQ(copy.Items(1)->FileName, "fontawesome.ttf");
  EXPECT_EQ(copy.Items(1)->FontData.Bytes(), awesome.Bytes());

  // An empty source leaves the bytes there; a source with bytes adds them at the position.
  TacEmbeddedFont item;
  item.FontData.WriteBuffer("ab", 2);
  item.Assign(&bare);
  EXPECT_EQ(item.FontData.Size(), 2);
  EXPECT_EQ(item.FontName, "Tahoma");
  EXPECT_THROW(item.Assign(nullptr), rtl::Exception);

  InstallEmbeddedFont(*copy.Items(0));
  EXPECT_EQ(copy.Items(0)->Handle, nullptr) << "no bytes, no registration";
  InstallEmbeddedFont(*copy.Items(1));
  EXPECT_NE(copy.Items(1)->Handle, nullptr);

  rtl::TMemoryStream stream;
  rtl::WriteBinaryProperties(*copy.Items(0), stream);
  EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{8, 'F', 'o', 'n', 't', 'D', 'a', 't', 'a', 0, 0, 0, 0}));
  stream.Clear();
  rtl::WriteBinaryProperties(*copy.Items(1), stream);
  TacEmbeddedFont read;
  stream.Seek(0, rtl::TSeekOrigin::soBeginning);
  rtl::ReadBinaryProperties(read, stream);
  EXPECT_EQ(read.FontData.Bytes(), awesome.Bytes());
  copy.Clear();  // the registered copy removes its registration as it goes
}

TEST_F(EngineRoad, GraphicsStepsHoldWhileTheEngineRuns) {
  RunEngineStartup();
  ASSERT_NE(PopupShadowBitmap(), nullptr);
  EXPECT_EQ(PopupShadowBitmap()->Width(), 35);
  EXPECT_EQ(PopupShadowBitmap()->Height(), 45);
  EXPECT_EQ(Pixels32(*PopupShadowBitmap()).At(17, 22), 0x43000000u);  // black at 0x44 * 255 >> 8
  EXPECT_EQ(Pixels32(*PopupShadowBitmap()).At(17, 0), 0u);  // the top rows stay transparent
  EXPECT_TRUE(LayeredWindowsAvailable());
  EXPECT_TRUE(GdiPlusLoaded());
  EXPECT_NE(GradientFillProc(), nullptr);
  RunEngineShutdown();
  EXPECT_EQ(PopupShadowBitmap(), nullptr);
  EXPECT_FALSE(LayeredWindowsAvailable());
  EXPECT_FALSE(GdiPlusLoaded());
  EXPECT_EQ(GradientFillProc(), nullptr);
}

// Controls paint with these while their manager has no skin: one a step, with the default
// metrics scaled to it.
TEST_F(EngineRoad, SharedSkinDataServesEveryStep) {
  RunEngineStartup();
  for (int step = 0; step < kScaleStepCount; ++step) {
    const TacSkinData* d = SharedSkinData(step);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->PPI, ScalePPI[size_t(step)]);
    EXPECT_EQ(d->Percent, ScalePPI[size_t(step)] * 100 / 96);
    EXPECT_EQ(d->ScaleStep, step);
    EXPECT_TRUE(d->Sections.empty());
    EXPECT_EQ(d->WndShadowSize, ScaleByStep(13, step));
  }
  EXPECT_EQ(SharedSkinData(kScaleStepCount), nullptr);
  RunEngineShutdown();
}

}  // namespace
}  // namespace skin

// The per-form skin provider under Wine, with a skin manager on the project's test skin
// widened by a form section and title glyphs: its life cycle (refusal, the passive second
// provider, the hook-made provider giving way, the form's procedure given back), the
// pointers its skin commands answer at their full width, and the cached non-client image
// of forms built in code, written to PNG files and checked at the frame, the title, the
// icon, the caption and the title buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <memory>
#include <new>
#include <string>

#include "../../gui/GuiTestSupport.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/Menus.h"
#include "report/Render.h"
#include "skin/core/acStartup.h"
#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {
namespace {

using gui::TFormBorderStyle;

class EngineEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { RunEngineStartup(); }
  void TearDown() override { RunEngineShutdown(); }
};
::testing::Environment* const kEngine = ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

// The test skin widened by a form section and title glyphs (make_form_skin.cmake).
const std::string kSkins = std::string("Z:") + KORVAN_FORM_SKINS;

class Provider : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->SetSkinDirectory(kSkins);
    manager->SetSkinName("Korvan Forms");
    ASSERT_TRUE(manager->IsSkinLoaded());
    // The providers here are placed by the tests: the window-creation hook makes none.
    manager->SetSkinningRules(srStdDialogs);
  }
  void TearDown() override {
    forms.clear();
    manager.reset();
    WithRecordedDialogs::TearDown();
  }
  gui::TForm* NewForm(TFormBorderStyle style = TFormBorderStyle::bsSizeable, const std::string& caption = "Jemaat") {
    forms.push_back(std::make_unique<gui::TForm>(nullptr));
    gui::TForm* f = forms.back().get();
    f->BorderStyle = style;
    f->SetCaption(caption);
    f->SetBounds(40, 40, 320, 200);
    f->HandleNeeded();
    return f;
  }
  static LRESULT AskProvider(gui::TForm* f) {
    return SendMessageW(f->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_GETPROVIDER), 0);
  }
  // What a provider answers: its side the animations know.
  static LRESULT Answer(TsSkinProvider* p) { return LRESULT(static_cast<TacAnimatedForm*>(p)); }
  static int Listed(gui::TForm* f) { return int(std::count(SkinnedForms().begin(), SkinnedForms().end(), f)); }
  std::unique_ptr<TsSkinManager> manager;
  std::vector<std::unique_ptr<gui::TForm>> forms;
};

// ---------------------------------------------------------------- life cycle

TEST_F(Provider, OnAnythingButAFormItIsRefusedWithAWarning) {
  gui::TForm* f = NewForm();
  auto* panel = new gui::TPanel(f);
  auto* p = new TsSkinProvider(panel);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Caption, "Warning");
  EXPECT_EQ(dialogs.shown[0].Text, "TsSkinProvider component may be used with forms only!");
  EXPECT_EQ(p->Form(), nullptr);
  EXPECT_FALSE(p->Hooked());
  EXPECT_EQ(panel->ComponentCount(), 0) << "a refused provider joins no owner";
  EXPECT_EQ(AskProvider(f), 0);
  delete p;
}

TEST_F(Provider, HooksItsFormAndGivesTheProcedureBack) {
  gui::TForm* f = NewForm();
  EXPECT_EQ(AskProvider(f), 0) << "an unskinned form answers nothing";
  auto* p = new TsSkinProvider(f);
  EXPECT_TRUE(p->Hooked());
  EXPECT_FALSE(p->Passive());
  EXPECT_EQ(p->Form(), f);
  EXPECT_EQ(AskProvider(f), Answer(p));
  EXPECT_EQ(GetFormProvider(f), p);
  EXPECT_EQ(Listed(f), 1) << "the manager's broadcasts reach the form";
  EXPECT_EQ(SendMessageW(f->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_GETSKINDATA), 0), LRESULT(p->SkinData()));
  EXPECT_EQ(p->SkinData()->SkinSection(), "FORM");
  EXPECT_GE(p->SkinData()->FSkinIndex, 0) << "an active skin is taken at once";
  EXPECT_TRUE(dialogs.shown.empty());
  SendMessageW(f->Handle(), WM_SETTEXT, 0, LPARAM(L"Keluarga"));
  EXPECT_EQ(f->Caption(), "Keluarga") << "other messages reach the form's own procedure";

  delete p;
  EXPECT_EQ(AskProvider(f), 0) << "the form has its own procedure back";
  EXPECT_EQ(Listed(f), 0);
  EXPECT_EQ(f->ComponentCount(), 0);
  SendMessageW(f->Handle(), WM_SETTEXT, 0, LPARAM(L"Warga"));
  EXPECT_EQ(f->Caption(), "Warga");
}

TEST_F(Provider, ASecondProviderStaysPassiveAndLeavesTheFirstInPlace) {
  gui::TForm* f = NewForm();
  auto* first = new TsSkinProvider(f);
  auto* second = new TsSkinProvider(f);
  EXPECT_TRUE(second->Passive());
  EXPECT_FALSE(second->Hooked());
  EXPECT_TRUE(dialogs.shown.empty()) << "no message at run time";
  EXPECT_EQ(AskProvider(f), Answer(first));
  EXPECT_TRUE(second->PrepareCache());
  EXPECT_TRUE(second->SkinData()->CacheEmpty()) << "a passive provider paints nothing";
  delete second;
  EXPECT_EQ(AskProvider(f), Answer(first)) << "the passive one never held the procedure";
  EXPECT_EQ(Listed(f), 1) << "the passive one leaves the form on the skinned forms' list";
  delete first;
  EXPECT_EQ(AskProvider(f), 0);
  EXPECT_EQ(Listed(f), 0);
}

TEST_F(Provider, AHookMadeProviderGivesWayToAPlacedOne) {
  gui::TForm* f = NewForm();
  TsSkinProvider* made = TsSkinProvider::CreateForForm(f);
  EXPECT_TRUE(made->ForDialog());
  EXPECT_EQ(AskProvider(f), Answer(made));
  auto* placed = new TsSkinProvider(f);
  EXPECT_FALSE(placed->Passive());
  EXPECT_EQ(AskProvider(f), Answer(placed));
  EXPECT_EQ(Listed(f), 1);
  ASSERT_EQ(f->ComponentCount(), 1) << "the hook-made provider is gone";
  EXPECT_EQ(f->Components(0), placed);
}

// A provider the window-creation hook made finishes its set-up on the form's first frame
// message: the adapter is made, the user buttons get their glyphs, a sizeable tool window
// takes the global colour and leaves blending on moves, the class takes the skin's brush.
TEST_F(Provider, AHookMadeProviderCompletesItsSetUpOnItsFirstFramePaint) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsSizeToolWin, "Alat");
  TsSkinProvider* p = TsSkinProvider::CreateForForm(f);
  TsTitleButton* plain = p->TitleButtons().Add();
  plain->UseSkinData = false;
  p->SetBoolProp(3, false);
  ASSERT_TRUE(p->ForDialog());
  EXPECT_EQ(p->Adapter, nullptr);
  ShowWindow(f->Handle(), SW_SHOWNOACTIVATE);
  SendMessageW(f->Handle(), WM_NCPAINT, 1, 0);
  EXPECT_FALSE(p->ForDialog()) << "done once";
  EXPECT_NE(p->Adapter, nullptr);
  EXPECT_EQ(plain->Data.GlyphIndex, 12);
  EXPECT_FALSE(p->AllowBlendOnMoving);
  EXPECT_TRUE(p->GetBoolProp(3)) << "a tool window takes the global colour";
  EXPECT_EQ(HBRUSH(GetClassLongPtrW(f->Handle(), GCLP_HBRBACKGROUND)), manager->PaletteBrush(0));
}

TEST_F(Provider, PropertySettersKeepTheirRules) {
  gui::TForm* f = NewForm();
  auto* p = new TsSkinProvider(f);
  p->SetResizeMode(TsResizeMode::rmBorder);
  EXPECT_EQ(p->ResizeMode(), TsResizeMode::rmStandard);
  EXPECT_TRUE(p->GetBoolProp(2));
  p->SkinData()->FCacheInvalid = false;
  p->SetBoolProp(2, false);
  EXPECT_FALSE(p->GetBoolProp(2));
  EXPECT_TRUE(p->SkinData()->FCacheInvalid) << "hiding the icon repaints the title";
  const int title = p->TitleSkinIndex;
  EXPECT_EQ(title, manager->GetSkinIndex("FORMTITLE"));
  p->SetSkinProp(0, "PANEL");
  EXPECT_EQ(p->TitleSkinIndex, manager->GetSkinIndex("PANEL"));
  p->SetSkinProp(0, "");
  EXPECT_EQ(p->TitleSkinIndex, title);
  p->SetFormState(psMinimizing | psAnimating);
  EXPECT_EQ(p->FormState(), psMinimizing | psAnimating);

  EXPECT_FALSE(p->HasThirdPartyLists);
  p->ThirdParty.SetClassNames(0, "TMyEdit\nTMyMemo");
  f->BeginLoading();
  f->EndLoading();
  EXPECT_TRUE(p->HasThirdPartyLists) << "the lists are read again when the form is loaded";
  ASSERT_EQ(p->ThirdLists[0].Count(), 2);
  EXPECT_EQ(p->ThirdLists[0][1], "TMyMemo");
  EXPECT_TRUE(p->ThirdLists[0].CaseSensitive);
  p->ThirdLists[1].SetText("TMyButton");
  p->SaveThirdPartyLists();
  EXPECT_EQ(p->ThirdParty.GetClassNames(1), "TMyButton\r\n");
}

// A provider placed in memory above 4 GB answers its own address and its skin state's
// through the skin command message without losing a bit.
TEST_F(Provider, PointerAnswersKeepTheirFullWidth) {
  gui::TForm* f = NewForm();
  void* place = VirtualAlloc(nullptr, sizeof(TsSkinProvider), MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
  ASSERT_NE(place, nullptr);
  ASSERT_GT(uintptr_t(place), uintptr_t(0xFFFFFFFFu)) << "the system gave no address above 4 GB";
  auto* p = new (place) TsSkinProvider(f);
  EXPECT_EQ(AskProvider(f), Answer(p));
  EXPECT_EQ(GetFormProvider(f), p);
  EXPECT_EQ(TsSkinProvider::ProviderOfAnswer(f->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETPROVIDER), 0)), p);
  // A later provider asks the same way and must find this one, not a truncated address.
  auto* second = new TsSkinProvider(f);
  EXPECT_TRUE(second->Passive());
  delete second;
  p->~TsSkinProvider();
  VirtualFree(place, 0, MEM_RELEASE);
  EXPECT_EQ(AskProvider(f), 0);
}

TEST_F(Provider, WindowMeasuresAndLookUps) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsSizeable, "Ukuran");
  auto* p = new TsSkinProvider(f);
  p->UpdateSysMetrics(96);
  EXPECT_EQ(p->SysFrameWidth, GetSysMetricForPPI(SM_CXFRAME, 96));
  EXPECT_EQ(p->SysFixedFrameWidth, GetSysMetricForPPI(SM_CXFIXEDFRAME, 96));
  EXPECT_EQ(p->SysPaddedBorder, GetSysMetricForPPI(SM_CXPADDEDBORDER, 96));
  EXPECT_EQ(p->GetSysCaptionHeight(), GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(p->SmallGlyphWidth(), 16) << "the tool windows' close glyph";
  EXPECT_EQ(p->TitleButtonHeight(), 20);
  EXPECT_EQ(p->TitleButtonWidth(tgCloseAlone), 20) << "a lone close takes the close glyph";
  EXPECT_EQ(p->TitleButtonWidth(tgNorm), kDefaultTitleButtonSize) << "a glyph the skin lacks";
  EXPECT_EQ(p->ExtraMaxTitleHeight(true), std::max(0, 24 - (GetSystemMetrics(SM_CYCAPTION) + 4)));

  RECT wr;
  GetWindowRect(f->Handle(), &wr);
  EXPECT_EQ(p->FormScreenOrigin(), (gui::TPoint{wr.left, wr.top}));
  EXPECT_EQ(p->ScreenToForm(wr.left + 7, wr.top + 9), (gui::TPoint{7, 9}));

  auto* outer = new gui::TPanel(f);
  outer->SetParent(f);
  auto* inner = new gui::TPanel(outer);
  inner->SetParent(outer);
  inner->HandleNeeded();
  SetWindowLongPtrW(inner->Handle(), GWLP_ID, 77);
  EXPECT_EQ(FindControlByID(77, f), inner) << "found through the owner chain";
  EXPECT_EQ(FindControlByID(78, f), nullptr);

  TacSkinData* sd = p->SkinData()->GetScaledSkin();
  ASSERT_NE(sd, nullptr);
  EXPECT_TRUE(NoBorderImage(-1, sd));
  EXPECT_FALSE(NoBorderImage(p->SkinData()->Section()->BorderIndex, sd));
}

// ---------------------------------------------------------------- the cached image

// Colours of the form skin, as 0xRRGGBB.
constexpr uint32_t kTitleActive = 0x0080C0, kTitleInactive = 0x004080, kFrame = 0x50A050, kFormActive = 0xEEEEEE,
                   kFormInactive = 0xDDDDDD;
constexpr uint32_t kCloseGlyph = 0xC82828, kMaxGlyph = 0x50A050, kMinGlyph = 0x141414, kSmallClose = 0xFAFAFA;

uint32_t Rgb(gui::TBitmap& bmp, int x, int y) {
  GdiFlush();
  return Pixels32(bmp).At(x, y) & 0xFFFFFF;
}
gui::TPoint Centre(const gui::TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
uint32_t RgbAt(gui::TBitmap& bmp, gui::TPoint p) { return Rgb(bmp, p.X, p.Y); }
// Pixels of R that are light (the caption's white text) or that differ from the title.
int CountIn(gui::TBitmap& bmp, const gui::TRect& r, const std::function<bool(uint32_t)>& pred) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += pred(Rgb(bmp, x, y));
  return n;
}
bool Light(uint32_t c) { return (c & 0xFF) > 200 && ((c >> 8) & 0xFF) > 200 && ((c >> 16) & 0xFF) > 200; }
bool Empty(const gui::TRect& r) { return r.Right <= r.Left; }

class ProviderImage : public Provider {
 protected:
  // The form's image built afresh and written beside the test for a person to look at.
  gui::TBitmap& Image(TsSkinProvider* p, const std::string& name) {
    p->SkinData()->FCacheInvalid = true;
    EXPECT_TRUE(p->PrepareCache());
    gui::TBitmap& cache = *p->SkinData()->FCache;
    report::SaveBitmapToPng(cache, std::string("Z:") + KORVAN_FORMS_OUT + "/" + name + ".png");
    return cache;
  }
  static gui::TSize WindowSize(gui::TForm* f) {
    RECT r;
    GetWindowRect(f->Handle(), &r);
    return {r.right - r.left, r.bottom - r.top};
  }
};

TEST_F(ProviderImage, ANormalFormShowsFrameTitleIconCaptionAndButtons) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsSizeable, "Jemaat Immanuel");
  auto* p = new TsSkinProvider(f);
  gui::TBitmap& img = Image(p, "normal_form");
  const gui::TSize size = WindowSize(f);
  ASSERT_EQ(img.Width(), size.cx);
  ASSERT_EQ(img.Height(), size.cy);
  const int frame = p->GetBorderWidth(true);
  EXPECT_EQ(Rgb(img, 1, size.cy / 2), kFrame) << "left frame";
  EXPECT_EQ(Rgb(img, size.cx - 2, size.cy / 2), kFrame) << "right frame";
  EXPECT_EQ(Rgb(img, size.cx / 2, size.cy - 2), kFrame) << "bottom frame";
  EXPECT_EQ(Rgb(img, size.cx / 2, size.cy / 2), kFormActive) << "the client hole holds the form's colour";

  EXPECT_EQ(p->TitleBottom, frame + p->CaptionHeight(true));
  EXPECT_EQ(Rgb(img, p->CaptionRect.Right + 3, p->TitleVCenter), kTitleActive) << "title between caption and buttons";
  EXPECT_EQ(Rgb(img, size.cx / 2, p->TitleBottom - 1), kTitleActive) << "the title's last row";

  ASSERT_FALSE(p->IconRect.IsEmpty());
  EXPECT_EQ(p->IconRect.Left, frame);
  EXPECT_EQ(p->IconRect.Width(), 16);
  EXPECT_GT(CountIn(img, p->IconRect, [](uint32_t c) { return c != kTitleActive; }), 20) << "the icon is drawn";
  GdiFlush();
  EXPECT_EQ(Pixels32(img).At(Centre(p->IconRect).X, Centre(p->IconRect).Y) >> 24, 255u) << "icon pixels are opaque";

  ASSERT_FALSE(p->CaptionRect.IsEmpty());
  EXPECT_GE(p->CaptionRect.Left, p->IconRect.Right);
  EXPECT_GT(CountIn(img, p->CaptionRect, Light), 20) << "the caption in the title's white";
  EXPECT_EQ(CountIn(img, gui::Rect(p->CaptionRect.Right + 1, frame, p->MinBtn.Rect.Left, p->TitleBottom), Light), 0);

  EXPECT_EQ(RgbAt(img, Centre(p->CloseBtn.Rect)), kCloseGlyph);
  EXPECT_EQ(RgbAt(img, Centre(p->MaxBtn.Rect)), kMaxGlyph);
  EXPECT_EQ(RgbAt(img, Centre(p->MinBtn.Rect)), kMinGlyph);
  EXPECT_EQ(p->CloseBtn.GlyphIndex, tgClose);
  EXPECT_LE(p->CloseBtn.Rect.Right, size.cx - frame);
  EXPECT_LE(p->MaxBtn.Rect.Right, p->CloseBtn.Rect.Left);
  EXPECT_LE(p->MinBtn.Rect.Right, p->MaxBtn.Rect.Left);
  EXPECT_TRUE(Empty(p->HelpBtn.Rect));
  EXPECT_EQ(p->SysButtonCount(), 3);

  p->FormActive = 0;
  gui::TBitmap& inactive = Image(p, "normal_form_inactive");
  EXPECT_EQ(Rgb(inactive, p->CaptionRect.Right + 3, p->TitleVCenter), kTitleInactive);
  EXPECT_EQ(Rgb(inactive, size.cx / 2, size.cy / 2), kFormInactive);
  EXPECT_NE(RgbAt(inactive, Centre(p->CloseBtn.Rect)), kCloseGlyph) << "an inactive title's buttons are faded";
}

TEST_F(ProviderImage, AToolWindowHasSmallGlyphsAndNoIcon) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsToolWindow, "Alat");
  auto* p = new TsSkinProvider(f);
  gui::TBitmap& img = Image(p, "tool_window");
  EXPECT_EQ(p->CaptionHeight(true), GetSystemMetrics(SM_CYSMCAPTION));
  EXPECT_TRUE(p->IconRect.IsEmpty());
  EXPECT_EQ(p->CloseBtn.GlyphIndex, tgSmallClose);
  EXPECT_EQ(p->CloseBtn.Rect.Width(), 16);
  EXPECT_EQ(RgbAt(img, Centre(p->CloseBtn.Rect)), kSmallClose);
  EXPECT_TRUE(Empty(p->MaxBtn.Rect));
  EXPECT_TRUE(Empty(p->MinBtn.Rect));
  EXPECT_EQ(p->SysButtonCount(), 1);
  EXPECT_LE(p->CaptionRect.Left, p->GetBorderWidth(true) + 6) << "the caption starts at the frame";
  EXPECT_GT(CountIn(img, p->CaptionRect, Light), 10);
}

TEST_F(ProviderImage, ARightToLeftFormMirrorsIconButtonsAndCaption) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsSizeable, "Jemaat");
  SetWindowLongW(f->Handle(), GWL_EXSTYLE, GetWindowLongW(f->Handle(), GWL_EXSTYLE) | WS_EX_RTLREADING);
  auto* p = new TsSkinProvider(f);
  ASSERT_TRUE(p->RTLSysButtons());
  gui::TBitmap& img = Image(p, "rtl_form");
  const gui::TSize size = WindowSize(f);
  const int frame = p->GetBorderWidth(true);
  EXPECT_EQ(p->IconRect.Right, size.cx - std::max(4, frame)) << "the icon at the right";
  EXPECT_EQ(p->CloseBtn.Rect.Left, frame) << "the close button first from the left";
  EXPECT_LT(p->CloseBtn.Rect.Right, p->MaxBtn.Rect.Left + 1);
  EXPECT_LT(p->MaxBtn.Rect.Right, p->MinBtn.Rect.Left + 1);
  EXPECT_EQ(RgbAt(img, Centre(p->CloseBtn.Rect)), kCloseGlyph);
  ASSERT_FALSE(p->CaptionRect.IsEmpty());
  EXPECT_GT(p->CaptionRect.Left, size.cx / 2) << "left justification turns to the right";
  EXPECT_LE(p->CaptionRect.Right, p->IconRect.Left);
  EXPECT_GT(CountIn(img, p->CaptionRect, Light), 20);
  EXPECT_GT(CountIn(img, p->IconRect, [](uint32_t c) { return c != kTitleActive; }), 20);
}

TEST_F(ProviderImage, AFormWithoutSystemMenuHasNoButtons) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsSingle, "Tanpa Menu");
  f->BorderIcons = 0;
  f->RecreateWnd();
  f->HandleNeeded();
  auto* p = new TsSkinProvider(f);
  gui::TBitmap& img = Image(p, "no_system_menu");
  const gui::TSize size = WindowSize(f);
  EXPECT_EQ(p->SysButtonCount(), 0);
  for (const TacTitleButtonData* b : {&p->CloseBtn, &p->MaxBtn, &p->MinBtn, &p->HelpBtn}) EXPECT_TRUE(Empty(b->Rect));
  const int frame = p->GetBorderWidth(true);
  EXPECT_EQ(CountIn(img, gui::Rect(size.cx - frame - 60, frame, size.cx - frame - 4, p->TitleBottom),
                    [](uint32_t c) { return c != kTitleActive; }),
            0)
      << "the title's right end is plain";
  EXPECT_GT(CountIn(img, p->CaptionRect, Light), 20);
}

TEST_F(ProviderImage, AnIconicFormGetsATitleOnlyImage) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsSizeable, "Ikon");
  auto* p = new TsSkinProvider(f);
  ShowWindow(f->Handle(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(f->Handle()));
  gui::TBitmap& img = Image(p, "iconic_form");
  EXPECT_EQ(img.Width(), 160);
  EXPECT_EQ(img.Height(), p->GetOwnBorderWidth(true) + p->CaptionHeight(true) + 2);
  EXPECT_EQ(Rgb(img, 80, p->TitleVCenter), kTitleActive);
  EXPECT_EQ(p->MinBtn.GlyphIndex, tgNorm) << "minimize shows restore";
  EXPECT_EQ(RgbAt(img, Centre(p->CloseBtn.Rect)), kCloseGlyph);
  EXPECT_LE(p->CloseBtn.Rect.Right, 160);
  ShowWindow(f->Handle(), SW_HIDE);
}

TEST_F(ProviderImage, AFormHeaderExtendsTheTitleInItsOwnSection) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsSizeable, "Kepala");
  auto* p = new TsSkinProvider(f);
  ASSERT_GE(p->HeaderSkinIndex, 0);
  gui::TBitmap& plain = Image(p, "header_none");
  EXPECT_EQ(Rgb(plain, plain.Width() / 2, p->TitleBottom + 2), kFormActive) << "no header: the form below the title";
  p->FormHeader.AdditionalHeight = 6;
  gui::TBitmap& img = Image(p, "header");
  EXPECT_EQ(Rgb(img, img.Width() / 2, p->TitleBottom + 2), 0x00FF00u) << "the header's active colour";
  EXPECT_EQ(Rgb(img, img.Width() / 2, p->TitleBottom + 8), kFormActive);
  EXPECT_EQ(RgbAt(img, Centre(p->CloseBtn.Rect)), kCloseGlyph) << "the buttons stay on top";
}

TEST_F(ProviderImage, TheFramePartsAndTheClientAreCopiedFromTheImage) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsSizeable, "Bingkai");
  auto* p = new TsSkinProvider(f);
  p->SkinData()->FCacheInvalid = true;
  const gui::TSize size = WindowSize(f);
  gui::TBitmap window(size.cx, size.cy);
  FillRectOnDC(window.Canvas().Handle(), gui::Rect(0, 0, size.cx, size.cy), gui::TColor(0x563412));
  p->PaintNonClient(window.Canvas().Handle());
  ASSERT_FALSE(p->SkinData()->FCacheInvalid) << "painting the frame rebuilds the image first";
  gui::TBitmap& cache = *p->SkinData()->FCache;
  EXPECT_EQ(Rgb(window, size.cx / 2, p->TitleVCenter), kTitleActive);
  EXPECT_EQ(RgbAt(window, Centre(p->CloseBtn.Rect)), kCloseGlyph);
  EXPECT_EQ(Rgb(window, 1, size.cy / 2), kFrame);
  EXPECT_EQ(Rgb(window, size.cx - 2, size.cy / 2), kFrame);
  EXPECT_EQ(Rgb(window, size.cx / 2, size.cy - 2), kFrame);
  EXPECT_EQ(Rgb(window, size.cx / 2, size.cy / 2), 0x123456u) << "the client is not the frame's business";
  EXPECT_EQ(Rgb(window, 2, 2), Rgb(cache, 2, 2));

  RECT cr;
  GetClientRect(f->Handle(), &cr);
  gui::TBitmap client(cr.right, cr.bottom);
  FillRectOnDC(client.Canvas().Handle(), gui::Rect(0, 0, cr.right, cr.bottom), gui::TColor(0x563412));
  p->PaintClientBackground(client.Canvas().Handle(), gui::Rect(0, 0, cr.right, cr.bottom), false);
  EXPECT_EQ(Rgb(client, cr.right / 2, cr.bottom / 2), kFormActive);
  EXPECT_FALSE(p->RepaintClient);
}

TEST_F(ProviderImage, TitleButtonsRepaintOverTheSavedTitle) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsSizeable, "Tombol");
  auto* p = new TsSkinProvider(f);
  gui::TBitmap& img = Image(p, "buttons_before");
  const int right = img.Width() - p->GetBorderWidth(true);
  const gui::TPoint beside{p->MinBtn.Rect.Left - 5, p->TitleVCenter};
  FillRectOnDC(img.Canvas().Handle(), gui::Rect(p->MinBtn.Rect.Left - 10, 0, right, p->TitleBottom), gui::TColor(0));
  ASSERT_EQ(RgbAt(img, beside), 0u);
  p->PaintTitleButtons(img, img.Width());
  EXPECT_EQ(RgbAt(img, beside), kTitleActive) << "the clean title is put back";
  EXPECT_EQ(RgbAt(img, Centre(p->CloseBtn.Rect)), kCloseGlyph);
  EXPECT_EQ(RgbAt(img, Centre(p->MinBtn.Rect)), kMinGlyph);
}

TEST_F(Provider, MainMenuLinesAreCountedAndCached) {
  gui::TForm* f = NewForm(TFormBorderStyle::bsSizeable, "Menu");
  auto* p = new TsSkinProvider(f);
  EXPECT_FALSE(p->HasVisibleMainMenu());
  EXPECT_EQ(p->MenuLineHeight(), 0);
  EXPECT_EQ(p->GetMenuLineCount(), 0);
  auto* menu = new gui::TMainMenu(f);
  for (const char* caption : {"File", "Master", "Ibadah", "Sakramen", "Report", "Tools", "About"}) {
    auto* item = new gui::TMenuItem(menu);
    item->SetCaption(std::string(caption) + " Jemaat");
    menu->Items()->Add(item);
  }
  f->SetMenu(menu);
  EXPECT_TRUE(p->HasVisibleMainMenu());
  EXPECT_TRUE(p->HasMenuLine());
  EXPECT_EQ(p->MenuLineHeight(), GetSystemMetrics(SM_CYMENU) - 1);
  p->MenuLineCount = -1;
  SetWindowPos(f->Handle(), nullptr, 0, 0, 900, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(p->GetMenuLineCount(), 1);
  SetWindowPos(f->Handle(), nullptr, 0, 0, 160, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(p->GetMenuLineCount(), 1) << "kept until a change asks again";
  p->MenuLineCount = -1;
  EXPECT_GE(p->GetMenuLineCount(), 2) << "a narrow form wraps its menu bar";
  for (int i = 0; i < menu->Items()->Count(); ++i) menu->Items()->Items(i)->SetVisible(false);
  EXPECT_FALSE(p->HasMenuLine()) << "no visible item, no menu line";
}

// ---------------------------------------------------------------- desktop composition

TEST_F(Provider, DesktopCompositionServicesAnswerWhatTheSystemHas) {
  HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  auto isOn = dwm ? reinterpret_cast<HRESULT(WINAPI*)(BOOL*)>(
                        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")))
                  : nullptr;
  BOOL on = FALSE;
  const bool expected = Globals().WinVersionFlag >= 6 && isOn && SUCCEEDED(isOn(&on)) && on;
  EXPECT_EQ(IsCompositionEnabled(), expected);
  EXPECT_EQ(IsCompositionEnabled(), expected) << "asked once, answered alike";

  gui::TForm* f = NewForm();
  auto* p = new TsSkinProvider(f);
  EXPECT_EQ(p->Composition, expected);
  const bool hasAttribute = dwm && GetProcAddress(dwm, "DwmSetWindowAttribute");
  const int32_t value = 1;
  const HRESULT hr = SetDwmWindowAttribute(f->Handle(), 3, &value, sizeof value);
  if (!hasAttribute) EXPECT_EQ(hr, E_NOTIMPL);
  SetDwmTransitions(f->Handle(), true);

  HRGN region = CreateRectRgn(0, 0, 10, 10);
  EnableBlurBehind(f->Handle(), true, region);
  EXPECT_EQ(GetObjectType(region), 0u) << "the region is deleted in every case";

  EXPECT_FALSE(SetIconicThumbnail(f->Handle(), p, 0, 100)) << "no size, no thumbnail";
  EXPECT_FALSE(SetIconicThumbnail(f->Handle(), p, 200, 100)) << "no image yet";
  EXPECT_FALSE(SetLivePreviewBitmap(f->Handle(), p));
  p->SkinData()->FCacheInvalid = true;
  ASSERT_TRUE(p->PrepareCache());
  const bool hasThumbnail = dwm && GetProcAddress(dwm, "DwmSetIconicThumbnail");
  const bool thumb = SetIconicThumbnail(f->Handle(), p, 200, 100);
  if (!hasThumbnail) EXPECT_FALSE(thumb);
  EXPECT_EQ(p->FormState() & psThumbnail, 0u) << "the thumbnail mark goes when it is done";
  SetLivePreviewBitmap(f->Handle(), p);
  EXPECT_EQ(p->FormState() & psThumbnail, 0u);
  InvalidateIconicBitmaps(f->Handle());
  if (dwm) FreeLibrary(dwm);
}

}  // namespace
}  // namespace skin

// The hooks' painting routines under Wine with the test skin: a bare window's image over its
// parent's background, a parent that is not ready, the main font name put into font
// records, the system's non-client fonts, a window's bounds, and the scroll hook of our own
// controls that carry bar sizes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../../gui/GuiTestSupport.h"
#include "../SkinEngineEnvironment.h"
#include "OwnClassWindow.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "gui/Subclass.h"
#include "rtl/Utf.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acEditWnd.h"
#include "skin/hooks/acHookPaint.h"
#include "skin/hooks/acScrollWnd.h"

namespace skin {
namespace {

using gui::TMessage;

class HookPaint : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    manager = skintest::TestSkinManager(std::string("Z:") + KORVAN_TEST_SKIN);
    form = std::make_unique<gui::TForm>(nullptr);
    form->SetBounds(0, 0, 320, 240);
    form->HandleNeeded();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
    WithRecordedDialogs::TearDown();
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<gui::TForm> form;
};

class TPlainHook : public TacMainWnd {
 public:
  using TacMainWnd::ApplySkinLook;

 protected:
  bool HandleSkinCommand(TMessage&) override { return false; }
};

TEST_F(HookPaint, TheSkinLookGivesTheWindowClassTheSkinsBackgroundUntilSkinningEnds) {
  skintest::TOwnClassWindow own(L"KorvanHookBrushTest", form->Handle(), GetSysColorBrush(COLOR_WINDOW));
  ASSERT_TRUE(own.registered);
  HWND w = own.Wnd;
  const auto classBrush = [&own] { return own.ClassBrush(); };
  TPlainHook hook;
  hook.Attach(w);
  hook.AfterCreation();
  hook.ApplySkinLook();
  EXPECT_TRUE(hook.SkinLookApplied());
  ASSERT_NE(manager->PaletteBrush(0), nullptr);
  EXPECT_EQ(classBrush(), manager->PaletteBrush(0));
  SendMessageW(w, SM_ALPHACMD, MakeSkinCommand(AC_REMOVESKIN), reinterpret_cast<LPARAM>(manager.get()));
  EXPECT_FALSE(hook.SkinLookApplied());
  EXPECT_EQ(classBrush(), GetSysColorBrush(COLOR_BTNFACE));
  // A hook whose look is off leaves the class as it finds it.
  SetClassLongPtrW(w, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetSysColorBrush(COLOR_WINDOW)));
  SendMessageW(w, SM_ALPHACMD, MakeSkinCommand(AC_REMOVESKIN), reinterpret_cast<LPARAM>(manager.get()));
  EXPECT_EQ(classBrush(), GetSysColorBrush(COLOR_WINDOW));
  hook.Release(false);
}

TEST_F(HookPaint, ABareWindowsImageIsItsSectionOverTheParent) {
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 60, 30, form->Handle(), nullptr, nullptr,
                           nullptr);
  const TWndBounds b = GetWndBounds(w);
  EXPECT_EQ(b.ParentWnd, form->Handle());
  EXPECT_EQ(b.WndPos.x, 10);
  EXPECT_EQ(b.WndPos.y, 20);
  EXPECT_EQ(b.WndSize.x, 60);
  EXPECT_EQ(b.WndSize.y, 30);

  TPlainHook hook;
  hook.Attach(w, "SCROLLBAR1H");
  hook.SkinData()->UpdateSkinIndex(true);
  hook.AfterCreation();
  TsCommonData* d = hook.SkinData();
  ASSERT_GE(d->FSkinIndex, 0);
  d->FCacheInvalid = true;
  SendSkinCommand(w, AC_PREPARECACHE);
  EXPECT_FALSE(d->FCacheInvalid);
  ASSERT_TRUE(d->FCache);
  EXPECT_EQ(d->FCache->Width(), 60);
  EXPECT_EQ(d->FCache->Height(), 30);
  EXPECT_EQ(::GetPixel(d->FCache->Canvas().Handle(), 30, 15), RGB(0xE8, 0xE8, 0xE8)) << "the section's colour";
  // An image already up to date is left alone.
  FillRectOnDC(d->FCache->Canvas().Handle(), gui::TRect(0, 0, 60, 30), TColor(0x0000FF));
  SendSkinCommand(w, AC_PREPARECACHE);
  EXPECT_EQ(::GetPixel(d->FCache->Canvas().Handle(), 30, 15), RGB(0xFF, 0, 0));
  hook.Release(false);
  DestroyWindow(w);
}

TEST_F(HookPaint, ADisabledEditShowsItsTextInTheSectionsColourUnderTheDisabledLook) {
  auto* edit = new gui::TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(10, 10, 120, 24);
  edit->SetText("WWWW");
  edit->HandleNeeded();
  TsCommonData d(edit, true);
  d.SetSkinSection("EDIT");
  d.Loaded(false);
  ASSERT_TRUE(d.IsSkinned());
  // A pixel of the inside where no text goes, and how many pixels inside differ from it.
  struct TLook {
    int Dark = 0;
    COLORREF Inside = 0;
  };
  const auto paint = [&](bool enabled, wchar_t password) {
    EnableWindow(edit->Handle(), enabled);
    edit->SetPasswordChar(password);
    d.FCacheInvalid = true;
    PaintWindowCache(d, edit->Handle(), false);
    HDC dc = d.FCache->Canvas().Handle();
    TLook look;
    look.Inside = ::GetPixel(dc, 115, 20);
    for (int y = 3; y < 21; ++y)
      for (int x = 3; x < 117; ++x) look.Dark += ::GetPixel(dc, x, y) != look.Inside;
    return look;
  };
  const TLook on = paint(true, 0);
  EXPECT_EQ(on.Dark, 0) << "an enabled edit writes its own text";
  EXPECT_EQ(on.Inside, RGB(0xFF, 0xFF, 0xFF));
  const TLook off = paint(false, 0);
  EXPECT_GT(off.Dark, 0) << "the text in the section's font colour";
  EXPECT_NE(off.Inside, RGB(0xFF, 0xFF, 0xFF)) << "the parent's face laid over a disabled control";
  const TLook masked = paint(false, L'.');
  EXPECT_GT(masked.Dark, 0);
  EXPECT_LT(masked.Dark, off.Dark) << "a password shows its mask character, not the text";
}

TEST_F(HookPaint, SectionsWhoseLookChangesWithTheState) {
  auto* panel = new gui::TPanel(form.get());
  panel->SetParent(form.get());
  panel->HandleNeeded();
  TsCommonData d(panel, true);
  struct Case {
    const char* section;
    uint8_t kind;
    bool allowAnimation, checkKind, expected;
  } cases[] = {
      {"EDIT", 0, true, false, true},     // two states
      {"BUTTON", 0, true, false, true},   // a border element of three frames
      {"PANEL", 0, true, false, false},   // one state, one frame
      {"BUTTON", 0, true, true, true},
      {"BUTTON", 19, true, true, false},  // a kind that never takes the hot state
      {"BUTTON", 19, true, false, true},
      {"BUTTON", 0, false, true, false},  // animations off
      {"NOSUCHSECTION", 0, true, false, false},
  };
  for (const Case& c : cases) {
    d.SetSkinSection(c.section);
    d.FControlKind = c.kind;
    d.Loaded(false);
    manager->Effects.AllowAnimation = c.allowAnimation;
    EXPECT_EQ(HasAnimatedStates(d, c.checkKind), c.expected) << c.section << " kind " << int(c.kind) << " check "
                                                             << c.checkKind;
  }
  manager->Effects.AllowAnimation = true;
}

TEST_F(HookPaint, SeeThroughCornersTakeTheParentsBackground) {
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 40, 24, form->Handle(), nullptr, nullptr,
                           nullptr);
  TPlainHook hook;
  hook.Attach(w, "BUTTON");
  hook.SkinData()->UpdateSkinIndex(true);
  hook.AfterCreation();
  TsCommonData* d = hook.SkinData();
  d->FCacheInvalid = true;
  PaintWindowCache(*d, w, false);
  HDC dc = d->FCache->Canvas().Handle();
  // The button's element has a 2 x 2 see-through top-left corner: the whole painting put
  // what lies behind there; the corners alone put back the same.
  const COLORREF behind = ::GetPixel(dc, 0, 0);
  EXPECT_EQ(behind, gui::ColorToColorRef(gui::clBtnFace)) << "the unskinned form's face";
  FillRectOnDC(dc, gui::TRect(0, 0, 40, 24), TColor(0x0000FF));
  PaintCacheCorners(*d, 0, w);
  EXPECT_EQ(::GetPixel(dc, 0, 0), behind);
  EXPECT_EQ(::GetPixel(dc, 1, 1), behind);
  EXPECT_EQ(::GetPixel(dc, 2, 0), RGB(0xFF, 0, 0)) << "the rest of the image stays";
  EXPECT_EQ(::GetPixel(dc, 20, 12), RGB(0xFF, 0, 0));
  hook.Release(false);
  DestroyWindow(w);
}

TEST_F(HookPaint, AParentThatIsNotReadyLeavesTheImageAlone) {
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 60, 30, form->Handle(), nullptr, nullptr,
                           nullptr);
  struct TNotReady : gui::TWindowSubclass {
    void WndProc(TMessage& m) override {
      if (m.Msg == SM_ALPHACMD && m.WParamHi() == AC_GETBG && m.LParam) {
        reinterpret_cast<TacBackgroundQuery*>(m.LParam)->Kind = bkNotReady;
        return;
      }
      CallPrevious(m);
    }
  } parent;
  parent.Bind(form->Handle());
  TPlainHook hook;
  hook.Attach(w, "SCROLLBAR1H");
  hook.SkinData()->UpdateSkinIndex(true);
  hook.AfterCreation();
  TsCommonData* d = hook.SkinData();
  d->FCacheInvalid = true;
  d->FUpdating = false;
  PaintWindowCache(*d, w, false);
  EXPECT_TRUE(d->FCacheInvalid) << "painted later";
  EXPECT_TRUE(d->FUpdating);
  parent.Unbind();
  hook.Release(false);
  DestroyWindow(w);
}

TEST_F(HookPaint, TheMainFontNameFitsTheFaceNameField) {
  LOGFONTW lf{};
  wcscpy(lf.lfFaceName, L"Tahoma");
  EXPECT_FALSE(ApplyMainFontW(lf)) << "the default mode keeps the font";
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  manager->Fonts.SetMainMode(TacFontMode::fmCustom);
  const std::string fits(31, 'a');
  manager->Fonts.SetMainFont(fits);
  EXPECT_TRUE(ApplyMainFontW(lf));
  EXPECT_EQ(std::wstring(lf.lfFaceName), std::wstring(31, L'a'));
  manager->Fonts.SetMainFont(fits + "b");
  wcscpy(lf.lfFaceName, L"Tahoma");
  EXPECT_FALSE(ApplyMainFontW(lf)) << "32 characters do not fit";
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
  EXPECT_EQ(GetMainFontName("Arial"), fits + "b");
  manager->Fonts.SetMainMode(TacFontMode::fmDefault);
  EXPECT_EQ(GetMainFontName("Arial"), "Arial");

  for (int kind : {1, 2, 3, 4, 5}) {
    LOGFONTW f{};
    GetNonClientFont(kind, f);
    EXPECT_NE(f.lfHeight, 0) << kind;
    EXPECT_NE(f.lfFaceName[0], L'\0') << kind;
  }
}

TEST_F(HookPaint, TheImageIsWrittenWithTheWindowsFontUnderTheMainName) {
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 60, 30, form->Handle(), nullptr, nullptr,
                           nullptr);
  TPlainHook hook;
  hook.Attach(w, "PANEL");
  hook.AfterCreation();
  TsCommonData* d = hook.SkinData();
  d->FCache = CreateBitmap32(60, 30);
  // Without a font of its own the window's image takes the message font.
  LOGFONTW message{};
  GetNonClientFont(5, message);
  PrepareCacheFont(*d, w);
  EXPECT_EQ(d->FCache->Canvas().Font().Name(), rtl::U8(message.lfFaceName));
  // An ANSI font of its own, under the main font name and for every character set.
  LOGFONTW lf{};
  lf.lfHeight = -13;
  lf.lfCharSet = ANSI_CHARSET;
  wcscpy(lf.lfFaceName, L"Tahoma");
  HFONT own = CreateFontIndirectW(&lf);
  SendMessageW(w, WM_SETFONT, WPARAM(own), 0);
  manager->Fonts.SetMainMode(TacFontMode::fmCustom);
  manager->Fonts.SetMainFont("Verdana");
  PrepareCacheFont(*d, w);
  EXPECT_EQ(d->FCache->Canvas().Font().Name(), "Verdana");
  EXPECT_EQ(d->FCache->Canvas().Font().Height(), -13);
  EXPECT_EQ(d->FCache->Canvas().Font().Charset(), DEFAULT_CHARSET);
  // One of our controls: its own font under the main name.
  auto* panel = new gui::TPanel(form.get());
  panel->Font().SetName("Courier New");
  panel->Font().SetHeight(-20);
  TsCommonData controlData(panel, true);
  controlData.FCache = CreateBitmap32(10, 10);
  PrepareCacheFont(controlData, nullptr);
  EXPECT_EQ(controlData.FCache->Canvas().Font().Name(), "Verdana");
  EXPECT_EQ(controlData.FCache->Canvas().Font().Height(), -20);
  // Published properties by name: absent ones read as 0, colours as RGB.
  panel->SetColor(gui::clBtnFace);
  EXPECT_EQ(GetColorPropRGB(panel, "Color"), gui::ColorToRGB(gui::clBtnFace));
  EXPECT_EQ(GetOrdPropIfExists(panel, "DisabledKind"), 0);
  hook.Release(false);
  DestroyWindow(w);
  DeleteObject(own);
}

TEST_F(HookPaint, OurControlsWithBarSizesGetTheScrollHookWhileSkinned) {
  auto* panel = new gui::TPanel(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(10, 10, 100, 80);
  panel->HandleNeeded();
  TsScrollWndData data(panel, true);
  data.SetSkinSection("EDIT");
  data.UpdateSkinIndex(true);
  ASSERT_TRUE(data.IsSkinned());
  std::unique_ptr<TacScrollWnd> hook;
  UpdateScrollWnd(data, hook);
  ASSERT_TRUE(hook);
  EXPECT_EQ(GetScrollWnd(panel->Handle()), hook.get());
  EXPECT_EQ(hook->SkinData(), &data) << "the control's own state is shared";
  TacScrollWnd* first = hook.get();
  UpdateScrollWnd(data, hook);
  EXPECT_EQ(hook.get(), first) << "one hook per control";
  manager.reset();
  EXPECT_FALSE(data.IsSkinned());
  UpdateScrollWnd(data, hook);
  EXPECT_FALSE(hook) << "taken off without a skin";
  EXPECT_EQ(GetScrollWnd(panel->Handle()), nullptr);
  panel->Perform(WM_SIZE, 0, 0);  // the control's own procedure is back
}

TEST_F(HookPaint, OurEditsWithBarSizesGetTheEditHookWhileSkinned) {
  auto* edit = new gui::TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(10, 10, 100, 24);
  edit->SetColor(gui::clYellow);
  edit->HandleNeeded();
  TsScrollWndData data(edit, true);
  data.SetSkinSection("EDIT");
  data.UpdateSkinIndex(true);
  ASSERT_TRUE(data.IsSkinned());
  std::unique_ptr<TacEditWnd> hook;
  UpdateEditWnd(data, hook);
  ASSERT_TRUE(hook);
  EXPECT_EQ(GetScrollWnd(edit->Handle()), hook.get());
  EXPECT_EQ(hook->SkinData(), &data) << "the control's own state is shared";
  EXPECT_EQ(gui::ColorToColorRef(edit->Color()), RGB(255, 255, 255)) << "the section's colour";
  TacEditWnd* first = hook.get();
  UpdateEditWnd(data, hook);
  EXPECT_EQ(hook.get(), first) << "one hook per control";
  manager.reset();
  UpdateEditWnd(data, hook);
  EXPECT_FALSE(hook) << "taken off without a skin";
  EXPECT_EQ(GetScrollWnd(edit->Handle()), nullptr);
  EXPECT_EQ(edit->Color(), gui::clYellow) << "the edit's own colour back";
}

}  // namespace
}  // namespace skin

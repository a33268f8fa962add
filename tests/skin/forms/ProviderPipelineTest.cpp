// The provider's message pipeline under Wine: which handler each message reaches in the
// skinned and the unskinned branch, a shown form painting its own frame, title and client
// from the skin, the window region, skinning switched off and on again by the skin
// commands, unknown commands, the live-preview block and a change of pixels per inch.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../SkinHarness.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/acLivePreview.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {
namespace {

using gui::TMessage;

// ---------------------------------------------------------------- dispatch

// A provider whose handlers only write down that they ran.
class TRecordingProvider : public TsSkinProvider {
 public:
  TRecordingProvider(gui::TForm* form, std::vector<std::string>* log) : TsSkinProvider(form), log_(log) {}
  bool HandleSkinCommandFirst(TMessage&) override { return Note("First"), false; }
  void HandleSkinCommand(TMessage&) override { Note("Skinned"); }
  bool HandleSkinCommandUnskinned(TMessage&) override { return Note("Unskinned"), false; }
#define KORVAN_RECORD(name) \
  void name(TMessage&) override { Note(#name); }
  KORVAN_RECORD(WMCreate) KORVAN_RECORD(WMMove) KORVAN_RECORD(WMSize) KORVAN_RECORD(WMActivate)
  KORVAN_RECORD(WMSetFocus) KORVAN_RECORD(WMSetRedraw) KORVAN_RECORD(WMSetText) KORVAN_RECORD(WMPaint)
  KORVAN_RECORD(WMClose) KORVAN_RECORD(WMQueryEndSession) KORVAN_RECORD(WMEraseBkgnd) KORVAN_RECORD(WMSysColorChange)
  KORVAN_RECORD(WMShowWindow) KORVAN_RECORD(WMSettingChange) KORVAN_RECORD(WMActivateApp) KORVAN_RECORD(WMSetCursor)
  KORVAN_RECORD(WMChildActivate) KORVAN_RECORD(WMGetMinMaxInfo) KORVAN_RECORD(WMMeasureItem)
  KORVAN_RECORD(WMWindowPosChanging) KORVAN_RECORD(WMWindowPosChanged) KORVAN_RECORD(WMCopyData)
  KORVAN_RECORD(WMNotify) KORVAN_RECORD(WMContextMenu) KORVAN_RECORD(WMStyleChanged) KORVAN_RECORD(WMSetIcon)
  KORVAN_RECORD(WMNCCreate) KORVAN_RECORD(WMNCHitTest) KORVAN_RECORD(WMNCPaint) KORVAN_RECORD(WMNCActivate)
  KORVAN_RECORD(WMNCMouseMove) KORVAN_RECORD(WMNCLButtonDown) KORVAN_RECORD(WMNCLButtonUp)
  KORVAN_RECORD(WMNCLButtonDblClk) KORVAN_RECORD(WMNCRButtonDown) KORVAN_RECORD(WMNCRButtonUp)
  KORVAN_RECORD(WMSysCommand) KORVAN_RECORD(WMInitMenuPopup) KORVAN_RECORD(WMEnterIdle) KORVAN_RECORD(WMMouseMove)
  KORVAN_RECORD(WMParentNotify) KORVAN_RECORD(WMEnterMenuLoop) KORVAN_RECORD(WMExitMenuLoop) KORVAN_RECORD(WMSizing)
  KORVAN_RECORD(WMMDIActivate) KORVAN_RECORD(WMExitSizeMove) KORVAN_RECORD(WMMouseLeave) KORVAN_RECORD(WMDpiChanged)
  KORVAN_RECORD(WMWindowMenuRequest) KORVAN_RECORD(WMPrint) KORVAN_RECORD(WMPrintClient)
  KORVAN_RECORD(WMIconicThumbnail) KORVAN_RECORD(WMIconicLivePreview) KORVAN_RECORD(WMPreviewRequest)
  KORVAN_RECORD(CMVisibleChanged) KORVAN_RECORD(CMEnabledChanged) KORVAN_RECORD(CMColorChanged)
  KORVAN_RECORD(CMMouseEnter) KORVAN_RECORD(CMMenuChanged) KORVAN_RECORD(CMShowingChanged)
  KORVAN_RECORD(CMWinIniChange) KORVAN_RECORD(CMControlListChange) KORVAN_RECORD(CMRecreateWnd)
  KORVAN_RECORD(CMSysFontChanged) KORVAN_RECORD(CMChanged) KORVAN_RECORD(CMFloat) KORVAN_RECORD(CMBiDiModeChanged)
  KORVAN_RECORD(CMMouseWheel) KORVAN_RECORD(CMNoOwnFrame) KORVAN_RECORD(WMPrintUnskinned)
  KORVAN_RECORD(CMVisibleChangedUnskinned) KORVAN_RECORD(CMSysFontChangedUnskinned)
  KORVAN_RECORD(AfterWindowPosChangedUnskinned) KORVAN_RECORD(AfterNCDestroyUnskinned)
#undef KORVAN_RECORD

 private:
  void Note(const char* name) { log_->push_back(name); }
  std::vector<std::string>* log_;
};

const std::string kSkins = KORVAN_FORM_SKINS;
const std::string kOut = KORVAN_FORMS_OUT;

class Pipeline : public ::testing::Test {
 protected:
  void SetUp() override {
    h = std::make_unique<skintest::TSkinHarness>(kSkins, kOut, "Korvan Forms");
    // The providers here are placed by the tests: the window-creation hook makes none.
    h->Manager->SetSkinningRules(srStdDialogs);
  }
  void TearDown() override { h.reset(); }
  // Every message that reaches the form's own procedure is written down as "form" before
  // it goes on (or, with Swallow, instead of going on).
  void RecordFormProcedure(gui::TForm& f, bool swallow) {
    gui::TWndMethod own = f.WindowProc;
    f.WindowProc = [this, own, swallow](TMessage& m) {
      if (m.Msg == record) log.push_back("form");
      if (!swallow) own(m);
    };
  }
  std::unique_ptr<skintest::TSkinHarness> h;
  std::vector<std::unique_ptr<gui::TBitmap>> printed;
  std::vector<std::string> log;
  UINT record = 0;
};

TEST_F(Pipeline, EachMessageReachesItsHandlerInItsBranch) {
  using V = std::vector<std::string>;
  const WPARAM command = MakeSkinCommand(99);
  struct TRow {
    bool Skinned;
    UINT Msg;
    WPARAM WParam;
    V Expected;
  };
  const TRow rows[] = {
      {true, WM_CREATE, 0, {"WMCreate"}},
      {true, WM_MOVE, 0, {"WMMove"}},
      {true, WM_SIZE, 0, {"WMSize"}},
      {true, WM_ACTIVATE, 0, {"WMActivate"}},
      {true, WM_SETFOCUS, 0, {"WMSetFocus"}},
      {true, WM_SETREDRAW, 0, {"WMSetRedraw"}},
      {true, WM_SETTEXT, 0, {"WMSetText"}},
      {true, WM_PAINT, 0, {"WMPaint"}},
      {true, WM_CLOSE, 0, {"WMClose"}},
      {true, WM_QUERYENDSESSION, 0, {"WMQueryEndSession"}},
      {true, WM_ERASEBKGND, 0, {"WMEraseBkgnd"}},
      {true, WM_SYSCOLORCHANGE, 0, {"WMSysColorChange"}},
      {true, WM_SHOWWINDOW, 0, {"WMShowWindow"}},
      {true, WM_SETTINGCHANGE, 0, {"WMSettingChange"}},
      {true, WM_ACTIVATEAPP, 0, {"WMActivateApp"}},
      {true, WM_SETCURSOR, 0, {"WMSetCursor"}},
      {true, WM_CHILDACTIVATE, 0, {"WMChildActivate"}},
      {true, WM_GETMINMAXINFO, 0, {"WMGetMinMaxInfo"}},
      {true, WM_MEASUREITEM, 0, {"WMMeasureItem"}},
      {true, WM_WINDOWPOSCHANGING, 0, {"WMWindowPosChanging"}},
      {true, WM_WINDOWPOSCHANGED, 0, {"WMWindowPosChanged"}},
      {true, WM_COPYDATA, 0, {"WMCopyData"}},
      {true, WM_NOTIFY, 0, {"WMNotify"}},
      {true, WM_CONTEXTMENU, 0, {"WMContextMenu"}},
      {true, WM_STYLECHANGED, 0, {"WMStyleChanged"}},
      {true, WM_SETICON, 0, {"WMSetIcon"}},
      {true, WM_NCCREATE, 0, {"WMNCCreate"}},
      {true, WM_NCHITTEST, 0, {"WMNCHitTest"}},
      {true, WM_NCPAINT, 0, {"WMNCPaint"}},
      {true, WM_NCACTIVATE, 0, {"WMNCActivate"}},
      {true, WM_NCMOUSEMOVE, 0, {"WMNCMouseMove"}},
      {true, WM_NCLBUTTONDOWN, 0, {"WMNCLButtonDown"}},
      {true, WM_NCLBUTTONUP, 0, {"WMNCLButtonUp"}},
      {true, WM_LBUTTONUP, 0, {"WMNCLButtonUp"}},
      {true, WM_NCLBUTTONDBLCLK, 0, {"WMNCLButtonDblClk"}},
      {true, WM_NCRBUTTONDOWN, 0, {"WMNCRButtonDown"}},
      {true, WM_NCRBUTTONUP, 0, {"WMNCRButtonUp"}},
      {true, WM_SYSCOMMAND, 0, {"WMSysCommand"}},
      {true, WM_INITMENUPOPUP, 0, {"WMInitMenuPopup"}},
      {true, WM_ENTERIDLE, 0, {"WMEnterIdle"}},
      {true, WM_MOUSEMOVE, 0, {"WMMouseMove"}},
      {true, WM_PARENTNOTIFY, 0, {"WMParentNotify"}},
      {true, WM_ENTERMENULOOP, 0, {"WMEnterMenuLoop"}},
      {true, WM_EXITMENULOOP, 0, {"WMExitMenuLoop"}},
      {true, WM_SIZING, 0, {"WMSizing"}},
      {true, WM_MDIDESTROY, 0, {"WMMDIActivate"}},
      {true, WM_MDIACTIVATE, 0, {"WMMDIActivate"}},
      {true, WM_EXITSIZEMOVE, 0, {"WMExitSizeMove"}},
      {true, WM_MOUSELEAVE, 0, {"WMMouseLeave"}},
      {true, gui::CM_MOUSELEAVE, 0, {"WMMouseLeave"}},
      {true, 0x02E0, 0, {"WMDpiChanged"}},
      {true, 0x0313, 0, {"WMWindowMenuRequest"}},
      {true, WM_PRINT, 0, {"WMPrint"}},
      {true, WM_PRINTCLIENT, 0, {"WMPrintClient"}},
      {true, 0x0323, 0, {"WMIconicThumbnail"}},
      {true, 0x0326, 0, {"WMIconicLivePreview"}},
      {true, SM_ALPHACMD, command, {"First", "Skinned"}},
      {true, 0xA400, 0, {"WMPreviewRequest"}},
      {true, gui::CM_VISIBLECHANGED, 0, {"CMVisibleChanged"}},
      {true, gui::CM_ENABLEDCHANGED, 0, {"CMEnabledChanged"}},
      {true, gui::CM_COLORCHANGED, 0, {"CMColorChanged"}},
      {true, gui::CM_MOUSEENTER, 0, {"CMMouseEnter"}},
      {true, gui::CM_MENUCHANGED, 0, {"CMMenuChanged"}},
      {true, gui::CM_SHOWINGCHANGED, 0, {"CMShowingChanged"}},
      {true, gui::CM_WININICHANGE, 0, {"CMWinIniChange"}},
      {true, gui::CM_CONTROLLISTCHANGE, 0, {"CMControlListChange"}},
      {true, gui::CM_RECREATEWND, 0, {"CMRecreateWnd"}},
      {true, gui::CM_SYSFONTCHANGED, 0, {"CMSysFontChanged"}},
      {true, gui::CM_CHANGED, 0, {"CMChanged"}},
      {true, gui::CM_FLOAT, 0, {"CMFloat"}},
      {true, gui::CM_BIDIMODECHANGED, 0, {"CMBiDiModeChanged"}},
      {true, gui::CM_MOUSEWHEEL, 0, {"CMMouseWheel"}},
      {true, 0xB04C, 0, {"CMNoOwnFrame"}},
      {true, 0xBC4D, 0, {"CMNoOwnFrame"}},
      {true, WM_KEYDOWN, 0, {"form"}},
      {true, WM_NCDESTROY, 0, {"form"}},
      // The unskinned branch takes few messages itself; the rest go on to the form.
      {false, SM_ALPHACMD, command, {"First", "Unskinned", "form"}},
      {false, WM_SETREDRAW, 0, {"WMSetRedraw"}},
      {false, WM_PRINT, 0, {"WMPrintUnskinned"}},
      {false, gui::CM_VISIBLECHANGED, 0, {"CMVisibleChangedUnskinned", "form"}},
      {false, gui::CM_SYSFONTCHANGED, 0, {"CMSysFontChangedUnskinned", "form"}},
      {false, gui::CM_MOUSEWHEEL, 0, {"CMMouseWheel"}},
      {false, WM_WINDOWPOSCHANGED, 0, {"form", "AfterWindowPosChangedUnskinned"}},
      {false, WM_NCDESTROY, 0, {"form", "AfterNCDestroyUnskinned"}},
      {false, WM_NCPAINT, 0, {"form"}},
      {false, WM_SIZE, 0, {"form"}},
      {false, WM_NCACTIVATE, 0, {"form"}},
  };
  gui::TForm& f = h->NewForm("Dispatch", 300, 200);
  RecordFormProcedure(f, true);
  auto* p = new TRecordingProvider(&f, &log);
  const int32_t skinIndex = p->SkinData()->FSkinIndex;
  ASSERT_GE(skinIndex, 0);
  for (const TRow& row : rows) {
    SCOPED_TRACE(::testing::Message() << std::hex << "message 0x" << row.Msg << (row.Skinned ? " skinned" : " unskinned"));
    p->SkinData()->FSkinIndex = row.Skinned ? skinIndex : -1;
    ASSERT_EQ(p->IsSkinnedBranch(), row.Skinned);
    log.clear();
    record = row.Msg;
    TMessage m{row.Msg, row.WParam, 0, 0};
    p->FormWndProc(m);
    EXPECT_EQ(log, row.Expected);
  }
  p->SkinData()->FSkinIndex = skinIndex;
  delete p;
}

// ---------------------------------------------------------------- a shown form

// Colours of the form skin, as 0xRRGGBB.
constexpr uint32_t kTitleActive = 0x0080C0, kTitleInactive = 0x004080, kFrame = 0x50A050, kFormActive = 0xEEEEEE,
                   kFormInactive = 0xDDDDDD, kCloseGlyph = 0xC82828;

uint32_t Px(gui::TBitmap& bmp, int x, int y) {
  const COLORREF c = GetPixel(bmp.Canvas().Handle(), x, y);
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}
uint32_t Px(gui::TBitmap& bmp, gui::TPoint p) { return Px(bmp, p.X, p.Y); }
gui::TPoint Centre(const gui::TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
uint32_t Rgb(COLORREF c) { return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c); }

// No pixel of the title band in a colour the system paints its own caption with.
bool NoSystemCaption(gui::TBitmap& shot, int top, int bottom) {
  const uint32_t system[] = {Rgb(GetSysColor(COLOR_ACTIVECAPTION)), Rgb(GetSysColor(COLOR_INACTIVECAPTION)),
                             Rgb(GetSysColor(COLOR_GRADIENTACTIVECAPTION)),
                             Rgb(GetSysColor(COLOR_GRADIENTINACTIVECAPTION))};
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < shot.Width(); ++x)
      for (uint32_t c : system)
        if (Px(shot, x, y) == c) return false;
  return true;
}

class ShownForm : public Pipeline {
 protected:
  gui::TForm& Show(const std::string& caption) {
    gui::TForm& f = h->NewForm(caption, 360, 220);
    provider = new TsSkinProvider(&f);
    f.Show();
    skintest::TSkinHarness::Pump(80);
    return f;
  }
  TsSkinProvider* provider = nullptr;
};

TEST_F(ShownForm, DrawsItsOwnFrameTitleAndClient) {
  gui::TForm& f = h->NewForm("Jemaat Immanuel", 360, 220);
  provider = new TsSkinProvider(&f);
  // The form's own colour would show wherever the client were not painted from the skin.
  provider->SetBoolProp(3, false);
  f.SetColor(gui::TColor(0x0000FF));
  f.Show();
  skintest::TSkinHarness::Pump(80);
  TsSkinProvider* p = provider;
  gui::TBitmap& shot = h->Shot(f.Handle(), "shown_form");
  EXPECT_EQ(GetWindowLongW(f.Handle(), GWL_STYLE) & WS_SYSMENU, 0) << "the system draws no caption buttons";
  const bool active = p->FormActive == 1;
  const int w = shot.Width(), hgt = shot.Height();
  EXPECT_EQ(Px(shot, w / 2, p->TitleVCenter), active ? kTitleActive : kTitleInactive) << "the title band";
  EXPECT_EQ(Px(shot, 1, hgt / 2), kFrame) << "left frame";
  EXPECT_EQ(Px(shot, w - 2, hgt / 2), kFrame) << "right frame";
  EXPECT_EQ(Px(shot, w / 2, hgt - 2), kFrame) << "bottom frame";
  if (active) {
    EXPECT_EQ(Px(shot, Centre(p->CloseBtn.Rect)), kCloseGlyph) << "the close glyph";
  }
  EXPECT_EQ(Px(shot, w / 2, hgt / 2), active ? kFormActive : kFormInactive) << "the client from the image";
  EXPECT_TRUE(NoSystemCaption(shot, 0, p->TitleBottom));

  f.SetCaption("Warga Jemaat Baru di Sektor Tujuh");
  skintest::TSkinHarness::Pump(60);
  gui::TBitmap& renamed = h->Shot(f.Handle(), "shown_form_renamed");
  EXPECT_TRUE(NoSystemCaption(renamed, 0, p->TitleBottom));
  ASSERT_FALSE(p->CaptionRect.IsEmpty());
  EXPECT_GT(p->CaptionRect.Width(), 150) << "the longer caption was laid out again";
  int light = 0;
  for (int x = p->CaptionRect.Left; x < p->CaptionRect.Right; ++x)
    for (int y = p->CaptionRect.Top; y < p->CaptionRect.Bottom; ++y) light += Px(renamed, x, y) == Px(*p->SkinData()->FCache, x, y);
  EXPECT_GT(light, p->CaptionRect.Width() * p->CaptionRect.Height() * 9 / 10) << "the screen shows the new title";
  EXPECT_EQ(Px(renamed, p->CaptionRect.Right - 3, p->TitleVCenter), Px(*p->SkinData()->FCache, p->CaptionRect.Right - 3, p->TitleVCenter));
}

// A window that takes no region: the region goes back to the caller, who deletes it.
TEST(WindowRegion, ARefusedRegionIsDeleted) {
  HRGN region = CreateRectRgn(0, 0, 10, 10);
  EXPECT_FALSE(SetWindowRegion(HWND(0x7FFF0), region, false));
  EXPECT_EQ(GetObjectType(region), 0u);
}

TEST_F(ShownForm, TheRegionCutsTheSkinsCornersAndIsPlainWhenMaximized) {
  h->Manager->SetSkinName("Korvan Forms Cut");
  ASSERT_TRUE(h->Manager->IsSkinLoaded());
  gui::TForm& f = Show("Sudut");
  gui::TBitmap& shot = h->Shot(f.Handle(), "cut_corner");
  RECT wr;
  GetWindowRect(f.Handle(), &wr);
  const int w = wr.right - wr.left, hgt = wr.bottom - wr.top;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(f.Handle(), region), ERROR) << "the form has a region";
  RECT box;
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right - box.left, w);
  EXPECT_EQ(box.bottom - box.top, hgt);
  struct TCase {
    int X, Y;
    bool Inside;
  };
  // The skin's top-left corner is two fuchsia pixels square; the other corners are whole.
  for (const TCase& c : {TCase{0, 0, false}, TCase{1, 1, false}, TCase{1, 0, false}, TCase{2, 0, true},
                         TCase{0, 2, true}, TCase{w - 1, 0, true}, TCase{0, hgt - 1, true}, TCase{w - 1, hgt - 1, true}})
    EXPECT_EQ(PtInRegion(region, c.X, c.Y) != FALSE, c.Inside) << c.X << "," << c.Y;
  EXPECT_EQ(Px(shot, 3, hgt / 2), Px(*provider->SkinData()->FCache, 3, hgt / 2)) << "the frame as painted";

  ShowWindow(f.Handle(), SW_MAXIMIZE);
  skintest::TSkinHarness::Pump(80);
  ASSERT_TRUE(IsZoomed(f.Handle()));
  ASSERT_NE(GetWindowRgn(f.Handle(), region), ERROR);
  GetWindowRect(f.Handle(), &wr);
  RECT cr;
  GetClientRect(f.Handle(), &cr);
  const int frame = ((wr.right - wr.left) - cr.right) / 2;
  GetRgnBox(region, &box);
  EXPECT_EQ(box.left, frame) << "the frame outside the screen is left out";
  EXPECT_EQ(box.top, frame);
  EXPECT_EQ(box.right, wr.right - wr.left - frame);
  EXPECT_EQ(box.bottom, wr.bottom - wr.top - frame);
  EXPECT_NE(PtInRegion(region, frame, frame), FALSE) << "a plain rectangle: no corner cut";
  DeleteObject(region);
  ShowWindow(f.Handle(), SW_RESTORE);
}

// ---------------------------------------------------------------- skin commands

TEST_F(ShownForm, RemoveAndLoadSwitchTheFormAndGiveBackItsOwnLook) {
  gui::TForm& bystander = h->NewForm("Lain", 200, 120);
  bystander.Show();
  gui::TForm& f = Show("Ganti Kulit");
  const LPARAM manager = LPARAM(h->Manager.get());
  HWND wnd = f.Handle();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(wnd, region), ERROR);
  ASSERT_EQ(GetWindowLongW(wnd, GWL_STYLE) & WS_SYSMENU, 0);
  ASSERT_EQ(uint32_t(f.Color()), h->Manager->GetGlobalColor()) << "the form took the skin's colour";
  skintest::TSkinHarness::Pump(40);

  // Paints reaching the other form, which skinning off must not repaint.
  int bystanderPaints = 0;
  gui::TWndMethod own = bystander.WindowProc;
  bystander.WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_PAINT || m.Msg == WM_NCPAINT || m.Msg == WM_ERASEBKGND) ++bystanderPaints;
    own(m);
  };
  SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(AC_REMOVESKIN), manager);
  EXPECT_FALSE(provider->IsSkinnedBranch());
  EXPECT_NE(GetWindowLongW(wnd, GWL_STYLE) & WS_SYSMENU, 0) << "the system menu is back";
  EXPECT_EQ(GetWindowRgn(wnd, region), ERROR) << "no region";
  EXPECT_EQ(HBRUSH(GetClassLongPtrW(wnd, GCLP_HBRBACKGROUND)), GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(f.Color(), gui::clBtnFace);
  EXPECT_TRUE(provider->SkinData()->CacheEmpty()) << "the image is freed";
  EXPECT_EQ(bystanderPaints, 0) << "only the form itself is redrawn, not the whole screen";
  bystander.WindowProc = own;
  gui::TBitmap& plain = h->Shot(wnd, "skin_removed");
  EXPECT_NE(Px(plain, plain.Width() / 2, provider->TitleVCenter), kTitleActive) << "the system's own title";
  EXPECT_NE(Px(plain, 1, plain.Height() / 2), kFrame);

  // Another manager's removal leaves the form as it is.
  SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(AC_SETNEWSKIN), manager);
  SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(AC_REFRESH), manager);
  skintest::TSkinHarness::Pump(60);
  EXPECT_TRUE(provider->IsSkinnedBranch());
  TsSkinManager other(nullptr);
  SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(AC_REMOVESKIN), LPARAM(&other));
  EXPECT_TRUE(provider->IsSkinnedBranch());
  EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_NE(GetWindowRgn(wnd, region), ERROR) << "the region is set again";
  gui::TBitmap& again = h->Shot(wnd, "skin_applied_again");
  const uint32_t title = Px(again, again.Width() / 2, provider->TitleVCenter);
  EXPECT_TRUE(title == kTitleActive || title == kTitleInactive);
  EXPECT_EQ(Px(again, 1, again.Height() / 2), kFrame);
  DeleteObject(region);
}

// ---------------------------------------------------------------- the manager's broadcasts

// What each UpdateLayeredWindow call is handed: its size and the picture's pixel at a point.
struct TLayeredFrame {
  SIZE Size;
  BYTE Alpha;
  uint32_t Sample;
};
std::vector<TLayeredFrame> g_frames;
POINT g_samplePoint{};
TUpdateLayeredWindow g_realUpdate = nullptr;

BOOL WINAPI RecordFrame(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                        BLENDFUNCTION* blend, DWORD flags) {
  const COLORREF c = src ? GetPixel(src, g_samplePoint.x, g_samplePoint.y) : CLR_INVALID;
  g_frames.push_back({size ? *size : SIZE{}, blend ? blend->SourceConstantAlpha : BYTE(0), Rgb(c)});
  return g_realUpdate(wnd, dst, pos, size, src, srcPos, key, blend, flags);
}
// Every UpdateLayeredWindow call while Action runs, sampled at a point, into g_frames.
void RecordFrames(POINT at, const std::function<void()>& action) {
  g_samplePoint = at;
  g_frames.clear();
  g_realUpdate = UpdateLayeredWindowProc;
  UpdateLayeredWindowProc = &RecordFrame;
  action();
  UpdateLayeredWindowProc = g_realUpdate;
}

TEST_F(ShownForm, TheManagersSkinChangesReachTheFormOnceEachAndAnimateItsNewLook) {
  gui::TForm& f = Show("Siaran");
  HWND wnd = f.Handle();
  TsSkinManager* manager = h->Manager.get();
  ASSERT_EQ(GetAnimatedForm(wnd), static_cast<TacAnimatedForm*>(provider)) << "the animations find the provider";
  ASSERT_EQ(GetFormProvider(&f), provider);
  std::map<WORD, int> heard;
  gui::TWndMethod hooked = f.WindowProc;
  f.WindowProc = [&](TMessage& m) {
    if (m.Msg == SM_ALPHACMD && m.LParam == LPARAM(manager)) ++heard[m.WParamHi()];
    hooked(m);
  };
  manager->AnimEffects.SkinChanging = {true, 60, TacAnimType::atFading};
  RECT wr;
  GetWindowRect(wnd, &wr);
  RecordFrames({(wr.right - wr.left) / 2, provider->TitleVCenter}, [&] { manager->SetSkinName("Korvan Forms Cut"); });
  skintest::TSkinHarness::Pump(60);
  ASSERT_TRUE(manager->IsSkinLoaded());
  EXPECT_EQ(heard[AC_SETNEWSKIN], 1);
  EXPECT_EQ(heard[AC_REFRESH], 1);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(wnd, region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0)) << "the form took the new skin's cut corner";
  // The new look faded in over the form: the provider's whole image, title included.
  ASSERT_FALSE(g_frames.empty());
  EXPECT_EQ(g_frames.front().Size.cx, wr.right - wr.left);
  EXPECT_EQ(g_frames.front().Size.cy, wr.bottom - wr.top);
  EXPECT_EQ(g_frames.front().Alpha, 0);
  EXPECT_EQ(g_frames.back().Alpha, 255);
  const uint32_t title = g_frames.front().Sample;
  EXPECT_TRUE(title == kTitleActive || title == kTitleInactive) << std::hex << title;
  EXPECT_FALSE(provider->Frozen);
  EXPECT_FALSE(provider->ChangingSkin);
  EXPECT_EQ(provider->RedrawLock, 0) << "the freeze ended";
  EXPECT_TRUE(IsWindowVisible(wnd));

  manager->RemoveSkin();
  EXPECT_EQ(heard[AC_REMOVESKIN], 1);
  EXPECT_FALSE(provider->IsSkinnedBranch());
  EXPECT_NE(GetWindowLongW(wnd, GWL_STYLE) & WS_SYSMENU, 0) << "the form has its system caption back";
  EXPECT_EQ(GetWindowRgn(wnd, region), ERROR);
  DeleteObject(region);
  f.WindowProc = hooked;
}

// With the manager's show animation the form fades in over its picture, then stands shown,
// no longer layered, painted from the skin, its children painting again.
TEST_F(ShownForm, TheShowAnimationFadesThePictureInAndLeavesTheFormShownAndPainted) {
  h->Manager->AnimEffects.FormShow = {true, 120, TacAnimType::atFading};
  gui::TForm& f = h->NewForm("Ibadah Minggu", 360, 220);
  provider = new TsSkinProvider(&f);
  auto* panel = new gui::TPanel(&f);
  panel->SetParent(&f);
  panel->SetBounds(20, 30, 80, 50);
  // The ordinary Show: the form announces its showing through its window procedure and
  // the provider runs the animation around the form's own showing.
  RecordFrames({180, 110}, [&] { f.Show(); });
  HWND wnd = f.Handle();
  skintest::TSkinHarness::Pump(80);
  ASSERT_GE(g_frames.size(), 3u) << "the picture, its frames and the end";
  EXPECT_EQ(g_frames.front().Alpha, 0);
  for (size_t i = 1; i < g_frames.size(); ++i) EXPECT_GE(g_frames[i].Alpha, g_frames[i - 1].Alpha) << i;
  EXPECT_EQ(g_frames.back().Alpha, 255);
  RECT wr;
  GetWindowRect(wnd, &wr);
  EXPECT_EQ(g_frames.back().Size.cx, wr.right - wr.left);
  EXPECT_EQ(g_frames.back().Size.cy, wr.bottom - wr.top);
  const uint32_t client = g_frames.back().Sample;
  EXPECT_TRUE(client == kFormActive || client == kFormInactive) << std::hex << client;

  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_FALSE(provider->PaintSuppressed);
  EXPECT_FALSE(provider->InAnimation);
  EXPECT_TRUE(IsWindowVisible(panel->Handle())) << "the panel paints again";
  gui::TBitmap& shot = h->Shot(wnd, "shown_animated");
  EXPECT_EQ(Px(shot, 1, shot.Height() / 2), kFrame);
  const uint32_t title = Px(shot, shot.Width() / 2, provider->TitleVCenter);
  EXPECT_TRUE(title == kTitleActive || title == kTitleInactive) << std::hex << title;
}

TEST_F(ShownForm, TheWholeImageHoldsTheClientWithItsChildrenAndTheGripPaintsOverItsBackground) {
  gui::TForm& f = h->NewForm("Gambar", 360, 220);
  provider = new TsSkinProvider(&f);
  provider->GripMode = TsGripMode::gmRightBottom;
  auto* panel = new gui::TPanel(&f);
  panel->SetParent(&f);
  panel->SetBounds(20, 30, 80, 50);
  panel->SetColor(gui::TColor(0x0000FF));
  f.Show();
  skintest::TSkinHarness::Pump(80);
  gui::TBitmap& cache = *provider->SkinData()->FCache;
  std::unique_ptr<gui::TBitmap> image = CreateFormImage(provider, false);
  ASSERT_TRUE(image);
  h->Save(*image, "whole_form_image");
  ASSERT_EQ(image->Width(), cache.Width());
  ASSERT_EQ(image->Height(), cache.Height());
  const int cx = provider->ClientOffsetX(), cy = provider->ClientOffsetY();
  EXPECT_EQ(Px(*image, cx + 60, cy + 55), 0xFF0000u) << "the child at its place in the client area";
  EXPECT_EQ(Px(*image, image->Width() / 2, provider->TitleVCenter), Px(cache, cache.Width() / 2, provider->TitleVCenter))
      << "the frame and title from the cached image";
  EXPECT_EQ(Px(*image, cx + 200, cy + 100), Px(cache, cx + 200, cy + 100)) << "the client background from the image";
  TBitmap32 px = Pixels32(*image);
  GdiFlush();
  for (gui::TPoint p : {gui::TPoint{0, 0}, gui::TPoint{cx + 60, cy + 55}, gui::TPoint{px.Width() - 1, px.Height() - 1}})
    EXPECT_EQ(px.At(p.X, p.Y) >> 24, 255u) << "opaque at " << p.X << "," << p.Y;

  // The grip: drawn into the image when it was built, and over what lies behind it into a DC.
  const TacPoint at = GripPositionFor(cache.Width(), cache.Height(), 16, 16, provider->GetBorderWidth(true),
                                      provider->GetShadowSize());
  // The paper as the colour value it is filled with and as read back (red first).
  constexpr uint32_t kGrip = 0x141414, kPaperColor = 0x563412, kPaper = 0x123456;
  EXPECT_EQ(Px(cache, at.X + 8, at.Y + 8), kGrip);
  gui::TBitmap target(cache.Width(), cache.Height());
  FillRectOnDC(target.Canvas().Handle(), gui::Rect(0, 0, cache.Width(), cache.Height()), gui::TColor(kPaperColor));
  provider->PaintGrip(target.Canvas().Handle());
  h->Save(target, "grip_to_dc");
  EXPECT_EQ(Px(target, at.X + 8, at.Y + 8), kGrip);
  EXPECT_EQ(Px(target, at.X - 1, at.Y + 8), kPaper) << "nothing beside the grip";
  EXPECT_EQ(Px(target, at.X + 8, at.Y - 1), kPaper);

  std::unique_ptr<gui::TBitmap> last = CreateFormImage(provider, true);
  ASSERT_TRUE(last);
  EXPECT_TRUE(provider->SkinData()->CacheEmpty()) << "the cache let go as asked";
  EXPECT_FALSE(CreateFormImage(provider, false)) << "no image without a cache";
}

TEST_F(Pipeline, AnAddedTitleInTheMainFontFollowsItAndOthersKeepTheirs) {
  gui::TForm& a = h->NewForm("Satu", 300, 200);
  gui::TForm& b = h->NewForm("Dua", 300, 200);
  auto* follows = new TsSkinProvider(&a);
  auto* keeps = new TsSkinProvider(&b);
  TsSkinManager* manager = h->Manager.get();
  const std::string before = manager->GetDefaultFontName();
  follows->AddedTitle.Font.SetName(before);
  keeps->AddedTitle.Font.SetName("Courier New");
  EXPECT_EQ(follows->AddedTitle.Font.Color(), gui::clNone) << "the title's own colour unless one is given";
  manager->SetMainFont("Verdana", false);
  EXPECT_EQ(follows->AddedTitle.Font.Name(), "Verdana");
  EXPECT_EQ(keeps->AddedTitle.Font.Name(), "Courier New");
  manager->SetMainFont(before, false);
  EXPECT_EQ(follows->AddedTitle.Font.Name(), before);
  delete follows;
  delete keeps;
}

TEST_F(ShownForm, TheAddedTitleIsWrittenInItsOwnFontRightOfTheCaption) {
  gui::TForm& f = h->NewForm("Jemaat", 420, 200);
  provider = new TsSkinProvider(&f);
  provider->AddedTitle.Text = "Sektor Tujuh";
  provider->AddedTitle.Font.SetColor(gui::TColor(0x0000FF));
  provider->AddedTitle.Font.SetHeight(-16);
  provider->AddedTitle.Font.SetStyle(gui::fsBold);
  f.Show();
  skintest::TSkinHarness::Pump(80);
  // Drawn active, so the font's own colour shows unmixed.
  provider->FormActive = 1;
  provider->SkinData()->FCacheInvalid = true;
  ASSERT_TRUE(provider->PrepareCache());
  gui::TBitmap& cache = *provider->SkinData()->FCache;
  h->Save(cache, "added_title");
  ASSERT_FALSE(provider->CaptionRect.IsEmpty());
  int red = 0, redBeforeCaptionEnd = 0;
  for (int y = 0; y < provider->TitleBottom; ++y)
    for (int x = 0; x < cache.Width(); ++x)
      if (Px(cache, x, y) == 0xFF0000u) {
        ++red;
        if (x < provider->CaptionRect.Right) ++redBeforeCaptionEnd;
      }
  EXPECT_GT(red, 40) << "the added text in its font's colour";
  EXPECT_EQ(redBeforeCaptionEnd, 0) << "right of the caption";
}

TEST_F(ShownForm, TheTitlesOptionsShowWhenSetButNotWhileTheFormIsRead) {
  gui::TForm& f = Show("Jemaat");
  // The image as it is now (a rebuild may make it anew).
  auto cache = [&]() -> gui::TBitmap& { return *provider->SkinData()->FCache; };
  ASSERT_FALSE(provider->IconRect.IsEmpty());
  // Blue up to the rounding of a blend.
  auto blueIcon = [&] {
    const uint32_t c = Px(cache(), (provider->IconRect.Left + provider->IconRect.Right) / 2, provider->TitleVCenter);
    return (c & 0xFF) >= 0xF8 && (c >> 8) < 8;
  };
  // A 24-bit picture: blue on a fuchsia ground, which the title shows through.
  gui::TBitmap blue(20, 20, gui::pf24bit);
  FillRectOnDC(blue.Canvas().Handle(), gui::Rect(0, 0, 20, 20), gui::TColor(0xFF00FF));
  FillRectOnDC(blue.Canvas().Handle(), gui::Rect(2, 2, 18, 18), gui::TColor(0xFF0000));
  provider->TitleIcon.SetGlyph(&blue);
  EXPECT_EQ(provider->IconRect.Width(), 20) << "the glyph's own size";
  EXPECT_TRUE(blueIcon()) << "the glyph is the title's icon at once";
  EXPECT_NE(Px(cache(), provider->IconRect.Left, provider->IconRect.Top), 0xFF00FFu) << "without its fuchsia";

  f.BeginLoading();
  provider->TitleIcon.SetVisible(false);
  provider->AddedTitle.SetText("Sektor Tujuh");
  EXPECT_TRUE(blueIcon()) << "nothing repaints while the form is read";
  EXPECT_FALSE(provider->SkinData()->FCacheInvalid);
  f.EndLoading();
  provider->SkinData()->FCacheInvalid = true;
  ASSERT_TRUE(provider->PrepareCache());
  EXPECT_FALSE(blueIcon()) << "a hidden icon";
  provider->TitleIcon.SetVisible(true);
  EXPECT_TRUE(blueIcon()) << "shown again at once";

  // The text is counted in its own colour, which an inactive title would soften: the title
  // is painted as active, whatever other test programs on the display do with the activation
  // (the activation's own colours are checked elsewhere).
  provider->FormActive = 1;
  provider->AddedTitle.Font.SetColor(gui::TColor(0x0000FF));
  provider->AddedTitle.SetText("Sektor Delapan");
  int red = 0;
  for (int y = 0; y < provider->TitleBottom; ++y)
    for (int x = provider->CaptionRect.Right; x < cache().Width(); ++x) red += Px(cache(), x, y) == 0xFF0000u;
  EXPECT_GT(red, 20) << "the added text is written as soon as it is set";
  provider->AddedTitle.SetShowMainCaption(false);
  EXPECT_TRUE(provider->CaptionRect.IsEmpty() || provider->CaptionRect.Width() < 8) << "the main caption goes";

  provider->FormHeader.SetAdditionalHeight(6);
  EXPECT_EQ(provider->FormHeader.ScaledHeight(), 6);
  h->Save(cache(), "title_options");
  const uint32_t header = Px(cache(), cache().Width() / 2, provider->TitleBottom + 2);
  EXPECT_TRUE(header == 0x00FF00u || header == 0x808000u) << "the header band in its section";
}

TEST_F(Pipeline, UnknownCommandsAreDroppedWhenSkinnedAndPassedOnWhenNot) {
  gui::TForm& f = h->NewForm("Perintah", 300, 200);
  RecordFormProcedure(f, false);
  auto* p = new TsSkinProvider(&f);
  record = SM_ALPHACMD;
  struct TCase {
    bool Skinned;
    WORD Command;
    bool ReachesForm;
  };
  for (const TCase& c : {TCase{true, 99, false}, TCase{true, 77, true}, TCase{true, 80, true}, TCase{false, 99, true},
                         TCase{false, 77, true}}) {
    SCOPED_TRACE(::testing::Message() << "command " << c.Command << (c.Skinned ? " skinned" : " unskinned"));
    if (!c.Skinned) SendMessageW(f.Handle(), SM_ALPHACMD, MakeSkinCommand(AC_REMOVESKIN), LPARAM(h->Manager.get()));
    ASSERT_EQ(p->IsSkinnedBranch(), c.Skinned);
    log.clear();
    SendMessageW(f.Handle(), SM_ALPHACMD, MakeSkinCommand(c.Command), 0);
    EXPECT_EQ(!log.empty(), c.ReachesForm);
  }
  delete p;
}

TEST_F(Pipeline, SkinnedLabelsGetTheirOwnColoursBack) {
  gui::TForm& f = h->NewForm("Label", 300, 200);
  auto* p = new TsSkinProvider(&f);
  auto* kept = new gui::TLabel(&f);
  auto* first = new gui::TLabel(&f);
  auto* second = new gui::TLabel(&f);
  auto* inherits = new gui::TLabel(&f);
  for (gui::TLabel* l : {kept, first, second, inherits}) l->SetParent(&f);
  for (gui::TLabel* l : {kept, first, second}) l->SetParentFont(false);
  kept->Tag = 256;
  kept->Font().SetColor(gui::TColor(0x112233));
  first->Font().SetColor(gui::TColor(0x445566));
  second->Font().SetColor(gui::TColor(0x778899));
  for (gui::TLabel* l : {kept, first, second, inherits}) p->SkinLabel(l, true);
  const auto skinColour = gui::TColor(h->Manager->GetGlobalFontColor());
  EXPECT_EQ(kept->Font().Color(), gui::TColor(0x112233)) << "a label marked unskinned keeps its colour";
  EXPECT_EQ(first->Font().Color(), skinColour);
  p->SkinLabel(first, true);
  p->SkinLabel(first, false);
  EXPECT_EQ(first->Font().Color(), gui::TColor(0x445566)) << "skinned twice, the first saved colour comes back";
  EXPECT_EQ(second->Font().Color(), skinColour);
  p->SkinLabel(second, false);
  EXPECT_EQ(second->Font().Color(), gui::TColor(0x778899));
  inherits->SetParentFont(false);
  p->SkinLabel(inherits, false);
  EXPECT_TRUE(inherits->ParentFont()) << "a label that followed its parent's font does again";
  EXPECT_EQ(inherits->Font().Color(), f.Font().Color());
  EXPECT_TRUE(p->LabelColors.empty());
}

// ---------------------------------------------------------------- answers to the children

TEST_F(Pipeline, TheFormAnswersItsChildrensQueries) {
  gui::TForm& f = h->NewForm("Tanya", 300, 200);
  auto* p = new TsSkinProvider(&f);
  HWND wnd = f.Handle();
  auto ask = [&](WORD command, LPARAM lParam) { return SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(command), lParam); };
  const int32_t index = p->SkinData()->FSkinIndex;
  EXPECT_EQ(ask(AC_CTRLHANDLED, 0), 1);
  EXPECT_EQ(ask(AC_GETSKININDEX, 0), index + 1);
  EXPECT_EQ(ask(AC_GETAPPLICATION, 0), LRESULT(gui::Application));
  EXPECT_EQ(ask(61, 0), LRESULT(MAKELONG(p->ClientOffsetX(), p->ClientOffsetY())));
  ask(AC_CHILDMOVING, 1);
  EXPECT_EQ(ask(64, 0), 1);
  ask(AC_CHILDMOVING, 0);
  EXPECT_EQ(ask(64, 0), 0);

  struct TSection {
    const char* Name;
    int State, Top, HeaderHeight;
    LRESULT Answer;
    int32_t SkinIndex;
  };
  for (const TSection& c : {TSection{"the form's section", 1, 40, 0, 1, index},
                            TSection{"a state the section lacks", 5, 40, 0, -1, -1},
                            TSection{"inside the form header", 0, 2, 10, 1, p->HeaderSkinIndex},
                            TSection{"below the form header", 0, 40, 10, 1, index}}) {
    SCOPED_TRACE(c.Name);
    p->FormHeader.AdditionalHeight = c.HeaderHeight;
    TacOpaqueSectionQuery q;
    q.State = c.State;
    q.Rect = gui::Rect(0, c.Top, 20, c.Top + 20);
    TacCommandRecord held(&q);
    EXPECT_EQ(ask(AC_GETOPAQUESECTION, LPARAM(&q)), c.Answer);
    EXPECT_EQ(q.SkinIndex, c.SkinIndex);
  }
  p->FormHeader.AdditionalHeight = 0;
  TacOpaqueSectionQuery stray;
  EXPECT_EQ(ask(AC_GETOPAQUESECTION, LPARAM(&stray)), 0) << "a record no sender holds is not read";
  EXPECT_EQ(stray.SkinIndex, -1);

  TacBackgroundQuery bg;
  {
    TacCommandRecord held(&bg);
    ask(AC_GETBG, LPARAM(&bg));
  }
  EXPECT_NE(bg.Kind, bkNone) << "the background is answered";
  EXPECT_FALSE(p->SkinData()->FCacheInvalid) << "from a fresh image";
  EXPECT_EQ(bg.OffsetY, p->ClientOffsetY()) << "in the form's client coordinates";

  // A form waiting for its border window has no image to offer yet.
  h->Manager->SetExtendedBorders(true);
  if (h->Manager->ExtendedBorders()) {
    p->SkinData()->FCacheInvalid = true;
    TacBackgroundQuery waiting;
    TacCommandRecord held(&waiting);
    ask(AC_GETBG, LPARAM(&waiting));
    EXPECT_EQ(waiting.Kind, bkNone);
    EXPECT_TRUE(p->SkinData()->FCacheInvalid);
  }
  h->Manager->SetExtendedBorders(false);
  delete p;
}

// ---------------------------------------------------------------- painting

TEST_F(Pipeline, PrintingAndTheRedrawLock) {
  gui::TForm& f = h->NewForm("Cetak", 320, 200);
  auto* p = new TsSkinProvider(&f);
  // Only a visible form erases its background from the image.
  f.Show();
  skintest::TSkinHarness::Pump(40);
  HWND wnd = f.Handle();
  RECT wr;
  GetWindowRect(wnd, &wr);
  const int w = wr.right - wr.left, hgt = wr.bottom - wr.top;
  auto print = [&](LPARAM flags, const std::string& name) -> gui::TBitmap& {
    auto* bmp = new gui::TBitmap(w, hgt);
    printed.emplace_back(bmp);
    FillRectOnDC(bmp->Canvas().Handle(), gui::Rect(0, 0, w, hgt), gui::TColor(0x563412));
    SendMessageW(wnd, WM_PRINT, WPARAM(bmp->Canvas().Handle()), flags);
    h->Save(*bmp, name);
    return *bmp;
  };
  gui::TBitmap& whole = print(PRF_NONCLIENT | PRF_CLIENT, "printed");
  gui::TBitmap& cache = *p->SkinData()->FCache;
  EXPECT_EQ(Px(whole, 1, hgt / 2), kFrame);
  const bool active = p->FormActive == 1;
  EXPECT_EQ(Px(whole, w / 2, p->TitleVCenter), active ? kTitleActive : kTitleInactive);
  if (active) {
    EXPECT_EQ(Px(whole, Centre(p->CloseBtn.Rect)), kCloseGlyph);
  }
  EXPECT_EQ(Px(whole, w / 2, hgt / 2), active ? kFormActive : kFormInactive);
  gui::TBitmap& erased = print(PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND, "printed_erase_only");
  EXPECT_EQ(Px(erased, 1, hgt / 2), Px(cache, p->ClientOffsetX() + 1, p->ClientOffsetY() + hgt / 2))
      << "only the background, from the client part of the image";
  EXPECT_NE(Px(erased, 1, hgt / 2), kFrame);

  f.Perform(WM_SETREDRAW, 0, 0);
  f.Perform(WM_SETREDRAW, 0, 0);
  f.Perform(WM_SETREDRAW, 1, 0);
  EXPECT_EQ(p->RedrawLock, 1);
  p->SkinData()->FCacheInvalid = true;
  p->PaintFrame();
  EXPECT_TRUE(p->SkinData()->FCacheInvalid) << "a locked form paints no frame";
  f.Perform(WM_SETREDRAW, 1, 0);
  f.Perform(WM_SETREDRAW, 1, 0);
  EXPECT_EQ(p->RedrawLock, 0) << "never below nothing";
  p->PaintFrame();
  EXPECT_FALSE(p->SkinData()->FCacheInvalid);
  delete p;
}

// ---------------------------------------------------------------- live preview

TEST_F(Pipeline, ALivePreviewBlockIsTakenOnlyWholeFromAPointer) {
  gui::TForm& f = h->NewForm("Pratinjau", 300, 200);
  auto* p = new TsSkinProvider(&f);
  ASSERT_EQ(DefaultManager(), h->Manager.get());
  PreviewWindow = f.Handle();
  const std::string record = MakeLivePreviewRecord({"Korvan Forms", "Z:\\skins", "[GLOBALINFO]\r\n"});
  struct TCase {
    const char* Name;
    bool WithBlock;
    const void* Data;
    DWORD Size;
    bool Taken;
  };
  for (const TCase& c : {TCase{"no block", false, nullptr, 0, false},
                         TCase{"no data", true, nullptr, DWORD(record.size()), false},
                         TCase{"the tag only", true, record.data(), 4, false},
                         TCase{"one byte short", true, record.data(), DWORD(record.size() - 1), false},
                         TCase{"whole", true, record.data(), DWORD(record.size()), true}}) {
    SCOPED_TRACE(c.Name);
    COPYDATASTRUCT block{kLivePreviewCopyDataId, c.Size, const_cast<void*>(c.Data)};
    SendMessageW(f.Handle(), WM_COPYDATA, kLivePreviewCopyDataId, c.WithBlock ? LPARAM(&block) : 0);
    EXPECT_EQ(h->Manager->LivePreview().has_value(), c.Taken);
  }
  EXPECT_EQ(h->Manager->LivePreview()->SkinName, "Korvan Forms");
  MSG posted;
  EXPECT_TRUE(PeekMessageW(&posted, gui::Application->Handle(), SM_ALPHACMD, SM_ALPHACMD, PM_REMOVE))
      << "skin command 71 went to the application window";
  EXPECT_EQ(HIWORD(posted.wParam), AC_SKINTEXT);
  PreviewWindow = nullptr;
  delete p;
}

// ---------------------------------------------------------------- pixels per inch

class TCountingProvider : public TsSkinProvider {
 public:
  using TsSkinProvider::TsSkinProvider;
  void UpdateSysMetrics(int32_t ppi) override {
    ++Rescales;
    // A second change that arrives while the first is handled is dropped.
    if (Rescales == 1) CallWndProc(0x02E0, MAKEWPARAM(192, 192), 0);
    TsSkinProvider::UpdateSysMetrics(ppi);
  }
  int Rescales = 0;
};

TEST_F(Pipeline, APixelsPerInchChangeRescalesOnceAndIsNotPassedOn) {
  gui::TForm& f = h->NewForm("Skala", 300, 200);
  RecordFormProcedure(f, false);
  auto* p = new TCountingProvider(&f);
  record = 0x02E0;
  const int32_t ppi = p->SkinData()->FPixelsPerInch;
  p->SkinData()->FCacheInvalid = false;
  p->RegionChanged = false;
  log.clear();
  SendMessageW(f.Handle(), 0x02E0, MAKEWPARAM(ppi, ppi), 0);
  EXPECT_EQ(p->Rescales, 0) << "the same PPI only repaints";
  EXPECT_TRUE(p->SkinData()->FCacheInvalid);
  EXPECT_FALSE(p->RegionChanged);

  SendMessageW(f.Handle(), 0x02E0, MAKEWPARAM(144, 144), 0);
  EXPECT_EQ(p->Rescales, 1);
  EXPECT_EQ(p->SysFrameWidth, GetSysMetricForPPI(SM_CXFRAME, 144));
  EXPECT_TRUE(p->RegionChanged);
  EXPECT_FALSE(ScalingForm);
  EXPECT_TRUE(log.empty()) << "the form keeps its size: the system's suggestion is not taken";
  delete p;
}


// ---------------------------------------------------------------- closing, hiding, menus

TEST_F(ShownForm, ClosingTakesTheWholeFormForItsHideAndTheFormShowsItsSkinAgainAfterwards) {
  struct TRow {
    const char* Name;
    bool HideActive, Refuse;
    bool StillShown, CacheInvalid;
  };
  const TRow rows[] = {
      {"hide animation, close refused", true, true, true, true},
      {"no hide animation, close refused", false, true, true, false},
      {"hide animation, closed", true, false, false, false},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    gui::TForm& f = Show("Tutup");
    HWND wnd = f.Handle();
    h->Manager->AnimEffects.FormHide = {row.HideActive, 60, TacAnimType::atFading};
    if (row.Refuse) f.OnCloseQuery = [](rtl::TObject*, bool& can) { can = false; };
    ASSERT_FALSE(provider->SkinData()->FCacheInvalid);
    SendMessageW(wnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(IsWindowVisible(wnd) != 0, row.StillShown);
    EXPECT_EQ(provider->FormState() & psAnimating, 0u) << "the capture left no painting held back";
    if (row.StillShown) {
      EXPECT_EQ(provider->SkinData()->FCacheInvalid, row.CacheInvalid);
      ASSERT_TRUE(provider->FormImage());
      RECT wr;
      GetWindowRect(wnd, &wr);
      EXPECT_EQ(provider->FormImage()->Width(), wr.right - wr.left);
      EXPECT_EQ(Px(*provider->FormImage(), (wr.right - wr.left) / 2, provider->TitleVCenter) & 0xFFFFFF,
                provider->FormActive ? kTitleActive : kTitleInactive);
    } else {
      EXPECT_FALSE(provider->FormImage()) << "a hidden form keeps no image";
      f.Show();
      skintest::TSkinHarness::Pump(80);
      gui::TBitmap& shot = h->Shot(wnd, "shown_again_after_close");
      EXPECT_EQ(Px(shot, 1, shot.Height() / 2), kFrame) << "the frame is the skin's again";
      EXPECT_EQ(GetClassLongPtrW(wnd, GCLP_HBRBACKGROUND), LONG_PTR(h->Manager->PaletteBrush(0)));
    }
    f.OnCloseQuery = nullptr;
    f.Hide();
  }
}

TEST_F(ShownForm, AFormHiddenOutsideItsSkinStillFadesOutToTheEnd) {
  gui::TForm& f = Show("Pamit");
  HWND wnd = f.Handle();
  ASSERT_TRUE(provider->FormImage());
  h->Manager->AnimEffects.FormHide = {true, 60, TacAnimType::atFading};
  const int skinIndex = provider->SkinData()->FSkinIndex;
  provider->SkinData()->FSkinIndex = -1;
  ASSERT_FALSE(provider->IsSkinnedBranch());
  RECT wr;
  GetWindowRect(wnd, &wr);
  RecordFrames({(wr.right - wr.left) / 2, provider->TitleVCenter}, [&] { ShowWindow(wnd, SW_HIDE); });
  provider->SkinData()->FSkinIndex = skinIndex;
  ASSERT_GE(g_frames.size(), 2u);
  EXPECT_EQ(g_frames.front().Size.cx, wr.right - wr.left);
  EXPECT_GT(g_frames.front().Alpha, g_frames.back().Alpha) << "the picture fades out";
  const uint32_t title = g_frames.front().Sample;
  EXPECT_TRUE(title == kTitleActive || title == kTitleInactive) << std::hex << title;
  EXPECT_FALSE(HideTimer && HideTimer->Running()) << "the hide played to its end before the handler returned";
  EXPECT_FALSE(provider->AnimShown);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST_F(ShownForm, TheMenusFollowColourChangesRightClicksMenuLoopsAndMenuChanges) {
  gui::TForm& f = h->NewForm("Menu", 360, 220);
  auto* mm = new gui::TMainMenu(&f);
  for (const char* caption : {"Berkas", "Data"}) {
    auto* i = new gui::TMenuItem(&f);
    i->SetCaption(caption);
    mm->Items()->Add(i);
  }
  f.SetMenu(mm);
  auto* pm = new gui::TPopupMenu(&f);
  auto* pi = new gui::TMenuItem(pm);
  pi->SetCaption("Salin");
  pm->Items()->Add(pi);
  provider = new TsSkinProvider(&f);
  h->Manager->SetSkinnedPopups(true);
  f.Show();
  skintest::TSkinHarness::Pump(80);
  HWND wnd = f.Handle();

  // A system colour change builds the menu bar anew from the form's menu.
  HMENU bar = GetMenu(wnd);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  AppendMenuW(bar, MF_STRING, 999, L"Asing");
  SendMessageW(wnd, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(GetMenuState(bar, 999, MF_BYCOMMAND), UINT(-1));

  // A right click hands the form's popup menus to the skinned menus.
  pm->SetOwnerDraw(false);
  SendMessageW(wnd, WM_CONTEXTMENU, WPARAM(wnd), MAKELPARAM(10, 10));
  EXPECT_TRUE(pm->OwnerDraw());

  // The end of a menu loop lets the region be changed again.
  provider->RegionLocked = true;
  SendMessageW(wnd, WM_EXITMENULOOP, 0, 0);
  EXPECT_FALSE(provider->RegionLocked);

  // A changed menu makes the menu line be measured and painted again, except in an update.
  for (bool updating : {false, true}) {
    SCOPED_TRACE(updating ? "in an update" : "shown");
    skintest::TSkinHarness::Pump(40);
    provider->MenuLineCount = 1;
    provider->MenuChanged = false;
    provider->SkinData()->FCacheInvalid = false;
    if (updating) provider->SkinData()->FStateFlags |= sfUpdating;
    f.Perform(gui::CM_MENUCHANGED, 0, 0);
    provider->SkinData()->FStateFlags &= ~sfUpdating;
    EXPECT_EQ(provider->MenuLineCount, updating ? 1 : -1);
    EXPECT_EQ(provider->MenuChanged, !updating);
    EXPECT_EQ(provider->SkinData()->FCacheInvalid, !updating);
  }
}

TEST_F(ShownForm, TheApplicationComingBackMakesAMainFormLeftMarkedMinimizedNormal) {
  struct TRow {
    const char* Name;
    bool Main;
    WPARAM Activated;
    gui::TWindowState Expected;
  };
  const TRow rows[] = {
      {"main form, application activated", true, 1, gui::TWindowState::wsNormal},
      {"main form, application deactivated", true, 0, gui::TWindowState::wsMinimized},
      {"other form, application activated", false, 1, gui::TWindowState::wsMinimized},
  };
  gui::TForm& f = Show("Utama");
  gui::TCustomForm* main = gui::Application->MainForm();
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    gui::Application->SetMainForm(row.Main ? &f : nullptr);
    f.WindowState = gui::TWindowState::wsMinimized;
    SendMessageW(f.Handle(), WM_ACTIVATEAPP, row.Activated, 0);
    EXPECT_EQ(f.WindowState, row.Expected);
  }
  gui::Application->SetMainForm(main);
  f.WindowState = gui::TWindowState::wsNormal;
}

}  // namespace
}  // namespace skin

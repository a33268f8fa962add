// The window-creation hook and the skinning of the system's own dialogs under Wine: a real
// message box and a dialog made from a template in memory skinned with their children
// hooked by class and their frame and title painted from the dialog sections (screenshots
// in build/tests/skin/forms/shots), owned dialogs and a third dialog left alone, the event
// that keeps a dialog native, a form getting its provider on its first activation unless
// its tag keeps it native, the dialog's title buttons and its system menu. The modal
// dialogs are driven from a thread timer that runs inside their own message loops.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "rtl/Utf.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSysUtils.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acDials.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acBtnWnd.h"
#include "skin/hooks/acCheckBoxWnd.h"
#include "skin/hooks/acComboWnd.h"
#include "skin/hooks/acEditWnd.h"
#include "skin/hooks/acMnuWnd.h"
#include "skin/hooks/acPanelWnd.h"
#include "skin/hooks/acStaticWnd.h"

namespace skin {
namespace {

// ---------------------------------------------------------------- driving modal loops

std::function<void()> g_tick;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_tick) g_tick();
}

std::vector<HWND> VisibleDialogs() {
  std::vector<HWND> out;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM l) -> BOOL {
        if (IsWindowVisible(w) && GetWindowClassName(w) == "#32770") reinterpret_cast<std::vector<HWND>*>(l)->push_back(w);
        return TRUE;
      },
      LPARAM(&out));
  return out;
}

// Runs Body (which shows a modal dialog) while Step runs every 40 ms with the tick's
// number until it answers True; after about ten seconds every dialog of the thread is
// closed so that a failing test still ends.
INT_PTR RunModal(const std::function<INT_PTR()>& body, const std::function<bool(int)>& step) {
  int n = 0;
  bool done = false;
  g_tick = [&] {
    if (done) return;
    if (++n > 250) {
      ADD_FAILURE() << "the dialog was not finished in time";
      done = true;
      EndMenu();
      for (HWND w : VisibleDialogs()) PostMessageW(w, WM_CLOSE, 0, 0);
      return;
    }
    done = step(n);
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, &Tick);
  const INT_PTR r = body();
  KillTimer(nullptr, timer);
  g_tick = nullptr;
  return r;
}

// ---------------------------------------------------------------- dialog templates

class TDialogTemplate {
 public:
  TDialogTemplate(DWORD style, const wchar_t* caption, short cx, short cy) {
    Dword(style | DS_SETFONT);
    Dword(0);
    words_.push_back(0);  // item count
    for (short v : {short(10), short(10), cx, cy}) words_.push_back(WORD(v));
    words_.push_back(0), words_.push_back(0);  // no menu, the dialog class
    Text(caption);
    words_.push_back(8);
    Text(L"MS Shell Dlg");
  }
  // Class: 0x80 button, 0x81 edit, 0x82 static, 0x83 list box, 0x85 combo box.
  TDialogTemplate& Item(WORD cls, DWORD style, short x, short y, short cx, short cy, WORD id, const wchar_t* text) {
    if (words_.size() % 2) words_.push_back(0);
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    for (short v : {x, y, cx, cy}) words_.push_back(WORD(v));
    words_.push_back(id);
    words_.push_back(0xFFFF), words_.push_back(cls);
    Text(text);
    words_.push_back(0);
    ++words_[4];
    return *this;
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD v) { words_.push_back(LOWORD(v)), words_.push_back(HIWORD(v)); }
  void Text(const wchar_t* s) {
    while (*s) words_.push_back(*s++);
    words_.push_back(0);
  }
  std::vector<WORD> words_;
};

INT_PTR CALLBACK DialogProc(HWND w, UINT m, WPARAM wp, LPARAM) {
  if (m == WM_INITDIALOG) return TRUE;
  if (m == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    if (GetWindowLongPtrW(w, DWLP_USER) == 2) return TRUE;  // the test ends it itself
    if (GetWindowLongPtrW(w, DWLP_USER) == 1)
      DestroyWindow(w);
    else
      EndDialog(w, LOWORD(wp));
    return TRUE;
  }
  return FALSE;
}

const TDialogTemplate& DataDialog() {
  static const TDialogTemplate t = [] {
    TDialogTemplate d(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME, L"Data Jemaat", 220, 120);
    d.Item(0x82, SS_LEFT, 8, 8, 60, 10, 100, L"Nama jemaat:")
        .Item(0x81, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 70, 6, 140, 12, 101, L"")
        .Item(0x80, BS_AUTOCHECKBOX | WS_TABSTOP, 8, 26, 100, 10, 102, L"Anggota aktif")
        .Item(0x80, BS_GROUPBOX, 8, 40, 202, 40, 103, L"Sektor")
        .Item(0x85, CBS_DROPDOWNLIST | WS_TABSTOP, 16, 54, 120, 60, 104, L"")
        .Item(0x80, BS_DEFPUSHBUTTON | WS_TABSTOP, 104, 96, 50, 14, IDOK, L"OK")
        .Item(0x80, BS_PUSHBUTTON | WS_TABSTOP, 160, 96, 50, 14, IDCANCEL, L"Batal");
    return d;
  }();
  return t;
}

// A modeless dialog of the data template; Owner makes it an owned one.
HWND Modeless(HWND owner = nullptr, int x = 60) {
  static const TDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, L"Catatan", 140, 50);
  HWND w = CreateDialogIndirectParamW(nullptr, t.Get(), owner, &DialogProc, 0);
  SetWindowLongPtrW(w, DWLP_USER, 1);
  SetWindowPos(w, nullptr, x, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(w, SW_SHOWNOACTIVATE);
  return w;
}

// ---------------------------------------------------------------- reading what was attached

template <class H>
H* HookOf(TacProvider* p, HWND child) {
  if (!p) return nullptr;
  for (const auto& h : p->ChildHooks)
    if (h->Wnd() == child) return dynamic_cast<H*>(h.get());
  return nullptr;
}

HWND ChildOfClass(HWND dialog, const char* cls, int index = 0) {
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (GetWindowClassName(c) == cls && index-- == 0) return c;
  return nullptr;
}

COLORREF Px(gui::TBitmap& shot, int x, int y) { return ::GetPixel(shot.Canvas().Handle(), x, y); }
bool Near(COLORREF c, int r, int g, int b) {
  return std::abs(GetRValue(c) - r) < 24 && std::abs(GetGValue(c) - g) < 24 && std::abs(GetBValue(c) - b) < 24;
}
// The test skin's dialog title (lighter blue while active) and client (lighter grey).
bool IsTitle(COLORREF c, bool active) { return active ? Near(c, 0, 128, 192) : Near(c, 0, 64, 128); }
bool IsClient(COLORREF c, bool active) { return active ? Near(c, 0xEE, 0xEE, 0xEE) : Near(c, 0xDD, 0xDD, 0xDD); }

POINT ScreenPointOf(HWND w, const gui::TRect& r) {
  RECT wr;
  GetWindowRect(w, &wr);
  return {wr.left + (r.Left + r.Right) / 2, wr.top + (r.Top + r.Bottom) / 2};
}

class DialogSkinning : public ::testing::Test {
 protected:
  void SetUp() override {
    h = std::make_unique<skintest::TSkinHarness>(KORVAN_DIALOG_SKINS, KORVAN_DIALOG_SHOTS);
    ASSERT_TRUE(h->Manager->IsSkinLoaded());
    ASSERT_EQ(DefaultManager(), h->Manager.get());
    // Here the window-creation hook skins forms and dialogs as in a program.
    h->Manager->SetSkinningRules(srStdForms | srStdDialogs | srThirdParty);
  }
  void TearDown() override { h.reset(); }
  // A shown modeless dialog with extended borders on: its hook, nullptr when it has none
  // or no border window.
  TacDialogWnd* BorderedDialog(HWND& dlg) {
    h->Manager->SetExtendedBorders(true);
    dlg = Modeless(nullptr, 120);
    skintest::TSkinHarness::Pump(100);
    TacProvider* p = FindProvider(dlg);
    TacDialogWnd* d = p ? p->DialogHook.get() : nullptr;
    return d && d->BorderForm ? d : nullptr;
  }
  // The same dialog's scaled skin, which a test may change (nullptr without border window).
  TacSkinData* BorderedDialogSkin(HWND& dlg, TacDialogWnd*& d) {
    d = BorderedDialog(dlg);
    return d ? d->SkinData()->GetScaledSkin() : nullptr;
  }
  std::unique_ptr<skintest::TSkinHarness> h;
};

// ---------------------------------------------------------------- the tests

TEST_F(DialogSkinning, AMessageBoxIsSkinnedWithItsChildrenAndClosedByItsTitleButton) {
  HWND box = nullptr;
  bool closedByButton = false;
  const INT_PTR answer = RunModal(
      [] { return INT_PTR(MessageBoxW(nullptr, L"Data jemaat sudah tersimpan.", L"Informasi", MB_OK | MB_ICONINFORMATION)); },
      [&](int tick) -> bool {
        if (!box) {
          const std::vector<HWND> d = VisibleDialogs();
          if (d.empty()) return false;
          box = d.front();
          return false;
        }
        if (tick < 8) return false;  // let it paint
        TacProvider* p = FindProvider(box);
        EXPECT_NE(p, nullptr);
        if (!p) return true;
        EXPECT_TRUE(IsWndSkinned(box));
        EXPECT_NE(p->DialogHook, nullptr);
        if (!p->DialogHook) return true;
        EXPECT_NE(HookOf<TacBtnWnd>(p, ChildOfClass(box, "Button")), nullptr) << "the OK button";
        HWND text = nullptr, icon = nullptr;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
          if (GetWindowClassName(c) == "Static") ((GetWindowLongW(c, GWL_STYLE) & 0x1F) == SS_ICON ? icon : text) = c;
        EXPECT_NE(HookOf<TacIconWnd>(p, icon), nullptr) << "the icon";
        EXPECT_NE(dynamic_cast<TacStaticWnd*>(HookOf<TacStaticWnd>(p, text)), nullptr) << "the text";
        EXPECT_FALSE(GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU) << "the system draws no caption buttons";

        TacDialogWnd& d = *p->DialogHook;
        gui::TBitmap& shot = h->Shot(box, "dialog_messagebox");
        const int bw = d.BorderWidth(), title = d.TitleHeight();
        EXPECT_TRUE(Near(Px(shot, 1, shot.Height() / 2), 0x50, 0xA0, 0x50)) << "the dialog section's green frame";
        EXPECT_TRUE(IsTitle(Px(shot, bw + 24, 2), d.FormActive)) << "the dialog title";
        EXPECT_TRUE(IsClient(Px(shot, bw + 2, title + 3), d.FormActive)) << "the client from the dialog section";
        // The lone close glyph (the skin's red close picture) at the close button.
        EXPECT_EQ(d.CloseBtn.GlyphIndex, tgCloseAlone);
        const gui::TRect c = d.CloseBtn.Rect;
        EXPECT_FALSE(c.IsEmpty());
        // Another test's window may hold the activation: an inactive title shows the glyph at
        // half strength over the inactive title's blue.
        const COLORREF glyph = Px(shot, (c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2);
        EXPECT_TRUE(d.FormActive ? Near(glyph, 200, 40, 40) : Near(glyph, 100, 52, 84)) << "the close glyph";

        // The close button: hit, pressed and released over it closes the box.
        const POINT at = ScreenPointOf(box, c);
        EXPECT_EQ(SendMessageW(box, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)), HTCLOSE);
        EXPECT_EQ(d.HotItem, HTCLOSE);
        EXPECT_TRUE(d.SkinData()->GetSkinManager()->Effects.AllowGlowing);
        TacSBAnimation* fade = d.CloseBtn.Animation;
        EXPECT_NE(fade, nullptr) << "the hot look fades in over the button";
        if (fade) EXPECT_TRUE(fade->Window && IsWindowVisible(fade->Window->Handle()));
        SendMessageW(box, WM_MOUSELEAVE, 0, 0);  // what the fade sends once the pointer is off
        EXPECT_EQ(d.HotItem, 0);
        EXPECT_EQ(d.CloseBtn.State, 0);
        RECT br;
        GetWindowRect(box, &br);
        SetWindowPos(box, nullptr, br.left + 4, br.top + 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(d.CloseBtn.Animation, nullptr) << "a moved dialog leaves no fade behind";
        const POINT moved = ScreenPointOf(box, c);
        SendMessageW(box, WM_NCHITTEST, 0, MAKELPARAM(moved.x, moved.y));
        fade = d.CloseBtn.Animation;
        EXPECT_NE(fade, nullptr);
        SendMessageW(box, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(moved.x, moved.y));
        EXPECT_EQ(d.CloseBtn.State, 2);
        EXPECT_EQ(d.CloseBtn.Animation, fade) << "the same fade shows the pressed look";
        closedByButton = true;
        SendMessageW(box, WM_NCLBUTTONUP, HTCLOSE, MAKELPARAM(moved.x, moved.y));
        EXPECT_EQ(d.CloseBtn.Animation, nullptr) << "no fade outlives the closed box";
        return true;
      });
  EXPECT_TRUE(closedByButton);
  EXPECT_NE(answer, 0);
  EXPECT_FALSE(IsWindow(box));
  TacProvider* gone = FindProvider(box);
  ASSERT_NE(gone, nullptr);
  EXPECT_TRUE(gone->DialogHook->Released()) << "the hook took itself off the closed box";
  PurgeProviders();
  EXPECT_EQ(FindProvider(box), nullptr) << "a released dialog hook is purged with its provider";
}

TEST_F(DialogSkinning, ATemplateDialogsChildrenAreHookedByClassAndItsTitleAnswersItsButtons) {
  std::vector<std::wstring> menuTexts;
  const INT_PTR answer = RunModal(
      [] { return DialogBoxIndirectParamW(nullptr, DataDialog().Get(), nullptr, &DialogProc, 0); },
      [&](int tick) -> bool {
        const std::vector<HWND> dialogs = VisibleDialogs();
        if (dialogs.empty() || tick < 8) return false;
        HWND dlg = dialogs.front();
        TacProvider* p = FindProvider(dlg);
        EXPECT_NE(p, nullptr);
        if (!p || !p->DialogHook) return true;
        TacDialogWnd& d = *p->DialogHook;
        EXPECT_NE(HookOf<TacStaticWnd>(p, GetDlgItem(dlg, 100)), nullptr) << "static";
        EXPECT_NE(HookOf<TacEditWnd>(p, GetDlgItem(dlg, 101)), nullptr) << "edit";
        EXPECT_NE(HookOf<TacCheckBoxWnd>(p, GetDlgItem(dlg, 102)), nullptr) << "check box";
        EXPECT_NE(HookOf<TacGroupBoxWnd>(p, GetDlgItem(dlg, 103)), nullptr) << "group box";
        EXPECT_NE(HookOf<TacComboBoxWnd>(p, GetDlgItem(dlg, 104)), nullptr) << "combo box";
        EXPECT_NE(HookOf<TacBtnWnd>(p, GetDlgItem(dlg, IDOK)), nullptr) << "OK";
        EXPECT_NE(HookOf<TacBtnWnd>(p, GetDlgItem(dlg, IDCANCEL)), nullptr) << "Batal";
        EXPECT_FALSE(d.SkipClientPaint) << "an edit among the children";
        // The client area's place in the image is where the system put the client area.
        RECT wr0;
        GetWindowRect(dlg, &wr0);
        POINT origin{0, 0};
        ClientToScreen(dlg, &origin);
        EXPECT_EQ(d.ClientOffsetX(), origin.x - wr0.left);
        EXPECT_EQ(d.ClientOffsetY(), origin.y - wr0.top);
        EXPECT_EQ(SendSkinCommand(dlg, 61), LRESULT(MAKELONG(d.ClientOffsetX(), d.ClientOffsetY())));
        EXPECT_EQ(SendSkinCommand(dlg, AC_GETBORDERWIDTH), d.BorderWidth()) << "a modal frame adds no padding";
        gui::TBitmap& shot = h->Shot(dlg, "dialog_template");
        EXPECT_TRUE(IsTitle(Px(shot, d.BorderWidth() + 24, 2), d.FormActive)) << "the dialog title";
        // The label stands on the dialog's own background (its right end holds no text).
        RECT label, frame;
        GetWindowRect(GetDlgItem(dlg, 100), &label);
        GetWindowRect(dlg, &frame);
        EXPECT_TRUE(IsClient(Px(shot, label.right - frame.left - 2, label.bottom - frame.top - 2), d.FormActive))
            << "a label over the dialog's background";

        // Minimize and close: the glyph with both, the hit codes at each button.
        EXPECT_EQ(d.CloseBtn.GlyphIndex, tgClose);
        for (const auto& [rect, code] : {std::pair{d.CloseBtn.Rect, HTCLOSE}, std::pair{d.MinBtn.Rect, HTREDUCE}}) {
          const POINT at = ScreenPointOf(dlg, rect);
          EXPECT_EQ(SendMessageW(dlg, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)), code);
        }
        RECT wr;
        GetWindowRect(dlg, &wr);
        const POINT caption{wr.left + (wr.right - wr.left) / 2, wr.top + d.TitleHeight() / 2};
        EXPECT_EQ(SendMessageW(dlg, WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)), HTCAPTION);
        EXPECT_EQ(d.HotItem, 0) << "the caption leaves no button hot";
        // A release over a button that was not pressed runs nothing.
        const POINT close = ScreenPointOf(dlg, d.CloseBtn.Rect);
        SendMessageW(dlg, WM_NCLBUTTONUP, HTCLOSE, MAKELPARAM(close.x, close.y));
        EXPECT_TRUE(IsWindowVisible(dlg));

        // The system menu of the dialog: its items follow the dialog; a right click on the
        // caption brings it up (read and closed from the next ticks).
        TacSystemMenu& menu = *d.SystemMenu;
        EXPECT_TRUE(menu.Item(miMove)->Visible() && menu.Item(miMove)->Enabled());
        EXPECT_TRUE(menu.Item(miMinimize)->Visible() && menu.Item(miMinimize)->Enabled());
        EXPECT_FALSE(menu.Item(miMaximize)->Visible());
        EXPECT_FALSE(menu.Item(miSize)->Visible()) << "a modal frame maps to no sizing";
        EXPECT_TRUE(menu.Item(miClose)->Visible());
        g_tick = [&menuTexts] {
          HWND popup = FindWindowW(L"#32768", nullptr);
          if (!popup || !IsWindowVisible(popup)) return;
          HMENU hm = HMENU(SendMessageW(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
          for (int i = 0; hm && i < GetMenuItemCount(hm); ++i) {
            wchar_t text[64] = {};
            GetMenuStringW(hm, UINT(i), text, 64, MF_BYPOSITION);
            menuTexts.push_back(text);
          }
          EndMenu();
        };
        SendMessageW(dlg, WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(caption.x, caption.y));
        // Back from the menu: the menu's Minimize item minimizes the dialog.
        EXPECT_FALSE(menu.Item(miRestore)->Enabled());
        menu.Click(miMinimize);
        EXPECT_TRUE(IsIconic(dlg));
        menu.UpdateItems();
        EXPECT_FALSE(menu.Item(miMinimize)->Enabled()) << "an iconic dialog";
        menu.Click(miRestore);
        EXPECT_FALSE(IsIconic(dlg));
        EXPECT_TRUE(menu.Item(miMinimize)->Enabled()) << "brought up to date after a restore";
        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
        return true;
      });
  EXPECT_EQ(answer, IDCANCEL);
  ASSERT_FALSE(menuTexts.empty()) << "the system menu came up";
  EXPECT_NE(menuTexts.back().find(L"Alt+F4"), std::wstring::npos) << "the close item last, with its shortcut";
  EXPECT_EQ(menuTexts.size(), 4u) << "restore, move, minimize and close";
  PurgeProviders();
}

// A page inside a dialog (a child dialog, as property sheets and the folder browser have)
// that paints itself red: skinned, it shows the outer dialog's background instead.
HBRUSH g_pageBrush = nullptr;
INT_PTR CALLBACK PageProc(HWND, UINT m, WPARAM, LPARAM) {
  if (m == WM_INITDIALOG) return TRUE;
  if (m == WM_CTLCOLORDLG) return reinterpret_cast<INT_PTR>(g_pageBrush);
  return FALSE;
}
INT_PTR CALLBACK OuterProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_INITDIALOG) {
    static const TDialogTemplate page = [] {
      TDialogTemplate d(WS_CHILD | WS_VISIBLE | DS_CONTROL, L"", 120, 60);
      d.Item(0x82, SS_LEFT, 8, 8, 60, 10, 200, L"Halaman");
      return d;
    }();
    CreateDialogIndirectParamW(nullptr, page.Get(), w, &PageProc, 0);
    return TRUE;
  }
  return DialogProc(w, m, wp, lp);
}

TEST_F(DialogSkinning, APageInsideADialogShowsTheDialogsBackground) {
  g_pageBrush = CreateSolidBrush(RGB(255, 0, 0));
  static const TDialogTemplate outer(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, L"Halaman dialog", 200, 100);
  RunModal([] { return DialogBoxIndirectParamW(nullptr, outer.Get(), nullptr, &OuterProc, 0); },
           [&](int tick) -> bool {
             const std::vector<HWND> dialogs = VisibleDialogs();
             if (dialogs.empty() || tick < 8) return false;
             HWND dlg = GetAncestor(dialogs.front(), GA_ROOT);
             HWND page = ChildOfClass(dlg, "#32770");
             EXPECT_NE(page, nullptr);
             TacProvider* p = FindProvider(dlg);
             EXPECT_NE(p, nullptr);
             if (page && p) {
               EXPECT_NE(HookOf<TacTransPanelWnd>(p, page), nullptr) << "the page is hooked as see-through";
               // Painted anew in the dialog's present state (active or not, its client differs).
               RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
               gui::TBitmap& shot = h->Shot(dlg, "dialog_page");
               RECT frame, pr;
               GetWindowRect(dlg, &frame);
               GetWindowRect(page, &pr);
               // Below the page's label, and on the same row just right of the page.
               const COLORREF inside = Px(shot, pr.left - frame.left + 20, pr.bottom - frame.top - 6);
               const COLORREF outside = Px(shot, pr.right - frame.left + 4, pr.bottom - frame.top - 6);
               EXPECT_FALSE(Near(inside, 255, 0, 0)) << "not the page's own red";
               EXPECT_EQ(inside, outside) << "the dialog's background shows through the page";
             }
             PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
             return true;
           });
  PurgeProviders();
  DeleteObject(g_pageBrush);
}

TEST_F(DialogSkinning, OwnedDialogsAndAThirdDialogAreLeftAloneAndTheEventCanVeto) {
  HWND first = Modeless(nullptr, 20);
  HWND second = Modeless(nullptr, 260);
  skintest::TSkinHarness::Pump(100);
  EXPECT_NE(FindProvider(first), nullptr);
  EXPECT_NE(FindProvider(second), nullptr);
  EXPECT_EQ(VisibleDialogCount(), 2);

  HWND owned = Modeless(first, 500);
  HWND third = Modeless(nullptr, 740);
  skintest::TSkinHarness::Pump(100);
  EXPECT_EQ(FindProvider(owned), nullptr) << "a dialog with an owner";
  EXPECT_FALSE(IsWndSkinned(owned));
  EXPECT_TRUE(AttachSkinToWindow(owned)) << "left alone, not refused";
  EXPECT_EQ(FindProvider(third), nullptr) << "two skinned dialogs are already visible";
  EXPECT_FALSE(AttachSkinToWindow(third));
  // A dialog holding a tool bar somewhere among its windows is skinned all the same.
  HWND box = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 30, third, nullptr, nullptr, nullptr);
  HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 24, box, nullptr, nullptr, nullptr);
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(AttachSkinToWindow(third));
  EXPECT_NE(FindProvider(third), nullptr);
  EXPECT_EQ(VisibleDialogCount(), 3);
  DestroyWindow(third);
  third = Modeless(nullptr, 740);
  skintest::TSkinHarness::Pump(50);
  EXPECT_EQ(FindProvider(third), nullptr);

  // One closes: the next dialog is skinned again.
  DestroyWindow(second);
  skintest::TSkinHarness::Pump(50);
  HWND next = Modeless(nullptr, 260);
  skintest::TSkinHarness::Pump(100);
  EXPECT_NE(FindProvider(next), nullptr);
  h->Shot(first, "dialog_modeless");

  // The event keeps a dialog native and the attach answers False. (Closing windows
  // activates others, and an activated dialog is skinned when there is room: all but the
  // first go first.)
  for (HWND w : {next, owned, third}) DestroyWindow(w);
  skintest::TSkinHarness::Pump(50);
  ASSERT_EQ(VisibleDialogCount(), 1);
  std::vector<HWND> asked;
  h->Manager->OnSysDlgInit = [&](TacSysDlgData data, bool& allow) {
    asked.push_back(data.Wnd);
    allow = false;
  };
  HWND vetoed = Modeless(nullptr, 260);
  skintest::TSkinHarness::Pump(100);
  EXPECT_FALSE(asked.empty());
  if (!asked.empty()) {
    EXPECT_EQ(asked.front(), vetoed);
  }
  EXPECT_EQ(FindProvider(vetoed), nullptr);
  EXPECT_FALSE(IsWndSkinned(vetoed));
  EXPECT_FALSE(AttachSkinToWindow(vetoed));
  h->Manager->OnSysDlgInit = nullptr;
  DestroyWindow(vetoed);

  // Without skinned non-client areas a dialog keeps the system's frame and title, while
  // its children are still hooked.
  h->Manager->Options.SetOption(6, false);
  HWND plain = CreateDialogIndirectParamW(nullptr, DataDialog().Get(), nullptr, &DialogProc, 0);
  SetWindowLongPtrW(plain, DWLP_USER, 1);
  ShowWindow(plain, SW_SHOWNOACTIVATE);
  skintest::TSkinHarness::Pump(100);
  TacProvider* p = FindProvider(plain);
  ASSERT_NE(p, nullptr);
  EXPECT_FALSE(p->ChildHooks.empty());
  gui::TBitmap& shot = h->Shot(plain, "dialog_system_frame");
  const int y = p->DialogHook->BorderWidth() + 4;
  EXPECT_FALSE(IsTitle(Px(shot, shot.Width() / 2, y), true) || IsTitle(Px(shot, shot.Width() / 2, y), false));
  EXPECT_TRUE(GetWindowLongW(plain, GWL_STYLE) & WS_SYSMENU) << "the system's caption buttons stay";
  h->Manager->Options.SetOption(6, true);
  for (HWND w : {first, plain}) DestroyWindow(w);
  PurgeProviders();
}

size_t g_menuHooksWhileOpen = 0;
bool g_menuWindowSkinned = false;

TEST_F(DialogSkinning, APopupMenuWindowGetsTheMenuHookWhileTheManagerSkinsPopups) {
  gui::TForm& f = h->NewForm("Menu", 240, 120);
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Salin");
  AppendMenuW(menu, MF_STRING, 2, L"Tempel");
  for (bool skinned : {true, false}) {
    SCOPED_TRACE(skinned ? "popups skinned" : "popups left alone");
    h->Manager->SetSkinnedPopups(skinned);
    g_menuHooksWhileOpen = 0;
    g_menuWindowSkinned = false;
    // The menu runs its own loop: it is looked at and closed from a timer.
    SetTimer(f.Handle(), 77, 150, [](HWND w, UINT, UINT_PTR id, DWORD) {
      KillTimer(w, id);
      g_menuHooksWhileOpen = MenuWnds().size();
      if (HWND popup = FindWindowW(L"#32768", nullptr)) g_menuWindowSkinned = IsWndSkinned(popup);
      EndMenu();
    });
    TrackPopupMenu(menu, TPM_RETURNCMD, 200, 200, 0, f.Handle(), nullptr);
    EXPECT_EQ(g_menuHooksWhileOpen, skinned ? 1u : 0u);
    EXPECT_EQ(g_menuWindowSkinned, skinned);
    skintest::TSkinHarness::Pump(50);
  }
  h->Manager->SetSkinnedPopups(true);
  DestroyMenu(menu);
}

TEST_F(DialogSkinning, AFormGetsAProviderOnItsFirstActivationUnlessItsTagKeepsItNative) {
  gui::TForm& plain = h->NewForm("Data Keluarga", 320, 200);
  gui::TForm native(nullptr);
  native.Tag = 256 | 4;
  native.SetCaption("Tetap Asli");
  native.SetBounds(420, 40, 320, 200);
  native.HandleNeeded();
  for (gui::TForm* f : {&plain, &native}) {
    ShowWindow(f->Handle(), SW_SHOW);
    SetActiveWindow(f->Handle());
    skintest::TSkinHarness::Pump(50);
  }
  TacProvider* p = FindProvider(plain.Handle());
  ASSERT_NE(p, nullptr);
  ASSERT_NE(p->SkinProvider, nullptr);
  EXPECT_EQ(GetFormProvider(&plain), p->SkinProvider);
  EXPECT_FALSE(p->SkinProvider->ForDialog()) << "made for a dialog, its set-up completed at its first frame paint";
  EXPECT_FALSE(p->SkinProvider->GetBoolProp(3)) << "no global colour";
  // Activated again: no second provider.
  SetActiveWindow(native.Handle());
  SetActiveWindow(plain.Handle());
  skintest::TSkinHarness::Pump(30);
  int providers = 0;
  for (TacProvider* q : ProviderList()) providers += q && q->Handle == plain.Handle();
  EXPECT_EQ(providers, 1);

  EXPECT_EQ(FindProvider(native.Handle()), nullptr);
  EXPECT_EQ(GetFormProvider(&native), nullptr);
  EXPECT_TRUE(AttachSkinToWindow(native.Handle())) << "a native form is handled, not refused";
}

TEST_F(DialogSkinning, ADialogDraggedWithBlendingFadesToItsValueAndBack) {
  // 240 is close to opaque: the fade still arrives, one step at a time.
  h->Manager->AnimEffects.BlendOnMoving.Active = true;
  h->Manager->AnimEffects.BlendValue = 240;
  HWND dlg = Modeless(nullptr, 100);
  skintest::TSkinHarness::Pump(100);
  TacProvider* p = FindProvider(dlg);
  ASSERT_NE(p, nullptr);
  RECT wr;
  GetWindowRect(dlg, &wr);
  const POINT caption{wr.left + 40, wr.top + p->DialogHook->TitleHeight() / 2};
  std::vector<int> alphas;
  bool layeredWhileMoving = false;
  int ticks = 0;
  g_tick = [&] {
    ++ticks;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(dlg, nullptr, &alpha, &flags) && (flags & LWA_ALPHA)) {
      layeredWhileMoving = true;
      if (alphas.empty() || alphas.back() != alpha) alphas.push_back(alpha);
    }
    // The move loop ends with Escape once the fade has arrived (or after about 3 s).
    if ((!alphas.empty() && alphas.back() == 240) || ticks > 75) PostMessageW(dlg, WM_KEYDOWN, VK_ESCAPE, 0);
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, &Tick);
  SendMessageW(dlg, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.x, caption.y));
  KillTimer(nullptr, timer);
  g_tick = nullptr;
  EXPECT_TRUE(layeredWhileMoving);
  ASSERT_FALSE(alphas.empty());
  EXPECT_EQ(alphas.back(), 240) << "the fade reaches the blend value";
  for (size_t i = 1; i < alphas.size(); ++i) EXPECT_LT(alphas[i], alphas[i - 1]);
  EXPECT_FALSE(GetWindowLongW(dlg, GWL_EXSTYLE) & WS_EX_LAYERED) << "opaque again after the move";
  EXPECT_EQ(p->DialogHook->State & psBlendMoving, 0u);
  DestroyWindow(dlg);
  PurgeProviders();
}

// With the skin's extended borders a dialog gets a layered border window: the dialog's
// picture in its middle and the skin's shadow around it, lying right below the dialog.
// The shadow lets the mouse through; the window follows the dialog's moves, goes when the
// dialog hides, and skin command 83 takes it away and gives it back.
TEST_F(DialogSkinning, ADialogWithExtendedBordersCarriesItsShadowWindowAlong) {
  HWND dlg = nullptr;
  TacDialogWnd* bordered = BorderedDialog(dlg);
  ASSERT_TRUE(h->Manager->ExtendedBorders());
  ASSERT_NE(bordered, nullptr);
  TacDialogWnd& d = *bordered;
  HWND bw = d.BorderForm->Handle();
  ASSERT_TRUE(bw);
  EXPECT_TRUE(IsWindowVisible(bw));
  EXPECT_EQ(GetWindowLongPtrW(bw, GWL_EXSTYLE), LONG_PTR(WS_EX_LAYERED));
  EXPECT_EQ(GetWindow(bw, GW_OWNER), dlg);
  // It lies over the dialog but for the client part, so it answers the title as the dialog.
  const POINT close = ScreenPointOf(dlg, d.CloseBtn.Rect);
  EXPECT_EQ(d.BorderForm->HitTest(close.x, close.y), HTCLOSE);
  RECT dr;
  GetWindowRect(dlg, &dr);
  const POINT client{dr.left + d.ClientOffsetX() + 5, dr.top + d.ClientOffsetY() + 5};
  EXPECT_EQ(WindowFromPoint(client), dlg) << "the client part is the dialog's own";
  const TacRect s = d.GetShadowSize();
  ASSERT_GT(s.Left, 0);
  ASSERT_GT(s.Bottom, 0);
  // Around the dialog: the skin's taller title and wider frame, then the shadow.
  const TacDialogExtras x = d.Extras();
  const POINT at = d.BorderOwnerOffset();
  EXPECT_EQ(at.x, s.Left + x.Border);
  EXPECT_EQ(at.y, s.Top + x.Title);
  RECT br;
  GetWindowRect(bw, &br);
  EXPECT_EQ(br.left, dr.left - at.x);
  EXPECT_EQ(br.top, dr.top - at.y);
  EXPECT_EQ(br.right, dr.right + x.Border + s.Right);
  EXPECT_EQ(br.bottom, dr.bottom + x.Border + s.Bottom);

  // The picture: shadow (partly transparent) beside the dialog, the dialog's frame opaque.
  bool rebuilt = false;
  gui::TBitmap* image = d.BorderImage(rebuilt);
  ASSERT_NE(image, nullptr);
  h->Save(*image, "dialog_border_image");
  h->Shot(bw, "dialog_border_window");
  TBitmap32 px = Pixels32(*image);
  GdiFlush();
  const int midY = s.Top + (dr.bottom - dr.top) / 2;
  const uint32_t shadow = px.At(s.Left - 1, midY) >> 24, frame = px.At(s.Left + 1, midY) >> 24;
  EXPECT_GT(shadow, 0u) << "the shadow next to the dialog";
  EXPECT_LT(shadow, 255u);
  EXPECT_EQ(frame, 255u) << "the dialog's own frame";
  EXPECT_EQ(px.At(0, 0) >> 24, 0u) << "the shadow fades out at the corner";
  EXPECT_GT(px.At(px.Width() / 2, px.Height() - s.Bottom) >> 24, 0u) << "the shadow below the dialog";
  EXPECT_GT(px.At(px.Width() / 2, s.Top - 1) >> 24, 0u) << "and above it";

  // Over the shadow the mouse goes through to what lies below.
  EXPECT_EQ(SendMessageW(bw, WM_NCHITTEST, 0, MAKELPARAM(br.left + s.Left / 2, (br.top + br.bottom) / 2)),
            HTTRANSPARENT);

  // Moved, the border window goes along.
  SetWindowPos(dlg, nullptr, 230, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  skintest::TSkinHarness::Pump(30);
  GetWindowRect(bw, &br);
  EXPECT_EQ(br.left, 230 - at.x);
  EXPECT_EQ(br.top, 260 - at.y);

  // Command 83: off takes the border window away, on brings it back.
  SendMessageW(dlg, SM_ALPHACMD, MAKEWPARAM(0, 83), 0);
  EXPECT_FALSE(d.BorderForm);
  EXPECT_FALSE(IsWindow(bw));
  SendMessageW(dlg, SM_ALPHACMD, MAKEWPARAM(0, 83), 1);
  ASSERT_TRUE(d.BorderForm);
  bw = d.BorderForm->Handle();
  EXPECT_TRUE(bw && IsWindowVisible(bw));

  // Hidden, the dialog takes its border window with it.
  ShowWindow(dlg, SW_HIDE);
  EXPECT_FALSE(d.BorderForm);
  EXPECT_FALSE(IsWindowVisible(bw));
  ShowWindow(dlg, SW_SHOWNOACTIVATE);
  skintest::TSkinHarness::Pump(30);
  ASSERT_TRUE(d.BorderForm) << "and brings it back when shown again";
  bw = d.BorderForm->Handle();
  ASSERT_TRUE(bw && IsWindowVisible(bw));

  // A click on the close button over the border window closes the dialog.
  GetWindowRect(dlg, &dr);
  const POINT on = ScreenPointOf(dlg, d.CloseBtn.Rect);
  SetCursorPos(on.x, on.y);  // where a person's click is
  skintest::TSkinHarness::Pump(30);
  SendMessageW(bw, WM_NCLBUTTONDOWN, HTOBJECT, MAKELPARAM(on.x, on.y));
  EXPECT_EQ(d.CloseBtn.State, 2) << "pressed";
  SendMessageW(bw, WM_NCLBUTTONUP, HTOBJECT, MAKELPARAM(on.x, on.y));
  skintest::TSkinHarness::Pump(50);  // the dialog's Cancel comes as a posted command
  EXPECT_FALSE(IsWindow(dlg));
  if (IsWindow(dlg)) DestroyWindow(dlg);
  PurgeProviders();
}

// The skin's title higher than the dialog's and its frame wider: the border window shows
// them around the dialog, the title reaching above the dialog's window with the caption and
// buttons in its middle, the frame beside and below it; the buttons and the caption above
// the window answer the mouse there.
TEST_F(DialogSkinning, TheBorderWindowShowsTheSkinsTallerTitleAndWiderFrame) {
  HWND dlg = nullptr;
  TacDialogWnd* bordered = nullptr;
  TacSkinData* sd = BorderedDialogSkin(dlg, bordered);
  ASSERT_NE(sd, nullptr);
  TacDialogWnd& d = *bordered;
  const int band = d.TitleHeight();
  sd->TitleHeight = sd->MaxTitleHeight = band + 8;
  sd->BorderWidth = d.BorderWidth() + 4;
  EXPECT_EQ(d.Extras(), (TacDialogExtras{8, 4}));
  d.SkinData()->FCacheInvalid = true;
  d.BorderForm->UpdateBorderWindow(true);
  skintest::TSkinHarness::Pump(30);
  HWND bw = d.BorderForm->Handle();
  ASSERT_TRUE(bw);
  RECT dr, br;
  GetWindowRect(dlg, &dr);
  GetWindowRect(bw, &br);
  const TacRect s = d.GetShadowSize();
  EXPECT_EQ(br.left, dr.left - 4 - s.Left);
  EXPECT_EQ(br.top, dr.top - 8 - s.Top);
  EXPECT_EQ(br.right, dr.right + 4 + s.Right);
  EXPECT_EQ(br.bottom, dr.bottom + 4 + s.Bottom);

  bool rebuilt = false;
  gui::TBitmap* image = d.BorderImage(rebuilt);
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(image->Width(), br.right - br.left);
  ASSERT_EQ(image->Height(), br.bottom - br.top);
  h->Save(*image, "dialog_taller_title");
  h->Shot(bw, "dialog_taller_title_window");
  TBitmap32 px = Pixels32(*image);
  GdiFlush();
  auto rgb = [&](int x, int y) {
    const uint32_t p = px.At(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  const int midX = image->Width() / 2, midY = s.Top + (br.bottom - br.top - s.Top - s.Bottom) / 2;
  EXPECT_TRUE(IsTitle(rgb(midX, s.Top + 4), d.FormActive)) << "the title above the dialog's window";
  EXPECT_EQ(px.At(midX, s.Top + 4) >> 24, 255u);
  EXPECT_EQ(px.At(s.Left, midY) >> 24, 255u) << "the frame beside the dialog's window";
  EXPECT_EQ(px.At(midX, image->Height() - s.Bottom - 1) >> 24, 255u) << "and below it";
  EXPECT_LT(px.At(s.Left - 1, midY) >> 24, 255u) << "the shadow outside the frame";

  // The close button sits in the middle of the whole title and answers there.
  const POINT close = ScreenPointOf(dlg, d.CloseBtn.Rect);
  EXPECT_NEAR(close.y, br.top + s.Top + (band + 8) / 2, 2);
  EXPECT_LE(d.CloseBtn.Rect.Right, dr.right - dr.left) << "inside the frame's right edge";
  EXPECT_EQ(d.BorderForm->HitTest(close.x, close.y), HTCLOSE);
  EXPECT_EQ(d.BorderForm->HitTest((dr.left + dr.right) / 2, dr.top - 4), HTCAPTION) << "the title above the window";
  DestroyWindow(dlg);
  PurgeProviders();
}

// In the skin's border mode 1 the dialog's frame and title are the skin's picture around
// it: the border window shows the picture's frame where the dialog section has its own,
// no title section, the section's background inside, the picture's see-through corner
// stays see-through, and the title's buttons sit lower by the skin's centre offset.
TEST_F(DialogSkinning, InBorderMode1TheFrameIsTheSkinsPictureAroundTheDialog) {
  HWND dlg = nullptr;
  TacDialogWnd* bordered = nullptr;
  TacSkinData* sd = BorderedDialogSkin(dlg, bordered);
  ASSERT_NE(sd, nullptr);
  TacDialogWnd& d = *bordered;
  // A 30 x 30 orange picture with 10-pixel borders and one see-through corner pixel.
  auto picture = [] {
    auto b = std::make_unique<TBitmap32>(30, 30);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x) b->At(x, y) = 0xFFFF8000u;
    b->At(0, 0) = 0;
    return b;
  };
  sd->FormShadowActive = picture();
  sd->FormShadowInactive = picture();
  TsMaskData e;
  e.BorderLeft = e.BorderTop = e.BorderRight = e.BorderBottom = 10;
  sd->Masks.push_back(e);
  sd->ExtBorderImage = int32_t(sd->Masks.size() - 1);
  sd->BorderMode = 1;
  sd->FormShadowMargins = TacRect{2, 2, 2, 2};
  sd->CenterOffset = 5;
  const int closeTop = d.CloseBtn.Rect.Top;
  d.SkinData()->FCacheInvalid = true;
  bool rebuilt = false;
  gui::TBitmap* image = d.BorderImage(rebuilt);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(d.CloseBtn.Rect.Top, closeTop + 5) << "the title's buttons sit lower by the skin's centre offset";
  h->Save(*image, "dialog_border_mode1");
  RECT dr;
  GetWindowRect(dlg, &dr);
  const int w = dr.right - dr.left, ht = dr.bottom - dr.top;
  const TacDialogExtras x = d.Extras();
  ASSERT_EQ(image->Width(), w + 2 * x.Border + 4);
  ASSERT_EQ(image->Height(), ht + x.Title + x.Border + 4);
  TBitmap32 px = Pixels32(*image);
  GdiFlush();
  EXPECT_EQ(px.At(0, 0) >> 24, 0u) << "the picture's see-through corner";
  const uint32_t frame = px.At(2 + 1, 2 + ht / 2), title = px.At(2 + w / 2, 2 + 2),
                 inside = px.At(2 + w / 2, 2 + ht / 2);
  EXPECT_EQ(frame, 0xFFFF8000u) << "the picture, not the section's green border: " << std::hex << frame;
  EXPECT_EQ(title & 0xFFFFFFu, 0xFF8000u) << "the picture, not the title section: " << std::hex << title;
  const COLORREF in = RGB((inside >> 16) & 0xFF, (inside >> 8) & 0xFF, inside & 0xFF);
  EXPECT_TRUE(IsClient(in, true) || IsClient(in, false)) << "the section's background: " << std::hex << inside;
  EXPECT_EQ(inside >> 24, 0xFFu);
  DestroyWindow(dlg);
  PurgeProviders();
}

// ---------------------------------------------------------------- show and hide animations

// What every UpdateLayeredWindow call is handed: Xvfb shows no per-pixel alpha.
struct LayeredCall {
  HWND Wnd;
  BYTE Alpha;
  SIZE Size;
  std::vector<uint32_t> Samples;  // pixels of the handed bitmap at the sample points
  bool Ok = false;                // what the system answered
};
std::vector<LayeredCall> g_layered;
std::vector<POINT> g_layeredSamples;
TUpdateLayeredWindow g_realUpdate = nullptr;
std::unique_ptr<gui::TBitmap> g_lastPicture;

uint32_t PixelOfDC(HDC dc, POINT p) {
  DIBSECTION ds{};
  if (!GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof ds, &ds) || !ds.dsBm.bmBits || ds.dsBm.bmBitsPixel != 32 ||
      p.x < 0 || p.y < 0 || p.x >= ds.dsBm.bmWidth || p.y >= ds.dsBm.bmHeight)
    return 0xDEADBEEF;
  GdiFlush();
  const int row = ds.dsBmih.biHeight > 0 ? ds.dsBm.bmHeight - 1 - p.y : p.y;
  return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(ds.dsBm.bmBits) +
                                           size_t(row) * size_t(ds.dsBm.bmWidthBytes))[p.x];
}

BOOL WINAPI RecordLayered(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                          BLENDFUNCTION* blend, DWORD flags) {
  LayeredCall c{wnd, blend ? blend->SourceConstantAlpha : BYTE(0), size ? *size : SIZE{}, {}};
  for (POINT p : g_layeredSamples) c.Samples.push_back(PixelOfDC(src, p));
  if (size && size->cx > 0 && size->cy > 0) {
    // The last picture handed over, kept to be looked at.
    g_lastPicture = std::make_unique<gui::TBitmap>(size->cx, size->cy, gui::pf32bit);
    BitBlt(g_lastPicture->Canvas().Handle(), 0, 0, size->cx, size->cy, src, 0, 0, SRCCOPY);
  }
  c.Ok = g_realUpdate(wnd, dst, pos, size, src, srcPos, key, blend, flags) != FALSE;
  g_layered.push_back(c);
  return c.Ok;
}

bool SameRGB(uint32_t px, COLORREF c) {
  return std::abs(int((px >> 16) & 0xFF) - GetRValue(c)) < 24 && std::abs(int((px >> 8) & 0xFF) - GetGValue(c)) < 24 &&
         std::abs(int(px & 0xFF) - GetBValue(c)) < 24;
}

class DialogAnimations : public DialogSkinning {
 protected:
  void SetUp() override {
    DialogSkinning::SetUp();
    g_realUpdate = UpdateLayeredWindowProc;
    ASSERT_NE(g_realUpdate, nullptr);
    UpdateLayeredWindowProc = &RecordLayered;
    g_layered.clear();
  }
  void TearDown() override {
    UpdateLayeredWindowProc = g_realUpdate;
    g_lastPicture.reset();
    g_layeredSamples.clear();
    DialogPosX = DialogPosY = -1;
    DialogSkinning::TearDown();
  }
  // The data dialog at (80, 120), not shown yet, fading in and out in 120 ms.
  HWND FadingDataDialog() {
    h->Manager->AnimEffects.DialogShow = {true, 120, TacAnimType::atFading};
    h->Manager->AnimEffects.DialogHide = {true, 120, TacAnimType::atFading};
    HWND dlg = CreateDialogIndirectParamW(nullptr, DataDialog().Get(), nullptr, &DialogProc, 0);
    SetWindowLongPtrW(dlg, DWLP_USER, 1);
    SetWindowPos(dlg, nullptr, 80, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return dlg;
  }
  // The calls made to windows other than the dialog, from the index on.
  std::vector<LayeredCall> Frames(HWND dialog, size_t from = 0) {
    std::vector<LayeredCall> out;
    for (size_t i = from; i < g_layered.size(); ++i)
      if (g_layered[i].Wnd != dialog) out.push_back(g_layered[i]);
    return out;
  }
};

// A dialog appears through 11 frames of a layered window over it, its picture the skinned
// frame and title with its children printed in, opaque but for the skin's cut corners; it
// then lies right below and the animation window is gone. Hidden, it fades out on the
// hide timer's ticks from full opacity to nothing.
TEST_F(DialogAnimations, ADialogFadesInWithItsChildrenAndFadesOutWhenHidden) {
  HWND dlg = FadingDataDialog();
  TacProvider* p = FindProvider(dlg);
  ASSERT_NE(p, nullptr);
  ASSERT_NE(p->DialogHook, nullptr);
  TacDialogWnd& d = *p->DialogHook;
  RECT wr, ok;
  GetWindowRect(dlg, &wr);
  GetWindowRect(GetDlgItem(dlg, IDOK), &ok);
  const POINT title{d.BorderWidth() + 24, 2}, button{(ok.left + ok.right) / 2 - wr.left, ok.top - wr.top + 3},
      client{d.ClientOffsetX() + 4, (wr.bottom - wr.top) - d.BorderWidth() - 3};
  g_layeredSamples = {title, button, client, {0, 0}};
  ShowWindow(dlg, SW_SHOWNOACTIVATE);

  const std::vector<LayeredCall> show = Frames(dlg);
  ASSERT_EQ(show.size(), 13u) << "the first picture, 11 frames, the whole picture";
  std::vector<int> alphas;
  for (size_t i = 1; i <= 11; ++i) alphas.push_back(show[i].Alpha);
  EXPECT_EQ(alphas, (std::vector<int>{23, 46, 70, 93, 116, 139, 162, 185, 209, 232, 255}));
  EXPECT_EQ(show.front().Alpha, 0);
  EXPECT_EQ(show.back().Alpha, 255);
  const LayeredCall& whole = show.back();
  EXPECT_EQ(whole.Size.cx, wr.right - wr.left);
  EXPECT_EQ(whole.Size.cy, wr.bottom - wr.top);
  EXPECT_EQ(whole.Samples[0] >> 24, 0xFFu);
  EXPECT_TRUE(SameRGB(whole.Samples[0], RGB(0, 128, 192)) || SameRGB(whole.Samples[0], RGB(0, 64, 128)))
      << "the dialog title: " << std::hex << whole.Samples[0];
  EXPECT_EQ(whole.Samples[2] >> 24, 0xFFu) << "the client part is opaque";
  EXPECT_NE(whole.Samples[1] & 0xFFFFFF, whole.Samples[2] & 0xFFFFFF) << "the OK button printed into the picture";
  for (const auto& r : d.RegionRects)
    if (r.Left == 0 && r.Top == 0) EXPECT_EQ(whole.Samples[3], 0u) << "a cut corner stays transparent";
  ASSERT_TRUE(g_lastPicture);
  h->Save(*g_lastPicture, "dialog_show_picture");
  EXPECT_TRUE(IsWindowVisible(dlg));
  EXPECT_FALSE(IsWindow(show.front().Wnd)) << "the animation window is gone";
  skintest::TSkinHarness::Pump(50);
  h->Shot(dlg, "dialog_after_show");

  const size_t before = g_layered.size();
  ShowWindow(dlg, SW_HIDE);
  skintest::TSkinHarness::Pump(400);
  const std::vector<LayeredCall> hide = Frames(dlg, before);
  ASSERT_GE(hide.size(), 3u);
  EXPECT_EQ(hide.front().Alpha, 255) << "the hide starts at full opacity";
  EXPECT_EQ(hide.back().Alpha, 0) << "and ends transparent";
  EXPECT_LT(hide[1].Alpha, 255);
  for (size_t i = 2; i < hide.size(); ++i) EXPECT_TRUE(hide[i].Alpha < hide[i - 1].Alpha || hide[i].Alpha == 0);
  EXPECT_FALSE(HideTimer && HideTimer->Running());
  EXPECT_FALSE(GetWindowLongW(dlg, GWL_EXSTYLE) & WS_EX_LAYERED);
  DestroyWindow(dlg);
  PurgeProviders();
}

// Closing by Cancel lays a snapshot window over the dialog and puts what the dialog showed
// into its image; the hide plays that window. OK closes without it. Below one frame of
// time nothing animates.
TEST_F(DialogAnimations, CancelPreparesTheCloseAnimationAndOkDoesNot) {
  TsSkinManager& m = *h->Manager;
  m.AnimEffects.DialogHide = {true, 96, TacAnimType::atAero};
  for (WORD id : {WORD(IDCANCEL), WORD(IDOK)}) {
    SCOPED_TRACE(id == IDOK ? "OK" : "Cancel");
    HWND dlg = Modeless(nullptr, 200);
    skintest::TSkinHarness::Pump(80);
    TacProvider* p = FindProvider(dlg);
    ASSERT_NE(p, nullptr);
    TacDialogWnd* d = p->DialogHook.get();
    // The dialog's own handler leaves the ending to the test.
    SetWindowLongPtrW(dlg, DWLP_USER, 2);
    SendMessageW(dlg, WM_COMMAND, id, 0);
    EXPECT_EQ(d->AnimOnClose, id == IDCANCEL);
    EXPECT_EQ(d->AnimForm != nullptr, id == IDCANCEL);
    const HWND snapshot = d->AnimForm ? d->AnimForm->Handle() : nullptr;
    const size_t before = g_layered.size();
    DestroyWindow(dlg);
    skintest::TSkinHarness::Pump(300);
    const std::vector<LayeredCall> hide = Frames(dlg, before);
    ASSERT_FALSE(hide.empty());
    if (snapshot) EXPECT_EQ(hide.front().Wnd, snapshot) << "the close's snapshot window plays the hide";
    EXPECT_EQ(hide.size(), 10u) << "the first picture and 9 aero frames";
    PurgeProviders();
  }
  m.AnimEffects.DialogHide = {true, 11, TacAnimType::atFading};
  HWND quick = Modeless(nullptr, 200);
  skintest::TSkinHarness::Pump(80);
  const size_t before = g_layered.size();
  DestroyWindow(quick);
  skintest::TSkinHarness::Pump(100);
  EXPECT_TRUE(Frames(quick, before).empty()) << "11 ms is no frame";
  PurgeProviders();
}

// With extended borders the dialog appears and goes in its border window: the frames show
// the dialog inside the skin's shadow, its children printed in. The window outlives the
// dialog it leaves, so a dialog destroyed at once still fades out.
TEST_F(DialogAnimations, ADialogWithABorderWindowAppearsAndGoesInIt) {
  h->Manager->SetExtendedBorders(true);
  HWND dlg = FadingDataDialog();
  TacProvider* p = FindProvider(dlg);
  ASSERT_NE(p, nullptr);
  ASSERT_NE(p->DialogHook, nullptr);
  TacDialogWnd& d = *p->DialogHook;
  ASSERT_TRUE(d.BorderForm);
  const TacRect s = d.GetShadowSize();
  ASSERT_GT(s.Left, 0);
  // The dialog lies in its border window inside the shadow and the skin's frame and title.
  const POINT at = d.BorderOwnerOffset();
  const TacDialogExtras x = d.Extras();
  RECT wr, ok;
  GetWindowRect(dlg, &wr);
  GetWindowRect(GetDlgItem(dlg, IDOK), &ok);
  const int midY = at.y + (wr.bottom - wr.top) / 2;
  const int width = (wr.right - wr.left) + 2 * x.Border + s.Left + s.Right,
            height = (wr.bottom - wr.top) + x.Title + x.Border + s.Top + s.Bottom;
  const POINT shadow{s.Left - 1, midY}, frame{s.Left + 1, midY},
      button{at.x + (ok.left + ok.right) / 2 - wr.left, at.y + ok.top - wr.top + 3},
      client{at.x + d.ClientOffsetX() + 4, at.y + (wr.bottom - wr.top) - d.BorderWidth() - 3};
  g_layeredSamples = {shadow, frame, button, client};
  ShowWindow(dlg, SW_SHOWNOACTIVATE);

  ASSERT_TRUE(d.BorderForm);
  HWND bw = d.BorderForm->Handle();
  ASSERT_TRUE(bw);
  EXPECT_TRUE(IsWindowVisible(bw));
  const std::vector<LayeredCall> show = Frames(dlg);
  ASSERT_GE(show.size(), 13u) << "the first picture, 11 frames, the whole picture";
  std::vector<int> alphas;
  for (size_t i = 0; i < 13; ++i) {
    EXPECT_EQ(show[i].Wnd, bw) << "call " << i << " plays in the border window";
    EXPECT_EQ(show[i].Size.cx, width);
    EXPECT_EQ(show[i].Size.cy, height);
    alphas.push_back(show[i].Alpha);
  }
  EXPECT_EQ(alphas, (std::vector<int>{0, 23, 46, 70, 93, 116, 139, 162, 185, 209, 232, 255, 255}));
  const LayeredCall& whole = show[12];
  EXPECT_GT(whole.Samples[0] >> 24, 0u) << "the shadow beside the dialog";
  EXPECT_LT(whole.Samples[0] >> 24, 255u);
  EXPECT_EQ(whole.Samples[1] >> 24, 0xFFu) << "the dialog's frame";
  EXPECT_EQ(whole.Samples[3] >> 24, 0xFFu) << "the client part";
  EXPECT_NE(whole.Samples[2] & 0xFFFFFF, whole.Samples[3] & 0xFFFFFF) << "the OK button printed into the picture";
  ASSERT_TRUE(g_lastPicture);
  h->Save(*g_lastPicture, "dialog_border_show_picture");
  RECT br;
  GetWindowRect(bw, &br);
  EXPECT_EQ(br.left, 80 - at.x);
  EXPECT_EQ(br.top, 120 - at.y);
  skintest::TSkinHarness::Pump(50);

  size_t before = g_layered.size();
  ShowWindow(dlg, SW_HIDE);
  EXPECT_FALSE(d.BorderForm);
  skintest::TSkinHarness::Pump(400);
  std::vector<LayeredCall> hide = Frames(dlg, before);
  ASSERT_GE(hide.size(), 3u);
  for (const LayeredCall& c : hide) EXPECT_EQ(c.Wnd, bw) << "the border window plays the hide";
  EXPECT_EQ(hide.front().Alpha, 255);
  EXPECT_EQ(hide.back().Alpha, 0);
  EXPECT_EQ(hide.front().Size.cx, width);
  EXPECT_FALSE(IsWindow(bw) && IsWindowVisible(bw));

  // Shown again and destroyed: the fade still plays after the dialog is gone.
  ShowWindow(dlg, SW_SHOWNOACTIVATE);
  ASSERT_TRUE(d.BorderForm);
  bw = d.BorderForm->Handle();
  before = g_layered.size();
  DestroyWindow(dlg);
  skintest::TSkinHarness::Pump(400);
  hide = Frames(dlg, before);
  ASSERT_GE(hide.size(), 3u);
  for (const LayeredCall& c : hide) {
    EXPECT_EQ(c.Wnd, bw);
    EXPECT_TRUE(c.Ok) << "the window lives until its fade ends";
  }
  EXPECT_EQ(hide.back().Alpha, 0);
  PurgeProviders();
}

// A box the engine's message box places goes to the asked position when it shows.
TEST_F(DialogAnimations, AMessageBoxPositionMovesTheDialogWhenItShows) {
  DialogPosX = 33, DialogPosY = 44;
  HWND dlg = Modeless(nullptr, 300);
  RECT r;
  GetWindowRect(dlg, &r);
  EXPECT_EQ(r.left, 33);
  EXPECT_EQ(r.top, 44);
  DialogPosX = DialogPosY = -1;
  HWND other = Modeless(nullptr, 300);
  GetWindowRect(other, &r);
  EXPECT_EQ(r.left, 300) << "no position asked";
  for (HWND w : {dlg, other}) DestroyWindow(w);
  PurgeProviders();
}

TEST(DialogRegion, ARegionTheSystemRefusesIsDeleted) {
  HRGN refused = CreateRectRgn(0, 0, 10, 10);
  EXPECT_FALSE(SetWindowRegion(reinterpret_cast<HWND>(intptr_t(0x7FFF0)), refused, false));
  EXPECT_EQ(GetObjectType(refused), 0u) << "the refused region was deleted";

  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HRGN taken = CreateRectRgn(0, 0, 20, 20);
  EXPECT_TRUE(SetWindowRegion(w, taken, false));
  HRGN now = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(w, now), SIMPLEREGION) << "the window keeps the region it took";
  DeleteObject(now);
  DestroyWindow(w);
}

}  // namespace
}  // namespace skin

// The skinned scroll bars under Wine, on a window of a class of our own that records the
// scroll messages it receives (with the skin commands around them) and scrolls as a system
// control would: both bars bound and released, hit tests, the message sequence of a click,
// the arrow's auto-repeat in real time, and a thumb drag.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../../gui/GuiTestSupport.h"
#include "../SkinEngineEnvironment.h"
#include "gui/Subclass.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acScrollWnd.h"

namespace skin {
namespace {

using gui::TMessage;

const std::string kSkins = std::string("Z:") + KORVAN_TEST_SKIN;

// One message the scrolled window saw: a scroll message (code and position) or a skin
// command (51 before, 52 after a scroll), with its time.
struct TSeen {
  UINT Msg;
  int Code;
  int Pos;
  DWORD Time;
  bool operator==(const TSeen& o) const { return Msg == o.Msg && Code == o.Code && Pos == o.Pos; }
};
std::vector<TSeen> g_seen;
std::vector<UINT> g_all;

LRESULT CALLBACK ScrolledProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  g_all.push_back(m);
  if (m == SM_ALPHACMD && (HIWORD(wp) == AC_BEFORESCROLL || HIWORD(wp) == AC_AFTERSCROLL)) {
    g_seen.push_back({m, HIWORD(wp), LOWORD(lp), GetTickCount()});
    return 0;
  }
  if (m == WM_HSCROLL || m == WM_VSCROLL) {
    const int bar = m == WM_HSCROLL ? SB_HORZ : SB_VERT;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(w, bar, &si);
    g_seen.push_back({m, LOWORD(wp), HIWORD(wp), GetTickCount()});
    int pos = si.nPos;
    switch (LOWORD(wp)) {
      case SB_LINEUP: --pos; break;
      case SB_LINEDOWN: ++pos; break;
      case SB_PAGEUP: pos -= int(si.nPage); break;
      case SB_PAGEDOWN: pos += int(si.nPage); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: pos = HIWORD(wp); break;
      default: break;
    }
    SCROLLINFO np{sizeof np, SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(w, bar, &np, FALSE);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  MSG msg;
  while (int(end - GetTickCount()) > 0) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(1);
  }
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

std::vector<TSeen> ScrollsOnly() {
  std::vector<TSeen> r;
  for (const TSeen& s : g_seen)
    if (s.Msg != SM_ALPHACMD) r.push_back(s);
  return r;
}

class ScrollBars : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    manager = skintest::TestSkinManager(kSkins);
    ASSERT_TRUE(manager->IsSkinLoaded());
    WNDCLASSW wc{};
    wc.lpfnWndProc = ScrolledProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvanScrolled";
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassW(&wc);
    wnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"KorvanScrolled", L"", WS_POPUP | WS_BORDER | WS_HSCROLL | WS_VSCROLL, 960,
                          760, 240, 180, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SCROLLINFO v{sizeof v, SIF_ALL, 0, 99, 20, 0, 0};
    SetScrollInfo(wnd, SB_VERT, &v, FALSE);
    SCROLLINFO h{sizeof h, SIF_ALL, 0, 9, 2, 0, 0};
    SetScrollInfo(wnd, SB_HORZ, &h, FALSE);
    // Off in a corner of the screen: the screenshots of other tests are not covered.
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    g_seen.clear();
    g_all.clear();
  }
  void TearDown() override {
    hook.reset();
    if (IsWindow(wnd)) DestroyWindow(wnd);
    manager.reset();
    WithRecordedDialogs::TearDown();
  }
  void Hook() {
    hook = std::make_unique<TacScrollWnd>();
    hook->Install(wnd, false, "EDIT");
    hook->SkinData()->UpdateSkinIndex(true);
    hook->AfterCreation();
    RepaintFrame(wnd, true);
    Pump(20);
  }
  RECT Client() const {
    RECT c;
    GetClientRect(wnd, &c);
    return c;
  }
  POINT Mid(const TBarRect& r) const { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  LRESULT NcDown(WPARAM hit, POINT p) { return SendMessageW(wnd, WM_NCLBUTTONDOWN, hit, MAKELPARAM(p.x, p.y)); }
  LRESULT MoveTo(POINT screen) {
    POINT c = screen;
    ScreenToClient(wnd, &c);
    return SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(WORD(c.x), WORD(c.y)));
  }
  void Up() { SendMessageW(wnd, WM_LBUTTONUP, 0, 0); }

  std::unique_ptr<TsSkinManager> manager;
  HWND wnd = nullptr;
  std::unique_ptr<TacScrollWnd> hook;
};

TEST_F(ScrollBars, BothBarsAreBoundAndGivenBack) {
  const LONG_PTR proc = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  const RECT clientBefore = Client();
  Hook();
  ASSERT_TRUE(hook->SkinData()->IsSkinned());
  EXPECT_EQ(GetScrollWnd(wnd), hook.get()) << "the window carries its scroll hook";
  EXPECT_TRUE(hook->HorzBar().FVisible && hook->VertBar().FVisible);
  const int vt = hook->Thickness(hook->VertBar()), ht = hook->Thickness(hook->HorzBar());
  EXPECT_GT(vt, 0);
  RECT wr;
  GetWindowRect(wnd, &wr);
  const RECT c = Client();
  EXPECT_EQ(c.right, (wr.right - wr.left) - 2 - vt) << "the client area leaves room for our vertical bar";
  EXPECT_EQ(c.bottom, (wr.bottom - wr.top) - 2 - ht);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE), style) << "the style keeps its bars";
  EXPECT_EQ(hook->VisibleScrollBarSize(true), vt);
  // The window's own answers stay: the hook's bars sit in the frame.
  const TBarRect v = hook->BarRect(hook->VertBar());
  EXPECT_EQ(v.Right, wr.right - 1);
  EXPECT_EQ(v.Right - v.Left, vt);

  // A second subclass on top keeps working while the hook goes.
  struct TCounting : gui::TWindowSubclass {
    int Passed = 0;
    void WndProc(TMessage& m) override {
      ++Passed;
      CallPrevious(m);
    }
  } outer;
  outer.Bind(wnd);
  EXPECT_FALSE(hook->ReleaseScroll(true));
  EXPECT_EQ(SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_GT(outer.Passed, 0);
  outer.Unbind();
  EXPECT_TRUE(hook->ReleaseScroll(true));
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), proc) << "the procedure is the window's own again";
  EXPECT_EQ(GetPropW(wnd, L"ACSBSC"), nullptr);
  EXPECT_EQ(GetPropW(wnd, L"ACSDATA"), nullptr);
  const RECT clientAfter = Client();
  EXPECT_TRUE(EqualRect(&clientAfter, &clientBefore)) << "the frame is the system's again";
}

TEST_F(ScrollBars, AHookFreedWhileOnGivesTheFrameBack) {
  const LONG_PTR proc = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  const RECT before = Client();
  Hook();
  // A thinner bar of our own shows whether the frame is ours or the system's.
  auto* data = dynamic_cast<TsScrollWndData*>(hook->SkinData());
  ASSERT_NE(data, nullptr);
  data->VertScrollData().SetScrollSize(0, 9);
  RepaintFrame(wnd, true);
  ASSERT_EQ(hook->VisibleScrollBarSize(true), hook->Thickness(hook->VertBar()));
  const RECT hooked = Client();
  EXPECT_NE(hooked.right, before.right);
  hook.reset();
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), proc);
  EXPECT_EQ(GetPropW(wnd, L"ACSBSC"), nullptr);
  const RECT after = Client();
  EXPECT_TRUE(EqualRect(&after, &before));
}

TEST_F(ScrollBars, TheFrameFollowsTheStyle) {
  Hook();
  RECT wr;
  GetWindowRect(wnd, &wr);
  const int vt = hook->Thickness(hook->VertBar());
  // A window whose style loses its vertical bar gets the room back at the next frame.
  SetWindowLongPtrW(wnd, GWL_STYLE, GetWindowLongPtrW(wnd, GWL_STYLE) & ~LONG_PTR(WS_VSCROLL));
  RepaintFrame(wnd, true);
  EXPECT_FALSE(hook->VertBar().FVisible);
  EXPECT_EQ(Client().right, (wr.right - wr.left) - 2);
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(wr.right - 3, wr.top + 40)), HTCLIENT);
  // Back, and on the left.
  SetWindowLongPtrW(wnd, GWL_STYLE, GetWindowLongPtrW(wnd, GWL_STYLE) | WS_VSCROLL);
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  RepaintFrame(wnd, true);
  ASSERT_TRUE(hook->VertBar().FVisible);
  const TBarRect v = hook->BarRect(hook->VertBar());
  EXPECT_EQ(v.Left, wr.left + 1) << "the bar on the left";
  RECT c = Client();
  MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
  EXPECT_EQ(c.left, wr.left + 1 + vt) << "and the client area right of it";
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(wr.left + 3, wr.top + 40)), HTVSCROLL);
  const TBarRect h = hook->BarRect(hook->HorzBar());
  EXPECT_EQ(h.Left, v.Right) << "the horizontal bar starts beside it";
}

TEST_F(ScrollBars, HitTestsAndAClickOnAnArrow) {
  Hook();
  const TBarRect v = hook->BarRect(hook->VertBar());
  const TBarRect h = hook->BarRect(hook->HorzBar());
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(Mid(v).x, Mid(v).y)), HTVSCROLL);
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(Mid(h).x, Mid(h).y)), HTHSCROLL);
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(1010, 810)), HTCLIENT);

  const int arrow = hook->ArrowLength(hook->VertBar());
  const POINT down{Mid(v).x, v.Bottom - arrow / 2};
  NcDown(HTVSCROLL, down);
  EXPECT_EQ(GetCapture(), wnd);
  Up();
  EXPECT_NE(GetCapture(), wnd);
  const std::vector<TSeen> expected{
      {SM_ALPHACMD, AC_BEFORESCROLL, SB_LINEDOWN, 0}, {WM_VSCROLL, SB_LINEDOWN, 0, 0},
      {SM_ALPHACMD, AC_AFTERSCROLL, SB_LINEDOWN, 0},  {SM_ALPHACMD, AC_BEFORESCROLL, SB_ENDSCROLL, 0},
      {WM_VSCROLL, SB_ENDSCROLL, 0, 0},               {SM_ALPHACMD, AC_AFTERSCROLL, SB_ENDSCROLL, 0},
  };
  EXPECT_EQ(g_seen, expected);
  EXPECT_EQ(GetScrollPos(wnd, SB_VERT), 1);

  // A page click below the thumb.
  g_seen.clear();
  NcDown(HTVSCROLL, {Mid(v).x, v.Bottom - arrow - 2});
  Up();
  EXPECT_EQ(ScrollsOnly(), (std::vector<TSeen>{{WM_VSCROLL, SB_PAGEDOWN, 0, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0, 0}}));

  // A right click on a bar does nothing: the window never sees it.
  g_all.clear();
  SendMessageW(wnd, WM_NCRBUTTONDOWN, HTVSCROLL, MAKELPARAM(Mid(v).x, Mid(v).y));
  SendMessageW(wnd, WM_NCRBUTTONUP, HTVSCROLL, MAKELPARAM(Mid(v).x, Mid(v).y));
  EXPECT_TRUE(std::find(g_all.begin(), g_all.end(), UINT(WM_NCRBUTTONDOWN)) == g_all.end());
  EXPECT_TRUE(std::find(g_all.begin(), g_all.end(), UINT(WM_CONTEXTMENU)) == g_all.end());
}

TEST_F(ScrollBars, ADisabledBarAnswersNoHitAndFades) {
  Hook();
  const TBarRect v = hook->BarRect(hook->VertBar());
  RECT wr;
  GetWindowRect(wnd, &wr);
  auto paint = [&] {
    auto bmp = CreateBitmap32(wr.right - wr.left, wr.bottom - wr.top);
    hook->PaintScrollBars(bmp->Canvas().Handle());
    return ::GetPixel(bmp->Canvas().Handle(), (v.Left + v.Right) / 2 - wr.left, v.Bottom - 30 - wr.top);
  };
  const COLORREF enabled = paint();
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(Mid(v).x, Mid(v).y)), HTVSCROLL);
  EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_BOTH);
  EXPECT_FALSE(hook->ScrollBarEnabled(hook->VertBar()));
  EXPECT_TRUE(hook->ScrollBarEnabled(hook->HorzBar()));
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(Mid(v).x, Mid(v).y)), HTNOWHERE);
  EXPECT_NE(paint(), enabled) << "the disabled bar is shaded with its background";
  EnableScrollBar(wnd, SB_VERT, ESB_ENABLE_BOTH);
  EXPECT_EQ(paint(), enabled);
}

TEST_F(ScrollBars, TheCornerFadesWithADisabledBarAndIsTheGripOnlyInTheTopWindowsCorner) {
  // The scrolled window as the child filling a top window's client area.
  HWND host = CreateWindowExW(WS_EX_TOOLWINDOW, L"KorvanScrolled", L"", WS_POPUP | WS_BORDER, 960, 500, 240, 180,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  RECT hc;
  GetClientRect(host, &hc);
  SetParent(wnd, host);
  SetWindowLongPtrW(wnd, GWL_STYLE, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL);
  SetWindowPos(wnd, nullptr, 0, 0, hc.right, hc.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ShowWindow(host, SW_SHOWNOACTIVATE);
  Hook();
  const TBarRect h = hook->BarRect(hook->HorzBar()), v = hook->BarRect(hook->VertBar());
  const POINT corner{(v.Left + v.Right) / 2, (h.Top + h.Bottom) / 2};
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);

  RECT wr;
  GetWindowRect(wnd, &wr);
  auto cornerPixel = [&] {
    auto bmp = CreateBitmap32(wr.right - wr.left, wr.bottom - wr.top);
    hook->PaintScrollBars(bmp->Canvas().Handle());
    return ::GetPixel(bmp->Canvas().Handle(), corner.x - wr.left, corner.y - wr.top);
  };
  EXPECT_EQ(cornerPixel(), RGB(0xE8, 0xE8, 0xE8)) << "the track's colour";
  EnableScrollBar(wnd, SB_HORZ, ESB_DISABLE_BOTH);
  EXPECT_NE(cornerPixel(), RGB(0xE8, 0xE8, 0xE8)) << "faded with the disabled bar beside it";
  EnableScrollBar(wnd, SB_HORZ, ESB_ENABLE_BOTH);

  // Away from the top window's corner the corner is no grip.
  SetWindowPos(wnd, nullptr, 0, 0, hc.right - 10, hc.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  const TBarRect h2 = hook->BarRect(hook->HorzBar()), v2 = hook->BarRect(hook->VertBar());
  const POINT corner2{(v2.Left + v2.Right) / 2, (h2.Top + h2.Bottom) / 2};
  EXPECT_NE(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(corner2.x, corner2.y)), HTBOTTOMRIGHT);
  hook.reset();
  DestroyWindow(host);
}

TEST_F(ScrollBars, ArrowsFromTheButtonsGlyphOrDrawnInItsFontColour) {
  TacSkinData* sd = manager->GetSkinDataForPPI(96);
  ASSERT_NE(sd, nullptr);
  TacConstElementData right = sd->ScrollBtnElems[2];
  ASSERT_GE(right.Section, 0);
  auto bmp = CreateBitmap32(30, 20);
  // The box of what the arrow painted over white.
  auto painted = [&](const TacConstElementData& e, int state) {
    HDC dc = bmp->Canvas().Handle();
    FillRectOnDC(dc, gui::TRect(0, 0, 30, 20), TColor(0xFFFFFF));
    PaintScrollArrowGlyph(*bmp, *sd, e, gui::TRect(0, 0, 30, 20), state, 2, manager.get());
    GdiFlush();
    RECT box{30, 20, -1, -1};
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x)
        if (::GetPixel(dc, x, y) != RGB(0xFF, 0xFF, 0xFF)) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x);
          box.bottom = std::max<LONG>(box.bottom, y);
        }
    return box;
  };
  const RECT normal = painted(right, 0);
  ASSERT_GE(normal.right, normal.left) << "an arrow is drawn";
  EXPECT_NEAR((normal.left + normal.right) / 2, 15, 1) << "in the middle";
  const RECT pressed = painted(right, 2);
  EXPECT_EQ(pressed.left, normal.left + 1) << "pressed content shifts";
  EXPECT_EQ(pressed.top, normal.top + 1);
  manager->ButtonsOptions.ShiftContentOnClick = false;
  const RECT still = painted(right, 2);
  manager->ButtonsOptions.ShiftContentOnClick = true;
  EXPECT_EQ(still.left, normal.left);

  // A button with a glyph picture shows the picture, centred.
  TacConstElementData withGlyph = right;
  withGlyph.GlyphMask = manager->GetMaskIndex(manager->GetSkinIndex("COMBOBOX", sd), "GLYPHMASK", sd);
  ASSERT_GE(withGlyph.GlyphMask, 0);
  const TsMaskData& g = sd->Masks[size_t(withGlyph.GlyphMask)];
  const RECT glyph = painted(withGlyph, 0);
  ASSERT_GE(glyph.right, glyph.left);
  EXPECT_GE(glyph.left, (30 - g.FrameWidth) / 2);
  EXPECT_LT(glyph.right, (30 - g.FrameWidth) / 2 + g.FrameWidth);
  EXPECT_GE(glyph.top, (20 - g.FrameHeight) / 2);
  EXPECT_LT(glyph.bottom, (20 - g.FrameHeight) / 2 + g.FrameHeight);
}

TEST_F(ScrollBars, AHitTestOnTheBarsMakesTheWindowHovered) {
  Hook();
  ASSERT_EQ(DefaultManager(), manager.get());
  manager->SetHoveredWindow(nullptr);
  const TBarRect v = hook->BarRect(hook->VertBar());
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(Mid(v).x, Mid(v).y)), HTVSCROLL);
  EXPECT_EQ(manager->HoveredWindow(), wnd) << "no mouse move reaches the window over its bars";
}

TEST_F(ScrollBars, TheSmallestThumbOfOneBarOrBoth) {
  EXPECT_FALSE(SetMinThumbSize(wnd, SB_BOTH, 30)) << "no scroll hook yet";
  EXPECT_EQ(GetScrollBarOf(wnd, SB_VERT), nullptr);
  Hook();
  EXPECT_EQ(GetScrollBarOf(wnd, SB_HORZ), &hook->HorzBar());
  EXPECT_EQ(GetScrollBarOf(wnd, SB_VERT), &hook->VertBar());
  EXPECT_EQ(GetScrollBarOf(wnd, SB_CTL), nullptr);
  EXPECT_TRUE(SetMinThumbSize(wnd, SB_VERT, 30));
  EXPECT_EQ(hook->VertBar().FMinThumbSize, 30);
  EXPECT_EQ(hook->HorzBar().FMinThumbSize, kDefaultMinThumb);
  EXPECT_TRUE(SetMinThumbSize(wnd, SB_BOTH, 24));
  EXPECT_EQ(hook->HorzBar().FMinThumbSize, 24);
  EXPECT_EQ(hook->VertBar().FMinThumbSize, 24);
}

// The keyboard is the display's, shared with other tests: Shift is held for this hook only.
class TShiftHeld : public TacScrollWnd {
 protected:
  bool ShiftDown() const override { return true; }
};

TEST_F(ScrollBars, AShiftClickOnTheTrackMovesTheThumbUnderTheMouse) {
  hook = std::make_unique<TShiftHeld>();
  hook->Install(wnd, false, "EDIT");
  hook->SkinData()->UpdateSkinIndex(true);
  hook->AfterCreation();
  RepaintFrame(wnd, true);
  const TBarRect v = hook->BarRect(hook->VertBar());
  const int arrow = hook->ArrowLength(hook->VertBar());
  const POINT at{Mid(v).x, v.Bottom - arrow - 12};
  NcDown(HTVSCROLL, at);
  EXPECT_NE(GetCapture(), wnd) << "the mouse is not captured";
  const std::vector<TSeen> s = ScrollsOnly();
  ASSERT_EQ(s.size(), 1u) << "one track message";
  EXPECT_EQ(s[0].Code, SB_THUMBTRACK);
  // The thumb's middle sits under the mouse: its start half a thumb above.
  const TThumb thumb = ThumbGeometry(v.Bottom - v.Top, v.Top, arrow, hook->VertBar().Info(),
                                     hook->VertBar().FMinThumbSize);
  EXPECT_NEAR(thumb.Start + thumb.Length / 2, at.y, 2);
  Up();
  EXPECT_EQ(ScrollsOnly().size(), 1u) << "the button's release sends nothing more";
}

TEST_F(ScrollBars, AHeldArrowRepeatsAfterTheDelay) {
  Hook();
  const TBarRect v = hook->BarRect(hook->VertBar());
  const int arrow = hook->ArrowLength(hook->VertBar());
  const POINT on{(v.Left + v.Right) / 2, v.Bottom - arrow / 2};
  ASSERT_TRUE(SetCursorPos(on.x, on.y));
  const DWORD t0 = GetTickCount();
  NcDown(HTVSCROLL, on);
  Pump(520);
  std::vector<TSeen> s = ScrollsOnly();
  ASSERT_GE(s.size(), 3u);
  EXPECT_LT(s[0].Time - t0, 50u) << "one step at once";
  EXPECT_GE(s[1].Time - s[0].Time, 280u) << "the next after the delay";
  EXPECT_LE(s[1].Time - s[0].Time, 400u);
  for (size_t i = 2; i < s.size(); ++i) {
    EXPECT_GE(s[i].Time - s[i - 1].Time, 40u) << i;
    EXPECT_LE(s[i].Time - s[i - 1].Time, 130u) << i;
  }
  for (const TSeen& x : s) EXPECT_EQ(x.Code, SB_LINEDOWN);
  // Off the arrow (onto the bar's middle) the repeat pauses; back on it, it goes on.
  ASSERT_TRUE(SetCursorPos(on.x, (v.Top + v.Bottom) / 2));
  Pump(60);
  g_seen.clear();
  Pump(200);
  EXPECT_TRUE(ScrollsOnly().empty()) << "paused while the mouse is off the arrow";
  ASSERT_TRUE(SetCursorPos(on.x, on.y));
  Pump(200);
  EXPECT_FALSE(ScrollsOnly().empty()) << "resumed";
  g_seen.clear();
  Up();
  EXPECT_EQ(ScrollsOnly(), (std::vector<TSeen>{{WM_VSCROLL, SB_ENDSCROLL, 0, 0}}));
  Pump(150);
  EXPECT_EQ(ScrollsOnly().size(), 1u) << "the repeat ends with the button";
}

TEST_F(ScrollBars, AThumbDragSendsTrackingOnlyOnAChange) {
  Hook();
  // The horizontal bar: range 0..9, page 2, so several pixels stand for one position.
  const TBarRect h = hook->BarRect(hook->HorzBar());
  const int arrow = hook->ArrowLength(hook->HorzBar());
  const TThumb thumb = ThumbGeometry(h.Right - h.Left, h.Left, arrow, hook->HorzBar().Info(),
                                     hook->HorzBar().FMinThumbSize);
  const int y = (h.Top + h.Bottom) / 2;
  const POINT grab{thumb.Start + 2, y};
  NcDown(HTHSCROLL, grab);
  EXPECT_TRUE(hook->Tracking());
  EXPECT_TRUE(ScrollsOnly().empty()) << "grabbing moves nothing";
  std::vector<int> expectedPositions;
  int last = 0;
  const int track = h.Right - h.Left - 2 * arrow;
  for (int x = grab.x + 1; x <= h.Right + 10; ++x) {
    MoveTo({x, y});
    const int start = std::clamp(x - 2, h.Left + arrow, h.Right - arrow - thumb.Length);
    const int pos = DraggedPosition(start - h.Left - arrow, hook->HorzBar().Info(), track, thumb.Length);
    if (pos != last) expectedPositions.push_back(pos);
    last = pos;
  }
  std::vector<int> tracked;
  for (const TSeen& s : ScrollsOnly()) {
    EXPECT_EQ(s.Msg, UINT(WM_HSCROLL));
    EXPECT_EQ(s.Code, SB_THUMBTRACK);
    tracked.push_back(s.Pos);
  }
  EXPECT_EQ(tracked, expectedPositions);
  EXPECT_EQ(tracked.back(), 8) << "the last position of a range of 10 with a page of 2";
  EXPECT_LT(tracked.size(), size_t(h.Right - grab.x)) << "fewer messages than pixels moved";
  g_seen.clear();
  Up();
  EXPECT_FALSE(hook->Tracking());
  EXPECT_EQ(ScrollsOnly(),
            (std::vector<TSeen>{{WM_HSCROLL, SB_THUMBPOSITION, 8, 0}, {WM_HSCROLL, SB_ENDSCROLL, 0, 0}}));
  EXPECT_EQ(GetScrollPos(wnd, SB_HORZ), 8);
}

}  // namespace
}  // namespace skin

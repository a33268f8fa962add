// What a person sees of skinned scroll-bar controls: a long range keeps the thumb at its
// smallest length, a page of 0 too; the thumb follows positions set by the program; a bar
// too short for two arrows gets half-length arrows and no thumb; a square control is only
// filled with the scroll section's colour.
#include <windows.h>

#include <gtest/gtest.h>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "skin/graphics/acGdiBitmap.h"
#include "gui/StdCtrls.h"
#include "skin/core/sSkinManager.h"
#include "skin/hooks/acHookClasses.h"
#include "skin/hooks/acSBWnd.h"

namespace skin {
namespace {

constexpr COLORREF kTrackBefore = RGB(0xE8, 0xE8, 0xE8);
constexpr COLORREF kTrackAfter = RGB(0xD8, 0xD8, 0xD8);

HWND NewBar(HWND parent, DWORD style, int x, int y, int w, int h, int mx, UINT page, int pos) {
  HWND b = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h, parent, nullptr,
                           nullptr, nullptr);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, mx, page, pos, 0};
  SetScrollInfo(b, SB_CTL, &si, TRUE);
  return b;
}

struct TThumbSpan {
  int Start = -1, Length = 0;
};
// Where the painted thumb lies along the bar: from the first to the last pixel between the
// arrows that is not track (the thumb's own pattern may share a track colour here and there).
TThumbSpan ThumbOf(TacSBWnd& hook, gui::TBitmap& shot) {
  const bool v = hook.Vertical();
  const int len = v ? shot.Height() : shot.Width(), across = (v ? shot.Width() : shot.Height()) / 2;
  TThumbSpan t;
  for (int a = hook.ArrowLength(); a < len - hook.ArrowLength(); ++a) {
    const COLORREF c = ::GetPixel(shot.Canvas().Handle(), v ? across : a, v ? a : across);
    if (c == kTrackBefore || c == kTrackAfter) continue;
    if (t.Start < 0) t.Start = a;
    t.Length = a - t.Start + 1;
  }
  return t;
}

gui::TBitmap& Painted(TacSBWnd& hook, std::unique_ptr<gui::TBitmap>& keep) {
  RECT r;
  GetClientRect(hook.Wnd(), &r);
  keep = CreateBitmap32(r.right, r.bottom);
  hook.PaintTo(keep->Canvas().Handle());
  return *keep;
}

TEST(SBWnd, MinimumThumbShortBarsAndSquareControls) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Penggulung", 360, 280);
  const HWND formWnd = form.Handle();
  const HWND longRange = NewBar(formWnd, SBS_VERT, 10, 10, 17, 200, 999, 1, 0);
  const HWND noPage = NewBar(formWnd, SBS_HORZ, 40, 10, 200, 17, 99, 0, 0);
  const HWND shortBar = NewBar(formWnd, SBS_VERT, 40, 40, 17, 30, 99, 10, 0);
  const HWND square = NewBar(formWnd, SBS_HORZ, 80, 40, 40, 40, 99, 10, 0);
  TacSBWnd hooks[4];
  std::unique_ptr<gui::TBitmap> img;

  h.Step("show the form", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("hook the bars", [&] {
    const HWND bars[] = {longRange, noPage, shortBar, square};
    for (int i = 0; i < 4; ++i) hooks[i].Install(bars[i]);
    EXPECT_EQ(GetWindowLongW(longRange, GWL_STYLE) & WS_TABSTOP, 0) << "no tab stop once hooked";
    EXPECT_EQ(hooks[0].Info().Max, 999);
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    h.Shot(formWnd, "scrollbar_controls");
    TThumbSpan t = ThumbOf(hooks[0], Painted(hooks[0], img));
    EXPECT_EQ(t.Length, kDefaultMinThumb) << "a thousand lines: the smallest thumb";
    EXPECT_EQ(t.Start, hooks[0].ArrowLength());
    t = ThumbOf(hooks[1], Painted(hooks[1], img));
    EXPECT_EQ(t.Length, kDefaultMinThumb) << "page 0";

    const TSBCtrlGeometry g = hooks[2].Geometry();
    EXPECT_FALSE(g.ThumbShown);
    EXPECT_EQ(g.FirstArrow.Bottom, 15) << "arrows of half the bar each";
    EXPECT_EQ(ThumbOf(hooks[2], Painted(hooks[2], img)).Length, 0) << "no thumb drawn";

    gui::TBitmap& sq = Painted(hooks[3], img);
    EXPECT_EQ(::GetPixel(sq.Canvas().Handle(), 5, 5), kTrackBefore) << "the scroll section's colour";
    EXPECT_EQ(::GetPixel(sq.Canvas().Handle(), 35, 35), kTrackBefore);
  });
  h.Step("the program moves the position", [&] {
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 500, 0};
    SetScrollInfo(longRange, SB_CTL, &si, TRUE);
  });
  h.Step("moved", [&] {
    h.Shot(formWnd, "scrollbar_controls_moved");
    EXPECT_EQ(hooks[0].Info().Pos, 500);
    const TThumbSpan t = ThumbOf(hooks[0], Painted(hooks[0], img));
    EXPECT_EQ(t.Length, kDefaultMinThumb);
    EXPECT_EQ(t.Start, hooks[0].Geometry().Thumb.Top);
    EXPECT_GT(t.Start, 80);
  });
  h.Run();
  for (TacSBWnd& hook : hooks) hook.Release(false);
}

// The manager's word that the mouse entered lights both track parts and its leave clears
// them; a double click on an arrow is a press and a release there: the arrow ends hot and
// the mouse action over, whatever the system did in between.
TEST(SBWnd, HoverLightsTheTrackAndDoubleClicksEndHot) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Penggulung", 300, 120);
  const HWND formWnd = form.Handle();
  const HWND bar = NewBar(formWnd, SBS_HORZ, 20, 20, 200, 17, 99, 10, 40);
  TacSBWnd hook;
  std::unique_ptr<gui::TBitmap> img;
  COLORREF calm = 0;

  h.Step("show and hook", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
    hook.Install(bar);
    calm = ::GetPixel(Painted(hook, img).Canvas().Handle(), hook.ArrowLength() + 2, 8);
  });
  h.Step("the mouse enters", [&] { h.Manager->SetHoveredWindow(bar); });
  h.Step("hot track", [&] {
    EXPECT_EQ(hook.Parts().State[spFirstTrack], psHot);
    EXPECT_EQ(hook.Parts().State[spSecondTrack], psHot);
    h.Shot(formWnd, "scrollbar_control_hot");
  });
  h.Step("the mouse leaves", [&] { h.Manager->SetHoveredWindow(nullptr); });
  h.Step("calm again", [&] {
    for (int part = spFirstTrack; part <= spThumb; ++part)
      EXPECT_EQ(hook.Parts().State[size_t(part)], psNormal) << part;
    EXPECT_EQ(::GetPixel(Painted(hook, img).Canvas().Handle(), hook.ArrowLength() + 2, 8), calm);
  });
  h.Step("double click on the second arrow", [&] {
    const TSBCtrlGeometry g = hook.Geometry();
    POINT p{(g.SecondArrow.Left + g.SecondArrow.Right) / 2, (g.SecondArrow.Top + g.SecondArrow.Bottom) / 2};
    const LPARAM at = MAKELPARAM(p.x, p.y);
    ClientToScreen(bar, &p);
    SetCursorPos(p.x, p.y);
    // The system's own tracking of the press waits for the release.
    PostMessageW(bar, WM_LBUTTONUP, 0, at);
    SendMessageW(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  });
  h.Step("arrow hot, action over", [&] {
    EXPECT_EQ(hook.Parts().State[spSecondArrow], psHot);
    EXPECT_EQ(hook.Parts().State[spFirstArrow], psNormal);
    EXPECT_EQ(hook.Parts().ScrollCode, kSbEndScroll);
    EXPECT_TRUE(IsWindowVisible(bar)) << "redraw given back";
  });
  h.Run();
  hook.Release(false);
}

// Our own scroll bar is hooked by the adapter's lists like any listed control: the hook
// takes the bar's range and page, and the user's page key moves both the bar's Position and
// the painted thumb.
TEST(SBWnd, OurScrollBarHookedThroughTheAdapterFollowsTheUser) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Penggulung", 300, 140);
  auto* bar = new gui::TScrollBar(&form);
  bar->SetParent(&form);
  bar->SetBounds(20, 20, 220, 17);
  bar->SetParams(0, 0, 100);
  bar->SetPageSize(10);
  bar->LargeChange = 30;
  const HWND formWnd = form.Handle(), barWnd = bar->Handle();
  std::unique_ptr<TacMainWnd> made;
  TacSBWnd* hook = nullptr;
  std::unique_ptr<gui::TBitmap> img;
  int thumbBefore = 0;

  h.Step("show", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("the adapter hooks it", [&] {
    made = MakeHookFor(bar, h.Manager->ThirdPartyLists(), h.Manager.get(), TacSkinParams{});
    hook = dynamic_cast<TacSBWnd*>(made.get());
    ASSERT_NE(hook, nullptr) << "the scroll-bar list's hook";
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    ASSERT_NE(hook, nullptr);
    h.Shot(formWnd, "scrollbar_class_layer");
    EXPECT_EQ(hook->Info().Max, 100);
    EXPECT_EQ(hook->Info().Page, 10);
    const TThumbSpan t = ThumbOf(*hook, Painted(*hook, img));
    EXPECT_EQ(t.Start, hook->ArrowLength()) << "the thumb at the start";
    thumbBefore = t.Start;
  });
  h.Step("the user pages on", [&] {
    ASSERT_NE(hook, nullptr);
    SendMessageW(barWnd, WM_KEYDOWN, VK_NEXT, 0);
  });
  h.Step("moved", [&] {
    ASSERT_NE(hook, nullptr);
    h.Shot(formWnd, "scrollbar_class_layer_moved");
    EXPECT_EQ(bar->Position(), 30);
    EXPECT_EQ(hook->Info().Pos, 30);
    EXPECT_GT(ThumbOf(*hook, Painted(*hook, img)).Start, thumbBefore + 20) << "the painted thumb moved on";
  });
  h.Run();
  if (made) made->Release(false);
}

}  // namespace
}  // namespace skin

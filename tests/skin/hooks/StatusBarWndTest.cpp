// What a person sees of a skinned status bar: three panels parted by the skin's divider
// (none after the last), a text too long for its panel cut with "...", and an owner-drawn
// panel painted by the bar's handler over the skinned background without a text of ours.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "gui/ComCtrls.h"
#include "skin/hooks/acStatusBarWnd.h"

namespace skin {
namespace {

constexpr COLORREF kBar = RGB(0xB7, 0xDE, 0xE8);  // the test skin's status bar
constexpr COLORREF kDrawn = RGB(0xC0, 0x20, 0x20);

TEST(StatusBarWnd, DividersBetweenPanelsAndAnOwnerDrawnPanel) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Status", 460, 140);
  auto* bar = new gui::TStatusBar(&form);
  bar->SetParent(&form);
  const char* texts[] = {"Jemaat: 1.250", "", "Sektor Betlehem, Kanaan, Galilea dan Yerusalem"};
  for (int i = 0; i < 3; ++i) {
    gui::TStatusPanel* p = bar->Panels().Add();
    p->SetWidth(140);
    p->SetText(texts[i]);
  }
  bar->Panels().Items(1)->SetText("TIDAK TAMPAK");
  bar->Panels().Items(1)->SetStyle(gui::TStatusPanelStyle::psOwnerDraw);
  gui::TRect drawnAt;
  int drawn = 0;
  bar->OnDrawPanel = [&](gui::TStatusBar* b, gui::TStatusPanel* p, const gui::TRect& r) {
    EXPECT_EQ(p->Index(), 1);
    ++drawn;
    drawnAt = r;
    HBRUSH br = CreateSolidBrush(kDrawn);
    const RECT rr{r.Left + 1, r.Top + 1, r.Right - 8, r.Bottom - 1};
    FillRect(b->Canvas().Handle(), &rr, br);
    DeleteObject(br);
  };
  const HWND formWnd = form.Handle();
  const HWND barWnd = bar->Handle();
  TacStatusBarWnd hook;
  RECT parts[3]{};

  h.Step("show the form", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("hook the bar", [&] {
    hook.InstallControl(bar);
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(barWnd, "statusbar_skinned");
    HDC dc = shot.Canvas().Handle();
    for (int i = 0; i < 3; ++i) SendMessageW(barWnd, SB_GETRECT, WPARAM(i), LPARAM(&parts[i]));
    const int mid = (parts[0].top + parts[0].bottom) / 2;
    EXPECT_EQ(::GetPixel(dc, parts[0].left + 2, mid), kBar) << "the bar's section";
    EXPECT_NE(::GetPixel(dc, parts[0].right - 2, mid), kBar) << "a divider after the first panel";
    EXPECT_NE(::GetPixel(dc, parts[1].right - 2, mid), kBar) << "and after the second";
    EXPECT_EQ(::GetPixel(dc, parts[2].right - 2, mid), kBar) << "none after the last";
    EXPECT_GT(drawn, 0) << "the owner-drawn panel was handed to the handler";
    EXPECT_EQ(::GetPixel(dc, parts[1].left + 8, mid), kDrawn) << "the handler's drawing, where our text would start";
    EXPECT_EQ(drawnAt.Left, parts[1].left + 1);
    EXPECT_FALSE(bar->Canvas().HandleAllocated()) << "the bar's canvas is let go again";
    RECT c;
    GetClientRect(barWnd, &c);
    EXPECT_EQ(::GetPixel(dc, c.right - 2, c.bottom - 2), kBar) << "no grip without the size-grip style";
  });
  h.Step("the size-grip style", [&] {
    SetWindowLongW(barWnd, GWL_STYLE, GetWindowLongW(barWnd, GWL_STYLE) | SBARS_SIZEGRIP);
    InvalidateRect(barWnd, nullptr, TRUE);
    UpdateWindow(barWnd);
  });
  h.Step("the skin's grip in the corner", [&] {
    gui::TBitmap& shot = h.Shot(barWnd, "statusbar_grip");
    HDC dc = shot.Canvas().Handle();
    RECT c;
    GetClientRect(barWnd, &c);
    EXPECT_EQ(::GetPixel(dc, c.right - 2, c.bottom - 2), RGB(60, 60, 60)) << "the grip's dark triangle";
    EXPECT_EQ(::GetPixel(dc, c.right - 15, c.bottom - 15), kBar) << "its see-through half";
  });
  constexpr int kBorder = 5;
  h.Step("a border inside the bar's edge", [&] {
    bar->SetHeight(19 + 2 * kBorder);
    bar->SetBorderWidth(kBorder);
    RedrawWindow(barWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  });
  h.Step("the border from the bar's section, the grip inside it", [&] {
    gui::TBitmap& shot = h.Shot(barWnd, "statusbar_border");
    HDC dc = shot.Canvas().Handle();
    RECT c, w;
    GetClientRect(barWnd, &c);
    GetWindowRect(barWnd, &w);
    const int ww = w.right - w.left, wh = w.bottom - w.top;
    EXPECT_EQ(c.right, ww - 2 * kBorder) << "the client area shrinks on every side";
    EXPECT_EQ(c.bottom, wh - 2 * kBorder);
    EXPECT_EQ(::GetPixel(dc, 2, wh / 2), kBar) << "the border painted from the bar's image";
    EXPECT_EQ(::GetPixel(dc, ww - 2, wh - 2), kBar) << "the window's very corner is border";
    EXPECT_EQ(::GetPixel(dc, ww - kBorder - 2, wh - kBorder - 2), RGB(60, 60, 60))
        << "the grip's corner sits the border width inside";
    RECT first{};
    SendMessageW(barWnd, SB_GETRECT, 0, LPARAM(&first));
    EXPECT_NE(::GetPixel(dc, kBorder + first.right - 2, wh / 2), kBar) << "the divider moved with the client area";
    EXPECT_EQ(::GetPixel(dc, kBorder + first.right + 8, wh / 2), kDrawn) << "and the owner-drawn panel with it";
  });
  h.Run();
  EXPECT_EQ(hook.PanelText(2), texts[2]);
  hook.Release(false);
}

}  // namespace
}  // namespace skin

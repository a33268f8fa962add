// What a person sees of a skinned page control: the control painted as a tab control, its
// pages hooked and showing the page section through them; the page hooks stay in their one
// list until the hooks' unit ends, which frees them once.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "HookSteps.h"
#include "gui/ComCtrls.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/hooks/acPageControlWnd.h"

namespace skin {
namespace {

TEST(PageControlWnd, PagesShowThePageSectionAndTheirHooksHaveOneOwner) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Halaman", 420, 300);
  auto* pc = new gui::TPageControl(&form);
  pc->SetParent(&form);
  pc->SetBounds(10, 10, 380, 240);
  const char* captions[] = {"Data Pribadi", "Orang Tua", "Catatan Sipil"};
  gui::TTabSheet* sheets[3];
  for (int i = 0; i < 3; ++i) {
    sheets[i] = new gui::TTabSheet(&form);
    sheets[i]->SetPageControl(pc);
    sheets[i]->SetCaption(captions[i]);
  }
  const HWND formWnd = form.Handle();
  FreePageHooks();
  TacPageControlWnd hook;

  h.Step("show the form", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("hook the page control", [&] {
    hook.InstallControl(pc);
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(formWnd, "pagecontrol_skinned");
    const size_t hooked = PageHookCount();
    EXPECT_GE(hooked, 1u) << "the pages with a window are hooked";
    EXPECT_TRUE(IsWndSkinned(pc->ActivePage()->Handle()));
    hook.HookPages();
    EXPECT_EQ(PageHookCount(), hooked) << "a page is never hooked twice";
    // The active page shows what the control's image holds under it.
    RECT fr, pr, cr;
    GetWindowRect(formWnd, &fr);
    GetWindowRect(pc->ActivePage()->Handle(), &pr);
    GetWindowRect(pc->Handle(), &cr);
    const POINT mid{(pr.left + pr.right) / 2, (pr.top + pr.bottom) / 2};
    hook.PaintControl(nullptr);
    const COLORREF image =
        ::GetPixel(hook.SkinData()->FCache->Canvas().Handle(), mid.x - cr.left, mid.y - cr.top);
    EXPECT_EQ(::GetPixel(shot.Canvas().Handle(), mid.x - fr.left, mid.y - fr.top), image);
  });
  h.Step("another page", [&] {
    pc->SetActivePageIndex(2);
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("the hooks' unit ends", [&] {
    h.Shot(formWnd, "pagecontrol_other_page");
    EXPECT_TRUE(IsWndSkinned(sheets[2]->Handle()));
    // A child of the page asks for its background: answered from the control's image at the
    // page's place, but only into a record its sender holds.
    const HWND page = sheets[2]->Handle();
    TacBackgroundQuery q;
    {
      TacCommandRecord held(&q);
      SendMessageW(page, SM_ALPHACMD, MakeSkinCommand(AC_GETBG), LPARAM(&q));
    }
    EXPECT_NE(q.Kind, bkNone);
    EXPECT_GT(q.OffsetX + q.OffsetY, 0) << "moved to the page's place";
    TacBackgroundQuery stray;
    SendMessageW(page, SM_ALPHACMD, MakeSkinCommand(AC_GETBG), LPARAM(&stray));
    EXPECT_EQ(stray.Kind, bkNone) << "a record no sender holds is not written";
    EXPECT_EQ(stray.OffsetX, 0);
    FreePageHooks();
    EXPECT_EQ(PageHookCount(), 0u);
    EXPECT_FALSE(IsWndSkinned(sheets[2]->Handle())) << "the pages are given back";
    FreePageHooks();  // a second end finds nothing to free
    EXPECT_EQ(PageHookCount(), 0u);
  });
  h.Run();
  hook.Release(false);
}

// An owner-drawn page control: unskinned, its handler draws each tab the system asks for;
// skinned, it draws over each skinned tab (the active one too, on its own bitmap), with the
// skin's font colour handed in; a handler that leaves a bold font behind gets its text.
TEST(PageControlWnd, OwnerDrawnTabsDrawnOverTheSkinnedTabs) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Halaman", 360, 220);
  auto* pc = new gui::TPageControl(&form);
  pc->SetParent(&form);
  pc->SetBounds(10, 10, 320, 160);
  pc->SetOwnerDraw(true);
  const char* captions[] = {"Jemaat", "Majelis"};
  for (const char* c : captions) {
    auto* sheet = new gui::TTabSheet(&form);
    sheet->SetPageControl(pc);
    sheet->SetCaption(c);
  }
  constexpr COLORREF kMark = RGB(200, 30, 30);
  int calls[2] = {0, 0};
  bool activeSeen[2] = {false, false};
  pc->OnDrawTab = [&](gui::TPageControl* c, int tab, const gui::TRect& r, bool active) {
    ASSERT_TRUE(tab == 0 || tab == 1);
    ++calls[tab];
    activeSeen[tab] = active;
    HBRUSH br = CreateSolidBrush(kMark);
    const RECT mark{r.Left + 3, r.Top + 3, r.Left + 9, r.Top + 9};
    FillRect(c->Canvas().Handle(), &mark, br);
    DeleteObject(br);
    if (tab == 1) c->Canvas().Font().SetStyle(gui::fsBold);
  };
  const HWND pcWnd = pc->Handle();
  EXPECT_NE(GetWindowLongW(pcWnd, GWL_STYLE) & TCS_OWNERDRAWFIXED, 0);
  FreePageHooks();
  TacPageControlWnd hook;

  h.Step("show the form", [&] {
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(form.Handle());
    UpdateWindow(form.Handle());
  });
  h.Step("unskinned: the system asks the handler", [&] {
    EXPECT_GT(calls[0], 0);
    EXPECT_GT(calls[1], 0);
    calls[0] = calls[1] = 0;
    hook.InstallControl(pc);
    skintest::RedrawWhole(form.Handle());
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(pcWnd, "pagecontrol_owner_drawn");
    EXPECT_GT(calls[0], 0);
    EXPECT_GT(calls[1], 0);
    EXPECT_TRUE(activeSeen[0]) << "the first tab is the active one";
    EXPECT_FALSE(activeSeen[1]);
    const gui::TRect active = hook.GetTabRect(0, true), inactive = hook.GetTabRect(1, false);
    EXPECT_EQ(::GetPixel(shot.Canvas().Handle(), active.Left + 5, active.Top + 5), kMark) << "over the active tab";
    EXPECT_EQ(::GetPixel(shot.Canvas().Handle(), inactive.Left + 5, inactive.Top + 5), kMark)
        << "over an inactive tab";
    EXPECT_FALSE(pc->Canvas().HandleAllocated()) << "the canvas is let go again";
  });
  h.Run();
  hook.Release(false);
}

}  // namespace
}  // namespace skin

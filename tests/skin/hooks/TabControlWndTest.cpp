// What a person sees of skinned tab controls: four native tab controls with their tabs on
// each side and one with two rows of tabs, hooked and painted from the test skin; the
// screenshots stay in the build tree (tests/skin/hooks/shots) and the pixels of the page
// area, the strip behind the tabs and the active tab are checked.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "skin/core/sMessages.h"
#include "skin/hooks/acTabControlWnd.h"

namespace skin {
namespace {

COLORREF PixelIn(gui::TBitmap& shot, HWND form, HWND child, POINT at) {
  RECT fr, cr;
  GetWindowRect(form, &fr);
  GetWindowRect(child, &cr);
  return ::GetPixel(shot.Canvas().Handle(), cr.left - fr.left + at.x, cr.top - fr.top + at.y);
}

// The pixels of a window's rectangle added up: two tabs painted in different states differ.
uint64_t PixelSum(gui::TBitmap& shot, HWND form, HWND child, const gui::TRect& r) {
  uint64_t sum = 0;
  for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
    for (int x = r.Left + 2; x < r.Right - 2; ++x) sum += PixelIn(shot, form, child, {x, y});
  return sum;
}

HWND NewTabs(HWND parent, DWORD style, int x, int y, int w, int h, const std::vector<std::wstring>& captions) {
  HWND t = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, w, h, parent,
                           nullptr, nullptr, nullptr);
  SendMessageW(t, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
  for (size_t i = 0; i < captions.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(captions[i].c_str());
    SendMessageW(t, TCM_INSERTITEMW, WPARAM(i), LPARAM(&item));
  }
  SendMessageW(t, TCM_SETCURSEL, 1, 0);
  return t;
}

TEST(TabControlWnd, TabsAndPagesOnEachSide) {
  const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Halaman bertab", 660, 470);
  const HWND formWnd = form.Handle();
  const std::vector<std::wstring> pages{L"Jemaat", L"Keluarga", L"Sektor"};
  struct Tabs {
    const char* name;
    HWND wnd;
    TTabSide side;
  };
  std::vector<Tabs> tabs{
      {"top", NewTabs(formWnd, 0, 10, 10, 300, 150, pages), tsTop},
      {"bottom", NewTabs(formWnd, TCS_BOTTOM, 330, 10, 300, 150, pages), tsBottom},
      {"left", NewTabs(formWnd, TCS_VERTICAL | TCS_MULTILINE, 10, 180, 300, 150, pages), tsLeft},
      {"right", NewTabs(formWnd, TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, 330, 180, 300, 150, pages), tsRight},
  };
  const HWND rows = NewTabs(formWnd, TCS_MULTILINE, 10, 345, 300, 110,
                            {L"Baptisan", L"Sidi", L"Pernikahan", L"Atestasi", L"Kedukaan", L"Persembahan"});
  std::vector<std::unique_ptr<TacTabControlWnd>> hooks;

  h.Step("show the form", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("the system's tabs", [&] { h.Shot(formWnd, "tabs_unskinned"); });
  h.Step("hook the tab controls", [&] {
    for (const Tabs& t : tabs) {
      hooks.push_back(std::make_unique<TacTabControlWnd>());
      hooks.back()->Install(t.wnd);
      EXPECT_EQ(hooks.back()->Side(), t.side) << t.name;
    }
    hooks.push_back(std::make_unique<TacTabControlWnd>());
    hooks.back()->Install(rows);
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(formWnd, "tabs_skinned");
    for (size_t i = 0; i < tabs.size(); ++i) {
      SCOPED_TRACE(tabs[i].name);
      TacTabControlWnd& hook = *hooks[i];
      const gui::TRect page = hook.GetPageAreaRect();
      const gui::TRect strip = hook.GetTabsAreaRect();
      ASSERT_GT(page.Width(), 0);
      const COLORREF inside = PixelIn(shot, formWnd, tabs[i].wnd, {(page.Left + page.Right) / 2, (page.Top + page.Bottom) / 2});
      EXPECT_EQ(inside, RGB(0xF0, 0xF0, 0xF0)) << "the page section for the side";
      // Past the last tab the strip shows the form behind.
      const POINT beyond = tabs[i].side == tsTop || tabs[i].side == tsBottom
                               ? POINT{strip.Right - 3, (strip.Top + strip.Bottom) / 2}
                               : POINT{(strip.Left + strip.Right) / 2, strip.Bottom - 3};
      EXPECT_NE(PixelIn(shot, formWnd, tabs[i].wnd, beyond), inside) << "the strip is not the page";
      // The active tab is painted in its own state, over its neighbours.
      const gui::TRect act = hook.GetTabRect(1, true), other = hook.GetTabRect(0, false);
      EXPECT_NE(PixelSum(shot, formWnd, tabs[i].wnd, act), PixelSum(shot, formWnd, tabs[i].wnd, other));
    }
    // Two rows: the selected row lies by the page, the other one behind it.
    TacTabControlWnd& twoRows = *hooks.back();
    EXPECT_EQ(SendMessageW(rows, TCM_GETROWCOUNT, 0, 0), 2);
    EXPECT_EQ(twoRows.GetTabRow(1), 2) << "Sidi, selected";
    EXPECT_EQ(twoRows.GetTabRow(3), 1) << "Atestasi, behind";
  });
  h.Step("select another tab", [&] {
    SendMessageW(tabs[0].wnd, TCM_SETCURSEL, 2, 0);
    RedrawWindow(tabs[0].wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  });
  h.Step("another tab selected", [&] {
    gui::TBitmap& shot = h.Shot(formWnd, "tabs_selected");
    const gui::TRect act = hooks[0]->GetTabRect(2, true), was = hooks[0]->GetTabRect(1, false);
    EXPECT_NE(PixelSum(shot, formWnd, tabs[0].wnd, act), PixelSum(shot, formWnd, tabs[0].wnd, was));
  });
  h.Run();
  for (auto& hook : hooks) hook->Release(false);
}

TEST(TabControlWnd, TabImagesOnEachSide) {
  const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Tab bergambar", 660, 200);
  const HWND formWnd = form.Handle();
  constexpr COLORREF kGreen = RGB(20, 160, 40);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  {
    HDC screen = GetDC(nullptr);
    HBITMAP pic = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, pic);
    RECT all{0, 0, 16, 16};
    HBRUSH green = CreateSolidBrush(kGreen);
    FillRect(dc, &all, green);
    DeleteObject(green);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ImageList_Add(images, pic, nullptr);
    DeleteObject(pic);
  }
  const std::vector<std::wstring> pages{L"Jemaat", L"Keluarga", L"Sektor"};
  const HWND sides[] = {NewTabs(formWnd, 0, 10, 10, 300, 170, pages),
                        NewTabs(formWnd, TCS_VERTICAL | TCS_MULTILINE, 330, 10, 150, 170, pages),
                        NewTabs(formWnd, TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, 500, 10, 150, 170, pages)};
  for (HWND t : sides) {
    SendMessageW(t, TCM_SETIMAGELIST, 0, LPARAM(images));
    for (int i = 0; i < 3; ++i) {
      TCITEMW item{};
      item.mask = TCIF_IMAGE;
      item.iImage = i == 2 ? -1 : 0;  // the last tab has none
      SendMessageW(t, TCM_SETITEMW, WPARAM(i), LPARAM(&item));
    }
  }
  std::vector<std::unique_ptr<TacTabControlWnd>> hooks;
  h.Step("show the form", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("hook", [&] {
    for (HWND t : sides) {
      hooks.push_back(std::make_unique<TacTabControlWnd>());
      hooks.back()->Install(t);
    }
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("each tab with its image", [&] {
    gui::TBitmap& shot = h.Shot(formWnd, "tabs_images");
    for (size_t s = 0; s < hooks.size(); ++s)
      for (int i = 0; i < 3; ++i) {
        const gui::TRect r = hooks[s]->GetTabRect(i, i == 1);
        int green = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
          for (int x = r.Left; x < r.Right; ++x) green += PixelIn(shot, formWnd, sides[s], {x, y}) == kGreen;
        if (i == 2)
          EXPECT_EQ(green, 0) << "side " << s << ": a tab without an image";
        else
          EXPECT_GT(green, 150) << "side " << s << ", tab " << i;
      }
  });
  h.Run();
  for (auto& hook : hooks) hook->Release(false);
  ImageList_Destroy(images);
}

TEST(TabControlWnd, ScrollArrowsHookedAsAnUpDown) {
  const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Tab bergulir", 260, 140);
  const HWND formWnd = form.Handle();
  const HWND tabs = NewTabs(formWnd, 0, 10, 10, 200, 100,
                            {L"Baptisan", L"Sidi", L"Pernikahan", L"Atestasi", L"Kedukaan", L"Persembahan"});
  TacTabControlWnd hook;
  HWND arrows = nullptr;
  h.Step("show the form", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("hook", [&] {
    arrows = FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr);
    hook.Install(tabs);
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("the arrows skinned", [&] {
    h.Shot(formWnd, "tabs_arrows");
    ASSERT_NE(arrows, nullptr) << "six tabs in one row need the arrows";
    ASSERT_NE(hook.UpDownHook(), nullptr);
    EXPECT_EQ(hook.UpDownHook()->Wnd(), arrows);
    EXPECT_EQ(hook.UpDownHook()->SkinData()->SkinSection(), "UPDOWNBTN");
    EXPECT_EQ(SendMessageW(arrows, SM_ALPHACMD, MAKEWPARAM(0, AC_CTRLHANDLED), 0), 1);
    TacSpinWnd* first = hook.UpDownHook();
    RedrawWindow(tabs, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(hook.UpDownHook(), first) << "kept while on the same arrows";
  });
  h.Run();
  hook.Release(false);
}

}  // namespace
}  // namespace skin

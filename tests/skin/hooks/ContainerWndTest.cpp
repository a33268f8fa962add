// What a person sees of the file dialogs' container windows and their search box once
// hooked: a band with a client edge framed and filled from its section, a container without
// one filled alone, and the search box keeping what it paints inside a 3-pixel frame.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "skin/hooks/acContainerWnd.h"

namespace skin {
namespace {

constexpr COLORREF kSection = RGB(0xB7, 0xDE, 0xE8);  // the test skin's status bar colour
constexpr COLORREF kOwn = RGB(255, 255, 255);         // what the windows paint themselves

LRESULT CALLBACK WhiteProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT r;
    GetClientRect(wnd, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(wnd, &ps);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

TEST(ContainerWnd, BandsFramedAndFilledFromTheirSectionSearchBoxFramed) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Berkas", 300, 200);
  const HWND f = form.Handle();
  WNDCLASSW wc{};
  wc.lpfnWndProc = WhiteProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvanWhiteTest";
  RegisterClassW(&wc);
  // Wine's rebar and progress bar give up the client edge they are given: a band of our
  // own class that paints itself white keeps it.
  const HWND band = CreateWindowExW(WS_EX_CLIENTEDGE, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 40, f,
                                    nullptr, nullptr, nullptr);
  const HWND plain = CreateWindowExW(0, REBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN,
                                        10, 60, 200, 20, f, nullptr, nullptr, nullptr);
  const HWND search = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 10, 90, 200, 24, f, nullptr,
                                      nullptr, nullptr);
  TacContainerWnd bandHook, plainHook;
  TacSearchWnd searchHook;

  h.Step("show the form", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
  });
  h.Step("hook the windows", [&] {
    bandHook.Install(band, "STATUSBAR");
    plainHook.Install(plain, "STATUSBAR");
    searchHook.Install(search, "STATUSBAR");
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& b = h.Shot(band, "container_band");
    EXPECT_EQ(bandHook.FrameWidth(), 2) << "a client edge";
    EXPECT_EQ(::GetPixel(b.Canvas().Handle(), 0, 20), kSection) << "the frame from the image";
    EXPECT_EQ(::GetPixel(b.Canvas().Handle(), 1, 20), kSection);
    EXPECT_EQ(::GetPixel(b.Canvas().Handle(), 100, 20), kSection) << "the client from the image, not its own";
    gui::TBitmap& p = h.Shot(plain, "container_plain");
    EXPECT_EQ(plainHook.FrameWidth(), 0);
    EXPECT_EQ(::GetPixel(p.Canvas().Handle(), 100, 10), kSection);
    gui::TBitmap& s = h.Shot(search, "container_search");
    EXPECT_EQ(::GetPixel(s.Canvas().Handle(), 1, 12), kSection) << "the 3-pixel frame";
    EXPECT_EQ(::GetPixel(s.Canvas().Handle(), 2, 12), kSection);
    EXPECT_EQ(::GetPixel(s.Canvas().Handle(), 100, 12), kOwn) << "the box's own painting inside";
  });
  h.Run();
  bandHook.Release(false);
  plainHook.Release(false);
  searchHook.Release(false);
}

}  // namespace
}  // namespace skin

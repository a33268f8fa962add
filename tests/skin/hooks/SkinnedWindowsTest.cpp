// What a person sees of skinned scroll bars: a form with a native multi-line edit and a list
// box, both given the scroll hook, driven by the harness's steps (shown, scrolled by an
// arrow, the thumb dragged, released); every step leaves a screenshot in the build tree
// (tests/skin/hooks/shots) and the pixels of the bars are checked against the test skin.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "skin/forms/acFormsStartup.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acScrollWnd.h"

namespace skin {
namespace {

// The test skin's track colours before and after the thumb, and the system's own grey.
constexpr COLORREF kTrackBefore = RGB(0xE8, 0xE8, 0xE8);
constexpr COLORREF kTrackAfter = RGB(0xD8, 0xD8, 0xD8);

COLORREF PixelAt(gui::TBitmap& shot, HWND window, POINT screen) {
  RECT wr;
  GetWindowRect(window, &wr);
  return ::GetPixel(shot.Canvas().Handle(), screen.x - wr.left, screen.y - wr.top);
}

std::unique_ptr<TacScrollWnd> HookScrolled(HWND w) {
  auto hook = std::make_unique<TacScrollWnd>();
  hook->Install(w, false, "EDIT");
  hook->SkinData()->UpdateSkinIndex(true);
  hook->AfterCreation();
  RepaintFrame(w, true);
  return hook;
}

TEST(SkinnedWindows, ScrollBarsOfANativeEditAndListBox) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Jendela bergulir", 420, 300);
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                  ES_AUTOHSCROLL,
                              10, 10, 220, 200, form.Handle(), nullptr, nullptr, nullptr);
  std::wstring text;
  for (int i = 1; i <= 60; ++i)
    text += L"Baris " + std::to_wstring(i) + L": warga jemaat sektor " + std::to_wstring(i % 10 + 1) +
            L" dengan catatan yang panjang\r\n";
  SetWindowTextW(edit, text.c_str());
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 240,
                              10, 150, 200, form.Handle(), nullptr, nullptr, nullptr);
  for (int i = 1; i <= 40; ++i)
    SendMessageW(list, LB_ADDSTRING, 0, LPARAM((L"Sektor " + std::to_wstring(i)).c_str()));

  std::unique_ptr<TacScrollWnd> editHook, listHook;
  HWND formWnd = form.Handle();
  TBarRect v;
  int arrow = 0;
  h.Step("show the form", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("the system's bars", [&] { h.Shot(formWnd, "scroll_unskinned"); });
  h.Step("hook both windows", [&] {
    editHook = HookScrolled(edit);
    listHook = HookScrolled(list);
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned at the start", [&] {
    gui::TBitmap& shot = h.Shot(formWnd, "scroll_skinned");
    v = editHook->BarRect(editHook->VertBar());
    arrow = editHook->ArrowLength(editHook->VertBar());
    ASSERT_GT(v.Right - v.Left, 0);
    const TThumb thumb = ThumbGeometry(v.Bottom - v.Top, v.Top, arrow, editHook->VertBar().Info(),
                                       editHook->VertBar().FMinThumbSize);
    const int x = (v.Left + v.Right) / 2;
    EXPECT_EQ(PixelAt(shot, formWnd, {x, (thumb.Start + thumb.Length + v.Bottom - arrow) / 2}), kTrackAfter)
        << "the track after the thumb in the skin's colour";
    EXPECT_EQ(editHook->VertBar().FScrollInfo.nPos, 0);
  });
  h.Step("scroll down by the arrow", [&] {
    const POINT on{(v.Left + v.Right) / 2, v.Bottom - arrow / 2};
    SendMessageW(edit, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(on.x, on.y));
    for (int i = 0; i < 12; ++i) SendMessageW(edit, WM_TIMER, kScrollRepeatTimer, 0);
    SetCursorPos(on.x, on.y);
  });
  h.Step("the arrow held", [&] { h.Shot(formWnd, "scroll_arrow_pressed"); });
  h.Step("let go", [&] { SendMessageW(edit, WM_LBUTTONUP, 0, 0); });
  h.Step("scrolled", [&] {
    gui::TBitmap& shot = h.Shot(formWnd, "scroll_scrolled");
    EXPECT_GT(GetScrollPos(edit, SB_VERT), 0) << "the edit scrolled";
    const TThumb thumb = ThumbGeometry(v.Bottom - v.Top, v.Top, arrow, editHook->VertBar().Info(),
                                       editHook->VertBar().FMinThumbSize);
    ASSERT_GT(thumb.Start, v.Top + arrow + 2);
    EXPECT_EQ(PixelAt(shot, formWnd, {(v.Left + v.Right) / 2, (v.Top + arrow + thumb.Start) / 2}), kTrackBefore)
        << "the track before the thumb in its own colour";
  });
  h.Step("drag the list's thumb", [&] {
    const TBarRect lv = listHook->BarRect(listHook->VertBar());
    const int la = listHook->ArrowLength(listHook->VertBar());
    const TThumb thumb = ThumbGeometry(lv.Bottom - lv.Top, lv.Top, la, listHook->VertBar().Info(),
                                       listHook->VertBar().FMinThumbSize);
    POINT p{(lv.Left + lv.Right) / 2, thumb.Start + 3};
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(p.x, p.y));
    POINT c{p.x, p.y + 60};
    ScreenToClient(list, &c);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(WORD(c.x), WORD(c.y)));
  });
  h.Step("the thumb dragged", [&] {
    h.Shot(formWnd, "scroll_thumb_dragged");
    SendMessageW(list, WM_LBUTTONUP, 0, 0);
    EXPECT_GT(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0) << "the list followed the thumb";
  });
  h.Step("the bars painted into a bitmap", [&] {
    RECT wr;
    GetWindowRect(edit, &wr);
    auto bmp = CreateBitmap32(wr.right - wr.left, wr.bottom - wr.top);
    FillRectOnDC(bmp->Canvas().Handle(), gui::TRect(0, 0, bmp->Width(), bmp->Height()), TColor(0xFFFFFF));
    editHook->PaintScrollBars(bmp->Canvas().Handle());
    h.Save(*bmp, "scroll_bars_painted");
    EXPECT_EQ(::GetPixel(bmp->Canvas().Handle(), 5, 5), RGB(255, 255, 255)) << "only the bars are painted";
  });
  h.Step("released", [&] {
    editHook->ReleaseScroll(true);
    listHook->ReleaseScroll(true);
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("the system's bars again", [&] { h.Shot(formWnd, "scroll_released"); });
  h.Run();
  editHook.reset();
  listHook.reset();
}

TEST(SkinnedWindows, ThePopupShadowIsMadeAtStartUp) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  gui::TBitmap* shadow = PopupShadowBitmap();
  ASSERT_NE(shadow, nullptr);
  EXPECT_EQ(shadow->Width(), 35);
  EXPECT_EQ(shadow->Height(), 45);
  h.Save(*shadow, "popup_shadow");
}

}  // namespace
}  // namespace skin

// What a person sees of skinned speed buttons, size grips and up-downs: a speed button
// painted from its section and pressed, its own look back once the handler goes, a handler
// that outlives its button leaving it alone; a grip answering its corner everywhere; an
// up-down's half under the mouse pressed. Screenshots stay in tests/skin/hooks/shots.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "gui/Buttons.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/hooks/acSizerWnd.h"
#include "skin/hooks/acSpeedButtonHandler.h"
#include "skin/hooks/acSpinWnd.h"

namespace skin {
namespace {

COLORREF Px(gui::TBitmap& shot, HWND form, int x, int y) {
  RECT fr, cr;
  GetWindowRect(form, &fr);
  POINT o{0, 0};
  ClientToScreen(form, &o);
  return ::GetPixel(shot.Canvas().Handle(), o.x - fr.left + x, o.y - fr.top + y);
}

// How many pixels of a client rectangle differ between two shots of the form.
int Changed(gui::TBitmap& a, gui::TBitmap& b, HWND form, RECT r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += Px(a, form, x, y) != Px(b, form, x, y);
  return n;
}

TEST(SmallHooks, SpeedButtonPaintedPressedAndGivenBack) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Tombol cepat", 300, 160);
  HWND f = form.Handle();
  auto* sb = new gui::TSpeedButton(&form);
  sb->SetParent(&form);
  sb->SetBounds(20, 20, 100, 32);
  sb->SetCaption("Cari");
  sb->SetGroupIndex(1);
  sb->SetAllowAllUp(true);
  const RECT area{20, 20, 120, 52};
  TsCommonData data(nullptr, true);
  std::unique_ptr<TacSpeedButtonHandler> handler;
  gui::TBitmap *own = nullptr, *skinned = nullptr;
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
  });
  h.Step("its own look", [&] { own = &h.Shot(f, "speedbutton_own"); });
  h.Step("handled", [&] {
    handler = std::make_unique<TacSpeedButtonHandler>(sb, &data, h.Manager.get(), "SPEEDBUTTON");
    data.FLoading = false;
    sb->Invalidate();
  });
  h.Step("skinned", [&] {
    skinned = &h.Shot(f, "speedbutton_skinned");
    EXPECT_GT(Changed(*own, *skinned, f, area), 200) << "painted from the section";
    EXPECT_EQ(handler->PaintState(), 0);
  });
  h.Step("press", [&] {
    sb->SetDown(true);
    sb->Invalidate();
  });
  h.Step("pressed", [&] {
    gui::TBitmap& shot = h.Shot(f, "speedbutton_pressed");
    EXPECT_EQ(handler->PaintState(), 2);
    EXPECT_GT(Changed(shot, *skinned, f, area), 20) << "the pressed look";
    sb->SetDown(false);
  });
  h.Step("handler goes", [&] {
    handler.reset();
    sb->Invalidate();
  });
  h.Step("its own look again", [&] {
    gui::TBitmap& shot = h.Shot(f, "speedbutton_given_back");
    EXPECT_EQ(Changed(shot, *own, f, area), 0) << "the button paints itself again";
  });
  h.Run();
}

// Pixels of a client rectangle that are plainly red (the test glyph's own colour).
int RedPixels(gui::TBitmap& shot, HWND form, RECT r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = Px(shot, form, x, y);
      n += GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60;
    }
  return n;
}

TEST(SmallHooks, DiscolouredSpeedButtonGlyphAtRestOnly) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Gambar pudar", 240, 120);
  HWND f = form.Handle();
  auto* sb = new gui::TSpeedButton(&form);
  sb->SetParent(&form);
  sb->SetBounds(20, 20, 60, 40);
  guitest::PaintRedGlyph(sb->Glyph());
  sb->SetGroupIndex(2);
  sb->SetAllowAllUp(true);
  const RECT area{20, 20, 80, 60};
  TsCommonData data(nullptr, true);
  std::unique_ptr<TacSpeedButtonHandler> handler;
  gui::TBitmap* coloured = nullptr;
  h.Step("show", [&] {
    SetCursorPos(0, 0);  // the button at rest
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
    handler = std::make_unique<TacSpeedButtonHandler>(sb, &data, h.Manager.get(), "SPEEDBUTTON");
    data.FLoading = false;
    sb->Invalidate();
  });
  h.Step("own colours", [&] {
    coloured = &h.Shot(f, "speedbutton_glyph_coloured");
    EXPECT_GE(RedPixels(*coloured, f, area), 100) << "the picture in its own colours";
    h.Manager->Effects.SetOption(1, true);  // discoloured glyphs
    data.FCacheInvalid = true;
    sb->Invalidate();
  });
  h.Step("discoloured at rest", [&] {
    gui::TBitmap& shot = h.Shot(f, "speedbutton_glyph_discoloured");
    EXPECT_EQ(handler->PaintState(), 0);
    EXPECT_TRUE(data.IsSkinned(false));
    EXPECT_EQ(RedPixels(shot, f, area), 0) << "the picture in the section's colour";
    EXPECT_GE(Changed(shot, *coloured, f, area), 100);
    sb->SetDown(true);
    sb->Invalidate();
  });
  h.Step("own colours when down", [&] {
    gui::TBitmap& shot = h.Shot(f, "speedbutton_glyph_down");
    EXPECT_EQ(handler->PaintState(), 2);
    EXPECT_GE(RedPixels(shot, f, area), 100) << "a pressed button shows the picture as it is";
    sb->SetDown(false);
  });
  h.Run();
  h.Manager->Effects.SetOption(1, false);
  handler.reset();
}

TEST(SmallHooks, AHandlerOutlivingItsButtonLeavesItAlone) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  gui::TForm& form = h.NewForm("Tombol", 200, 100);
  auto* sb = new gui::TSpeedButton(&form);
  sb->SetParent(&form);
  TsCommonData data(nullptr, true);
  auto handler = std::make_unique<TacSpeedButtonHandler>(sb, &data, h.Manager.get(), "SPEEDBUTTON");
  delete sb;  // a windowless control gets no WM_DESTROY
  EXPECT_EQ(handler->Button(), nullptr) << "told by the class layer";
  EXPECT_EQ(data.FControl, nullptr);
  handler.reset();  // must not give a WindowProc back to the freed button

  // Skin command 2 gives the button its own painting back.
  auto* other = new gui::TSpeedButton(&form);
  other->SetParent(&form);
  handler = std::make_unique<TacSpeedButtonHandler>(other, &data, h.Manager.get(), "SPEEDBUTTON");
  other->Perform(SM_ALPHACMD, MakeSkinCommand(AC_REMOVESKIN), reinterpret_cast<LPARAM>(h.Manager.get()));
  EXPECT_TRUE(handler->Restored());
  handler.reset();
}

TEST(SmallHooks, SizeGripAndUpDown) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  gui::TForm& form = h.NewForm("Grip", 240, 160);
  HWND f = form.Handle();
  HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 200, 100, 18, 18, f, nullptr,
                              nullptr, nullptr);
  HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 20, 20, 17, 30, f, nullptr, nullptr,
                              nullptr);
  SendMessageW(spin, UDM_SETRANGE32, 0, 100);
  std::unique_ptr<TacSizerWnd> gripHook;
  std::unique_ptr<TacSpinWnd> spinHook;
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
  });
  h.Step("hook", [&] {
    gripHook = std::make_unique<TacSizerWnd>();
    gripHook->Attach(grip);
    gripHook->AfterCreation();
    spinHook = std::make_unique<TacSpinWnd>();
    spinHook->Attach(spin);
    spinHook->AfterCreation();
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("the grip's corner everywhere", [&] {
    RECT r;
    GetWindowRect(grip, &r);
    for (POINT p : {POINT{r.left, r.top}, POINT{r.left + 9, r.top + 9}, POINT{r.right - 1, r.bottom - 1},
                    POINT{r.left, r.bottom - 1}})
      EXPECT_EQ(SendMessageW(grip, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTBOTTOMRIGHT) << p.x << "," << p.y;
  });
  h.Step("press the lower half", [&] {
    RECT r;
    GetWindowRect(spin, &r);
    SetCursorPos(r.left + 8, r.bottom - 5);
    SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 25));
  });
  h.Step("the lower half pressed", [&] {
    h.Shot(f, "updown_lower_pressed");
    EXPECT_EQ(spinHook->FirstButtonState(), 0);
    EXPECT_EQ(spinHook->SecondButtonState(), 2);
    SendMessageW(spin, WM_LBUTTONUP, 0, MAKELPARAM(8, 25));
  });
  h.Step("hover the upper half", [&] {
    RECT r;
    GetWindowRect(spin, &r);
    SetCursorPos(r.left + 8, r.top + 4);
    RedrawWindow(spin, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
  h.Step("the upper half hot", [&] {
    h.Shot(f, "updown_upper_hot");
    EXPECT_EQ(spinHook->FirstButtonState(), 1);
    EXPECT_EQ(spinHook->SecondButtonState(), 0);
  });
  h.Run();
  SetCursorPos(0, 0);
  gripHook.reset();
  spinHook.reset();
}

// The owner's procedure: counts the skin command an up-down sends after painting.
int g_ownerPainted = 0;
WNDPROC g_ownerProc = nullptr;
LRESULT CALLBACK CountingOwner(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == SM_ALPHACMD && HIWORD(wp) == 78) ++g_ownerPainted;
  return CallWindowProcW(g_ownerProc, w, msg, wp, lp);
}

TEST(SmallHooks, UpDownTellsItsOwnerAndStaysLeftForARightToLeftOne) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  gui::TForm& form = h.NewForm("Panah", 260, 140);
  HWND f = form.Handle();
  HWND owner = CreateWindowExW(WS_EX_RTLREADING, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 230, 100, f, nullptr,
                               nullptr, nullptr);
  g_ownerProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(owner, GWLP_WNDPROC, LONG_PTR(&CountingOwner)));
  HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_HORZ, 180, 10, 34, 17, owner, nullptr,
                              nullptr, nullptr);
  g_ownerPainted = 0;
  std::unique_ptr<TacSpinWnd> hook;
  auto left = [&] {
    RECT r;
    GetWindowRect(spin, &r);
    MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&r), 2);
    return r.left;
  };
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
    hook = std::make_unique<TacSpinWnd>();
    hook->Attach(spin);
    hook->AfterCreation();
    hook->FOwnerWnd = owner;
    RedrawWindow(spin, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
  h.Step("owner told, arrows kept left", [&] {
    h.Shot(f, "updown_owner_rtl");
    EXPECT_GT(g_ownerPainted, 0) << "the owner hears of each paint";
    SetWindowPos(spin, nullptr, 180, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(left(), 0) << "a right-to-left owner keeps its arrows at its left edge";
    SetWindowLongW(owner, GWL_EXSTYLE, GetWindowLongW(owner, GWL_EXSTYLE) & ~WS_EX_RTLREADING);
    SetWindowPos(spin, nullptr, 180, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(left(), 180) << "a left-to-right owner puts them where asked";
    hook->FActive = false;  // not painting, the arrows still follow the owner's direction
    SetWindowLongW(owner, GWL_EXSTYLE, GetWindowLongW(owner, GWL_EXSTYLE) | WS_EX_RTLREADING);
    SetWindowPos(spin, nullptr, 120, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(left(), 0);
  });
  h.Run();
  hook.reset();
  SetWindowLongPtrW(owner, GWLP_WNDPROC, LONG_PTR(g_ownerProc));
}

}  // namespace
}  // namespace skin

// What a person sees of skinned push buttons, check boxes and radio buttons on a form: each
// look of a button (normal, hot, pressed, default, focused) painted from its section, a
// dialog's OK and Cancel coloured, and the skin's check glyph with the caption on either
// side. Screenshots stay in tests/skin/hooks/shots.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "gui/Buttons.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acGlow.h"
#include "skin/hooks/acBtnWnd.h"
#include "skin/hooks/acCheckBoxWnd.h"
#include "skin/hooks/acPanelWnd.h"

namespace skin {
namespace {

HWND Native(HWND parent, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
  HWND b = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
  SendMessageW(b, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return b;
}

template <class H>
std::unique_ptr<H> Hook(HWND w) {
  auto h = std::make_unique<H>();
  h->Attach(w);
  h->AfterCreation();
  InvalidateRect(w, nullptr, TRUE);
  return h;
}

COLORREF Px(gui::TBitmap& shot, HWND form, HWND child, int x, int y) {
  RECT fr, cr;
  GetWindowRect(form, &fr);
  GetWindowRect(child, &cr);
  return ::GetPixel(shot.Canvas().Handle(), cr.left - fr.left + x, cr.top - fr.top + y);
}

// The darkest pixels (the skin's check glyph is near black) in columns [x0, x1) of a child.
int DarkPixels(gui::TBitmap& shot, HWND form, HWND child, int x0, int x1) {
  RECT cr;
  GetWindowRect(child, &cr);
  int n = 0;
  for (int y = 0; y < cr.bottom - cr.top; ++y)
    for (int x = x0; x < x1; ++x) {
      const COLORREF c = Px(shot, form, child, x, y);
      if (GetRValue(c) < 40 && GetGValue(c) < 40 && GetBValue(c) < 40) ++n;
    }
  return n;
}

// How many pixels of a child differ between two shots of its form.
int Changed(gui::TBitmap& a, gui::TBitmap& b, HWND form, HWND child) {
  RECT cr;
  GetWindowRect(child, &cr);
  int n = 0;
  for (int y = 0; y < cr.bottom - cr.top; ++y)
    for (int x = 0; x < cr.right - cr.left; ++x) n += Px(a, form, child, x, y) != Px(b, form, child, x, y);
  return n;
}

// The mouse put over a window and the manager told, as its mouse hook does.
void HoverOver(skintest::TSkinHarness& h, HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  h.Manager->SetHoveredWindow(w);
}

TEST(ButtonHooks, StatesColouringAndCheckGlyphs) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  h.Manager->ButtonsOptions.ModalButtonsColoring = bcBackground | bcText;
  gui::TForm& form = h.NewForm("Tombol", 460, 260);
  HWND f = form.Handle();
  HWND ok = Native(f, L"OK", BS_PUSHBUTTON, 10, 10, 90, 30, IDOK);
  HWND cancel = Native(f, L"Batal", BS_PUSHBUTTON, 110, 10, 90, 30, IDCANCEL);
  HWND plain = Native(f, L"Simpan", BS_PUSHBUTTON, 210, 10, 90, 30, 100);
  HWND def = Native(f, L"Bawaan", BS_DEFPUSHBUTTON, 310, 10, 90, 30, 101);
  HWND checked = Native(f, L"Aktif", BS_AUTOCHECKBOX, 10, 60, 140, 22, 102);
  HWND unchecked = Native(f, L"Tidak aktif", BS_AUTOCHECKBOX, 10, 90, 140, 22, 103);
  HWND left = Native(f, L"Teks di kiri", BS_AUTOCHECKBOX | BS_LEFTTEXT, 170, 60, 140, 22, 104);
  HWND radio = Native(f, L"Pria", BS_AUTORADIOBUTTON, 170, 90, 140, 22, 105);
  SendMessageW(checked, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(left, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);

  std::vector<std::unique_ptr<TacBtnWnd>> buttons;
  std::vector<std::unique_ptr<TacCheckBoxWnd>> checks;
  COLORREF normalFace = 0;
  gui::TBitmap* normal = nullptr;
  h.Step("show", [&] {
    SetCursorPos(0, 0);  // no button hovered
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
  });
  h.Step("hook", [&] {
    for (HWND b : {ok, cancel, plain, def}) buttons.push_back(Hook<TacBtnWnd>(b));
    for (HWND c : {checked, unchecked, left, radio}) checks.push_back(Hook<TacCheckBoxWnd>(c));
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("normal", [&] {
    gui::TBitmap& shot = h.Shot(f, "buttons_normal");
    normal = &shot;
    EXPECT_EQ(buttons[0]->ModalId(), IDOK);
    EXPECT_EQ(buttons[2]->GetButtonState(), 0);
    EXPECT_EQ(buttons[3]->GetButtonState(), 3) << "a native default button";
    normalFace = Px(shot, f, plain, 45, 6);
    const COLORREF okFace = Px(shot, f, ok, 45, 6), cancelFace = Px(shot, f, cancel, 45, 6);
    EXPECT_GT(GetGValue(okFace), GetRValue(okFace)) << "OK tinted green";
    EXPECT_GT(GetRValue(cancelFace), GetGValue(cancelFace)) << "Cancel tinted red";
    EXPECT_NE(okFace, normalFace);
    // The check glyph: at the left edge, or at the right with the text on the left.
    EXPECT_GT(DarkPixels(shot, f, checked, 0, 16), 20);
    EXPECT_GT(DarkPixels(shot, f, left, 124, 140), 20);
    EXPECT_LT(DarkPixels(shot, f, left, 0, 16), DarkPixels(shot, f, left, 124, 140));
  });
  h.Step("hover", [&] { HoverOver(h, plain); }, 400);
  h.Step("hot", [&] {
    gui::TBitmap& shot = h.Shot(f, "buttons_hot");
    EXPECT_EQ(buttons[2]->GetButtonState(), 1);
    EXPECT_GT(Changed(shot, *normal, f, plain), 50) << "the hot look differs";
    EXPECT_EQ(Changed(shot, *normal, f, cancel), 0) << "only the hovered button changes";
  });
  h.Step("leave and press", [&] {
    SetCursorPos(0, 0);
    h.Manager->SetHoveredWindow(nullptr);
    SendMessageW(plain, BM_SETSTATE, TRUE, 0);
  });
  h.Step("pressed", [&] {
    gui::TBitmap& shot = h.Shot(f, "buttons_pressed");
    EXPECT_EQ(buttons[2]->GetButtonState(), 2);
    EXPECT_GT(Changed(shot, *normal, f, plain), 50) << "the pressed look differs";
  });
  h.Step("let go and focus", [&] {
    SendMessageW(plain, BM_SETSTATE, FALSE, 0);
    SetFocus(plain);
  });
  h.Step("focused", [&] {
    h.Shot(f, "buttons_focused");
    EXPECT_EQ(buttons[2]->GetButtonState(), 1) << "a focused native button is hot";
  });
  h.Step("disable and uncheck", [&] {
    EnableWindow(plain, FALSE);
    SendMessageW(checked, BM_SETCHECK, BST_UNCHECKED, 0);
  });
  h.Step("disabled and unchecked", [&] {
    gui::TBitmap& shot = h.Shot(f, "buttons_disabled");
    EXPECT_EQ(buttons[2]->GetButtonState(), 0);
    EXPECT_EQ(checks[0]->CheckState(), 0);
    EXPECT_GT(Changed(shot, *normal, f, plain), 50) << "faded into the background";
    EXPECT_GT(Changed(shot, *normal, f, checked), 20) << "the glyph follows the check state";
  });
  h.Run();
  buttons.clear();
  checks.clear();
}

TEST(ButtonHooks, HoverFadesInAndOutWithTheGlow) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  ASSERT_TRUE(h.Manager->Effects.AllowAnimation);
  GlowEffectList();  // the glows' windows, as the forms' start-up makes them
  gui::TForm& form = h.NewForm("Pudar", 360, 120);
  HWND f = form.Handle();
  HWND button = Native(f, L"Simpan", BS_PUSHBUTTON, 20, 20, 100, 30, 100);
  HWND check = Native(f, L"Aktif", BS_AUTOCHECKBOX, 150, 24, 140, 22, 101);
  std::unique_ptr<TacBtnWnd> bh;
  std::unique_ptr<TacCheckBoxWnd> ch;
  gui::TBitmap* normal = nullptr;
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
    SetCursorPos(0, 0);
    // The test skin's button section with a glow picture.
    bh = std::make_unique<TacBtnWnd>();
    bh->Attach(button, "GLOWBUTTON");
    bh->AfterCreation();
    ch = Hook<TacCheckBoxWnd>(check);
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("at rest", [&] {
    normal = &h.Shot(f, "fade_normal");
    HoverOver(h, button);
    EXPECT_TRUE(bh->SkinData()->FHovered);
    EXPECT_TRUE(bh->SkinData()->IsAnimating()) << "the hot look fades in";
  }, 400);
  h.Step("faded in", [&] {
    gui::TBitmap& shot = h.Shot(f, "fade_button_hot");
    EXPECT_FALSE(bh->SkinData()->IsAnimating()) << "the fade ended";
    EXPECT_GT(Changed(shot, *normal, f, button), 50) << "the button shows its hot look";
    EXPECT_GE(bh->SkinData()->FGlowID, 0) << "the section's glow around the hovered button";
    // A stale word that the mouse came, sent after it went, changes nothing.
    SetCursorPos(0, 0);
    SendMessageW(check, SM_ALPHACMD, MAKEWPARAM(0, AC_MOUSEENTER), 0);
    EXPECT_FALSE(ch->SkinData()->FHovered);
    HoverOver(h, check);  // the button is told it was left
    EXPECT_FALSE(bh->SkinData()->FHovered);
    EXPECT_TRUE(bh->SkinData()->IsAnimating()) << "the normal look fades back";
    EXPECT_TRUE(ch->SkinData()->FHovered);
  }, 600);
  h.Step("faded out", [&] {
    gui::TBitmap& shot = h.Shot(f, "fade_button_left");
    EXPECT_FALSE(bh->SkinData()->IsAnimating());
    EXPECT_EQ(Changed(shot, *normal, f, button), 0) << "the fade ends on the plain look";
    EXPECT_LT(bh->SkinData()->FGlowID, 0) << "the glow went with the mouse";
    EXPECT_GT(Changed(shot, *normal, f, check), 0) << "the check box shows its hot look";
    SetCursorPos(0, 0);
    h.Manager->SetHoveredWindow(nullptr);
  }, 600);
  h.Step("all at rest", [&] {
    gui::TBitmap& shot = h.Shot(f, "fade_all_left");
    EXPECT_EQ(Changed(shot, *normal, f, check), 0);
  });
  h.Run();
  bh.reset();
  ch.reset();
}

TEST(ButtonHooks, OurButtonsAndABitmapButton) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  h.Manager->ButtonsOptions.ModalButtonsColoring = bcBackground | bcText;
  gui::TForm& form = h.NewForm("Tombol kita", 360, 140);
  HWND f = form.Handle();
  auto* save = new gui::TButton(&form);
  save->SetParent(&form);
  save->SetBounds(10, 10, 90, 30);
  save->SetCaption("Simpan");
  save->ModalResult = 1;  // mrOk
  save->Default = true;
  auto* close = new gui::TButton(&form);
  close->SetParent(&form);
  close->SetBounds(110, 10, 90, 30);
  close->SetCaption("Tutup");
  close->ModalResult = 2;  // mrCancel
  HWND pictured = Native(f, L"Cetak", BS_PUSHBUTTON | BS_BITMAP, 210, 10, 120, 34, 300);
  // The button's own picture: blue, 16 x 16, 24 bits.
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 24, BI_RGB};
  void* bits = nullptr;
  HBITMAP blue = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(blue, nullptr);
  for (int i = 0; i < 16 * 16; ++i) {
    auto* p = static_cast<uint8_t*>(bits) + i * 3;
    p[0] = 230, p[1] = 0, p[2] = 0;
  }
  SendMessageW(pictured, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(blue));
  ASSERT_EQ(reinterpret_cast<HBITMAP>(SendMessageW(pictured, BM_GETIMAGE, IMAGE_BITMAP, 0)), blue);

  std::unique_ptr<TacBtnWnd> saveHook, closeHook;
  std::unique_ptr<TacBitBtnWnd> picturedHook;
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
  });
  h.Step("hook", [&] {
    saveHook = std::make_unique<TacBtnWnd>();
    saveHook->AttachControl(save);
    saveHook->AfterCreation();
    closeHook = std::make_unique<TacBtnWnd>();
    closeHook->AttachControl(close);
    closeHook->AfterCreation();
    picturedHook = Hook<TacBitBtnWnd>(pictured);
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(f, "buttons_ours");
    EXPECT_EQ(saveHook->ModalId(), 1) << "OK by its result";
    EXPECT_EQ(closeHook->ModalId(), 7) << "Cancel by its result";
    const COLORREF okFace = Px(shot, f, save->Handle(), 45, 6), cancelFace = Px(shot, f, close->Handle(), 45, 6);
    EXPECT_GT(GetGValue(okFace), GetRValue(okFace)) << "our OK tinted green";
    EXPECT_GT(GetRValue(cancelFace), GetGValue(cancelFace)) << "our Cancel tinted red without an OK sibling ID";
    // The picture sits left of the caption, vertically centred.
    int bluePixels = 0, firstBlue = 1000;
    for (int x = 0; x < 120; ++x) {
      const COLORREF c = Px(shot, f, pictured, x, 17);
      if (GetBValue(c) > 200 && GetRValue(c) < 40 && GetGValue(c) < 40) {
        ++bluePixels;
        firstBlue = std::min(firstBlue, x);
      }
    }
    EXPECT_EQ(bluePixels, 16) << "the whole picture row";
    EXPECT_LT(firstBlue, 50) << "left of the caption";
  });
  h.Run();
  saveHook.reset();
  closeHook.reset();
  picturedHook.reset();
  DeleteObject(blue);
}

TEST(ButtonHooks, ASeeThroughButtonShowsTheBackgroundWhereItMoved) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Geser", 360, 160);
  HWND f = form.Handle();
  auto* panel = new gui::TPanel(&form);  // the skin's panel carries a patterned picture
  panel->SetParent(&form);
  panel->SetBounds(10, 10, 330, 110);
  HWND button = Native(panel->Handle(), L"Geser", BS_PUSHBUTTON, 10, 20, 100, 30, 100);
  TacPanelWnd panelHook;
  std::unique_ptr<TacBtnWnd> hook;
  gui::TBitmap* moved = nullptr;
  h.Step("show", [&] {
    SetCursorPos(0, 0);
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
    panelHook.AttachControl(panel);
    panelHook.AfterCreation();
    hook = std::make_unique<TacBtnWnd>();
    hook->Attach(button, "CHILDBUTTON");  // 30 per cent see-through
    hook->AfterCreation();
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("move", [&] { SetWindowPos(button, nullptr, 47, 33, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); });
  h.Step("moved", [&] {
    moved = &h.Shot(f, "button_seethrough_moved");
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
  h.Step("painted afresh", [&] {
    gui::TBitmap& fresh = h.Shot(f, "button_seethrough_fresh");
    EXPECT_EQ(Changed(fresh, *moved, f, button), 0) << "the background of the new place at once";
  });
  h.Run();
  hook.reset();
}

// A parent that closes its button when it is clicked, as a dialog closes on OK.
WNDPROC g_closingProc = nullptr;
LRESULT CALLBACK ClosesItsButton(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) DestroyWindow(reinterpret_cast<HWND>(lp));
  return CallWindowProcW(g_closingProc, w, msg, wp, lp);
}

TEST(ButtonHooks, AClickBackToHotAndAClickThatClosesTheButton) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Klik", 300, 120);
  HWND f = form.Handle();
  HWND stays = Native(f, L"Simpan", BS_PUSHBUTTON, 20, 20, 100, 30, 100);
  HWND box = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 140, 10, 140, 60, f, nullptr, nullptr, nullptr);
  g_closingProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(box, GWLP_WNDPROC, LONG_PTR(&ClosesItsButton)));
  HWND closes = Native(box, L"OK", BS_PUSHBUTTON, 10, 10, 100, 30, IDOK);
  std::unique_ptr<TacBtnWnd> stayHook, closeHook;
  auto click = [](HWND b) {
    SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  };
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
    stayHook = Hook<TacBtnWnd>(stays);
    closeHook = Hook<TacBtnWnd>(closes);
    HoverOver(h, stays);
  }, 300);
  h.Step("click the hovered button", [&] {
    click(stays);
    EXPECT_EQ(stayHook->GetButtonState(), 1) << "back to the hot look while the mouse stays";
    EXPECT_TRUE(stayHook->SkinData()->FHovered);
  }, 300);
  h.Step("click the closing one", [&] {
    HoverOver(h, closes);
    click(closes);
    EXPECT_FALSE(IsWindow(closes)) << "closed by its click, the hook left it quietly";
    EXPECT_TRUE(closeHook->Released());
  }, 300);
  h.Run();
  SetCursorPos(0, 0);
  h.Manager->SetHoveredWindow(nullptr);
  stayHook.reset();
  closeHook.reset();
  SetWindowLongPtrW(box, GWLP_WNDPROC, LONG_PTR(g_closingProc));
}

// Columns of a child (from its left) holding pixels near black: the caption and the arrow.
std::vector<int> DarkColumns(gui::TBitmap& shot, HWND form, HWND child) {
  RECT cr;
  GetWindowRect(child, &cr);
  std::vector<int> cols;
  for (int x = 3; x < cr.right - cr.left - 3; ++x)
    if (DarkPixels(shot, form, child, x, x + 1) > 0) cols.push_back(x);
  return cols;
}

bool Red(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }

TEST(ButtonHooks, OurBitmapButtonsByLayoutAndTheDefaultLook) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Tombol gambar", 360, 140);
  HWND f = form.Handle();
  auto* top = new gui::TBitBtn(&form);
  top->SetParent(&form);
  top->SetBounds(10, 10, 100, 60);
  top->SetCaption("Cetak");
  top->SetLayout(gui::TButtonLayout::blGlyphTop);
  top->Default = true;
  guitest::PaintRedGlyph(top->Glyph());
  auto* right = new gui::TBitBtn(&form);
  right->SetParent(&form);
  right->SetBounds(130, 10, 120, 34);
  right->SetCaption("Simpan");
  right->SetLayout(gui::TButtonLayout::blGlyphRight);
  guitest::PaintRedGlyph(right->Glyph());
  std::unique_ptr<TacBitBtnWnd> topHook, rightHook;
  gui::TBitmap* own = nullptr;
  h.Step("show", [&] {
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
    SetFocus(nullptr);
    SetCursorPos(0, 0);  // no button hovered
  });
  h.Step("their own look", [&] { own = &h.Shot(f, "bitbtn_own"); });
  h.Step("hook", [&] {
    for (auto [hook, b] : {std::pair{&topHook, top}, std::pair{&rightHook, right}}) {
      *hook = std::make_unique<TacBitBtnWnd>();
      (*hook)->AttachControl(b);
      (*hook)->AfterCreation();
    }
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(f, "bitbtn_skinned");
    EXPECT_GT(Changed(shot, *own, f, top->Handle()), 200) << "painted from the button section";
    EXPECT_EQ(topHook->GetButtonState(), 3) << "a default bitmap button while nothing has the focus";
    EXPECT_EQ(rightHook->GetButtonState(), 0);
    for (auto [hook, b] : {std::pair{topHook.get(), top}, std::pair{rightHook.get(), right}}) {
      const gui::TRect g = hook->GetGlyphRect(0);
      EXPECT_EQ(g.Width(), 16);
      int red = 0;
      for (int y = g.Top; y < g.Bottom; ++y)
        for (int x = g.Left; x < g.Right; ++x) red += Red(Px(shot, f, b->Handle(), x, y));
      EXPECT_EQ(red, 144) << b->Caption() << ": the whole picture in its place, its border see-through";
    }
    EXPECT_LT(topHook->GetGlyphRect(0).Bottom, 34) << "above the caption";
    const gui::TRect rg = rightHook->GetGlyphRect(0);
    const std::vector<int> rc = DarkColumns(shot, f, right->Handle());
    ASSERT_FALSE(rc.empty());
    EXPECT_LT(rc.front(), rg.Left) << "the caption left of the picture";
    // Another owner-drawn button with the focus takes the default look away.
    SetFocus(right->Handle());
    EXPECT_EQ(topHook->GetButtonState(), 0);
  });
  h.Run();
  topHook.reset();
  rightHook.reset();
}

TEST(ButtonHooks, SplitButtonsAndCommandLinks) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Tombol pilihan", 420, 160);
  HWND f = form.Handle();
  HWND plain = Native(f, L"Cetak", BS_PUSHBUTTON, 10, 10, 120, 30, 100);
  HWND split = Native(f, L"Cetak", 0x0C /* split button */, 150, 10, 120, 30, 101);
  HWND link = Native(f, L"Cetak", 0x0E /* command link */, 290, 10, 120, 30, 102);
  std::vector<std::unique_ptr<TacBtnWnd>> hooks;
  h.Step("show", [&] {
    SetCursorPos(0, 0);  // no button hovered
    ShowWindow(f, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(f);
  });
  h.Step("hook", [&] {
    hooks.push_back(Hook<TacBtnWnd>(plain));
    hooks.push_back(Hook<TacSplitBtnWnd>(split));
    hooks.push_back(Hook<TacSplitBtnWnd>(link));
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("caption left, arrow right", [&] {
    gui::TBitmap& shot = h.Shot(f, "buttons_split");
    const std::vector<int> p = DarkColumns(shot, f, plain);
    ASSERT_FALSE(p.empty());
    EXPECT_LT(p.back(), 120 - 22) << "a plain button has no arrow";
    for (HWND b : {split, link}) {
      const std::vector<int> s = DarkColumns(shot, f, b);
      ASSERT_FALSE(s.empty());
      EXPECT_EQ(s.front(), p.front() - TacSplitBtnWnd::kArrowWidth) << "the caption 8 pixels further left";
      EXPECT_GE(s.back(), 120 - 22) << "the arrow in the right 22 pixels";
    }
    EXPECT_EQ(static_cast<TacSplitBtnWnd*>(hooks[1].get())->ArrowRect().Left, 120 - 22);
  });
  h.Run();
  hooks.clear();
}

}  // namespace
}  // namespace skin

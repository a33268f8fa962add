// What a person sees of the combo hooks: a drop-down and a drop-down-list combo box of
// ours, skinned with their buttons; the drop-down list hooked the first time it asks for
// its colours, answered with one kept brush, and everything given back when the hooks go.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "HookSteps.h"
#include "gui/StdCtrls.h"
#include "rtl/Utf.h"
#include "skin/core/sMessages.h"
#include "skin/hooks/acComboWnd.h"

namespace skin {
namespace {

TEST(ComboHooks, BothStylesAndTheirListSkinnedAndRestored) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Pilih sektor", 360, 240);
  form.SetBounds(40, 400, 360, 240);  // clear of the other hook tests' forms
  auto* drop = new gui::TComboBox(&form);
  drop->SetParent(&form);
  drop->SetBounds(10, 10, 160, 24);
  auto* list = new gui::TComboBox(&form);
  list->SetStyle(gui::TComboBoxStyle::csDropDownList);
  list->SetParent(&form);
  list->SetBounds(180, 10, 160, 24);
  for (int i = 1; i <= 25; ++i) {
    drop->Items().Add("Sektor " + std::to_string(i));
    list->Items().Add("Pelkat " + std::to_string(i));
  }
  HWND formWnd = form.Handle();
  SendMessageW(list->Handle(), CB_SETCURSEL, 2, 0);
  SetWindowTextW(drop->Handle(), L"Sektor baru");

  TacComboBoxWnd dropHook, listHook;
  HWND listWnd = nullptr;
  HBRUSH first = nullptr;
  skintest::ShowSteps(h, formWnd);
  h.Step("hook", [&] {
    dropHook.HookControl(drop);
    listHook.HookControl(list);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("skinned", [&] {
    // Away from the mouse (another test may have put it here) and painted now.
    SetCursorPos(0, 0);
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    gui::TBitmap& shot = h.Shot(formWnd, "combo_skinned");
    for (HWND w : {drop->Handle(), list->Handle()})
      EXPECT_EQ(SendMessageW(w, SM_ALPHACMD, MAKEWPARAM(0, AC_CTRLHANDLED), 0), 1);
    EXPECT_EQ(listHook.ListHook(), nullptr) << "no list hook before the list asks";
    // The button's arrow is the combo section's glyph: its first, dark frame in the middle.
    const TBarRect b = listHook.ButtonRect();
    RECT fr, wr;
    GetWindowRect(formWnd, &fr);
    GetWindowRect(list->Handle(), &wr);
    int arrow = 0;
    for (int y = b.Top; y < b.Bottom; ++y)
      for (int x = b.Left; x < b.Right; ++x)
        arrow += ::GetPixel(shot.Canvas().Handle(), wr.left - fr.left + x, wr.top - fr.top + y) == RGB(30, 30, 30);
    EXPECT_GE(arrow, 40) << "the skin's arrow glyph";
    EXPECT_EQ(listHook.ButtonState(), 0);
  });
  h.Step("drop the list down", [&] {
    SendMessageW(list->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  });
  h.Step("the list hooked", [&] {
    COMBOBOXINFO info{sizeof(info)};
    ASSERT_TRUE(GetComboBoxInfo(list->Handle(), &info));
    listWnd = info.hwndList;
    ASSERT_NE(listHook.ListHook(), nullptr) << "hooked when it first asked for its colours";
    EXPECT_EQ(listHook.ListWnd(), listWnd);
    EXPECT_EQ(GetScrollWnd(listWnd), listHook.ListHook());
    EXPECT_EQ(listHook.ButtonState(), 2) << "pressed while open";
    h.Shot(formWnd, "combo_dropped");
    h.Shot(listWnd, "combo_list");
    // Every colour answer of one colour is the same brush.
    HDC dc = GetDC(listWnd);
    first = reinterpret_cast<HBRUSH>(SendMessageW(list->Handle(), WM_CTLCOLORLISTBOX, WPARAM(dc), LPARAM(listWnd)));
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageW(list->Handle(), WM_CTLCOLORLISTBOX, WPARAM(dc), LPARAM(listWnd))),
                first);
    ReleaseDC(listWnd, dc);
    EXPECT_EQ(GetObjectType(first), DWORD(OBJ_BRUSH));
    LOGBRUSH lb{};
    GetObjectW(first, sizeof(lb), &lb);
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 255)) << "the list's section colour";
  });
  h.Step("close it", [&] { SendMessageW(list->Handle(), CB_SHOWDROPDOWN, FALSE, 0); });
  h.Step("release", [&] {
    EXPECT_NE(listHook.ButtonState(), 2);
    dropHook.ReleaseScroll(true);
    listHook.ReleaseScroll(true);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("restored", [&] {
    h.Shot(formWnd, "combo_released");
    EXPECT_EQ(listHook.ListHook(), nullptr);
    EXPECT_EQ(GetScrollWnd(listWnd), nullptr) << "the list's own bars back";
    EXPECT_EQ(GetObjectType(first), 0u) << "the list's brush went with its hook";
    for (HWND w : {drop->Handle(), list->Handle()}) EXPECT_EQ(GetWindowSkinData(w), nullptr);
  });
  h.Run();
}

// The halos shown and hidden, without their windows.
struct TRecordedGlows : TacGlowEffects {
  int shown = 0, hidden = 0;
  int ShowGlowEffect(const gui::TRect&, const std::string&, const std::string&, TsCommonData*, HWND, uint8_t,
                     int) override {
    return shown++;
  }
  void HideGlowEffect(int& id, bool) override {
    ++hidden;
    id = -1;
  }
  void SetGlowEffectAlpha(int, uint8_t) override {}
};

// An owner-drawn combo box of ours: each item (the edit part and the list's) is laid on the
// skin's colours, the chosen one on the skin's selection, and the program's handler paints
// over it; the halo comes with the mouse over a combo whose section glows and goes with it.
TEST(ComboHooks, OwnerDrawnItemsOnTheSkinAndTheHaloUnderTheMouse) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Warna pelkat", 360, 240);
  form.SetBounds(420, 40, 360, 240);
  auto* drawn = new gui::TComboBox(&form);
  drawn->SetStyle(gui::TComboBoxStyle::csOwnerDrawFixed);
  drawn->SetParent(&form);
  drawn->SetBounds(10, 10, 160, 24);
  for (int i = 1; i <= 6; ++i) drawn->Items().Add("Pelkat " + std::to_string(i));
  std::vector<std::pair<int, unsigned>> calls;
  drawn->OnDrawItem = [&](gui::TWinControl* c, int index, const gui::TRect& r, unsigned state) {
    calls.emplace_back(index, state);
    // A colour mark before the name, as a category list shows it.
    HDC dc = static_cast<gui::TComboBox*>(c)->Canvas().Handle();
    RECT mark{r.Left + 2, r.Top + 3, r.Left + 12, r.Bottom - 3};
    HBRUSH red = CreateSolidBrush(RGB(220, 0, 0));
    FillRect(dc, &mark, red);
    DeleteObject(red);
    const std::wstring w = rtl::W(static_cast<gui::TComboBox*>(c)->Items()[index]);
    TextOutW(dc, r.Left + 16, r.Top + 1, w.c_str(), int(w.size()));
  };
  auto* glowing = new gui::TComboBox(&form);
  glowing->SetStyle(gui::TComboBoxStyle::csDropDownList);
  glowing->SetParent(&form);
  glowing->SetBounds(190, 10, 150, 24);
  HWND formWnd = form.Handle();
  drawn->SetItemIndex(1);
  TRecordedGlows glows;
  TacGlowEffects* before = GlowEffects();
  SetGlowEffects(&glows);

  TacComboBoxWnd drawnHook, glowingHook;
  HWND listWnd = nullptr;
  skintest::ShowSteps(h, formWnd);
  h.Step("hook", [&] {
    SetCursorPos(0, 0);
    drawnHook.HookControl(drawn);
    TacSkinParams glowSection;
    glowSection.SkinSection = "BUTTON";  // a section with a halo
    glowingHook.HookControl(glowing, glowSection);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("the edit part drawn on the skin", [&] {
    h.Shot(formWnd, "combo_owner_drawn");
    // What the combo holds, not the screen: another test's window may pass over it.
    gui::TBitmap held;
    skintest::TSkinHarness::WindowPixels(drawn->Handle(), held);
    auto at = [&](int x, int y) { return ::GetPixel(held.Canvas().Handle(), x, y); };
    bool editPart = false;
    for (auto [index, state] : calls) editPart |= index == 1 && (state & ODS_COMBOBOXEDIT);
    EXPECT_TRUE(editPart) << "the handler drew the chosen item in the edit part";
    int red = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 30; ++x) red += at(x, y) == RGB(220, 0, 0);
    EXPECT_GT(red, 30) << "the handler's mark on screen";
    const TBarRect b = drawnHook.ButtonRect();
    EXPECT_EQ(at(b.Left - 6, 12), RGB(255, 255, 255))
        << "beside the text the skin's edit colour, not the system's";
  });
  h.Step("drop the list down", [&] { SendMessageW(drawn->Handle(), CB_SHOWDROPDOWN, TRUE, 0); });
  h.Step("the list's items", [&] {
    COMBOBOXINFO info{sizeof(info)};
    ASSERT_TRUE(GetComboBoxInfo(drawn->Handle(), &info));
    listWnd = info.hwndList;
    RedrawWindow(listWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    h.Shot(listWnd, "combo_owner_drawn_list");
    gui::TBitmap shot;
    skintest::TSkinHarness::WindowPixels(listWnd, shot);
    RECT item;
    ASSERT_NE(SendMessageW(listWnd, LB_GETITEMRECT, 1, LPARAM(&item)), LB_ERR);
    RECT lw, lc;
    GetWindowRect(listWnd, &lw);
    GetClientRect(listWnd, &lc);
    MapWindowPoints(listWnd, nullptr, reinterpret_cast<POINT*>(&lc), 2);
    const int dx = lc.left - lw.left, dy = lc.top - lw.top;
    HDC dc = shot.Canvas().Handle();
    const COLORREF chosen = ::GetPixel(dc, dx + item.right - 8, dy + (item.top + item.bottom) / 2);
    EXPECT_EQ(chosen, RGB(0x31, 0x6A, 0xC5)) << "the chosen item on the skin's selection";
    EXPECT_NE(chosen, GetSysColor(COLOR_HIGHLIGHT));
    SendMessageW(listWnd, LB_GETITEMRECT, 3, LPARAM(&item));
    EXPECT_EQ(::GetPixel(dc, dx + item.right - 8, dy + (item.top + item.bottom) / 2), RGB(255, 255, 255))
        << "another item on the list's colour";
    EXPECT_EQ(::GetPixel(dc, dx + item.left + 6, dy + (item.top + item.bottom) / 2), RGB(220, 0, 0))
        << "with the handler's mark";
  });
  h.Step("close it", [&] { SendMessageW(drawn->Handle(), CB_SHOWDROPDOWN, FALSE, 0); });
  h.Step("the mouse over the glowing combo", [&] {
    RECT r;
    GetWindowRect(glowing->Handle(), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    glowing->Perform(gui::CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(glows.shown, 1) << "its halo";
    EXPECT_GE(glowingHook.SkinData()->FGlowID, 0);
    drawn->Perform(gui::CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(glows.shown, 1) << "no halo for a section without one";
  });
  h.Step("and away", [&] {
    SetCursorPos(0, 0);
    glowing->Perform(gui::CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(glows.hidden, 1) << "the halo goes";
    EXPECT_EQ(glowingHook.SkinData()->FGlowID, -1);
  });
  h.Step("release", [&] {
    drawnHook.ReleaseScroll(true);
    glowingHook.ReleaseScroll(true);
  });
  h.Run();
  SetGlowEffects(before);
}

// The face of the font the owner of a native owner-drawn combo box finds in the item's DC.
std::wstring g_itemFace;
HFONT g_itemFont = nullptr;
LRESULT CALLBACK ItemOwnerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DRAWITEM) {
    g_itemFont = static_cast<HFONT>(GetCurrentObject(reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hDC, OBJ_FONT));
    LOGFONTW lf{};
    GetObjectW(g_itemFont, sizeof lf, &lf);
    g_itemFace = lf.lfFaceName;
    return TRUE;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

// A native owner-drawn combo's items reach their owner in the manager's main font by its
// mode, and the font made for one item is gone once it is drawn.
TEST(ComboHooks, NativeOwnerDrawnItemsInTheMainFont) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Daftar warga", 300, 160);
  WNDCLASSW wc{};
  wc.lpfnWndProc = ItemOwnerProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvanItemOwner";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 280, 140, form.Handle(), nullptr,
                               wc.hInstance, nullptr);
  HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                   CBS_HASSTRINGS, 10, 10, 160, 120, owner, HMENU(7), wc.hInstance, nullptr);
  ASSERT_NE(combo, nullptr);
  SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(L"Pelkat PKB"));
  TacComboBoxWnd hook;
  hook.HookWindow(combo);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ own = GetCurrentObject(mem, OBJ_FONT);
  LOGFONTW lf{};
  GetObjectW(own, sizeof lf, &lf);
  const std::wstring ownFace = lf.lfFaceName;
  const TacFontMode modeBefore = h.Manager->Fonts.MainMode();
  const std::string nameBefore = h.Manager->Fonts.MainFont();
  const std::wstring skinFace = rtl::W(h.Manager->CommonInfo().MainFont);
  struct Case {
    TacFontMode mode;
    std::string name;
    std::wstring face;
  } cases[] = {
      {TacFontMode::fmDefault, "Courier New", ownFace},
      {TacFontMode::fmCustom, "Courier New", L"Courier New"},
      {TacFontMode::fmCustom, "", ownFace},
      {TacFontMode::fmFromSkin, "Courier New", skinFace.empty() ? ownFace : skinFace},
  };
  for (const Case& c : cases) {
    h.Manager->Fonts.SetMainFont(c.name);
    h.Manager->Fonts.SetMainMode(c.mode);
    DRAWITEMSTRUCT di{ODT_COMBOBOX, 7, 0, ODA_DRAWENTIRE, 0, combo, mem, {0, 0, 120, 18}, 0};
    g_itemFont = nullptr;
    g_itemFace.clear();
    SendMessageW(combo, WM_DRAWITEM, 7, LPARAM(&di));
    EXPECT_EQ(g_itemFace, c.face) << int(c.mode) << " " << c.name;
    EXPECT_EQ(GetCurrentObject(mem, OBJ_FONT), own) << "the item DC's own font back";
    if (g_itemFont != own) {
      EXPECT_EQ(GetObjectType(g_itemFont), 0u) << "the item's font deleted";
    }
  }
  h.Manager->Fonts.SetMainFont(nameBefore);
  h.Manager->Fonts.SetMainMode(modeBefore);
  DeleteDC(mem);
  hook.ReleaseScroll(true);
  DestroyWindow(owner);
}

// A drop-down combo of ours on a form, with a second combo to take the focus away.
struct TDropDownForm {
  gui::TComboBox* drop = nullptr;
  gui::TComboBox* other = nullptr;
  HWND form = nullptr;
  explicit TDropDownForm(skintest::TSkinHarness& h) {
    gui::TForm& f = h.NewForm("Cari warga", 300, 200);
    f.SetBounds(420, 400, 300, 200);
    drop = new gui::TComboBox(&f);
    drop->SetParent(&f);
    drop->SetBounds(10, 10, 160, 24);
    for (int i = 1; i <= 8; ++i) drop->Items().Add("Rayon " + std::to_string(i));
    other = new gui::TComboBox(&f);
    other->SetParent(&f);
    other->SetBounds(10, 60, 160, 24);
    form = f.Handle();
    SetWindowTextW(drop->Handle(), L"Rayon baru");
  }
};

// The program's redraw switch holds the hook's painting (and its list's) off while off; a
// switch on that was never off changes nothing.
TEST(ComboHooks, RedrawSwitchHoldsTheHookAndItsList) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  TDropDownForm f(h);
  TacComboBoxWnd hook;
  skintest::ShowSteps(h, f.form);
  h.Step("hook", [&] {
    SetCursorPos(0, 0);
    hook.HookControl(f.drop);
  });
  h.Step("the redraw switch", [&] {
    const struct {
      BOOL on;
      int count;
    } switches[] = {{FALSE, 1}, {FALSE, 2}, {TRUE, 1}, {TRUE, 0}, {TRUE, 0}, {FALSE, 1}, {TRUE, 0}};
    for (auto s : switches) {
      SendMessageW(f.drop->Handle(), WM_SETREDRAW, WPARAM(s.on), 0);
      EXPECT_EQ(hook.SkinData()->FUpdateCount, s.count) << "after " << s.on;
    }
    EXPECT_TRUE(IsWindowVisible(f.drop->Handle())) << "the switch still reached the combo";
  });
  h.Step("drop the list down", [&] { SendMessageW(f.drop->Handle(), CB_SHOWDROPDOWN, TRUE, 0); });
  h.Step("the list held too", [&] {
    ASSERT_NE(hook.ListHook(), nullptr);
    SendMessageW(f.drop->Handle(), WM_SETREDRAW, FALSE, 0);
    EXPECT_EQ(hook.SkinData()->FUpdateCount, 1);
    EXPECT_EQ(hook.ListHook()->SkinData()->FUpdateCount, 1);
    SendMessageW(f.drop->Handle(), WM_SETREDRAW, TRUE, 0);
    EXPECT_EQ(hook.SkinData()->FUpdateCount, 0);
    EXPECT_EQ(hook.ListHook()->SkinData()->FUpdateCount, 0);
    SendMessageW(f.drop->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  });
  h.Step("release", [&] { hook.ReleaseScroll(true); });
  h.Run();
}

// A drop-down's text selection is cleared when the mouse comes or goes or the focus
// leaves, but kept while it has the focus.
TEST(ComboHooks, DropDownSelectionClearedAwayFromFocus) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  TDropDownForm f(h);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(f.drop->Handle(), &info));
  HWND edit = info.hwndItem;
  auto selectAll = [&] { SendMessageW(edit, EM_SETSEL, 0, -1); };
  auto selected = [&] {
    DWORD from = 0, to = 0;
    SendMessageW(edit, EM_GETSEL, WPARAM(&from), LPARAM(&to));
    return to > from;
  };
  auto mouseTo = [&](bool over) {
    RECT r;
    GetWindowRect(f.drop->Handle(), &r);
    if (over)
      SetCursorPos(r.left + 20, (r.top + r.bottom) / 2);
    else
      SetCursorPos(0, 0);
    f.drop->Perform(over ? gui::CM_MOUSEENTER : gui::CM_MOUSELEAVE, 0, 0);
  };

  TacComboBoxWnd hook;
  skintest::ShowSteps(h, f.form);
  h.Step("hook", [&] {
    SetCursorPos(0, 0);
    hook.HookControl(f.drop);
  });
  h.Step("focused: the selection kept", [&] {
    SetForegroundWindow(f.form);
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);
    selectAll();
    mouseTo(true);
    EXPECT_TRUE(selected()) << "the user's own selection";
    mouseTo(false);
    EXPECT_TRUE(selected());
  });
  h.Step("away from the focus: cleared", [&] {
    SetFocus(f.other->Handle());
    ASSERT_NE(GetFocus(), edit);
    for (int way = 0; way < 3; ++way) {
      selectAll();
      ASSERT_TRUE(selected());
      if (way < 2)
        mouseTo(way == 0);
      else
        SendMessageW(f.drop->Handle(), WM_KILLFOCUS, WPARAM(f.other->Handle()), 0);
      EXPECT_FALSE(selected()) << "way " << way;
    }
    EXPECT_EQ(GetWindowTextLengthW(f.drop->Handle()), 10) << "the text itself stays";
  });
  h.Step("release", [&] { hook.ReleaseScroll(true); });
  h.Run();
}

// Items of different heights: each as high as the program measures it, drawn by its
// handler on the skin in the list and, the chosen one, in the edit part.
TEST(ComboHooks, VariableHeightItemsMeasuredAndDrawnOnTheSkin) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Jenis ibadah", 300, 240);
  form.SetBounds(40, 40, 300, 240);
  auto* combo = new gui::TComboBox(&form);
  combo->SetStyle(gui::TComboBoxStyle::csOwnerDrawVariable);
  std::vector<int> measured;
  combo->OnMeasureItem = [&](gui::TWinControl*, int index, int& height) {
    measured.push_back(index);
    height = 16 + 6 * index;
  };
  std::vector<std::pair<int, int>> drawn;  // index, height
  combo->OnDrawItem = [&](gui::TWinControl* c, int index, const gui::TRect& r, unsigned state) {
    drawn.emplace_back((state & ODS_COMBOBOXEDIT) ? -1 : index, r.Bottom - r.Top);
    HDC dc = static_cast<gui::TComboBox*>(c)->Canvas().Handle();
    RECT mark{r.Left + 2, r.Top + 2, r.Left + 12, r.Bottom - 2};
    HBRUSH red = CreateSolidBrush(RGB(220, 0, 0));
    FillRect(dc, &mark, red);
    DeleteObject(red);
  };
  combo->SetParent(&form);
  combo->SetBounds(10, 10, 160, 24);
  for (const char* name : {"Minggu", "Rumah tangga", "Pemuda", "Kaum bapak"}) combo->Items().Add(name);
  combo->SetItemIndex(2);
  HWND formWnd = form.Handle();

  TacComboBoxWnd hook;
  skintest::ShowSteps(h, formWnd);
  h.Step("hook", [&] {
    SetCursorPos(0, 0);
    hook.HookControl(combo);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("measured", [&] {
    for (int i = 0; i < 4; ++i) {
      EXPECT_NE(std::find(measured.begin(), measured.end(), i), measured.end()) << i;
      EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, WPARAM(i), 0), 16 + 6 * i) << i;
    }
    EXPECT_EQ(std::count(measured.begin(), measured.end(), -1), 0) << "the edit part keeps its own height";
    bool edit = false;
    for (auto [index, height] : drawn) edit |= index == -1;
    EXPECT_TRUE(edit) << "the chosen item drawn by the handler in the edit part";
    gui::TBitmap held;
    skintest::TSkinHarness::WindowPixels(combo->Handle(), held);
    int red = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 30; ++x) red += ::GetPixel(held.Canvas().Handle(), x, y) == RGB(220, 0, 0);
    EXPECT_GT(red, 20) << "the handler's mark in the edit part";
    drawn.clear();
  });
  h.Step("drop the list down", [&] { SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0); });
  h.Step("the list's items at their heights", [&] {
    h.Shot(hook.ListWnd() ? hook.ListWnd() : formWnd, "combo_variable_list");
    // The list starts at the chosen item; those above it are not drawn.
    std::vector<int> seen;
    for (auto [index, height] : drawn) {
      if (index < 0) continue;  // the edit part
      EXPECT_EQ(height, 16 + 6 * index) << "item " << index;
      seen.push_back(index);
    }
    EXPECT_NE(std::find(seen.begin(), seen.end(), 3), seen.end()) << "the last item drawn in the list";
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  });
  h.Step("release", [&] { hook.ReleaseScroll(true); });
  h.Run();
}

}  // namespace
}  // namespace skin

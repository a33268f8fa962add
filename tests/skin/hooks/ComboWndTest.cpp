// What a person sees of the combo hooks: a drop-down and a drop-down-list combo box of
// ours, skinned with their buttons; the drop-down list hooked the first time it asks for
// its colours, answered with one kept brush, and everything given back when the hooks go.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "HookSteps.h"
#include "gui/StdCtrls.h"
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

}  // namespace
}  // namespace skin

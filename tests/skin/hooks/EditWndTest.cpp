// What a person sees of the edit hooks: a form with an edit, a memo with scroll bars, a
// list box of ours and a bare native list box, each hooked; frames and bars in the skin's
// colours, the memo's bar following typed keys, the focused look, one brush per colour,
// and the controls' own look back when the hooks go.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "HookSteps.h"
#include "gui/StdCtrls.h"
#include "rtl/TypInfo.h"
#include "skin/core/sMessages.h"
#include "skin/hooks/acComboWnd.h"
#include "skin/hooks/acHookPaint.h"
#include "skin/hooks/acEditWnd.h"

namespace skin {
namespace {

constexpr COLORREF kEditColor = RGB(255, 255, 255);    // the test skin's EDIT
constexpr COLORREF kEditFocused = RGB(255, 255, 0xF0);  // its second state
constexpr COLORREF kTrackAfter = RGB(0xD8, 0xD8, 0xD8);

using skintest::PixelAt;

TEST(EditHooks, BrushIsKeptPerColourAndFreed) {
  TacHookBrush b;
  HBRUSH white = b.Get(RGB(255, 255, 255));
  ASSERT_NE(white, nullptr);
  EXPECT_EQ(b.Get(RGB(255, 255, 255)), white) << "the same colour answers with the same brush";
  HBRUSH grey = b.Get(RGB(200, 200, 200));
  EXPECT_EQ(GetObjectType(white), 0u) << "the old colour's brush is deleted";
  EXPECT_EQ(GetObjectType(grey), DWORD(OBJ_BRUSH));
  b.Free();
  EXPECT_EQ(GetObjectType(grey), 0u);
}

TEST(EditHooks, EditMemoAndListBoxesSkinnedAndRestored) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Data warga", 520, 330);
  form.SetBounds(560, 380, 520, 330);  // clear of the other hook tests' forms
  auto* edit = new gui::TEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(10, 10, 200, 24);
  edit->SetText("Nama warga");
  auto* memo = new gui::TMemo(&form);
  memo->SetParent(&form);
  memo->SetBounds(10, 44, 200, 220);
  memo->SetScrollBars(gui::TScrollStyle::ssVertical);
  for (int i = 1; i <= 40; ++i) memo->Lines().Add("Catatan " + std::to_string(i) + " untuk sektor " + std::to_string(i % 7));
  auto* list = new gui::TListBox(&form);
  list->SetParent(&form);
  list->SetBounds(220, 10, 130, 254);
  for (int i = 1; i <= 30; ++i) list->Items().Add("Sektor " + std::to_string(i));
  HWND formWnd = form.Handle();
  HWND bare = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                              360, 10, 130, 254, formWnd, nullptr, nullptr, nullptr);
  for (int i = 1; i <= 30; ++i) SendMessageW(bare, LB_ADDSTRING, 0, LPARAM((L"Pelkat " + std::to_wstring(i)).c_str()));
  const TColor editColorBefore = edit->Color();

  TacEditWnd editHook, memoHook, listHook, bareHook;
  skintest::ShowSteps(h, formWnd, "edit_unskinned");
  h.Step("hook", [&] {
    editHook.HookControl(edit);
    memoHook.HookControl(memo);
    listHook.HookControl(list);
    bareHook.HookWindow(bare);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(formWnd, "edit_skinned");
    for (HWND w : {edit->Handle(), memo->Handle(), list->Handle(), bare}) {
      EXPECT_EQ(SendMessageW(w, SM_ALPHACMD, MAKEWPARAM(0, AC_CTRLHANDLED), 0), 1) << "hooked";
      EXPECT_NE(GetScrollWnd(w), nullptr);
    }
    EXPECT_EQ(gui::ColorToColorRef(edit->Color()), kEditColor);
    EXPECT_EQ(gui::ColorToColorRef(list->Color()), kEditColor);
    ASSERT_NE(editHook.SkinData()->FCache, nullptr);
    EXPECT_EQ(PixelAt(shot, formWnd, edit->Handle(), {0, 12}),
              ::GetPixel(editHook.SkinData()->FCache->Canvas().Handle(), 0, 12))
        << "the frame comes from the section's image";
    EXPECT_NE(PixelAt(shot, formWnd, edit->Handle(), {0, 12}), GetSysColor(COLOR_3DSHADOW));
    // The memo's bar drawn from the skin: the track below the thumb.
    const TBarRect v = memoHook.BarRect(memoHook.VertBar());
    ASSERT_GT(v.Right - v.Left, 0);
    RECT wr;
    GetWindowRect(memo->Handle(), &wr);
    EXPECT_EQ(PixelAt(shot, formWnd, memo->Handle(), {(v.Left + v.Right) / 2 - wr.left, v.Bottom - wr.top - 30}),
              kTrackAfter);
    EXPECT_EQ(memoHook.VertBar().FScrollInfo.nPos, 0);
  });
  h.Step("type into the memo", [&] {
    SendMessageW(memo->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    SendMessageW(memo->Handle(), WM_KEYUP, VK_NEXT, 0);
  });
  h.Step("the bar followed", [&] {
    h.Shot(formWnd, "edit_memo_typed");
    EXPECT_GT(GetScrollPos(memo->Handle(), SB_VERT), 0);
    EXPECT_EQ(memoHook.VertBar().FScrollInfo.nPos, GetScrollPos(memo->Handle(), SB_VERT)) << "the bar is in step";
  });
  // The focus moves by its messages: the other tests' windows may hold the real one.
  h.Step("focus the edit", [&] {
    SendMessageW(memo->Handle(), WM_KILLFOCUS, WPARAM(edit->Handle()), 0);
    SendMessageW(edit->Handle(), WM_SETFOCUS, WPARAM(memo->Handle()), 0);
  });
  h.Step("focused look", [&] {
    h.Shot(formWnd, "edit_focused");
    EXPECT_EQ(gui::ColorToColorRef(edit->Color()), kEditFocused) << "the focused state's colour";
    EXPECT_EQ(gui::ColorToColorRef(memo->Color()), kEditColor) << "the memo left its focused look";
  });
  h.Step("release", [&] {
    editHook.ReleaseScroll(true);
    memoHook.ReleaseScroll(true);
    listHook.ReleaseScroll(true);
    bareHook.ReleaseScroll(true);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("restored", [&] {
    h.Shot(formWnd, "edit_released");
    EXPECT_EQ(edit->Color(), editColorBefore);
    EXPECT_EQ(memo->Font().Color(), gui::clWindowText);
    for (HWND w : {edit->Handle(), memo->Handle(), list->Handle(), bare}) {
      EXPECT_EQ(GetScrollWnd(w), nullptr);
      EXPECT_EQ(GetWindowSkinData(w), nullptr);
    }
    EXPECT_EQ(editHook.Brush().Current(), nullptr);
  });
  h.Run();
}

TEST(EditHooks, RemovingTheSkinGivesEveryHookedControlItsLookBack) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  // The controls are hooked by hand here: the window-creation hook gives the form no
  // provider of its own.
  h.Manager->SetSkinningRules(srStdDialogs);
  // One of the application's forms, so that the manager's broadcast reaches its controls.
  ASSERT_NE(gui::Application, nullptr);
  auto owned = std::make_unique<gui::TForm>(gui::Application);
  gui::TForm& form = *owned;
  form.SetCaption("Tanpa kulit");
  form.SetBounds(560, 40, 360, 200);
  auto* edit = new gui::TEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(10, 10, 150, 24);
  auto* memo = new gui::TMemo(&form);
  memo->SetParent(&form);
  memo->SetBounds(10, 44, 150, 100);
  memo->SetScrollBars(gui::TScrollStyle::ssVertical);
  auto* combo = new gui::TComboBox(&form);
  combo->SetStyle(gui::TComboBoxStyle::csDropDownList);
  combo->SetParent(&form);
  combo->SetBounds(180, 10, 150, 24);
  for (int i = 1; i <= 20; ++i) combo->Items().Add("Pelkat " + std::to_string(i));
  HWND formWnd = form.Handle();
  const TColor before = edit->Color();
  TacEditWnd editHook, memoHook;
  TacComboBoxWnd comboHook;
  HWND listWnd = nullptr;
  skintest::ShowSteps(h, formWnd);
  h.Step("hook and open the list", [&] {
    editHook.HookControl(edit);
    memoHook.HookControl(memo);
    comboHook.HookControl(combo);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  });
  h.Step("close it", [&] {
    listWnd = comboHook.ListWnd();
    ASSERT_NE(comboHook.ListHook(), nullptr);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_NE(memo->Color(), before) << "skinned";
  });
  h.Step("remove the skin", [&] {
    h.Manager->SetActive(false);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("every control as before", [&] {
    h.Shot(formWnd, "edit_skin_removed");
    EXPECT_EQ(edit->Color(), before);
    EXPECT_EQ(memo->Color(), before);
    EXPECT_EQ(combo->Color(), before);
    EXPECT_EQ(memo->Font().Color(), gui::clWindowText);
    EXPECT_EQ(comboHook.ListHook(), nullptr) << "the list hook goes with the skin";
    EXPECT_EQ(GetScrollWnd(listWnd), nullptr);
  });
  h.Run();
  owned.reset();
}

TEST(EditHooks, ADisabledEditsImageShowsItsTextFaded) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  gui::TForm& form = h.NewForm("Data warga", 240, 120);
  auto* edit = new gui::TEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(10, 10, 200, 24);
  edit->SetText("Nama warga");
  edit->HandleNeeded();
  TsCommonData d(edit, true);
  d.SetSkinSection("EDIT");
  d.Loaded(false);
  EnableWindow(edit->Handle(), FALSE);
  d.FCacheInvalid = true;
  PaintWindowCache(d, edit->Handle(), false);
  ASSERT_TRUE(d.FCache);
  h.Save(*d.FCache, "edit_disabled_image");
  EXPECT_NE(::GetPixel(d.FCache->Canvas().Handle(), 190, 12), kEditColor) << "faded into the form's face";
}

// What a window prints of itself (as the engine's snapshots and animations take it) carries
// the skin: the frame from the section's image, the skinned bar and the skin's background
// under the text. A disabled one-line edit shows its image whole, and a child asking the
// memo for its background is answered from inside the frame.
TEST(EditHooks, PrintedAndDisabledControlsShowTheSkin) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Cetak", 300, 260);
  form.SetBounds(40, 380, 300, 260);
  auto* edit = new gui::TEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(10, 10, 200, 24);
  edit->SetText("Nama warga yang panjang");
  auto* memo = new gui::TMemo(&form);
  memo->SetParent(&form);
  memo->SetBounds(10, 44, 200, 160);
  memo->SetScrollBars(gui::TScrollStyle::ssVertical);
  for (int i = 1; i <= 30; ++i) memo->Lines().Add("Baris " + std::to_string(i));
  HWND formWnd = form.Handle();
  TacEditWnd editHook, memoHook;
  skintest::ShowSteps(h, formWnd);
  h.Step("hook", [&] {
    editHook.HookControl(edit);
    memoHook.HookControl(memo);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("print the memo", [&] {
    RECT wr;
    GetWindowRect(memo->Handle(), &wr);
    gui::TBitmap printed;
    printed.SetSize(wr.right - wr.left, wr.bottom - wr.top);
    HDC dc = printed.Canvas().Handle();
    PatBlt(dc, 0, 0, printed.Width(), printed.Height(), BLACKNESS);
    SendMessageW(memo->Handle(), WM_PRINT, WPARAM(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    h.Save(printed, "edit_memo_printed");
    ASSERT_NE(memoHook.SkinData()->FCache, nullptr);
    HDC cache = memoHook.SkinData()->FCache->Canvas().Handle();
    EXPECT_EQ(::GetPixel(dc, 0, 40), ::GetPixel(cache, 0, 40)) << "the frame from the section's image";
    const TBarRect v = memoHook.BarRect(memoHook.VertBar());
    ASSERT_GT(v.Right - v.Left, 0);
    EXPECT_EQ(::GetPixel(dc, (v.Left + v.Right) / 2 - wr.left, v.Bottom - wr.top - 30), kTrackAfter)
        << "the skinned bar";
    EXPECT_EQ(::GetPixel(dc, v.Left - wr.left - 8, 60), kEditColor) << "the skin's background beside the text";
    int text = 0;
    for (int x = 4; x < 80; ++x)
      for (int y = 4; y < 40; ++y) text += ::GetPixel(dc, x, y) == RGB(0, 0, 0);
    EXPECT_GT(text, 20) << "the lines printed";
  });
  h.Step("a child asks the memo for its background", [&] {
    TacBackgroundQuery q;
    {
      TacCommandRecord held(&q);
      SendMessageW(memo->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_GETBG), LPARAM(&q));
    }
    EXPECT_NE(q.Kind, bkNone);
    RECT wr, cr;
    GetWindowRect(memo->Handle(), &wr);
    GetClientRect(memo->Handle(), &cr);
    MapWindowPoints(memo->Handle(), nullptr, reinterpret_cast<POINT*>(&cr), 2);
    EXPECT_GE(q.OffsetX, cr.left - wr.left) << "seen from inside the frame";
    EXPECT_GT(q.OffsetY, 0);
    TacBackgroundQuery stray;
    SendMessageW(memo->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_GETBG), LPARAM(&stray));
    EXPECT_EQ(stray.Kind, bkNone) << "a record no sender holds is not written";
    EXPECT_EQ(stray.OffsetX, 0);
  });
  h.Step("disable the edit", [&] {
    edit->SetEnabled(false);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("the disabled edit shows its image", [&] {
    h.Shot(formWnd, "edit_disabled_shown");
    ASSERT_NE(editHook.SkinData()->FCache, nullptr);
    HDC cache = editHook.SkinData()->FCache->Canvas().Handle();
    // What the window holds, not the screen: another test's window may pass over it.
    gui::TBitmap shown;
    skintest::TSkinHarness::WindowPixels(edit->Handle(), shown);
    int differ = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 200; ++x) differ += ::GetPixel(shown.Canvas().Handle(), x, y) != ::GetPixel(cache, x, y);
    EXPECT_LT(differ, 20) << "the whole window from the cache, its faded text included";
  });
  h.Run();
}

// An edit of another library that draws a panel's border shows its parent through the
// frame, whatever section it was given.
class TBorderedEdit : public gui::TEdit {
  KORVAN_CLASS(TBorderedEdit)
 public:
  using gui::TEdit::TEdit;
  bool PanelBorder = true;
};

TEST(EditHooks, AControlWithAPanelBorderTakesTheTransparentSection) {
  rtl::RegisterOrdProperty<TBorderedEdit>(
      "PanelBorder", [](TBorderedEdit* e) { return e->PanelBorder; },
      [](TBorderedEdit* e, int64_t v) { e->PanelBorder = v != 0; });
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  gui::TForm& form = h.NewForm("Bingkai", 240, 100);
  auto* bordered = new TBorderedEdit(&form);
  auto* plain = new gui::TEdit(&form);
  for (gui::TEdit* e : {static_cast<gui::TEdit*>(bordered), plain}) {
    e->SetParent(&form);
    e->SetBounds(10, e == plain ? 40 : 10, 200, 24);
  }
  form.HandleNeeded();
  TacSkinParams params;
  params.SkinSection = "EDIT";
  TacEditWnd borderedHook, plainHook;
  borderedHook.HookControl(bordered, params);
  plainHook.HookControl(plain, params);
  EXPECT_EQ(borderedHook.SkinData()->SkinSection(), "TRANSPARENT");
  EXPECT_EQ(plainHook.SkinData()->SkinSection(), "EDIT");
  borderedHook.ReleaseScroll(false);
  plainHook.ReleaseScroll(false);
}

}  // namespace
}  // namespace skin

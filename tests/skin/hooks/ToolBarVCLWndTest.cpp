// What a person sees of one of our skinned tool bars: raised buttons hot only under the
// mouse as the hook follows it (a disabled button takes no hot look from the one before),
// a drop-down button's arrow pressed while its menu is open and calm after it closes, the
// border around the buttons from the bar's section, and the application's own button
// handler still running after the skin's painting and given back when the hook goes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "HookSteps.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "skin/core/sCommonData.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/hooks/acHookClasses.h"
#include "skin/hooks/acToolBarVCLWnd.h"

namespace skin {
namespace {

using skintest::ChangedPixels;

// A button's rectangle in the bar's window coordinates (as its screenshot holds it).
RECT InWindow(gui::TToolButton* b) {
  const gui::TRect r = b->BoundsRect();
  const gui::TRect c = GetClientRectInWindow(b->ToolBar()->Handle());
  return RECT{r.Left + c.Left, r.Top + c.Top, r.Right + c.Left, r.Bottom + c.Top};
}

// The mouse put over a button and the bar told, as the system would.
void MoveOver(gui::TToolButton* b) {
  const gui::TRect r = b->BoundsRect();
  POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  const LPARAM at = MAKELPARAM(p.x, p.y);
  const HWND bar = b->ToolBar()->Handle();
  ClientToScreen(bar, &p);
  SetCursorPos(p.x, p.y);
  SendMessageW(bar, WM_MOUSEMOVE, 0, at);
}

TEST(ToolBarVCLWnd, HotTrackingDropDownBorderAndTheApplicationsHandler) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Alat", 460, 160);
  auto* bar = new gui::TToolBar(&form);
  bar->SetParent(&form);
  bar->SetBounds(0, 0, 440, 40);
  bar->SetShowCaptions(true);
  bar->SetButtonSize(70, 26);
  bar->SetBorderWidth(3);
  auto* menu = new gui::TPopupMenu(&form);
  gui::TMenuItem* item = new gui::TMenuItem(menu);
  item->SetCaption("Pratinjau");
  menu->Items()->Add(item);
  gui::TToolButton* save = bar->AddButton(gui::TToolButtonStyle::tbsButton, "Simpan");
  gui::TToolButton* print = bar->AddButton(gui::TToolButtonStyle::tbsDropDown, "Cetak");
  print->DropdownMenu = menu;
  gui::TToolButton* erase = bar->AddButton(gui::TToolButtonStyle::tbsButton, "Hapus");
  erase->SetEnabled(false);
  int postPaints = 0;
  bar->OnAdvancedCustomDrawButton = [&](gui::TToolBar*, gui::TToolButton*, gui::TCustomDrawState,
                                        gui::TCustomDrawStage stage, gui::TTBCustomDrawFlags&, bool&) {
    if (stage == gui::TCustomDrawStage::cdPostPaint) ++postPaints;
  };
  const HWND formWnd = form.Handle();
  const HWND barWnd = bar->Handle();
  auto hook = std::make_unique<TacToolBarVCLWnd>();
  gui::TBitmap calm;
  auto keep = [](gui::TBitmap& from, gui::TBitmap& into) {
    into.SetSize(from.Width(), from.Height());
    BitBlt(into.Canvas().Handle(), 0, 0, from.Width(), from.Height(), from.Canvas().Handle(), 0, 0, SRCCOPY);
  };

  h.Step("show the form", [&] {
    ShowWindow(formWnd, SW_SHOWNOACTIVATE);
    guitest::LiftOverOtherTests(formWnd);
  });
  h.Step("hook the bar", [&] {
    hook->InstallControl(bar);
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(barWnd, "toolbar_vcl_skinned");
    keep(shot, calm);
    EXPECT_GT(postPaints, 0) << "the application's handler ran after the skin's painting";
    RECT w;
    GetWindowRect(barWnd, &w);
    EXPECT_EQ(::GetPixel(shot.Canvas().Handle(), 1, (w.bottom - w.top) / 2), RGB(80, 160, 80))
        << "the border from the bar's section";
    EXPECT_EQ(hook->HotIndex(), -1);
  });
  h.Step("the mouse over the first button", [&] { MoveOver(save); });
  h.Step("hot", [&] {
    EXPECT_EQ(hook->HotIndex(), 0);
    gui::TBitmap& shot = h.Shot(barWnd, "toolbar_vcl_hot");
    EXPECT_GT(ChangedPixels(calm, shot, InWindow(save)), 0) << "the hot look";
    EXPECT_EQ(ChangedPixels(calm, shot, InWindow(print)), 0);
  });
  h.Step("over the disabled button", [&] { MoveOver(erase); });
  h.Step("the hot button stays", [&] { EXPECT_EQ(hook->HotIndex(), 0); });
  h.Step("the mouse leaves the bar", [&] {
    RECT fr;
    GetWindowRect(formWnd, &fr);
    SetCursorPos(fr.right + 40, fr.bottom + 40);
    SendMessageW(barWnd, WM_MOUSELEAVE, 0, 0);
  });
  h.Step("calm again", [&] {
    EXPECT_EQ(hook->HotIndex(), -1);
    gui::TBitmap& shot = h.Shot(barWnd, "toolbar_vcl_left");
    EXPECT_EQ(ChangedPixels(calm, shot, InWindow(save)), 0);
  });

  gui::TToolButton* droppedWhileOpen = nullptr;
  int arrowChanged = -1;
  menu->OnPopup = [&](rtl::TObject*) {
    droppedWhileOpen = hook->DroppedButton();
    gui::TBitmap& shot = h.Shot(barWnd, "toolbar_vcl_dropped");
    RECT r = InWindow(print);
    r.left = r.right - (GetSystemMetrics(SM_CXVSCROLL) - 2);
    arrowChanged = ChangedPixels(calm, shot, r);
    // The menu's own loop runs the timer that closes it.
    SetTimer(nullptr, 0, 60, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      EndMenu();
    });
  };
  h.Step("the drop-down button opens its menu", [&] {
    NMTOOLBARW nm{};
    nm.hdr.hwndFrom = barWnd;
    nm.hdr.idFrom = 0;
    nm.hdr.code = TBN_DROPDOWN;
    nm.iItem = print->CommandId();
    SendMessageW(formWnd, WM_NOTIFY, 0, LPARAM(&nm));
  });
  h.Step("pressed while open, calm after", [&] {
    EXPECT_EQ(droppedWhileOpen, print);
    EXPECT_GT(arrowChanged, 0) << "the arrow part pressed while the menu is open";
    EXPECT_EQ(hook->DroppedButton(), nullptr);
    gui::TBitmap& shot = h.Shot(barWnd, "toolbar_vcl_closed");
    EXPECT_EQ(ChangedPixels(calm, shot, InWindow(print)), 0);
  });
  h.Step("skinning removed and put back", [&] {
    const LPARAM manager = reinterpret_cast<LPARAM>(h.Manager.get());
    SendSkinCommand(barWnd, AC_REMOVESKIN, manager);
    EXPECT_FALSE(bar->OnAdvancedCustomDraw) << "the bar draws for itself while unskinned";
    const int before = postPaints;
    gui::TTBCustomDrawFlags flags = 0;
    bool def = true;
    bar->OnAdvancedCustomDrawButton(bar, save, 0, gui::TCustomDrawStage::cdPostPaint, flags, def);
    EXPECT_EQ(postPaints, before + 1) << "the application's own handler meanwhile";
    SendSkinCommand(barWnd, AC_SETNEWSKIN, manager);
    EXPECT_TRUE(bar->OnAdvancedCustomDraw) << "the skin's handlers again";
  });
  h.Run();

  hook.reset();
  EXPECT_FALSE(bar->OnAdvancedCustomDraw) << "the bar draws for itself again";
  ASSERT_TRUE(bar->OnAdvancedCustomDrawButton);
  const int before = postPaints;
  gui::TTBCustomDrawFlags flags = 0;
  bool def = true;
  bar->OnAdvancedCustomDrawButton(bar, save, 0, gui::TCustomDrawStage::cdPostPaint, flags, def);
  EXPECT_EQ(postPaints, before + 1) << "the application's handler given back";
}

// Edge lines on the left and top of a bar: unskinned they show as the system's lines and
// take the client area two pixels in on those sides only; skinned, the buttons take the
// bar's image from past the edges, so none of the bar's own border shows inside a button.
TEST(ToolBarVCLWnd, EdgeLinesMoveTheClientAreaAndTheButtonsBackground) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Alat", 300, 120);
  auto* bar = new gui::TToolBar(&form);
  bar->SetParent(&form);
  bar->SetBounds(0, 0, 280, 36);
  bar->SetShowCaptions(true);
  bar->SetButtonSize(70, 26);
  gui::TToolButton* save = bar->AddButton(gui::TToolButtonStyle::tbsButton, "Simpan");
  const HWND formWnd = form.Handle(), barWnd = bar->Handle();
  TacToolBarVCLWnd hook;
  constexpr COLORREF kBarBorder = RGB(80, 160, 80);

  skintest::ShowSteps(h, formWnd, "toolbar_vcl_no_edges");
  h.Step("edges on the left and top", [&] {
    bar->SetEdgeBorders(gui::ebLeft | gui::ebTop);
    bar->SetEdgeOuter(gui::TEdgeStyle::esLowered);
    bar->SetEdgeInner(gui::TEdgeStyle::esRaised);
  });
  h.Step("unskinned edges", [&] {
    EXPECT_EQ(bar->EdgeWidth(), 2);
    const gui::TRect c = GetClientRectInWindow(barWnd);
    EXPECT_EQ(c.Left, 2);
    EXPECT_EQ(c.Top, 2);
    RECT w;
    GetWindowRect(barWnd, &w);
    EXPECT_EQ(c.Right, w.right - w.left) << "no line on the right";
    EXPECT_EQ(c.Bottom, w.bottom - w.top);
    skintest::RedrawWhole(formWnd);
    gui::TBitmap& shot = h.Shot(barWnd, "toolbar_vcl_edges_unskinned");
    EXPECT_EQ(::GetPixel(shot.Canvas().Handle(), 40, 0), GetSysColor(COLOR_BTNSHADOW)) << "the lowered outer line";
    EXPECT_EQ(::GetPixel(shot.Canvas().Handle(), 0, 20), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(::GetPixel(shot.Canvas().Handle(), 270, 30), gui::ColorToColorRef(bar->Color()))
        << "the bar's own colour behind the buttons";
  });
  h.Step("hook the bar", [&] {
    hook.InstallControl(bar);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(barWnd, "toolbar_vcl_edges_skinned");
    EXPECT_EQ(::GetPixel(shot.Canvas().Handle(), 1, 20), kBarBorder) << "the bar's section over the edge lines";
    // Where the bar shows through the button it is the bar's image at that very place.
    const RECT r = InWindow(save);
    HDC cache = hook.SkinData()->FCache->Canvas().Handle();
    int shown = 0, misplaced = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        if (::GetPixel(shot.Canvas().Handle(), x, y) != kBarBorder) continue;
        ++shown;
        misplaced += ::GetPixel(cache, x, y) != kBarBorder;
      }
    EXPECT_GT(shown, 0) << "the bar's border shows at the button's corner";
    EXPECT_EQ(misplaced, 0) << "the button's background taken from past the edges";
  });
  h.Run();
  hook.Release(false);
}

// A flat bar whose section lets its parent show through: a calm button's caption takes the
// font colour of the opaque section behind (the panel's), not the see-through section's.
TEST(ToolBarVCLWnd, ACalmCaptionOnASeeThroughBarTakesTheOpaqueSectionsColour) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Alat", 300, 120);
  auto* panel = new gui::TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 290, 80);
  auto* bar = new gui::TToolBar(&form);
  bar->SetParent(panel);
  bar->SetBounds(0, 0, 280, 36);
  bar->SetFlat(true);
  bar->SetShowCaptions(true);
  bar->SetButtonSize(90, 26);
  gui::TToolButton* save = bar->AddButton(gui::TToolButtonStyle::tbsButton, "Simpan");
  const HWND formWnd = form.Handle(), barWnd = bar->Handle();
  TacToolBarVCLWnd hook;
  std::unique_ptr<TacMainWnd> panelHook;

  skintest::ShowSteps(h, formWnd);
  h.Step("hook the panel and the bar", [&] {
    panelHook = MakeHookFor(panel, h.Manager->ThirdPartyLists(), h.Manager.get(), TacSkinParams{});
    ASSERT_TRUE(panelHook);
    hook.InstallControl(bar, "CHECKBOX");
    skintest::RedrawWhole(formWnd);
  });
  h.Step("skinned", [&] {
    const int formSection = h.Manager->GetSkinIndex("PANEL");
    ASSERT_GE(formSection, 0);
    EXPECT_EQ(hook.FontSection(save, 0), formSection) << "the panel's section behind the bar";
    EXPECT_EQ(hook.FontSection(save, 1), h.Manager->GetSkinIndex("TOOLBUTTON")) << "a hot button's own";
    gui::TBitmap& shot = h.Shot(barWnd, "toolbar_vcl_see_through");
    const COLORREF text = GetSkinFontColor(nullptr, formSection, h.Manager.get(), 0, nullptr) & 0xFFFFFF;
    const RECT r = InWindow(save);
    int own = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) own += ::GetPixel(shot.Canvas().Handle(), x, y) == text;
    EXPECT_GT(own, 0) << "the caption in the panel's font colour";
  });
  h.Run();
  hook.Release(false);
  if (panelHook) panelHook->Release(false);
}

// Images from the bar's list painted by the skin's glyph painter: with discoloured glyphs a
// calm button's image is grey while a hot or checked one keeps its colour, and without them
// all show their colour; the image stands centred in the button.
TEST(ToolBarVCLWnd, GlyphsDiscolouredOnlyWhenCalm) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  gui::TForm& form = h.NewForm("Alat", 300, 120);
  auto* images = new gui::TCustomImageList(&form);
  {
    // A red square on the list's see-through colour.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, picture);
    const RECT all{0, 0, 16, 16}, square{3, 3, 13, 13};
    HBRUSH fuchsia = CreateSolidBrush(RGB(255, 0, 255)), red = CreateSolidBrush(RGB(200, 30, 30));
    FillRect(dc, &all, fuchsia);
    FillRect(dc, &square, red);
    SelectObject(dc, old);
    ImageList_AddMasked(images->Handle(), picture, RGB(255, 0, 255));
    DeleteObject(fuchsia);
    DeleteObject(red);
    DeleteObject(picture);
    DeleteDC(dc);
  }
  auto* bar = new gui::TToolBar(&form);
  bar->SetParent(&form);
  bar->SetBounds(0, 0, 280, 36);
  bar->SetFlat(true);
  bar->SetButtonSize(30, 28);
  bar->SetImages(images);
  gui::TToolButton* calm = bar->AddButton(gui::TToolButtonStyle::tbsButton, "", 0);
  gui::TToolButton* checked = bar->AddButton(gui::TToolButtonStyle::tbsCheck, "", 0);
  checked->SetDown(true);
  const HWND formWnd = form.Handle(), barWnd = bar->Handle();
  TacToolBarVCLWnd hook;
  // The middle of a button's image on the screen.
  auto middle = [&](gui::TBitmap& shot, gui::TToolButton* b) {
    const RECT r = b ? InWindow(b) : RECT{0, 0, shot.Width(), shot.Height()};
    const int w = r.right - r.left, hgt = r.bottom - r.top;
    return ::GetPixel(shot.Canvas().Handle(), r.left + (w - 16) / 2 + 1 + 8, r.top + (hgt - 16) / 2 + 8);
  };
  auto grey = [](COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); };

  skintest::ShowSteps(h, formWnd);
  h.Step("hook with discoloured glyphs", [&] {
    h.Manager->Effects.SetOption(1, true);
    hook.InstallControl(bar);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("calm grey, checked in colour", [&] {
    gui::TBitmap& shot = h.Shot(barWnd, "toolbar_vcl_glyphs_discoloured");
    EXPECT_EQ(middle(shot, checked), RGB(200, 30, 30));
    // The calm look drawn directly: the screen's cursor, which other programs move, may
    // make the bar's first button hot at any time.
    const RECT r = InWindow(calm);
    auto piece = CreateBitmap32(r.right - r.left, r.bottom - r.top);
    DrawToolButtonGlyph(bar, calm, 0, *piece);
    const COLORREF c = middle(*piece, nullptr);
    EXPECT_TRUE(grey(c) && c != RGB(0, 0, 0)) << std::hex << c;
    DrawToolButtonGlyph(bar, calm, gui::cdsHot, *piece);
    EXPECT_EQ(middle(*piece, nullptr), RGB(200, 30, 30)) << "a hot button's image in its colour";
  });
  h.Step("glyphs in their colours", [&] {
    h.Manager->Effects.SetOption(1, false);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("both in colour", [&] {
    gui::TBitmap& shot = h.Shot(barWnd, "toolbar_vcl_glyphs");
    EXPECT_EQ(middle(shot, calm), RGB(200, 30, 30));
    EXPECT_EQ(middle(shot, checked), RGB(200, 30, 30));
  });
  h.Run();
  hook.Release(false);
}

}  // namespace
}  // namespace skin

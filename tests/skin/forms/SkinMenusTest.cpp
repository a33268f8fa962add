// Skinned menus under Wine, on the test skin widened by popup sections (make_menu_skin.py):
// switching menus to the painter and back, and a popup menu shown for real: its window
// hooked, layered until its frame is painted, framed and cut by the skin's border image,
// its items painted from the prepared popup image (caption item, check mark, right-aligned
// shortcut and tab text, disabled item, divider). Screenshots go to the build tree.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rtl/Utf.h"

#include "../SkinHarness.h"
#include "gui/Forms.h"
#include "gui/Menus.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerHooks.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acMnuWnd.h"

namespace skin {
namespace {

using gui::TMenuItem;

const std::string kSkins = KORVAN_MENU_SKINS;
const std::string kOut = KORVAN_MENUS_OUT;

// The window-creation hook's step for popup-menu windows, as the form skinning takes it.
LRESULT CALLBACK HookPopupMenus(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_CREATEWND) {
    wchar_t cls[16]{};
    GetClassNameW(reinterpret_cast<HWND>(w), cls, 16);
    if (std::wstring(cls) == L"#32768") HookMenuWindow(reinterpret_cast<HWND>(w));
  }
  return CallNextHookEx(CBTHookHandle(), code, w, l);
}

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, rtl::TComponent* owner) {
  auto* i = new TMenuItem(owner);
  i->SetCaption(caption);
  parent->Add(i);
  return i;
}

int Luma(gui::TColor c) { return (int(c & 0xFF) + int((c >> 8) & 0xFF) + int((c >> 16) & 0xFF)) / 3; }
// The darkest pixel of a part of a shot.
int Darkest(gui::TBitmap& shot, int x0, int y0, int x1, int y1) {
  int d = 255;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) d = std::min(d, Luma(shot.Canvas().Pixels(x, y)));
  return d;
}
bool Near(gui::TColor c, int r, int g, int b) {
  return std::abs(int(c & 0xFF) - r) <= 8 && std::abs(int((c >> 8) & 0xFF) - g) <= 8 &&
         std::abs(int((c >> 16) & 0xFF) - b) <= 8;
}

class SkinnedMenus : public ::testing::Test {
 protected:
  void SetUp() override {
    harness = std::make_unique<skintest::TSkinHarness>(kSkins, kOut);
    menus = SkinableMenus(harness->Manager.get());
    ASSERT_TRUE(menus);
  }
  void TearDown() override {
    delete popup;
    menus->MenuSupport.AlphaBlend = 255;
    harness.reset();
  }
  // A popup menu owned by the application, so that switching all menus reaches it.
  gui::TPopupMenu* NewPopup() {
    popup = new gui::TPopupMenu(gui::Application);
    return popup;
  }
  std::unique_ptr<skintest::TSkinHarness> harness;
  TsSkinableMenus* menus = nullptr;
  gui::TPopupMenu* popup = nullptr;
};

TEST_F(SkinnedMenus, HookingKeepsTheApplicationsHandlersAndUnhookingRestoresTheEmptyOnes) {
  gui::TPopupMenu* pm = NewPopup();
  TMenuItem* plain = AddItem(pm->Items(), "Buka", pm);
  TMenuItem* own = AddItem(pm->Items(), "Simpan", pm);
  TMenuItem* sub = AddItem(pm->Items(), "Lain", pm);
  TMenuItem* deep = AddItem(sub, "Cetak", pm);
  bool ownMeasured = false;
  own->OnMeasureItem = [&](rtl::TObject*, gui::TCanvas&, int&, int&) { ownMeasured = true; };

  menus->HookMenu(pm, true);
  EXPECT_TRUE(pm->OwnerDraw());
  // The owner-drawn entry names its item by the item's whole address.
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_DATA | MIIM_FTYPE;
  ASSERT_TRUE(GetMenuItemInfoW(pm->Handle(), 0, TRUE, &mii));
  EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
  EXPECT_EQ(mii.dwItemData, reinterpret_cast<ULONG_PTR>(plain));
  EXPECT_EQ(TMenuItem::FromItemData(mii.dwItemData), plain);
  for (TMenuItem* i : {plain, sub, deep}) EXPECT_TRUE(menus->HoldsPopupHandlers(i)) << i->Caption();
  EXPECT_FALSE(menus->HoldsPopupHandlers(own));
  EXPECT_TRUE(own->OnAdvancedDrawItem) << "only the empty event is filled";
  gui::TCanvas c;
  int w = 0, h = 0;
  own->MeasureItem(c, w, h);
  EXPECT_TRUE(ownMeasured);

  menus->HookMenu(pm, false);
  EXPECT_FALSE(pm->OwnerDraw());
  for (TMenuItem* i : {plain, own, sub, deep}) EXPECT_FALSE(i->OnAdvancedDrawItem) << i->Caption();
  EXPECT_TRUE(own->OnMeasureItem) << "the application's handler stays";
  for (TMenuItem* i : {plain, sub, deep}) EXPECT_FALSE(i->OnMeasureItem) << i->Caption();
}

TEST_F(SkinnedMenus, SwitchingAllMenusFollowsSkinnedPopups) {
  auto* mm = new gui::TMainMenu(gui::Application);
  TMenuItem* file = AddItem(mm->Items(), "&File", mm);
  TMenuItem* open = AddItem(file, "Buka", mm);
  gui::TPopupMenu* pm = NewPopup();
  TMenuItem* cut = AddItem(pm->Items(), "Potong", pm);

  harness->Manager->SetSkinnedPopups(false);
  menus->SetActive(true);
  EXPECT_FALSE(mm->OwnerDraw());
  EXPECT_FALSE(file->OnAdvancedDrawItem);
  EXPECT_FALSE(open->OnAdvancedDrawItem);
  EXPECT_FALSE(cut->OnAdvancedDrawItem);

  harness->Manager->SetSkinnedPopups(true);
  menus->SetActive(true);
  EXPECT_TRUE(mm->OwnerDraw());
  EXPECT_TRUE(menus->HoldsMenuBarHandlers(file));
  EXPECT_TRUE(menus->HoldsPopupHandlers(open));
  EXPECT_TRUE(menus->HoldsPopupHandlers(cut));
  EXPECT_TRUE(pm->OwnerDraw());

  menus->SetActive(false);
  EXPECT_FALSE(mm->OwnerDraw());
  EXPECT_FALSE(file->OnAdvancedDrawItem);
  EXPECT_FALSE(open->OnMeasureItem);
  delete mm;
}

// A popup shown for real; Inspect runs while it is open, then the popup closes.
class PopupMenuWindow : public SkinnedMenus {
 protected:
  void SetUp() override {
    SkinnedMenus::SetUp();
    harness->Manager->RemoveWindowHook();
    savedHook = CBTHookProc;
    CBTHookProc = &HookPopupMenus;
    harness->Manager->InstallWindowHook();
  }
  void TearDown() override {
    harness->Manager->RemoveWindowHook();
    CBTHookProc = savedHook;
    SkinnedMenus::TearDown();
  }
  void ShowAndInspect(gui::TPopupMenu* pm, std::function<void(HWND)> inspect) {
    guitest::RunSoon(
        [&] {
          ASSERT_FALSE(MenuWnds().empty());
          HWND wnd = MenuWnds().back()->Wnd();
          // On a busy machine the popup may still be painting: frame and items are painted
          // through once more before anything is read.
          RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
          inspect(wnd);
          EndMenu();
        },
        300);
    pm->Popup(120, 120);
    skintest::TSkinHarness::Pump(30);
  }
  TCBTHookProc savedHook = nullptr;
};

TEST_F(PopupMenuWindow, IsFramedCutAndPaintedFromThePopupImage) {
  gui::TPopupMenu* pm = NewPopup();
  AddItem(pm->Items(), "-Jemaat-", pm);
  TMenuItem* save = AddItem(pm->Items(), "Simpan", pm);
  save->SetShortCut(gui::scCtrl | 'S');
  TMenuItem* active = AddItem(pm->Items(), "Aktif", pm);
  active->SetChecked(true);
  AddItem(pm->Items(), "Cari\tF3", pm);
  TMenuItem* gone = AddItem(pm->Items(), "Hapus", pm);
  gone->SetEnabled(false);
  AddItem(pm->Items(), "-", pm);
  AddItem(pm->Items(), "Keluar", pm);
  menus->HookMenu(pm, true);

  bool inspected = false;
  ShowAndInspect(pm, [&](HWND wnd) {
    inspected = true;
    EXPECT_TRUE(PopupMeasured);
    TacMnuWnd* hook = MenuWnds().back().get();
    EXPECT_TRUE(hook->NcPainted());
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) << "opaque popups end unlayered";
    // Skin commands: the hook says it is skinned and answers nothing else.
    EXPECT_EQ(SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(AC_CTRLHANDLED), 0), 1);
    EXPECT_EQ(SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(AC_SETUPDATING), 0), 0);

    RECT wr;
    GetWindowRect(wnd, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    TacPopupCache* rec = menus->GetMenuInfo(nullptr, nullptr, wnd);
    ASSERT_TRUE(rec && rec->Image);
    EXPECT_EQ(rec->Image->Width(), w);
    EXPECT_EQ(rec->Image->Height(), h);
    // The frame's fuchsia corner pixels are cut out of the window.
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(wnd, rgn), ERROR);
    for (POINT p : {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}})
      EXPECT_FALSE(PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    for (POINT p : {POINT{1, 1}, POINT{2, 0}, POINT{w / 2, 0}, POINT{w - 2, h - 2}})
      EXPECT_TRUE(PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    DeleteObject(rgn);

    gui::TBitmap& shot = harness->Shot(wnd, "popup_menu");
    EXPECT_TRUE(Near(shot.Canvas().Pixels(0, h / 2), 30, 40, 110)) << "outer line of the frame";
    EXPECT_TRUE(Near(shot.Canvas().Pixels(1, h / 2), 110, 150, 230)) << "inner band of the frame";
    EXPECT_TRUE(Near(shot.Canvas().Pixels(w - 2, h / 2), 110, 150, 230));
    // Item rows in window coordinates.
    auto row = [&](int i) {
      RECT r{};
      GetMenuItemRect(nullptr, pm->Handle(), UINT(i), &r);
      return RECT{r.left - wr.left, r.top - wr.top, r.right - wr.left, r.bottom - wr.top};
    };
    const RECT caption = row(0), saveRow = row(1), activeRow = row(2), findRow = row(3), goneRow = row(4),
               divider = row(5);
    EXPECT_TRUE(Near(shot.Canvas().Pixels(caption.left + 3, caption.top + 2), 0, 128, 128)) << "caption item";
    const int iconX = saveRow.left + 4;
    EXPECT_TRUE(Near(shot.Canvas().Pixels(iconX, saveRow.top + 1), 208, 208, 208)) << "icon column";
    EXPECT_TRUE(Near(shot.Canvas().Pixels(saveRow.right - 3, saveRow.top + 1), 240, 240, 240)) << "popup background";
    // The check mark sits in the icon column of the checked item only.
    const int iconRight = saveRow.left + menus->IconLineWidth();
    EXPECT_LT(Darkest(shot, activeRow.left, activeRow.top, iconRight, activeRow.bottom), 100);
    EXPECT_GT(Darkest(shot, saveRow.left, saveRow.top, iconRight, saveRow.bottom), 150);
    // The shortcut and the text after the tab are written at the right, the middle stays empty.
    const int mid = (saveRow.left + saveRow.right) / 2;
    for (RECT r : {saveRow, findRow}) {
      EXPECT_LT(Darkest(shot, mid + 10, r.top, r.right - 4, r.bottom), 100);
      EXPECT_GT(Darkest(shot, iconRight + 50, r.top, mid, r.bottom), 200);
    }
    // The disabled item's text is faded; the divider is a line.
    EXPECT_GT(Darkest(shot, iconRight, goneRow.top, mid, goneRow.bottom),
              Darkest(shot, iconRight, activeRow.top, mid, activeRow.bottom) + 40);
    EXPECT_LT(Darkest(shot, iconRight + 20, divider.top, divider.right - 10, divider.bottom), 200);
  });
  EXPECT_TRUE(inspected);
  // The popup's end frees its hooks and its image.
  EXPECT_TRUE(MenuWnds().empty());
  EXPECT_TRUE(PopupCacheList().empty());
  EXPECT_FALSE(PopupMeasured);
}

// The item painter asks the application window for a border it could not reach; the
// manager's application-window hook hands the request to the menu painter, which cuts the
// popup's frame corners again. Another window's class is not a popup's: nothing happens.
TEST_F(PopupMenuWindow, BorderRequestsToTheApplicationWindowReachTheMenuPainter) {
  gui::TPopupMenu* pm = NewPopup();
  TMenuItem* first = AddItem(pm->Items(), "Simpan", pm);
  AddItem(pm->Items(), "Keluar", pm);
  menus->HookMenu(pm, true);
  HWND app = gui::Application->Handle();
  auto cornerCut = [](HWND wnd) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool cut = GetWindowRgn(wnd, rgn) != ERROR && !PtInRegion(rgn, 0, 0);
    DeleteObject(rgn);
    return cut;
  };
  bool inspected = false;
  ShowAndInspect(pm, [&](HWND wnd) {
    inspected = true;
    ASSERT_TRUE(cornerCut(wnd));
    struct Case {
      const char* what;
      UINT msg;
      LPARAM lParam;
      bool popups, painted;
    } cases[] = {
        {"the popup window named", 0xBCB4, LPARAM(wnd), true, true},
        {"the popup found from its item", 0xBCB3, reinterpret_cast<LPARAM>(first), true, true},
        {"a window that is no popup", 0xBCB4, LPARAM(app), true, false},
        {"popups not skinned", 0xBCB4, LPARAM(wnd), false, false},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      SetWindowRgn(wnd, nullptr, FALSE);
      harness->Manager->SetSkinnedPopups(c.popups);
      SendMessageW(app, c.msg, 0, c.lParam);
      EXPECT_EQ(cornerCut(wnd), c.painted);
    }
    harness->Manager->SetSkinnedPopups(true);
  });
  EXPECT_TRUE(inspected);
}

TEST_F(PopupMenuWindow, ATranslucentPopupStaysLayeredAndAnUnskinnedOneIsLeftAlone) {
  gui::TPopupMenu* pm = NewPopup();
  AddItem(pm->Items(), "Buka", pm);
  AddItem(pm->Items(), "Tutup", pm);
  menus->HookMenu(pm, true);
  menus->MenuSupport.AlphaBlend = 200;
  ShowAndInspect(pm, [&](HWND wnd) {
    EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 200);
    EXPECT_TRUE(flags & LWA_ALPHA);
  });

  // Not measured by the painter: the hook leaves layering and frame to the system.
  menus->HookMenu(pm, false);
  PopupMeasured = false;
  ShowAndInspect(pm, [&](HWND wnd) {
    EXPECT_FALSE(PopupMeasured);
    EXPECT_FALSE(MenuWnds().back()->NcPainted());
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    harness->Shot(wnd, "popup_menu_unskinned");
  });
}


// ---------------------------------------------------------------- the provider's menus

// The MDI children of the tests: windows of a bare class.
LRESULT CALLBACK ChildProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefMDIChildProcW(h, m, w, l); }

class ProviderMenus : public SkinnedMenus {
 protected:
  // The form made an MDI form with an MDI client window of its own.
  static void MakeMDIForm(gui::TForm& f) {
    f.FormStyle = gui::TFormStyle::fsMDIForm;
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    f.ClientHandle = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 150,
                                     f.Handle(), nullptr, GetModuleHandleW(nullptr), &ccs);
    ASSERT_TRUE(f.ClientHandle);
  }
  static HWND NewMDIChild(gui::TForm& f, const wchar_t* title) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ChildProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvanMenuTestChild";
    RegisterClassW(&wc);
    MDICREATESTRUCTW mcs{L"KorvanMenuTestChild", title, wc.hInstance, 0, 0, 120, 80, WS_VISIBLE, 0};
    return reinterpret_cast<HWND>(SendMessageW(f.ClientHandle, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  }
  // The provider's image built afresh and written beside the test.
  gui::TBitmap& Image(TsSkinProvider* p, const std::string& name) {
    p->SkinData()->FCacheInvalid = true;
    EXPECT_TRUE(p->PrepareCache());
    harness->Save(*p->SkinData()->FCache, name);
    return *p->SkinData()->FCache;
  }
  gui::TForm& NewMenuForm(gui::TMainMenu*& mm) {
    gui::TForm& f = harness->NewForm("Jemaat", 360, 220);
    mm = new gui::TMainMenu(&f);
    f.SetMenu(mm);
    return f;
  }
  static uint32_t Rgb(gui::TBitmap& bmp, int x, int y) {
    GdiFlush();
    return Pixels32(bmp).At(x, y) & 0xFFFFFF;
  }
  static int DarkIn(gui::TBitmap& bmp, const gui::TRect& r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += Luma(gui::TColor(Rgb(bmp, x, y))) < 90;
    return n;
  }
};

TEST_F(ProviderMenus, TheMainMenuIsDrawnInTheTitleImage) {
  gui::TMainMenu* mm = nullptr;
  gui::TForm& f = NewMenuForm(mm);
  TMenuItem* file = AddItem(mm->Items(), "Berkas", &f);
  AddItem(file, "Buka", &f);
  AddItem(mm->Items(), "Ubah", &f);
  TMenuItem* help = AddItem(mm->Items(), "Bantuan", &f);
  help->SetEnabled(false);
  auto* p = new TsSkinProvider(&f);
  p->HookFormMenus(true);
  EXPECT_TRUE(menus->HoldsMenuBarHandlers(file));
  EXPECT_TRUE(mm->OwnerDraw());
  gui::TBitmap& img = Image(p, "menu_line");

  const int top = p->TitleBottom, h = p->MenuLineHeight();
  ASSERT_GT(h, 0);
  ASSERT_TRUE(p->MenuLineImage);
  EXPECT_EQ(p->MenuLineImage->Height(), h + 1);
  EXPECT_EQ(Rgb(img, img.Width() - p->GetBorderWidth(true) - 3, top + h / 2), 0xE8E8E8u)
      << "the menu line's section in the active form's state";
  // Item rectangles as the window's menu bar has them, in the image.
  RECT wr;
  GetWindowRect(f.Handle(), &wr);
  auto itemRect = [&](int i) {
    RECT r{};
    GetMenuItemRect(f.Handle(), GetMenu(f.Handle()), UINT(i), &r);
    return gui::TRect{r.left - wr.left, top, r.right - wr.left, top + h};
  };
  const gui::TRect first = itemRect(0), last = itemRect(2);
  ASSERT_GT(first.Width(), 10);
  EXPECT_GT(DarkIn(img, first), 10) << "the first caption is written";
  EXPECT_EQ(DarkIn(img, last), 0) << "the disabled caption is faded";
  EXPECT_EQ(DarkIn(img, gui::Rect(last.Right + 4, top, img.Width() - 10, top + h)), 0) << "nothing right of the items";

  // The hot item repainted: the menu item section's selected colour behind its caption.
  p->RepaintMenuItem(file, first, gui::odSelected);
  EXPECT_EQ(Rgb(img, first.Left + 1, first.Top + 1), 0x316AC5u);
  harness->Save(img, "menu_line_hot");
  p->HookFormMenus(false);
  EXPECT_FALSE(mm->OwnerDraw());
  EXPECT_FALSE(file->OnAdvancedDrawItem);
}

TEST_F(ProviderMenus, ItemsTheSystemDrawsComeFromTheMenuLineOrGetThePlainLook) {
  gui::TMainMenu* mm = nullptr;
  gui::TForm& f = NewMenuForm(mm);
  TMenuItem* file = AddItem(mm->Items(), "Berkas", &f);
  AddItem(file, "Buka", &f);
  const gui::TRect r{8, 40, 60, 58};  // in the window's coordinates, as the system hands them
  auto drawn = [&](gui::TBitmap& target) {
    file->AdvancedDrawItem(target.Canvas(), r, 0);
    return Rgb(target, r.Left + 1, r.Top + 1);
  };
  menus->HookMainMenu(mm, true);
  auto plain = CreateBitmap32(80, 80);
  const COLORREF menu = GetSysColor(COLOR_MENU);
  EXPECT_EQ(drawn(*plain), uint32_t(GetRValue(menu) << 16 | GetGValue(menu) << 8 | GetBValue(menu)))
      << "no skinned menu line: the plain look, never a blank item";

  auto* p = new TsSkinProvider(&f);
  p->HookFormMenus(true);
  Image(p, "menu_line_plain_items");
  auto skinned = CreateBitmap32(80, 80);
  EXPECT_EQ(drawn(*skinned), 0xE8E8E8u) << "the menu line behind the item";
}

TEST_F(ProviderMenus, AMaximizedChildsIconAndButtonsShowInTheMenuLine) {
  gui::TMainMenu* mm = nullptr;
  gui::TForm& f = NewMenuForm(mm);
  TMenuItem* file = AddItem(mm->Items(), "Berkas", &f);
  AddItem(file, "Buka", &f);
  MakeMDIForm(f);
  HWND child = NewMDIChild(f, L"Anak");
  ASSERT_TRUE(child);
  auto* p = new TsSkinProvider(&f);
  p->HookFormMenus(true);
  EXPECT_FALSE(p->ChildButtonsInMenuLine()) << "a child that is not maximized";
  SendMessageW(f.ClientHandle, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  ASSERT_TRUE(p->ChildButtonsInMenuLine());
  gui::TBitmap& img = Image(p, "menu_line_mdi");

  const int top = p->TitleBottom, h = p->MenuLineHeight();
  const int right = img.Width() - p->GetBorderWidth(true);
  const struct {
    TacTitleButtonData& b;
    int hit;
    uint32_t glyph;
  } buttons[] = {{p->MDIMin, 103, 0x141414}, {p->MDIMax, 102, 0xFFFFC8}, {p->MDIClose, 101, 0xFAFAFA}};
  int left = 0;
  for (const auto& e : buttons) {
    SCOPED_TRACE(e.hit);
    EXPECT_EQ(e.b.HitCode, e.hit);
    EXPECT_EQ(e.b.Rect.Width(), p->SmallGlyphWidth());
    EXPECT_GE(e.b.Rect.Top, top);
    EXPECT_LE(e.b.Rect.Bottom, top + h);
    EXPECT_GT(e.b.Rect.Left, left) << "minimize, restore and close from left to right";
    left = e.b.Rect.Left;
    EXPECT_EQ(Rgb(img, (e.b.Rect.Left + e.b.Rect.Right) / 2, (e.b.Rect.Top + e.b.Rect.Bottom) / 2), e.glyph);
  }
  EXPECT_EQ(p->MDIClose.Rect.Right, right - 1);
  // The child's icon at the line's start, where the system keeps the child's system menu.
  int iconPixels = 0;
  for (int y = top + 1; y < top + h - 1; ++y)
    for (int x = p->GetBorderWidth(true) + 1; x < p->GetBorderWidth(true) + h - 1; ++x)
      iconPixels += Rgb(img, x, y) != 0xE8E8E8u;
  EXPECT_GT(iconPixels, 10);
}

TEST_F(ProviderMenus, TheSystemMenuGreysItsSizeEntryAndAnOrdinaryPopupIsNoLongerMeasured) {
  gui::TMainMenu* mm = nullptr;
  gui::TForm& f = NewMenuForm(mm);
  TMenuItem* file = AddItem(mm->Items(), "Berkas", &f);
  AddItem(file, "Buka", &f);
  auto* p = new TsSkinProvider(&f);
  HMENU sys = GetSystemMenu(f.Handle(), FALSE);
  ASSERT_TRUE(sys);
  EnableMenuItem(sys, SC_SIZE, MF_BYCOMMAND | MF_ENABLED);
  PopupMeasured = true;
  gui::TMessage m{WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sys), MAKELPARAM(0, TRUE), 0};
  p->WMInitMenuPopup(m);
  EXPECT_TRUE(GetMenuState(sys, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(PopupMeasured) << "the system menu leaves the flag";
  gui::TMessage o{WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->Handle()), MAKELPARAM(0, FALSE), 0};
  p->WMInitMenuPopup(o);
  EXPECT_FALSE(PopupMeasured);
}

TEST_F(ProviderMenus, TheWindowMenuListsEachChildOnceWithTheActiveOneChecked) {
  gui::TMainMenu* mm = nullptr;
  gui::TForm& f = NewMenuForm(mm);
  TMenuItem* windows = AddItem(mm->Items(), "Jendela", &f);
  AddItem(windows, "Susun", &f);
  f.WindowMenu = windows;
  MakeMDIForm(f);
  std::vector<HWND> children;
  for (const wchar_t* title : {L"Anak 1", L"Anak 2", L"Anak 3"}) {
    children.push_back(NewMDIChild(f, title));
    ASSERT_TRUE(children.back());
  }
  SendMessageW(f.ClientHandle, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(children[1]), 0);
  auto* p = new TsSkinProvider(&f);
  HMENU popup = windows->Handle();
  ASSERT_TRUE(popup);
  for (int opening = 0; opening < 2; ++opening) {
    SCOPED_TRACE(opening);
    gui::TMessage m{WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE), 0};
    p->WMInitMenuPopup(m);
    EXPECT_EQ(windows->Handle(), popup) << "the popup being opened keeps its handle";
    ASSERT_EQ(windows->Count(), 5);
    EXPECT_EQ(windows->Items(0)->Caption(), "Susun");
    EXPECT_TRUE(windows->Items(1)->IsLine());
    EXPECT_EQ(GetMenuItemCount(popup), 5);
    const std::vector<HWND> listed = p->MDIChildren();
    ASSERT_EQ(listed.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      TMenuItem* item = windows->Items(2 + i);
      wchar_t text[64]{};
      GetWindowTextW(listed[size_t(i)], text, 64);
      EXPECT_EQ(item->Caption(), rtl::U8(text));
      EXPECT_EQ(item->Checked(), listed[size_t(i)] == children[1]) << item->Caption();
      EXPECT_EQ(GetMenuState(popup, UINT(2 + i), MF_BYPOSITION) & MF_CHECKED, item->Checked() ? UINT(MF_CHECKED) : 0u);
    }
  }
  // Choosing an entry brings its child to the front.
  TMenuItem* third = nullptr;
  for (int i = 2; i < windows->Count(); ++i)
    if (windows->Items(i)->Caption() == "Anak 3") third = windows->Items(i);
  ASSERT_TRUE(third);
  third->Click();
  EXPECT_EQ(p->ActiveMDIChild(), children[2]);
  f.WindowMenu = nullptr;
}

}  // namespace
}  // namespace skin

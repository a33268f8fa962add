// User title buttons and title-bar items of a skinned form under Wine: their codes and
// events, their places and looks in the title image (written to PNG files and looked at),
// exclusive tabs, a drop-down item's menu and the click that closes it, item hints, and the
// fades of title buttons and items as the layered window is handed them.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../../gui/GuiTestSupport.h"
#include "../SkinEngineEnvironment.h"
#include "gui/ExtCtrls.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "gui/Forms.h"
#include "report/Render.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acTitleBar.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {
namespace {

const std::string kSkins = std::string("Z:") + KORVAN_FORM_SKINS;
// Pixel values (0xRRGGBB) of the test skin's item sections and glyphs.
constexpr uint32_t kButtonTeal = 0x008080, kTabSilver = 0xC0C0C0, kTabAqua = 0x00FFFF, kCloseGlyph = 0xC82828;

uint32_t Rgb(gui::TBitmap& bmp, int x, int y) {
  GdiFlush();
  return Pixels32(bmp).At(x, y) & 0xFFFFFF;
}
gui::TPoint Centre(const gui::TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// Every picture handed to a layered window: its alpha, its centre pixel and one near its
// left edge.
struct LayeredCall {
  HWND Wnd;
  int Alpha;
  uint32_t Centre, Edge;
  SIZE Size;
  POINT Pos;
};
std::vector<LayeredCall> g_calls;
TUpdateLayeredWindow g_realUpdate = nullptr;

uint32_t PixelOf(HDC dc, bool centre) {
  DIBSECTION ds{};
  if (!GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof ds, &ds) || !ds.dsBm.bmBits || ds.dsBm.bmBitsPixel != 32)
    return 0xDEADBEEF;
  const int x = centre ? ds.dsBm.bmWidth / 2 : 1, y = ds.dsBm.bmHeight / 2;
  const int row = ds.dsBmih.biHeight > 0 ? ds.dsBm.bmHeight - 1 - y : y;
  const auto* bits = static_cast<const uint8_t*>(ds.dsBm.bmBits) + size_t(row) * size_t(ds.dsBm.bmWidthBytes);
  return reinterpret_cast<const uint32_t*>(bits)[x];
}

BOOL WINAPI RecordUpdate(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                         BLENDFUNCTION* blend, DWORD flags) {
  g_calls.push_back({wnd, blend ? blend->SourceConstantAlpha : -1, PixelOf(src, true), PixelOf(src, false),
                     size ? *size : SIZE{}, pos ? *pos : POINT{}});
  return g_realUpdate(wnd, dst, pos, size, src, srcPos, key, blend, flags);
}

// A form that counts the mouse-leave and set-cursor messages it is sent.
class CountingForm : public gui::TForm {
 public:
  CountingForm() : gui::TForm(nullptr) {}
  int leaves = 0, cursors = 0;

 protected:
  void WndProc(gui::TMessage& m) override {
    if (m.Msg == WM_MOUSELEAVE) ++leaves;
    if (m.Msg == WM_SETCURSOR) ++cursors;
    gui::TForm::WndProc(m);
  }
};

class TitleItems : public guitest::WithRecordedDialogs {
 protected:
  void SetUp() override {
    WithRecordedDialogs::SetUp();
    manager = skintest::TestSkinManager(kSkins, "Korvan Forms");
    ASSERT_TRUE(manager->IsSkinLoaded());
    form = std::make_unique<CountingForm>();
    form->BorderStyle = gui::TFormBorderStyle::bsSizeable;
    form->SetCaption("Jemaat");
    form->SetBounds(60, 60, 520, 220);
    form->HandleNeeded();
    provider = new TsSkinProvider(form.get());
    g_realUpdate = UpdateLayeredWindowProc;
    UpdateLayeredWindowProc = &RecordUpdate;
    g_calls.clear();
    DropDownShowing = false;
  }
  void TearDown() override {
    UpdateLayeredWindowProc = g_realUpdate;
    form.reset();
    manager.reset();
    WithRecordedDialogs::TearDown();
  }
  gui::TBitmap& Image(const std::string& name) {
    provider->SkinData()->FCacheInvalid = true;
    EXPECT_TRUE(provider->PrepareCache());
    gui::TBitmap& cache = *provider->SkinData()->FCache;
    report::SaveBitmapToPng(cache, std::string("Z:") + KORVAN_FORMS_OUT + "/" + name + ".png");
    return cache;
  }
  // The cursor over a point of the form's image.
  void PointAt(gui::TPoint p) {
    RECT w;
    GetWindowRect(form->Handle(), &w);
    SetCursorPos(w.left + p.X, w.top + p.Y);
  }
  // The cursor over a point of the form's image, and that point on the screen as a message's.
  LPARAM MouseAt(gui::TPoint p) {
    PointAt(p);
    RECT w;
    GetWindowRect(form->Handle(), &w);
    return MAKELPARAM(w.left + p.X, w.top + p.Y);
  }
  TsTitleBar* NewBar() {
    auto* bar = new TsTitleBar(form.get());
    provider->TitleBar = bar;
    return bar;
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<CountingForm> form;
  TsSkinProvider* provider = nullptr;
};

// A 24-bit picture: a blue square on a magenta ground (its bottom-left colour).
std::unique_ptr<gui::TBitmap> KeyedGlyph() {
  auto g = std::make_unique<gui::TBitmap>(12, 12, gui::pf24bit);
  HDC dc = g->Canvas().Handle();
  RECT all{0, 0, 12, 12}, inner{3, 3, 9, 9};
  HBRUSH ground = CreateSolidBrush(RGB(255, 0, 255)), blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(dc, &all, ground);
  FillRect(dc, &inner, blue);
  DeleteObject(ground);
  DeleteObject(blue);
  return g;
}

TEST_F(TitleItems, UserButtonsTakeTheirCodesPlacesAndEvents) {
  TsTitleButtons& buttons = provider->TitleButtons();
  TsTitleButton* a = buttons.Add();
  TsTitleButton* hidden = buttons.Add();
  TsTitleButton* b = buttons.Add();
  EXPECT_EQ(a->GetDisplayName(), "TsTitleButton");
  hidden->SetVisible(false);
  auto glyph = KeyedGlyph();
  b->SetGlyph(glyph.get());
  b->Hint = "Cetak";
  std::vector<std::string> events;
  b->OnMouseDown = [&](rtl::TObject* s, gui::TMouseButton, gui::TShiftState, int x, int) {
    events.push_back((s == b ? "down b " : "down ? ") + std::to_string(x));
  };
  b->OnMouseUp = [&](rtl::TObject* s, gui::TMouseButton, gui::TShiftState, int, int) {
    events.push_back(s == b ? "up b" : "up ?");
  };

  gui::TBitmap& img = Image("user_title_buttons");
  EXPECT_EQ(a->Data.HitCode, 1000);
  EXPECT_EQ(b->Data.HitCode, 1002);
  EXPECT_EQ(buttons.ByHitCode(1002), b);
  EXPECT_EQ(buttons.ByHitCode(1003), nullptr);
  EXPECT_EQ(buttons.ByHitCode(20), nullptr);
  EXPECT_TRUE(hidden->Data.Rect.IsEmpty());
  EXPECT_LE(a->Data.Rect.Right, provider->MinBtn.Rect.Left) << "user buttons stand left of the system buttons";
  EXPECT_LE(b->Data.Rect.Right, a->Data.Rect.Left);
  const gui::TPoint c = Centre(b->Data.Rect);
  EXPECT_EQ(Rgb(img, c.X, c.Y), 0x0000FFu) << "the glyph is drawn in the button";
  const int corner = b->Data.Rect.Left + (b->Data.Rect.Width() - 12) / 2;
  EXPECT_NE(Rgb(img, corner, c.Y), 0xFF00FFu) << "without its bottom-left colour";
  EXPECT_LT(provider->CaptionRect.Right, b->Data.Rect.Left);

  buttons.ByHitCode(1002)->DoMouseDown(gui::TMouseButton::mbLeft, 0, 7, 3);
  buttons.ByHitCode(1002)->DoMouseUp(gui::TMouseButton::mbLeft, 0, 7, 3);
  EXPECT_EQ(events, (std::vector<std::string>{"down b 7", "up b"}));

  a->SetVisible(false);
  TsTitleButton* copy = buttons.Add();
  copy->SetVisible(false);
  copy->Assign(b);
  EXPECT_EQ(copy->Hint, "Cetak");
  EXPECT_EQ(copy->Glyph().Width(), 12);
  EXPECT_FALSE(copy->Visible()) << "the destination keeps its own visibility";
  EXPECT_THROW(b->Assign(nullptr), rtl::Exception);
}

TEST_F(TitleItems, ABarIsForFormsOnly) {
  auto* panel = new gui::TPanel(form.get());
  try {
    new TsTitleBar(panel);
    ADD_FAILURE() << "a bar on a panel must be refused";
  } catch (const EAbort& e) {
    EXPECT_EQ(e.Message(), "TsTitleBar component may be used with forms only!");
  }
  EXPECT_TRUE(dialogs.shown.empty()) << "the refusal is silent";
  EXPECT_EQ(panel->ComponentCount(), 0);
}

TEST_F(TitleItems, ItemsAreLaidInTheTitleAndPaintedInTheirSections) {
  TsTitleBar* bar = NewBar();
  TacTitleBarItem* button = bar->Items.Add();
  button->SetCaption("Data");
  TacTitleBarItem* tab1 = bar->Items.Add();
  tab1->SetStyle(TacBtnStyle::bsTab);
  tab1->SetCaption("Satu");
  TacTitleBarItem* tab2 = bar->Items.Add();
  tab2->SetStyle(TacBtnStyle::bsTab);
  tab2->SetCaption("Dua");
  TacTitleBarItem* info = bar->Items.Add();
  info->SetStyle(TacBtnStyle::bsInfo);
  info->SetAlign(TacItemAlign::tbaRight);
  info->SetCaption("Info");
  tab2->SetDown(true);

  gui::TBitmap& img = Image("title_bar_items");
  EXPECT_GE(button->ItemRect.Left, provider->IconRect.Right) << "after the icon";
  EXPECT_EQ(tab1->ItemRect.Left, button->ItemRect.Right) << "left items edge to edge";
  EXPECT_EQ(tab2->ItemRect.Left, tab1->ItemRect.Right);
  EXPECT_LE(info->ItemRect.Right, provider->MinBtn.Rect.Left) << "right items before the buttons";
  EXPECT_GE(button->ItemRect.Width(), 16);
  EXPECT_EQ(tab1->ItemRect.Bottom, provider->TitleBottom) << "tabs stand on the title's bottom";
  EXPECT_TRUE(provider->CaptionRect.IsEmpty()) << "a form with a bar shows no caption of its own";

  EXPECT_EQ(Rgb(img, button->ItemRect.Left + 1, button->ItemRect.Top + 1), kButtonTeal);
  EXPECT_EQ(Rgb(img, tab1->ItemRect.Left + 1, tab1->ItemRect.Bottom - 2), kTabSilver);
  EXPECT_EQ(Rgb(img, tab2->ItemRect.Left + 1, tab2->ItemRect.Bottom - 2), kTabAqua) << "a down tab reads its last state";

  // Hot and pressed in a one-state section show that state, not one beyond it.
  button->State = 1;
  gui::TBitmap& hot = Image("title_bar_items_hot");
  EXPECT_EQ(Rgb(hot, button->ItemRect.Left + 1, button->ItemRect.Top + 1), kButtonTeal);

  button->SetEnabled(false);
  gui::TBitmap& off = Image("title_bar_items_disabled");
  const uint32_t dim = Rgb(off, button->ItemRect.Left + 1, button->ItemRect.Top + 1);
  EXPECT_NE(dim, kButtonTeal) << "a disabled item is drawn at half strength over the title";
  EXPECT_NEAR(int(dim >> 8 & 0xFF), (0x80 + int(Rgb(off, button->ItemRect.Left - 2, button->ItemRect.Top + 1) >> 8 & 0xFF)) / 2, 2);
}

TEST_F(TitleItems, AnItemShowsItsImageForItsState) {
  TsTitleBar* bar = NewBar();
  gui::TCustomImageList images(nullptr);
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 2, 0);
  HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
  for (COLORREF c : {RGB(255, 0, 0), RGB(0, 0, 255)}) {
    HBITMAP b = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(mem, b);
    RECT all{0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(c);
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    ImageList_Add(list, b, nullptr);
    DeleteObject(b);
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  images.SetHandle(list);
  TacTitleBarItem* item = bar->Items.Add();
  item->ImageIndex = 0;
  item->HotImageIndex = 1;
  bar->SetImages(&images);
  gui::TBitmap& img = Image("title_bar_image");
  EXPECT_EQ(item->ItemRect.Width(), 16 + 6) << "sized by the list's images";
  gui::TPoint c = Centre(item->ItemRect);
  EXPECT_EQ(Rgb(img, c.X, c.Y), 0xFF0000u);
  item->State = 1;
  gui::TBitmap& hot = Image("title_bar_image_hot");
  EXPECT_EQ(Rgb(hot, c.X, c.Y), 0x0000FFu) << "the hot image";
}

TEST_F(TitleItems, AMenuItemWithoutSectionUsesTheBuiltInButtonWithWhiteText) {
  TsTitleBar* bar = NewBar();
  ASSERT_TRUE(bar->MenuBtnBmp) << "the program carries the picture";
  EXPECT_EQ(bar->MenuBtnBmp->Width(), 51);
  TacTitleBarItem* item = bar->Items.Add();
  item->SetStyle(TacBtnStyle::bsMenu);
  item->SetCaption("Berkas");
  gui::TBitmap& img = Image("title_bar_menu_item");
  const gui::TRect r = item->ItemRect;
  EXPECT_EQ(Rgb(img, r.Left + 3, r.Top + 10), 0x8C590Du) << "the normal frame, scaled by 255/256";
  int white = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const uint32_t c = Rgb(img, x, y);
      white += (c & 0xFF) > 220 && (c >> 8 & 0xFF) > 220 && (c >> 16) > 220;
    }
  EXPECT_GT(white, 10) << "white text";
  item->State = 1;
  gui::TBitmap& hot = Image("title_bar_menu_item_hot");
  EXPECT_EQ(Rgb(hot, r.Left + 3, r.Top + 10), 0xB7791Du) << "the hot frame";
  EXPECT_NE(Rgb(hot, r.Left, r.Bottom - 1), 0xFF00FFu) << "no fuchsia corner reaches the title";
}

TEST_F(TitleItems, TabsOfAGroupAreExclusive) {
  TsTitleBar* bar = NewBar();
  std::vector<TacTitleBarItem*> tabs;
  int clicks = 0;
  for (int i = 0; i < 3; ++i) {
    tabs.push_back(bar->Items.Add());
    tabs.back()->SetStyle(TacBtnStyle::bsTab);
    tabs.back()->OnClick = [&](rtl::TObject*) { ++clicks; };
  }
  tabs[2]->SetGroupIndex(5);
  tabs[2]->SetDown(true);
  tabs[0]->SetDown(true);
  Image("title_bar_tabs");
  bar->ItemMouseDown(tabs[1], gui::TMouseButton::mbLeft, 0, 1, 1);
  bar->ItemMouseUp(tabs[1], gui::TMouseButton::mbLeft, 0, 1, 1);
  EXPECT_TRUE(tabs[1]->Down());
  EXPECT_FALSE(tabs[0]->Down()) << "the other tab of the group is released";
  EXPECT_TRUE(tabs[2]->Down()) << "another group is left alone";
  EXPECT_EQ(clicks, 1);
  bar->ItemMouseDown(tabs[1], gui::TMouseButton::mbLeft, 0, 1, 1);
  bar->ItemMouseUp(tabs[1], gui::TMouseButton::mbLeft, 0, 1, 1);
  EXPECT_TRUE(tabs[1]->Down());
  EXPECT_EQ(clicks, 1) << "a down tab clicked again does nothing";
}

// A menu that, while "open", lets the test decide where the pointer is when it closes.
class FakeMenu : public TacDropdownMenu {
 public:
  bool HasItems() const override { return true; }
  void Popup(HWND owner, int x, int y, bool) override {
    opened.push_back({x, y});
    this->owner = owner;
    SetCursorPos(closeAt.x, closeAt.y);
  }
  std::vector<POINT> opened;
  POINT closeAt{};
  HWND owner = nullptr;
};

TEST_F(TitleItems, ADropDownMenuIsNotReopenedByTheClickThatClosedIt) {
  guitest::LiftOverOtherTests(form->Handle());
  TsTitleBar* bar = NewBar();
  TacTitleBarItem* item = bar->Items.Add();
  item->SetCaption("Menu");
  FakeMenu menu;
  item->DropdownMenu = &menu;
  int clicks = 0;
  item->OnClick = [&](rtl::TObject*) { ++clicks; };
  std::vector<int32_t> hot;
  bar->OnItemHot = [&](int32_t code) { hot.push_back(code); };
  Image("title_bar_dropdown");
  RECT w;
  GetWindowRect(form->Handle(), &w);
  const gui::TRect r = item->ItemRect;
  menu.closeAt = {w.left + r.Left + 3, w.top + r.Top + 3};  // closed by a click on the item

  bar->ItemMouseDown(item, gui::TMouseButton::mbLeft, 0, 3, 3);
  ASSERT_EQ(menu.opened.size(), 1u);
  EXPECT_EQ(menu.opened[0].x, w.left + r.Left);
  EXPECT_EQ(menu.opened[0].y, w.top + r.Bottom) << "the menu opens under the item";
  EXPECT_EQ(menu.owner, form->Handle());
  EXPECT_TRUE(DropDownShowing);
  EXPECT_EQ(item->State, 1) << "the item stays hot under the pointer";
  EXPECT_FALSE(item->DroppedDown);
  EXPECT_EQ(clicks, 0);

  bar->ItemMouseDown(item, gui::TMouseButton::mbLeft, 0, 3, 3);  // the closing click reaches the item
  EXPECT_EQ(menu.opened.size(), 1u) << "the closing click does not open the menu again";
  EXPECT_FALSE(DropDownShowing);
  EXPECT_EQ(hot, (std::vector<int32_t>{2000}));
  bar->ItemMouseUp(item, gui::TMouseButton::mbLeft, 0, 3, 3);
  EXPECT_EQ(clicks, 0);

  menu.closeAt = {w.left + 5, w.bottom - 5};  // closed elsewhere: the item is clicked
  bar->ItemMouseDown(item, gui::TMouseButton::mbLeft, 0, 3, 3);
  EXPECT_EQ(menu.opened.size(), 2u);
  EXPECT_FALSE(DropDownShowing);
  EXPECT_EQ(item->State, 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(TitleItems, AnItemHintIsShownOnceAndHidden) {
  TsTitleBar* bar = NewBar();
  TacTitleBarItem* item = bar->Items.Add();
  TacTitleBarItem* silent = bar->Items.Add();
  item->Hint = "Daftar warga";
  bar->ShowItemHint(item);
  ASSERT_TRUE(item->HintWnd);
  gui::THintWindow* first = item->HintWnd.get();
  EXPECT_TRUE(IsWindowVisible(first->Handle()));
  bar->ShowItemHint(item);
  EXPECT_EQ(item->HintWnd.get(), first) << "a shown hint is kept, not shown twice";
  bar->HideItemHint(item);
  EXPECT_FALSE(item->HintWnd);
  bar->ShowItemHint(silent);
  EXPECT_FALSE(silent->HintWnd) << "no hint without text";

  // The engine's hint controller keeps the bubbles it shows: the item must not take one.
  gui::THintWindow bubble(nullptr);
  int shown = 0;
  ActiveHintShow = [&](gui::TPoint, const std::string&) {
    ++shown;
    return &bubble;
  };
  bar->ShowItemHint(item);
  ActiveHintShow = nullptr;
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(item->HintWnd) << "the controller's bubble stays the controller's";
}

TEST_F(TitleItems, AnItemFadeStepsToFullAndTellsOneLeave) {
  guitest::LiftOverOtherTests(form->Handle());
  TsTitleBar* bar = NewBar();
  TacTitleBarItem* item = bar->Items.Add();
  item->SetCaption("Warga");
  Image("title_bar_fade");
  PointAt(Centre(item->ItemRect));
  item->State = 1;
  StartItemFade(item, 6, true, nullptr);
  ASSERT_NE(item->Animation, nullptr);
  for (int i = 0; i < 8; ++i) item->Animation->Tick();
  std::vector<int> alphas;
  for (const LayeredCall& c : g_calls) alphas.push_back(c.Alpha);
  EXPECT_EQ(alphas, (std::vector<int>{42, 84, 126, 168, 210, 255}));
  ASSERT_FALSE(g_calls.empty());
  EXPECT_EQ(g_calls.back().Edge & 0xFFFFFF, kButtonTeal) << "the picture is the item in its hot look";
  EXPECT_EQ(g_calls.back().Edge >> 24, 255u);
  EXPECT_EQ(form->leaves, 0);
  PointAt({2, 150});
  for (int i = 0; i < 5 && item->Animation->Enabled(); ++i) item->Animation->Tick();
  EXPECT_EQ(form->leaves, 1) << "one mouse-leave, then the timer stops";
  EXPECT_FALSE(item->Animation->Enabled());
}

TEST_F(TitleItems, AnItemUnderTheMouseTurnsHotTakesItsClickAndKeepsItsCursor) {
  form->Show();
  guitest::LiftOverOtherTests(form->Handle());
  TsTitleBar* bar = NewBar();
  TacTitleBarItem* item = bar->Items.Add();
  item->SetCaption("Warga");
  int enters = 0, leaves = 0, clicks = 0;
  item->OnMouseEnter = [&](rtl::TObject*) { ++enters; };
  item->OnMouseLeave = [&](rtl::TObject*) { ++leaves; };
  item->OnClick = [&](rtl::TObject*) { ++clicks; };
  Image("title_bar_hot");
  const LPARAM at = MouseAt(Centre(item->ItemRect));
  HWND wnd = form->Handle();
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, at), LRESULT(kHitTitleBarItem));
  SendMessageW(wnd, WM_NCMOUSEMOVE, kHitTitleBarItem, at);
  ASSERT_EQ(provider->HotItem, kHitTitleBarItem);
  EXPECT_EQ(item->State, 1);
  EXPECT_EQ(enters, 1);
  EXPECT_NE(item->Animation, nullptr) << "the hot look fades in";
  const LPARAM overTitle = MAKELPARAM(HTCAPTION, WM_MOUSEMOVE);
  SendMessageW(wnd, WM_SETCURSOR, WPARAM(wnd), overTitle);
  EXPECT_EQ(form->cursors, 0) << "the hot item keeps the cursor it set";

  SendMessageW(wnd, WM_NCLBUTTONDOWN, kHitTitleBarItem, at);
  SendMessageW(wnd, WM_NCLBUTTONUP, kHitTitleBarItem, at);
  EXPECT_EQ(clicks, 1) << "a press and release over the item is its click";

  SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_EQ(provider->HotItem, 0);
  EXPECT_EQ(item->State, 0);
  EXPECT_EQ(leaves, 1);
  SendMessageW(wnd, WM_SETCURSOR, WPARAM(wnd), overTitle);
  EXPECT_EQ(form->cursors, 1) << "over anything else the form sets it";
}

TEST_F(TitleItems, AnItemShowsItsCursorAndTakesRightClicksWithoutTheSystemMenu) {
  form->Show();
  guitest::LiftOverOtherTests(form->Handle());
  TsTitleBar* bar = NewBar();
  TacTitleBarItem* item = bar->Items.Add();
  item->SetCaption("Warga");
  item->Cursor = gui::crHandPoint;
  std::vector<std::string> events;
  item->OnMouseDown = [&](rtl::TObject*, gui::TMouseButton b, gui::TShiftState, int, int) {
    events.push_back(b == gui::TMouseButton::mbRight ? "right down" : "down");
  };
  item->OnMouseUp = [&](rtl::TObject*, gui::TMouseButton b, gui::TShiftState, int, int) {
    events.push_back(b == gui::TMouseButton::mbRight ? "right up" : "up");
  };
  int clicks = 0;
  item->OnClick = [&](rtl::TObject*) { ++clicks; };
  Image("title_bar_right_click");
  const LPARAM at = MouseAt(Centre(item->ItemRect));
  HWND wnd = form->Handle();
  SendMessageW(wnd, WM_NCMOUSEMOVE, kHitTitleBarItem, at);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND)) << "the item's own cursor while it is hot";

  // A system menu opening here would block the test until closed: none may open.
  SendMessageW(wnd, WM_NCRBUTTONDOWN, kHitTitleBarItem, at);
  SendMessageW(wnd, WM_NCRBUTTONUP, kHitTitleBarItem, at);
  EXPECT_EQ(events, (std::vector<std::string>{"right down", "right up"}));
  EXPECT_EQ(clicks, 0) << "a right click is not the item's click";
  EXPECT_FALSE(provider->RightClickPending);

  SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW)) << "the default cursor again once it is left";
}

TEST_F(TitleItems, AClassLayerDropDownMenuIsDrawnByTheSkinnedPopups) {
  form->Show();
  guitest::LiftOverOtherTests(form->Handle());
  manager->SetSkinnedPopups(true);
  TsTitleBar* bar = NewBar();
  TacTitleBarItem* item = bar->Items.Add();
  item->SetStyle(TacBtnStyle::bsMenu);
  item->SetCaption("Menu");
  auto* pm = new gui::TPopupMenu(form.get());
  auto* entry = new gui::TMenuItem(pm);
  entry->SetCaption("Buka");
  pm->Items()->Add(entry);
  TacPopupDropdown dropdown(pm);
  item->DropdownMenu = &dropdown;
  Image("title_bar_popup_dropdown");
  RECT w;
  GetWindowRect(form->Handle(), &w);
  const gui::TPoint c = Centre(item->ItemRect);
  SetCursorPos(w.left + 5, w.bottom - 5);  // the menu closes away from the item
  static bool opened;
  opened = false;
  SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) return;
    KillTimer(nullptr, id);
    opened = true;
    EndMenu();
  });
  SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, kHitTitleBarItem, MAKELPARAM(w.left + c.X, w.top + c.Y));
  EXPECT_TRUE(opened);
  EXPECT_TRUE(pm->OwnerDraw());
  EXPECT_TRUE(SkinableMenus(manager.get())->HoldsPopupHandlers(entry)) << "the painter draws its items";
  EXPECT_FALSE(DropDownShowing);
}

TEST_F(TitleItems, AUserButtonFadesShowsItsHintAndTakesItsClickThroughTheHandlers) {
  form->Show();
  guitest::LiftOverOtherTests(form->Handle());
  TsTitleButton* b = provider->TitleButtons().Add();
  b->Hint = "Cetak";
  auto glyph = KeyedGlyph();
  b->SetGlyph(glyph.get());
  std::vector<std::string> events;
  b->OnMouseDown = [&](rtl::TObject*, gui::TMouseButton, gui::TShiftState, int, int) { events.push_back("down"); };
  b->OnMouseUp = [&](rtl::TObject*, gui::TMouseButton, gui::TShiftState, int, int) { events.push_back("up"); };
  Image("user_button_hover");
  const LPARAM at = MouseAt(Centre(b->Data.Rect));
  HWND wnd = form->Handle();
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, at), LRESULT(kHitUserButton));
  SendMessageW(wnd, WM_NCMOUSEMOVE, kHitUserButton, at);
  EXPECT_EQ(b->Data.State, 1);
  ASSERT_NE(b->Data.Animation, nullptr) << "the hot look fades in";
  ASSERT_TRUE(b->HintWindow);
  EXPECT_TRUE(IsWindowVisible(b->HintWindow->Handle()));
  for (int i = 0; i < 12 && b->Data.Animation->StepCount != -1; ++i) b->Data.Animation->Tick();
  ASSERT_FALSE(g_calls.empty());
  EXPECT_EQ(g_calls.back().Alpha, 255);
  EXPECT_EQ(g_calls.back().Centre & 0xFFFFFF, 0x0000FFu) << "the button's own glyph in the fade";

  SendMessageW(wnd, WM_NCLBUTTONDOWN, kHitUserButton, at);
  EXPECT_EQ(b->Data.State, 2);
  EXPECT_FALSE(b->HintWindow) << "a press takes the hint away";
  SendMessageW(wnd, WM_NCLBUTTONUP, kHitUserButton, at);
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up"}));
  EXPECT_EQ(b->Data.State, 0);
  EXPECT_FALSE(provider->ButtonPressed);
  SendMessageW(wnd, WM_NCLBUTTONUP, kHitUserButton, at);
  EXPECT_EQ(events.size(), 2u) << "a release without its press is no click";
}

TEST_F(TitleItems, AMovedFormLeavesNoTitleFadeBehind) {
  form->Show();
  guitest::LiftOverOtherTests(form->Handle());
  TsTitleBar* bar = NewBar();
  TacTitleBarItem* item = bar->Items.Add();
  item->SetCaption("Warga");
  Image("title_bar_move");
  PointAt(Centre(item->ItemRect));
  item->State = 1;
  StartItemFade(item, 6, true, nullptr);
  provider->CloseBtn.State = 1;
  StartTitleButtonFade(provider, form->Handle(), provider->SkinData(), provider->CloseBtn, 6);
  ASSERT_NE(item->Animation, nullptr);
  ASSERT_NE(provider->CloseBtn.Animation, nullptr);
  RECT w;
  GetWindowRect(form->Handle(), &w);
  SetWindowPos(form->Handle(), nullptr, w.left + 12, w.top + 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(item->Animation, nullptr) << "no fade is left at the old place";
  EXPECT_EQ(provider->CloseBtn.Animation, nullptr);
}

TEST_F(TitleItems, ATitleButtonFadeShowsTheButtonsNewLook) {
  guitest::LiftOverOtherTests(form->Handle());
  Image("title_button_fade");
  TacTitleButtonData& close = provider->CloseBtn;
  manager->Effects.AllowGlowing = false;
  PointAt(Centre(close.Rect));
  close.State = 1;
  StartTitleButtonFade(provider, form->Handle(), provider->SkinData(), close, 4);
  ASSERT_NE(close.Animation, nullptr);
  for (int i = 0; i < 6; ++i) close.Animation->Tick();
  std::vector<int> alphas;
  for (const LayeredCall& c : g_calls) alphas.push_back(c.Alpha);
  EXPECT_EQ(alphas, (std::vector<int>{63, 126, 189, 255}));
  ASSERT_FALSE(g_calls.empty());
  EXPECT_EQ(g_calls.back().Centre & 0xFFFFFF, kCloseGlyph) << "the close glyph's hot frame";
  PointAt({2, 150});
  for (int i = 0; i < 3 && close.Animation->Enabled(); ++i) close.Animation->Tick();
  EXPECT_EQ(form->leaves, 1) << "one mouse-leave, then the timer stops";
  EXPECT_FALSE(close.Animation->Enabled());

  manager->Effects.AllowAnimation = false;
  g_calls.clear();
  delete close.Animation;
  EXPECT_EQ(close.Animation, nullptr);
  PointAt(Centre(close.Rect));
  StartTitleButtonFade(provider, form->Handle(), provider->SkinData(), close, 4);
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].Alpha, 255) << "without animation the look is there at once";
  close.State = 0;
  StartTitleButtonFade(provider, form->Handle(), provider->SkinData(), close, 4);
  EXPECT_FALSE(close.Animation->Window) << "and gone at once";

  // A glowing skin shows the hot close button as its glow picture around the button.
  manager->Effects.AllowGlowing = true;
  delete close.Animation;
  g_calls.clear();
  close.State = 1;
  StartTitleButtonFade(provider, form->Handle(), provider->SkinData(), close, 4);
  ASSERT_EQ(g_calls.size(), 1u);
  TacSkinData* sd = provider->SkinData()->GetScaledSkin();
  const int margin = sd->TitleBtnGlowMargins[close.GlyphIndex];
  ASSERT_GT(margin, 0);
  const TsMaskData& glow = sd->Masks[size_t(sd->TitleBtnGlows[close.GlyphIndex][0])];
  EXPECT_EQ(g_calls[0].Size.cx, glow.FrameWidth);
  EXPECT_EQ(g_calls[0].Size.cy, glow.FrameHeight);
  RECT w;
  GetWindowRect(form->Handle(), &w);
  EXPECT_EQ(g_calls[0].Pos.x, w.left + close.Rect.Left - margin) << "reaching past the button by the margin";
  EXPECT_EQ(g_calls[0].Pos.y, w.top + close.Rect.Top - margin);
}

}  // namespace
}  // namespace skin

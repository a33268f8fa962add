// What a person sees of the list-view, grid, tree and scroll-box hooks: each hooked on one
// form, in the skin's colours with skinned bars; a dragged thumb scrolls a details view and
// our data grid by whole items; removing the hooks gives every control its own look back.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "../SkinEngineEnvironment.h"
#include "../SkinHarness.h"
#include "HookSteps.h"
#include "data/ZQuery.h"
#include "gui/DBGrids.h"
#include "skin/hooks/acGridWnd.h"
#include "skin/hooks/acScrollBoxWnd.h"
#include "tests/data/DbTestSupport.h"

namespace skin {
namespace {

constexpr COLORREF kEditColor = RGB(255, 255, 255);
constexpr COLORREF kPanelLow = RGB(0xCC, 0xCC, 0xCC);  // the test skin's PANEL_LOW

int TopIndex(HWND lv) { return int(SendMessageW(lv, LVM_GETTOPINDEX, 0, 0)); }

// Presses the vertical thumb and drags it down by Dy pixels, then lets go.
void DragThumb(TacScrollWnd& hook, HWND w, int dy) {
  const TBarRect v = hook.BarRect(hook.VertBar());
  const int arrow = hook.ArrowLength(hook.VertBar());
  const TThumb t = ThumbGeometry(v.Bottom - v.Top, v.Top, arrow, hook.VertBar().Info(), hook.VertBar().FMinThumbSize);
  POINT p{(v.Left + v.Right) / 2, t.Start + 3};
  SendMessageW(w, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(p.x, p.y));
  POINT c{p.x, p.y + dy};
  ScreenToClient(w, &c);
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(WORD(c.x), WORD(c.y)));
}

TEST(GridHooks, ListViewGridTreeAndScrollBoxSkinnedAndRestored) {
  skintest::TSkinHarness h(KORVAN_TEST_SKIN, KORVAN_SHOTS);
  ASSERT_TRUE(h.Manager->IsSkinLoaded());
  auto conn = dbtest::NewConnection();
  data::TZQuery q(nullptr);
  q.SetConnection(conn.get());
  dbtest::Sql(q, {"with recursive n(i) as (select 1 union all select i + 1 from n where i < 60)",
                  "select i as nij, concat('WARGA ', i) as nama from n"});
  q.Open();
  data::TDataSource ds(nullptr);
  ds.SetDataSet(&q);

  gui::TForm& form = h.NewForm("Daftar warga", 760, 300);
  form.SetBounds(420, 20, 760, 300);  // clear of the other hook tests' forms
  HWND formWnd = form.Handle();
  auto* grid = new gui::TDBGrid(&form);
  grid->SetParent(&form);
  grid->SetBounds(10, 10, 220, 240);
  grid->SetDataSource(&ds);
  HWND lv = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 240, 10, 200, 240,
                            formWnd, nullptr, nullptr, nullptr);
  LVCOLUMNW col{LVCF_TEXT | LVCF_WIDTH};
  col.cx = 150;
  col.pszText = const_cast<wchar_t*>(L"Nama");
  ListView_InsertColumn(lv, 0, &col);
  for (int i = 0; i < 80; ++i) {
    std::wstring s = L"Keluarga " + std::to_wstring(i + 1);
    LVITEMW it{LVIF_TEXT};
    it.iItem = i;
    it.pszText = s.data();
    ListView_InsertItem(lv, &it);
  }
  HWND tree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 450, 10, 150,
                              240, formWnd, nullptr, nullptr, nullptr);
  for (int s = 1; s <= 12; ++s) {
    std::wstring name = L"Sektor " + std::to_wstring(s);
    TVINSERTSTRUCTW ins{TVI_ROOT, TVI_LAST};
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = name.data();
    HTREEITEM parent = TreeView_InsertItem(tree, &ins);
    for (int k = 1; k <= 3; ++k) {
      std::wstring child = L"Keluarga " + std::to_wstring(s * 10 + k);
      TVINSERTSTRUCTW c{parent, TVI_LAST};
      c.item.mask = TVIF_TEXT;
      c.item.pszText = child.data();
      TreeView_InsertItem(tree, &c);
    }
    TreeView_Expand(tree, parent, TVE_EXPAND);
  }
  HWND box = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 610, 10, 130, 240, formWnd, nullptr,
                             nullptr, nullptr);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 400, 240, 0, 0};
  SetScrollInfo(box, SB_VERT, &si, FALSE);
  const COLORREF lvBkBefore = ListView_GetBkColor(lv), treeBkBefore = TreeView_GetBkColor(tree);
  const TColor gridColorBefore = grid->Color();

  TacGridWnd gridHook;
  TacListViewWnd lvHook;
  TacTreeViewWnd treeHook;
  TacScrollBoxWnd boxHook;
  skintest::ShowSteps(h, formWnd, "grid_unskinned");
  h.Step("hook", [&] {
    gridHook.HookControl(grid);
    lvHook.HookWindow(lv);
    treeHook.HookWindow(tree);
    boxHook.HookWindow(box);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("skinned", [&] {
    gui::TBitmap& shot = h.Shot(formWnd, "grid_skinned");
    for (HWND w : {grid->Handle(), lv, tree, box}) EXPECT_NE(GetScrollWnd(w), nullptr);
    EXPECT_EQ(ListView_GetBkColor(lv), kEditColor);
    EXPECT_EQ(ListView_GetBkColor(grid->Handle()), kEditColor);
    EXPECT_EQ(TreeView_GetBkColor(tree), kEditColor);
    RECT fr, br;
    GetWindowRect(formWnd, &fr);
    GetWindowRect(box, &br);
    EXPECT_EQ(::GetPixel(shot.Canvas().Handle(), br.left - fr.left + 40, br.top - fr.top + 100), kPanelLow)
        << "the scroll box shows its section";
    EXPECT_GT(boxHook.BarRect(boxHook.VertBar()).Right, boxHook.BarRect(boxHook.VertBar()).Left);
    // The tree scrolled to its end: the track above the thumb in the skin's colour, not the
    // system's bar that the tree draws while it paints.
    const TBarRect tv = treeHook.BarRect(treeHook.VertBar());
    ASSERT_GT(tv.Right, tv.Left);
    EXPECT_EQ(::GetPixel(shot.Canvas().Handle(), (tv.Left + tv.Right) / 2 - fr.left, tv.Top + 40 - fr.top),
              RGB(0xE8, 0xE8, 0xE8));
  });
  gui::TBitmap* headerBefore = nullptr;
  h.Step("the column header skinned", [&] {
    ASSERT_NE(lvHook.Header(), nullptr);
    EXPECT_EQ(lvHook.Header()->Handle(), ListView_GetHeader(lv));
    ASSERT_NE(gridHook.Header(), nullptr) << "the grid's columns too";
    headerBefore = &h.Shot(ListView_GetHeader(lv), "grid_header");
    RECT r{};
    Header_GetItemRect(ListView_GetHeader(lv), 0, &r);
    SendMessageW(ListView_GetHeader(lv), WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    UpdateWindow(ListView_GetHeader(lv));
  });
  h.Step("the column under the mouse hot", [&] {
    gui::TBitmap& shot = h.Shot(ListView_GetHeader(lv), "grid_header_hot");
    EXPECT_EQ(lvHook.Header()->HotColumn(), 0);
    int changed = 0;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x)
        changed += ::GetPixel(shot.Canvas().Handle(), x, y) != ::GetPixel(headerBefore->Canvas().Handle(), x, y);
    EXPECT_GT(changed, 50) << "the hot look";
    SendMessageW(ListView_GetHeader(lv), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(lvHook.Header()->HotColumn(), -1);
  });
  h.Step("the list view printed", [&] {
    // As the engine's snapshots take it: frame, skinned bar and the skinned header in place.
    RECT wr, hr;
    GetWindowRect(lv, &wr);
    GetWindowRect(ListView_GetHeader(lv), &hr);
    gui::TBitmap printed;
    printed.SetSize(wr.right - wr.left, wr.bottom - wr.top);
    HDC dc = printed.Canvas().Handle();
    PatBlt(dc, 0, 0, printed.Width(), printed.Height(), BLACKNESS);
    SendMessageW(lv, WM_PRINT, WPARAM(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    h.Save(printed, "grid_listview_printed");
    int differ = 0;
    for (int y = 0; y < hr.bottom - hr.top; ++y)
      for (int x = 0; x < hr.right - hr.left; ++x)
        differ += ::GetPixel(dc, hr.left - wr.left + x, hr.top - wr.top + y) !=
                  ::GetPixel(headerBefore->Canvas().Handle(), x, y);
    EXPECT_LT(differ, 10) << "the header as it shows";
    const TBarRect v = lvHook.BarRect(lvHook.VertBar());
    ASSERT_GT(v.Right, v.Left);
    EXPECT_NE(::GetPixel(dc, (v.Left + v.Right) / 2 - wr.left, v.Bottom - wr.top - 30), RGB(0, 0, 0))
        << "the bar printed";
  });
  h.Step("drag the list view's thumb", [&] { DragThumb(lvHook, lv, 60); });
  h.Step("the list view followed by whole items", [&] {
    h.Shot(formWnd, "grid_listview_dragged");
    const int top = TopIndex(lv);
    EXPECT_GT(top, 1) << "more than a pixel: whole items";
    EXPECT_EQ(top, lvHook.VertBar().FScrollInfo.nTrackPos) << "the first row shown is the thumb's position";
    SendMessageW(lv, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(TopIndex(lv), top) << "letting go keeps the place";
  });
  h.Step("drag the grid's thumb", [&] { DragThumb(gridHook, grid->Handle(), 50); });
  h.Step("the grid followed", [&] {
    h.Shot(formWnd, "grid_dbgrid_dragged");
    const int top = TopIndex(grid->Handle());
    EXPECT_GT(top, 1);
    EXPECT_EQ(top, gridHook.VertBar().FScrollInfo.nTrackPos);
    SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, 0);
  });
  h.Step("release", [&] {
    gridHook.ReleaseScroll(true);
    lvHook.ReleaseScroll(true);
    treeHook.ReleaseScroll(true);
    boxHook.ReleaseScroll(true);
    skintest::RedrawWhole(formWnd);
  });
  h.Step("restored", [&] {
    h.Shot(formWnd, "grid_released");
    for (HWND w : {grid->Handle(), lv, tree, box}) {
      EXPECT_EQ(GetScrollWnd(w), nullptr);
      EXPECT_EQ(GetWindowSkinData(w), nullptr);
    }
    EXPECT_EQ(ListView_GetBkColor(lv), lvBkBefore);
    EXPECT_EQ(lvHook.Header(), nullptr) << "the header painted by the system again";
    EXPECT_EQ(TreeView_GetBkColor(tree), treeBkBefore);
    EXPECT_EQ(grid->Color(), gridColorBefore);
  });
  h.Run();
  delete grid;
}

}  // namespace
}  // namespace skin

// The data grid against a real query on the development server: rows and titles, the
// selected row and the current row following each other both ways, re-runs, refreshes
// and closing, row colours read from the row being drawn, double clicks.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "data/ZConnection.h"
#include "data/ZQuery.h"
#include "gui/DBGrids.h"
#include "gui/Forms.h"
#include "rtl/Utf.h"
#include "tests/data/DbTestSupport.h"
#include "tests/gui/GuiTestSupport.h"

using namespace gui;
using guitest::RunSoon;

namespace {

class GridOnQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    conn = dbtest::NewConnection();
    q = std::make_unique<data::TZQuery>(nullptr);
    q->SetConnection(conn.get());
    dbtest::Sql(*q, {"create temporary table tst_grid_jemaat (nij int, nama varchar(40), sts_hidup varchar(12))"});
    q->ExecSQL();
    dbtest::Sql(*q, {"insert into tst_grid_jemaat values (1,'ANTON','Hidup'),(2,'BUDI','Meninggal'),(3,'CICI','Hidup')"});
    q->ExecSQL();
    ds = std::make_unique<data::TDataSource>(nullptr);
    ds->SetDataSet(q.get());
    form.SetClientSize(400, 300);
    grid = new TDBGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 400, 300);
    grid->SetDataSource(ds.get());
  }
  void TearDown() override {
    delete grid;
    ds.reset();
    q.reset();
    conn.reset();
  }
  void SelectAll() {
    dbtest::Sql(*q, {"select * from tst_grid_jemaat", "order by nij"});
    q->Open();
  }
  int ItemCount() { return static_cast<int>(SendMessageW(grid->Handle(), LVM_GETITEMCOUNT, 0, 0)); }
  int Selected() { return static_cast<int>(SendMessageW(grid->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
  std::string ItemText(int row, int col) {
    wchar_t buf[100] = {};
    LVITEMW it{};
    it.iSubItem = col;
    it.pszText = buf;
    it.cchTextMax = 100;
    SendMessageW(grid->Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    return rtl::U8(buf);
  }
  std::string HeaderText(int col) {
    wchar_t buf[100] = {};
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT;
    c.pszText = buf;
    c.cchTextMax = 100;
    SendMessageW(grid->Handle(), LVM_GETCOLUMNW, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&c));
    return rtl::U8(buf);
  }
  std::unique_ptr<data::TZConnection> conn;
  std::unique_ptr<data::TZQuery> q;
  std::unique_ptr<data::TDataSource> ds;
  TForm form{nullptr};
  TDBGrid* grid = nullptr;
};

TEST_F(GridOnQuery, ShowsEveryFieldWithoutColumnsAndFollowsReRunsAndClosing) {
  SelectAll();  // opened before the grid's window exists
  ASSERT_EQ(ItemCount(), 3);
  ASSERT_EQ(grid->ShownColumnCount(), 3);
  EXPECT_EQ(HeaderText(1), "nama");
  EXPECT_EQ(ItemText(1, 1), "BUDI");
  EXPECT_EQ(ItemText(2, 0), "3");
  EXPECT_EQ(Selected(), 0) << "right after opening the first row is current";

  dbtest::Sql(*q, {"select * from tst_grid_jemaat", "where nama like :nm"});
  q->ParamByName("nm")->AsString("%CI%");
  q->Open();
  EXPECT_EQ(ItemCount(), 1);
  EXPECT_EQ(ItemText(0, 1), "CICI");

  // A refresh sees rows another statement changed.
  data::TZQuery other(nullptr);
  other.SetConnection(conn.get());
  dbtest::Sql(other, {"insert into tst_grid_jemaat values (4,'CINTA','Hidup')"});
  other.ExecSQL();
  q->Refresh();
  EXPECT_EQ(ItemCount(), 2);

  q->SQL.Clear();  // closes: an empty grid
  EXPECT_EQ(ItemCount(), 0);
}

TEST_F(GridOnQuery, ExplicitColumnsChooseFieldsTitlesAndWidths) {
  grid->Columns().Add("nama", "Nama", 150);
  grid->Columns().Add("nij", "No.Induk", 80);
  SelectAll();
  EXPECT_EQ(HeaderText(0), "Nama");
  EXPECT_EQ(HeaderText(1), "No.Induk");
  EXPECT_EQ(SendMessageW(grid->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 150);
  EXPECT_EQ(ItemText(0, 0), "ANTON");
  EXPECT_EQ(ItemText(0, 1), "1");
}

TEST_F(GridOnQuery, TheSelectedRowIsTheCurrentRowBothWays) {
  SelectAll();
  q->Last();
  EXPECT_EQ(Selected(), 2);
  q->MoveTo(2);
  EXPECT_EQ(Selected(), 1);
  int dbl = 0;
  grid->OnDblClick = [&](TObject*) {
    ++dbl;
    EXPECT_EQ(q->FieldByName("nama")->AsString(), "ANTON") << "the handler reads the chosen row";
  };
  RunSoon([&] {
    grid->SetFocus();
    SendMessageW(grid->Handle(), WM_KEYDOWN, VK_UP, 0);
    SendMessageW(grid->Handle(), WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(q->RecNo(), 1);
    SendMessageW(grid->Handle(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(q->RecNo(), 3);
    // A double click on the first row selects it and runs the handler.
    RECT r{LVIR_BOUNDS};
    SendMessageW(grid->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
    PostMessageW(grid->Handle(), WM_LBUTTONUP, 0, at);
    SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(grid->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, at);
    // Below the last row the double click is the grid's as well; the row stays.
    at = MAKELPARAM(r.left + 20, 250);
    PostMessageW(grid->Handle(), WM_LBUTTONUP, 0, at);
    SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(grid->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, at);
    form.ModalResult = mrOk;
  });
  form.ShowModal();
  EXPECT_EQ(dbl, 2);
  EXPECT_EQ(q->RecNo(), 1);
}

TEST_F(GridOnQuery, RowColoursComeFromTheRowBeingDrawn) {
  std::vector<int> asked;
  grid->OnGetRowColor = [&](TObject*, int recNo, TColor& bg, TColor&) {
    asked.push_back(recNo);
    if (grid->FieldText(recNo, "sts_hidup") == "Meninggal") bg = clRed;
  };
  SelectAll();
  q->Last();  // keep the selection highlight away from the checked row
  COLORREF px = 0, plain = 0;
  RunSoon([&] {
    UpdateWindow(grid->Handle());
    RECT r1{LVIR_BOUNDS}, r0{LVIR_BOUNDS};
    SendMessageW(grid->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r1));
    SendMessageW(grid->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r0));
    HDC dc = GetDC(grid->Handle());
    px = GetPixel(dc, r1.left + 150, (r1.top + r1.bottom) / 2);
    plain = GetPixel(dc, r0.left + 150, (r0.top + r0.bottom) / 2);
    ReleaseDC(grid->Handle(), dc);
    form.ModalResult = mrOk;
  });
  form.ShowModal();
  EXPECT_EQ(px, RGB(255, 0, 0));
  EXPECT_EQ(plain, RGB(255, 255, 255));
  EXPECT_NE(std::find(asked.begin(), asked.end(), 2), asked.end());
  EXPECT_EQ(q->RecNo(), 3) << "drawing does not move the query";
}

}  // namespace

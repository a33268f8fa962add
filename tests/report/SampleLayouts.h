// Sample layouts built the way the program's report layouts are, over a member table of
// the dev server, and the church-header handler the application wires to them.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/ZConnection.h"
#include "data/ZQuery.h"
#include "gui/Jpeg.h"
#include "report/PageReport.h"
#include "rtl/DateUtils.h"
#include "rtl/FormatNumber.h"
#include "tests/data/DbTestSupport.h"
#include "tests/gui/GuiTestSupport.h"

namespace reptest {

using namespace report;

// The church header: the application's handler reads the single-row church table into
// the second and third header labels; this double does the same over a test table.
struct ChurchHeader {
  data::TZQuery* Q9;
  std::string table;
  int runs = 0;
  void Load(TQRLabel* name, TQRLabel* address) {
    ++runs;
    Q9->SQL.Clear();
    Q9->SQL.Add("select * from " + table);
    Q9->Open();
    if (Q9->RecordCount() < 1) {
      name->SetCaption("Nama Gereja belum dimasukkan");
      address->SetCaption("Alamat Gereja belum dimasukkan");
    } else {
      name->SetCaption(Q9->FieldByName("nama_gereja")->AsString());
      address->SetCaption(Q9->FieldByName("alamat")->AsString());
    }
  }
};

inline TQRLabel* Label(rtl::TComponent* owner, TQRCustomBand* band, const char* name, int x, int y,
                       const std::string& caption, gui::TFontStyles style = 0) {
  auto* l = new TQRLabel(owner);
  l->SetName(name);
  l->SetParent(band);
  l->SetBounds(x, y, 100, 17);
  l->SetCaption(caption);
  l->Font().SetStyle(style);
  return l;
}

inline TQRDBText* Field(rtl::TComponent* owner, TQRCustomBand* band, const char* name, int x, int y,
                        const char* field, const char* mask = "") {
  auto* t = new TQRDBText(owner);
  t->SetName(name);
  t->SetParent(band);
  t->SetBounds(x, y, 110, 17);
  t->DataField = field;
  t->Mask = mask;
  return t;
}

// The church header block of every layout, in a page-header band.
struct HeaderBlock {
  TQRLabel* QRLabel1;
  TQRLabel* QRLabel2;
  TQRLabel* QRLabel3;
  TQRImage* QRImage1;
  TQRSysData* QRSysData1;
  TQRSysData* QRSysData2;
  void Build(TPageReport* r, TQRCustomBand* band) {
    int w = r->PageWidth() - r->Page.LeftMargin - r->Page.RightMargin;
    QRLabel1 = Label(r, band, "QRLabel1", 0, 4, "Kerukunan Vikaria Raya Barisan", gui::fsBold);
    QRLabel1->AutoSize = false;
    QRLabel1->Width = w;
    QRLabel1->Alignment = gui::TAlignment::taCenter;
    QRLabel2 = Label(r, band, "QRLabel2", 0, 24, "QRLabel2");
    QRLabel2->SetBounds(0, 24, w, 17);
    QRLabel2->Alignment = gui::TAlignment::taCenter;
    QRLabel3 = Label(r, band, "QRLabel3", 0, 42, "QRLabel3");
    QRLabel3->SetBounds(0, 42, w, 17);
    QRLabel3->Alignment = gui::TAlignment::taCenter;
    QRImage1 = new TQRImage(r);
    QRImage1->SetName("QRImage1");
    QRImage1->SetParent(band);
    QRImage1->SetBounds(w - 70, 2, 64, 64);
    Label(r, band, "LabelTanggal", 0, 70, "Tanggal");
    Label(r, band, "LabelJam", 0, 88, "Jam");
    QRSysData1 = new TQRSysData(r);
    QRSysData1->SetName("QRSysData1");
    QRSysData1->SetParent(band);
    QRSysData1->SetBounds(60, 70, 100, 17);
    QRSysData1->Data = TQRSysDataType::qrsDate;
    QRSysData2 = new TQRSysData(r);
    QRSysData2->SetName("QRSysData2");
    QRSysData2->SetParent(band);
    QRSysData2->SetBounds(60, 88, 100, 17);
    QRSysData2->Data = TQRSysDataType::qrsTime;
  }
};

// A member list: church header, title, grey column headings, one line per member with an
// amount under the mask, a summary with the count and the sum, "Hal." in the footer.
class TFQRSampleList : public TPageReport {
 public:
  explicit TFQRSampleList(rtl::TComponent* owner, data::TZQuery* q) : TPageReport(owner) {
    SetName("FQRSampleList");
    SetDataSet(q);
    PageHeaderBand1 = new TQRBand(this, rbPageHeader);
    PageHeaderBand1->SetName("PageHeaderBand1");
    PageHeaderBand1->Height = 110;
    Header.Build(this, PageHeaderBand1);

    TitleBand1 = new TQRBand(this, rbTitle);
    TitleBand1->SetName("TitleBand1");
    TitleBand1->Height = 40;
    QRLabel4 = Label(this, TitleBand1, "QRLabel4", 0, 4, "LAPORAN WARGA JEMAAT", gui::fsBold);
    QRLabel22 = Label(this, TitleBand1, "QRLabel22", 0, 22, "Filter :");

    ColumnHeaderBand1 = new TQRBand(this, rbColumnHeader);
    ColumnHeaderBand1->SetName("ColumnHeaderBand1");
    ColumnHeaderBand1->Height = 20;
    ColumnHeaderBand1->Color = gui::clSilver;
    Label(this, ColumnHeaderBand1, "HeadNIJ", 0, 2, "NIJ", gui::fsBold);
    Label(this, ColumnHeaderBand1, "HeadNama", 100, 2, "Nama Lengkap", gui::fsBold);
    Label(this, ColumnHeaderBand1, "HeadTgl", 330, 2, "Tgl.Lahir", gui::fsBold);
    Label(this, ColumnHeaderBand1, "HeadNominal", 450, 2, "Nominal", gui::fsBold);

    DetailBand1 = new TQRBand(this, rbDetail);
    DetailBand1->SetName("DetailBand1");
    DetailBand1->Height = 20;
    No = new TQRSysData(this);
    No->SetName("QRSysDataNo");
    No->SetParent(DetailBand1);
    No->Data = TQRSysDataType::qrsDetailNo;
    No->SetBounds(-30, 2, 25, 17);
    Field(this, DetailBand1, "QRDBText1", 0, 2, "nij")->Font().SetStyle(gui::fsBold);
    Field(this, DetailBand1, "QRDBText2", 100, 2, "nama");
    Field(this, DetailBand1, "QRDBText3", 330, 2, "tgl_lahir");
    Nominal = Field(this, DetailBand1, "QRDBText4", 450, 2, "nominal", "#####,");
    Nominal->AutoSize = false;
    Nominal->Alignment = gui::TAlignment::taRightJustify;

    SummaryBand1 = new TQRBand(this, rbSummary);
    SummaryBand1->SetName("SummaryBand1");
    SummaryBand1->Height = 40;
    Label(this, SummaryBand1, "LabelJumlah", 0, 4, "Jumlah Jemaat :");
    Count = new TQRExpr(this);
    Count->SetName("QRExprCount");
    Count->SetParent(SummaryBand1);
    Count->SetBounds(120, 4, 60, 17);
    Count->SetExpression("COUNT");
    Sum = new TQRExpr(this);
    Sum->SetName("QRExprSum");
    Sum->SetParent(SummaryBand1);
    Sum->SetBounds(450, 4, 110, 17);
    Sum->SetExpression("SUM(nominal)");
    Sum->Mask = "#####,";

    PageFooterBand1 = new TQRBand(this, rbPageFooter);
    PageFooterBand1->SetName("PageFooterBand1");
    PageFooterBand1->Height = 24;
    Page1 = new TQRSysData(this);
    Page1->SetName("QRSysDataPage");
    Page1->SetParent(PageFooterBand1);
    Page1->SetBounds(600, 4, 80, 17);
    Page1->Data = TQRSysDataType::qrsPageNumber;
    Page1->Text = "Hal. ";
  }
  HeaderBlock Header;
  TQRBand *PageHeaderBand1, *TitleBand1, *ColumnHeaderBand1, *DetailBand1, *SummaryBand1, *PageFooterBand1;
  TQRLabel *QRLabel4, *QRLabel22;
  TQRSysData *No, *Page1;
  TQRDBText* Nominal;
  TQRExpr *Count, *Sum;
};

// The member table every test fills with rows of its own.
class MemberTable : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    conn_ = dbtest::NewConnection().release();
    conn_->ExecuteDirect("drop table if exists tst_rep_jemaat, tst_rep_gereja");
    conn_->ExecuteDirect(
        "create table tst_rep_jemaat(id int primary key, nik varchar(10), nama_kk varchar(60), nij varchar(10),"
        " nama varchar(60), tgl_lahir date, nominal int, foto longblob) default charset=utf8mb4");
    conn_->ExecuteDirect("create table tst_rep_gereja(nama_gereja varchar(60), alamat varchar(100)) default charset=utf8mb4");
  }
  static void TearDownTestSuite() {
    conn_->ExecuteDirect("drop table if exists tst_rep_jemaat, tst_rep_gereja");
    delete conn_;
    conn_ = nullptr;
  }
  void SetUp() override {
    conn_->ExecuteDirect("delete from tst_rep_jemaat");
    conn_->ExecuteDirect("delete from tst_rep_gereja");
    q_ = std::make_unique<data::TZQuery>(nullptr);
    q_->SetConnection(conn_);
    q9_ = std::make_unique<data::TZQuery>(nullptr);
    q9_->SetConnection(conn_);
    // Indonesian separators, so the masks are seen to use them.
    saved_ = rtl::DefaultNumberFormat();
    rtl::DefaultNumberFormat() = {'.', ','};
  }
  void TearDown() override { rtl::DefaultNumberFormat() = saved_; }

  // n members in families of `perFamily`, nominal = 250000 * i (i from 1), the third zero.
  void Fill(int n, int perFamily = 1000) {
    for (int i = 1; i <= n; ++i) {
      data::TZQuery ins(nullptr);
      ins.SetConnection(conn_);
      ins.SQL.Add("insert into tst_rep_jemaat(id,nik,nama_kk,nij,nama,tgl_lahir,nominal)values(:id,:nk,:kk,:nj,:nm,:tl,:no)");
      int fam = (i - 1) / perFamily + 1;
      ins.ParamByName("id")->AsInteger(i);
      ins.ParamByName("nk")->AsString("K" + std::to_string(fam));
      ins.ParamByName("kk")->AsString("KEPALA " + std::to_string(fam));
      ins.ParamByName("nj")->AsString("J" + std::to_string(10000 + i));
      ins.ParamByName("nm")->AsString("WARGA " + std::to_string(i));
      ins.ParamByName("tl")->AsDate(rtl::EncodeDate(1980, 1 + (i % 12), 1 + (i % 28)));
      ins.ParamByName("no")->AsInteger(i == 3 ? 0 : 250000LL * i);
      ins.ExecSQL();
    }
  }
  void OpenMembers() {
    q_->SQL.Clear();
    q_->SQL.Add("select * from tst_rep_jemaat");
    q_->SQL.Add("order by id");
    q_->Open();
  }

  static data::TZConnection* conn_;
  std::unique_ptr<data::TZQuery> q_, q9_;
  rtl::NumberFormat saved_;
};
inline data::TZConnection* MemberTable::conn_ = nullptr;

}  // namespace reptest

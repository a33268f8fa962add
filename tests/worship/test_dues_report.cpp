// The dues report against a few stored payments: the lines of a period or of a range of
// payment dates (both days included), the total, the lines counted and the living
// members; a member no longer registered drops out; no choice is refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "kit/FormKit.h"
#include "rtl/FormatNumber.h"
#include "tests/report/PageChecks.h"
#include "tests/worship/WorshipTestSupport.h"
#include "worship/QRRepMPAG.h"
#include "worship/URepMPAG.h"

using namespace gui;
using namespace worship;

namespace {

using TextList = std::vector<std::string>;

// An amount as the layout's mask prints it, with the system's separators.
std::string Amount(double v) { return rtl::FormatFloat("#####,", v); }

TextList Sorted(TextList v) {
  std::sort(v.begin(), v.end());
  return v;
}

class DuesReport : public worshiptest::WorshipFixture {
 protected:
  void SetUp() override {
    WorshipFixture::SetUp();
    Make(FQRRepMPAG);
    Make(FRepMPAG);
    Clean();
    MakeFamily("NK-97700", "KELUARGA IURAN");
    Member("NK-97700", "NJ-97700.10000", "ZDR ANTON", "3");
    Member("NK-97700", "NJ-97700.10001", "ZDR BELLA", "8");
    Member("NK-97700", "NJ-97700.10002", "ZDR CARLO", "8");
    Exec("update detail_kk set sts_hidup='Meninggal' where nij='NJ-97700.10002'");
    Exec("update detail_kk set sex='Pria' where nik='NK-97700'");
    Pay("9000001/MPAG-SLV/2023-2024/05012024", "2023-2024", "2024-01-05",
        {{"NJ-97700.10000", 50000}, {"NJ-97700.10001", 75000}});
    // ANTON pays twice in the period; the member no longer registered drops out.
    Pay("9000002/MPAG-SLV/2023-2024/20022024", "2023-2024", "2024-02-20",
        {{"NJ-97700.10000", 25000}, {"NJ-97799.10000", 10000}});
    Pay("9000003/MPAG-SLV/2024-2025/01032024", "2024-2025", "2024-03-01", {{"NJ-97700.10001", 1250000}});
  }
  void TearDown() override {
    Clean();
    WorshipFixture::TearDown();
  }
  void Clean() {
    Exec("delete from mpag_detail where no_kwitansi like '900000%'");
    Exec("delete from mpag where no_kwitansi like '900000%'");
  }
  void Pay(const std::string& receipt, const std::string& period, const std::string& day,
           std::initializer_list<std::pair<const char*, int>> lines) {
    int total = 0;
    for (const auto& [nij, amount] : lines) {
      Exec("insert into mpag_detail(no_kwitansi,nij,nominal) values ('" + receipt + "','" + nij + "'," +
           std::to_string(amount) + ")");
      total += amount;
    }
    Exec("insert into mpag(no_kwitansi,periode,tgl_bayar,total_nominal,username) values ('" + receipt + "','" +
         period + "','" + day + "'," + std::to_string(total) + ",'tst_reg')");
  }
  static TextList All(const report::TReportPages& pages, const std::string& name) {
    TextList out;
    for (const report::TReportPage& p : pages.Pages)
      for (const std::string& s : p.Texts(name)) out.push_back(s);
    return out;
  }
};

TEST_F(DuesReport, LinesOfAPeriodOrOfPaymentDatesWithTotalAndCounts) {
  struct Case {
    const char* period;  // nullptr: the dates
    rtl::TDateTime from, to;
    const char* filter;
    TextList names;
    double total;
  } cases[] = {
      {"2023-2024", 0, 0, "Filter : Berdasarkan Periode 2023-2024", {"ZDR ANTON", "ZDR BELLA", "ZDR ANTON"},
       150000},
      {"2024-2025", 0, 0, "Filter : Berdasarkan Periode 2024-2025", {"ZDR BELLA"}, 1250000},
      {"2019-2020", 0, 0, "Filter : Berdasarkan Periode 2019-2020", {}, 0},
      // Both days included.
      {nullptr, rtl::EncodeDate(2024, 1, 5), rtl::EncodeDate(2024, 2, 20),
       "Filter : Berdasarkan Tanggal Pembayaran 05/01/2024-20/02/2024", {"ZDR ANTON", "ZDR BELLA", "ZDR ANTON"},
       150000},
      {nullptr, rtl::EncodeDate(2024, 2, 21), rtl::EncodeDate(2024, 3, 1),
       "Filter : Berdasarkan Tanggal Pembayaran 21/02/2024-01/03/2024", {"ZDR BELLA"}, 1250000},
  };
  const std::string living = Value("select count(*) from detail_kk where sts_hidup='Hidup'");
  auto* f = FRepMPAG;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    f->FormActivate(f);
    if (c.period) {
      f->RadioButton1->SetChecked(true);
      EXPECT_TRUE(f->ComboBox1->Enabled());
      EXPECT_FALSE(f->DateTimePicker1->Enabled());
      kit::SelectExact(*f->ComboBox1, c.period);
    } else {
      f->RadioButton2->SetChecked(true);
      EXPECT_FALSE(f->ComboBox1->Enabled());
      EXPECT_TRUE(f->DateTimePicker2->Enabled());
      f->DateTimePicker1->SetDate(c.from);
      f->DateTimePicker2->SetDate(c.to);
    }
    f->Button1->Click();
    ASSERT_EQ(previews.reports.back(), FQRRepMPAG);
    const report::TReportPages& pages = previews.shown.back();
    const report::TReportPage& first = pages.Pages.at(0);
    EXPECT_EQ(first.Find("QRLabel22")->Text, c.filter);
    // No order is asked for: the lines come as the tables give them.
    EXPECT_EQ(Sorted(All(pages, "QRDBText_nama_gabung")), Sorted(c.names));
    EXPECT_EQ(All(pages, "QRExprTotal"), TextList{Amount(c.total)});
    EXPECT_EQ(All(pages, "QRExprJumlah"), TextList{std::to_string(c.names.size())});
    EXPECT_EQ(All(pages, "QRLabel23"), TextList{living});
  }
  EXPECT_EQ(living, "2");  // the deceased member is not counted

  // The period's lines as printed: receipt, date, sex, sector, amount with separators.
  f->FormActivate(f);
  f->RadioButton1->SetChecked(true);
  kit::SelectExact(*f->ComboBox1, "2023-2024");
  f->Button1->Click();
  const report::TReportPages& pages = previews.shown.back();
  const report::TReportPage& p = pages.Pages.at(0);
  EXPECT_EQ(pages.PageWidth, 816);  // portrait
  EXPECT_EQ(p.Find("QRLabel4")->Text, "LAPORAN PEMBAYARAN MPAG");
  TextList lines;
  for (size_t i = 0; i < p.Texts("QRDBText_no_kwitansi").size(); ++i) {
    lines.push_back(p.Texts("QRDBText_no_kwitansi")[i] + " " + p.Texts("QRDBText_tgl_bayar")[i] + " " +
                    p.Texts("QRDBText_sex")[i] + " " + p.Texts("QRDBText_sekpel")[i] + " " +
                    p.Texts("QRDBText_nominal")[i]);
  }
  EXPECT_EQ(Sorted(lines), (TextList{"9000001/MPAG-SLV/2023-2024/05012024 05/01/2024 Pria 3 " + Amount(50000),
                                     "9000001/MPAG-SLV/2023-2024/05012024 05/01/2024 Pria 8 " + Amount(75000),
                                     "9000002/MPAG-SLV/2023-2024/20022024 20/02/2024 Pria 3 " + Amount(25000)}));
  EXPECT_EQ(p.Find("QRSysDataPage")->Text, "Halaman : 1");
  EXPECT_EQ(p.Find("QRLabelWarga")->Text, "Jumlah Warga Jemaat");
  EXPECT_EQ(reptest::TextsRunningIntoOtherItems(pages), TextList{});
  gui::TBitmap page;
  report::RenderPageToBitmap(p, pages, page);
  report::SaveBitmapToPng(page, std::string("Z:") + KORVAN_REG_OUT + "/TFQRRepMPAG-filled.png");

  // No choice: refused, nothing previewed.
  const size_t before = previews.shown.size();
  f->FormActivate(f);
  dialogs.shown.clear();
  f->Button1->Click();
  EXPECT_EQ(previews.shown.size(), before);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Text, "Maaf...Anda belum memilih jenis yang mau ditampilkan");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
}

TEST_F(DuesReport, TheMenuEntryOpensTheWindow) {
  bool shown = false;
  WhileShown(FRepMPAG, [&shown] {
    shown = true;
    gui::Application->ProcessMessages();
    gui::TBitmap shot;
    guitest::ShotOfWindow(FRepMPAG->Handle(), shot);
    report::SaveBitmapToPng(shot, std::string("Z:") + KORVAN_REG_OUT + "/window_FRepMPAG.png");
    EXPECT_FALSE(FRepMPAG->RadioButton1->Checked());
    EXPECT_FALSE(FRepMPAG->ComboBox1->Enabled());
    EXPECT_EQ(kit::Chosen(*FRepMPAG->ComboBox1), "2019-2020");
    FRepMPAG->Close();
  });
  shell::FMenu->MPAG1->Click();
  EXPECT_TRUE(shown);
}

}  // namespace

// The five offering reports in process against the real database: each window's
// criteria give the rows and totals of a small fixed data set, the lines under the
// header say what was chosen; a range without services still prints its frame; a long
// list breaks into numbered pages with running line numbers; the main window's entries
// open the windows.
#include <gtest/gtest.h>

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "rtl/FormatNumber.h"
#include "shell/Upantra.h"
#include "tests/report/PageChecks.h"
#include "tests/worship/WorshipTestSupport.h"
#include "worship/QRRepPersembahanIbadahHariRayaGerejawi.h"
#include "worship/QRRepPersembahanIbadahMinggu.h"
#include "worship/QRRepPersembahanIbadahPelkat.h"
#include "worship/QRRepPersembahanIbadahSektor.h"
#include "worship/QRRepPersembahanIbadahSyukur.h"
#include "worship/URepPersembahanIbadahHariRayaGerejawi.h"
#include "worship/URepPersembahanIbadahMinggu.h"
#include "worship/URepPersembahanIbadahPelkat.h"
#include "worship/URepPersembahanIbadahSektor.h"
#include "worship/URepPersembahanIbadahSyukur.h"

using namespace gui;
using namespace worship;

namespace {

const char* const kTables[] = {"ibadah_minggu", "ibadah_sektor", "ibadah_syukur", "ibadah_hariraya_gerejawi",
                               "ibadah_pelkat", "ibadah_pelkat_detail"};

class OfferingReports : public worshiptest::WorshipFixture {
 protected:
  void SetUp() override {
    WorshipFixture::SetUp();
    Make(FRepPersembahanIbadahMinggu);
    Make(FQRRepPersembahanIbadahMinggu);
    Make(FRepPersembahanIbadahSektor);
    Make(FQRRepPersembahanIbadahSektor);
    Make(FRepPersembahanIbadahPelkat);
    Make(FQRRepPersembahanIbadahPelkat);
    Make(FRepPersembahanIbadahSyukur);
    Make(FQRRepPersembahanIbadahSyukur);
    Make(FRepPersembahanIbadahHariRayaGerejawi);
    Make(FQRRepPersembahanIbadahHariRayaGerejawi);
    Clean();
    Exec("insert into gereja(id,nama_gereja,alamat) values (1,'GPIB JEMAAT IMMANUEL DEPOK','Jl. Pemuda No. 17')");
    // March 2026: services on the 1st, 8th and 31st, and one on the 1st of April.
    Exec("insert into ibadah_minggu(kode,tgl,jam,tempat,kantong_rutin,kantong_pembangunan,persepuluhan,syukur,sbu,"
         "kantong_lainlain) values ('IM-01032026-10000','2026-03-01','07:00','PLK',1000000,200000,300000,50000,"
         "10000,5000),('IM-01032026-10001','2026-03-01','18:00','PLK',400000,0,0,0,0,0),"
         "('IM-08032026-10002','2026-03-08','08:00','VRN',600000,100000,0,0,0,0),"
         "('IM-01042026-10003','2026-04-01','18:00','PLK',999,0,0,0,0,0)");
    Exec("insert into ibadah_sektor(kode,tgl,sekpel,nama_tuan_rumah,sts_pf,nama_pf,liturgos,pkt,kolekte,syukur) "
         "values ('IS-01032026-10000','2026-03-01','3','ZOF SATU','Pendeta','PDT A','MJ-1','MJ-2',150000,25000),"
         "('IS-08032026-10001','2026-03-08','10','ZOF DUA','Vikaris','VIK B','','',75000,0),"
         "('IS-31032026-10002','2026-03-31','3','ZOF TIGA','Eksternal','TAMU','','',10000,1000)");
    Exec("insert into ibadah_syukur(kode,tgl,sekpel,judul_ibadah,nama_tuan_rumah,sts_pf,nama_pf,kolekte,syukur) "
         "values ('IY-01032026-10000','2026-03-01','2','Syukur Baptis','ZOF EMPAT','Pendeta','PDT A',300000,700000),"
         "('IY-08032026-10001','2026-03-08','2','Syukur Sidi','ZOF LIMA','Pendeta','PDT A',20000,30000)");
    Exec("insert into ibadah_hariraya_gerejawi(kode,tgl,jam,tempat,judul_ibadah,kantong_rutin,kantong_pembangunan,"
         "persepuluhan,syukur,sbu) values ('IG-01032026-10000','2026-03-01','04:00','PLK','Paskah',5000000,0,0,"
         "1000000,0),('IG-08032026-10001','2026-03-08','18:00','VRN','Malam Natal',100,200,300,400,500)");
    Exec("insert into ibadah_pelkat(kode,tgl,pelkat,total_kolekte,total_syukur) values "
         "('IP-01032026-10000','2026-03-01','PT',0,0),('IP-08032026-10001','2026-03-08','PA',0,0),"
         "('IP-09032026-10002','2026-03-09','GP',0,0)");
    Exec("insert into ibadah_pelkat_detail(kode,wilayah,tempat,kelas,nama_tuan_rumah,sts_pf,nama_pf,kolekte,syukur,"
         "jml_jemaat) values ('IP-01032026-10000','Utara','Gereja','Dwi','ZOF ENAM','Pendeta','PDT A',40000,4000,20),"
         "('IP-01032026-10000','Selatan','Rumah','Eka Junior','ZOF TUJUH','Pengurus','PGR C',60000,6000,15),"
         "('IP-08032026-10001','Gabung','Gereja','TK','ZOF DELAPAN','Vikaris','VIK B',1000,0,8)");
  }
  void TearDown() override {
    Clean();
    WorshipFixture::TearDown();
  }
  void Clean() {
    for (const char* t : kTables) Exec(std::string("delete from ") + t);
    Exec("delete from gereja");
  }
  // Runs a window's "Preview" over the dates, narrowed to `value` when it is given.
  const report::TReportPages& Preview(TOfferingReportForm& f, rtl::TDateTime from, rtl::TDateTime to,
                                      const char* value = nullptr) {
    f.Show();
    f.Activate();
    f.DateTimePicker1->SetDateTime(from);
    f.DateTimePicker2->SetDateTime(to);
    if (value) {
      f.CheckBox1->SetChecked(true);
      EXPECT_TRUE(f.ComboBox1->Enabled());
      kit::SelectExact(*f.ComboBox1, value);
    }
    f.Button1->Click();
    f.Close();
    return previews.shown.back();
  }
  static std::string First(const report::TReportPage& p, const char* name) {
    auto t = p.Texts(name);
    return t.empty() ? std::string("(none)") : t[0];
  }
  static std::string Grouped(std::string s) {
    for (char& c : s)
      if (c == ',') c = rtl::DefaultNumberFormat().thousandSeparator;
    return s;
  }
};

TEST_F(OfferingReports, EachWindowsCriteriaGiveItsRowsTotalsAndFilterLine) {
  const auto march1 = rtl::EncodeDate(2026, 3, 1), march8 = rtl::EncodeDate(2026, 3, 8),
             march31 = rtl::EncodeDate(2026, 3, 31);
  struct Case {
    TOfferingReportForm* window;
    rtl::TDateTime from, to;
    const char* value;
    const char* filterLine;
    const char* codes;  // the first column of every row, in order
    const char* sums;   // the column sums
    const char* total;
  };
  const Case cases[] = {
      {FRepPersembahanIbadahMinggu, march1, march31, nullptr, "Semua Jam Ibadah Minggu",
       "IM-01032026-10000|IM-01032026-10001|IM-08032026-10002|", "2,000,000|300,000|300,000|50,000|10,000|5,000|",
       "2,665,000"},
      {FRepPersembahanIbadahMinggu, march1, march31, "18:00", "Jam : 18:00", "IM-01032026-10001|",
       "400,000||||||", "400,000"},
      {FRepPersembahanIbadahMinggu, march8, march8, nullptr, "Semua Jam Ibadah Minggu", "IM-08032026-10002|",
       "600,000|100,000|||||", "700,000"},
      {FRepPersembahanIbadahSektor, march1, march31, "3", "Sektor Pelayanan : 3",
       "IS-01032026-10000|IS-31032026-10002|", "160,000|26,000|", "186,000"},
      {FRepPersembahanIbadahSektor, march8, march31, nullptr, "Semua Sektor Pelayanan",
       "IS-08032026-10001|IS-31032026-10002|", "85,000|1,000|", "86,000"},
      {FRepPersembahanIbadahPelkat, march1, march31, nullptr, "Semua Pelayanan Kategorial",
       "IP-01032026-10000|IP-01032026-10000|IP-08032026-10001|", "101,000|10,000|", "111,000"},
      {FRepPersembahanIbadahPelkat, march1, march31, "PT", "Pelayanan Kategorial : PT",
       "IP-01032026-10000|IP-01032026-10000|", "100,000|10,000|", "110,000"},
      {FRepPersembahanIbadahSyukur, march1, march31, "2", "Sektor Pelayanan : 2",
       "IY-01032026-10000|IY-08032026-10001|", "320,000|730,000|", "1,050,000"},
      {FRepPersembahanIbadahHariRayaGerejawi, march1, march31, "Malam Natal", "Ibadah : Malam Natal",
       "IG-08032026-10001|", "100|200|300|400|500|", "1,500"},
      {FRepPersembahanIbadahHariRayaGerejawi, march1, march31, nullptr, "Semua Ibadah Hari Raya Gerejawi",
       "IG-01032026-10000|IG-08032026-10001|", "5,000,100|200|300|1,000,400|500|", "6,001,500"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.window->Kind().window) + " " + c.filterLine);
    const report::TReportPages& pages = Preview(*c.window, c.from, c.to, c.value);
    ASSERT_EQ(pages.Pages.size(), 1u);
    const report::TReportPage& page = pages.Pages[0];
    EXPECT_EQ(First(page, "QRLabel4"), c.window->Kind().title);
    EXPECT_EQ(First(page, "QRLabel19"),
              "Tanggal : " + rtl::DateToStr(c.from) + " Sampai " + rtl::DateToStr(c.to));
    EXPECT_EQ(First(page, "QRLabel20"), c.filterLine);
    std::string codes;
    for (const std::string& t : page.Texts("QRDBText1")) codes += t + "|";
    EXPECT_EQ(codes, c.codes);
    std::string sums;
    for (size_t i = 1; i <= c.window->Kind().columns.size(); ++i) {
      auto t = page.Texts(("QRExprSum" + std::to_string(i)).c_str());
      if (!t.empty()) sums += t[0] + "|";
    }
    EXPECT_EQ(sums, Grouped(c.sums));
    EXPECT_EQ(First(page, "QRExprTotal"), Grouped(c.total));
    const std::string codesWanted = c.codes;
    const size_t rows = std::count(codesWanted.begin(), codesWanted.end(), '|');
    EXPECT_EQ(First(page, "QRExprCount"), std::to_string(rows));
    EXPECT_EQ(page.Texts("QRSysDataNo").size(), rows);
    EXPECT_EQ(reptest::TextsRunningIntoOtherItems(pages), std::vector<std::string>{});
  }
}

TEST_F(OfferingReports, ARangeWithoutServicesPrintsTheFrameWithACountOfZero) {
  // Nothing in that range; then the first date after the second.
  for (auto [from, to] : {std::pair{rtl::EncodeDate(2025, 1, 1), rtl::EncodeDate(2025, 1, 31)},
                          std::pair{rtl::EncodeDate(2026, 3, 31), rtl::EncodeDate(2026, 3, 1)}}) {
    const report::TReportPages& pages = Preview(*FRepPersembahanIbadahSektor, from, to);
    ASSERT_EQ(pages.Pages.size(), 1u);
    const report::TReportPage& page = pages.Pages[0];
    EXPECT_EQ(First(page, "QRLabel4"), "LAPORAN PERSEMBAHAN IBADAH SEKTOR/RUMAH TANGGA");
    EXPECT_EQ(First(page, "QRLabelKolom9"), "Kolekte");
    EXPECT_TRUE(page.Texts("QRDBText1").empty());
    EXPECT_EQ(First(page, "QRExprCount"), "0");
    EXPECT_EQ(First(page, "QRLabelTotalPersembahan"), "Total Persembahan :");
    EXPECT_EQ(First(page, "QRExprTotal"), "");
  }
}

TEST_F(OfferingReports, ALongListBreaksIntoNumberedPagesWithRunningLineNumbers) {
  std::string values;
  for (int i = 0; i < 70; ++i)
    values += std::string(i ? "," : "") + "('IS-02022026-" + std::to_string(20000 + i) + "','2026-02-02','" +
              std::to_string(i % 10 + 1) + "','ZOF TUAN RUMAH " + std::to_string(i) + "','Pendeta','PDT A',1000,10)";
  Exec("insert into ibadah_sektor(kode,tgl,sekpel,nama_tuan_rumah,sts_pf,nama_pf,kolekte,syukur) values " + values);
  const auto day = rtl::EncodeDate(2026, 2, 2);
  const report::TReportPages& pages = Preview(*FRepPersembahanIbadahSektor, day, day);
  ASSERT_GE(pages.Pages.size(), 2u);
  int line = 0;
  for (size_t p = 0; p < pages.Pages.size(); ++p) {
    const report::TReportPage& page = pages.Pages[p];
    SCOPED_TRACE("page " + std::to_string(p + 1));
    // The header and the column titles on every page, the page's number at its foot.
    EXPECT_EQ(First(page, "QRLabel4"), "LAPORAN PERSEMBAHAN IBADAH SEKTOR/RUMAH TANGGA");
    EXPECT_EQ(First(page, "QRLabelKolom1"), "Kode");
    EXPECT_EQ(First(page, "QRSysDataPage"), "Hal. " + std::to_string(p + 1));
    for (const std::string& n : page.Texts("QRSysDataNo")) EXPECT_EQ(n, std::to_string(++line));
  }
  EXPECT_EQ(line, 70);
  const report::TReportPage& last = pages.Pages.back();
  EXPECT_EQ(First(last, "QRExprCount"), "70");
  EXPECT_EQ(First(last, "QRExprTotal"), Grouped("70,700"));
  EXPECT_TRUE(pages.Pages.front().Texts("QRExprCount").empty());  // the summary once, at the end
  EXPECT_EQ(reptest::TextsRunningIntoOtherItems(pages), std::vector<std::string>{});
}

TEST_F(OfferingReports, TheMainWindowsEntriesOpenTheWindows) {
  const std::pair<TMenuItem*, TOfferingReportForm*> entries[] = {
      {shell::FMenu->IbadahMinggu2, FRepPersembahanIbadahMinggu},
      {shell::FMenu->IbadahSektor2, FRepPersembahanIbadahSektor},
      {shell::FMenu->IbadahPelKat2, FRepPersembahanIbadahPelkat},
      {shell::FMenu->IbadahSyukur2, FRepPersembahanIbadahSyukur},
      {shell::FMenu->IbadahHariRayaGerejawi2, FRepPersembahanIbadahHariRayaGerejawi}};
  for (auto [item, form] : entries) {
    std::string seen;
    WhileShown(form, [&, form = form] {
      seen = form->Caption() + "|" + form->CheckBox1->Caption() + "|" + (form->ComboBox1->Enabled() ? "on" : "off");
      form->Button2->Click();
    });
    item->Click();
    EXPECT_FALSE(form->Showing());
    EXPECT_EQ(seen, std::string(form->Kind().caption) + "|" + form->Kind().choice + "|off");
  }
}

}  // namespace

// Cemetery dues payments in process against the real database: the save of a payment
// for several members, reopened from its search, changed and saved again with its lines
// replaced; one member once per payment; no payment without lines; receipt numbers in
// storage order and refused past their digits; a line deleted from the search with the
// payment's total following; the receipt's laid-out items.
#include <gtest/gtest.h>

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "rtl/FormatNumber.h"
#include "rtl/SysUtils.h"
#include "tests/registry/RegistryTestSupport.h"
#include "tests/report/PageChecks.h"
#include "worship/QRKwitansiMPAG.h"
#include "worship/UCariMPAG.h"
#include "worship/UMPAG.h"

using namespace gui;
using namespace worship;

namespace {

class Dues : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    Application->CreateForm(FMPAG);
    Application->CreateForm(FCariMPAG);
    Application->CreateForm(FQRKwitansiMPAG);
    Clean();
    MakeFamily("NK-93100", "KELUARGA IURAN");
    for (auto [nij, name, sekpel] : {std::tuple{"NJ-93100.10000", "ZDU ANTON", "3"},
                                     {"NJ-93100.10001", "ZDU BELLA", "3"},
                                     {"NJ-93100.10002", "ZDU CARLO", "5"}})
      Exec(std::string("insert into detail_kk(nik,nij,nama_gabung,sex,sekpel,sts_hidup,username) values "
                       "('NK-93100','") + nij + "','" + name + "','Pria','" + sekpel + "','Hidup','tst_reg')");
    Exec("insert into user(nama,username,active) values ('Ibu Bendahara Uji','tst_reg','T')");
  }
  void TearDown() override {
    Clean();
    delete FQRKwitansiMPAG;
    delete FCariMPAG;
    delete FMPAG;
    FQRKwitansiMPAG = nullptr;
    FCariMPAG = nullptr;
    FMPAG = nullptr;
    RegistryFixture::TearDown();
  }
  void Clean() {
    for (const char* t : {"mpag", "mpag_detail"}) Exec(std::string("delete from ") + t);
    Exec("delete from user where username='tst_reg'");
    Exec("delete from detail_kk where nik='NK-93100'");
    Exec("delete from header_kk where nik='NK-93100'");
  }
  std::string WorkLines() { return Rows("select nij,nominal from mpag_detail_temp order by nij", app::DM->ZConnection1); }
  TFMPAG& Open() {
    FMPAG->Show();
    FMPAG->Activate();
    return *FMPAG;
  }
  // A member as the lookup would fill it, added at the default or a typed nominal.
  void Add(TFMPAG& f, const std::string& nij, const std::string& name, const std::string& nominal = "") {
    f.Edit3->SetText(nij);
    f.Edit4->SetText(name);
    if (!nominal.empty()) {
      f.CheckBox1->SetChecked(false);
      f.Edit5->SetText(nominal);
    }
    f.Button1->Click();
  }
  std::string Grouped(std::string s) {
    for (char& c : s)
      if (c == ',') c = rtl::DefaultNumberFormat().thousandSeparator;
    return s;
  }
};

TEST_F(Dues, PaymentSavedReopenedChangedAndItsLinesReplaced) {
  TFMPAG& f = Open();
  EXPECT_EQ(f.Edit1->Text(), "[AUTO]");
  EXPECT_TRUE(f.Edit5->ReadOnly());
  kit::SelectExact(*f.ComboBox1, "2024-2025");
  Add(f, "NJ-93100.10000", "ZDU ANTON");
  Add(f, "NJ-93100.10001", "ZDU BELLA");
  Add(f, "NJ-93100.10002", "ZDU CARLO");
  EXPECT_EQ(f.Edit2->Text(), Grouped("150,000"));
  EXPECT_EQ(f.Edit5->Text(), "50000");
  f.SpeedButton5->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Pembayaran MPAG berhasil di-input");
  const std::string number = "1000000/MPAG-SLV/2024-2025/" + rtl::FormatDateTime("ddmmyyyy", rtl::Now());
  EXPECT_EQ(Rows("select no_kwitansi,periode,total_nominal,username from mpag"),
            number + ",2024-2025,150000,tst_reg;");
  EXPECT_EQ(Rows("select nij,nominal from mpag_detail order by nij"),
            "NJ-93100.10000,50000;NJ-93100.10001,50000;NJ-93100.10002,50000;");
  EXPECT_EQ(WorkLines(), "");  // back at a new payment
  EXPECT_EQ(f.Edit1->Text(), "[AUTO]");

  // Reopened from the search, one member taken out, another's amount typed anew.
  Exec("update mpag set tgl_bayar='2026-01-05'");
  FCariMPAG->Show();
  FCariMPAG->Activate();
  EXPECT_EQ(app::DM->Q3->RecordCount(), 3);
  FCariMPAG->DBGrid1DblClick(nullptr);
  EXPECT_FALSE(FCariMPAG->Showing());
  EXPECT_EQ(f.Edit1->Text(), number);
  EXPECT_EQ(kit::Chosen(*f.ComboBox1), "2024-2025");
  EXPECT_EQ(rtl::DateToStr(f.DateTimePicker1->Date()), rtl::DateToStr(rtl::EncodeDate(2026, 1, 5)));
  EXPECT_EQ(f.Edit2->Text(), Grouped("150,000"));
  app::DM->QMPAGTemp->First();
  while (app::DM->QMPAGTemp->FieldByName("nij")->AsString() != "NJ-93100.10001") app::DM->QMPAGTemp->Next();
  dialogs.answers.push_back(mrYes);
  f.Button2->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Apakah anda yakin mau batalkan record ini?");
  EXPECT_EQ(f.Edit2->Text(), Grouped("100,000"));
  f.SpeedButton5->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Pembayaran MPAG berhasil di-ubah");
  EXPECT_EQ(Rows("select no_kwitansi,total_nominal,date_format(tgl_bayar,'%Y-%m-%d') from mpag"), number + ",100000,2026-01-05;");
  EXPECT_EQ(Rows("select nij from mpag_detail order by nij"), "NJ-93100.10000;NJ-93100.10002;");
}

TEST_F(Dues, AMemberOncePerPaymentAndNoPaymentWithoutLines) {
  TFMPAG& f = Open();
  // No lines: refused, nothing stored.
  f.SpeedButton5->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Maaf...Detail Pembayaran masih kosong");
  EXPECT_EQ(Value("select count(*) from mpag"), "0");
  // No member picked.
  f.Button1->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Maaf...NIJ dan Nama tidak boleh kosong");
  Add(f, "NJ-93100.10000", "ZDU ANTON", "75000");
  EXPECT_TRUE(f.Edit5->ReadOnly());  // back at the default
  Add(f, "NJ-93100.10000", "ZDU ANTON");
  EXPECT_EQ(dialogs.shown.back().Text, "Maaf...NIJ tidak dapat diinput 2(dua) kali");
  EXPECT_EQ(WorkLines(), "NJ-93100.10000,75000;");
  // A nominal that is no number stores nothing.
  f.CheckBox1->SetChecked(false);
  f.Edit3->SetText("NJ-93100.10001");
  f.Edit4->SetText("ZDU BELLA");
  f.Edit5->SetText("lima");
  EXPECT_THROW(f.Button1Click(nullptr), rtl::EConvertError);
  EXPECT_EQ(WorkLines(), "NJ-93100.10000,75000;");
  f.Edit5->SetText("50000");
  // The last line taken out leaves the total empty.
  dialogs.answers.push_back(mrYes);
  f.Button2->Click();
  EXPECT_EQ(f.Edit2->Text(), "");
  // Reactivating the window empties the work table.
  Add(f, "NJ-93100.10002", "ZDU CARLO");
  f.Activate();
  EXPECT_EQ(WorkLines(), "");
}

TEST_F(Dues, ReceiptNumbersFollowTheLastStoredPaymentAndStopPastTheirDigits) {
  TFMPAG& f = Open();
  const std::string today = rtl::FormatDateTime("ddmmyyyy", rtl::Now());
  // The last row stored decides, not the text order of the numbers.
  Exec("insert into mpag(no_kwitansi,periode) values ('1000020/MPAG-SLV/2019-2020/01012026','2019-2020'),"
       "('1000009/MPAG-SLV/2019-2020/02012026','2019-2020')");
  Add(f, "NJ-93100.10000", "ZDU ANTON");
  f.SpeedButton5->Click();
  EXPECT_EQ(Value("select no_kwitansi from mpag order by id desc limit 1"), "1000010/MPAG-SLV/2019-2020/" + today);
  Exec("insert into mpag(no_kwitansi,periode) values ('9999999/MPAG-SLV/2019-2020/01012026','2019-2020')");
  Add(f, "NJ-93100.10000", "ZDU ANTON");
  dialogs.shown.clear();
  f.SpeedButton5->Click();
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().Type, TMsgDlgType::mtError);
  EXPECT_NE(dialogs.shown.back().Text.find("9999999/MPAG-SLV"), std::string::npos);
  EXPECT_EQ(Value("select count(*) from mpag"), "4");
  EXPECT_EQ(Value("select count(*) from mpag_detail"), "1");
}

TEST_F(Dues, ALineDeletedFromTheSearchTakesItsAmountFromTheTotal) {
  Exec("insert into mpag(no_kwitansi,periode,tgl_bayar,total_nominal) values "
       "('1000000/MPAG-SLV/2020-2021/01012026','2020-2021','2026-01-01',125000),"
       "('1000001/MPAG-SLV/2021-2022/01022026','2021-2022','2026-02-01',50000)");
  Exec("insert into mpag_detail(no_kwitansi,nij,nominal) values ('1000000/MPAG-SLV/2020-2021/01012026',"
       "'NJ-93100.10000',50000),('1000000/MPAG-SLV/2020-2021/01012026','NJ-93100.10001',75000),"
       "('1000001/MPAG-SLV/2021-2022/01022026','NJ-93100.10002',50000)");
  TFCariMPAG& s = *FCariMPAG;
  s.Show();
  s.Activate();
  s.RadioButton3->SetChecked(true);
  s.RadioButton3Click(nullptr);
  kit::SelectExact(*s.ComboBox1, "2020-2021");
  s.Edit2->SetText("zdu");
  s.Button1Click(nullptr);
  ASSERT_EQ(app::DM->Q3->RecordCount(), 2);
  while (app::DM->Q3->FieldByName("nij")->AsString() != "NJ-93100.10001") app::DM->Q3->Next();
  dialogs.answers.push_back(mrYes);
  s.Button2Click(nullptr);
  EXPECT_EQ(dialogs.shown.back().Text, "Apakah anda yakin record ini mau dihapus?");
  EXPECT_EQ(Rows("select no_kwitansi,total_nominal from mpag order by id"),
            "1000000/MPAG-SLV/2020-2021/01012026,50000;1000001/MPAG-SLV/2021-2022/01022026,50000;");
  // The grid shows the search again, without the deleted line.
  ASSERT_EQ(app::DM->Q3->RecordCount(), 1);
  EXPECT_EQ(app::DM->Q3->FieldByName("nij")->AsString(), "NJ-93100.10000");
  // The last line takes its payment with it.
  dialogs.answers.push_back(mrYes);
  s.Button2Click(nullptr);
  EXPECT_EQ(Rows("select no_kwitansi from mpag"), "1000001/MPAG-SLV/2021-2022/01022026;");
  EXPECT_EQ(app::DM->Q3->RecordCount(), 0);
  // By receipt number and by date.
  s.RadioButton1->SetChecked(true);
  s.RadioButton1Click(nullptr);
  s.Edit1->SetText("2021-2022");
  s.Button1Click(nullptr);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 1);
  s.RadioButton2->SetChecked(true);
  s.RadioButton2Click(nullptr);
  s.DateTimePicker1->SetDateTime(rtl::EncodeDate(2026, 1, 1));
  s.DateTimePicker2->SetDateTime(rtl::EncodeDate(2026, 1, 31));
  s.Button1Click(nullptr);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 0);
}

TEST_F(Dues, ReceiptCarriesTheLinesTheAmountInWordsAndTheSigner) {
  Exec("drop table if exists tst_dues_gereja_keep");
  Exec("create table tst_dues_gereja_keep as select * from gereja");
  Exec("delete from gereja");
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'GEREJA PROTESTAN JEMAAT BUKIT HARAPAN','Jl. Uji')");
  TFMPAG& f = Open();
  kit::SelectExact(*f.ComboBox1, "2023-2024");
  Add(f, "NJ-93100.10000", "ZDU ANTON");
  Add(f, "NJ-93100.10001", "ZDU BELLA");
  Add(f, "NJ-93100.10002", "ZDU CARLO");
  f.SpeedButton4->Click();
  Exec("delete from gereja");
  Exec("insert into gereja select * from tst_dues_gereja_keep");
  Exec("drop table tst_dues_gereja_keep");
  ASSERT_EQ(previews.shown.size(), 1u);
  const report::TReportPage& p = previews.shown[0].Pages.at(0);
  auto text = [&p](const char* name) {
    auto t = p.Texts(name);
    return t.empty() ? std::string("(none)") : t[0];
  };
  EXPECT_EQ(text("QRLabel1"), "TANDA TERIMA");
  EXPECT_EQ(text("QRLabel10"), "[AUTO]");  // not saved yet
  EXPECT_EQ(text("QRLabel11"), "Kantor Gereja GEREJA PROTESTAN JEMAAT BUKIT HARAPAN");
  EXPECT_EQ(text("QRLabel12"), "seratus lima puluh ribu rupiah");
  EXPECT_EQ(text("QRLabel13"), "Iuran Taman Makam Kristen Wendaru MPAG Periode 2023-2024");
  EXPECT_EQ(text("QRLabel15"), Grouped("150,000"));
  EXPECT_EQ(text("QRLabel18"), "Ibu Bendahara Uji");
  EXPECT_EQ(text("QRLabel23"), "GEREJA PROTESTAN JEMAAT BUKIT HARAPAN");
  EXPECT_EQ(text("QRSysData1"), "Selvaran, " + rtl::DateToStr(FQRKwitansiMPAG->PrintMoment()));
  EXPECT_EQ(p.Texts("QRDBText2"), (std::vector<std::string>{"ZDU ANTON", "ZDU BELLA", "ZDU CARLO"}));
  EXPECT_EQ(p.Texts("QRDBText5"), (std::vector<std::string>(3, Grouped("50,000"))));
  EXPECT_EQ(p.Texts("QRDBText4"), (std::vector<std::string>{"3", "3", "5"}));
  EXPECT_EQ(reptest::TextsRunningIntoOtherItems(previews.shown[0]), std::vector<std::string>{});

  // An empty payment prints the amount line as " rupiah" alone.
  f.Activate();
  f.SpeedButton4->Click();
  ASSERT_EQ(previews.shown.size(), 2u);
  EXPECT_EQ(previews.shown[1].Pages.at(0).Texts("QRLabel12"), std::vector<std::string>{" rupiah"});
}

}  // namespace

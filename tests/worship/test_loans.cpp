// Item loans in process against the real database: a form saved with lending and
// return lines, reopened from its search, changed and its lines replaced; one line per
// status and item; no form without lines; a minister's loan keeping its borrower kind
// over a reopen and save; a loan to a non-member stored with sector 0; a complete form
// refused on reopen and deleted with its lines; form numbers in storage order.
#include <gtest/gtest.h>

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "rtl/SysUtils.h"
#include "tests/registry/RegistryTestSupport.h"
#include "worship/UCariPinjamBarang.h"
#include "worship/UPeminjamanBarang.h"

using namespace gui;
using namespace worship;

namespace {

class Loans : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    Application->CreateForm(FPeminjamanBarang);
    Application->CreateForm(FCariPinjamBarang);
    Clean();
  }
  void TearDown() override {
    Clean();
    delete FCariPinjamBarang;
    delete FPeminjamanBarang;
    FCariPinjamBarang = nullptr;
    FPeminjamanBarang = nullptr;
    RegistryFixture::TearDown();
  }
  void Clean() {
    for (const char* t : {"pinjam_barang", "pinjam_barang_detail"}) Exec(std::string("delete from ") + t);
  }
  std::string WorkLines() {
    return Rows("select sts_pinjam,nama_barang,qty,kondisi_pinjam,kondisi_kembali from pinjam_barang_detail_temp "
                "order by nama_barang,sts_pinjam",
                app::DM->ZConnection1);
  }
  TFPeminjamanBarang& Open() {
    FPeminjamanBarang->Show();
    FPeminjamanBarang->Activate();
    return *FPeminjamanBarang;
  }
  void Line(TFPeminjamanBarang& f, const char* status, const char* item, const char* qty, const char* condition) {
    kit::SelectExact(*f.ComboBox1, status);
    f.ComboBox1Change(nullptr);
    f.Edit7->SetText(item);
    f.Edit8->SetText(qty);
    (std::string(status) == "PINJAM" ? f.Edit9 : f.Edit10)->SetText(condition);
    f.Button1->Click();
  }
  // A borrower as the lookup of the chosen kind would fill it.
  void Borrower(TFPeminjamanBarang& f, const char* kind, const char* number, const char* name, const char* sector) {
    kit::SelectExact(*f.ComboBox2, kind);
    f.ComboBox2Change(nullptr);
    f.Edit3->SetText(number);
    f.Edit4->SetText(name);
    f.Edit5->SetText(sector);
  }
  void Reopen(const std::string& number) {
    FCariPinjamBarang->Show();
    FCariPinjamBarang->Activate();
    for (app::DM->Q3->First(); !app::DM->Q3->Eof(); app::DM->Q3->Next())
      if (app::DM->Q3->FieldByName("no_blanko")->AsString() == number) break;
    FCariPinjamBarang->DBGrid1DblClick(nullptr);
  }
};

TEST_F(Loans, FormSavedReopenedChangedAndItsLinesReplaced) {
  TFPeminjamanBarang& f = Open();
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");
  EXPECT_TRUE(f.RadioButton2->Checked());
  Borrower(f, "Jemaat", "NJ-93200.10000", "zlo anita", "7");
  EXPECT_EQ(f.Edit4->Text(), "ZLO ANITA");
  f.Edit6->SetText("Natal sektor");
  Line(f, "PINJAM", "Kursi lipat", "40", "Baik");
  Line(f, "PINJAM", "Kursi lipat", "45", "Baik");  // the same line, updated
  Line(f, "KEMBALI", "Kursi lipat", "44", "Satu patah");  // its return: a line of its own
  Line(f, "PINJAM", "Proyektor", "1", "Baik");
  EXPECT_EQ(WorkLines(), "KEMBALI,Kursi lipat,44,,Satu patah;PINJAM,Kursi lipat,45,Baik,;PINJAM,Proyektor,1,Baik,;");
  EXPECT_EQ(f.Edit8->Text(), "0");
  EXPECT_TRUE(f.Edit10->ReadOnly());
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Peminjaman Barang berhasil di-input");
  const std::string number = "10000/" + rtl::FormatDateTime("ddmmyyyy", rtl::Now()) + "/PBA";
  EXPECT_EQ(Rows("select no_blanko,sts_peminjam,nij,nama,keperluan,sekpel,sts_lengkap,username from pinjam_barang"),
            number + ",Jemaat,NJ-93200.10000,ZLO ANITA,Natal sektor,7,Tidak,tst_reg;");
  EXPECT_EQ(Value("select count(*) from pinjam_barang_detail"), "3");
  EXPECT_EQ(WorkLines(), "");

  // Reopened, a line changed and one taken out.
  Exec("update pinjam_barang set username='someone'");
  Reopen(number);
  EXPECT_FALSE(FCariPinjamBarang->Showing());
  EXPECT_EQ(f.Edit1->Text(), number);
  EXPECT_EQ(f.Edit5->Text(), "7");
  EXPECT_EQ(WorkLines(), "KEMBALI,Kursi lipat,44,,Satu patah;PINJAM,Kursi lipat,45,Baik,;PINJAM,Proyektor,1,Baik,;");
  app::DM->QTemp4->First();
  while (app::DM->QTemp4->FieldByName("nama_barang")->AsString() != "Proyektor") app::DM->QTemp4->Next();
  dialogs.answers.push_back(mrYes);
  f.Button2->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Anda yakin mau batalkan record ini ?");
  app::DM->QTemp4->First();
  while (app::DM->QTemp4->FieldByName("sts_pinjam")->AsString() != "KEMBALI") app::DM->QTemp4->Next();
  f.DBGrid1DblClick(nullptr);
  EXPECT_EQ(kit::Chosen(*f.ComboBox1), "KEMBALI");
  EXPECT_EQ(f.Edit8->Text(), "44");
  f.Edit8->SetText("45");
  f.Edit10->SetText("Lengkap");
  f.Button1->Click();
  f.RadioButton1->SetChecked(true);
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Peminjaman Barang berhasil di-ubah");
  EXPECT_EQ(Rows("select sts_lengkap,username from pinjam_barang"), "Ya,tst_reg;");
  EXPECT_EQ(Rows("select sts_pinjam,nama_barang,qty,kondisi_kembali from pinjam_barang_detail order by sts_pinjam"),
            "KEMBALI,Kursi lipat,45,Lengkap;PINJAM,Kursi lipat,45,;");

  // Complete now: it no longer opens, and goes with all its lines when deleted.
  dialogs.shown.clear();
  Reopen(number);
  EXPECT_EQ(dialogs.shown.back().Text,
            "Maaf...Status Peminjaman barang sudah lengkap, jadi data tidak bisa diakses kembali");
  EXPECT_TRUE(FCariPinjamBarang->Showing());
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");
  dialogs.answers.push_back(mrYes);
  FCariPinjamBarang->Button2Click(nullptr);
  EXPECT_EQ(Value("select count(*) from pinjam_barang"), "0");
  EXPECT_EQ(Value("select count(*) from pinjam_barang_detail"), "0");
  FCariPinjamBarang->Close();
}

TEST_F(Loans, BorrowerKindKeptOnReopenAndNonMembersStoredWithSectorZero) {
  TFPeminjamanBarang& f = Open();
  // No lines: refused.
  Borrower(f, "Pendeta", "PDT-10001", "PDT UJI PINJAM", "");
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Maaf...Data Barang masih kosong");
  EXPECT_EQ(Value("select count(*) from pinjam_barang"), "0");
  // A minister has no sector: stored as 0.
  Line(f, "PINJAM", "Toga", "1", "Baik");
  f.SpeedButton6->Click();
  EXPECT_EQ(Rows("select sts_peminjam,nij,sekpel from pinjam_barang"), "Pendeta,PDT-10001,0;");
  const std::string number = Value("select no_blanko from pinjam_barang");

  // Reopened: still the minister's loan, and saved again as such.
  Reopen(number);
  EXPECT_EQ(kit::Chosen(*f.ComboBox2), "Pendeta");
  EXPECT_EQ(f.Edit3->Text(), "PDT-10001");
  f.Edit6->SetText("Ibadah pemakaman");
  f.SpeedButton6->Click();
  EXPECT_EQ(Rows("select sts_peminjam,nij,nama,keperluan,sekpel from pinjam_barang"),
            "Pendeta,PDT-10001,PDT UJI PINJAM,Ibadah pemakaman,0;");

  // A member's loan without a picked member fails the sector's conversion and stores
  // nothing; so does a quantity that is no number.
  Borrower(f, "Jemaat", "", "", "");
  Line(f, "PINJAM", "Meja", "2", "Baik");
  EXPECT_THROW(f.SpeedButton6Click(nullptr), rtl::EConvertError);
  EXPECT_EQ(Value("select count(*) from pinjam_barang"), "1");
  f.Edit7->SetText("Meja");
  f.Edit8->SetText("dua");
  EXPECT_THROW(f.Button1Click(nullptr), rtl::EConvertError);
  EXPECT_EQ(WorkLines(), "PINJAM,Meja,2,Baik,;");
}

TEST_F(Loans, FormNumbersFollowTheLastStoredFormAndStopPastTheirDigits) {
  Exec("insert into pinjam_barang(no_blanko,sts_lengkap) values ('10020/01012026/PBA','Tidak'),"
       "('10009/02012026/PBA','Tidak')");
  TFPeminjamanBarang& f = Open();
  Borrower(f, "Vikaris", "VK-1", "VIKARIS UJI", "");
  Line(f, "PINJAM", "Stola", "1", "Baik");
  f.SpeedButton6->Click();
  EXPECT_EQ(Value("select no_blanko from pinjam_barang order by id desc limit 1"),
            "10010/" + rtl::FormatDateTime("ddmmyyyy", rtl::Now()) + "/PBA");
  Exec("insert into pinjam_barang(no_blanko) values ('99999/03012026/PBA')");
  Borrower(f, "Vikaris", "VK-1", "VIKARIS UJI", "");
  Line(f, "PINJAM", "Stola", "1", "Baik");
  dialogs.shown.clear();
  f.SpeedButton6->Click();
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().Type, TMsgDlgType::mtError);
  EXPECT_EQ(Value("select count(*) from pinjam_barang"), "4");
}

TEST_F(Loans, SearchByStatusNumberAndItemName) {
  Exec("insert into pinjam_barang(no_blanko,tgl,nama,sts_lengkap) values ('10000/01012026/PBA','2026-01-01','A',"
       "'Tidak'),('10001/05012026/PBA','2026-01-05','B','Tidak')");
  Exec("insert into pinjam_barang_detail(no_blanko,nama_barang,qty,sts_pinjam) values ('10000/01012026/PBA',"
       "'Kursi',10,'PINJAM'),('10000/01012026/PBA','Kursi',10,'KEMBALI'),('10001/05012026/PBA','Tenda',1,'PINJAM')");
  TFCariPinjamBarang& s = *FCariPinjamBarang;
  s.Show();
  s.Activate();
  EXPECT_EQ(app::DM->Q3->RecordCount(), 3);
  s.RadioButton2->SetChecked(true);
  s.RadioButton2Click(nullptr);
  EXPECT_EQ(s.StatusBar1->Panels()[0]->Text(), "Pencarian Berdasarkan : \"Status Pinjam\"");
  s.Button1Click(nullptr);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 2);
  s.CheckBox1->SetChecked(true);
  s.CheckBox1Click(nullptr);
  s.Edit2->SetText("ten");
  s.Button1Click(nullptr);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 1);
  s.RadioButton3->SetChecked(true);
  s.RadioButton3Click(nullptr);
  s.Edit1->SetText("10000/01012026/PBA");
  s.Edit2->SetText("kur");
  s.Button1Click(nullptr);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 2);
  // The item box without a criterion lists every line.
  s.RadioButton3->SetChecked(false);
  s.Button1Click(nullptr);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 3);
}

}  // namespace

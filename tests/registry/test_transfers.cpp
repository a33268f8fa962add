// Membership transfers in process against the real database: an outgoing transfer with
// the head and two lines marks three members, an incoming one touches none and is
// reopened, changed and its lines replaced; a line per member (a second add updates it,
// "Hapus" takes out that one line); the head alone saved; numbers by the last stored
// number and refused past their digits; the search's refusal of an outgoing transfer,
// its delete, and the letter's laid-out items.
#include <gtest/gtest.h>

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/QRAttestasi.h"
#include "registry/UAttestasi.h"
#include "registry/UCariAttestasi.h"
#include "rtl/SysUtils.h"
#include "tests/registry/RegistryTestSupport.h"
#include "tests/report/PageChecks.h"

using namespace gui;
using namespace registry;

namespace {

class Transfers : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    Application->CreateForm(FAttestasi);
    Application->CreateForm(FCariAttestasi);
    Application->CreateForm(FQRAttestasi);
    Clean();
    MakeFamily("NK-97300", "KELUARGA PINDAH");
    for (const char* nij : {"NJ-97300.10000", "NJ-97300.10001", "NJ-97300.10002", "NJ-97300.10003"})
      MakeMember("NK-97300", nij, std::string("ZAT ") + nij);
  }
  void TearDown() override {
    Clean();
    delete FQRAttestasi;
    delete FCariAttestasi;
    delete FAttestasi;
    FQRAttestasi = nullptr;
    FCariAttestasi = nullptr;
    FAttestasi = nullptr;
    RegistryFixture::TearDown();
  }
  void Clean() {
    for (const char* t : {"attestasi", "attestasi_detail"}) Exec(std::string("delete from ") + t);
  }
  std::string WorkLines() {
    return Rows("select nij,nama,hubungan_keluarga,sekpel,keterangan from attestasi_detail_temp order by nama",
                app::DM->ZConnection1);
  }
  TFAttestasi& Open() {
    FAttestasi->Show();
    FAttestasi->Activate();
    return *FAttestasi;
  }
  // The head and a follower as the member lookup fills them.
  void Head(TFAttestasi& f, const std::string& nij, const char* sector) {
    f.Edit3->SetText(nij);
    f.Edit4->SetText("ZAT " + nij);
    f.Edit5->SetText("Jl. Lama 1");
    f.Edit11->SetText(sector);
  }
  void Line(TFAttestasi& f, const std::string& nij, const std::string& name, const char* relation,
            const char* remark = "") {
    f.Edit8->SetText(nij);
    f.Edit9->SetText(name);
    kit::SelectExact(*f.ComboBox2, relation);
    f.Edit10->SetText("Selvaran");
    f.DateTimePicker2->SetDateTime(rtl::EncodeDate(2001, 2, 3));
    f.Memo1->SetText(remark);
    f.Button1->Click();
  }
  void Select(const std::string& column, const std::string& value) {
    for (app::DM->Q3->First(); !app::DM->Q3->Eof(); app::DM->Q3->Next())
      if (app::DM->Q3->FieldByName(column)->AsString() == value) return;
  }
};

TEST_F(Transfers, OutgoingMarksItsMembersAndCannotBeReopened) {
  TFAttestasi& f = Open();
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");
  EXPECT_TRUE(f.Edit4->ReadOnly());
  Head(f, "NJ-97300.10000", "4");
  f.Edit6->SetText("GPIB Tujuan");
  f.Edit7->SetText("Jl. Baru 2");
  Line(f, "NJ-97300.10001", "ZAT NJ-97300.10001", "Istri");
  Line(f, "NJ-97300.10002", "ZAT NJ-97300.10002", "Anak");
  // The same member again: the line is updated, its sector kept.
  f.Edit11->SetText("9");
  Line(f, "NJ-97300.10002", "ZAT NJ-97300.10002", "Kakak", "pindah kerja");
  EXPECT_EQ(WorkLines(), "NJ-97300.10001,ZAT NJ-97300.10001,Istri,4,;NJ-97300.10002,ZAT NJ-97300.10002,Kakak,4,"
                         "pindah kerja;");
  f.Edit11->SetText("4");
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Attestasi berhasil di-input");
  const std::string number = "100000/" + rtl::FormatDateTime("ddmmyyyy", rtl::Now()) + "/ATT";
  EXPECT_EQ(Rows("select no_att,sts_att,nij_nik,nama,sekpel,pindah_ke_dari_jemaat,username from attestasi"),
            number + ",KELUAR,NJ-97300.10000,ZAT NJ-97300.10000,4,GPIB Tujuan,tst_reg;");
  EXPECT_EQ(Rows("select nij,hubungan_keluarga,date_format(tgl_lahir,'%Y-%m-%d') from attestasi_detail order by nij"),
            "NJ-97300.10001,Istri,2001-02-03;NJ-97300.10002,Kakak,2001-02-03;");
  EXPECT_EQ(Rows("select nij,sts_hidup from detail_kk where nik='NK-97300' order by nij"),
            "NJ-97300.10000,Attestasi;NJ-97300.10001,Attestasi;NJ-97300.10002,Attestasi;NJ-97300.10003,Hidup;");
  EXPECT_EQ(WorkLines(), "");

  // The search refuses to reopen it; deleting it leaves the members transferred.
  FCariAttestasi->Show();
  FCariAttestasi->Activate();
  FCariAttestasi->DBGrid1DblClick(nullptr);
  EXPECT_EQ(dialogs.shown.back().Text,
            "Maaf...Warga Jemaat tersebut sudah Attestasi Keluar, Jadi tidak bisa diakses kembali");
  EXPECT_FALSE(FCariAttestasi->Showing());
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");
  FCariAttestasi->Show();
  FCariAttestasi->Activate();
  dialogs.answers.push_back(mrYes);
  FCariAttestasi->Button2Click(nullptr);
  EXPECT_EQ(Value("select count(*) from attestasi"), "0");
  EXPECT_EQ(Value("select count(*) from attestasi_detail"), "0");
  EXPECT_EQ(Value("select count(*) from detail_kk where nik='NK-97300' and sts_hidup='Attestasi'"), "3");
  FCariAttestasi->Close();
}

TEST_F(Transfers, IncomingReopenedChangedAndOneLineTakenOut) {
  Exec("delete from gereja");
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'JEMAAT UJI','Jl. Uji')");
  TFAttestasi& f = Open();
  kit::SelectExact(*f.ComboBox1, "MASUK");
  f.ComboBox1Change(nullptr);
  EXPECT_EQ(f.Edit3->Text(), "Jemaat Masuk");
  EXPECT_EQ(f.Edit11->Text(), "0");
  EXPECT_EQ(f.Edit6->Text(), "KVRB JEMAAT UJI");
  EXPECT_FALSE(f.SpeedButton1->Enabled());
  f.Edit2->SetText("SRT-77");
  f.Edit4->SetText("keluarga datang");
  // Incoming lines all carry "Jemaat Masuk": each is its own line by its name.
  for (const char* name : {"ANA", "BOB", "CICI"}) {
    f.Edit8->SetText("Jemaat Masuk");
    f.Edit9->SetText(name);
    kit::SelectExact(*f.ComboBox2, "Anak");
    f.Button1->Click();
  }
  f.SpeedButton6->Click();
  const std::string number = Value("select no_att from attestasi");
  EXPECT_EQ(Rows("select sts_att,no_srt_masuk,nij_nik,nama,sekpel from attestasi"),
            "MASUK,SRT-77,Jemaat Masuk,KELUARGA DATANG,0;");
  EXPECT_EQ(Value("select count(*) from attestasi_detail"), "3");
  EXPECT_EQ(Value("select count(*) from detail_kk where sts_hidup='Attestasi'"), "0");

  // Reopened: one line taken out (only that one), one changed.
  FCariAttestasi->Show();
  FCariAttestasi->Activate();
  FCariAttestasi->DBGrid1DblClick(nullptr);
  EXPECT_EQ(f.Edit1->Text(), number);
  EXPECT_EQ(kit::Chosen(*f.ComboBox1), "MASUK");
  EXPECT_EQ(f.Edit2->Text(), "SRT-77");
  EXPECT_EQ(WorkLines(), "Jemaat Masuk,ANA,Anak,0,;Jemaat Masuk,BOB,Anak,0,;Jemaat Masuk,CICI,Anak,0,;");
  app::DM->QTemp3->First();
  while (app::DM->QTemp3->FieldByName("nama")->AsString() != "BOB") app::DM->QTemp3->Next();
  dialogs.answers.push_back(mrYes);
  f.Button2->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Anda yakin mau batalkan record ini ?");
  EXPECT_EQ(WorkLines(), "Jemaat Masuk,ANA,Anak,0,;Jemaat Masuk,CICI,Anak,0,;");
  app::DM->QTemp3->First();
  f.DBGrid1DblClick(nullptr);
  EXPECT_EQ(f.Edit9->Text(), "ANA");
  kit::SelectExact(*f.ComboBox2, "Istri");
  f.Button1->Click();
  Exec("update attestasi set sekpel=5");
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Attestasi berhasil di-ubah");
  EXPECT_EQ(Rows("select no_att,sekpel from attestasi"), number + ",5;");  // number and sector kept
  EXPECT_EQ(Rows("select nama,hubungan_keluarga from attestasi_detail order by nama"), "ANA,Istri;CICI,Anak;");
  Exec("delete from gereja");
}

TEST_F(Transfers, HeadAloneNumbersAndTheirLimit) {
  TFAttestasi& f = Open();
  // Without a picked head the sector is no number: nothing is stored.
  EXPECT_THROW(f.SpeedButton6Click(nullptr), rtl::EConvertError);
  EXPECT_EQ(Value("select count(*) from attestasi"), "0");
  f.Button1->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Maaf...Data belum lengkap");
  // The head alone is a transfer.
  Exec("insert into attestasi(no_att,sts_att) values ('100041/01012026/ATT','MASUK'),('100007/05012026/ATT','MASUK')");
  Head(f, "NJ-97300.10003", "2");
  f.SpeedButton6->Click();
  EXPECT_EQ(Rows("select no_att,sts_att from attestasi where nij_nik='NJ-97300.10003'"),
            "100042/" + rtl::FormatDateTime("ddmmyyyy", rtl::Now()) + "/ATT,KELUAR;");
  EXPECT_EQ(Value("select count(*) from attestasi_detail"), "0");
  Exec("insert into attestasi(no_att) values ('999999/01012026/ATT')");
  Head(f, "NJ-97300.10002", "2");
  dialogs.shown.clear();
  f.SpeedButton6->Click();
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().Type, TMsgDlgType::mtError);
  EXPECT_EQ(Value("select count(*) from attestasi"), "4");
  EXPECT_EQ(Value("select sts_hidup from detail_kk where nij='NJ-97300.10002'"), "Hidup");
}

TEST_F(Transfers, LetterCarriesTheHeadAndNumberedFamilyLines) {
  Exec("insert into attestasi(no_att,sts_att,tgl,nij_nik,nama,alamat_lama,sekpel,pindah_ke_dari_jemaat,alamat_baru) "
       "values ('100003/01022026/ATT','KELUAR','2026-02-01','NJ-97300.10000','ZAT KEPALA','Jl. Lama 1',6,"
       "'GPIB Tujuan','Jl. Baru 2'),('100004/02022026/ATT','MASUK','2026-02-02','Jemaat Masuk','KOSONG','',0,'','')");
  Exec("insert into attestasi_detail(no_att,nij,nama,hubungan_keluarga,tmpt_lahir,tgl_lahir,sekpel,keterangan) values "
       "('100003/01022026/ATT','NJ-97300.10001','ZAT ISTRI','Istri','Selvaran','1980-05-06',6,''),"
       "('100003/01022026/ATT','NJ-97300.10002','ZAT ANAK','Anak','Selvaran','2010-07-08',6,'sekolah')");
  FCariAttestasi->Show();
  FCariAttestasi->Activate();
  Select("no_att", "100004/02022026/ATT");
  FCariAttestasi->Button5Click(nullptr);
  EXPECT_TRUE(previews.shown.empty());  // no lines: nothing shown
  // The search by name.
  FCariAttestasi->RadioButton3->SetChecked(true);
  FCariAttestasi->RadioButton3Click(nullptr);
  FCariAttestasi->Edit1->SetText("kepala");
  FCariAttestasi->Button1Click(nullptr);
  ASSERT_EQ(app::DM->Q3->RecordCount(), 1);
  FCariAttestasi->Button5Click(nullptr);
  ASSERT_EQ(previews.shown.size(), 1u);
  const report::TReportPage& p = previews.shown[0].Pages.at(0);
  auto text = [&p](const char* name) {
    auto t = p.Texts(name);
    return t.empty() ? std::string("(none)") : t[0];
  };
  EXPECT_EQ(text("QRLabel4"), "FORM ATTESTASI PINDAH");
  EXPECT_EQ(text("QRLabel13"), "Status Attestasi : Pindah KELUAR");
  EXPECT_EQ(text("QRLabel33"), "100003/01022026/ATT");
  EXPECT_EQ(text("QRLabel20"), "ZAT KEPALA");
  EXPECT_EQ(text("QRLabel22"), "6");
  EXPECT_EQ(text("QRLabel23"), "GPIB Tujuan");
  EXPECT_EQ(p.Texts("QRSysData3"), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(p.Texts("QRDBText1"), (std::vector<std::string>{"ZAT ISTRI", "ZAT ANAK"}));
  EXPECT_EQ(p.Texts("QRDBText4"), (std::vector<std::string>{"06/05/1980", "08/07/2010"}));
  EXPECT_EQ(p.Texts("QRDBText5"), (std::vector<std::string>{"", "sekolah"}));
  EXPECT_EQ(reptest::TextsRunningIntoOtherItems(previews.shown[0]), std::vector<std::string>{});
}

}  // namespace

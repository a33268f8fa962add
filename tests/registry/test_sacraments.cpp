// The sacrament registrations in process against the real database: the church status
// and the person fields it switches, the number and the save as insert or update, the
// member rows each save writes, the lookups' candidates, the search's reopen (status
// first, then the values) and its refusal, and the printed application forms.
#include <gtest/gtest.h>

#include "app/UDM.h"
#include "kit/Records.h"
#include "registry/QRDaftarBaptis.h"
#include "registry/QRDaftarKatekisasi.h"
#include "registry/UCariDaftarBaptis.h"
#include "registry/UCariKatekisasi.h"
#include "registry/UCariNIJ.h"
#include "registry/UDaftarBaptis.h"
#include "registry/UKatekisasi.h"
#include "registry/QRDaftarNikah.h"
#include "registry/UCariDaftarNikah.h"
#include "registry/UDaftarKawin.h"
#include "registry/rules/Code39.h"
#include "registry/rules/Numbering.h"
#include "tests/registry/RegistryTestSupport.h"

using namespace gui;
using namespace registry;
using report::TReportPage;

namespace {

class Sacraments : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    Application->CreateForm(FCariNIJ);
    Application->CreateForm(FDaftarBaptis);
    Application->CreateForm(FCariDaftarBaptis);
    Application->CreateForm(FQRDaftarBaptis);
    Application->CreateForm(FKatekisasi);
    Application->CreateForm(FCariKatekisasi);
    Application->CreateForm(FQRDaftarKatekisasi);
    Application->CreateForm(FDaftarKawin);
    Application->CreateForm(FCariDaftarNikah);
    Application->CreateForm(FQRDaftarNikah);
    Tables();
    // The church record is put back as it was.
    Exec("drop table if exists tst_sak_gereja_keep");
    Exec("create table tst_sak_gereja_keep as select * from gereja");
    MakeFamily("NK-97300", "KELUARGA SAKRAMEN");
    Member("NJ-97300.10000", "ZSK AYAH", "SUDAH", "SUDAH");
    Member("NJ-97300.10001", "ZSK ANAK KECIL", "BELUM", "BELUM");
    Member("NJ-97300.10002", "ZSK ANAK REMAJA", "SUDAH", "BELUM");
  }
  void TearDown() override {
    FDaftarBaptis->Timer1->SetEnabled(false);
    FKatekisasi->Timer1->SetEnabled(false);
    Screen->SetCursor(crDefault);
    Tables();
    Exec("delete from gereja");
    Exec("insert into gereja select * from tst_sak_gereja_keep");
    Exec("drop table tst_sak_gereja_keep");
    FDaftarKawin->Timer1->SetEnabled(false);
    delete FQRDaftarNikah;
    delete FCariDaftarNikah;
    delete FDaftarKawin;
    FQRDaftarNikah = nullptr;
    FCariDaftarNikah = nullptr;
    FDaftarKawin = nullptr;
    delete FQRDaftarKatekisasi;
    delete FCariKatekisasi;
    delete FKatekisasi;
    FQRDaftarKatekisasi = nullptr;
    FCariKatekisasi = nullptr;
    FKatekisasi = nullptr;
    delete FQRDaftarBaptis;
    delete FCariDaftarBaptis;
    delete FDaftarBaptis;
    delete FCariNIJ;
    FQRDaftarBaptis = nullptr;
    FCariDaftarBaptis = nullptr;
    FDaftarBaptis = nullptr;
    FCariNIJ = nullptr;
    RegistryFixture::TearDown();
  }
  // The registrations belong to the tests alone in this database.
  void Tables() {
    Exec("delete from daftar_baptis");
    Exec("delete from daftar_katekisasi_sidi");
    Exec("delete from daftar_nikah");
    Exec("delete from pendeta where nip like 'ZSK-%'");
  }
  void Member(const std::string& nij, const std::string& name, const char* baptised, const char* confirmed) {
    Exec("insert into detail_kk(nik,nij,nama_gabung,tmpt_lahir,tgl_lahir,sekpel,pekerjaan,alamat,no_hp,baptis,"
         "tgl_baptis,sidi,username) values ('NK-97300','" + nij + "','" + name + "','AMBON','2001-06-07','3',"
         "'GURU','Jl. Sakramen 1','0812','" + baptised + "','1899-12-30','" + confirmed + "','tst_reg')");
  }
  std::string Scalar(const std::string& sql) {
    auto& q = *app::DM->Q9;
    kit::SetSQL(q, {sql});
    q.Open();
    return q.RecordCount() ? q.Fields(0)->AsString() : "(none)";
  }
  // Picks through the member lookup from `button`: the names offered for `typed` are
  // returned, and the first one is chosen (or the empty result, when there is none).
  std::vector<std::string> Pick(TSpeedButton* button, const std::string& typed) {
    std::vector<std::string> offered;
    WhileShown(FCariNIJ, [&] {
      FCariNIJ->Edit1->SetText(typed);
      auto& q = *app::DM->Q4;
      for (q.First(); !q.Eof(); q.Next()) offered.push_back(q.FieldByName("nama_gabung")->AsString());
      q.First();
      FCariNIJ->Button1->Click();
      if (FCariNIJ->Showing()) FCariNIJ->Button2->Click();  // no caller took the pick
    });
    button->Click();
    return offered;
  }
  const TReportPage& LastPage() { return previews.shown.back().Pages.at(0); }
  std::string Printed(const char* name) {
    auto* item = LastPage().Find(name);
    return item ? item->Text : "(missing)";
  }
};

std::string Today() { return rules::DatePart(rtl::Now()); }

// Internal takes the people from the registry (grey, the lookups on); Eksternal types
// them in (white, the lookups off). Either switch clears every person field and keeps
// the schedule, the minister, the checklist and the validation.
TEST_F(Sacraments, BaptismStatusSwitchesThePersonFieldsAndKeepsTheRest) {
  auto* w = FDaftarBaptis;
  w->FormActivate(w);
  EXPECT_EQ(w->Edit6->Text(), "[Auto]");
  w->Edit24->SetText("PDT. UJI");
  w->CheckBox3->SetChecked(true);
  w->RadioButton4->SetChecked(true);
  w->ComboBox2->SetItemIndex(2);
  for (bool external : {true, false, true}) {
    SCOPED_TRACE(external ? "Eksternal" : "Internal");
    for (TEdit* e : {w->Edit2, w->Edit5, w->Edit7, w->Edit11, w->Edit17, w->Edit21}) e->SetText("LAMA");
    (external ? w->RadioButton2 : w->RadioButton1)->SetChecked(true);
    for (TEdit* e : {w->Edit1, w->Edit10, w->Edit16}) {
      EXPECT_EQ(e->Text(), external ? "Eksternal" : "Internal");
      EXPECT_TRUE(e->ReadOnly());
    }
    for (TEdit* e : {w->Edit7, w->Edit8, w->Edit9, w->Edit2, w->Edit3, w->Edit4, w->Edit11, w->Edit12, w->Edit13,
                     w->Edit14, w->Edit15, w->Edit17, w->Edit18, w->Edit20}) {
      EXPECT_EQ(e->Text(), "") << e->Name();
      EXPECT_EQ(e->ReadOnly(), !external) << e->Name();
      EXPECT_EQ(e->Color(), external ? clWhite : clBtnFace) << e->Name();
    }
    for (TEdit* e : {w->Edit5, w->Edit21}) {
      EXPECT_EQ(e->Text(), "");
      EXPECT_FALSE(e->ReadOnly());
    }
    for (TDateTimePicker* p : {w->DateTimePicker4, w->DateTimePicker5, w->DateTimePicker6})
      EXPECT_EQ(p->Enabled(), external);
    for (TSpeedButton* b : {w->SpeedButton1, w->SpeedButton2, w->SpeedButton3}) EXPECT_EQ(b->Enabled(), !external);
    EXPECT_EQ(w->Edit24->Text(), "PDT. UJI");
    EXPECT_TRUE(w->CheckBox3->Checked());
    EXPECT_TRUE(w->RadioButton4->Checked());
    EXPECT_EQ(w->ComboBox2->ItemIndex(), 2);
  }
}

TEST_F(Sacraments, BaptismSaveNumbersMarksTheChildBaptisedAndUpdatesWithinThePause) {
  auto* w = FDaftarBaptis;
  w->Show();  // the lookup serves a shown window only
  w->FormActivate(w);
  // Only an unbaptised member is offered as the child; anyone as a parent.
  EXPECT_EQ(Pick(w->SpeedButton1, "ZSK"), std::vector<std::string>{"ZSK ANAK KECIL"});
  EXPECT_EQ(w->Edit1->Text(), "NJ-97300.10001");
  EXPECT_EQ(w->Edit13->Text(), "3");
  EXPECT_EQ(Pick(w->SpeedButton2, "ZSK AYAH").size(), 1u);
  EXPECT_EQ(w->Edit15->Text(), "Jl. Sakramen 1");
  EXPECT_FALSE(w->SpeedButton2->Flat());
  w->DateTimePicker2->SetDate(rtl::EncodeDate(2026, 8, 16));
  w->CheckBox1->SetChecked(true);
  w->CheckBox5->SetChecked(true);

  w->SpeedButton4->Click();
  const std::string number = "10000/" + Today() + "/BPT";
  EXPECT_EQ(w->Edit6->Text(), number);
  EXPECT_EQ(Texts(), "Data Pendaftaran Baptis berhasil di-input|");
  EXPECT_EQ(Scalar("select concat_ws('|',nij,nij_ayah,nij_ibu,internal_eksternal,cp_kartu_warga_jemaat,"
                   "cp_akte_lahir,biaya_admin,jam_pelaksanaan,username,ifnull(validasi,'NULL')) from daftar_baptis"),
            "NJ-97300.10001|NJ-97300.10000|Internal|Internal|Y|N|Y|07:00 Pelok|tst_reg|NULL");
  // Marked baptised here at the execution date already, though nothing is validated.
  EXPECT_EQ(Scalar("select concat_ws('|',baptis,tmpt_baptis,tgl_baptis) from detail_kk where nij='NJ-97300.10001'"),
            "SUDAH|KVRB Selvaran PRANOL|2026-08-16");
  EXPECT_TRUE(w->Timer1->Enabled());
  EXPECT_EQ(Screen->Cursor(), crHourGlass);

  // Saved again before the reset: the same registration changes.
  w->Edit5->SetText("AKTE-7");
  w->SpeedButton4->Click();
  EXPECT_EQ(Scalar("select concat(count(*),' ',max(no_akte_kelahiran)) from daftar_baptis"), "1 AKTE-7");
  EXPECT_EQ(dialogs.shown.back().Text, "Data Pendaftaran Baptis berhasil di-ubah");

  w->Timer1Timer(w->Timer1);
  EXPECT_EQ(w->Edit6->Text(), "[Auto]");
  EXPECT_EQ(w->Edit1->Text(), "Internal");
  EXPECT_FALSE(w->Timer1->Enabled());
  EXPECT_EQ(Screen->Cursor(), crDefault);

  // The next registration continues the counter.
  w->SpeedButton4->Click();
  EXPECT_EQ(w->Edit6->Text(), "10001/" + Today() + "/BPT");
  w->Close();
}

// Past 99999 the number would be malformed or repeat one: an error box, nothing stored.
TEST_F(Sacraments, ACounterPastItsDigitsIsRefusedWithAnErrorBox) {
  Exec("insert into daftar_baptis(no_reg,nama_baptis) values ('99999/01012026/BPT','TERAKHIR')");
  auto* w = FDaftarBaptis;
  w->FormActivate(w);
  w->SpeedButton4->Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  EXPECT_NE(dialogs.shown[0].Text.find("99999/01012026/BPT"), std::string::npos);
  EXPECT_EQ(w->Edit6->Text(), "[Auto]");
  EXPECT_FALSE(w->Timer1->Enabled());
  EXPECT_EQ(Scalar("select count(*) from daftar_baptis"), "1");
}

// The reopen sets the status first, which clears and switches the fields, and only then
// writes the stored values; a validated registration stays out.
TEST_F(Sacraments, BaptismReopenAppliesTheStatusBeforeTheValuesAndRefusesValidated) {
  auto* w = FDaftarBaptis;
  w->FormActivate(w);
  w->RadioButton2->SetChecked(true);
  w->Edit2->SetText("ANAK LUAR");
  w->Edit8->SetText("GEREJA LAIN");
  w->CheckBox2->SetChecked(true);
  w->ComboBox2->SetItemIndex(3);
  w->SpeedButton4->Click();
  const std::string number = w->Edit6->Text();
  w->Timer1Timer(w->Timer1);

  auto* s = FCariDaftarBaptis;
  s->Show();
  s->FormActivate(s);
  ASSERT_EQ(app::DM->Q3->RecordCount(), 1);
  s->DBGrid1DblClick(s->DBGrid1);
  EXPECT_FALSE(s->Showing());
  EXPECT_EQ(w->Edit6->Text(), number);
  EXPECT_TRUE(w->RadioButton2->Checked());
  EXPECT_EQ(w->Edit1->Text(), "Eksternal");
  EXPECT_EQ(w->Edit2->Text(), "ANAK LUAR");
  EXPECT_FALSE(w->Edit2->ReadOnly());
  EXPECT_FALSE(w->SpeedButton1->Enabled());
  EXPECT_EQ(w->Edit8->Text(), "GEREJA LAIN");
  EXPECT_TRUE(w->CheckBox2->Checked());
  EXPECT_FALSE(w->CheckBox1->Checked());
  EXPECT_EQ(w->ComboBox2->ItemIndex(), 3);

  // Carried out: saved as a change of the same row, then no longer reopened.
  w->RadioButton3->SetChecked(true);
  w->SpeedButton4->Click();
  EXPECT_EQ(Scalar("select concat(count(*),' ',max(validasi)) from daftar_baptis"), "1 Sudah");
  w->Timer1Timer(w->Timer1);
  dialogs.shown.clear();
  s->Show();
  s->FormActivate(s);
  s->DBGrid1DblClick(s->DBGrid1);
  EXPECT_EQ(Texts(),
            "Maaf...Sakramen Baptisan untuk record ini telah dibatalkan atau sudah dilaksanakan,tidak dapat dirubah|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  EXPECT_TRUE(s->Showing());
  EXPECT_EQ(w->Edit6->Text(), "[Auto]");

  // The criteria, then the delete after its question.
  s->RadioButton2->SetChecked(true);
  s->ComboBox1->SetItemIndex(0);  // Internal
  s->Button1->Click();
  EXPECT_EQ(app::DM->Q3->RecordCount(), 0);
  s->FormActivate(s);
  dialogs.answers.push_back(mrYes);
  s->Button2->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Apakah anda yakin record ini mau dihapus?");
  EXPECT_EQ(Scalar("select count(*) from daftar_baptis"), "0");
  s->Close();
}

TEST_F(Sacraments, BaptismFormPrintsTheRowWithItsStatusLinesAndChecklistMarks) {
  Exec("delete from gereja");
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'JEMAAT UJI','Jl. Uji')");
  Exec("insert into daftar_baptis(no_reg,internal_eksternal,nij,nama_baptis,tmpt_lahir_baptis,tgl_lahir_baptis,"
       "nij_ayah,nama_ayah,tgl_pengembalaan,jam_pengembalaan,tgl_pelaksanaan,jam_pelaksanaan,no_surat_gereja_luar,"
       "nama_gereja,cp_kartu_warga_jemaat,cp_akte_lahir,cp_srt_nkh_grj,cp_akt_nkh_capil,biaya_admin) values "
       "('10000/01022026/BPT','Internal','Internal','ANAK SATU','AMBON','2025-12-24','NJ-1','AYAH SATU','2026-02-03',"
       "'17:30:00','2026-02-08','09:00 Pelok','','','Y','N','Y','N','N'),"
       "('10001/01022026/BPT','Eksternal','Eksternal','ANAK DUA','TUAL','2025-11-02','Eksternal','AYAH DUA',"
       "'2026-02-03','08:00:00','2026-02-08','18:00 Pelok','SRT-9','GPM TUAL','N','N','N','N','Y')");
  auto* s = FCariDaftarBaptis;
  s->Show();
  s->FormActivate(s);
  s->RadioButton1->SetChecked(true);
  s->Edit1->SetText("ANAK SATU");
  s->Button1->Click();
  s->Button5->Click();
  ASSERT_EQ(previews.shown.size(), 1u);
  EXPECT_EQ(Printed("QRLabel4"), "FORM PERMOHONAN PELAYANAN BAPTISAN");
  EXPECT_EQ(Printed("QRLabel59"), "10000/01022026/BPT");
  EXPECT_EQ(Printed("QRLabel60"), "[Internal]");
  EXPECT_EQ(Printed("QRLabel93"), "");
  EXPECT_EQ(Printed("QRLabel98"), "");
  EXPECT_EQ(Printed("QRLabel24"), "[Internal] ANAK SATU");
  EXPECT_EQ(Printed("QRLabel25"), "AMBON, 24/12/2025");
  EXPECT_EQ(Printed("QRLabel27"), "[NJ-1] AYAH SATU");
  EXPECT_EQ(Printed("QRLabel51"), "17:30:00");
  EXPECT_EQ(Printed("QRLabel52"), "08/02/2026");
  EXPECT_EQ(Printed("QRLabel53"), "09:00 Pelok");
  EXPECT_EQ(Printed("QRLabel80") + Printed("QRLabel81") + Printed("QRLabel82") + Printed("QRLabel83") +
                Printed("QRLabel84"),
            "**");
  EXPECT_EQ(Printed("QRLabel82"), "*");
  EXPECT_EQ(Printed("CapQRLabelGarisKanan"), "Orang Tua / Wali");
  EXPECT_EQ(Printed("QRLabel2"), "JEMAAT UJI");

  // The next print rewrites every label: the other church's lines appear.
  s->Edit1->SetText("ANAK DUA");
  s->Button1->Click();
  s->Button5->Click();
  EXPECT_EQ(Printed("QRLabel60"), "[Eksternal]");
  EXPECT_EQ(Printed("QRLabel93") + Printed("QRLabel95") + Printed("QRLabel97"), "No.Surat Gereja:SRT-9");
  EXPECT_EQ(Printed("QRLabel94") + Printed("QRLabel96") + Printed("QRLabel98"), "Nama Gereja:GPM TUAL");
  EXPECT_EQ(Printed("QRLabel80") + Printed("QRLabel84"), "*");
  EXPECT_EQ(Printed("QRLabel84"), "*");
  s->Close();
}

// The catechism window resets the whole form on a status switch, but not the
// validation; the bar code shows the sample number framed by the start and stop
// characters.
TEST_F(Sacraments, CatechismStatusResetsTheFormAndKeepsTheValidation) {
  auto* w = FKatekisasi;
  w->FormActivate(w);
  EXPECT_EQ(w->Label19->Text(), std::string("*") + TFKatekisasi::kSampleNumber + "*");
  EXPECT_EQ(w->Label36->Text(), TFKatekisasi::kSampleNumber);
  for (bool external : {true, false}) {
    SCOPED_TRACE(external ? "Eksternal" : "Internal");
    w->Edit24->SetText("PDT. UJI");
    w->CheckBox6->SetChecked(true);
    w->ComboBox2->SetItemIndex(3);
    w->DateTimePicker2->SetDate(rtl::EncodeDate(2020, 1, 1));
    w->RadioButton3->SetChecked(true);
    for (TEdit* e : {w->Edit2, w->Edit8, w->Edit25, w->Edit28}) e->SetText("LAMA");
    (external ? w->RadioButton2 : w->RadioButton1)->SetChecked(true);
    for (TEdit* e : {w->Edit1, w->Edit10, w->Edit16}) EXPECT_EQ(e->Text(), external ? "Eksternal" : "Internal");
    for (TEdit* e : {w->Edit2, w->Edit3, w->Edit5, w->Edit13, w->Edit19, w->Edit22, w->Edit7, w->Edit8, w->Edit9,
                     w->Edit11, w->Edit12, w->Edit14, w->Edit15, w->Edit4, w->Edit23, w->Edit25, w->Edit17,
                     w->Edit18, w->Edit20, w->Edit21, w->Edit26, w->Edit27, w->Edit28}) {
      EXPECT_EQ(e->Text(), "") << e->Name();
      EXPECT_EQ(e->ReadOnly(), !external) << e->Name();
    }
    for (TDateTimePicker* p : {w->DateTimePicker4, w->DateTimePicker7, w->DateTimePicker5, w->DateTimePicker6})
      EXPECT_EQ(p->Enabled(), external);
    EXPECT_EQ(w->SpeedButton1->Enabled(), !external);
    EXPECT_EQ(w->Edit24->Text(), "");
    EXPECT_FALSE(w->CheckBox6->Checked());
    EXPECT_EQ(w->ComboBox2->ItemIndex(), 0);
    EXPECT_EQ(w->DateTimePicker2->Date(), rtl::Date());
    EXPECT_TRUE(w->RadioButton3->Checked());
  }
}

// A confirmation carried out for a member writes only the place of confirmation, before
// the registration; the saved number's bar code keeps its start and stop characters and
// is drawn bar by bar when the font is missing.
TEST_F(Sacraments, CatechismSaveWritesThePlaceOfConfirmationAndDrawsTheBarCode) {
  Exec("delete from gereja");
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'JEMAAT SIDI','Jl. Uji')");
  auto* w = FKatekisasi;
  w->Show();
  w->FormActivate(w);
  // Only a baptised member not yet confirmed is offered as the candidate.
  EXPECT_EQ(Pick(w->SpeedButton1, "ZSK"), std::vector<std::string>{"ZSK ANAK REMAJA"});
  EXPECT_EQ(w->Edit1->Text(), "NJ-97300.10002");
  EXPECT_EQ(w->Edit7->Text(), "Internal");
  EXPECT_EQ(w->Edit8->Text(), "Kristen Protestan");
  EXPECT_EQ(Pick(w->SpeedButton3, "ZSK ANAK KECIL").size(), 1u);
  EXPECT_EQ(w->Edit28->Text(), "Kristen Protestan");
  w->CheckBox4->SetChecked(true);

  // Not validated: no member row changes.
  w->SpeedButton4->Click();
  const std::string number = "10000/" + Today() + "/KTS";
  EXPECT_EQ(w->Edit6->Text(), number);
  const std::string digits = "10000" + Today();
  EXPECT_EQ(w->Label19->Text(), "*" + digits + "*");
  EXPECT_EQ(w->Label36->Text(), digits);
  EXPECT_EQ(Scalar("select concat_ws('|',ifnull(tmpt_sidi,'NULL'),sidi) from detail_kk where nij='NJ-97300.10002'"),
            "NULL|BELUM");
  EXPECT_EQ(Scalar("select concat_ws('|',`2_lbr_pas_foto`,cp_td_pengenal,ifnull(validasi,'NULL'),nij_ibu) from "
                   "daftar_katekisasi_sidi"),
            "Y|N|NULL|NJ-97300.10001");

  // The bars on screen are the standard's patterns of the framed text.
  ASSERT_TRUE(w->Label19->DrawsBars());  // the bar-code font is not installed here
  const std::string modules = rules::Code39Modules("*" + digits + "*", 3);
  ASSERT_EQ(w->Label19->Modules(), modules);
  w->Repaint();
  Application->ProcessMessages();
  HDC dc = GetDC(w->GroupBox3->Handle());
  const int mw = w->Label19->ModuleWidth(), left = w->Label19->Left() + w->Label19->BarsLeft();
  const int y = w->Label19->Top() + w->Label19->Height() / 2;
  std::string seen;
  for (size_t i = 0; i < modules.size(); ++i)
    seen += GetPixel(dc, left + static_cast<int>(i) * mw + mw / 2, y) == ColorToColorRef(clNavy) ? '1' : '0';
  ReleaseDC(w->GroupBox3->Handle(), dc);
  EXPECT_EQ(seen, modules);

  // Reopened, carried out and saved again: the place of confirmation is written.
  w->Timer1Timer(w->Timer1);
  auto* s = FCariKatekisasi;
  s->Show();
  s->FormActivate(s);
  s->DBGrid1DblClick(s->DBGrid1);
  EXPECT_EQ(w->Edit6->Text(), number);
  EXPECT_EQ(w->Edit2->Text(), "ZSK ANAK REMAJA");
  EXPECT_TRUE(w->CheckBox4->Checked());
  EXPECT_EQ(w->Label36->Text(), TFKatekisasi::kSampleNumber);  // the reopen leaves the bar code
  w->RadioButton3->SetChecked(true);
  w->SpeedButton4->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Pendaftaran Katekisasi-Sidi berhasil di-ubah");
  EXPECT_EQ(Scalar("select concat_ws('|',tmpt_sidi,sidi) from detail_kk where nij='NJ-97300.10002'"),
            "JEMAAT SIDI|BELUM");
  EXPECT_EQ(Scalar("select concat(count(*),' ',max(validasi)) from daftar_katekisasi_sidi"), "1 Sudah");
  w->Timer1Timer(w->Timer1);
  dialogs.shown.clear();
  s->Show();
  s->FormActivate(s);
  s->DBGrid1DblClick(s->DBGrid1);
  EXPECT_EQ(Texts(),
            "Maaf...Katekisasi/Sidi untuk record ini telah dibatalkan atau sudah dilaksanakan,tidak dapat dirubah|");
  s->Close();
  w->Close();
}

TEST_F(Sacraments, CatechismFormPrintsAgesTheSignerAndTheSevenMarks) {
  const std::string born = rtl::FormatDateTime("yyyy-mm-dd", rtl::Date() - 365);
  Exec("insert into daftar_katekisasi_sidi(no_reg,internal_eksternal,nij,nama_sidi,tgl_lahir_sidi,tgl_baptis,"
       "nij_ayah,nama_ayah,tgl_lahir_ayah,tgl_lahir_ibu,no_surat_gereja_luar,tgl_pengembalaan,jam_pengembalaan,"
       "tgl_pelaksanaan,jam_pelaksanaan,cp_kartu_warga_jemaat,cp_akte_lahir,cp_td_pengenal,2_lbr_pas_foto,"
       "cp_srt_bpts,srt_pernyataan,biaya_admin) values "
       "('10000/01022026/KTS','Internal','NJ-5','CALON SATU','2010-01-02','2010-05-06','NJ-6','AYAH SATU','" + born +
       "','" + rtl::FormatDateTime("yyyy-mm-dd", rtl::Date() - 364) + "','Internal','2026-02-03','10:00:00',"
       "'2026-02-08','07:00 Pelok','Y','N','N','Y','N','Y','N'),"
       "('10001/01022026/KTS','Eksternal','Eksternal','CALON DUA','2010-01-02','2010-05-06','Eksternal','AYAH DUA',"
       "'1970-01-01','1970-01-01','SRT-1','2026-02-03','10:00:00','2026-02-08','07:00 Pelok','N','N','N','N','N',"
       "'N','Y')");
  Exec("insert into pendeta(nip,nama_pdt,sts_aktif,jabatan) values ('ZSK-1','PDT. KETUA','Aktif','KMJ')");
  auto* s = FCariKatekisasi;
  s->Show();
  s->FormActivate(s);
  s->RadioButton1->SetChecked(true);
  s->Edit1->SetText("CALON SATU");
  s->Button1->Click();
  s->Button5->Click();
  ASSERT_EQ(previews.shown.size(), 1u);
  EXPECT_EQ(Printed("QRLabel4"), "FORM PERMOHONAN PELAYANAN KATEKISASI SIDI");
  EXPECT_EQ(Printed("QRLabel60"), "Internal");
  EXPECT_EQ(Printed("QRLabel97"), "Internal");
  EXPECT_EQ(Printed("QRLabel90") + " " + Printed("QRLabel94"), "[NJ-5] CALON SATU");
  EXPECT_EQ(Printed("QRLabel110"), "1 Tahun");  // 365 days
  EXPECT_EQ(Printed("QRLabel117"), "0 Tahun");  // 364 days
  EXPECT_EQ(Printed("QRLabel88"), "PDT. KETUA");
  EXPECT_EQ(Printed("QRLabel92"), "CALON SATU");
  std::string marks;
  for (const char* n : {"QRLabel80", "QRLabel81", "QRLabel82", "QRLabel83", "QRLabel84", "QRLabel126", "QRLabel127"})
    marks += Printed(n).empty() ? '-' : 'Y';
  EXPECT_EQ(marks, "Y--Y-Y-");

  s->Edit1->SetText("CALON DUA");
  s->Button1->Click();
  s->Button5->Click();
  EXPECT_EQ(Printed("QRLabel60"), "Eksternal");
  EXPECT_EQ(Printed("QRLabel97"), "SRT-1");
  EXPECT_EQ(Printed("QRLabel88"), "...........................");  // another church: no signer named
  EXPECT_EQ(Printed("QRLabel127"), "*");
  EXPECT_EQ(Printed("QRLabel80"), "");
  s->Close();
}

// Each person block switches on its own; a parents block follows its own status and
// its parents-or-guardian choice.
TEST_F(Sacraments, MarriageBlocksSwitchOnTheirOwn) {
  auto* w = FDaftarKawin;
  w->FormActivate(w);
  EXPECT_EQ(w->Edit1->Text(), "[Auto]");
  for (int n : {2, 13, 24, 27, 32, 35}) EXPECT_EQ(w->Edit(n)->Text(), "Internal") << n;
  w->Edit(3)->SetText("LAMA");
  w->RadioButton2->SetChecked(true);
  EXPECT_EQ(w->Edit(2)->Text(), "Eksternal");
  for (int n = 3; n <= 12; ++n) {
    EXPECT_EQ(w->Edit(n)->Text(), "") << n;
    EXPECT_FALSE(w->Edit(n)->ReadOnly()) << n;
  }
  EXPECT_TRUE(w->Picker(3)->Enabled());
  EXPECT_FALSE(w->SpeedButton1->Enabled());
  EXPECT_TRUE(w->Edit(14)->ReadOnly());  // the bride stays Internal
  EXPECT_TRUE(w->SpeedButton2->Enabled());

  struct Case {
    TRadioButton* status;
    TRadioButton* who;
    const char* number;
    bool parentsWritable, guardianWritable, lookups;
  };
  const Case cases[] = {{w->RadioButton12, w->RadioButton5, "Eksternal", true, false, false},
                        {w->RadioButton12, w->RadioButton6, "Wali", false, true, false},
                        {w->RadioButton11, w->RadioButton6, "Wali", false, true, false},
                        {w->RadioButton11, w->RadioButton5, "Internal", false, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    w->Edit(25)->SetText("LAMA");
    w->Edit(30)->SetText("LAMA");
    c.status->SetChecked(true);
    c.who->SetChecked(true);
    EXPECT_EQ(w->Edit(24)->Text(), c.number);
    EXPECT_EQ(w->Edit(27)->Text(), c.number);
    EXPECT_EQ(w->Edit(25)->Text(), "");
    EXPECT_EQ(w->Edit(30)->Text(), "");
    for (int n : {25, 26, 28, 29}) EXPECT_EQ(w->Edit(n)->ReadOnly(), !c.parentsWritable) << n;
    for (int n : {30, 31}) EXPECT_EQ(w->Edit(n)->ReadOnly(), !c.guardianWritable) << n;
    EXPECT_EQ(w->Picker(7)->Enabled(), c.parentsWritable);
    EXPECT_EQ(w->Picker(9)->Enabled(), c.guardianWritable);
    EXPECT_EQ(w->SpeedButton3->Enabled(), c.lookups);
    EXPECT_EQ(w->SpeedButton9->Enabled(), c.lookups);
    EXPECT_EQ(w->Edit(32)->Text(), "Internal");  // the bride's parents keep their own choice
  }
}

TEST_F(Sacraments, MarriageSaveReopensStatusesFirstAndPrints) {
  Exec("delete from gereja");
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'JEMAAT NIKAH','Jl. Uji')");
  Exec("insert into pendeta(nip,nama_pdt,sts_aktif,jabatan) values ('ZSK-2','PDT. KETUA NIKAH','Aktif','KMJ')");
  auto* w = FDaftarKawin;
  w->Show();
  w->FormActivate(w);
  // Bride and groom must be baptised and confirmed; a parent may be anyone.
  EXPECT_EQ(Pick(w->SpeedButton1, "ZSK"), std::vector<std::string>{"ZSK AYAH"});
  EXPECT_EQ(w->Edit(9)->Text(), "Internal");
  EXPECT_EQ(Pick(w->SpeedButton3, "ZSK").size(), 3u);
  w->RadioButton10->SetChecked(true);
  w->Edit(14)->SetText("PENGANTIN LUAR");
  w->Edit(20)->SetText("GPM AMBON");
  w->RadioButton8->SetChecked(true);  // the bride has a guardian
  w->Edit(38)->SetText("WALI SATU");
  w->Edit(41)->SetText("45");
  w->SpeedButton5->Click();
  const std::string number = "10000/" + Today() + "/NKH";
  EXPECT_EQ(w->Edit1->Text(), number);
  EXPECT_EQ(Texts(), "Data Pendaftaran Nikah berhasil di-input|");
  EXPECT_EQ(Scalar("select concat_ws('|',nij_pria,nama_pria,jemaat_pria,ineks_wanita,nij_wanita,nij_ayah_wanita,"
                   "nama_wali_wanita,ineks_ortu_pria,umur_saksi_pria,ifnull(validasi,'NULL')) from daftar_nikah"),
            "NJ-97300.10000|ZSK AYAH|Internal|Eksternal|Eksternal|Wali|WALI SATU|Internal|45|NULL");
  w->Timer1Timer(w->Timer1);
  EXPECT_EQ(w->Edit1->Text(), "[Auto]");

  auto* s = FCariDaftarNikah;
  s->Show();
  s->FormActivate(s);
  s->DBGrid1DblClick(s->DBGrid1);
  EXPECT_EQ(w->Edit1->Text(), number);
  EXPECT_TRUE(w->RadioButton10->Checked());
  EXPECT_EQ(w->Edit(14)->Text(), "PENGANTIN LUAR");
  EXPECT_FALSE(w->Edit(14)->ReadOnly());
  EXPECT_TRUE(w->RadioButton8->Checked());
  EXPECT_EQ(w->Edit(38)->Text(), "WALI SATU");
  EXPECT_FALSE(w->Edit(38)->ReadOnly());
  EXPECT_EQ(w->Edit(3)->Text(), "ZSK AYAH");

  s->Show();
  s->Button5->Click();
  ASSERT_EQ(previews.shown.size(), 1u);
  EXPECT_EQ(Printed("QRLabel4"), "FORM PERMOHONAN PEMBERKATAN NIKAH GEREJA");
  EXPECT_EQ(Printed("QRLabel13"), "No. " + number);
  EXPECT_EQ(Printed("QRLabel69"), "AMBON,07/06/2001");
  EXPECT_EQ(Printed("QRLabel74"), ",");  // the groom's baptism date is the zero date: printed empty
  EXPECT_EQ(Printed("QRLabel84"), "/3");
  EXPECT_EQ(Printed("QRLabel89"), "/");  // the bride's sector, apart from the place of signing
  EXPECT_EQ(Printed("QRLabelTempat"), "Selvaran,");
  EXPECT_EQ(Printed("QRLabel85"), "PENGANTIN LUAR");
  EXPECT_EQ(Printed("QRLabel110"), "WALI SATU");
  EXPECT_NE(Printed("QRLabel97"), "");
  EXPECT_EQ(Printed("QRLabel79"), "");  // no guardian named for the groom
  EXPECT_EQ(Printed("QRLabel120"), "JEMAAT NIKAH");
  EXPECT_EQ(Printed("QRLabel121"), "PDT. KETUA NIKAH");

  // Validated: no longer reopened; an empty list prints a blank form.
  w->RadioButton3->SetChecked(true);
  w->SpeedButton5->Click();
  w->Timer1Timer(w->Timer1);
  dialogs.shown.clear();
  s->FormActivate(s);
  s->DBGrid1DblClick(s->DBGrid1);
  EXPECT_EQ(Texts(),
            "Maaf...Daftar Nikah untuk record ini telah dibatalkan atau sudah dilaksanakan,tidak dapat dirubah|");
  EXPECT_EQ(w->Edit1->Text(), "[Auto]");
  s->RadioButton1->SetChecked(true);
  s->Edit1->SetText("TIDAK ADA");
  s->Button1->Click();
  s->Button5->Click();
  EXPECT_EQ(Printed("QRLabel13"), "No. ");
  EXPECT_EQ(Printed("QRLabel68"), "");
  s->Close();
  w->Close();
}

}  // namespace

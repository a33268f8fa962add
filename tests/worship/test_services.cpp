// The Sunday and church-feast services in process against the real database: numbers
// (several on one day, storage order over text order, a counter past its digits), the
// roster across save and reopen (added, replaced and removed duties, for both kinds;
// stored together with its service or not at all),
// the validators (P5 before P1, the PIN checked exactly, never an empty one, the
// validator written only on a right PIN), unlocking a validated service, the search's
// filters and delete, and the printed forms.
#include <gtest/gtest.h>

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "rtl/FormatNumber.h"
#include "rtl/SysUtils.h"
#include "registry/LookupProtocol.h"
#include "registry/UCariNIM.h"
#include "tests/worship/WorshipTestSupport.h"
#include "worship/QRService.h"
#include "worship/ServiceSearch.h"
#include "worship/UIbadahMinggu.h"
#include "worship/UValidasiIbadah.h"

using namespace gui;
using namespace worship;

namespace {

class Services : public worshiptest::WorshipFixture {
 protected:
  void SetUp() override {
    WorshipFixture::SetUp();
    Make(registry::FCariNIM);
    Make(FValidasiIbadah);
    Make(FIbadahMinggu);
    Make(FCariIbadahMinggu);
    Make(FQRRepIbadahMinggu);
    Make(FIbadahHariRayaGerejawi);
    Make(FCariIbadahHariRayaGerejawi);
    Make(FQRRepIbadahHariRayaGerejawi);
    Clean();
    MakeFamily("NK-93000", "KELUARGA IBADAH");
    Member("NK-93000", "NJ-93000.10000", "ZWS ANDREAS");
    Member("NK-93000", "NJ-93000.10001", "ZWS BERTA");
    Member("NK-93000", "NJ-93000.10002", "ZWS CORNELIS");
    Council("ZWS-A", "NJ-93000.10000", "Pnt", "'abc12'");
    Council("ZWS-B", "NJ-93000.10001", "Dkn", "'1234'");
    Council("ZWS-C", "NJ-93000.10002", "Pnt", "NULL");
  }
  void TearDown() override {
    Clean();
    WorshipFixture::TearDown();
  }
  void Clean() {
    Exec("drop trigger if exists tst_roster_fail");
    for (const char* t : {"ibadah_minggu", "ibadah_minggu_detail", "ibadah_hariraya_gerejawi",
                          "ibadah_hariraya_gerejawi_detail"})
      Exec(std::string("delete from ") + t);
    Exec("delete from majelis where nimp like 'ZWS-%'");
    Exec("delete from detail_kk where nik='NK-93000'");
    Exec("delete from header_kk where nik='NK-93000'");
  }
  // A service window on screen, activated as the menu would.
  TServiceForm& Open(TServiceForm* f) {
    f->Show();
    f->Activate();
    return *f;
  }
  // A duty added through the window, as the duty lookup would fill it.
  void AddDuty(TServiceForm& f, const std::string& duty, const std::string& nimp) {
    kit::SelectExact(*f.ComboBox3, duty);
    f.Edit18->SetText(nimp);
    f.SpeedButton5->Click();
  }
  std::string Roster() {
    return Rows("select i.petugas,i.nimp from ibadah_minggu_detail_temp i order by i.petugas",
                app::DM->ZConnection1);
  }
  // The council member picked in the lookup for the flagged validation button, then
  // the PIN typed into the dialog and "OK".
  void Validate(TServiceForm& f, TSpeedButton* button, const std::string& name, const std::string& pin) {
    button->SetFlat(true);
    registry::FCariNIM->Show();
    app::DM->Q4->SQL.Clear();
    registry::FCariNIM->Edit1->SetText(name);
    FValidasiIbadah->Show();
    FValidasiIbadah->Ask("Pnt", name);
    FValidasiIbadah->Edit1->SetText(pin);
    FValidasiIbadah->Button1->Click();
  }
  void CloseLookup() {
    if (registry::FCariNIM->Showing()) registry::FCariNIM->Close();
    FValidasiIbadah->Close();
  }
};

TEST_F(Services, NumbersFollowTheLastStoredServiceAndACounterPastItsDigitsIsRefused) {
  const std::string today = rtl::FormatDateTime("ddmmyyyy", rtl::Now());
  TServiceForm& f = Open(FIbadahMinggu);
  // Several services on one day.
  for (int i = 0; i < 3; ++i) {
    AddDuty(f, "P1", "ZWS-A");
    f.SpeedButton6->Click();
  }
  EXPECT_EQ(Rows("select kode from ibadah_minggu order by id"),
            "IM-" + today + "-10000;IM-" + today + "-10001;IM-" + today + "-10002;");
  // The last stored row decides, not the text order of the numbers.
  Exec("insert into ibadah_minggu(kode) values ('IM-31122026-10010'),('IM-01012027-10011')");
  AddDuty(f, "P1", "ZWS-A");
  f.SpeedButton6->Click();
  EXPECT_EQ(Value("select kode from ibadah_minggu order by id desc limit 1"), "IM-" + today + "-10012");
  // A stored number that the counter cannot follow on from writes nothing.
  Exec("insert into ibadah_minggu(kode) values ('IM-01012027-99999')");
  const std::string before = Value("select count(*) from ibadah_minggu");
  dialogs.shown.clear();
  AddDuty(f, "P1", "ZWS-A");
  f.SpeedButton6->Click();
  EXPECT_EQ(Value("select count(*) from ibadah_minggu"), before);
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown.back().Type, TMsgDlgType::mtError);
  EXPECT_NE(dialogs.shown.back().Text.find("IM-01012027-99999"), std::string::npos);
  // The church feasts have their own series.
  TServiceForm& g = Open(FIbadahHariRayaGerejawi);
  g.Edit15->SetText("120");
  g.SpeedButton6->Click();
  EXPECT_EQ(Value("select kode from ibadah_hariraya_gerejawi"), "IG-" + today + "-10000");
  EXPECT_EQ(Value("select count(*) from ibadah_hariraya_gerejawi_detail"), "0");
}

TEST_F(Services, SundayRosterIsStoredWholeAcrossSaveAndReopen) {
  TServiceForm& f = Open(FIbadahMinggu);
  // No duty: refused.
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Maaf...Petugas Pelayanan masih kosong");
  EXPECT_EQ(Value("select count(*) from ibadah_minggu"), "0");
  f.Edit10->SetText("1500000");
  AddDuty(f, "P1", "ZWS-A");
  AddDuty(f, "P2", "ZWS-B");
  EXPECT_EQ(dialogs.shown.back().Text, "Majelis di Petugas: P2 sudah di-input");
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Minggu berhasil di-input");
  const std::string kode = Value("select kode from ibadah_minggu");
  EXPECT_EQ(Rows("select petugas,nimp,urut from ibadah_minggu_detail order by id"), "P1,ZWS-A,1;P2,ZWS-B,2;");
  EXPECT_EQ(Roster(), "");  // the window is back at a new service

  // Reopened from the search (not validated: no PIN).
  FCariIbadahMinggu->Show();
  FCariIbadahMinggu->Activate();
  FCariIbadahMinggu->DBGrid1DblClick(nullptr);
  EXPECT_FALSE(FCariIbadahMinggu->Showing());
  EXPECT_EQ(f.Edit1->Text(), kode);
  EXPECT_EQ(f.Edit10->Text(), "1500000");
  EXPECT_EQ(Roster(), "P1,ZWS-A;P2,ZWS-B;");
  // Replace P2, remove P1, add P3.
  AddDuty(f, "P2", "ZWS-C");
  EXPECT_EQ(dialogs.shown.back().Text, "Majelis di Petugas: P2 sudah di-ubah");
  app::DM->QTemp->First();
  ASSERT_EQ(app::DM->QTemp->FieldByName("petugas")->AsString(), "P1");
  dialogs.answers.push_back(mrYes);
  f.DBGrid1DblClick(nullptr);
  EXPECT_EQ(dialogs.shown.back().Text, "Apakah anda yakin mau menghapus petugas P1 ?");
  AddDuty(f, "P3", "ZWS-A");
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Minggu berhasil di-ubah");
  EXPECT_EQ(Rows("select petugas,nimp from ibadah_minggu_detail order by petugas"), "P2,ZWS-C;P3,ZWS-A;");
  EXPECT_EQ(Value("select kantong_rutin from ibadah_minggu"), "1500000");
  EXPECT_EQ(Value("select count(*) from ibadah_minggu"), "1");
}

TEST_F(Services, PreacherKindAndAnUnsavedRosterKeptOverAReactivation) {
  Exec("delete from gereja");
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'GPIB ZWS','Jl. Uji')");
  TServiceForm& f = Open(FIbadahMinggu);
  EXPECT_EQ(f.Edit5->Text(), "GPIB ZWS");
  kit::SelectExact(*f.ComboBox2, "Eksternal");
  f.ComboBox2Change(nullptr);
  EXPECT_EQ(f.Edit21->Text(), "Eksternal");
  EXPECT_FALSE(f.Edit4->ReadOnly());
  EXPECT_FALSE(f.SpeedButton4->Enabled());
  EXPECT_EQ(f.Edit5->Text(), "");
  kit::SelectExact(*f.ComboBox2, "Vikaris");
  f.ComboBox2Change(nullptr);
  EXPECT_EQ(f.Edit21->Text(), "");
  EXPECT_TRUE(f.Edit4->ReadOnly());
  EXPECT_EQ(f.Edit5->Text(), "GPIB ZWS");
  // Duties added to a new service survive the window being activated again.
  AddDuty(f, "P3", "ZWS-B");
  f.Activate();
  EXPECT_EQ(Roster(), "P3,ZWS-B;");
  EXPECT_EQ(app::DM->QTemp->RecordCount(), 1);
  Exec("delete from gereja");
}

TEST_F(Services, ChurchFeastSaveOfAChangedServiceStoresAddedAndReplacedDuties) {
  TServiceForm& f = Open(FIbadahHariRayaGerejawi);
  EXPECT_EQ(kit::Chosen(*f.ComboBox4), "07:00");
  kit::SelectExact(*f.ComboBox4, "08:00");
  f.ComboBox4Change(nullptr);
  EXPECT_EQ(kit::Chosen(*f.ComboBox1), "VRN Vareno");
  kit::SelectExact(*f.ComboBox5, "Paskah");
  f.Edit15->SetText("300");
  AddDuty(f, "P1", "ZWS-A");
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Hari Raya Gerejawi berhasil di-input");

  FCariIbadahHariRayaGerejawi->Show();
  FCariIbadahHariRayaGerejawi->Activate();
  FCariIbadahHariRayaGerejawi->DBGrid1DblClick(nullptr);
  EXPECT_EQ(kit::Chosen(*f.ComboBox5), "Paskah");
  EXPECT_EQ(kit::Chosen(*f.ComboBox1), "VRN Vareno");
  AddDuty(f, "P1", "ZWS-B");
  AddDuty(f, "P30", "ZWS-C");
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Hari Raya Gerejawi berhasil di-ubah");
  EXPECT_EQ(Rows("select petugas,nimp from ibadah_hariraya_gerejawi_detail order by petugas"),
            "P1,ZWS-B;P30,ZWS-C;");
  // An empty attendance is no number: nothing is written.
  f.Edit15->SetText("");
  AddDuty(f, "P2", "ZWS-A");
  EXPECT_THROW(f.SpeedButton6->Click(), rtl::EConvertError);
  EXPECT_EQ(Value("select count(*) from ibadah_hariraya_gerejawi"), "1");
}

TEST_F(Services, AServiceAndItsRosterAreStoredTogetherOrNotAtAll) {
  Exec("create trigger tst_roster_fail before insert on ibadah_minggu_detail for each row begin "
       "if new.nimp='ZWS-C' then signal sqlstate '45000' set message_text='tst_roster_fail'; end if; end");
  TServiceForm& f = Open(FIbadahMinggu);
  // A new service whose roster cannot be written leaves no row behind.
  AddDuty(f, "P1", "ZWS-C");
  EXPECT_ANY_THROW(f.SpeedButton6->Click());
  EXPECT_EQ(Value("select count(*) from ibadah_minggu"), "0");
  EXPECT_EQ(Value("select count(*) from ibadah_minggu_detail"), "0");

  f.SpeedButton8->Click();
  f.Edit10->SetText("1000");
  AddDuty(f, "P1", "ZWS-A");
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Minggu berhasil di-input");
  // A stored service changed with a roster that fails halfway keeps its row and roster.
  FCariIbadahMinggu->Show();
  FCariIbadahMinggu->Activate();
  FCariIbadahMinggu->DBGrid1DblClick(nullptr);
  f.Edit10->SetText("2000");
  AddDuty(f, "P2", "ZWS-C");
  EXPECT_ANY_THROW(f.SpeedButton6->Click());
  EXPECT_EQ(Value("select kantong_rutin from ibadah_minggu"), "1000");
  EXPECT_EQ(Rows("select petugas,nimp from ibadah_minggu_detail order by petugas"), "P1,ZWS-A;");
  Exec("drop trigger tst_roster_fail");
}

TEST_F(Services, ValidatorsP5ThenP1EachOnlyWithTheirOwnExactPin) {
  TServiceForm& f = Open(FIbadahMinggu);
  // P1 before P5 is refused and opens nothing.
  f.SpeedButton1->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Maaf...Yang Validasi terlebih dahulu adalah P5");
  EXPECT_FALSE(registry::FCariNIM->Showing());

  struct Try {
    const char* member;
    const char* pin;
  };
  // Wrong, a different case, a trailing blank, and the empty PIN of a member without one.
  for (Try t : {Try{"ZWS ANDREAS", "abc13"}, Try{"ZWS ANDREAS", "ABC12"}, Try{"ZWS BERTA", "1234 "},
                Try{"ZWS CORNELIS", ""}, Try{"ZWS ANDREAS", ""}}) {
    SCOPED_TRACE(std::string(t.member) + " '" + t.pin + "'");
    dialogs.shown.clear();
    Validate(f, f.SpeedButton2, t.member, t.pin);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].Text, "Maaf...PIN anda salah!");
    EXPECT_EQ(FValidasiIbadah->Edit1->Text(), "");
    EXPECT_TRUE(FValidasiIbadah->Showing());
    EXPECT_EQ(f.Edit17->Text(), "");
    CloseLookup();
  }
  // A stored empty PIN does not make the empty PIN right either.
  Exec("update majelis set pswd='' where nimp='ZWS-C'");
  dialogs.shown.clear();
  Validate(f, f.SpeedButton2, "ZWS CORNELIS", "");
  EXPECT_EQ(f.Edit17->Text(), "");
  CloseLookup();

  // The right PIN writes P5, closes the lookup and greys the check box in.
  Validate(f, f.SpeedButton2, "ZWS ANDREAS", "abc12");
  EXPECT_EQ(f.Edit17->Text(), "ZWS-A");
  EXPECT_EQ(f.CheckBox2->State(), TCheckBoxState::cbGrayed);
  EXPECT_FALSE(registry::FCariNIM->Showing());
  EXPECT_FALSE(FValidasiIbadah->Showing());
  f.SpeedButton2->SetFlat(false);
  Validate(f, f.SpeedButton1, "ZWS BERTA", "1234");
  EXPECT_EQ(f.Edit16->Text(), "ZWS-B");
  EXPECT_EQ(f.Edit17->Text(), "ZWS-A");
  CloseLookup();
  f.SpeedButton1->SetFlat(false);

  // The validators are stored with the service.
  AddDuty(f, "P1", "ZWS-C");
  f.SpeedButton6->Click();
  EXPECT_EQ(Rows("select validasi_1,validasi_2 from ibadah_minggu"), "ZWS-B,ZWS-A;");
}

TEST_F(Services, TheCouncilLookupHandsAValidationToThePinDialog) {
  TServiceForm& f = Open(FIbadahMinggu);
  // The whole chain: the P5 button opens the lookup, the pick shows the PIN dialog over
  // it, the right PIN writes the validator and closes both.
  WhileShown(registry::FCariNIM, [&] {
    WhileShown(FValidasiIbadah, [&] {
      EXPECT_EQ(FValidasiIbadah->Label5->Caption(), "Pnt. ZWS ANDREAS");
      FValidasiIbadah->Edit1->SetText("abc12");
      wchar_t enter = 13;
      FValidasiIbadah->Edit1KeyPress(nullptr, enter);
    });
    registry::FCariNIM->Edit1->SetText("ZWS ANDREAS");
    registry::FCariNIM->Button1->Click();
  });
  f.SpeedButton2->Click();
  EXPECT_EQ(f.Edit17->Text(), "ZWS-A");
  EXPECT_FALSE(f.SpeedButton2->Flat());
}

TEST_F(Services, AValidatedServiceOpensOnlyWithItsValidatorsPin) {
  Exec("insert into ibadah_minggu(kode,tgl,jam,tempat,pf,nama_pf,kantong_lainlain,validasi_1,validasi_2,jml_jemaat) "
       "values ('IM-01012026-10000','2026-01-04','08:00','VRN','Eksternal','TAMU',2500,'ZWS-B','ZWS-A',90)");
  Exec("insert into ibadah_minggu_detail(kode,nimp,petugas,urut) values ('IM-01012026-10000','ZWS-C','P4',1)");
  TServiceForm& f = Open(FIbadahMinggu);
  FCariIbadahMinggu->Show();
  FCariIbadahMinggu->Activate();

  // Cancel leaves everything as it was.
  WhileShown(FValidasiIbadah, [&] { FValidasiIbadah->Button2->Click(); });
  FCariIbadahMinggu->DBGrid1DblClick(nullptr);
  EXPECT_TRUE(FCariIbadahMinggu->Showing());
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");

  // P5's PIN is not P1's; then P1's opens the service.
  WhileShown(FValidasiIbadah, [&] {
    EXPECT_EQ(FValidasiIbadah->Label5->Caption(), "Dkn. ZWS BERTA");
    FValidasiIbadah->Edit1->SetText("abc12");
    FValidasiIbadah->Button1->Click();
    EXPECT_EQ(dialogs.shown.back().Text, "Maaf...PIN anda salah!");
    FValidasiIbadah->Edit1->SetText("1234");
    FValidasiIbadah->Button1->Click();
  });
  FCariIbadahMinggu->DBGrid1DblClick(nullptr);
  EXPECT_FALSE(FCariIbadahMinggu->Showing());
  EXPECT_EQ(f.Edit1->Text(), "IM-01012026-10000");
  EXPECT_EQ(kit::Chosen(*f.ComboBox4), "08:00");
  EXPECT_EQ(kit::Chosen(*f.ComboBox1), "VRN Vareno");
  EXPECT_EQ(kit::Chosen(*f.ComboBox2), "Eksternal");
  EXPECT_EQ(f.Edit22->Text(), "2500");
  EXPECT_EQ(f.Edit16->Text(), "ZWS-B");
  EXPECT_EQ(f.CheckBox1->State(), TCheckBoxState::cbGrayed);
  EXPECT_EQ(Roster(), "P4,ZWS-C;");
  // Saved unchanged, it stays validated and keeps its other bags.
  f.SpeedButton6->Click();
  EXPECT_EQ(Rows("select validasi_1,validasi_2,kantong_lainlain,jam,tempat from ibadah_minggu"),
            "ZWS-B,ZWS-A,2500,08:00,VRN;");
}

TEST_F(Services, SearchFiltersAndDeleteWithTheDuties) {
  Exec("insert into ibadah_minggu(kode,tgl,jam,tempat) values ('IM-01012026-10000','2026-01-04','08:00','VRN'),"
       "('IM-01012026-10001','2026-01-11','09:00','PLK'),('IM-01012026-10002','2026-02-01','08:00','VRN')");
  Exec("insert into ibadah_minggu_detail(kode,nimp,petugas,urut) values ('IM-01012026-10000','ZWS-A','P1',1)");
  TServiceSearch& s = *FCariIbadahMinggu;
  s.Show();
  s.Activate();
  EXPECT_EQ(app::DM->Q3->RecordCount(), 3);
  s.RadioButton2->SetChecked(true);
  s.RadioButton2Click(nullptr);
  kit::SelectExact(*s.ComboBox2, "08:00");
  s.ComboBox2Change(nullptr);
  EXPECT_EQ(kit::Chosen(*s.ComboBox1), "VRN Vareno");
  s.Button1Click(nullptr);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 2);
  s.RadioButton1->SetChecked(true);
  s.RadioButton1Click(nullptr);
  s.DateTimePicker1->SetDateTime(rtl::EncodeDate(2026, 1, 4));
  s.DateTimePicker2->SetDateTime(rtl::EncodeDate(2026, 1, 11));
  s.Button1Click(nullptr);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 2);
  EXPECT_EQ(s.StatusBar1->Panels()[0]->Text(), "Pencarian Berdasarkan : \"Tanggal\"");
  // The first of them goes with its duties.
  app::DM->Q3->First();
  dialogs.answers.push_back(mrYes);
  s.Button2Click(nullptr);
  EXPECT_EQ(Rows("select kode from ibadah_minggu order by id"), "IM-01012026-10001;IM-01012026-10002;");
  EXPECT_EQ(Value("select count(*) from ibadah_minggu_detail"), "0");
  EXPECT_EQ(app::DM->Q3->RecordCount(), 2);  // the whole list again

  // The feast search by feast.
  Exec("insert into ibadah_hariraya_gerejawi(kode,tgl,judul_ibadah) values ('IG-01012026-10000','2026-04-05',"
       "'Paskah'),('IG-01012026-10001','2026-12-25','Hari Natal I')");
  TServiceSearch& g = *FCariIbadahHariRayaGerejawi;
  g.Show();
  g.Activate();
  g.RadioButton2->SetChecked(true);
  g.RadioButton2Click(nullptr);
  kit::SelectExact(*g.ComboBox1, "Paskah");
  g.Button1Click(nullptr);
  ASSERT_EQ(app::DM->Q3->RecordCount(), 1);
  EXPECT_EQ(app::DM->Q3->FieldByName("kode")->AsString(), "IG-01012026-10000");
}

TEST_F(Services, PrintedFormsCarryAmountsValidatorsDutiesAndTheirStatus) {
  Exec("insert into ibadah_minggu(kode,tgl,jam,tempat,pf,nama_pf,nama_gereja,kantong_rutin,kantong_pembangunan,"
       "persepuluhan,syukur,sbu,kantong_lainlain,jml_jemaat,keterangan,validasi_1,validasi_2,pianis) values "
       "('IM-01012026-10000','2026-01-04','08:00','VRN','Pendeta','PDT UJI','GPIB UJI',1500000,0,250000,1000,"
       "499.6,777,90,'Baik sekali','ZWS-B','ZWS-A','NONA PIANIS')");
  Exec("insert into ibadah_minggu_detail(kode,nimp,petugas,urut) values ('IM-01012026-10000','ZWS-C','P2',1),"
       "('IM-01012026-10000','ZWS-A','P10',2)");
  FCariIbadahMinggu->Show();
  FCariIbadahMinggu->Activate();
  FCariIbadahMinggu->Button5Click(nullptr);
  ASSERT_EQ(previews.shown.size(), 1u);
  const report::TReportPage& page = previews.shown[0].Pages.at(0);
  const char sep = rtl::DefaultNumberFormat().thousandSeparator;
  auto grouped = [sep](std::string s) {
    for (char& c : s)
      if (c == ',') c = sep;
    return s;
  };
  auto text = [&page](const char* name) {
    auto t = page.Texts(name);
    return t.empty() ? std::string("(none)") : t[0];
  };
  EXPECT_EQ(text("QRLabel33"), grouped("1,500,000"));
  EXPECT_EQ(text("QRLabel34"), "");  // zero prints nothing
  EXPECT_EQ(text("QRLabel35"), grouped("250,000"));
  EXPECT_EQ(text("QRLabel37"), "500");
  EXPECT_EQ(text("QRLabel65"), grouped("1,751,500"));  // the other bags are not in the total
  EXPECT_EQ(text("QRLabel26"), "08:00:00");
  EXPECT_EQ(text("QRLabel59"), "ZWS ANDREAS");  // P5
  EXPECT_EQ(text("QRLabel60"), "ZWS BERTA");    // P1
  EXPECT_EQ(text("QRLabel87"), "Form : REALISASI Ibadah");
  EXPECT_EQ(text("QRLabel67"), "[GPIB UJI]");
  EXPECT_EQ(page.Texts("QRDBText2"), (std::vector<std::string>{"P2", "P10"}));  // in the order stored

  // A feast form: its feast, its status while only P5 has validated, duties by name.
  Exec("insert into ibadah_hariraya_gerejawi(kode,tgl,jam,tempat,judul_ibadah,sts_pf,validasi_2,jml_jemaat) values "
       "('IG-01012026-10000','2026-04-05','04:00','PLK','Paskah','Vikaris','ZWS-A',10)");
  Exec("insert into ibadah_hariraya_gerejawi_detail(kode,nimp,petugas,urut) values ('IG-01012026-10000','ZWS-C',"
       "'P2',1),('IG-01012026-10000','ZWS-A','P10',2)");
  FCariIbadahHariRayaGerejawi->Show();
  FCariIbadahHariRayaGerejawi->Activate();
  FCariIbadahHariRayaGerejawi->Button5Click(nullptr);
  ASSERT_EQ(previews.shown.size(), 2u);
  const report::TReportPage& feast = previews.shown[1].Pages.at(0);
  EXPECT_EQ(feast.Texts("QRLabel87"), std::vector<std::string>{"Ibadah : Paskah"});
  EXPECT_EQ(feast.Texts("QRLabel89"), std::vector<std::string>{"Form : DRAFT Ibadah"});
  EXPECT_EQ(feast.Texts("QRLabel60"), std::vector<std::string>{""});  // no validator P1
  EXPECT_EQ(feast.Texts("QRLabel29"), std::vector<std::string>{"Vikaris"});
  EXPECT_EQ(feast.Texts("QRDBText2"), (std::vector<std::string>{"P10", "P2"}));
}

TEST_F(Services, EveryLookupRowOfTheServiceWindowsNamesTheirControlsAndTheHandOverIsInstalled) {
  EXPECT_GE(CheckLookupRows({"FIbadahMinggu", "FIbadahHariRayaGerejawi"}), 10);
}

}  // namespace

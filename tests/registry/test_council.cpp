// The council registers: council members with their numbers, terms, the "Selesai" lock
// and PINs; the executive council; council groups by hand, by the random deal (also
// after a failed run, which keeps the groups from before) and printed; the setup panel
// and the gauge on screen; and the refusal of every save before a person is chosen.
#include <gtest/gtest.h>

#include <algorithm>

#include "kit/Records.h"
#include "app/UDM.h"
#include "data/WorkTables.h"
#include "registry/QRGroupMajelis.h"
#include "registry/UCariMajelis.h"
#include "registry/UCariPHMJ.h"
#include "registry/UGroupMajelis.h"
#include "registry/UMajelis.h"
#include "registry/UPhmj.h"
#include "registry/UPrintGroupMajelis.h"
#include "tests/registry/RegistryTestSupport.h"

using namespace gui;
using namespace registry;

namespace {

class Council : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    Application->CreateForm(FMajelis);
    Application->CreateForm(FCariMajelis);
    Application->CreateForm(FPhmj);
    Application->CreateForm(FCariPHMJ);
    Application->CreateForm(FGroupMajelis);
    Application->CreateForm(FQRGroupMajelis);
    Application->CreateForm(FPrintGroupMajelis);
    CleanCouncil();
    MakeFamily("NK-94000", "KELUARGA MAJELIS");
  }
  void TearDown() override {
    CleanCouncil();
    GroupCount = 0;
    delete FPrintGroupMajelis;
    delete FQRGroupMajelis;
    delete FGroupMajelis;
    delete FCariPHMJ;
    delete FPhmj;
    delete FCariMajelis;
    delete FMajelis;
    FPrintGroupMajelis = nullptr;
    FQRGroupMajelis = nullptr;
    FGroupMajelis = nullptr;
    FCariPHMJ = nullptr;
    FPhmj = nullptr;
    FCariMajelis = nullptr;
    FMajelis = nullptr;
    RegistryFixture::TearDown();
  }
  // Every council, executive and group row of the test members, and the groups the
  // test user's deals wrote.
  void CleanCouncil() {
    Exec("delete from majelis_group where username='tst_reg' or nimp in (select nimp from majelis where nij like "
         "'NJ-94%')");
    Exec("delete from phmj where nimp in (select nimp from majelis where nij like 'NJ-94%')");
    Exec("delete from majelis where nij like 'NJ-94%'");
    Exec("delete from detail_kk where nik='NK-94000'");
    Exec("delete from header_kk where nik='NK-94000'");
  }
  void Person(const std::string& nij, const std::string& name, const std::string& sex) {
    Exec("insert into detail_kk(nik,nij,nama_gabung,tgl_lahir,sex,pelkat,sekpel,sts_hidup,username) values "
         "('NK-94000','" + nij + "','" + name + "','1980-05-06','" + sex + "','PKB','3','Hidup','tst_reg')");
  }
  // A council member stored directly.
  void Member(const std::string& nimp, const std::string& nij, const std::string& office,
              const std::string& status = "Aktif") {
    Exec("insert into majelis(nimp,nij,pnt_dkn,periode,sts_aktif,tgl_mulai,tgl_selesai,username) values ('" + nimp +
         "','" + nij + "','" + office + "','2020-2025','" + status + "','2020-01-01','2025-01-01','tst_reg')");
  }
  // What the member lookup writes into the council window.
  void PickMember(const std::string& nij, const std::string& name, const std::string& sex) {
    FMajelis->FormActivate(FMajelis);
    FMajelis->Edit2->SetText(nij);
    FMajelis->Edit3->SetText(name);
    FMajelis->Edit4->SetText("06/05/1980");
    FMajelis->Edit5->SetText(sex);
    FMajelis->Edit6->SetText("PKB");
    FMajelis->Edit7->SetText("3");
  }
  void Reopen(const std::string& name) {
    FCariMajelis->FormActivate(FCariMajelis);
    FCariMajelis->RadioButton1->SetChecked(true);
    FCariMajelis->Edit1->SetText(name);
    FCariMajelis->Button1->Click();
    ASSERT_EQ(app::DM->Q3->RecordCount(), 1);
    FCariMajelis->DBGrid1DblClick(FCariMajelis->DBGrid1);
  }
  std::string Row(const std::string& sql) { return Value(sql); }
  // Active elders and deacons of the whole table, as the deal sees them.
  int Active(const char* office) {
    return std::stoi(Value(std::string("select count(*) from majelis where sts_aktif='Aktif' and pnt_dkn='") +
                           office + "'"));
  }
  void SetGroups(const std::string& n) {
    FGroupMajelis->Edit9->SetText(n);
    FGroupMajelis->Button8->Click();
  }
  // The deal with its two questions answered: the count box and Yes.
  void Deal() {
    dialogs.shown.clear();
    dialogs.answers = {mrOk, mrYes};
    FGroupMajelis->SpeedButton2->Click();
  }
};

TEST_F(Council, NewMembersContinueTheCounterForBothSexesThenChangeUntilSelesai) {
  Person("NJ-94000.10000", "ANDREAS UJI", "Pria");
  Person("NJ-94000.10001", "BERTA UJI", "Wanita");
  Member("MJ-94000-2", "NJ-94000.10001", "Dkn");

  PickMember("NJ-94000.10000", "ANDREAS UJI", "Pria");
  FMajelis->RadioButton2->SetChecked(true);
  FMajelis->RadioButton1->SetChecked(false);
  FMajelis->DateTimePicker1->SetDateTime(rtl::EncodeDate(2014, 3, 1));
  FMajelis->DateTimePicker2->SetDateTime(rtl::EncodeDate(2019, 2, 28));
  FMajelis->Edit9->SetText("sisa teks");  // hidden while "Aktif": stores no reason
  FMajelis->SpeedButton2->Click();
  ASSERT_EQ(Texts(), "Data Majelis berhasil di-input|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtInformation);
  EXPECT_EQ(FMajelis->Edit1->Text(), "[Auto]");
  EXPECT_EQ(Row("select concat_ws('|',nij,pnt_dkn,periode,sts_aktif,tgl_mulai,tgl_selesai,"
                "coalesce(alasan_selesai,'NULL'),coalesce(pswd,'NULL'),username) from majelis where nimp='MJ-94001-1'"),
            "NJ-94000.10000|Dkn|2014-2019|Aktif|2014-03-01|2019-02-28|NULL|NULL|tst_reg");

  // One counter for both sexes: the next woman continues it.
  PickMember("NJ-94000.10001", "BERTA UJI", "Wanita");
  FMajelis->SpeedButton2->Click();
  EXPECT_EQ(Row("select count(*) from majelis where nimp='MJ-94002-2' and pnt_dkn='Pnt'"), "1");

  // Reopened and ended with a reason: an update under the same number.
  dialogs.shown.clear();
  Reopen("ANDREAS");
  EXPECT_EQ(FMajelis->Edit1->Text(), "MJ-94001-1");
  EXPECT_EQ(FMajelis->Edit8->Text(), "2014-2019");
  EXPECT_TRUE(FMajelis->RadioButton2->Checked());
  EXPECT_FALSE(FMajelis->Edit9->Visible());
  FMajelis->ComboBox1->SetItemIndex(1);
  FMajelis->ComboBox1Change(FMajelis->ComboBox1);
  EXPECT_TRUE(FMajelis->Edit9->Visible());
  EXPECT_TRUE(FMajelis->Label13->Visible());
  FMajelis->Edit9->SetText("Pindah domisili");
  FMajelis->SpeedButton2->Click();
  EXPECT_EQ(Texts(), "Data Majelis berhasil di-ubah|");
  EXPECT_EQ(Row("select concat_ws('|',sts_aktif,alasan_selesai) from majelis where nimp='MJ-94001-1'"),
            "Selesai|Pindah domisili");

  // Stored as "Selesai": switching back to "Aktif" is refused and nothing changes.
  dialogs.shown.clear();
  Reopen("ANDREAS");
  EXPECT_EQ(FMajelis->Edit9->Text(), "Pindah domisili");
  FMajelis->ComboBox1->SetItemIndex(0);
  FMajelis->ComboBox1Change(FMajelis->ComboBox1);
  FMajelis->SpeedButton2->Click();
  EXPECT_EQ(Texts(), "Maaf...Statusnya sudah \"Selesai\" jadi data tidak boleh diubah|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  EXPECT_EQ(FMajelis->Edit1->Text(), "MJ-94001-1");
  EXPECT_EQ(Row("select sts_aktif from majelis where nimp='MJ-94001-1'"), "Selesai");
  EXPECT_EQ(Row("select count(*) from majelis where nij like 'NJ-94%'"), "3");
}

TEST_F(Council, PinNeedsAStoredRecordAndIsStoredAsTyped) {
  Person("NJ-94000.10000", "CORNELIS UJI", "Pria");
  Member("MJ-94000-1", "NJ-94000.10000", "Pnt", "Selesai");
  FMajelis->FormActivate(FMajelis);
  FMajelis->Edit10->SetText("12345");
  FMajelis->Button1->Click();
  EXPECT_EQ(Texts(), "NIMP tidak ditemukan. PIN anda tidak dapat di-ubah|");
  EXPECT_EQ(Row("select coalesce(pswd,'NULL') from majelis where nimp='MJ-94000-1'"), "NULL");

  // An ended term still takes a PIN.
  dialogs.shown.clear();
  Reopen("CORNELIS");
  FMajelis->Edit10->SetText("40918");
  FMajelis->Button1->Click();
  EXPECT_EQ(Texts(), "PIN anda sudah berhasil di-ubah!|");
  EXPECT_EQ(Row("select pswd from majelis where nimp='MJ-94000-1'"), "40918");
  EXPECT_EQ(FMajelis->Edit1->Text(), "[Auto]");
}

// Before a person is chosen a save would key the record by "[Auto]" or by nothing.
TEST_F(Council, EverySaveBeforeAPersonIsChosenIsRefused) {
  struct Case {
    const char* what;
    std::function<void()> save;
    const char* message;
    const char* stored;
  } cases[] = {
      {"council", [] { FMajelis->FormActivate(FMajelis); FMajelis->SpeedButton2->Click(); },
       "Maaf...Data Jemaat belum dipilih|", "select count(*) from majelis where nimp in ('[Auto]','') or nij=''"},
      {"executive", [] { FPhmj->FormActivate(FPhmj); FPhmj->SpeedButton2->Click(); },
       "Maaf...Data Majelis belum dipilih|", "select count(*) from phmj where nimp=''"},
      {"group",
       [] {
         FGroupMajelis->FormActivate(FGroupMajelis);
         FGroupMajelis->Edit6->SetText("2");
         FGroupMajelis->Button1->Click();
       },
       "Maaf...Data Majelis belum dipilih|", "select count(*) from majelis_group where nimp=''"},
  };
  for (const Case& c : cases) {
    dialogs.shown.clear();
    c.save();
    EXPECT_EQ(Texts(), c.message) << c.what;
    ASSERT_EQ(dialogs.shown.size(), 1u) << c.what;
    EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError) << c.what;
    EXPECT_EQ(Row(c.stored), "0") << c.what;
  }
}

TEST_F(Council, ExecutiveOfficeIsOneRowPerCouncilMemberUntilSelesai) {
  Person("NJ-94000.10000", "DAVID UJI", "Pria");
  Member("MJ-94000-1", "NJ-94000.10000", "Pnt");
  auto pick = [] {
    // What the council-member lookup writes.
    FPhmj->FormActivate(FPhmj);
    FPhmj->Edit1->SetText("MJ-94000-1");
    FPhmj->Edit2->SetText("DAVID UJI");
    FPhmj->Edit3->SetText("Pnt");
    FPhmj->Edit4->SetText("2020-2025");
    FPhmj->Edit5->SetText("Aktif");
  };
  pick();
  FPhmj->ComboBox1->SetItemIndex(5);  // Sekretaris Umum
  FPhmj->DateTimePicker1->SetDateTime(rtl::EncodeDate(2016, 1, 1));
  FPhmj->DateTimePicker2->SetDateTime(rtl::EncodeDate(2021, 12, 31));
  FPhmj->SpeedButton2->Click();
  EXPECT_EQ(Texts(), "Data PHMJ berhasil di-input|");
  EXPECT_EQ(FPhmj->Edit6->Text(), "[Auto]");
  EXPECT_EQ(Row("select concat_ws('|',jabatan,sts_aktif,periode,tgl_mulai,tgl_selesai,username) from phmj "
                "where nimp='MJ-94000-1'"),
            "Sekretaris Umum|Aktif|2016-2021|2016-01-01|2021-12-31|tst_reg");

  // The same council member again: the one row changes.
  dialogs.shown.clear();
  pick();
  FPhmj->ComboBox1->SetItemIndex(8);
  FPhmj->DateTimePicker1->SetDateTime(rtl::EncodeDate(2016, 1, 1));
  FPhmj->DateTimePicker2->SetDateTime(rtl::EncodeDate(2021, 12, 31));
  FPhmj->RadioButton1->SetChecked(false);
  FPhmj->RadioButton2->SetChecked(true);
  FPhmj->SpeedButton2->Click();
  EXPECT_EQ(Texts(), "Data PHMJ berhasil di-ubah|");
  EXPECT_EQ(Row("select concat_ws('|',count(*),max(jabatan),max(sts_aktif)) from phmj where nimp='MJ-94000-1'"),
            "1|Bendahara Umum|Selesai");

  // Reopened from the search with "Selesai" and switched to "Aktif": still refused.
  dialogs.shown.clear();
  FCariPHMJ->FormActivate(FCariPHMJ);
  FCariPHMJ->RadioButton1->SetChecked(true);
  FCariPHMJ->Edit1->SetText("DAVID UJI");
  FCariPHMJ->Button1->Click();
  ASSERT_EQ(app::DM->Q3->RecordCount(), 1);
  FCariPHMJ->DBGrid1DblClick(FCariPHMJ->DBGrid1);
  EXPECT_EQ(FPhmj->Edit1->Text(), "MJ-94000-1");
  EXPECT_EQ(FPhmj->Edit2->Text(), "DAVID UJI");
  EXPECT_EQ(FPhmj->ComboBox1->Text(), "Bendahara Umum");
  EXPECT_TRUE(FPhmj->RadioButton2->Checked());
  EXPECT_EQ(FPhmj->Edit6->Text(), "2016-2021");
  FPhmj->RadioButton2->SetChecked(false);
  FPhmj->RadioButton1->SetChecked(true);
  FPhmj->SpeedButton2->Click();
  EXPECT_EQ(Texts(), "Maaf...Statusnya sudah \"Selesai\" jadi data tidak boleh diubah|");
  EXPECT_EQ(Row("select sts_aktif from phmj where nimp='MJ-94000-1'"), "Selesai");
}

TEST_F(Council, ManualGroupInsertThenChangeAndTheDigitFilter) {
  Person("NJ-94000.10000", "ELISA UJI", "Wanita");
  Member("MJ-94000-2", "NJ-94000.10000", "Dkn");
  FGroupMajelis->FormActivate(FGroupMajelis);
  FGroupMajelis->Edit1->SetText("MJ-94000-2");
  FGroupMajelis->Edit6->SetText("7");
  FGroupMajelis->Button1->Click();
  EXPECT_EQ(Texts(), "Data Group Majelis berhasil di-input|");
  EXPECT_EQ(Row("select concat_ws('|',grup,username,coalesce(id,'NULL')) from majelis_group where nimp='MJ-94000-2'"),
            "7|tst_reg|NULL");
  EXPECT_GE(FGroupMajelis->ComboBox1->Items().IndexOf("7"), 0);

  // Reopened from the grid: the row's number, member and group come back; saving
  // changes the one row.
  dialogs.shown.clear();
  auto& grid = *app::DM->Q5;
  bool found = false;
  for (grid.First(); !grid.Eof(); grid.Next())
    if (grid.FieldByName("nimp")->AsString() == "MJ-94000-2") {
      found = true;
      break;
    }
  ASSERT_TRUE(found);
  FGroupMajelis->DBGrid1DblClick(FGroupMajelis->DBGrid1);
  EXPECT_EQ(FGroupMajelis->Edit1->Text(), "MJ-94000-2");
  EXPECT_EQ(FGroupMajelis->Edit2->Text(), "ELISA UJI");
  EXPECT_EQ(FGroupMajelis->Edit6->Text(), "7");
  EXPECT_EQ(FGroupMajelis->Edit7->Text(), "Dkn");
  FGroupMajelis->Edit6->SetText("9");
  FGroupMajelis->Button1->Click();
  EXPECT_EQ(Texts(), "Data Group Majelis berhasil di-ubah|");
  EXPECT_EQ(Row("select concat_ws('|',count(*),max(grup)) from majelis_group where nimp='MJ-94000-2'"), "1|9");

  dialogs.shown.clear();
  for (wchar_t key : {L'5', L'\b', L'\r', L' '}) {
    wchar_t k = key;
    FGroupMajelis->Edit6KeyPress(FGroupMajelis->Edit6, k);
    EXPECT_EQ(k, key);
  }
  wchar_t letter = L'a';
  FGroupMajelis->Edit6KeyPress(FGroupMajelis->Edit6, letter);
  EXPECT_EQ(letter, 0);
  EXPECT_EQ(Texts(), "Maaf...Hanya bisa masukan angka!|");
}

class CouncilDeal : public Council {
 protected:
  void SetUp() override {
    Council::SetUp();
    // Five active elders, two active deacons, one elder whose term ended.
    for (int i = 0; i < 8; ++i) {
      std::string nij = "NJ-94000.1000" + std::to_string(i);
      Person(nij, "DEAL UJI " + std::to_string(i), i % 2 ? "Wanita" : "Pria");
      const char* office = i < 6 ? "Pnt" : "Dkn";
      Member("MJ-9400" + std::to_string(i) + (i % 2 ? "-2" : "-1"), nij, office, i == 5 ? "Selesai" : "Aktif");
    }
    FGroupMajelis->FormActivate(FGroupMajelis);
  }
  // Every active council member exactly once, lower groups the larger ones.
  void ExpectDealt(int groups) {
    const int elders = Active("Pnt"), deacons = Active("Dkn");
    EXPECT_EQ(Value("select count(*) from majelis_group"), std::to_string(elders + deacons));
    EXPECT_EQ(Value("select count(*) from majelis j join majelis_group g on g.nimp=j.nimp "
                    "where j.sts_aktif='Aktif' and j.pnt_dkn in ('Pnt','Dkn') and g.id=j.id"),
              std::to_string(elders + deacons));
    EXPECT_EQ(Value("select count(*) from majelis_group where nimp='MJ-94005-2'"), "0");
    for (int k = 1; k <= groups; ++k) {
      auto share = [&](int n) { return n / groups + (k <= n % groups ? 1 : 0); };
      EXPECT_EQ(Value("select count(*) from majelis_group g join majelis j on j.nimp=g.nimp where g.grup=" +
                      std::to_string(k) + " and j.pnt_dkn='Pnt'"),
                std::to_string(share(elders)))
          << "group " << k;
      EXPECT_EQ(Value("select count(*) from majelis_group g join majelis j on j.nimp=g.nimp where g.grup=" +
                      std::to_string(k) + " and j.pnt_dkn='Dkn'"),
                std::to_string(share(deacons)))
          << "group " << k;
    }
    EXPECT_EQ(Value("select count(*) from majelis_group where grup<1 or grup>" + std::to_string(groups) +
                    " or username<>'tst_reg' or lastupdate<>curdate()"),
              "0");
  }
  int DmCount(const char* table) {
    auto& q = *app::DM->Q1;
    kit::SetSQL(q, {std::string("select count(*) as n from ") + table});
    q.Open();
    return q.FieldByName("n")->AsInteger();
  }
};

TEST_F(CouncilDeal, AsksForTheCountFirstThenDealsEveryActiveMemberOnce) {
  // No count yet: the setup panel instead of a deal.
  FGroupMajelis->SpeedButton2->Click();
  EXPECT_TRUE(FGroupMajelis->Panel3->Visible());
  EXPECT_EQ(Texts(), "");
  for (const char* refused : {"", "0"}) {
    dialogs.shown.clear();
    SetGroups(refused);
    EXPECT_EQ(Texts(), "Maaf...Jumlah Group tidak boleh kosong|");
    EXPECT_TRUE(FGroupMajelis->Panel3->Visible());
    EXPECT_EQ(GroupCount, 0);
  }
  SetGroups("3");
  EXPECT_FALSE(FGroupMajelis->Panel3->Visible());
  EXPECT_EQ(GroupCount, 3);
  // A manual row is replaced by the deal as well.
  Exec("insert into majelis_group(nimp,grup,username) values ('MJ-94005-2',42,'tst_reg')");

  Deal();
  EXPECT_EQ(Texts(), "Jumlah Group Majelis sudah disetting sebanyak : 3|Pilih \"YES\" untuk Random Group Majelis dan "
                     "Pilih \"NO\" untuk ubah jumlah group majelis|Random Group Majelis Selesai|");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtCustom);
  ExpectDealt(3);
  EXPECT_EQ(DmCount("majelis_group_temp"), 0);
  EXPECT_EQ(DmCount("majelis_group_temp2"), 0);
  EXPECT_FALSE(FGroupMajelis->Gauge1->Visible());
  // The grid shows the new groups.
  EXPECT_EQ(app::DM->Q5->RecordCount(), Active("Pnt") + Active("Dkn"));

  // "No" goes back to the count instead of dealing.
  dialogs.shown.clear();
  dialogs.answers = {mrOk, mrNo};
  FGroupMajelis->SpeedButton2->Click();
  EXPECT_TRUE(FGroupMajelis->Panel3->Visible());
  EXPECT_EQ(dialogs.shown.size(), 2u);
  ExpectDealt(3);
}

TEST_F(CouncilDeal, ARunAfterAFailedOneStartsFromEmptyWorkTables) {
  SetGroups("2");
  Exec("insert into majelis_group(nimp,grup,username) values ('MJ-94005-2',42,'tst_reg')");
  // This connection's dealt-rows table loses its columns: the run fails after the
  // elders were drawn, leaving them behind in the draw table.
  auto& q = *app::DM->Q1;
  kit::SetSQL(q, {"drop temporary table majelis_group_temp2"});
  q.ExecSQL();
  kit::SetSQL(q, {"create temporary table majelis_group_temp2 (id int)"});
  q.ExecSQL();
  Deal();
  EXPECT_EQ(Texts(), "Jumlah Group Majelis sudah disetting sebanyak : 2|Pilih \"YES\" untuk Random Group Majelis dan "
                     "Pilih \"NO\" untuk ubah jumlah group majelis|Proses Random Group Majelis gagal!|");
  EXPECT_EQ(dialogs.shown.back().Type, TMsgDlgType::mtError);
  EXPECT_GT(DmCount("majelis_group_temp"), 0);
  // The groups from before the failed run are all still there.
  EXPECT_EQ(Value("select group_concat(nimp,':',grup) from majelis_group"), "MJ-94005-2:42");

  kit::SetSQL(q, {"drop temporary table majelis_group_temp2"});
  q.ExecSQL();
  data::ShadowWorkTables(*app::DM->ZConnection1, app::WorkTables());
  Deal();
  EXPECT_EQ(dialogs.shown.back().Text, "Random Group Majelis Selesai");
  ExpectDealt(2);
  EXPECT_EQ(DmCount("majelis_group_temp"), 0);
}

// A failure while the new groups are written (here at one deacon) takes back what the
// deal had already replaced: the previous groups stay whole.
TEST_F(CouncilDeal, AFailureWhileWritingTheGroupsKeepsThePreviousOnes) {
  SetGroups("2");
  Deal();
  ExpectDealt(2);
  const std::string groups = "select group_concat(nimp,':',grup,':',lastupdate order by nimp) from majelis_group";
  const std::string before = Value(groups);
  Exec("drop trigger if exists tst_reg_group_fail");
  Exec("create trigger tst_reg_group_fail before insert on majelis_group for each row "
       "if new.nimp='MJ-94007-2' then signal sqlstate '45000' set message_text='uji gagal'; end if");
  SetGroups("3");
  Deal();
  Exec("drop trigger tst_reg_group_fail");
  EXPECT_EQ(dialogs.shown.back().Text, "Proses Random Group Majelis gagal!");
  EXPECT_EQ(Value(groups), before);
  EXPECT_FALSE(FGroupMajelis->Gauge1->Visible());
  // The next run deals as usual.
  Deal();
  EXPECT_EQ(dialogs.shown.back().Text, "Random Group Majelis Selesai");
  ExpectDealt(3);
}

// On screen: the setup panel over every other control of the window, and after a deal
// no gauge left standing.
TEST_F(CouncilDeal, TheSetupPanelLiesOverTheWindowAndTheGaugeGoesAfterTheDeal) {
  auto* f = FGroupMajelis;
  // Inside the control: its middle, or a few units from its left edge (clear of the
  // gauge's percentage).
  auto pixelAt = [](gui::TBitmap& shot, HWND form, TControl* c, bool middle = true) {
    POINT p{middle ? c->Left() + c->Width() / 2 : c->Left() + 6, c->Top() + c->Height() / 2};
    ClientToScreen(form, &p);
    RECT wr;
    GetWindowRect(form, &wr);
    return shot.Canvas().Pixels(p.x - wr.left, p.y - wr.top) & 0xFFFFFF;
  };
  TColor overButton = 0, overGrid = 0, gaugeDuring = 0, gaugeAfter = 0;
  WhileShown(f, [&] {
    HWND form = f->Handle();
    f->SpeedButton2->Click();  // no count yet: the setup panel
    gui::TBitmap shot;
    guitest::ShotOfWindow(form, shot);
    report::SaveBitmapToPng(shot, std::string("Z:") + KORVAN_REG_OUT + "/group_setup_panel.png");
    overButton = pixelAt(shot, form, f->Button1);
    overGrid = pixelAt(shot, form, f->DBGrid1);
    SetGroups("2");
    // The gauge while dealing, drawn by the first pass.
    f->Gauge1->Show();
    f->Gauge1->SetMaxValue(2);
    f->Gauge1->SetProgress(2);
    guitest::ShotOfWindow(form, shot);
    gaugeDuring = pixelAt(shot, form, f->Gauge1, false);
    Deal();
    guitest::ShotOfWindow(form, shot, false);  // only what the window itself repaints
    report::SaveBitmapToPng(shot, std::string("Z:") + KORVAN_REG_OUT + "/group_after_deal.png");
    gaugeAfter = pixelAt(shot, form, f->Gauge1, false);
    f->Close();
  });
  f->ShowModal();
  EXPECT_EQ(overButton, clWhite);
  EXPECT_EQ(overGrid, clWhite);
  EXPECT_EQ(gaugeDuring, clBlue);
  EXPECT_EQ(gaugeAfter, ColorToRGB(clBtnFace) & 0xFFFFFF);
  ExpectDealt(2);
}

TEST_F(Council, GroupPrintLaysOutEachGroupUnderItsHeading) {
  Person("NJ-94000.10000", "FRANS UJI", "Pria");
  Person("NJ-94000.10001", "GRACE UJI", "Wanita");
  Person("NJ-94000.10002", "HANS UJI", "Pria");
  Member("MJ-94000-1", "NJ-94000.10000", "Pnt");
  Member("MJ-94001-2", "NJ-94000.10001", "Dkn");
  Member("MJ-94002-1", "NJ-94000.10002", "Pnt");
  Exec("insert into majelis_group(nimp,grup,username) values ('MJ-94002-1',88,'tst_reg'),('MJ-94000-1',88,'tst_reg'),"
       "('MJ-94001-2',87,'tst_reg')");
  FPrintGroupMajelis->FormActivate(FPrintGroupMajelis);
  auto& items = FPrintGroupMajelis->ComboBox1->Items();
  ASSERT_GE(items.IndexOf("88"), 0);
  EXPECT_LT(items.IndexOf("87"), items.IndexOf("88"));

  FPrintGroupMajelis->RadioButton2->SetChecked(true);
  FPrintGroupMajelis->ComboBox1->SetItemIndex(items.IndexOf("88"));
  FPrintGroupMajelis->Button1->Click();
  ASSERT_EQ(previews.shown.size(), 1u);
  EXPECT_EQ(previews.reports[0], FQRGroupMajelis);
  const auto& page = previews.shown[0].Pages.at(0);
  EXPECT_EQ(page.Find("QRLabel9")->Text, "Cetak Berdasarkan : Group 88");
  EXPECT_EQ(page.Find("QRLabel4")->Text, "PEMBAGIAN KELOMPOK PELAYANAN MAJELIS");
  EXPECT_EQ(page.Texts("QRExpr1"), (std::vector<std::string>{"88"}));
  EXPECT_EQ(page.Texts("QRDBText1"), (std::vector<std::string>{"MJ-94000-1", "MJ-94002-1"}));
  EXPECT_EQ(page.Texts("QRDBText3"), (std::vector<std::string>{"FRANS UJI", "HANS UJI"}));
  EXPECT_EQ(page.Texts("QRDBText5"), (std::vector<std::string>{"3", "3"}));
  // The column titles follow each group heading, the rows follow them.
  EXPECT_LT(page.Find("QRExpr1")->Rect.Top, page.Find("QRLabel6")->Rect.Top);
  EXPECT_LT(page.Find("QRLabel6")->Rect.Top, page.Find("QRDBText1")->Rect.Top);

  FPrintGroupMajelis->RadioButton2->SetChecked(false);
  FPrintGroupMajelis->RadioButton1->SetChecked(true);
  FPrintGroupMajelis->Button1->Click();
  ASSERT_EQ(previews.shown.size(), 2u);
  std::vector<std::string> headings, rows;
  for (const auto& p : previews.shown[1].Pages) {
    for (auto& t : p.Texts("QRExpr1")) headings.push_back(t);
    for (auto& t : p.Texts("QRDBText1")) rows.push_back(t);
  }
  EXPECT_EQ(previews.shown[1].Pages.at(0).Find("QRLabel9")->Text, "Cetak Berdasarkan : Semua Group");
  auto at = [](const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) - v.begin();
  };
  ASSERT_LT(at(headings, "87"), static_cast<long>(headings.size()));
  EXPECT_EQ(at(headings, "88"), at(headings, "87") + 1);
  EXPECT_EQ(at(rows, "MJ-94000-1"), at(rows, "MJ-94001-2") + 1);
  EXPECT_EQ(at(rows, "MJ-94002-1"), at(rows, "MJ-94001-2") + 2);
}

}  // namespace

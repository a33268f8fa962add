// The sector and thanksgiving services in process against the real database: the save
// of each kind (its numbers, what each field stores), the busy cursor and waiting text
// given back however a save ends, a validated sector service opened only with its
// coordinator's PIN (a thanksgiving service without one), the coordinator taken from
// the chosen sector, the searches' filters and delete, and the printed forms.
#include <gtest/gtest.h>

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/UCariNIJ.h"
#include "registry/UCariNIM.h"
#include "rtl/FormatNumber.h"
#include "rtl/SysUtils.h"
#include "shell/Upantra.h"
#include "tests/report/PageChecks.h"
#include "tests/worship/WorshipTestSupport.h"
#include "worship/QRRepIbadahSektor.h"
#include "worship/QRRepIbadahSyukur.h"
#include "worship/UCariIbadahSektor.h"
#include "worship/UCariIbadahSyukur.h"
#include "worship/UIbadahSektor.h"
#include "worship/UIbadahSyukur.h"
#include "worship/UValidasiIbadah.h"

using namespace gui;
using namespace worship;

namespace {

class HostServices : public worshiptest::WorshipFixture {
 protected:
  void SetUp() override {
    WorshipFixture::SetUp();
    Make(registry::FCariNIM);
    Make(registry::FCariNIJ);
    Make(FValidasiIbadah);
    Make(FIbadahSektor);
    Make(FCariIbadahSektor);
    Make(FQRRepIbadahSektor);
    Make(FIbadahSyukur);
    Make(FCariIbadahSyukur);
    Make(FQRRepIbadahSyukur);
    Clean();
    MakeFamily("NK-93100", "KELUARGA SEKTOR");
    Member("NK-93100", "NJ-93100.10000", "ZHS ANDREAS", "3");
    Member("NK-93100", "NJ-93100.10001", "ZHS BERTA", "3");
    Member("NK-93100", "NJ-93100.10002", "ZHS CORNELIS", "5");
    Council("MJ-93100-1", "NJ-93100.10000", "Pnt", "'abc12'");
    Council("MJ-93101-2", "NJ-93100.10001", "Dkn", "'1234'");
    Screen->SetCursor(crDefault);
  }
  void TearDown() override {
    Clean();
    Screen->SetCursor(crDefault);
    WorshipFixture::TearDown();
  }
  void Clean() {
    Exec("drop trigger if exists tst_host_fail");
    for (const char* t : {"ibadah_sektor", "ibadah_syukur"}) Exec(std::string("delete from ") + t);
    Exec("delete from majelis where nij like 'NJ-93100.%'");
    Exec("delete from detail_kk where nik='NK-93100'");
    Exec("delete from header_kk where nik='NK-93100'");
  }
  THostServiceForm& Open(THostServiceForm* f) {
    f->Show();
    f->Activate();
    return *f;
  }
  THostServiceSearch& Search(THostServiceSearch* s) {
    s->Show();
    s->Activate();
    return *s;
  }
  std::string Status(THostServiceForm& f) { return f.StatusBar1->Panels()[0]->Text(); }
};

TEST_F(HostServices, SectorSaveStoresEachFieldAndNumbersFollowTheLastStoredService) {
  const std::string today = rtl::FormatDateTime("ddmmyyyy", rtl::Now());
  THostServiceForm& f = Open(FIbadahSektor);
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");
  EXPECT_EQ(rtl::FormatDateTime("hh:nn", f.DateTimePicker2->DateTime()), "19:00");
  EXPECT_EQ(f.Edit14->Text(), "0");
  EXPECT_TRUE(f.Edit7->ReadOnly());

  kit::SelectExact(*f.ComboBox1, "3");
  kit::SelectExact(*f.ComboBox2, "Presbiter");
  f.ComboBox2Change(nullptr);
  EXPECT_EQ(f.Edit2->Text(), "Presbiter");
  EXPECT_EQ(f.Edit3->Text(), "PRESBITER");  // the name input writes capitals
  EXPECT_FALSE(f.SpeedButton1->Enabled());
  kit::SelectExact(*f.ComboBox3, "Eksternal");
  f.ComboBox3Change(nullptr);
  EXPECT_EQ(f.Edit6->Text(), "Eksternal");
  EXPECT_FALSE(f.Edit7->ReadOnly());
  f.Edit7->SetText("Tamu dari luar");
  f.Edit4->SetText("Mazmur 23");
  f.Edit5->SetText("Gembala yang baik");
  f.Edit8->SetText("[MJ-93100-1]ZHS ANDREAS");
  f.Edit10->SetText("150000");
  f.Edit11->SetText("2500.5");
  f.Edit14->SetText("27");
  f.Memo1->SetText("Lancar");
  f.Edit12->SetText("NJ-93100.10001");  // a coordinator of sector 3
  EXPECT_EQ(f.Edit13->Text(), "ZHS BERTA");

  // While the save runs the cursor is busy and the status says so; afterwards neither.
  std::string during;
  dialogs.onShow = [&](const TMessageRequest&) {
    during = f.StatusBar1->Panels()[0]->Text() + (Screen->Cursor() == crHourGlass ? "|busy" : "|normal");
  };
  f.SpeedButton6->Click();
  dialogs.onShow = nullptr;
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Sektor berhasil di-input");
  EXPECT_EQ(during, "Update Data...Mohon Menunggu|busy");
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(Status(f), "");
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");
  EXPECT_EQ(Rows("select kode,jam,sekpel,tuan_rumah,nama_tuan_rumah,ayat,tema_kotbah,pf,nama_pf,liturgos,pkt,"
                 "kolekte,syukur,jml_jemaat,keterangan,validasi,sts_pf,username from ibadah_sektor"),
            "IS-" + today +
                "-10000,19:00:00,3,Presbiter,PRESBITER,Mazmur 23,Gembala yang baik,Eksternal,TAMU DARI LUAR,"
                "MJ-93100-1,,150000,2500.5,27,Lancar,NJ-93100.10001,Eksternal,tst_reg;");

  // Several on one day; then the last stored row decides, whatever its date.
  f.SpeedButton6->Click();
  Exec("insert into ibadah_sektor(kode) values ('IS-31122030-10010')");
  f.SpeedButton6->Click();
  EXPECT_EQ(Rows("select kode from ibadah_sektor order by id"),
            "IS-" + today + "-10000;IS-" + today + "-10001;IS-31122030-10010;IS-" + today + "-10011;");
  // The thanksgiving services have their own series.
  THostServiceForm& g = Open(FIbadahSyukur);
  g.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Syukur berhasil di-input");
  EXPECT_EQ(Rows("select kode,tuan_rumah,judul_ibadah,jml_jemaat from ibadah_syukur"),
            "IY-" + today + "-10000,Pendeta,Ulang Tahun Kelahiran,0;");
}

// A save that fails, for whatever reason, gives back the normal cursor and an empty
// status, writes nothing and leaves the window on a new service.
TEST_F(HostServices, AFailedSaveGivesBackTheCursorAndTheStatusOnEveryPath) {
  struct Failure {
    const char* what;
    std::function<void(THostServiceForm&)> set;
    bool refused;  // an error box rather than an exception
  };
  const Failure failures[] = {
      {"amount", [](THostServiceForm& f) { f.Edit10->SetText("15O000"); }, false},
      {"empty amount", [](THostServiceForm& f) { f.Edit11->SetText(""); }, false},
      {"attendance", [](THostServiceForm& f) { f.Attendance().SetText("12.5"); }, false},
      {"counter", [this](THostServiceForm& f) {
         Exec("insert into " + std::string(f.Kind().table) + "(kode) values ('" + f.Kind().prefix +
              "-01012030-99999')");
       }, true},
      {"database", [this](THostServiceForm& f) {
         Exec("create trigger tst_host_fail before insert on " + std::string(f.Kind().table) +
              " for each row signal sqlstate '45000' set message_text='tst_host_fail'");
       }, false},
  };
  for (THostServiceForm* form : {static_cast<THostServiceForm*>(FIbadahSektor),
                                 static_cast<THostServiceForm*>(FIbadahSyukur)}) {
    for (const Failure& failure : failures) {
      SCOPED_TRACE(std::string(form->Kind().table) + ": " + failure.what);
      THostServiceForm& f = Open(form);
      failure.set(f);
      dialogs.shown.clear();
      if (failure.refused) {
        f.SpeedButton6->Click();
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
      } else {
        EXPECT_ANY_THROW(f.SpeedButton6->Click());
        EXPECT_TRUE(dialogs.shown.empty());
      }
      EXPECT_EQ(Screen->Cursor(), crDefault);
      EXPECT_EQ(Status(f), "");
      EXPECT_EQ(f.Edit1->Text(), "[Auto]");
      Exec("drop trigger if exists tst_host_fail");
      EXPECT_EQ(Value("select count(*) from " + std::string(f.Kind().table) + " where kode not like '%-99999'"),
                "0");
      Exec("delete from " + std::string(f.Kind().table));
    }
  }
}

TEST_F(HostServices, AValidatedSectorServiceOpensOnlyWithItsCoordinatorsPin) {
  Exec("insert into ibadah_sektor(kode,tgl,jam,sekpel,tuan_rumah,nama_tuan_rumah,ayat,tema_kotbah,pf,nama_pf,"
       "liturgos,pkt,kolekte,syukur,jml_jemaat,keterangan,validasi,sts_pf) values "
       "('IS-01012026-10000','2026-01-07','18:30:00','3','NIP-10001','PDT TUAN RUMAH','Yoh 3','Kasih','MJ-93101-2',"
       "'ZHS BERTA','MJ-93101-2','','250000','0',31,'Baik','NJ-93100.10000','Majelis'),"
       "('IS-01012026-10001','2026-01-14','19:00:00','5','NJ-93100.10002','ZHS CORNELIS','','','','','','',0,0,"
       "5,'','NJ-93100.10002','Pendeta'),"
       "('IS-01012026-10002','2026-01-21','19:00:00','10','NJ-93100.10001','ZHS BERTA','','','','','','',0,0,"
       "8,'','','Vikaris')");
  THostServiceForm& f = Open(FIbadahSektor);
  THostServiceSearch& s = Search(FCariIbadahSektor);
  app::DM->Q3->First();

  // Cancel leaves everything as it was.
  WhileShown(FValidasiIbadah, [&] { FValidasiIbadah->Button2->Click(); });
  s.DBGrid1DblClick(nullptr);
  EXPECT_TRUE(s.Showing());
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");
  // The coordinator's PIN, not another council member's.
  WhileShown(FValidasiIbadah, [&] {
    EXPECT_EQ(FValidasiIbadah->Label5->Caption(), "Pnt. ZHS ANDREAS");
    FValidasiIbadah->Edit1->SetText("1234");
    FValidasiIbadah->Button1->Click();
    EXPECT_EQ(dialogs.shown.back().Text, "Maaf...PIN anda salah!");
    EXPECT_EQ(f.Edit1->Text(), "[Auto]");
    FValidasiIbadah->Edit1->SetText("abc12");
    FValidasiIbadah->Button1->Click();
  });
  s.DBGrid1DblClick(nullptr);
  EXPECT_FALSE(s.Showing());
  EXPECT_EQ(f.Edit1->Text(), "IS-01012026-10000");
  EXPECT_EQ(kit::Chosen(*f.ComboBox1), "3");
  EXPECT_EQ(kit::Chosen(*f.ComboBox2), "Pendeta");
  EXPECT_EQ(f.Edit2->Text(), "NIP-10001");
  EXPECT_EQ(kit::Chosen(*f.ComboBox3), "Majelis");
  EXPECT_EQ(f.Edit8->Text(), "[MJ-93101-2]ZHS BERTA");
  EXPECT_EQ(f.Edit9->Text(), "");
  EXPECT_EQ(f.Edit10->Text(), "250000");
  EXPECT_EQ(f.Edit14->Text(), "31");
  EXPECT_EQ(rtl::FormatDateTime("hh:nn", f.DateTimePicker2->DateTime()), "18:30");
  EXPECT_EQ(f.Edit12->Text(), "NJ-93100.10000");
  EXPECT_EQ(f.Edit13->Text(), "ZHS ANDREAS");
  // Saved unchanged it keeps its number, its council numbers and its validation; the
  // time stays for the next new service.
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Sektor berhasil di-ubah");
  EXPECT_EQ(Rows("select jam,liturgos,pkt,validasi,jml_jemaat from ibadah_sektor where kode='IS-01012026-10000'"),
            "18:30:00,MJ-93101-2,,NJ-93100.10000,31;");
  EXPECT_EQ(rtl::FormatDateTime("hh:nn", f.DateTimePicker2->DateTime()), "18:30");
  EXPECT_EQ(Value("select count(*) from ibadah_sektor"), "3");

  // A coordinator who is no council member has no PIN: no PIN opens that service.
  Search(FCariIbadahSektor);
  app::DM->Q3->First();
  app::DM->Q3->Next();
  for (const char* pin : {"", "abc12", "1234"}) {
    WhileShown(FValidasiIbadah, [&] {
      EXPECT_EQ(FValidasiIbadah->Label5->Caption(), ". ");
      FValidasiIbadah->Edit1->SetText(pin);
      FValidasiIbadah->Button1->Click();
      EXPECT_EQ(dialogs.shown.back().Text, "Maaf...PIN anda salah!");
      FValidasiIbadah->Button2->Click();
    });
    s.DBGrid1DblClick(nullptr);
    EXPECT_TRUE(s.Showing());
  }
  // A service without a coordinator opens at once; a member host reopens as "Jemaat".
  app::DM->Q3->Last();
  s.DBGrid1DblClick(nullptr);
  EXPECT_FALSE(s.Showing());
  EXPECT_EQ(f.Edit1->Text(), "IS-01012026-10002");
  EXPECT_EQ(kit::Chosen(*f.ComboBox1), "10");
  EXPECT_EQ(kit::Chosen(*f.ComboBox2), "Jemaat");
  EXPECT_EQ(f.Edit8->Text(), "");
  f.SpeedButton6->Click();
  EXPECT_EQ(Rows("select liturgos,pkt,validasi from ibadah_sektor where kode='IS-01012026-10002'"), ",,;");
}

TEST_F(HostServices, TheCoordinatorComesFromTheChosenSectorAndTheDutyMemberFromAnywhere) {
  THostServiceForm& f = Open(FIbadahSektor);
  // Picked in the member lookup, which lists only the chosen sector's members.
  kit::SelectExact(*f.ComboBox1, "3");
  WhileShown(registry::FCariNIJ, [&] {
    registry::FCariNIJ->Edit1->SetText("ZHS");
    EXPECT_EQ(app::DM->Q4->RecordCount(), 2);
    registry::FCariNIJ->Edit1->SetText("ZHS BERTA");
    registry::FCariNIJ->Button1->Click();
  });
  f.SpeedButton4->Click();
  EXPECT_EQ(f.Edit12->Text(), "NJ-93100.10001");
  EXPECT_EQ(f.Edit13->Text(), "ZHS BERTA");
  EXPECT_FALSE(f.SpeedButton4->Flat());
  // The liturgist from the council-member lookup, shown with the name.
  WhileShown(registry::FCariNIM, [&] {
    registry::FCariNIM->Edit1->SetText("ZHS ANDREAS");
    registry::FCariNIM->Button1->Click();
  });
  f.SpeedButton2->Click();
  EXPECT_EQ(f.Edit8->Text(), "[MJ-93100-1]ZHS ANDREAS");
  // Typed in, a member of another sector is not taken as the coordinator.
  f.Activate();
  kit::SelectExact(*f.ComboBox1, "3");
  f.Edit12->SetText("NJ-93100.10002");  // lives in sector 5
  EXPECT_EQ(f.Edit13->Text(), "");
  kit::SelectExact(*f.ComboBox1, "5");
  f.Edit12->SetText("");
  f.Edit12->SetText("NJ-93100.10002");
  EXPECT_EQ(f.Edit13->Text(), "ZHS CORNELIS");
  THostServiceForm& g = Open(FIbadahSyukur);
  g.Edit12->SetText("NJ-93100.10002");
  EXPECT_EQ(g.Edit13->Text(), "ZHS CORNELIS");
}

TEST_F(HostServices, AThanksgivingServiceReopensWithoutAPinAndKeepsItsHostKind) {
  Exec("insert into ibadah_syukur(kode,tgl,jam,sekpel,tuan_rumah,nij,nama_tuan_rumah,ayat,judul_ibadah,pf,nama_pf,"
       "liturgos,pkt,kolekte,syukur,keterangan,validasi,sts_pf,jml_jemaat) values ('IY-01012026-10000','2026-02-01',"
       "'10:15:00','7','Mahasiswa Praktek','NIM-10003','MHS TUAN RUMAH','Rut 1','Masuk Rumah Baru','Eksternal',"
       "'TAMU','MJ-93100-1','MJ-93101-2',100000,5000,'','NJ-93100.10001','Eksternal',42)");
  THostServiceForm& f = Open(FIbadahSyukur);
  THostServiceSearch& s = Search(FCariIbadahSyukur);
  s.DBGrid1DblClick(nullptr);  // validated, yet no PIN is asked
  EXPECT_FALSE(s.Showing());
  EXPECT_EQ(f.Edit1->Text(), "IY-01012026-10000");
  EXPECT_EQ(kit::Chosen(*f.ComboBox2), "Mahasiswa Praktek");
  EXPECT_EQ(f.Edit2->Text(), "NIM-10003");
  EXPECT_EQ(kit::Chosen(*f.ComboBox4), "Masuk Rumah Baru");
  EXPECT_EQ(f.Edit8->Text(), "MJ-93100-1");
  EXPECT_EQ(f.Edit5->Text(), "42");
  EXPECT_EQ(f.Edit13->Text(), "ZHS BERTA");
  EXPECT_TRUE(f.Edit7->ReadOnly());
  // Another host kind keeps the picked number; the save stores the new kind with it.
  kit::SelectExact(*f.ComboBox2, "Jemaat");
  EXPECT_EQ(f.Edit2->Text(), "NIM-10003");
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Syukur berhasil di-ubah");
  EXPECT_EQ(Rows("select tuan_rumah,nij,jam,liturgos,pkt,jml_jemaat,judul_ibadah from ibadah_syukur"),
            "Jemaat,NIM-10003,10:15:00,MJ-93100-1,MJ-93101-2,42,Masuk Rumah Baru;");
}

TEST_F(HostServices, SearchesFilterAndDelete) {
  Exec("insert into ibadah_sektor(kode,tgl,sekpel,validasi) values ('IS-01012026-10000','2026-01-04','3',"
       "'NJ-93100.10000'),('IS-01012026-10001','2026-01-11','4',''),('IS-01012026-10002','2026-02-01','3','')");
  THostServiceSearch& s = Search(FCariIbadahSektor);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 3);
  EXPECT_FALSE(s.ComboBox1->Enabled());
  s.RadioButton1->SetChecked(true);
  EXPECT_EQ(s.StatusBar1->Panels()[0]->Text(), "Pencarian Berdasarkan : \"Tanggal\"");
  s.DateTimePicker1->SetDateTime(rtl::EncodeDate(2026, 1, 4));
  s.DateTimePicker2->SetDateTime(rtl::EncodeDate(2026, 1, 11));
  s.Button1Click(nullptr);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 2);  // both end days
  s.RadioButton2->SetChecked(true);
  EXPECT_EQ(s.StatusBar1->Panels()[0]->Text(), "Pencarian Berdasarkan : \"Sektor Pelayanan\"");
  EXPECT_TRUE(s.ComboBox1->Enabled());
  EXPECT_FALSE(s.DateTimePicker1->Enabled());
  kit::SelectExact(*s.ComboBox1, "3");
  s.Button1Click(nullptr);
  EXPECT_EQ(app::DM->Q3->RecordCount(), 2);
  // A validated service is deleted like any other; then the whole list again.
  app::DM->Q3->First();
  dialogs.answers.push_back(mrYes);
  s.Button2Click(nullptr);
  EXPECT_EQ(dialogs.shown.back().Text, "Apakah anda yakin record ini mau dihapus?");
  EXPECT_EQ(Rows("select kode from ibadah_sektor order by id"), "IS-01012026-10001;IS-01012026-10002;");
  EXPECT_EQ(app::DM->Q3->RecordCount(), 2);

  // The thanksgiving search by the whole occasion text.
  Exec("insert into ibadah_syukur(kode,tgl,judul_ibadah) values ('IY-01012026-10000','2026-01-04','Syukur Baptis'),"
       "('IY-01012026-10001','2026-01-05','Syukur Sidi')");
  THostServiceSearch& t = Search(FCariIbadahSyukur);
  t.RadioButton3->SetChecked(true);
  EXPECT_EQ(t.StatusBar1->Panels()[0]->Text(), "Pencarian Berdasarkan : \"Jenis Ibadah\"");
  EXPECT_TRUE(t.ComboBox2->Enabled());
  EXPECT_FALSE(t.ComboBox1->Enabled());
  kit::SelectExact(*t.ComboBox2, "Syukur Sidi");
  t.Button1Click(nullptr);
  ASSERT_EQ(app::DM->Q3->RecordCount(), 1);
  EXPECT_EQ(app::DM->Q3->FieldByName("kode")->AsString(), "IY-01012026-10001");
}

TEST_F(HostServices, PrintedFormsCarryTheServiceItsPeopleAmountsAndStatus) {
  Exec("delete from gereja");
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'GPIB JEMAAT IMMANUEL DEPOK','Jl. Pemuda No. 17, Depok')");
  Exec("insert into ibadah_sektor(kode,tgl,jam,sekpel,tuan_rumah,nama_tuan_rumah,ayat,tema_kotbah,pf,nama_pf,"
       "liturgos,pkt,kolekte,syukur,jml_jemaat,keterangan,validasi,sts_pf) values "
       "('IS-01012026-10000','2026-01-07','19:00:00','3','NJ-93100.10001','ZHS BERTA','Yohanes 3:16-21',"
       "'Kasih Allah bagi dunia','MJ-93101-2','ZHS BERTA','MJ-93100-1','MJ-99999-9',1500000,0,31,"
       "'Ibadah berjalan lancar dan khidmat.','NJ-93100.10000','Majelis')");
  Search(FCariIbadahSektor).Button5Click(nullptr);
  ASSERT_EQ(previews.shown.size(), 1u);
  const report::TReportPage& page = previews.shown[0].Pages.at(0);
  const char sep = rtl::DefaultNumberFormat().thousandSeparator;
  auto grouped = [sep](std::string s) {
    for (char& c : s)
      if (c == ',') c = sep;
    return s;
  };
  auto text = [](const report::TReportPage& p, const char* name) {
    auto t = p.Texts(name);
    return t.empty() ? std::string("(none)") : t[0];
  };
  EXPECT_EQ(text(page, "QRLabel4"), "IBADAH SEKTOR PELAYANAN");
  EXPECT_EQ(text(page, "QRLabel87"), "Form : REALISASI Ibadah");
  EXPECT_EQ(text(page, "QRLabel26"), "19:00:00");
  EXPECT_EQ(text(page, "QRLabel30"), "Dkn. ZHS BERTA");
  EXPECT_EQ(text(page, "QRLabel91"), "Kasih Allah bagi dunia");
  EXPECT_EQ(text(page, "QRLabel97"), "Pnt. ZHS ANDREAS");
  EXPECT_EQ(text(page, "QRLabel100"), ". ");  // no such council member
  EXPECT_EQ(text(page, "QRLabel33"), grouped("1,500,000"));
  EXPECT_EQ(text(page, "QRLabel34"), "");  // zero prints nothing
  EXPECT_EQ(text(page, "QRLabel65"), grouped("1,500,000"));
  EXPECT_EQ(text(page, "QRLabel59"), "ZHS ANDREAS");
  EXPECT_EQ(reptest::TextsRunningIntoOtherItems(previews.shown[0]), std::vector<std::string>{});

  Exec("insert into ibadah_syukur(kode,tgl,jam,sekpel,tuan_rumah,nij,nama_tuan_rumah,ayat,judul_ibadah,pf,nama_pf,"
       "liturgos,pkt,kolekte,syukur,keterangan,validasi,sts_pf,jml_jemaat) values ('IY-01012026-10000','2026-02-01',"
       "'10:15:00','7','Pendeta','NIP-10003','PDT TUAN RUMAH','Rut 1:16','Kenaikan Jabatan/Pangkat','NIM-1',"
       "'MAHASISWA PRAKTEK','MJ-93100-1','MJ-93101-2',100000,5250,'Syukur.','','Mahasiswa Praktek',42)");
  Search(FCariIbadahSyukur).Button5Click(nullptr);
  ASSERT_EQ(previews.shown.size(), 2u);
  const report::TReportPage& thanks = previews.shown[1].Pages.at(0);
  EXPECT_EQ(text(thanks, "QRLabel4"), "IBADAH PENGUCAPAN SYUKUR");
  EXPECT_EQ(text(thanks, "QRLabel87"), "Form : DRAFT Ibadah");
  EXPECT_EQ(text(thanks, "QRLabel28"), "Pendeta");
  EXPECT_EQ(text(thanks, "QRLabel94"), "PDT TUAN RUMAH");
  EXPECT_EQ(text(thanks, "QRLabel91"), "Kenaikan Jabatan/Pangkat");
  EXPECT_EQ(text(thanks, "QRLabel30"), "MAHASISWA PRAKTEK");
  EXPECT_EQ(text(thanks, "QRLabel100"), "Dkn. ZHS BERTA");
  EXPECT_EQ(text(thanks, "QRLabel65"), grouped("105,250"));
  EXPECT_EQ(text(thanks, "QRLabel59"), "");
  EXPECT_EQ(reptest::TextsRunningIntoOtherItems(previews.shown[1]), std::vector<std::string>{});
  Exec("delete from gereja");
}

TEST_F(HostServices, TheMainWindowsEntriesOpenBothWindowsOnANewService) {
  const std::pair<TMenuItem*, THostServiceForm*> entries[] = {{shell::FMenu->S5, FIbadahSektor},
                                                              {shell::FMenu->P14, FIbadahSyukur}};
  for (auto [item, form] : entries) {
    std::string seen;
    WhileShown(form, [&, form = form] {
      seen = form->Caption() + " " + form->Edit1->Text();
      form->SpeedButton9->Click();
    });
    item->Click();
    EXPECT_FALSE(form->Showing());
    EXPECT_EQ(seen, form == FIbadahSektor ? "Ibadah >> Ibadah Sektor [Auto]" : "Ibadah >> Ibadah Syukur [Auto]");
  }
}

TEST_F(HostServices, EveryLookupRowOfBothWindowsNamesTheirControls) {
  EXPECT_GE(CheckLookupRows({"FIbadahSektor", "FIbadahSyukur"}), 15);
}

}  // namespace

// The category-group services in process against the real database: the lines edited
// in the work table with totals that always equal the listed lines, the save and its
// round trip (a reopened service changed and saved again stores exactly its listed
// lines, with its row, in one transaction), the search with one row per line, the
// printed form of a line and the main window's entry.
#include <gtest/gtest.h>

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/UCariNIJ.h"
#include "registry/UCariNIM.h"
#include "registry/UCariNIP.h"
#include "rtl/FormatNumber.h"
#include "rtl/SysUtils.h"
#include "shell/Upantra.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/report/PageChecks.h"
#include "tests/worship/WorshipTestSupport.h"
#include "worship/QRRepIbadahPelkat.h"
#include "worship/UCariIbadahPelkat.h"
#include "worship/UIbadahPelkat.h"

using namespace gui;
using namespace worship;

namespace {

struct TLine {
  const char* area;
  const char* place;
  const char* klass;
  const char* host;
  const char* preacher;
  const char* kolekte;
  const char* syukur;
  const char* attendance = "12";
};

class PelkatServices : public worshiptest::WorshipFixture {
 protected:
  void SetUp() override {
    WorshipFixture::SetUp();
    Make(registry::FCariNIJ);
    Make(registry::FCariNIM);
    Make(registry::FCariNIP);
    Make(FIbadahPelkat);
    Make(FCariIbadahPelkat);
    Make(FQRRepIbadahPelkat);
    Clean();
    MakeFamily("NK-93200", "KELUARGA PELKAT");
    Member("NK-93200", "NJ-93200.10000", "ZPK ANDREAS", "2");
    Member("NK-93200", "NJ-93200.10001", "ZPK BERTA", "4");
    Council("MJ-93200-1", "NJ-93200.10000", "Pnt", "'1111'");
    Screen->SetCursor(crDefault);
  }
  void TearDown() override {
    Clean();
    Screen->SetCursor(crDefault);
    WorshipFixture::TearDown();
  }
  void Clean() {
    Exec("drop trigger if exists tst_pelkat_fail");
    for (const char* t : {"ibadah_pelkat", "ibadah_pelkat_detail"}) Exec(std::string("delete from ") + t);
    Exec("delete from majelis where nij like 'NJ-93200.%'");
    Exec("delete from detail_kk where nik='NK-93200'");
    Exec("delete from header_kk where nik='NK-93200'");
  }
  TFIbadahPelkat& Open() {
    FIbadahPelkat->Show();
    FIbadahPelkat->Activate();
    return *FIbadahPelkat;
  }
  TFCariIbadahPelkat& Search() {
    FCariIbadahPelkat->Show();
    FCariIbadahPelkat->Activate();
    return *FCariIbadahPelkat;
  }
  // Types a line into the inputs and presses "Add".
  void Add(TFIbadahPelkat& f, const TLine& l) {
    kit::SelectExact(*f.ComboBox2, l.area);
    kit::SelectExact(*f.ComboBox6, l.place);
    kit::SelectExact(*f.ComboBox5, l.klass);
    f.Edit4->SetText("NJ-93200.10001");
    f.Edit5->SetText(l.host);
    kit::SelectExact(*f.ComboBox3, "Pendeta");
    f.Edit7->SetText("NIP-10001");
    f.Edit8->SetText(l.preacher);
    f.Edit9->SetText("NJ-93200.10000");
    f.Edit13->SetText("ZPK ANDREAS");
    f.Edit10->SetText("NJ-93200.10001");
    f.Edit14->SetText("ZPK BERTA");
    f.Edit11->SetText(l.kolekte);
    f.Edit12->SetText(l.syukur);
    f.Edit15->SetText(l.attendance);
    f.Button1->Click();
  }
  data::TZConnection* Program() { return app::DM->ZConnection1; }
  // The work lines as "area/place/class host kolekte+syukur;", in the order added.
  std::string WorkLines() {
    return Rows("select concat(wilayah,'/',tempat,'/',kelas,' ',nama_tuan_rumah,' ',kolekte,'+',syukur) "
                "from ibadah_pelkat_detail_temp order by id",
                Program());
  }
  std::string StoredLines(const std::string& kode) {
    return Rows("select concat(wilayah,'/',tempat,'/',kelas,' ',nama_tuan_rumah,' ',kolekte,'+',syukur) "
                "from ibadah_pelkat_detail where kode='" + kode + "' order by id");
  }
  // The totals the window holds and shows, and the sums of the listed lines.
  void ExpectTotalsOfTheListedLines(TFIbadahPelkat& f) {
    const std::string sums = Rows("select coalesce(sum(kolekte),0),coalesce(sum(syukur),0) from "
                                  "ibadah_pelkat_detail_temp", Program());
    EXPECT_EQ(rtl::FloatToStr(f.TotalKolekte()) + "," + rtl::FloatToStr(f.TotalSyukur()) + ";", sums);
    EXPECT_EQ(f.Label19->Caption(), rtl::FormatFloat("#,###", f.TotalKolekte()));
    EXPECT_EQ(f.Label21->Caption(), rtl::FormatFloat("#,###", f.TotalSyukur()));
    EXPECT_EQ(app::DM->QTemp2->RecordCount(), std::stoi(Value("select count(*) from ibadah_pelkat_detail_temp",
                                                             Program())));
  }
  std::string Value(const std::string& sql, data::TZConnection* on = nullptr) {
    const std::string r = Rows(sql, on);
    return r.empty() ? r : r.substr(0, r.size() - 1);
  }
};

TEST_F(PelkatServices, LinesAddedChangedAndRemovedKeepTheTotalsOfTheListedLines) {
  TFIbadahPelkat& f = Open();
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");
  EXPECT_EQ(kit::Chosen(*f.ComboBox1), "PA");
  EXPECT_EQ(f.ComboBox5->Items().Count(), 5);
  EXPECT_EQ(kit::Chosen(*f.ComboBox5), "TK");
  EXPECT_EQ(f.Memo1->Text(), "Evaluasi Ibadah");
  EXPECT_EQ(f.Label19->Caption(), "0");
  EXPECT_TRUE(f.Edit8->ReadOnly());

  // A line without a name is refused and nothing is listed.
  f.Button1->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Maaf...Silahkan lengkapi dahulu DATA yang mau di-input");
  EXPECT_EQ(WorkLines(), "");

  f.Edit6->SetText("Mazmur 1");
  Add(f, {"Gabung", "Gereja", "TK", "ZPK BERTA", "PDT SATU", "150000", "25000"});
  f.Edit6->SetText("Mazmur 2");
  Add(f, {"Utara", "Rumah", "Kecil A", "ZPK BERTA", "PDT DUA", "70000", "5000"});
  EXPECT_EQ(WorkLines(), "Gabung/Gereja/TK ZPK BERTA 150000+25000;Utara/Rumah/Kecil A ZPK BERTA 70000+5000;");
  // Each line keeps the reading that was there when it was added.
  EXPECT_EQ(Rows("select ayat from ibadah_pelkat_detail_temp order by id", Program()), "Mazmur 1;Mazmur 2;");
  EXPECT_DOUBLE_EQ(f.TotalKolekte(), 220000);
  ExpectTotalsOfTheListedLines(f);

  // The same area, place and class changes that line instead of adding one.
  dialogs.shown.clear();
  Add(f, {"Gabung", "Gereja", "TK", "ZPK ANDREAS", "PDT TIGA", "100000", "0"});
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].Text,
            "Ibadah di Wilayah : Gabung dan Tempat : Gereja dan Kelas : TK sudah ada. Perubahan akan dilakukan");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  EXPECT_EQ(dialogs.shown[1].Text, "Tuan Rumah di Wilayah: Gabung sudah di-ubah");
  EXPECT_EQ(WorkLines(), "Gabung/Gereja/TK ZPK ANDREAS 100000+0;Utara/Rumah/Kecil A ZPK BERTA 70000+5000;");
  EXPECT_DOUBLE_EQ(f.TotalKolekte(), 170000);
  ExpectTotalsOfTheListedLines(f);

  // An amount that does not convert writes nothing.
  f.Edit11->SetText("");
  kit::SelectExact(*f.ComboBox2, "Selatan");
  EXPECT_ANY_THROW(f.Button1Click(nullptr));
  EXPECT_EQ(Value("select count(*) from ibadah_pelkat_detail_temp", Program()), "2");

  // Picked back from the grid, a line shows its values; removing the selected line
  // takes it out of the totals.
  app::DM->QTemp2->Last();
  f.DBGrid1DblClick(nullptr);
  EXPECT_EQ(kit::Chosen(*f.ComboBox2), "Utara");
  EXPECT_EQ(kit::Chosen(*f.ComboBox5), "Kecil A");
  EXPECT_EQ(f.Edit11->Text(), "70000");
  EXPECT_EQ(f.Edit6->Text(), "Mazmur 2");
  dialogs.answers.push_back(mrNo);
  f.Button2Click(nullptr);
  EXPECT_EQ(dialogs.shown.back().Text, "Anda yakin mau batalkan record ini ?");
  EXPECT_EQ(Value("select count(*) from ibadah_pelkat_detail_temp", Program()), "2");
  app::DM->QTemp2->Last();
  dialogs.answers.push_back(mrYes);
  f.Button2Click(nullptr);
  EXPECT_EQ(WorkLines(), "Gabung/Gereja/TK ZPK ANDREAS 100000+0;");
  ExpectTotalsOfTheListedLines(f);
  EXPECT_EQ(f.Label21->Caption(), "");  // zero shows nothing

  // Another category refills the classes; the listed line keeps its class.
  kit::SelectExact(*f.ComboBox1, "GP");
  f.ComboBox1Change(nullptr);
  EXPECT_EQ(f.ComboBox5->Items().Count(), 1);
  EXPECT_EQ(kit::Chosen(*f.ComboBox5), "GP");
  EXPECT_EQ(Rows("select kelas from ibadah_pelkat_detail_temp", Program()), "TK;");
  // A board member as host; an external preacher typed in.
  kit::SelectExact(*f.ComboBox4, "Pengurus");
  f.ComboBox4Change(nullptr);
  EXPECT_EQ(f.Edit4->Text(), "Pengurus");
  EXPECT_EQ(f.Edit5->Text(), "PENGURUS");
  EXPECT_FALSE(f.SpeedButton1->Enabled());
  kit::SelectExact(*f.ComboBox3, "Eksternal");
  f.ComboBox3Change(nullptr);
  EXPECT_EQ(f.Edit7->Text(), "Eksternal");
  EXPECT_FALSE(f.Edit8->ReadOnly());
  EXPECT_FALSE(f.SpeedButton2->Enabled());

  // The reset empties the list and the totals and gives the lookups back.
  f.SpeedButton8->Click();
  EXPECT_EQ(WorkLines(), "");
  EXPECT_EQ(f.Label19->Caption(), "0");
  EXPECT_DOUBLE_EQ(f.TotalKolekte(), 0);
  EXPECT_TRUE(f.SpeedButton1->Enabled());
  EXPECT_TRUE(f.SpeedButton2->Enabled());
  EXPECT_TRUE(f.Edit8->ReadOnly());
}

TEST_F(PelkatServices, AReopenedServiceSavedAgainStoresExactlyItsListedLines) {
  const std::string today = rtl::FormatDateTime("ddmmyyyy", rtl::Now());
  const std::string first = "IP-" + today + "-10000";
  TFIbadahPelkat& f = Open();
  kit::SelectExact(*f.ComboBox1, "PT");
  f.ComboBox1Change(nullptr);
  f.Edit2->SetText("NJ-93200.10000");
  Add(f, {"Gabung", "Gereja", "Eka Junior", "ZPK BERTA", "PDT SATU", "100000", "10000"});
  Add(f, {"Utara", "POS", "Dwi", "ZPK BERTA", "PDT DUA", "50000", "2000"});
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Pelkat berhasil di-input");
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");
  EXPECT_EQ(WorkLines(), "");
  EXPECT_EQ(Rows("select kode,pelkat,validasi,total_kolekte,total_syukur,username from ibadah_pelkat"),
            first + ",PT,NJ-93200.10000,150000,12000,tst_reg;");
  EXPECT_EQ(StoredLines(first), "Gabung/Gereja/Eka Junior ZPK BERTA 100000+10000;Utara/POS/Dwi ZPK BERTA 50000+2000;");

  // Reopened from the search: its lines listed, its stored totals shown.
  TFCariIbadahPelkat& s = Search();
  EXPECT_EQ(app::DM->Q3->RecordCount(), 2);
  s.DBGrid1DblClick(nullptr);
  EXPECT_FALSE(s.Showing());
  EXPECT_EQ(f.Edit1->Text(), first);
  EXPECT_EQ(kit::Chosen(*f.ComboBox1), "PT");
  EXPECT_EQ(kit::Chosen(*f.ComboBox5), "Eka Junior");  // the classes of the reopened category
  EXPECT_EQ(f.Edit3->Text(), "ZPK ANDREAS");
  EXPECT_EQ(WorkLines(), "Gabung/Gereja/Eka Junior ZPK BERTA 100000+10000;Utara/POS/Dwi ZPK BERTA 50000+2000;");
  EXPECT_DOUBLE_EQ(f.TotalKolekte(), 150000);
  ExpectTotalsOfTheListedLines(f);

  // One line changed, one removed, one added: the stored lines become the listed ones,
  // and the stored totals theirs.
  Add(f, {"Gabung", "Gereja", "Eka Junior", "ZPK ANDREAS", "PDT SATU", "120000", "10000"});
  app::DM->QTemp2->Last();
  dialogs.answers.push_back(mrYes);
  f.Button2Click(nullptr);
  Add(f, {"Selatan", "Rumah", "Eka Senior", "ZPK BERTA", "PDT EMPAT", "30000", "3000"});
  f.SpeedButton6->Click();
  EXPECT_EQ(dialogs.shown.back().Text, "Data Ibadah Pelkat berhasil di-ubah");
  EXPECT_EQ(StoredLines(first),
            "Gabung/Gereja/Eka Junior ZPK ANDREAS 120000+10000;Selatan/Rumah/Eka Senior ZPK BERTA 30000+3000;");
  EXPECT_EQ(Rows("select count(*),total_kolekte,total_syukur from ibadah_pelkat"), "1,150000,13000;");
  EXPECT_EQ(Rows("select sum(kolekte),sum(syukur) from ibadah_pelkat_detail"), "150000,13000;");

  // Every line removed: the service stays, without lines and with totals 0.
  Search().DBGrid1DblClick(nullptr);
  for (int i = 0; i < 2; ++i) {
    dialogs.answers.push_back(mrYes);
    f.Button2Click(nullptr);
  }
  f.SpeedButton6->Click();
  EXPECT_EQ(StoredLines(first), "");
  EXPECT_EQ(Rows("select total_kolekte,total_syukur from ibadah_pelkat"), "0,0;");
  // The next new service takes the next number.
  Add(f, {"Gabung", "Gereja", "TK", "ZPK BERTA", "PDT SATU", "1", "1"});
  f.SpeedButton6->Click();
  EXPECT_EQ(Rows("select kode from ibadah_pelkat order by id"), first + ";IP-" + today + "-10001;");
}

// A save that fails halfway leaves the stored service and its lines as they were; a
// counter past its digits is refused before anything is written.
TEST_F(PelkatServices, TheServiceAndItsLinesAreStoredTogetherOrNotAtAll) {
  Exec("insert into ibadah_pelkat(kode,tgl,pelkat,total_kolekte,total_syukur) values "
       "('IP-01012026-10000','2026-01-04','PA',5000,0)");
  Exec("insert into ibadah_pelkat_detail(kode,wilayah,tempat,kelas,nama_tuan_rumah,kolekte,syukur) values "
       "('IP-01012026-10000','Gabung','Gereja','TK','LAMA',5000,0)");
  Exec("create trigger tst_pelkat_fail before insert on ibadah_pelkat_detail for each row begin "
       "if new.nama_tuan_rumah='GAGAL' then signal sqlstate '45000' set message_text='tst_pelkat_fail'; end if; end");
  TFIbadahPelkat& f = Open();
  Add(f, {"Gabung", "Gereja", "TK", "GAGAL", "PDT SATU", "7000", "0"});
  EXPECT_ANY_THROW(f.SpeedButton6Click(nullptr));
  EXPECT_EQ(f.Edit1->Text(), "[Auto]");
  EXPECT_EQ(Value("select count(*) from ibadah_pelkat"), "1");

  Search().DBGrid1DblClick(nullptr);
  EXPECT_EQ(f.Edit1->Text(), "IP-01012026-10000");
  Add(f, {"Utara", "Gereja", "TK", "GAGAL", "PDT SATU", "9000", "0"});
  EXPECT_ANY_THROW(f.SpeedButton6Click(nullptr));
  EXPECT_EQ(Rows("select total_kolekte from ibadah_pelkat"), "5000;");
  EXPECT_EQ(StoredLines("IP-01012026-10000"), "Gabung/Gereja/TK LAMA 5000+0;");

  Exec("drop trigger tst_pelkat_fail");
  Exec("insert into ibadah_pelkat(kode) values ('IP-01012030-99999')");
  f.SpeedButton8Click(nullptr);
  Add(f, {"Gabung", "Gereja", "TK", "BARU", "PDT SATU", "1", "0"});
  dialogs.shown.clear();
  f.SpeedButton6Click(nullptr);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
  EXPECT_EQ(Value("select count(*) from ibadah_pelkat"), "2");
  EXPECT_EQ(Value("select count(*) from ibadah_pelkat_detail"), "1");
}

TEST_F(PelkatServices, TheSearchListsOneRowPerLineAndDeletesAWholeService) {
  Exec("insert into ibadah_pelkat(kode,tgl,jam,pelkat,validasi,total_kolekte,total_syukur) values "
       "('IP-01012026-10000','2026-01-11','10:00:00','PT','',0,0),"
       "('IP-01012026-10001','2026-01-04','09:00:00','PA','NJ-93200.10000',0,0),"
       "('IP-01012026-10002','2026-02-01','09:00:00','GP','',0,0)");
  Exec("insert into ibadah_pelkat_detail(kode,wilayah,tempat,kelas,nama_tuan_rumah,kolekte,syukur) values "
       "('IP-01012026-10000','Utara','Rumah','Dwi','ZPK BERTA',1,1),"
       "('IP-01012026-10001','Utara','Gereja','TK','ZPK ANDREAS',1,1),"
       "('IP-01012026-10001','Gabung','POS','Kecil A','ZPK BERTA',1,1),"
       "('IP-01012026-10001','Selatan','Rumah','Kecil B','TAMU',1,1)");
  TFCariIbadahPelkat& s = Search();
  // Ordered by date, category and area; a service without lines is not listed.
  auto listed = [] {
    std::string out;
    data::TZQuery& q = *app::DM->Q3;
    for (q.First(); !q.Eof(); q.Next())
      out += q.FieldByName("kode")->AsString().substr(12) + " " + q.FieldByName("wilayah")->AsString() + ";";
    return out;
  };
  EXPECT_EQ(listed(), "10001 Gabung;10001 Selatan;10001 Utara;10000 Utara;");
  EXPECT_FALSE(s.ComboBox1->Enabled());
  EXPECT_TRUE(s.Edit1->ReadOnly());

  struct Case {
    TRadioButton* criterion;
    std::function<void()> set;
    const char* status;
    const char* rows;
  };
  const Case cases[] = {
      {s.RadioButton1,
       [&] {
         s.DateTimePicker1->SetDateTime(rtl::EncodeDate(2026, 1, 4));
         s.DateTimePicker2->SetDateTime(rtl::EncodeDate(2026, 1, 4));
       },
       "Pencarian Berdasarkan : \"Tanggal\"", "10001 Gabung;10001 Selatan;10001 Utara;"},
      {s.RadioButton2,
       [&] {
         kit::SelectExact(*s.ComboBox1, "PA");
         kit::SelectExact(*s.ComboBox2, "Utara");
       },
       "Pencarian Berdasarkan : \"Pelayanan Kategorial dan Wilayah\"", "10001 Utara;"},
      {s.RadioButton3, [&] { s.Edit1->SetText("berta"); }, "Pencarian Berdasarkan : \"Nama Tuan Rumah\"",
       "10001 Gabung;10000 Utara;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    c.criterion->SetChecked(true);
    EXPECT_EQ(s.StatusBar1->Panels()[0]->Text(), c.status);
    c.set();
    s.Button1Click(nullptr);
    EXPECT_EQ(listed(), c.rows);
  }

  // "Hapus" on any line of a service deletes the service with every line.
  s.Button3Click(nullptr);
  app::DM->Q3->Last();
  app::DM->Q3->Prior();
  dialogs.answers.push_back(mrYes);
  s.Button2Click(nullptr);
  EXPECT_EQ(dialogs.shown.back().Text, "Apakah anda yakin record ini mau dihapus?");
  EXPECT_EQ(Rows("select kode from ibadah_pelkat order by id"), "IP-01012026-10000;IP-01012026-10002;");
  EXPECT_EQ(Rows("select kode from ibadah_pelkat_detail"), "IP-01012026-10000;");
  EXPECT_EQ(listed(), "10000 Utara;");
}

TEST_F(PelkatServices, ThePrintedFormShowsOneLineWithItsService) {
  Exec("delete from gereja");
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'GPIB JEMAAT IMMANUEL DEPOK','Jl. Pemuda No. 17, Depok')");
  Exec("insert into ibadah_pelkat(kode,tgl,jam,pelkat,validasi,total_kolekte,total_syukur) values "
       "('IP-01012026-10000','2026-01-11','16:00:00','PT','NJ-93200.10000',2500000,300000),"
       "('IP-01012026-10001','2026-01-12','16:00:00','PKLU','',0,0)");
  Exec("insert into ibadah_pelkat_detail(kode,wilayah,tuan_rumah,nama_tuan_rumah,ayat,sts_pf,pf,nama_pf,liturgos,"
       "nama_liturgos,pkt,nama_pkt,kolekte,syukur,keterangan,jml_jemaat,sts_tuan_rumah,tempat,kelas) values "
       "('IP-01012026-10000','Selatan','NJ-93200.10001','ZPK BERTA','Lukas 2:41-52','Majelis','MJ-93200-1',"
       "'ZPK ANDREAS','NJ-93200.10001','ZPK BERTA','NJ-93200.10000','ZPK ANDREAS',2500000,300000,"
       "'Teruna hadir dengan semangat.',48,'Anggota','Gereja','Eka Senior'),"
       "('IP-01012026-10001','Gabung','Pengurus','Pengurus','','Mahasiswa Praktek','NIM-1','MHS SATU','','',"
       "'','',0,0,'',3,'Pengurus','Rumah','PKLU')");
  TFCariIbadahPelkat& s = Search();
  app::DM->Q3->First();
  s.Button5Click(nullptr);
  ASSERT_EQ(previews.shown.size(), 1u);
  const report::TReportPage& page = previews.shown[0].Pages.at(0);
  const char sep = rtl::DefaultNumberFormat().thousandSeparator;
  auto grouped = [sep](std::string t) {
    for (char& c : t)
      if (c == ',') c = sep;
    return t;
  };
  auto text = [](const report::TReportPage& p, const char* name) {
    auto t = p.Texts(name);
    return t.empty() ? std::string("(none)") : t[0];
  };
  const std::pair<const char*, std::string> expected[] = {
      {"QRLabel4", "IBADAH PELAYANAN KATEGORIAL"},
      {"QRLabel87", "Form : REALISASI Ibadah"},
      {"QRLabel24", "IP-01012026-10000"},
      {"QRLabel26", "16:00:00"},
      {"QRLabel27", "PT"},
      {"QRLabel36", "Selatan"},
      {"QRLabel41", "Gereja"},
      {"QRLabel53", "Eka Senior"},
      {"QRLabel28", "NJ-93200.10001"},
      {"QRLabel94", "ZPK BERTA"},
      {"QRLabel29", "Majelis"},
      {"QRLabel30", "Pnt. ZPK ANDREAS"},
      {"QRLabel31", "Lukas 2:41-52"},
      {"QRLabel97", "ZPK BERTA"},
      {"QRLabel100", "ZPK ANDREAS"},
      {"QRLabel32", "48"},
      {"QRLabel33", grouped("2,500,000")},
      {"QRLabel34", grouped("300,000")},
      {"QRLabel65", grouped("2,800,000")},
      {"QRLabel59", "ZPK ANDREAS"},
      {"QRLabelKordinator", "Pengurus PelKat"},
      {"QRLabel91", "(none)"},  // no sermon theme on this form
  };
  for (const auto& [name, value] : expected) EXPECT_EQ(text(page, name), value) << name;
  EXPECT_EQ(reptest::TextsRunningIntoOtherItems(previews.shown[0]), std::vector<std::string>{});

  // Unvalidated, a student preacher without a title, zero amounts empty.
  app::DM->Q3->Last();
  s.Button5Click(nullptr);
  const report::TReportPage& draft = previews.shown[1].Pages.at(0);
  EXPECT_EQ(text(draft, "QRLabel87"), "Form : DRAFT Ibadah");
  EXPECT_EQ(text(draft, "QRLabel30"), "MHS SATU");
  EXPECT_EQ(text(draft, "QRLabel65"), "");
  EXPECT_EQ(text(draft, "QRLabel59"), "");
  Exec("delete from gereja");
}

TEST_F(PelkatServices, TheMainWindowsEntryOpensTheWindowOnANewService) {
  std::string seen;
  WhileShown(FIbadahPelkat, [&] {
    seen = FIbadahPelkat->Caption() + " " + FIbadahPelkat->Edit1->Text();
    TBitmap shot;
    guitest::ShotOfWindow(FIbadahPelkat->Handle(), shot);
    report::SaveBitmapToPng(shot, std::string("Z:") + KORVAN_REG_OUT + "/pelkat_window.png");
    FIbadahPelkat->SpeedButton9->Click();
  });
  shell::FMenu->P13->Click();
  EXPECT_FALSE(FIbadahPelkat->Showing());
  EXPECT_EQ(seen, "Ibadah >> Ibadah PelKat [Auto]");
  EXPECT_GE(CheckLookupRows({"FIbadahPelkat"}), 7);
}

}  // namespace

// The registry's list reports against a small fixed set of families, members and
// council records: each window's criteria, the filter line and the rows its layout
// prints; the birthday period; a long list over several pages; the menu entries that
// open the windows; and on every layout no text running into another item.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/UDM.h"
#include "registry/QRKK.h"
#include "registry/QRMajelis.h"
#include "registry/QRWargaJemaat.h"
#include "registry/QRWargaJemaat2.h"
#include "registry/ULapJemaatUlangTahun.h"
#include "registry/URepJemaatPerGolDarah.h"
#include "registry/URepJemaatPerPelkat.h"
#include "registry/URepJemaatPerSektor.h"
#include "registry/URepJemaatStsHidup.h"
#include "registry/URepKK.h"
#include "registry/URepMajelis.h"
#include "registry/URepMajelisPerJabatan.h"
#include "registry/URepMajelisPerSektor.h"
#include "registry/URepMajelisPerSex.h"
#include "registry/URepMajelisPerStatusAktif.h"
#include "registry/URepWargaJemaat.h"
#include "tests/registry/RegistryTestSupport.h"
#include "tests/report/PageChecks.h"

using namespace gui;
using namespace registry;
using report::TReportPages;

namespace {

using TextList = std::vector<std::string>;

class ListReports : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    Make(FQRKK);
    Make(FQRWargaJemaat);
    Make(FQRWargaJemaat2);
    Make(FQRMajelis);
    Make(FRepKK);
    Make(FRepWargaJemaat);
    Make(FRepJemaatPerSektor);
    Make(FRepJemaatPerPelkat);
    Make(FRepJemaatPerGolDarah);
    Make(FRepJemaatStsHidup);
    Make(FLapJemaatUlangTahun);
    Make(FRepMajelis);
    Make(FRepMajelisPerSektor);
    Make(FRepMajelisPerSex);
    Make(FRepMajelisPerJabatan);
    Make(FRepMajelisPerStatusAktif);
    Exec("delete from majelis where username='tst_reg'");
    Fill();
  }
  void TearDown() override {
    Exec("delete from majelis where username='tst_reg'");
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) (*it)();
    RegistryFixture::TearDown();
  }
  template <class T>
  void Make(T*& instance) {
    Application->CreateForm(instance);
    made_.push_back([&instance] {
      delete instance;
      instance = nullptr;
    });
  }

  // Three families, two of them under one head-of-family name; members of every life
  // state, one living outside the family's sector; council records of living and
  // deceased members, one member with two terms.
  void Fill() {
    auto family = [&](const char* nik, const char* name, const char* sector) {
      MakeFamily(nik, name);
      Exec(std::string("update header_kk set sekpel='") + sector + "' where nik='" + nik + "'");
    };
    auto member = [&](const char* nik, const char* nij, const char* name, const char* sex, const char* sector,
                      const char* group, const char* sidi, const char* blood, const char* state, const char* born) {
      MakeMember(nik, nij, name, state);
      Exec(std::string("update detail_kk set nama_gabung='") + name + "',sex='" + sex + "',sekpel='" + sector +
           "',pelkat='" + group + "',sidi='" + sidi + "',gol_darah='" + blood + "',tgl_lahir='" + born +
           "' where nij='" + nij + "'");
    };
    family("NK-97601", "KELUARGA ANDA", "3");
    member("NK-97601", "NJ-97601.10000", "ANDREAS", "Pria", "3", "PKB", "SUDAH", "A", "Hidup", "1970-03-01");
    member("NK-97601", "NJ-97601.10001", "BERTA", "Wanita", "3", "PKP", "SUDAH", "B", "Hidup", "1972-03-31");
    member("NK-97601", "NJ-97601.10002", "CALVIN", "Pria", "7", "GP", "BELUM", "A", "Hidup", "2000-04-02");
    member("NK-97601", "NJ-97601.10003", "DORKAS", "Wanita", "3", "PKLU", "SUDAH", "O", "Meninggal", "1940-03-15");
    family("NK-97602", "KELUARGA ANDA", "7");
    member("NK-97602", "NJ-97602.10000", "ELIA", "Pria", "7", "PKB", "SUDAH", "AB", "Hidup", "1975-12-09");
    member("NK-97602", "NJ-97602.10001", "FEBE", "Wanita", "7", "PA", "BELUM", "A", "Attestasi", "2015-01-09");
    family("NK-97603", "KELUARGA ZAKHARIA", "10");
    member("NK-97603", "NJ-97603.10000", "GIDEON", "Pria", "10", "PKB", "SUDAH", "A", "Hidup", "1980-03-20");

    auto council = [&](const char* nimp, const char* nij, const char* office, const char* state, const char* term) {
      Exec(std::string("insert into majelis(nimp,nij,pnt_dkn,sts_aktif,periode,username) values ('") + nimp + "','" +
           nij + "','" + office + "','" + state + "','" + term + "','tst_reg')");
    };
    council("MJ-97601-1", "NJ-97601.10000", "Pnt", "Aktif", "2020-2025");
    council("MJ-97602-2", "NJ-97601.10001", "Dkn", "Aktif", "2020-2025");
    council("MJ-97603-1", "NJ-97601.10000", "Pnt", "Selesai", "2015-2020");
    council("MJ-97604-2", "NJ-97601.10003", "Dkn", "Aktif", "2020-2025");
    council("MJ-97605-1", "NJ-97603.10000", "Dkn", "Aktif", "2020-2025");
    council("MJ-97606-1", "NJ-97601.10002", "Pnt", "Aktif", "2020-2025");
    council("MJ-97607-1", "NJ-97602.10000", "Pnt", "Aktif", "2015-2020");
    council("MJ-97608-1", "NJ-97602.10000", "Pnt", "Aktif", "2020-2025");
  }

  // A value printed on every page, in page order.
  static TextList All(const TReportPages& pages, const std::string& name) {
    TextList out;
    for (const report::TReportPage& p : pages.Pages)
      for (const std::string& s : p.Texts(name)) out.push_back(s);
    return out;
  }
  // The last preview: its filter line and the member numbers of its lines, checked
  // against the count of the summary.
  struct TShown {
    std::string filter;
    TextList rows;
  };
  TShown Last(const char* rowField = "QRDBText_nij") {
    EXPECT_FALSE(previews.shown.empty());
    if (previews.shown.empty()) return {};
    const TReportPages& pages = previews.shown.back();
    TShown s{pages.Pages.front().Find("QRLabel22") ? pages.Pages.front().Find("QRLabel22")->Text : "",
             All(pages, rowField)};
    EXPECT_EQ(All(pages, "QRExprJumlah"), TextList{std::to_string(s.rows.size())}) << s.filter;
    return s;
  }

  std::vector<std::function<void()>> made_;
};

TEST_F(ListReports, MemberListByScopeSectorAndGroupGroupedByHeadOfFamily) {
  struct Case {
    int scope;  // 0 none, 1 all, 2 confirmed
    const char* sector;
    const char* group;
    const char* filter;
    TextList rows;
  } cases[] = {
      {1, nullptr, nullptr, "Filter : Semua Warga Jemaat",
       {"NJ-97601.10000", "NJ-97601.10001", "NJ-97601.10002", "NJ-97602.10000", "NJ-97603.10000"}},
      {2, nullptr, nullptr, "Filter : Semua Warga Sidi Jemaat",
       {"NJ-97601.10000", "NJ-97601.10001", "NJ-97602.10000", "NJ-97603.10000"}},
      // The family and the member both in the sector: CALVIN lives in 7, his family in 3.
      {1, "3", nullptr, "Filter : Semua Warga Jemaat Sektor Pelayanan 3", {"NJ-97601.10000", "NJ-97601.10001"}},
      {1, "7", nullptr, "Filter : Semua Warga Jemaat Sektor Pelayanan 7", {"NJ-97602.10000"}},
      {2, nullptr, "PKB", "Filter : Semua Warga Sidi Jemaat Pelayanan Kategorial PKB",
       {"NJ-97601.10000", "NJ-97602.10000", "NJ-97603.10000"}},
      {1, "3", "PKP", "Filter : Semua Warga Jemaat Sektor Pelayanan 3", {"NJ-97601.10001"}},
      {1, "5", nullptr, "Filter : Semua Warga Jemaat Sektor Pelayanan 5", {}},
  };
  auto* f = FRepWargaJemaat;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    f->FormActivate(f);
    if (c.scope == 1) f->RadioButton1->SetChecked(true);
    if (c.scope == 2) f->RadioButton2->SetChecked(true);
    if (c.sector) {
      f->CheckBox1->SetChecked(true);
      EXPECT_TRUE(f->ComboBox1->Enabled());
      kit::SelectExact(*f->ComboBox1, c.sector);
    }
    if (c.group) {
      f->CheckBox2->SetChecked(true);
      kit::SelectExact(*f->ComboBox2, c.group);
    }
    f->Button1->Click();
    ASSERT_EQ(previews.reports.back(), FQRWargaJemaat);
    const TShown s = Last();
    EXPECT_EQ(s.filter, c.filter);
    EXPECT_EQ(s.rows, c.rows);
  }
  // The two families under one name make one group, with the first family's heading.
  f->FormActivate(f);
  f->RadioButton1->SetChecked(true);
  f->Button1->Click();
  const report::TReportPage& page = previews.shown.back().Pages.at(0);
  EXPECT_EQ(page.Texts("QRDBText_nama_kk"), (TextList{"KELUARGA ANDA", "KELUARGA ZAKHARIA"}));
  EXPECT_EQ(page.Texts("QRDBText_nik"), (TextList{"NK-97601", "NK-97603"}));
  EXPECT_EQ(page.Find("QRDBText_nik")->Font.Color, clRed);
  EXPECT_EQ(page.Texts("Head_nij").size(), 2u);  // the headings under each group
  EXPECT_EQ(page.Find("QRDBText_tgl_input_daftar")->Text, "05/04/2023");
  EXPECT_EQ(page.Find("QRSysDataPage")->Text, "Hal. 1");
  EXPECT_EQ(previews.shown.back().PageWidth, 1056);  // landscape

  // A cleared box puts its list back and disables it.
  f->CheckBox1->SetChecked(true);
  kit::SelectExact(*f->ComboBox1, "9");
  f->CheckBox1->SetChecked(false);
  EXPECT_EQ(kit::Chosen(*f->ComboBox1), "1");
  EXPECT_FALSE(f->ComboBox1->Enabled());

  // Neither "all" nor "confirmed": refused, nothing previewed.
  const size_t before = previews.shown.size();
  f->FormActivate(f);
  f->CheckBox1->SetChecked(true);
  dialogs.shown.clear();
  f->Button1->Click();
  EXPECT_EQ(previews.shown.size(), before);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Text, "Maaf...Anda belum memilih jenis yang mau ditampilkan");
  EXPECT_EQ(dialogs.shown[0].Type, TMsgDlgType::mtError);
}

TEST_F(ListReports, MemberListsOfOneCriterion) {
  struct Case {
    std::function<void()> choose;
    TCustomForm* window;
    const char* filter;
    TextList rows;
  } cases[] = {
      {[] { kit::SelectExact(*FRepJemaatPerSektor->ComboBox1, "7"); }, FRepJemaatPerSektor,
       "Filter : Warga Jemaat Sektor Pelayanan : 7", {"NJ-97601.10002", "NJ-97602.10000"}},
      {[] {
         kit::SelectExact(*FRepJemaatPerSektor->ComboBox1, "7");
         FRepJemaatPerSektor->CheckBox1->SetChecked(true);
         FRepJemaatPerSektor->CheckBox3->SetChecked(true);
       },
       FRepJemaatPerSektor, "Filter : Warga Jemaat Sektor Pelayanan : 7 & Jenis Kelamin : Pria (Warga Sidi Jemaat)",
       {"NJ-97602.10000"}},
      {[] {
         kit::SelectExact(*FRepJemaatPerSektor->ComboBox1, "7");
         FRepJemaatPerSektor->CheckBox2->SetChecked(true);
         kit::SelectExact(*FRepJemaatPerSektor->ComboBox2, "GP");
       },
       FRepJemaatPerSektor, "Filter : Warga Jemaat Sektor Pelayanan : 7 & Pelayanan Kategorial : GP",
       {"NJ-97601.10002"}},
      // Ordered by the sector as text: "10" before "3" before "7".
      {[] { kit::SelectExact(*FRepJemaatPerPelkat->ComboBox1, "PKB"); }, FRepJemaatPerPelkat,
       "Filter : Warga Jemaat Pelayanan Kategorial : PKB", {"NJ-97603.10000", "NJ-97601.10000", "NJ-97602.10000"}},
      {[] {
         kit::SelectExact(*FRepJemaatPerPelkat->ComboBox1, "PKB");
         FRepJemaatPerPelkat->CheckBox2->SetChecked(true);
       },
       FRepJemaatPerPelkat, "Filter : Warga Jemaat Pelayanan Kategorial : PKB Wilayah Utara", {"NJ-97601.10000"}},
      // Sectors compared as numbers: 10 is in the south.
      {[] {
         kit::SelectExact(*FRepJemaatPerPelkat->ComboBox1, "PKB");
         FRepJemaatPerPelkat->CheckBox2->SetChecked(true);
         kit::SelectExact(*FRepJemaatPerPelkat->ComboBox2, "Selatan");
         FRepJemaatPerPelkat->CheckBox3->SetChecked(true);
       },
       FRepJemaatPerPelkat, "Filter : Warga Jemaat Pelayanan Kategorial : PKB Wilayah Selatan Jenis Kelamin : Pria",
       {"NJ-97603.10000", "NJ-97602.10000"}},
      {[] {}, FRepJemaatPerGolDarah, "Filter : Warga Jemaat Golongan Darah : A",
       {"NJ-97601.10000", "NJ-97601.10002", "NJ-97603.10000"}},
      {[] { FRepJemaatPerGolDarah->CheckBox1->SetChecked(true); }, FRepJemaatPerGolDarah,
       "Filter : Warga Jemaat Golongan Darah : A (Warga Sidi Jemaat)", {"NJ-97601.10000", "NJ-97603.10000"}},
      {[] {}, FRepJemaatStsHidup, "Filter : Warga Jemaat Status Hidup : Hidup",
       {"NJ-97601.10000", "NJ-97601.10001", "NJ-97601.10002", "NJ-97602.10000", "NJ-97603.10000"}},
      {[] { kit::SelectExact(*FRepJemaatStsHidup->ComboBox1, "Meninggal"); }, FRepJemaatStsHidup,
       "Filter : Warga Jemaat Status Hidup : Meninggal", {"NJ-97601.10003"}},
      {[] { kit::SelectExact(*FRepJemaatStsHidup->ComboBox1, "Attestasi"); }, FRepJemaatStsHidup,
       "Filter : Warga Jemaat Status Hidup : Attestasi", {"NJ-97602.10001"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    c.window->Activate();
    c.choose();
    dynamic_cast<kit::TReportForm*>(c.window)->Button1->Click();
    ASSERT_EQ(previews.reports.back(), FQRWargaJemaat2);
    const TShown s = Last();
    EXPECT_EQ(s.filter, c.filter);
    EXPECT_EQ(s.rows, c.rows);
  }
  // Each line carries the family's number in front.
  const report::TReportPage& page = previews.shown.back().Pages.at(0);
  EXPECT_EQ(page.Texts("QRDBText_nik"), TextList{"NK-97602"});
  EXPECT_EQ(page.Find("Head_nik")->Text, "NIK");
  EXPECT_EQ(page.Find("QRExprJumlahCaption")->Text, "Jumlah Jemaat :");
}

TEST_F(ListReports, HeadsOfFamilyOfAllSectorsOrOne) {
  auto* f = FRepKK;
  f->FormActivate(f);
  EXPECT_FALSE(f->ComboBox1->Enabled());
  f->Button1->Click();
  EXPECT_EQ(previews.reports.back(), FQRKK);
  TShown s = Last("QRDBText_nik");
  EXPECT_EQ(s.filter, "Filter : Semua Sektor Pelayanan");
  EXPECT_EQ(s.rows, (TextList{"NK-97603", "NK-97601", "NK-97602"}));  // by sector as text, then name
  EXPECT_EQ(previews.shown.back().PageWidth, 816);  // portrait
  EXPECT_EQ(previews.shown.back().Pages[0].Find("QRExprJumlahCaption")->Text, "Jumlah Kepala Keluarga :");

  f->CheckBox1->SetChecked(true);
  kit::SelectExact(*f->ComboBox1, "7");
  f->Button1->Click();
  s = Last("QRDBText_nik");
  EXPECT_EQ(s.filter, "Filter : Sektor Pelayanan 7");
  EXPECT_EQ(s.rows, TextList{"NK-97602"});
}

TEST_F(ListReports, BirthdaysInAMonthRangeOnADayRange) {
  struct Case {
    int d1, m1, d2, m2;
    const char* sector;
    const char* group;
    const char* period;
    TextList rows;
    TextList days;
  } cases[] = {
      // Every member born in March, the deceased too, by day.
      {1, 3, 31, 3, nullptr, nullptr, "Ulang Tahun Tanggal : 1 Maret sampai 31 Maret",
       {"NJ-97601.10000", "NJ-97601.10003", "NJ-97603.10000", "NJ-97601.10001"}, {"1", "15", "20", "31"}},
      // The day range 25 to 5 is empty.
      {25, 3, 5, 4, nullptr, nullptr, "Ulang Tahun Tanggal : 25 Maret sampai 5 April", {}, {}},
      // Days 1 to 15 of every month.
      {1, 1, 15, 12, nullptr, nullptr, "Ulang Tahun Tanggal : 1 Januari sampai 15 Desember",
       {"NJ-97601.10000", "NJ-97601.10002", "NJ-97602.10000", "NJ-97602.10001", "NJ-97601.10003"},
       {"1", "2", "9", "9", "15"}},
      // December to January: no month lies between.
      {9, 12, 9, 1, nullptr, nullptr, "Ulang Tahun Tanggal : 9 Desember sampai 9 Januari", {}, {}},
      {1, 3, 31, 3, "3", "PKP", "Ulang Tahun Tanggal : 1 Maret sampai 31 Maret", {"NJ-97601.10001"}, {"31"}},
  };
  auto* f = FLapJemaatUlangTahun;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.period);
    f->FormActivate(f);
    f->DateTimePicker1->SetDate(rtl::EncodeDate(2026, c.m1, c.d1));
    f->DateTimePicker2->SetDate(rtl::EncodeDate(2026, c.m2, c.d2));
    if (c.sector) {
      f->CheckBox1->SetChecked(true);
      kit::SelectExact(*f->ComboBox1, c.sector);
    }
    if (c.group) {
      f->CheckBox2->SetChecked(true);
      kit::SelectExact(*f->ComboBox2, c.group);
    }
    f->Button1->Click();
    ASSERT_EQ(previews.reports.back(), f->QR);
    const TShown s = Last();
    const report::TReportPage& page = previews.shown.back().Pages.at(0);
    EXPECT_EQ(page.Find("QRLabel20")->Text, c.period);
    EXPECT_EQ(page.Find("QRLabel17")->Text, c.sector ? std::string("SekPel : ") + c.sector : "SekPel : Semua");
    EXPECT_EQ(page.Find("QRLabel18")->Text, c.group ? std::string("PelKat : ") + c.group : "PelKat : Semua");
    EXPECT_EQ(s.rows, c.rows);
    EXPECT_EQ(All(previews.shown.back(), "QRDBText_day(tgl_lahir)"), c.days);
  }
  // Numbered lines, the month as the server names it.
  f->FormActivate(f);
  f->DateTimePicker1->SetDate(rtl::EncodeDate(2026, 3, 1));
  f->DateTimePicker2->SetDate(rtl::EncodeDate(2026, 3, 31));
  f->Button1->Click();
  const report::TReportPage& page = previews.shown.back().Pages.at(0);
  EXPECT_EQ(page.Texts("QRSysDataNo"), (TextList{"1", "2", "3", "4"}));
  const std::string march = Value("select monthname('2026-03-01')");
  EXPECT_EQ(page.Texts("QRDBText_monthname(tgl_lahir)"), TextList(4, march));
}

TEST_F(ListReports, CouncilListsOfLivingMembers) {
  struct Case {
    std::function<void()> choose;
    TCustomForm* window;
    const char* filter;
    TextList rows;  // council numbers
  } cases[] = {
      {[] {}, FRepMajelis, "Filter : Semua Warga Jemaat",
       {"MJ-97601-1", "MJ-97602-2", "MJ-97605-1", "MJ-97606-1", "MJ-97607-1", "MJ-97608-1"}},
      {[] { FRepMajelisPerSektor->RadioButton1->SetChecked(true); }, FRepMajelisPerSektor,
       "Filter : Majelis Jemaat Wilayah Semua",
       {"MJ-97601-1", "MJ-97602-2", "MJ-97605-1", "MJ-97606-1", "MJ-97607-1", "MJ-97608-1"}},
      {[] {
         FRepMajelisPerSektor->RadioButton1->SetChecked(true);
         kit::SelectExact(*FRepMajelisPerSektor->ComboBox1, "Utara");
       },
       FRepMajelisPerSektor, "Filter : Majelis Jemaat Wilayah Utara", {"MJ-97601-1", "MJ-97602-2"}},
      {[] {
         FRepMajelisPerSektor->RadioButton1->SetChecked(true);
         kit::SelectExact(*FRepMajelisPerSektor->ComboBox1, "Selatan");
       },
       FRepMajelisPerSektor, "Filter : Majelis Jemaat Wilayah Selatan",
       {"MJ-97605-1", "MJ-97606-1", "MJ-97607-1", "MJ-97608-1"}},
      {[] {
         FRepMajelisPerSektor->RadioButton2->SetChecked(true);
         kit::SelectExact(*FRepMajelisPerSektor->ComboBox2, "10");
       },
       FRepMajelisPerSektor, "Filter : Majelis Jemaat Sektor Pelayanan 10", {"MJ-97605-1"}},
      {[] { kit::SelectExact(*FRepMajelisPerSex->ComboBox1, "Wanita"); }, FRepMajelisPerSex,
       "Filter : Majelis Jemaat Jenis Kelamin Wanita", {"MJ-97602-2"}},
      {[] { kit::SelectExact(*FRepMajelisPerJabatan->ComboBox1, "Diaken"); }, FRepMajelisPerJabatan,
       "Filter : Majelis Jemaat Jabatan Diaken", {"MJ-97602-2", "MJ-97605-1"}},
      {[] {}, FRepMajelisPerJabatan, "Filter : Majelis Jemaat Jabatan Penatua",
       {"MJ-97601-1", "MJ-97606-1", "MJ-97607-1", "MJ-97608-1"}},
      // Ended terms of living members; the deceased member's term never shows.
      {[] { kit::SelectExact(*FRepMajelisPerStatusAktif->ComboBox1, "Selesai"); }, FRepMajelisPerStatusAktif,
       "Filter : Majelis Jemaat Status Selesai", {"MJ-97603-1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    c.window->Activate();
    c.choose();
    dynamic_cast<kit::TReportForm*>(c.window)->Button1->Click();
    ASSERT_EQ(previews.reports.back(), FQRMajelis);
    const TShown s = Last("QRDBText_nimp");
    EXPECT_EQ(s.filter, c.filter);
    EXPECT_EQ(s.rows, c.rows);
  }
  // The office in front of the name; ELIA listed once per term.
  const report::TReportPage& page = previews.shown[0].Pages.at(0);
  EXPECT_EQ(page.Texts("QRDBText_pnt_dkn"), (TextList{"Pnt", "Dkn", "Dkn", "Pnt", "Pnt", "Pnt"}));
  const TextList names = page.Texts("QRDBText_nama_gabung");
  EXPECT_EQ(std::count(names.begin(), names.end(), "ELIA"), 2);
  EXPECT_EQ(page.Texts("QRDBText_periode")[4], "2015-2020");
  EXPECT_LT(page.Find("QRDBText_pnt_dkn")->Rect.Right, page.Find("QRDBText_nama_gabung")->Rect.Left + 1);

  // Neither region nor sector chosen: refused, nothing previewed.
  const size_t before = previews.shown.size();
  FRepMajelisPerSektor->Activate();
  EXPECT_FALSE(FRepMajelisPerSektor->ComboBox1->Enabled());
  EXPECT_FALSE(FRepMajelisPerSektor->ComboBox2->Enabled());
  dialogs.shown.clear();
  FRepMajelisPerSektor->Button1->Click();
  EXPECT_EQ(previews.shown.size(), before);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].Text, "Maaf...Anda belum memilih jenis yang mau ditampilkan");

  // No match still prints one page with the headings and a count of 0.
  Exec("delete from majelis where username='tst_reg'");
  FRepMajelis->Button1->Click();
  ASSERT_EQ(previews.shown.back().Count(), 1);
  EXPECT_EQ(previews.shown.back().Pages[0].Find("Head_nimp")->Text, "NIMP");
  EXPECT_EQ(previews.shown.back().Pages[0].Find("QRExprJumlah")->Text, "0");
}

// A long list runs over several pages: the headings and the page number on each page,
// the line numbers running on across pages, the count once at the end.
TEST_F(ListReports, ALongListBreaksPagesWithRunningNumbers) {
  MakeFamily("NK-97699", "KELUARGA BESAR");
  for (int i = 0; i < 70; ++i) {
    const std::string nij = "NJ-97699." + std::to_string(10000 + i);
    MakeMember("NK-97699", nij, "ANGGOTA " + std::to_string(i));
    Exec("update detail_kk set tgl_lahir='1990-05-" + std::to_string(1 + i % 28) + "',sekpel='4' where nij='" + nij +
         "'");
  }
  auto* f = FLapJemaatUlangTahun;
  f->FormActivate(f);
  f->DateTimePicker1->SetDate(rtl::EncodeDate(2026, 5, 1));
  f->DateTimePicker2->SetDate(rtl::EncodeDate(2026, 5, 31));
  f->Button1->Click();
  const TReportPages& pages = previews.shown.back();
  ASSERT_GE(pages.Count(), 2);
  TextList numbers;
  for (int i = 1; i <= 70; ++i) numbers.push_back(std::to_string(i));
  EXPECT_EQ(All(pages, "QRSysDataNo"), numbers);
  for (const report::TReportPage& p : pages.Pages) {
    EXPECT_EQ(p.Texts("Head_nij").size(), 1u) << p.Number;
    EXPECT_EQ(p.Find("QRSysDataPage")->Text, "Hal. " + std::to_string(p.Number));
    EXPECT_EQ(p.Find("QRLabel1")->Text, "Kerukunan Vikaria Raya Barisan");
  }
  EXPECT_EQ(All(pages, "QRExprJumlah"), TextList{"70"});
  EXPECT_NE(pages.Pages.back().Find("QRExprJumlah"), nullptr);
  // Every line stays above the page footer.
  for (const report::TReportPage& p : pages.Pages) {
    const int footer = p.Find("QRSysDataPage")->Rect.Top;
    for (const report::TPlacedItem* i : p.InBand(report::rbDetail)) EXPECT_LT(i->Rect.Bottom, footer) << p.Number;
  }
}

// The report menu's entries open their windows.
TEST_F(ListReports, TheReportMenuOpensEachWindow) {
  struct Entry {
    TMenuItem* item;
    TCustomForm* window;
  } entries[] = {
      {shell::FMenu->K3, FRepKK},
      {shell::FMenu->SemuaJemaat1, FRepWargaJemaat},
      {shell::FMenu->PerSektor1, FRepJemaatPerSektor},
      {shell::FMenu->PerPelKat1, FRepJemaatPerPelkat},
      {shell::FMenu->PerGolonganDarah1, FRepJemaatPerGolDarah},
      {shell::FMenu->JemaatMeninggal1, FRepJemaatStsHidup},
      {shell::FMenu->UlangTahun1, FLapJemaatUlangTahun},
      {shell::FMenu->SemuaMajelis1, FRepMajelis},
      {shell::FMenu->PerWilayahSektor1, FRepMajelisPerSektor},
      {shell::FMenu->PerJenisKelamin1, FRepMajelisPerSex},
      {shell::FMenu->PerJabatan1, FRepMajelisPerJabatan},
      {shell::FMenu->PerStatusAktif1, FRepMajelisPerStatusAktif},
  };
  for (const Entry& e : entries) {
    bool shown = false;
    TCustomForm* w = e.window;
    WhileShown(w, [&shown, w] {
      shown = true;
      // The window as a person sees it, once its controls have painted.
      gui::Application->ProcessMessages();
      gui::TBitmap shot;
      guitest::ShotOfWindow(w->Handle(), shot);
      report::SaveBitmapToPng(shot, std::string("Z:") + KORVAN_REG_OUT + "/window_" + w->Name() + ".png");
      w->Close();
    });
    e.item->Click();
    EXPECT_TRUE(shown) << w->Name();
  }
  EXPECT_EQ(FRepMajelis->Caption(), "Laporan Majelis Jemaat");
  EXPECT_EQ(FLapJemaatUlangTahun->Caption(), "Laporan Jemaat Ulang Tahun");
}

// Every layout over rows with long names and full values: no text runs into another.
TEST_F(ListReports, NoTextRunsIntoAnotherItemOnAnyList) {
  Exec("update detail_kk set nama_gabung='MARIA MAGDALENA SIHOMBING',sts_kel='Kepala Keluarga',baptis='SUDAH',"
       "pend_akhir='DIPLOMA',alamat='Jl. Kenanga III No. 12, Depok' where nij='NJ-97601.10001'");
  Exec("update header_kk set nama_kk='SIHOMBING MARULI TUA',alamat='Jl. Kenanga III No. 12, Kelurahan Pancoran Mas' "
       "where nik='NK-97601'");
  FRepWargaJemaat->Activate();
  FRepWargaJemaat->RadioButton2->SetChecked(true);
  FRepWargaJemaat->Button1->Click();
  FRepJemaatStsHidup->Activate();
  FRepJemaatStsHidup->Button1->Click();
  FRepKK->Activate();
  FRepKK->Button1->Click();
  FLapJemaatUlangTahun->Activate();
  FLapJemaatUlangTahun->DateTimePicker1->SetDate(rtl::EncodeDate(2026, 3, 25));
  FLapJemaatUlangTahun->DateTimePicker2->SetDate(rtl::EncodeDate(2026, 4, 30));
  FLapJemaatUlangTahun->Button1->Click();
  FLapJemaatUlangTahun->DateTimePicker1->SetDate(rtl::EncodeDate(2026, 1, 1));
  FLapJemaatUlangTahun->DateTimePicker2->SetDate(rtl::EncodeDate(2026, 12, 31));
  FLapJemaatUlangTahun->Button1->Click();
  FRepMajelis->Button1->Click();
  ASSERT_EQ(previews.shown.size(), 6u);
  for (size_t i = 0; i < previews.shown.size(); ++i) {
    const std::string name = previews.reports[i]->ClassName();
    EXPECT_EQ(reptest::TextsRunningIntoOtherItems(previews.shown[i]), TextList{}) << name;
    gui::TBitmap page;
    report::RenderPageToBitmap(previews.shown[i].Pages.front(), previews.shown[i], page);
    report::SaveBitmapToPng(page, std::string("Z:") + KORVAN_REG_OUT + "/" + name + "-" + std::to_string(i) +
                                      "-filled.png");
  }
}

}  // namespace

// The registry's printed layouts through the report engine's page model: the church
// header with and without a church record, the family card over a known family, the
// member sheet with its zero dates, the blank form, and on every layout no text running
// into another item.
#include <gtest/gtest.h>

#include "kit/Records.h"
#include "app/UDM.h"
#include "kit/ChurchHeader.h"
#include "registry/QRGroupMajelis.h"
#include "tests/registry/RegistryTestSupport.h"
#include "tests/report/PageChecks.h"

using namespace gui;
using namespace registry;
using namespace kit;
using report::TReportPage;

namespace {

class Layouts : public regtest::RegistryFixture {
 protected:
  void SetUp() override {
    RegistryFixture::SetUp();
    // The church record is put back as it was.
    Exec("drop table if exists tst_reg_gereja_keep");
    Exec("create table tst_reg_gereja_keep as select * from gereja");
    Exec("delete from gereja");
  }
  void TearDown() override {
    Exec("delete from gereja");
    Exec("insert into gereja select * from tst_reg_gereja_keep");
    Exec("drop table tst_reg_gereja_keep");
    RegistryFixture::TearDown();
  }
  const TReportPage& OnlyPage() {
    EXPECT_EQ(previews.shown.size(), 1u);
    EXPECT_EQ(previews.shown.back().Count(), 1);
    return previews.shown.back().Pages.at(0);
  }
};

TEST_F(Layouts, ChurchHeaderShowsTheFallbackTextsThenTheChurchRecord) {
  FWargaJemaat->SpeedButton6->Click();  // the blank form
  {
    const TReportPage& p = OnlyPage();
    EXPECT_EQ(p.Find("QRLabel1")->Text, "Kerukunan Vikaria Raya Barisan");
    EXPECT_TRUE(p.Find("QRLabel1")->Font.Style & fsBold);
    EXPECT_EQ(p.Find("QRLabel2")->Text, "Nama Gereja belum dimasukkan");
    EXPECT_EQ(p.Find("QRLabel3")->Text, "Alamat Gereja belum dimasukkan");
  }
  // Read anew for every preview.
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'JEMAAT UJI KASIH','Jl. Damai 12, Bandung')");
  previews.shown.clear();
  FWargaJemaat->SpeedButton6->Click();
  const TReportPage& p = OnlyPage();
  EXPECT_EQ(p.Find("QRLabel2")->Text, "JEMAAT UJI KASIH");
  EXPECT_EQ(p.Find("QRLabel3")->Text, "Jl. Damai 12, Bandung");
  EXPECT_EQ(p.Find("LabelTanggal")->Text, "Tanggal");
  EXPECT_EQ(p.Find("LabelJam")->Text, "Jam");
  EXPECT_EQ(p.Find("QRSysData1")->Text, rtl::DateToStr(FQRJemaatBlankoKosong->PrintMoment()));
  EXPECT_EQ(p.Find("QRSysData2")->Text, rtl::TimeToStr(FQRJemaatBlankoKosong->PrintMoment()));

  // The blank form: landscape, no picture, every value "[Auto]", blanks to fill in.
  EXPECT_EQ(previews.shown.back().PageWidth, 1056);
  EXPECT_EQ(p.Find("QRImage1"), nullptr);
  EXPECT_EQ(p.Find("QRLabel4")->Text, "Form Pendaftaran Warga Jemaat");
  for (const char* n : {"QRLabel6", "QRLabel8", "QRLabel10", "QRLabel12"}) EXPECT_EQ(p.Find(n)->Text, "[Auto]") << n;
  EXPECT_EQ(p.Find("CapNIJ")->Text, "NIJ");
  EXPECT_EQ(p.Find("HintNIJ")->Text, "(Auto)");
  EXPECT_EQ(p.Find("CapNikahStatus")->Text, "Nikah? (SUDAH/BELUM)");
  EXPECT_NE(p.Find("LineKeahlian"), nullptr);
}

TEST_F(Layouts, FamilyCardListsTheMembersUnderTheFamilyBlock) {
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'JEMAAT UJI KASIH','Jl. Damai 12')");
  MakeFamily("NK-97200", "KELUARGA KARTU");
  MakeMember("NK-97200", "NJ-97200.10000", "AYAH");
  MakeMember("NK-97200", "NJ-97200.10001", "IBU", "Meninggal");
  files.path = KORVAN_REG_FAMILY_PHOTO;
  FWargaJemaat->FormActivate(FWargaJemaat);
  FWargaJemaat->Button1->Click();
  FDetailJemaat->Edit1->SetText("NK-97200");
  FDetailJemaat->Edit2->SetText("KELUARGA KARTU");
  FDetailJemaat->Edit3->SetText("IBU");
  FDetailJemaat->Edit4->SetText("Jl. Uji 7");
  FDetailJemaat->Edit5->SetText("05/04/2023");
  FDetailJemaat->Edit6->SetText("4");
  FDetailJemaat->Image1->Picture().Assign(&FWargaJemaat->Image1->Picture());
  FDetailJemaat->FormActivate(FDetailJemaat);
  FDetailJemaat->SpeedButton4->Click();

  ASSERT_EQ(previews.shown.size(), 1u);
  EXPECT_EQ(previews.shown[0].PageWidth, 816);  // portrait
  const TReportPage& p = OnlyPage();
  EXPECT_EQ(p.Find("QRLabel2")->Text, "JEMAAT UJI KASIH");
  EXPECT_EQ(p.Find("QRLabel4")->Text, "Kartu Keluarga Jemaat");
  EXPECT_EQ(p.Find("QRLabel15")->Text, "NK-97200");
  // Title and name on one line, the name in bold.
  EXPECT_EQ(p.Find("QRLabel19")->Text, "IBU");
  EXPECT_EQ(p.Find("QRLabel16")->Text, "KELUARGA KARTU");
  EXPECT_EQ(p.Find("QRLabel19")->Rect.Top, p.Find("QRLabel16")->Rect.Top);
  EXPECT_LT(p.Find("QRLabel19")->Rect.Left, p.Find("QRLabel16")->Rect.Left);
  EXPECT_TRUE(p.Find("QRLabel16")->Font.Style & fsBold);
  EXPECT_EQ(p.Find("QRLabel17")->Text, "Jl. Uji 7");
  EXPECT_EQ(p.Find("QRLabel18")->Text, "05/04/2023");
  EXPECT_EQ(p.Find("QRLabel20")->Text, "4");
  // The family photo in the header.
  const report::TPlacedItem* photo = p.Find("QRImage1");
  ASSERT_NE(photo, nullptr);
  ASSERT_NE(photo->Picture, nullptr);
  EXPECT_GT(photo->Picture->Width(), 0);
  // The grey heading row, then one line per member in the list's order.
  EXPECT_EQ(p.Find("QRLabel10")->Text, "NIJ");
  EXPECT_LT(p.Find("QRLabel20")->Rect.Top, p.Find("QRLabel10")->Rect.Top);
  EXPECT_EQ(p.Texts("QRDBText1"), (std::vector<std::string>{"NJ-97200.10000", "NJ-97200.10001"}));
  EXPECT_EQ(p.Texts("QRDBText2"), (std::vector<std::string>{"AYAH  ", "IBU  "}));
  EXPECT_EQ(p.Texts("QRDBText3"), (std::vector<std::string>{"04/03/1990", "04/03/1990"}));
  EXPECT_EQ(p.Texts("QRDBText6"), (std::vector<std::string>{"Hidup", "Meninggal"}));
  EXPECT_LT(p.Find("QRLabel10")->Rect.Top, p.Find("QRDBText1")->Rect.Top);
}

TEST_F(Layouts, MemberSheetPrintsTheMemberWithItsZeroDatesAndTheRegistration) {
  MakeFamily("NK-97300", "KELUARGA LEMBAR");
  MakeMember("NK-97300", "NJ-97300.10000", "LEMBAR");
  auto* m = FPenambahanJemaat;
  m->Edit1->SetText("NK-97300");
  m->Edit2->SetText("KELUARGA LEMBAR");
  m->Edit7->SetText("NJ-97300.10000");
  m->Edit4->SetText("REG-10007-05042023");
  m->Edit5->SetText("05/04/2023");
  files.path = KORVAN_REG_MEMBER_PHOTO;
  m->Button1->Click();
  m->SpeedButton4->Click();

  ASSERT_EQ(previews.shown.size(), 1u);
  EXPECT_EQ(previews.shown[0].PageWidth, 1056);  // landscape
  const TReportPage& p = OnlyPage();
  EXPECT_EQ(p.Find("QRLabel2")->Text, "Nama Gereja belum dimasukkan");
  EXPECT_EQ(p.Find("QRLabel4")->Text, "Kartu Jemaat");
  EXPECT_EQ(p.Find("QRLabel5")->Text, "[Pemutahiran Data]");
  EXPECT_EQ(p.Find("QRLabel15")->Text, "NK-97300");
  EXPECT_EQ(p.Find("QRLabel16")->Text, "KELUARGA LEMBAR");
  EXPECT_EQ(p.Find("QRLabel36")->Text, "REG-10007-05042023");
  EXPECT_EQ(p.Find("QRLabel37")->Text, "05/04/2023");
  EXPECT_EQ(p.Find("QRDBText_nij")->Text, "NJ-97300.10000");
  EXPECT_TRUE(p.Find("QRDBText_nij")->Font.Style & fsBold);
  EXPECT_EQ(p.Find("QRDBText_nama_dpn")->Text, "LEMBAR");
  EXPECT_EQ(p.Find("QRDBText_tgl_lahir")->Text, "04/03/1990");
  EXPECT_EQ(p.Find("QRDBText_baptis")->Text, "BELUM");
  // Stored as the zero date, "does not apply" prints empty.
  EXPECT_EQ(Value("select cast(tgl_baptis as char) from detail_kk where nij='NJ-97300.10000'"),
            "1899-12-30");
  EXPECT_EQ(p.Find("QRDBText_tgl_baptis")->Text, "");
  EXPECT_EQ(p.Find("QRDBText_suku_bangsa")->Text, "WNA");
  EXPECT_EQ(p.Find("Cap_skill")->Text, "Keahlian");
  ASSERT_NE(p.Find("QRImage1"), nullptr);
  EXPECT_EQ(p.Find("QRImage1")->Picture->Width(), 90);

  // A member not stored yet: the sheet without member data.
  previews.shown.clear();
  m->Edit7->SetText("[Auto]");
  m->SpeedButton4->Click();
  const TReportPage& empty = OnlyPage();
  EXPECT_EQ(empty.Find("QRLabel15")->Text, "NK-97300");
  EXPECT_EQ(empty.Find("QRDBText_nama_dpn"), nullptr);
}

// Every layout filled as a church office fills it, each page read as a reader would:
// no caption, value or hint runs into another text, a writing line or a picture.
TEST_F(Layouts, NoTextRunsIntoAnotherItemOnAnyLayout) {
  Exec("insert into gereja(id,nama_gereja,alamat) values (1,'GPIB JEMAAT IMMANUEL DEPOK',"
       "'Jl. Pemuda No. 17, Depok, Jawa Barat')");
  MakeFamily("NK-97400", "SIHOMBING MARULI TUA");
  MakeMember("NK-97400", "NJ-97400.10000", "MARULI");
  MakeMember("NK-97400", "NJ-97400.10001", "MAGDALENA", "Meninggal");
  MakeMember("NK-97400", "NJ-97400.10002", "YOHANES", "Attestasi");
  Exec("update detail_kk set nama_dpn='MARIA',nama_tengah='MAGDALENA',nama_blkg='SIHOMBING',"
       "nama_gabung='MARIA MAGDALENA SIHOMBING',tmpt_lahir='Pematang Siantar',alamat='Jl. Kenanga III No. 12',"
       "no_hp='0812-6655-4433',suku='Batak Toba',tgl_input='2023-04-05',id_card='PASSPORT',no_id_card='3276014509870002',"
       "sts_kel='Kepala Keluarga',sex='Wanita',sekpel='10',pelkat='PKLU',baptis='SUDAH',tmpt_baptis='GPIB Zebaoth',"
       "tgl_baptis='1988-12-25',sidi='SUDAH',tmpt_sidi='GPIB Immanuel',tgl_sidi='2004-04-11',nikah='SUDAH',"
       "tmpt_nikah='GPIB Paulus',tgl_nikah='2012-06-30',gol_darah='AB',pend_akhir='DIPLOMA',jurusan='Akuntansi',"
       "gelar='S.Kom., M.M.',pekerjaan='Pegawai Negeri',email='maria.sihombing@contoh.co.id',"
       "bhs_asing_1='Belanda',skill='Paduan Suara',sts_hidup='Hidup',suku_bangsa='WNI' "
       "where nij='NJ-97400.10000'");
  Exec("update detail_kk set sts_kel='Orang Tua',nama_gabung='MAGDALENA BR. SIMANJUNTAK' where nij='NJ-97400.10001'");
  Exec("update detail_kk set sts_kel='Keponakan' where nij='NJ-97400.10002'");

  FWargaJemaat->SpeedButton6->Click();  // the blank form

  FDetailJemaat->Edit1->SetText("NK-97400");
  FDetailJemaat->Edit2->SetText("SIHOMBING MARULI TUA");
  FDetailJemaat->Edit3->SetText("SDRi");
  FDetailJemaat->Edit4->SetText("Jl. Kenanga III No. 12, Depok");
  FDetailJemaat->Edit5->SetText("05/04/2023");
  FDetailJemaat->Edit6->SetText("10");
  FDetailJemaat->FormActivate(FDetailJemaat);
  FDetailJemaat->SpeedButton4->Click();  // the family card

  auto* m = FPenambahanJemaat;
  m->Edit1->SetText("NK-97400");
  m->Edit2->SetText("SIHOMBING MARULI TUA");
  m->Edit7->SetText("NJ-97400.10000");
  m->Edit4->SetText("REG-10007-05042023");
  m->Edit5->SetText("05/04/2023");
  m->SpeedButton4->Click();  // the member sheet

  // The council groups over rows of the grouping's columns.
  auto& q5 = *app::DM->Q5;
  kit::SetSQL(q5, {"select 1 as grup,'MJ-10012-2' as nimp,'MARIA MAGDALENA SIHOMBING' as nama_gabung,null as foto,"
                   "'Wanita' as sex,'Pnt' as pnt_dkn,'10' as sekpel",
                   "union all select 2,'MJ-10013-1','YOHANES PARULIAN SIMATUPANG',null,'Pria','Dkn','7'"});
  q5.Open();
  TFQRGroupMajelis groups(nullptr);
  groups.QRLabel9->SetCaption("Cetak Berdasarkan : Semua Group");
  const report::TReportPages& groupPages = groups.Prepare();

  ASSERT_EQ(previews.reports.size(), 3u);
  std::vector<std::pair<std::string, const report::TReportPages*>> layouts;
  for (size_t i = 0; i < previews.reports.size(); ++i)
    layouts.emplace_back(previews.reports[i]->ClassName(), &previews.shown[i]);
  layouts.emplace_back(groups.ClassName(), &groupPages);
  for (const auto& [name, pages] : layouts) {
    ASSERT_GE(pages->Count(), 1) << name;
    EXPECT_EQ(reptest::TextsRunningIntoOtherItems(*pages), std::vector<std::string>{}) << name;
    // The filled first page, for a person to look at.
    gui::TBitmap page;
    report::RenderPageToBitmap(pages->Pages.front(), *pages, page);
    report::SaveBitmapToPng(page, std::string("Z:") + KORVAN_REG_OUT + "/" + name + "-filled.png");
  }
  // The sheet is the one with every field filled.
  EXPECT_EQ(previews.shown[2].Pages[0].Find("QRDBText_email")->Text, "maria.sihombing@contoh.co.id");
}

TEST_F(Layouts, TheChurchLogoIsBuiltIn) {
  TChurchReport r(nullptr, report::poPortrait, THeaderPicture::ChurchLogo);
  ASSERT_NE(r.QRImage1, nullptr);
  EXPECT_EQ(r.QRImage1->Picture().Width(), 128);
  EXPECT_EQ(r.QRImage1->Picture().Height(), 128);
}

}  // namespace

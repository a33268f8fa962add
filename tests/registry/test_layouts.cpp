// The registry's printed layouts through the report engine's page model: the church
// header with and without a church record, the family card over a known family, the
// member sheet with its zero dates, and the blank form.
#include <gtest/gtest.h>

#include "app/UDM.h"
#include "kit/ChurchHeader.h"
#include "tests/registry/RegistryTestSupport.h"

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
  // "Does not apply" prints as the zero date.
  EXPECT_EQ(p.Find("QRDBText_tgl_baptis")->Text, "30/12/1899");
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

TEST_F(Layouts, TheChurchLogoIsBuiltIn) {
  TChurchReport r(nullptr, report::poPortrait, THeaderPicture::ChurchLogo);
  ASSERT_NE(r.QRImage1, nullptr);
  EXPECT_EQ(r.QRImage1->Picture().Width(), 128);
  EXPECT_EQ(r.QRImage1->Picture().Height(), 128);
}

}  // namespace

// The service rules: numbers of both series (several services on one day, across days,
// a counter past its digits refused), the PIN dialog's mode and validator, P5 before
// P1, the empty PIN, the place a time chooses and the printed amounts.
#include <gtest/gtest.h>

#include "registry/rules/Numbering.h"
#include "rtl/FormatNumber.h"
#include "worship/rules/HostServices.h"
#include "worship/rules/Services.h"

using namespace worship::rules;
using rtl::EncodeDate;

namespace {

TEST(ServiceNumber, ContinuesTheLastStoredNumberAcrossDaysAndSeries) {
  const auto day = EncodeDate(2026, 3, 8);
  EXPECT_EQ(NextServiceNumber("IM", std::nullopt, day), "IM-08032026-10000");
  // Several services on one day each take the next counter.
  std::optional<std::string> last;
  std::vector<std::string> made;
  for (int i = 0; i < 3; ++i) {
    last = NextServiceNumber("IM", last, day);
    made.push_back(*last);
  }
  EXPECT_EQ(made, (std::vector<std::string>{"IM-08032026-10000", "IM-08032026-10001", "IM-08032026-10002"}));
  // The counter runs on into another day; the date is the day of saving.
  EXPECT_EQ(NextServiceNumber("IM", std::string("IM-08032026-10002"), EncodeDate(2026, 12, 1) + 0.7),
            "IM-01122026-10003");
  EXPECT_EQ(NextServiceNumber("IG", std::string("IG-24122025-10999"), day), "IG-08032026-11000");
}

TEST(ServiceNumber, ACounterPastItsDigitsOrAnUnreadableOneIsRefused) {
  const auto day = EncodeDate(2026, 3, 8);
  EXPECT_EQ(NextServiceNumber("IM", std::string("IM-08032026-99998"), day), "IM-08032026-99999");
  for (const char* last : {"IM-08032026-99999", "IM-08032026-1000", "IM-0803202-10000", "IM-08032026-1x000", ""})
    EXPECT_THROW(NextServiceNumber("IM", std::string(last), day), registry::rules::ENumberingError) << last;
}

TEST(PinDialog, ModeFollowsTheShownSearchWindows) {
  struct Case {
    bool sunday, sector, feast;
    TPinMode mode;
  };
  const Case cases[] = {
      {false, false, false, TPinMode::Validator},   {true, false, false, TPinMode::SundayUnlock},
      {false, true, false, TPinMode::SectorUnlock}, {false, false, true, TPinMode::FeastUnlock},
      {true, true, false, TPinMode::None},          {true, true, true, TPinMode::None},
      {false, true, true, TPinMode::None},
  };
  for (const Case& c : cases) EXPECT_EQ(PinMode(c.sunday, c.sector, c.feast), c.mode);
}

TEST(PinDialog, ValidatorFollowsTheFlaggedButtonP1First) {
  EXPECT_STREQ(ValidatorEdit(ValidatorFor(true, false)), "Edit16");
  EXPECT_STREQ(ValidatorEdit(ValidatorFor(false, true)), "Edit17");
  EXPECT_STREQ(ValidatorEdit(ValidatorFor(true, true)), "Edit16");
  EXPECT_EQ(ValidatorEdit(ValidatorFor(false, false)), nullptr);
  // P5 first: P1 only once P5 is there.
  EXPECT_FALSE(MayValidateP1(""));
  EXPECT_TRUE(MayValidateP1("MJ-10001-1"));
  // An empty PIN never validates; a blank is a character like any other.
  EXPECT_FALSE(PinGiven(""));
  EXPECT_TRUE(PinGiven(" "));
  EXPECT_TRUE(PinGiven("12345"));
}

TEST(ServiceForm, PlacesAndAmounts) {
  EXPECT_EQ(PlaceForTime("08:00"), 1);
  for (const char* t : {"04:00", "07:00", "09:00", "18:00"}) EXPECT_EQ(PlaceForTime(t), 0) << t;
  EXPECT_EQ(PlaceEntry("PLK"), 0);
  EXPECT_EQ(PlaceEntry("VRN"), 1);
  EXPECT_EQ(PlaceEntry("plk"), std::nullopt);
  EXPECT_EQ(NextOrder(0), 1);
  EXPECT_EQ(NextOrder(4), 5);

  rtl::DefaultNumberFormat() = {',', '.'};
  EXPECT_EQ(PrintedAmount(0), "");
  EXPECT_EQ(PrintedAmount(1500000), "1,500,000");
  EXPECT_EQ(PrintedAmount(999.6), "1,000");
  EXPECT_EQ(PrintedAmount(250), "250");
  EXPECT_EQ(PrintedTime("07:00"), "07:00:00");
  EXPECT_EQ(PrintedTime("18:30"), "18:30:00");
  EXPECT_EQ(PrintedTime("25:00"), "25:00");
  EXPECT_EQ(PrintedTime(""), "");
  EXPECT_EQ(FormStatus(""), "Form : DRAFT Ibadah");
  EXPECT_EQ(FormStatus("MJ-10001-1"), "Form : REALISASI Ibadah");
}

TEST(ServiceKinds, RecordsFollowTheirTablesAndRosters) {
  EXPECT_EQ(Sunday().record().Insert(),
            "insert into ibadah_minggu(kode,tgl,jam,tempat,ayat,tema_kotbah,pf,nama_pf,nama_gereja,pianis,prokantor,"
            "kantoria,multimedia,kantong_rutin,kantong_pembangunan,persepuluhan,syukur,sbu,jml_jemaat,keterangan,"
            "validasi_1,validasi_2,soundman1,soundman2,nip_pf,username,kantong_lainlain)values(:ko,:tgl,:jam,:te,:ay,"
            ":tk,:pf,:np,:ng,:pi,:pr,:ka,:mu,:kr,:kp,:pe,:sy,:sbu,:jj,:ke,:v1,:v2,:s1,:s2,:nipp,:un,:kll)");
  EXPECT_EQ(Sunday().record().Update() + " " + Sunday().record().Where(),
            "update ibadah_minggu set tgl=:tgl,jam=:jam,tempat=:te,ayat=:ay,tema_kotbah=:tk,pf=:pf,nama_pf=:np,"
            "nama_gereja=:ng,pianis=:pi,prokantor=:pr,kantoria=:ka,multimedia=:mu,kantong_rutin=:kr,"
            "kantong_pembangunan=:kp,persepuluhan=:pe,syukur=:sy,sbu=:sbu,jml_jemaat=:jj,keterangan=:ke,"
            "validasi_1=:v1,validasi_2=:v2,soundman1=:s1,soundman2=:s2,nip_pf=:nipp,username=:un,"
            "kantong_lainlain=:kll where kode=:ko");
  EXPECT_EQ(Feast().record().Insert(),
            "insert into ibadah_hariraya_gerejawi(kode,tgl,jam,tempat,ayat,judul_ibadah,sts_pf,pf,nama_pf,"
            "nama_gereja,pianis,prokantor,kantoria,multimedia,kantong_rutin,kantong_pembangunan,persepuluhan,syukur,"
            "sbu,jml_jemaat,keterangan,validasi_1,validasi_2,soundman1,soundman2,username)values(:ko,:tgl,:jam,:te,"
            ":ay,:ji,:sp,:pf,:np,:ng,:pi,:pr,:ka,:mu,:kr,:kp,:pe,:sy,:sbu,:jj,:ke,:v1,:v2,:s1,:s2,:un)");
  EXPECT_EQ(Feast().record().Update() + " " + Feast().record().Where(),
            "update ibadah_hariraya_gerejawi set tgl=:tgl,jam=:jam,tempat=:te,ayat=:ay,judul_ibadah=:ji,sts_pf=:sp,"
            "pf=:pf,nama_pf=:np,nama_gereja=:ng,pianis=:pi,prokantor=:pr,kantoria=:ka,multimedia=:mu,"
            "kantong_rutin=:kr,kantong_pembangunan=:kp,persepuluhan=:pe,syukur=:sy,sbu=:sbu,jml_jemaat=:jj,"
            "keterangan=:ke,validasi_1=:v1,validasi_2=:v2,soundman1=:s1,soundman2=:s2,username=:un where kode=:ko");
  EXPECT_EQ(Sunday().Work(), "ibadah_minggu_detail_temp");
  EXPECT_EQ(Feast().Detail(), "ibadah_hariraya_gerejawi_detail");
  EXPECT_EQ(Sunday().duties, 15);
  EXPECT_EQ(Feast().duties, 30);
}

// The statements of the sector and thanksgiving saves, column by column as stored.
TEST(HostServiceRecords, StatementsOfBothKinds) {
  const auto& sector = SectorService().record();
  EXPECT_EQ(sector.Insert(),
            "insert into ibadah_sektor(kode,tgl,jam,sekpel,tuan_rumah,ayat,tema_kotbah,pf,nama_pf,liturgos,pkt,"
            "kolekte,syukur,jml_jemaat,keterangan,validasi,nama_tuan_rumah,sts_pf,username)values(:ko,:tgl,:jam,:se,"
            ":tr,:ay,:tk,:pf,:np,:li,:pkt,:kol,:sy,:jj,:ke,:va,:ntr,:sp,:un)");
  EXPECT_EQ(sector.Update() + " " + sector.Where(),
            "update ibadah_sektor set tgl=:tgl,jam=:jam,sekpel=:se,tuan_rumah=:tr,ayat=:ay,tema_kotbah=:tk,pf=:pf,"
            "nama_pf=:np,liturgos=:li,pkt=:pkt,kolekte=:kol,syukur=:sy,jml_jemaat=:jj,keterangan=:ke,validasi=:va,"
            "nama_tuan_rumah=:ntr,sts_pf=:sp,username=:un where kode=:ko");
  const auto& thanks = ThanksgivingService().record();
  EXPECT_EQ(thanks.Insert(),
            "insert into ibadah_syukur(kode,tgl,jam,sekpel,tuan_rumah,nij,ayat,judul_ibadah,pf,nama_pf,liturgos,pkt,"
            "kolekte,syukur,keterangan,validasi,nama_tuan_rumah,sts_pf,username,jml_jemaat)values(:ko,:tgl,:jam,:se,"
            ":tr,:ni,:ay,:ji,:pf,:np,:li,:pkt,:kol,:sy,:ke,:va,:ntr,:sp,:un,:jj)");
  EXPECT_EQ(thanks.Update() + " " + thanks.Where(),
            "update ibadah_syukur set tgl=:tgl,jam=:jam,sekpel=:se,tuan_rumah=:tr,nij=:ni,ayat=:ay,judul_ibadah=:ji,"
            "pf=:pf,nama_pf=:np,liturgos=:li,pkt=:pkt,kolekte=:kol,syukur=:sy,keterangan=:ke,validasi=:va,"
            "nama_tuan_rumah=:ntr,sts_pf=:sp,username=:un,jml_jemaat=:jj where kode=:ko");
  EXPECT_EQ(Occasions().size(), 9u);
  EXPECT_STREQ(Occasions().back(), "Dan Lain-Lain");
}

// A council member shown as "[number]name" gives back its number, and an empty field
// stays empty both ways (so a reopened service without a liturgist stores none again).
TEST(HostServiceRules, CouncilNumbersSectorsHostKindsAndPreacherLines) {
  EXPECT_EQ(ShownCouncil("MJ-10001-1", "ANDREAS"), "[MJ-10001-1]ANDREAS");
  EXPECT_EQ(ShownCouncil("", "ANDREAS"), "");
  const std::pair<const char*, const char*> numbers[] = {
      {"[MJ-10001-1]ANDREAS", "MJ-10001-1"}, {"[MJ-10001-1]", "MJ-10001-1"}, {"", ""}, {"[]", ""},
      {"MJ-10001-1", ""},                    {"[MJ-1", "MJ-1"}};
  for (auto [shown, number] : numbers) EXPECT_EQ(CouncilNumberOf(shown), number) << shown;
  EXPECT_EQ(CouncilNumberOf(ShownCouncil("MJ-10001-1", "X")), "MJ-10001-1");

  const std::pair<const char*, std::optional<int>> sectors[] = {
      {"1", 0}, {"10", 9}, {"7", 6}, {"0", std::nullopt}, {"11", std::nullopt}, {"", std::nullopt},
      {"01", 0}, {"x", std::nullopt}, {"100", std::nullopt}};
  for (auto [sekpel, entry] : sectors) EXPECT_EQ(SectorEntry(sekpel), entry) << sekpel;

  for (auto [host, kind] : {std::pair{"NIP-10001", "Pendeta"}, {"NJ-10001.10000", "Jemaat"},
                            {"Presbiter", "Jemaat"}, {"10001", "Jemaat"}, {"", "Jemaat"}})
    EXPECT_STREQ(SectorHostKind(host), kind) << host;

  struct Line {
    const char *kind, *title, *line;
  };
  for (Line l : {Line{"Pendeta", "", "Pdt. NAMA"}, Line{"Vikaris", "", "Vik. NAMA"}, Line{"Majelis", "Dkn", "Dkn. NAMA"},
                 Line{"Mahasiswa Praktek", "", "NAMA"}, Line{"Eksternal", "Pnt", "NAMA"}})
    EXPECT_EQ(PreacherLine(l.kind, "NAMA", l.title), l.line) << l.kind;
}

}  // namespace

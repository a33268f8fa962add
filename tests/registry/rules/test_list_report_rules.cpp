// The statements of the registry's list reports as tables of cases: the criteria a
// window shows, the lines and bound values they give, and the filter line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/rules/ListReports.h"

using namespace registry::rules;
using kit::rules::TBoundValue;

namespace {

// "name=value" for each bound value in binding order, integers marked with "#".
std::string Values(const TStatement& s) {
  std::string out;
  for (const TBoundValue& p : s.params) {
    if (!out.empty()) out += " ";
    out += p.name + "=";
    switch (p.type) {
      case TBoundValue::TType::Text: out += p.text; break;
      case TBoundValue::TType::Integer: out += "#" + std::to_string(p.integer); break;
      case TBoundValue::TType::Date: out += "date"; break;
    }
  }
  return out;
}

// The lines after the select and the join, which every member list shares.
std::vector<std::string> Tail(const TStatement& s) {
  EXPECT_GE(s.lines.size(), 3u);
  EXPECT_EQ(s.lines[0], "select h.nik,h.nama_kk,h.tgl_input_daftar,d.* from header_kk h,detail_kk d");
  EXPECT_EQ(s.lines[1], "where h.nik=d.nik");
  return std::vector<std::string>(s.lines.begin() + 2, s.lines.end());
}

using Lines = std::vector<std::string>;
const std::optional<std::string> none;

TEST(MemberListReport, ScopeSectorAndGroup) {
  struct Case {
    TMemberListCriteria c;
    Lines tail;
    const char* values;
    const char* filter;
  } cases[] = {
      {{TMemberScope::All, none, none},
       {"and d.sts_hidup=:sh", "order by h.nik,d.nij,d.sekpel"},
       "sh=Hidup",
       "Filter : Semua Warga Jemaat"},
      {{TMemberScope::Confirmed, none, none},
       {"and d.sts_hidup=:sh and d.sidi=:si", "order by h.nik,d.nij,d.sekpel"},
       "sh=Hidup si=SUDAH",
       "Filter : Semua Warga Sidi Jemaat"},
      {{TMemberScope::All, "7", none},
       {"and d.sts_hidup=:sh", "and h.sekpel=:hse and d.sekpel=:dse", "order by h.nik,d.nij,d.sekpel"},
       "sh=Hidup hse=#7 dse=#7",
       "Filter : Semua Warga Jemaat Sektor Pelayanan 7"},
      {{TMemberScope::Confirmed, none, "PKB"},
       {"and d.sts_hidup=:sh and d.sidi=:si", "and d.pelkat=:pe", "order by h.nik,d.nij,d.sekpel"},
       "sh=Hidup si=SUDAH pe=PKB",
       "Filter : Semua Warga Sidi Jemaat Pelayanan Kategorial PKB"},
      // Both criteria filter; the line names the sector only.
      {{TMemberScope::All, "10", "GP"},
       {"and d.sts_hidup=:sh", "and h.sekpel=:hse and d.sekpel=:dse", "and d.pelkat=:pe",
        "order by h.nik,d.nij,d.sekpel"},
       "sh=Hidup hse=#10 dse=#10 pe=GP",
       "Filter : Semua Warga Jemaat Sektor Pelayanan 10"},
  };
  for (const Case& c : cases) {
    const std::optional<TReportQuery> r = MemberList(c.c);
    ASSERT_TRUE(r.has_value()) << c.filter;
    EXPECT_EQ(Tail(r->statement), c.tail) << c.filter;
    EXPECT_EQ(Values(r->statement), c.values) << c.filter;
    EXPECT_EQ(r->filter, c.filter);
  }
  // Neither scope chosen: no report at all, whatever else is ticked.
  EXPECT_FALSE(MemberList({std::nullopt, std::string("3"), std::string("PA")}));
}

TEST(MemberListReport, OneSectorWithItsTickedBoxes) {
  struct Case {
    bool sidi;
    std::optional<std::string> group, sex;
    Lines criteria;  // between the status line and the order
    const char* values;
    const char* filter;
  } cases[] = {
      {false, none, none, {}, "sh=Hidup se=4", "Filter : Warga Jemaat Sektor Pelayanan : 4"},
      {true, none, none, {"and d.sidi=:si"}, "sh=Hidup se=4 si=SUDAH",
       "Filter : Warga Jemaat Sektor Pelayanan : 4 (Warga Sidi Jemaat)"},
      {false, "PA", none, {"and d.pelkat=:pe"}, "sh=Hidup se=4 pe=PA",
       "Filter : Warga Jemaat Sektor Pelayanan : 4 & Pelayanan Kategorial : PA"},
      {false, none, "Pria", {"and d.sex=:sx"}, "sh=Hidup se=4 sx=Pria",
       "Filter : Warga Jemaat Sektor Pelayanan : 4 & Jenis Kelamin : Pria"},
      {true, "PT", none, {"and d.sidi=:si and d.pelkat=:pe"}, "sh=Hidup se=4 si=SUDAH pe=PT",
       "Filter : Warga Jemaat Sektor Pelayanan : 4 & Pelayanan Kategorial : PT (Warga Sidi Jemaat)"},
      {true, none, "Wanita", {"and d.sidi=:si and d.sex=:sx"}, "sh=Hidup se=4 si=SUDAH sx=Wanita",
       "Filter : Warga Jemaat Sektor Pelayanan : 4 & Jenis Kelamin : Wanita (Warga Sidi Jemaat)"},
      {false, "GP", "Pria", {"and d.pelkat=:pe and d.sex=:sx"}, "sh=Hidup se=4 pe=GP sx=Pria",
       "Filter : Warga Jemaat Sektor Pelayanan : 4 & Pelayanan Kategorial : GP & Jenis Kelamin : Pria"},
      {true, "PKP", "Wanita", {"and d.sidi=:si and d.pelkat=:pe", "and d.sex=:sx"},
       "sh=Hidup se=4 si=SUDAH pe=PKP sx=Wanita",
       "Filter : Warga Jemaat Sektor Pelayanan : 4 & Pelayanan Kategorial : PKP & Jenis Kelamin : Wanita "
       "(Warga Sidi Jemaat)"},
  };
  for (const Case& c : cases) {
    const TReportQuery r = MembersOfSector({"4", c.sidi, c.group, c.sex});
    Lines expected = {"and d.sts_hidup=:sh and d.sekpel=:se"};
    expected.insert(expected.end(), c.criteria.begin(), c.criteria.end());
    expected.push_back("order by h.nik,d.nij,d.sekpel");
    EXPECT_EQ(Tail(r.statement), expected) << c.filter;
    EXPECT_EQ(Values(r.statement), c.values) << c.filter;
    EXPECT_EQ(r.filter, c.filter);
  }
}

TEST(MemberListReport, OneGroupWithRegionAndSexCompareSectorsAsNumbers) {
  struct Case {
    bool sidi;
    std::optional<std::string> region, sex;
    Lines criteria;
    const char* values;
    const char* filter;
  } cases[] = {
      {false, none, none, {}, "sh=Hidup pe=PKLU", "Filter : Warga Jemaat Pelayanan Kategorial : PKLU"},
      {false, "Utara", none, {"and d.sekpel>=:s1 and d.sekpel<=:s2"}, "sh=Hidup pe=PKLU s1=#1 s2=#5",
       "Filter : Warga Jemaat Pelayanan Kategorial : PKLU Wilayah Utara"},
      {true, "Selatan", "Pria", {"and d.sidi=:si", "and d.sekpel>=:s1 and d.sekpel<=:s2", "and d.sex=:sx"},
       "sh=Hidup pe=PKLU si=SUDAH s1=#6 s2=#10 sx=Pria",
       "Filter : Warga Jemaat Pelayanan Kategorial : PKLU Wilayah Selatan Jenis Kelamin : Pria (Warga Sidi Jemaat)"},
  };
  for (const Case& c : cases) {
    const TReportQuery r = MembersOfGroup({"PKLU", c.sidi, c.region, c.sex});
    Lines expected = {"and d.sts_hidup=:sh and d.pelkat=:pe"};
    expected.insert(expected.end(), c.criteria.begin(), c.criteria.end());
    expected.push_back("order by d.sekpel,h.nik,d.nij");
    EXPECT_EQ(Tail(r.statement), expected) << c.filter;
    EXPECT_EQ(Values(r.statement), c.values) << c.filter;
    EXPECT_EQ(r.filter, c.filter);
  }
}

TEST(MemberListReport, BloodGroupLifeStateAndHeadsOfFamily) {
  TReportQuery r = MembersOfBloodGroup("AB", true);
  EXPECT_EQ(Tail(r.statement), (Lines{"and d.sts_hidup=:sh and d.gol_darah=:gd", "and d.sidi=:si",
                                      "order by h.nik,d.nij,d.sekpel"}));
  EXPECT_EQ(Values(r.statement), "sh=Hidup gd=AB si=SUDAH");
  EXPECT_EQ(r.filter, "Filter : Warga Jemaat Golongan Darah : AB (Warga Sidi Jemaat)");
  EXPECT_EQ(MembersOfBloodGroup("O", false).filter, "Filter : Warga Jemaat Golongan Darah : O");

  // The life-state list is the one member list that binds another state than "Hidup".
  r = MembersByLifeState("Meninggal");
  EXPECT_EQ(Tail(r.statement), (Lines{"and d.sts_hidup=:sh", "order by h.nik,d.nij,d.sekpel"}));
  EXPECT_EQ(Values(r.statement), "sh=Meninggal");
  EXPECT_EQ(r.filter, "Filter : Warga Jemaat Status Hidup : Meninggal");

  r = HeadsOfFamily(std::string("3"));
  EXPECT_EQ(r.statement.lines, (Lines{"select * from header_kk", "where sekpel=:se", "order by nama_kk"}));
  EXPECT_EQ(Values(r.statement), "se=3");
  EXPECT_EQ(r.filter, "Filter : Sektor Pelayanan 3");
  r = HeadsOfFamily(none);
  EXPECT_EQ(r.statement.lines, (Lines{"select * from header_kk", "order by sekpel,nama_kk"}));
  EXPECT_EQ(Values(r.statement), "");
  EXPECT_EQ(r.filter, "Filter : Semua Sektor Pelayanan");
}

TEST(BirthdayReport, MonthRangeCrossedWithDayRange) {
  struct Case {
    TBirthdayCriteria c;
    Lines filters;  // after the day range
    const char* order;
    const char* values;
    const char* period;
    const char* sector;
    const char* group;
  } cases[] = {
      {{1, 3, 31, 3, none, none}, {}, "order by day(tgl_lahir),sekpel", "b1=#3 b2=#3 h1=#1 h2=#31",
       "Ulang Tahun Tanggal : 1 Maret sampai 31 Maret", "SekPel : Semua", "PelKat : Semua"},
      // The day range 25 to 5 is empty in every month.
      {{25, 3, 5, 4, none, none}, {}, "order by day(tgl_lahir),sekpel", "b1=#3 b2=#4 h1=#25 h2=#5",
       "Ulang Tahun Tanggal : 25 Maret sampai 5 April", "SekPel : Semua", "PelKat : Semua"},
      {{1, 1, 15, 12, std::string("6"), none}, {"and sekpel=:sp"}, "order by day(tgl_lahir)",
       "sp=#6 b1=#1 b2=#12 h1=#1 h2=#15", "Ulang Tahun Tanggal : 1 Januari sampai 15 Desember", "SekPel : 6",
       "PelKat : Semua"},
      {{9, 12, 9, 1, std::string("10"), std::string("PKLU")}, {"and sekpel=:sp", "and pelkat=:pk"},
       "order by day(tgl_lahir)", "sp=#10 pk=PKLU b1=#12 b2=#1 h1=#9 h2=#9",
       "Ulang Tahun Tanggal : 9 Desember sampai 9 Januari", "SekPel : 10", "PelKat : PKLU"},
  };
  for (const Case& c : cases) {
    const TBirthdayReport r = Birthdays(c.c);
    Lines expected = {"select *,day(tgl_lahir),monthname(tgl_lahir) from detail_kk",
                      "where month(tgl_lahir) between :b1 and :b2", "and day(tgl_lahir) between :h1 and :h2"};
    expected.insert(expected.end(), c.filters.begin(), c.filters.end());
    expected.push_back(c.order);
    EXPECT_EQ(r.statement.lines, expected) << c.period;
    EXPECT_EQ(Values(r.statement), c.values) << c.period;
    EXPECT_EQ(r.periodLine, c.period);
    EXPECT_EQ(r.sectorLine, c.sector);
    EXPECT_EQ(r.groupLine, c.group);
  }
  const char* months[] = {"Januari", "Februari", "Maret",     "April",   "Mei",      "Juni",
                          "Juli",    "Agustus",  "September", "Oktober", "November", "Desember"};
  for (int m = 1; m <= 12; ++m) EXPECT_STREQ(MonthName(m), months[m - 1]);
}

TEST(CouncilReport, EachWindowsFilterLine) {
  struct Case {
    TCouncilCriteria c;
    Lines filter;  // between the status line and the order
    const char* values;
    const char* text;
  } cases[] = {
      {{TCouncilFilter::All, ""}, {}, "sh=Hidup sa=Aktif", "Filter : Semua Warga Jemaat"},
      {{TCouncilFilter::Region, "Semua"}, {"and d.sekpel>=:s1 and d.sekpel<=:s2"},
       "sh=Hidup sa=Aktif s1=#1 s2=#10", "Filter : Majelis Jemaat Wilayah Semua"},
      {{TCouncilFilter::Region, "Utara"}, {"and d.sekpel>=:s1 and d.sekpel<=:s2"},
       "sh=Hidup sa=Aktif s1=#1 s2=#5", "Filter : Majelis Jemaat Wilayah Utara"},
      {{TCouncilFilter::Region, "Selatan"}, {"and d.sekpel>=:s1 and d.sekpel<=:s2"},
       "sh=Hidup sa=Aktif s1=#6 s2=#10", "Filter : Majelis Jemaat Wilayah Selatan"},
      {{TCouncilFilter::Sector, "8"}, {"and d.sekpel=:se"}, "sh=Hidup sa=Aktif se=#8",
       "Filter : Majelis Jemaat Sektor Pelayanan 8"},
      {{TCouncilFilter::Sex, "Wanita"}, {"and d.sex=:se"}, "sh=Hidup sa=Aktif se=Wanita",
       "Filter : Majelis Jemaat Jenis Kelamin Wanita"},
      {{TCouncilFilter::Office, "Penatua"}, {"and m.pnt_dkn=:pd"}, "sh=Hidup sa=Aktif pd=Pnt",
       "Filter : Majelis Jemaat Jabatan Penatua"},
      {{TCouncilFilter::Office, "Diaken"}, {"and m.pnt_dkn=:pd"}, "sh=Hidup sa=Aktif pd=Dkn",
       "Filter : Majelis Jemaat Jabatan Diaken"},
      {{TCouncilFilter::Status, "Selesai"}, {}, "sh=Hidup sa=Selesai", "Filter : Majelis Jemaat Status Selesai"},
  };
  for (const Case& c : cases) {
    const TReportQuery r = CouncilList(c.c);
    Lines expected = {"select m.nimp,m.nij,d.*,m.pnt_dkn,m.sts_aktif,m.periode from majelis m,detail_kk d",
                      "where m.nij=d.nij", "and d.sts_hidup=:sh and m.sts_aktif=:sa"};
    expected.insert(expected.end(), c.filter.begin(), c.filter.end());
    expected.push_back("order by m.nimp,m.nij,d.sekpel");
    EXPECT_EQ(r.statement.lines, expected) << c.text;
    EXPECT_EQ(Values(r.statement), c.values) << c.text;
    EXPECT_EQ(r.filter, c.text);
  }
}

}  // namespace

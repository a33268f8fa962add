#include <gtest/gtest.h>

#include "rtl/DateUtils.h"
#include "shell/rules/Dashboard.h"

using namespace shell;
using rtl::EncodeDate;

// Every bar chart of the family: its list entry, its table and what it sums, written
// into the one statement shape.
TEST(Dashboard, EachKindOfServiceSumsItsOwnTable) {
  struct Case {
    const char* kind;
    const char* firstLine;
    uint32_t titleColor;
  } cases[] = {
      {"Ibadah Minggu",
       "select day(tgl) as dt,sum(kantong_rutin+kantong_pembangunan+persepuluhan+syukur+sbu) as kolekte from "
       "ibadah_minggu",
       0x000000},
      {"Ibadah Sektor", "select day(tgl) as dt,sum(kolekte+syukur) as kolekte from ibadah_sektor", 0x0000FF},
      {"Ibadah Syukur", "select day(tgl) as dt,sum(kolekte+syukur) as kolekte from ibadah_syukur", 0xFF0000},
      {"Ibadah PelKat", "select day(tgl) as dt,sum(total_kolekte+total_syukur) as kolekte from ibadah_pelkat",
       0x800080},
      {"Ibadah Hari Raya Gerejawi",
       "select day(tgl) as dt,sum(kantong_rutin+kantong_pembangunan+persepuluhan+syukur+sbu) as kolekte from "
       "ibadah_hariraya_gerejawi",
       0x008000},
  };
  ASSERT_EQ(OfferingCharts().size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const TOfferingChart& chart = OfferingCharts()[i];
    EXPECT_STREQ(chart.kind, cases[i].kind);
    EXPECT_EQ(chart.titleColor, cases[i].titleColor) << chart.kind;
    EXPECT_EQ(OfferingStatement(chart),
              (std::vector<std::string>{cases[i].firstLine, "where tgl>=:t1 and tgl<=:t2", "group by dt"}))
        << chart.kind;
  }
  EXPECT_STREQ(OfferingCharts()[3].title, "Jumlah Persembahan Ibadah PelKat Bulanan");
}

TEST(Dashboard, TheMonthRunsFromItsFirstToItsLastDay) {
  struct Case {
    int y, m, d;
    int lastDay;
    const char* caption;
  } cases[] = {
      {2024, 2, 15, 29, "*Bulan : Februari 2024"},  // leap year
      {2026, 2, 1, 28, "*Bulan : Februari 2026"},
      {1900, 2, 28, 28, "*Bulan : Februari 1900"},  // no leap year though divisible by four
      {2000, 2, 29, 29, "*Bulan : Februari 2000"},
      {2026, 12, 31, 31, "*Bulan : Desember 2026"},
      {2026, 4, 30, 30, "*Bulan : April 2026"},
      {2027, 1, 1, 31, "*Bulan : Januari 2027"},
  };
  for (const auto& c : cases) {
    // Any time of the day belongs to the same month.
    const rtl::TDateTime day = EncodeDate(c.y, c.m, c.d) + rtl::EncodeTime(23, 59, 59);
    const TMonthSpan span = MonthOf(day);
    EXPECT_EQ(span.first, EncodeDate(c.y, c.m, 1)) << c.caption;
    EXPECT_EQ(span.last, EncodeDate(c.y, c.m, c.lastDay)) << c.caption;
    EXPECT_EQ(MonthCaption(day), c.caption);
  }
  EXPECT_EQ(rtl::DaysInAMonth(2024, 13), 0);
}

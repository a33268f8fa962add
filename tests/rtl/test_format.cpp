#include <gtest/gtest.h>

#include "rtl/DateUtils.h"
#include "rtl/FormatNumber.h"
#include "rtl/SysUtils.h"

using namespace rtl;

struct FloatCase {
  const char* pattern;
  double value;
  const char* expected;
};

TEST(FormatFloat, PatternsOfScreensAndReports) {
  NumberFormat en{',', '.'};
  const FloatCase cases[] = {
      {"#,##", 0, ""},
      {"#,###", 0, ""},
      {"###,", 0, ""},
      {"#####,", 0, ""},
      {"#.##", 0, ""},
      {"#,##", 5, "5"},
      {"#,##", 999, "999"},
      {"#,##", 1000, "1,000"},
      {"#,##", 1234567, "1,234,567"},
      {"#,##", 1234567.49, "1,234,567"},
      {"#,##", 1234567.5, "1,234,568"},
      {"###,", 2500000, "2,500,000"},
      {"#####,", 150000, "150,000"},
      {"#.##", 1234, "1234"},
      {"#.##", 12.5, "12.5"},
      {"#.##", 2.675, "2.68"},
      {"#.##", 0.5, ".5"},
      {"0", 0, "0"},
      {"0.00", 3, "3.00"},
      {"#,##", -1500, "-1,500"},
      {"#,##", -0.4, ""},
      {"Rp #,##", 2000, "Rp 2,000"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFloat(c.pattern, c.value, en), c.expected) << c.pattern << " " << c.value;
}

TEST(FormatFloat, UsesTheGivenSeparators) {
  NumberFormat id{'.', ','};
  EXPECT_EQ(FormatFloat("#,##", 1234567, id), "1.234.567");
  EXPECT_EQ(FormatFloat("#.##", 12.25, id), "12,25");
}

TEST(Dates, ZeroDateIsThirtiethOfDecember1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), ZeroDate);
  EXPECT_EQ(DateToStr(ZeroDate), "30/12/1899");
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2026, 12, 10), 46366.0);
}

TEST(Dates, ShortDateFormatRoundTrips) {
  for (auto [y, m, d] : {std::tuple{2024, 2, 29}, {1999, 12, 31}, {2000, 1, 1}, {1950, 6, 15}}) {
    TDateTime v = EncodeDate(y, m, d);
    EXPECT_EQ(StrToDate(DateToStr(v)), v) << DateToStr(v);
  }
  EXPECT_EQ(DateToStr(EncodeDate(2026, 1, 5)), "05/01/2026");
  EXPECT_EQ(StrToDate("5/1/2026"), EncodeDate(2026, 1, 5));
  EXPECT_EQ(StrToDate("05/01/26"), EncodeDate(2026, 1, 5));
  EXPECT_EQ(StrToDate("05/01/75"), EncodeDate(1975, 1, 5));
}

TEST(Dates, BadDateTextIsRefusedWithItsText) {
  for (const char* bad : {"", "31/02/2024", "1/13/2020", "aa/bb/cccc", "1/1", "1/1/2020/5", "12/12/123"}) {
    try {
      StrToDate(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid date");
    }
  }
}

TEST(Dates, FormatTokensAndIndonesianNames) {
  TDateTime v = EncodeDate(2026, 8, 17) + EncodeTime(9, 5, 7);
  EXPECT_EQ(FormatDateTime("ddmmyyyy", v), "17082026");
  EXPECT_EQ(FormatDateTime("ddmmyy", v), "170826");
  EXPECT_EQ(FormatDateTime("d mmmm yyyy", v), "17 Agustus 2026");
  EXPECT_EQ(FormatDateTime("dddd", v), "Senin");
  EXPECT_EQ(FormatDateTime("hh:mm:ss", v), "09:05:07");
  EXPECT_EQ(FormatDateTime("hh:nn", v), "09:05");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", v), "2026-08-17");
  DateParts p = DecodeDateTime(EncodeDate(2026, 3, 1) + EncodeTime(23, 59, 59, 999));
  EXPECT_EQ(p.day, 1);
  EXPECT_EQ(p.hour, 23);
  EXPECT_EQ(p.msec, 999);
}

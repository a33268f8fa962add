// The dues report's statements: the living-member count, the lines of a period or of a
// range of payment dates, and nothing without a choice.
#include <gtest/gtest.h>

#include "worship/rules/DuesReport.h"

using namespace worship::rules;
using kit::rules::TBoundValue;

namespace {

TEST(DuesReport, PeriodOrPaymentDatesOrNothing) {
  const kit::rules::TStatement count = LivingMemberCount();
  EXPECT_EQ(count.lines, (std::vector<std::string>{"select count(nij) as jml from detail_kk", "where sts_hidup=:sh"}));
  ASSERT_NE(count.Param("sh"), nullptr);
  EXPECT_EQ(count.Param("sh")->text, "Hidup");

  const std::vector<std::string> head = {
      "select m.no_kwitansi,m.periode,m.tgl_bayar,t.nij,d.nama_gabung,t.nominal,d.sex,d.sekpel "
      "from mpag m,detail_kk d,mpag_detail t",
      "where d.nij=t.nij", "and m.no_kwitansi=t.no_kwitansi"};

  auto period = DuesLines({.period = std::string("2023-2024")});
  ASSERT_TRUE(period);
  std::vector<std::string> expected = head;
  expected.push_back("and m.periode=:pe");
  EXPECT_EQ(period->statement.lines, expected);
  ASSERT_EQ(period->statement.params.size(), 1u);
  EXPECT_EQ(period->statement.params[0], (TBoundValue{.name = "pe", .text = "2023-2024"}));
  EXPECT_EQ(period->filter, "Filter : Berdasarkan Periode 2023-2024");

  const rtl::TDateTime from = rtl::EncodeDate(2024, 1, 5), to = rtl::EncodeDate(2024, 2, 29);
  auto dates = DuesLines({.dates = TDuesCriteria::TDates{from, to}});
  ASSERT_TRUE(dates);
  expected = head;
  expected.push_back("and m.tgl_bayar>=:t1 and m.tgl_bayar<=:t2");
  EXPECT_EQ(dates->statement.lines, expected);
  ASSERT_NE(dates->statement.Param("t1"), nullptr);
  EXPECT_EQ(dates->statement.Param("t1")->type, TBoundValue::TType::Date);
  EXPECT_EQ(dates->statement.Param("t1")->date, from);
  EXPECT_EQ(dates->statement.Param("t2")->date, to);
  EXPECT_EQ(dates->filter, "Filter : Berdasarkan Tanggal Pembayaran 05/01/2024-29/02/2024");

  EXPECT_FALSE(DuesLines({}));
}

}  // namespace

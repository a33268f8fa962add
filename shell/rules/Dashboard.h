// What the main window's dashboard asks of the database and how it names the month: the
// statement of the pie of living members per category group, and the family of offering
// bar charts, one member per kind of service, each summing its day totals of a month.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rtl/DateUtils.h"

namespace shell {

struct TOfferingChart {
  const char* kind;       // the chart's entry in the dashboard's list
  const char* table;      // the service table
  const char* sum;        // what one service gives
  const char* title;      // the chart's title
  uint32_t titleColor;    // 0x00BBGGRR
};

// In the order of the list's entries.
const std::array<TOfferingChart, 5>& OfferingCharts();

// The statement of one chart, line by line: the day of the month and its total, for
// services from :t1 to :t2 (both dates).
std::vector<std::string> OfferingStatement(const TOfferingChart& chart);

// The month a day lies in: its first and last day.
struct TMonthSpan {
  rtl::TDateTime first = 0, last = 0;
};
TMonthSpan MonthOf(rtl::TDateTime day);
// "*Bulan : " with the month's Indonesian name and the year ("*Bulan : Februari 2024").
std::string MonthCaption(rtl::TDateTime day);

// The statement of the pie, line by line: each category group in display order with its
// number of members whose life state is :sh. A group without any has no row.
std::vector<std::string> PelkatStatement();

}  // namespace shell

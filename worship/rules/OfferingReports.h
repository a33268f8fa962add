// The five offering reports without windows: for each kind of service the parameter
// window's names and texts, the choice that narrows it, the statement with its date
// range and optional filter line, the text under the header, and the list's columns
// with the amounts that are summed. Win32-free.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace worship::rules {

// The running line number printed before the columns.
inline constexpr int kOfferingNumberWidth = 30;

struct TOfferingColumn {
  const char* title;
  const char* field;
  int width;            // in page units on a landscape Letter page
  bool amount = false;  // printed with "#####," and summed under the column
  bool count = false;   // a number printed at the right, not summed
};

struct TOfferingReport {
  const char* window;    // the parameter window's instance name
  const char* layout;    // the layout's instance name
  const char* caption;   // the parameter window's caption
  const char* choice;    // the filter check box's caption
  std::vector<const char*> values;  // its list
  std::vector<const char*> select;  // the select and its date condition, one line each
  const char* filter;    // the filter line
  const char* param;     // its parameter
  const char* prefix;    // the text under the header with the filter: prefix + value
  const char* all;       // and without it
  const char* title;     // the layout's title
  std::vector<TOfferingColumn> columns;
};

// Sunday, sector, category group, thanksgiving, church feast.
const TOfferingReport& SundayOfferings();
const TOfferingReport& SectorOfferings();
const TOfferingReport& PelkatOfferings();
const TOfferingReport& ThanksgivingOfferings();
const TOfferingReport& FeastOfferings();
const std::vector<const TOfferingReport*>& OfferingReports();

// The statement's lines: the select with its date condition (parameters t1, t2), and
// the filter line when the report is narrowed.
std::vector<std::string> OfferingStatement(const TOfferingReport& r, bool filtered);
// The line under the header: the date range, and the filter or the "all" text.
std::string OfferingPeriod(std::string_view from, std::string_view to);
std::string OfferingFilterText(const TOfferingReport& r, bool filtered, std::string_view value);
// "SUM(a+b+...)" over the amount columns: the grand total.
std::string OfferingGrandTotal(const TOfferingReport& r);

}  // namespace worship::rules

// Rules of the council registers: the council-member number, the term text, the age
// shown for a council member and the order in which the random grouping deals council
// members into groups. Win32-free.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "registry/rules/Numbering.h"
#include "rtl/DateUtils.h"

namespace registry::rules {

// Council member: "MJ-" + counter + "-1" for a man ("Pria") or "-2" for a woman
// ("Wanita"); the counter sits at positions 4 to 8 and one counter serves both sexes.
// Any other sex is refused with ENumberingError: the number would carry no suffix.
std::string NextCouncilNumber(const std::optional<std::string>& lastNimp, std::string_view sex);

// A term: the year of its start, "-", the year of its end ("2014-2019").
std::string PeriodText(rtl::TDateTime start, rtl::TDateTime end);

// Age as the council windows show it: whole days between the birth date and `now`,
// divided by 365 with the remainder dropped.
int AgeInYears(rtl::TDateTime birth, rtl::TDateTime now);

// Deals group numbers 1, 2, ..., groups, 1, 2, ... to the rows of one pass in order.
// The index starts again at the first group whenever it has passed the last one, so a
// group count below one puts every row into group 1.
class TGroupDeal {
 public:
  explicit TGroupDeal(int groups) : groups_(groups) {}
  int Next();

 private:
  long long groups_;
  long long index_ = 0;
};

}  // namespace registry::rules

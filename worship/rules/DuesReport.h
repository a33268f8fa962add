// The statements of the dues report: the count of living members and the payment
// lines of one period or of a range of payment dates (both days included), with the
// filter line the layout prints. The periods offered are the
// payments' own (DuesPeriods). Win32-free.
#pragma once
#include <optional>
#include <string>

#include "kit/rules/Statement.h"
#include "worship/rules/Documents.h"

namespace worship::rules {

// "select count(nij) as jml ..." over the living members.
kit::rules::TStatement LivingMemberCount();

struct TDuesCriteria {
  std::optional<std::string> period;
  struct TDates {
    rtl::TDateTime from, to;
  };
  std::optional<TDates> dates;
};
// Nothing when neither a period nor payment dates are chosen.
std::optional<kit::rules::TReportQuery> DuesLines(const TDuesCriteria& c);

}  // namespace worship::rules

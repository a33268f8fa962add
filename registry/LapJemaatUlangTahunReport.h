// The birthday list placed on its report window: under the title the period, the
// sector and the category group chosen; one numbered line per member with the
// birthday as the day and the month's name the database server gives.
#pragma once
#include "kit/ListReport.h"

namespace registry {

class TLapJemaatUlangTahunReport : public kit::TListReport {
  KORVAN_CLASS(TLapJemaatUlangTahunReport)
 public:
  explicit TLapJemaatUlangTahunReport(rtl::TComponent* owner);

  report::TQRLabel* QRLabel17;  // the sector filter
  report::TQRLabel* QRLabel18;  // the category filter
  report::TQRLabel* QRLabel20;  // the period
};

}  // namespace registry

// The landscape list of an offering report: under the church header the title, the
// date range and the filter; a column per field of the kind's table with a running line
// number; under the list the number of rows, the sum of each offering under its column
// and the grand total of all offerings; the page number at the foot of every page.
#pragma once
#include "kit/ChurchHeader.h"
#include "worship/rules/OfferingReports.h"

namespace worship {

class TOfferingReportLayout : public kit::TChurchReport {
  KORVAN_CLASS(TOfferingReportLayout)
 public:
  TOfferingReportLayout(rtl::TComponent* owner, const rules::TOfferingReport& kind);

  report::TQRLabel* QRLabel4;   // the title
  report::TQRLabel* QRLabel19;  // the date range
  report::TQRLabel* QRLabel20;  // the filter
  report::TQRBand* ColumnHeaderBand1;
  report::TQRBand* DetailBand1;
  report::TQRBand* SummaryBand1;
  report::TQRBand* PageFooterBand1;
};

}  // namespace worship

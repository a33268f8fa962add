// The dues report: one line per payment line with its receipt, payment date, member and
// amount; the total paid, the number of lines and the number of living members.
#pragma once
#include "kit/ListReport.h"

namespace worship {

class TFQRRepMPAG : public kit::TListReport {
  KORVAN_CLASS(TFQRRepMPAG)
 public:
  explicit TFQRRepMPAG(rtl::TComponent* owner);

  report::TQRExpr* QRExprTotal;  // the sum of the amounts
  report::TQRExpr* QRExprJumlah;  // the lines printed
  report::TQRLabel* QRLabel23;  // the living members, written by the report window
};

extern TFQRRepMPAG* FQRRepMPAG;

}  // namespace worship

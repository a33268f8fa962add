// The thanksgiving offering report's window.
#pragma once
#include "worship/OfferingReport.h"

namespace worship {

class TFRepPersembahanIbadahSyukur : public TOfferingReportForm {
  KORVAN_CLASS(TFRepPersembahanIbadahSyukur)
 public:
  explicit TFRepPersembahanIbadahSyukur(rtl::TComponent* owner) : TOfferingReportForm(owner, rules::ThanksgivingOfferings()) {}
};

extern TFRepPersembahanIbadahSyukur* FRepPersembahanIbadahSyukur;

}  // namespace worship

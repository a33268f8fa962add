// The thanksgiving offering report's list.
#pragma once
#include "worship/QROfferingReport.h"

namespace worship {

class TFQRRepPersembahanIbadahSyukur : public TOfferingReportLayout {
  KORVAN_CLASS(TFQRRepPersembahanIbadahSyukur)
 public:
  explicit TFQRRepPersembahanIbadahSyukur(rtl::TComponent* owner) : TOfferingReportLayout(owner, rules::ThanksgivingOfferings()) {}
};

extern TFQRRepPersembahanIbadahSyukur* FQRRepPersembahanIbadahSyukur;

}  // namespace worship

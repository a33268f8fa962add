// The sector offering report's list.
#pragma once
#include "worship/QROfferingReport.h"

namespace worship {

class TFQRRepPersembahanIbadahSektor : public TOfferingReportLayout {
  KORVAN_CLASS(TFQRRepPersembahanIbadahSektor)
 public:
  explicit TFQRRepPersembahanIbadahSektor(rtl::TComponent* owner) : TOfferingReportLayout(owner, rules::SectorOfferings()) {}
};

extern TFQRRepPersembahanIbadahSektor* FQRRepPersembahanIbadahSektor;

}  // namespace worship

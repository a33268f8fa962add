// The category-group offering report's list.
#pragma once
#include "worship/QROfferingReport.h"

namespace worship {

class TFQRRepPersembahanIbadahPelkat : public TOfferingReportLayout {
  KORVAN_CLASS(TFQRRepPersembahanIbadahPelkat)
 public:
  explicit TFQRRepPersembahanIbadahPelkat(rtl::TComponent* owner) : TOfferingReportLayout(owner, rules::PelkatOfferings()) {}
};

extern TFQRRepPersembahanIbadahPelkat* FQRRepPersembahanIbadahPelkat;

}  // namespace worship

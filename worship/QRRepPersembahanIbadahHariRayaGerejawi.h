// The church-feast offering report's list.
#pragma once
#include "worship/QROfferingReport.h"

namespace worship {

class TFQRRepPersembahanIbadahHariRayaGerejawi : public TOfferingReportLayout {
  KORVAN_CLASS(TFQRRepPersembahanIbadahHariRayaGerejawi)
 public:
  explicit TFQRRepPersembahanIbadahHariRayaGerejawi(rtl::TComponent* owner) : TOfferingReportLayout(owner, rules::FeastOfferings()) {}
};

extern TFQRRepPersembahanIbadahHariRayaGerejawi* FQRRepPersembahanIbadahHariRayaGerejawi;

}  // namespace worship

// The church-feast offering report's window.
#pragma once
#include "worship/OfferingReport.h"

namespace worship {

class TFRepPersembahanIbadahHariRayaGerejawi : public TOfferingReportForm {
  KORVAN_CLASS(TFRepPersembahanIbadahHariRayaGerejawi)
 public:
  explicit TFRepPersembahanIbadahHariRayaGerejawi(rtl::TComponent* owner) : TOfferingReportForm(owner, rules::FeastOfferings()) {}
};

extern TFRepPersembahanIbadahHariRayaGerejawi* FRepPersembahanIbadahHariRayaGerejawi;

}  // namespace worship

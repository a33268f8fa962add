// The category-group offering report's window.
#pragma once
#include "worship/OfferingReport.h"

namespace worship {

class TFRepPersembahanIbadahPelkat : public TOfferingReportForm {
  KORVAN_CLASS(TFRepPersembahanIbadahPelkat)
 public:
  explicit TFRepPersembahanIbadahPelkat(rtl::TComponent* owner) : TOfferingReportForm(owner, rules::PelkatOfferings()) {}
};

extern TFRepPersembahanIbadahPelkat* FRepPersembahanIbadahPelkat;

}  // namespace worship

// The sector offering report's window.
#pragma once
#include "worship/OfferingReport.h"

namespace worship {

class TFRepPersembahanIbadahSektor : public TOfferingReportForm {
  KORVAN_CLASS(TFRepPersembahanIbadahSektor)
 public:
  explicit TFRepPersembahanIbadahSektor(rtl::TComponent* owner) : TOfferingReportForm(owner, rules::SectorOfferings()) {}
};

extern TFRepPersembahanIbadahSektor* FRepPersembahanIbadahSektor;

}  // namespace worship

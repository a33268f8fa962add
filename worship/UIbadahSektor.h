// The sector service window.
#pragma once
#include "worship/HostServiceForm.h"

namespace worship {

class TFIbadahSektor : public THostServiceForm {
  KORVAN_CLASS(TFIbadahSektor)
 public:
  explicit TFIbadahSektor(rtl::TComponent* owner)
      : THostServiceForm(owner, rules::SectorService(), "FIbadahSektor", "Ibadah >> Ibadah Sektor", "FCariIbadahSektor") {}
};

extern TFIbadahSektor* FIbadahSektor;

}  // namespace worship

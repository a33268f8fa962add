// The printed form of a sector service.
#pragma once
#include "worship/QRHostService.h"

namespace worship {

class TFQRRepIbadahSektor : public THostServiceReport {
  KORVAN_CLASS(TFQRRepIbadahSektor)
 public:
  explicit TFQRRepIbadahSektor(rtl::TComponent* owner)
      : THostServiceReport(owner, "FQRRepIbadahSektor", "IBADAH SEKTOR PELAYANAN", THostForm::Sector) {}
};

extern TFQRRepIbadahSektor* FQRRepIbadahSektor;

}  // namespace worship

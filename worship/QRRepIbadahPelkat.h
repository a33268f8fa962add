// The printed form of one line of a category-group service.
#pragma once
#include "worship/QRHostService.h"

namespace worship {

class TFQRRepIbadahPelkat : public THostServiceReport {
  KORVAN_CLASS(TFQRRepIbadahPelkat)
 public:
  explicit TFQRRepIbadahPelkat(rtl::TComponent* owner)
      : THostServiceReport(owner, "FQRRepIbadahPelkat", "IBADAH PELAYANAN KATEGORIAL", THostForm::Pelkat) {}
};

extern TFQRRepIbadahPelkat* FQRRepIbadahPelkat;

}  // namespace worship

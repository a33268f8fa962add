// The printed form of a thanksgiving service.
#pragma once
#include "worship/QRHostService.h"

namespace worship {

class TFQRRepIbadahSyukur : public THostServiceReport {
  KORVAN_CLASS(TFQRRepIbadahSyukur)
 public:
  explicit TFQRRepIbadahSyukur(rtl::TComponent* owner)
      : THostServiceReport(owner, "FQRRepIbadahSyukur", "IBADAH PENGUCAPAN SYUKUR", THostForm::Thanksgiving) {}
};

extern TFQRRepIbadahSyukur* FQRRepIbadahSyukur;

}  // namespace worship

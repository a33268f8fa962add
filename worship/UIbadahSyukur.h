// The thanksgiving service window.
#pragma once
#include "worship/HostServiceForm.h"

namespace worship {

class TFIbadahSyukur : public THostServiceForm {
  KORVAN_CLASS(TFIbadahSyukur)
 public:
  explicit TFIbadahSyukur(rtl::TComponent* owner)
      : THostServiceForm(owner, rules::ThanksgivingService(), "FIbadahSyukur", "Ibadah >> Ibadah Syukur", "FCariIbadahSyukur") {}
};

extern TFIbadahSyukur* FIbadahSyukur;

}  // namespace worship

// The thanksgiving service search.
#pragma once
#include "worship/HostServiceSearch.h"

namespace worship {

class TFCariIbadahSyukur : public THostServiceSearch {
  KORVAN_CLASS(TFCariIbadahSyukur)
 public:
  explicit TFCariIbadahSyukur(rtl::TComponent* owner)
      : THostServiceSearch(owner, {rules::ThanksgivingService(), "FCariIbadahSyukur", "Ibadah >> Ibadah Syukur >> Pencarian", "FIbadahSyukur", "FQRRepIbadahSyukur"}) {}
};

extern TFCariIbadahSyukur* FCariIbadahSyukur;

}  // namespace worship

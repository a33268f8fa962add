// The sector service search.
#pragma once
#include "worship/HostServiceSearch.h"

namespace worship {

class TFCariIbadahSektor : public THostServiceSearch {
  KORVAN_CLASS(TFCariIbadahSektor)
 public:
  explicit TFCariIbadahSektor(rtl::TComponent* owner)
      : THostServiceSearch(owner, {rules::SectorService(), "FCariIbadahSektor", "Ibadah >> Ibadah Sektor >> Pencarian", "FIbadahSektor", "FQRRepIbadahSektor"}) {}
};

extern TFCariIbadahSektor* FCariIbadahSektor;

}  // namespace worship

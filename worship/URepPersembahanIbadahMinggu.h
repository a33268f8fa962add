// The Sunday offering report's window.
#pragma once
#include "worship/OfferingReport.h"

namespace worship {

class TFRepPersembahanIbadahMinggu : public TOfferingReportForm {
  KORVAN_CLASS(TFRepPersembahanIbadahMinggu)
 public:
  explicit TFRepPersembahanIbadahMinggu(rtl::TComponent* owner) : TOfferingReportForm(owner, rules::SundayOfferings()) {}
};

extern TFRepPersembahanIbadahMinggu* FRepPersembahanIbadahMinggu;

}  // namespace worship

// The Sunday offering report's list.
#pragma once
#include "worship/QROfferingReport.h"

namespace worship {

class TFQRRepPersembahanIbadahMinggu : public TOfferingReportLayout {
  KORVAN_CLASS(TFQRRepPersembahanIbadahMinggu)
 public:
  explicit TFQRRepPersembahanIbadahMinggu(rtl::TComponent* owner) : TOfferingReportLayout(owner, rules::SundayOfferings()) {}
};

extern TFQRRepPersembahanIbadahMinggu* FQRRepPersembahanIbadahMinggu;

}  // namespace worship

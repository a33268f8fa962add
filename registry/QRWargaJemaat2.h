// The member list of one criterion: one line per member with the family's number in
// front, without grouping.
#pragma once
#include "kit/ListReport.h"

namespace registry {

class TFQRWargaJemaat2 : public kit::TListReport {
  KORVAN_CLASS(TFQRWargaJemaat2)
 public:
  explicit TFQRWargaJemaat2(rtl::TComponent* owner);
};

extern TFQRWargaJemaat2* FQRWargaJemaat2;

}  // namespace registry

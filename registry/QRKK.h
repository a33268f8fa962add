// The list of the heads of family: number, name, address and sector of each family.
#pragma once
#include "kit/ListReport.h"

namespace registry {

class TFQRKK : public kit::TListReport {
  KORVAN_CLASS(TFQRKK)
 public:
  explicit TFQRKK(rtl::TComponent* owner);
};

extern TFQRKK* FQRKK;

}  // namespace registry

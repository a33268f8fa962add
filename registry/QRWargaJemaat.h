// The member list grouped by family: each head of family with the family's number,
// registration date and address, then the family's members one per line.
#pragma once
#include <vector>

#include "kit/ListReport.h"

namespace registry {

// The eleven member columns of the member lists, from `x` on.
std::vector<kit::TListColumn> MemberColumns(int x);

class TFQRWargaJemaat : public kit::TListReport {
  KORVAN_CLASS(TFQRWargaJemaat)
 public:
  explicit TFQRWargaJemaat(rtl::TComponent* owner);

  report::TQRGroup* QRGroup1;  // a new group whenever the head-of-family name changes
  report::TQRChildBand* ChildBand1;  // the column headings under each group
};

extern TFQRWargaJemaat* FQRWargaJemaat;

}  // namespace registry

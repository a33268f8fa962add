// The list of council members: number, office and name, birth date, sex, sector,
// category group, status and term of each council record.
#pragma once
#include "kit/ListReport.h"

namespace registry {

class TFQRMajelis : public kit::TListReport {
  KORVAN_CLASS(TFQRMajelis)
 public:
  explicit TFQRMajelis(rtl::TComponent* owner);
};

extern TFQRMajelis* FQRMajelis;

}  // namespace registry

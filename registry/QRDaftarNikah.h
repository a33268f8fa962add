// The marriage application form: groom and bride side by side with their parents,
// guardians and witnesses, the civil registration and the church blessing, the
// council's notes and the signatures of the couple, the council and the head minister.
#pragma once
#include "registry/SacramentForm.h"

namespace registry {

class TFQRDaftarNikah : public TSacramentForm {
  KORVAN_CLASS(TFQRDaftarNikah)
 public:
  explicit TFQRDaftarNikah(rtl::TComponent* owner);

  // Every value label from the application row; the church and the head minister read
  // on `q` (nothing of an earlier print remains).
  void Fill(data::TZQuery& row, data::TZQuery& q);
};

extern TFQRDaftarNikah* FQRDaftarNikah;

}  // namespace registry

// The catechism application form: the registration, the candidate, both parents with
// their ages, the council's notes, the seven documents and the signatures, the
// minister's name above "Pendeta" for a member of this congregation.
#pragma once
#include "registry/SacramentForm.h"

namespace registry {

class TFQRDaftarKatekisasi : public TSacramentForm {
  KORVAN_CLASS(TFQRDaftarKatekisasi)
 public:
  explicit TFQRDaftarKatekisasi(rtl::TComponent* owner);

  // Every value label from the registration row and the signing minister read on
  // `signer`; nothing of an earlier print remains.
  void Fill(data::TZQuery& row, data::TZQuery& signer);
};

// A parent's age as the form prints it: whole days since the birth date divided by 365,
// then " Tahun".
std::string AgeText(rtl::TDateTime birth, rtl::TDateTime now);

extern TFQRDaftarKatekisasi* FQRDaftarKatekisasi;

}  // namespace registry

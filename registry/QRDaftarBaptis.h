// The baptism application form: the registration, the child, the parents, the
// council's notes on the meeting and the execution, and the documents handed in.
#pragma once
#include "registry/SacramentForm.h"

namespace registry {

class TFQRDaftarBaptis : public TSacramentForm {
  KORVAN_CLASS(TFQRDaftarBaptis)
 public:
  explicit TFQRDaftarBaptis(rtl::TComponent* owner);

  // Every value label from the registration row; nothing of an earlier print remains.
  void Fill(data::TZQuery& row);
};

extern TFQRDaftarBaptis* FQRDaftarBaptis;

}  // namespace registry

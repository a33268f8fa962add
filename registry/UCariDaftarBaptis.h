// The baptism search: registrations by the child's name or the church status; one is
// reopened in the registration window while it is not yet validated, deleted, or
// printed as the application form.
#pragma once
#include "registry/SacramentSearch.h"

namespace registry {

class TFCariDaftarBaptis : public TSacramentSearch {
  KORVAN_CLASS(TFCariDaftarBaptis)
 public:
  explicit TFCariDaftarBaptis(rtl::TComponent* owner);

 protected:
  void CopyRow(data::TZQuery& q) override;
  void Print(data::TZQuery& q) override;
};

extern TFCariDaftarBaptis* FCariDaftarBaptis;

}  // namespace registry

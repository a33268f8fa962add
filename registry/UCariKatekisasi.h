// The catechism search: registrations by the candidate's name or the church status; one
// is reopened in the registration window while it is not yet validated, deleted, or
// printed as the application form.
#pragma once
#include "registry/SacramentSearch.h"

namespace registry {

class TFCariKatekisasi : public TSacramentSearch {
  KORVAN_CLASS(TFCariKatekisasi)
 public:
  explicit TFCariKatekisasi(rtl::TComponent* owner);

 protected:
  void CopyRow(data::TZQuery& q) override;
  void Print(data::TZQuery& q) override;
};

extern TFCariKatekisasi* FCariKatekisasi;

}  // namespace registry

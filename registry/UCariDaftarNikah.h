// The marriage search: applications by the groom's name or church status; one is
// reopened in the registration window while it is not yet validated, or deleted.
#pragma once
#include "registry/SacramentSearch.h"

namespace registry {

class TFCariDaftarNikah : public TSacramentSearch {
  KORVAN_CLASS(TFCariDaftarNikah)
 public:
  explicit TFCariDaftarNikah(rtl::TComponent* owner);

 protected:
  void CopyRow(data::TZQuery& q) override;
  void Print(data::TZQuery& q) override;
  bool PrintsWithoutRow() const override { return true; }
};

extern TFCariDaftarNikah* FCariDaftarNikah;

}  // namespace registry

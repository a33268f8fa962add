// The members of one sector, optionally confirmed only, of one category group and of one sex.
#pragma once
#include "registry/MemberCriterionForm.h"

namespace registry {

class TFRepJemaatPerSektor : public TMemberCriterionForm {
  KORVAN_CLASS(TFRepJemaatPerSektor)
 public:
  explicit TFRepJemaatPerSektor(rtl::TComponent* owner);

 protected:
  void Preview() override;
};

extern TFRepJemaatPerSektor* FRepJemaatPerSektor;

}  // namespace registry

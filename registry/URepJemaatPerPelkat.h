// The members of one category group, optionally confirmed only, of one region and of one sex.
#pragma once
#include "registry/MemberCriterionForm.h"

namespace registry {

class TFRepJemaatPerPelkat : public TMemberCriterionForm {
  KORVAN_CLASS(TFRepJemaatPerPelkat)
 public:
  explicit TFRepJemaatPerPelkat(rtl::TComponent* owner);

 protected:
  void Preview() override;
};

extern TFRepJemaatPerPelkat* FRepJemaatPerPelkat;

}  // namespace registry

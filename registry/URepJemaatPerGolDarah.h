// The members of one blood group, optionally confirmed only.
#pragma once
#include "registry/MemberCriterionForm.h"

namespace registry {

class TFRepJemaatPerGolDarah : public TMemberCriterionForm {
  KORVAN_CLASS(TFRepJemaatPerGolDarah)
 public:
  explicit TFRepJemaatPerGolDarah(rtl::TComponent* owner);

 protected:
  void Preview() override;
};

extern TFRepJemaatPerGolDarah* FRepJemaatPerGolDarah;

}  // namespace registry

// The members of one life state: living, deceased or transferred.
#pragma once
#include "registry/MemberCriterionForm.h"

namespace registry {

class TFRepJemaatStsHidup : public TMemberCriterionForm {
  KORVAN_CLASS(TFRepJemaatStsHidup)
 public:
  explicit TFRepJemaatStsHidup(rtl::TComponent* owner);

 protected:
  void Preview() override;
};

extern TFRepJemaatStsHidup* FRepJemaatStsHidup;

}  // namespace registry

// The report of every active council member.
#pragma once
#include "registry/CouncilReportForm.h"

namespace registry {

class TFRepMajelis : public TCouncilReportForm {
  KORVAN_CLASS(TFRepMajelis)
 public:
  explicit TFRepMajelis(rtl::TComponent* owner)
      : TCouncilReportForm(owner, "FRepMajelis", "Laporan Majelis Jemaat", 300, 80) {}

 protected:
  std::optional<rules::TCouncilCriteria> Criteria() override { return rules::TCouncilCriteria{}; }
};

extern TFRepMajelis* FRepMajelis;

}  // namespace registry

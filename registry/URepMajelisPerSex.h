// The active council members of one sex.
#pragma once
#include "registry/CouncilReportForm.h"

namespace registry {

class TFRepMajelisPerSex : public TCouncilChoiceForm {
  KORVAN_CLASS(TFRepMajelisPerSex)
 public:
  explicit TFRepMajelisPerSex(rtl::TComponent* owner)
      : TCouncilChoiceForm(owner, {"FRepMajelisPerSex", "Laporan Majelis Per Jenis Kelamin", "Jenis Kelamin", {"Pria", "Wanita"}, rules::TCouncilFilter::Sex}) {}
};

extern TFRepMajelisPerSex* FRepMajelisPerSex;

}  // namespace registry

// The active council members of one office: elders or deacons.
#pragma once
#include "registry/CouncilReportForm.h"

namespace registry {

class TFRepMajelisPerJabatan : public TCouncilChoiceForm {
  KORVAN_CLASS(TFRepMajelisPerJabatan)
 public:
  explicit TFRepMajelisPerJabatan(rtl::TComponent* owner)
      : TCouncilChoiceForm(owner, {"FRepMajelisPerJabatan", "Laporan Majelis Per Jabatan", "Jabatan", {"Penatua", "Diaken"}, rules::TCouncilFilter::Office}) {}
};

extern TFRepMajelisPerJabatan* FRepMajelisPerJabatan;

}  // namespace registry

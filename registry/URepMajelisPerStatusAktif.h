// The council records of living members of one status: serving or ended.
#pragma once
#include "registry/CouncilReportForm.h"

namespace registry {

class TFRepMajelisPerStatusAktif : public TCouncilChoiceForm {
  KORVAN_CLASS(TFRepMajelisPerStatusAktif)
 public:
  explicit TFRepMajelisPerStatusAktif(rtl::TComponent* owner)
      : TCouncilChoiceForm(owner, {"FRepMajelisPerStatusAktif", "Laporan Majelis Per Status Aktif", "Status", {"Aktif", "Selesai"}, rules::TCouncilFilter::Status}) {}
};

extern TFRepMajelisPerStatusAktif* FRepMajelisPerStatusAktif;

}  // namespace registry

// The members of one blood group, optionally confirmed only.
#pragma once
#include "kit/ReportForm.h"

namespace registry {

using rtl::TObject;

class TFRepJemaatPerGolDarah : public kit::TReportForm {
  KORVAN_CLASS(TFRepJemaatPerGolDarah)
 public:
  explicit TFRepJemaatPerGolDarah(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TLabel* Label1;  // "Gol.Darah"
  gui::TComboBox* ComboBox1;
  gui::TCheckBox* CheckBox1;  // "Sidi"

  void FormActivate(TObject* sender);

 protected:
  void Preview() override;
};

extern TFRepJemaatPerGolDarah* FRepJemaatPerGolDarah;

}  // namespace registry

// The members of one sector, optionally confirmed only, of one category group and of
// one sex.
#pragma once
#include "kit/ReportForm.h"

namespace registry {

using rtl::TObject;

class TFRepJemaatPerSektor : public kit::TReportForm {
  KORVAN_CLASS(TFRepJemaatPerSektor)
 public:
  explicit TFRepJemaatPerSektor(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TLabel* Label1;  // "Sektor"
  gui::TComboBox* ComboBox1;
  gui::TCheckBox* CheckBox1;  // "Sidi"
  gui::TCheckBox* CheckBox2;  // "PelKat"
  gui::TComboBox* ComboBox2;
  gui::TCheckBox* CheckBox3;  // "Sex"
  gui::TComboBox* ComboBox3;

  void FormActivate(TObject* sender);

 protected:
  void Preview() override;
};

extern TFRepJemaatPerSektor* FRepJemaatPerSektor;

}  // namespace registry

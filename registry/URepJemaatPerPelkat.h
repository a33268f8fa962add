// The members of one category group, optionally confirmed only, of one region and of
// one sex.
#pragma once
#include "kit/ReportForm.h"

namespace registry {

using rtl::TObject;

class TFRepJemaatPerPelkat : public kit::TReportForm {
  KORVAN_CLASS(TFRepJemaatPerPelkat)
 public:
  explicit TFRepJemaatPerPelkat(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TLabel* Label1;  // "Pelkat"
  gui::TComboBox* ComboBox1;
  gui::TCheckBox* CheckBox1;  // "Sidi"
  gui::TCheckBox* CheckBox2;  // "Wilayah"
  gui::TComboBox* ComboBox2;
  gui::TCheckBox* CheckBox3;  // "Sex"
  gui::TComboBox* ComboBox3;

  void FormActivate(TObject* sender);

 protected:
  void Preview() override;
};

extern TFRepJemaatPerPelkat* FRepJemaatPerPelkat;

}  // namespace registry

// The heads-of-family report: every family or those of one sector.
#pragma once
#include "kit/ReportForm.h"

namespace registry {

using rtl::TObject;

class TFRepKK : public kit::TReportForm {
  KORVAN_CLASS(TFRepKK)
 public:
  explicit TFRepKK(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TCheckBox* CheckBox1;  // "Sektor"
  gui::TComboBox* ComboBox1;

  void FormActivate(TObject* sender);

 protected:
  void Preview() override;
};

extern TFRepKK* FRepKK;

}  // namespace registry

// The member list report: every living member or the confirmed ones, optionally of one
// sector and of one category group, grouped by family.
#pragma once
#include "kit/ReportForm.h"

namespace registry {

using rtl::TObject;

class TFRepWargaJemaat : public kit::TReportForm {
  KORVAN_CLASS(TFRepWargaJemaat)
 public:
  explicit TFRepWargaJemaat(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TRadioButton* RadioButton1;  // "Semua Warga Jemaat"
  gui::TRadioButton* RadioButton2;  // "Semua Warga Sidi Jemaat"
  gui::TLabel* Label1;              // "(Sudah SIDI)"
  gui::TCheckBox* CheckBox1;        // "SekPel"
  gui::TComboBox* ComboBox1;
  gui::TCheckBox* CheckBox2;        // "PelKat"
  gui::TComboBox* ComboBox2;

  void FormActivate(TObject* sender);

 protected:
  void Preview() override;
};

extern TFRepWargaJemaat* FRepWargaJemaat;

}  // namespace registry

// The active council members of a region (north, south or all) or of one sector.
#pragma once
#include "registry/CouncilReportForm.h"

namespace registry {

class TFRepMajelisPerSektor : public TCouncilReportForm {
  KORVAN_CLASS(TFRepMajelisPerSektor)
 public:
  explicit TFRepMajelisPerSektor(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TRadioButton* RadioButton1;  // "Wilayah"
  gui::TComboBox* ComboBox1;
  gui::TRadioButton* RadioButton2;  // "Sektor"
  gui::TComboBox* ComboBox2;

  void FormActivate(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);

 protected:
  std::optional<rules::TCouncilCriteria> Criteria() override;

 private:
  // The chosen criterion's list enabled (and focused), the other disabled; both on
  // their first entry.
  void Choose(gui::TComboBox* chosen);
};

extern TFRepMajelisPerSektor* FRepMajelisPerSektor;

}  // namespace registry

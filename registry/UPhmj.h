// The executive-council window: an active council member given an executive office
// (chair, secretary, treasurer) for a term.
#pragma once
#include "data/ZQuery.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "kit/EntryForm.h"

namespace registry {

using rtl::TObject;

class TFPhmj : public kit::TEntryForm {
  KORVAN_CLASS(TFPhmj)
 public:
  explicit TFPhmj(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;  // " Majelis Jemaat ", written by the council-member lookup
  gui::TSpeedButton* SpeedButton1;
  gui::TEdit* Edit2;
  gui::TEdit* Edit3;
  gui::TEdit* Edit4;
  gui::TEdit* Edit5;
  gui::TGroupBox* GroupBox2;  // " Pelaksana Harian Majelis Jemaat (PHMJ) "
  gui::TComboBox* ComboBox1;
  gui::TRadioButton* RadioButton1;
  gui::TRadioButton* RadioButton2;
  gui::TEdit* Edit6;
  gui::TDateTimePicker* DateTimePicker1;
  gui::TDateTimePicker* DateTimePicker2;
  gui::TPanel* Panel2;
  gui::TSpeedButton* SpeedButton2;

  void SpeedButton1Click(TObject* sender);

 private:
  void Save() override;
  void Cleared() override;
  gui::TWinControl* FirstInput() override { return nullptr; }
};

extern TFPhmj* FPhmj;

}  // namespace registry

// The council-member window: a member registered as elder or deacon for a term, the term
// closed with a reason, and the member's validation PIN set.
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

class TFMajelis : public kit::TEntryForm {
  KORVAN_CLASS(TFMajelis)
 public:
  explicit TFMajelis(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;  // " Identitas "
  gui::TEdit* Edit2;          // member number, written by the member lookup
  gui::TSpeedButton* SpeedButton1;
  gui::TEdit* Edit3;
  gui::TEdit* Edit4;
  gui::TEdit* Edit5;  // sex: chooses the number's suffix
  gui::TEdit* Edit6;
  gui::TEdit* Edit7;
  gui::TGroupBox* GroupBox2;  // " Jabatan "
  gui::TRadioButton* RadioButton1;
  gui::TRadioButton* RadioButton2;
  gui::TEdit* Edit8;
  gui::TComboBox* ComboBox1;
  gui::TLabel* Label13;
  gui::TEdit* Edit9;
  gui::TGroupBox* GroupBox3;  // " Periode "
  gui::TDateTimePicker* DateTimePicker1;
  gui::TDateTimePicker* DateTimePicker2;
  gui::TGroupBox* GroupBox4;  // " Akses "
  gui::TLabel* Label14;
  gui::TEdit* Edit10;
  gui::TButton* Button1;
  gui::TPanel* Panel2;
  gui::TSpeedButton* SpeedButton2;

  void SpeedButton1Click(TObject* sender);
  void ComboBox1Change(TObject* sender);
  void Button1Click(TObject* sender);

 private:
  void Save() override;
  void Cleared() override;
  gui::TWinControl* FirstInput() override { return Edit2; }
};

extern TFMajelis* FMajelis;

}  // namespace registry

// The council-group print: every group or one chosen group, shown in the preview.
#pragma once
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace registry {

using rtl::TObject;

class TFPrintGroupMajelis : public gui::TForm {
  KORVAN_CLASS(TFPrintGroupMajelis)
 public:
  explicit TFPrintGroupMajelis(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;  // " Print Group "
  gui::TRadioButton* RadioButton1;
  gui::TRadioButton* RadioButton2;
  gui::TComboBox* ComboBox1;
  gui::TButton* Button1;
  gui::TButton* Button2;

  void FormActivate(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
};

extern TFPrintGroupMajelis* FPrintGroupMajelis;

}  // namespace registry

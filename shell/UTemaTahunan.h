// The yearly-theme window: one theme per period, one of them active; the active theme
// is the one the main window shows.
#pragma once
#include "gui/DBGrids.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace shell {

using rtl::TObject;

class TFTemaTahunan : public gui::TForm {
  KORVAN_CLASS(TFTemaTahunan)
 public:
  explicit TFTemaTahunan(rtl::TComponent* owner);

  gui::TLabel* Label1;
  gui::TEdit* Edit1;
  gui::TLabel* Label2;
  gui::TEdit* Edit2;
  gui::TLabel* Label3;
  gui::TEdit* Edit3;
  gui::TCheckBox* CheckBox1;
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TButton* Button3;
  gui::TDBGrid* DBGrid1;
  gui::TGroupBox* GroupBox1;
  gui::TRadioButton* RadioButton1;
  gui::TComboBox* ComboBox1;
  gui::TRadioButton* RadioButton2;
  gui::TEdit* Edit5;
  gui::TButton* Button4;

  void FormActivate(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void DBGrid1DblClick(TObject* sender);
};

extern TFTemaTahunan* FTemaTahunan;

}  // namespace shell

// The council-member search: council records by name or office, one reopened in the
// council window by a double click, or deleted.
#pragma once
#include "data/ZQuery.h"
#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace registry {

using rtl::TObject;

class TFCariMajelis : public gui::TForm {
  KORVAN_CLASS(TFCariMajelis)
 public:
  explicit TFCariMajelis(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TRadioButton* RadioButton1;
  gui::TRadioButton* RadioButton2;
  gui::TEdit* Edit1;
  gui::TComboBox* ComboBox1;
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TButton* Button3;
  gui::TButton* Button4;
  gui::TDBGrid* DBGrid1;
  gui::TStatusBar* StatusBar1;

  void FormActivate(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void DBGrid1DblClick(TObject* sender);

 private:
  void SelectAll(data::TZQuery& q);
};

extern TFCariMajelis* FCariMajelis;

}  // namespace registry

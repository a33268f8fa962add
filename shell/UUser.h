// The user window: accounts that may log in, their category and their logged-in flag.
#pragma once
#include "gui/DBGrids.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace shell {

using rtl::TObject;

class TFUser : public gui::TForm {
  KORVAN_CLASS(TFUser)
 public:
  explicit TFUser(rtl::TComponent* owner);

  gui::TLabel* Label1;
  gui::TEdit* Edit1;
  gui::TLabel* Label2;
  gui::TEdit* Edit2;
  gui::TLabel* Label3;
  gui::TEdit* Edit3;
  gui::TLabel* Label4;
  gui::TLabel* Label5;
  gui::TComboBox* ComboBox1;
  gui::TLabel* Label6;
  gui::TRadioButton* RadioButton1;
  gui::TRadioButton* RadioButton2;
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TButton* Button5;
  gui::TButton* Button3;
  gui::TDBGrid* DBGrid1;
  gui::TGroupBox* GroupBox1;
  gui::TLabel* Label7;
  gui::TEdit* Edit4;
  gui::TButton* Button4;

  void FormActivate(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void Button5Click(TObject* sender);
  void DBGrid1DblClick(TObject* sender);
};

extern TFUser* FUser;

}  // namespace shell

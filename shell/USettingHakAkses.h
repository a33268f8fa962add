// The access-rights window: which menu rights each user category holds.
#pragma once
#include "gui/DBGrids.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace shell {

using rtl::TObject;

class TFSettingHakAkses : public gui::TForm {
  KORVAN_CLASS(TFSettingHakAkses)
 public:
  explicit TFSettingHakAkses(rtl::TComponent* owner);

  gui::TLabel* Label1;
  gui::TComboBox* ComboBox1;
  gui::TLabel* Label2;
  gui::TComboBox* ComboBox2;
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TButton* Button3;
  gui::TButton* Button4;
  gui::TDBGrid* DBGrid1;

  void FormActivate(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
};

extern TFSettingHakAkses* FSettingHakAkses;

}  // namespace shell

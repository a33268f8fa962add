// The password window: the logged-in user sets a new password.
#pragma once
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace shell {

using rtl::TObject;

class TFUpdatePswd : public gui::TForm {
  KORVAN_CLASS(TFUpdatePswd)
 public:
  explicit TFUpdatePswd(rtl::TComponent* owner);

  gui::TLabel* Label1;
  gui::TEdit* Edit1;
  gui::TLabel* Label2;
  gui::TEdit* Edit2;
  gui::TLabel* Label3;
  gui::TCheckBox* CheckBox1;
  gui::TButton* Button1;
  gui::TButton* Button2;

  // The text the password field offers first; typing replaces it.
  static constexpr const char* DefaultPassword = "58316047";

  void FormActivate(TObject* sender);
  void CheckBox1Click(TObject* sender);
  void Edit2KeyPress(TObject* sender, wchar_t& key);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
};

extern TFUpdatePswd* FUpdatePswd;

}  // namespace shell

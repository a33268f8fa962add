// The church window: the congregation's name and address, one record.
#pragma once
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace shell {

using rtl::TObject;

class TFGereja : public gui::TForm {
  KORVAN_CLASS(TFGereja)
 public:
  explicit TFGereja(rtl::TComponent* owner);

  gui::TLabel* Label1;
  gui::TEdit* Edit1;
  gui::TLabel* Label2;
  gui::TEdit* Edit2;
  gui::TButton* Button1;
  gui::TButton* Button2;

  void FormActivate(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
};

extern TFGereja* FGereja;

}  // namespace shell

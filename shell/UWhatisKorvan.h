// The about window: what the program is, where its name comes from and who made it.
#pragma once
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace shell {

class TFWhatisKorvan : public gui::TForm {
  KORVAN_CLASS(TFWhatisKorvan)
 public:
  explicit TFWhatisKorvan(rtl::TComponent* owner);

  gui::TPanel* Panel1;
  gui::TImage* Image1;
  gui::TLabel* Label1;
  gui::TLabel* Label2;
  gui::TLabel* Label3;
  gui::TLabel* Label4;
  gui::TLabel* Label5;
  gui::TLabel* Label6;
  gui::TLabel* Label7;
  gui::TLabel* Label8;
  gui::TLabel* Label9;
  gui::TButton* Button1;

  void Button1Click(rtl::TObject* sender);
};

extern TFWhatisKorvan* FWhatisKorvan;

}  // namespace shell

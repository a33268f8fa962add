// The default-photo window: the person photo and the couple photo that the registry
// windows show until a photo of their own is uploaded.
#pragma once
#include "gui/ExtCtrls.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace shell {

using rtl::TObject;

class TFFotoDefault : public gui::TForm {
  KORVAN_CLASS(TFFotoDefault)
 public:
  explicit TFFotoDefault(rtl::TComponent* owner);

  gui::TLabel* Label1;
  gui::TPanel* Panel1;
  gui::TImage* Image1;
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TLabel* Label2;
  gui::TPanel* Panel2;
  gui::TImage* Image2;
  gui::TButton* Button4;
  gui::TButton* Button5;
  gui::TButton* Button3;
  gui::TOpenDialog* OpenDialog1;
  gui::TOpenDialog* OpenDialog2;

  void FormActivate(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void Button5Click(TObject* sender);

 private:
  // Stores the image's photo in its column of the single row.
  void SavePhoto(gui::TImage* image, const char* insertSql, const char* updateSql, const char* inserted,
                 const char* updated);
};

extern TFFotoDefault* FFotoDefault;

}  // namespace shell

// The family window: a family (head of family, title, address, registration date,
// sector, photo) entered or changed, its member list opened, the blank registration
// form printed.
#pragma once
#include "data/ZQuery.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace registry {

using rtl::TObject;

class TFWargaJemaat : public gui::TForm {
  KORVAN_CLASS(TFWargaJemaat)
 public:
  explicit TFWargaJemaat(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TEdit* Edit1;  // family number: "[Auto]" until the first save
  gui::TEdit* Edit2;
  gui::TComboBox* ComboBox1;
  gui::TEdit* Edit3;
  gui::TDateTimePicker* DateTimePicker1;
  gui::TComboBox* ComboBox2;
  gui::TPanel* Panel1;
  gui::TImage* Image1;
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TOpenDialog* OpenDialog1;
  gui::TPanel* Panel2;
  gui::TSpeedButton* SpeedButton1;
  gui::TSpeedButton* SpeedButton2;
  gui::TSpeedButton* SpeedButton3;
  gui::TSpeedButton* SpeedButton4;
  gui::TSpeedButton* SpeedButton5;
  gui::TSpeedButton* SpeedButton6;

  void FormActivate(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void SpeedButton3Click(TObject* sender);
  void SpeedButton4Click(TObject* sender);
  void SpeedButton5Click(TObject* sender);
  void SpeedButton6Click(TObject* sender);
};

extern TFWargaJemaat* FWargaJemaat;

}  // namespace registry

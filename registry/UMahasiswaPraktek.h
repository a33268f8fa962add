// The practice-student window: a theology student on placement entered or changed under
// the typed student number (NIM).
#pragma once
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace registry {

using rtl::TObject;

class TFMahasiswaPraktek : public gui::TForm {
  KORVAN_CLASS(TFMahasiswaPraktek)
 public:
  explicit TFMahasiswaPraktek(rtl::TComponent* owner);

  gui::TEdit* Edit1;  // NIM
  gui::TEdit* Edit2;
  gui::TEdit* Edit3;
  gui::TDateTimePicker* DateTimePicker1;
  gui::TEdit* Edit4;
  gui::TEdit* Edit5;
  gui::TRadioButton* RadioButton1;
  gui::TRadioButton* RadioButton2;
  gui::TPanel* Panel1;
  gui::TImage* Image1;
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TOpenDialog* OpenDialog1;
  gui::TGroupBox* GroupBox2;  // " Dokumentasi "
  gui::TEdit* Edit6;
  gui::TDateTimePicker* DateTimePicker2;
  gui::TDateTimePicker* DateTimePicker3;
  gui::TSpeedButton* SpeedButton2;
  gui::TSpeedButton* SpeedButton3;
  gui::TSpeedButton* SpeedButton4;
  gui::TSpeedButton* SpeedButton5;

  void FormActivate(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void SpeedButton3Click(TObject* sender);
  void SpeedButton4Click(TObject* sender);
  void SpeedButton5Click(TObject* sender);
};

extern TFMahasiswaPraktek* FMahasiswaPraktek;

}  // namespace registry

// The marriage registration: groom and bride (members picked from the registry, or typed
// in), their parents or a guardian, two witnesses, the civil registration, the church
// blessing and the pastoral preparation, the couple's photo and the validation.
#pragma once
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "gui/Timer.h"

namespace registry {

using rtl::TObject;

class TFDaftarKawin : public gui::TForm {
  KORVAN_CLASS(TFDaftarKawin)
 public:
  explicit TFDaftarKawin(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;  // " Registrasi Pengantin "
  gui::TEdit* Edit1;
  gui::TPanel *Panel1, *Panel2;
  gui::TImage* Image1;
  gui::TButton *Button1, *Button2;
  gui::TOpenDialog* OpenDialog1;
  gui::TPageControl* PageControl1;
  gui::TTabSheet *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4, *TabSheet5;
  gui::TRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5, *RadioButton6,
      *RadioButton7, *RadioButton8, *RadioButton9, *RadioButton10, *RadioButton11, *RadioButton12, *RadioButton13,
      *RadioButton14;
  gui::TSpeedButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton9, *SpeedButton10,
      *SpeedButton11;
  gui::TSpeedButton *SpeedButton5, *SpeedButton6, *SpeedButton7, *SpeedButton8;
  gui::TTimer* Timer1;

  // Edits and pickers by number: Edit(2) is "Edit2".
  gui::TEdit* Edit(int n);
  gui::TDateTimePicker* Picker(int n);

  void FormActivate(TObject* sender);
  void SpeedButton5Click(TObject* sender);  // save
  void Button2Click(TObject* sender);       // the default couple photo back
  void Timer1Timer(TObject* sender);

  // The person blocks: a spouse (groom or bride) and the parents of one of them.
  void SpouseMode(bool bride, bool external);
  void ParentsMode(bool bride);

 private:
  void OpenMemberLookup(gui::TSpeedButton& button);
};

extern TFDaftarKawin* FDaftarKawin;

}  // namespace registry

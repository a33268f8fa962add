// The vicar window: a vicar entered or changed under the typed vicar number (NIV).
#pragma once
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "registry/PersonRegister.h"

namespace registry {

class TFVikaris : public TPersonRegister {
  KORVAN_CLASS(TFVikaris)
 public:
  explicit TFVikaris(rtl::TComponent* owner);

  gui::TEdit* Edit3;
  gui::TEdit* Edit4;
  gui::TEdit* Edit5;
  gui::TRadioButton* RadioButton3;
  gui::TButton* Button2;
  gui::TGroupBox* GroupBox2;  // " Dokumentasi "
  gui::TEdit* Edit6;
  gui::TEdit* Edit7;
  gui::TEdit* Edit8;
  gui::TEdit* Edit9;
  gui::TSpeedButton* SpeedButton1;
};

extern TFVikaris* FVikaris;

}  // namespace registry

// The practice-student window: a theology student on placement entered or changed under
// the typed student number (NIM).
#pragma once
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "registry/PersonRegister.h"

namespace registry {

class TFMahasiswaPraktek : public TPersonRegister {
  KORVAN_CLASS(TFMahasiswaPraktek)
 public:
  explicit TFMahasiswaPraktek(rtl::TComponent* owner);

  gui::TEdit* Edit3;
  gui::TEdit* Edit4;
  gui::TEdit* Edit5;
  gui::TButton* Button2;
  gui::TGroupBox* GroupBox2;  // " Dokumentasi "
  gui::TEdit* Edit6;
  gui::TSpeedButton* SpeedButton2;
};

extern TFMahasiswaPraktek* FMahasiswaPraktek;

}  // namespace registry

// The minister window: a minister entered or changed under the number the church gave
// (NIP), with post, state of service, family, letters of appointment and photo.
#pragma once
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "registry/PersonRegister.h"

namespace registry {

class TFPendeta : public TPersonRegister {
  KORVAN_CLASS(TFPendeta)
 public:
  explicit TFPendeta(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;  // " Identitas "
  gui::TEdit* Edit11;
  gui::TComboBox* ComboBox1;
  gui::TRadioButton* RadioButton3;
  gui::TEdit* Edit16;
  gui::TButton* Button5;
  gui::TGroupBox* GroupBox2;  // " Anggota Keluarga "
  gui::TEdit* Edit3;
  gui::TEdit* Edit4;
  gui::TEdit* Edit5;
  gui::TEdit* Edit6;
  gui::TEdit* Edit7;
  gui::TEdit* Edit8;
  gui::TEdit* Edit9;
  gui::TEdit* Edit10;
  gui::TGroupBox* GroupBox3;  // " Mutasi "
  gui::TGroupBox* GroupBox4;  // " Masuk "
  gui::TEdit* Edit12;
  gui::TEdit* Edit13;
  gui::TGroupBox* GroupBox5;  // " Keluar "
  gui::TEdit* Edit14;
  gui::TEdit* Edit15;
  gui::TPanel* Panel2;
  gui::TSpeedButton* SpeedButton1;
};

extern TFPendeta* FPendeta;

}  // namespace registry

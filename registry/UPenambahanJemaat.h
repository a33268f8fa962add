// The member window: one person of a family with about forty fields and a photo. A new
// member gets a registration number and a member number; a stored one is changed in
// full. Three seconds after a save the family's member list is reloaded and the window
// closes.
#pragma once
#include "data/ZQuery.h"
#include "kit/rules/Record.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/FileDialogs.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "gui/Timer.h"

namespace registry {

using gui::TCloseAction;
using rtl::TObject;

class TFPenambahanJemaat : public gui::TForm {
  KORVAN_CLASS(TFPenambahanJemaat)
 public:
  explicit TFPenambahanJemaat(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;  // " Kepala Keluarga "
  gui::TEdit* Edit1;          // family number
  gui::TEdit* Edit2;          // head of family
  gui::TGroupBox* GroupBox2;  // " Registrasi "
  gui::TEdit* Edit4;          // registration number, "[Auto]" until saved
  gui::TEdit* Edit5;          // registration date as short-date text
  gui::TGroupBox* GroupBox3;  // " Identitas Jemaat "
  gui::TEdit* Edit7;          // member number, "[Auto]" until saved
  gui::TEdit* Edit8;
  gui::TEdit* Edit9;
  gui::TEdit* Edit10;
  gui::TEdit* Edit11;
  gui::TDateTimePicker* DateTimePicker1;
  gui::TEdit* Edit12;
  gui::TEdit* Edit13;
  gui::TEdit* Edit14;
  gui::TDateTimePicker* DateTimePicker2;
  gui::TComboBox* ComboBox1;
  gui::TEdit* Edit15;
  gui::TComboBox* ComboBox2;
  gui::TComboBox* ComboBox3;
  gui::TComboBox* ComboBox6;
  gui::TComboBox* ComboBox7;
  gui::TComboBox* ComboBox4;
  gui::TComboBox* ComboBox12;
  gui::TEdit* Edit3;
  gui::TComboBox* ComboBox11;
  gui::TEdit* Edit25;
  gui::TDateTimePicker* DateTimePicker6;
  gui::TGroupBox* GroupBox4;  // " Pendidikan && Pekerjaan "
  gui::TComboBox* ComboBox5;
  gui::TEdit* Edit18;
  gui::TEdit* Edit17;
  gui::TEdit* Edit19;
  gui::TEdit* Edit20;
  gui::TEdit* Edit21;
  gui::TGroupBox* GroupBox5;  // " Dokumentasi Gereja "
  gui::TComboBox* ComboBox8;
  gui::TEdit* Edit22;
  gui::TDateTimePicker* DateTimePicker3;
  gui::TComboBox* ComboBox9;
  gui::TEdit* Edit23;
  gui::TDateTimePicker* DateTimePicker4;
  gui::TComboBox* ComboBox10;
  gui::TEdit* Edit24;
  gui::TDateTimePicker* DateTimePicker5;
  gui::TPanel* Panel1;
  gui::TImage* Image2;
  gui::TButton* Button1;
  gui::TButton* Button2;
  gui::TOpenDialog* OpenDialog1;
  gui::TPanel* Panel2;
  gui::TSpeedButton* SpeedButton1;
  gui::TSpeedButton* SpeedButton4;
  gui::TSpeedButton* SpeedButton5;
  gui::TTimer* Timer1;

  void FormActivate(TObject* sender);
  void ComboBox8Change(TObject* sender);
  void ComboBox9Change(TObject* sender);
  void ComboBox10Change(TObject* sender);
  void ComboBox11Change(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void SpeedButton4Click(TObject* sender);
  void SpeedButton5Click(TObject* sender);
  void Timer1Timer(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);

  // The place and date of a sacrament: open for input ("SUDAH") or not. Opening clears
  // the place; both set the date to now.
  static void SetSacramentInputs(gui::TEdit& place, gui::TDateTimePicker& date, bool done);
  // The place and date of death: open for "Meninggal"; closing clears the place. Both
  // set the date to now.
  void SetDeathInputs(bool deceased);

 private:
  void BindMember(data::TZQuery& q, kit::rules::TIn statement);
  void InsertMember(rtl::TDateTime regDate);
  void ReloadMemberList();
};

extern TFPenambahanJemaat* FPenambahanJemaat;

}  // namespace registry

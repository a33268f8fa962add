// The entry window of a sector or thanksgiving service: a service held with a host, its
// preacher, liturgist and PKT, the two offerings, the attendance, the evaluation and
// whoever confirmed the money deposit. Both windows are built here from their kind; a
// service is one row, saved whole by its number.
#pragma once
#include "data/ZQuery.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "worship/rules/HostServices.h"

namespace worship {

using rtl::TObject;

class THostServiceForm : public gui::TForm {
  KORVAN_CLASS(THostServiceForm)
 public:
  THostServiceForm(rtl::TComponent* owner, const rules::THostKind& kind, const char* name, const char* caption,
                   const char* search);

  gui::TPanel* Panel1;  // the toolbar
  gui::TSpeedButton *SpeedButton6, *SpeedButton7, *SpeedButton8, *SpeedButton9;
  gui::TGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4, *GroupBox5;
  gui::TEdit* Edit1;  // the service number, "[Auto]" for a new one
  gui::TDateTimePicker *DateTimePicker1, *DateTimePicker2;
  gui::TComboBox* ComboBox1;  // sector "1".."10"
  gui::TComboBox* ComboBox2;  // host kind
  gui::TEdit *Edit2, *Edit3;  // host number and name
  gui::TSpeedButton* SpeedButton1;
  gui::TEdit* Edit4;                    // Bible reading
  gui::TEdit* Edit5;                    // sector: sermon theme; thanksgiving: attendance
  gui::TComboBox* ComboBox4 = nullptr;  // the occasion (thanksgiving)
  gui::TComboBox* ComboBox3;            // preacher kind
  gui::TEdit *Edit6, *Edit7;            // preacher number and name
  gui::TSpeedButton* SpeedButton5;
  gui::TEdit* Edit8;  // liturgist
  gui::TSpeedButton* SpeedButton2;
  gui::TEdit* Edit9;  // PKT
  gui::TSpeedButton* SpeedButton3;
  gui::TEdit *Edit10, *Edit11;  // "Kolekte", "Syukur"
  gui::TEdit* Edit14 = nullptr;  // attendance (sector)
  gui::TMemo* Memo1;
  gui::TEdit *Edit12, *Edit13;  // who confirmed the deposit: member number and name
  gui::TSpeedButton* SpeedButton4;
  gui::TStatusBar* StatusBar1;

  void FormActivate(TObject* sender);
  void ComboBox2Change(TObject* sender);
  void ComboBox3Change(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void SpeedButton3Click(TObject* sender);
  void SpeedButton4Click(TObject* sender);
  void SpeedButton5Click(TObject* sender);
  void SpeedButton6Click(TObject* sender);
  void SpeedButton7Click(TObject* sender);
  void SpeedButton8Click(TObject* sender);
  void SpeedButton9Click(TObject* sender);
  void Edit12Change(TObject* sender);

  // Puts a stored service (the current row of `row`) into the window. Lists are set
  // without their change handlers.
  void LoadService(data::TZQuery& row);

  const rules::THostKind& Kind() const { return kind_; }
  gui::TEdit& Attendance() const { return kind_.sector ? *Edit14 : *Edit5; }

 private:
  void Lookup(gui::TSpeedButton& button, const char* instance, const char* hint, bool clearQuery = true);
  std::string Derive(std::string_view param) const;

  const rules::THostKind& kind_;
  const char* search_;
};

}  // namespace worship

// The category-group service window: a service of one category on one date, its lines
// (one per area, kind of place and class, each with its host, preacher, liturgist, PKT,
// offerings, attendance and evaluation) edited in the connection's work table with the
// running totals of their offerings, and the board member who confirmed the deposit.
// The save stores the service and replaces its stored lines with the listed ones, both
// together.
#pragma once
#include "data/ZQuery.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace worship {

using rtl::TObject;

class TFIbadahPelkat : public gui::TForm {
  KORVAN_CLASS(TFIbadahPelkat)
 public:
  explicit TFIbadahPelkat(rtl::TComponent* owner);

  gui::TPanel* Panel1;  // the toolbar
  gui::TSpeedButton *SpeedButton6, *SpeedButton7, *SpeedButton8, *SpeedButton9;
  gui::TGroupBox *GroupBox1, *GroupBox2, *GroupBox3, *GroupBox4;
  gui::TEdit* Edit1;  // the service number, "[Auto]" for a new one
  gui::TDateTimePicker *DateTimePicker1, *DateTimePicker2;
  gui::TComboBox* ComboBox1;  // the category
  gui::TEdit* Edit6;          // Bible reading, copied into each line added
  gui::TEdit *Edit2, *Edit3;  // who confirmed the deposit: member number and name
  gui::TSpeedButton* SpeedButton4;
  gui::TComboBox *ComboBox2, *ComboBox6, *ComboBox5;  // area, place, class
  gui::TComboBox* ComboBox4;                          // host status
  gui::TEdit *Edit4, *Edit5;                          // host number and name
  gui::TSpeedButton* SpeedButton1;
  gui::TComboBox* ComboBox3;  // preacher kind
  gui::TEdit *Edit7, *Edit8;  // preacher number and name
  gui::TSpeedButton* SpeedButton2;
  gui::TEdit *Edit9, *Edit13;  // liturgist
  gui::TSpeedButton* SpeedButton3;
  gui::TEdit *Edit10, *Edit14;  // PKT
  gui::TSpeedButton* SpeedButton5;
  gui::TEdit *Edit15, *Edit11, *Edit12;  // attendance, "Kolekte", "Syukur"
  gui::TMemo* Memo1;
  gui::TButton *Button1, *Button2;  // "Add", "Hapus"
  gui::TDBGrid* DBGrid1;
  gui::TLabel *Label18, *Label19, *Label20, *Label21;  // the running totals
  gui::TStatusBar* StatusBar1;

  void FormActivate(TObject* sender);
  void Edit1Change(TObject* sender);
  void ComboBox1Change(TObject* sender);
  void ComboBox3Change(TObject* sender);
  void ComboBox4Change(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void SpeedButton3Click(TObject* sender);
  void SpeedButton4Click(TObject* sender);
  void SpeedButton5Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void DBGrid1DblClick(TObject* sender);
  void SpeedButton6Click(TObject* sender);
  void SpeedButton7Click(TObject* sender);
  void SpeedButton8Click(TObject* sender);
  void SpeedButton9Click(TObject* sender);

  // Puts a stored service (the current row of `row`, one of its lines joined to it)
  // into the window: its number loads its lines; the totals are the stored ones.
  void LoadService(data::TZQuery& row);

  double TotalKolekte() const { return totalKolekte_; }
  double TotalSyukur() const { return totalSyukur_; }

 private:
  void FillClasses();
  void OpenLines();
  void RecomputeTotals();
  void ShowTotals();
  void Lookup(gui::TSpeedButton& button, const char* instance, const char* hint, bool clearQuery = false);

  double totalKolekte_ = 0, totalSyukur_ = 0;
};

extern TFIbadahPelkat* FIbadahPelkat;

}  // namespace worship

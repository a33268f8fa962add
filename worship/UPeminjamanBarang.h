// The item loan window: one loan form names the borrower (a member, a minister, a vicar
// or a practice student), the purpose and whether everything came back complete, and
// holds lending ("PINJAM") and return ("KEMBALI") lines in the connection's work table
// until the save stores them with the form. A form not yet complete is reopened from the
// search, changed and its lines replaced whole.
#pragma once
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace worship {

using rtl::TObject;

class TFPeminjamanBarang : public gui::TForm {
  KORVAN_CLASS(TFPeminjamanBarang)
 public:
  explicit TFPeminjamanBarang(rtl::TComponent* owner);

  gui::TPanel* Panel1;
  gui::TSpeedButton *SpeedButton6, *SpeedButton7, *SpeedButton8, *SpeedButton9;
  gui::TGroupBox *GroupBox1, *GroupBox2;
  gui::TEdit* Edit1;  // the form number, "[Auto]" until the first save
  gui::TEdit* Edit2;  // the loan date as text
  gui::TComboBox* ComboBox2;  // the borrower kind
  gui::TEdit *Edit3, *Edit4, *Edit5, *Edit6;
  gui::TSpeedButton* SpeedButton1;
  gui::TRadioButton *RadioButton1, *RadioButton2;  // complete: "Ya", "Tidak"
  gui::TComboBox* ComboBox1;  // the line's status
  gui::TEdit *Edit7, *Edit8, *Edit9, *Edit10;
  gui::TButton *Button1, *Button2;
  gui::TDBGrid* DBGrid1;
  gui::TStatusBar* StatusBar1;

  void FormActivate(TObject* sender);
  void Edit1Change(TObject* sender);
  void ComboBox1Change(TObject* sender);
  void ComboBox2Change(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void DBGrid1DblClick(TObject* sender);
  void SpeedButton6Click(TObject* sender);
  void SpeedButton7Click(TObject* sender);
  void SpeedButton8Click(TObject* sender);
  void SpeedButton9Click(TObject* sender);

 private:
  void OpenLines();
  void ResetLineInputs();
};

extern TFPeminjamanBarang* FPeminjamanBarang;

}  // namespace worship

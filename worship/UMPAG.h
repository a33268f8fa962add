// The cemetery dues payment window: one receipt for one or more members, each with an
// amount, its lines in the connection's work table until the save stores them with the
// payment; a stored payment reopened from its search is changed and its lines replaced
// whole. The receipt prints the window's current payment.
#pragma once
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace worship {

using rtl::TObject;

class TFMPAG : public gui::TForm {
  KORVAN_CLASS(TFMPAG)
 public:
  explicit TFMPAG(rtl::TComponent* owner);

  gui::TPanel* Panel1;
  gui::TSpeedButton *SpeedButton4, *SpeedButton5, *SpeedButton6, *SpeedButton7, *SpeedButton8;
  gui::TGroupBox *GroupBox1, *GroupBox2;
  gui::TEdit* Edit1;  // the receipt number, "[AUTO]" until the first save
  gui::TComboBox* ComboBox1;
  gui::TDateTimePicker* DateTimePicker1;
  gui::TEdit* Edit2;  // the total
  gui::TEdit *Edit3, *Edit4, *Edit5;
  gui::TSpeedButton* SpeedButton1;
  gui::TCheckBox* CheckBox1;
  gui::TButton *Button1, *Button2;
  gui::TDBGrid* DBGrid1;
  gui::TStatusBar* StatusBar1;

  void FormActivate(TObject* sender);
  void Edit1Change(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void CheckBox1Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void SpeedButton4Click(TObject* sender);
  void SpeedButton5Click(TObject* sender);
  void SpeedButton6Click(TObject* sender);
  void SpeedButton7Click(TObject* sender);
  void SpeedButton8Click(TObject* sender);

  // Puts a stored payment (the current row of `row`: no_kwitansi, periode, tgl_bayar)
  // into the window with its lines and their total.
  void LoadPayment(data::TZQuery& row);

  // The total of the work lines, as the window keeps it.
  double Total() const { return total_; }

 private:
  void OpenLines();
  void RecomputeTotal();
  void ResetLineInputs();
  double total_ = 0;
};

extern TFMPAG* FMPAG;

}  // namespace worship

// The membership transfer window: a family head and the family members who leave for
// another congregation (outgoing, "KELUAR": head and lines picked from the registry)
// or come in from one (incoming, "MASUK": typed by hand). The lines live in the
// connection's work table until the save stores them with the transfer; an outgoing
// save marks every moved member as transferred. A stored incoming transfer is reopened
// from the search and its lines replaced whole.
#pragma once
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"

namespace registry {

using rtl::TObject;

class TFAttestasi : public gui::TForm {
  KORVAN_CLASS(TFAttestasi)
 public:
  explicit TFAttestasi(rtl::TComponent* owner);

  gui::TPanel* Panel1;
  gui::TSpeedButton *SpeedButton6, *SpeedButton7, *SpeedButton8, *SpeedButton9;
  gui::TGroupBox *GroupBox1, *GroupBox2, *GroupBox3;
  gui::TEdit* Edit1;  // the transfer number, "[Auto]" until the first save
  gui::TDateTimePicker* DateTimePicker1;
  gui::TComboBox* ComboBox1;  // "KELUAR" or "MASUK"
  gui::TEdit* Edit2;
  gui::TEdit *Edit3, *Edit4, *Edit5, *Edit11, *Edit6, *Edit7;
  gui::TSpeedButton* SpeedButton1;
  gui::TEdit *Edit8, *Edit9, *Edit10;
  gui::TSpeedButton* SpeedButton2;
  gui::TComboBox* ComboBox2;  // the relationship
  gui::TDateTimePicker* DateTimePicker2;
  gui::TMemo* Memo1;
  gui::TButton *Button1, *Button2;
  gui::TDBGrid* DBGrid1;
  gui::TStatusBar* StatusBar1;

  void FormActivate(TObject* sender);
  void ComboBox1Change(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void DBGrid1DblClick(TObject* sender);
  void Edit1Change(TObject* sender);
  void SpeedButton6Click(TObject* sender);
  void SpeedButton7Click(TObject* sender);
  void SpeedButton8Click(TObject* sender);
  void SpeedButton9Click(TObject* sender);

 private:
  void OpenLines();
  void LineToLookupState();
};

// The relationship words in list order.
const std::vector<const char*>& Relationships();

extern TFAttestasi* FAttestasi;

}  // namespace registry

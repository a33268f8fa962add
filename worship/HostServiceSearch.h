// The search window of the sector or thanksgiving services: every service or those of a
// date range, of a sector or (thanksgiving) of an occasion; a service deleted, opened in
// its entry window (a validated sector service only with its coordinator's PIN) or
// printed on its form.
#pragma once
#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "worship/QRHostService.h"
#include "worship/rules/HostServices.h"

namespace worship {

using rtl::TObject;

class THostServiceSearch : public gui::TForm {
  KORVAN_CLASS(THostServiceSearch)
 public:
  struct TSpec {
    const rules::THostKind& kind;
    const char* name;
    const char* caption;
    const char* entry;   // the entry window's instance name
    const char* layout;  // the printed form's instance name
  };
  THostServiceSearch(rtl::TComponent* owner, const TSpec& spec);

  gui::TGroupBox* GroupBox1;
  gui::TRadioButton* RadioButton1;  // "Tanggal"
  gui::TDateTimePicker* DateTimePicker1;
  gui::TLabel* Label1;
  gui::TDateTimePicker* DateTimePicker2;
  gui::TRadioButton* RadioButton2;  // "SekPel"
  gui::TComboBox* ComboBox1;        // the sector
  gui::TRadioButton* RadioButton3 = nullptr;  // "Jenis Ibadah" (thanksgiving)
  gui::TComboBox* ComboBox2 = nullptr;        // the occasion (thanksgiving)
  gui::TButton *Button1, *Button2, *Button3, *Button4, *Button5;
  gui::TDBGrid* DBGrid1;
  gui::TStatusBar* StatusBar1;

  void FormActivate(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void RadioButton3Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void Button5Click(TObject* sender);
  void DBGrid1DblClick(TObject* sender);

 private:
  // Dates now; only the chosen criterion's inputs enabled (0: none).
  void Criterion(int chosen);
  const rules::THostKind& kind_;
  const char* entry_;
  const char* layout_;
};

}  // namespace worship

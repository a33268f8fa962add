// The search window of the Sunday or church-feast services: every service or those of a
// date range, of a time and place (Sunday) or of a feast (church feast); a service
// deleted with its duties, opened in its entry window (through its validator's PIN once
// validator P1 has confirmed it) or printed on its form.
#pragma once
#include "gui/ComCtrls.h"
#include "gui/DBGrids.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "worship/QRService.h"
#include "worship/rules/Services.h"

namespace worship {

using rtl::TObject;

class TServiceSearch : public gui::TForm {
  KORVAN_CLASS(TServiceSearch)
 public:
  struct TSpec {
    const rules::TServiceKind& kind;
    const char* name;
    const char* caption;
    const char* entry;   // the entry window's instance name
    const char* layout;  // the printed form's instance name
  };
  TServiceSearch(rtl::TComponent* owner, const TSpec& spec);

  gui::TGroupBox* GroupBox1;
  gui::TRadioButton* RadioButton1;  // "Tanggal"
  gui::TDateTimePicker* DateTimePicker1;
  gui::TLabel* Label1;
  gui::TDateTimePicker* DateTimePicker2;
  gui::TRadioButton* RadioButton2;  // "Jam/Tempat" or "Jenis Ibadah"
  gui::TComboBox* ComboBox2 = nullptr;  // time (Sunday)
  gui::TComboBox* ComboBox1;  // place (Sunday) or feast
  gui::TButton *Button1, *Button2, *Button3, *Button4, *Button5;
  gui::TDBGrid* DBGrid1;
  gui::TStatusBar* StatusBar1;

  void FormActivate(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void ComboBox2Change(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void Button5Click(TObject* sender);
  void DBGrid1DblClick(TObject* sender);

 private:
  void SetLists(bool enabled);
  bool Sunday() const { return ComboBox2 != nullptr; }
  const rules::TServiceKind& kind_;
  const char* entry_;
  const char* layout_;
};

class TFCariIbadahMinggu : public TServiceSearch {
  KORVAN_CLASS(TFCariIbadahMinggu)
 public:
  explicit TFCariIbadahMinggu(rtl::TComponent* owner);
};

class TFCariIbadahHariRayaGerejawi : public TServiceSearch {
  KORVAN_CLASS(TFCariIbadahHariRayaGerejawi)
 public:
  explicit TFCariIbadahHariRayaGerejawi(rtl::TComponent* owner);
};

extern TFCariIbadahMinggu* FCariIbadahMinggu;
extern TFCariIbadahHariRayaGerejawi* FCariIbadahHariRayaGerejawi;

}  // namespace worship

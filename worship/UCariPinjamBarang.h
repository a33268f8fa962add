// The search of the item loans, one row per item line: by loan date, by line status or
// by form number, each optionally narrowed by item name. A form is deleted with its
// lines; a double click reopens a form that has not come back complete.
#pragma once
#include "kit/DocumentSearch.h"

namespace worship {

using rtl::TObject;

class TFCariPinjamBarang : public kit::TDocumentSearch {
  KORVAN_CLASS(TFCariPinjamBarang)
 public:
  explicit TFCariPinjamBarang(rtl::TComponent* owner);

  gui::TRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
  gui::TComboBox* ComboBox1;
  gui::TEdit* Edit1;
  gui::TCheckBox* CheckBox1;
  gui::TEdit* Edit2;

  void FormActivate(TObject* sender) override;
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void RadioButton3Click(TObject* sender);
  void CheckBox1Click(TObject* sender);
  void Button1Click(TObject* sender) override;
  void Button2Click(TObject* sender) override;
  void DBGrid1DblClick(TObject* sender) override;

 private:
  void SetInputs(bool dates, bool status, bool number);
};

extern TFCariPinjamBarang* FCariPinjamBarang;

}  // namespace worship

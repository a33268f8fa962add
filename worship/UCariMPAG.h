// The search of the dues payments, one row per payment line: by receipt number, by a
// range of payment dates or by period and member name. A line is deleted from its
// payment (the payment's total follows, and the payment goes with its last line); a
// double click reopens the line's payment in the payment window.
#pragma once
#include "kit/DocumentSearch.h"

namespace worship {

using rtl::TObject;

class TFCariMPAG : public kit::TDocumentSearch {
  KORVAN_CLASS(TFCariMPAG)
 public:
  explicit TFCariMPAG(rtl::TComponent* owner);

  gui::TRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
  gui::TEdit* Edit1;
  gui::TComboBox* ComboBox1;
  gui::TEdit* Edit2;

  void FormActivate(TObject* sender) override;
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void RadioButton3Click(TObject* sender);
  void Button1Click(TObject* sender) override;
  void Button2Click(TObject* sender) override;
  void DBGrid1DblClick(TObject* sender) override;

 private:
  void SetInputs(bool number, bool dates, bool periodName);
};

extern TFCariMPAG* FCariMPAG;

}  // namespace worship

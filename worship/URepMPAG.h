// The dues report window: the payment lines of one period or of a range of payment
// dates, with the number of living members.
#pragma once
#include "kit/ReportForm.h"

namespace worship {

using rtl::TObject;

class TFRepMPAG : public kit::TReportForm {
  KORVAN_CLASS(TFRepMPAG)
 public:
  explicit TFRepMPAG(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;
  gui::TRadioButton* RadioButton1;  // "Periode"
  gui::TComboBox* ComboBox1;
  gui::TRadioButton* RadioButton2;  // "Tgl.Bayar"
  gui::TDateTimePicker* DateTimePicker1;
  gui::TLabel* Label1;  // "To"
  gui::TDateTimePicker* DateTimePicker2;

  void FormActivate(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);

 protected:
  void Preview() override;

 private:
  // The period list on its first entry and enabled or not; both dates now and enabled
  // or not.
  void Criterion(bool period, bool dates);
};

extern TFRepMPAG* FRepMPAG;

}  // namespace worship

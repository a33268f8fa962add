// The birthday report: the members whose birthday falls in the chosen months on the
// chosen days of the month, optionally of one sector and one category group. Its
// layout `QR` belongs to this window.
#pragma once
#include "kit/ReportForm.h"
#include "registry/LapJemaatUlangTahunReport.h"

namespace registry {

using rtl::TObject;

class TFLapJemaatUlangTahun : public kit::TReportForm {
  KORVAN_CLASS(TFLapJemaatUlangTahun)
 public:
  explicit TFLapJemaatUlangTahun(rtl::TComponent* owner);

  gui::TGroupBox* GroupBox1;  // " Periode "
  gui::TLabel* Label1;        // "Tanggal"
  gui::TDateTimePicker* DateTimePicker1;
  gui::TLabel* Label2;  // "Sampai"
  gui::TDateTimePicker* DateTimePicker2;
  gui::TCheckBox* CheckBox1;  // "SekPel"
  gui::TComboBox* ComboBox1;
  gui::TCheckBox* CheckBox2;  // "PelKat"
  gui::TComboBox* ComboBox2;
  TLapJemaatUlangTahunReport* QR;

  void FormActivate(TObject* sender);

 protected:
  void Preview() override;
};

extern TFLapJemaatUlangTahun* FLapJemaatUlangTahun;

}  // namespace registry

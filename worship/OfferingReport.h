// The parameter window of an offering report: the date range of the services, and
// optionally one choice that narrows them (a time, a sector, a category or a feast);
// "Preview" fills the kind's landscape list and shows it. The five windows are built
// here from their kind.
#pragma once
#include "gui/ComCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "worship/rules/OfferingReports.h"

namespace worship {

using rtl::TObject;

class TOfferingReportForm : public gui::TForm {
  KORVAN_CLASS(TOfferingReportForm)
 public:
  TOfferingReportForm(rtl::TComponent* owner, const rules::TOfferingReport& kind);

  gui::TGroupBox* GroupBox1;
  gui::TDateTimePicker *DateTimePicker1, *DateTimePicker2;
  gui::TCheckBox* CheckBox1;
  gui::TComboBox* ComboBox1;
  gui::TButton *Button1, *Button2;

  void FormActivate(TObject* sender);
  void CheckBox1Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);

  const rules::TOfferingReport& Kind() const { return kind_; }

 private:
  const rules::TOfferingReport& kind_;
};

}  // namespace worship

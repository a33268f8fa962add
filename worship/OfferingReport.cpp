#include "worship/OfferingReport.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "rtl/DateUtils.h"
#include "worship/QROfferingReport.h"

namespace worship {

using namespace gui;
using app::DM;

TOfferingReportForm::TOfferingReportForm(rtl::TComponent* owner, const rules::TOfferingReport& kind)
    : TForm(owner), kind_(kind) {
  kit::SetupForm(*this, {.name = kind.window, .caption = kind.caption, .width = 380, .height = 176,
                         .border = TFormBorderStyle::bsDialog});
  GroupBox1 = kit::MakeGroup(this, this, "GroupBox1", 10, 6, 360, 58, " Tanggal Ibadah ");
  kit::MakeLabel(this, GroupBox1, "Label1", 10, 25, "Tanggal");
  DateTimePicker1 = kit::MakePicker(this, GroupBox1, "DateTimePicker1", 64, 22, 112);
  kit::MakeLabel(this, GroupBox1, "Label2", 186, 25, "Sampai");
  DateTimePicker2 = kit::MakePicker(this, GroupBox1, "DateTimePicker2", 236, 22, 112);
  CheckBox1 = kit::Make<TCheckBox>(this, this, "CheckBox1", 20, 78, 100, 20);
  CheckBox1->SetCaption(kind.choice);
  ComboBox1 = kit::MakeList(this, this, "ComboBox1", 124, 76, 200, {});
  for (const char* v : kind.values) ComboBox1->Items().Add(v);
  Button1 = kit::MakeButton(this, this, "Button1", 196, 124, 84, "Preview");
  Button2 = kit::MakeButton(this, this, "Button2", 286, 124, 84, "Close");

  OnActivate = [this](TObject* s) { FormActivate(s); };
  CheckBox1->OnClick = [this](TObject* s) { CheckBox1Click(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
}

void TOfferingReportForm::FormActivate(TObject*) {
  DateTimePicker1->SetDateTime(rtl::Now());
  DateTimePicker2->SetDateTime(rtl::Now());
  CheckBox1->SetChecked(false);
  ComboBox1->SetItemIndex(0);
  kit::SetInputEnabled(*ComboBox1, false);
}

void TOfferingReportForm::CheckBox1Click(TObject*) {
  const bool narrowed = CheckBox1->Checked();
  ComboBox1->SetItemIndex(0);
  kit::SetInputEnabled(*ComboBox1, narrowed);
  if (narrowed && ComboBox1->Showing()) ComboBox1->SetFocus();
}

void TOfferingReportForm::Button1Click(TObject*) {
  auto* layout = dynamic_cast<TOfferingReportLayout*>(Application->FindComponent(kind_.layout));
  if (!layout) return;
  const bool narrowed = CheckBox1->Checked();
  const std::string value = kit::Chosen(*ComboBox1);
  data::TZQuery& q = *DM->QReport;
  q.Close();
  q.SQL.Clear();
  for (const std::string& line : rules::OfferingStatement(kind_, narrowed)) q.SQL.Add(line);
  q.ParamByName("t1")->AsDate(DateTimePicker1->Date());
  q.ParamByName("t2")->AsDate(DateTimePicker2->Date());
  if (narrowed) q.ParamByName(kind_.param)->AsString(value);
  q.Open();
  layout->QRLabel19->SetCaption(
      rules::OfferingPeriod(rtl::DateToStr(DateTimePicker1->Date()), rtl::DateToStr(DateTimePicker2->Date())));
  layout->QRLabel20->SetCaption(rules::OfferingFilterText(kind_, narrowed, value));
  layout->Preview();
}

void TOfferingReportForm::Button2Click(TObject*) { Close(); }

}  // namespace worship

#include "worship/URepMPAG.h"

#include "app/UDM.h"
#include "worship/QRRepMPAG.h"
#include "worship/rules/DuesReport.h"

namespace worship {

using namespace kit;

TFRepMPAG* FRepMPAG = nullptr;

TFRepMPAG::TFRepMPAG(rtl::TComponent* owner)
    : TReportForm(owner, {.name = "FRepMPAG", .caption = "Laporan Pembayaran MPAG", .width = 400, .height = 144}) {
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 380, 88, " Filter ");
  RadioButton1 = MakeRadio(this, GroupBox1, "RadioButton1", 12, 26, 90, "Periode");
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", 110, 24, 110, {});
  for (const char* p : rules::DuesPeriods()) ComboBox1->Items().Add(p);
  RadioButton2 = MakeRadio(this, GroupBox1, "RadioButton2", 12, 56, 90, "Tgl.Bayar");
  DateTimePicker1 = MakePicker(this, GroupBox1, "DateTimePicker1", 110, 54, 110);
  Label1 = MakeLabel(this, GroupBox1, "Label1", 230, 57, "To");
  DateTimePicker2 = MakePicker(this, GroupBox1, "DateTimePicker2", 256, 54, 110);
  RadioButton1->OnClick = [this](TObject* s) { RadioButton1Click(s); };
  RadioButton2->OnClick = [this](TObject* s) { RadioButton2Click(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFRepMPAG::Criterion(bool period, bool dates) {
  ComboBox1->SetItemIndex(0);
  SetInputEnabled(*ComboBox1, period);
  for (gui::TDateTimePicker* p : {DateTimePicker1, DateTimePicker2}) {
    p->SetDateTime(rtl::Now());
    p->SetEnabled(dates);
  }
}

void TFRepMPAG::FormActivate(TObject*) {
  RadioButton1->SetChecked(false);
  RadioButton2->SetChecked(false);
  Criterion(false, false);
}

void TFRepMPAG::RadioButton1Click(TObject*) { Criterion(true, false); }

void TFRepMPAG::RadioButton2Click(TObject*) { Criterion(false, true); }

void TFRepMPAG::Preview() {
  rules::TDuesCriteria c;
  if (RadioButton1->Checked()) c.period = Chosen(*ComboBox1);
  if (RadioButton2->Checked()) c.dates = rules::TDuesCriteria::TDates{DateTimePicker1->Date(), DateTimePicker2->Date()};
  const std::optional<kit::rules::TReportQuery> lines = rules::DuesLines(c);
  if (!lines) {
    RefuseNoChoice();
    return;
  }
  auto& q = *app::DM->QReport;
  OpenStatement(q, rules::LivingMemberCount());
  FQRRepMPAG->QRLabel23->SetCaption(rtl::IntToStr(q.FieldByName("jml")->AsInteger()));
  ShowList(q, lines, *FQRRepMPAG);
}

}  // namespace worship

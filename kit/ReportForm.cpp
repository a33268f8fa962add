#include "kit/ReportForm.h"

#include "kit/Records.h"

namespace kit {

using namespace gui;

void OpenStatement(data::TZQuery& query, const rules::TStatement& statement) {
  query.SQL.Clear();
  for (const std::string& line : statement.lines) query.SQL.Add(line);
  // Bound once the text is complete: changing the text drops the values bound so far.
  for (const rules::TBoundValue& p : statement.params) {
    data::TParam* param = query.ParamByName(p.name);
    switch (p.type) {
      case rules::TBoundValue::TType::Text: param->AsString(p.text); break;
      case rules::TBoundValue::TType::Integer: param->AsInteger(p.integer); break;
      case rules::TBoundValue::TType::Date: param->AsDate(p.date); break;
    }
  }
  query.Open();
}

TReportForm::TReportForm(rtl::TComponent* owner, const TFormSetup& setup) : TForm(owner) {
  SetupForm(*this, setup);
  Button1 = MakeButton(this, this, "Button1", setup.width - 186, setup.height - 36, 84, "Preview");
  Button2 = MakeButton(this, this, "Button2", setup.width - 94, setup.height - 36, 84, "Close");
  Button1->OnClick = [this](rtl::TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](rtl::TObject* s) { Button2Click(s); };
}

void TReportForm::Button1Click(rtl::TObject*) { Preview(); }

void TReportForm::Button2Click(rtl::TObject*) { Close(); }

TComboBox* MakeSectorList(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w) {
  return MakeList(owner, parent, name, x, y, w, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
}

TComboBox* MakeGroupList(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w) {
  return MakeList(owner, parent, name, x, y, w, {"PA", "PT", "GP", "PKP", "PKB", "PKLU"});
}

TCheckBox* MakeCheck(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w,
                     const std::string& caption) {
  auto* c = Make<TCheckBox>(owner, parent, name, x, y, w, 20);
  c->SetCaption(caption);
  return c;
}

TRadioButton* MakeRadio(rtl::TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w,
                        const std::string& caption) {
  auto* r = Make<TRadioButton>(owner, parent, name, x, y, w, 20);
  r->SetCaption(caption);
  return r;
}

void RefuseNoChoice() { Refuse("Maaf...Anda belum memilih jenis yang mau ditampilkan"); }

void TReportForm::ShowList(data::TZQuery& query, const std::optional<rules::TReportQuery>& report,
                           report::TLayoutReport& layout) {
  if (!report) {
    RefuseNoChoice();
    return;
  }
  OpenStatement(query, report->statement);
  layout.Label("QRLabel22").SetCaption(report->filter);
  layout.Preview();
}

namespace {

void ShowGuard(TComboBox& list, bool enabled, bool colour) {
  if (colour)
    SetInputEnabled(list, enabled);
  else
    list.SetEnabled(enabled);
}

}  // namespace

void GuardList(TCheckBox& box, TComboBox& list, bool firstEntry, bool colour) {
  box.OnClick = [&box, &list, firstEntry, colour](rtl::TObject*) {
    if (firstEntry) list.SetItemIndex(0);
    ShowGuard(list, box.Checked(), colour);
  };
}

void ResetGuard(TCheckBox& box, TComboBox& list, bool colour) {
  box.SetChecked(false);
  list.SetItemIndex(0);
  ShowGuard(list, false, colour);
}

std::optional<std::string> Guarded(TCheckBox& box, TComboBox& list) {
  if (!box.Checked()) return std::nullopt;
  return Chosen(list);
}

}  // namespace kit

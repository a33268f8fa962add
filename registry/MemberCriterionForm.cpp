#include "registry/MemberCriterionForm.h"

#include "app/UDM.h"
#include "registry/QRWargaJemaat2.h"

namespace registry {

using namespace kit;

namespace {

gui::TComboBox* ListOf(rtl::TComponent* owner, gui::TWinControl* parent, const char* name, int x, int y, int w,
                       const std::vector<const char*>& items) {
  gui::TComboBox* list = MakeList(owner, parent, name, x, y, w, {});
  for (const char* i : items) list->Items().Add(i);
  list->SetItemIndex(0);
  return list;
}

}  // namespace

TMemberCriterionForm::TMemberCriterionForm(rtl::TComponent* owner, const TSpec& spec)
    : TReportForm(owner, {.name = spec.name,
                          .caption = spec.caption,
                          .width = 300,
                          .height = 116 + 28 * ((spec.sidi ? 1 : 0) + static_cast<int>(spec.guarded.size()))}),
      resetGuarded_(spec.resetGuarded) {
  const int rows = 1 + (spec.sidi ? 1 : 0) + static_cast<int>(spec.guarded.size());
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 280, 32 + 28 * rows, " Filter ");
  Label1 = MakeLabel(this, GroupBox1, "Label1", 14, 27, spec.label);
  ComboBox1 = ListOf(this, GroupBox1, "ComboBox1", 110, 24, 110, spec.items);
  int y = 54;
  if (spec.sidi) {
    CheckBox1 = MakeCheck(this, GroupBox1, "CheckBox1", 12, y, 90, "Sidi");
    y += 28;
  }
  gui::TCheckBox** boxes[] = {&CheckBox2, &CheckBox3};
  gui::TComboBox** lists[] = {&ComboBox2, &ComboBox3};
  for (size_t i = 0; i < spec.guarded.size() && i < 2; ++i) {
    const std::string n = std::to_string(i + 2);
    *boxes[i] = MakeCheck(this, GroupBox1, ("CheckBox" + n).c_str(), 12, y, 90, spec.guarded[i].caption);
    *lists[i] = ListOf(this, GroupBox1, ("ComboBox" + n).c_str(), 110, y - 2, 110, spec.guarded[i].items);
    GuardList(**boxes[i], **lists[i], resetGuarded_, resetGuarded_);
    y += 28;
  }
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TMemberCriterionForm::FormActivate(TObject*) {
  ComboBox1->SetItemIndex(0);
  if (CheckBox1) CheckBox1->SetChecked(false);
  if (CheckBox2) ResetGuard(*CheckBox2, *ComboBox2, resetGuarded_);
  if (CheckBox3) ResetGuard(*CheckBox3, *ComboBox3, resetGuarded_);
}

std::string TMemberCriterionForm::Criterion() { return Chosen(*ComboBox1); }

bool TMemberCriterionForm::Confirmed() { return CheckBox1 && CheckBox1->Checked(); }

std::optional<std::string> TMemberCriterionForm::Second() {
  return CheckBox2 ? Guarded(*CheckBox2, *ComboBox2) : std::nullopt;
}

std::optional<std::string> TMemberCriterionForm::Third() {
  return CheckBox3 ? Guarded(*CheckBox3, *ComboBox3) : std::nullopt;
}

void TMemberCriterionForm::ShowMembers(const rules::TReportQuery& report) {
  ShowList(*app::DM->QReport, report, *FQRWargaJemaat2);
}

}  // namespace registry

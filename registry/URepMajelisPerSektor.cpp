#include "registry/URepMajelisPerSektor.h"

namespace registry {

using namespace kit;

TFRepMajelisPerSektor* FRepMajelisPerSektor = nullptr;

TFRepMajelisPerSektor::TFRepMajelisPerSektor(rtl::TComponent* owner)
    : TCouncilReportForm(owner, "FRepMajelisPerSektor", "Laporan Majelis Per Sektor", 300, 144) {
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 280, 88, " Filter ");
  RadioButton1 = MakeRadio(this, GroupBox1, "RadioButton1", 12, 26, 90, "Wilayah");
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", 110, 24, 100, {"Semua", "Utara", "Selatan"});
  RadioButton2 = MakeRadio(this, GroupBox1, "RadioButton2", 12, 56, 90, "Sektor");
  ComboBox2 = MakeSectorList(this, GroupBox1, "ComboBox2", 110, 54);
  RadioButton1->OnClick = [this](TObject* s) { RadioButton1Click(s); };
  RadioButton2->OnClick = [this](TObject* s) { RadioButton2Click(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFRepMajelisPerSektor::Choose(gui::TComboBox* chosen) {
  for (gui::TComboBox* list : {ComboBox1, ComboBox2}) {
    list->SetItemIndex(0);
    list->SetEnabled(list == chosen);
  }
  if (chosen && Showing()) chosen->SetFocus();
}

void TFRepMajelisPerSektor::FormActivate(TObject*) {
  RadioButton1->SetChecked(false);
  RadioButton2->SetChecked(false);
  Choose(nullptr);
}

void TFRepMajelisPerSektor::RadioButton1Click(TObject*) { Choose(ComboBox1); }

void TFRepMajelisPerSektor::RadioButton2Click(TObject*) { Choose(ComboBox2); }

std::optional<rules::TCouncilCriteria> TFRepMajelisPerSektor::Criteria() {
  if (RadioButton1->Checked()) return rules::TCouncilCriteria{rules::TCouncilFilter::Region, Chosen(*ComboBox1)};
  if (RadioButton2->Checked()) return rules::TCouncilCriteria{rules::TCouncilFilter::Sector, Chosen(*ComboBox2)};
  return std::nullopt;
}

}  // namespace registry

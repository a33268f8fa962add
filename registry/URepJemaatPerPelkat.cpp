#include "registry/URepJemaatPerPelkat.h"

#include "app/UDM.h"
#include "registry/QRWargaJemaat2.h"
#include "registry/rules/ListReports.h"

namespace registry {

using namespace kit;

TFRepJemaatPerPelkat* FRepJemaatPerPelkat = nullptr;

TFRepJemaatPerPelkat::TFRepJemaatPerPelkat(rtl::TComponent* owner)
    : TReportForm(owner,
                  {.name = "FRepJemaatPerPelkat", .caption = "Laporan Jemaat Per Pelkat", .width = 300, .height = 200}) {
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 280, 144, " Filter ");
  Label1 = MakeLabel(this, GroupBox1, "Label1", 14, 27, "Pelkat");
  ComboBox1 = MakeGroupList(this, GroupBox1, "ComboBox1", 100, 24);
  CheckBox1 = MakeCheck(this, GroupBox1, "CheckBox1", 12, 54, 80, "Sidi");
  CheckBox2 = MakeCheck(this, GroupBox1, "CheckBox2", 12, 82, 80, "Wilayah");
  ComboBox2 = MakeList(this, GroupBox1, "ComboBox2", 100, 80, 90, {"Utara", "Selatan"});
  CheckBox3 = MakeCheck(this, GroupBox1, "CheckBox3", 12, 110, 80, "Sex");
  ComboBox3 = MakeList(this, GroupBox1, "ComboBox3", 100, 108, 90, {"Pria", "Wanita"});
  // These lists keep the entry chosen when their box is ticked again.
  GuardList(*CheckBox2, *ComboBox2, false, false);
  GuardList(*CheckBox3, *ComboBox3, false, false);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFRepJemaatPerPelkat::FormActivate(TObject*) {
  ComboBox1->SetItemIndex(0);
  CheckBox1->SetChecked(false);
  ResetGuard(*CheckBox2, *ComboBox2, false);
  ResetGuard(*CheckBox3, *ComboBox3, false);
}

void TFRepJemaatPerPelkat::Preview() {
  const rules::TGroupCriteria c{.group = Chosen(*ComboBox1),
                                .confirmed = CheckBox1->Checked(),
                                .region = Guarded(*CheckBox2, *ComboBox2),
                                .sex = Guarded(*CheckBox3, *ComboBox3)};
  ShowList(*app::DM->QReport, rules::MembersOfGroup(c), *FQRWargaJemaat2);
}

}  // namespace registry

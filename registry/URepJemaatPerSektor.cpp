#include "registry/URepJemaatPerSektor.h"

#include "app/UDM.h"
#include "registry/QRWargaJemaat2.h"
#include "registry/rules/ListReports.h"

namespace registry {

using namespace kit;

TFRepJemaatPerSektor* FRepJemaatPerSektor = nullptr;

TFRepJemaatPerSektor::TFRepJemaatPerSektor(rtl::TComponent* owner)
    : TReportForm(owner,
                  {.name = "FRepJemaatPerSektor", .caption = "Laporan Jemaat Per Sektor", .width = 300, .height = 200}) {
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 280, 144, " Filter ");
  Label1 = MakeLabel(this, GroupBox1, "Label1", 14, 27, "Sektor");
  ComboBox1 = MakeSectorList(this, GroupBox1, "ComboBox1", 100, 24);
  CheckBox1 = MakeCheck(this, GroupBox1, "CheckBox1", 12, 54, 80, "Sidi");
  CheckBox2 = MakeCheck(this, GroupBox1, "CheckBox2", 12, 82, 80, "PelKat");
  ComboBox2 = MakeGroupList(this, GroupBox1, "ComboBox2", 100, 80);
  CheckBox3 = MakeCheck(this, GroupBox1, "CheckBox3", 12, 110, 80, "Sex");
  ComboBox3 = MakeList(this, GroupBox1, "ComboBox3", 100, 108, 90, {"Pria", "Wanita"});
  GuardList(*CheckBox2, *ComboBox2);
  GuardList(*CheckBox3, *ComboBox3);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFRepJemaatPerSektor::FormActivate(TObject*) {
  ComboBox1->SetItemIndex(0);
  CheckBox1->SetChecked(false);
  ResetGuard(*CheckBox2, *ComboBox2);
  ResetGuard(*CheckBox3, *ComboBox3);
}

void TFRepJemaatPerSektor::Preview() {
  const rules::TSectorCriteria c{.sector = Chosen(*ComboBox1),
                                 .confirmed = CheckBox1->Checked(),
                                 .group = Guarded(*CheckBox2, *ComboBox2),
                                 .sex = Guarded(*CheckBox3, *ComboBox3)};
  ShowList(*app::DM->QReport, rules::MembersOfSector(c), *FQRWargaJemaat2);
}

}  // namespace registry

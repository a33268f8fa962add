#include "registry/URepJemaatPerGolDarah.h"

#include "app/UDM.h"
#include "registry/QRWargaJemaat2.h"
#include "registry/rules/ListReports.h"

namespace registry {

using namespace kit;

TFRepJemaatPerGolDarah* FRepJemaatPerGolDarah = nullptr;

TFRepJemaatPerGolDarah::TFRepJemaatPerGolDarah(rtl::TComponent* owner)
    : TReportForm(owner, {.name = "FRepJemaatPerGolDarah",
                          .caption = "Laporan Jemaat Per Gol.Darah",
                          .width = 300,
                          .height = 144}) {
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 280, 88, " Filter ");
  Label1 = MakeLabel(this, GroupBox1, "Label1", 14, 27, "Gol.Darah");
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", 100, 24, 70, {"A", "B", "AB", "O"});
  CheckBox1 = MakeCheck(this, GroupBox1, "CheckBox1", 12, 56, 80, "Sidi");
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFRepJemaatPerGolDarah::FormActivate(TObject*) {
  ComboBox1->SetItemIndex(0);
  CheckBox1->SetChecked(false);
}

void TFRepJemaatPerGolDarah::Preview() {
  ShowList(*app::DM->QReport, rules::MembersOfBloodGroup(Chosen(*ComboBox1), CheckBox1->Checked()),
           *FQRWargaJemaat2);
}

}  // namespace registry

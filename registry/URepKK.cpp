#include "registry/URepKK.h"

#include "app/UDM.h"
#include "registry/QRKK.h"
#include "registry/rules/ListReports.h"

namespace registry {

using namespace kit;

TFRepKK* FRepKK = nullptr;

TFRepKK::TFRepKK(rtl::TComponent* owner)
    : TReportForm(owner, {.name = "FRepKK", .caption = "Laporan Kepala Keluarga", .width = 300, .height = 116}) {
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 280, 60, " Filter ");
  CheckBox1 = MakeCheck(this, GroupBox1, "CheckBox1", 12, 26, 80, "Sektor");
  ComboBox1 = MakeSectorList(this, GroupBox1, "ComboBox1", 100, 24);
  GuardList(*CheckBox1, *ComboBox1);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFRepKK::FormActivate(TObject*) { ResetGuard(*CheckBox1, *ComboBox1); }

void TFRepKK::Preview() {
  ShowList(*app::DM->Q1, rules::HeadsOfFamily(Guarded(*CheckBox1, *ComboBox1)), *FQRKK);
}

}  // namespace registry

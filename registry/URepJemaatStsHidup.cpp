#include "registry/URepJemaatStsHidup.h"

#include "app/UDM.h"
#include "registry/QRWargaJemaat2.h"
#include "registry/rules/ListReports.h"

namespace registry {

using namespace kit;

TFRepJemaatStsHidup* FRepJemaatStsHidup = nullptr;

TFRepJemaatStsHidup::TFRepJemaatStsHidup(rtl::TComponent* owner)
    : TReportForm(owner, {.name = "FRepJemaatStsHidup",
                          .caption = "Laporan Jemaat Status Hidup",
                          .width = 300,
                          .height = 116}) {
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 280, 60, " Filter ");
  Label1 = MakeLabel(this, GroupBox1, "Label1", 14, 27, "Status Hidup");
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", 110, 24, 110, {"Hidup", "Meninggal", "Attestasi"});
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFRepJemaatStsHidup::FormActivate(TObject*) { ComboBox1->SetItemIndex(0); }

void TFRepJemaatStsHidup::Preview() {
  ShowList(*app::DM->QReport, rules::MembersByLifeState(Chosen(*ComboBox1)), *FQRWargaJemaat2);
}

}  // namespace registry

#include "registry/URepWargaJemaat.h"

#include "app/UDM.h"
#include "registry/QRWargaJemaat.h"
#include "registry/rules/ListReports.h"

namespace registry {

using namespace kit;

TFRepWargaJemaat* FRepWargaJemaat = nullptr;

TFRepWargaJemaat::TFRepWargaJemaat(rtl::TComponent* owner)
    : TReportForm(owner, {.name = "FRepWargaJemaat", .caption = "Laporan Warga Jemaat", .width = 330, .height = 212}) {
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 310, 156, " Filter ");
  RadioButton1 = MakeRadio(this, GroupBox1, "RadioButton1", 12, 22, 200, "Semua Warga Jemaat");
  RadioButton2 = MakeRadio(this, GroupBox1, "RadioButton2", 12, 46, 200, "Semua Warga Sidi Jemaat");
  Label1 = MakeLabel(this, GroupBox1, "Label1", 30, 68, "(Sudah SIDI)");
  CheckBox1 = MakeCheck(this, GroupBox1, "CheckBox1", 12, 94, 80, "SekPel");
  ComboBox1 = MakeSectorList(this, GroupBox1, "ComboBox1", 100, 92);
  CheckBox2 = MakeCheck(this, GroupBox1, "CheckBox2", 12, 122, 80, "PelKat");
  ComboBox2 = MakeGroupList(this, GroupBox1, "ComboBox2", 100, 120);
  GuardList(*CheckBox1, *ComboBox1);
  GuardList(*CheckBox2, *ComboBox2);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFRepWargaJemaat::FormActivate(TObject*) {
  RadioButton1->SetChecked(false);
  RadioButton2->SetChecked(false);
  ResetGuard(*CheckBox1, *ComboBox1);
  ResetGuard(*CheckBox2, *ComboBox2);
}

void TFRepWargaJemaat::Preview() {
  rules::TMemberListCriteria c;
  if (RadioButton1->Checked()) c.scope = rules::TMemberScope::All;
  if (RadioButton2->Checked()) c.scope = rules::TMemberScope::Confirmed;
  c.sector = Guarded(*CheckBox1, *ComboBox1);
  c.group = Guarded(*CheckBox2, *ComboBox2);
  ShowList(*app::DM->QReport, rules::MemberList(c), *FQRWargaJemaat);
}

}  // namespace registry

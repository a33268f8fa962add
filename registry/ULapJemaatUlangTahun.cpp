#include "registry/ULapJemaatUlangTahun.h"

#include "app/UDM.h"
#include "registry/rules/ListReports.h"

namespace registry {

using namespace kit;

TFLapJemaatUlangTahun* FLapJemaatUlangTahun = nullptr;

TFLapJemaatUlangTahun::TFLapJemaatUlangTahun(rtl::TComponent* owner)
    : TReportForm(owner, {.name = "FLapJemaatUlangTahun",
                          .caption = "Laporan Jemaat Ulang Tahun",
                          .width = 330,
                          .height = 200}) {
  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 8, 310, 84, " Periode ");
  Label1 = MakeLabel(this, GroupBox1, "Label1", 14, 27, "Tanggal");
  DateTimePicker1 = MakePicker(this, GroupBox1, "DateTimePicker1", 100, 24, 130);
  Label2 = MakeLabel(this, GroupBox1, "Label2", 14, 55, "Sampai");
  DateTimePicker2 = MakePicker(this, GroupBox1, "DateTimePicker2", 100, 52, 130);
  CheckBox1 = MakeCheck(this, this, "CheckBox1", 22, 102, 80, "SekPel");
  ComboBox1 = MakeSectorList(this, this, "ComboBox1", 110, 100);
  CheckBox2 = MakeCheck(this, this, "CheckBox2", 22, 130, 80, "PelKat");
  ComboBox2 = MakeGroupList(this, this, "ComboBox2", 110, 128);
  GuardList(*CheckBox1, *ComboBox1, false, false);
  GuardList(*CheckBox2, *ComboBox2, false, false);
  QR = new TLapJemaatUlangTahunReport(this);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFLapJemaatUlangTahun::FormActivate(TObject*) {
  DateTimePicker1->SetDateTime(rtl::Now());
  DateTimePicker2->SetDateTime(rtl::Now());
  ResetGuard(*CheckBox1, *ComboBox1, false);
  ResetGuard(*CheckBox2, *ComboBox2, false);
}

void TFLapJemaatUlangTahun::Preview() {
  const rtl::DateParts from = rtl::DecodeDateTime(DateTimePicker1->Date());
  const rtl::DateParts to = rtl::DecodeDateTime(DateTimePicker2->Date());
  const rules::TBirthdayReport r = rules::Birthdays({.d1 = from.day,
                                                     .m1 = from.month,
                                                     .d2 = to.day,
                                                     .m2 = to.month,
                                                     .sector = Guarded(*CheckBox1, *ComboBox1),
                                                     .group = Guarded(*CheckBox2, *ComboBox2)});
  OpenStatement(*app::DM->Q3, r.statement);
  QR->QRLabel17->SetCaption(r.sectorLine);
  QR->QRLabel18->SetCaption(r.groupLine);
  QR->QRLabel20->SetCaption(r.periodLine);
  QR->Preview();
}

}  // namespace registry

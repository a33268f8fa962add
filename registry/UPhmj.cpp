#include "registry/UPhmj.h"

#include "kit/Photo.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/UCariPHMJ.h"
#include "registry/rules/Council.h"
#include "registry/rules/Records.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFPhmj* FPhmj = nullptr;

TFPhmj::TFPhmj(rtl::TComponent* owner) : TEntryForm(owner, rules::ExecutiveRecord, "FCariPHMJ") {
  SetupForm(*this, {.name = "FPhmj", .caption = "Master >> PHMJ", .width = 720, .height = 440});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 12, 8, 520, 186, " Majelis Jemaat ");
  // The council member's particulars come from the council lookup.
  TRows council{
      .owner = this, .group = GroupBox1, .labelX = 12, .inputX = 250, .inputW = 110, .y = 26, .step = 32, .labelDy = 4};
  Edit1 = council.Edit("Edit1", "Nomor Induk Majelis Periode (NIMP)", false, true, 150);
  SpeedButton1 = Make<TSpeedButton>(this, GroupBox1, "SpeedButton1", 250 + 154, Edit1->Top(), 26, 22);
  SpeedButton1->SetCaption("...");
  Edit2 = council.Edit("Edit2", "Nama Majelis", false, true, 256);
  Edit3 = council.Edit("Edit3", "Jabatan", true, true, 80);
  Edit4 = council.Edit("Edit4", "Periode", false, true);
  Edit5 = council.Edit("Edit5", "Status", false, true);

  MakePhotoBlock(*this, {.x = 548, .y = 14}).Into(Panel1, Image1);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 12, 200, 520, 160, " Pelaksana Harian Majelis Jemaat (PHMJ) ");
  MakeLabel(this, GroupBox2, "Label6", 12, 30, "Jabatan");
  ComboBox1 = MakeList(this, GroupBox2, "ComboBox1", 120, 26, 170,
                       {"Ketua I", "Ketua II", "Ketua III", "Ketua IV", "Ketua V", "Sekretaris Umum", "Sekretaris I",
                        "Sekretaris II", "Bendahara Umum", "Bendahara I"});
  MakeLabel(this, GroupBox2, "Label7", 12, 62, "Status");
  RadioButton1 = Make<TRadioButton>(this, GroupBox2, "RadioButton1", 120, 60, 80, 20);
  RadioButton1->SetCaption("Aktif");
  RadioButton2 = Make<TRadioButton>(this, GroupBox2, "RadioButton2", 210, 60, 80, 20);
  RadioButton2->SetCaption("Selesai");
  MakeLabel(this, GroupBox2, "Label8", 12, 94, "Periode");
  Edit6 = MakeEdit(this, GroupBox2, "Edit6", 120, 90, 110, false, true);
  MakeLabel(this, GroupBox2, "Label9", 12, 126, "Tgl.Mulai");
  DateTimePicker1 = MakePicker(this, GroupBox2, "DateTimePicker1", 120, 122, 114);
  MakeLabel(this, GroupBox2, "Label10", 260, 126, "Tgl.Selesai");
  DateTimePicker2 = MakePicker(this, GroupBox2, "DateTimePicker2", 350, 122, 114);

  Panel2 = MakeBar(SpeedButton2, "SpeedButton2", 60);

  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
}

void TFPhmj::Cleared() {
  // The council member's particulars, shown only.
  for (TEdit* e : {Edit2, Edit3, Edit4, Edit5}) e->Clear();
}

void TFPhmj::SpeedButton1Click(TObject*) {
  DM->Q4->SQL.Clear();
  // The lookup knows this window by its being shown: no flag is set.
  OpenLookup("FCariNIM", "[Ketik Nama Majelis Disini]");
}

void TFPhmj::Save() {
  // The council member's number is the record's key: without one the save would store
  // an empty key.
  if (Edit1->Text().empty()) {
    kit::Refuse("Maaf...Data Majelis belum dipilih");
    return;
  }
  if (!SaveRecord({.record = rules::ExecutiveRecord(),
                   .form = *this,
                   .key = Edit1->Text(),
                   .find = {"select * from phmj", "where nimp=:ni"},
                   .findParam = "ni",
                   .endedStaysAsItIs = true,
                   .derive =
                       [this](std::string_view) {
                         // The period is shown as it is stored.
                         Edit6->SetText(rules::PeriodText(DateTimePicker1->Date(), DateTimePicker2->Date()));
                         return Edit6->Text();
                       },
                   .updated = "Data PHMJ berhasil di-ubah",
                   .inserted = "Data PHMJ berhasil di-input"}))
    return;
  FormActivate(this);
}

}  // namespace registry

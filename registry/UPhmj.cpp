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

TFPhmj::TFPhmj(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this, {.name = "FPhmj", .caption = "Master >> PHMJ", .width = 720, .height = 440});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 12, 8, 520, 186, " Majelis Jemaat ");
  const int lx = 12, ex = 250;
  MakeLabel(this, GroupBox1, "Label1", lx, 30, "Nomor Induk Majelis Periode (NIMP)");
  Edit1 = MakeEdit(this, GroupBox1, "Edit1", ex, 26, 150, false, true);
  SpeedButton1 = Make<TSpeedButton>(this, GroupBox1, "SpeedButton1", ex + 154, 26, 26, 22);
  SpeedButton1->SetCaption("...");
  MakeLabel(this, GroupBox1, "Label2", lx, 62, "Nama Majelis");
  Edit2 = MakeEdit(this, GroupBox1, "Edit2", ex, 58, 256, false, true);
  MakeLabel(this, GroupBox1, "Label3", lx, 94, "Jabatan");
  Edit3 = MakeEdit(this, GroupBox1, "Edit3", ex, 90, 80, true, true);
  MakeLabel(this, GroupBox1, "Label4", lx, 126, "Periode");
  Edit4 = MakeEdit(this, GroupBox1, "Edit4", ex, 122, 110, false, true);
  MakeLabel(this, GroupBox1, "Label5", lx, 158, "Status");
  Edit5 = MakeEdit(this, GroupBox1, "Edit5", ex, 154, 110, false, true);

  MakePhotoBlock(*this, {.x = 548, .y = 14}).Into(Panel1, Image1);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 12, 200, 520, 160, " Pelaksana Harian Majelis Jemaat (PHMJ) ");
  MakeLabel(this, GroupBox2, "Label6", lx, 30, "Jabatan");
  ComboBox1 = MakeList(this, GroupBox2, "ComboBox1", 120, 26, 170,
                       {"Ketua I", "Ketua II", "Ketua III", "Ketua IV", "Ketua V", "Sekretaris Umum", "Sekretaris I",
                        "Sekretaris II", "Bendahara Umum", "Bendahara I"});
  MakeLabel(this, GroupBox2, "Label7", lx, 62, "Status");
  RadioButton1 = Make<TRadioButton>(this, GroupBox2, "RadioButton1", 120, 60, 80, 20);
  RadioButton1->SetCaption("Aktif");
  RadioButton2 = Make<TRadioButton>(this, GroupBox2, "RadioButton2", 210, 60, 80, 20);
  RadioButton2->SetCaption("Selesai");
  MakeLabel(this, GroupBox2, "Label8", lx, 94, "Periode");
  Edit6 = MakeEdit(this, GroupBox2, "Edit6", 120, 90, 110, false, true);
  MakeLabel(this, GroupBox2, "Label9", lx, 126, "Tgl.Mulai");
  DateTimePicker1 = MakePicker(this, GroupBox2, "DateTimePicker1", 120, 122, 114);
  MakeLabel(this, GroupBox2, "Label10", 260, 126, "Tgl.Selesai");
  DateTimePicker2 = MakePicker(this, GroupBox2, "DateTimePicker2", 350, 122, 114);

  Panel2 = MakeActionBar(*this, "Panel2", 60,
                         {{&SpeedButton2, "SpeedButton2", "Simpan", [this](TObject* s) { SpeedButton2Click(s); }},
                          {&SpeedButton3, "SpeedButton3", "Cari", [this](TObject* s) { SpeedButton3Click(s); }},
                          {&SpeedButton4, "SpeedButton4", "Reset Form", [this](TObject* s) { SpeedButton4Click(s); }},
                          {&SpeedButton5, "SpeedButton5", "Close", [this](TObject* s) { SpeedButton5Click(s); }}});

  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  LimitLengths(rules::ExecutiveRecord(), *this);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFPhmj::FormActivate(TObject*) {
  ClearRecord(rules::ExecutiveRecord(), *this);
  // The council member's particulars, shown only.
  for (TEdit* e : {Edit2, Edit3, Edit4, Edit5}) e->Clear();
  kit::ShowDefaultPhoto(*DM->Q1, *Image1);
}

void TFPhmj::SpeedButton1Click(TObject*) {
  DM->Q4->SQL.Clear();
  // The lookup knows this window by its being shown: no flag is set.
  OpenLookup("FCariNIM", "[Ketik Nama Majelis Disini]");
}

void TFPhmj::SpeedButton2Click(TObject*) {
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

void TFPhmj::SpeedButton3Click(TObject*) { FCariPHMJ->ShowModal(); }

void TFPhmj::SpeedButton4Click(TObject*) { FormActivate(this); }

void TFPhmj::SpeedButton5Click(TObject*) { Close(); }

}  // namespace registry

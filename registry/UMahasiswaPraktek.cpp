#include "registry/UMahasiswaPraktek.h"

#include "kit/Photo.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Record.h"
#include "registry/rules/Records.h"
#include "registry/UCariMahasiswaPraktek.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFMahasiswaPraktek* FMahasiswaPraktek = nullptr;

TFMahasiswaPraktek::TFMahasiswaPraktek(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this,
            {.name = "FMahasiswaPraktek", .caption = "Master >> Mahasiswa Praktek", .width = 660, .height = 470});

  const int lx = 14, ex = 220;
  MakeLabel(this, this, "Label1", lx, 18, "Nomor Induk Mahasiswa (NIM)");
  Edit1 = MakeEdit(this, this, "Edit1", ex, 14, 150);
  MakeLabel(this, this, "Label2", lx, 50, "Nama Mahasiswa");
  Edit2 = MakeEdit(this, this, "Edit2", ex, 46, 230, true);
  MakeLabel(this, this, "Label3", lx, 82, "Tempat Lahir");
  Edit3 = MakeEdit(this, this, "Edit3", ex, 78, 230);
  MakeLabel(this, this, "Label4", lx, 114, "Tgl.Lahir");
  DateTimePicker1 = MakePicker(this, this, "DateTimePicker1", ex, 110, 130);
  MakeLabel(this, this, "Label5", lx, 146, "Kampus");
  Edit4 = MakeEdit(this, this, "Edit4", ex, 142, 230, true);
  MakeLabel(this, this, "Label6", lx, 178, "No.KTP");
  Edit5 = MakeEdit(this, this, "Edit5", ex, 174, 230);
  MakeLabel(this, this, "Label7", lx, 210, "Status");
  RadioButton1 = Make<TRadioButton>(this, this, "RadioButton1", ex, 208, 70, 20);
  RadioButton1->SetCaption("Aktif");
  RadioButton2 = Make<TRadioButton>(this, this, "RadioButton2", ex + 72, 208, 80, 20);
  RadioButton2->SetCaption("Selesai");

  MakePhotoBlock(*this, {.x = 480, .y = 14, .image = "Image1", .reset = "Button2", .title = "Mahasiswa Praktek"})
      .Into(Panel1, Image1, Button1, Button2, OpenDialog1);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 10, 260, 640, 130, " Dokumentasi ");
  MakeLabel(this, GroupBox2, "Label8", 10, 28, "No.Surat Praktek");
  Edit6 = MakeEdit(this, GroupBox2, "Edit6", 140, 24, 250);
  MakeLabel(this, GroupBox2, "Label9", 10, 60, "Tgl.Mulai");
  DateTimePicker2 = MakePicker(this, GroupBox2, "DateTimePicker2", 140, 56, 130);
  MakeLabel(this, GroupBox2, "Label10", 10, 92, "Tgl.Selesai");
  DateTimePicker3 = MakePicker(this, GroupBox2, "DateTimePicker3", 140, 88, 130);

  MakeActionBar(*this, "Panel2", 60,
                {{&SpeedButton2, "SpeedButton2", "Simpan", [this](TObject* s) { SpeedButton2Click(s); }},
                 {&SpeedButton3, "SpeedButton3", "Cari", [this](TObject* s) { SpeedButton3Click(s); }},
                 {&SpeedButton4, "SpeedButton4", "Reset Form", [this](TObject* s) { SpeedButton4Click(s); }},
                 {&SpeedButton5, "SpeedButton5", "Close", [this](TObject* s) { SpeedButton5Click(s); }}});

  LimitLengths(rules::StudentRecord(), *this);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFMahasiswaPraktek::FormActivate(TObject*) {
  ClearRecord(rules::StudentRecord(), *this);
  SetActiveControl(Edit1);
  if (Edit1->Showing()) Edit1->SetFocus();
  kit::ShowDefaultPhoto(*DM->Q1, *Image1);
}

void TFMahasiswaPraktek::SpeedButton2Click(TObject*) {
  if (!SaveRecord({.record = rules::StudentRecord(),
                   .form = *this,
                   .key = Edit1->Text(),
                   .keyName = "NIM",
                   .updated = "Data Mahasiswa Praktek berhasil di-ubah",
                   .inserted = "Data Mahasiswa Praktek berhasil di-input"}))
    return;
  FormActivate(this);
}

void TFMahasiswaPraktek::SpeedButton3Click(TObject*) { FCariMahasiswaPraktek->ShowModal(); }

void TFMahasiswaPraktek::SpeedButton4Click(TObject*) { FormActivate(this); }

void TFMahasiswaPraktek::SpeedButton5Click(TObject*) { Close(); }

}  // namespace registry

#include "registry/UVikaris.h"

#include "kit/Photo.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Record.h"
#include "registry/rules/Records.h"
#include "registry/UCariVikaris.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFVikaris* FVikaris = nullptr;

TFVikaris::TFVikaris(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this, {.name = "FVikaris", .caption = "Master >> Vikaris", .width = 660, .height = 520});

  const int lx = 14, ex = 200;
  MakeLabel(this, this, "Label1", lx, 18, "Nomor Induk Vikaris (NIV)");
  Edit1 = MakeEdit(this, this, "Edit1", ex, 14, 150);
  MakeLabel(this, this, "Label2", lx, 50, "Nama Vikaris");
  Edit2 = MakeEdit(this, this, "Edit2", ex, 46, 230, true);
  MakeLabel(this, this, "Label3", lx, 82, "Tempat Lahir");
  Edit3 = MakeEdit(this, this, "Edit3", ex, 78, 230);
  MakeLabel(this, this, "Label4", lx, 114, "Tgl.Lahir");
  DateTimePicker1 = MakePicker(this, this, "DateTimePicker1", ex, 110, 130);
  MakeLabel(this, this, "Label5", lx, 146, "Masa Vikaris");
  Edit4 = MakeEdit(this, this, "Edit4", ex, 142, 100);
  MakeLabel(this, this, "Label6", lx, 178, "No. KTP");
  Edit5 = MakeEdit(this, this, "Edit5", ex, 174, 230);
  MakeLabel(this, this, "Label7", lx, 210, "Status");
  RadioButton1 = Make<TRadioButton>(this, this, "RadioButton1", ex, 208, 70, 20);
  RadioButton1->SetCaption("Aktif");
  RadioButton2 = Make<TRadioButton>(this, this, "RadioButton2", ex + 72, 208, 70, 20);
  RadioButton2->SetCaption("Mutasi");
  RadioButton3 = Make<TRadioButton>(this, this, "RadioButton3", ex + 144, 208, 96, 20);
  RadioButton3->SetCaption("Peneguhan");

  MakePhotoBlock(*this, {.x = 480, .y = 14, .image = "Image1", .reset = "Button2", .title = "Vikaris"})
      .Into(Panel1, Image1, Button1, Button2, OpenDialog1);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 10, 260, 640, 190, " Dokumentasi ");
  auto* in = MakeGroup(this, GroupBox2, "GroupBox3", 10, 20, 305, 160, " Masuk ");
  MakeLabel(this, in, "Label8", 10, 28, "Mutasi Dari");
  Edit6 = MakeEdit(this, in, "Edit6", 100, 24, 195, true);
  MakeLabel(this, in, "Label9", 10, 60, "No.SK");
  Edit7 = MakeEdit(this, in, "Edit7", 100, 56, 195);
  MakeLabel(this, in, "Label10", 10, 92, "Tgl.Mulai");
  DateTimePicker2 = MakePicker(this, in, "DateTimePicker2", 100, 88, 130);
  auto* out = MakeGroup(this, GroupBox2, "GroupBox4", 325, 20, 305, 160, " Keluar ");
  MakeLabel(this, out, "Label11", 10, 28, "Mutasi Ke");
  Edit8 = MakeEdit(this, out, "Edit8", 100, 24, 195, true);
  MakeLabel(this, out, "Label12", 10, 60, "No.SK");
  Edit9 = MakeEdit(this, out, "Edit9", 100, 56, 195);
  MakeLabel(this, out, "Label13", 10, 92, "Tgl.Selesai");
  DateTimePicker3 = MakePicker(this, out, "DateTimePicker3", 100, 88, 130);

  MakeActionBar(*this, "Panel2", 60,
                {{&SpeedButton1, "SpeedButton1", "Simpan", [this](TObject* s) { SpeedButton1Click(s); }},
                 {&SpeedButton3, "SpeedButton3", "Cari", [this](TObject* s) { SpeedButton3Click(s); }},
                 {&SpeedButton4, "SpeedButton4", "Reset Form", [this](TObject* s) { SpeedButton4Click(s); }},
                 {&SpeedButton5, "SpeedButton5", "Close", [this](TObject* s) { SpeedButton5Click(s); }}});

  LimitLengths(rules::VicarRecord(), *this);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFVikaris::FormActivate(TObject*) {
  ClearRecord(rules::VicarRecord(), *this);
  SetActiveControl(Edit1);
  if (Edit1->Showing()) Edit1->SetFocus();
  kit::ShowDefaultPhoto(*DM->Q1, *Image1);
}

void TFVikaris::SpeedButton1Click(TObject*) {
  if (!SaveRecord({.record = rules::VicarRecord(),
                   .form = *this,
                   .key = Edit1->Text(),
                   .keyName = "NIV",
                   .updated = "Data Vikaris berhasil di-ubah",
                   .inserted = "Data Vikaris Baru berhasil di-input"}))
    return;
  FormActivate(this);
}

void TFVikaris::SpeedButton3Click(TObject*) { FCariVikaris->ShowModal(); }

void TFVikaris::SpeedButton4Click(TObject*) { FormActivate(this); }

void TFVikaris::SpeedButton5Click(TObject*) { Close(); }

}  // namespace registry

#include "registry/UPendeta.h"

#include "kit/Photo.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Record.h"
#include "registry/rules/Records.h"
#include "registry/UCariPendeta.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFPendeta* FPendeta = nullptr;

TFPendeta::TFPendeta(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this, {.name = "FPendeta", .caption = "Master >> Pendeta", .width = 900, .height = 560});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 6, 440, 290, " Identitas ");
  const int lx = 10, ex = 190;
  MakeLabel(this, GroupBox1, "Label1", lx, 28, "Nomor Induk Pendeta (NIP)");
  Edit1 = MakeEdit(this, GroupBox1, "Edit1", ex, 24, 150);
  MakeLabel(this, GroupBox1, "Label2", lx, 60, "Nama Pendeta");
  Edit2 = MakeEdit(this, GroupBox1, "Edit2", ex, 56, 236, true);
  MakeLabel(this, GroupBox1, "Label3", lx, 92, "Tempat Lahir");
  Edit11 = MakeEdit(this, GroupBox1, "Edit11", ex, 88, 236);
  MakeLabel(this, GroupBox1, "Label4", lx, 124, "Tgl.Lahir");
  DateTimePicker1 = MakePicker(this, GroupBox1, "DateTimePicker1", ex, 120, 130);
  MakeLabel(this, GroupBox1, "Label5", lx, 156, "Jabatan");
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", ex, 152, 120, {"KMJ", "PJ", "HONORER"});
  MakeLabel(this, GroupBox1, "Label6", lx, 188, "Status");
  RadioButton1 = Make<TRadioButton>(this, GroupBox1, "RadioButton1", ex, 186, 70, 20);
  RadioButton1->SetCaption("Aktif");
  RadioButton2 = Make<TRadioButton>(this, GroupBox1, "RadioButton2", ex + 72, 186, 70, 20);
  RadioButton2->SetCaption("Mutasi");
  RadioButton3 = Make<TRadioButton>(this, GroupBox1, "RadioButton3", ex + 144, 186, 90, 20);
  RadioButton3->SetCaption("Emeritus");
  MakeLabel(this, GroupBox1, "Label7", lx, 220, "No. KTP");
  Edit16 = MakeEdit(this, GroupBox1, "Edit16", ex, 216, 236);

  MakePhotoBlock(*this, {.x = 460, .y = 14, .image = "Image1", .reset = "Button5", .title = "Pendeta"})
      .Into(Panel1, Image1, Button1, Button5, OpenDialog1);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 630, 6, 260, 290, " Anggota Keluarga ");
  MakeLabel(this, GroupBox2, "Label8", 10, 28, "Nama Istri/Suami");
  Edit3 = MakeEdit(this, GroupBox2, "Edit3", 120, 24, 130, true);
  MakeLabel(this, GroupBox2, "Label9", 10, 58, "Jumlah Anak");
  Edit4 = MakeEdit(this, GroupBox2, "Edit4", 120, 54, 50);
  TEdit** children[] = {&Edit5, &Edit6, &Edit7, &Edit8, &Edit9, &Edit10};
  for (int i = 0; i < 6; ++i) {
    std::string n = std::to_string(i + 1);
    MakeLabel(this, GroupBox2, ("Label" + std::to_string(10 + i)).c_str(), 10, 88 + 30 * i, "Nama Anak " + n);
    *children[i] = MakeEdit(this, GroupBox2, ("Edit" + std::to_string(5 + i)).c_str(), 120, 84 + 30 * i, 130, true);
  }

  GroupBox3 = MakeGroup(this, this, "GroupBox3", 10, 300, 880, 180, " Mutasi ");
  GroupBox4 = MakeGroup(this, GroupBox3, "GroupBox4", 10, 20, 425, 150, " Masuk ");
  MakeLabel(this, GroupBox4, "Label16", 10, 28, "Mutasi Dari");
  Edit12 = MakeEdit(this, GroupBox4, "Edit12", 110, 24, 300, true);
  MakeLabel(this, GroupBox4, "Label17", 10, 60, "No. SK");
  Edit13 = MakeEdit(this, GroupBox4, "Edit13", 110, 56, 300);
  MakeLabel(this, GroupBox4, "Label18", 10, 92, "Tgl.Mulai");
  DateTimePicker2 = MakePicker(this, GroupBox4, "DateTimePicker2", 110, 88, 130);
  GroupBox5 = MakeGroup(this, GroupBox3, "GroupBox5", 445, 20, 425, 150, " Keluar ");
  MakeLabel(this, GroupBox5, "Label19", 10, 28, "Mutasi Ke");
  Edit14 = MakeEdit(this, GroupBox5, "Edit14", 110, 24, 300, true);
  MakeLabel(this, GroupBox5, "Label20", 10, 60, "No. SK");
  Edit15 = MakeEdit(this, GroupBox5, "Edit15", 110, 56, 300);
  MakeLabel(this, GroupBox5, "Label21", 10, 92, "Tgl.Selesai");
  DateTimePicker3 = MakePicker(this, GroupBox5, "DateTimePicker3", 110, 88, 130);

  Panel2 = MakeActionBar(*this, "Panel2", 60,
                         {{&SpeedButton1, "SpeedButton1", "Simpan", [this](TObject* s) { SpeedButton1Click(s); }},
                          {&SpeedButton3, "SpeedButton3", "Cari", [this](TObject* s) { SpeedButton3Click(s); }},
                          {&SpeedButton4, "SpeedButton4", "Reset Form", [this](TObject* s) { SpeedButton4Click(s); }},
                          {&SpeedButton5, "SpeedButton5", "Close", [this](TObject* s) { SpeedButton5Click(s); }}});

  LimitLengths(rules::MinisterRecord(), *this);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFPendeta::FormActivate(TObject*) {
  ClearRecord(rules::MinisterRecord(), *this);
  SetActiveControl(Edit1);
  if (Edit1->Showing()) Edit1->SetFocus();
  kit::ShowDefaultPhoto(*DM->Q1, *Image1);
}

void TFPendeta::SpeedButton1Click(TObject*) {
  if (!SaveRecord({.record = rules::MinisterRecord(),
                   .form = *this,
                   .key = Edit1->Text(),
                   .keyName = "NIP",
                   .updated = "Data Pendeta berhasil di-ubah",
                   .inserted = "Data Pendeta Baru berhasil di-input"}))
    return;
  FormActivate(this);
}

void TFPendeta::SpeedButton3Click(TObject*) { FCariPendeta->ShowModal(); }

void TFPendeta::SpeedButton4Click(TObject*) { FormActivate(this); }

void TFPendeta::SpeedButton5Click(TObject*) { Close(); }

}  // namespace registry

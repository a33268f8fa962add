#include "registry/UWargaJemaat.h"

#include "kit/Photo.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/QRJemaatBlankoKosong.h"
#include "registry/UCariWargaJemaat.h"
#include "registry/UDetailJemaat.h"
#include "registry/rules/Numbering.h"
#include "registry/rules/Records.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFWargaJemaat* FWargaJemaat = nullptr;

TFWargaJemaat::TFWargaJemaat(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this, {.name = "FWargaJemaat", .caption = "File >> Warga Jemaat", .width = 640, .height = 330});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 12, 8, 440, 250, " Kepala Keluarga ");
  const int lx = 12, ex = 180;
  MakeLabel(this, GroupBox1, "Label1", lx, 30, "Nomor Induk Keluarga (NIK)");
  Edit1 = MakeEdit(this, GroupBox1, "Edit1", ex, 26, 140, false, true);
  MakeLabel(this, GroupBox1, "Label2", lx, 62, "Nama Kepala Keluarga");
  Edit2 = MakeEdit(this, GroupBox1, "Edit2", ex, 58, 244, true);
  MakeLabel(this, GroupBox1, "Label3", lx, 94, "Title");
  ComboBox1 = MakeList(this, GroupBox1, "ComboBox1", ex, 90, 90, {"BPK", "IBU", "SDR", "SDRi"});
  MakeLabel(this, GroupBox1, "Label4", lx, 126, "Alamat");
  Edit3 = MakeEdit(this, GroupBox1, "Edit3", ex, 122, 244);
  MakeLabel(this, GroupBox1, "Label5", lx, 158, "Tgl.Input Daftar");
  DateTimePicker1 = MakePicker(this, GroupBox1, "DateTimePicker1", ex, 154, 130);
  MakeLabel(this, GroupBox1, "Label6", lx, 190, "Sektor Pelayanan");
  ComboBox2 = MakeList(this, GroupBox1, "ComboBox2", ex, 186, 60,
                       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});

  MakePhotoBlock(*this, {.x = 468, .y = 14, .image = "Image1", .reset = "Button2", .title = "Warga Jemaat"})
      .Into(Panel1, Image1, Button1, Button2, OpenDialog1);

  Panel2 = MakeActionBar(
      *this, "Panel2", 60,
      {{&SpeedButton1, "SpeedButton1", "Simpan", [this](TObject* s) { SpeedButton1Click(s); }},
       {&SpeedButton2, "SpeedButton2", "Detail", [this](TObject* s) { SpeedButton2Click(s); }},
       {&SpeedButton3, "SpeedButton3", "Cari", [this](TObject* s) { SpeedButton3Click(s); }},
       {&SpeedButton4, "SpeedButton4", "Reset Form", [this](TObject* s) { SpeedButton4Click(s); }},
       {&SpeedButton6, "SpeedButton6", "Print Blanko Kosong", [this](TObject* s) { SpeedButton6Click(s); }, 120},
       {&SpeedButton5, "SpeedButton5", "Close", [this](TObject* s) { SpeedButton5Click(s); }}});

  LimitLengths(rules::FamilyRecord(), *this);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFWargaJemaat::FormActivate(TObject*) {
  ClearRecord(rules::FamilyRecord(), *this);
  if (Showing()) Edit2->SetFocus();
  SetActiveControl(Edit2);
  kit::ShowDefaultPhoto(*DM->Q1, *Image1);
}

void TFWargaJemaat::SpeedButton1Click(TObject*) {
  if (IsBlank(Edit2->Text())) {
    kit::Refuse("Maaf...Data Nama Kepala Keluarga belum dimasukkan");
    return;
  }
  SaveRecord({.record = rules::FamilyRecord(),
              .form = *this,
              .key = Edit1->Text(),
              .existsWarning = "Maaf...NIK Sudah ada!, Anda masuk dalam mode: Perubahan Data",
              .newKey =
                  [this] {
                    auto& q = *DM->Q2;
                    kit::SetSQL(q, {"select nik from header_kk", "order by nik"});
                    q.Open();
                    Edit1->SetText(rules::NextFamilyNumber(kit::LastKey(q, "nik")));
                  },
              // The form goes back to a new family, so that saving again derives a fresh
              // number instead of looking for this one.
              .undoKey = [this] { Edit1->SetText("[Auto]"); },
              .updated = "Data Warga Jemaat [Header] berhasil di-ubah",
              .inserted = "Data Warga Jemaat [Header] berhasil di-input"});
  FormActivate(this);
}

void TFWargaJemaat::SpeedButton2Click(TObject*) {
  auto& q = *DM->Q3;
  kit::SetSQL(q, {"select * from header_kk", "where nik=:ni"});
  q.ParamByName("ni")->AsString(Edit1->Text());
  q.Open();
  if (q.RecordCount() == 0) {
    kit::Refuse("Maaf...NIK tidak ditemukan!");
    FormActivate(this);
    return;
  }
  auto* d = FDetailJemaat;
  d->Edit1->SetText(Edit1->Text());
  d->Edit2->SetText(Edit2->Text());
  d->Edit3->SetText(Chosen(*ComboBox1));
  d->Edit4->SetText(Edit3->Text());
  d->Edit5->SetText(rtl::DateToStr(DateTimePicker1->Date()));
  d->Edit6->SetText(Chosen(*ComboBox2));
  d->Image1->Picture().Assign(&Image1->Picture());
  d->ShowModal();
}

void TFWargaJemaat::SpeedButton3Click(TObject*) { FCariWargaJemaat->ShowModal(); }

void TFWargaJemaat::SpeedButton4Click(TObject*) { FormActivate(this); }

void TFWargaJemaat::SpeedButton5Click(TObject*) { Close(); }

void TFWargaJemaat::SpeedButton6Click(TObject*) { FQRJemaatBlankoKosong->Preview(); }

}  // namespace registry

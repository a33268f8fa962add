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
  SetName("FWargaJemaat");
  SetCaption("File >> Warga Jemaat");
  BorderStyle = TFormBorderStyle::bsSingle;
  BorderIcons = biSystemMenu;
  Position = TPosition::poScreenCenter;
  Font().SetName("MS Reference Sans Serif");
  Font().SetHeight(-12);
  SetClientSize(640, 330);

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

  Panel1 = Make<TPanel>(this, this, "Panel1", 468, 14, 160, 206);
  Panel1->SetCaption("Photo");
  Panel1->SetBevelOuter(TBevelCut::bvLowered);
  Image1 = Make<TImage>(this, Panel1, "Image1", 2, 2, 156, 202);
  Image1->SetStretch(true);
  Button1 = MakeButton(this, this, "Button1", 468, 226, 78, "Upload");
  Button2 = MakeButton(this, this, "Button2", 550, 226, 78, "Reset");
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  kit::SetupPhotoDialog(*OpenDialog1);

  Panel2 = Make<TPanel>(this, this, "Panel2", 0, 270, 640, 60);
  Panel2->SetAlign(TAlign::alBottom);
  SpeedButton1 = MakeSpeedButton(this, Panel2, "SpeedButton1", 10, 12, "Simpan");
  SpeedButton2 = MakeSpeedButton(this, Panel2, "SpeedButton2", 112, 12, "Detail");
  SpeedButton3 = MakeSpeedButton(this, Panel2, "SpeedButton3", 214, 12, "Cari");
  SpeedButton4 = MakeSpeedButton(this, Panel2, "SpeedButton4", 316, 12, "Reset Form");
  SpeedButton6 = MakeSpeedButton(this, Panel2, "SpeedButton6", 418, 12, "Print Blanko Kosong");
  SpeedButton6->SetWidth(120);
  SpeedButton5 = MakeSpeedButton(this, Panel2, "SpeedButton5", 542, 12, "Close");

  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };
  SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
  SpeedButton4->OnClick = [this](TObject* s) { SpeedButton4Click(s); };
  SpeedButton5->OnClick = [this](TObject* s) { SpeedButton5Click(s); };
  SpeedButton6->OnClick = [this](TObject* s) { SpeedButton6Click(s); };
  LimitLengths(rules::FamilyRecord(), *this);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFWargaJemaat::FormActivate(TObject*) {
  ClearRecord(rules::FamilyRecord(), *this);
  if (Showing()) Edit2->SetFocus();
  SetActiveControl(Edit2);
  kit::ShowDefaultPhoto(*DM->Q1, *Image1);
}

void TFWargaJemaat::Button1Click(TObject*) { kit::UploadPhoto(*OpenDialog1, *Image1); }

void TFWargaJemaat::Button2Click(TObject*) {
  ResetPhotoOrClose(*this, *Image1,
                    "Foto tidak dapat di-Reset! Silahkan Masukkan Foto Default Terlebih dahulu. Form Warga Jemaat "
                    "akan tertutup");
}

void TFWargaJemaat::BindFamily(data::TZQuery& q, kit::rules::TIn statement) {
  BindRecord(rules::FamilyRecord(), *this, q, statement);
}

void TFWargaJemaat::SpeedButton1Click(TObject*) {
  if (IsBlank(Edit2->Text())) {
    kit::Refuse("Maaf...Data Nama Kepala Keluarga belum dimasukkan");
    return;
  }
  auto& q = *DM->Q2;
  kit::SetSQL(q, {"select * from header_kk", "where nik=:ni"});
  q.ParamByName("ni")->AsString(Edit1->Text());
  q.Open();
  if (q.RecordCount() == 0) {
    kit::SetSQL(q, {"select nik from header_kk", "order by nik"});
    q.Open();
    Edit1->SetText(rules::NextFamilyNumber(kit::LastKey(q, "nik")));
    try {
      SetRecordSQL(q, rules::FamilyRecord(), kit::rules::kInsert);
      BindFamily(q, kit::rules::kInsert);
      q.ExecSQL();
    } catch (...) {
      // Nothing was stored under the number: the form goes back to a new family, so that
      // saving again derives a fresh number instead of looking for this one.
      Edit1->SetText("[Auto]");
      throw;
    }
    kit::Inform("Data Warga Jemaat [Header] berhasil di-input");
  } else {
    kit::Warn("Maaf...NIK Sudah ada!, Anda masuk dalam mode: Perubahan Data");
    SetRecordSQL(q, rules::FamilyRecord(), kit::rules::kUpdate);
    BindFamily(q, kit::rules::kUpdate);
    q.ExecSQL();
    kit::Inform("Data Warga Jemaat [Header] berhasil di-ubah");
  }
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

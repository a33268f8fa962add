#include "registry/UVikaris.h"

#include "kit/Photo.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Search.h"
#include "registry/UCariVikaris.h"
#include "kit/CurrentUser.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFVikaris* FVikaris = nullptr;

TFVikaris::TFVikaris(rtl::TComponent* owner) : TForm(owner) {
  SetName("FVikaris");
  SetCaption("Master >> Vikaris");
  BorderStyle = TFormBorderStyle::bsSingle;
  BorderIcons = biSystemMenu;
  Position = TPosition::poScreenCenter;
  Font().SetName("MS Reference Sans Serif");
  Font().SetHeight(-12);
  SetClientSize(660, 520);

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

  Panel1 = Make<TPanel>(this, this, "Panel1", 480, 14, 160, 206);
  Panel1->SetCaption("Photo");
  Panel1->SetBevelOuter(TBevelCut::bvLowered);
  Image1 = Make<TImage>(this, Panel1, "Image1", 2, 2, 156, 202);
  Image1->SetStretch(true);
  Button1 = MakeButton(this, this, "Button1", 480, 226, 78, "Upload");
  Button2 = MakeButton(this, this, "Button2", 562, 226, 78, "Reset");
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  kit::SetupPhotoDialog(*OpenDialog1);

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

  auto* bar = Make<TPanel>(this, this, "Panel2", 0, 460, 660, 60);
  bar->SetAlign(TAlign::alBottom);
  SpeedButton1 = MakeSpeedButton(this, bar, "SpeedButton1", 10, 12, "Simpan");
  SpeedButton3 = MakeSpeedButton(this, bar, "SpeedButton3", 112, 12, "Cari");
  SpeedButton4 = MakeSpeedButton(this, bar, "SpeedButton4", 214, 12, "Reset Form");
  SpeedButton5 = MakeSpeedButton(this, bar, "SpeedButton5", 316, 12, "Close");

  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  SpeedButton3->OnClick = [this](TObject* s) { SpeedButton3Click(s); };
  SpeedButton4->OnClick = [this](TObject* s) { SpeedButton4Click(s); };
  SpeedButton5->OnClick = [this](TObject* s) { SpeedButton5Click(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFVikaris::FormActivate(TObject*) {
  for (TEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9}) e->Clear();
  for (TDateTimePicker* p : {DateTimePicker1, DateTimePicker2, DateTimePicker3}) p->SetDateTime(rtl::Now());
  RadioButton1->SetChecked(true);
  RadioButton2->SetChecked(false);
  RadioButton3->SetChecked(false);
  Image1->Picture().SetGraphic(static_cast<const TGraphic*>(nullptr));
  SetActiveControl(Edit1);
  if (Edit1->Showing()) Edit1->SetFocus();
  kit::ShowDefaultPhoto(*DM->Q1, *Image1);
}

void TFVikaris::Button1Click(TObject*) { kit::UploadPhoto(*OpenDialog1, *Image1); }

void TFVikaris::Button2Click(TObject*) {
  ResetPhotoOrClose(*this, *Image1,
                    "Foto tidak dapat di-Reset! Silahkan Masukkan Foto Default Terlebih dahulu. Form Vikaris akan "
                    "tertutup");
}

void TFVikaris::SpeedButton1Click(TObject*) {
  SaveByTypedKey(
      {.select = "select * from vikaris",
       .where = "where niv=:ni",
       .key = Edit1->Text(),
       .exists = "Maaf...NIV Sudah ada!, Anda masuk dalam mode: Perubahan Data",
       .update = "update vikaris set nama_vik=:nv,tmp_lahir=:tl,tgl_lahir=:tgl,masa_vik_ke=:mvk,sts_aktif=:sa,"
                 "tgl_mulai=:tm,tgl_selesai=:ts,pindah_dari=:pd,no_sk_masuk=:nsm,pindah_ke=:pk,no_sk_keluar=:nsk,"
                 "foto=:fo,ktp=:kt,username=:un",
       .updateWhere = "where niv=:ni",
       .insert = "insert into vikaris(niv,nama_vik,tmp_lahir,tgl_lahir,masa_vik_ke,sts_aktif,tgl_mulai,tgl_selesai,"
                 "pindah_dari,no_sk_masuk,pindah_ke,no_sk_keluar,foto,ktp,username)values(:ni,:nv,:tl,:tgl,:mvk,:sa,"
                 ":tm,:ts,:pd,:nsm,:pk,:nsk,:fo,:kt,:un)",
       .updated = "Data Vikaris berhasil di-ubah",
       .inserted = "Data Vikaris Baru berhasil di-input"},
      [this](data::TZQuery& q, bool) {
        q.ParamByName("ni")->AsString(Edit1->Text());
        q.ParamByName("nv")->AsString(Edit2->Text());
        q.ParamByName("tl")->AsString(Edit3->Text());
        q.ParamByName("tgl")->AsDate(DateTimePicker1->Date());
        q.ParamByName("mvk")->AsString(Edit4->Text());
        q.ParamByName("sa")->AsString(RadioButton1->Checked()   ? "Aktif"
                                      : RadioButton2->Checked() ? "Mutasi"
                                      : RadioButton3->Checked() ? "Peneguhan"
                                                                : "");
        q.ParamByName("tm")->AsDate(DateTimePicker2->Date());
        q.ParamByName("ts")->AsDate(DateTimePicker3->Date());
        q.ParamByName("pd")->AsString(Edit6->Text());
        q.ParamByName("nsm")->AsString(Edit7->Text());
        q.ParamByName("pk")->AsString(Edit8->Text());
        q.ParamByName("nsk")->AsString(Edit9->Text());
        kit::BindPhoto(*q.ParamByName("fo"), *Image1);
        q.ParamByName("kt")->AsString(Edit5->Text());
        q.ParamByName("un")->AsString(kit::CurrentUserName());
      });
  FormActivate(this);
}

void TFVikaris::SpeedButton3Click(TObject*) { FCariVikaris->ShowModal(); }

void TFVikaris::SpeedButton4Click(TObject*) { FormActivate(this); }

void TFVikaris::SpeedButton5Click(TObject*) { Close(); }

}  // namespace registry

#include "registry/UMajelis.h"

#include "kit/Photo.h"
#include "kit/Record.h"
#include "kit/Records.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "registry/UCariMajelis.h"
#include "registry/rules/Council.h"
#include "registry/rules/Records.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFMajelis* FMajelis = nullptr;

TFMajelis::TFMajelis(rtl::TComponent* owner) : TForm(owner) {
  SetupForm(*this, {.name = "FMajelis", .caption = "Master >> Majelis", .width = 720, .height = 470});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 12, 8, 520, 250, " Identitas ");
  const int lx = 12, ex = 250;
  MakeLabel(this, GroupBox1, "Label1", lx, 30, "Nomor Induk Majelis Periode (NIMP)");
  Edit1 = MakeEdit(this, GroupBox1, "Edit1", ex, 26, 150, false, true);
  Edit1->Font().SetStyle(fsBold);
  MakeLabel(this, GroupBox1, "Label2", lx, 62, "Nomor Induk Jemaat (NIJ)");
  Edit2 = MakeEdit(this, GroupBox1, "Edit2", ex, 58, 150, false, true);
  SpeedButton1 = Make<TSpeedButton>(this, GroupBox1, "SpeedButton1", ex + 154, 58, 26, 22);
  SpeedButton1->SetCaption("...");
  MakeLabel(this, GroupBox1, "Label3", lx, 94, "Nama Majelis");
  Edit3 = MakeEdit(this, GroupBox1, "Edit3", ex, 90, 256, true, true);
  MakeLabel(this, GroupBox1, "Label4", lx, 126, "Tgl.Lahir");
  Edit4 = MakeEdit(this, GroupBox1, "Edit4", ex, 122, 110, false, true);
  MakeLabel(this, GroupBox1, "Label5", lx, 158, "Sex");
  Edit5 = MakeEdit(this, GroupBox1, "Edit5", ex, 154, 110, false, true);
  MakeLabel(this, GroupBox1, "Label6", lx, 190, "PelKat");
  Edit6 = MakeEdit(this, GroupBox1, "Edit6", ex, 186, 110, false, true);
  MakeLabel(this, GroupBox1, "Label7", lx, 222, "SekPel");
  Edit7 = MakeEdit(this, GroupBox1, "Edit7", ex, 218, 110, false, true);

  MakePhotoBlock(*this, {.x = 548, .y = 14}).Into(Panel1, Image1);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 12, 264, 300, 132, " Jabatan ");
  RadioButton1 = Make<TRadioButton>(this, GroupBox2, "RadioButton1", 12, 22, 130, 20);
  RadioButton1->SetCaption("Penatua (Pnt)");
  RadioButton2 = Make<TRadioButton>(this, GroupBox2, "RadioButton2", 150, 22, 130, 20);
  RadioButton2->SetCaption("Diaken (Dkn)");
  MakeLabel(this, GroupBox2, "Label10", 12, 52, "Periode");
  Edit8 = MakeEdit(this, GroupBox2, "Edit8", 80, 48, 110, false, true);
  MakeLabel(this, GroupBox2, "Label11", 12, 80, "Status");
  ComboBox1 = MakeList(this, GroupBox2, "ComboBox1", 80, 76, 110, {"Aktif", "Selesai"});
  Label13 = MakeLabel(this, GroupBox2, "Label13", 12, 108, "Alasan");
  Edit9 = MakeEdit(this, GroupBox2, "Edit9", 80, 104, 208);

  GroupBox3 = MakeGroup(this, this, "GroupBox3", 322, 264, 210, 90, " Periode ");
  MakeLabel(this, GroupBox3, "Label8", 12, 28, "Tgl.Mulai");
  DateTimePicker1 = MakePicker(this, GroupBox3, "DateTimePicker1", 84, 24, 114);
  MakeLabel(this, GroupBox3, "Label9", 12, 60, "Selesai");
  DateTimePicker2 = MakePicker(this, GroupBox3, "DateTimePicker2", 84, 56, 114);

  GroupBox4 = MakeGroup(this, this, "GroupBox4", 548, 264, 160, 90, " Akses ");
  Label14 = MakeLabel(this, GroupBox4, "Label14", 12, 28, "PIN");
  Edit10 = MakeEdit(this, GroupBox4, "Edit10", 44, 24, 64);
  Edit10->SetMaxLength(5);
  Edit10->SetPasswordChar(L'*');
  Edit10->Font().SetColor(clRed);
  Edit10->Font().SetStyle(fsBold);
  Button1 = MakeButton(this, GroupBox4, "Button1", 44, 54, 64, "OK");

  Panel2 = MakeActionBar(*this, "Panel2", 60,
                         {{&SpeedButton2, "SpeedButton2", "Simpan", [this](TObject* s) { SpeedButton2Click(s); }},
                          {&SpeedButton3, "SpeedButton3", "Cari", [this](TObject* s) { SpeedButton3Click(s); }},
                          {&SpeedButton4, "SpeedButton4", "Reset Form", [this](TObject* s) { SpeedButton4Click(s); }},
                          {&SpeedButton5, "SpeedButton5", "Close", [this](TObject* s) { SpeedButton5Click(s); }}});

  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  LimitLengths(rules::CouncilRecord(), *this);
  OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TFMajelis::FormActivate(TObject*) {
  ClearRecord(rules::CouncilRecord(), *this);
  // The member's particulars beside the record, shown only.
  for (TEdit* e : {Edit3, Edit4, Edit5, Edit6, Edit7}) e->Clear();
  Edit9->Hide();
  Label13->Hide();
  Edit10->Clear();
  if (Showing()) Edit2->SetFocus();
  SetActiveControl(Edit2);
  kit::ShowDefaultPhoto(*DM->Q1, *Image1);
}

void TFMajelis::SpeedButton1Click(TObject*) {
  auto& q = *DM->Q4;
  kit::SetSQL(q, {"select nij,nama_dpn,nama_tengah,nama_blkg,nama_gabung,sekpel from detail_kk"});
  q.Open();
  // The lookup knows this window by its being shown: no flag is set.
  OpenLookup("FCariNIJ", "[Ketik Nama Jemaat Disini]");
}

void TFMajelis::ComboBox1Change(TObject*) {
  if (Chosen(*ComboBox1) == "Selesai") {
    Edit9->Show();
    Label13->Show();
    if (Showing()) Edit9->SetFocus();
    Edit9->SelectAll();
  } else {
    Edit9->Hide();
    Label13->Hide();
  }
}

void TFMajelis::SpeedButton2Click(TObject*) {
  // Without a member there is neither a member number nor the sex that makes the
  // council number: a save would store "[Auto]" as the key.
  if (Edit2->Text().empty()) {
    kit::Refuse("Maaf...Data Jemaat belum dipilih");
    return;
  }
  if (!SaveRecord(
          {.record = rules::CouncilRecord(),
           .form = *this,
           .key = Edit1->Text(),
           .find = {"select * from majelis", "where nimp=:ni"},
           .findParam = "ni",
           .endedStaysAsItIs = true,
           .newKey =
               [this] {
                 auto& q = *DM->Q2;
                 kit::SetSQL(q, {"select * from majelis", "order by nimp"});
                 q.Open();
                 Edit1->SetText(rules::NextCouncilNumber(kit::LastKey(q, "nimp"), Edit5->Text()));
               },
           .undoKey = [this] { Edit1->SetText("[Auto]"); },
           .derive =
               [this](std::string_view) { return rules::PeriodText(DateTimePicker1->Date(), DateTimePicker2->Date()); },
           .updated = "Data Majelis berhasil di-ubah",
           .inserted = "Data Majelis berhasil di-input"}))
    return;
  FormActivate(this);
}

void TFMajelis::SpeedButton3Click(TObject*) { FCariMajelis->ShowModal(); }

void TFMajelis::SpeedButton4Click(TObject*) { FormActivate(this); }

void TFMajelis::SpeedButton5Click(TObject*) { Close(); }

void TFMajelis::Button1Click(TObject*) {
  if (Edit1->Text() == "[Auto]") {
    kit::Refuse("NIMP tidak ditemukan. PIN anda tidak dapat di-ubah");
    return;
  }
  auto& q = *DM->Q2;
  kit::SetSQL(q, {"update majelis set pswd=:ps", "where nimp=:ni"});
  q.ParamByName("ni")->AsString(Edit1->Text());
  q.ParamByName("ps")->AsString(Edit10->Text());
  q.ExecSQL();
  kit::Inform("PIN anda sudah berhasil di-ubah!");
  FormActivate(this);
}

}  // namespace registry

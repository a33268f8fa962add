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

TFMajelis::TFMajelis(rtl::TComponent* owner) : TEntryForm(owner, rules::CouncilRecord, "FCariMajelis") {
  SetupForm(*this, {.name = "FMajelis", .caption = "Master >> Majelis", .width = 720, .height = 470});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 12, 8, 520, 250, " Identitas ");
  // The member's particulars are filled by the member lookup, never typed.
  TRows id{
      .owner = this, .group = GroupBox1, .labelX = 12, .inputX = 250, .inputW = 110, .y = 26, .step = 32, .labelDy = 4};
  Edit1 = id.Edit("Edit1", "Nomor Induk Majelis Periode (NIMP)", false, true, 150);
  Edit1->Font().SetStyle(fsBold);
  Edit2 = id.Edit("Edit2", "Nomor Induk Jemaat (NIJ)", false, true, 150);
  SpeedButton1 = Make<TSpeedButton>(this, GroupBox1, "SpeedButton1", 250 + 154, Edit2->Top(), 26, 22);
  SpeedButton1->SetCaption("...");
  Edit3 = id.Edit("Edit3", "Nama Majelis", true, true, 256);
  Edit4 = id.Edit("Edit4", "Tgl.Lahir", false, true);
  Edit5 = id.Edit("Edit5", "Sex", false, true);
  Edit6 = id.Edit("Edit6", "PelKat", false, true);
  Edit7 = id.Edit("Edit7", "SekPel", false, true);

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

  Panel2 = MakeBar(SpeedButton2, "SpeedButton2", 60);

  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  ComboBox1->OnChange = [this](TObject* s) { ComboBox1Change(s); };
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
}

void TFMajelis::Cleared() {
  // The member's particulars beside the record, shown only.
  for (TEdit* e : {Edit3, Edit4, Edit5, Edit6, Edit7}) e->Clear();
  Edit9->Hide();
  Label13->Hide();
  Edit10->Clear();
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

void TFMajelis::Save() {
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

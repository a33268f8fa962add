#include "registry/UKatekisasi.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Records.h"
#include "registry/rules/Code39.h"
#include "registry/rules/Numbering.h"
#include "registry/rules/Sacraments.h"

namespace registry {

using namespace gui;
using namespace kit;
using app::DM;

TFKatekisasi* FKatekisasi = nullptr;

TFKatekisasi::TFKatekisasi(rtl::TComponent* owner)
    : TSacramentRegister(
          owner, {.record = rules::CatechismRecord,
                  .search = "FCariKatekisasi",
                  .suffix = rules::kCatechismSuffix,
                  .status = {.numbers = {"Edit1", "Edit10", "Edit16"},
                             .switched = {"Edit2", "Edit3", "Edit5", "Edit13", "Edit19", "Edit22", "Edit7", "Edit8",
                                          "Edit9", "Edit11", "Edit12", "Edit14", "Edit15", "Edit4", "Edit23", "Edit25",
                                          "Edit17", "Edit18", "Edit20", "Edit21", "Edit26", "Edit27", "Edit28"},
                             .cleared = {},
                             .pickers = {"DateTimePicker4", "DateTimePicker7", "DateTimePicker5", "DateTimePicker6"}},
                  .updated = "Data Pendaftaran Katekisasi-Sidi berhasil di-ubah",
                  .inserted = "Data Pendaftaran Katekisasi-Sidi berhasil di-input"}) {
  SetupForm(*this, {.name = "FKatekisasi", .caption = "Pendaftaran >> Katekisasi/Sidi", .width = 900, .height = 790});

  GroupBox3 = MakeGroup(this, this, "GroupBox3", 10, 6, 430, 250, " Registrasi Katekisan ");
  TRows reg{.owner = this, .group = GroupBox3, .inputX = 150, .inputW = 266, .y = 22, .step = 28, .labelDy = 4};
  Edit6 = reg.Edit("Edit6", "No.Registrasi", false, true, 180);
  Edit6->Font().SetStyle(fsBold);
  SetEditable(*Edit6, false);
  reg.Radios("Status Gereja", {{&RadioButton1, "RadioButton1", "Internal"}, {&RadioButton2, "RadioButton2", "Eksternal"}});
  Label19 = Make<TBarcodeLabel>(this, GroupBox3, "Label19", 15, 100, 400, 33);
  Label19->Font().SetName("Code39Azalea");
  Label19->Font().SetColor(clNavy);
  Label19->Alignment = TAlignment::taCenter;
  Label36 = MakeLabel(this, GroupBox3, "Label36", 15, 138, "");
  Label36->SetAutoSize(false);
  Label36->SetBounds(15, 138, 400, 17);
  Label36->Alignment = TAlignment::taCenter;

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 450, 6, 440, 300, " Anak yang akan Katekisasi/Sidi ");
  TRows cand{.owner = this, .group = GroupBox1, .inputX = 160, .inputW = 266, .y = 22, .step = 28,
             .labels = 40, .labelDy = 4};
  Edit1 = MemberNumber(GroupBox1, "Edit1", SpeedButton1, "SpeedButton1", 160, cand.Row("Nomor Induk Jemaat (NIJ)"));
  Edit2 = cand.Edit("Edit2", "Nama Katekisan", true);
  const int born = cand.Row("Tempat/Tgl.Lahir");
  Edit3 = MakeEdit(this, GroupBox1, "Edit3", 160, born, 150);
  DateTimePicker4 = MakePicker(this, GroupBox1, "DateTimePicker4", 316, born, 110);
  const int baptised = cand.Row("Tempat/Tgl.Baptis");
  Edit5 = MakeEdit(this, GroupBox1, "Edit5", 160, baptised, 150);
  Edit5->Font().SetColor(clRed);
  DateTimePicker7 = MakePicker(this, GroupBox1, "DateTimePicker7", 316, baptised, 110);
  const int sector = cand.Row("Sektor Pelayanan / No.Telp/HP");
  Edit13 = MakeEdit(this, GroupBox1, "Edit13", 160, sector, 60);
  Edit19 = MakeEdit(this, GroupBox1, "Edit19", 226, sector, 200);
  Edit22 = cand.Edit("Edit22", "Alamat");
  Edit9 = cand.Edit("Edit9", "Pekerjaan");
  Edit7 = cand.Edit("Edit7", "No.Surat Gereja Eksternal");
  Edit8 = cand.Edit("Edit8", "Asal Gereja/Agama");

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 10, 312, 880, 236, " Keterangan Orang Tua/Wali ");
  struct TParent {
    int labelX, inputX, labels;
    const char *number, *button, *numberCaption, *name, *nameCaption, *place, *picker, *job, *address, *phone,
        *sector, *origin;
  };
  auto parent = [this](const TParent& p, TSpeedButton*& button) {
    TRows r{.owner = this, .group = GroupBox2, .labelX = p.labelX, .inputX = p.inputX, .inputW = 300, .y = 22,
            .step = 28, .labels = p.labels, .labelDy = 4};
    MemberNumber(GroupBox2, p.number, button, p.button, p.inputX, r.Row(p.numberCaption));
    r.Edit(p.name, p.nameCaption, true);
    const int born = r.Row("Tempat Lahir / Tgl.Lahir");
    MakeEdit(this, GroupBox2, p.place, p.inputX, born, 180);
    MakePicker(this, GroupBox2, p.picker, p.inputX + 186, born, 114);
    r.Edit(p.job, "Pekerjaan");
    r.Edit(p.address, "Alamat");
    const int phone = r.Row("No. Telpon/HP / SekPel");
    MakeEdit(this, GroupBox2, p.phone, p.inputX, phone, 230);
    MakeEdit(this, GroupBox2, p.sector, p.inputX + 236, phone, 64);
    r.Edit(p.origin, "Asal Gereja/Agama");
  };
  parent({10, 120, 60, "Edit10", "SpeedButton2", "NIJ Ayah", "Edit11", "Nama Ayah", "Edit12", "DateTimePicker5",
          "Edit14", "Edit15", "Edit4", "Edit23", "Edit25"},
         SpeedButton2);
  parent({450, 560, 70, "Edit16", "SpeedButton3", "NIJ Ibu", "Edit17", "Nama Ibu", "Edit18", "DateTimePicker6",
          "Edit20", "Edit21", "Edit26", "Edit27", "Edit28"},
         SpeedButton3);
  auto edit = [this](const char* n) { return dynamic_cast<TEdit*>(FindComponent(n)); };
  Edit10 = edit("Edit10"), Edit11 = edit("Edit11"), Edit12 = edit("Edit12"), Edit14 = edit("Edit14");
  Edit15 = edit("Edit15"), Edit4 = edit("Edit4"), Edit23 = edit("Edit23"), Edit25 = edit("Edit25");
  Edit16 = edit("Edit16"), Edit17 = edit("Edit17"), Edit18 = edit("Edit18"), Edit20 = edit("Edit20");
  Edit21 = edit("Edit21"), Edit26 = edit("Edit26"), Edit27 = edit("Edit27"), Edit28 = edit("Edit28");
  DateTimePicker5 = dynamic_cast<TDateTimePicker*>(FindComponent("DateTimePicker5"));
  DateTimePicker6 = dynamic_cast<TDateTimePicker*>(FindComponent("DateTimePicker6"));

  GroupBox4 = MakeGroup(this, this, "GroupBox4", 10, 262, 430, 0, "");
  GroupBox4->SetBounds(10, 554, 430, 170);
  MakeSchedule(GroupBox4, 12, 16, 30);

  GroupBox5 = MakeGroup(this, this, "GroupBox5", 450, 554, 440, 0, " Checklist Kelengkapan Dokumen ");
  GroupBox5->SetBounds(450, 554, 440, 170);
  const char* checks[] = {"Copy Kartu Warga Jemaat (Print dari Gereja)", "Copy Akte Kelahiran", "Copy Tanda Pengenal",
                          "2 Lembar Pas Photo", "Copy Surat Baptis", "Surat Pernyataan (Bagi yang Non-Kristen)",
                          "Biaya Administrasi"};
  TCheckBox** boxes[] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4, &CheckBox5, &CheckBox6, &CheckBox7};
  for (int i = 0; i < 7; ++i) {
    *boxes[i] = Make<TCheckBox>(this, GroupBox5, ("CheckBox" + std::to_string(i + 1)).c_str(), 12, 18 + 21 * i, 416,
                                20);
    (*boxes[i])->SetCaption(checks[i]);
  }

  Panel1 = Make<TPanel>(this, GroupBox3, "Panel1", 10, 190, 410, 40);
  MakeValidation(Panel1, 8, 10);

  MakeBar();
}

void TFKatekisasi::StatusApplied(bool external) {
  Label19->SetCaption(rules::Code39Framed(kSampleNumber));
  Label36->SetCaption(kSampleNumber);
  // Unlike the baptism window the whole form starts again.
  DateTimePicker1->SetDateTime(rtl::Now());
  DateTimePicker2->SetDateTime(rtl::Now());
  DateTimePicker3->SetDateTime(rtl::Now());
  ComboBox2->SetItemIndex(0);
  for (TCheckBox* c : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7})
    c->SetChecked(false);
  for (TSpeedButton* b : {SpeedButton1, SpeedButton2, SpeedButton3}) b->SetFlat(false);
  Edit24->Clear();
  if (external && Edit2->Showing()) Edit2->SetFocus();
}

void TFKatekisasi::Numbered(const std::string& number) {
  // The label keeps Code 39's start and stop characters around the digits: without
  // them no reader takes the code.
  const std::string digits = rules::SacramentLabelDigits(number);
  Label19->SetCaption(rules::Code39Framed(digits));
  Label36->SetCaption(digits);
}

void TFKatekisasi::BeforeWrite() {
  // Only a confirmation carried out for a member writes the member's place of
  // confirmation, the church's own name; the flag and the date stay as they are.
  if (!RadioButton3->Checked() || !RadioButton1->Checked()) return;
  auto& q = *DM->Q2;
  SetSQL(q, {"select nama_gereja from gereja"});
  q.Open();
  const std::string church = q.RecordCount() ? q.FieldByName("nama_gereja")->AsString() : "";
  SetSQL(q, {"update detail_kk set tmpt_sidi=:ts", "where nij=:ni"});
  q.ParamByName("ni")->AsString(Edit1->Text());
  q.ParamByName("ts")->AsString(church);
  q.ExecSQL();
}

}  // namespace registry

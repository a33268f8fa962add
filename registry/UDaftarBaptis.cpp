#include "registry/UDaftarBaptis.h"

#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Records.h"
#include "registry/rules/Sacraments.h"

namespace registry {

using namespace gui;
using namespace kit;
using app::DM;

TFDaftarBaptis* FDaftarBaptis = nullptr;

TFDaftarBaptis::TFDaftarBaptis(rtl::TComponent* owner)
    : TSacramentRegister(owner,
                         {.record = rules::BaptismRecord,
                          .search = "FCariDaftarBaptis",
                          .suffix = rules::kBaptismSuffix,
                          .status = {.numbers = {"Edit1", "Edit10", "Edit16"},
                                     .switched = {"Edit7", "Edit8", "Edit9", "Edit2", "Edit3", "Edit4", "Edit11",
                                                  "Edit12", "Edit13", "Edit14", "Edit15", "Edit17", "Edit18",
                                                  "Edit20"},
                                     .cleared = {"Edit5", "Edit21"},
                                     .pickers = {"DateTimePicker4", "DateTimePicker5", "DateTimePicker6"}},
                          .updated = "Data Pendaftaran Baptis berhasil di-ubah",
                          .inserted = "Data Pendaftaran Baptis berhasil di-input"}) {
  SetupForm(*this, {.name = "FDaftarBaptis",
                    .caption = "Pendaftaran >> Baptisan >> Pendaftaran Baptis",
                    .width = 900,
                    .height = 610});

  GroupBox3 = MakeGroup(this, this, "GroupBox3", 10, 6, 430, 168, " Registrasi ");
  TRows reg{.owner = this, .group = GroupBox3, .inputX = 170, .inputW = 246, .y = 22, .step = 28, .labelDy = 4};
  Edit6 = reg.Edit("Edit6", "No.Registrasi", false, true, 180);
  Edit6->Font().SetStyle(fsBold);
  SetEditable(*Edit6, false);
  reg.Radios("Status Gereja", {{&RadioButton1, "RadioButton1", "Internal"}, {&RadioButton2, "RadioButton2", "Eksternal"}});
  Edit7 = reg.Edit("Edit7", "No.Surat Gereja Eksternal");
  Edit8 = reg.Edit("Edit8", "Nama Gereja Eksternal");
  Edit9 = reg.Edit("Edit9", "Nama Pendeta/Gembala");

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 450, 6, 440, 168, " Anak yang akan dibaptis ");
  TRows child{.owner = this, .group = GroupBox1, .inputX = 170, .inputW = 256, .y = 22, .step = 28,
              .labels = 10, .labelDy = 4};
  Edit1 = MemberNumber(GroupBox1, "Edit1", SpeedButton1, "SpeedButton1", 170, child.Row("Nomor Induk Jemaat (NIJ)"));
  Edit2 = child.Edit("Edit2", "Nama Jemaat", true);
  const int born = child.Row("Tempat/Tgl.Lahir");
  Edit3 = MakeEdit(this, GroupBox1, "Edit3", 170, born, 140);
  DateTimePicker4 = MakePicker(this, GroupBox1, "DateTimePicker4", 316, born, 110);
  Edit5 = child.Edit("Edit5", "No.Akte Kelahiran");
  Edit5->Font().SetColor(clRed);
  Edit13 = child.Edit("Edit13", "Sektor Pelayanan", false, false, 80);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 10, 180, 880, 200, " Keterangan Orang Tua/Wali ");
  TRows father{.owner = this, .group = GroupBox2, .inputX = 200, .inputW = 226, .y = 22, .step = 28,
               .labels = 20, .labelDy = 4};
  Edit10 = MemberNumber(GroupBox2, "Edit10", SpeedButton2, "SpeedButton2", 200,
                        father.Row("Nomor Induk Jemaat (NIJ) Ayah"));
  Edit11 = father.Edit("Edit11", "Nama Ayah", true);
  const int fatherBorn = father.Row("Tempat Lahir / Tgl.Lahir");
  Edit12 = MakeEdit(this, GroupBox2, "Edit12", 200, fatherBorn, 110);
  DateTimePicker5 = MakePicker(this, GroupBox2, "DateTimePicker5", 316, fatherBorn, 110);
  Edit14 = father.Edit("Edit14", "Pekerjaan");
  Edit15 = father.Edit("Edit15", "Alamat");
  Edit4 = father.Edit("Edit4", "No. Telpon/HP");
  TRows mother{.owner = this, .group = GroupBox2, .labelX = 450, .inputX = 640, .inputW = 226, .y = 22,
               .step = 28, .labels = 30, .labelDy = 4};
  Edit16 = MemberNumber(GroupBox2, "Edit16", SpeedButton3, "SpeedButton3", 640,
                        mother.Row("Nomor Induk Jemaat (NIJ) Ibu"));
  Edit17 = mother.Edit("Edit17", "Nama Ibu", true);
  const int motherBorn = mother.Row("Tempat Lahir / Tgl.Lahir");
  Edit18 = MakeEdit(this, GroupBox2, "Edit18", 640, motherBorn, 110);
  DateTimePicker6 = MakePicker(this, GroupBox2, "DateTimePicker6", 756, motherBorn, 110);
  Edit20 = mother.Edit("Edit20", "Pekerjaan");
  Edit21 = mother.Edit("Edit21", "Nomor Akte Nikah");
  Edit21->Font().SetColor(clRed);

  GroupBox4 = MakeGroup(this, this, "GroupBox4", 10, 386, 470, 150, "");
  MakeSchedule(GroupBox4, 12, 22, 30);
  MakeValidation(GroupBox4, 12, 114);

  GroupBox5 = MakeGroup(this, this, "GroupBox5", 490, 386, 400, 150, " Checklist Kelengkapan Dokumen ");
  const char* checks[] = {"Copy Kartu Warga Jemaat (Print dari Gereja)", "Copy Akte Kelahiran",
                          "Copy Surat Nikah Gereja", "Copy Akte Nikah Catatan Sipil", "Biaya Administrasi"};
  TCheckBox** boxes[] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4, &CheckBox5};
  for (int i = 0; i < 5; ++i) {
    *boxes[i] = Make<TCheckBox>(this, GroupBox5, ("CheckBox" + std::to_string(i + 1)).c_str(), 14, 22 + 24 * i, 370, 20);
    (*boxes[i])->SetCaption(checks[i]);
  }

  MakeBar();
}

void TFDaftarBaptis::AfterWrite() {
  // Every save marks the chosen child baptised here on the execution date, whatever the
  // validation says; an external child or none chosen matches no member.
  auto& q = *DM->Q1;
  SetSQL(q, {"update detail_kk set baptis=:ba,tmpt_baptis=:tb,tgl_baptis=:tgl", "where nij=:ni"});
  q.ParamByName("ni")->AsString(Edit1->Text());
  q.ParamByName("ba")->AsString("SUDAH");
  q.ParamByName("tb")->AsString("KVRB Selvaran PRANOL");
  q.ParamByName("tgl")->AsDate(DateTimePicker2->Date());
  q.ExecSQL();
}

}  // namespace registry

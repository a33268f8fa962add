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

TFPendeta::TFPendeta(rtl::TComponent* owner)
    : TPersonRegister(owner, {.record = rules::MinisterRecord,
                              .search = "FCariPendeta",
                              .keyName = "NIP",
                              .updated = "Data Pendeta berhasil di-ubah",
                              .inserted = "Data Pendeta Baru berhasil di-input"}) {
  SetupForm(*this, {.name = "FPendeta", .caption = "Master >> Pendeta", .width = 900, .height = 560});

  GroupBox1 = MakeGroup(this, this, "GroupBox1", 10, 6, 440, 290, " Identitas ");
  TRows id{
      .owner = this, .group = GroupBox1, .labelX = 10, .inputX = 190, .inputW = 236, .y = 24, .step = 32, .labelDy = 4};
  Edit1 = id.Edit("Edit1", "Nomor Induk Pendeta (NIP)", false, false, 150);
  Edit2 = id.Edit("Edit2", "Nama Pendeta", true);
  Edit11 = id.Edit("Edit11", "Tempat Lahir");
  DateTimePicker1 = id.Picker("DateTimePicker1", "Tgl.Lahir");
  ComboBox1 = id.List("ComboBox1", "Jabatan", {"KMJ", "PJ", "HONORER"}, 120);
  id.Radios("Status", {{&RadioButton1, "RadioButton1", "Aktif"},
                       {&RadioButton2, "RadioButton2", "Mutasi"},
                       {&RadioButton3, "RadioButton3", "Emeritus", 90}});
  Edit16 = id.Edit("Edit16", "No. KTP");

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
  TRows entry{
      .owner = this, .group = GroupBox4, .inputX = 110, .inputW = 300, .y = 24, .step = 32, .labels = 15, .labelDy = 4};
  Edit12 = entry.Edit("Edit12", "Mutasi Dari", true);
  Edit13 = entry.Edit("Edit13", "No. SK");
  DateTimePicker2 = entry.Picker("DateTimePicker2", "Tgl.Mulai");
  GroupBox5 = MakeGroup(this, GroupBox3, "GroupBox5", 445, 20, 425, 150, " Keluar ");
  TRows leave{
      .owner = this, .group = GroupBox5, .inputX = 110, .inputW = 300, .y = 24, .step = 32, .labels = 18, .labelDy = 4};
  Edit14 = leave.Edit("Edit14", "Mutasi Ke", true);
  Edit15 = leave.Edit("Edit15", "No. SK");
  DateTimePicker3 = leave.Picker("DateTimePicker3", "Tgl.Selesai");

  Panel2 = MakeBar(SpeedButton1, "SpeedButton1", 60);
}

}  // namespace registry

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

TFVikaris::TFVikaris(rtl::TComponent* owner)
    : TPersonRegister(owner, {.record = rules::VicarRecord,
                              .search = "FCariVikaris",
                              .keyName = "NIV",
                              .updated = "Data Vikaris berhasil di-ubah",
                              .inserted = "Data Vikaris Baru berhasil di-input"}) {
  SetupForm(*this, {.name = "FVikaris", .caption = "Master >> Vikaris", .width = 660, .height = 520});

  TRows id{.owner = this, .group = this, .labelX = 14, .inputX = 200, .inputW = 230, .y = 14, .step = 32, .labelDy = 4};
  Edit1 = id.Edit("Edit1", "Nomor Induk Vikaris (NIV)", false, false, 150);
  Edit2 = id.Edit("Edit2", "Nama Vikaris", true);
  Edit3 = id.Edit("Edit3", "Tempat Lahir");
  DateTimePicker1 = id.Picker("DateTimePicker1", "Tgl.Lahir");
  Edit4 = id.Edit("Edit4", "Masa Vikaris", false, false, 100);
  Edit5 = id.Edit("Edit5", "No. KTP");
  id.Radios("Status", {{&RadioButton1, "RadioButton1", "Aktif"},
                       {&RadioButton2, "RadioButton2", "Mutasi"},
                       {&RadioButton3, "RadioButton3", "Peneguhan", 96}});

  MakePhotoBlock(*this, {.x = 480, .y = 14, .image = "Image1", .reset = "Button2", .title = "Vikaris"})
      .Into(Panel1, Image1, Button1, Button2, OpenDialog1);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 10, 260, 640, 190, " Dokumentasi ");
  auto* in = MakeGroup(this, GroupBox2, "GroupBox3", 10, 20, 305, 160, " Masuk ");
  TRows entry{.owner = this, .group = in, .inputX = 100, .inputW = 195, .y = 24, .step = 32, .labels = 7, .labelDy = 4};
  Edit6 = entry.Edit("Edit6", "Mutasi Dari", true);
  Edit7 = entry.Edit("Edit7", "No.SK");
  DateTimePicker2 = entry.Picker("DateTimePicker2", "Tgl.Mulai");
  auto* out = MakeGroup(this, GroupBox2, "GroupBox4", 325, 20, 305, 160, " Keluar ");
  TRows leave{
      .owner = this, .group = out, .inputX = 100, .inputW = 195, .y = 24, .step = 32, .labels = 10, .labelDy = 4};
  Edit8 = leave.Edit("Edit8", "Mutasi Ke", true);
  Edit9 = leave.Edit("Edit9", "No.SK");
  DateTimePicker3 = leave.Picker("DateTimePicker3", "Tgl.Selesai");

  MakeBar(SpeedButton1, "SpeedButton1", 60);
}

}  // namespace registry

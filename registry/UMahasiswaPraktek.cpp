#include "registry/UMahasiswaPraktek.h"

#include "kit/Photo.h"
#include "app/UDM.h"
#include "kit/FormKit.h"
#include "kit/Record.h"
#include "registry/rules/Records.h"
#include "registry/UCariMahasiswaPraktek.h"

namespace registry {

using namespace kit;

using namespace gui;
using app::DM;

TFMahasiswaPraktek* FMahasiswaPraktek = nullptr;

TFMahasiswaPraktek::TFMahasiswaPraktek(rtl::TComponent* owner)
    : TPersonRegister(owner, {.record = rules::StudentRecord,
                              .search = "FCariMahasiswaPraktek",
                              .keyName = "NIM",
                              .updated = "Data Mahasiswa Praktek berhasil di-ubah",
                              .inserted = "Data Mahasiswa Praktek berhasil di-input"}) {
  SetupForm(*this,
            {.name = "FMahasiswaPraktek", .caption = "Master >> Mahasiswa Praktek", .width = 660, .height = 470});

  TRows id{.owner = this, .group = this, .labelX = 14, .inputX = 220, .inputW = 230, .y = 14, .step = 32, .labelDy = 4};
  Edit1 = id.Edit("Edit1", "Nomor Induk Mahasiswa (NIM)", false, false, 150);
  Edit2 = id.Edit("Edit2", "Nama Mahasiswa", true);
  Edit3 = id.Edit("Edit3", "Tempat Lahir");
  DateTimePicker1 = id.Picker("DateTimePicker1", "Tgl.Lahir");
  Edit4 = id.Edit("Edit4", "Kampus", true);
  Edit5 = id.Edit("Edit5", "No.KTP");
  id.Radios("Status", {{&RadioButton1, "RadioButton1", "Aktif"}, {&RadioButton2, "RadioButton2", "Selesai", 80}});

  MakePhotoBlock(*this, {.x = 480, .y = 14, .image = "Image1", .reset = "Button2", .title = "Mahasiswa Praktek"})
      .Into(Panel1, Image1, Button1, Button2, OpenDialog1);

  GroupBox2 = MakeGroup(this, this, "GroupBox2", 10, 260, 640, 130, " Dokumentasi ");
  TRows papers{
      .owner = this, .group = GroupBox2, .inputX = 140, .inputW = 250, .y = 24, .step = 32, .labels = 7, .labelDy = 4};
  Edit6 = papers.Edit("Edit6", "No.Surat Praktek");
  DateTimePicker2 = papers.Picker("DateTimePicker2", "Tgl.Mulai");
  DateTimePicker3 = papers.Picker("DateTimePicker3", "Tgl.Selesai");

  MakeBar(SpeedButton2, "SpeedButton2", 60);
}

}  // namespace registry

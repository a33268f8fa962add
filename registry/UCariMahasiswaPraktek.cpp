#include "registry/UCariMahasiswaPraktek.h"

#include "kit/Photo.h"
#include "registry/UMahasiswaPraktek.h"

namespace registry {

using namespace kit;

TFCariMahasiswaPraktek* FCariMahasiswaPraktek = nullptr;

TFCariMahasiswaPraktek::TFCariMahasiswaPraktek(rtl::TComponent* owner)
    : TPersonSearch(owner,
                    {.name = "FCariMahasiswaPraktek",
                     .caption = "Master >> Mahasiswa Praktek >> Pencarian",
                     .select = {"select * from mhs_praktek"},
                     .nameLabel = "Nama Mahasiswa",
                     .nameWhere = "where nama like :na",
                     .nameParam = "na",
                     .listLabel = "Status",
                     .listWhere = "where sts_aktif=:sa",
                     .listParam = "sa",
                     .items = {"Aktif", "Selesai"},
                     .deleteStatement = "delete from mhs_praktek where nim=:ni",
                     .deleteKeys = {{"ni", "nim"}}},
                    {{"nim", "NIM"}, {"nama", "Nama"}, {"sts_aktif", "Status"}, {"tgl_mulai", "Tgl-Mulai"},
                     {"tgl_selesai", "Tgl-Selesai"}}) {}

void TFCariMahasiswaPraktek::CopyRow(data::TZQuery& q) {
  auto* w = FMahasiswaPraktek;
  auto text = [&q](const char* column) { return q.FieldByName(column)->AsString(); };
  w->Edit1->SetText(text("nim"));
  w->Edit2->SetText(text("nama"));
  w->Edit3->SetText(text("tmp_lahir"));
  w->DateTimePicker1->SetDateTime(q.FieldByName("tgl_lahir")->AsDateTime());
  std::string state = text("sts_aktif");
  if (state == "Aktif") w->RadioButton1->SetChecked(true);
  else if (state == "Selesai") w->RadioButton2->SetChecked(true);
  kit::ShowPhoto(*w->Image1, *q.FieldByName("foto"));
  w->Edit4->SetText(text("kampus"));
  w->Edit5->SetText(text("ktp"));
  w->Edit6->SetText(text("no_surat_praktek"));
  w->DateTimePicker2->SetDateTime(q.FieldByName("tgl_mulai")->AsDateTime());
  w->DateTimePicker3->SetDateTime(q.FieldByName("tgl_selesai")->AsDateTime());
}

}  // namespace registry

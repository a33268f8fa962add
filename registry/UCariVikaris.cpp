#include "registry/UCariVikaris.h"

#include "kit/Photo.h"
#include "registry/UVikaris.h"

namespace registry {

using namespace kit;

TFCariVikaris* FCariVikaris = nullptr;

TFCariVikaris::TFCariVikaris(rtl::TComponent* owner)
    : TPersonSearch(owner,
                    {.name = "FCariVikaris",
                     .caption = "Master >> Vikaris >> Pencarian",
                     .select = {"select * from vikaris"},
                     .nameLabel = "Nama Vikaris",
                     .nameWhere = "where nama_vik like :nv",
                     .nameParam = "nv",
                     .listLabel = "Status",
                     .listWhere = "where sts_aktif=:sa",
                     .listParam = "sa",
                     .items = {"Aktif", "Mutasi", "Peneguhan"},
                     .deleteStatement = "delete from vikaris where niv=:ni",
                     .deleteKeys = {{"ni", "niv"}}},
                    {{"niv", "NIV"}, {"nama_vik", "Nama"}, {"masa_vik_ke", "Masa Vik."}, {"tgl_mulai", "Tgl-Mulai"},
                     {"tgl_selesai", "Tgl-Selesai"}}) {}

void TFCariVikaris::CopyRow(data::TZQuery& q) {
  auto* w = FVikaris;
  auto text = [&q](const char* column) { return q.FieldByName(column)->AsString(); };
  w->Edit1->SetText(text("niv"));
  w->Edit2->SetText(text("nama_vik"));
  w->Edit3->SetText(text("tmp_lahir"));
  w->DateTimePicker1->SetDateTime(q.FieldByName("tgl_lahir")->AsDateTime());
  std::string state = text("sts_aktif");
  if (state == "Aktif") w->RadioButton1->SetChecked(true);
  else if (state == "Mutasi") w->RadioButton2->SetChecked(true);
  else if (state == "Peneguhan") w->RadioButton3->SetChecked(true);
  kit::ShowPhoto(*w->Image1, *q.FieldByName("foto"));
  w->Edit4->SetText(text("masa_vik_ke"));
  w->Edit5->SetText(text("ktp"));
  w->Edit6->SetText(text("pindah_dari"));
  w->Edit7->SetText(text("no_sk_masuk"));
  w->DateTimePicker2->SetDateTime(q.FieldByName("tgl_mulai")->AsDateTime());
  w->Edit8->SetText(text("pindah_ke"));
  w->Edit9->SetText(text("no_sk_keluar"));
  w->DateTimePicker3->SetDateTime(q.FieldByName("tgl_selesai")->AsDateTime());
}

}  // namespace registry

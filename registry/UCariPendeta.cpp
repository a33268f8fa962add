#include "registry/UCariPendeta.h"

#include "kit/Photo.h"
#include "kit/FormKit.h"
#include "registry/UPendeta.h"

namespace registry {

using namespace kit;

TFCariPendeta* FCariPendeta = nullptr;

TFCariPendeta::TFCariPendeta(rtl::TComponent* owner)
    : TPersonSearch(owner,
                    {.name = "FCariPendeta",
                     .caption = "Master >> Pendeta >> Pencarian",
                     .select = {"select * from pendeta"},
                     .nameLabel = "Nama Pendeta",
                     .nameWhere = "where nama_pdt like :np",
                     .nameParam = "np",
                     .listLabel = "Jabatan",
                     .listWhere = "where jabatan=:jb",
                     .listParam = "jb",
                     .items = {"KMJ", "PJ", "Honorer"},
                     .deleteStatement = "delete from pendeta where nip=:ni",
                     .deleteKeys = {{"ni", "nip"}}},
                    {{"nip", "NIP"}, {"nama_pdt", "Nama"}, {"jabatan", "Jabatan"}, {"tgl_mulai", "Tgl-Mulai"},
                     {"tgl_selesai", "Tgl-Selesai"}}) {}

void TFCariPendeta::CopyRow(data::TZQuery& q) {
  auto* w = FPendeta;
  auto text = [&q](const char* column) { return q.FieldByName(column)->AsString(); };
  w->Edit1->SetText(text("nip"));
  w->Edit2->SetText(text("nama_pdt"));
  w->Edit11->SetText(text("tmp_lahir"));
  w->DateTimePicker1->SetDateTime(q.FieldByName("tgl_lahir")->AsDateTime());
  SelectExact(*w->ComboBox1, text("jabatan"));
  std::string state = text("sts_aktif");
  if (state == "Aktif") w->RadioButton1->SetChecked(true);
  else if (state == "Mutasi") w->RadioButton2->SetChecked(true);
  else if (state == "Emeritus") w->RadioButton3->SetChecked(true);
  kit::ShowPhoto(*w->Image1, *q.FieldByName("foto"));
  w->Edit3->SetText(text("nama_istri_suami"));
  w->Edit4->SetText(text("jml_anak"));
  gui::TEdit* children[] = {w->Edit5, w->Edit6, w->Edit7, w->Edit8, w->Edit9, w->Edit10};
  for (int i = 0; i < 6; ++i) children[i]->SetText(text(("nama_anak_" + std::to_string(i + 1)).c_str()));
  w->Edit12->SetText(text("pindah_dari"));
  w->Edit13->SetText(text("no_sk_masuk"));
  w->DateTimePicker2->SetDateTime(q.FieldByName("tgl_mulai")->AsDateTime());
  w->Edit14->SetText(text("pindah_ke"));
  w->Edit15->SetText(text("no_sk_keluar"));
  w->DateTimePicker3->SetDateTime(q.FieldByName("tgl_selesai")->AsDateTime());
  w->Edit16->SetText(text("ktp"));
}

}  // namespace registry

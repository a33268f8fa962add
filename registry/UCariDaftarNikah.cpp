#include "registry/UCariDaftarNikah.h"

#include "app/UDM.h"
#include "registry/QRDaftarNikah.h"
#include "kit/Record.h"
#include "registry/UDaftarKawin.h"
#include "registry/rules/Sacraments.h"

namespace registry {

TFCariDaftarNikah* FCariDaftarNikah = nullptr;

TFCariDaftarNikah::TFCariDaftarNikah(rtl::TComponent* owner)
    : TSacramentSearch(owner,
                       {.name = "FCariDaftarNikah",
                        .caption = "Pendaftaran >> Perkawinan >> Pendaftaran Perkawinan >> Pencarian",
                        .select = {"select * from daftar_nikah"},
                        .nameLabel = "Nama yang Menikah (Pria)",
                        .nameWhere = "where nama_pria like :np",
                        .nameParam = "np",
                        .listLabel = "Status Gereja",
                        .listWhere = "where ineks_pria=:ip",
                        .listParam = "ip",
                        .items = {"Internal", "Eksternal"},
                        .deleteStatement = "delete from daftar_nikah where no_reg=:nr",
                        .deleteKeys = {{"nr", "no_reg"}},
                        .confirm = "Apakah anda yakin record ini mau dihapus?"},
                       {{"nama_pria", "Nama Pengantin (Pria)", 160},
                        {"ineks_pria", "Status Gereja", 90},
                        {"nama_ayah_pria", "Nama Ayah (Pria)", 140},
                        {"nama_ibu_pria", "Nama Ibu (Pria)", 140},
                        {"validasi", "Validasi", 60}},
                       "Maaf...Daftar Nikah untuk record ini telah dibatalkan atau sudah dilaksanakan,tidak dapat "
                       "dirubah") {}

void TFCariDaftarNikah::CopyRow(data::TZQuery& q) {
  auto* w = FDaftarKawin;
  auto external = [&q](const char* column) { return q.FieldByName(column)->AsString() == "Eksternal"; };
  auto guardian = [&q](const char* column) { return q.FieldByName(column)->AsString() == "Wali"; };
  // Every block's status first: a status that changes clears its block, so the stored
  // values must come after it.
  (external("ineks_pria") ? w->RadioButton2 : w->RadioButton1)->SetChecked(true);
  (external("ineks_wanita") ? w->RadioButton10 : w->RadioButton9)->SetChecked(true);
  (external("ineks_ortu_pria") ? w->RadioButton12 : w->RadioButton11)->SetChecked(true);
  (guardian("nij_ayah_pria") ? w->RadioButton6 : w->RadioButton5)->SetChecked(true);
  (external("ineks_ortu_wanita") ? w->RadioButton14 : w->RadioButton13)->SetChecked(true);
  (guardian("nij_ayah_wanita") ? w->RadioButton8 : w->RadioButton7)->SetChecked(true);
  kit::LoadRecord(rules::MarriageRecord(), *w, q);
}

void TFCariDaftarNikah::Print(data::TZQuery& q) {
  FQRDaftarNikah->Fill(q, *app::DM->Q6);
  FQRDaftarNikah->Preview();
}

}  // namespace registry

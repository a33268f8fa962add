#include "registry/UCariKatekisasi.h"

#include "app/UDM.h"
#include "kit/Record.h"
#include "registry/QRDaftarKatekisasi.h"
#include "registry/UKatekisasi.h"
#include "registry/rules/Sacraments.h"

namespace registry {

TFCariKatekisasi* FCariKatekisasi = nullptr;

TFCariKatekisasi::TFCariKatekisasi(rtl::TComponent* owner)
    : TSacramentSearch(owner,
                       {.name = "FCariKatekisasi",
                        .caption = "Pendaftaran >> Katekisasi/Sidi >> Pencarian",
                        .select = {"select * from daftar_katekisasi_sidi"},
                        .nameLabel = "Nama Katekisan/Sidi",
                        .nameWhere = "where nama_sidi like :ns",
                        .nameParam = "ns",
                        .listLabel = "Status Gereja",
                        .listWhere = "where internal_eksternal=:ie",
                        .listParam = "ie",
                        .items = {"Internal", "Eksternal"},
                        .deleteStatement = "delete from daftar_katekisasi_sidi where no_reg=:nr",
                        .deleteKeys = {{"nr", "no_reg"}},
                        .confirm = "Apakah anda yakin record ini mau dihapus?"},
                       {{"nama_sidi", "Nama Katekisan", 160},
                        {"internal_eksternal", "Status Gereja", 90},
                        {"nama_ayah", "Nama Ayah", 140},
                        {"nama_ibu", "Nama Ibu", 140},
                        {"validasi", "Validasi", 60}},
                       "Maaf...Katekisasi/Sidi untuk record ini telah dibatalkan atau sudah dilaksanakan,tidak dapat "
                       "dirubah") {
  RadioButton1->SetCaption("Nama Katekisan");
}

// The status comes before the person fields: a changed status resets the form first.
// The bar code keeps what it shows.
void TFCariKatekisasi::CopyRow(data::TZQuery& q) {
  const std::string barcode = FKatekisasi->Label19->Text(), digits = FKatekisasi->Label36->Text();
  kit::LoadRecord(rules::CatechismRecord(), *FKatekisasi, q);
  FKatekisasi->Label19->SetCaption(barcode);
  FKatekisasi->Label36->SetCaption(digits);
}

void TFCariKatekisasi::Print(data::TZQuery& q) {
  FQRDaftarKatekisasi->Fill(q, *app::DM->Q1);
  FQRDaftarKatekisasi->Preview();
}

}  // namespace registry

#include "registry/UCariDaftarBaptis.h"

#include "kit/Record.h"
#include "registry/QRDaftarBaptis.h"
#include "registry/UDaftarBaptis.h"
#include "registry/rules/Sacraments.h"

namespace registry {

TFCariDaftarBaptis* FCariDaftarBaptis = nullptr;

TFCariDaftarBaptis::TFCariDaftarBaptis(rtl::TComponent* owner)
    : TSacramentSearch(owner,
                       {.name = "FCariDaftarBaptis",
                        .caption = "Pendaftaran >> Baptisan >> Pendaftaran Baptis",
                        .select = {"select * from daftar_baptis"},
                        .nameLabel = "Nama Baptis",
                        .nameWhere = "where nama_baptis like :nb",
                        .nameParam = "nb",
                        .listLabel = "Status Gereja",
                        .listWhere = "where internal_eksternal=:ie",
                        .listParam = "ie",
                        .items = {"Internal", "Eksternal"},
                        .deleteStatement = "delete from daftar_baptis where no_reg=:nr",
                        .deleteKeys = {{"nr", "no_reg"}},
                        .confirm = "Apakah anda yakin record ini mau dihapus?"},
                       {{"nama_baptis", "Nama Baptis", 160},
                        {"internal_eksternal", "Status Gereja", 90},
                        {"nama_ayah", "Nama Ayah", 140},
                        {"nama_ibu", "Nama Ibu", 140},
                        {"validasi", "Validasi", 60}},
                       "Maaf...Sakramen Baptisan untuk record ini telah dibatalkan atau sudah dilaksanakan,tidak "
                       "dapat dirubah") {}

// The status comes before the person fields: a changed status clears them first.
void TFCariDaftarBaptis::CopyRow(data::TZQuery& q) { kit::LoadRecord(rules::BaptismRecord(), *FDaftarBaptis, q); }

void TFCariDaftarBaptis::Print(data::TZQuery& q) {
  FQRDaftarBaptis->Fill(q);
  FQRDaftarBaptis->Preview();
}

}  // namespace registry

#include "registry/UCariPendeta.h"

#include "kit/Record.h"
#include "registry/rules/Records.h"
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
  LoadRecord(rules::MinisterRecord(), *FPendeta, q);
}

}  // namespace registry

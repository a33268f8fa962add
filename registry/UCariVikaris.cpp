#include "registry/UCariVikaris.h"

#include "kit/Record.h"
#include "registry/rules/Records.h"
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
  LoadRecord(rules::VicarRecord(), *FVikaris, q);
}

}  // namespace registry

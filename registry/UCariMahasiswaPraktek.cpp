#include "registry/UCariMahasiswaPraktek.h"

#include "kit/Record.h"
#include "registry/rules/Records.h"
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
  LoadRecord(rules::StudentRecord(), *FMahasiswaPraktek, q);
}

}  // namespace registry

#include "registry/UCariNIM.h"

namespace registry {

TFCariNIM* FCariNIM = nullptr;

TFCariNIM::TFCariNIM(rtl::TComponent* owner)
    : TLookupDialog(owner, "FCariNIM", "#Cari NIM", "Cari NIMP", lookup::CouncilTable(), false, {{"NIMP", "NIMP", 90}, {"nama_gabung", "Nama", 160}, {"pnt_dkn", "Jabatan", 60}}) {}

}  // namespace registry

#include "registry/UCariNIP.h"

namespace registry {

TFCariNIP* FCariNIP = nullptr;

TFCariNIP::TFCariNIP(rtl::TComponent* owner)
    : TLookupDialog(owner, "FCariNIP", "#Cari NIP", "Cari NIP", lookup::MinisterTable(), false, {{"NIP", "NIP", 90}, {"nama_pdt", "Nama", 160}, {"jabatan", "Jabatan", 60}}) {}

}  // namespace registry

#include "registry/UCariNIMPra.h"

namespace registry {

TFCariNIMPra* FCariNIMPra = nullptr;

TFCariNIMPra::TFCariNIMPra(rtl::TComponent* owner)
    : TLookupDialog(owner, "FCariNIMPra", "#Cari NIMPraktek", "Cari NIM Praktek", lookup::StudentTable(), false, {{"NIM", "NIM", 90}, {"nama", "Nama", 160}, {"sts_aktif", "Status", 60}}) {}

}  // namespace registry

#include "registry/UCariNIV.h"

namespace registry {

TFCariNIV* FCariNIV = nullptr;

TFCariNIV::TFCariNIV(rtl::TComponent* owner)
    : TLookupDialog(owner, "FCariNIV", "#Cari NIV", "Cari NIV", lookup::VicarTable(), false, {{"NIV", "NIV", 90}, {"nama_vik", "Nama", 160}, {"masa_vik_ke", "Periode", 60}}) {}

}  // namespace registry

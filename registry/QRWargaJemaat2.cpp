#include "registry/QRWargaJemaat2.h"

#include "app/UDM.h"
#include "registry/QRWargaJemaat.h"

namespace registry {

using namespace report;

TFQRWargaJemaat2* FQRWargaJemaat2 = nullptr;

TFQRWargaJemaat2::TFQRWargaJemaat2(rtl::TComponent* owner)
    : TListReport(owner, poLandscape, "LAPORAN WARGA JEMAAT") {
  SetName("FQRWargaJemaat2");
  if (app::DM) SetDataSet(app::DM->QReport);
  std::vector<kit::TListColumn> columns = MemberColumns(82);
  columns.insert(columns.begin(), {"nik", "NIK", 0, 78, gui::fsBold});
  AddHeadings(columns);
  AddValues(columns);
  AddCount("QRExprJumlah", "Jumlah Jemaat :", 0, 8);
  AddPageNumber("Hal.");
}

}  // namespace registry

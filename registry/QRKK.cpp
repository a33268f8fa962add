#include "registry/QRKK.h"

#include "app/UDM.h"

namespace registry {

using namespace report;

TFQRKK* FQRKK = nullptr;

TFQRKK::TFQRKK(rtl::TComponent* owner) : TListReport(owner, poPortrait, "LAPORAN KEPALA KELUARGA") {
  SetName("FQRKK");
  if (app::DM) SetDataSet(app::DM->Q1);
  fontSize = 10;
  const int w = BandWidth();
  const std::vector<kit::TListColumn> columns = {
      {"nik", "NIK", 0, 84, gui::fsBold},
      {"nama_kk", "Nama Kepala Keluarga", 90, 260},
      {"alamat", "Alamat", 356, w - 356 - 66},
      {"sekpel", "SekPel", w - 60, 60, gui::fsBold, gui::TAlignment::taCenter},
  };
  AddHeadings(columns);
  AddValues(columns);
  AddCount("QRExprJumlah", "Jumlah Kepala Keluarga :", 0, 8, 190);
  AddPageNumber("Hal.");
}

}  // namespace registry

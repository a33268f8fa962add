#include "registry/QRMajelis.h"

#include "app/UDM.h"

namespace registry {

using namespace report;
using gui::TAlignment;

TFQRMajelis* FQRMajelis = nullptr;

TFQRMajelis::TFQRMajelis(rtl::TComponent* owner) : TListReport(owner, poLandscape, "LAPORAN MAJELIS JEMAAT") {
  SetName("FQRMajelis");
  if (app::DM) SetDataSet(app::DM->QReport);
  const TAlignment centre = TAlignment::taCenter;
  // The office stands in front of the name, under the name's heading.
  AddHeadings({
      {"nij", "NIJ", 0, 120},
      {"nimp", "NIMP", 126, 96},
      {"nama_gabung", "Nama Lengkap", 228, 340},
      {"tgl_lahir", "Tgl.Lahir", 574, 76},
      {"sex", "Sex", 656, 56},
      {"sekpel", "SekPel", 718, 52, 0, centre},
      {"pelkat", "Pelkat", 776, 52, 0, centre},
      {"sts_aktif", "Status", 834, 62},
      {"periode", "Periode", 902, BandWidth() - 902},
  });
  AddValues({
      {"nij", "", 0, 120, gui::fsBold},
      {"nimp", "", 126, 96},
      {"pnt_dkn", "", 228, 34, 0, TAlignment::taRightJustify},
      {"nama_gabung", "", 268, 300},
      {"tgl_lahir", "", 574, 76},
      {"sex", "", 656, 56},
      {"sekpel", "", 718, 52, 0, centre},
      {"pelkat", "", 776, 52, 0, centre},
      {"sts_aktif", "", 834, 62},
      {"periode", "", 902, BandWidth() - 902, gui::fsBold},
  });
  AddCount("QRExprJumlah", "Jumlah Majelis :", 0, 8);
  AddPageNumber("Hal.");
}

}  // namespace registry

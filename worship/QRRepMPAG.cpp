#include "worship/QRRepMPAG.h"

#include "app/UDM.h"

namespace worship {

using namespace report;
using gui::TAlignment;

TFQRRepMPAG* FQRRepMPAG = nullptr;

TFQRRepMPAG::TFQRRepMPAG(rtl::TComponent* owner) : TListReport(owner, poPortrait, "LAPORAN PEMBAYARAN MPAG") {
  SetName("FQRRepMPAG");
  if (app::DM) SetDataSet(app::DM->QReport);
  const int w = BandWidth();
  const std::vector<kit::TListColumn> columns = {
      {"no_kwitansi", "No.Kwitansi/Periode", 0, 244},
      {"tgl_bayar", "Tgl.Bayar", 250, 70},
      {"nama_gabung", "Nama Jemaat", 324, 184},
      {"sex", "J.Kelamin", 512, 62},
      {"sekpel", "SekPel", 578, 46, 0, TAlignment::taCenter},
      {"nominal", "Nominal", 630, w - 630, 0, TAlignment::taRightJustify, "#####,"},
  };
  AddHeadings(columns);
  AddValues(columns);

  // Caption, colon and value on each of the three summary lines.
  TQRBand* band = Summary(76);
  const int cap = w - 330, colon = w - 150, value = w - 140;
  auto line = [&](const char* name, const char* caption, int y) {
    AddLabel(band, name, cap, y, 170, caption, gui::fsBold);
    AddLabel(band, (std::string(name) + "Titik").c_str(), colon, y, 8, ":", gui::fsBold);
  };
  line("QRLabelTotal", "Total Nominal", 8);
  const TAlignment right = TAlignment::taRightJustify;
  QRExprTotal = AddExpr(band, "QRExprTotal", "SUM(nominal)", value, 8, 140, right);
  QRExprTotal->Mask = "#####,";
  line("QRLabelBayar", "Yang Sudah Bayar", 30);
  QRExprJumlah = AddExpr(band, "QRExprJumlah", "COUNT", value, 30, 140, right);
  line("QRLabelWarga", "Jumlah Warga Jemaat", 52);
  QRLabel23 = AddLabel(band, "QRLabel23", value, 52, 140, "", gui::fsBold);
  QRLabel23->Alignment = TAlignment::taRightJustify;
  AddPageNumber("Halaman :");
}

}  // namespace worship

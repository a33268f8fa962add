#include "registry/QRWargaJemaat.h"

#include "app/UDM.h"

namespace registry {

using namespace report;
using gui::TAlignment;

TFQRWargaJemaat* FQRWargaJemaat = nullptr;

std::vector<kit::TListColumn> MemberColumns(int x) {
  const TAlignment centre = TAlignment::taCenter;
  std::vector<kit::TListColumn> columns = {
      {"nij", "NIJ", 0, 104},
      {"nama_gabung", "Nama Lengkap", 108, 214},
      {"tgl_lahir", "Tgl.Lahir", 326, 70},
      {"sex", "Sex", 400, 48},
      {"sts_kel", "Sts.Kel", 452, 100},
      {"sekpel", "SekPel", 556, 44, 0, centre},
      {"pelkat", "Pelkat", 604, 44, 0, centre},
      {"baptis", "Baptis?", 652, 50, 0, centre},
      {"sidi", "Sidi?", 706, 48, gui::fsBold, centre},
      {"gol_darah", "Gol.Darah", 758, 60, 0, centre},
      {"pend_akhir", "Pend.Akhir", 822, 72},
  };
  for (kit::TListColumn& c : columns) c.x += x;
  return columns;
}

TFQRWargaJemaat::TFQRWargaJemaat(rtl::TComponent* owner)
    : TListReport(owner, poLandscape, "LAPORAN WARGA JEMAAT") {
  SetName("FQRWargaJemaat");
  if (app::DM) SetDataSet(app::DM->QReport);
  const int w = BandWidth();

  // Consecutive rows with one head-of-family name form one group.
  QRGroup1 = new TQRGroup(this);
  QRGroup1->SetName("QRGroup1");
  QRGroup1->Expression = "nama_kk";
  QRGroup1->Height = 46;
  AddLabel(QRGroup1, "QRLabel5", 0, 6, 160, "Nama Kepala Keluarga :");
  TQRDBText* nik = AddField(QRGroup1, "QRDBText_nik", 166, 6, 90, "nik", gui::fsBold);
  nik->Font().SetColor(gui::clRed);
  AddField(QRGroup1, "QRDBText_nama_kk", 262, 6, 420, "nama_kk", gui::fsBold);
  AddLabel(QRGroup1, "QRLabel6", w - 230, 6, 124, "Tgl.Input Daftar :");
  AddField(QRGroup1, "QRDBText_tgl_input_daftar", w - 100, 6, 100, "tgl_input_daftar");
  AddLabel(QRGroup1, "QRLabel7", 0, 25, 160, "Alamat :");
  AddField(QRGroup1, "QRDBText_alamat", 166, 25, w - 166, "alamat");

  ChildBand1 = new TQRChildBand(this);
  ChildBand1->SetName("ChildBand1");
  ChildBand1->Height = 22;
  ChildBand1->SetParentBand(QRGroup1);
  const std::vector<kit::TListColumn> columns = MemberColumns(20);
  AddHeadings(columns, ChildBand1);
  AddValues(columns);
  AddCount("QRExprJumlah", "Jumlah Jemaat :", 0, 8);
  AddPageNumber("Hal.");
}

}  // namespace registry

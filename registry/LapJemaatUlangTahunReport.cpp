#include "registry/LapJemaatUlangTahunReport.h"

#include "app/UDM.h"

namespace registry {

using namespace report;
using gui::TAlignment;

TLapJemaatUlangTahunReport::TLapJemaatUlangTahunReport(rtl::TComponent* owner)
    : TListReport(owner, poPortrait, "LAPORAN JEMAAT YANG BER-ULANG TAHUN", false) {
  SetName("QR");
  if (app::DM) SetDataSet(app::DM->Q3);
  const int w = BandWidth();
  QRLabel17 = AddLabel(PageHeaderBand1, "QRLabel17", 0, 124, 150, "SekPel :");
  QRLabel20 = AddLabel(PageHeaderBand1, "QRLabel20", 156, 124, w - 312, "", gui::fsBold);
  QRLabel20->Alignment = TAlignment::taCenter;
  QRLabel18 = AddLabel(PageHeaderBand1, "QRLabel18", w - 150, 124, 150, "PelKat :");
  QRLabel18->Alignment = TAlignment::taRightJustify;

  const TAlignment centre = TAlignment::taCenter;
  AddHeadings({
      {"no", "No.", 0, 30, 0, TAlignment::taRightJustify},
      {"nik", "NIK", 38, 76},
      {"nij", "NIJ", 118, 106},
      {"nama_gabung", "Nama Lengkap", 228, 236},
      {"sex", "Sex", 468, 50, 0, centre},
      {"sekpel", "SekPel", 522, 46, 0, centre},
      {"pelkat", "PelKat", 572, 48, 0, centre},
      {"tgl_lahir", "Tgl.Lahir", 630, w - 630},
  });
  AddValues({
      {"nik", "", 38, 76},
      {"nij", "", 118, 106},
      {"nama_gabung", "", 228, 236},
      {"sex", "", 468, 50, 0, centre},
      {"sekpel", "", 522, 46, 0, centre},
      {"pelkat", "", 572, 48, 0, centre},
      {"day(tgl_lahir)", "", 630, 20, 0, TAlignment::taRightJustify},
      {"monthname(tgl_lahir)", "", 654, w - 654},
  });
  // The running number of the line.
  auto* no = new TQRSysData(this);
  no->SetName("QRSysDataNo");
  no->SetParent(DetailBand1);
  no->AutoSize = false;
  no->Alignment = TAlignment::taRightJustify;
  no->SetBounds(0, 1, 30, 17);
  no->Data = TQRSysDataType::qrsDetailNo;
  no->Font().SetSize(fontSize);
  AddCount("QRExprJumlah", "Jumlah Jemaat :", 0, 8);
  AddPageNumber("Hal.");
}

}  // namespace registry

#include "registry/QRAttestasi.h"

#include "app/UDM.h"

namespace registry {

using namespace report;

TFQRAttestasi* FQRAttestasi = nullptr;

TFQRAttestasi::TFQRAttestasi(rtl::TComponent* owner)
    : kit::TChurchReport(owner, poPortrait, kit::THeaderPicture::ChurchLogo) {
  SetName("FQRAttestasi");
  ReportTitle = "Form Attestasi Pindah";
  if (app::DM) SetDataSet(app::DM->Q4);
  const int w = BandWidth();

  PageHeaderBand1->Height = 150;
  QRLabel4 = AddLabel(PageHeaderBand1, "QRLabel4", 0, 98, w, "FORM ATTESTASI PINDAH", gui::fsBold);
  QRLabel4->Alignment = gui::TAlignment::taCenter;
  QRLabel4->Font().SetSize(12);
  QRLabel13 = AddLabel(PageHeaderBand1, "QRLabel13", 0, 126, w / 2, "", gui::fsBold);
  AddLabel(PageHeaderBand1, "QRLabel32", w / 2, 126, 100, "No.Attestasi :");
  QRLabel33 = AddLabel(PageHeaderBand1, "QRLabel33", w / 2 + 100, 126, w / 2 - 100, "", gui::fsBold);

  ColumnHeaderBand1 = AddBand(rbColumnHeader, "ColumnHeaderBand1", 150);
  const std::pair<const char*, const char*> head[] = {{"Nama Keluarga", "QRLabel20"},
                                                      {"Alamat Lama", "QRLabel21"},
                                                      {"Sektor Pelayanan", "QRLabel22"},
                                                      {"Pindah/Masuk ke Jemaat", "QRLabel23"},
                                                      {"Alamat Baru", "QRLabel24"}};
  TQRLabel** values[] = {&QRLabel20, &QRLabel21, &QRLabel22, &QRLabel23, &QRLabel24};
  int y = 6, n = 40;
  for (int i = 0; i < 5; ++i) {
    AddLabel(ColumnHeaderBand1, ("QRLabel" + std::to_string(++n)).c_str(), 0, y, 170, head[i].first);
    AddLabel(ColumnHeaderBand1, ("QRLabel" + std::to_string(++n)).c_str(), 172, y, 8, ":");
    *values[i] = AddLabel(ColumnHeaderBand1, head[i].second, 184, y, w - 184, "", gui::fsBold);
    y += 22;
  }
  AddLabel(ColumnHeaderBand1, "QRLabel25", 0, y + 6, 200, "Anggota Keluarga :", gui::fsBold);

  ChildBand1 = new TQRChildBand(this);
  ChildBand1->SetName("ChildBand1");
  ChildBand1->Height = 24;
  ChildBand1->SetParentBand(ColumnHeaderBand1);
  ChildBand1->Color = gui::clSilver;
  const int xNo = 0, xNama = 36, xHub = 290, xLahir = 424, xKet = 616;
  AddLabel(ChildBand1, "QRLabel26", xNo, 4, 30, "No.", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel27", xNama, 4, 250, "Nama", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel28", xHub, 4, 130, "Hubungan Keluarga", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel29", xLahir, 4, 188, "Tempat/Tgl Lahir", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel30", xKet, 4, w - xKet, "Keterangan", gui::fsBold);

  DetailBand1 = AddBand(rbDetail, "DetailBand1", 20);
  auto* number = new TQRSysData(this);
  number->SetName("QRSysData3");
  number->SetParent(DetailBand1);
  number->SetBounds(xNo, 2, 30, 17);
  number->Data = TQRSysDataType::qrsDetailNo;
  AddField(DetailBand1, "QRDBText1", xNama, 2, 250, "nama_1");
  AddField(DetailBand1, "QRDBText2", xHub, 2, 130, "hubungan_keluarga");
  AddField(DetailBand1, "QRDBText3", xLahir, 2, 96, "tmpt_lahir");
  AddField(DetailBand1, "QRDBText4", xLahir + 100, 2, 90, "tgl_lahir")->Mask = "dd/mm/yyyy";
  AddField(DetailBand1, "QRDBText5", xKet, 2, w - xKet, "keterangan");

  PageFooterBand1 = AddBand(rbPageFooter, "PageFooterBand1", 20);
  auto* page = new TQRSysData(this);
  page->SetName("QRSysData4");
  page->SetParent(PageFooterBand1);
  page->SetBounds(w - 80, 2, 80, 17);
  page->Data = TQRSysDataType::qrsPageNumber;
  page->Text = "Hal. ";
}

}  // namespace registry

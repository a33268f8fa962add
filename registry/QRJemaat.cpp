#include "registry/QRJemaat.h"

#include "app/UDM.h"

namespace registry {

using namespace report;

TFQRJemaat* FQRJemaat = nullptr;

TFQRJemaat::TFQRJemaat(rtl::TComponent* owner) : kit::TChurchReport(owner, poPortrait, kit::THeaderPicture::OwnerPhoto) {
  SetName("FQRJemaat");
  ReportTitle = "Kartu Keluarga Jemaat";
  if (app::DM) SetDataSet(app::DM->Q4);
  const int w = BandWidth();

  TitleBand1 = AddBand(rbTitle, "TitleBand1", 32);
  auto* title = AddLabel(TitleBand1, "QRLabel4", 0, 6, w, "Kartu Keluarga Jemaat", gui::fsBold);
  title->Alignment = gui::TAlignment::taCenter;
  title->Font().SetSize(13);

  ColumnHeaderBand1 = AddBand(rbColumnHeader, "ColumnHeaderBand1", 104);
  const int vx = 150;
  AddLabel(ColumnHeaderBand1, "QRLabel5", 0, 4, 140, "NIK");
  QRLabel15 = AddLabel(ColumnHeaderBand1, "QRLabel15", vx, 4, 200, "", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel6", 0, 22, 140, "Nama Kepala Keluarga");
  // The title and the name on one line.
  QRLabel19 = AddLabel(ColumnHeaderBand1, "QRLabel19", vx, 22, 44, "");
  QRLabel16 = AddLabel(ColumnHeaderBand1, "QRLabel16", vx + 46, 22, 400, "", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel7", 0, 40, 140, "Alamat");
  QRLabel17 = AddLabel(ColumnHeaderBand1, "QRLabel17", vx, 40, w - vx, "");
  AddLabel(ColumnHeaderBand1, "QRLabel8", 0, 58, 140, "Tgl.Input Daftar");
  QRLabel18 = AddLabel(ColumnHeaderBand1, "QRLabel18", vx, 58, 200, "");
  AddLabel(ColumnHeaderBand1, "QRLabel9", 0, 76, 140, "SekPel");
  QRLabel20 = AddLabel(ColumnHeaderBand1, "QRLabel20", vx, 76, 200, "");

  ChildBand1 = new TQRChildBand(this);
  ChildBand1->SetName("ChildBand1");
  ChildBand1->Height = 22;
  ChildBand1->Color = gui::clSilver;
  ChildBand1->SetParentBand(ColumnHeaderBand1);
  AddLabel(ChildBand1, "QRLabel10", 4, 3, 120, "NIJ", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel11", 130, 3, 240, "Nama", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel12", 375, 3, 90, "Tgl. Lahir", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel13", 470, 3, 60, "Sex", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel14", 535, 3, 110, "Sts.Keluarga", gui::fsBold);

  DetailBand1 = AddBand(rbDetail, "DetailBand1", 20);
  AddField(DetailBand1, "QRDBText1", 4, 2, 120, "nij", gui::fsBold);
  AddField(DetailBand1, "QRDBText2", 130, 2, 240, "nama_gabung");
  AddField(DetailBand1, "QRDBText3", 375, 2, 90, "tgl_lahir");
  AddField(DetailBand1, "QRDBText4", 470, 2, 60, "sex");
  AddField(DetailBand1, "QRDBText5", 535, 2, 110, "sts_kel");
  auto* state = AddField(DetailBand1, "QRDBText6", w - 90, 3, 90, "sts_hidup", gui::fsItalic);
  state->Alignment = gui::TAlignment::taRightJustify;
  state->Font().SetSize(7);
}

}  // namespace registry

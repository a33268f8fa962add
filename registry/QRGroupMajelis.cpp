#include "registry/QRGroupMajelis.h"

#include "app/UDM.h"

namespace registry {

using namespace report;

TFQRGroupMajelis* FQRGroupMajelis = nullptr;

TFQRGroupMajelis::TFQRGroupMajelis(rtl::TComponent* owner)
    : kit::TChurchReport(owner, poPortrait, kit::THeaderPicture::ChurchLogo) {
  SetName("FQRGroupMajelis");
  ReportTitle = "Pembagian Kelompok Pelayanan Majelis";
  if (app::DM) SetDataSet(app::DM->Q5);
  const int w = BandWidth();

  // The title and the criterion under the church block of the header.
  PageHeaderBand1->Height = 144;
  QRLabel4 = AddLabel(PageHeaderBand1, "QRLabel4", 0, 98, w, "PEMBAGIAN KELOMPOK PELAYANAN MAJELIS", gui::fsBold);
  QRLabel4->Alignment = gui::TAlignment::taCenter;
  QRLabel4->Font().SetSize(12);
  QRLabel9 = AddLabel(PageHeaderBand1, "QRLabel9", 0, 122, w, "");
  QRLabel9->Font().SetStyle(gui::fsItalic);

  QRGroup1 = new TQRGroup(this);
  QRGroup1->SetName("QRGroup1");
  QRGroup1->Expression = "Q5.grup";
  QRGroup1->Height = 26;
  AddLabel(QRGroup1, "QRLabel5", 0, 6, 60, "Group :", gui::fsBold);
  QRExpr1 = new TQRExpr(this);
  QRExpr1->SetName("QRExpr1");
  QRExpr1->SetParent(QRGroup1);
  QRExpr1->SetBounds(64, 6, 60, 17);
  QRExpr1->SetExpression("Q5.grup");
  QRExpr1->Font().SetColor(gui::clRed);
  QRExpr1->Font().SetStyle(gui::fsBold);

  ChildBand1 = new TQRChildBand(this);
  ChildBand1->SetName("ChildBand1");
  ChildBand1->Height = 22;
  ChildBand1->Color = gui::clSilver;
  ChildBand1->SetParentBand(QRGroup1);
  AddLabel(ChildBand1, "QRLabel6", 4, 3, 110, "NIMP", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel7", 120, 3, 70, "Pnt/Dkn.", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel8", 196, 3, 280, "Nama Majelis", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel10", 482, 3, 70, "Sex", gui::fsBold);
  AddLabel(ChildBand1, "QRLabel11", 558, 3, w - 558, "Sektor Pelayanan", gui::fsBold);

  DetailBand1 = AddBand(rbDetail, "DetailBand1", 20);
  AddField(DetailBand1, "QRDBText1", 4, 2, 110, "nimp");
  AddField(DetailBand1, "QRDBText2", 120, 2, 70, "pnt_dkn");
  AddField(DetailBand1, "QRDBText3", 196, 2, 280, "nama_gabung");
  AddField(DetailBand1, "QRDBText4", 482, 2, 70, "sex");
  AddField(DetailBand1, "QRDBText5", 558, 2, w - 558, "sekpel");
}

}  // namespace registry

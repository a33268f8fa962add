#include "worship/QRKwitansiMPAG.h"

#include "app/UDM.h"
#include "kit/ChurchHeader.h"

namespace worship {

using namespace report;

TFQRKwitansiMPAG* FQRKwitansiMPAG = nullptr;

namespace {

// The town the receipt is signed in.
constexpr const char* kTown = "Selvaran";

void GreyBox(TLayoutReport* owner, TQRCustomBand* band, const char* name, int x, int y, int w, int h) {
  auto* s = new TQRShape(owner);
  s->SetName(name);
  s->SetParent(band);
  s->SetBounds(x, y, w, h);
  s->Brush().SetColor(gui::clSilver);
  s->Pen().SetColor(gui::clSilver);
}

}  // namespace

TFQRKwitansiMPAG::TFQRKwitansiMPAG(rtl::TComponent* owner) : TLayoutReport(owner) {
  SetName("FQRKwitansiMPAG");
  ReportTitle = "Kwitansi MPAG";
  if (app::DM) SetDataSet(app::DM->QMPAGTemp);
  const int w = BandWidth();
  const int cap = 0, colon = 130, val = 142, vw = w - 142 - 100;

  TitleBand1 = AddBand(rbTitle, "TitleBand1", 190);
  auto* title = AddLabel(TitleBand1, "QRLabel1", 0, 8, w, "TANDA TERIMA", gui::fsBold);
  title->Alignment = gui::TAlignment::taCenter;
  title->Font().SetSize(14);
  QRImage1 = new TQRImage(this);
  QRImage1->SetName("QRImage1");
  QRImage1->SetParent(TitleBand1);
  QRImage1->SetBounds(w - 72, 0, 72, 72);
  kit::LoadChurchLogo(QRImage1->Picture());

  AddLabel(TitleBand1, "QRLabel2", cap, 50, 120, "Nomor");
  AddLabel(TitleBand1, "QRLabel3", colon, 50, 10, ":");
  QRLabel10 = AddLabel(TitleBand1, "QRLabel10", val, 50, vw, "", gui::fsBold);
  AddLabel(TitleBand1, "QRLabel4", cap, 78, 120, "Sudah diterima");
  AddLabel(TitleBand1, "QRLabel5", colon, 78, 10, ":");
  QRLabel11 = AddLabel(TitleBand1, "QRLabel11", val, 78, w - val, "");
  AddLabel(TitleBand1, "QRLabel6", cap, 112, 120, "Banyaknya uang");
  AddLabel(TitleBand1, "QRLabel7", colon, 112, 10, ":");
  GreyBox(this, TitleBand1, "QRShape1", val, 104, w - val, 40);
  QRLabel12 = AddLabel(TitleBand1, "QRLabel12", val + 6, 108, w - val - 12, "", gui::fsBold | gui::fsItalic);
  QRLabel12->WordWrap = true;
  QRLabel12->Height = 34;
  QRLabel12->Color = gui::clSilver;
  AddLabel(TitleBand1, "QRLabel8", cap, 156, 120, "Untuk Pembayaran");
  AddLabel(TitleBand1, "QRLabel9", colon, 156, 10, ":");
  QRLabel13 = AddLabel(TitleBand1, "QRLabel13", val, 156, w - val, "");

  ColumnHeaderBand1 = AddBand(rbColumnHeader, "ColumnHeaderBand1", 22);
  ColumnHeaderBand1->Color = gui::clSilver;
  const int xNij = 0, xNama = 130, xSex = 430, xSekpel = 520, xNominal = 600;
  AddLabel(ColumnHeaderBand1, "QRLabel19", xNij, 3, 120, "NIJ", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel20", xNama, 3, 290, "Nama Jemaat", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel21", xSex, 3, 80, "J.Kelamin", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel22", xSekpel, 3, 70, "SekPel", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabel24", xNominal, 3, w - xNominal, "Nominal", gui::fsBold)->Alignment =
      gui::TAlignment::taRightJustify;

  DetailBand1 = AddBand(rbDetail, "DetailBand1", 20);
  AddField(DetailBand1, "QRDBText1", xNij, 2, 120, "nij");
  AddField(DetailBand1, "QRDBText2", xNama, 2, 290, "nama_gabung");
  AddField(DetailBand1, "QRDBText3", xSex, 2, 80, "sex");
  AddField(DetailBand1, "QRDBText4", xSekpel, 2, 70, "sekpel");
  auto* nominal = AddField(DetailBand1, "QRDBText5", xNominal, 2, w - xNominal, "nominal");
  nominal->Mask = "#####,";
  nominal->Alignment = gui::TAlignment::taRightJustify;

  SummaryBand1 = AddBand(rbSummary, "SummaryBand1", 210);
  AddLabel(SummaryBand1, "QRLabel14", 0, 16, 100, "Jumlah : Rp", gui::fsBold);
  GreyBox(this, SummaryBand1, "QRShape2", 104, 10, 180, 28);
  QRLabel15 = AddLabel(SummaryBand1, "QRLabel15", 110, 16, 168, "", gui::fsBold);
  QRLabel15->Color = gui::clSilver;
  QRLabel15->Alignment = gui::TAlignment::taRightJustify;
  const int sign = w - 330;
  QRSysData1 = new TQRSysData(this);
  QRSysData1->SetName("QRSysData1");
  QRSysData1->SetParent(SummaryBand1);
  QRSysData1->AutoSize = false;
  QRSysData1->SetBounds(sign, 16, 330, 17);
  QRSysData1->Data = TQRSysDataType::qrsDate;
  QRSysData1->Text = std::string(kTown) + ", ";
  AddLabel(SummaryBand1, "QRLabel16", sign, 38, 330, "Penerima,");
  QRLabel18 = AddLabel(SummaryBand1, "QRLabel18", sign, 130, 330, "", gui::fsBold | gui::fsUnderline);
  QRLabel23 = AddLabel(SummaryBand1, "QRLabel23", sign, 150, 330, "");
}

}  // namespace worship

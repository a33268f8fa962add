#include "worship/QRService.h"

#include "app/UDM.h"

namespace worship {

using namespace report;

TFQRRepIbadahMinggu* FQRRepIbadahMinggu = nullptr;
TFQRRepIbadahHariRayaGerejawi* FQRRepIbadahHariRayaGerejawi = nullptr;

TServiceReport::TServiceReport(rtl::TComponent* owner, const char* name, const char* title, bool feast)
    : kit::TChurchReport(owner, poPortrait, kit::THeaderPicture::ChurchLogo) {
  SetName(name);
  ReportTitle = title;
  if (app::DM) SetDataSet(feast ? app::DM->QRepIG : app::DM->QRepIM);
  const int w = BandWidth();

  PageHeaderBand1->Height = 144;
  QRLabel4 = AddLabel(PageHeaderBand1, "QRLabel4", 0, 98, w, title, gui::fsBold);
  QRLabel4->Alignment = gui::TAlignment::taCenter;
  QRLabel4->Font().SetSize(12);
  if (feast) {
    QRLabel87 = AddLabel(PageHeaderBand1, "QRLabel87", 0, 120, w, "", gui::fsBold);
    QRLabel87->Alignment = gui::TAlignment::taCenter;
    QRLabel89 = AddLabel(PageHeaderBand1, "QRLabel89", w - 260, 120, 260, "", gui::fsItalic);
    QRLabel89->Alignment = gui::TAlignment::taRightJustify;
  } else {
    QRLabel87 = AddLabel(PageHeaderBand1, "QRLabel87", w - 260, 120, 260, "", gui::fsItalic);
    QRLabel87->Alignment = gui::TAlignment::taRightJustify;
  }

  // The service and its offerings, in two columns of captions and values.
  TitleBand1 = AddBand(rbTitle, "TitleBand1", 210);
  const int cap1 = 0, val1 = 110, cap2 = w / 2 + 10, val2 = w / 2 + 130, vw = w / 2 - 120;
  const std::pair<const char*, const char*> left[] = {
      {"Kode", "QRLabel24"}, {"Tanggal", "QRLabel25"}, {"Jam", "QRLabel26"},      {"Tempat", "QRLabel27"},
      {"Ayat", "QRLabel28"}, {"PF", "QRLabel29"},      {"Nama PF", "QRLabel30"}, {"Gereja", "QRLabel31"},
      {"Jumlah Jemaat", "QRLabel32"}};
  int y = 4, n = 100;
  for (const auto& [caption, value] : left) {
    AddLabel(TitleBand1, ("QRLabelCap" + std::to_string(++n)).c_str(), cap1, y, 100, caption);
    AddLabel(TitleBand1, value, val1, y, vw, "", gui::fsBold);
    y += 22;
  }
  AddLabel(TitleBand1, "QRLabelPersembahan", cap2, 4, 200, "[Persembahan]", gui::fsBold);
  const std::pair<const char*, const char*> right[] = {{"Rutin", "QRLabel33"},        {"Pembangunan", "QRLabel34"},
                                                       {"Persepuluhan", "QRLabel35"}, {"Syukur", "QRLabel36"},
                                                       {"SBU", "QRLabel37"}};
  y = 26;
  for (const auto& [caption, value] : right) {
    AddLabel(TitleBand1, ("QRLabelCap" + std::to_string(++n)).c_str(), cap2, y, 110, caption);
    AddLabel(TitleBand1, value, val2, y, 120, "", gui::fsBold)->Alignment = gui::TAlignment::taRightJustify;
    y += 22;
  }
  AddLabel(TitleBand1, "QRLabelTotal", cap2, y + 8, 120, "Total Persembahan :", gui::fsBold);
  AddLabel(TitleBand1, "QRLabel65", val2, y + 8, 120, "", gui::fsBold)->Alignment = gui::TAlignment::taRightJustify;

  // The helpers and the evaluation.
  ChildBand1 = new TQRChildBand(this);
  ChildBand1->SetName("ChildBand1");
  ChildBand1->Height = 150;
  ChildBand1->SetParentBand(TitleBand1);
  const std::pair<const char*, const char*> helpers[] = {{"Pianis", "QRLabel80"},     {"Prokantor", "QRLabel81"},
                                                         {"Kantoria", "QRLabel82"},   {"Multimedia", "QRLabel83"},
                                                         {"Soundman 1", "QRLabel84"}, {"Soundman 2", "QRLabel85"}};
  y = 4;
  for (const auto& [caption, value] : helpers) {
    AddLabel(ChildBand1, ("QRLabelCap" + std::to_string(++n)).c_str(), cap1, y, 100, caption);
    AddLabel(ChildBand1, value, val1, y, vw, "", gui::fsBold);
    y += 22;
  }
  AddLabel(ChildBand1, "QRLabelEvaluasi", cap2, 4, 200, "Evaluasi Ibadah :", gui::fsBold);
  QRRichText1 = new TQRRichText(this);
  QRRichText1->SetName("QRRichText1");
  QRRichText1->SetParent(ChildBand1);
  QRRichText1->SetBounds(cap2, 24, w - cap2, 120);

  ColumnHeaderBand1 = AddBand(rbColumnHeader, "ColumnHeaderBand1", 44);
  AddLabel(ColumnHeaderBand1, "QRLabelMajelis", 0, 2, 300, "Majelis yang Bertugas :", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabelNIMP", 0, 24, 120, "NIMP", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabelPetugas", 130, 24, 70, "Petugas", gui::fsBold);
  AddLabel(ColumnHeaderBand1, "QRLabelNamaMajelis", 210, 24, 300, "Nama Majelis", gui::fsBold);

  DetailBand1 = AddBand(rbDetail, "DetailBand1", 20);
  AddField(DetailBand1, "QRDBText1", 0, 2, 120, "nimp");
  AddField(DetailBand1, "QRDBText2", 130, 2, 70, "petugas");
  AddField(DetailBand1, "QRDBText3", 210, 2, 34, "pnt_dkn");
  AddLabel(DetailBand1, "QRLabelTitik", 244, 2, 8, ".");
  AddField(DetailBand1, "QRDBText4", 254, 2, w - 254, "nama_gabung");

  SummaryBand1 = AddBand(rbSummary, "SummaryBand1", 110);
  AddLabel(SummaryBand1, "QRLabelPengesahan", 0, 6, 200, "Pengesahan", gui::fsBold);
  const int third = w / 3;
  AddLabel(SummaryBand1, "QRLabelP5", 0, 28, third, "Validasi P5,");
  AddLabel(SummaryBand1, "QRLabel59", 0, 80, third, "", gui::fsBold);
  AddLabel(SummaryBand1, "QRLabelP1", third, 28, third, "Validasi P1,");
  AddLabel(SummaryBand1, "QRLabel60", third, 80, third, "", gui::fsBold);
  AddLabel(SummaryBand1, "QRLabelPF", 2 * third, 28, third, "Pelayan Firman");
  AddLabel(SummaryBand1, "QRLabel67", 2 * third, 46, third, "");
  AddLabel(SummaryBand1, "QRLabel62", 2 * third, 80, third, "", gui::fsBold);
  AddLabel(SummaryBand1, "QRLabel63", 2 * third, 96, third, "");

  PageFooterBand1 = AddBand(rbPageFooter, "PageFooterBand1", 20);
  AddLabel(PageFooterBand1, "QRLabelFooter", 0, 2, w, "KORVAN - Administrasi Jemaat", gui::fsItalic);
}

TQRLabel& TServiceReport::Value(const char* name) { return Label(name); }

TFQRRepIbadahMinggu::TFQRRepIbadahMinggu(rtl::TComponent* owner)
    : TServiceReport(owner, "FQRRepIbadahMinggu", "IBADAH HARI MINGGU", false) {}

TFQRRepIbadahHariRayaGerejawi::TFQRRepIbadahHariRayaGerejawi(rtl::TComponent* owner)
    : TServiceReport(owner, "FQRRepIbadahHariRayaGerejawi", "IBADAH HARI RAYA GEREJAWI", true) {}

}  // namespace worship

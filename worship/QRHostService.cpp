#include "worship/QRHostService.h"

#include "app/UDM.h"

namespace worship {

using namespace report;

THostServiceReport::THostServiceReport(rtl::TComponent* owner, const char* name, const char* title, bool sector)
    : kit::TChurchReport(owner, poPortrait, kit::THeaderPicture::ChurchLogo) {
  SetName(name);
  ReportTitle = title;
  if (app::DM) SetDataSet(sector ? app::DM->QRepIS : app::DM->QRepIY);
  const int w = BandWidth();

  PageHeaderBand1->Height = 144;
  QRLabel4 = AddLabel(PageHeaderBand1, "QRLabel4", 0, 98, w, title, gui::fsBold);
  QRLabel4->Alignment = gui::TAlignment::taCenter;
  QRLabel4->Font().SetSize(12);
  QRLabel87 = AddLabel(PageHeaderBand1, "QRLabel87", w - 260, 120, 260, "", gui::fsItalic);
  QRLabel87->Alignment = gui::TAlignment::taRightJustify;

  // The service on the left; those who served and the offerings framed on the right.
  TitleBand1 = AddBand(rbTitle, "TitleBand1", 236);
  const int half = w / 2, cap = 0, val = 100, vw = half - 110;
  const std::pair<const char*, const char*> left[] = {
      {"Kode", "QRLabel24"},        {"Tanggal", "QRLabel25"},
      {"Jam", "QRLabel26"},         {"SekPel", "QRLabel27"},
      {"Tuan Rumah", "QRLabel28"},  {"Nama", "QRLabel94"},
      {"Ayat Bacaan", "QRLabel31"}, {sector ? "Tema Khotbah" : "Jenis Ibadah", "QRLabel91"},
      {"Jumlah Jemaat", "QRLabel32"}};
  int y = 4, n = 100;
  for (const auto& [caption, value] : left) {
    AddLabel(TitleBand1, ("QRLabelCap" + std::to_string(++n)).c_str(), cap, y, val - 6, caption);
    AddLabel(TitleBand1, value, val, y, vw, "", gui::fsBold);
    y += 22;
  }
  const int fx = half + 10, fw = w - fx, fcap = fx + 8, fval = fx + 90, fvw = w - fval - 8;
  AddFrame(TitleBand1, "QRShapePelayan", fx, 2, fw, 112);
  AddLabel(TitleBand1, "QRLabelPelayan", fcap, 6, 200, " Pelayan Ibadah ", gui::fsBold);
  const std::pair<const char*, const char*> serving[] = {
      {"PF", "QRLabel29"}, {"Nama PF", "QRLabel30"}, {"Liturgos", "QRLabel97"}, {"PKT", "QRLabel100"}};
  y = 26;
  for (const auto& [caption, value] : serving) {
    AddLabel(TitleBand1, ("QRLabelCap" + std::to_string(++n)).c_str(), fcap, y, 80, caption);
    AddLabel(TitleBand1, value, fval, y, fvw, "", gui::fsBold);
    y += 21;
  }
  AddFrame(TitleBand1, "QRShapePersembahan", fx, 120, fw, 110);
  AddLabel(TitleBand1, "QRLabelPersembahanJudul", fcap, 124, 200, " Persembahan ", gui::fsBold);
  AddLabel(TitleBand1, "QRLabelPersembahan", fcap, 144, 120, "[Persembahan]");
  const std::pair<const char*, const char*> offerings[] = {{"Kolekte", "QRLabel33"}, {"Syukur", "QRLabel34"}};
  const int amountX = w - 8 - 140;
  y = 144;
  for (const auto& [caption, value] : offerings) {
    AddLabel(TitleBand1, ("QRLabelCap" + std::to_string(++n)).c_str(), fval + 30, y, 80, caption);
    AddLabel(TitleBand1, value, amountX, y, 140, "", gui::fsBold)->Alignment = gui::TAlignment::taRightJustify;
    y += 22;
  }
  AddLabel(TitleBand1, "QRLabelTotal", fval - 50, y + 6, 150, "Total Persembahan :", gui::fsBold);
  AddLabel(TitleBand1, "QRLabel65", amountX, y + 6, 140, "", gui::fsBold)->Alignment =
      gui::TAlignment::taRightJustify;

  // The evaluation.
  ChildBand1 = new TQRChildBand(this);
  ChildBand1->SetName("ChildBand1");
  ChildBand1->Height = 130;
  ChildBand1->SetParentBand(TitleBand1);
  AddLabel(ChildBand1, "QRLabelEvaluasi", 0, 6, 200, "Evaluasi Ibadah :", gui::fsBold);
  QRRichText1 = new TQRRichText(this);
  QRRichText1->SetName("QRRichText1");
  QRRichText1->SetParent(ChildBand1);
  QRRichText1->SetBounds(0, 26, w, 100);

  // Whoever confirmed the deposit signs.
  SummaryBand1 = AddBand(rbSummary, "SummaryBand1", 110);
  const int sx = w - 240;
  AddLabel(SummaryBand1, "QRLabelPengesahan", sx, 6, 240, "Pengesahan", gui::fsBold)->Alignment =
      gui::TAlignment::taCenter;
  AddLabel(SummaryBand1, "QRLabelKordinator", sx, 26, 240, "Kordinator Sektor")->Alignment =
      gui::TAlignment::taCenter;
  AddLabel(SummaryBand1, "QRLabel59", sx, 84, 240, "", gui::fsBold)->Alignment = gui::TAlignment::taCenter;

  PageFooterBand1 = AddBand(rbPageFooter, "PageFooterBand1", 20);
  AddLabel(PageFooterBand1, "QRLabelFooter", 0, 2, w, "KORVAN - Administrasi Jemaat", gui::fsItalic)->Alignment =
      gui::TAlignment::taRightJustify;
}

}  // namespace worship

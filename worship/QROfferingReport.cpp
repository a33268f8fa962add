#include "worship/QROfferingReport.h"

#include <algorithm>

#include "app/UDM.h"

namespace worship {

using namespace report;

constexpr const char* kAmountMask = "#####,";


TOfferingReportLayout::TOfferingReportLayout(rtl::TComponent* owner, const rules::TOfferingReport& kind)
    : kit::TChurchReport(owner, poLandscape, kit::THeaderPicture::ChurchLogo) {
  SetName(kind.layout);
  ReportTitle = kind.title;
  if (app::DM) SetDataSet(app::DM->QReport);
  const int w = BandWidth();

  PageHeaderBand1->Height = 160;
  QRLabel4 = AddLabel(PageHeaderBand1, "QRLabel4", 0, 98, w, kind.title, gui::fsBold);
  QRLabel4->Alignment = gui::TAlignment::taCenter;
  QRLabel4->Font().SetSize(12);
  QRLabel19 = AddLabel(PageHeaderBand1, "QRLabel19", 0, 120, w, "");
  QRLabel19->Alignment = gui::TAlignment::taCenter;
  QRLabel20 = AddLabel(PageHeaderBand1, "QRLabel20", 0, 136, w, "", gui::fsItalic);
  QRLabel20->Alignment = gui::TAlignment::taCenter;

  // The titles on a grey strip, the rows under them, the sums under the amounts.
  ColumnHeaderBand1 = AddBand(rbColumnHeader, "ColumnHeaderBand1", 22);
  ColumnHeaderBand1->Color = gui::clSilver;
  DetailBand1 = AddBand(rbDetail, "DetailBand1", 18);
  SummaryBand1 = AddBand(rbSummary, "SummaryBand1", 74);
  auto* line = new TQRShape(this);
  line->SetName("SummaryLine");
  line->SetParent(SummaryBand1);
  line->Shape = TShapeType::qrsHorLine;
  line->SetBounds(0, 2, w, 2);

  AddLabel(ColumnHeaderBand1, "QRLabelNo", 0, 3, rules::kOfferingNumberWidth - 4, "No", gui::fsBold);
  auto* number = new TQRSysData(this);
  number->SetName("QRSysDataNo");
  number->SetParent(DetailBand1);
  number->AutoSize = false;
  number->SetBounds(0, 1, rules::kOfferingNumberWidth - 4, 17);
  number->Data = TQRSysDataType::qrsDetailNo;
  number->Font().SetSize(8);

  int x = rules::kOfferingNumberWidth, n = 0, firstAmount = -1;
  for (const rules::TOfferingColumn& c : kind.columns) {
    ++n;
    const int cw = c.width - 4;  // a little air between the columns
    TQRLabel* title = AddLabel(ColumnHeaderBand1, ("QRLabelKolom" + std::to_string(n)).c_str(), x, 3, cw, c.title,
                               gui::fsBold);
    TQRDBText* field = AddField(DetailBand1, ("QRDBText" + std::to_string(n)).c_str(), x, 1, cw, c.field);
    field->Font().SetSize(8);
    if (c.amount) {
      if (firstAmount < 0) firstAmount = x;
      title->Alignment = gui::TAlignment::taRightJustify;
      field->Alignment = gui::TAlignment::taRightJustify;
      field->Mask = kAmountMask;
      AddExpr(SummaryBand1, ("QRExprSum" + std::to_string(n)).c_str(), x, 8, cw, "SUM(" + std::string(c.field) + ")",
              kAmountMask, gui::fsBold);
    } else if (c.count) {
      title->Alignment = gui::TAlignment::taRightJustify;
      field->Alignment = gui::TAlignment::taRightJustify;
    }
    x += c.width;
  }

  // The sums and the grand total, their captions ending left of the first amount
  // column; the number of rows below them.
  const int capW = std::min(200, firstAmount - 6), capX = firstAmount - 6 - capW;
  AddLabel(SummaryBand1, "QRLabelJumlahPersembahan", capX, 8, capW, "Jumlah Persembahan :", gui::fsBold)->Alignment =
      gui::TAlignment::taRightJustify;
  AddLabel(SummaryBand1, "QRLabelTotalPersembahan", capX, 30, capW, "Total Persembahan :", gui::fsBold)->Alignment =
      gui::TAlignment::taRightJustify;
  AddExpr(SummaryBand1, "QRExprTotal", firstAmount, 30, 160, rules::OfferingGrandTotal(kind), kAmountMask, gui::fsBold)
      ->Alignment = gui::TAlignment::taLeftJustify;
  AddLabel(SummaryBand1, "QRLabelJumlahKode", 0, 52, 90, "Jumlah Kode", gui::fsBold);
  AddLabel(SummaryBand1, "QRLabelJumlahKodeTitik", 90, 52, 8, ":", gui::fsBold);
  AddExpr(SummaryBand1, "QRExprCount", 100, 52, 60, "COUNT", "", gui::fsBold)->Alignment =
      gui::TAlignment::taLeftJustify;

  PageFooterBand1 = AddBand(rbPageFooter, "PageFooterBand1", 20);
  auto* page = new TQRSysData(this);
  page->SetName("QRSysDataPage");
  page->SetParent(PageFooterBand1);
  page->AutoSize = false;
  page->SetBounds(w - 100, 2, 100, 17);
  page->Alignment = gui::TAlignment::taRightJustify;
  page->Data = TQRSysDataType::qrsPageNumber;
  page->Text = "Hal. ";
  page->Font().SetStyle(gui::fsItalic);
}

}  // namespace worship

#include "kit/ListReport.h"

#include <string>

namespace kit {

using namespace report;

TListReport::TListReport(rtl::TComponent* owner, TPrinterOrientation orientation, const char* title, bool filterLine)
    : TChurchReport(owner, orientation, THeaderPicture::ChurchLogo) {
  const int w = BandWidth();
  PageHeaderBand1->Height = 146;
  QRLabel4 = AddLabel(PageHeaderBand1, "QRLabel4", 0, 98, w, title, gui::fsBold);
  QRLabel4->Alignment = gui::TAlignment::taCenter;
  QRLabel4->Font().SetSize(12);
  if (filterLine) QRLabel22 = AddLabel(PageHeaderBand1, "QRLabel22", 0, 124, w, "Filter :", gui::fsItalic);
  ReportTitle = title;
}

TQRCustomBand* TListReport::AddHeadings(const std::vector<TListColumn>& columns, TQRCustomBand* band) {
  if (!band) band = AddBand(rbColumnHeader, "ColumnHeaderBand1", 22);
  band->Color = gui::clSilver;
  for (const TListColumn& c : columns) {
    TQRLabel* l = AddLabel(band, ("Head_" + std::string(c.field)).c_str(), c.x, 3, c.w, c.heading, gui::fsBold);
    l->Font().SetSize(fontSize);
    l->Alignment = c.align;
  }
  return band;
}

void TListReport::AddValues(const std::vector<TListColumn>& columns) {
  if (!DetailBand1) DetailBand1 = AddBand(rbDetail, "DetailBand1", 18);
  for (const TListColumn& c : columns) {
    TQRDBText* t = AddField(DetailBand1, ("QRDBText_" + std::string(c.field)).c_str(), c.x, 1, c.w, c.field, c.style);
    t->Font().SetSize(fontSize);
    t->Alignment = c.align;
    t->Mask = c.mask;
  }
}

TQRBand* TListReport::Summary(int height) {
  if (!SummaryBand1) SummaryBand1 = AddBand(rbSummary, "SummaryBand1", height);
  return SummaryBand1;
}

TQRExpr* TListReport::AddCount(const char* name, const char* caption, int x, int y, int captionWidth) {
  TQRBand* band = Summary(30);
  AddLabel(band, (std::string(name) + "Caption").c_str(), x, y, captionWidth, caption, gui::fsBold);
  return AddExpr(band, name, "COUNT", x + captionWidth + 6, y, 80);
}

TQRExpr* TListReport::AddExpr(TQRCustomBand* band, const char* name, const char* expression, int x, int y, int w,
                              gui::TAlignment align) {
  auto* e = new TQRExpr(this);
  e->SetName(name);
  e->SetParent(band);
  e->AutoSize = false;
  e->Alignment = align;
  e->SetBounds(x, y, w, 17);
  e->SetExpression(expression);
  e->Font().SetStyle(gui::fsBold);
  return e;
}

TQRSysData* TListReport::AddPageNumber(const char* caption) {
  PageFooterBand1 = AddBand(rbPageFooter, "PageFooterBand1", 24);
  auto* page = new TQRSysData(this);
  page->SetName("QRSysDataPage");
  page->SetParent(PageFooterBand1);
  page->AutoSize = false;
  page->Alignment = gui::TAlignment::taRightJustify;
  page->SetBounds(BandWidth() - 160, 4, 160, 17);
  page->Data = TQRSysDataType::qrsPageNumber;
  page->Text = std::string(caption) + " ";
  return page;
}

}  // namespace kit

// What the printed lists share: under the church header the report's title and its
// filter line, headings in bold on a grey row, one line per row of the query, a summary
// that counts the lines printed and the page number in the footer. Columns are
// described as data: the heading of a column is named "Head_" + its field and its value
// "QRDBText_" + its field, so that the page model finds both by the field.
#pragma once
#include <vector>

#include "kit/ChurchHeader.h"

namespace kit {

struct TListColumn {
  const char* field;
  const char* heading;
  int x, w;
  gui::TFontStyles style = 0;  // of the value
  gui::TAlignment align = gui::TAlignment::taLeftJustify;
  const char* mask = "";
};

class TListReport : public TChurchReport {
  KORVAN_CLASS(TListReport)
 public:
  report::TQRLabel* QRLabel4;   // the title
  report::TQRLabel* QRLabel22 = nullptr;  // the filter line, "Filter :" until an owner writes it
  report::TQRBand* DetailBand1 = nullptr;
  report::TQRBand* SummaryBand1 = nullptr;
  report::TQRBand* PageFooterBand1 = nullptr;

 protected:
  // The header band grows to hold the title and the filter line below the church block.
  // Without `filterLine` the line under the title is the layout's own to fill.
  TListReport(rtl::TComponent* owner, report::TPrinterOrientation orientation, const char* title,
              bool filterLine = true);

  // The text size of the headings and values.
  int fontSize = 9;
  // The headings in bold on a grey band (a column header band when `band` is null).
  report::TQRCustomBand* AddHeadings(const std::vector<TListColumn>& columns, report::TQRCustomBand* band = nullptr);
  // The values of the current row on the detail band (made on first use).
  void AddValues(const std::vector<TListColumn>& columns);
  // "Jumlah ... :" and the number of detail lines printed, on the summary band.
  report::TQRExpr* AddCount(const char* name, const char* caption, int x, int y, int captionWidth = 170);
  // The page number after `caption` on the page footer band.
  report::TQRSysData* AddPageNumber(const char* caption);
  report::TQRBand* Summary(int height);
  // An expression in bold (a count, a sum) on a band.
  report::TQRExpr* AddExpr(report::TQRCustomBand* band, const char* name, const char* expression, int x, int y,
                           int w, gui::TAlignment align = gui::TAlignment::taLeftJustify);
};

}  // namespace kit

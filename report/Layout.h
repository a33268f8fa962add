// The builders every layout is written with: a band, a fixed text and a data field
// placed in band units. They know nothing of any header, so a receipt or a plain list
// uses them as well as a layout with the church header.
#pragma once
#include <string>

#include "report/PageReport.h"

namespace report {

class TLayoutReport : public TPageReport {
  KORVAN_CLASS(TLayoutReport)
 public:
  using TPageReport::TPageReport;

  // The width between the margins.
  int BandWidth() const;
  // A label of the layout by its name; a name the layout lacks is a fault of the
  // layout: it throws.
  TQRLabel& Label(const char* name);

 protected:
  // Items on a band, placed in band units; bold or italic through the style.
  TQRLabel* AddLabel(TQRCustomBand* band, const char* name, int x, int y, int w, const std::string& caption,
                     gui::TFontStyles style = 0);
  TQRDBText* AddField(TQRCustomBand* band, const char* name, int x, int y, int w, const char* field,
                      gui::TFontStyles style = 0);
  // A count or a sum over the printed detail lines ("COUNT", "SUM(nominal)"), right-aligned.
  TQRExpr* AddExpr(TQRCustomBand* band, const char* name, int x, int y, int w, const std::string& expression,
                   const char* mask = "", gui::TFontStyles style = 0);
  TQRBand* AddBand(TQRBandType type, const char* name, int height);
  // A rectangle around items of a band, drawn without filling so that they stay visible.
  TQRShape* AddFrame(TQRCustomBand* band, const char* name, int x, int y, int w, int h);
};

}  // namespace report

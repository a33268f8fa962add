#include "report/Layout.h"

namespace report {

int TLayoutReport::BandWidth() const { return PageWidth() - Page.LeftMargin - Page.RightMargin; }

TQRLabel* TLayoutReport::AddLabel(TQRCustomBand* band, const char* name, int x, int y, int w,
                                  const std::string& caption, gui::TFontStyles style) {
  auto* l = new TQRLabel(this);
  l->SetName(name);
  l->SetParent(band);
  l->AutoSize = false;
  l->SetBounds(x, y, w, 17);
  l->SetCaption(caption);
  l->Font().SetStyle(style);
  return l;
}

TQRDBText* TLayoutReport::AddField(TQRCustomBand* band, const char* name, int x, int y, int w, const char* field,
                                   gui::TFontStyles style) {
  auto* t = new TQRDBText(this);
  t->SetName(name);
  t->SetParent(band);
  t->AutoSize = false;
  t->SetBounds(x, y, w, 17);
  t->DataField = field;
  t->Font().SetStyle(style);
  return t;
}

TQRBand* TLayoutReport::AddBand(TQRBandType type, const char* name, int height) {
  auto* b = new TQRBand(this, type);
  b->SetName(name);
  b->Height = height;
  return b;
}

}  // namespace report

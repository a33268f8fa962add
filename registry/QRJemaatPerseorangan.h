// The member sheet: one member of the member window's query with every field, the
// family and the registration above it, the member's photo in the header.
#pragma once
#include "kit/ChurchHeader.h"

namespace registry {

class TFQRJemaatPerseorangan : public kit::TChurchReport {
  KORVAN_CLASS(TFQRJemaatPerseorangan)
 public:
  explicit TFQRJemaatPerseorangan(rtl::TComponent* owner);

  report::TQRBand* TitleBand1;
  report::TQRBand* ColumnHeaderBand1;
  report::TQRBand* DetailBand1;
  report::TQRLabel* QRLabel15;  // family number
  report::TQRLabel* QRLabel16;  // head of family
  report::TQRLabel* QRLabel36;  // registration number
  report::TQRLabel* QRLabel37;  // registration date

 private:
  // A caption and the member's field beside it (named "QRDBText_" + field); the caption
  // may start `indent` further right, the colon and the field stay in the column's place.
  report::TQRDBText* Pair(int x, int y, const std::string& caption, const char* field,
                          const std::string& hint = {}, gui::TFontStyles style = 0, int indent = 0);
};

extern TFQRJemaatPerseorangan* FQRJemaatPerseorangan;

}  // namespace registry

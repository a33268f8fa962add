// The family card: the family block (number, title and name, address, registration
// date, sector, the family photo in the header) and one line per member of the family
// list's query.
#pragma once
#include "kit/ChurchHeader.h"

namespace registry {

class TFQRJemaat : public kit::TChurchReport {
  KORVAN_CLASS(TFQRJemaat)
 public:
  explicit TFQRJemaat(rtl::TComponent* owner);

  report::TQRBand* TitleBand1;
  report::TQRBand* ColumnHeaderBand1;
  report::TQRChildBand* ChildBand1;  // the grey heading row
  report::TQRBand* DetailBand1;
  report::TQRLabel* QRLabel15;  // family number
  report::TQRLabel* QRLabel16;  // head of family
  report::TQRLabel* QRLabel17;  // address
  report::TQRLabel* QRLabel18;  // registration date
  report::TQRLabel* QRLabel19;  // title
  report::TQRLabel* QRLabel20;  // sector
};

extern TFQRJemaat* FQRJemaat;

}  // namespace registry

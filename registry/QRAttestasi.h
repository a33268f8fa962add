// The transfer letter: under the church header the form's title, the transfer's status
// and number, the family head's block (name, old address, sector, the congregation
// moved to or from, new address) and one numbered line per family member.
#pragma once
#include "kit/ChurchHeader.h"

namespace registry {

class TFQRAttestasi : public kit::TChurchReport {
  KORVAN_CLASS(TFQRAttestasi)
 public:
  explicit TFQRAttestasi(rtl::TComponent* owner);

  report::TQRLabel* QRLabel4;   // the title
  report::TQRLabel* QRLabel13;  // the status line
  report::TQRLabel* QRLabel33;  // the transfer number
  report::TQRBand* ColumnHeaderBand1;
  report::TQRChildBand* ChildBand1;
  report::TQRBand* DetailBand1;
  report::TQRBand* PageFooterBand1;
  report::TQRLabel *QRLabel20, *QRLabel21, *QRLabel22, *QRLabel23, *QRLabel24;
};

extern TFQRAttestasi* FQRAttestasi;

}  // namespace registry

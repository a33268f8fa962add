// The receipt of a dues payment: who received how much (in words) for which period,
// one line per member with the amount, the total and the receiving user's signature
// under the church's name. Its owner window fills the texts, the church name included.
#pragma once
#include "report/Layout.h"

namespace worship {

class TFQRKwitansiMPAG : public report::TLayoutReport {
  KORVAN_CLASS(TFQRKwitansiMPAG)
 public:
  explicit TFQRKwitansiMPAG(rtl::TComponent* owner);

  report::TQRBand* TitleBand1;
  report::TQRBand* ColumnHeaderBand1;
  report::TQRBand* DetailBand1;
  report::TQRBand* SummaryBand1;
  report::TQRImage* QRImage1;
  report::TQRLabel* QRLabel10;  // the receipt number
  report::TQRLabel* QRLabel11;  // received from
  report::TQRLabel* QRLabel12;  // the amount in words
  report::TQRLabel* QRLabel13;  // what for
  report::TQRLabel* QRLabel15;  // the total
  report::TQRSysData* QRSysData1;  // place and date
  report::TQRLabel* QRLabel18;  // the signer
  report::TQRLabel* QRLabel23;  // the church
};

extern TFQRKwitansiMPAG* FQRKwitansiMPAG;

}  // namespace worship

// The printed council groups: under the church header the criterion line, then each
// group under its own heading with its council members.
#pragma once
#include "kit/ChurchHeader.h"

namespace registry {

class TFQRGroupMajelis : public kit::TChurchReport {
  KORVAN_CLASS(TFQRGroupMajelis)
 public:
  explicit TFQRGroupMajelis(rtl::TComponent* owner);

  report::TQRLabel* QRLabel4;  // the report's title
  report::TQRLabel* QRLabel9;  // the criterion line, written by the print window
  report::TQRGroup* QRGroup1;
  report::TQRExpr* QRExpr1;  // the group number
  report::TQRChildBand* ChildBand1;  // the column titles
  report::TQRBand* DetailBand1;
};

extern TFQRGroupMajelis* FQRGroupMajelis;

}  // namespace registry

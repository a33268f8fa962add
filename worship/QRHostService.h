// The printed form of a sector or thanksgiving service: under the church header the
// title and the form's status (DRAFT or REALISASI), the service and its host, those who
// served in a frame, the offerings with their total in another, the evaluation, and the
// name of whoever confirmed the deposit under "Pengesahan".
#pragma once
#include "kit/ChurchHeader.h"

namespace worship {

class THostServiceReport : public kit::TChurchReport {
  KORVAN_CLASS(THostServiceReport)
 public:
  // `sector`: the sector form (dataset QRepIS, "Tema Khotbah"); otherwise the
  // thanksgiving form (QRepIY, "Jenis Ibadah").
  THostServiceReport(rtl::TComponent* owner, const char* name, const char* title, bool sector);

  report::TQRLabel* QRLabel4;   // the title
  report::TQRLabel* QRLabel87;  // the status
  report::TQRBand* TitleBand1;
  report::TQRChildBand* ChildBand1;
  report::TQRBand* SummaryBand1;
  report::TQRBand* PageFooterBand1;
  report::TQRRichText* QRRichText1;
};

}  // namespace worship

// The printed form of a sector, thanksgiving or category-group service (one line of
// it): under the church header the title and the form's status (DRAFT or REALISASI),
// the service and its host, those who served in a frame, the offerings with their total
// in another, the evaluation, and the name of whoever confirmed the deposit under
// "Pengesahan".
#pragma once
#include "data/ZQuery.h"
#include "kit/ChurchHeader.h"

namespace worship {

// Which service the form prints: the sector form (dataset QRepIS, "Tema Khotbah"), the
// thanksgiving form (QRepIY, "Jenis Ibadah") or the category-group form (QRepIP, the
// line's area, place and class, the stored names of liturgist and PKT).
enum class THostForm { Sector, Thanksgiving, Pelkat };

class THostServiceReport : public kit::TChurchReport {
  KORVAN_CLASS(THostServiceReport)
 public:
  THostServiceReport(rtl::TComponent* owner, const char* name, const char* title, THostForm form);

  // Fills the form from the current row of `row` (a service, or a category-group
  // service's line joined to it); an empty result fills empty values.
  void FillFrom(data::TZQuery& row);

  report::TQRLabel* QRLabel4;   // the title
  report::TQRLabel* QRLabel87;  // the status
  report::TQRBand* TitleBand1;
  report::TQRChildBand* ChildBand1;
  report::TQRBand* SummaryBand1;
  report::TQRBand* PageFooterBand1;
  report::TQRRichText* QRRichText1;

 private:
  THostForm form_;
};

}  // namespace worship

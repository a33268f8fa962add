// What every printed layout with the church header shares: the church header block at the top
// of each page (the denomination, the congregation's name and address read from
// `gereja`, a picture, the date and time of printing) and the before-print handler that
// fills it in. Layouts derive from TChurchReport and add their own bands below.
#pragma once
#include <string>

#include "report/Layout.h"

namespace kit {

// Fills the congregation's name and address into the two header labels from `gereja`
// on DM->Q9, or the texts that say the church is not set up yet.
void LoadChurchHeader(report::TQRLabel& name, report::TQRLabel& address);

// The church logo (a JPEG built into the program).
void LoadChurchLogo(gui::TPicture& picture);

// What the picture of the header block shows.
enum class THeaderPicture {
  ChurchLogo,  // the logo, stored in the layout
  OwnerPhoto,  // a photo the owner window puts in before each preview
  None,        // no picture at all
};

class TChurchReport : public report::TLayoutReport {
  KORVAN_CLASS(TChurchReport)
 public:
  TChurchReport(rtl::TComponent* owner, report::TPrinterOrientation orientation, THeaderPicture picture);

  report::TQRBand* PageHeaderBand1;
  report::TQRLabel* QRLabel1;
  report::TQRLabel* QRLabel2;
  report::TQRLabel* QRLabel3;
  report::TQRImage* QRImage1;  // nullptr with THeaderPicture::None
  report::TQRLabel* LabelTanggal;
  report::TQRLabel* LabelJam;
  report::TQRSysData* QRSysData1;
  report::TQRSysData* QRSysData2;

  // The before-print handler: LoadChurchHeader on this layout's labels. Printing always
  // goes on.
  void PageReportBeforePrint(report::TPageReport* sender, bool& printReport);
};

}  // namespace kit

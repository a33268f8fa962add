// What the printed application forms of the sacraments share: the church header, the
// form's title under it, one detail band of numbered items (a caption, a colon and the
// value the search window writes), the checklist of documents with a mark beside each,
// the signatures under it with the place and the moment of printing, and the footer
// line. Bound to no query: the detail band prints once.
#pragma once
#include <string>

#include "data/ZQuery.h"
#include "kit/ChurchHeader.h"

namespace registry {

class TSacramentForm : public kit::TChurchReport {
  KORVAN_CLASS(TSacramentForm)
 public:
  report::TQRBand* TitleBand1;
  report::TQRBand* DetailBand1;
  report::TQRChildBand* ChildBand1;  // signatures
  report::TQRBand* PageFooterBand1;
  report::TQRLabel* PlaceLabel;  // the place of signing
  report::TQRSysData* QRSysData3;

  // The value texts of a row, as the forms print them.
  static std::string DateText(data::TZQuery& row, const char* field);
  static std::string TimeText(data::TZQuery& row, const char* field);
  static std::string Mark(data::TZQuery& row, const char* field);  // "*" for "Y"
  static std::string Bracketed(data::TZQuery& row, const char* field);  // "[" + value + "]"

 protected:
  TSacramentForm(rtl::TComponent* owner, const char* name, const char* title, int detailHeight,
                 const char* placeLabel = "QRLabel89");

  // A bold heading of a block.
  void Heading(const char* name, int x, int y, const std::string& text);
  // A caption, a colon and the value label `name`; the caption is named "Cap" + name.
  report::TQRLabel* Item(const char* name, int x, int y, int captionW, const std::string& caption, int valueW);
  // A document of the checklist: the mark label `name` and the caption right of it.
  report::TQRLabel* Check(const char* name, int x, int y, const std::string& caption);
  // "CATATAN MAJELIS": the pastoral meeting and the execution of the sacrament (named by
  // `sacrament`) with date and time, the officiating minister; then the heading of the
  // documents. Returns where the documents start.
  int CouncilNotes(int y, const std::string& sacrament);
  void FillCouncilNotes(data::TZQuery& row);
  // A rectangle around part of the detail band.
  void Frame(const char* name, int x, int y, int w, int h);
  // A signature block on the child band: the line (or name) label above its caption.
  report::TQRLabel* Signature(const char* name, int x, int y, const std::string& line, const std::string& caption);
};

}  // namespace registry

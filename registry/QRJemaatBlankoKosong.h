// The blank registration form: every member field with an empty space to fill in by
// hand, under the church header (no picture). Bound to no query: it prints once.
#pragma once
#include "kit/ChurchHeader.h"

namespace registry {

class TFQRJemaatBlankoKosong : public kit::TChurchReport {
  KORVAN_CLASS(TFQRJemaatBlankoKosong)
 public:
  explicit TFQRJemaatBlankoKosong(rtl::TComponent* owner);

  report::TQRBand* TitleBand1;
  report::TQRBand* ColumnHeaderBand1;
  report::TQRBand* DetailBand1;

 private:
  // A caption with a line to write on after it; `hint` (the allowed values) prints beneath.
  void Blank(const char* name, int x, int y, int w, const std::string& caption, const std::string& hint = {},
             int captionWidth = 110);
  int blanks_ = 0;
};

extern TFQRJemaatBlankoKosong* FQRJemaatBlankoKosong;

}  // namespace registry

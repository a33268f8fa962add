// The executive-council search: executive records by name or status, one reopened in
// the executive-council window by a double click, or deleted with its term.
#pragma once
#include "kit/Search.h"

namespace registry {

class TFCariPHMJ : public kit::TPersonSearch {
  KORVAN_CLASS(TFCariPHMJ)
 public:
  explicit TFCariPHMJ(rtl::TComponent* owner);

 protected:
  void CopyRow(data::TZQuery& q) override;
};

extern TFCariPHMJ* FCariPHMJ;

}  // namespace registry

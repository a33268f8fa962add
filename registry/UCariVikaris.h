// The vicar search: rows by name or status, one opened in the entry window by a
// double click, or deleted.
#pragma once
#include "kit/Search.h"

namespace registry {

class TFCariVikaris : public kit::TPersonSearch {
  KORVAN_CLASS(TFCariVikaris)
 public:
  explicit TFCariVikaris(rtl::TComponent* owner);

 protected:
  void CopyRow(data::TZQuery& q) override;
};

extern TFCariVikaris* FCariVikaris;

}  // namespace registry

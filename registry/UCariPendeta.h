// The minister search: ministers by name or post, one opened in the minister window by a
// double click, or deleted.
#pragma once
#include "kit/Search.h"

namespace registry {

class TFCariPendeta : public kit::TPersonSearch {
  KORVAN_CLASS(TFCariPendeta)
 public:
  explicit TFCariPendeta(rtl::TComponent* owner);

 protected:
  void CopyRow(data::TZQuery& q) override;
};

extern TFCariPendeta* FCariPendeta;

}  // namespace registry

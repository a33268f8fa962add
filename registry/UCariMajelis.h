// The council-member search: council records by name or office, one reopened in the
// council window by a double click, or deleted.
#pragma once
#include "kit/Search.h"

namespace registry {

class TFCariMajelis : public kit::TPersonSearch {
  KORVAN_CLASS(TFCariMajelis)
 public:
  explicit TFCariMajelis(rtl::TComponent* owner);

 protected:
  void CopyRow(data::TZQuery& q) override;
};

extern TFCariMajelis* FCariMajelis;

}  // namespace registry

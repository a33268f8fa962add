// The practice-student lookup: students of every status by name, for the worship and loan windows.
#pragma once
#include "registry/LookupProtocol.h"

namespace registry {

class TFCariNIMPra : public lookup::TLookupDialog {
  KORVAN_CLASS(TFCariNIMPra)
 public:
  explicit TFCariNIMPra(rtl::TComponent* owner);
};

extern TFCariNIMPra* FCariNIMPra;

}  // namespace registry

// The vicar lookup: active and confirmed vicars by name, for the worship and loan windows.
#pragma once
#include "registry/LookupProtocol.h"

namespace registry {

class TFCariNIV : public lookup::TLookupDialog {
  KORVAN_CLASS(TFCariNIV)
 public:
  explicit TFCariNIV(rtl::TComponent* owner);
};

extern TFCariNIV* FCariNIV;

}  // namespace registry

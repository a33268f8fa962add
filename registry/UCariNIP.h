// The minister lookup: active ministers by name, for the worship and loan windows.
#pragma once
#include "registry/LookupProtocol.h"

namespace registry {

class TFCariNIP : public lookup::TLookupDialog {
  KORVAN_CLASS(TFCariNIP)
 public:
  explicit TFCariNIP(rtl::TComponent* owner);
};

extern TFCariNIP* FCariNIP;

}  // namespace registry

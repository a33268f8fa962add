// The member lookup: members by name as the user types, the chosen one written into the
// window that asked for it (see LookupProtocol.h).
#pragma once
#include "registry/LookupProtocol.h"

namespace registry {

class TFCariNIJ : public lookup::TLookupDialog {
  KORVAN_CLASS(TFCariNIJ)
 public:
  explicit TFCariNIJ(rtl::TComponent* owner);
};

extern TFCariNIJ* FCariNIJ;

}  // namespace registry

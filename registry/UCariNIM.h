// The council-member lookup: active council members by name, for the executive-council, council-group and worship windows.
#pragma once
#include "registry/LookupProtocol.h"

namespace registry {

class TFCariNIM : public lookup::TLookupDialog {
  KORVAN_CLASS(TFCariNIM)
 public:
  explicit TFCariNIM(rtl::TComponent* owner);
};

extern TFCariNIM* FCariNIM;

}  // namespace registry

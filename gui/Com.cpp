#include "gui/Com.h"

#include <objbase.h>

namespace gui {

void UseCom() {
  thread_local bool joined = false;
  if (joined) return;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  joined = true;
}

}  // namespace gui

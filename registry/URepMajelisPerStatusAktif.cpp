#include "registry/URepMajelisPerStatusAktif.h"

namespace registry {

TFRepMajelisPerStatusAktif* FRepMajelisPerStatusAktif = nullptr;

}  // namespace registry

#include "registry/URepMajelisPerJabatan.h"

namespace registry {

TFRepMajelisPerJabatan* FRepMajelisPerJabatan = nullptr;

}  // namespace registry

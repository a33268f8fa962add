#include "registry/URepMajelisPerSex.h"

namespace registry {

TFRepMajelisPerSex* FRepMajelisPerSex = nullptr;

}  // namespace registry

#include "registry/URepMajelis.h"

namespace registry {

TFRepMajelis* FRepMajelis = nullptr;

}  // namespace registry

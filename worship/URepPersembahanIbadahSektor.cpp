#include "worship/URepPersembahanIbadahSektor.h"

namespace worship {

TFRepPersembahanIbadahSektor* FRepPersembahanIbadahSektor = nullptr;

}  // namespace worship

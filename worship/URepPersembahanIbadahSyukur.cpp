#include "worship/URepPersembahanIbadahSyukur.h"

namespace worship {

TFRepPersembahanIbadahSyukur* FRepPersembahanIbadahSyukur = nullptr;

}  // namespace worship

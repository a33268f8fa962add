#include "worship/URepPersembahanIbadahPelkat.h"

namespace worship {

TFRepPersembahanIbadahPelkat* FRepPersembahanIbadahPelkat = nullptr;

}  // namespace worship

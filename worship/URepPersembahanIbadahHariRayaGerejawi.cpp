#include "worship/URepPersembahanIbadahHariRayaGerejawi.h"

namespace worship {

TFRepPersembahanIbadahHariRayaGerejawi* FRepPersembahanIbadahHariRayaGerejawi = nullptr;

}  // namespace worship

#include "worship/URepPersembahanIbadahMinggu.h"

namespace worship {

TFRepPersembahanIbadahMinggu* FRepPersembahanIbadahMinggu = nullptr;

}  // namespace worship

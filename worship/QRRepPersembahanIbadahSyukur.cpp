#include "worship/QRRepPersembahanIbadahSyukur.h"

namespace worship {

TFQRRepPersembahanIbadahSyukur* FQRRepPersembahanIbadahSyukur = nullptr;

}  // namespace worship

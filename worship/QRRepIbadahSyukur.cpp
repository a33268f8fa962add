#include "worship/QRRepIbadahSyukur.h"

namespace worship {

TFQRRepIbadahSyukur* FQRRepIbadahSyukur = nullptr;

}  // namespace worship

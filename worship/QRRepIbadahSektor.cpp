#include "worship/QRRepIbadahSektor.h"

namespace worship {

TFQRRepIbadahSektor* FQRRepIbadahSektor = nullptr;

}  // namespace worship

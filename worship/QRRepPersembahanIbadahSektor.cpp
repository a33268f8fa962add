#include "worship/QRRepPersembahanIbadahSektor.h"

namespace worship {

TFQRRepPersembahanIbadahSektor* FQRRepPersembahanIbadahSektor = nullptr;

}  // namespace worship

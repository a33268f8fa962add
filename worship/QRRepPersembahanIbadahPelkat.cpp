#include "worship/QRRepPersembahanIbadahPelkat.h"

namespace worship {

TFQRRepPersembahanIbadahPelkat* FQRRepPersembahanIbadahPelkat = nullptr;

}  // namespace worship

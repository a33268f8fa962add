#include "worship/QRRepIbadahPelkat.h"

namespace worship {

TFQRRepIbadahPelkat* FQRRepIbadahPelkat = nullptr;

}  // namespace worship

#include "worship/QRRepPersembahanIbadahHariRayaGerejawi.h"

namespace worship {

TFQRRepPersembahanIbadahHariRayaGerejawi* FQRRepPersembahanIbadahHariRayaGerejawi = nullptr;

}  // namespace worship

#include "worship/QRRepPersembahanIbadahMinggu.h"

namespace worship {

TFQRRepPersembahanIbadahMinggu* FQRRepPersembahanIbadahMinggu = nullptr;

}  // namespace worship

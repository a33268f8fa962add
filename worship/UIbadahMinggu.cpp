#include "worship/UIbadahMinggu.h"

namespace worship {

TFIbadahMinggu* FIbadahMinggu = nullptr;
TFIbadahHariRayaGerejawi* FIbadahHariRayaGerejawi = nullptr;

}  // namespace worship

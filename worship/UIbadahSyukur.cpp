#include "worship/UIbadahSyukur.h"

namespace worship {

TFIbadahSyukur* FIbadahSyukur = nullptr;

}  // namespace worship

#include "worship/UCariIbadahSyukur.h"

namespace worship {

TFCariIbadahSyukur* FCariIbadahSyukur = nullptr;

}  // namespace worship

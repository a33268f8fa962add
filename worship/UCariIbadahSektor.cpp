#include "worship/UCariIbadahSektor.h"

namespace worship {

TFCariIbadahSektor* FCariIbadahSektor = nullptr;

}  // namespace worship

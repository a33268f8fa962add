#include "worship/UIbadahSektor.h"

namespace worship {

TFIbadahSektor* FIbadahSektor = nullptr;

}  // namespace worship

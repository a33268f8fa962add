// The published properties of the class layer that other code reads by name.
#include "gui/Controls.h"
#include "rtl/TypInfo.h"

namespace gui {

void RegisterControlProperties() {
  static bool done = false;
  if (done) return;
  done = true;
  rtl::RegisterOrdProperty<TControl>(
      "Color", [](TControl* c) { return static_cast<int64_t>(c->Color()); },
      [](TControl* c, int64_t v) { c->SetColor(static_cast<TColor>(v)); });
  rtl::RegisterObjectProperty<TControl>("Font", [](TControl* c) { return &c->Font(); });
}

}  // namespace gui

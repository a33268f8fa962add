// The toolbar of every service entry window: "Simpan", "Cari", "Reset Form" and "Close"
// on SpeedButton6 to SpeedButton9, each calling the window's handler of that button.
#pragma once
#include "kit/FormKit.h"

namespace worship {

template <class Form>
gui::TPanel* MakeServiceBar(Form& f) {
  using rtl::TObject;
  return kit::MakeActionBar(
      f, "Panel1", 48,
      {{&f.SpeedButton6, "SpeedButton6", "Simpan", [&f](TObject* s) { f.SpeedButton6Click(s); }},
       {&f.SpeedButton7, "SpeedButton7", "Cari", [&f](TObject* s) { f.SpeedButton7Click(s); }},
       {&f.SpeedButton8, "SpeedButton8", "Reset Form", [&f](TObject* s) { f.SpeedButton8Click(s); }},
       {&f.SpeedButton9, "SpeedButton9", "Close", [&f](TObject* s) { f.SpeedButton9Click(s); }}},
      7);
}

}  // namespace worship

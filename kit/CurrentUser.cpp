#include "kit/CurrentUser.h"

#include "gui/Controls.h"
#include "gui/Forms.h"

namespace kit {

std::string CurrentUserName() {
  if (!gui::Application) return std::string();
  auto* menu = gui::Application->FindComponent("FMenu");
  auto* label = menu ? dynamic_cast<gui::TControl*>(menu->FindComponent("Label4")) : nullptr;
  return label ? label->Caption() : std::string();
}

}  // namespace kit

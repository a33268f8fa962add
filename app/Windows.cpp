#include "app/Windows.h"

#include "app/UDM.h"
#include "gui/Forms.h"
#include "shell/ULogin.h"
#include "shell/Upantra.h"

namespace app {

void CreateWindows() {
  using gui::Application;
  // Creating a window only builds it; nothing touches the database until the login
  // window is first activated.
  Application->CreateForm(shell::FLogin);
  Application->CreateForm(shell::FMenu);
  Application->CreateForm(DM);
}

}  // namespace app

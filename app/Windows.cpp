#include "app/Windows.h"

#include "app/UDM.h"
#include "gui/Forms.h"
#include "shell/UFotoDefault.h"
#include "shell/UGereja.h"
#include "shell/ULogin.h"
#include "shell/USettingHakAkses.h"
#include "shell/UTemaTahunan.h"
#include "shell/UUpdatePswd.h"
#include "shell/UUser.h"
#include "shell/Upantra.h"

namespace app {

void CreateWindows() {
  using gui::Application;
  // Creating a window only builds it; nothing touches the database until the login
  // window is first activated. The order is the program's fixed start-up order.
  Application->CreateForm(shell::FLogin);
  Application->CreateForm(shell::FMenu);
  Application->CreateForm(DM);
  Application->CreateForm(shell::FFotoDefault);
  Application->CreateForm(shell::FTemaTahunan);
  Application->CreateForm(shell::FUser);
  Application->CreateForm(shell::FSettingHakAkses);
  Application->CreateForm(shell::FUpdatePswd);
  Application->CreateForm(shell::FGereja);
}

}  // namespace app

#include "app/Windows.h"

#include "app/UDM.h"
#include "gui/Forms.h"
#include "registry/QRJemaat.h"
#include "registry/QRJemaatBlankoKosong.h"
#include "registry/QRJemaatPerseorangan.h"
#include "registry/UCariWargaJemaat.h"
#include "registry/UDetailJemaat.h"
#include "registry/UPenambahanJemaat.h"
#include "registry/UWargaJemaat.h"
#include "shell/UBackupDB.h"
#include "shell/UDeveloper.h"
#include "shell/UFotoDefault.h"
#include "shell/UGereja.h"
#include "shell/ULogin.h"
#include "shell/USettingHakAkses.h"
#include "shell/UTemaTahunan.h"
#include "shell/UUpdatePswd.h"
#include "shell/UUser.h"
#include "shell/UWhatisKorvan.h"
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
  Application->CreateForm(registry::FWargaJemaat);
  Application->CreateForm(registry::FDetailJemaat);
  Application->CreateForm(registry::FCariWargaJemaat);
  Application->CreateForm(registry::FPenambahanJemaat);
  Application->CreateForm(shell::FTemaTahunan);
  Application->CreateForm(registry::FQRJemaat);
  Application->CreateForm(registry::FQRJemaatPerseorangan);
  Application->CreateForm(shell::FWhatisKorvan);
  Application->CreateForm(shell::FDeveloper);
  Application->CreateForm(shell::FUser);
  Application->CreateForm(shell::FSettingHakAkses);
  Application->CreateForm(shell::FUpdatePswd);
  Application->CreateForm(registry::FQRJemaatBlankoKosong);
  Application->CreateForm(shell::FGereja);
  Application->CreateForm(shell::FBackupDB);
}

}  // namespace app

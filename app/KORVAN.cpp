// The program block: start-up work of the engine units, the application object, every
// window once, then the message loop until the login window closes.
#include <windows.h>

#include "app/ProgramBlock.h"
#include "app/Windows.h"
#include "gui/Forms.h"
#include "skin/graphics/acPNG.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return app::RunProgram([] {
    // The PNG picture format must be known before any window layout is read.
    skin::RegisterPNGGraphic();
    gui::InitApplication();
    gui::Application->SetTitle("KORVAN");
    app::CreateWindows();
  });
}

// The program block: start-up work of the engine units, the application object, every
// window once, then the message loop until the login window closes.
#include <windows.h>

#include "app/Windows.h"
#include "gui/Forms.h"
#include "skin/graphics/acPNG.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The PNG picture format must be known before any window layout is read.
  skin::RegisterPNGGraphic();
  gui::InitApplication();
  gui::Application->SetTitle("KORVAN");
  try {
    app::CreateWindows();
  } catch (...) {
    gui::Application->HandleException(std::current_exception());
    return 1;
  }
  gui::Application->Run();
  return 0;
}

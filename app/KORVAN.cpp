// The program block: the start-up work of the engine units, the application object,
// every window once, then the message loop until the login window closes; at the end the
// engine units' shut-down work in reverse.
#include <windows.h>

#include "app/Windows.h"
#include "gui/Forms.h"
#include "skin/core/acStartup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Among other work this registers the PNG picture format, which window layouts need.
  try {
    skin::RunEngineStartup();
  } catch (...) {
    return 1;
  }
  gui::InitApplication();
  gui::Application->SetTitle("KORVAN");
  int code = 0;
  try {
    app::CreateWindows();
    gui::Application->Run();
  } catch (...) {
    gui::Application->HandleException(std::current_exception());
    code = 1;
  }
  skin::RunEngineShutdown();
  return code;
}

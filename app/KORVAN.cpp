// The program block: the application and screen objects, the start-up work of the engine
// units, every window once, then the message loop until the login window closes; at the
// end the engine units' shut-down work in reverse.
#include <windows.h>

#include "app/Windows.h"
#include "gui/Forms.h"
#include "skin/core/acStartup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The screen object takes the engine's cursor and the engine's boxes need the
  // application, so both exist before the engine starts; no window is shown yet.
  gui::InitApplication();
  gui::Application->SetTitle("KORVAN");
  try {
    // Among other work this registers the PNG picture format, which window layouts need.
    skin::RunEngineStartup();
  } catch (...) {
    gui::Application->HandleException(std::current_exception());
    return 1;
  }
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

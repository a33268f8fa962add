// The program block: the application and screen objects, the start-up work of the engine
// units, every window once, then the message loop until the login window closes; at the
// end the engine units' shut-down work in reverse. Nothing leaves it: a failed start ends
// with a readable message and a non-zero exit code.
#include <windows.h>

#include "app/ProgramBlock.h"
#include "app/Windows.h"
#include "gui/Forms.h"
#include "skin/core/acStartup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int code = app::RunProgram([] {
    // The screen object takes the engine's cursor and the engine's boxes need the
    // application, so both exist before the engine starts; no window is shown yet.
    gui::InitApplication();
    gui::Application->SetTitle("KORVAN");
    // Among other work this registers the PNG picture format, which window layouts need.
    skin::RunEngineStartup();
    app::CreateWindows();
  });
  if (skin::EngineStarted()) {
    try {
      skin::RunEngineShutdown();
    } catch (...) {
      // The program is ending; what the engine could not release, the system does.
    }
  }
  return code;
}

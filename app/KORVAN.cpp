// The program block: the program's start (application, engine start-up, every window),
// then the message loop until the login window closes; at the end the engine units'
// shut-down work in reverse. Nothing leaves it: a failed start ends with a readable
// message and a non-zero exit code.
#include <windows.h>

#include "app/ProgramBlock.h"
#include "app/Windows.h"
#include "skin/core/acStartup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int code = app::RunProgram(app::StartProgram);
  if (skin::EngineStarted()) {
    try {
      skin::RunEngineShutdown();
    } catch (...) {
      // The program is ending; what the engine could not release, the system does.
    }
  }
  return code;
}

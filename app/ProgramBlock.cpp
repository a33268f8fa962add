#include "app/ProgramBlock.h"

#include <cstdio>

#include "gui/Dialogs.h"
#include "gui/Forms.h"
#include "rtl/SysUtils.h"

namespace app {

std::string FailureText(const std::exception_ptr& e) {
  try {
    std::rethrow_exception(e);
  } catch (const std::exception& ex) {
    return ex.what();
  } catch (...) {
    return "Unknown error";
  }
}

void ReportStartupFailure(const std::exception_ptr& e) {
  std::string text = FailureText(e);
  if (gui::Application) {
    try {
      gui::ShowExceptionBox(text);
      return;
    } catch (...) {
      // No window can be shown (no display, no window class): the error output is left.
    }
  }
  std::string line = "KORVAN: " + gui::ExceptionBoxText(text) + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

int RunProgram(const std::function<void()>& startUp) {
  try {
    startUp();
    if (!gui::Application) throw rtl::Exception("The application object was not created");
    gui::Application->Run();
    return 0;
  } catch (...) {
    ReportStartupFailure(std::current_exception());
    return 1;
  }
}

}  // namespace app

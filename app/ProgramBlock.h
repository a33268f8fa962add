// The program block's frame: the start-up work, then the message loop, with nothing
// allowed to leave it. A failure ends the program with a message a person can read and a
// non-zero exit code.
#pragma once
#include <exception>
#include <functional>
#include <string>

namespace app {

// Runs startUp (registering formats, the application object, every window), then the
// application's message loop until it ends. Returns the process exit code: 0 after a
// normal end, 1 when start-up or showing the main window failed; the failure is then
// reported through ReportStartupFailure.
int RunProgram(const std::function<void()>& startUp);

// Shows the exception box when a window can be shown (the application object exists and
// the box can be created), and writes the message to the error output otherwise.
void ReportStartupFailure(const std::exception_ptr& e);

// The text of a failure: the exception's message, or a plain text for a non-standard one.
std::string FailureText(const std::exception_ptr& e);

}  // namespace app

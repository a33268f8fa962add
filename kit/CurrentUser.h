// The name of the user who is logged in, as the main window shows it. Windows of every
// subsystem stamp it on what they store; they reach the main window by its instance
// name, so that no subsystem depends on the shell's window headers.
#pragma once
#include <string>

namespace kit {

// The caption of the main window's user label (`FMenu.Label4`); empty while no main
// window exists.
std::string CurrentUserName();

}  // namespace kit

// The start-up work of the skin manager's unit that needs no skin: the platform flag and
// the version switch "/acver" of the command line.
#pragma once
#include <string>
#include <vector>

namespace skin {

// True on the NT platform.
bool IsNTPlatform();
// The program's parameters (without the program name), UTF-8.
std::vector<std::string> CommandLineParams();

// Shows the engine's version when one of params is the version switch.
void ShowVersionForSwitch(const std::vector<std::string>& params);

// Step 21 of the start-up road: shows "skin engine v14.27" when a parameter is "/acver".
void InitSkinManagerUnit();
void DoneSkinManagerUnit();

}  // namespace skin

// The start-up work of the skin manager's unit: the platform flag, the shared skin data
// and the version switch "/acver" of the command line.
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

class TacSkinData;
// The four shared skin data, one a scale step (96, 120, 144, 192 PPI) with their scaled
// common metrics, that controls paint with while their manager has no skin. Made by the
// unit's start-up (or on first need) and freed at its end.
TacSkinData* SharedSkinData(int step);

// Step 21 of the start-up road: the platform flag and the shared skin data; shows
// "skin engine v14.27" when a parameter is "/acver". The end frees the shared data.
void InitSkinManagerUnit();
void DoneSkinManagerUnit();

}  // namespace skin

// The start-up work of the constants unit and of the DPI switch: the Windows version
// flag, the scroll-button width, and the captions the engine takes from the system's
// own string tables.
#pragma once
#include <windows.h>

#include <string>

namespace skin {

// Captions in the system's language (UTF-8); empty when the library did not load.
struct TacCaptions {
  std::string OK, Cancel, Help, Close, AddToCustomColors, DefineColors, AdditionalColors, Decimal, Root, Create,
      Restore, Size, Move, Maximize, Minimize, Calculator, FileOpen, SelectDirectory, Red, Green, Blue, Color, Font,
      FontColor, Hex, InvalidDate, AvailableStyles, Internal, SkinDirectory, SelectSkin, SkinPreview,
      FrameAdapterPlacement;
};
// Empty before the engine starts and after it ends; read from the libraries at the first
// ask while it runs.
TacCaptions& Captions();

// String `id` of a system library's string table as UTF-8; empty when it has none.
std::string LoadLibraryString(HMODULE lib, unsigned id);

// Replaces a negative HScrollBtnWidth by the system's scroll-arrow width.
void InitHScrollBtnWidth();

// The Windows version as the system reports it, not as compatibility modes show it.
void GetWindowsVersion(unsigned& major, unsigned& minor);

// Step 1: WinVersionFlag, HScrollBtnWidth, captions (read at their first ask). Its end
// clears the captions.
void InitConstantsUnit();
void DoneConstantsUnit();
// Step 2: makes the process DPI-aware.
void InitDpiAwareness();

}  // namespace skin

// System colours from the loaded skin. While switched on, the program's own calls of
// GetSysColor, GetSysColorBrush and CreatePen answer with the default manager's skin
// colours (acSysColorMap), so what the program draws in system colours matches the skin.
//
// No code is patched: only this program module's import table entries of the three
// functions are pointed at our replacements, one pointer-sized write each, and the
// replacements call the system's functions through the saved entries. Other modules and
// other processes are untouched, and a thread that calls a function while it is switched
// gets either the system's or the skin's answer, never a half-written jump.
#pragma once
#include <windows.h>

namespace skin {

// On redirects the three functions (each only once), off puts them back (each only once).
void SwitchSysColorDetours(bool on);
// How many of the three functions are redirected now.
int SysColorDetoursInstalled();

// The replacements, with the system functions' signatures.
DWORD WINAPI SkinGetSysColor(int index);
HBRUSH WINAPI SkinGetSysColorBrush(int index);
HPEN WINAPI SkinCreatePen(int style, int width, COLORREF color);

}  // namespace skin

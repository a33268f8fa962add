// The scroll-bar hooks' start-up work: the system's scroll-bar information and flat
// scroll-bar functions, looked up by name.
#pragma once
#include <windows.h>

namespace skin {

struct TScrollBarFunctions {
  BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
  BOOL(WINAPI* InitializeFlatSB)(HWND) = nullptr;
  HRESULT(WINAPI* UninitializeFlatSB)(HWND) = nullptr;
};
// Each entry nullptr when the system lacks it or outside the engine's run.
const TScrollBarFunctions& ScrollBarFunctions();

void InitScrollBarHooksUnit();
void DoneScrollBarHooksUnit();

}  // namespace skin

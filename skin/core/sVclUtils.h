// Where windows are: the mouse, the window under it, monitors and their work areas, the
// pixels per inch a control is shown at, and the optional system functions for visual
// styles and per-monitor DPI.
#pragma once
#include <windows.h>

#include <string>

#include "gui/Types.h"

namespace gui {
class TControl;
class TWinControl;
class TCustomForm;
}  // namespace gui

namespace skin {

// The cursor position; (0, 0) when it cannot be read.
gui::TPoint GetMousePos();
// The last ancestor reached through GetParent (the window itself without a parent).
HWND GetRootWindow(HWND wnd);
// True when wnd is ancestor or lies below it in the GetParent chain.
bool IsWindowOrDescendant(HWND wnd, HWND ancestor);
bool IsWindowUnderMouse(HWND wnd);

// The work area of the monitor the form is on.
gui::TRect GetFormWorkArea(gui::TCustomForm* form);
// The work area of the first monitor whose work area holds p (edges on the right and
// bottom excluded); (0, 0, 0, 0) when none does.
gui::TRect GetWorkAreaAtPoint(gui::TPoint p);

int GetScreenPPI();
// Before Windows 10 the screen's; a windowless control asks its parent (96 without one);
// a windowed control without handle 96; else the DPI of its monitor (96 when it cannot
// be read).
int GetControlPPI(gui::TControl* control);
int GetWindowPPI(HWND wnd);
int GetMainFormPPI();
void EnableNCDpiScaling(HWND wnd);
// The heights (for top and bottom alignment) or widths (left and right) of the visible
// children aligned as the parent itself is.
int SumAlignedChildSizes(gui::TWinControl* parent, bool includeGraphic);
std::wstring GetWindowWideText(HWND wnd);
bool GetThemesEnabled();

// The optional functions the control hooks use; nullptr when missing.
using TSetWindowThemeProc = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
TSetWindowThemeProc SetWindowThemeProc();

// Step 13 of the start-up road and its end.
void InitVclUtilsUnit();
void DoneVclUtilsUnit();

}  // namespace skin

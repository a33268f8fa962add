// The skin manager's side towards the windows: the window-creation hook of the GUI thread
// that the form skinning takes new dialogs, menus and forms through, and its handle.
#pragma once
#include <windows.h>

namespace skin {

// The WH_CBT procedure the manager installs; the form skinning sets its own. The default
// one only passes every event on.
using TCBTHookProc = LRESULT(CALLBACK*)(int code, WPARAM wParam, LPARAM lParam);
extern TCBTHookProc CBTHookProc;
// Called when the manager takes its hook off, to free what the procedure attached.
extern void (*CBTHookRemoved)();
// The installed hook (nullptr when none); a hook procedure passes events on through it.
HHOOK CBTHookHandle();

// The menu painter's answer to the border requests its item painter posts to the
// application window (0xBCB3 with a menu item, 0xBCB4 with a popup window); set by the
// skinned menus when a manager's painter is made.
class TsSkinManager;
extern bool (*MenuBorderRequest)(TsSkinManager* manager, UINT msg, LPARAM lParam);

}  // namespace skin

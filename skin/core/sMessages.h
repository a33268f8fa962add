// The skin command message and its senders. Skinned windows and controls talk through one
// private message: the command in the high word of WParam, a small argument in the low
// word, a pointer or value in LParam and the answer in the result. Windows that carry a
// skin state get their messages straight into their window procedure (no queue, no
// thread switch); the others through SendMessage.
#pragma once
#include <windows.h>

#include <string>

#include "gui/Controls.h"
#include "gui/Messages.h"
#include "skin/core/sCommonUtils.h"

namespace gui {
class TCustomForm;
}

namespace skin {

inline constexpr UINT SM_ALPHACMD = gui::SM_ALPHACMD;

// The skin commands (high word of WParam).
enum TacSkinCommand : WORD {
  AC_SETNEWSKIN = 1,        // a skin was applied (LParam the manager)
  AC_REMOVESKIN = 2,        // skinning removed (LParam the manager)
  AC_REFRESH = 3,           // skin changed, refresh (LParam the manager)
  AC_GETPROVIDER = 4,       // the form's skin provider
  AC_BEFORESCROLL_PAINT = 5,
  AC_ENDPARENTUPDATE = 6,   // the parent's update ended
  AC_CTRLHANDLED = 7,       // answers 1 when skinned
  AC_SETUPDATING = 8,       // low word 1 set, 0 clear
  AC_GETSKININDEX = 9,      // section index + 1
  AC_PREPARING = 10,        // are you updating
  AC_GETPARTLYPAINTED = 11,
  AC_GETHOOK = 12,          // the window hook object
  AC_SECTIONREFRESH = 13,
  AC_POPUPBORDER = 14,
  AC_SETSECTION = 15,       // LParam points to the new section name
  AC_STOPFADING = 16,
  AC_INVALIDATE = 17,       // cache changed: invalidate and pass on
  AC_REPAINT = 18,
  AC_BGVARIES = 19,         // does your background vary
  AC_PARENTBGCHANGED = 20,  // low word 1
  AC_GETCONTROLCOLOR = 21,
  AC_SETPARTLYPAINTED = 22,
  AC_PREPARECACHE = 23,
  AC_ADDTOADAPTER = 25,     // LParam the control
  AC_GETSKININDEXTO = 26,   // LParam a record whose second 32-bit field receives the index
  AC_GETCAPTIONHEIGHT = 27,
  AC_MOUSEENTER = 29,
  AC_MOUSELEAVE = 30,
  AC_BEGINUPDATE = 31,
  AC_ENDUPDATE = 32,
  AC_CLEARCACHE = 33,
  AC_GETBG = 34,            // LParam a TacBackgroundQuery
  AC_FONTSCHANGED = 36,
  AC_GETSKINDATA = 37,
  AC_PRINTING = 38,         // LParam the DC of an outside paint, or 0 when it ends
  AC_PAINTOUTER = 40,       // LParam a TacOuterTarget
  AC_BEFORESCROLL = 51,
  AC_AFTERSCROLL = 52,
  AC_UPDATEFRAMES = 53,
  AC_GETGLOWTONE = 54,
  AC_ATTACHADAPTER = 55,
  AC_GETAPPLICATION = 60,
  AC_TITLECHANGED = 62,
  AC_CHILDMOVING = 63,
  AC_SETALPHA = 65,
  AC_GETOPAQUESECTION = 66,  // LParam a TacOpaqueSectionQuery
  AC_GETBORDERWIDTH = 67,
  AC_SETSCALE = 68,          // LParam the PPI
  AC_GETSCALE = 69,
  AC_GETBOUNDS = 70,         // LParam a TRect to fill
  AC_SKINTEXT = 71,
  AC_SKINLISTCHANGED = 74,
  AC_SKINLISTCHANGED2 = 75,
  AC_FORMPAINTED = 76,
  AC_OPAQUEPAINTING = 85,
  AC_GETSCALEDSKIN = 86,     // LParam a pointer that receives the scaled skin data
  AC_SKINLISTBROADCAST = 97,
};

inline constexpr WPARAM MakeSkinCommand(WORD command, WORD argument = 0) {
  return (WPARAM(command) << 16) | argument;
}

// Straight into the window procedure of a window with a skin state ("ACSDATA"), else
// SendMessage.
LRESULT SendMessageDirect(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A windowless control through Perform; a windowed one that is being destroyed or has no
// handle gets nothing (0, no handle is made); one whose skin state knows no procedure yet
// learns the control's WindowProc and gets the message straight; else SendMessage.
LRESULT SendControlMessage(gui::TControl* control, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT SendSkinCommand(HWND wnd, WORD command, LPARAM lParam = 0) {
  return SendMessageDirect(wnd, SM_ALPHACMD, MakeSkinCommand(command), lParam);
}
inline LRESULT SendControlSkinCommand(gui::TControl* control, WORD command, LPARAM lParam = 0) {
  return SendControlMessage(control, SM_ALPHACMD, MakeSkinCommand(command), lParam);
}
inline LRESULT QueryControlSkinCommand(gui::TControl* control, WORD command) {
  return SendControlSkinCommand(control, command, 0);
}
// The window answered exactly 1.
inline bool IsSkinCommandTrue(HWND wnd, WORD command) { return SendSkinCommand(wnd, command, 0) == 1; }
inline void SetRedraw(HWND wnd, bool redraw) { SendMessageDirect(wnd, WM_SETREDRAW, redraw ? 1 : 0, 0); }

// Passes the message to the child controls in index order, stopping at the first child
// that is being destroyed; windowed children that are not skinned pass it to their own.
void BroadcastMessage(gui::TWinControl* control, gui::TMessage& message);
// Passes the message to the direct child windows.
void BroadcastToChildWindows(HWND wnd, gui::TMessage& message);

// The window has a skin state, a scroll-bar hook, or answers skin command 7 with 1.
bool IsWndSkinned(HWND wnd);
bool IsControlSkinned(gui::TControl* control, bool checkIndex);
// The control has a parent, its handle when windowed, and is neither loading nor being
// destroyed, read nor created.
bool IsControlReady(gui::TControl* control);
gui::TCustomForm* GetOwnerForm(rtl::TComponent* component);
// The client rectangle in the window's own coordinates (frame included).
gui::TRect GetClientRectInWindow(HWND wnd);
std::string GetWindowClassName(HWND wnd);

class TsCommonData;
// The common answers to the skin command message; True when the command was handled. A
// command whose LParam points to a record is answered only when its sender holds that
// record (TacCommandRecord); any other such message is swallowed unanswered.
bool ProcessSkinCommand(gui::TMessage& message, TsCommonData* skinData);

// The window property that marks the windows of a scroll-bar hook; it holds that hook's
// skin state (a TsCommonData).
inline constexpr const wchar_t* kScrollHookProp = L"ACSBSC";

}  // namespace skin

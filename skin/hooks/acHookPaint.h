// What the window hooks share for painting: a hooked window's bounds, its skin image
// painted over its parent's background, the fonts the hooks write with (the skin's main
// font in place of the window's own), the question to the top-level window, and the
// scroll hook of our controls that carry bar sizes of their own.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "gui/Graphics.h"
#include "skin/core/sCommonData.h"

namespace skin {

class TacScrollWnd;
class TacEditWnd;
struct TacGlyphDrawParams;

// The window's rectangle, its parent and the parent's rectangle (screen), its size
// (negative as 0) and its place in the parent's client area.
struct TWndBounds {
  HWND ParentWnd = nullptr;
  RECT WndRect{};
  RECT ParentRect{};
  POINT WndSize{};
  POINT WndPos{};
};
TWndBounds GetWndBounds(HWND wnd);

// The window's section painted into the skin state's image (32 bits, the window's size) over
// the parent's background; nothing unless the image is marked out of date. A parent that
// is itself not ready leaves the image as it is and marks the state updating. DialogMode:
// a flat control of a native dialog (the button face framed in the skin's border colour).
// A borderless edit gets the background only; a disabled one-line edit its text in the
// section's font colour; a disabled control of ours the disabled look over all of it.
void PaintWindowCache(TsCommonData& data, HWND wnd, bool dialogMode);
// The control's section changes its look between states: it is skinned and its border
// element has several frames or the section several states. CheckKind: not for the kinds
// that never take a hot state, nor while the manager's animations are off.
bool HasAnimatedStates(TsCommonData& data, bool checkKind);

// The corners that the section's border element leaves see-through take, in the state's
// image, what the parent shows behind the window (not for a native dialog's controls).
void PaintCacheCorners(TsCommonData& data, int state, HWND wnd);

// The main font name the skin manager asks for: the skin's (from the skin), its own
// (custom), or Name unchanged.
std::string GetMainFontName(const std::string& name);
// The main font name put into a font record; False (record unchanged) when none is set or
// it does not fit the face-name field.
bool ApplyMainFontW(LOGFONTW& font);
// The system's non-client font of a kind: 1 caption, 2 small caption, 3 menu, 4 status,
// any other the message font; height 0 when the system gives none.
void GetNonClientFont(int kind, LOGFONTW& font);

// The state's cache made a 32-bit image of the size (kept when it has it already).
void EnsureCache(TsCommonData& data, int width, int height);
// Whether a pressed control of the state's section draws its content one pixel right and
// down: unless both the manager's option and the section's own flag are off.
bool IsContentShifted(TsCommonData& data);
// Whether the window is painted by its hook: a skin is loaded and the state has a section.
bool HookPaints(TsCommonData* data);
// The disabled look: the parent's background at the window's place laid over the image, or
// without a picture the image mixed with the background colour.
void ApplyDisabledLook(gui::TBitmap& bmp, const TacBackgroundCache& background);
// R of Dst filled with what the parent's background shows at Pos (the window's place in
// the parent) plus R's own place: its picture, or its colour without one.
void CopyParentBackground(gui::TBitmap& dst, const TacBackgroundCache& background, const gui::TRect& r,
                          gui::TPoint pos);
// A filled arrow in the middle of R pointing left (0), up (1), right (2) or down (3), a fifth
// of R's shorter side in size; one pixel right and down when Pressed.
void DrawSolidArrow(HDC dc, const gui::TRect& r, int direction, uint32_t color, bool pressed);
// Asks the system for the window's WM_MOUSELEAVE once; Tracking remembers the request
// until that message comes.
void TrackMouseLeave(HWND wnd, bool& tracking);
// The manager's discoloured glyphs: a skinned button at rest (State 0) draws its picture in
// its section's normal colour.
void SetDiscolouredGlyph(TacGlyphDrawParams& params, TsCommonData& data, int state);
// A dotted frame in Color (the focus mark of buttons and check boxes).
void DrawDottedFrame(HDC dc, const gui::TRect& r, uint32_t color);
// The main font name (when one is set) on a font of ours.
void SetMainFont(gui::TFont& font);
// The system's non-client font of a kind with the main font name on the canvas; False
// (canvas unchanged) when the system gives none.
bool SelectNonClientFont(gui::TCanvas& canvas, int kind);
// The font the window's image is written with: our control's font, or the bare window's
// own (WM_GETFONT), or the message font; the main font name in each.
void PrepareCacheFont(TsCommonData& data, HWND wnd);

// A published ordinal property by name, 0 when the object has none; a colour property as
// RGB.
int64_t GetOrdPropIfExists(rtl::TObject* obj, std::string_view name);
TColor GetColorPropRGB(rtl::TObject* obj, std::string_view name);

// The top-level window's answer to the adapter's command.
LRESULT GetTopParentAnswer(HWND wnd);

// Puts the scroll hook on (skinned) or takes it off (not skinned) one of our controls whose
// skin state carries bar sizes; flat scroll bars follow where the system has them.
void UpdateScrollWnd(TsScrollWndData& data, std::unique_ptr<TacScrollWnd>& wnd);
// The same with the edit hook (its frame and colours too), without flat scroll bars.
void UpdateEditWnd(TsScrollWndData& data, std::unique_ptr<TacEditWnd>& wnd);

// The answer of hooks that paint on the background erase alone: a WM_PAINT invalidates the
// window with erase and validates it at once (the erase that BeginPaint sends paints).
void PaintThroughErase(HWND wnd, gui::TMessage& msg);
// The background erase, frame and print messages of hooks that paint their window whole:
// Paint(DC of the message, printing) on the erase of a visible window (answered 1) and on
// WM_PRINTCLIENT (answered PrintResult); the frame is left unpainted. True when the message
// was one of them.
bool AnswerWholePaint(HWND wnd, gui::TMessage& msg, const std::function<void(HDC, bool)>& paint,
                      LRESULT printResult);

}  // namespace skin

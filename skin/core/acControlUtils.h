// What the skin engine does around controls once a manager and skin states exist: colour
// codes turned into the loaded skin's colours, which control the mouse is over, handing a
// control to its form's adapter, a quick hint, and capturing a control with its children
// into a 32-bit bitmap (hidden controls filled with what lies behind them), the graphic
// children painted over a skinned parent, and the end of a parent's update.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "gui/Controls.h"
#include "gui/Graphics.h"
#include "gui/HintWindow.h"

namespace skin {

class TsSkinManager;

// ---------------------------------------------------------------- colours
// A colour code in the colours of the manager's skin (the default manager for nullptr)
// while it has one loaded or is loading one; system colours otherwise.
uint32_t ColorToSkinRGB(uint32_t color, TsSkinManager* manager = nullptr);
// The background colour of a control (its answer to skin command 21 when skinned) or of a
// window, as RGB; fuchsia for none.
uint32_t GetControlColor(gui::TControl* control);
uint32_t GetWindowColor(HWND wnd);

// ---------------------------------------------------------------- mouse
bool IsControlUnderMouse(gui::TControl* control);
// The default manager's hovered windowless control when it has one; else the topmost
// visible child of the control of the class layer under the cursor (a windowless one
// included), or that control; nullptr when none.
gui::TControl* FindControlUnderMouse();

// ---------------------------------------------------------------- forms and hints
// The control's form is asked (skin command 25) to take it into its control adapter.
void AddControlToAdapter(gui::TControl* control);
// While the engine's hint controller is active it shows the hints: the text in its bubble
// at a screen point, answering the bubble's window (which it keeps). Set by the controller,
// empty while none is active.
extern std::function<gui::THintWindow*(gui::TPoint point, const std::string& text)> ActiveHintShow;
// The active hint controller's bubble (ActiveHintShow); without one a new hint window of the
// application's class showing the text near the point, kept inside the work area, which the
// caller owns; nullptr for an empty text.
gui::THintWindow* ShowHintWindow(const std::string& text, gui::TPoint point);
// The font differs from a new default font (its colour ignored unless CheckColor).
bool IsFontModified(const gui::TFont& font, bool checkColor);

// ---------------------------------------------------------------- capture
// True while a form show or hide animation or the skin-change animation runs.
extern bool AnimationInProgress;

// Every child control, depth first (a windowed child's children right after it).
void ForEachChildControl(gui::TWinControl* parent, const std::function<void(gui::TControl*)>& proc);
// Paints the control with its children into Bmp at the current window origin of its DC. A
// hidden control with a parent is not painted: its place at (X, Y) is filled with what its
// parent answers lies behind it.
void PaintControlToBitmap(gui::TBitmap& bmp, gui::TControl* control, int x, int y, bool paintOverlapping);
void PaintWindowedChildren(gui::TWinControl* parent, gui::TBitmap& bmp);
void PaintOverlappingSiblings(gui::TControl* control, gui::TBitmap& bmp);
bool IsPaintableGraphicControl(gui::TControl* control, HDC dc);
// Paints the parent's visible windowless children into DC, the parent's client origin at
// Offset. Not re-entered: a nested call returns at once.
void PaintGraphicControls(HDC dc, gui::TWinControl* parent, bool ignored, gui::TPoint offset, bool onlyIfVisible);
// Skin command 6 to every child: the parent's update ended.
void EndUpdateChildControls(gui::TWinControl* parent);
void EndUpdateChildWindows(HWND wnd);

}  // namespace skin

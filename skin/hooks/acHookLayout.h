// Where the control hooks put things, free of Win32 so that it is tested natively: the
// colours of a dialog's OK and Cancel buttons, the caption and glyph places of push
// buttons, bitmap buttons, speed buttons and check boxes, the section a panel takes from
// its bevels, a group box's caption strip, and the halves of an up-down control.
#pragma once
#include <cstdint>
#include <string>

#include "gui/Types.h"

namespace skin {

// ---------------------------------------------------------------- dialog buttons
inline constexpr uint32_t kNoColor = 0x1FFFFFFF;  // clNone
// What a dialog button is by its result: 1 OK, 2 Cancel, 6 Yes, 7 Cancel or No, 0 other.
struct TacModalColors {
  uint32_t Background = kNoColor;
  uint32_t Glyph = kNoColor;
  uint32_t Text = kNoColor;
};
// Coloring: the bcBackground (1), bcGlyph (2) and bcText (4) bits. HasOkSibling: a sibling
// with ID 1 or 6 exists (a Cancel button with ID 2 is coloured only then); HasNoSibling: a
// sibling with ID 7 exists (the Cancel palette turns orange). Hot: any state but normal.
TacModalColors ModalButtonColors(unsigned coloring, int modalId, bool hasOkSibling, bool hasNoSibling, bool hot);
// The modal id of one of our buttons by its ModalResult (mrOk 1, mrCancel 2, mrYes 6, mrNo 7).
int ModalIdOfResult(int modalResult);

// ---------------------------------------------------------------- push buttons
// The skin state a push button paints: the default look (3) only where the section draws
// four states, otherwise the hot look.
int ButtonStateIndex(int buttonState, int sectionStates);
// A plain button's caption centred in the window, one pixel wider to the left and two to
// the right; moved by (1, 1) when pressed content shifts.
gui::TRect ButtonCaptionRect(int width, int height, gui::TSize caption, bool shifted);
// The widest a caption may be laid out: 0 without caption, the window's width + 1 without
// a glyph, else the room the glyph leaves.
int ButtonMaxCaptionWidth(int width, bool hasCaption, int glyphWidth);

enum class TacGlyphLayout { Left, Right, Top, Bottom };
// A bitmap button's glyph place: the glyph and caption centred together.
gui::TPoint BitBtnGlyphPos(TacGlyphLayout layout, int width, int height, gui::TSize glyph, gui::TSize caption,
                           int spacing, bool shifted);
// A bitmap button's caption place: glyph and caption centred together with no margin and
// no spacing, the caption beside the glyph on the layout's side.
gui::TRect BitBtnCaptionRect(TacGlyphLayout layout, int width, int height, gui::TSize glyph, gui::TSize caption,
                             bool shifted);
int BitBtnMaxCaptionWidth(TacGlyphLayout layout, int width, bool hasCaption, int margin, int glyphWidth, int spacing);

// ---------------------------------------------------------------- speed buttons
struct TacSpeedLayout {
  TacGlyphLayout Layout = TacGlyphLayout::Left;
  int Margin = -1;   // -1: glyph and caption centred together
  int Spacing = 4;
  int Width = 0, Height = 0;
  gui::TSize Glyph;    // one image of the strip; (0, 0) without a glyph
  gui::TSize Caption;  // (0, 0) without a caption
  bool Shifted = false;  // pressed, in a section that shifts pressed content
};
gui::TRect SpeedGlyphRect(const TacSpeedLayout& l);
gui::TRect SpeedCaptionRect(const TacSpeedLayout& l);

// ---------------------------------------------------------------- check boxes
// The glyph at the left edge, or at the right with the text on the left, centred
// vertically; empty without an element.
gui::TRect CheckGlyphRect(int width, int height, gui::TSize element, bool leftText);
// The caption beside a glyph GlyphWidth wide; the text measured as TextSize.
struct TacCheckCaption {
  gui::TRect Rect;
  bool RightAligned = false;  // right-to-left reading with the text on the left
};
TacCheckCaption CheckCaptionRect(int width, int height, int glyphWidth, gui::TSize text, bool leftText,
                                 bool rtlReading, bool multiLine);
// The width a check box's caption may take.
inline int CheckCaptionWidth(int width, int glyphWidth) { return width - glyphWidth - 2; }

// ---------------------------------------------------------------- panels and group boxes
enum class TacBevel { None, Lowered, Raised, Space };
// The section a panel takes when none was given.
std::string PanelSectionByBevel(TacBevel outer, TacBevel inner, bool bordered);
// The caption strip of a group box over its frame: 6 pixels in (from the right edge with
// right-to-left reading), 8 pixels wider than the caption, cut at the window's last column.
gui::TRect GroupCaptionRect(int width, gui::TSize caption, bool rtlReading);

// ---------------------------------------------------------------- up-down
// The two buttons of an up-down control: up and down (vertical) or left and right.
struct TacSpinButtons {
  gui::TRect First, Second;
};
TacSpinButtons SpinButtonRects(int width, int height, bool horizontal, int leftOffset);
// States of the two buttons from the cursor (client coordinates): the half under the
// cursor is hot (1) or pressed (2), the other normal; both normal outside the window.
// RightToLeft swaps the halves of a horizontal one.
struct TacSpinStates {
  int First = 0, Second = 0;
};
TacSpinStates SpinButtonStates(int width, int height, bool horizontal, bool rightToLeft, gui::TPoint cursor,
                               bool pressed);

}  // namespace skin

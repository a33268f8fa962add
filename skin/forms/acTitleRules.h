// The decisions behind a skinned form's title interaction and window management, free of
// Win32 so that they are tested natively: which system-menu commands a form shows and
// allows, the hit code of a point over the title, the frame, the menu line and the grip,
// the hot and pressed states of the title buttons, the bands of the border window, where
// a glow window lies, and the bounds of a maximized or stretched form. The provider, the
// border window and the glow gather the window's values into the records below.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "skin/core/sConst.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/forms/acFormGeometry.h"

namespace skin {

// The system's hit codes used here.
inline constexpr int32_t kHitTransparent = -1, kHitNowhere = 0, kHitClient = 1, kHitCaption = 2, kHitSysMenu = 3,
                         kHitMenu = 5, kHitLeft = 10, kHitRight = 11, kHitTop = 12, kHitTopLeft = 13,
                         kHitTopRight = 14, kHitBottom = 15, kHitBottomLeft = 16, kHitBottomRight = 17,
                         kHitObject = 19;

enum class TacWindowState : int32_t { wsNormal, wsMinimized, wsMaximized };

// ---------------------------------------------------------------- system menu
struct TacSysMenuFacts {
  bool SystemMenu = true, Minimize = true, Maximize = true, Help = false;  // the border icons
  TacBorderStyle BorderStyle = TacBorderStyle::bsSizeable;
  bool MDIChild = false;
  bool Iconic = false;  // the window is iconic
  TacWindowState WindowState = TacWindowState::wsNormal;
  bool HasWindowMenu = true;       // the window has a system menu of its own
  bool CloseStateReadable = true;  // that menu answers the close command's state
  bool CloseDisabled = false;      // and the close command is disabled there
};
struct TacSysMenuRules {
  bool CloseVisible = false, CloseEnabled = false, MaxVisible = false, MaxEnabled = false, MinVisible = false,
       MinEnabled = false, RestoreVisible = false, RestoreEnabled = false, MoveEnabled = false,
       SizeVisible = false, SizeEnabled = false;
};
TacSysMenuRules SysMenuRules(const TacSysMenuFacts& f);

// Which commands of the window's own system menu are enabled when it is shown unskinned.
struct TacNativeSysCommands {
  bool Restore = false, Move = false, Size = false, Minimize = false, Maximize = false, Close = false;
};
TacNativeSysCommands NativeSysCommands(const TacSysMenuRules& r, bool iconic, TacWindowState state);

// ---------------------------------------------------------------- title hit codes
// A user title button or a title-bar item as the hit test sees it.
struct TacTitleItemFacts {
  bool Visible = true, Enabled = true;
  bool PressedDropDown = false;  // a title-bar item of the drop-down style that is pressed
  bool NoHit = false;            // a title-bar item that never answers (spacing, info)
};
struct TacTitleHitFacts {
  bool SystemMenu = true;  // the form shows its system buttons
  bool Help = false;
  bool Iconic = false;
  TacSysMenuRules Rules;
  std::vector<TacTitleItemFacts> UserButtons, TitleBarItems;
};
// The system buttons that are counted, in their order (close, maximize, minimize, help).
std::vector<int32_t> CountedSysButtons(const TacTitleHitFacts& f, bool countIconicMin);
// The code a 1-based title position answers: a system button's code (caption where it is
// disabled), 1000 + i for a user button, 2000 + i for a title-bar item; client where the
// element is disabled or the position lies beyond the items.
int32_t TitlePositionCode(int32_t position, const TacTitleHitFacts& f);

// What the hit test reads of the frame below the title buttons (form coordinates).
struct TacFrameHitFacts {
  int32_t Width = 0, Height = 0;
  bool Maximized = false, ThickFrame = true, BorderForm = false;
  int32_t Border = 0;     // the frame's width (with the skin's border)
  int32_t TopBorder = 0;  // the sizing band at the top
  int32_t SysCaption = 0;        // the system caption's height
  int32_t OwnBorder = 0;         // the own frame width with the skin's border
  int32_t OwnBorderSys = 0;      // the own frame width without it
  int32_t SkinCaptionHeight = 0; // the skin's caption height without the skin's border
  int32_t MenuLineHeight = 0, MenuLineCount = 0;
  TacRect IconRect;
  bool GripArea = false;  // a grip is shown (or both scroll bars and the point between them)
  bool HasGripImage = false;
  int32_t GripX = 0, GripY = 0;
};
int32_t FrameHitCode(int32_t x, int32_t y, const TacFrameHitFacts& f);

// ---------------------------------------------------------------- hot and pressed
// The hot title element (0 or -1 none) and whether a press awaits its release.
struct TacTitleHover {
  int32_t HotItem = 0;
  bool ButtonPressed = false;
};
// What a change asks of the elements: Normal goes back to normal (0 none); Item takes
// NewState (0 none changes).
struct TacHoverChange {
  int32_t Normal = 0;
  int32_t Item = 0;
  int32_t NewState = 0;
};
// A new hot element; nothing changes when it is hot already or hover is suppressed.
TacHoverChange SetHot(TacTitleHover& s, int32_t code, bool suppressed);
// Whether a title button may be drawn pressed.
bool PressAllowed(int32_t code, const TacSysMenuRules& r, bool maximized);
// A press on an element; a refused one leaves nothing hot.
TacHoverChange SetPressed(TacTitleHover& s, int32_t code, bool allowed);

// ---------------------------------------------------------------- border window
struct TacBorderBandFacts {
  int32_t Width = 0, Height = 0;  // the border window
  TacRect Shadow;                 // the shadow margins
  bool Maximized = false, ThickFrame = true;
  int32_t BorderMode = 0;  // 1: the bands lie inside the offsets
  TacRect AlignOffset;     // ALIGNOFFSET, ALIGNOFFSETT, ALIGNOFFSETR, ALIGNOFFSETB
  int32_t OwnFrame = 0;    // the frame the owner window keeps itself
  int32_t SkinBorderWidth = 4;
  int32_t CaptionHeight = 0;  // the owner's skin caption height
  int32_t MenuLineHeight = 0;
  TacRect IconRect;
  bool GripArea = false, HasGripImage = false;
  int32_t GripX = 0, GripY = 0;
};
// The rectangle the shadow margins leave, and the one that still takes the mouse.
TacRect ShadowRect(const TacBorderBandFacts& f);
TacRect ResizeBandRect(const TacBorderBandFacts& f);
// The code of a point of the border window that is over no title element.
int32_t BorderBandHitCode(int32_t x, int32_t y, const TacBorderBandFacts& f);
// The point lies beyond the resize band: the mouse belongs to the window below.
bool InShadowBeyondBand(int32_t x, int32_t y, const TacBorderBandFacts& f);

// ---------------------------------------------------------------- glow and bounds
struct TacPlace {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  friend bool operator==(const TacPlace&, const TacPlace&) = default;
};
// The glow window around a target: the element's border parts lie outside, the margin
// lets them overlap its edge.
TacPlace GlowWindowPlace(const TacRect& target, const TacRect& elementBorders, int32_t margin);

// The maximized position and size: the frame lies outside the work area, a taller title
// moves the window down.
TacPlace MaximizedBounds(const TacRect& workArea, int32_t frame, int32_t extraTitle);
// A form stretched across the work area (Vertical: top to bottom) or given back its bounds.
TacPlace StretchedBounds(const TacPlace& bounds, const TacRect& workArea, bool vertical, int32_t extraBorder,
                         int32_t extraTitle);
// The bounds a form stretched vertically gets back when it is moved: its saved top and
// height (Saved holds left, top, width, height).
TacPlace VerticalRestoreBounds(const TacPlace& moving, const TacPlace& saved);

// The form's image as the border window shows it: the transparent (fuchsia) parts clear,
// pixels the system's text drawing left without alpha opaque, others as they are.
void PrepareBorderImage(TBitmap32& bmp);

// A maximized form pressed on its caption at Pressed is dragged out of its maximized state
// once the mouse has gone 6 pixels either way: True with the restored form's top-left,
// the form centred under the mouse and its top just above the mouse (above the screen's
// edge while the mouse is within the title's height of it).
bool DragOutOfMaximized(TacPoint cursor, TacPoint pressed, int32_t formWidth, TacPoint& topLeft);

// What lies blurred behind the border window: the inside of the shadow margins, one pixel
// in, without the pure black pixels of its corners (squares of FormOffset), which are the
// rounded frame's outside.
struct TacBlurArea {
  TacRect Inner;
  std::vector<TacPoint> Cut;
};
// The skin an entry of the system menu's skin list names: its caption without "&", cut
// after the first internal-skin marker when it has one.
std::string SkinNameOfMenuCaption(const std::string& caption, const std::string& internalMarker);

TacBlurArea BlurBehindArea(const TBitmap32& image, const TacRect& shadow, int32_t formOffset);

}  // namespace skin

// The decisions of the window-creation hook and of the native dialogs' skinning, free of
// Win32 so that they are tested natively: what a window-creation notice names, whether a
// new window is looked at, whether and how a top-level window is skinned, which hook a
// dialog's child window gets by its class and style, the dialog's border style, title
// glyphs and button states, its title hit test, its system menu items and the blend step
// of a dialog dragged with blending.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "skin/forms/acFormGeometry.h"

namespace skin {

// ---------------------------------------------------------------- window creation
// The class atoms of the system's dialog ("#32770") and popup-menu ("#32768") windows.
inline constexpr uintptr_t kDialogClassAtom = 0x8002, kPopupMenuClassAtom = 0x8000;

enum class TacCreateClass { DialogAtom, PopupMenuAtom, OtherAtom, ClassName };
// What the class field of a creation record holds. The whole pointer-sized value is
// looked at: an atom is a value up to 0xFFFF, anything above is a pointer to a name,
// wherever in the address space it lies.
TacCreateClass ClassifyCreateClass(uintptr_t lpszClass);

// A new window named by its class (not an atom).
struct TacCreatedWindowFacts {
  std::string ClassName;
  uint32_t Style = 0, ExStyle = 0;
  bool HasMainForm = false;
  bool MainFormHandleAllocated = false;
  bool IsMainFormWindow = false;  // the new window is the main form's own
  bool HasParent = false;
};
// Whether the creation hook tries to skin that window at once.
bool AttachOnCreation(const TacCreatedWindowFacts& f);

// ---------------------------------------------------------------- the attach decision
struct TacAttachFacts {
  bool HasDefaultManager = true;
  bool AppDestroying = false;
  bool WindowSkinned = false;
  std::string ClassName;
  uint32_t Style = 0;
  bool HasProvider = false;
  // A form of ours owns the window.
  bool IsForm = false;
  int64_t FormTag = 0;
  bool FormClassExcluded = false;
  unsigned SkinningRules = 0;  // srStdForms 1, srStdDialogs 2
  // Read for windows that are no form.
  bool HasParent = false;
  int32_t VisibleDialogs = 0;
  int32_t MaxSkinnedDialogs = 2;
  bool HasToolBarChild = false;
};
enum class TacAttachAction { None, Form, Dialog };
struct TacAttachDecision {
  // True: handled (skinned, or left alone on purpose); False: refused.
  bool Result = false;
  TacAttachAction Action = TacAttachAction::None;
};
// For Dialog the caller still asks the dialog event, which may veto (then False).
TacAttachDecision DecideAttach(const TacAttachFacts& f);

// ---------------------------------------------------------------- a dialog's children
struct TacDialogChildFacts {
  std::string LowerClass;
  uint32_t Style = 0, ExStyle = 0;
  bool Visible = true;
  int32_t Height = 0;  // of the window's rectangle
};
struct TacDialogChildHook {
  std::string_view HookClass;  // empty: no hook
  std::string_view Section;    // empty: the hook's own default
  bool ClientPaintOn = false;  // the dialog paints its client area itself from now on
  bool WaitForCache = false;   // the hook repaints only once the dialog's image exists
  bool InNativeDialog = false;
  int32_t SpinKind = 0;        // 2 for a native up-down
  bool PanelChildren = false;  // a panel of ours whose children are handled too
  bool KeepsControl = false;   // a silent-paint panel or band: the control keeps its hook
};
TacDialogChildHook DialogChildHook(const TacDialogChildFacts& f);

// ---------------------------------------------------------------- the dialog's title
// The border style a native dialog is drawn with, by its window style.
TacBorderStyle DialogBorderStyle(uint32_t style);

struct TacDialogStyle {
  bool HasSysMenu = false, HasMaxButton = false, HasMinButton = false, HasHelp = false;
  bool NoCloseClass = false;  // the window class has CS_NOCLOSE
  bool Zoomed = false, Iconic = false;
  TacBorderStyle BorderStyle = TacBorderStyle::bsSingle;
};
TacDialogStyle DialogStyleOf(uint32_t style, uint32_t exStyle, uint32_t classStyle, bool zoomed, bool iconic,
                             TacBorderStyle borderStyle);

struct TacDialogButtonStates {
  bool CloseEnabled, MaxEnabled, MinEnabled, RestoreEnabled, RestoreVisible;
};
TacDialogButtonStates DialogButtonStates(const TacDialogStyle& s);

struct TacDialogGlyphs {
  int32_t Close, Max, Min, Help;
  bool NormalTitle;  // the large glyphs
};
// The tool-window look keeps the normal title only when the skin's large and small glyph
// of a button are one element (SameLargeAndSmall).
TacDialogGlyphs DialogTitleGlyphs(TacBorderStyle borderStyle, bool hasMaxOrMin, bool sameLargeAndSmall);

// Which title button (1 close, then maximize, minimize, help as present) holds X; 0 none.
struct TacDialogButtonSpans {
  int32_t CloseLeft = 0, CloseRight = -1, MaxLeft = 0, MaxRight = -1, MinLeft = 0, MinRight = -1, HelpLeft = 0,
          HelpRight = -1;
};
int32_t DialogButtonAtX(const TacDialogStyle& s, const TacDialogButtonSpans& b, int32_t x);

struct TacDialogHitQuery {
  TacDialogStyle Style;
  TacDialogButtonSpans Buttons;
  int32_t X = 0, Y = 0;  // relative to the window's top-left corner
  int32_t TopBorderHeight = 0, CaptionHeight = 0, CloseButtonHeight = 0;
  int32_t BorderWidth = 0, SmallIconWidth = 16;
  int32_t WindowWidth = 0, WindowHeight = 0;
  int64_t Current = 0;  // the hit code the message already holds
};
struct TacDialogHit {
  int64_t Code = 0;
  bool Hot = false;  // the code becomes the hot title item
};
TacDialogHit DialogHitTest(const TacDialogHitQuery& q);

// What a dialog's border window adds around the dialog's own frame and title: the skin's
// taller title above it and the skin's wider frame beside and below it. The window keeps
// its own frame and caption at their size (drawn from the skin) and the skin's picture only
// ever grows around it; a dialog without caption gets the wider frame above too.
struct TacDialogExtras {
  int32_t Title = 0, Border = 0;
  bool operator==(const TacDialogExtras&) const = default;
};
struct TacDialogExtrasQuery {
  bool HasBorderForm = false;
  bool HasCaption = true;
  int32_t SkinTitleHeight = 0;  // the skin's title height the border window shows (0: none)
  int32_t SkinBorderWidth = 0;  // the skin's BORDERWIDTH
  int32_t SysCaption = 0;       // the dialog's own caption height
  int32_t OwnFrame = 0;         // the dialog's own frame width
};
TacDialogExtras DialogBorderExtras(const TacDialogExtrasQuery& q);

// ---------------------------------------------------------------- the system menu
enum TacDialogMenuItem { miRestore, miMove, miSize, miMinimize, miMaximize, miClose, kDialogMenuItems };
struct TacDialogMenuState {
  bool Visible[kDialogMenuItems];
  bool Enabled[kDialogMenuItems];
};
TacDialogMenuState DialogMenuState(const TacDialogStyle& s);

// ---------------------------------------------------------------- blending while moving
// The alpha taken off per tick on the way from 255 to the target: at least one, so that
// every target is reached.
double BlendMovingStep(uint8_t blendValue);
// The next alpha, never past the target.
double NextBlendAlpha(double current, double target, double step);

}  // namespace skin

// The measures of a skinned form's non-client image, free of Win32 so that they are tested
// natively: frame widths by window style, caption heights, the icon size a title height
// asks for, the system title buttons (how many, which glyph, where), the client area's
// place in the image, the menu line count, the size grip, the shadow margins, and the
// rectangle and alignment of the caption text. The provider gathers the window's and the
// skin's values into the records below and asks these functions.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/core/sConst.h"

namespace skin {

// The form's border styles and title alignment, in the class library's order.
enum class TacBorderStyle : int32_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TacAlignment : int32_t { taLeftJustify, taRightJustify, taCenter };

// The glyph elements of the title buttons, in the skin's order.
enum TacTitleGlyph : int32_t {
  tgCloseAlone = 0,  // "BICLOSEALONE"
  tgClose = 1,       // "BICONCLOSE"
  tgMax = 2,         // "BICONMAX"
  tgMin = 3,         // "BICONMIN"
  tgNorm = 4,        // "BICONNORM"
  tgHelp = 5,        // "BICONHELP"
  tgSmallClose = 6,  // "SICONCLOSE"
  tgSmallMax = 7,    // "SICONMAX"
  tgSmallMin = 8,    // "SICONMIN"
  tgSmallNorm = 9,   // "SICONNORM"
  tgSmallHelp = 10,  // "SICONHELP"
  tgUserSkinned = 11,
  tgUserPlain = 12,
};

// Hit codes of the title items (the system's own codes for the system buttons).
inline constexpr int32_t kHitMin = 8, kHitMax = 9, kHitClose = 20, kHitHelp = 21;
inline constexpr int32_t kHitMDIClose = 101, kHitMDIRestore = 102, kHitMDIMin = 103;
inline constexpr int32_t kHitUserButton = 1000, kHitTitleBarItem = 2000;
// A title button's width or height when the skin has no glyph for it.
inline constexpr int32_t kDefaultTitleButtonSize = 21;
// The width of the image of an iconic form that is not the main form.
inline constexpr int32_t kIconicCacheWidth = 160;

// ---------------------------------------------------------------- frame and caption
// 16 for heights -100..47, 24 for 48..64, 32 for any other value.
int32_t IconSizeForHeight(int32_t height);
// Value - Target when Value lies within Range of Target (inclusive), else 0.
int32_t SnapDelta(int32_t value, int32_t target, int32_t range);

// The kind of frame skin command 67 asks about: 1 sizeable, 2 thin, 3 other.
int32_t FrameKindOfStyle(uint32_t style);

// What GetBorderWidth reads.
struct TacBorderWidthQuery {
  uint32_t Style = 0;            // the window's style bits
  bool UseSkin = false;          // the skin's border when a border window carries it
  bool HasBorderForm = false;
  bool BorderFormManaged = false;  // the border window's skin state has a manager
  int32_t SkinBorderWidth = 0;   // the skin's BORDERWIDTH
  int32_t Answers[3] = {0, 0, 0};  // the window's answers to skin command 67, kinds 1, 2, 3
  bool Windows8OrLater = false;
};
int32_t BorderWidth(const TacBorderWidthQuery& q);
// 0 when a border window draws the frame, else BorderWidth.
int32_t OwnBorderWidth(const TacBorderWidthQuery& q);

// Which system caption height a form of that style uses.
enum class TacCaptionMetric { Caption, SmallCaption };
TacCaptionMetric SysCaptionMetric(TacBorderStyle style, bool windows10OrLater, bool iconic);

struct TacCaptionQuery {
  bool HasBorder = true;      // a border style other than none, or a child window
  bool HasCaption = true;     // WS_CAPTION
  bool Iconic = false;
  bool UseSkin = false;
  int32_t BorderFormTitleHeight = 0;  // 0 without border window
  bool TallTitleMaximized = false;
  int32_t SysCaptionHeight = 0;
};
int32_t CaptionHeight(const TacCaptionQuery& q);

// What a border window adds to the window's own frame and title. The skinned title a border
// window shows is as high as the skin's title (SkinCaption, CaptionHeight with the skin); the
// window's own caption and top frame lie in its lower part, the rest stands above the window.
// The skin's border stands out beyond the window's own frame by the difference of the two.
// Both are 0 without a border window.
int32_t ExtraTitleHeight(bool hasBorderForm, int32_t skinCaption, int32_t sysCaption, int32_t ownFrame);
int32_t ExtraBorderWidth(bool hasBorderForm, int32_t skinBorder, int32_t ownBorder);
// The skin's title height a border window shows: MAXHEIGHT while maximized, else TITLEHEIGHT;
// 0 without a border window.
int32_t BorderFormTitleHeight(bool hasBorderForm, bool zoomed, int32_t titleHeight, int32_t maxTitleHeight);

// Where the window lies in its border window (and in the image the border window shows).
struct TacBorderOffsetQuery {
  TacRect Shadow;
  int32_t SkinBorderWidth = 0;   // the skin's BORDERWIDTH (0 without a manager)
  int32_t OwnFrame = 0;          // the window's own frame width
  int32_t SkinTitleHeight = 0;   // the skin's title height the border window shows
  int32_t SysCaption = 0;        // the window's own caption height (0 without caption)
  bool TallTitleMaximized = false;
  int32_t ExtraTitle = 0;        // ExtraTitleHeight
};
// How far right of the border window's left edge the window lies.
int32_t BorderOwnerOffsetX(const TacBorderOffsetQuery& q);
// How far below the border window's top the window lies: a maximized window under a tall
// skinned title lies 4 pixels below the extra title, any other one so that its own caption
// ends where the skin's title ends.
int32_t BorderOwnerOffsetY(const TacBorderOffsetQuery& q);

// ---------------------------------------------------------------- system buttons
struct TacSysButtons {
  bool HasSystemMenuObject = true;  // the provider's system menu object exists
  bool HasSystemMenu = true;        // biSystemMenu
  bool Help = false;                // biHelp
  bool MinVisible = true;
  bool MaxVisible = true;
};
int32_t SysButtonCount(const TacSysButtons& b);

struct TacGlyphIndexes {
  int32_t Close = 0, Max = 0, Min = 0, Help = 0;
  bool operator==(const TacGlyphIndexes&) const = default;
};
// NormalTitle: border style single, sizeable or dialog. MinimizedNotMain: the form is
// minimized, iconic and not the application's main form.
TacGlyphIndexes TitleGlyphIndexes(bool normalTitle, bool minOrMaxVisible, bool maximized, bool minimizedNotMain);
bool IsNormalTitle(TacBorderStyle style);

// ---------------------------------------------------------------- title layout
struct TacUserButton {
  bool Visible = true;
  bool UseSkinData = true;
  int32_t GlyphWidth = 0;  // 0 without glyph
};

// Everything the title layout reads, already measured.
struct TacTitleInput {
  // Skin metrics (scaled): BILEFT, BIRIGHT, BITOP, BISPACE, the skin data's spacing,
  // CENTEROFFSET, TITLEHEIGHT, MAXHEIGHT, GLOBALINFO's BIVALIGN.
  int32_t BILeft = 0, BIRight = 0, BITop = 0, BISpace = 0, Spacing = 4;
  int32_t CenterOffset = 0, TitleHeight = 30, MaxTitleHeight = 30, BIVAlign = 0;
  // Glyph widths by TacTitleGlyph index (0..10); 0 = the skin has none. TitleButtonMask:
  // the width of the user buttons' backdrop, 0 none.
  int32_t GlyphWidths[11] = {};
  int32_t TitleButtonHeight = kDefaultTitleButtonSize;
  int32_t TitleButtonMaskWidth = 0;

  // The form.
  bool NormalTitle = true;
  bool Zoomed = false;
  bool MinimizedNotMain = false;
  bool RTLSysButtons = false;
  TacSysButtons Buttons;
  std::vector<TacUserButton> UserButtons;
  bool HasBorderForm = false;

  // Measures of the window (Part of the provider's metrics).
  int32_t CacheWidth = 0;
  int32_t CaptionHeight = 0;      // CaptionHeight(True)
  int32_t BorderWidthSkin = 0;    // GetBorderWidth(True)
  int32_t OwnBorderWidthSkin = 0; // GetOwnBorderWidth(True)
  int32_t FrameWidthZoomed = 0;   // the sizing frame's width, for a zoomed form's top
  TacRect Shadow;                 // shadow margins (all 0 without border window)

  // The icon, when visible.
  bool IconVisible = false;
  int32_t IconWidth = 0, IconHeight = 0;
};

struct TacTitleButtonPlace {
  TacRect Rect;
  int32_t GlyphIndex = 0;
  int32_t HitCode = 0;
  bool NormalTitle = true;
};

struct TacTitleLayout {
  int32_t TitleVCenter = 0;
  int32_t TitleBottom = 0;
  int32_t TopY = 0;
  TacRect IconRect;
  TacTitleButtonPlace Close, Max, Min, Help;
  std::vector<TacTitleButtonPlace> User;  // one per user button; empty rectangle when hidden
  // What is left for a title bar or the caption between the icon and the buttons.
  int32_t FreeLeft = 0, FreeRight = 0;
};

int32_t TitleButtonWidth(const TacTitleInput& in, int32_t glyphIndex);
int32_t UserButtonWidth(const TacTitleInput& in, const TacUserButton& b);
int32_t TitleButtonsWidth(const TacTitleInput& in);
// Twice the TITLEBAR element's width plus the buttons' width.
int32_t TitleBandWidth(const TacTitleInput& in, int32_t elementWidth);
// Icon and button rectangles, the title's vertical centre and bottom.
TacTitleLayout LayoutTitle(const TacTitleInput& in);

// ---------------------------------------------------------------- client area and the rest
struct TacClientQuery {
  bool HasBorderForm = false;
  int32_t WindowWidth = 0, WindowHeight = 0, ClientWidth = 0, ClientHeight = 0;
  int32_t VertScrollWidth = 0;   // a visible skinned vertical bar, else 0
  int32_t HorzScrollHeight = 0;  // a visible skinned horizontal bar, else 0
  bool StyleBorder = false;      // WS_BORDER
  bool StyleCaption = true;      // WS_CAPTION
  bool Iconic = false;
  TacBorderStyle Style = TacBorderStyle::bsSizeable;
  int32_t FrameWidthSkin = 0;    // FrameWidth(True)
  int32_t FrameHeightSkin = 0;   // FrameHeight(True)
  int32_t OwnBorderWidth = 0;    // GetOwnBorderWidth
  int32_t CaptionHeight = 0;     // CaptionHeight(True)
  int32_t MenuLines = 0, MenuLineHeight = 0;
  int32_t FormBorderWidth = 0;   // the form's own BorderWidth
  // The shadow margins: 0 without a border window.
  TacRect Shadow;
};
int32_t ClientOffsetX(const TacClientQuery& q);
int32_t ClientOffsetY(const TacClientQuery& q);
TacRect ClientAreaRect(const TacClientQuery& q);
int32_t CaptionBandHeight(const TacClientQuery& q);

// The menu bar's line count from the screen bottom of its first item and the screen top of
// the client area.
int32_t MenuLineCountFor(int32_t firstItemBottom, int32_t clientTop, int32_t cyMenu);
// CacheWidth: the form's width (160 for an iconic form that is not the main form), widened
// by the extra border on both sides and the shadow.
int32_t CacheWidthFor(int32_t formWidth, bool iconicNotMain, bool hasBorderForm, int32_t extraBorder,
                      const TacRect& shadow);
// The size grip's top-left corner; (0, 0) without image.
struct TacPoint {
  int32_t X = 0, Y = 0;
  bool operator==(const TacPoint&) const = default;
};
TacPoint GripPositionFor(int32_t cacheWidth, int32_t cacheHeight, int32_t gripWidth, int32_t gripHeight,
                         int32_t borderWidthSkin, const TacRect& shadow);
// The margins of the UWP-mode shadow images from the skin's window shadow size and offset.
TacRect UWPShadowMargins(int32_t shadowSize, int32_t shadowOffset);
// The title's top when no title bar is used: TitleOffsetY (below the top shadow margin).
int32_t TitleOffsetYFor(bool hasBorderForm, bool zoomed, const TacRect& shadow, int32_t biTop);

// The size of a task-bar thumbnail of an image: the largest that keeps the image's aspect
// inside MaxWidth x MaxHeight, the computed side rounded to the nearest integer (halves to
// the even one); (0, 0) when a size is 0 or a side comes out 0.
TacPoint ThumbnailSize(int32_t imageWidth, int32_t imageHeight, int32_t maxWidth, int32_t maxHeight);

// ---------------------------------------------------------------- caption text
struct TacCaptionTextQuery {
  int32_t ImageWidth = 0;
  int32_t FrameWidth = 0;   // GetBorderWidth with the skin's border
  TacRect Shadow;
  int32_t TitleBottom = 0;
  bool Centered = false;    // CaptionAlignment is centred
  bool RTLSysButtons = false;
  bool IconVisible = false;
  int32_t IconWidth = 0;
  int32_t Spacing = 4;
  int32_t BILeft = 0, BIRight = 0;
  int32_t TitleButtonsWidth = 0;
  bool CaptionSection = false;  // the skin has a section behind the caption
  bool Maximized = false;
  bool HasBorderForm = false;
  int32_t CenterOffset = 0, TitleHeight = 30, MaxTitleHeight = 30;
};
// The rectangle the caption and the added title share (no title bar).
TacRect CaptionTextRect(const TacCaptionTextQuery& q);
// Puts the caption of CaptionWidth (and an added text of AddedWidth) inside the rectangle's
// left and right by the alignment; right-to-left forms swap left and right justification.
void AlignCaption(TacAlignment alignment, bool rightToLeft, int32_t spacing, int32_t captionWidth, int32_t addedWidth,
                  int32_t& left, int32_t& right);

}  // namespace skin

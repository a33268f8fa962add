// The measures of skinned menus, free of Win32 so that they are tested natively: the kind
// of an item by its caption, item heights and widths, a popup's width and height with its
// columns, the popup frame's width, the extra line's width, the caption split at its tab,
// and the rectangles an item's painter writes into. The menu painter (sSkinMenus) gathers
// the measured texts and the skin's values and asks these functions.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gui/Types.h"

namespace skin {

using gui::TRect;

// The kind of the item being measured or drawn.
enum class TsMenuItemType : uint8_t { smCaption, smDivider, smNormal, smTopLine };

inline constexpr char kMenuCaptionMarker = '-';
// Glyph size at 96 pixels per inch of an item without a picture.
inline constexpr int32_t kDefaultGlyphSize = 16;
// Width of the box a caption is measured in.
inline constexpr int32_t kMeasureBoxWidth = 800;

// "-" alone is a divider; a caption that begins and ends with the marker is a caption item;
// anything else is a normal item.
TsMenuItemType MenuItemKind(std::string_view caption);
// The text a caption item shows: its caption without the markers.
std::string CaptionItemText(std::string_view caption);

// Value x PPI div 96.
int32_t MenuScale(int32_t value, int32_t ppi);
// The glyph size of an item without a picture at PPI.
inline int32_t DefaultGlyphSizeAt(int32_t ppi) { return MenuScale(kDefaultGlyphSize, ppi); }

// A divider is 2 high; a caption item its text + 2 x Margin + 3; a normal item the larger of
// its text and glyph heights + 2 x Margin + 2.
int32_t MenuItemHeight(TsMenuItemType kind, int32_t textHeight, int32_t glyphHeight, int32_t margin);

// What a popup item's width is made of.
struct TacMenuItemWidthQuery {
  bool HasText = true;         // a divider has no text
  int32_t GlyphWidth = 0;      // of the item's glyph
  int32_t TextWidth = 0;       // caption and shortcut, measured in the 800-pixel box
  int32_t Margin = 2, Spacing = 8;
  bool NoSkinBorder = false;   // the popup's section has no border image
  int32_t BorderWidth = 3;     // the painter's frame width, scaled
  int32_t ExtraLine = 0;       // added to items of the first column of a popup showing the line
};
int32_t MenuItemWidth(const TacMenuItemWidthQuery& q);

// One sibling of a popup as the column arithmetic sees it.
struct TacPopupEntry {
  bool Visible = true;
  bool Break = false;  // the item starts a new column
  int32_t Width = 0;   // its measured width (PopupWidth) or height (PopupHeight)
};
// Columns side by side: each column as wide as its widest item + 12, 4 between columns.
int32_t PopupWidth(const std::vector<TacPopupEntry>& items);
// The tallest column.
int32_t PopupHeight(const std::vector<TacPopupEntry>& items);
// The item at Index lies in a later column: a sibling at positions 1..Index breaks.
bool InLaterColumn(const std::vector<TacPopupEntry>& items, int32_t index);

// The popup frame's width from the skin: 0 without a border image, else its left border
// width up to 3, and 3 when that is 0 or less.
int32_t PopupFrameWidth(bool hasBorderImage, int32_t leftBorderWidth);
// The extra line's width at PPI: Width x PPI div 96 when it is used and this popup shows it.
int32_t ExtraLineWidthAt(bool useExtraLine, bool lineVisible, int32_t width, int32_t ppi);

// The state a section is painted in: the wanted one, or the last state the section has.
int32_t MenuSectionState(int32_t state, int32_t sectionStates);

// A popup caption split for painting.
struct TacMenuCaption {
  std::string Text;       // before the first tab (all of it without a tab)
  std::string RightText;  // after the first tab, written right-aligned
  bool RightAligned = false;  // a caption that began with #8: six spaces appended
};
TacMenuCaption SplitMenuCaption(std::string_view caption);

// R mirrored inside Within (right to left).
TRect MirrorInside(const TRect& r, const TRect& within);

// The rectangle an item paints into, in its own coordinates (ItemWidth x ItemHeight); the
// extra line is left out where the item touches the frame on its side.
struct TacItemContentQuery {
  TRect Item;              // the item's rectangle in the popup's client area
  int32_t ImageWidth = 0;  // the popup image's width
  int32_t Offset = 3;      // the client area's offset inside the image
  int32_t ExtraLine = 0;
  bool RightToLeft = false;
};
TRect ItemContentRect(const TacItemContentQuery& q);

// The caption's rectangle: right of the glyph column, Margin off at top and bottom.
TRect ItemTextRect(const TRect& content, int32_t itemHeight, int32_t glyphWidth, int32_t margin, int32_t spacing,
                   bool rightToLeft);
// The shortcut's rectangle: TextWidth wide, its right edge 2 x SkinSpacing inside the
// content, the item's full height.
TRect ShortcutRect(const TRect& content, int32_t itemHeight, int32_t textWidth, int32_t skinSpacing,
                   bool rightToLeft);
// The left edge of a glyph W wide centred in the icon column; a skin element never starts
// left of the column (Clamp), a shared glyph wider than the column does.
int32_t CheckGlyphLeft(const TRect& content, int32_t iconLineWidth, int32_t glyphWidth, bool clamp);
// The divider's line from left to right in the item's coordinates (top 0).
TRect DividerLineRect(int32_t itemWidth, int32_t margin, int32_t extraLine, int32_t iconColumn, bool rightToLeft);

}  // namespace skin

// The arithmetic of skinned tab controls, free of Win32 so that it is tested natively: the
// side and style of the tabs from the window style, the page area and the strip behind the
// tabs, each tab's skin rectangle, the row a tab sits in, the order the tabs are painted in
// and the page section's name for the side.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "skin/hooks/acScrollGeometry.h"

namespace skin {

enum TTabSide : int32_t { tsTop = 0, tsBottom = 1, tsLeft = 2, tsRight = 3 };
enum TTabStyle : int32_t { tyTabs = 0, tyButtons = 1, tyFlatButtons = 2 };

// The tab control's style bits that decide the side and the style.
inline constexpr uint32_t kTcsBottom = 0x0002;  // also "right" for vertical tabs
inline constexpr uint32_t kTcsFlatButtons = 0x0008;
inline constexpr uint32_t kTcsVertical = 0x0080;
inline constexpr uint32_t kTcsButtons = 0x0100;

TTabSide TabSideOf(uint32_t style);
TTabStyle TabStyleOf(uint32_t style);
// The entry of the skin's table of tab sections (left, top, right, bottom) for a side.
int32_t TabSectionEntry(TTabSide side);

// The rectangle painted with the page section and the strip left for the tabs, in a control
// Width x Height whose display rectangle (the pages' place) is Display.
TBarRect PageAreaRect(int32_t width, int32_t height, const TBarRect& display, int32_t tabCount, TTabSide side);
TBarRect TabsAreaRect(int32_t width, int32_t height, const TBarRect& display, int32_t tabCount, TTabSide side);

// The skin rectangle of a tab from the control's item rectangle: the active tab stands out,
// inactive ones tuck under the page; tabs widen by TabsCovering to cover the page frame.
// Button styles keep the item rectangle.
TBarRect TabSkinRect(const TBarRect& item, bool active, TTabSide side, TTabStyle style, int32_t tabsCovering);

// The 1-based row of a tab: row 1 is the one farthest from the page.
int32_t TabRow(const TBarRect& item, int32_t rows, const TBarRect& tabsArea, TTabSide side);

// The order tabs are painted in: inactive tabs row by row from the outermost, so that each row
// nearer the page covers the ends of the row behind it, the active tab last. RowOf[i] is tab
// i's row.
std::vector<int32_t> TabPaintOrder(const std::vector<int32_t>& rowOf, int32_t rows, int32_t active);

// The section a tab control is painted with: "TRANSPARENT" without tabs; a "PAGECONTROL"
// section gets the side's variant.
std::string TabPageSection(const std::string& section, int32_t tabCount, TTabSide side);

}  // namespace skin

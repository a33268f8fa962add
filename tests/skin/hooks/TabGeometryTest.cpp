// Tab controls' arithmetic: side and style from the window style, the page area and the tabs'
// strip on each side, each tab's skin rectangle, rows and the painting order.
#include <gtest/gtest.h>

#include "skin/hooks/acTabGeometry.h"

namespace skin {
namespace {

TEST(TabGeometry, SideStyleAndSectionFromTheWindowStyle) {
  EXPECT_EQ(TabSideOf(0), tsTop);
  EXPECT_EQ(TabSideOf(kTcsBottom), tsBottom);
  EXPECT_EQ(TabSideOf(kTcsVertical), tsLeft);
  EXPECT_EQ(TabSideOf(kTcsVertical | kTcsBottom), tsRight);
  EXPECT_EQ(TabStyleOf(0), tyTabs);
  EXPECT_EQ(TabStyleOf(kTcsButtons), tyButtons);
  EXPECT_EQ(TabStyleOf(kTcsButtons | kTcsFlatButtons), tyFlatButtons);
  // The skin's table runs left, top, right, bottom.
  EXPECT_EQ(TabSectionEntry(tsLeft), 0);
  EXPECT_EQ(TabSectionEntry(tsTop), 1);
  EXPECT_EQ(TabSectionEntry(tsRight), 2);
  EXPECT_EQ(TabSectionEntry(tsBottom), 3);

  EXPECT_EQ(TabPageSection("PAGECONTROL", 0, tsBottom), "TRANSPARENT");
  EXPECT_EQ(TabPageSection("PAGECONTROL", 2, tsTop), "PAGECONTROL");
  EXPECT_EQ(TabPageSection("PAGECONTROL", 2, tsBottom), "PAGECONTROLBOTTOM");
  EXPECT_EQ(TabPageSection("PAGECONTROL", 2, tsLeft), "PAGECONTROLLEFT");
  EXPECT_EQ(TabPageSection("PAGECONTROL", 2, tsRight), "PAGECONTROLRIGHT");
  EXPECT_EQ(TabPageSection("PANEL", 2, tsRight), "PANEL");
}

TEST(TabGeometry, PageAreaAndTabsStripOnEachSide) {
  struct Case {
    TTabSide side;
    TBarRect display, page, tabs;
  };
  // A control of 100 x 80; the two rectangles always share the edge between them.
  const Case cases[] = {
      {tsTop, {4, 30, 96, 76}, {0, 26, 100, 80}, {0, 0, 100, 26}},
      {tsBottom, {4, 4, 96, 50}, {0, 0, 100, 52}, {0, 52, 100, 80}},
      {tsLeft, {30, 4, 96, 76}, {29, 0, 100, 80}, {0, 0, 29, 80}},
      {tsRight, {4, 4, 70, 76}, {0, 0, 71, 80}, {71, 0, 100, 80}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side);
    EXPECT_EQ(PageAreaRect(100, 80, c.display, 3, c.side), c.page);
    EXPECT_EQ(TabsAreaRect(100, 80, c.display, 3, c.side), c.tabs);
    // Without tabs both cover the whole control.
    EXPECT_EQ(PageAreaRect(100, 80, c.display, 0, c.side), (TBarRect{0, 0, 100, 80}));
    EXPECT_EQ(TabsAreaRect(100, 80, c.display, 0, c.side), (TBarRect{0, 0, 100, 80}));
  }
}

TEST(TabGeometry, TabSkinRectangles) {
  struct Case {
    const char* what;
    TBarRect item;
    bool active;
    TTabSide side;
    TTabStyle style;
    int32_t covering;
    TBarRect expected;
  };
  const Case cases[] = {
      {"top, active stands out", {10, 2, 60, 22}, true, tsTop, tyTabs, 0, {8, 0, 62, 24}},
      {"top, inactive reaches under the page", {10, 2, 60, 22}, false, tsTop, tyTabs, 0, {10, 2, 59, 26}},
      {"bottom, active", {10, 78, 60, 98}, true, tsBottom, tyTabs, 0, {8, 75, 62, 99}},
      {"bottom, inactive", {10, 78, 60, 98}, false, tsBottom, tyTabs, 0, {10, 76, 59, 98}},
      {"left, active", {2, 10, 22, 60}, true, tsLeft, tyTabs, 0, {1, 8, 25, 61}},
      {"left, inactive", {2, 10, 22, 60}, false, tsLeft, tyTabs, 0, {2, 9, 25, 60}},
      {"right, active", {78, 10, 98, 60}, true, tsRight, tyTabs, 0, {75, 8, 99, 62}},
      {"right, inactive", {78, 10, 98, 60}, false, tsRight, tyTabs, 0, {76, 9, 97, 60}},
      {"top tabs widen across to cover the frame", {10, 2, 60, 22}, true, tsTop, tyTabs, 3, {8, 0, 68, 24}},
      {"left tabs widen along", {2, 10, 22, 60}, false, tsLeft, tyTabs, 3, {2, 9, 25, 66}},
      {"buttons keep the item and ignore covering", {10, 2, 60, 22}, true, tsTop, tyButtons, 3, {10, 2, 60, 22}},
      {"flat buttons likewise", {2, 10, 22, 60}, false, tsLeft, tyFlatButtons, 0, {2, 10, 22, 60}},
      {"an empty item stays empty", {10, 2, 10, 22}, true, tsTop, tyTabs, 3, {10, 2, 10, 22}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TabSkinRect(c.item, c.active, c.side, c.style, c.covering), c.expected) << c.what;
}

TEST(TabGeometry, RowsAndPaintingOrder) {
  struct Case {
    const char* what;
    TTabSide side;
    TBarRect item, area;
    int32_t rows, expected;
  };
  // Tabs 20 pixels deep; row 1 is the one farthest from the page.
  const Case cases[] = {
      {"a single row", tsTop, {0, 22, 50, 42}, {0, 0, 100, 44}, 1, 1},
      {"top, outer row", tsTop, {0, 2, 50, 22}, {0, 0, 100, 44}, 2, 1},
      {"top, row by the page", tsTop, {0, 22, 50, 42}, {0, 0, 100, 44}, 2, 2},
      {"bottom, row by the page", tsBottom, {0, 54, 50, 74}, {0, 52, 100, 96}, 2, 2},
      {"bottom, outer row", tsBottom, {0, 74, 50, 94}, {0, 52, 100, 96}, 2, 1},
      {"left, outer row", tsLeft, {2, 0, 22, 50}, {0, 0, 44, 80}, 2, 1},
      {"left, row by the page", tsLeft, {22, 0, 42, 50}, {0, 0, 44, 80}, 2, 2},
      {"right, row by the page", tsRight, {71, 0, 91, 50}, {71, 0, 113, 80}, 2, 2},
      {"right, outer row", tsRight, {91, 0, 111, 50}, {71, 0, 113, 80}, 2, 1},
      {"a tab reported past the rows stays in the last", tsTop, {0, 60, 50, 80}, {0, 0, 100, 44}, 2, 2},
      {"a flat item keeps the first row", tsTop, {0, 22, 50, 22}, {0, 0, 100, 44}, 2, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(TabRow(c.item, c.rows, c.area, c.side), c.expected) << c.what;

  // Inactive tabs row by row, the active tab last whatever its row.
  EXPECT_EQ(TabPaintOrder({1, 2, 1, 2}, 2, 2), (std::vector<int32_t>{0, 1, 3, 2}));
  EXPECT_EQ(TabPaintOrder({2, 1, 2, 1}, 2, 0), (std::vector<int32_t>{1, 3, 2, 0}));
  EXPECT_EQ(TabPaintOrder({1, 1, 1}, 1, -1), (std::vector<int32_t>{0, 1, 2}));
  EXPECT_TRUE(TabPaintOrder({}, 1, -1).empty());
}

}  // namespace
}  // namespace skin

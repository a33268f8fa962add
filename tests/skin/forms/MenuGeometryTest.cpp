// The measures of skinned menus, natively: item kinds, heights and widths at 96 and 144
// pixels per inch, popup sizes with columns, the frame width and the extra line, the state
// a section with fewer states is painted in, the caption split at its tab, and the
// rectangles an item is painted into.
#include <gtest/gtest.h>

#include "skin/forms/acMenuGeometry.h"

namespace skin {
namespace {

TEST(MenuGeometry, ItemKindsFollowTheCaption) {
  const struct {
    const char* caption;
    TsMenuItemType kind;
    const char* shown;
  } cases[] = {
      {"-", TsMenuItemType::smDivider, ""},
      {"-Tools-", TsMenuItemType::smCaption, "Tools"},
      {"--", TsMenuItemType::smCaption, ""},
      {"-Tools", TsMenuItemType::smNormal, nullptr},
      {"Tools-", TsMenuItemType::smNormal, nullptr},
      {"&Open", TsMenuItemType::smNormal, nullptr},
      {"", TsMenuItemType::smNormal, nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MenuItemKind(c.caption), c.kind) << c.caption;
    if (c.shown) EXPECT_EQ(CaptionItemText(c.caption), c.shown) << c.caption;
  }
}

TEST(MenuGeometry, HeightsAndWidthsAt96And144PixelsPerInch) {
  struct Case {
    int32_t ppi, textHeight, textWidth;
    int32_t glyph, margin, spacing;  // as the painter reads them at that PPI
    int32_t normalH, captionH, width;
  };
  // At 144 PPI the margin 2 reads 3, the spacing 8 reads 12 and the default glyph is 24.
  const Case cases[] = {
      {96, 13, 60, 16, 2, 8, 16 + 4 + 2, 13 + 4 + 3, 32 + 60 + 6 + 8},
      {144, 20, 90, 24, 3, 12, 24 + 6 + 2, 20 + 6 + 3, 48 + 90 + 9 + 12},
      {96, 30, 10, 16, 2, 8, 30 + 4 + 2, 30 + 4 + 3, 32 + 10 + 6 + 8},  // text taller than the glyph
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppi);
    EXPECT_EQ(DefaultGlyphSizeAt(c.ppi), c.glyph);
    EXPECT_EQ(MenuScale(2, c.ppi), c.margin);
    EXPECT_EQ(MenuScale(8, c.ppi), c.spacing);
    EXPECT_EQ(MenuItemHeight(TsMenuItemType::smNormal, c.textHeight, c.glyph, c.margin), c.normalH);
    EXPECT_EQ(MenuItemHeight(TsMenuItemType::smCaption, c.textHeight, c.glyph, c.margin), c.captionH);
    EXPECT_EQ(MenuItemHeight(TsMenuItemType::smDivider, c.textHeight, c.glyph, c.margin), 2);
    TacMenuItemWidthQuery q;
    q.GlyphWidth = c.glyph;
    q.TextWidth = c.textWidth;
    q.Margin = c.margin;
    q.Spacing = c.spacing;
    EXPECT_EQ(MenuItemWidth(q), c.width);
    q.NoSkinBorder = true;
    q.BorderWidth = MenuScale(3, c.ppi);
    EXPECT_EQ(MenuItemWidth(q), c.width - 2 * q.BorderWidth) << "a popup without a skin frame";
    q.ExtraLine = 40;
    EXPECT_EQ(MenuItemWidth(q), c.width - 2 * q.BorderWidth + 40);
    q.HasText = false;  // a divider: no text, no frame taken off
    q.ExtraLine = 0;
    EXPECT_EQ(MenuItemWidth(q), 2 * c.glyph + 3 * c.margin + c.spacing);
  }
}

TEST(MenuGeometry, PopupSizesAddTheirColumns) {
  struct Case {
    const char* what;
    std::vector<TacPopupEntry> widths, heights;
    int32_t width, height;
  };
  const Case cases[] = {
      {"one column", {{true, false, 50}, {true, false, 80}}, {{true, false, 20}, {true, false, 2}}, 92, 22},
      {"hidden items count for nothing",
       {{true, false, 50}, {false, false, 300}},
       {{true, false, 20}, {false, false, 100}},
       62,
       20},
      {"two columns: widths side by side with 4 between, heights the taller",
       {{true, false, 50}, {true, false, 70}, {true, true, 30}},
       {{true, false, 20}, {true, false, 20}, {true, true, 25}},
       (70 + 12 + 4) + (30 + 12),
       40},
      {"the second column taller",
       {{true, false, 10}, {true, true, 10}, {true, false, 10}},
       {{true, false, 20}, {true, true, 20}, {true, false, 30}},
       (10 + 12 + 4) + (10 + 12),
       50},
      {"empty", {}, {}, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PopupWidth(c.widths), c.width) << c.what;
    EXPECT_EQ(PopupHeight(c.heights), c.height) << c.what;
  }
  // A break on the first item does not make it a later column; everything from a break on is.
  const std::vector<TacPopupEntry> items{{true, true, 0}, {true, false, 0}, {true, true, 0}, {true, false, 0}};
  const bool later[] = {false, false, true, true};
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(InLaterColumn(items, i), later[i]) << i;
}

TEST(MenuGeometry, FrameWidthAndExtraLine) {
  const struct { bool image; int32_t left, width; } frames[] = {
      {true, 5, 3}, {true, 2, 2}, {true, 3, 3}, {true, 0, 3}, {true, -1, 3}, {false, 5, 0}};
  for (const auto& f : frames) EXPECT_EQ(PopupFrameWidth(f.image, f.left), f.width) << f.left << " " << f.image;
  const struct { bool use, visible; int32_t ppi, width; } lines[] = {
      {true, true, 96, 32}, {true, true, 120, 40}, {true, true, 144, 48}, {false, true, 120, 0}, {true, false, 120, 0}};
  for (const auto& l : lines) EXPECT_EQ(ExtraLineWidthAt(l.use, l.visible, 32, l.ppi), l.width) << l.ppi;
}

TEST(MenuGeometry, ASectionWithFewerStatesGivesItsLastForHotAndPressed) {
  const struct { int32_t state, states, painted; } cases[] = {
      {0, 1, 0}, {1, 1, 0}, {2, 1, 0}, {1, 2, 1}, {2, 2, 1}, {2, 3, 2}, {1, 0, 0}, {-1, 3, 0}};
  for (const auto& c : cases) EXPECT_EQ(MenuSectionState(c.state, c.states), c.painted) << c.state << "/" << c.states;
}

TEST(MenuGeometry, CaptionsSplitAtTheirFirstTab) {
  const struct { const char* caption; const char* text; const char* right; bool rightAligned; } cases[] = {
      {"Open\tCtrl+O", "Open", "Ctrl+O", false},
      {"Open", "Open", "", false},
      {"a\tb\tc", "a", "b\tc", false},
      {"\bHelp", "Help      ", "", true},
      {"\bHelp\tF1", "Help      ", "F1", true},
      {"\t", "", "", false},
  };
  for (const auto& c : cases) {
    const TacMenuCaption s = SplitMenuCaption(c.caption);
    EXPECT_EQ(s.Text, c.text) << c.caption;
    EXPECT_EQ(s.RightText, c.right) << c.caption;
    EXPECT_EQ(s.RightAligned, c.rightAligned) << c.caption;
  }
}

TEST(MenuGeometry, ItemRectanglesLeaveTheExtraLineAndMirror) {
  struct Case {
    const char* what;
    TacItemContentQuery q;
    TRect content;
  };
  // A popup image 200 wide with the client area 3 in; items 194 wide in one column, 97 in two.
  const Case cases[] = {
      {"first column", {{0, 0, 194, 20}, 200, 3, 40, false}, {40, 0, 194, 20}},
      {"second column", {{97, 0, 194, 20}, 200, 3, 40, false}, {0, 0, 97, 20}},
      {"no line", {{0, 0, 194, 20}, 200, 3, 0, false}, {0, 0, 194, 20}},
      {"right to left, touching the right frame", {{97, 0, 194, 20}, 200, 3, 40, true}, {0, 0, 57, 20}},
      {"right to left, left column", {{0, 0, 97, 20}, 200, 3, 40, true}, {0, 0, 97, 20}},
  };
  for (const Case& c : cases) EXPECT_EQ(ItemContentRect(c.q), c.content) << c.what;

  const TRect q{40, 0, 194, 20};
  EXPECT_EQ(ItemTextRect(q, 20, 16, 2, 8, false), (TRect{40 + 16 + 4 + 8, 2, 194, 18}));
  EXPECT_EQ(ItemTextRect(q, 20, 16, 2, 8, true), (TRect{40, 2, 194 - 28, 18}));
  EXPECT_EQ(ShortcutRect(q, 20, 30, 2, false), (TRect{194 - 4 - 30, 0, 190, 20}));
  EXPECT_EQ(ShortcutRect(q, 20, 30, 2, true), (TRect{44, 0, 74, 20}));
  EXPECT_EQ(CheckGlyphLeft(q, 26, 16, true), 45);
  EXPECT_EQ(CheckGlyphLeft(q, 10, 16, true), 40);
  EXPECT_EQ(CheckGlyphLeft(q, 10, 16, false), 37);
  EXPECT_EQ(DividerLineRect(194, 2, 40, 30, false), (TRect{72, 0, 192, 0}));
  EXPECT_EQ(DividerLineRect(194, 2, 40, 30, true), (TRect{2, 0, 122, 0}));
}

}  // namespace
}  // namespace skin

// Where the control hooks put things: dialog-button colours, captions and glyphs of push,
// bitmap and speed buttons in every layout, check-box captions on either side, a panel's
// section by its bevels, a group box's caption strip and an up-down's halves.
#include <gtest/gtest.h>

#include "skin/hooks/acHookLayout.h"

namespace skin {
namespace {

using gui::TRect;
using gui::TSize;

TEST(HookLayout, ModalButtonColouring) {
  constexpr unsigned all = 1 | 2 | 4;
  struct Case {
    const char* what;
    unsigned coloring;
    int id;
    bool okSibling, noSibling, hot;
    TacModalColors expected;
  };
  const Case cases[] = {
      {"OK, normal", all, 1, false, false, false, {0xFFE1FFD2, 0xFF28851A, 0xFF28851A}},
      {"Yes, hot", all, 6, false, false, true, {0xFFCDFFB4, 0xFF008E00, 0xFF008E00}},
      {"Cancel next to OK, red", all, 2, true, false, false, {0xFFD5D5FF, 0xFF0000B4, 0xFF0000B4}},
      {"Cancel next to OK, red, hot", all, 2, true, false, true, {0xFFBDBDFF, 0xFF0000A2, 0xFF0000A2}},
      {"Cancel next to OK and No, orange", all, 2, true, true, false, {0xFFFFEDC9, 0xFFAE7400, 0xFFAE7400}},
      {"No (7) with a No sibling, orange hot", all, 7, false, true, true, {0xFFFFE9BE, 0xFF916000, 0xFF916000}},
      {"No (7) needs no OK sibling", all, 7, false, false, false, {0xFFD5D5FF, 0xFF0000B4, 0xFF0000B4}},
      {"Cancel without OK is never coloured", all, 2, false, true, false, {}},
      {"another button", all, 3, true, false, false, {}},
      {"no colouring asked", 0, 1, true, false, false, {}},
      {"glyph only", 2, 1, false, false, false, {kNoColor, 0xFF28851A, kNoColor}},
      {"background and text", 1 | 4, 7, false, false, false, {0xFFD5D5FF, kNoColor, 0xFF0000B4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TacModalColors got = ModalButtonColors(c.coloring, c.id, c.okSibling, c.noSibling, c.hot);
    EXPECT_EQ(got.Background, c.expected.Background);
    EXPECT_EQ(got.Glyph, c.expected.Glyph);
    EXPECT_EQ(got.Text, c.expected.Text);
  }
  EXPECT_EQ(ModalIdOfResult(1), 1);
  EXPECT_EQ(ModalIdOfResult(6), 1);
  EXPECT_EQ(ModalIdOfResult(2), 7);
  EXPECT_EQ(ModalIdOfResult(7), 7);
  EXPECT_EQ(ModalIdOfResult(3), 0);
}

TEST(HookLayout, PushButtonStateAndCaption) {
  EXPECT_EQ(ButtonStateIndex(3, 3), 1) << "default look needs four states";
  EXPECT_EQ(ButtonStateIndex(3, 4), 3);
  EXPECT_EQ(ButtonStateIndex(2, 2), 1) << "clamped to the section's states";
  EXPECT_EQ(ButtonStateIndex(2, 1), 0);
  EXPECT_EQ(ButtonCaptionRect(75, 25, {31, 13}, false), (TRect{21, 6, 55, 19}));
  EXPECT_EQ(ButtonCaptionRect(75, 25, {31, 13}, true), (TRect{22, 7, 56, 20}));
  EXPECT_EQ(ButtonCaptionRect(20, 10, {40, 13}, false), (TRect{-11, -1, 32, 11}))
      << "wider and higher than the button: halves truncated toward zero";
  EXPECT_EQ(ButtonMaxCaptionWidth(75, false, 0), 0);
  EXPECT_EQ(ButtonMaxCaptionWidth(75, true, 0), 76);
  EXPECT_EQ(ButtonMaxCaptionWidth(75, true, 16), 59);
  EXPECT_EQ(ButtonMaxCaptionWidth(10, true, 16), 0);
}

TEST(HookLayout, BitmapButtonGlyphAndCaptionInEveryLayout) {
  // 100 x 40 button, a 16 x 16 glyph, a 40 x 13 caption, spacing 4.
  struct Case {
    TacGlyphLayout layout;
    bool shifted;
    gui::TPoint glyph;
    TRect caption;
  };
  const Case cases[] = {
      {TacGlyphLayout::Left, false, {20, 12}, {38, 13, 78, 26}},
      {TacGlyphLayout::Right, false, {64, 12}, {22, 13, 62, 26}},
      {TacGlyphLayout::Top, false, {43, 3}, {30, 21, 70, 34}},
      {TacGlyphLayout::Bottom, false, {43, 21}, {30, 5, 70, 18}},
      {TacGlyphLayout::Left, true, {21, 13}, {39, 14, 79, 27}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.layout) * 10 + c.shifted);
    EXPECT_EQ(BitBtnGlyphPos(c.layout, 100, 40, {16, 16}, {40, 13}, 4, c.shifted), c.glyph);
    EXPECT_EQ(BitBtnCaptionRect(c.layout, 100, 40, {16, 16}, {40, 13}, c.shifted), c.caption);
  }
  EXPECT_EQ(BitBtnGlyphPos(TacGlyphLayout::Left, 100, 40, {16, 16}, {}, 4, false), (gui::TPoint{42, 12}))
      << "no spacing without a caption";
  EXPECT_EQ(BitBtnMaxCaptionWidth(TacGlyphLayout::Left, 100, true, 2, 16, 4), 76);
  EXPECT_EQ(BitBtnMaxCaptionWidth(TacGlyphLayout::Top, 100, true, 2, 16, 4), 96);
  EXPECT_EQ(BitBtnMaxCaptionWidth(TacGlyphLayout::Right, 100, false, 2, 16, 4), 0);
}

TEST(HookLayout, SpeedButtonInEveryLayout) {
  // 80 x 40, a 16 x 16 glyph (one image of the strip), a 30 x 13 caption, spacing 4.
  struct Case {
    const char* what;
    TacGlyphLayout layout;
    int margin;
    bool shifted;
    TRect glyph, caption;
  };
  const Case cases[] = {
      {"left, centred block", TacGlyphLayout::Left, -1, false, {15, 12, 31, 28}, {35, 13, 65, 26}},
      {"right, centred block", TacGlyphLayout::Right, -1, false, {49, 12, 65, 28}, {15, 13, 45, 26}},
      {"top, centred block", TacGlyphLayout::Top, -1, false, {32, 3, 48, 19}, {25, 23, 55, 36}},
      {"bottom, centred block", TacGlyphLayout::Bottom, -1, false, {32, 21, 48, 37}, {25, 4, 55, 17}},
      {"left, margin 5", TacGlyphLayout::Left, 5, false, {5, 12, 21, 28}, {25, 13, 55, 26}},
      {"right, margin 5", TacGlyphLayout::Right, 5, false, {59, 12, 75, 28}, {25, 13, 55, 26}},
      {"top, margin 5", TacGlyphLayout::Top, 5, false, {32, 5, 48, 21}, {25, 25, 55, 38}},
      {"bottom, margin 5", TacGlyphLayout::Bottom, 5, false, {32, 19, 48, 35}, {25, 2, 55, 15}},
      {"left, pressed moves both by one", TacGlyphLayout::Left, -1, true, {16, 13, 32, 29}, {36, 14, 66, 27}},
      {"top, pressed moves both by one", TacGlyphLayout::Top, -1, true, {33, 4, 49, 20}, {26, 24, 56, 37}},
      {"bottom, pressed moves both by one", TacGlyphLayout::Bottom, 5, true, {33, 20, 49, 36}, {26, 3, 56, 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TacSpeedLayout l;
    l.Layout = c.layout;
    l.Margin = c.margin;
    l.Spacing = 4;
    l.Width = 80;
    l.Height = 40;
    l.Glyph = {16, 16};
    l.Caption = {30, 13};
    l.Shifted = c.shifted;
    EXPECT_EQ(SpeedGlyphRect(l), c.glyph);
    EXPECT_EQ(SpeedCaptionRect(l), c.caption);
  }
  // Without a glyph: centred with margin -1, else by the layout's side.
  TacSpeedLayout l;
  l.Width = 80, l.Height = 40, l.Caption = {30, 13};
  EXPECT_EQ(SpeedCaptionRect(l), (TRect{25, 13, 55, 26}));
  l.Margin = 3;
  const TRect sides[] = {{3, 13, 33, 26}, {47, 13, 77, 26}, {25, 3, 55, 16}, {25, 24, 55, 37}};
  for (int i = 0; i < 4; ++i) {
    l.Layout = TacGlyphLayout(i);
    EXPECT_EQ(SpeedCaptionRect(l), sides[i]) << i;
  }
  // A glyph without caption takes no spacing.
  TacSpeedLayout g;
  g.Width = 80, g.Height = 40, g.Glyph = {16, 16};
  EXPECT_EQ(SpeedGlyphRect(g), (TRect{32, 12, 48, 28}));
}

TEST(HookLayout, CheckBoxGlyphAndCaptionOnEitherSide) {
  EXPECT_EQ(CheckGlyphRect(120, 20, {16, 16}, false), (TRect{0, 2, 16, 18}));
  EXPECT_EQ(CheckGlyphRect(120, 20, {16, 16}, true), (TRect{104, 2, 120, 18})) << "text on the left";
  EXPECT_EQ(CheckGlyphRect(120, 20, {0, 0}, false), (TRect{}));
  struct Case {
    const char* what;
    bool leftText, rtl, multi;
    TRect r;
    bool right;
  };
  // 120 x 20, glyph 16, text 50 x 14: available 102, top 3.
  const Case cases[] = {
      {"text right of the glyph", false, false, false, {20, 2, 70, 16}, false},
      {"text right, multi-line", false, false, true, {19, 2, 69, 16}, false},
      {"text left", true, false, false, {2, 3, 52, 17}, false},
      {"text left, right-to-left reading", true, true, false, {48, 3, 98, 17}, true},
      {"text left, right-to-left, multi-line", true, true, true, {48, 3, 98, 17}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TacCheckCaption got = CheckCaptionRect(120, 20, 16, {50, 14}, c.leftText, c.rtl, c.multi);
    EXPECT_EQ(got.Rect, c.r);
    EXPECT_EQ(got.RightAligned, c.right);
  }
  EXPECT_EQ(CheckCaptionRect(120, 10, 16, {50, 30}, false, false, false).Rect.Top, -1) << "top never below 0, then up 1";
}

TEST(HookLayout, PanelSectionByBevel) {
  using B = TacBevel;
  struct Case {
    B outer, inner;
    bool bordered;
    const char* section;
  };
  const Case cases[] = {
      {B::Lowered, B::Raised, false, "GROUPBOX"}, {B::Lowered, B::None, false, "PANEL_LOW"},
      {B::Lowered, B::Lowered, true, "PANEL_LOW"}, {B::Raised, B::Lowered, false, "GROUPBOX"},
      {B::Raised, B::None, false, "PANEL"},       {B::Raised, B::Raised, true, "PANEL"},
      {B::None, B::None, true, "PANEL_LOW"},      {B::None, B::Raised, false, "TRANSPARENT"},
      {B::Space, B::None, false, "TRANSPARENT"},  {B::Space, B::None, true, "PANEL_LOW"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PanelSectionByBevel(c.outer, c.inner, c.bordered), c.section)
        << int(c.outer) << "/" << int(c.inner) << "/" << c.bordered;
}

TEST(HookLayout, GroupBoxCaptionPlacement) {
  EXPECT_EQ(GroupCaptionRect(200, {60, 13}, false), (TRect{6, 0, 74, 15}));
  EXPECT_EQ(GroupCaptionRect(200, {60, 13}, true), (TRect{126, 0, 194, 15})) << "right-to-left reading";
  EXPECT_EQ(GroupCaptionRect(50, {60, 13}, false), (TRect{6, 0, 49, 15})) << "cut at the last column";
  EXPECT_EQ(GroupCaptionRect(200, {10, 2}, false), (TRect{6, 0, 24, 6})) << "at least 4 high";
  EXPECT_TRUE(GroupCaptionRect(200, {}, false).IsEmpty()) << "no caption";
}

TEST(HookLayout, UpDownHalves) {
  const TacSpinButtons v = SpinButtonRects(17, 23, false, 2);
  EXPECT_EQ(v.First, (TRect{2, 0, 17, 12}));
  EXPECT_EQ(v.Second, (TRect{2, 11, 17, 23}));
  const TacSpinButtons hz = SpinButtonRects(31, 16, true, 2);
  EXPECT_EQ(hz.First, (TRect{0, 0, 16, 16}));
  EXPECT_EQ(hz.Second, (TRect{15, 0, 31, 16}));
  struct Case {
    const char* what;
    bool horizontal, rtl, pressed;
    gui::TPoint p;
    int first, second;
  };
  const Case cases[] = {
      {"upper half hot", false, false, false, {5, 3}, 1, 0},
      {"lower half pressed", false, false, true, {5, 20}, 0, 2},
      {"outside", false, false, true, {5, 30}, 0, 0},
      {"left half pressed", true, false, true, {3, 5}, 2, 0},
      {"right-to-left: the left half presses the right button", true, true, true, {3, 5}, 0, 2},
      {"right-to-left: the right half presses the left button", true, true, true, {25, 5}, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TacSpinStates s = SpinButtonStates(c.horizontal ? 31 : 17, c.horizontal ? 16 : 23, c.horizontal, c.rtl,
                                             c.p, c.pressed);
    EXPECT_EQ(s.First, c.first);
    EXPECT_EQ(s.Second, c.second);
  }
}

}  // namespace
}  // namespace skin

// The rules of title-bar items natively: item sizes, the four alignment groups laid in the
// title band (also right to left), the drawing state, the section state read for it, and
// the opacity steps of the hover fades.
#include <gtest/gtest.h>

#include <vector>

#include "skin/forms/acTitleBarLayout.h"

namespace skin {
namespace {

using A = TacItemAlign;
using S = TacBtnStyle;

TacBarItem Item(int w, A align = A::tbaLeft, S style = S::bsButton, int h = 18, bool autoSize = true) {
  TacBarItem it;
  it.Width = w, it.Height = h, it.Align = align, it.Style = style, it.AutoSize = autoSize;
  return it;
}

TacBarArea Area(int ppi = 96, bool rtl = false) {
  TacBarArea a;
  a.BarRect = {40, 4, 300, 30};
  a.BarVCenter = 17;
  a.FullRight = 300;
  a.Ppi = ppi;
  a.RightToLeft = rtl;
  return a;
}

TEST(TitleBarLayout, GroupsAreLaidEdgeToEdgeFromTheirStarts) {
  const TacBarLayout two = LayoutBarItems(Area(), {Item(22), Item(30)});
  EXPECT_EQ(two.Rects[0].Left, 40);
  EXPECT_EQ(two.Rects[1].Left, 62);
  EXPECT_EQ(two.Rects[1].Right, 92);

  TacBarArea a = Area();
  a.RightSpacing = 6;
  const TacBarLayout l =
      LayoutBarItems(a, {Item(20, A::tbaRight), Item(10, A::tbaCenter), Item(24, A::tbaRight), Item(40, A::tbaCenterInSpace),
                         Item(16), Item(50, A::tbaLeft, S::bsButton, 18, false)});
  EXPECT_EQ(l.RightWidth, 6 + 20 + 24);
  EXPECT_EQ(l.Rects[0].Left, 300 - 50);
  EXPECT_EQ(l.Rects[2].Left, 300 - 50 + 20);
  EXPECT_EQ(l.Rects[2].Right, 300 - 6) << "the right spacing stays free";
  EXPECT_EQ(l.Rects[1].Left, 40 + (300 - 40 - 10) / 2);
  EXPECT_EQ(l.Rects[3].Left, 40 + 66 + (260 - 50 - 66 - 40) / 2) << "centred between the left and right groups";
  EXPECT_EQ(l.Rects[4].Left, 40);
  EXPECT_EQ(l.Rects[5].Left, 56);
}

TEST(TitleBarLayout, StylesStandHangOrCentreAndSizesScale) {
  const TacBarLayout l = LayoutBarItems(Area(144), {Item(20, A::tbaLeft, S::bsButton, 18), Item(20, A::tbaLeft, S::bsMenu, 20),
                                                    Item(20, A::tbaLeft, S::bsTab, 22), Item(20, A::tbaLeft, S::bsInfo, 10, false)});
  EXPECT_EQ(l.Rects[0].Top, 17 - 9) << "centred on the title's middle";
  EXPECT_EQ(l.Rects[1].Top, 4) << "a menu hangs from the top";
  EXPECT_EQ(l.Rects[2].Bottom, 30) << "a tab stands on the bottom";
  EXPECT_EQ(l.Rects[3].Right - l.Rects[3].Left, 30) << "a fixed size is scaled";
  EXPECT_EQ(l.Rects[3].Bottom - l.Rects[3].Top, 15);
  EXPECT_EQ(l.Rects[1].Right - l.Rects[1].Left, 20) << "an auto size holds at the current PPI";
}

TEST(TitleBarLayout, RightToLeftSwapsTheSidesAndReversesTheOrder) {
  TacBarItem hidden = Item(99);
  hidden.Visible = false;
  const TacBarLayout l = LayoutBarItems(Area(96, true), {Item(22), hidden, Item(30), Item(10, A::tbaRight)});
  EXPECT_EQ(l.Rects[2].Left, 300 - 52) << "the last left item comes first in the right group";
  EXPECT_EQ(l.Rects[0].Left, 300 - 22);
  EXPECT_EQ(l.Rects[3].Left, 40) << "a right item goes left";
  EXPECT_EQ(l.Rects[1], TacRect{}) << "an invisible item has no place";
}

TEST(TitleBarLayout, ItemSizesFromCaptionGlyphAndArrow) {
  struct Case {
    const char* what;
    TacItemSizeInput in;
    int w, h;
  };
  TacItemSizeInput caption;
  caption.HasCaption = true, caption.CaptionWidth = 40, caption.CaptionHeight = 13;
  TacItemSizeInput tiny = caption;
  tiny.CaptionWidth = 2;
  TacItemSizeInput glyph;
  glyph.GlyphWidth = 32, glyph.GlyphHeight = 16, glyph.NumGlyphs = 2;
  TacItemSizeInput menu = caption;
  menu.Style = S::bsMenu, menu.HasDropdown = true;
  TacItemSizeInput stretch;
  stretch.StretchImage = true, stretch.Width = 20, stretch.Height = 10, stretch.Ppi = 144;
  TacItemSizeInput spacing = glyph;
  spacing.Style = S::bsSpacing, spacing.Width = 7, spacing.Height = 9;
  TacItemSizeInput tab = glyph;
  tab.Style = S::bsTab, tab.HasCaption = true, tab.CaptionWidth = 30, tab.CaptionHeight = 20;
  const Case cases[] = {
      {"caption alone: text + 2 + both margins", caption, 40 + 2 + 6, 13 + 6},
      {"never narrower than 16", tiny, 16, 19},
      {"a glyph strip counts one frame", glyph, 16 + 6, 16 + 6},
      {"menu with arrow and extra margin", menu, 42 + 4 + 4 + 5 + 2 * (4 + 3), 14 + 6},
      {"stretched image at 144 PPI", stretch, 30 + 9, 15 + 9},
      {"a spacer keeps its size", spacing, 7, 9},
      {"a tab doubles the glyph's spacing", tab, 16 + 8 + 30 + 2 + 6, 21 + 6},
  };
  for (const Case& c : cases) {
    const TacItemSize s = ItemSize(c.in);
    EXPECT_EQ(s.Width, c.w) << c.what;
    EXPECT_EQ(s.Height, c.h) << c.what;
  }
}

TEST(TitleBarLayout, DrawStatesAndTheSectionStateRead) {
  EXPECT_EQ(ItemDrawState(S::bsTab, false, true, 0), 2);
  EXPECT_EQ(ItemDrawState(S::bsMenu, true, false, 1), 2);
  EXPECT_EQ(ItemDrawState(S::bsInfo, true, true, 1), 1) << "an information label is never pressed";
  // A section with fewer states than asked for gives its last one.
  const struct { int state, count, read; } cases[] = {{1, 1, 0}, {2, 1, 0}, {2, 2, 1}, {1, 2, 1}, {2, 3, 2}, {2, 5, 2}, {0, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(SectionStateFor(c.state, c.count), c.read) << c.state << " of " << c.count;
}

// A fade that records what it shows and whose pointer leaves after a number of ticks.
struct RecordedFade : TacFadeSteps {
  explicit RecordedFade(int steps, bool fromFull = false) { StepCount = steps, FadeOutFromFull = fromFull; }
  std::vector<int> shown;
  bool timer = false, finished = false, inside = true;
  int dropped = 0, leaves = 0;
  void Show(int a) override { shown.push_back(a); }
  void DropPicture() override { ++dropped; }
  void Finished() override { finished = true; }
  void SetTimer(bool on) override { timer = on; }
  bool MouseLeft() override {
    if (inside) return false;
    timer = false;
    ++leaves;
    return true;
  }
  void RunTicks(int n) {
    for (int i = 0; i < n && timer; ++i) Tick();
  }
};

TEST(FadeSteps, AFadeInRisesToFullAndTellsOneLeave) {
  RecordedFade f(6);
  f.ChangeState(1, true);
  f.RunTicks(5);
  EXPECT_EQ(f.shown, (std::vector<int>{42, 84, 126, 168, 210, 255}));
  EXPECT_EQ(f.StepCount, -1);
  f.RunTicks(3);
  EXPECT_EQ(f.shown.size(), 6u) << "a steady look is not drawn again";
  f.inside = false;
  f.RunTicks(10);
  EXPECT_EQ(f.leaves, 1);
  EXPECT_FALSE(f.timer);
  // The owner's fade-out.
  f.StepCount = 6;
  f.shown.clear();
  f.ChangeState(0, true);
  f.RunTicks(20);
  EXPECT_EQ(f.shown, (std::vector<int>{42, 210, 168, 126, 84, 42}));
  EXPECT_TRUE(f.finished);
  EXPECT_EQ(f.State, -1);
}

TEST(FadeSteps, LeavingEarlyLetsTheFadeInFinishFirst) {
  RecordedFade f(4, true);
  f.ChangeState(1, true);
  f.inside = false;
  f.RunTicks(1);
  EXPECT_EQ(f.leaves, 0);
  f.RunTicks(10);
  EXPECT_EQ(f.shown.back(), 255);
  EXPECT_EQ(f.leaves, 1);
  f.StepCount = 4;
  f.ChangeState(0, true);
  EXPECT_EQ(f.shown.back(), 255) << "an item fades out from full";
}

TEST(FadeSteps, OneStepShowsAtOnceAndGoesAtOnce) {
  RecordedFade f(1);
  f.ChangeState(1, true);
  EXPECT_EQ(f.shown, (std::vector<int>{255}));
  f.RunTicks(1);
  EXPECT_EQ(f.StepCount, -1);
  f.StepCount = 1;
  f.ChangeState(0, true);
  EXPECT_TRUE(f.finished) << "nothing stays on the screen without a timer";
  EXPECT_FALSE(f.timer);
  RecordedFade p(3);
  p.ChangeState(1, true);
  p.ChangeState(2, true);
  EXPECT_EQ(p.dropped, 1) << "the pressed look is a fresh picture";
  EXPECT_EQ(p.shown.back(), 85);
  p.ChangeState(2, true);
  EXPECT_EQ(p.dropped, 1) << "the same state changes nothing";
}

}  // namespace
}  // namespace skin

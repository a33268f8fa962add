// The scroll-bar control's arithmetic: its parts, the position under the mouse, the scroll
// information it keeps, and the parts' hot and pressed states through mouse actions.
#include <gtest/gtest.h>

#include "skin/hooks/acSBCtrlGeometry.h"

namespace skin {
namespace {

TSBCtrlInfo Info(int32_t mn, int32_t mx, int32_t page, int32_t pos) { return {mn, mx, page, pos, pos}; }

TEST(SBCtrlGeometry, Parts) {
  struct Case {
    const char* what;
    bool vertical;
    int32_t length;
    TSBCtrlInfo si;
    int32_t thumbLength, centre;
    TBarRect thumb;
    bool shown;
  };
  // Bars 17 across with arrows of 17: track 166, the page a fifth of 100 lines.
  const Case cases[] = {
      {"at the start", true, 200, Info(0, 99, 20, 0), 33, 33, {0, 16, 17, 49}, true},
      {"vertical, one before the end: touches the second arrow", true, 200, Info(0, 99, 20, 79), 33, 164,
       {0, 150, 17, 183}, true},
      {"horizontal, same place: by its centre alone", false, 200, Info(0, 99, 20, 79), 33, 164,
       {148, 0, 181, 17}, true},
      {"at the end", true, 200, Info(0, 99, 20, 80), 33, 166, {0, 150, 17, 183}, true},
      {"page 0: the smallest thumb", true, 200, Info(0, 99, 0, 0), 16, 25, {0, 17, 17, 33}, true},
      {"a tiny page: never below 16", true, 200, Info(0, 9999, 1, 0), 16, 25, {0, 17, 17, 33}, true},
      {"nothing to scroll: centred", true, 200, Info(0, 9, 10, 0), 166, 100, {0, 17, 17, 183}, true},
      {"an empty range: after the first arrow", false, 200, Info(0, 0, 0, 0), 16, 100, {17, 0, 33, 17}, true},
      {"shorter than two arrows: no thumb", true, 30, Info(0, 99, 20, 0), 16, 25, {0, 17, 17, 33}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TSBCtrlGeometry g = SBCtrlGeometry(c.vertical, c.vertical ? 17 : c.length, c.vertical ? c.length : 17, 17, c.si);
    EXPECT_EQ(g.ThumbLength, c.thumbLength);
    EXPECT_EQ(g.ThumbCentre, c.centre);
    EXPECT_EQ(g.Thumb, c.thumb);
    EXPECT_EQ(g.ThumbShown, c.shown);
  }
  // Arrows of at most half the bar each, tracks meeting at the thumb's centre.
  const TSBCtrlGeometry g = SBCtrlGeometry(true, 17, 200, 17, Info(0, 99, 20, 0));
  EXPECT_EQ(g.FirstArrow, (TBarRect{0, 0, 17, 17}));
  EXPECT_EQ(g.SecondArrow, (TBarRect{0, 183, 17, 200}));
  EXPECT_EQ(g.FirstTrack, (TBarRect{0, 0, 17, 33}));
  EXPECT_EQ(g.SecondTrack, (TBarRect{0, 33, 17, 200}));
  const TSBCtrlGeometry s = SBCtrlGeometry(false, 30, 17, 17, Info(0, 99, 20, 0));
  EXPECT_EQ(s.FirstArrow, (TBarRect{0, 0, 15, 17}));
  EXPECT_EQ(s.SecondArrow, (TBarRect{15, 0, 30, 17}));
  EXPECT_EQ(SBCtrlPartAt(g, 5, 5), spFirstArrow);
  EXPECT_EQ(SBCtrlPartAt(g, 5, 190), spSecondArrow);
  EXPECT_EQ(SBCtrlPartAt(g, 5, 20), spThumb);
  EXPECT_EQ(SBCtrlPartAt(g, 5, 100), spSecondTrack);
  EXPECT_EQ(SBCtrlPartAt(s, 14, 5), spFirstArrow) << "no thumb on a bar too short";
}

TEST(SBCtrlGeometry, PositionUnderThePoint) {
  // Free track 200 - 34 - 33 = 133 for 80 positions.
  const TSBCtrlInfo si = Info(0, 99, 20, 0);
  EXPECT_EQ(SBCtrlPositionAt(33, 200, 17, 33, si, true), 0);
  EXPECT_EQ(SBCtrlPositionAt(100, 200, 17, 33, si, true), 40);
  EXPECT_EQ(SBCtrlPositionAt(500, 200, 17, 33, si, true), 80) << "past the end stays in the range";
  EXPECT_EQ(SBCtrlPositionAt(-50, 200, 17, 33, si, true), 0) << "before the start too";
  EXPECT_EQ(SBCtrlPositionAt(100, 200, 17, 33, Info(10, 109, 20, 10), true), 50) << "counted from the minimum";
  EXPECT_EQ(SBCtrlPositionAt(100, 200, 17, 33, Info(10, 109, 20, 10), false), 10) << "disabled";
  EXPECT_EQ(SBCtrlPositionAt(30, 60, 17, 33, si, true), 0) << "no free track";
}

TEST(SBCtrlGeometry, ScrollInfoKept) {
  TSBCtrlInfo si;
  EXPECT_TRUE(SBCtrlSetScrollInfo(si, kSifRange | kSifPage | kSifPos, 0, 99, 20, 50, false));
  EXPECT_EQ(si.Page, 20);
  EXPECT_EQ(si.Pos, 50);
  EXPECT_EQ(si.DisplayPos, 50);
  EXPECT_FALSE(SBCtrlSetScrollInfo(si, kSifRange | kSifPos, 0, 99, 0, 95, false)) << "same range";
  EXPECT_EQ(si.Pos, 80) << "the last page's first line";
  EXPECT_FALSE(SBCtrlSetScrollInfo(si, kSifPos, 0, 0, 0, 10, true));
  EXPECT_EQ(si.Pos, 10);
  EXPECT_EQ(si.DisplayPos, 80) << "a dragged thumb stays where the drag put it";
  SBCtrlSetScrollInfo(si, kSifPage, 0, 0, 500, 0, false);
  EXPECT_EQ(si.Page, 100);
  EXPECT_EQ(si.Pos, 0);
  EXPECT_TRUE(SBCtrlSetScrollInfo(si, kSifRange, 10, 5, 0, 0, false));
  EXPECT_EQ(si.Min, 0);
  EXPECT_EQ(si.Max, 0);
  EXPECT_EQ(si.Page, 1);
}

using S = std::array<int32_t, 5>;  // first track, second track, first arrow, second arrow, thumb

TEST(SBCtrlGeometry, PartStates) {
  TSBCtrlParts p;
  p.SetPartState(spFirstArrow, psHot);
  EXPECT_EQ(p.State, (S{1, 1, 1, 0, 0})) << "a hot arrow lights the track";
  p.SetPartState(spFirstTrack, psPressed);
  EXPECT_EQ(p.State, (S{2, 1, 0, 0, 0})) << "a pressed track part clears the arrows";
  p.SetPartState(spSecondArrow, psNormal);
  EXPECT_EQ(p.State, (S{2, 1, 0, 0, 0})) << "setting normal touches nothing else";

  // Arrows: pressed, released over it hot.
  TSBCtrlParts a;
  a.MouseDown(spSecondArrow, 1, 0, 0);
  EXPECT_EQ(a.ScrollCode, kSbLineDown);
  EXPECT_EQ(a.State, (S{1, 1, 0, 2, 0}));
  a.MouseMove(spSecondArrow, 0, 0);
  EXPECT_EQ(a.State[spSecondArrow], psPressed) << "a held arrow stays pressed";
  a.MouseUp(spSecondArrow, 1);
  EXPECT_EQ(a.ScrollCode, kSbEndScroll);
  EXPECT_EQ(a.State, (S{1, 1, 0, 1, 0}));
  a.MouseMove(spSecondTrack, 0, 0);
  EXPECT_EQ(a.State, (S{1, 1, 0, 0, 0}));

  // Track: pressing the first part, releasing it.
  TSBCtrlParts t;
  t.MouseDown(spFirstTrack, 1, 0, 0);
  EXPECT_EQ(t.ScrollCode, kSbPageUp);
  EXPECT_EQ(t.State, (S{2, 1, 0, 0, 0}));
  t.MouseUp(spFirstTrack, 1);
  EXPECT_EQ(t.State, (S{1, 1, 0, 0, 0}));
  t.MouseDown(spSecondTrack, 0, 0, 0);
  EXPECT_EQ(t.ScrollCode, kSbPageDown);
  EXPECT_EQ(t.State[spSecondTrack], psPressed);

  // Thumb: grabbed 5 positions past the control's, dragged, the mouse leaves, released.
  TSBCtrlParts d;
  d.MouseEnter();
  EXPECT_EQ(d.State, (S{1, 1, 0, 0, 0})) << "hovering lights both track parts";
  d.MouseDown(spThumb, 1, 45, 40);
  EXPECT_EQ(d.ScrollCode, kSbThumbTrack);
  EXPECT_EQ(d.MouseOffset, 5);
  EXPECT_EQ(d.State, (S{1, 1, 0, 0, 2}));
  EXPECT_EQ(d.MouseMove(spSecondTrack, 60, 40), std::optional<int32_t>(55)) << "follows with the grab offset";
  EXPECT_EQ(d.MouseMove(spThumb, 60, 55), std::nullopt) << "no change, no new position";
  d.MouseLeave();
  EXPECT_EQ(d.State, (S{1, 1, 0, 0, 2})) << "leaving keeps a held thumb";
  d.MouseUp(spThumb, 1);
  EXPECT_EQ(d.ScrollCode, kSbEndScroll);
  EXPECT_EQ(d.State, (S{1, 1, 0, 0, 1})) << "released over it: hot";
  d.MouseLeave();
  EXPECT_EQ(d.State, (S{0, 0, 0, 0, 0}));

  TSBCtrlParts e;
  e.MouseDown(spThumb, 0, 10, 10);
  e.MouseUp(spSecondTrack, 0);
  EXPECT_EQ(e.State, (S{0, 0, 0, 0, 0})) << "released away from it: normal";
}

}  // namespace
}  // namespace skin

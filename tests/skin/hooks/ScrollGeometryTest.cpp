// The skinned bars' arithmetic: thumb length and place, the part under a point, the drag's
// position, the bars' rectangles and room, and which size setting wins.
#include <gtest/gtest.h>

#include "skin/hooks/acScrollGeometry.h"

namespace skin {
namespace {

TBarScrollInfo Info(int32_t mn, int32_t mx, uint32_t page, int32_t pos) {
  TBarScrollInfo si;
  si.nMin = mn;
  si.nMax = mx;
  si.nPage = page;
  si.nPos = pos;
  return si;
}

TEST(ScrollGeometry, ThumbLengthAndPlace) {
  struct Case {
    const char* what;
    int32_t length, arrow, minThumb;
    TBarScrollInfo si;
    TThumb expected;
  };
  const Case cases[] = {
      // work 168 = 200 - 2 * 16; range 100; thumb 168 * 20 / 100 = 33.6 -> 34
      {"page of a fifth, at the start", 200, 16, 16, Info(0, 99, 20, 0), {34, 16}},
      {"at the end", 200, 16, 16, Info(0, 99, 20, 80), {34, 16 + 134}},
      // offset 40 * 134 / 80 = 67
      {"halfway", 200, 16, 16, Info(0, 99, 20, 40), {34, 16 + 67}},
      {"a position past the end stays inside", 200, 16, 16, Info(0, 99, 20, 500), {34, 150}},
      {"a position before the start stays inside", 200, 16, 16, Info(10, 109, 20, 0), {34, 16}},
      {"page 0: as long as an arrow", 200, 20, 16, Info(0, 99, 0, 0), {20, 20}},
      {"page 0: at least the smallest thumb", 200, 10, 16, Info(0, 99, 0, 0), {16, 10}},
      {"page 0 and no arrows: 19 pixels", 200, 0, 16, Info(0, 99, 0, 0), {19, 0}},
      {"no arrows: 19 pixels even when the smallest thumb is larger", 200, 0, 30, Info(0, 999, 1, 0), {19, 0}},
      {"a tiny page gets the smallest thumb", 200, 16, 16, Info(0, 9999, 1, 0), {16, 16}},
      {"zero range (max below min): the smallest thumb, no offset", 200, 16, 16, Info(5, 3, 10, 4), {16, 16}},
      {"page as long as the range fills the track", 200, 16, 16, Info(0, 99, 100, 50), {168, 16}},
      {"page longer than the range", 200, 16, 16, Info(0, 99, 300, 50), {504, 16}},
      {"a range wider than 32 bits gives no movement", 200, 16, 16, Info(INT32_MIN, INT32_MAX, 10, 0), {16, 16}},
      {"offset bar start", 200, 16, 16, Info(0, 99, 20, 0), {34, 16}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ThumbGeometry(c.length, 0, c.arrow, c.si, c.minThumb), c.expected) << c.what;
    const TThumb moved = ThumbGeometry(c.length, 100, c.arrow, c.si, c.minThumb);
    EXPECT_EQ(moved.Start, c.expected.Start + 100) << c.what << ": begins at the bar's start";
  }
  EXPECT_TRUE(ThumbFits(200, 16, ThumbGeometry(200, 0, 16, Info(0, 99, 20, 0), 16)));
  EXPECT_FALSE(ThumbFits(40, 16, ThumbGeometry(40, 0, 16, Info(0, 99, 20, 0), 16))) << "a short bar has no thumb";
  EXPECT_FALSE(ThumbFits(200, 16, ThumbGeometry(200, 0, 16, Info(0, 99, 100, 0), 16)));
}

TEST(ScrollGeometry, PartsUnderAPoint) {
  const TBarRect h{10, 100, 210, 117};  // a horizontal bar 200 long, 17 thick
  const TBarScrollInfo si = Info(0, 99, 20, 40);  // thumb 34 at 10 + 16 + 67 = 93..127
  struct Case {
    int32_t x, y;
    bool shift;
    TBarPart part;
  };
  const Case cases[] = {
      {10, 100, false, bpFirstArrow},   {25, 116, false, bpFirstArrow},  {26, 108, false, bpTrackBefore},
      {92, 108, false, bpTrackBefore},  {93, 108, false, bpThumb},       {126, 108, false, bpThumb},
      {127, 108, false, bpTrackAfter},  {193, 108, false, bpTrackAfter}, {194, 108, false, bpSecondArrow},
      {209, 108, false, bpSecondArrow}, {210, 108, false, bpNone},       {9, 108, false, bpNone},
      {50, 99, false, bpNone},          {50, 117, false, bpNone},        {50, 108, true, bpTrackJump},
      {150, 108, true, bpTrackJump},    {100, 108, true, bpThumb},       {12, 108, true, bpFirstArrow},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HitTestBar(true, h, c.x, c.y, 16, si, 16, c.shift), c.part) << c.x << "," << c.y << " shift " << c.shift;
  // The vertical bar runs along y.
  const TBarRect v{100, 10, 117, 210};
  EXPECT_EQ(HitTestBar(false, v, 108, 12, 16, si, 16, false), bpFirstArrow);
  EXPECT_EQ(HitTestBar(false, v, 108, 100, 16, si, 16, false), bpThumb);
  EXPECT_EQ(HitTestBar(false, v, 108, 200, 16, si, 16, false), bpSecondArrow);
  EXPECT_EQ(HitTestBar(false, v, 99, 100, 16, si, 16, false), bpNone);
  // A bar shorter than two arrows: two half-length arrows and nothing between.
  const TBarRect shortBar{0, 0, 20, 17};
  EXPECT_EQ(HitTestBar(true, shortBar, 9, 5, 16, si, 16, false), bpFirstArrow);
  EXPECT_EQ(HitTestBar(true, shortBar, 10, 5, 16, si, 16, false), bpSecondArrow);
  EXPECT_EQ(ArrowExtent(20, 16), 10);
  // Arrows fit, the thumb does not: the track answers nothing.
  const TBarRect tight{0, 0, 40, 17};
  EXPECT_EQ(HitTestBar(true, tight, 20, 5, 16, si, 16, false), bpNone);
}

TEST(ScrollGeometry, DraggingTheThumb) {
  // Bar 0..200 with arrows of 16 and a thumb of 34: the thumb stays between the arrows.
  EXPECT_EQ(DraggedThumbStart(100, 10, 0, 200, 16, 34), 90);
  EXPECT_EQ(DraggedThumbStart(5, 10, 0, 200, 16, 34), 16);
  EXPECT_EQ(DraggedThumbStart(400, 10, 0, 200, 16, 34), 150);
  struct Case {
    int32_t offset;
    TBarScrollInfo si;
    int32_t track, thumb, position;
  };
  const Case cases[] = {
      {0, Info(0, 99, 20, 0), 168, 34, 0},
      {134, Info(0, 99, 20, 0), 168, 34, 80},   // the last position
      {67, Info(0, 99, 20, 0), 168, 34, 40},
      {1, Info(0, 99, 20, 0), 168, 34, 1},      // 80 / 134 = 0.6 -> 1
      {50, Info(3, 3, 0, 0), 168, 34, 50},      // no range: the pixel offset itself
      {50, Info(0, 99, 20, 0), 34, 34, 0},      // no room to move
      {50, Info(INT32_MIN, INT32_MAX, 20, 0), 168, 34, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DraggedPosition(c.offset, c.si, c.track, c.thumb), c.position) << c.offset;
}

TEST(ScrollGeometry, BarRectanglesAndTheirRoom) {
  const TBarRect window{100, 50, 300, 250};
  const TBarBorders frame{2, 2, 2, 2};
  TBarLayout both{true, true, 17, 15, false};
  EXPECT_EQ(HorzBarRect(window, frame, both), (TBarRect{102, 231, 283, 248}));
  EXPECT_EQ(VertBarRect(window, frame, both), (TBarRect{283, 52, 298, 231}));
  EXPECT_EQ(BarCornerRect(window, frame, both), (TBarRect{283, 231, 298, 248}));
  TBarLayout left = both;
  left.LeftScrollBar = true;
  EXPECT_EQ(HorzBarRect(window, frame, left), (TBarRect{117, 231, 298, 248}));
  EXPECT_EQ(VertBarRect(window, frame, left), (TBarRect{102, 52, 117, 231}));
  TBarLayout vertOnly{false, true, 17, 15, false};
  EXPECT_EQ(VertBarRect(window, frame, vertOnly), (TBarRect{283, 52, 298, 248}));
  EXPECT_EQ(HorzBarRect(window, frame, vertOnly), TBarRect{});
  EXPECT_EQ(BarCornerRect(window, frame, vertOnly), TBarRect{});

  TBarRect client{2, 2, 198, 198};
  TBarLayout l{false, false, 17, 15, false};
  ReserveBars(client, true, true, l);
  EXPECT_TRUE(l.HorzVisible && l.VertVisible);
  EXPECT_EQ(client, (TBarRect{2, 2, 183, 181}));
  TBarRect leftClient{2, 2, 198, 198};
  TBarLayout ll{false, false, 17, 15, true};
  ReserveBars(leftClient, false, true, ll);
  EXPECT_EQ(leftClient, (TBarRect{17, 2, 198, 198})) << "a left bar moves the client's left edge";
  TBarRect tiny{0, 0, 10, 10};
  TBarLayout tl{true, true, 17, 15, false};
  ReserveBars(tiny, true, false, tl);
  EXPECT_FALSE(tl.HorzVisible) << "a client area lower than the bar hides it";
  EXPECT_FALSE(tl.VertVisible) << "a bar the style does not show is hidden";
  EXPECT_EQ(tiny, (TBarRect{0, 0, 10, 10}));
}

TEST(ScrollGeometry, WhichSizeSettingWins) {
  TBarSizeInputs in;
  in.SystemThickness = 17;
  in.SkinButtonSize = 16;
  in.SkinScaleNum = 3;
  in.SkinScaleDen = 2;  // a skin drawn at 150 percent
  EXPECT_EQ(BarThickness(in), 17) << "nothing set: once the system's";
  EXPECT_EQ(BarArrowLength(in), 16) << "nothing set: once the skin's button size";
  in.OwnThickness = -2;
  in.OwnArrow = -2;
  EXPECT_EQ(BarThickness(in), 34);
  EXPECT_EQ(BarArrowLength(in), 32);
  in.OwnThickness = 12;
  in.OwnArrow = 11;
  EXPECT_EQ(BarThickness(in), 12) << "the bar's own size";
  EXPECT_EQ(BarArrowLength(in), 11);
  in.ManagerWidth = 14;
  EXPECT_EQ(BarThickness(in), 14) << "the manager's width before the bar's own";
  EXPECT_EQ(BarArrowLength(in), 11) << "the bar's own arrow before the manager's width";
  in.OwnArrow = -1;
  EXPECT_EQ(BarArrowLength(in), 14) << "the manager's width stands for the arrow too";
  in.ScaleManagerWidth = true;
  EXPECT_EQ(BarThickness(in), 21);
  EXPECT_EQ(BarArrowLength(in), 21);
  in.ManagerButtons = 13;
  EXPECT_EQ(BarArrowLength(in), 13) << "the manager's arrow length, not scaled";
  in.DataWidth = 10;
  in.DataButtons = 8;
  EXPECT_EQ(BarThickness(in), 15) << "the control's own width first, scaled by the skin";
  EXPECT_EQ(BarArrowLength(in), 12);
  in.DataWidth = 0;
  EXPECT_EQ(BarThickness(in), 0) << "0 is a size, not unset";
}

TEST(ScrollGeometry, ArrowButtonsSizedByTheirPictures) {
  const TBarRect left{0, 0, 17, 17}, up{0, 0, 17, 17}, right{83, 0, 100, 17}, down{0, 83, 17, 100};
  struct Case {
    TBarRect r;
    int direction;
    int32_t w, h;
    TBarRect expected;
  } cases[] = {
      {left, 0, 21, 9, {0, 0, 21, 17}},    // longer picture: into the track
      {up, 1, 9, 21, {0, 0, 17, 21}},
      {right, 2, 21, 9, {79, 0, 100, 17}},
      {down, 3, 9, 21, {0, 79, 17, 100}},
      {right, 2, 17, 40, right},           // only the length along the bar counts
      {left, 0, 12, 17, {0, 0, 12, 17}},   // a shorter picture leaves track showing
  };
  for (const Case& c : cases)
    EXPECT_EQ(ArrowButtonRect(c.r, c.direction, c.w, c.h), c.expected) << c.direction << " " << c.w << "x" << c.h;
}

TEST(ScrollGeometry, TheGripOnlyInTheTopWindowsCorner) {
  const TBarRect top{10, 40, 410, 340};
  EXPECT_TRUE(CornerTakesGrip({200, 100, 410, 340}, top));
  EXPECT_FALSE(CornerTakesGrip({200, 100, 409, 340}, top));
  EXPECT_FALSE(CornerTakesGrip({200, 100, 410, 330}, top));
}

}  // namespace
}  // namespace skin

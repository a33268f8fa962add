// Glyph outlines walked into strokes: contours and their numbering, flattened curves, and
// buffers whose byte counts lie (zero sizes, sizes past the end, curves past their polygon).
#include <gtest/gtest.h>

#include "OutlineBuffer.h"
#include "rtl/SysUtils.h"
#include "skin/graphics/acGlyphOutline.h"

using namespace skin;
using skin::test::OutlineBuffer;
using skin::test::RingOutline;

namespace {
TacStrokeCollection Walk(const std::vector<uint8_t>& b) { return WalkGlyphOutline(b.data(), b.size()); }
}  // namespace

TEST(GlyphOutline, RingHasTwoContoursNumberedInOrder) {
  const TacStrokeCollection s = Walk(RingOutline());
  ASSERT_EQ(s.Count(), 8);
  EXPECT_EQ(s.ContourCount(), 2);
  EXPECT_EQ(s.FirstStroke(0), 0);
  EXPECT_EQ(s.FirstStroke(1), 4);
  EXPECT_EQ(s.StrokeCount(0), 4);
  EXPECT_EQ(s.StrokeCount(1), 4);
  EXPECT_EQ(s.FirstStroke(2), -1);
  EXPECT_EQ(s.StrokeCount(-1), -1);
  EXPECT_EQ(s.Bounds(), (gui::TRect{0, 0, 100, 100}));
  // The closing stroke runs from the last point back to the start.
  const TacStroke last = s.Stroke(3);
  EXPECT_EQ(last.Contour, 0);
  EXPECT_EQ((std::vector<int>{last.X1, last.Y1, last.X2, last.Y2}), (std::vector<int>{100, 0, 0, 0}));
  EXPECT_EQ(s.Stroke(4).Contour, 1);
  EXPECT_THROW(s.Stroke(8), rtl::ERangeError);
  EXPECT_EQ(TacStrokeCollection().Bounds(), gui::TRect{});
  EXPECT_EQ(TacStrokeCollection().ContourCount(), 0);
}

TEST(GlyphOutline, QuadraticCurvesFlattenIntoSevenPieces) {
  // From (0, 0) through control (70, 70) to (140, 0): P(t) = (140 t, 140 t (1 - t)).
  OutlineBuffer b;
  b.Polygon(0, 0).Curve(2, {{70, 70}, {140, 0}}).End();
  const TacStrokeCollection s = Walk(b.Bytes());
  ASSERT_EQ(s.Count(), 8);  // 7 pieces and the closing stroke
  const int ys[] = {0, 17, 29, 34, 34, 29, 17, 0};
  for (int k = 0; k < 7; ++k) {
    const TacStroke p = s.Stroke(k);
    EXPECT_EQ(p.X1, 20 * k);
    EXPECT_EQ(p.Y1, ys[k]) << k;
    EXPECT_EQ(p.X2, 20 * (k + 1));
    EXPECT_EQ(p.Y2, ys[k + 1]) << k;
  }
  // Three points: the first piece ends half-way between the two controls.
  OutlineBuffer three;
  three.Polygon(0, 0).Curve(2, {{0, 70}, {70, 70}, {70, 0}}).End();
  const TacStrokeCollection t = Walk(three.Bytes());
  EXPECT_EQ(t.Stroke(6).X2, 35);
  EXPECT_EQ(t.Stroke(6).Y2, 70);
  EXPECT_EQ(t.Stroke(13).X2, 70);
  EXPECT_EQ(t.Stroke(13).Y2, 0);
}

TEST(GlyphOutline, LyingByteCountsStopTheWalk) {
  struct Case {
    const char* what;
    size_t at;
    bool wide;
    uint32_t value;
    int strokes;  // what is kept: the polygons walked in full
  } cases[] = {
      {"first polygon of size 0", 0, true, 0, 0},
      {"first polygon of size below its header", 0, true, 15, 0},
      {"second polygon of size 0", 44, true, 0, 4},
      {"second polygon past the end", 44, true, 1000, 4},
      {"second polygon of a huge size", 44, true, 0xFFFFFFF0u, 4},
      {"second polygon of another type", 48, true, 7, 4},
      {"first curve without points", 18, false, 0, 0},
      {"first curve past its polygon", 18, false, 4, 0},
      {"second curve past its polygon", 62, false, 40000, 4},
      {"first polygon one byte short of its curve", 0, true, 43, 0},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = RingOutline();
    OutlineBuffer b;
    b.Bytes() = bytes;
    if (c.wide)
      b.Poke32(c.at, c.value);
    else
      b.Poke16(c.at, uint16_t(c.value));
    EXPECT_EQ(Walk(b.Bytes()).Count(), c.strokes) << c.what;
  }
  // A buffer cut short anywhere never reads past its end (the sanitizers watch this).
  const std::vector<uint8_t> ring = RingOutline();
  for (size_t n = 0; n <= ring.size(); ++n) {
    std::vector<uint8_t> cut(ring.begin(), ring.begin() + long(n));
    const int count = Walk(cut).Count();
    EXPECT_EQ(count, n == ring.size() ? 8 : n >= 44 ? 4 : 0) << n;
  }
  EXPECT_EQ(WalkGlyphOutline(nullptr, 100).Count(), 0);
}

TEST(GlyphOutline, FitAndPlaceTurnTheOutlineDownwards) {
  const TacStrokeCollection s = Walk(RingOutline());
  // A square outline in a wide rectangle fits the height; measuring leaves 4 pixels.
  EXPECT_EQ(FitOutlineSize(s.Bounds(), 40, 20, 100, false), (gui::TPoint{20, 20}));
  EXPECT_EQ(FitOutlineSize(s.Bounds(), 40, 20, 100, true), (gui::TPoint{16, 16}));
  EXPECT_EQ(FitOutlineSize(s.Bounds(), 40, 20, 12, false), (gui::TPoint{12, 12}));
  // In a tall one it fits the width; measuring leaves 6.
  EXPECT_EQ(FitOutlineSize(s.Bounds(), 20, 40, 100, true), (gui::TPoint{14, 14}));
  // An outline of no height fits nothing instead of dividing by zero.
  EXPECT_EQ(FitOutlineSize({0, 5, 10, 5}, 20, 20, 20, false), gui::TPoint{});

  const auto polygons = PlaceOutline(s, {0, 0, 20, 20}, {20, 20});
  ASSERT_EQ(polygons.size(), 2u);
  ASSERT_EQ(polygons[0].size(), 4u);
  // (0, 0) at the bottom-left: x 0, y 0 + 20 - 0 - 2; (0, 100) near the top: 20 - 20 - 2.
  EXPECT_FLOAT_EQ(polygons[0][0].X, 0);
  EXPECT_FLOAT_EQ(polygons[0][0].Y, 18);
  EXPECT_FLOAT_EQ(polygons[0][1].Y, -2);
  EXPECT_FLOAT_EQ(polygons[0][2].X, 20);
  EXPECT_FLOAT_EQ(polygons[1][0].X, 5);  // 20 / 101 * 25 = 4.95
}

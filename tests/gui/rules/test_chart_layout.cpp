#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "gui/rules/ChartLayout.h"
#include "rtl/FormatNumber.h"

using namespace gui::chart;

namespace {

// Inside (or on) the ellipse inscribed in the box, allowing a pixel for rounding.
bool InsideEllipse(const Box& e, Pt p) {
  const double cx = (e.left + e.right) / 2.0, cy = (e.top + e.bottom) / 2.0;
  const double rx = e.Width() / 2.0 + 1, ry = e.Height() / 2.0 + 1;
  const double dx = (p.x - cx) / rx, dy = (p.y - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

}  // namespace

TEST(PieLayout, SlicesShareTheTurnByValueInOrder) {
  struct Case {
    std::vector<double> values;
    std::vector<double> sweeps;
  } cases[] = {
      {{1, 1, 2}, {90, 90, 180}},
      {{3}, {360}},
      {{0, 5, 0}, {0, 360, 0}},
      {{-4, 1, 3}, {0, 90, 270}},  // a value below zero has no share
      {{0, 0}, {0, 0}},
      {{std::numeric_limits<double>::quiet_NaN(), 2}, {0, 360}},
      {{}, {}},
  };
  for (const auto& c : cases) {
    auto slices = PieSlices(c.values);
    ASSERT_EQ(slices.size(), c.sweeps.size());
    double at = 0;
    for (size_t i = 0; i < slices.size(); ++i) {
      EXPECT_DOUBLE_EQ(slices[i].start, at) << i;
      EXPECT_DOUBLE_EQ(slices[i].sweep, c.sweeps[i]) << i;
      at += c.sweeps[i];
    }
  }
}

TEST(PieLayout, ASlicePolygonRunsFromTheCentreAlongTheRim) {
  const Box e{0, 0, 100, 100};
  // A quarter from twelve o'clock clockwise to three o'clock.
  auto quarter = SlicePolygon(e, {0, 90});
  ASSERT_GE(quarter.size(), 32u);  // the rim at most every 3 degrees: 30 steps and the centre
  EXPECT_EQ(quarter.front(), (Pt{50, 50}));
  EXPECT_EQ(quarter[1], (Pt{50, 0}));
  EXPECT_EQ(quarter.back(), (Pt{100, 50}));
  for (Pt p : quarter) {
    EXPECT_TRUE(InsideEllipse(e, p)) << p.x << "," << p.y;
    EXPECT_GE(p.x, 50);
    EXPECT_LE(p.y, 50);
  }
  // A whole turn is the rim alone; a slice of nothing is nothing.
  auto whole = SlicePolygon(e, {0, 360});
  for (Pt p : whole) EXPECT_NE(p, (Pt{50, 50}));
  EXPECT_EQ(whole.front(), (Pt{50, 0}));
  EXPECT_TRUE(SlicePolygon(e, {45, 0}).empty());
  EXPECT_TRUE(SlicePolygon(Box{}, {0, 90}).empty());
  // An oval box gives an oval.
  EXPECT_EQ(PointOnEllipse({0, 0, 200, 100}, 90), (Pt{200, 50}));
  EXPECT_EQ(PointOnEllipse({0, 0, 200, 100}, 180, 0.5), (Pt{100, 75}));
}

TEST(PieLayout, MarksSitOutsideTheRimAndReadAwayFromThePie) {
  const Box e{100, 100, 200, 200};
  struct Case {
    Slice s;
    Pt at;
    bool right;
  } cases[] = {
      {{0, 180}, {210, 150}, true},    // middle at three o'clock
      {{180, 180}, {90, 150}, false},  // nine o'clock
      {{-20, 40}, {150, 90}, true},    // twelve o'clock
      {{170, 20}, {150, 210}, false},  // six o'clock
      {{700, 40}, {150, 90}, true},    // turns beyond one count as well
  };
  for (const auto& c : cases) {
    MarkSpot m = SliceMark(e, c.s, 10);
    EXPECT_EQ(m.at, c.at) << c.s.start;
    EXPECT_EQ(m.toTheRight, c.right) << c.s.start;
  }
}

TEST(PieLayout, TheLegendTakesTheRightAndThePieTheSquareOfTheRest) {
  const Box area{0, 0, 400, 300};
  LegendLayout l = PlaceLegend(area, 6, 18, 70);
  EXPECT_EQ(l.legend.right, 392);
  EXPECT_EQ(l.legend.Height(), 6 * 18 + 12);
  EXPECT_EQ(l.legend.top, (300 - l.legend.Height()) / 2);
  EXPECT_LT(l.pieArea.right, l.legend.left);
  Box last = l.Row(5, 18);
  EXPECT_LE(last.bottom, l.legend.bottom);
  EXPECT_GE(last.left, l.legend.left);
  Box swatch = LegendSwatch(last);
  EXPECT_EQ(swatch.Width(), swatch.Height());
  EXPECT_GE(swatch.top, last.top);
  EXPECT_LE(swatch.bottom, last.bottom);
  // Room for a row's text beside its swatch.
  EXPECT_GE(last.right - swatch.right, 70);

  Box pie = PieBox(l.pieArea, 20);
  EXPECT_EQ(pie.Width(), pie.Height());
  EXPECT_EQ(pie.Height(), 244);  // the narrower side of what is left
  EXPECT_GE(pie.left, l.pieArea.left + 20);
  EXPECT_LE(pie.right, l.pieArea.right - 20);
  EXPECT_TRUE(PieBox({0, 0, 30, 30}, 20).Empty());
  // No rows: no legend, the whole area for the pie.
  EXPECT_EQ(PlaceLegend(area, 0, 18, 70).pieArea, area);
}

TEST(BarLayout, TheScaleStepsInOnesTwosAndFivesAndHoldsZero) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double lo, hi;
    int steps;
    Scale expected;
  } cases[] = {
      {0, 0, 5, {0, 1, 1}},  // nothing to show
      {0, 100, 5, {0, 100, 20}},
      {0, 1234567, 5, {0, 1500000, 500000}},
      {5, 7, 4, {0, 8, 2}},  // zero stays on the axis
      {0, 0.3, 3, {0, 0.3, 0.1}},
      {-30, 70, 5, {-50, 100, 50}},
      {-5, -1, 2, {-5, 0, 5}},
      {-1, 1, 1, {-1, 1, 1}},  // both signs need two steps whatever was asked
      {nan, 10, 0, {0, 10, 10}},
      {0, std::numeric_limits<double>::infinity(), 5, {0, 1, 1}},
  };
  for (const auto& c : cases) {
    Scale s = NiceScale(c.lo, c.hi, c.steps);
    EXPECT_NEAR(s.low, c.expected.low, 1e-9) << c.lo << ".." << c.hi;
    EXPECT_NEAR(s.high, c.expected.high, 1e-9) << c.lo << ".." << c.hi;
    EXPECT_NEAR(s.step, c.expected.step, 1e-9) << c.lo << ".." << c.hi;
    EXPECT_LE(s.low, std::min(0.0, std::isfinite(c.lo) ? c.lo : 0.0));
  }
  auto ticks = Ticks({-50, 100, 50});
  ASSERT_EQ(ticks.size(), 4u);
  EXPECT_DOUBLE_EQ(ticks[1], 0);
  EXPECT_DOUBLE_EQ(ticks[3], 100);
  EXPECT_TRUE(Ticks({0, 1, 0}).empty());
}

TEST(BarLayout, BarsStandInEqualSlotsFromZeroToTheirValue) {
  const Box plot{0, 0, 100, 200};
  const Scale s{0, 100, 20};
  EXPECT_EQ(ValueToY(50, s, plot), 100);
  EXPECT_EQ(ValueToY(0, s, plot), 200);
  EXPECT_EQ(ValueToY(150, s, plot), 0);  // held at the top
  EXPECT_EQ(BarBox(plot, 0, 4, 50, s), (Box{3, 100, 21, 200}));
  EXPECT_EQ(BarBox(plot, 3, 4, 100, s), (Box{78, 0, 96, 200}));
  EXPECT_TRUE(BarBox(plot, 4, 4, 10, s).Empty());
  // Below zero a bar hangs from the zero line.
  const Box tall{0, 0, 100, 150};
  EXPECT_EQ(BarBox(tall, 0, 1, -50, {-50, 100, 50}), (Box{15, 100, 85, 150}));
  // The slots of a long month cover the plot without gaps or overlaps.
  const Box wide{40, 10, 747, 300};
  EXPECT_EQ(BarSlot(wide, 0, 31).left, 40);
  EXPECT_EQ(BarSlot(wide, 30, 31).right, 747);
  for (int i = 0; i + 1 < 31; ++i) EXPECT_EQ(BarSlot(wide, i, 31).right, BarSlot(wide, i + 1, 31).left);
  // A slot of one pixel still gets a bar of one.
  EXPECT_EQ(BarBox({0, 0, 40, 100}, 5, 31, 1, {0, 1, 1}).Width(), 1);
  // The plot leaves the value labels, the marks and the point labels their room.
  EXPECT_EQ(BarPlot({0, 0, 500, 300}, 60, 16, 14), (Box{70, 20, 490, 280}));
}

TEST(BarLayout, LabelsThinOutAndMarksStandUpWhenSlotsAreNarrow) {
  struct Case {
    int widest, slot, stride;
    bool standUp;
  } cases[] = {
      {12, 40, 1, false}, {38, 40, 1, false}, {40, 40, 2, false},
      {41, 20, 3, true},  {10, 0, 1, true},   {0, 5, 1, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LabelStride(c.widest, c.slot), c.stride) << c.widest << "/" << c.slot;
    EXPECT_EQ(MarksStandUp(c.widest, c.slot), c.standUp) << c.widest << "/" << c.slot;
  }
}

TEST(ChartTexts, ValuesWithSeparatorsAndWholePercents) {
  rtl::DefaultNumberFormat() = {'.', ','};
  EXPECT_EQ(ValueText(1250000), "1.250.000");
  EXPECT_EQ(ValueText(0), "0");
  EXPECT_EQ(ValueText(999.6), "1.000");
  struct Case {
    double v, total;
    const char* text;
  } cases[] = {{1, 4, "25%"}, {1, 3, "33%"}, {2, 3, "67%"}, {1, 8, "13%"}, {0, 5, "0%"}, {3, 0, "0%"}, {-1, 4, "0%"}};
  for (const auto& c : cases) EXPECT_EQ(PercentText(c.v, c.total), c.text) << c.v << "/" << c.total;
  EXPECT_NE(AutoColor(0), AutoColor(1));
  EXPECT_EQ(AutoColor(10), AutoColor(0));
  EXPECT_EQ(AutoColor(-1), AutoColor(9));
}

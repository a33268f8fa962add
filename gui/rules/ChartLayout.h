// The arithmetic of the chart control: where slices, bars, ticks and marks go, the axis
// scale and the texts points show. The control measures texts and paints; everything it
// places comes from here, so the geometry is tested without a window.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace gui::chart {

struct Pt {
  int x = 0, y = 0;
  bool operator==(const Pt&) const = default;
};

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const Box&) const = default;
};

// The colour a point gets when it has none of its own (0x00BBGGRR), by its index; the
// list repeats after its end.
uint32_t AutoColor(int index);

// A value as a point's mark and an axis label show it: whole units with thousands
// separators ("1.250.000" with the Indonesian separator).
std::string ValueText(double value);
// The share of one value in the total as whole percent, rounded half up ("25%"); a
// total of zero or less gives "0%".
std::string PercentText(double value, double total);

// ---------------------------------------------------------------- pie

// Angles in degrees, clockwise from twelve o'clock.
struct Slice {
  double start = 0, sweep = 0;
  double Middle() const { return start + sweep / 2; }
};

// One slice per value, in order, sharing the full turn by value. Negative values count
// as zero (a count below zero has no share); when nothing is left every sweep is zero.
std::vector<Slice> PieSlices(const std::vector<double>& values);

// The point at the angle on the ellipse inscribed in `ellipse`, at `factor` times its
// radii from the centre (1 is the rim).
Pt PointOnEllipse(const Box& ellipse, double degrees, double factor = 1.0);

// A slice as a polygon: the centre and the rim at most every 3 degrees. Empty for a
// slice of no sweep; a full turn is the rim alone.
std::vector<Pt> SlicePolygon(const Box& ellipse, const Slice& s);

// Where a slice's mark goes: just outside the rim at the slice's middle. The text runs
// away from the pie: to the right on the right half, else to the left.
struct MarkSpot {
  Pt at;
  bool toTheRight = true;
};
MarkSpot SliceMark(const Box& ellipse, const Slice& s, int gap);

// The pie's circle: the largest square centred in `area` after `margin` is kept free on
// every side for the marks. Empty when nothing is left.
Box PieBox(const Box& area, int margin);

// The legend at the right of `area`: one row per entry of `rowHeight`, a colour swatch
// and the widest text; vertically centred. `pieArea` is what is left at the left.
struct LegendLayout {
  Box legend;
  Box pieArea;
  Box Row(int i, int rowHeight) const;
};
LegendLayout PlaceLegend(const Box& area, int rows, int rowHeight, int widestText);
// The swatch of a legend row: a square at its left.
Box LegendSwatch(const Box& row);

// ---------------------------------------------------------------- bars

// The value axis: from `low` to `high` in `step`s of 1, 2 or 5 times a power of ten,
// zero always on it, at most `maxSteps` steps. A range of nothing (no values, or all
// zero) gives 0 to 1.
struct Scale {
  double low = 0, high = 1, step = 1;
  bool operator==(const Scale&) const = default;
};
Scale NiceScale(double minValue, double maxValue, int maxSteps);
// The tick values from low to high.
std::vector<double> Ticks(const Scale& s);

// The y of a value in the plot: low at the bottom edge, high at the top.
int ValueToY(double v, const Scale& s, const Box& plot);

// The plot of a bar chart inside `area`: the value labels at the left, room for the
// marks above the bars, the point labels below.
Box BarPlot(const Box& area, int axisLabelWidth, int markRoom, int labelHeight);

// Slot i of `count` equal slots across the plot, and the bar standing in it: 70% of
// the slot wide (at least one pixel), from zero to the value.
Box BarSlot(const Box& plot, int index, int count);
Box BarBox(const Box& plot, int index, int count, double value, const Scale& s);

// Marks lie flat when the widest fits in a slot, else they stand up (drawn turned by a
// quarter, reading upwards).
bool MarksStandUp(int widestMark, int slotWidth);
// Every how many slots a label is written so that labels do not run into each other:
// 1 when each fits in its slot.
int LabelStride(int widestLabel, int slotWidth);

}  // namespace gui::chart

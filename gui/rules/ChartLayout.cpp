#include "gui/rules/ChartLayout.h"

#include <algorithm>
#include <cmath>

#include "rtl/FormatNumber.h"

namespace gui::chart {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFullTurn = 360.0;
constexpr double kMaxStepDegrees = 3.0;

double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

uint32_t AutoColor(int index) {
  // Strong, well-told-apart colours that read on white and under white or black text.
  static const uint32_t kColors[] = {
      0xA46534,  // blue
      0x0079F5,  // orange
      0x069A4E,  // green
      0x0000CC,  // red
      0x7B5075,  // purple
      0x00C4ED,  // gold
      0x117DC1,  // brown
      0x9A9806,  // teal
      0xA054E9,  // pink
      0x858A88,  // grey
  };
  constexpr int n = static_cast<int>(sizeof kColors / sizeof kColors[0]);
  return kColors[((index % n) + n) % n];
}

std::string ValueText(double value) { return rtl::FormatFloat("#,##0", Finite(value)); }

std::string PercentText(double value, double total) {
  value = Finite(value);
  total = Finite(total);
  if (total <= 0 || value <= 0) return "0%";
  return std::to_string(static_cast<long long>(std::floor(value / total * 100.0 + 0.5))) + "%";
}

// ---------------------------------------------------------------- pie

std::vector<Slice> PieSlices(const std::vector<double>& values) {
  double total = 0;
  for (double v : values) total += std::max(0.0, Finite(v));
  std::vector<Slice> slices;
  slices.reserve(values.size());
  double at = 0;
  for (double v : values) {
    double sweep = total > 0 ? std::max(0.0, Finite(v)) / total * kFullTurn : 0.0;
    slices.push_back({at, sweep});
    at += sweep;
  }
  return slices;
}

Pt PointOnEllipse(const Box& e, double degrees, double factor) {
  const double cx = (e.left + e.right) / 2.0, cy = (e.top + e.bottom) / 2.0;
  const double rx = e.Width() / 2.0 * factor, ry = e.Height() / 2.0 * factor;
  const double rad = degrees * kPi / 180.0;
  return {static_cast<int>(std::lround(cx + rx * std::sin(rad))),
          static_cast<int>(std::lround(cy - ry * std::cos(rad)))};
}

std::vector<Pt> SlicePolygon(const Box& e, const Slice& s) {
  std::vector<Pt> points;
  if (!(s.sweep > 0) || e.Empty()) return points;
  const bool whole = s.sweep >= kFullTurn - 1e-9;
  const int n = std::max(1, static_cast<int>(std::ceil(s.sweep / kMaxStepDegrees)));
  if (!whole) points.push_back(PointOnEllipse(e, 0, 0));
  for (int i = 0; i <= n; ++i) {
    if (whole && i == n) break;  // the rim closes on its first point
    points.push_back(PointOnEllipse(e, s.start + s.sweep * i / n));
  }
  return points;
}

MarkSpot SliceMark(const Box& e, const Slice& s, int gap) {
  const Box out{e.left - gap, e.top - gap, e.right + gap, e.bottom + gap};
  double mid = std::fmod(s.Middle(), kFullTurn);
  if (mid < 0) mid += kFullTurn;
  return {PointOnEllipse(out, mid), mid < 180.0};
}

Box PieBox(const Box& area, int margin) {
  const Box in{area.left + margin, area.top + margin, area.right - margin, area.bottom - margin};
  const int side = std::min(in.Width(), in.Height());
  if (side <= 0) return {};
  const int left = in.left + (in.Width() - side) / 2, top = in.top + (in.Height() - side) / 2;
  return {left, top, left + side, top + side};
}

namespace {
constexpr int kLegendPad = 6;
constexpr int kLegendGap = 6;
constexpr int kOuterGap = 8;
}  // namespace

LegendLayout PlaceLegend(const Box& area, int rows, int rowHeight, int widestText) {
  if (rows <= 0) return {{}, area};
  const int swatch = std::max(4, rowHeight - 6);
  const int width = kLegendPad + swatch + kLegendGap + std::max(0, widestText) + kLegendPad;
  const int height = rows * rowHeight + 2 * kLegendPad;
  Box legend;
  legend.right = area.right - kOuterGap;
  legend.left = std::max(area.left, legend.right - width);
  legend.top = area.top + std::max(0, (area.Height() - height) / 2);
  legend.bottom = legend.top + height;
  return {legend, {area.left, area.top, std::max(area.left, legend.left - kOuterGap), area.bottom}};
}

Box LegendLayout::Row(int i, int rowHeight) const {
  const int top = legend.top + kLegendPad + i * rowHeight;
  return {legend.left + kLegendPad, top, legend.right - kLegendPad, top + rowHeight};
}

Box LegendSwatch(const Box& row) {
  const int side = std::max(4, row.Height() - 6);
  const int top = row.top + (row.Height() - side) / 2;
  return {row.left, top, row.left + side, top + side};
}

// ---------------------------------------------------------------- bars

Scale NiceScale(double minValue, double maxValue, int maxSteps) {
  const double lo = std::min(0.0, Finite(minValue)), hi = std::max(0.0, Finite(maxValue));
  // Zero lies between two ticks at least once when both signs are there.
  maxSteps = std::max(lo < 0 && hi > 0 ? 2 : 1, maxSteps);
  if (!(hi - lo > 0) || !std::isfinite(hi - lo)) return {};
  const double raw = (hi - lo) / maxSteps;
  double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  static const double kFactors[] = {1, 2, 5};
  while (std::isfinite(magnitude)) {
    for (double f : kFactors) {
      const double step = f * magnitude;
      if (step < raw * (1 - 1e-12)) continue;
      const double low = std::floor(lo / step + 1e-9) * step;
      const double high = std::ceil(hi / step - 1e-9) * step;
      if ((high - low) / step <= maxSteps + 1e-9) return {low, high, step};
    }
    magnitude *= 10;
  }
  return {lo, hi, hi - lo};  // near the end of what doubles hold: one plain step
}

std::vector<double> Ticks(const Scale& s) {
  std::vector<double> ticks;
  if (!(s.step > 0) || !(s.high > s.low) || !std::isfinite((s.high - s.low) / s.step)) return ticks;
  const long long n = std::llround((s.high - s.low) / s.step);
  for (long long i = 0; i <= n; ++i) ticks.push_back(s.low + s.step * static_cast<double>(i));
  return ticks;
}

int ValueToY(double v, const Scale& s, const Box& plot) {
  const double span = s.high - s.low;
  if (!(span > 0)) return plot.bottom;
  const double f = (std::clamp(Finite(v), s.low, s.high) - s.low) / span;
  return plot.bottom - static_cast<int>(std::lround(f * plot.Height()));
}

Box BarPlot(const Box& area, int axisLabelWidth, int markRoom, int labelHeight) {
  return {area.left + std::max(0, axisLabelWidth) + 10, area.top + std::max(0, markRoom) + 4, area.right - 10,
          area.bottom - std::max(0, labelHeight) - 6};
}

Box BarSlot(const Box& plot, int index, int count) {
  if (count <= 0 || index < 0 || index >= count) return {};
  const long long w = plot.Width();
  return {plot.left + static_cast<int>(w * index / count), plot.top,
          plot.left + static_cast<int>(w * (index + 1) / count), plot.bottom};
}

Box BarBox(const Box& plot, int index, int count, double value, const Scale& s) {
  const Box slot = BarSlot(plot, index, count);
  if (slot.Empty()) return {};
  const int width = std::max(1, static_cast<int>(std::lround(slot.Width() * 0.7)));
  const int left = slot.left + (slot.Width() - width) / 2;
  const int y0 = ValueToY(0, s, plot), y1 = ValueToY(value, s, plot);
  return {left, std::min(y0, y1), left + width, std::max(y0, y1)};
}

bool MarksStandUp(int widestMark, int slotWidth) { return widestMark > slotWidth; }

int LabelStride(int widestLabel, int slotWidth) {
  if (slotWidth <= 0) return 1;
  const int need = std::max(0, widestLabel) + 2;  // a little air between two labels
  return std::max(1, (need + slotWidth - 1) / slotWidth);
}

}  // namespace gui::chart

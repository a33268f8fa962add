#include "gui/Chart.h"

#include <algorithm>

namespace gui {

using chart::Box;
using chart::Pt;

namespace {

TPoint ToPoint(Pt p) { return {p.x, p.y}; }
TRect ToRect(const Box& b) { return {b.left, b.top, b.right, b.bottom}; }

constexpr TColor kGridColor = 0xE0E0E0;
constexpr TColor kFrameColor = clGray;
constexpr int kMarkGap = 10;
// Posted to itself after a series changed; handled after the code that changed it.
constexpr UINT CM_SERIESCHECK = CM_BASE + 0x200;

}  // namespace

// ---------------------------------------------------------------- series

TChartSeries::TChartSeries(TComponent* owner) : TComponent(owner) {}

TChartSeries::~TChartSeries() { SetParentChart(nullptr); }

void TChartSeries::SetParentChart(TChart* chart) {
  if (chart == chart_) return;
  if (chart_) chart_->Detach(this);
  chart_ = chart;
  if (chart_) chart_->Attach(this);
}

int TChartSeries::Add(double value, const std::string& label, TColor color) {
  points_.push_back({value, label, color});
  Changed();
  return Count() - 1;
}

void TChartSeries::Clear() {
  if (points_.empty()) return;
  points_.clear();
  Changed();
}

TColor TChartSeries::ValueColor(int i) const {
  const Point& p = points_.at(i);
  if (!ColorEachPoint) return SeriesColor;
  return p.color == clTeeColor ? static_cast<TColor>(chart::AutoColor(i)) : p.color;
}

double TChartSeries::Total() const {
  double total = 0;
  for (const Point& p : points_) total += std::max(0.0, p.value);
  return total;
}

std::string TChartSeries::MarkText(int i) const {
  switch (MarksStyle) {
    case TSeriesMarksStyle::smsLabel: return XLabel(i);
    case TSeriesMarksStyle::smsPercent: return chart::PercentText(YValue(i), Total());
    case TSeriesMarksStyle::smsValue: break;
  }
  return chart::ValueText(YValue(i));
}

void TChartSeries::Changed() {
  if (chart_) chart_->SeriesChanged();
}

// ---------------------------------------------------------------- chart

TChart::TChart(TComponent* owner) : TCustomControl(owner) {
  width_ = 400;
  height_ = 250;
  color_ = clWhite;
  ControlStyle |= csOpaque;
  titleFont_.SetHeight(-13);
  titleFont_.SetStyle(fsBold);
  titleFont_.SetColor(clBlack);
}

TChart::~TChart() {
  for (TChartSeries* s : series_) s->chart_ = nullptr;
}

void TChart::Attach(TChartSeries* s) {
  series_.push_back(s);
  Invalidate();
}

void TChart::Detach(TChartSeries* s) {
  series_.erase(std::remove(series_.begin(), series_.end(), s), series_.end());
  Invalidate();
}

void TChart::SetTitle(const std::string& title) {
  title_ = title;
  Invalidate();
}

void TChart::SetLegendVisible(bool v) {
  legendVisible_ = v;
  Invalidate();
}

TChart::TShownPoints TChart::CurrentPoints() const {
  TShownPoints points;
  points.reserve(series_.size());
  for (const TChartSeries* s : series_) points.push_back(s->points_);
  return points;
}

void TChart::SeriesChanged() {
  // Without a window there is nothing shown yet: the first painting draws the points.
  if (!HandleAllocated()) return;
  // One check per window: a check posted to a window since destroyed never comes.
  if (checkPostedTo_ == Handle()) return;
  checkPostedTo_ = Handle();
  PostMessageW(checkPostedTo_, CM_SERIESCHECK, 0, 0);
}

void TChart::WndProc(TMessage& msg) {
  if (msg.Msg == CM_SERIESCHECK) {
    checkPostedTo_ = nullptr;
    if (CurrentPoints() != shown_) Invalidate();
    msg.Result = 0;
    return;
  }
  // What the screen shows; a picture printed elsewhere (WM_PRINTCLIENT) does not count.
  if (msg.Msg == WM_PAINT) shown_ = CurrentPoints();
  TCustomControl::WndProc(msg);
}

void TChart::PaintWindow(HDC dc) {
  RECT rc;
  GetClientRect(Handle(), &rc);
  if (rc.right <= 0 || rc.bottom <= 0) return;
  TBitmap buffer(rc.right, rc.bottom);
  Draw(buffer.Canvas(), Rect(0, 0, rc.right, rc.bottom));
  BitBlt(dc, 0, 0, rc.right, rc.bottom, buffer.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TChart::Draw(TCanvas& c, const TRect& r) {
  geometry_ = {};
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(color_);
  c.FillRect(r);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  c.Pen().SetColor(kFrameColor);
  c.Brush().SetStyle(bsClear);
  c.Rectangle(r);

  Box area{r.Left + 8, r.Top + 6, r.Right - 8, r.Bottom - 6};
  if (!title_.empty()) {
    c.Font().Assign(&titleFont_);
    const TSize ts = c.TextExtent(title_);
    c.TextOut(r.Left + (r.Width() - ts.cx) / 2, area.top, title_);
    area.top += ts.cy + 6;
  }
  c.Font().Assign(&Font());
  if (series_.empty() || area.Empty()) return;
  const TChartSeries& s = *series_.front();
  if (dynamic_cast<const TPieSeries*>(&s))
    DrawPie(c, area, s);
  else
    DrawBars(c, area, s);
}

void TChart::DrawPie(TCanvas& c, const Box& area, const TChartSeries& s) {
  const int n = s.Count();
  const int th = c.TextHeight("0");
  std::vector<double> values(n);
  for (int i = 0; i < n; ++i) values[i] = s.YValue(i);

  std::vector<std::string> legendTexts;
  int widestLegend = 0;
  if (legendVisible_) {
    for (int i = 0; i < n; ++i) {
      std::string text = LegendTextStyle == TLegendTextStyle::ltsLeftPercent
                             ? chart::PercentText(values[i], s.Total()) + " " + s.XLabel(i)
                             : s.XLabel(i);
      widestLegend = std::max(widestLegend, c.TextWidth(text));
      legendTexts.push_back(std::move(text));
    }
  }
  const int rowHeight = th + 4;
  const chart::LegendLayout lay =
      legendVisible_ ? chart::PlaceLegend(area, n, rowHeight, widestLegend) : chart::LegendLayout{{}, area};
  int widestMark = 0;
  if (s.MarksVisible)
    for (int i = 0; i < n; ++i) widestMark = std::max(widestMark, c.TextWidth(s.MarkText(i)));
  const int margin = s.MarksVisible ? std::max(widestMark, th) + kMarkGap + 4 : 4;

  geometry_.pie = chart::PieBox(lay.pieArea, margin);
  geometry_.slices = chart::PieSlices(values);
  geometry_.legend = lay.legend;
  const Box& pie = geometry_.pie;
  if (!pie.Empty()) {
    c.Pen().SetColor(clWhite);  // a thin white seam between slices
    c.Brush().SetStyle(bsSolid);
    for (int i = 0; i < n; ++i) {
      std::vector<Pt> poly = chart::SlicePolygon(pie, geometry_.slices[i]);
      if (poly.empty()) continue;
      std::vector<TPoint> points;
      for (Pt p : poly) points.push_back(ToPoint(p));
      c.Brush().SetColor(s.ValueColor(i));
      c.Polygon(points);
    }
    if (s.MarksVisible) {
      c.Brush().SetStyle(bsClear);
      c.Pen().SetColor(kFrameColor);
      for (int i = 0; i < n; ++i) {
        const chart::Slice& slice = geometry_.slices[i];
        if (!(slice.sweep > 0)) continue;
        const chart::MarkSpot m = chart::SliceMark(pie, slice, kMarkGap);
        const Pt rim = chart::PointOnEllipse(pie, slice.Middle());
        c.MoveTo(rim.x, rim.y);
        c.LineTo(m.at.x, m.at.y);
        const std::string text = s.MarkText(i);
        const int w = c.TextWidth(text);
        c.TextOut(m.toTheRight ? m.at.x + 2 : m.at.x - 2 - w, m.at.y - th / 2, text);
      }
    }
  }
  if (!legendVisible_ || lay.legend.Empty()) return;
  c.Pen().SetColor(kFrameColor);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clWhite);
  c.Rectangle(ToRect(lay.legend));
  for (int i = 0; i < n; ++i) {
    const Box row = lay.Row(i, rowHeight);
    const Box swatch = chart::LegendSwatch(row);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(s.ValueColor(i));
    c.Rectangle(ToRect(swatch));
    c.Brush().SetStyle(bsClear);
    c.TextOut(swatch.right + 6, row.top + (row.Height() - th) / 2, legendTexts[i]);
  }
}

void TChart::DrawBars(TCanvas& c, const Box& area, const TChartSeries& s) {
  const int n = s.Count();
  const int th = c.TextHeight("0");
  double lo = 0, hi = 0;
  for (int i = 0; i < n; ++i) {
    lo = std::min(lo, s.YValue(i));
    hi = std::max(hi, s.YValue(i));
  }
  const int maxSteps = std::clamp((area.Height() - 3 * th) / (2 * th + 4), 2, 10);
  geometry_.scale = chart::NiceScale(lo, hi, maxSteps);
  const chart::Scale& sc = geometry_.scale;
  const std::vector<double> ticks = chart::Ticks(sc);
  int axisWidth = 0;
  for (double t : ticks) axisWidth = std::max(axisWidth, c.TextWidth(chart::ValueText(t)));
  int widestMark = 0, widestLabel = 0;
  for (int i = 0; i < n; ++i) {
    if (s.MarksVisible) widestMark = std::max(widestMark, c.TextWidth(s.MarkText(i)));
    widestLabel = std::max(widestLabel, c.TextWidth(s.XLabel(i)));
  }
  // The slots' width depends on the plot's width alone, the marks' room on the slots.
  const Box wide = chart::BarPlot(area, axisWidth, 0, th);
  const int slotWidth = n > 0 ? wide.Width() / n : wide.Width();
  const bool standUp = s.MarksVisible && chart::MarksStandUp(widestMark, slotWidth);
  const int markRoom = !s.MarksVisible ? 0 : standUp ? widestMark + 4 : th + 2;
  geometry_.plot = chart::BarPlot(area, axisWidth, markRoom, th);
  const Box& plot = geometry_.plot;
  if (plot.Empty()) return;

  c.Brush().SetStyle(bsClear);
  for (double t : ticks) {
    const int y = chart::ValueToY(t, sc, plot);
    c.Pen().SetColor(kGridColor);
    c.MoveTo(plot.left - 4, y);
    c.LineTo(plot.right, y);
    const std::string text = chart::ValueText(t);
    c.TextOut(plot.left - 6 - c.TextWidth(text), y - th / 2, text);
  }
  c.Pen().SetColor(kFrameColor);
  c.MoveTo(plot.left, plot.top);
  c.LineTo(plot.left, plot.bottom + 1);
  const int zero = chart::ValueToY(0, sc, plot);
  c.MoveTo(plot.left, zero);
  c.LineTo(plot.right, zero);

  for (int i = 0; i < n; ++i) {
    const Box b = chart::BarBox(plot, i, n, s.YValue(i), sc);
    geometry_.bars.push_back(b);
    if (b.Empty()) continue;
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(s.ValueColor(i));
    c.FillRect(ToRect(b));
  }

  c.Brush().SetStyle(bsClear);
  const int stride = chart::LabelStride(widestLabel, slotWidth);
  for (int i = 0; i < n; ++i) {
    const Box slot = chart::BarSlot(plot, i, n);
    const int cx = (slot.left + slot.right) / 2;
    const Box& b = geometry_.bars[i];
    if (s.MarksVisible) {
      const std::string text = s.MarkText(i);
      const int top = b.Empty() ? zero : b.top;
      if (standUp) {
        c.Font().SetOrientation(900);  // reads upwards from the bar's top
        c.TextOut(cx - th / 2, top - 3, text);
        c.Font().SetOrientation(0);
      } else {
        c.TextOut(cx - c.TextWidth(text) / 2, top - th - 1, text);
      }
    }
    if (i % stride == 0) {
      const std::string& label = s.XLabel(i);
      c.TextOut(cx - c.TextWidth(label) / 2, plot.bottom + 4, label);
    }
  }
}

}  // namespace gui

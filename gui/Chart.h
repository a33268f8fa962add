// Charts drawn by the program itself: a chart control showing a series of points as a
// pie or as bars, with a title, value marks and a legend. The points read back as the
// values they were given; Draw paints on any canvas, so the pixels can be checked too.
#pragma once
#include <string>
#include <vector>

#include "gui/Controls.h"
#include "gui/rules/ChartLayout.h"

namespace gui {

// A point colour that takes the next automatic colour.
inline constexpr TColor clTeeColor = clDefault;

enum class TSeriesMarksStyle { smsValue, smsLabel, smsPercent };
enum class TLegendTextStyle { ltsPlain, ltsLeftPercent };

class TChart;

// Points of one series: a value, a label and a colour each. A series shows on the chart
// it is given to (ParentChart); its owner frees it, like any component.
class TChartSeries : public rtl::TComponent {
  KORVAN_CLASS(TChartSeries)
 public:
  explicit TChartSeries(TComponent* owner);
  ~TChartSeries() override;

  TChart* ParentChart() const { return chart_; }
  void SetParentChart(TChart* chart);

  std::string Title;
  // Each point in its own colour; otherwise every point in SeriesColor.
  bool ColorEachPoint = true;
  TColor SeriesColor = clRed;
  bool MarksVisible = true;
  TSeriesMarksStyle MarksStyle = TSeriesMarksStyle::smsValue;

  // Adds a point and returns its index; clTeeColor takes the next automatic colour.
  int Add(double value, const std::string& label = "", TColor color = clTeeColor);
  void Clear();
  int Count() const { return static_cast<int>(points_.size()); }
  double YValue(int i) const { return points_.at(i).value; }
  const std::string& XLabel(int i) const { return points_.at(i).label; }
  // The colour point i is drawn in.
  TColor ValueColor(int i) const;
  // The sum of the values above zero: what a pie shares out.
  double Total() const;
  // A point's mark as MarksStyle asks.
  std::string MarkText(int i) const;

 private:
  friend class TChart;
  struct Point {
    double value;
    std::string label;
    TColor color;
    bool operator==(const Point&) const = default;
  };
  void Changed();
  std::vector<Point> points_;
  TChart* chart_ = nullptr;
};

// A pie: one slice per point; the legend lists the points.
class TPieSeries : public TChartSeries {
  KORVAN_CLASS(TPieSeries)
 public:
  explicit TPieSeries(TComponent* owner) : TChartSeries(owner) {}
};

// One bar per point over a value axis; the labels run under the bars.
class TBarSeries : public TChartSeries {
  KORVAN_CLASS(TBarSeries)
 public:
  explicit TBarSeries(TComponent* owner) : TChartSeries(owner) {}
};

// Where the last drawing put things, in the coordinates of the canvas drawn on.
struct TChartGeometry {
  chart::Box pie;                    // the pie's circle
  std::vector<chart::Slice> slices;  // one per point
  chart::Box legend;
  chart::Box plot;                   // the bars' plot
  chart::Scale scale;
  std::vector<chart::Box> bars;      // one per point
};

// Shows its first series (a chart holds one series in this program). It paints through
// an off-screen bitmap, so a chart rebuilt every second does not flicker.
class TChart : public TCustomControl {
  KORVAN_CLASS(TChart)
 public:
  explicit TChart(TComponent* owner);
  ~TChart() override;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  TFont& TitleFont() { return titleFont_; }
  bool LegendVisible() const { return legendVisible_; }
  void SetLegendVisible(bool v);
  TLegendTextStyle LegendTextStyle = TLegendTextStyle::ltsLeftPercent;

  int SeriesCount() const { return static_cast<int>(series_.size()); }
  TChartSeries* Series(int i) const { return series_.at(i); }

  // Paints the whole chart into r of the canvas.
  void Draw(TCanvas& canvas, const TRect& r);
  const TChartGeometry& Geometry() const { return geometry_; }

 protected:
  void PaintWindow(HDC dc) override;
  void WndProc(TMessage& msg) override;

 private:
  friend class TChartSeries;
  void Attach(TChartSeries* s);
  void Detach(TChartSeries* s);
  // A series' points changed: once the code that changed them has returned to the
  // message loop, the window is redrawn only if they differ from what it shows. A
  // dashboard that refills its charts every second with the same values then costs no
  // drawing.
  void SeriesChanged();
  using TShownPoints = std::vector<std::vector<TChartSeries::Point>>;
  TShownPoints CurrentPoints() const;
  TShownPoints shown_;  // the points of the last painting of the window
  HWND checkPostedTo_ = nullptr;  // the window a check waits in, if any
  void DrawPie(TCanvas& c, const chart::Box& area, const TChartSeries& s);
  void DrawBars(TCanvas& c, const chart::Box& area, const TChartSeries& s);
  std::vector<TChartSeries*> series_;
  std::string title_;
  TFont titleFont_;
  bool legendVisible_ = true;
  TChartGeometry geometry_;
};

}  // namespace gui

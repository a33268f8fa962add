#include <gtest/gtest.h>

#include "gui/Chart.h"
#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "tests/gui/GuiTestSupport.h"

using namespace gui;

namespace {

TColor At(TBitmap& bmp, chart::Pt p) { return bmp.Canvas().Pixels(p.x, p.y) & 0xFFFFFF; }

chart::Pt Middle(const chart::Box& b) { return {(b.left + b.right) / 2, (b.top + b.bottom) / 2}; }

// A form filled by a chart of one bar, 5 in red.
struct ChartForm {
  TForm form{nullptr};
  TChart* chart = new TChart(&form);
  TBarSeries* series = new TBarSeries(&form);
  ChartForm() {
    form.SetClientSize(400, 300);
    chart->SetParent(&form);
    chart->SetBounds(0, 0, 400, 300);
    series->SetParentChart(chart);
    series->Add(5, "1", clRed);
  }
};

}  // namespace

TEST(Charts, ASeriesKeepsItsPointsAndColours) {
  TForm f(nullptr);
  auto* c = new TChart(&f);
  auto* s = new TPieSeries(&f);
  s->SetParentChart(c);
  ASSERT_EQ(c->SeriesCount(), 1);
  s->Add(12, "PA");
  s->Add(4, "PT", clRed);
  s->Add(0, "GP");
  EXPECT_EQ(s->Count(), 3);
  EXPECT_EQ(s->YValue(0), 12);
  EXPECT_EQ(s->XLabel(1), "PT");
  EXPECT_EQ(s->ValueColor(0), static_cast<TColor>(chart::AutoColor(0)));
  EXPECT_EQ(s->ValueColor(1), clRed);
  EXPECT_EQ(s->ValueColor(2), static_cast<TColor>(chart::AutoColor(2)));
  EXPECT_EQ(s->Total(), 16);
  EXPECT_EQ(s->MarkText(0), "12");
  s->MarksStyle = TSeriesMarksStyle::smsPercent;
  EXPECT_EQ(s->MarkText(1), "25%");
  s->MarksStyle = TSeriesMarksStyle::smsLabel;
  EXPECT_EQ(s->MarkText(2), "GP");
  s->ColorEachPoint = false;
  s->SeriesColor = clTeal;
  EXPECT_EQ(s->ValueColor(0), clTeal);
  s->Clear();
  EXPECT_EQ(s->Count(), 0);
  // Either may go first: a series freed leaves its chart, a chart freed lets go of its series.
  delete s;
  EXPECT_EQ(c->SeriesCount(), 0);
  auto* bars = new TBarSeries(&f);
  bars->SetParentChart(c);
  delete c;
  EXPECT_EQ(bars->ParentChart(), nullptr);
}

TEST(Charts, APieIsDrawnSliceBySliceWithItsLegend) {
  TChart c(nullptr);
  c.SetTitle("Jumlah");
  TPieSeries s(nullptr);
  s.SetParentChart(&c);
  s.Add(30, "PA", clRed);
  s.Add(10, "PT", clBlue);
  s.Add(20, "GP", clLime);
  TBitmap bmp(420, 300);
  c.Draw(bmp.Canvas(), Rect(0, 0, 420, 300));
  const TChartGeometry& g = c.Geometry();
  ASSERT_FALSE(g.pie.Empty());
  ASSERT_EQ(g.slices.size(), 3u);
  EXPECT_DOUBLE_EQ(g.slices[0].sweep, 180);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(At(bmp, chart::PointOnEllipse(g.pie, g.slices[i].Middle(), 0.6)), s.ValueColor(i)) << i;
  // Outside the circle the chart's white shows; the legend at the right shows the colours.
  EXPECT_EQ(At(bmp, {g.pie.left + 2, g.pie.top + 2}), clWhite);
  EXPECT_GT(g.legend.left, g.pie.right);
  const int rowHeight = (g.legend.Height() - 12) / 3;
  chart::LegendLayout lay{g.legend, {}};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(At(bmp, Middle(chart::LegendSwatch(lay.Row(i, rowHeight)))), s.ValueColor(i));
  // Cleared, nothing is left of the pie.
  s.Clear();
  c.Draw(bmp.Canvas(), Rect(0, 0, 420, 300));
  EXPECT_EQ(At(bmp, {210, 150}), clWhite);
}

TEST(Charts, BarsStandOnTheAxisAsHighAsTheirValues) {
  TChart c(nullptr);
  TBarSeries s(nullptr);
  s.SetParentChart(&c);
  s.Add(150000, "1");
  s.Add(600000, "8", clPurple);
  s.Add(0, "15");
  s.Add(300000, "22");
  TBitmap bmp(500, 300);
  c.Draw(bmp.Canvas(), Rect(0, 0, 500, 300));
  const TChartGeometry& g = c.Geometry();
  ASSERT_EQ(g.bars.size(), 4u);
  EXPECT_GE(g.scale.high, 600000);
  EXPECT_EQ(g.scale.low, 0);
  // Each bar's height is its share of the axis; the tallest is twice the last.
  EXPECT_NEAR(g.bars[1].Height(), 2 * g.bars[3].Height(), 1);
  EXPECT_NEAR(g.bars[3].Height(), 2 * g.bars[0].Height(), 1);
  EXPECT_TRUE(g.bars[2].Empty());
  for (int i : {0, 1, 3}) {
    EXPECT_EQ(g.bars[i].bottom, g.plot.bottom) << i;
    EXPECT_EQ(At(bmp, Middle(g.bars[i])), s.ValueColor(i)) << i;
    // Just above the bar the plot is empty (the mark stands higher up).
    if (g.bars[i].top - 1 > g.plot.top) {
      TColor above = At(bmp, {Middle(g.bars[i]).x, g.bars[i].top - 1});
      EXPECT_NE(above, s.ValueColor(i)) << i;
    }
  }
  EXPECT_EQ(s.ValueColor(1), clPurple);
}

// In a window the chart paints through its off-screen bitmap what Draw paints.
TEST(Charts, TheWindowShowsWhatDrawPaints) {
  ChartForm cf;
  TChart* c = cf.chart;
  cf.form.HandleNeeded();
  TBitmap shown(400, 300);
  SendMessageW(c->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shown.Canvas().Handle()), PRF_CLIENT);
  EXPECT_EQ(At(shown, Middle(c->Geometry().bars.at(0))), clRed);
  EXPECT_EQ(At(shown, {c->Geometry().plot.right - 2, c->Geometry().plot.top + 2}), clWhite);
}

// Refilling a series with the points the window shows leaves the window alone; other
// points redraw it.
TEST(Charts, TheWindowRedrawsOnlyWhenItsPointsChange) {
  ChartForm cf;
  TChart* c = cf.chart;
  TBarSeries* s = cf.series;
  cf.form.Show();
  Application->ProcessMessages();
  // Every message but the painting, so that what is left to paint can be read.
  auto handleAllButPaint = [] {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, WM_PAINT - 1, PM_REMOVE) ||
           PeekMessageW(&m, nullptr, WM_PAINT + 1, 0xFFFF, PM_REMOVE))
      DispatchMessageW(&m);
  };
  struct Case {
    double value;
    const char* label;
    bool redrawn;
  } cases[] = {{5, "1", false}, {6, "1", true}, {6, "2", true}, {6, "2", false}};
  for (const Case& k : cases) {
    s->Clear();
    s->Add(k.value, k.label, clRed);
    handleAllButPaint();
    EXPECT_EQ(GetUpdateRect(c->Handle(), nullptr, FALSE) != FALSE, k.redrawn) << k.value << " " << k.label;
    Application->ProcessMessages();
  }
  cf.form.Hide();
}

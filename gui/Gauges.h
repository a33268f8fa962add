// A progress gauge painted by its parent: a bar filled in ForeColor with the percentage.
#pragma once
#include "gui/Controls.h"

namespace gui {

enum class TGaugeKind { gkHorizontalBar, gkVerticalBar };

class TGauge : public TGraphicControl {
  KORVAN_CLASS(TGauge)
 public:
  explicit TGauge(TComponent* owner);
  int MinValue() const { return min_; }
  void SetMinValue(int v);
  int MaxValue() const { return max_; }
  void SetMaxValue(int v);
  int Progress() const { return progress_; }
  // Clamped into MinValue..MaxValue; the gauge repaints at once, so that a long pass on
  // the GUI thread still shows its progress.
  void SetProgress(int v);
  void AddProgress(int v) { SetProgress(progress_ + v); }
  // Whole percent done, rounded down.
  int PercentDone() const;
  TColor ForeColor() const { return foreColor_; }
  void SetForeColor(TColor c);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor c);
  bool ShowText() const { return showText_; }
  void SetShowText(bool v);
  TGaugeKind Kind = TGaugeKind::gkHorizontalBar;

 protected:
  void Paint() override;

 private:
  int min_ = 0, max_ = 100, progress_ = 0;
  TColor foreColor_ = clBlack;
  TColor backColor_ = clWhite;
  bool showText_ = true;
};

}  // namespace gui

#include "gui/Gauges.h"

#include <algorithm>

#include "rtl/Utf.h"

namespace gui {

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner) {
  width_ = 100;
  height_ = 100;
  ControlStyle |= csOpaque;
}

void TGauge::SetMinValue(int v) {
  min_ = v;
  if (max_ < min_) max_ = min_;
  SetProgress(progress_);
  Invalidate();
}

void TGauge::SetMaxValue(int v) {
  max_ = v;
  if (min_ > max_) min_ = max_;
  SetProgress(progress_);
  Invalidate();
}

void TGauge::SetProgress(int v) {
  v = std::clamp(v, min_, max_);
  if (v == progress_) return;
  progress_ = v;
  Repaint();
}

int TGauge::PercentDone() const {
  if (max_ == min_) return 0;
  return static_cast<int>(100LL * (progress_ - min_) / (max_ - min_));
}

void TGauge::SetForeColor(TColor c) {
  foreColor_ = c;
  Invalidate();
}

void TGauge::SetBackColor(TColor c) {
  backColor_ = c;
  Invalidate();
}

void TGauge::SetShowText(bool v) {
  showText_ = v;
  Invalidate();
}

// A black frame, the done part in ForeColor and the rest in BackColor; the percentage is
// written across both, in the other part's colour so that it reads on either.
void TGauge::Paint() {
  HDC dc = canvas_.Handle();
  RECT frame{0, 0, width_, height_};
  HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
  FrameRect(dc, &frame, black);
  DeleteObject(black);
  RECT in{1, 1, width_ - 1, height_ - 1};
  RECT done = in, rest = in;
  long long span = std::max(1, max_ - min_);
  if (Kind == TGaugeKind::gkHorizontalBar) {
    done.right = in.left + static_cast<LONG>((in.right - in.left) * (progress_ - min_) / span);
    rest.left = done.right;
  } else {
    done.top = in.bottom - static_cast<LONG>((in.bottom - in.top) * (progress_ - min_) / span);
    rest.bottom = done.top;
  }
  HBRUSH fore = CreateSolidBrush(ColorToRGB(foreColor_));
  HBRUSH back = CreateSolidBrush(ColorToRGB(backColor_));
  FillRect(dc, &done, fore);
  FillRect(dc, &rest, back);
  DeleteObject(fore);
  DeleteObject(back);
  if (!showText_) return;
  std::wstring text = rtl::W(std::to_string(PercentDone()) + "%");
  HGDIOBJ old = SelectObject(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  UINT flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
  for (int part = 0; part < 2; ++part) {
    RECT clip = part == 0 ? done : rest;
    if (clip.right <= clip.left || clip.bottom <= clip.top) continue;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SetTextColor(dc, ColorToRGB(part == 0 ? backColor_ : foreColor_));
    RECT tr = in;
    DrawTextW(dc, text.c_str(), -1, &tr, flags);
    RestoreDC(dc, saved);
  }
  SelectObject(dc, old);
}

}  // namespace gui

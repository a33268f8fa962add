#include "skin/hooks/acScrollGeometry.h"

#include <algorithm>
#include <limits>

#include "skin/core/acSkinData.h"

namespace skin {

namespace {

// nMax - nMin + 1 in 64 bits; ranges whose difference leaves 32 bits count as empty, so
// the thumb stays at the start instead of moving by an overflowed amount.
int64_t RangeOf(const TBarScrollInfo& si, bool& tooWide) {
  const int64_t diff = int64_t(si.nMax) - si.nMin;
  tooWide = diff > std::numeric_limits<int32_t>::max() || diff < std::numeric_limits<int32_t>::min();
  return diff + 1;
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return hi < lo ? lo : std::clamp(v, lo, hi); }

int32_t Page(const TBarScrollInfo& si) {
  return int32_t(std::min<uint32_t>(si.nPage, uint32_t(std::numeric_limits<int32_t>::max())));
}

}  // namespace

TThumb ThumbGeometry(int32_t length, int32_t start, int32_t arrow, const TBarScrollInfo& si, int32_t minThumb) {
  const int32_t work = length - 2 * arrow;
  bool tooWide = false;
  const int64_t range = RangeOf(si, tooWide);
  int32_t thumb = 0;
  if (si.nPage == 0)
    thumb = std::max(arrow, minThumb);
  else if (range > 0 && !tooWide)
    thumb = MulDiv(Page(si), work, int32_t(range));
  thumb = std::max(thumb, arrow == 0 ? kArrowlessMinThumb : minThumb);
  int32_t offset = 0;
  const int64_t den = range - std::max<int64_t>(1, si.nPage);
  // A page as long as the range (or longer) leaves the thumb nowhere to go.
  if (range > 0 && !tooWide && den > 0) {
    const int64_t rel = int64_t(si.nPos) - si.nMin;
    if (rel >= std::numeric_limits<int32_t>::min() && rel <= std::numeric_limits<int32_t>::max())
      offset = MulDiv(int32_t(rel), work - thumb, int32_t(den));
    offset = Clamp(offset, 0, work - thumb);
  }
  return {thumb, start + arrow + offset};
}

bool ThumbFits(int32_t length, int32_t arrow, const TThumb& thumb) { return thumb.Length < length - 2 * arrow; }

int32_t ArrowExtent(int32_t length, int32_t arrow) { return 2 * arrow >= length ? length / 2 : arrow; }

TBarPart HitTestBar(bool horizontal, const TBarRect& bar, int32_t x, int32_t y, int32_t arrow,
                    const TBarScrollInfo& si, int32_t minThumb, bool shiftDown) {
  const int32_t along = horizontal ? x : y;
  const int32_t across = horizontal ? y : x;
  const int32_t lo = horizontal ? bar.Left : bar.Top;
  const int32_t hi = horizontal ? bar.Right : bar.Bottom;
  const int32_t crossLo = horizontal ? bar.Top : bar.Left;
  const int32_t crossHi = horizontal ? bar.Bottom : bar.Right;
  if (across < crossLo || across >= crossHi || along < lo || along >= hi) return bpNone;
  const int32_t length = hi - lo;
  const int32_t extent = ArrowExtent(length, arrow);
  if (along < lo + extent) return bpFirstArrow;
  if (along >= hi - extent) return bpSecondArrow;
  const TThumb thumb = ThumbGeometry(length, lo, arrow, si, minThumb);
  if (!ThumbFits(length, arrow, thumb)) return bpNone;
  if (along >= thumb.Start && along < thumb.Start + thumb.Length) return bpThumb;
  if (shiftDown) return bpTrackJump;
  return along < thumb.Start ? bpTrackBefore : bpTrackAfter;
}

int32_t DraggedThumbStart(int32_t mouse, int32_t mouseOffset, int32_t barStart, int32_t barLength, int32_t arrow,
                          int32_t thumbLength) {
  return Clamp(mouse - mouseOffset, barStart + arrow, barStart + barLength - arrow - thumbLength);
}

int32_t DraggedPosition(int32_t thumbOffset, const TBarScrollInfo& si, int32_t trackLength, int32_t thumbLength) {
  bool tooWide = false;
  const int64_t range = RangeOf(si, tooWide);
  if (tooWide) return 0;
  if (range - 1 < 1) return thumbOffset;
  const int64_t span = range - int64_t(si.nPage);
  const int32_t room = trackLength - thumbLength;
  if (room <= 0 || span < std::numeric_limits<int32_t>::min() || span > std::numeric_limits<int32_t>::max()) return 0;
  return MulDiv(thumbOffset, int32_t(span), room);
}

TBarRect HorzBarRect(const TBarRect& w, const TBarBorders& b, const TBarLayout& l) {
  if (!l.HorzVisible) return {};
  TBarRect r = w;
  r.Left += b.Left + (l.VertVisible && l.LeftScrollBar ? l.VertThickness : 0);
  r.Right -= b.Right + (l.VertVisible && !l.LeftScrollBar ? l.VertThickness : 0);
  r.Bottom -= b.Bottom;
  r.Top = r.Bottom - l.HorzThickness;
  return r;
}

TBarRect VertBarRect(const TBarRect& w, const TBarBorders& b, const TBarLayout& l) {
  if (!l.VertVisible) return {};
  TBarRect r = w;
  r.Top += b.Top;
  r.Bottom -= b.Bottom + (l.HorzVisible ? l.HorzThickness : 0);
  if (l.LeftScrollBar) {
    r.Left += b.Left;
    r.Right = r.Left + l.VertThickness;
  } else {
    r.Right -= b.Right;
    r.Left = r.Right - l.VertThickness;
  }
  return r;
}

TBarRect BarCornerRect(const TBarRect& w, const TBarBorders& b, const TBarLayout& l) {
  if (!l.HorzVisible || !l.VertVisible) return {};
  const TBarRect v = VertBarRect(w, b, l);
  const TBarRect h = HorzBarRect(w, b, l);
  return {v.Left, h.Top, v.Right, h.Bottom};
}

void ReserveBars(TBarRect& c, bool horzStyle, bool vertStyle, TBarLayout& l) {
  l.HorzVisible = horzStyle && c.Bottom - c.Top >= l.HorzThickness;
  if (l.HorzVisible) c.Bottom -= l.HorzThickness;
  l.VertVisible = vertStyle && c.Right - c.Left >= l.VertThickness;
  if (l.VertVisible) {
    if (l.LeftScrollBar)
      c.Left += l.VertThickness;
    else
      c.Right -= l.VertThickness;
  }
}

namespace {
int32_t BySkin(const TBarSizeInputs& in, int32_t v) {
  return in.SkinScaleDen > 0 ? MulDiv(v, in.SkinScaleNum, in.SkinScaleDen) : v;
}
}  // namespace

int32_t BarThickness(const TBarSizeInputs& in) {
  if (in.DataWidth >= 0) return BySkin(in, in.DataWidth);
  if (in.ManagerWidth >= 0) return in.ScaleManagerWidth ? BySkin(in, in.ManagerWidth) : in.ManagerWidth;
  if (in.OwnThickness >= 0) return in.OwnThickness;
  return -in.OwnThickness * in.SystemThickness;
}

int32_t BarArrowLength(const TBarSizeInputs& in) {
  if (in.DataButtons >= 0) return BySkin(in, in.DataButtons);
  if (in.ManagerButtons >= 0) return in.ManagerButtons;
  if (in.OwnArrow >= 0) return in.OwnArrow;
  if (in.ManagerWidth >= 0) return in.ScaleManagerWidth ? BySkin(in, in.ManagerWidth) : in.ManagerWidth;
  return in.SkinButtonSize * -in.OwnArrow;
}

TBarRect ArrowButtonRect(TBarRect r, int direction, int32_t imageWidth, int32_t imageHeight) {
  constexpr int32_t kDrawnFor = 17;
  switch (direction) {
    case 0: r.Right += imageWidth - kDrawnFor; break;
    case 1: r.Bottom += imageHeight - kDrawnFor; break;
    case 2: r.Left -= imageWidth - kDrawnFor; break;
    default: r.Top -= imageHeight - kDrawnFor; break;
  }
  return r;
}

bool CornerTakesGrip(const TBarRect& window, const TBarRect& topClient) {
  return window.Right == topClient.Right && window.Bottom == topClient.Bottom;
}

}  // namespace skin

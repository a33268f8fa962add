#include "skin/hooks/acTrackGeometry.h"

#include <cmath>

namespace skin {

int32_t TrackTickSide(uint32_t style) {
  if (style & kTbsBoth) return 2;
  if (style & kTbsTop) return 1;
  return 0;
}

TBarRect TrackChannelRect(const TBarRect& channel, bool vertical, int32_t w, int32_t h) {
  TBarRect k = channel;
  if (vertical) {
    k.Left += (k.Right - k.Left - w + 1) / 2;
    k.Right = k.Left + w - 1;
  } else {
    k.Top += (k.Bottom - k.Top - h + 1) / 2;
    k.Bottom = k.Top + h - 1;
  }
  return k;
}

std::vector<int32_t> TrackTickPositions(int32_t count, const TBarRect& k, const TBarRect& t, bool vertical) {
  std::vector<int32_t> out;
  if (count <= 0) return out;
  const int32_t thumb = vertical ? t.Bottom - t.Top : t.Right - t.Left;
  const int32_t start = (vertical ? k.Top : k.Left) + thumb / 2;
  // One tick has no spacing: it stands at the first place instead of dividing by zero.
  if (count == 1) {
    out.push_back(start);
    return out;
  }
  const int32_t span = (vertical ? k.Bottom - k.Top : k.Right - k.Left) - thumb;
  const double step = static_cast<double>(span) / (count - 1);
  out.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) out.push_back(static_cast<int32_t>(std::nearbyint(i * step)) + start);
  return out;
}

std::vector<TTickMark> TrackTickMarks(const std::vector<int32_t>& positions, const TBarRect& k, const TBarRect& t,
                                      bool vertical, int32_t tickSide, int32_t tickLength) {
  std::vector<TTickMark> out;
  const bool before = tickSide == 1 || tickSide == 2;
  const bool after = tickSide == 0 || tickSide == 2;
  if (vertical) {
    const int32_t gap = ((t.Right - t.Left) - (k.Right - k.Left)) / 2 + 2;
    for (int32_t p : positions) {
      if (before) out.push_back({k.Left - gap - tickLength, p});
      if (after) out.push_back({k.Right + gap, p});
    }
  } else {
    const int32_t gap = ((t.Bottom - t.Top) - (k.Bottom - k.Top)) / 2 + 2;
    for (int32_t p : positions) {
      if (before) out.push_back({p, k.Top - gap - tickLength});
      if (after) out.push_back({p, k.Bottom + gap});
    }
  }
  return out;
}

bool TrackThumbScaled(const TBarRect& t, bool vertical, int32_t w, int32_t h) {
  const int32_t across = vertical ? t.Right - t.Left : t.Bottom - t.Top;
  if (across == kTrackUnscaledThumb) return false;
  return t.Right - t.Left != w || t.Bottom - t.Top != h;
}

}  // namespace skin

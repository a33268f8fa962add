// The arithmetic of skinned track bars, free of Win32 so that it is tested natively: which
// side the ticks are on, where the channel image sits, where the tick marks go and whether
// the thumb image is scaled or mirrored.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/hooks/acScrollGeometry.h"

namespace skin {

// The track bar's style bits that decide the orientation and the ticks.
inline constexpr uint32_t kTbsVert = 0x0002;
inline constexpr uint32_t kTbsTop = 0x0004;  // also "left" for vertical bars
inline constexpr uint32_t kTbsBoth = 0x0008;
inline constexpr uint32_t kTbsNoTicks = 0x0010;

// 0 bottom (right for vertical bars), 1 top (left), 2 both.
int32_t TrackTickSide(uint32_t style);

// Length of a tick mark drawn without a skin image.
inline constexpr int32_t kTrackTickLength = 4;
// A thumb this many pixels across is drawn with the image as it is.
inline constexpr int32_t kTrackUnscaledThumb = 23;

// The channel rectangle narrowed to the channel image (w x h), centred across the bar.
TBarRect TrackChannelRect(const TBarRect& channel, bool vertical, int32_t w, int32_t h);

// The places of Count evenly spaced tick marks along the channel (x for horizontal bars, y
// for vertical ones). The first is half a thumb inside the channel's start, the last half a
// thumb before its end; a single tick stands at the first place and no count gives none.
std::vector<int32_t> TrackTickPositions(int32_t count, const TBarRect& channel, const TBarRect& thumb, bool vertical);

struct TTickMark {
  int32_t X = 0, Y = 0;
  bool operator==(const TTickMark&) const = default;
};
// The corners of the tick marks on the tick side(s), a gap away from the channel: marks
// above (left of) the channel are TickLength further out.
std::vector<TTickMark> TrackTickMarks(const std::vector<int32_t>& positions, const TBarRect& channel,
                                      const TBarRect& thumb, bool vertical, int32_t tickSide, int32_t tickLength);

// Whether the thumb image (w x h) is resampled to the thumb rectangle: never for a thumb
// 23 pixels across, else when the sizes differ.
bool TrackThumbScaled(const TBarRect& thumb, bool vertical, int32_t w, int32_t h);

}  // namespace skin

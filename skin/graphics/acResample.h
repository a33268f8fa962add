// Two-pass separable resampling of 32-bit images with alpha: colour and alpha are both
// interpolated, which StretchBlt cannot do. Seven filters (0 box, 1 triangle, 2 Hermite,
// 3 bell, 4 B-spline, 5 windowed sine, 6 Mitchell); weights are fixed point with 16
// fraction bits, not normalised, and every result is limited to 0..255. Free of Win32.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/graphics/acBitmap32.h"

namespace skin {

// One weight of a destination index: the byte offset of the source pixel and its weight.
struct TResampleWeight {
  ptrdiff_t Offset = 0;
  int32_t Weight = 0;
};
using TResampleWeights = std::vector<std::vector<TResampleWeight>>;

float ResampleFilter(int filter, float x);
float ResampleSupport(int filter);

// For each destination index (0 .. DstSize - 1) the source pixels it reads; Step is the
// distance in bytes between two source pixels.
TResampleWeights BuildResampleWeights(int dstSize, int srcSize, ptrdiff_t step, int filter);
// Writes Count destination pixels from Dst on, DstStep bytes apart.
void ApplyResampleWeights(ptrdiff_t dstStep, uint8_t* dst, const uint8_t* src, const TResampleWeights& list, int count);

// The whole of Src into Dst resized to NewWidth x NewHeight (an owning bitmap). Nothing for
// sources narrower or lower than 2 pixels or non-positive sizes; equal sizes copy.
void ResampleBitmap(const TBitmap32& src, TBitmap32& dst, int newWidth, int newHeight, int filter);
// The same into a bitmap of the right size that somebody else owns (a DIB section).
void ResampleInto(const TBitmap32& src, TBitmap32& dst, int filter);

}  // namespace skin

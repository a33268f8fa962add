// Nine-part drawing: window frames, scroll-bar tracks and hint bodies are drawn from one
// source rectangle cut into four corners kept at their size, four sides and a centre tiled
// or stretched to fit. The cutting is worked out here, free of Win32, as a list of copies;
// they are carried out on engine bitmaps here and with BitBlt/StretchBlt in acGdiBitmap.h.
// Also the transparent corner pixels of a border element that a window region leaves out.
#pragma once
#include <vector>

#include "skin/core/sConst.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBitmap32.h"

namespace skin {

// One copy: Src's rectangle to Dst's rectangle, stretched when the sizes differ.
struct TBlitPart {
  TRect Dst, Src;
  bool Stretch = false;
  friend bool operator==(const TBlitPart&, const TBlitPart&) = default;
};

// Widths: the source's border widths; Limits: upper bounds for the frame strips'
// thickness; SideModes: per side bit 0 set = stretch, clear = tile. Corners shrink at the
// destination's centre lines when it is smaller than they are.
std::vector<TBlitPart> NinePartPlan(const TRect& dstRect, const TRect& srcRect, const TRect& widths,
                                    const TRect& limits, const TRect& sideModes, bool stretchCenter, bool drawCenter);

// Copies and nearest-pixel stretches between engine bitmaps, each cut to both bitmaps.
void DrawBlitParts(TBitmap32& dst, const TBitmap32& src, const std::vector<TBlitPart>& parts);

inline void DrawBitmapNineParts(TBitmap32& dst, const TBitmap32& src, const TRect& dstRect, const TRect& srcRect,
                                const TRect& widths, const TRect& limits, const TRect& sideModes, bool stretchCenter,
                                bool drawCenter) {
  DrawBlitParts(dst, src, NinePartPlan(dstRect, srcRect, widths, limits, sideModes, stretchCenter, drawCenter));
}

// Appends the one-pixel-high runs of fuchsia (0x00FF00FF) pixels in the left and right corner
// columns of the element's top band (or, with Bottom, its bottom band), placed in a window
// of the given width whose band starts at row Y.
void AddTransparentCornerRects(TRects& rects, int width, const TacElementPicture& element, int y,
                               bool bottom, int xOffset);

}  // namespace skin

// Pixel copies and blends between engine bitmaps: with one transparency for a rectangle,
// with the source's alpha, with a colour key, with a mask, towards a colour, between two
// images, with the parent's background in the transparent pixels; and the image
// operations built on them (a frame of a glyph strip, a fading reflection, masked
// pictures). Free of Win32.
//
// A transparency T keeps T/256 of the destination, an alpha or opacity A takes A/256 of the
// source: d' = ((s - d) * A + d * 256) >> 8. Source rectangles marked "inclusive" name their
// last pixel in Right and Bottom (a Right beyond the source is cut to its last pixel, so
// (0, 0, Width, Height) also covers the whole source). Every operation is cut to both
// bitmaps and never writes outside the destination.
#pragma once
#include <cstdint>

#include "skin/graphics/acBackground.h"
#include "skin/graphics/acBitmap32.h"

namespace skin {

// The part of a copy from Src's rectangle S (half-open) to Dst at (X, Y) that lies in both
// bitmaps. A start outside one bitmap moves the other's start by as much.
struct TCopyArea {
  int DstX = 0, DstY = 0, SrcX = 0, SrcY = 0, Width = 0, Height = 0;
  bool Empty() const { return Width <= 0 || Height <= 0; }
};
TCopyArea ClipCopy(const TBitmap32& dst, int x, int y, const TBitmap32& src, TRect s);
// Two half-open rectangles: the smaller width and height, then cut to both bitmaps (a
// start left of or above one bitmap moves both starts and shortens the copy by as much).
TCopyArea ClipRects(const TBitmap32& dst, const TRect& dstRect, const TBitmap32& src, const TRect& srcRect);
inline TRect InclusiveRect(const TRect& r) { return {r.Left, r.Top, r.Right + 1, r.Bottom + 1}; }
// The inverse: a half-open rectangle named by its last column and row.
inline TRect LastPixelRect(const TRect& r) { return {r.Left, r.Top, r.Right - 1, r.Bottom - 1}; }

// Calls F(dst pixel, src pixel, column, row) for every pixel pair of the area, the column
// and row counted from the area's start.
template <class F>
void ForEachPair(TBitmap32& dst, const TBitmap32& src, const TCopyArea& a, F&& f) {
  for (int j = 0; j < a.Height; ++j) {
    TPixel* d = dst.Row(a.DstY + j) + a.DstX;
    const TPixel* s = src.Row(a.SrcY + j) + a.SrcX;
    for (int i = 0; i < a.Width; ++i) f(d[i], s[i], i, j);
  }
}

// All four channels: d' = ((d - s) * T + s * 256) >> 8. SrcRect inclusive.
void BlendBitmapRect(TBitmap32& dst, const TBitmap32& src, uint8_t t, const TRect& srcRect, TPoint dstPoint);
// Source pixels equal to Key skipped; others, all four channels (s * (255 - T) + d * T) >> 8.
void BlendCopyBitmap(TBitmap32& dst, int x, int y, const TBitmap32& src, const TRect& srcRect, uint8_t t, uint32_t key);
// Blend by the source's alpha (times Opacity unless it is 255); alpha grows, never shrinks.
void AlphaBlendRect(TBitmap32& dst, const TBitmap32& src, const TRect& srcRect, TPoint dstPoint, uint8_t opacity);
// Colour channels by the source alpha; the destination alpha stays. Nothing when sizes differ.
void AlphaBlendBitmap(TBitmap32& dst, const TBitmap32& src);
// Rectangles half-open. With a ready cache, fuchsia source pixels take the background
// (UseCache) or stay as they are; all other pixels are blended by their alpha.
void AlphaBlendWithBackground(const TRect& dstRect, const TRect& srcRect, TBitmap32& dst, const TBitmap32& src,
                              const TacBackgroundCache& cache, bool useCache);
// A nearest-pixel stretch of Src's rectangle over Dst's (the portable COLORONCOLOR).
void StretchCopy(TBitmap32& dst, const TRect& dstRect, const TBitmap32& src, const TRect& srcRect);
void StretchAlphaBlend(TBitmap32& dst, int x, int y, int width, int height, const TBitmap32& src, int srcX, int srcY,
                       int srcWidth, int srcHeight, uint8_t opacity);
// Rectangles half-open; a transparent pixel is 0x00FF00FF or has alpha 16 or less.
void DrawAlphaImage(const TRect& dstRect, const TRect& srcRect, TBitmap32& dst, const TBitmap32& src,
                    const TacBackgroundCache& cache, bool useCache, TColor monoColor, int transparency,
                    bool reflection);
// Src holds the image above its mask; MaskOffset rows down (half the element's height).
void DrawMaskedImage(const TRect& dstRect, const TRect& srcRect, TBitmap32& dst, const TBitmap32& src,
                     const TacBackgroundCache& cache, bool fillKey, int maskOffset);
void TintBitmap(TBitmap32& bmp, uint8_t amount, TColor color);
// Mask 0 gives the colour, 255 keeps the pixel. Nothing when sizes differ.
void MaskBlendColor(TBitmap32& dst, const TBitmap32& mask, TColor color);
// Mask nullptr: Weight for every channel. Nothing unless all have one size.
void MixBitmaps(TBitmap32& dst, const TBitmap32& src1, const TBitmap32& src2, const TBitmap32* mask, int weight);
// Src at (max(X, 0), max(Y, 0)) without its key pixels (SwapRB(Key)); copied pixels opaque.
void CopyBitmapOpaque(TBitmap32& dst, const TBitmap32& src, int x, int y, TColor key);
// SrcRect inclusive; what becomes of the key pixels depends on the cache.
void CopyBitmapKeyed(TBitmap32& dst, const TBitmap32& src, int x, int y, const TRect& srcRect, uint32_t key,
                     const TacBackgroundCache& cache, bool useCache);
// SrcRect inclusive; Opacity 0 copies all four bytes of every non-key pixel.
void BlendBitmapKeyed(TBitmap32& dst, const TBitmap32& src, int x, int y, const TRect& srcRect, TColor key,
                      uint8_t opacity);
// Source rows mirrored below DstPos, fading out; SrcRect inclusive; Transparency percent.
void DrawReflection(TBitmap32& dst, const TBitmap32& src, TPoint dstPos, const TRect& srcRect, TColor key,
                    int transparency);
// One frame of a strip of FrameCount frames side by side. Mode 0 frame 0; 1 the hot frame;
// 2 frame State + 2; 3 the third frame. PlainOrder (a 4-bit glyph, or the manager keeps the
// standard glyph order) keeps mode 1 and overflowing mode 2 on frame 0.
void DrawGlyphFrame(const TBitmap32& glyph, TBitmap32& dst, TRect r, int frameCount, bool enabled, int mode,
                    uint8_t blend, int state, bool reflected, bool plainOrder);
// The discoloured look of a keyed strip: every pixel of each frame that is not the frame's key
// (its bottom-left pixel) turns to its brightness in Mono's hue; alpha and key pixels stay.
void DiscolourGlyphStrip(TBitmap32& strip, int frameCount, TColor mono);
// R's upper half with alpha 255 minus the red of the mask pixel below it.
TBitmap32 ExtractMaskedImage(const TBitmap32& master, const TRect& r);
// The picture above, its alpha as an opaque grey 255 - alpha below.
TBitmap32 MakeMaskedImage(const TBitmap32& bmp);

enum TGlyphEffectFlag : uint8_t { gfBlendBackground = 2, gfDisabled = 4 };
// Finishes a control's glyph: the disabled look first, then the blend with the background
// (the cache's picture, or its fill colour; FallbackColor, the control's colour, when the
// fill colour is not known either).
void ApplyGlyphEffects(TBitmap32& glyph, uint8_t flags, TColor fallbackColor, const TacBackgroundCache& cache,
                       TPoint offset);

}  // namespace skin

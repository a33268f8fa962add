// Small alpha operations on 32-bit bitmaps that every skin painter, the PNG reader and the
// image lists call: premultiplying, fills of colour and alpha, fades, transparent parts
// filled from another picture. Free of Win32. Every rectangle is cut to the bitmaps it
// touches; a bitmap without rows or an empty rectangle makes an operation do nothing.
#pragma once
#include <cstdint>

#include "skin/graphics/acBitmap32.h"

namespace skin {

// Engine constants read by the glyph effects and disabled text.
inline constexpr int DisabledGlyphLevel = -90;    // percent of saturation change
inline constexpr uint8_t DisabledTextWeight = 100;  // keeps 100/256 of the glyph

// The picture of a skin image element as the painters need it: the image (the element's
// own or the skin's master picture), the element's region in it, one state frame's size
// and the border widths.
struct TacElementPicture {
  const TBitmap32* Image = nullptr;
  TRect SrcRect;
  int FrameWidth = 0, FrameHeight = 0;
  int BorderLeft = 0, BorderTop = 0, BorderRight = 0, BorderBottom = 0;
  int MaskBlocks = 0;  // 1: the picture stands above a mask of the same size
};

uint32_t ByteSwap32(uint32_t value);
void ByteSwap32Array(uint32_t* p, int count);

// What UpdateLayeredWindow wants: colour channels times alpha >> 8. White with alpha 0
// becomes 0. Without desktop composition no near-white channel (all three at least 245)
// comes out above 244.
void PremultiplyBitmap(TBitmap32& bmp, bool composition);
void PremultiplyBitmapRect(TBitmap32& bmp, const TRect& r, bool composition);

// Pixel reads and writes; a position outside the bitmap raises ERangeError.
TPixel GetPixel32(const TBitmap32& bmp, int x, int y);
void SetPixel32(TBitmap32& bmp, int x, int y, TPixel value);
inline void SetPixel32Value(TBitmap32& bmp, int x, int y, int32_t value) {
  SetPixel32(bmp, x, y, static_cast<TPixel>(value));
}

// The transparent pixels (0x00FF00FF) of R in Dst take Src's pixels from P on; every
// destination pixel of that area first gets alpha 0.
void FillTransparentFromBitmap(TBitmap32& dst, const TBitmap32& src, const TRect& r, TPoint p);
// The same, with a skin element deciding: where the element pixel (its frame's corner
// chosen by a hit-test code: 14 top-right, 16 bottom-left, 17 bottom-right, else top-left)
// is fuchsia in its low 24 bits, the destination pixel takes the source pixel.
void FillTransparentFromElement(TBitmap32& dst, const TBitmap32& src, const TRect& r, TPoint p,
                                const TacElementPicture& element, int corner);

void FillBitmapRect(TBitmap32& bmp, const TRect& r, TColor color, int alpha);
void FillBitmapRectFrame(TBitmap32& bmp, const TRect& outer, const TRect& inner, TColor color, int alpha);
void FillBitmapBorders(TBitmap32& bmp, const TRect& r, int leftW, int topW, int rightW, int bottomW, TColor color);
// R inclusive (Right and Bottom are pixels of it); keeps Keep/256 of each colour channel.
void FadeRectToColor(TBitmap32& bmp, TRect r, uint8_t keep, TColor color);
// Each colour channel moves towards Color by Percent; alpha becomes Alpha.
void BlendRectToColor(TBitmap32& bmp, const TRect& r, TColor color, uint8_t percent, uint8_t alpha);
// Alpha of R's pixels; with Key other than clNone only pixels whose whole value differs.
void FillBitmapAlpha(TBitmap32& bmp, const TRect& r, uint8_t alpha, uint32_t key);
// A bitmap without any alpha gets alpha 255 everywhere but on its bottom-left colour.
void AlphaFromCornerColor(TBitmap32& bmp);
void FillIntegers(int32_t* p, int count, int32_t value);

}  // namespace skin

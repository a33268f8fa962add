// The pixel steps of text on engine bitmaps, free of Win32: rendered text (black ink on
// white paper) moved onto a 32-bit bitmap with the text colour and alpha computed here,
// and the glow behind text (a grey mask of the text blurred, then the glow colour laid on
// by its coverage). The rendering itself is GDI's (acSkinText.h).
#pragma once
#include <cstdint>
#include <vector>

#include "skin/graphics/acBitmap32.h"

namespace skin {

// Paper is 0x00FFFFFF or 0xFFFFFFFF, full ink 0; other values are partly inked edges. Text
// pixel (x, y) lands on Dst at At + (x, y); what falls outside Dst is skipped.
// AlphaMode: the colour covers by (256 - grey) / 256, alpha rises to 255 - grey and the
// result is premultiplied by it; otherwise each channel of the text pixel is its own
// coverage (sub-pixel edges survive) and touched pixels become opaque. Color's three low
// bytes are used as they are.
void TransferTextPixels(TBitmap32& dst, const TBitmap32& text, TPoint at, bool alphaMode, TColor color);

// The blur kernel of a glow of that radius: coefficients for -HalfWidth..HalfWidth,
// summing to 1. A radius of 0 (or below) is the identity kernel.
struct TBlurKernel {
  int HalfWidth = 0;
  std::vector<float> Weights;  // 2 * HalfWidth + 1 entries
};
TBlurKernel MakeBlurKernel(double radius);
// Every row, then every column, convolved with the kernel (edges repeat their last pixel);
// sums rounded and held to 0..255.
void BlurMask8(TBytePlane& plane, double radius);

// A glow mask the caller keeps between paints: 255 no text, darker values text coverage.
struct TacGlowMask {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;
  TBytePlane Plane() { return {Pixels.data(), Width, Width, Height}; }
};
// Each mask pixel v other than 255 whose target At + (x, y) lies in Dst changes it with
// coverage c = 255 - v: alpha a + ((255 - a) * c) >> 8, colour (c * k + p * v) >> 8.
void ApplyGlowMask(TBitmap32& dst, const TacGlowMask& mask, TPoint at, TColor glowColor);

}  // namespace skin

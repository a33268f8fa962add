// Skin gradients and soft shadows, free of Win32: the gradient description string of the
// skin keys GRADIENTDATA and GRADIENTDATA2 and its parsed form, the painting of a gradient
// (plain or mixed with a tiled texture) into a 32-bit bitmap, and the soft rounded shadow
// bitmaps of window shadows, popup shadows and outer-effect masks.
//
// Bands that GDI+ must draw (alpha stops), the four-corner form and its GDI+ path form go
// through a TGradientFills the caller hands in (acGradientGdi.h makes one for a bitmap's
// device context); without one those parts paint nothing, as without the libraries.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "skin/graphics/acBitmap32.h"

namespace skin {

// One stop of a gradient, in the field order of the skin format (kept naturally aligned:
// nothing reads the stops as raw bytes).
struct TsGradStop {
  uint16_t Index = 0;
  uint32_t Mode = 0;   // first stop: direction in bits 0-1; 0x10 alpha stop; 0x20 alpha gradient
  uint32_t Color = 0;  // red in the low byte, the stop's alpha in the high byte
  uint8_t Percent = 0;
};
using TsGradArray = std::vector<TsGradStop>;

inline constexpr uint32_t gmDirectionMask = 3;
inline constexpr uint32_t gmAlphaStop = 0x10;
inline constexpr uint32_t gmAlphaGradient = 0x20;
enum TGradientDirection : uint32_t { gdVertical = 0, gdHorizontal = 1, gdCorners = 2 };

// Five fields a stop when the string ends in "0", else three fields a stop and as many stops
// as the last letter says (A one, B two ...). A field that is missing or not a number raises
// EConvertError; a last character below "@" raises ERangeError. Strings of 4 characters or
// fewer give no stops.
void ParseGradientString(std::string_view text, TsGradArray& gradient);

// The platform's fills that a gradient may need; coordinates are the bitmap's pixels.
class TGradientFills {
 public:
  virtual ~TGradientFills() = default;
  // A linear GDI+ gradient over (X, Y, W, H) from C0 to C1, top to bottom or left to right;
  // its first row (vertical) or column (horizontal) belongs to the band before and is kept
  // out of the clip region.
  virtual void Linear(bool vertical, int x, int y, int w, int h, TColor c0, TColor c1) = 0;
  // The GDI+ path gradient over R's corners (top-left, top-right, bottom-right,
  // bottom-left) with the centre colour.
  virtual void Path(const TRect& r, const TColor corners[4], TColor center) = 0;
  // msimg32's GradientFill with five vertices (top-left, centre, top-right, bottom-right,
  // bottom-left) and four triangles.
  virtual void Triangles(const TPoint vertices[5], const TColor colors[5]) = 0;
};

// Paints into Rect (cut to the bitmap); pixels get alpha 255.
void PaintGradient(TBitmap32& bmp, const TRect& rect, const TsGradArray& gradient, TGradientFills* fills = nullptr);
// A gradient of direction 0 or 1 mixed with Texture tiled from TextureRect (the whole
// texture when empty): (Mix * (texture - gradient) + gradient * 256) >> 8, alpha Alpha.
void PaintTexturedGradient(TBitmap32& bmp, const TRect& rect, const TsGradArray& gradient, const TBitmap32& texture,
                           TRect textureRect, uint8_t mix, uint8_t alpha);

// A soft rounded shape of (2R + ExtraWidth + 1) x (2R + ExtraHeight + Offset + 1) pixels
// starting Offset rows below the top: Color's high byte is its alpha; the coloured form is
// stored premultiplied on transparent black, the mask form as greys on opaque white.
TBitmap32 CreateShadowBitmap(uint32_t color, int radius, int offset, int extraHeight, int extraWidth, int fadeWidth,
                             bool asMask);

}  // namespace skin

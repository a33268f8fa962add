// The engine's 32-bit bitmap and its colour arithmetic, free of Win32.
//
// Every picture the engine composes is a grid of 4-byte pixels in memory order blue, green,
// red, alpha (read as one little-endian value: 0xAARRGGBB), reached through the address of
// row 0 and the signed distance between rows (negative for bottom-up DIB sections). Alpha
// is straight, never premultiplied; the standard blend of s over d with weight a (0..255)
// is ((s - d) * a + d * 256) >> 8, a division by 256, not 255.
//
// A TBitmap32 either owns its pixels (temporaries, native tests) or views pixels owned by
// someone else (a DIB section of the class layer's bitmap, see acGdiBitmap.h). All pixel
// routines work on views, so they run the same in both builds.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gui/Types.h"
#include "skin/graphics/acColorManager.h"

namespace skin {

using gui::TPoint;
using gui::TRect;

// A pixel: 0xAARRGGBB. A TColor is 0x00BBGGRR; the two differ by the order of red and blue.
using TPixel = uint32_t;

inline constexpr TColor clFuchsia = 0x00FF00FF;  // transparent pixels of skin pictures
inline constexpr TColor clBtnFace = 0xFF00000F;  // a system colour: resolved by ColorToRGB

inline constexpr uint8_t ChB(TPixel p) { return static_cast<uint8_t>(p); }
inline constexpr uint8_t ChG(TPixel p) { return static_cast<uint8_t>(p >> 8); }
inline constexpr uint8_t ChR(TPixel p) { return static_cast<uint8_t>(p >> 16); }
inline constexpr uint8_t ChA(TPixel p) { return static_cast<uint8_t>(p >> 24); }
inline constexpr uint8_t Channel(TPixel p, int i) { return static_cast<uint8_t>(p >> (8 * i)); }
inline constexpr TPixel MakePixel(uint32_t b, uint32_t g, uint32_t r, uint32_t a) {
  return (b & 0xFF) | ((g & 0xFF) << 8) | ((r & 0xFF) << 16) | ((a & 0xFF) << 24);
}

// Exchanges bytes 0 and 2, keeps bytes 1 and 3: a colour becomes a pixel and back.
inline constexpr uint32_t SwapRB(uint32_t v) {
  return (v & 0xFF00FF00u) | ((v & 0xFFu) << 16) | ((v >> 16) & 0xFFu);
}
// The same result by a byte reversal followed by a rotation right by 8 bits.
uint32_t SwapRBRotate(uint32_t v);
// Red and blue exchanged in a value whose high byte is 0.
inline constexpr uint32_t SwapRedBlue24(uint32_t v) {
  return ((v & 0xFF) << 16) + (((v >> 8) & 0xFF) << 8) + (v >> 16);
}

// System colours (high byte 0xFF) are resolved through the function installed here (the
// Windows build installs GetSysColor at start-up); without one their index bits are
// dropped. Other colours come back unchanged.
using TSysColorSource = uint32_t (*)(int index);
void SetSysColorSource(TSysColorSource source);
TColor ColorToRGB(TColor c);

class TBitmap32 {
 public:
  TBitmap32() = default;
  // Owns zeroed pixels; a negative size gives an empty bitmap. BottomUp stores the rows
  // the way a DIB section does (negative row distance).
  TBitmap32(int width, int height, bool bottomUp = false);
  // Views pixels that somebody else owns; they must outlive the view.
  static TBitmap32 View(void* row0, ptrdiff_t delta, int width, int height);

  TBitmap32(TBitmap32&& other) noexcept;
  TBitmap32& operator=(TBitmap32&& other) noexcept;
  TBitmap32(const TBitmap32&) = delete;
  TBitmap32& operator=(const TBitmap32&) = delete;

  // An owning copy with the same pixels.
  TBitmap32 Clone() const;
  // Owning bitmaps only: new zeroed pixels of that size (negative as 0).
  void SetSize(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool HasRows() const { return row0_ != nullptr && width_ > 0 && height_ > 0; }
  // GetBitmapRows: the address of row 0 and the distance between rows (0 with one row).
  bool GetRows(uint8_t*& row0, ptrdiff_t& delta) const;
  ptrdiff_t Delta() const { return delta_; }
  TPixel* Row(int y) const { return reinterpret_cast<TPixel*>(row0_ + y * delta_); }
  TPixel& At(int x, int y) const { return Row(y)[x]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  TRect Bounds() const { return {0, 0, width_, height_}; }

 private:
  std::vector<TPixel> store_;
  uint8_t* row0_ = nullptr;
  ptrdiff_t delta_ = 0;
  int width_ = 0, height_ = 0;
};

// An 8-bit plane (one byte per pixel), viewed: masks and single channels.
struct TBytePlane {
  uint8_t* Row0 = nullptr;
  ptrdiff_t Delta = 0;
  int Width = 0, Height = 0;
  uint8_t* Row(int y) const { return Row0 + y * Delta; }
};

// R cut to the bitmap (half-open); may come back empty.
TRect ClipRect(const TRect& r, const TBitmap32& bmp);
// R cut to the bitmap's last column and row, Right and Bottom included.
TRect ClipRectInclusive(const TRect& r, const TBitmap32& bmp);

// ---- colour arithmetic on 32-bit values (bytes 0..2 colour, byte 3 kept) ----

uint32_t ChangeColorBrightness(uint32_t v, int delta);
uint32_t ChangeColorSaturation(uint32_t v, int amount);
uint32_t SaturatePixel(int amount, uint32_t v);
// Angle in degrees; V a TColor (red in the low byte).
uint32_t ChangeColorHue(int angle, uint32_t v);
// Hue rotation in HSV space of a value in pixel order.
uint32_t ShiftHuePixel(int angle, uint32_t p);
// P in pixel order, Tone a colour whose byte 0 is the tone's red.
uint32_t ColorTone(uint32_t p, uint32_t tone);
// Per colour byte (a * w + b * (255 - w)) >> 8; the high byte of A.
uint32_t MixColors(uint32_t a, uint32_t b, uint8_t w);
// A control's colour effects on one colour: tone (clNone for none), hue offset and
// saturation in percent, in that order.
TColor ApplyColorEffectsToColor(TColor v, TColor colorTone, int hueOffset, int saturation);
// 0.299 R + 0.587 G + 0.114 B, rounded (halves to even).
uint8_t Luma(uint32_t p);

// ---- whole-bitmap passes ----

using TPixelProc = void (*)(TPixel* pixel, int param);
// Every pixel row by row from row 0; with Key not clNone, pixels equal to SwapRB(Key) are
// skipped.
void ForEachPixel(TBitmap32& bmp, TPixelProc proc, int param, TColor key);
void BrightnessPixelProc(TPixel* pixel, int param);
void SaturationPixelProc(TPixel* pixel, int param);
void HuePixelProc(TPixel* pixel, int param);
void TonePixelProc(TPixel* pixel, int param);

void GrayscaleBitmap(TBitmap32& bmp);
void GrayscaleBitmapExcept(TBitmap32& bmp, TColor key);
// Byte Channel (0..3) of every pixel of Dst that Src also has is copied from Src.
void CopyChannel32(TBitmap32& dst, const TBitmap32& src, int channel);
// ToPlane: plane[y][x] = byte Channel of the pixel; else the reverse. Over the area both have.
void TransferChannel8(TBitmap32& bmp, TBytePlane& plane, int channel, bool toPlane);
// A new bitmap turned by 90, 180 or 270 degrees clockwise; other angles copy.
TBitmap32 RotateBitmap32(const TBitmap32& bmp, int angle);
// One-pixel-high runs of pixels whose 32-bit value equals Color's low 24 bits, row by row:
// what CreateRegionWithoutColor cuts out of the bitmap's rectangle.
std::vector<TRect> ColorRuns(const TBitmap32& bmp, TColor color);

}  // namespace skin

// Row-wise conversion of image samples between layouts and bit depths, with an optional
// gamma table, and the palettes that indexed and grey bitmaps need. The PNG reader feeds
// every decoded row through it straight into a scan line. Win32-free: palettes are plain
// entry lists that the Windows layer turns into palette handles.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "rtl/SysUtils.h"

namespace skin {

// The platform bitmap's pixel formats, in its order.
enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// Bits per pixel of a pixel format; 0 for pfDevice and pfCustom.
int PixelFormatBits(TPixelFormat pf);

enum TSampleLayout : uint8_t {
  slUnknown = 0,
  slIndexed = 1,
  slGray = 2,
  slGrayAlpha = 3,
  slRGB = 4,
  slRGBA = 5,
  slBGR = 6,
  slBGRA = 7,
  slCMY = 8,
  slCMYK = 9,
  slCIELab = 10,
  slYCbCr = 11,
  slPhotoYCC = 12,
};

using TConversionFlags = uint8_t;
enum : TConversionFlags {
  cfAlpha = 1,             // the layout carries alpha (kept up to date by the converter choice)
  cfApplyGamma = 2,        // target: colour values pass through the gamma table
  cfSwapBytes = 4,         // source: 16-bit samples are big-endian
  cfLabByteLightness = 8,  // source: L* stored 0..255
  cfLabChromaOffset = 16,  // source: a* and b* stored with an offset of 128
};

// A TColor: red in the low byte.
using TColor = uint32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}

struct TPaletteEntry {
  uint8_t Red = 0, Green = 0, Blue = 0, Flags = 0;
  friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};

// A logical palette as Windows takes it (version 0x300).
struct TPalette {
  uint16_t Version = 0x300;
  std::vector<TPaletteEntry> Entries;
};

class EColorConversionError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

enum class TConversionSide { Source, Target };

class TColorManager {
 public:
  using TSources = std::array<const void*, 4>;

  TColorManager();

  void SetSourceBitsPerSample(int bits);
  void SetTargetBitsPerSample(int bits);
  void SetSourceSamplesPerPixel(int samples);
  void SetTargetSamplesPerPixel(int samples);
  void SetSourceLayout(TSampleLayout layout);
  void SetTargetLayout(TSampleLayout layout);
  int SourceBitsPerSample() const { return sourceBits_; }
  int TargetBitsPerSample() const { return targetBits_; }
  int SourceSamplesPerPixel() const { return sourceSamples_; }
  int TargetSamplesPerPixel() const { return targetSamples_; }
  TSampleLayout SourceLayout() const { return sourceLayout_; }
  TSampleLayout TargetLayout() const { return targetLayout_; }

  // Main <= 0 means 1.0, display <= 0 means 2.2; rebuilds the table.
  void SetGamma(float mainGamma, float displayGamma);
  float MainGamma() const { return mainGamma_; }
  float DisplayGamma() const { return displayGamma_; }
  const std::array<uint8_t, 256>& GammaTable() const { return gamma_; }

  TPixelFormat PixelFormatFor(TConversionSide which) const;

  // Converts Count target pixels. Planar 0: samples interleaved in source[0]; positive: one
  // plane per sample kind. Mask: bit 7 stands for the first target pixel, rotating right;
  // only pixels whose bit is set are written, each taking the next source pixel.
  void ConvertRow(const TSources& source, int planar, void* target, int count, uint8_t mask);

  TPalette CreateGrayPalette(bool reverse) const;
  // Format: 0 RGB bytes, 1 RGBx bytes, 2/3 byte planes, 4 BGR words, 5 BGRx words, 6/7 word planes.
  TPalette CreateColorMapPalette(const TSources& source, bool bgrOrder, int count, int format) const;

  TConversionFlags SourceOptions = 0;
  TConversionFlags TargetOptions = 0;

  // Luma coefficients used by the YCbCr and PhotoYCC chroma tables.
  float LumaRed = 0.299f, LumaGreen = 0.587f, LumaBlue = 0.114f;

 private:
  using TConverter = void (TColorManager::*)(const TSources&, int, uint8_t*, int, uint8_t);

  void ChooseConverter();
  void BuildYCbCrTables(bool photoYCC);

  void ConvertIndexed(const TSources&, int, uint8_t*, int, uint8_t);
  void ConvertIndexed16To16(const TSources&, int, uint8_t*, int, uint8_t);
  void ConvertIndexed16ToN(const TSources&, int, uint8_t*, int, uint8_t);
  void ConvertIndexedNTo16(const TSources&, int, uint8_t*, int, uint8_t);
  void ConvertGray(const TSources&, int, uint8_t*, int, uint8_t);
  void ConvertRGBToRGB(const TSources& s, int p, uint8_t* t, int c, uint8_t m) { ConvertColour(false, false, s, p, t, c, m); }
  void ConvertRGBToBGR(const TSources& s, int p, uint8_t* t, int c, uint8_t m) { ConvertColour(false, true, s, p, t, c, m); }
  void ConvertBGRToRGB(const TSources& s, int p, uint8_t* t, int c, uint8_t m) { ConvertColour(true, false, s, p, t, c, m); }
  void ConvertBGRToBGR(const TSources& s, int p, uint8_t* t, int c, uint8_t m) { ConvertColour(true, true, s, p, t, c, m); }
  void ConvertCMYKToRGB(const TSources& s, int p, uint8_t* t, int c, uint8_t m) { ConvertCMYK(false, s, p, t, c, m); }
  void ConvertCMYKToBGR(const TSources& s, int p, uint8_t* t, int c, uint8_t m) { ConvertCMYK(true, s, p, t, c, m); }
  void ConvertLabToRGB(const TSources& s, int p, uint8_t* t, int c, uint8_t m) { ConvertLab(false, s, p, t, c, m); }
  void ConvertLabToBGR(const TSources& s, int p, uint8_t* t, int c, uint8_t m) { ConvertLab(true, s, p, t, c, m); }
  void ConvertYCbCrToRGB(const TSources& s, int p, uint8_t* t, int c, uint8_t m) { ConvertYCbCr(false, s, p, t, c, m); }
  void ConvertYCbCrToBGR(const TSources& s, int p, uint8_t* t, int c, uint8_t m) { ConvertYCbCr(true, s, p, t, c, m); }

  void ConvertColour(bool sourceBGR, bool targetBGR, const TSources&, int, uint8_t*, int, uint8_t);
  void ConvertCMYK(bool targetBGR, const TSources&, int, uint8_t*, int, uint8_t);
  void ConvertLab(bool targetBGR, const TSources&, int, uint8_t*, int, uint8_t);
  void ConvertYCbCr(bool targetBGR, const TSources&, int, uint8_t*, int, uint8_t);

  bool changed_ = true;
  uint8_t sourceBits_ = 8, targetBits_ = 8;
  uint8_t sourceSamples_ = 3, targetSamples_ = 3;
  float mainGamma_ = 1.0f, displayGamma_ = 2.2f;
  std::array<uint8_t, 256> gamma_{};
  std::vector<int32_t> crToRed_, cbToBlue_, crToGreen_, cbToGreen_;
  TSampleLayout sourceLayout_ = slRGB;
  TSampleLayout targetLayout_ = slBGR;
  TConverter converter_ = nullptr;
};

}  // namespace skin

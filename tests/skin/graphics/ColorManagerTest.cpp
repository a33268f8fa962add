#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "skin/graphics/acColorManager.h"

using namespace skin;

namespace {

std::string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EColorConversionError& e) {
    return e.Message();
  }
  return "(nothing raised)";
}

const char* const kIndexedMismatch = "Conversion between indexed and non-indexed pixel formats is not supported.";

TColorManager::TSources Src(const void* p) { return {p, nullptr, nullptr, nullptr}; }

}  // namespace

TEST(ColorManager, SettersRefuseDepthsAndSampleCountsOutOfRange) {
  TColorManager cm;
  const std::string depth = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
  const std::string samples = "Sample count per pixel does not correspond to the given color scheme.";
  EXPECT_EQ(MessageOf([&] { cm.SetSourceBitsPerSample(0); }), depth);
  EXPECT_EQ(MessageOf([&] { cm.SetSourceBitsPerSample(17); }), depth);
  EXPECT_EQ(MessageOf([&] { cm.SetTargetBitsPerSample(0); }), depth);
  EXPECT_EQ(MessageOf([&] { cm.SetSourceSamplesPerPixel(0); }), samples);
  EXPECT_EQ(MessageOf([&] { cm.SetTargetSamplesPerPixel(5); }), samples);
  cm.SetSourceBitsPerSample(12);  // odd depths pass; only converters care
  EXPECT_EQ(cm.SourceBitsPerSample(), 12);
}

TEST(ColorManager, ConverterChoiceRefusesIndexedToDirectAndUnknownLayouts) {
  struct Case {
    TSampleLayout source, target;
    std::string message;
  };
  const Case cases[] = {
      {slGray, slRGB, kIndexedMismatch},
      {slGrayAlpha, slRGB, kIndexedMismatch},
      {slIndexed, slGrayAlpha, kIndexedMismatch},
      {slRGB, slIndexed, kIndexedMismatch},
      {slCMY, slRGB, "Color conversion failed. Could not find a proper method."},
      {slGrayAlpha, slGray, "(nothing raised)"},
      {slGrayAlpha, slIndexed, "(nothing raised)"},
  };
  for (const Case& c : cases) {
    TColorManager cm;
    cm.SetSourceLayout(c.source);
    cm.SetTargetLayout(c.target);
    uint8_t in[8] = {}, out[8] = {};
    EXPECT_EQ(MessageOf([&] { cm.ConvertRow(Src(in), 0, out, 1, 0xFF); }), c.message)
        << int(c.source) << " -> " << int(c.target);
  }
}

TEST(ColorManager, PackedIndicesAreRescaledAndMaskedPixelsKeepTheirBits) {
  TColorManager cm;
  cm.SetSourceLayout(slIndexed);
  cm.SetTargetLayout(slIndexed);
  cm.SetSourceBitsPerSample(2);
  cm.SetTargetBitsPerSample(4);
  const uint8_t src[] = {0x1B};  // 0, 1, 2, 3
  uint8_t out[2] = {};
  cm.ConvertRow(Src(src), 0, out, 4, 0xFF);
  EXPECT_EQ(out[0], 0x05);
  EXPECT_EQ(out[1], 0xAF);

  // An interlace mask writes only its columns, taking source pixels one after the other.
  uint8_t masked[2] = {0xFF, 0xFF};
  const uint8_t two[] = {0x40};  // 1, 0
  cm.ConvertRow(Src(two), 0, masked, 4, 0x55);  // columns 1 and 3
  EXPECT_EQ(masked[0], 0xF5);
  EXPECT_EQ(masked[1], 0xF0);
}

TEST(ColorManager, GreyEightToEightCopiesTheRow) {
  TColorManager cm;
  cm.SetSourceLayout(slGray);
  cm.SetTargetLayout(slGray);
  cm.SetSourceSamplesPerPixel(1);
  cm.SetTargetSamplesPerPixel(1);
  const uint8_t src[] = {0, 1, 127, 128, 254, 255};
  uint8_t out[6] = {};
  cm.ConvertRow(Src(src), 0, out, 6, 0xFF);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 6), std::vector<uint8_t>(src, src + 6));
}

TEST(ColorManager, ColourConvertersScaleSwapAndApplyGammaToColoursOnly) {
  TColorManager cm;
  cm.SetSourceLayout(slRGBA);
  cm.SetTargetLayout(slBGRA);
  cm.SetSourceSamplesPerPixel(4);
  cm.SetTargetSamplesPerPixel(4);
  cm.SetGamma(1.0f, 1.0f / 2.0f);  // exponent 2: table[v] = round((v/255)^2 * 255)
  cm.TargetOptions |= cfApplyGamma;
  const uint8_t src[] = {255, 128, 0, 128};
  uint8_t out[4] = {};
  cm.ConvertRow(Src(src), 0, out, 1, 0xFF);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], cm.GammaTable()[128]);
  EXPECT_EQ(out[1], 64);
  EXPECT_EQ(out[2], 255);
  EXPECT_EQ(out[3], 128) << "alpha never passes through the gamma table";

  // Big-endian 16-bit RGB to 8-bit BGR: swapped, then v * 255 div 65535.
  TColorManager wide;
  wide.SetSourceLayout(slRGB);
  wide.SetTargetLayout(slBGR);
  wide.SetSourceBitsPerSample(16);
  wide.SourceOptions = cfSwapBytes;
  const uint8_t src16[] = {0xFF, 0xFF, 0x01, 0x01, 0x80, 0x00};
  uint8_t out3[3] = {};
  wide.ConvertRow(Src(src16), 0, out3, 1, 0xFF);
  EXPECT_EQ(out3[2], 255);
  EXPECT_EQ(out3[1], 0x0101 * 255 / 65535);
  EXPECT_EQ(out3[0], 0x8000 * 255 / 65535);
}

TEST(ColorManager, ConverterIsChosenOnceUntilASetterChangesSomething) {
  TColorManager cm;
  cm.SetSourceLayout(slRGBA);
  cm.SetTargetLayout(slBGR);
  const uint8_t src[] = {1, 2, 3, 4, 5, 6, 7, 8};
  uint8_t out[6] = {};
  cm.ConvertRow(Src(src), 0, out, 2, 0xFF);
  EXPECT_EQ(out[3], 7);  // second pixel starts at byte 4 of an RGBA row
  // Clearing the alpha flag by hand is only undone by a fresh choice of converter.
  cm.SourceOptions = 0;
  cm.ConvertRow(Src(src), 0, out, 2, 0xFF);
  EXPECT_EQ(out[3], 6) << "the converter was chosen again without any setter call";
  cm.SetSourceLayout(slRGB);
  cm.SetSourceLayout(slRGBA);
  cm.ConvertRow(Src(src), 0, out, 2, 0xFF);
  EXPECT_EQ(out[3], 7);
}

TEST(ColorManager, GammaDefaultsAndTheNeutralPngGamma) {
  TColorManager cm;
  cm.SetGamma(0, 0);
  EXPECT_FLOAT_EQ(cm.MainGamma(), 1.0f);
  EXPECT_FLOAT_EQ(cm.DisplayGamma(), 2.2f);
  cm.SetGamma(0.45455f, 2.2f);
  for (int i = 0; i < 256; ++i) EXPECT_NEAR(cm.GammaTable()[i], i, 1) << i;

  // A deep target must not let the table run past its 256 entries.
  cm.SetSourceBitsPerSample(4);
  cm.SetTargetBitsPerSample(16);
  cm.SetGamma(1.0f, 1.0f);
  EXPECT_EQ(cm.GammaTable()[255], 255);
}

TEST(ColorManager, PalettesForGreyRampsAndSpreadColourMaps) {
  TColorManager cm;
  cm.SetTargetSamplesPerPixel(1);
  cm.SetTargetBitsPerSample(4);
  TPalette grey = cm.CreateGrayPalette(false);
  ASSERT_EQ(grey.Entries.size(), 16u);
  EXPECT_EQ(grey.Version, 0x300);
  EXPECT_EQ(grey.Entries[1], (TPaletteEntry{17, 17, 17, 0}));
  EXPECT_EQ(grey.Entries[15], (TPaletteEntry{255, 255, 255, 0}));
  TPalette reversed = cm.CreateGrayPalette(true);
  EXPECT_EQ(reversed.Entries[0], (TPaletteEntry{255, 255, 255, 0}));

  cm.SetSourceBitsPerSample(2);
  const uint8_t map[] = {10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42};
  TPalette spread = cm.CreateColorMapPalette({map, nullptr, nullptr, nullptr}, false, 4, 0);
  ASSERT_EQ(spread.Entries.size(), 16u);
  for (int v = 0; v < 4; ++v) EXPECT_EQ(spread.Entries[v * 5].Red, 10 * (v + 1)) << v;
  EXPECT_EQ(spread.Entries[4].Red, 10);  // entry k holds colour k * 3 div 15
  EXPECT_EQ(spread.Entries[9].Red, 20);

  // A 16-bit source map squeezed to 8 bits reads no entry beyond the map's 256.
  cm.SetSourceBitsPerSample(16);
  cm.SetTargetBitsPerSample(8);
  std::vector<uint8_t> words(256 * 6, 0xFF);
  TPalette squeezed = cm.CreateColorMapPalette({words.data(), nullptr, nullptr, nullptr}, false, 256, 4);
  EXPECT_EQ(squeezed.Entries.size(), 256u);
}

TEST(ColorManager, OtherColourSpacesReachBGR) {
  struct Case {
    TSampleLayout layout;
    TConversionFlags options;
    std::vector<uint8_t> sample;
    std::vector<uint8_t> bgr;
  };
  const Case cases[] = {
      {slCMYK, 0, {0, 0, 0, 0}, {255, 255, 255}},
      {slCMYK, 0, {255, 0, 0, 0}, {255, 255, 0}},      // full cyan: no red
      {slCMYK, 0, {0, 0, 0, 255}, {0, 0, 0}},          // full black
      {slYCbCr, 0, {128, 128, 128}, {128, 128, 128}},  // no chroma: grey
      {slYCbCr, 0, {0, 128, 255}, {0, 0, 178}},        // strong red difference
      {slCIELab, cfLabByteLightness | cfLabChromaOffset, {255, 128, 128}, {255, 255, 255}},
      {slCIELab, cfLabChromaOffset, {0, 128, 128}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    TColorManager cm;
    cm.SetSourceLayout(c.layout);
    cm.SetSourceSamplesPerPixel(static_cast<int>(c.sample.size()));
    cm.SetTargetLayout(slBGR);
    cm.SourceOptions = c.options;
    uint8_t out[3] = {};
    cm.ConvertRow(Src(c.sample.data()), 0, out, 1, 0xFF);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 3), c.bgr) << int(c.layout);
  }
}

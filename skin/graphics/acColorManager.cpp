#include "skin/graphics/acColorManager.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace skin {

namespace {

const char* const kInvalidDepth = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
const char* const kInvalidSamples = "Sample count per pixel does not correspond to the given color scheme.";
const char* const kIndexedMismatch = "Conversion between indexed and non-indexed pixel formats is not supported.";
const char* const kNoConverter = "Color conversion failed. Could not find a proper method.";

inline uint8_t NextBit(uint8_t bit) { return bit == 1 ? 0x80 : static_cast<uint8_t>(bit >> 1); }

// Calls visit(i) for the target pixels i < count whose mask bit is set, in order: the mask's
// bit 7 stands for pixel 0, bit 6 for pixel 1, and so on, again from bit 7 at pixel 8. Only
// the written pixels are visited, so a pass that fills one pixel in eight costs one in eight.
template <class F>
inline void ForMaskedPixels(int count, uint8_t mask, F&& visit) {
  if (mask == 0xFF) {
    for (int i = 0; i < count; ++i) visit(i);
    return;
  }
  int offsets[8];
  int n = 0;
  for (int k = 0; k < 8; ++k)
    if (mask & (0x80 >> k)) offsets[n++] = k;
  for (int base = 0; base < count; base += 8)
    for (int j = 0; j < n; ++j) {
      const int i = base + offsets[j];
      if (i >= count) return;
      visit(i);
    }
}

// 16-bit samples are little-endian in memory unless the source says they are big-endian.
inline uint32_t Read16(const uint8_t* p, bool swap) {
  return swap ? (static_cast<uint32_t>(p[0]) << 8 | p[1]) : (p[0] | static_cast<uint32_t>(p[1]) << 8);
}
inline void Write16(uint8_t* p, uint32_t v, bool bigEndian = false) {
  if (bigEndian) {
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
  } else {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
  }
}

// Packed samples, most significant bits first within each byte.
inline uint32_t ReadBits(const uint8_t* p, size_t pos, int bits) {
  if (bits == 8) return p[pos >> 3];
  if (8 % bits == 0) return (p[pos >> 3] >> (8 - bits - (pos & 7))) & ((1u << bits) - 1);
  uint32_t v = 0;
  for (int k = 0; k < bits; ++k, ++pos) v = (v << 1) | ((p[pos >> 3] >> (7 - (pos & 7))) & 1);
  return v;
}
inline void WriteBits(uint8_t* p, size_t pos, int bits, uint32_t v) {
  if (bits == 8) {
    p[pos >> 3] = static_cast<uint8_t>(v);
    return;
  }
  for (int k = bits - 1; k >= 0; --k, ++pos) {
    uint8_t m = static_cast<uint8_t>(0x80 >> (pos & 7));
    if ((v >> k) & 1)
      p[pos >> 3] |= m;
    else
      p[pos >> 3] &= static_cast<uint8_t>(~m);
  }
}

inline int ClampByte(int64_t v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }
inline bool Is8Or16(int bits) { return bits == 8 || bits == 16; }
inline bool HasAlpha(TSampleLayout l) { return l == slGrayAlpha || l == slRGBA || l == slBGRA; }
inline bool IsRGBFamily(TSampleLayout l) { return l == slRGB || l == slRGBA; }
inline bool IsBGRFamily(TSampleLayout l) { return l == slBGR || l == slBGRA; }

}  // namespace

int PixelFormatBits(TPixelFormat pf) {
  switch (pf) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
  }
}

TColorManager::TColorManager() { SetGamma(1.0f, 2.2f); }

void TColorManager::SetSourceBitsPerSample(int bits) {
  if (bits <= 0 || bits > 16) throw EColorConversionError(kInvalidDepth);
  if (sourceBits_ != bits) {
    sourceBits_ = static_cast<uint8_t>(bits);
    changed_ = true;
  }
}
void TColorManager::SetTargetBitsPerSample(int bits) {
  if (bits <= 0 || bits > 16) throw EColorConversionError(kInvalidDepth);
  if (targetBits_ != bits) {
    targetBits_ = static_cast<uint8_t>(bits);
    changed_ = true;
  }
}
void TColorManager::SetSourceSamplesPerPixel(int samples) {
  if (samples <= 0 || samples > 4) throw EColorConversionError(kInvalidSamples);
  if (sourceSamples_ != samples) {
    sourceSamples_ = static_cast<uint8_t>(samples);
    changed_ = true;
  }
}
void TColorManager::SetTargetSamplesPerPixel(int samples) {
  if (samples <= 0 || samples > 4) throw EColorConversionError(kInvalidSamples);
  if (targetSamples_ != samples) {
    targetSamples_ = static_cast<uint8_t>(samples);
    changed_ = true;
  }
}
void TColorManager::SetSourceLayout(TSampleLayout layout) {
  if (sourceLayout_ != layout) {
    sourceLayout_ = layout;
    changed_ = true;
  }
}
void TColorManager::SetTargetLayout(TSampleLayout layout) {
  if (targetLayout_ != layout) {
    targetLayout_ = layout;
    changed_ = true;
  }
}

void TColorManager::SetGamma(float mainGamma, float displayGamma) {
  mainGamma_ = mainGamma > 0 ? mainGamma : 1.0f;
  displayGamma_ = displayGamma > 0 ? displayGamma : 2.2f;
  const float exponent = 1.0f / (mainGamma_ * displayGamma_);
  // The table has 256 entries whatever the depths say: a 16-bit target must not make it
  // reach past its end, and a deep target cannot hold more than a byte per entry anyway.
  int n = sourceBits_ >= 8 ? 255 : (1 << targetBits_) - 1;
  n = std::clamp(n, 1, 255);
  const int m = targetBits_ >= 8 ? 255 : (1 << targetBits_) - 1;
  for (int i = 0; i <= n; ++i)
    gamma_[i] = static_cast<uint8_t>(rtl::Round(std::pow(static_cast<double>(i) / n, exponent) * m));
}

TPixelFormat TColorManager::PixelFormatFor(TConversionSide which) const {
  const int s = which == TConversionSide::Source ? sourceSamples_ : targetSamples_;
  const int b = which == TConversionSide::Source ? sourceBits_ : targetBits_;
  if (s == 1) {
    if (b == 1) return pf1bit;
    if (b >= 2 && b <= 4) return pf4bit;
    if (b >= 8 && b <= 16) return pf8bit;
  } else if (s == 3) {
    return b >= 1 && b <= 5 ? pf15bit : pf24bit;
  } else if (s == 4 && b >= 8) {
    return pf32bit;
  }
  return pfCustom;
}

void TColorManager::ChooseConverter() {
  converter_ = nullptr;
  const bool sourceIndexed = sourceLayout_ == slIndexed || sourceLayout_ == slGray || sourceLayout_ == slGrayAlpha;
  const bool targetIndexed = targetLayout_ == slIndexed || targetLayout_ == slGray;
  if (sourceIndexed != targetIndexed) throw EColorConversionError(kIndexedMismatch);
  SourceOptions = HasAlpha(sourceLayout_) ? (SourceOptions | cfAlpha) : (SourceOptions & ~cfAlpha);
  TargetOptions = HasAlpha(targetLayout_) ? (TargetOptions | cfAlpha) : (TargetOptions & ~cfAlpha);

  const int s = sourceBits_, t = targetBits_;
  const bool toRGB = IsRGBFamily(targetLayout_), toBGR = IsBGRFamily(targetLayout_);
  switch (sourceLayout_) {
    case slIndexed:
      if (s == 16 && t == 16)
        converter_ = &TColorManager::ConvertIndexed16To16;
      else if (s == 16)
        converter_ = &TColorManager::ConvertIndexed16ToN;
      else if (t == 16)
        converter_ = &TColorManager::ConvertIndexedNTo16;
      else
        converter_ = &TColorManager::ConvertIndexed;
      break;
    case slGray:
      if (s != 16 && t != 16)
        converter_ = &TColorManager::ConvertIndexed;
      else if (s >= 8 && t >= 8)
        converter_ = &TColorManager::ConvertGray;
      break;
    case slGrayAlpha:
      if (Is8Or16(s) && Is8Or16(t)) converter_ = &TColorManager::ConvertGray;
      break;
    case slRGB:
    case slRGBA:
      if (toRGB) converter_ = &TColorManager::ConvertRGBToRGB;
      if (toBGR) converter_ = &TColorManager::ConvertRGBToBGR;
      break;
    case slBGR:
    case slBGRA:
      if (toRGB) converter_ = &TColorManager::ConvertBGRToRGB;
      if (toBGR) converter_ = &TColorManager::ConvertBGRToBGR;
      break;
    case slCMYK:
      if (toRGB) converter_ = &TColorManager::ConvertCMYKToRGB;
      if (toBGR) converter_ = &TColorManager::ConvertCMYKToBGR;
      break;
    case slCIELab:
      if (toRGB) converter_ = &TColorManager::ConvertLabToRGB;
      if (toBGR) converter_ = &TColorManager::ConvertLabToBGR;
      break;
    case slYCbCr:
    case slPhotoYCC:
      if (toRGB || toBGR) {
        BuildYCbCrTables(sourceLayout_ == slPhotoYCC);
        converter_ = toRGB ? &TColorManager::ConvertYCbCrToRGB : &TColorManager::ConvertYCbCrToBGR;
      }
      break;
    default:
      break;
  }
  changed_ = false;
}

void TColorManager::BuildYCbCrTables(bool photoYCC) {
  const float cr = 2 - 2 * LumaRed, cb = 2 - 2 * LumaBlue;
  crToRed_.assign(256, 0);
  cbToBlue_.assign(256, 0);
  crToGreen_.assign(256, 0);
  cbToGreen_.assign(256, 0);
  for (int i = 0; i < 256; ++i) {
    const float r = static_cast<float>(photoYCC ? i - 137 : i - 128);
    const float b = static_cast<float>(photoYCC ? i - 156 : i - 128);
    crToRed_[i] = static_cast<int32_t>(rtl::Round(cr * r));
    cbToBlue_[i] = static_cast<int32_t>(rtl::Round(cb * b));
    crToGreen_[i] = -static_cast<int32_t>(rtl::Round(LumaRed * cr / LumaGreen * r));
    cbToGreen_[i] = -static_cast<int32_t>(rtl::Round(LumaBlue * cb / LumaGreen * b));
  }
}

void TColorManager::ConvertRow(const TSources& source, int planar, void* target, int count, uint8_t mask) {
  if (changed_) ChooseConverter();
  if (!converter_) throw EColorConversionError(kNoConverter);
  if (count <= 0) return;
  (this->*converter_)(source, planar, static_cast<uint8_t*>(target), count, mask);
}

void TColorManager::ConvertIndexed(const TSources& source, int, uint8_t* target, int count, uint8_t mask) {
  const int s = sourceBits_, t = targetBits_;
  const uint8_t* src = static_cast<const uint8_t*>(source[0]);
  if (s == t && mask == 0xFF) {
    std::memcpy(target, src, (static_cast<size_t>(count) * s + 7) / 8);
    return;
  }
  if (s == 8 && t == 8) {
    ForMaskedPixels(count, mask, [&](int i) { target[i] = *src++; });
    return;
  }
  const uint32_t maxS = (1u << s) - 1, maxT = (1u << t) - 1;
  size_t srcPos = 0;
  uint8_t bit = 0x80;
  for (int i = 0; i < count; ++i, bit = NextBit(bit)) {
    if (!(mask & bit)) continue;
    uint32_t v = ReadBits(src, srcPos, s);
    srcPos += s;
    if (s != t) v = v * maxT / maxS;
    WriteBits(target, static_cast<size_t>(i) * t, t, v);
  }
}

void TColorManager::ConvertIndexed16To16(const TSources& source, int, uint8_t* target, int count, uint8_t mask) {
  const uint8_t* src = static_cast<const uint8_t*>(source[0]);
  const bool swap = SourceOptions & cfSwapBytes;
  if (mask == 0xFF && !swap) {
    std::memcpy(target, src, static_cast<size_t>(count) * 2);
    return;
  }
  uint8_t bit = 0x80;
  for (int i = 0; i < count; ++i, bit = NextBit(bit)) {
    if (!(mask & bit)) continue;
    Write16(target + 2 * static_cast<size_t>(i), Read16(src, swap));
    src += 2;
  }
}

void TColorManager::ConvertIndexed16ToN(const TSources& source, int, uint8_t* target, int count, uint8_t mask) {
  const uint8_t* src = static_cast<const uint8_t*>(source[0]);
  const bool swap = SourceOptions & cfSwapBytes;
  const int t = targetBits_;
  const uint32_t maxT = (1u << t) - 1;
  uint8_t bit = 0x80;
  for (int i = 0; i < count; ++i, bit = NextBit(bit)) {
    if (!(mask & bit)) continue;
    WriteBits(target, static_cast<size_t>(i) * t, t, Read16(src, swap) * maxT / 65535);
    src += 2;
  }
}

void TColorManager::ConvertIndexedNTo16(const TSources& source, int, uint8_t* target, int count, uint8_t mask) {
  const uint8_t* src = static_cast<const uint8_t*>(source[0]);
  const bool swap = SourceOptions & cfSwapBytes;
  const int s = sourceBits_;
  const uint32_t maxS = (1u << s) - 1;
  size_t srcPos = 0;
  uint8_t bit = 0x80;
  for (int i = 0; i < count; ++i, bit = NextBit(bit)) {
    if (!(mask & bit)) continue;
    const uint32_t v = ReadBits(src, srcPos, s) * 65535 / maxS;
    srcPos += s;
    Write16(target + 2 * static_cast<size_t>(i), v, swap);
  }
}

void TColorManager::ConvertGray(const TSources& source, int planar, uint8_t* target, int count, uint8_t mask) {
  const int s = sourceBits_, t = targetBits_;
  if (!Is8Or16(s) || !Is8Or16(t)) return;
  const uint8_t* src = static_cast<const uint8_t*>(source[0]);
  const bool swap = SourceOptions & cfSwapBytes;
  const size_t step = static_cast<size_t>(planar == 0 && sourceLayout_ == slGrayAlpha ? 2 : 1) * (s / 8);
  const size_t out = t / 8;
  uint8_t bit = 0x80;
  for (int i = 0; i < count; ++i, bit = NextBit(bit), target += out) {
    if (!(mask & bit)) continue;
    if (s == 8 && t == 8)
      *target = *src;
    else if (s == 8)
      Write16(target, *src * 257u);
    else if (t == 8)
      *target = static_cast<uint8_t>(Read16(src, swap) * 255 / 65535);
    else
      Write16(target, Read16(src, swap));
    src += step;
  }
}

void TColorManager::ConvertColour(bool sourceBGR, bool targetBGR, const TSources& source, int planar, uint8_t* target,
                                  int count, uint8_t mask) {
  const int s = sourceBits_, t = targetBits_;
  if (!Is8Or16(s) || !Is8Or16(t)) return;
  const bool srcAlpha = SourceOptions & cfAlpha, tgtAlpha = TargetOptions & cfAlpha;
  const bool gamma = TargetOptions & cfApplyGamma, swap = SourceOptions & cfSwapBytes;
  const size_t sb = s / 8, tb = t / 8;
  const size_t srcStep = (planar ? 1 : (srcAlpha ? 4 : 3)) * sb;
  const size_t tgtStep = (tgtAlpha ? 4 : 3) * tb;
  // Sample order within a pixel: which sample holds red, green, blue.
  const int sr = sourceBGR ? 2 : 0, sg = 1, sbl = sourceBGR ? 0 : 2;
  const int tr = targetBGR ? 2 : 0, tg = 1, tbl = targetBGR ? 0 : 2;
  const bool copyAlpha = srcAlpha && tgtAlpha;

  auto sampleAt = [&](size_t pixel, int k) -> const uint8_t* {
    if (planar) return static_cast<const uint8_t*>(source[k]) + pixel * sb;
    return static_cast<const uint8_t*>(source[0]) + pixel * srcStep + k * sb;
  };
  auto put = [&](uint8_t* dst, const uint8_t* p, bool colour) {
    if (s == 8) {
      const uint8_t v = colour && gamma ? gamma_[*p] : *p;
      if (t == 8)
        *dst = v;
      else
        Write16(dst, v * 257u, swap);
    } else {
      const uint32_t v = Read16(p, swap);
      if (t == 8) {
        const uint8_t b = static_cast<uint8_t>(v * 255 / 65535);
        *dst = colour && gamma ? gamma_[b] : b;
      } else {
        Write16(dst, v);
      }
    }
  };

  if (s == 8 && t == 8 && !planar) {
    // The case of PNG colour images, kept tight: no test per pixel but the table.
    const uint8_t* src = static_cast<const uint8_t*>(source[0]);
    if (!gamma && mask == 0xFF && srcStep == 4 && tgtStep == 4 && copyAlpha && sourceBGR != targetBGR) {
      // R G B A <-> B G R A: swap the outer bytes of each 32-bit pixel.
      for (int i = 0; i < count; ++i) {
        uint32_t v;
        std::memcpy(&v, src + 4 * static_cast<size_t>(i), 4);
        v = (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16);
        std::memcpy(target + 4 * static_cast<size_t>(i), &v, 4);
      }
      return;
    }
    if (!gamma && mask == 0xFF && srcStep == 3 && tgtStep == 3 && sourceBGR != targetBGR && count > 1) {
      // R G B <-> B G R, a 32-bit word per pixel; each word's fourth byte is written over
      // by the next pixel, and the last pixel is written by bytes.
      const size_t last = static_cast<size_t>(count) - 1;
      for (size_t i = 0; i < last; ++i) {
        uint32_t v;
        std::memcpy(&v, src + 3 * i, 4);
        v = (v & 0x0000FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16);
        std::memcpy(target + 3 * i, &v, 4);
      }
      target[3 * last] = src[3 * last + 2];
      target[3 * last + 1] = src[3 * last + 1];
      target[3 * last + 2] = src[3 * last];
      return;
    }
    // Strides and the alpha copy as constants for the two pixel sizes PNG images have.
    auto run = [&](auto throughTable, auto srcBytes, auto tgtBytes, auto withAlpha) {
      constexpr bool kTable = decltype(throughTable)::value;
      constexpr size_t kSrc = decltype(srcBytes)::value, kTgt = decltype(tgtBytes)::value;
      constexpr bool kAlpha = decltype(withAlpha)::value;
      auto level = [&](uint8_t v) { return kTable ? gamma_[v] : v; };
      ForMaskedPixels(count, mask, [&](int i) {
        uint8_t* dst = target + static_cast<size_t>(i) * kTgt;
        dst[tr] = level(src[sr]);
        dst[tg] = level(src[sg]);
        dst[tbl] = level(src[sbl]);
        if (kAlpha) dst[3] = src[3];
        src += kSrc;
      });
    };
    using K3 = std::integral_constant<size_t, 3>;
    using K4 = std::integral_constant<size_t, 4>;
    auto withTable = [&](auto throughTable) {
      if (srcStep == 3 && tgtStep == 3)
        run(throughTable, K3{}, K3{}, std::false_type{});
      else if (srcStep == 4 && tgtStep == 4 && copyAlpha)
        run(throughTable, K4{}, K4{}, std::true_type{});
      else if (srcStep == 4 && tgtStep == 4)
        run(throughTable, K4{}, K4{}, std::false_type{});
      else if (srcStep == 3)
        run(throughTable, K3{}, K4{}, std::false_type{});
      else
        run(throughTable, K4{}, K3{}, std::false_type{});
    };
    if (gamma)
      withTable(std::true_type{});
    else
      withTable(std::false_type{});
    return;
  }

  size_t j = 0;
  uint8_t bit = 0x80;
  for (int i = 0; i < count; ++i, bit = NextBit(bit), target += tgtStep) {
    if (!(mask & bit)) continue;
    put(target + tr * tb, sampleAt(j, sr), true);
    put(target + tg * tb, sampleAt(j, sg), true);
    put(target + tbl * tb, sampleAt(j, sbl), true);
    if (copyAlpha) put(target + 3 * tb, sampleAt(j, 3), false);
    ++j;
  }
}

void TColorManager::ConvertCMYK(bool targetBGR, const TSources& source, int planar, uint8_t* target, int count,
                                uint8_t mask) {
  const int s = sourceBits_, t = targetBits_;
  if (!Is8Or16(s) || !Is8Or16(t)) return;
  const bool isPlanar = planar == 3;
  const size_t sb = s / 8, tb = t / 8;
  const size_t tgtStep = ((TargetOptions & cfAlpha) ? 4 : 3) * tb;
  auto sample = [&](size_t pixel, int k) -> uint32_t {
    const uint8_t* p = isPlanar ? static_cast<const uint8_t*>(source[k]) + pixel * sb
                                : static_cast<const uint8_t*>(source[0]) + (pixel * 4 + k) * sb;
    return s == 8 ? *p : Read16(p, false);
  };
  auto channel = [&](uint32_t x, uint32_t k) -> uint32_t {
    if (s == 8) {
      const int v = ClampByte(255 - static_cast<int64_t>(x) - k + x * k / 255);
      return t == 8 ? static_cast<uint32_t>(v) : v * 257u;
    }
    if (t == 8) return static_cast<uint32_t>(ClampByte(255 - (static_cast<int64_t>(x) + k - x * k / 65535) * 255 / 65535));
    return static_cast<uint32_t>(65535 - static_cast<int64_t>(x) - k + x * k / 65535) & 0xFFFF;
  };
  auto store = [&](uint8_t* dst, uint32_t v) {
    if (t == 8)
      *dst = static_cast<uint8_t>(v);
    else
      Write16(dst, v);
  };
  size_t j = 0;
  uint8_t bit = 0x80;
  for (int i = 0; i < count; ++i, bit = NextBit(bit), target += tgtStep) {
    if (!(mask & bit)) continue;
    const uint32_t c = sample(j, 0), m = sample(j, 1), y = sample(j, 2), k = sample(j, 3);
    ++j;
    store(target + (targetBGR ? 2 : 0) * tb, channel(c, k));
    store(target + 1 * tb, channel(m, k));
    store(target + (targetBGR ? 0 : 2) * tb, channel(y, k));
  }
}

void TColorManager::ConvertLab(bool targetBGR, const TSources& source, int planar, uint8_t* target, int count,
                               uint8_t mask) {
  const int s = sourceBits_, t = targetBits_;
  if (!Is8Or16(s) || !Is8Or16(t)) return;
  const size_t sb = s / 8, tb = t / 8;
  const size_t tgtStep = ((TargetOptions & cfAlpha) ? 4 : 3) * tb;
  const bool byteLightness = SourceOptions & cfLabByteLightness;
  const bool chromaOffset = SourceOptions & cfLabChromaOffset;
  auto raw = [&](size_t pixel, int k) -> uint32_t {
    const uint8_t* p = planar ? static_cast<const uint8_t*>(source[k]) + pixel * sb
                              : static_cast<const uint8_t*>(source[0]) + (pixel * 3 + k) * sb;
    return s == 8 ? *p : Read16(p, false);
  };
  auto chroma = [&](uint32_t v) -> double {
    if (chromaOffset) return static_cast<double>(v) - 128;
    return static_cast<int8_t>(static_cast<uint8_t>(v & 0xFF));
  };
  auto store = [&](uint8_t* dst, double v) {
    const int b = ClampByte(rtl::Round(v * 255));
    if (t == 8)
      *dst = static_cast<uint8_t>(b);
    else
      Write16(dst, s == 8 ? b * 257u : static_cast<uint32_t>(b));
  };
  size_t j = 0;
  uint8_t bit = 0x80;
  for (int i = 0; i < count; ++i, bit = NextBit(bit), target += tgtStep) {
    if (!(mask & bit)) continue;
    double l = raw(j, 0);
    if (byteLightness) l /= 2.55;
    const double a = chroma(raw(j, 1)), b = chroma(raw(j, 2));
    ++j;
    double x, y, z;
    if (l < 7.9996) {
      y = l / 903.3;
      x = y + a / 3893.5;
      z = y - b / 1557.4;
    } else {
      const double f = (l + 16) / 116;
      x = std::pow(f + a / 500, 3);
      y = f * f * f;
      z = std::pow(f - b / 200, 3);
    }
    const double blue = 0.099 * x - 0.198 * y + 1.099 * z;
    const double green = -0.952 * x + 1.893 * y + 0.059 * z;
    const double red = 2.998 * x - 1.458 * y - 0.541 * z;
    store(target + (targetBGR ? 0 : 2) * tb, blue);
    store(target + 1 * tb, green);
    store(target + (targetBGR ? 2 : 0) * tb, red);
  }
}

void TColorManager::ConvertYCbCr(bool targetBGR, const TSources& source, int planar, uint8_t* target, int count,
                                 uint8_t mask) {
  const int s = sourceBits_, t = targetBits_;
  if (!Is8Or16(s) || !Is8Or16(t)) return;
  const size_t sb = s / 8, tb = t / 8;
  const size_t tgtStep = ((TargetOptions & cfAlpha) ? 4 : 3) * tb;
  auto raw = [&](size_t pixel, int k) -> uint32_t {
    const uint8_t* p = planar ? static_cast<const uint8_t*>(source[k]) + pixel * sb
                              : static_cast<const uint8_t*>(source[0]) + (pixel * 3 + k) * sb;
    return s == 8 ? *p : Read16(p, false);
  };
  auto store = [&](uint8_t* dst, uint32_t v) {
    if (t == 8)
      *dst = static_cast<uint8_t>(v);
    else
      Write16(dst, v);
  };
  size_t j = 0;
  uint8_t bit = 0x80;
  for (int i = 0; i < count; ++i, bit = NextBit(bit), target += tgtStep) {
    if (!(mask & bit)) continue;
    uint32_t y = raw(j, 0), cb = raw(j, 1), cr = raw(j, 2);
    ++j;
    uint32_t blue, green, red;
    if (s == 16 && t == 16) {
      // The wide path keeps 16 bits; results outside the sample range are clamped.
      const double y2 = 1.3584 * y;
      auto clamp16 = [](double v) { return static_cast<uint32_t>(std::clamp<int64_t>(rtl::Round(v), 0, 65535)); };
      blue = clamp16(y2 + 2.2179 * (static_cast<double>(cb) - 40092));
      green = clamp16(y2 - 0.9271435 * (static_cast<double>(cr) - 35209) - 0.4302726 * (static_cast<double>(cb) - 40092));
      red = clamp16(y2 + 1.8215 * (static_cast<double>(cr) - 35209));
    } else {
      if (s == 16) {
        y = y * 255 / 65535;
        cb = cb * 255 / 65535;
        cr = cr * 255 / 65535;
      }
      const int64_t yi = y;
      blue = static_cast<uint32_t>(ClampByte(yi + cbToBlue_[cb]));
      green = static_cast<uint32_t>(ClampByte(yi + cbToGreen_[cb] + crToGreen_[cr]));
      red = static_cast<uint32_t>(ClampByte(yi + crToRed_[cr]));
      if (t == 16) {
        blue *= 257;
        green *= 257;
        red *= 257;
      }
    }
    store(target + (targetBGR ? 0 : 2) * tb, blue);
    store(target + 1 * tb, green);
    store(target + (targetBGR ? 2 : 0) * tb, red);
  }
}

TPalette TColorManager::CreateGrayPalette(bool reverse) const {
  const int n = 1 << std::min(targetBits_ * targetSamples_, 8);
  const int step = 255 / (n - 1);
  const bool gamma = TargetOptions & cfApplyGamma;
  TPalette pal;
  pal.Entries.resize(n);
  for (int i = 0; i < n; ++i) {
    const int level = i * step;
    const uint8_t v = gamma ? gamma_[level] : static_cast<uint8_t>(level);
    pal.Entries[reverse ? n - 1 - i : i] = {v, v, v, 0};
  }
  return pal;
}

TPalette TColorManager::CreateColorMapPalette(const TSources& source, bool bgrOrder, int count, int format) const {
  count = std::clamp(count, 0, 256);
  std::array<TPaletteEntry, 256> map{};
  const bool gamma = TargetOptions & cfApplyGamma;
  const bool swap = SourceOptions & cfSwapBytes;
  auto c8 = [&](uint8_t v) { return gamma ? gamma_[v] : v; };
  auto c16 = [&](const uint8_t* p) { return c8(static_cast<uint8_t>(Read16(p, swap) * 255 / 65535)); };
  const auto* s0 = static_cast<const uint8_t*>(source[0]);
  const auto* s1 = static_cast<const uint8_t*>(source[1]);
  const auto* s2 = static_cast<const uint8_t*>(source[2]);
  for (int i = 0; i < count; ++i) {
    TPaletteEntry& e = map[i];
    switch (format) {
      case 0:
      case 1: {
        const uint8_t* p = s0 + static_cast<size_t>(i) * (format == 0 ? 3 : 4);
        e.Red = c8(bgrOrder ? p[2] : p[0]);
        e.Green = c8(p[1]);
        e.Blue = c8(bgrOrder ? p[0] : p[2]);
        break;
      }
      case 2:
      case 3:
        e.Red = c8(s0[i]);
        e.Green = c8(s1[i]);
        e.Blue = c8(s2[i]);
        break;
      case 4:
      case 5: {
        // Word maps are stored blue first unless told otherwise.
        const uint8_t* p = s0 + static_cast<size_t>(i) * (format == 4 ? 6 : 8);
        e.Blue = c16(bgrOrder ? p + 4 : p);
        e.Green = c16(p + 2);
        e.Red = c16(bgrOrder ? p : p + 4);
        break;
      }
      case 6:
      case 7:
        e.Red = c16(s0 + 2 * i);
        e.Green = c16(s1 + 2 * i);
        e.Blue = c16(s2 + 2 * i);
        break;
      default:
        break;
    }
  }
  TPalette pal;
  const int sBits = sourceBits_, tBits = targetBits_;
  if (tBits <= 8 && sBits != tBits) {
    // Spread (or squeeze) the map so that the converted pixel values find their colours.
    const uint32_t s = (1u << sBits) - 1, t = (1u << tBits) - 1;
    auto from = [&](uint32_t k) { return std::min<uint32_t>(k * s / t, 255); };
    if (s < t) {
      for (int64_t k = t; k >= 0; --k) map[k] = map[from(static_cast<uint32_t>(k))];
    } else {
      for (uint32_t k = 0; k <= t; ++k) map[k] = map[from(k)];
    }
    pal.Entries.assign(map.begin(), map.begin() + t + 1);
  } else {
    pal.Entries.assign(map.begin(), map.begin() + count);
  }
  return pal;
}

}  // namespace skin

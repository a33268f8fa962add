#include "skin/graphics/acPNGReader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace skin {

namespace {

const char* const kInvalidImage = "Cannot load image. Invalid or unexpected %s image format.";
const char* const kNotSupported = "Cannot load image. %s not supported for %s files.";
const char* const kCrcError = "Cannot load image. CRC error found in %s file.";
const char* const kBadPalette = "Cannot load image. Palette in %s file is invalid.";
const char* const kBadColorFormat = "Invalid color format in %s file.";
const char* const kCompressionError = "Cannot load image. Compression error found in %s file.";
const char* const kExtraData = "Cannot load image. Extra compressed data found in %s file.";
const char* const kCriticalChunk = "Cannot load PNG image. Unexpected but critical chunk detected.";

constexpr uint32_t Tag(const char (&s)[5]) {
  return static_cast<uint32_t>(static_cast<uint8_t>(s[0])) << 24 | static_cast<uint32_t>(static_cast<uint8_t>(s[1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(s[2])) << 8 | static_cast<uint8_t>(s[3]);
}
constexpr uint32_t kIHDR = Tag("IHDR"), kPLTE = Tag("PLTE"), kIDAT = Tag("IDAT"), kIEND = Tag("IEND"),
                   kgAMA = Tag("gAMA"), kbKGD = Tag("bKGD"), ktRNS = Tag("tRNS");

const uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

inline uint32_t BE32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}
inline uint32_t BE16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 8 | p[1]; }

// Eight tables so the loop can take eight bytes per step; the first is the classic one,
// made from the exponents of the CRC-32 polynomial.
struct TCrcTables {
  uint32_t t[8][256];
  TCrcTables() {
    static const int exponents[] = {0, 1, 2, 4, 5, 7, 8, 10, 11, 12, 16, 22, 23, 26};
    uint32_t poly = 0;
    for (int e : exponents) poly |= 1u << (31 - e);
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? poly ^ (c >> 1) : c >> 1;
      t[0][n] = c;
    }
    for (int k = 1; k < 8; ++k)
      for (int n = 0; n < 256; ++n) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
  }
};

const TCrcTables& CrcTables() {
  static const TCrcTables tables;  // built once, safely, on first use
  return tables;
}

inline uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
  return static_cast<uint8_t>(pb <= pc ? b : c);
}

struct TPass {
  int firstRow, firstColumn, rowStep, columnStep;
  uint8_t mask;
};
constexpr TPass kAdam7[7] = {{0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
                             {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF}};

}  // namespace

uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t length) {
  if (!data) return 0;
  const auto& T = CrcTables().t;
  const auto* p = static_cast<const uint8_t*>(data);
  uint32_t c = ~crc;
  while (length >= 8) {
    c ^= p[0] | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    const uint32_t hi = p[4] | static_cast<uint32_t>(p[5]) << 8 | static_cast<uint32_t>(p[6]) << 16 | static_cast<uint32_t>(p[7]) << 24;
    c = T[7][c & 0xFF] ^ T[6][(c >> 8) & 0xFF] ^ T[5][(c >> 16) & 0xFF] ^ T[4][c >> 24] ^ T[3][hi & 0xFF] ^
        T[2][(hi >> 8) & 0xFF] ^ T[1][(hi >> 16) & 0xFF] ^ T[0][hi >> 24];
    p += 8;
    length -= 8;
  }
  while (length--) c = T[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
  return ~c;
}

// ---- TPNGImage -------------------------------------------------------------------------

void TPNGImage::SetSize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  stride_ = (static_cast<size_t>(width_) * PixelFormatBits(pixelFormat_) + 31) / 32 * 4;
  bits_.assign(stride_ * static_cast<size_t>(height_), 0);
}

void TPNGImage::Release() {
  width_ = height_ = 0;
  stride_ = 0;
  bits_.clear();
  bits_.shrink_to_fit();
  pixelFormat_ = pfDevice;
  Palette.Entries.clear();
  IgnorePalette = false;
}

uint32_t TPNGImage::PixelValue(int x, int y) const {
  const uint8_t* row = ScanLine(y);
  switch (pixelFormat_) {
    case pf1bit: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case pf4bit: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case pf8bit: return row[x];
    case pf24bit: return RGBColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case pf32bit: return RGBColor(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    default: return 0;
  }
}

// ---- TPNGReader ------------------------------------------------------------------------

void TPNGReader::Progress(TProgressStage stage, const std::string& message) {
  if (OnProgress) OnProgress(stage, 0, false, progressRect_, message);
}

bool TPNGReader::IsChunk(uint32_t type) const { return (chunkType_ & 0xDFDFDFDF) == (type & 0xDFDFDFDF); }

void TPNGReader::ReadChunkHeader() {
  uint8_t h[8];
  stream_->ReadBuffer(h, 8);
  chunkLength_ = BE32(h);
  chunkType_ = BE32(h + 4);
  chunkCrc_ = UpdateCrc32(0, h + 4, 4);
}

void TPNGReader::ReadChunkData() {
  // A length the stream cannot hold is a short read; saying so before allocating keeps a
  // lying length from claiming gigabytes.
  const int64_t remaining = stream_->Size() - stream_->Position();
  if (static_cast<int64_t>(chunkLength_) + 4 > remaining) throw rtl::EReadError("Stream read error");
  chunk_.resize(chunkLength_);
  if (chunkLength_ > 0) {
    stream_->ReadBuffer(chunk_.data(), chunkLength_);
    chunkCrc_ = UpdateCrc32(chunkCrc_, chunk_.data(), chunkLength_);
  }
  uint8_t c[4];
  stream_->ReadBuffer(c, 4);
  if (BE32(c) != chunkCrc_) throw EInvalidGraphic(rtl::Format(kCrcError, "PNG"));
  readPos_ = 0;
}

void TPNGReader::SkipChunk() { stream_->Seek(static_cast<int64_t>(chunkLength_) + 4, rtl::TSeekOrigin::soCurrent); }

bool TPNGReader::CheckHeader() {
  TPNGImageProperties& props = image_->Properties;
  props = TPNGImageProperties{};
  uint8_t sig[8];
  stream_->ReadBuffer(sig, 8);
  if (std::memcmp(sig, kSignature, 8) != 0) return false;
  ReadChunkHeader();
  if (!IsChunk(kIHDR) || chunkLength_ != 13) return false;
  ReadChunkData();
  const uint32_t width = BE32(chunk_.data()), height = BE32(chunk_.data() + 4);
  if (width == 0 || height == 0) return false;
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF || static_cast<uint64_t>(width) * height > MaxPixels) return false;
  const uint8_t colorType = chunk_[9];
  props.Width = static_cast<int32_t>(width);
  props.BitsPerSample = chunk_[8];
  props.SamplesPerPixel = colorType == 2 ? 3 : colorType == 6 ? 4 : 1;
  switch (colorType) {
    case 0: props.Layout = slGray; break;
    case 2: props.Layout = slRGB; break;
    case 3: props.Layout = slIndexed; break;
    case 4: props.Layout = slGrayAlpha; break;
    case 6: props.Layout = slRGBA; break;
    default: props.Layout = slUnknown; break;
  }
  props.Compression = chunk_[10] == 0 ? 2 : 0;
  for (;;) {
    ReadChunkHeader();
    if (IsChunk(kgAMA)) {
      ReadChunkData();
      break;
    }
    if (IsChunk(kIEND)) break;
    SkipChunk();
  }
  props.Flags |= ipHeaderRead;
  return true;
}

int TPNGReader::SetupColor() {
  const int bits = header_.BitDepth;
  auto refuse = [] { throw EInvalidGraphic(rtl::Format(kBadColorFormat, "PNG")); };
  auto setSource = [&](TSampleLayout l, int samples) {
    cm_.SetSourceLayout(l);
    cm_.SetSourceSamplesPerPixel(samples);
    cm_.SetSourceBitsPerSample(bits);
  };
  auto setTarget = [&](TSampleLayout l, int samples, int targetBits) {
    cm_.SetTargetLayout(l);
    cm_.SetTargetSamplesPerPixel(samples);
    cm_.SetTargetBitsPerSample(targetBits);
  };
  int distance = 0;
  switch (header_.ColorType) {
    case 0:
      if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16) refuse();
      setSource(slGray, 1);
      setTarget(slGray, 1, bits == 2 ? 4 : bits == 16 ? 8 : bits);
      image_->SetPixelFormat(cm_.PixelFormatFor(TConversionSide::Target));
      image_->Palette = cm_.CreateGrayPalette(false);
      distance = (bits + 7) / 8;
      break;
    case 2:
      if (bits != 8 && bits != 16) refuse();
      setSource(slRGB, 3);
      setTarget(slBGR, 3, 8);
      image_->SetPixelFormat(pf24bit);
      distance = bits * 3 / 8;
      break;
    case 3:
      if (bits != 1 && bits != 2 && bits != 4 && bits != 8) refuse();
      setSource(slIndexed, 1);
      setTarget(slIndexed, 1, bits == 2 ? 4 : bits);
      image_->SetPixelFormat(cm_.PixelFormatFor(TConversionSide::Target));
      distance = 1;
      break;
    case 4:
      if (bits != 8 && bits != 16) refuse();
      setSource(slGrayAlpha, 1);
      setTarget(slIndexed, 1, 8);
      image_->SetPixelFormat(pf8bit);
      image_->Palette = cm_.CreateGrayPalette(false);
      distance = bits * 2 / 8;
      break;
    case 6:
      if (bits != 8 && bits != 16) refuse();
      setSource(slRGBA, 4);
      setTarget(slBGRA, 4, 8);
      image_->SetPixelFormat(pf32bit);
      distance = bits * 4 / 8;
      break;
    default:
      refuse();
  }
  colorSetUp_ = true;
  return distance;
}

void TPNGReader::ReadBackground() {
  const uint8_t* d = chunk_.data();
  const int bits = header_.BitDepth;
  switch (header_.ColorType) {
    case 2:
    case 6: {
      if (chunkLength_ < 6) return;
      uint32_t c[3] = {BE16(d), BE16(d + 2), BE16(d + 4)};
      for (auto& v : c) v = bits == 16 ? v * 255 / 65535 : v & 0xFF;
      image_->BackgroundColor = RGBColor(c[0], c[1], c[2]);
      break;
    }
    case 0:
    case 4: {
      // The fill shows where rows get no data: give it the level's grey as pixels show it.
      if (chunkLength_ < 2) return;
      uint32_t v = BE16(d);
      if (bits == 16)
        v = v * 255 / 65535;
      else if (bits >= 8)
        v &= 0xFF;
      else
        v = std::min<uint32_t>(v, (1u << bits) - 1) * 255 / ((1u << bits) - 1);
      image_->BackgroundColor = RGBColor(v, v, v);
      break;
    }
    case 3: {
      if (chunkLength_ < 1) return;
      const size_t i = d[0];
      if (3 * i + 2 < plte_.size()) image_->BackgroundColor = RGBColor(plte_[3 * i], plte_[3 * i + 1], plte_[3 * i + 2]);
      break;
    }
    default:
      break;
  }
}

void TPNGReader::ReadTransparency() {
  const uint8_t* d = chunk_.data();
  const int bits = header_.BitDepth;
  switch (header_.ColorType) {
    case 0: {
      if (chunkLength_ < 2) return;
      uint32_t v = BE16(d);
      if (bits == 16)
        v = v * 255 / 65535;
      else if (bits < 8)
        // The colour the pixels of that level have in the bitmap (its grey ramp).
        v = std::min<uint32_t>(v, (1u << bits) - 1) * 255 / ((1u << bits) - 1);
      v &= 0xFF;
      image_->TransparentColor = RGBColor(v, v, v);
      break;
    }
    case 2: {
      if (chunkLength_ < 6) return;
      uint32_t c[3] = {BE16(d), BE16(d + 2), BE16(d + 4)};
      for (auto& v : c) v = bits == 16 ? v * 255 / 65535 : v & 0xFF;
      image_->TransparentColor = RGBColor(c[0], c[1], c[2]);
      break;
    }
    case 4:
    case 6:
      break;
    default:
      // One alpha value per palette index; a longer table has nothing to apply to.
      image_->AlphaTable.assign(256, 255);
      std::copy_n(chunk_.begin(), std::min<size_t>(chunkLength_, 256), image_->AlphaTable.begin());
      break;
  }
}

void TPNGReader::Load(rtl::TStream& stream, TPNGImage& image) {
  stream_ = &stream;
  image_ = &image;
  image.Release();
  const int64_t start = stream.Position();
  decoder_.reset();
  if (!CheckHeader()) throw EInvalidGraphic(rtl::Format(kInvalidImage, "PNG"));
  stream.SetPosition(start + 8);
  progressRect_ = gui::Rect(0, 0, image.Properties.Width, 1);
  Progress(TProgressStage::psStarting, "Preparing...");

  image.Palette.Entries.clear();
  image.AlphaTable.clear();
  image.BackgroundColor = 0xFFFFFF;
  image.TransparentColor = clNone;
  image.Transparent = false;
  plte_.clear();
  colorSetUp_ = false;
  filterDistance_ = 0;
  // A picture loaded before must not lend this one its gamma or its depths: the gamma
  // table is built for the depths in force when gAMA is met.
  cm_.TargetOptions &= static_cast<TConversionFlags>(~cfApplyGamma);
  cm_.SetSourceBitsPerSample(8);
  cm_.SetTargetBitsPerSample(8);
  cm_.SetGamma(1.0f, 2.2f);

  ReadChunkHeader();
  cm_.SourceOptions = cfSwapBytes;
  try {
    ReadChunkData();
    if (!IsChunk(kIHDR) || chunkLength_ != 13) throw EInvalidGraphic(rtl::Format(kInvalidImage, "PNG"));
    const uint8_t* h = chunk_.data();
    header_ = THeader{BE32(h), BE32(h + 4), h[8], h[9], h[10], h[11], h[12]};
    if (header_.Compression != 0)
      throw EInvalidGraphic(rtl::Format(kNotSupported, "The compression scheme is", "PNG"));
    decoder_ = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, false);
    decoder_->BeginStream();

    for (;;) {
      ReadChunkHeader();
      if (IsChunk(kIDAT)) {
        Progress(TProgressStage::psEnding, "");
        DecodeImageData();
        // The chunk after the image data is passed over whatever it is.
      } else if (IsChunk(kPLTE)) {
        if (chunkLength_ % 3 != 0) throw EInvalidGraphic(rtl::Format(kBadPalette, "PNG"));
        ReadChunkData();
        if (header_.ColorType == 3) {
          filterDistance_ = SetupColor();
          plte_ = chunk_;
          image.Palette = cm_.CreateColorMapPalette({chunk_.data(), nullptr, nullptr, nullptr}, false,
                                                    static_cast<int>(std::min<uint32_t>(chunkLength_ / 3, 256)), 0);
        }
        continue;
      } else if (IsChunk(kgAMA)) {
        ReadChunkData();
        if (chunkLength_ >= 4) {
          cm_.SetGamma(static_cast<float>(BE32(chunk_.data()) / 100000.0), 2.2f);
          cm_.TargetOptions |= cfApplyGamma;
          image.Properties.Flags |= ipGammaSeen;
        }
        continue;
      } else if (IsChunk(kbKGD)) {
        ReadChunkData();
        ReadBackground();
        continue;
      } else if (IsChunk(ktRNS)) {
        ReadChunkData();
        ReadTransparency();
        continue;
      }
      SkipChunk();
      if (IsChunk(kIEND)) break;
      if (chunkType_ & 0x20000000) continue;  // ancillary: lower-case first letter
      throw EInvalidGraphic(kCriticalChunk);
    }
  } catch (...) {
    decoder_.reset();  // closes the zlib stream; its own failure cannot outrank this one
    chunk_.clear();
    try {
      Progress(TProgressStage::psEnding, "");
    } catch (...) {
    }
    throw;
  }
  std::unique_ptr<TLZ77Decoder> decoder = std::move(decoder_);
  chunk_.clear();
  chunk_.shrink_to_fit();
  decoder->EndStream();
  Progress(TProgressStage::psEnding, "");
}

void TPNGReader::ApplyFilter(uint8_t* row, const uint8_t* prior, size_t bytes) const {
  const uint8_t type = row[0];
  uint8_t* x = row + 1;
  const uint8_t* b = prior + 1;
  const size_t d = std::min<size_t>(static_cast<size_t>(filterDistance_), bytes);
  switch (type) {
    case 1:
      for (size_t i = d; i < bytes; ++i) x[i] = static_cast<uint8_t>(x[i] + x[i - d]);
      break;
    case 2:
      for (size_t i = 0; i < bytes; ++i) x[i] = static_cast<uint8_t>(x[i] + b[i]);
      break;
    case 3:
      for (size_t i = 0; i < d; ++i) x[i] = static_cast<uint8_t>(x[i] + (b[i] >> 1));
      for (size_t i = d; i < bytes; ++i) x[i] = static_cast<uint8_t>(x[i] + ((x[i - d] + b[i]) >> 1));
      break;
    case 4:
      for (size_t i = 0; i < d; ++i) x[i] = static_cast<uint8_t>(x[i] + b[i]);
      for (size_t i = d; i < bytes; ++i) x[i] = static_cast<uint8_t>(x[i] + Paeth(x[i - d], b[i], b[i - d]));
      break;
    default:
      break;  // 0, and unknown types, leave the bytes as they are
  }
}

bool TPNGReader::TakeNextIdat() {
  for (;;) {
    if (!IsChunk(kIDAT)) return false;
    ReadChunkData();
    idatBytes_ = chunkLength_;
    readPos_ = 0;
    ReadChunkHeader();
    if (idatBytes_ > 0) return true;
  }
}

bool TPNGReader::FeedDecoder(uint8_t*& out, size_t& wanted) {
  const uint8_t* begin = chunk_.data() + readPos_;
  const uint8_t* in = begin;
  uint8_t* o = out;
  decoder_->Feed(in, o, idatBytes_ - readPos_, wanted);
  readPos_ += static_cast<size_t>(in - begin);
  wanted -= static_cast<size_t>(o - out);
  out = o;
  const int r = decoder_->LastResult();
  if (r == Z_STREAM_END) {
    if (wanted > 0 || decoder_->PendingInput() > 0) throw EInvalidGraphic(rtl::Format(kExtraData, "PNG"));
    return true;
  }
  if (r != Z_OK) throw EInvalidGraphic(rtl::Format(kCompressionError, "PNG"));
  return false;
}

bool TPNGReader::ReadInflated(uint8_t* buffer, size_t count) {
  uint8_t* out = buffer;
  size_t wanted = count;
  while (wanted > 0) {
    if (readPos_ >= idatBytes_) {
      // zlib may hold back output of input it has already taken (a long match cut short by
      // a full buffer): drain that before asking for the next chunk, or the last rows of an
      // image would be lost.
      const size_t before = wanted;
      FeedDecoder(out, wanted);
      if (wanted < before) continue;
      if (!TakeNextIdat()) return false;
      continue;
    }
    const size_t inBefore = readPos_, outBefore = wanted;
    FeedDecoder(out, wanted);
    if (readPos_ == inBefore && wanted == outBefore) throw EInvalidGraphic(rtl::Format(kCompressionError, "PNG"));
  }
  return true;
}

void TPNGReader::DecodeImageData() {
  TPNGImage& image = *image_;
  Progress(TProgressStage::psStarting, "Transfering...");
  if (!colorSetUp_) filterDistance_ = SetupColor();
  const int bits = header_.BitDepth;
  const int pixelBytes = bits == 16 ? filterDistance_ / 2 : filterDistance_;
  if (image.Palette.Entries.empty() && pixelBytes == 4) image.IgnorePalette = true;

  const int width = static_cast<int>(header_.Width), height = static_cast<int>(header_.Height);
  image.SetSize(width, height);

  // Fill with the background colour, as a canvas fill would: palette formats take the
  // nearest entry, direct formats the colour with alpha 0.
  {
    const TColor bg = image.BackgroundColor;
    const uint8_t r = bg & 0xFF, g = (bg >> 8) & 0xFF, b = (bg >> 16) & 0xFF;
    uint8_t* row0 = image.ScanLine(0);
    const TPixelFormat pf = image.PixelFormat();
    if (pf == pf24bit || pf == pf32bit) {
      const int n = pf == pf24bit ? 3 : 4;
      for (int x = 0; x < width; ++x) {
        row0[n * x] = b;
        row0[n * x + 1] = g;
        row0[n * x + 2] = r;
      }
    } else {
      uint32_t best = 0;
      int bestDist = INT32_MAX;
      for (size_t i = 0; i < image.Palette.Entries.size(); ++i) {
        const auto& e = image.Palette.Entries[i];
        const int dist = (e.Red - r) * (e.Red - r) + (e.Green - g) * (e.Green - g) + (e.Blue - b) * (e.Blue - b);
        if (dist < bestDist) {
          bestDist = dist;
          best = static_cast<uint32_t>(i);
        }
      }
      const int pbits = PixelFormatBits(pf);
      uint8_t byte = 0;
      for (int k = 0; k < 8; k += pbits) byte = static_cast<uint8_t>(byte << pbits | (best & ((1u << pbits) - 1)));
      std::memset(row0, byte, image.Stride());
    }
    for (int y = 1; y < height; ++y) std::memcpy(image.ScanLine(y), row0, image.Stride());
  }
  if (image.TransparentColor != clNone) image.Transparent = true;

  const size_t rowBytes = (static_cast<size_t>(width) * bits + 7) / 8 * pixelBytes;
  std::vector<uint8_t> bufA(rowBytes + 1, 0), bufB(rowBytes + 1, 0);
  uint8_t* cur = bufA.data();
  uint8_t* prior = bufB.data();
  idatBytes_ = 0;
  readPos_ = 0;

  if (header_.Interlace != 1) {
    for (int y = 0; y < height; ++y) {
      if (!ReadInflated(cur, rowBytes + 1)) break;  // rows without data keep the fill
      ApplyFilter(cur, prior, rowBytes);
      cm_.ConvertRow({cur + 1, nullptr, nullptr, nullptr}, 0, image.ScanLine(y), width, 0xFF);
      progressRect_ = progressRect_.Offset(0, 1);
      std::swap(cur, prior);
    }
  } else {
    bool more = true;
    for (int p = 0; p < 7 && more; ++p) {
      const TPass& pass = kAdam7[p];
      if (width <= pass.firstColumn) continue;
      const size_t columns = (static_cast<size_t>(width) + pass.columnStep - pass.firstColumn - 1) / pass.columnStep;
      const size_t passBytes = (columns * bits + 7) / 8 * pixelBytes;
      std::memset(prior, 0, passBytes + 1);
      for (int y = pass.firstRow; y < height; y += pass.rowStep) {
        if (!ReadInflated(cur, passBytes + 1)) {
          more = false;
          break;
        }
        ApplyFilter(cur, prior, passBytes);
        cm_.ConvertRow({cur + 1, nullptr, nullptr, nullptr}, 0, image.ScanLine(y), width, pass.mask);
        if (p == 6) progressRect_ = progressRect_.Offset(0, 1);
        std::swap(cur, prior);
      }
    }
  }
  while (IsChunk(kIDAT)) {
    ReadChunkData();
    ReadChunkHeader();
  }
}

// ---- 32-bit rows -----------------------------------------------------------------------

void ConvertToBGRA32(const TPNGImage& image, uint8_t* firstRow, ptrdiff_t rowDelta) {
  const int width = image.Width();
  const auto& entries = image.Palette.Entries;
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* src = image.ScanLine(y);
    uint8_t* dst = firstRow + y * rowDelta;
    switch (image.PixelFormat()) {
      case pf32bit:
        std::memcpy(dst, src, static_cast<size_t>(width) * 4);
        break;
      case pf24bit:
        for (int x = 0; x < width; ++x, dst += 4, src += 3) {
          dst[0] = src[0];
          dst[1] = src[1];
          dst[2] = src[2];
          dst[3] = 0;
        }
        break;
      case pf1bit:
      case pf4bit:
      case pf8bit:
        for (int x = 0; x < width; ++x, dst += 4) {
          const uint32_t i = image.PixelValue(x, y);
          // An index past the palette's end shows black rather than reading beyond it.
          const TPaletteEntry e = i < entries.size() ? entries[i] : TPaletteEntry{};
          dst[0] = e.Blue;
          dst[1] = e.Green;
          dst[2] = e.Red;
          dst[3] = 0;
        }
        break;
      default:
        std::memset(dst, 0, static_cast<size_t>(width) * 4);
        break;
    }
  }
}

void PngToAlphaBGRA32(const TPNGImage& image, const TColorManager& colorManager, bool transparent,
                      uint8_t* firstRow, ptrdiff_t rowDelta) {
  ConvertToBGRA32(image, firstRow, rowDelta);
  const int width = image.Width(), height = image.Height();
  auto pixel = [&](int x, int y) { return firstRow + y * rowDelta + 4 * static_cast<ptrdiff_t>(x); };

  if (image.Properties.Layout == slIndexed && !image.AlphaTable.empty()) {
    // 2-bit indices were spread over 16 palette entries (value x 5); the table is indexed by
    // the file's value.
    const bool spread = image.Properties.BitsPerSample == 2;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        uint32_t i = image.PixelValue(x, y);
        if (spread) i = i * 3 / 15;
        pixel(x, y)[3] = image.AlphaTable[i & 0xFF];
      }
    return;
  }
  if (image.PixelFormat() == pf32bit) return;

  if (image.Properties.Flags & ipGammaSeen) {
    if (colorManager.PixelFormatFor(TConversionSide::Source) == pf24bit) {
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixel(x, y)[3] = 255;
      return;
    }
    // Sub-byte pixels are read as their level scaled to a byte, as an 8-bit source has it.
    const int bits = PixelFormatBits(image.PixelFormat());
    const uint32_t scale = bits == 1 ? 255 : bits == 4 ? 17 : 1;
    const auto& gamma = colorManager.GammaTable();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const uint32_t v = image.PixelFormat() == pf24bit ? 0 : image.PixelValue(x, y) * scale;
        uint8_t* p = pixel(x, y);
        p[0] = p[1] = p[2] = 0;
        p[3] = static_cast<uint8_t>(255 - gamma[v & 0xFF]);
      }
    return;
  }
  if (transparent && height > 0 && width > 0) {
    const uint8_t* key = pixel(0, height - 1);
    const uint8_t kb = key[0], kg = key[1], kr = key[2];
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        uint8_t* p = pixel(x, y);
        p[3] = (p[0] != kb || p[1] != kg || p[2] != kr) ? 255 : 0;
      }
    return;
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixel(x, y)[3] = 255;
}

}  // namespace skin

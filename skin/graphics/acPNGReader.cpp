#include "skin/graphics/acPNGReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace skin {

namespace {

const char* const kInvalidImage = "Cannot load image. Invalid or unexpected %s image format.";
const char* const kNotSupported = "Cannot load image. %s not supported for %s files.";
[[maybe_unused]] const char* const kCrcError = "Cannot load image. CRC error found in %s file.";
const char* const kBadPalette = "Cannot load image. Palette in %s file is invalid.";
const char* const kBadColorFormat = "Invalid color format in %s file.";
const char* const kCompressionError = "Cannot load image. Compression error found in %s file.";
const char* const kExtraData = "Cannot load image. Extra compressed data found in %s file.";
const char* const kCriticalChunk = "Cannot load PNG image. Unexpected but critical chunk detected.";
const char* const kOutOfMemory = "Out of memory";

// Chunk data is read in slices of this size: an IDAT chunk of any length, or an ancillary
// chunk longer than its fields, costs no more memory than this.
constexpr size_t kSliceBytes = 64 * 1024;
// Inflated rows are taken in batches of about this many bytes: fewer, longer inflate calls
// let zlib copy matches within its output instead of through its window.
constexpr size_t kBatchBytes = 256 * 1024;
// Bytes after the row batch that the filters may read (never write) past a row's end.
constexpr size_t kRowSlack = 16;
// Slots for batches: one in the caller's hands, the others for the worker to fill ahead.
constexpr size_t kSlots = 3;
// Image data from this size on is inflated on a second thread.
constexpr uint64_t kThreadedBytes = 1 << 20;

// The colour type and bit depth pairs the format allows.
bool AllowedColorFormat(int colorType, int bits) {
  switch (colorType) {
    case 0: return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
    case 3: return bits == 1 || bits == 2 || bits == 4 || bits == 8;
    case 2:
    case 4:
    case 6: return bits == 8 || bits == 16;
    default: return false;
  }
}

// Bits per pixel of the bitmap an allowed colour type and bit depth decode to.
int BitmapBits(int colorType, int bits) {
  switch (colorType) {
    case 0:
    case 3: return bits == 1 ? 1 : bits <= 4 ? 4 : 8;
    case 2: return 24;
    case 4: return 8;
    default: return 32;
  }
}

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

// The Paeth predictor: of a (left), b (above) and c (above left), the one nearest to
// a + b - c, ties going to a, then b. Written without branches: rows of a photo take
// either side about as often, which defeats a branch predictor.
inline uint8_t Paeth(int a, int b, int c) {
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  const int bc = pb <= pc ? b : c;
  return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : bc);
}

// Row filters, undone in place: x is the row (after its filter type byte), b the prior row,
// D the bytes per pixel. Reconstructed bytes d to the left (a) and the prior row's bytes d
// to the left (c) count as 0 in the first pixel.
template <size_t D>
void UnfilterScalar(uint8_t type, uint8_t* x, const uint8_t* b, size_t bytes) {
  const size_t d = std::min(D, bytes);
  switch (type) {
    case 1:
      for (size_t i = d; i < bytes; ++i) x[i] = static_cast<uint8_t>(x[i] + x[i - D]);
      break;
    case 2:
      for (size_t i = 0; i < bytes; ++i) x[i] = static_cast<uint8_t>(x[i] + b[i]);
      break;
    case 3:
      for (size_t i = 0; i < d; ++i) x[i] = static_cast<uint8_t>(x[i] + (b[i] >> 1));
      for (size_t i = d; i < bytes; ++i) x[i] = static_cast<uint8_t>(x[i] + ((x[i - D] + b[i]) >> 1));
      break;
    case 4:
      for (size_t i = 0; i < d; ++i) x[i] = static_cast<uint8_t>(x[i] + b[i]);
      for (size_t i = d; i < bytes; ++i) x[i] = static_cast<uint8_t>(x[i] + Paeth(x[i - D], b[i], b[i - D]));
      break;
    default:
      break;  // 0, and unknown types, leave the bytes as they are
  }
}

#if defined(__SSE2__)
// Pixels of 3 or 4 bytes, one pixel per step with its bytes side by side in one register.
// Each step reads 4 bytes of both rows (for 3-byte pixels one byte more than it uses: the
// row buffers have slack after every row) and writes only the pixel's own D bytes.
inline __m128i Load4(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return _mm_cvtsi32_si128(v);
}
template <size_t D>
inline void Store(uint8_t* p, __m128i v) {
  const int32_t w = _mm_cvtsi128_si32(v);
  std::memcpy(p, &w, D);
}
inline __m128i Abs16(__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v)); }
inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
  return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

template <size_t D>
void UnfilterPixels(uint8_t type, uint8_t* x, const uint8_t* b, size_t bytes) {
  const __m128i zero = _mm_setzero_si128();
  switch (type) {
    case 1: {
      __m128i a = zero;
      for (size_t i = 0; i < bytes; i += D) {
        a = _mm_add_epi8(Load4(x + i), a);
        Store<D>(x + i, a);
      }
      break;
    }
    case 2:
      UnfilterScalar<D>(type, x, b, bytes);  // no dependency along the row: vectorised as is
      break;
    case 3: {
      const __m128i one = _mm_set1_epi8(1);
      __m128i a = zero;
      for (size_t i = 0; i < bytes; i += D) {
        const __m128i up = Load4(b + i);
        // floor((a + b) / 2): the rounded-up average less the bit it rounded up by
        const __m128i average = _mm_sub_epi8(_mm_avg_epu8(a, up), _mm_and_si128(_mm_xor_si128(a, up), one));
        a = _mm_add_epi8(Load4(x + i), average);
        Store<D>(x + i, a);
      }
      break;
    }
    case 4: {
      // 16-bit lanes: p - a = b - c, p - b = a - c, p - c = (b - c) + (a - c).
      const __m128i low = _mm_set1_epi16(0xFF);
      __m128i a = zero, c = zero;
      for (size_t i = 0; i < bytes; i += D) {
        const __m128i up = _mm_unpacklo_epi8(Load4(b + i), zero);
        const __m128i raw = _mm_unpacklo_epi8(Load4(x + i), zero);
        const __m128i sa = _mm_sub_epi16(up, c), sb = _mm_sub_epi16(a, c);
        const __m128i pa = Abs16(sa), pb = Abs16(sb), pc = Abs16(_mm_add_epi16(sa, sb));
        const __m128i least = _mm_min_epi16(pc, _mm_min_epi16(pa, pb));
        const __m128i nearest = Select(_mm_cmpeq_epi16(least, pa), a, Select(_mm_cmpeq_epi16(least, pb), up, c));
        a = _mm_and_si128(_mm_add_epi16(raw, nearest), low);
        c = up;
        Store<D>(x + i, _mm_packus_epi16(a, a));
      }
      break;
    }
    default:
      break;
  }
}
#endif

void Unfilter(uint8_t* row, const uint8_t* prior, size_t bytes, int distance) {
  const uint8_t type = row[0];
  uint8_t* x = row + 1;
  const uint8_t* b = prior + 1;
  switch (distance) {
#if defined(__SSE2__)
    case 3: return UnfilterPixels<3>(type, x, b, bytes);
    case 4: return UnfilterPixels<4>(type, x, b, bytes);
#else
    case 3: return UnfilterScalar<3>(type, x, b, bytes);
    case 4: return UnfilterScalar<4>(type, x, b, bytes);
#endif
    case 2: return UnfilterScalar<2>(type, x, b, bytes);
    case 6: return UnfilterScalar<6>(type, x, b, bytes);
    case 8: return UnfilterScalar<8>(type, x, b, bytes);
    default: return UnfilterScalar<1>(type, x, b, bytes);
  }
}

// The Adler-32 sum of the zlib format, continued over n more bytes. 16 bytes per step where
// the processor allows: zlib's own sum takes a noticeable share of the inflate time.
uint32_t UpdateAdler32(uint32_t adler, const uint8_t* p, size_t n) {
  constexpr uint32_t kBase = 65521;
  constexpr size_t kRun = 5552;  // bytes after which the sums must be reduced
  uint32_t a = adler & 0xFFFF, b = adler >> 16;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i weightsHigh = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
  const __m128i weightsLow = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
  auto sum32 = [](__m128i v) {
    v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
    v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
    return static_cast<uint32_t>(_mm_cvtsi128_si32(v));
  };
  while (n >= 16) {
    const size_t blocks = std::min(n, kRun) / 16;
    // For blocks j of bytes x0..x15: b += 16 * (a before the block) + sum (16 - i) x_i.
    __m128i sums = zero, prefix = zero, weighted = zero;
    for (size_t j = 0; j < blocks; ++j, p += 16) {
      const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      prefix = _mm_add_epi32(prefix, sums);
      sums = _mm_add_epi32(sums, _mm_sad_epu8(x, zero));
      weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(x, zero), weightsHigh));
      weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(x, zero), weightsLow));
    }
    n -= blocks * 16;
    const uint64_t bb = b + uint64_t{16} * blocks * a + uint64_t{16} * sum32(prefix) + sum32(weighted);
    a = static_cast<uint32_t>((a + uint64_t{sum32(sums)}) % kBase);
    b = static_cast<uint32_t>(bb % kBase);
  }
#endif
  while (n > 0) {
    const size_t run = std::min(n, kRun);
    for (size_t i = 0; i < run; ++i) {
      a += p[i];
      b += a;
    }
    p += run;
    n -= run;
    a %= kBase;
    b %= kBase;
  }
  return b << 16 | a;
}

// Bytes per complete pixel for the row filters (at least 1).
int FilterDistance(int colorType, int bits) {
  switch (colorType) {
    case 2: return bits * 3 / 8;
    case 4: return bits * 2 / 8;
    case 6: return bits * 4 / 8;
    case 0: return (bits + 7) / 8;
    default: return 1;
  }
}

// Bytes of one slot for inflated rows: as many whole rows as fit kBatchBytes, at least one,
// and the slack the filters may read past a row.
size_t SlotBytes(size_t rowStride) { return std::max<size_t>(1, kBatchBytes / rowStride) * rowStride + kRowSlack; }

// Rows firstRow, firstRow + rowStep, ... of one pass, bytes each after their filter byte.
struct TRowBatch {
  int firstRow, rowStep;
  size_t rows, bytes;
  uint8_t mask;
  bool moveProgress, firstOfPass;
};

// Hands out the inflated batches of a plan in order, each in one of kSlots slots. Threaded,
// a worker inflates ahead into the free slots while the caller works on the filled ones; a
// batch that comes back short (the data ended) or with an error ends the work, and the
// caller meets the error when it takes that batch. Otherwise each batch is inflated when it
// is taken. Inflating is the only thing the worker does; the rows, the picture and the
// progress stay with the caller.
class TBatchSource {
 public:
  using TInflate = std::function<size_t(uint8_t*, size_t)>;

  TBatchSource(const std::vector<TRowBatch>& plan, size_t slotBytes, TInflate inflate, bool threaded)
      : plan_(plan), inflate_(std::move(inflate)) {
    for (auto& slot : slots_) slot.assign(threaded || &slot == &slots_[0] ? slotBytes : 0, 0);
    if (threaded) {
      try {
        worker_ = std::thread([this] { Work(); });
      } catch (const std::system_error&) {
        // No thread to be had: inflate as the batches are taken.
      }
    }
  }
  ~TBatchSource() { Finish(); }
  TBatchSource(const TBatchSource&) = delete;
  TBatchSource& operator=(const TBatchSource&) = delete;

  // The next batch's rows and how many bytes of them arrived; rethrows the error that
  // ended the inflating at this batch.
  std::pair<uint8_t*, size_t> Take() {
    const size_t wanted = Wanted(taken_);
    if (!worker_.joinable()) {
      ++taken_;
      return {slots_[0].data(), inflate_(slots_[0].data(), wanted)};
    }
    uint8_t* slot = slots_[taken_ % kSlots].data();
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [&] { return filled_ > taken_; });
    const TFilled f = results_[taken_ % kSlots];
    ++taken_;
    if (f.error) std::rethrow_exception(f.error);
    return {slot, f.got};
  }
  // The batch last taken is done with: its slot may be filled again.
  void Release() {
    if (!worker_.joinable()) return;
    std::lock_guard<std::mutex> lock(mutex_);
    ++released_;
    free_.notify_one();
  }
  // Stops the worker (also when the caller leaves early) and waits for it.
  void Finish() {
    if (!worker_.joinable()) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
      free_.notify_one();
    }
    worker_.join();
  }

 private:
  struct TFilled {
    size_t got = 0;
    std::exception_ptr error;
  };

  size_t Wanted(size_t i) const { return plan_[i].rows * (plan_[i].bytes + 1); }

  void Work() {
    for (size_t i = 0; i < plan_.size(); ++i) {
      {
        std::unique_lock<std::mutex> lock(mutex_);
        free_.wait(lock, [&] { return stop_ || i < released_ + kSlots; });
        if (stop_) return;
      }
      TFilled f;
      try {
        f.got = inflate_(slots_[i % kSlots].data(), Wanted(i));
      } catch (...) {
        f.error = std::current_exception();
      }
      const bool last = f.error || f.got < Wanted(i);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        results_[i % kSlots] = f;
        filled_ = i + 1;
        ready_.notify_one();
      }
      if (last) return;
    }
  }

  const std::vector<TRowBatch>& plan_;
  TInflate inflate_;
  std::array<std::vector<uint8_t>, kSlots> slots_;
  std::array<TFilled, kSlots> results_;
  size_t taken_ = 0;     // batches handed to the caller
  size_t released_ = 0;  // of them, those whose slots are free again
  size_t filled_ = 0;    // batches the worker finished
  bool stop_ = false;
  std::mutex mutex_;
  std::condition_variable ready_, free_;
  std::thread worker_;
};

struct TPass {
  int firstRow, firstColumn, rowStep, columnStep;
  uint8_t mask;
};
constexpr TPass kAdam7[7] = {{0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
                             {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF}};

}  // namespace

uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t length) {
  if (!data) return 0;
  // zlib's CRC-32 is this very CRC, and takes several words per step.
  return static_cast<uint32_t>(crc32_z(crc, static_cast<const Bytef*>(data), length));
}

// ---- TPNGImage -------------------------------------------------------------------------

void TPNGImage::SetSize(int width, int height) {
  SetSizeUncleared(width, height);
  std::fill(bits_.begin(), bits_.end(), uint8_t{0});
}

void TPNGImage::SetSizeUncleared(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  stride_ = (static_cast<size_t>(width_) * PixelFormatBits(pixelFormat_) + 31) / 32 * 4;
  bits_.clear();
  bits_.resize(stride_ * static_cast<size_t>(height_));
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

void TPNGReader::ReadChunkData(size_t keep) {
  // A length the stream cannot hold is a short read; saying so before allocating keeps a
  // lying length from claiming gigabytes.
  const int64_t remaining = stream_->Size() - stream_->Position();
  if (static_cast<int64_t>(chunkLength_) + 4 > remaining) throw rtl::EReadError("Stream read error");
  const size_t kept = std::min<size_t>(keep, chunkLength_);
  chunk_.resize(kept);
  if (kept > 0) {
    stream_->ReadBuffer(chunk_.data(), kept);
    chunkCrc_ = UpdateCrc32(chunkCrc_, chunk_.data(), kept);
  }
  ReadCrcOf(chunkLength_ - kept);
  CheckChunkCrc();
  readPos_ = 0;
}

// Reads count bytes of chunk data that are not kept, only counted into the CRC.
void TPNGReader::ReadCrcOf(size_t count) {
  if (count > 0 && scratch_.size() < kSliceBytes) scratch_.resize(kSliceBytes);
  while (count > 0) {
    const size_t n = std::min(count, kSliceBytes);
    stream_->ReadBuffer(scratch_.data(), n);
    chunkCrc_ = UpdateCrc32(chunkCrc_, scratch_.data(), n);
    count -= n;
  }
}

void TPNGReader::CheckChunkCrc() {
  uint8_t c[4];
  stream_->ReadBuffer(c, 4);
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  if (BE32(c) != chunkCrc_) throw EInvalidGraphic(rtl::Format(kCrcError, "PNG"));
#else
  (void)c;  // mutated files must reach the chunk handlers, not stop at their CRC
#endif
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
      ReadChunkData(4);
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
  if (!AllowedColorFormat(header_.ColorType, bits)) throw EInvalidGraphic(rtl::Format(kBadColorFormat, "PNG"));
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
  switch (header_.ColorType) {
    case 0:
      setSource(slGray, 1);
      setTarget(slGray, 1, bits == 2 ? 4 : bits == 16 ? 8 : bits);
      image_->SetPixelFormat(cm_.PixelFormatFor(TConversionSide::Target));
      image_->Palette = cm_.CreateGrayPalette(false);
      break;
    case 2:
      setSource(slRGB, 3);
      setTarget(slBGR, 3, 8);
      image_->SetPixelFormat(pf24bit);
      break;
    case 3:
      setSource(slIndexed, 1);
      setTarget(slIndexed, 1, bits == 2 ? 4 : bits);
      image_->SetPixelFormat(cm_.PixelFormatFor(TConversionSide::Target));
      break;
    case 4:
      setSource(slGrayAlpha, 1);
      setTarget(slIndexed, 1, 8);
      image_->SetPixelFormat(pf8bit);
      image_->Palette = cm_.CreateGrayPalette(false);
      break;
    case 6:
      setSource(slRGBA, 4);
      setTarget(slBGRA, 4, 8);
      image_->SetPixelFormat(pf32bit);
      break;
  }
  colorSetUp_ = true;
  return FilterDistance(header_.ColorType, bits);
}

void TPNGReader::ReadBackground() {
  const uint8_t* d = chunk_.data();
  const int bits = header_.BitDepth;
  switch (header_.ColorType) {
    case 2:
    case 6: {
      if (chunk_.size() < 6) return;
      uint32_t c[3] = {BE16(d), BE16(d + 2), BE16(d + 4)};
      for (auto& v : c) v = bits == 16 ? v * 255 / 65535 : v & 0xFF;
      image_->BackgroundColor = RGBColor(c[0], c[1], c[2]);
      break;
    }
    case 0:
    case 4: {
      // The fill shows where rows get no data: give it the level's grey as pixels show it.
      if (chunk_.size() < 2) return;
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
      if (chunk_.size() < 1) return;
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
      if (chunk_.size() < 2) return;
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
      if (chunk_.size() < 6) return;
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
      std::copy_n(chunk_.begin(), std::min<size_t>(chunk_.size(), 256), image_->AlphaTable.begin());
      break;
  }
}

void TPNGReader::Load(rtl::TStream& stream, TPNGImage& image) {
  try {
    LoadImage(stream, image);
  } catch (const std::bad_alloc&) {
    // The picture's own error, as for any other file the reader cannot take.
    throw EInvalidGraphic(kOutOfMemory);
  }
}

void TPNGReader::LoadImage(rtl::TStream& stream, TPNGImage& image) {
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
  imageDecoded_ = false;
  filterDistance_ = 0;
  idatLeft_ = 0;
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
    // Every later step (background, transparency, rows) divides and shifts by what the
    // header says, so a pair the format does not allow ends here.
    if (!AllowedColorFormat(header_.ColorType, header_.BitDepth))
      throw EInvalidGraphic(rtl::Format(kBadColorFormat, "PNG"));
    if (BytesNeeded() > MaxBytes) throw EInvalidGraphic(rtl::Format(kInvalidImage, "PNG"));
    decoder_ = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, false);
    decoder_->BeginStream();
    decoder_->LeaveCheckToCaller();
    adler_ = 1;

    for (;;) {
      ReadChunkHeader();
      if (IsChunk(kIDAT) && !imageDecoded_) {
        Progress(TProgressStage::psEnding, "");
        DecodeImageData();
        imageDecoded_ = true;
        // The chunk after the image data is passed over whatever it is.
      } else if (IsChunk(kIDAT)) {
        // The image data is one run of IDAT chunks; a later run is not decoded again.
        SkipChunk();
        continue;
      } else if (IsChunk(kPLTE)) {
        if (chunkLength_ % 3 != 0) throw EInvalidGraphic(rtl::Format(kBadPalette, "PNG"));
        ReadChunkData(3 * 256);
        if (header_.ColorType == 3) {
          filterDistance_ = SetupColor();
          plte_ = chunk_;
          image.Palette = cm_.CreateColorMapPalette({chunk_.data(), nullptr, nullptr, nullptr}, false,
                                                    static_cast<int>(chunk_.size() / 3), 0);
        }
        continue;
      } else if (IsChunk(kgAMA)) {
        ReadChunkData(4);
        if (chunk_.size() >= 4) {
          cm_.SetGamma(static_cast<float>(BE32(chunk_.data()) / 100000.0), 2.2f);
          cm_.TargetOptions |= cfApplyGamma;
          image.Properties.Flags |= ipGammaSeen;
        }
        continue;
      } else if (IsChunk(kbKGD)) {
        ReadChunkData(6);
        ReadBackground();
        continue;
      } else if (IsChunk(ktRNS)) {
        ReadChunkData(256);
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
    scratch_.clear();
    try {
      Progress(TProgressStage::psEnding, "");
    } catch (...) {
    }
    throw;
  }
  std::unique_ptr<TLZ77Decoder> decoder = std::move(decoder_);
  chunk_.clear();
  chunk_.shrink_to_fit();
  scratch_.clear();
  scratch_.shrink_to_fit();
  decoder->EndStream();
  Progress(TProgressStage::psEnding, "");
}

size_t TPNGReader::RowBytes() const {
  const int bits = header_.BitDepth;
  const int distance = FilterDistance(header_.ColorType, bits);
  const size_t pixelBytes = static_cast<size_t>(bits == 16 ? distance / 2 : distance);
  return (static_cast<size_t>(header_.Width) * bits + 7) / 8 * pixelBytes;
}

uint64_t TPNGReader::BytesNeeded() const {
  const uint64_t stride = (uint64_t{header_.Width} * BitmapBits(header_.ColorType, header_.BitDepth) + 31) / 32 * 4;
  const uint64_t rowStride = uint64_t{RowBytes()} + 1;
  return stride * header_.Height + kSlots * uint64_t{SlotBytes(rowStride)} + rowStride + kRowSlack;
}

bool TPNGReader::BeginIdat() {
  while (IsChunk(kIDAT)) {
    const int64_t remaining = stream_->Size() - stream_->Position();
    if (static_cast<int64_t>(chunkLength_) + 4 > remaining) throw rtl::EReadError("Stream read error");
    if (chunkLength_ > 0) {
      idatLeft_ = chunkLength_;
      return true;
    }
    CheckChunkCrc();
    ReadChunkHeader();
  }
  return false;
}

void TPNGReader::ReadIdatSlice() {
  // Data of the IDAT chunk in hand and of the ones right after it, up to a slice: encoders
  // often write chunks of a few kilobytes, and each inflate call costs zlib a copy of its
  // output into its window.
  if (chunk_.size() < kSliceBytes) chunk_.resize(kSliceBytes);
  sliceChunkEnds_.clear();
  size_t filled = 0;
  for (;;) {
    const size_t n = std::min<size_t>(idatLeft_, kSliceBytes - filled);
    stream_->ReadBuffer(chunk_.data() + filled, n);
    chunkCrc_ = UpdateCrc32(chunkCrc_, chunk_.data() + filled, n);
    idatLeft_ -= static_cast<uint32_t>(n);
    filled += n;
    if (idatLeft_ > 0) break;  // the slice is full
    CheckChunkCrc();
    ReadChunkHeader();  // the chunk after it, read at once
    sliceChunkEnds_.push_back(filled);
    if (filled == kSliceBytes || !BeginIdat()) break;
  }
  idatBytes_ = filled;
  readPos_ = 0;
}

bool TPNGReader::TakeNextIdat() {
  if (idatLeft_ == 0 && !BeginIdat()) return false;
  ReadIdatSlice();
  return true;
}

bool TPNGReader::FeedDecoder(uint8_t*& out, size_t& wanted) {
  const uint8_t* begin = chunk_.data() + readPos_;
  const uint8_t* in = begin;
  uint8_t* o = out;
  decoder_->Feed(in, o, idatBytes_ - readPos_, wanted);
  const size_t used = static_cast<size_t>(in - begin);
  if (used >= 4) {
    std::memcpy(lastInput_, in - 4, 4);
  } else if (used > 0) {
    std::memmove(lastInput_, lastInput_ + used, 4 - used);
    std::memcpy(lastInput_ + 4 - used, begin, used);
  }
  readPos_ += used;
  adler_ = UpdateAdler32(adler_, out, static_cast<size_t>(o - out));
  wanted -= static_cast<size_t>(o - out);
  out = o;
  const int r = decoder_->LastResult();
  if (r == Z_STREAM_END) {
    // zlib has just taken the stream's closing sum: the last four bytes it read.
    if (adler_ != BE32(lastInput_)) throw EInvalidGraphic(rtl::Format(kCompressionError, "PNG"));
    // Data left in the chunk the stream ended in is extra; data of the chunks after it
    // (already in the slice) is not looked at, as it would not have been read.
    const auto end = std::lower_bound(sliceChunkEnds_.begin(), sliceChunkEnds_.end(), readPos_);
    const bool chunkLeft = end == sliceChunkEnds_.end() ? readPos_ < idatBytes_ || idatLeft_ > 0 : *end > readPos_;
    if (wanted > 0 || chunkLeft) throw EInvalidGraphic(rtl::Format(kExtraData, "PNG"));
    return true;
  }
  if (r != Z_OK) throw EInvalidGraphic(rtl::Format(kCompressionError, "PNG"));
  return false;
}

size_t TPNGReader::ReadInflated(uint8_t* buffer, size_t count) {
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
      if (!TakeNextIdat()) break;
      continue;
    }
    const size_t inBefore = readPos_, outBefore = wanted;
    FeedDecoder(out, wanted);
    if (readPos_ == inBefore && wanted == outBefore) throw EInvalidGraphic(rtl::Format(kCompressionError, "PNG"));
  }
  return count - wanted;
}

void TPNGReader::DecodeImageData() {
  TPNGImage& image = *image_;
  Progress(TProgressStage::psStarting, "Transfering...");
  if (!colorSetUp_) filterDistance_ = SetupColor();
  const int bits = header_.BitDepth;
  const int pixelBytes = bits == 16 ? filterDistance_ / 2 : filterDistance_;
  if (image.Palette.Entries.empty() && pixelBytes == 4) image.IgnorePalette = true;

  const int width = static_cast<int>(header_.Width), height = static_cast<int>(header_.Height);
  image.SetSizeUncleared(width, height);
  const size_t stride = image.Stride();

  // The background row, as a canvas fill would make it: palette formats take the nearest
  // entry, direct formats the colour with alpha 0. Rows that get no data are this row, and
  // so are the bytes of a row that its pixels do not cover.
  std::vector<uint8_t> fill(stride, 0);
  {
    const TColor bg = image.BackgroundColor;
    const uint8_t r = bg & 0xFF, g = (bg >> 8) & 0xFF, b = (bg >> 16) & 0xFF;
    const TPixelFormat pf = image.PixelFormat();
    if (pf == pf24bit || pf == pf32bit) {
      const int n = pf == pf24bit ? 3 : 4;
      for (int x = 0; x < width; ++x) {
        fill[n * x] = b;
        fill[n * x + 1] = g;
        fill[n * x + 2] = r;
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
      std::memset(fill.data(), byte, stride);
    }
  }
  const bool interlaced = header_.Interlace == 1;
  // Interlaced rows are written a few pixels at a time: they start out as the fill.
  if (interlaced)
    for (int y = 0; y < height; ++y) std::memcpy(image.ScanLine(y), fill.data(), stride);
  // Bytes of a whole row that the conversion writes; rows of fewer than 8 bits per pixel
  // may share their last byte with the fill and start out as it.
  const int bitmapBits = PixelFormatBits(image.PixelFormat());
  const size_t covered = bitmapBits >= 8 ? static_cast<size_t>(width) * (bitmapBits / 8) : 0;

  if (image.TransparentColor != clNone) {
    // The colour is compared with the bitmap's pixels, whose colours went through the
    // gamma table when a gAMA chunk was read: the key must have gone the same way, or it
    // would miss its own pixels and hit others.
    if (cm_.TargetOptions & cfApplyGamma) {
      const auto& gamma = cm_.GammaTable();
      const TColor t = image.TransparentColor;
      image.TransparentColor = RGBColor(gamma[t & 0xFF], gamma[(t >> 8) & 0xFF], gamma[(t >> 16) & 0xFF]);
    }
    image.Transparent = true;
  }

  // The batches of rows in the order the image data holds them: passes in turn (one for an
  // image that is not interlaced), each cut into batches that fit a slot.
  const size_t rowBytes = RowBytes();
  const size_t slotBytes = SlotBytes(rowBytes + 1);
  std::vector<TRowBatch> plan;
  auto planPass = [&](int firstRow, int rowStep, size_t bytes, uint8_t mask, bool moveProgress) {
    const size_t fit = std::max<size_t>(1, (slotBytes - kRowSlack) / (bytes + 1));
    bool first = true;
    for (int y = firstRow; y < height;) {
      const size_t left = static_cast<size_t>(height - y + rowStep - 1) / rowStep;
      const size_t rows = std::min(fit, left);
      plan.push_back({y, rowStep, rows, bytes, mask, moveProgress, first});
      first = false;
      y += static_cast<int>(rows) * rowStep;
    }
  };
  if (!interlaced) {
    planPass(0, 1, rowBytes, 0xFF, true);
  } else {
    for (int p = 0; p < 7; ++p) {
      const TPass& ps = kAdam7[p];
      if (width <= ps.firstColumn) continue;
      const size_t columns = (static_cast<size_t>(width) + ps.columnStep - ps.firstColumn - 1) / ps.columnStep;
      planPass(ps.firstRow, ps.rowStep, (columns * bits + 7) / 8 * pixelBytes, ps.mask, p == 6);
    }
  }
  idatBytes_ = 0;
  readPos_ = 0;

  // Each batch is inflated into a slot, then unfiltered in place and converted straight into
  // its scan lines. Large images inflate on a second thread while this one works on the
  // rows inflated before: zlib is most of the time a large image takes.
  uint64_t imageBytes = 0;
  for (const TRowBatch& batch : plan) imageBytes += batch.rows * (batch.bytes + 1);
  TBatchSource source(plan, slotBytes, [this](uint8_t* to, size_t n) { return ReadInflated(to, n); },
                      imageBytes >= kThreadedBytes);
  std::vector<uint8_t> prior(rowBytes + 1 + kRowSlack, 0);
  int next = height;  // the first row that got no data
  for (const TRowBatch& batch : plan) {
    const size_t rowStride = batch.bytes + 1;
    if (batch.firstOfPass) std::memset(prior.data(), 0, rowStride);  // the pass's first row has zeros above
    const auto [data, got] = source.Take();
    const size_t complete = got / rowStride;
    int y = batch.firstRow;
    for (size_t j = 0; j < complete; ++j, y += batch.rowStep) {
      uint8_t* row = data + j * rowStride;
      Unfilter(row, j == 0 ? prior.data() : row - rowStride, batch.bytes, filterDistance_);
      uint8_t* line = image.ScanLine(y);
      if (!interlaced) std::memcpy(line + covered, fill.data() + covered, stride - covered);
      cm_.ConvertRow({row + 1, nullptr, nullptr, nullptr}, 0, line, width, batch.mask);
      if (batch.moveProgress) progressRect_ = progressRect_.Offset(0, 1);
    }
    if (complete > 0) std::memcpy(prior.data(), data + (complete - 1) * rowStride, rowStride);
    source.Release();
    if (complete < batch.rows) {
      next = y;
      break;  // rows without data keep the fill
    }
  }
  source.Finish();
  if (!interlaced)
    for (int y = next; y < height; ++y) std::memcpy(image.ScanLine(y), fill.data(), stride);
  // The rest of the image data is read for its CRC only.
  if (idatLeft_ > 0) {
    ReadCrcOf(idatLeft_);
    idatLeft_ = 0;
    CheckChunkCrc();
    ReadChunkHeader();
  }
  while (IsChunk(kIDAT)) {
    ReadChunkData(0);
    ReadChunkHeader();
  }
}

// ---- 32-bit rows -----------------------------------------------------------------------

namespace {

// The palette indices of row y of a 1-, 4- or 8-bit image, one byte each: the row itself for
// 8 bits, otherwise unpacked into room (width bytes).
const uint8_t* RowIndices(const TPNGImage& image, int y, std::vector<uint8_t>& room) {
  const uint8_t* src = image.ScanLine(y);
  const int width = image.Width();
  switch (image.PixelFormat()) {
    case pf8bit: return src;
    case pf4bit:
      room.resize(static_cast<size_t>(width) + 1);
      for (int x = 0; x < width; x += 2) {
        room[x] = src[x >> 1] >> 4;
        room[x + 1] = src[x >> 1] & 0x0F;
      }
      return room.data();
    default:
      room.resize(static_cast<size_t>(width) + 7);
      for (int x = 0; x < width; x += 8)
        for (int k = 0; k < 8; ++k) room[x + k] = (src[x >> 3] >> (7 - k)) & 1;
      return room.data();
  }
}

}  // namespace

void ConvertToBGRA32(const TPNGImage& image, uint8_t* firstRow, ptrdiff_t rowDelta) {
  const int width = image.Width();
  const size_t n = static_cast<size_t>(std::max(width, 0));
  const TPixelFormat pf = image.PixelFormat();
  // Palette colours as whole pixels; an index past the palette's end shows black rather
  // than reading beyond it.
  uint32_t colours[256] = {};
  const auto& entries = image.Palette.Entries;
  for (size_t i = 0; i < std::min<size_t>(entries.size(), 256); ++i)
    colours[i] = entries[i].Blue | static_cast<uint32_t>(entries[i].Green) << 8 | static_cast<uint32_t>(entries[i].Red) << 16;
  std::vector<uint8_t> room;
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* src = image.ScanLine(y);
    uint8_t* dst = firstRow + y * rowDelta;
    switch (pf) {
      case pf32bit:
        std::memcpy(dst, src, n * 4);
        break;
      case pf24bit:
        // B G R and one byte more, the last pixel by bytes: its fourth byte may lie past the row.
        for (size_t x = 0; x + 1 < n; ++x) {
          uint32_t v;
          std::memcpy(&v, src + 3 * x, 4);
          v &= 0x00FFFFFFu;
          std::memcpy(dst + 4 * x, &v, 4);
        }
        if (n > 0) {
          uint8_t* last = dst + 4 * (n - 1);
          const uint8_t* from = src + 3 * (n - 1);
          last[0] = from[0];
          last[1] = from[1];
          last[2] = from[2];
          last[3] = 0;
        }
        break;
      case pf1bit:
      case pf4bit:
      case pf8bit: {
        const uint8_t* index = RowIndices(image, y, room);
        for (size_t x = 0; x < n; ++x) {
          const uint32_t v = colours[index[x]];
          std::memcpy(dst + 4 * x, &v, 4);
        }
        break;
      }
      default:
        std::memset(dst, 0, n * 4);
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
    std::vector<uint8_t> room;
    for (int y = 0; y < height; ++y) {
      const uint8_t* index = RowIndices(image, y, room);
      for (int x = 0; x < width; ++x) pixel(x, y)[3] = image.AlphaTable[spread ? index[x] * 3 / 15 : index[x]];
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
    const bool indexed = image.PixelFormat() != pf24bit;
    std::vector<uint8_t> room;
    for (int y = 0; y < height; ++y) {
      const uint8_t* index = indexed ? RowIndices(image, y, room) : nullptr;
      for (int x = 0; x < width; ++x) {
        const uint32_t v = indexed ? index[x] * scale : 0;
        uint8_t* p = pixel(x, y);
        p[0] = p[1] = p[2] = 0;
        p[3] = static_cast<uint8_t>(255 - gamma[v & 0xFF]);
      }
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

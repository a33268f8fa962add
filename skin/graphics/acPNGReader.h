// The PNG reader of the picture class, free of Win32: it reads chunks (CRC-checked),
// inflates the image data, unfilters and de-interlaces the rows and converts each row with
// the picture's colour manager straight into a scan line of a plain image in the bitmap
// format the colour type calls for (1, 4, 8 bits with palette, 24 or 32 bits). Helpers turn
// that image into 32-bit BGRA rows, top-down or bottom-up.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui/Types.h"
#include "rtl/Classes.h"
#include "skin/graphics/acColorManager.h"
#include "skin/graphics/acLZ77Decoder.h"

namespace skin {

class EInvalidGraphic : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

// The CRC-32 of the PNG format, continued from a finished value: the CRC of a chunk is
// UpdateCrc32(UpdateCrc32(0, type, 4), data, n). A null data pointer yields 0.
uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t length);

enum TImagePropertyFlag : uint32_t { ipHeaderRead = 1, ipGammaSeen = 2 };

// What the header said, kept with the picture after a load.
struct TPNGImageProperties {
  uint32_t Flags = 0;
  int32_t Width = 0;
  TSampleLayout Layout = slUnknown;
  uint8_t BitsPerSample = 0;
  uint8_t SamplesPerPixel = 0;
  uint8_t Compression = 0;  // 2 = deflate
};

// A decoded picture in its bitmap form: top-down rows of Stride bytes (4-byte aligned, as
// a DIB's), pixels as the pixel format has them (packed palette indices, B G R, B G R A).
class TPNGImage {
 public:
  TPNGImageProperties Properties;
  std::vector<uint8_t> AlphaTable;  // empty, or 256 alpha values of an indexed image
  TColor BackgroundColor = 0xFFFFFF;
  TColor TransparentColor = clNone;
  bool Transparent = false;
  bool IgnorePalette = false;
  TPalette Palette;  // no entries: none

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TPixelFormat PixelFormat() const { return pixelFormat_; }
  size_t Stride() const { return stride_; }
  uint8_t* ScanLine(int y) { return bits_.data() + static_cast<size_t>(y) * stride_; }
  const uint8_t* ScanLine(int y) const { return bits_.data() + static_cast<size_t>(y) * stride_; }
  // Palette index (1-, 4-, 8-bit formats) or 0x00RRGGBB colour of a pixel.
  uint32_t PixelValue(int x, int y) const;

  void SetPixelFormat(TPixelFormat pf) { pixelFormat_ = pf; }
  // Allocates zeroed rows for the current pixel format.
  void SetSize(int width, int height);
  // Allocates rows whose bytes the caller writes itself, every one of them.
  void SetSizeUncleared(int width, int height);
  // Releases the pixels: empty, pfDevice, no palette.
  void Release();

 private:
  int width_ = 0, height_ = 0;
  TPixelFormat pixelFormat_ = pfDevice;
  size_t stride_ = 0;
  // Rows are not cleared when made: the reader writes every byte of them anyway, and a
  // second pass over a picture of many megabytes is not free.
  template <class T>
  struct TUnclearedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
      using other = TUnclearedAllocator<U>;
    };
    TUnclearedAllocator() = default;
    template <class U>
    TUnclearedAllocator(const TUnclearedAllocator<U>&) {}
    template <class U>
    void construct(U* p) {
      ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... A>
    void construct(U* p, A&&... a) {
      ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
    }
  };
  std::vector<uint8_t, TUnclearedAllocator<uint8_t>> bits_;
};

enum class TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent = std::function<void(TProgressStage stage, int percentDone, bool redrawNow,
                                          const gui::TRect& rect, const std::string& message)>;

class TPNGReader {
 public:
  explicit TPNGReader(TColorManager& colorManager) : cm_(colorManager) {}

  // Replaces image with the PNG read from the stream's position; the stream is left just
  // after the IEND chunk. Raises EInvalidGraphic, EGraphicCompression, EColorConversionError
  // or rtl::EReadError.
  void Load(rtl::TStream& stream, TPNGImage& image);

  TProgressEvent OnProgress;

  // Images with more pixels than this, or whose bitmap and row buffers together would take
  // more bytes than MaxBytes, are refused as invalid before anything is allocated, so that
  // a small file cannot make the reader claim an unbounded amount of memory. The default
  // lets the largest picture of MaxPixels at 32 bits through, with room for its rows.
  static inline uint64_t MaxPixels = uint64_t{1} << 26;
  static inline uint64_t MaxBytes = uint64_t{320} << 20;

 private:
  struct THeader {
    uint32_t Width = 0, Height = 0;
    uint8_t BitDepth = 0, ColorType = 0, Compression = 0, Filter = 0, Interlace = 0;
  };

  void LoadImage(rtl::TStream& stream, TPNGImage& image);
  bool CheckHeader();
  void ReadChunkHeader();
  void ReadChunkData(size_t keep = SIZE_MAX);
  void ReadCrcOf(size_t count);
  void CheckChunkCrc();
  void SkipChunk();
  bool IsChunk(uint32_t type) const;
  int SetupColor();
  size_t RowBytes() const;
  uint64_t BytesNeeded() const;
  void DecodeImageData();
  size_t ReadInflated(uint8_t* buffer, size_t count);
  bool TakeNextIdat();
  bool BeginIdat();
  void ReadIdatSlice();
  bool FeedDecoder(uint8_t*& out, size_t& wanted);
  void ReadBackground();
  void ReadTransparency();
  void Progress(TProgressStage stage, const std::string& message);

  TColorManager& cm_;
  rtl::TStream* stream_ = nullptr;
  TPNGImage* image_ = nullptr;
  THeader header_;
  std::unique_ptr<TLZ77Decoder> decoder_;
  std::vector<uint8_t> chunk_;   // data of the chunk last read (of an IDAT: the slice in hand)
  std::vector<uint8_t> scratch_; // for data whose CRC is checked but that is not kept
  size_t readPos_ = 0;           // how far the decoder consumed chunk_
  size_t idatBytes_ = 0;         // bytes of the IDAT slice being inflated
  std::vector<size_t> sliceChunkEnds_;  // where in the slice the chunks it holds end
  uint32_t idatLeft_ = 0;        // bytes of the IDAT chunk not yet read into chunk_
  bool imageDecoded_ = false;    // the run of IDAT chunks was decoded
  uint32_t adler_ = 1;           // Adler-32 of the inflated bytes so far
  uint8_t lastInput_[4] = {};    // the last 4 bytes the decoder took: at the end, the stream's sum
  uint32_t chunkLength_ = 0;
  uint32_t chunkType_ = 0;
  uint32_t chunkCrc_ = 0;
  int filterDistance_ = 0;
  bool colorSetUp_ = false;
  std::vector<uint8_t> plte_;    // the PLTE entries as read, for an indexed background
  gui::TRect progressRect_;
};

// The bitmap's own change of pixel format to 32 bits: palette formats expand through the
// palette, formats without alpha get alpha 0. rowDelta is the signed distance from one row
// to the next (negative for bottom-up rows, first pointing at the top row).
void ConvertToBGRA32(const TPNGImage& image, uint8_t* firstRow, ptrdiff_t rowDelta);

// 32-bit rows with straight alpha, as the engine blends its pictures: RGBA images keep their
// alpha, indexed images with tRNS take it from the alpha table, images that had a gAMA chunk
// become black shapes whose alpha follows the source levels (colour images: opaque), and
// otherwise, when transparent is set, pixels of the bottom-left pixel's colour stay clear.
void PngToAlphaBGRA32(const TPNGImage& image, const TColorManager& colorManager, bool transparent,
                      uint8_t* firstRow, ptrdiff_t rowDelta);

}  // namespace skin

// Decoding throughput of the skin engine's PNG reader on large photo-like images, with the
// same images decoded by the system's libpng for comparison, along two paths:
//   bitmap  the reader's own bitmap (24-bit B G R, 32-bit B G R A, 8-bit palette indices)
//           against libpng's rows in the same form;
//   BGRA32  32-bit B G R A rows (the bitmap turned into 32 bits afterwards) against libpng
//           expanding to B G R A itself.
// Each decode makes its picture afresh, on both sides. Times are the best of the rounds.
// The pixels of both sides are compared byte for byte.
//
//   png_bench [width height [rounds]]      (default 4000 x 3000, 7 rounds)
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "rtl/Classes.h"
#include "skin/graphics/acPNGReader.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

// Output rows as a picture's memory comes from the system: not cleared by the program.
struct Rows {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size = 0;
  void Allocate(size_t n) {
    bytes.reset(new uint8_t[n]);
    size = n;
  }
  uint8_t* data() { return bytes.get(); }
};

struct Memory {
  const Bytes* bytes = nullptr;
  Bytes out;
  size_t pos = 0;
};

void WriteToMemory(png_structp p, png_bytep data, png_size_t n) {
  auto* m = static_cast<Memory*>(png_get_io_ptr(p));
  m->out.insert(m->out.end(), data, data + n);
}
void FlushMemory(png_structp) {}
void ReadFromMemory(png_structp p, png_bytep data, png_size_t n) {
  auto* m = static_cast<Memory*>(png_get_io_ptr(p));
  if (m->pos + n > m->bytes->size()) png_error(p, "read past end");
  std::memcpy(data, m->bytes->data() + m->pos, n);
  m->pos += n;
}

enum class Kind { RGB, RGBA, Palette };

// A photo-like picture: soft shapes and gradients with sensor-like noise, so that the row
// filters (libpng's encoder picks them per row) and the compressor have realistic work.
// Palette images are the same picture reduced to a 6 x 7 x 6 colour cube with dithering.
Bytes Encode(int w, int h, Kind kind, bool interlace) {
  const int channels = kind == Kind::RGBA ? 4 : kind == Kind::RGB ? 3 : 1;
  Bytes pixels(static_cast<size_t>(w) * h * channels);
  uint32_t seed = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245 + 12345;
      const int noise = static_cast<int>((seed >> 16) % 9) - 4;
      const double fx = static_cast<double>(x) / w, fy = static_cast<double>(y) / h;
      const double wave = std::sin(fx * 7.0 + std::cos(fy * 5.0) * 2.0) * 0.5 + 0.5;
      const double blob = std::exp(-((fx - 0.6) * (fx - 0.6) + (fy - 0.4) * (fy - 0.4)) * 8.0);
      auto level = [&](double v, int n) { return std::clamp(static_cast<int>(v * 255.0) + n, 0, 255); };
      const int r = level(0.55 * wave + 0.45 * blob, noise);
      const int g = level(0.3 + 0.5 * fy * wave, noise / 2);
      const int b = level(0.8 - 0.6 * fx + 0.2 * blob, -noise);
      uint8_t* p = &pixels[(static_cast<size_t>(y) * w + x) * channels];
      if (kind == Kind::Palette) {
        const int d = static_cast<int>((seed >> 8) & 31) - 16;  // dither
        auto q = [&](int v, int n) { return std::clamp((v * (n - 1) + 127 + d * 4) / 255, 0, n - 1); };
        p[0] = static_cast<uint8_t>((q(r, 6) * 7 + q(g, 7)) * 6 + q(b, 6));
      } else {
        p[0] = static_cast<uint8_t>(r);
        p[1] = static_cast<uint8_t>(g);
        p[2] = static_cast<uint8_t>(b);
        if (channels == 4) p[3] = static_cast<uint8_t>(level(0.35 + 0.65 * blob, noise / 2));
      }
    }
  Memory out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, WriteToMemory, FlushMemory);
  const int colorType = kind == Kind::RGBA ? PNG_COLOR_TYPE_RGBA : kind == Kind::RGB ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_PALETTE;
  png_set_IHDR(png, info, w, h, 8, colorType, interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  if (kind == Kind::Palette) {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 7; ++g)
        for (int b = 0; b < 6; ++b)
          palette.push_back(png_color{static_cast<png_byte>(r * 51), static_cast<png_byte>(g * 255 / 6),
                                      static_cast<png_byte>(b * 51)});
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    // Palette images are usually written unfiltered.
    png_set_filter(png, 0, PNG_FILTER_NONE);
  }
  png_write_info(png, info);
  std::vector<png_bytep> rows(h);
  for (int y = 0; y < h; ++y) rows[y] = &pixels[static_cast<size_t>(y) * w * channels];
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out.out;
}

// The engine's picture, made afresh; with bgra, also turned into top-down 32-bit rows.
void DecodeEngine(const Bytes& file, skin::TPNGImage& picture, Rows* bgra) {
  rtl::TMemoryStream stream(file);
  skin::TColorManager cm;
  skin::TPNGImage image;
  skin::TPNGReader reader(cm);
  reader.Load(stream, image);
  if (bgra) {
    Rows rows;
    rows.Allocate(static_cast<size_t>(image.Width()) * image.Height() * 4);
    skin::ConvertToBGRA32(image, rows.data(), static_cast<ptrdiff_t>(image.Width()) * 4);
    *bgra = std::move(rows);
  }
  picture = std::move(image);
}

// libpng's rows: with toBGRA 32-bit B G R A (filler 0, as the engine's own 32-bit change
// gives images without alpha), otherwise the file's own form with B G R order.
void DecodeLibpng(const Bytes& file, bool toBGRA, Rows& out, size_t& stride) {
  Memory in{&file, {}, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fprintf(stderr, "libpng failed\n");
    std::exit(1);
  }
  png_set_read_fn(png, &in, ReadFromMemory);
  png_read_info(png, info);
  png_set_bgr(png);
  if (toBGRA) {
    png_set_palette_to_rgb(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const int h = static_cast<int>(png_get_image_height(png, info));
  stride = png_get_rowbytes(png, info);
  Rows rows;
  rows.Allocate(stride * h);
  std::vector<png_bytep> pointers(h);
  for (int y = 0; y < h; ++y) pointers[y] = rows.data() + static_cast<size_t>(y) * stride;
  png_read_image(png, pointers.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  out = std::move(rows);
}

template <class F>
double BestSeconds(int rounds, F&& f) {
  f();  // warm-up
  double best = 1e30;
  for (int i = 0; i < rounds; ++i) {
    const auto t0 = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

// The same rows, ignoring the padding of the engine's 4-byte aligned scan lines.
bool SameRows(const uint8_t* a, size_t sizeA, size_t strideA, const uint8_t* b, size_t sizeB, size_t strideB,
              size_t rowBytes, int h) {
  if (sizeA < strideA * h || sizeB < strideB * h) return false;
  for (int y = 0; y < h; ++y)
    if (std::memcmp(a + strideA * y, b + strideB * y, rowBytes) != 0) return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int w = argc > 2 ? std::atoi(argv[1]) : 4000;
  const int h = argc > 2 ? std::atoi(argv[2]) : 3000;
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 7;
  struct Case {
    const char* name;
    Kind kind;
    bool interlace;
    int bytesPerPixel;
  } cases[] = {{"RGB 8-bit", Kind::RGB, false, 3},
               {"RGBA 8-bit", Kind::RGBA, false, 4},
               {"palette 8-bit", Kind::Palette, false, 1},
               {"RGB Adam7", Kind::RGB, true, 3},
               {"RGBA Adam7", Kind::RGBA, true, 4}};
#ifdef KORVAN_BENCH_SANITIZED
  std::printf("built with sanitizers: these figures understate the reader (bash bench/png.sh builds without)\n");
#endif
  std::printf("%d x %d pixels, best of %d rounds; Mpx/s = megapixels per second; ratio = engine speed / libpng speed\n",
              w, h, rounds);
  std::printf("%-14s %8s | %-6s %9s %9s %6s | %-6s %9s %9s %6s\n", "image", "file MB", "path", "engine", "libpng",
              "ratio", "path", "engine", "libpng", "ratio");
  const double mpix = static_cast<double>(w) * h / 1e6;
  bool allAgree = true;
  for (const Case& c : cases) {
    const Bytes file = Encode(w, h, c.kind, c.interlace);
    std::printf("%-14s %8.2f", c.name, file.size() / 1e6);
    for (bool toBGRA : {false, true}) {
      skin::TPNGImage picture;
      Rows ours, theirs;
      size_t theirStride = 0;
      const double tOurs = BestSeconds(rounds, [&] { DecodeEngine(file, picture, toBGRA ? &ours : nullptr); });
      const double tTheirs = BestSeconds(rounds, [&] { DecodeLibpng(file, toBGRA, theirs, theirStride); });
      const size_t rowBytes = static_cast<size_t>(w) * (toBGRA ? 4 : c.bytesPerPixel);
      const bool same =
          toBGRA ? SameRows(ours.data(), ours.size, rowBytes, theirs.data(), theirs.size, theirStride, rowBytes, h)
                 : SameRows(picture.ScanLine(0), picture.Stride() * picture.Height(), picture.Stride(), theirs.data(),
                            theirs.size, theirStride, rowBytes, h);
      allAgree = allAgree && same;
      std::printf(" | %-6s %9.1f %9.1f %6.2f%s", toBGRA ? "BGRA32" : "bitmap", mpix / tOurs, mpix / tTheirs,
                  tTheirs / tOurs, same ? "" : " PIXELS DIFFER");
    }
    std::printf("\n");
    std::fflush(stdout);
  }
  std::printf("%s\n", allAgree ? "pixels agree with libpng on every image and path" : "PIXELS DIFFER (see above)");
  return allAgree ? 0 : 1;
}

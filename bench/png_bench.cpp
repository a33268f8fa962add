// Decoding throughput of the skin engine's PNG reader on large generated images, with the
// same images decoded by the system's libpng for comparison. Both produce 32-bit BGRA rows.
//
//   png_bench [width height [rounds]]
#include <png.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "rtl/Classes.h"
#include "skin/graphics/acPNGReader.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Memory {
  std::vector<uint8_t> bytes;
  size_t pos = 0;
};

void WriteToMemory(png_structp p, png_bytep data, png_size_t n) {
  auto* m = static_cast<Memory*>(png_get_io_ptr(p));
  m->bytes.insert(m->bytes.end(), data, data + n);
}
void FlushMemory(png_structp) {}
void ReadFromMemory(png_structp p, png_bytep data, png_size_t n) {
  auto* m = static_cast<Memory*>(png_get_io_ptr(p));
  if (m->pos + n > m->bytes.size()) png_error(p, "read past end");
  std::memcpy(data, m->bytes.data() + m->pos, n);
  m->pos += n;
}

// A photo-like picture: smooth gradients with some noise, so the filters and the
// compressor have realistic work.
std::vector<uint8_t> Encode(int w, int h, int colorType, int interlace) {
  const int channels = colorType == PNG_COLOR_TYPE_RGBA ? 4 : 3;
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * channels);
  uint32_t seed = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245 + 12345;
      uint8_t* p = &pixels[(static_cast<size_t>(y) * w + x) * channels];
      const int noise = static_cast<int>((seed >> 16) & 15);
      p[0] = static_cast<uint8_t>((x * 255 / w + noise) & 0xFF);
      p[1] = static_cast<uint8_t>((y * 255 / h + noise) & 0xFF);
      p[2] = static_cast<uint8_t>(((x + y) * 255 / (w + h)) & 0xFF);
      if (channels == 4) p[3] = static_cast<uint8_t>(255 - (x * 128 / w));
    }
  Memory out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, WriteToMemory, FlushMemory);
  png_set_IHDR(png, info, w, h, 8, colorType, interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_bytep> rows(h);
  for (int y = 0; y < h; ++y) rows[y] = &pixels[static_cast<size_t>(y) * w * channels];
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out.bytes;
}

void DecodeEngine(const std::vector<uint8_t>& file, std::vector<uint8_t>& bgra) {
  rtl::TMemoryStream stream(file);
  skin::TColorManager cm;
  skin::TPNGImage image;
  skin::TPNGReader reader(cm);
  reader.Load(stream, image);
  bgra.resize(static_cast<size_t>(image.Width()) * image.Height() * 4);
  skin::ConvertToBGRA32(image, bgra.data(), static_cast<ptrdiff_t>(image.Width()) * 4);
}

void DecodeLibpng(const std::vector<uint8_t>& file, std::vector<uint8_t>& bgra) {
  Memory in{file, 0};
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
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(png);
  (void)passes;
  png_read_update_info(png, info);
  const int w = static_cast<int>(png_get_image_width(png, info)), h = static_cast<int>(png_get_image_height(png, info));
  bgra.resize(static_cast<size_t>(w) * h * 4);
  std::vector<png_bytep> rows(h);
  for (int y = 0; y < h; ++y) rows[y] = &bgra[static_cast<size_t>(y) * w * 4];
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
}

template <class F>
double Seconds(int rounds, F&& f) {
  f();  // warm-up
  const auto t0 = Clock::now();
  for (int i = 0; i < rounds; ++i) f();
  return std::chrono::duration<double>(Clock::now() - t0).count() / rounds;
}

}  // namespace

int main(int argc, char** argv) {
  const int w = argc > 2 ? std::atoi(argv[1]) : 4096;
  const int h = argc > 2 ? std::atoi(argv[2]) : 4096;
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
  struct Kind {
    const char* name;
    int colorType, interlace;
  } kinds[] = {{"RGBA 8-bit", PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE},
               {"RGB 8-bit", PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE},
               {"RGBA 8-bit Adam7", PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_ADAM7}};
  std::printf("%d x %d pixels, %d rounds each; throughput in megapixels per second\n", w, h, rounds);
  for (const Kind& k : kinds) {
    const std::vector<uint8_t> file = Encode(w, h, k.colorType, k.interlace);
    std::vector<uint8_t> ours, theirs;
    const double tOurs = Seconds(rounds, [&] { DecodeEngine(file, ours); });
    const double tTheirs = Seconds(rounds, [&] { DecodeLibpng(file, theirs); });
    // Colours must agree; alpha differs by design for images without it (0 vs the filler).
    bool same = ours.size() == theirs.size();
    for (size_t i = 0; same && i < ours.size(); i += 4) same = std::memcmp(&ours[i], &theirs[i], 3) == 0;
    const double mpix = static_cast<double>(w) * h / 1e6;
    std::printf("%-18s file %7.2f MB  engine %8.1f Mpx/s (%6.1f ms)  libpng %8.1f Mpx/s (%6.1f ms)  ratio %.2f  %s\n",
                k.name, file.size() / 1e6, mpix / tOurs, tOurs * 1e3, mpix / tTheirs, tTheirs * 1e3, tTheirs / tOurs,
                same ? "pixels agree" : "PIXELS DIFFER");
  }
  return 0;
}

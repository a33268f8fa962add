#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "rtl/Classes.h"
#include "skin/graphics/acPNGReader.h"

using namespace skin;
using Bytes = std::vector<uint8_t>;

namespace {

// ---- building PNG files by hand, with zlib's own CRC and deflate -----------------------

void PutBE32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}

struct Png {
  Bytes bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

  Png& Chunk(const std::string& type, const Bytes& data, bool badCrc = false) {
    PutBE32(bytes, static_cast<uint32_t>(data.size()));
    Bytes typed(type.begin(), type.end());
    typed.insert(typed.end(), data.begin(), data.end());
    bytes.insert(bytes.end(), typed.begin(), typed.end());
    uint32_t crc = static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size())));
    PutBE32(bytes, badCrc ? crc ^ 1 : crc);
    return *this;
  }
  Png& Ihdr(uint32_t w, uint32_t h, uint8_t depth, uint8_t type, uint8_t interlace = 0, uint8_t compression = 0) {
    Bytes d;
    PutBE32(d, w);
    PutBE32(d, h);
    d.insert(d.end(), {depth, type, compression, 0, interlace});
    return Chunk("IHDR", d);
  }
  Png& Idat(const Bytes& raw) { return Chunk("IDAT", Deflate(raw)); }
  Png& Iend() { return Chunk("IEND", {}); }

  static Bytes Deflate(const Bytes& raw) {
    uLongf n = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(n);
    compress2(out.data(), &n, raw.data(), static_cast<uLong>(raw.size()), 9);
    out.resize(n);
    return out;
  }
};

struct Decoded {
  TColorManager cm;
  TPNGImage image;
  std::vector<std::string> progress;
};

void Load(Decoded& d, const Bytes& file) {
  rtl::TMemoryStream s(file);
  TPNGReader reader(d.cm);
  reader.Load(s, d.image);
}

// "Type: message" of what a load raises, or "ok".
std::string Outcome(const Bytes& file) {
  Decoded d;
  try {
    Load(d, file);
  } catch (const EInvalidGraphic& e) {
    return "EInvalidGraphic: " + e.Message();
  } catch (const EGraphicCompression& e) {
    return "EGraphicCompression: " + e.Message();
  } catch (const rtl::EReadError& e) {
    return "EReadError: " + e.Message();
  } catch (const rtl::Exception& e) {
    return "Exception: " + e.Message();
  }
  return "ok";
}

// Top-down R G B A of a decoded image: colours as the 32-bit bitmap gets them, alpha as the
// engine's alpha bitmap has it.
Bytes Rgba(const Decoded& d, bool transparent = false) {
  const int w = d.image.Width(), h = d.image.Height();
  Bytes colours(static_cast<size_t>(w) * h * 4), alpha(colours.size());
  ConvertToBGRA32(d.image, colours.data(), w * 4);
  PngToAlphaBGRA32(d.image, d.cm, transparent, alpha.data(), w * 4);
  Bytes out(colours.size());
  for (size_t i = 0; i < out.size(); i += 4) {
    out[i] = colours[i + 2];
    out[i + 1] = colours[i + 1];
    out[i + 2] = colours[i];
    out[i + 3] = alpha[i + 3];
  }
  return out;
}

std::string FirstDifference(const Bytes& got, const Bytes& want, int width) {
  if (got.size() != want.size()) return "size " + std::to_string(got.size()) + " vs " + std::to_string(want.size());
  for (size_t i = 0; i < got.size(); ++i)
    if (got[i] != want[i]) {
      const size_t px = i / 4;
      return "pixel (" + std::to_string(px % width) + ", " + std::to_string(px / width) + ") channel " +
             std::to_string(i % 4) + ": " + std::to_string(got[i]) + " vs " + std::to_string(want[i]);
    }
  return "";
}

struct Entry {
  std::string name;
  int width = 0, height = 0;
  std::string extra;
};

std::vector<Entry> Manifest(const std::string& path) {
  std::vector<Entry> entries;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream ls(line);
    Entry e;
    if (ls >> e.name >> e.width >> e.height) {
      ls >> e.extra;
      entries.push_back(e);
    }
  }
  return entries;
}

const std::string kCorpus = KORVAN_PNG_CORPUS;

Bytes CorpusFile(const std::string& name) { return rtl::ReadFileBytes(kCorpus + "/" + name); }

// A grey 8-bit image of one row from the given levels (filter type 0).
Bytes GreyRow(const Bytes& levels) {
  Bytes raw{0};
  raw.insert(raw.end(), levels.begin(), levels.end());
  return raw;
}

}  // namespace

// ---- the generated corpus: every colour type, depth, interlace, tRNS and filter ---------

TEST(PNGReader, CorpusDecodesToTheEncodersPixels) {
  const auto entries = Manifest(kCorpus + "/corpus.txt");
  ASSERT_GT(entries.size(), 100u) << "corpus missing: " << kCorpus;
  for (const Entry& e : entries) {
    SCOPED_TRACE(e.name);
    const Bytes file = CorpusFile(e.name + ".png");
    Decoded d;
    rtl::TMemoryStream s(file);
    TPNGReader reader(d.cm);
    ASSERT_NO_THROW(reader.Load(s, d.image));
    EXPECT_EQ(s.Position(), static_cast<int64_t>(file.size())) << "stream stands after IEND";
    ASSERT_EQ(d.image.Width(), e.width);
    ASSERT_EQ(d.image.Height(), e.height);
    EXPECT_EQ(FirstDifference(Rgba(d), CorpusFile(e.name + ".rgba"), e.width), "");
    if (e.extra == "none") {
      EXPECT_FALSE(d.image.Transparent);
      EXPECT_EQ(d.image.TransparentColor, clNone);
    } else {
      EXPECT_TRUE(d.image.Transparent);
      EXPECT_EQ(d.image.TransparentColor, std::stoul(e.extra, nullptr, 16));
    }
  }
}

TEST(PNGReader, BitmapFormatFollowsColourTypeAndDepth) {
  struct Case {
    const char* name;
    TPixelFormat format;
    size_t paletteEntries;
  };
  const Case cases[] = {
      {"c0_d1", pf1bit, 2},  {"c0_d2", pf4bit, 16},  {"c0_d4", pf4bit, 16},  {"c0_d8", pf8bit, 256},
      {"c0_d16", pf8bit, 256}, {"c2_d8", pf24bit, 0}, {"c2_d16", pf24bit, 0}, {"c3_d1", pf1bit, 2},
      {"c3_d2", pf4bit, 16}, {"c3_d4", pf4bit, 16},  {"c3_d8", pf8bit, 200}, {"c4_d8", pf8bit, 256},
      {"c4_d16", pf8bit, 256}, {"c6_d8", pf32bit, 0}, {"c6_d16", pf32bit, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Decoded d;
    Load(d, CorpusFile(std::string(c.name) + ".png"));
    EXPECT_EQ(d.image.PixelFormat(), c.format);
    EXPECT_EQ(d.image.Palette.Entries.size(), c.paletteEntries);
    EXPECT_EQ(d.image.IgnorePalette, c.format == pf32bit);
  }
  // 2-bit values are held as value x 5 with their palette colours spread to match.
  Decoded d;
  Load(d, CorpusFile("c3_d2.png"));
  for (int y = 0; y < d.image.Height(); ++y)
    for (int x = 0; x < d.image.Width(); ++x) ASSERT_EQ(d.image.PixelValue(x, y) % 5, 0u);
}

// ---- the conformance suite ----------------------------------------------------------

TEST(PNGReader, ConformanceSuiteDecodesWithItsGamma) {
  const auto entries = Manifest(kCorpus + "/suite.txt");
  ASSERT_GT(entries.size(), 50u) << "suite expectations missing; suite at " << KORVAN_PNGSUITE;
  for (const Entry& e : entries) {
    SCOPED_TRACE(e.name);
    Decoded d;
    ASSERT_NO_THROW(Load(d, rtl::ReadFileBytes(std::string(KORVAN_PNGSUITE) + "/" + e.name)));
    std::string flat = e.name;
    for (char& c : flat)
      if (c == '/') c = '_';
    EXPECT_EQ(FirstDifference(Rgba(d), CorpusFile("suite/" + flat + ".rgba"), e.width), "");
  }
}

// ---- every error the reader raises ---------------------------------------------------

TEST(PNGReader, MalformedFilesEndInTheirErrors) {
  const std::string invalid = "EInvalidGraphic: Cannot load image. Invalid or unexpected PNG image format.";
  const std::string crc = "EInvalidGraphic: Cannot load image. CRC error found in PNG file.";
  const std::string compression = "EInvalidGraphic: Cannot load image. Compression error found in PNG file.";
  const std::string extra = "EInvalidGraphic: Cannot load image. Extra compressed data found in PNG file.";
  const std::string colour = "EInvalidGraphic: Invalid color format in PNG file.";
  const std::string readError = "EReadError: Stream read error";
  const Bytes row = GreyRow({1, 2, 3, 4});
  const Bytes good = Png().Ihdr(4, 1, 8, 0).Idat(row).Iend().bytes;

  Bytes badSignature = good;
  badSignature[1] = 'Q';
  Bytes truncated(good.begin(), good.end() - 20);
  Bytes corruptZlib = Png::Deflate(row);
  corruptZlib[0] = 0x00;  // not a zlib header
  Bytes trailing = Png::Deflate(row);
  trailing.push_back(0);  // input left in the chunk after the stream's end
  Bytes hugeLength = Png().Ihdr(4, 1, 8, 0).bytes;
  PutBE32(hugeLength, 0x7FFFFFF0);  // a gAMA claiming ~2 GB in a tiny file
  hugeLength.insert(hugeLength.end(), {'g', 'A', 'M', 'A', 1, 2, 3, 4});
  // The zlib stream's closing sum (Adler-32) off by one.
  Bytes wideRow{0};
  for (int i = 0; i < 200; ++i) wideRow.push_back(static_cast<uint8_t>(i * 7));
  Bytes badSum = Png::Deflate(wideRow);
  badSum.back() ^= 1;
  Bytes shortIhdr = Png().Chunk("IHDR", {0, 0, 0, 4, 0, 0, 0, 1, 8, 0, 0, 0}).Idat(row).Iend().bytes;

  struct Case {
    const char* what;
    Bytes file;
    std::string outcome;
  };
  const Case cases[] = {
      {"wrong signature", badSignature, invalid},
      {"first chunk not IHDR", Png().Chunk("tEXt", {'a'}).Ihdr(4, 1, 8, 0).Idat(row).Iend().bytes, invalid},
      {"width 0", Png().Ihdr(0, 1, 8, 0).Idat(row).Iend().bytes, invalid},
      {"height 0", Png().Ihdr(4, 0, 8, 0).Idat(row).Iend().bytes, invalid},
      {"IHDR shorter than its fields", shortIhdr, invalid},
      {"width beyond 2^31-1", Png().Ihdr(0x80000000u, 1, 8, 0).Idat(row).Iend().bytes, invalid},
      {"width x height beyond the pixel bound", Png().Ihdr(0x10000, 0x10000, 8, 6).Idat(row).Iend().bytes, invalid},
      {"compression method 1", Png().Ihdr(4, 1, 8, 0, 0, 1).Idat(row).Iend().bytes,
       "EInvalidGraphic: Cannot load image. The compression scheme is not supported for PNG files."},
      {"CRC of IHDR", Png().Chunk("IHDR", {0, 0, 0, 4, 0, 0, 0, 1, 8, 0, 0, 0, 0}, true).Idat(row).Iend().bytes, crc},
      {"CRC of IDAT", Png().Ihdr(4, 1, 8, 0).Chunk("IDAT", Png::Deflate(row), true).Iend().bytes, crc},
      {"CRC of tRNS", Png().Ihdr(4, 1, 8, 0).Chunk("tRNS", {0, 1}, true).Idat(row).Iend().bytes, crc},
      {"PLTE not a multiple of 3",
       Png().Ihdr(4, 1, 8, 3).Chunk("PLTE", {1, 2, 3, 4, 5, 6, 7}).Idat(row).Iend().bytes,
       "EInvalidGraphic: Cannot load image. Palette in PNG file is invalid."},
      {"RGB at 4 bits", Png().Ihdr(4, 1, 4, 2).Idat(row).Iend().bytes, colour},
      {"indexed at 16 bits (at PLTE)", Png().Ihdr(4, 1, 16, 3).Chunk("PLTE", {1, 2, 3}).Idat(row).Iend().bytes, colour},
      {"colour type 5", Png().Ihdr(4, 1, 8, 5).Idat(row).Iend().bytes, colour},
      {"colour type 1", Png().Ihdr(4, 1, 8, 1).Idat(row).Iend().bytes, colour},
      // Refused when the header is read: background and transparency divide by the depth.
      {"grey at depth 0 with bKGD", Png().Ihdr(4, 1, 0, 0).Chunk("bKGD", {0, 1}).Idat(row).Iend().bytes, colour},
      {"grey at depth 0 with tRNS", Png().Ihdr(4, 1, 0, 0).Chunk("tRNS", {0, 1}).Idat(row).Iend().bytes, colour},
      {"grey at depth 3 with tRNS", Png().Ihdr(4, 1, 3, 0).Chunk("tRNS", {0, 1}).Idat(row).Iend().bytes, colour},
      {"colour type 5 with bKGD, no image data", Png().Ihdr(4, 1, 8, 5).Chunk("bKGD", {0, 1}).Iend().bytes, colour},
      {"RGB at depth 32", Png().Ihdr(4, 1, 32, 2).Chunk("tRNS", {0, 1, 0, 2, 0, 3}).Idat(row).Iend().bytes, colour},
      // Rows count with the bitmap: 2^26 pixels of 16-bit RGBA need 1 GB of rows alone.
      {"rows beyond the memory bound", Png().Ihdr(1u << 26, 1, 16, 6).Idat(row).Iend().bytes, invalid},
      {"not a zlib stream", Png().Ihdr(4, 1, 8, 0).Chunk("IDAT", corruptZlib).Iend().bytes, compression},
      {"wrong closing sum", Png().Ihdr(200, 1, 8, 0).Chunk("IDAT", badSum).Iend().bytes, compression},
      {"zlib stream ends before the rows", Png().Ihdr(4, 2, 8, 0).Idat(row).Iend().bytes, extra},
      {"input left after the zlib stream", Png().Ihdr(4, 1, 8, 0).Chunk("IDAT", trailing).Iend().bytes, extra},
      {"input left after the zlib stream, in its second chunk",
       Png().Ihdr(4, 1, 8, 0).Chunk("IDAT", Bytes(trailing.begin(), trailing.begin() + 4))
           .Chunk("IDAT", Bytes(trailing.begin() + 4, trailing.end())).Iend().bytes,
       extra},
      {"unknown critical chunk", Png().Ihdr(4, 1, 8, 0).Chunk("FOOB", {1}).Idat(row).Iend().bytes,
       "EInvalidGraphic: Cannot load PNG image. Unexpected but critical chunk detected."},
      {"second IHDR", Png().Ihdr(4, 1, 8, 0).Idat(row).Ihdr(4, 1, 8, 0).Iend().bytes,
       "EInvalidGraphic: Cannot load PNG image. Unexpected but critical chunk detected."},
      {"empty stream", Bytes{}, readError},
      {"cut inside the signature", Bytes(good.begin(), good.begin() + 5), readError},
      {"cut inside the image data", truncated, readError},
      {"no IEND", Png().Ihdr(4, 1, 8, 0).Idat(row).bytes, readError},
      {"chunk length beyond the stream", hugeLength, readError},
      {"good file", good, "ok"},
  };
  for (const Case& c : cases) EXPECT_EQ(Outcome(c.file), c.outcome) << c.what;
}

TEST(PNGReader, ImageDataIsDecodedOnce) {
  // Runs of IDAT chunks after the first are passed over: they neither decode nor fill
  // the picture again, however many a file holds.
  Png png;
  png.Ihdr(2, 1, 8, 0).Idat({0, 10, 20});
  for (int i = 0; i < 2000; ++i) png.Chunk("tEXt", {'a'}).Chunk("IDAT", {});
  png.Chunk("tEXt", {'a'}).Idat({0, 30, 40}).Iend();
  Decoded d;
  rtl::TMemoryStream s(png.bytes);
  TPNGReader reader(d.cm);
  int transfers = 0;
  reader.OnProgress = [&](TProgressStage, int, bool, const gui::TRect&, const std::string& m) {
    transfers += m == "Transfering...";
  };
  reader.Load(s, d.image);
  EXPECT_EQ(transfers, 1);
  EXPECT_EQ(d.image.PixelValue(0, 0), 10u);
  EXPECT_EQ(d.image.PixelValue(1, 0), 20u);
  EXPECT_EQ(s.Position(), static_cast<int64_t>(png.bytes.size()));
}

TEST(PNGReader, AllocationFailureIsThePicturesError) {
  Decoded d;
  rtl::TMemoryStream s(Png().Ihdr(2, 1, 8, 0).Idat({0, 10, 20}).Iend().bytes);
  TPNGReader reader(d.cm);
  reader.OnProgress = [](TProgressStage, int, bool, const gui::TRect&, const std::string& m) {
    if (m == "Transfering...") throw std::bad_alloc();  // as the bitmap's allocation would
  };
  try {
    reader.Load(s, d.image);
    FAIL() << "the load must fail";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Out of memory");
  }
}

TEST(PNGReader, TransparentColourIsThatOfItsPixels) {
  // Pixel 0 holds the tRNS value, pixel 1 another one. Whatever the depth, and with a gamma
  // table in force too, the transparent colour is the colour pixel 0 has in the bitmap.
  struct Case {
    const char* what;
    uint8_t depth, colourType;
    Bytes trns, row;
  };
  const Case cases[] = {
      {"grey 1-bit", 1, 0, {0, 1}, {0, 0x80}},
      {"grey 2-bit", 2, 0, {0, 1}, {0, 0x40}},
      {"grey 4-bit", 4, 0, {0, 1}, {0, 0x10}},
      {"grey 8-bit", 8, 0, {0, 100}, {0, 100, 60}},
      {"grey 16-bit", 16, 0, {0x64, 0x64}, {0, 0x64, 0x64, 0x3C, 0x3C}},
      {"RGB 8-bit", 8, 2, {0, 100, 0, 150, 0, 200}, {0, 100, 150, 200, 60, 150, 200}},
      {"RGB 16-bit", 16, 2, {0x64, 0x64, 0x96, 0x96, 0xC8, 0xC8},
       {0, 0x64, 0x64, 0x96, 0x96, 0xC8, 0xC8, 0x3C, 0x3C, 0x96, 0x96, 0xC8, 0xC8}},
  };
  const Bytes gammas[] = {{}, {0, 0x01, 0x86, 0xA0}, {0, 0, 0xB1, 0x8F}, {0, 0x03, 0x0D, 0x40}};
  for (const Case& c : cases)
    for (const Bytes& gamma : gammas) {
      SCOPED_TRACE(std::string(c.what) + (gamma.empty() ? ", no gAMA" : ", gAMA " + std::to_string(gamma[1] << 16 | gamma[2] << 8 | gamma[3])));
      Png png;
      png.Ihdr(2, 1, c.depth, c.colourType);
      if (!gamma.empty()) png.Chunk("gAMA", gamma);
      Decoded d;
      Load(d, png.Chunk("tRNS", c.trns).Idat(c.row).Iend().bytes);
      const Bytes px = Rgba(d);
      ASSERT_TRUE(d.image.Transparent);
      EXPECT_EQ(d.image.TransparentColor, RGBColor(px[0], px[1], px[2]));
      EXPECT_NE(d.image.TransparentColor, RGBColor(px[4], px[5], px[6]));
    }
}

namespace {

// A photo-like image of more than a megabyte of rows (large enough to inflate on a second
// thread), every filter type in turn; raw holds the pixels as the file has them.
struct LargeImage {
  int width = 800, height = 500, channels;
  Bytes raw, filtered;
  explicit LargeImage(int ch) : channels(ch) {
    const size_t rowBytes = static_cast<size_t>(width) * channels;
    raw.resize(rowBytes * height);
    uint32_t seed = 7;
    for (size_t i = 0; i < raw.size(); ++i) {
      seed = seed * 1103515245 + 12345;
      raw[i] = static_cast<uint8_t>((i % rowBytes) / 9 + (i / rowBytes) / 3 + ((seed >> 16) & 7));
    }
    Bytes zeros(rowBytes, 0);
    for (int y = 0; y < height; ++y) {
      const uint8_t* x = &raw[y * rowBytes];
      const uint8_t* b = y ? x - rowBytes : zeros.data();
      const int type = y % 5;
      filtered.push_back(static_cast<uint8_t>(type));
      for (size_t i = 0; i < rowBytes; ++i) {
        const int a = i >= static_cast<size_t>(channels) ? x[i - channels] : 0;
        const int c = i >= static_cast<size_t>(channels) ? b[i - channels] : 0;
        const int p = a + b[i] - c, pa = std::abs(p - a), pb = std::abs(p - b[i]), pc = std::abs(p - c);
        const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b[i] : c;
        const int predictor[5] = {0, a, b[i], (a + b[i]) / 2, paeth};
        filtered.push_back(static_cast<uint8_t>(x[i] - predictor[type]));
      }
    }
  }
  // The file with its image data cut into IDAT chunks of 64 KB.
  Bytes File(const Bytes& z, int badCrcChunk = -1) const {
    Png png;
    png.Ihdr(width, height, 8, channels == 4 ? 6 : 2);
    for (size_t at = 0, n = 0; at < z.size(); at += 65536, ++n)
      png.Chunk("IDAT", Bytes(z.begin() + at, z.begin() + std::min(z.size(), at + 65536)), static_cast<int>(n) == badCrcChunk);
    return png.Iend().bytes;
  }
  Bytes Expected(int rows) const {  // R G B A as Rgba() gives it; rows past `rows` keep white
    Bytes out;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const uint8_t* p = &raw[(static_cast<size_t>(y) * width + x) * channels];
        if (y < rows)
          out.insert(out.end(), {p[0], p[1], p[2], channels == 4 ? p[3] : uint8_t{255}});
        else
          out.insert(out.end(), {255, 255, 255, 255});
      }
    return out;
  }
};

}  // namespace

TEST(PNGReader, LargeImagesDecodeWhole) {
  for (int channels : {3, 4}) {
    SCOPED_TRACE(channels);
    const LargeImage image(channels);
    Decoded d;
    Load(d, image.File(Png::Deflate(image.filtered)));
    EXPECT_EQ(FirstDifference(Rgba(d), image.Expected(image.height), image.width), "");
  }
  const LargeImage rgb(3);
  {
    SCOPED_TRACE("image data ending after 300 rows");
    z_stream z{};
    deflateInit(&z, 6);
    Bytes buf(rgb.filtered.size() + 1024);
    z.next_in = const_cast<uint8_t*>(rgb.filtered.data());
    z.avail_in = static_cast<uInt>(300 * (rgb.width * 3 + 1));
    z.next_out = buf.data();
    z.avail_out = static_cast<uInt>(buf.size());
    deflate(&z, Z_SYNC_FLUSH);
    buf.resize(buf.size() - z.avail_out);
    deflateEnd(&z);
    Decoded d;
    Load(d, rgb.File(buf));
    EXPECT_EQ(FirstDifference(Rgba(d), rgb.Expected(300), rgb.width), "");
  }
  {
    SCOPED_TRACE("CRC error in a later chunk of the image data");
    const Bytes z = Png::Deflate(rgb.filtered);
    ASSERT_GT(z.size(), 4 * 65536u);
    EXPECT_EQ(Outcome(rgb.File(z, 3)), "EInvalidGraphic: Cannot load image. CRC error found in PNG file.");
  }
}

TEST(PNGReader, DecoderEndFailureIsACompressionError) {
  TLZ77Decoder never(Z_PARTIAL_FLUSH, false);
  try {
    never.EndStream();
    FAIL() << "ending a stream that never began must fail";
  } catch (const EGraphicCompression& e) {
    EXPECT_EQ(e.Message(), "LZ77 decompression error.");
  }
}

// ---- input the reader takes, with the result it must give ----------------------------

TEST(PNGReader, ToleratedOddities) {
  const Bytes row = GreyRow({10, 20, 30});
  {
    SCOPED_TRACE("IEND before any IDAT: no pixels");
    Decoded d;
    Load(d, Png().Ihdr(3, 1, 8, 0).Iend().bytes);
    EXPECT_TRUE(d.image.Empty());
    EXPECT_EQ(d.image.Width(), 0);
  }
  {
    SCOPED_TRACE("image data ending early: decoded rows stay, the rest keeps the background");
    Bytes raw = {0, 255, 0, 0, 0, 255, 0};  // one RGB row of two pixels, filter 0
    z_stream z{};
    deflateInit(&z, 9);
    Bytes buf(64);
    z.next_in = raw.data();
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = buf.data();
    z.avail_out = static_cast<uInt>(buf.size());
    deflate(&z, Z_SYNC_FLUSH);  // all of row 0, but the stream goes on
    buf.resize(buf.size() - z.avail_out);
    deflateEnd(&z);
    Decoded d;
    Load(d, Png().Ihdr(2, 3, 8, 2).Chunk("bKGD", {0, 0, 0, 0, 0, 9}).Chunk("IDAT", buf).Iend().bytes);
    const Bytes px = Rgba(d);
    EXPECT_EQ(Bytes(px.begin(), px.begin() + 8), (Bytes{255, 0, 0, 255, 0, 255, 0, 255}));
    EXPECT_EQ(Bytes(px.begin() + 8, px.begin() + 12), (Bytes{0, 0, 9, 255}));
  }
  {
    SCOPED_TRACE("an IDAT chunk after the one the zlib stream ended in is not read as image data");
    Decoded d;
    Load(d, Png().Ihdr(3, 1, 8, 0).Idat(row).Chunk("IDAT", {1, 2, 3}).Iend().bytes);
    EXPECT_EQ(d.image.PixelValue(2, 0), 30u);
  }
  {
    SCOPED_TRACE("unknown filter type 7 leaves the row as it is");
    Decoded d;
    Load(d, Png().Ihdr(3, 1, 8, 0).Idat({7, 10, 20, 30}).Iend().bytes);
    EXPECT_EQ(d.image.PixelValue(2, 0), 30u);
  }
  {
    SCOPED_TRACE("chunk types match in any letter case");
    Decoded d;
    Load(d, Png().Ihdr(3, 1, 8, 0).Chunk("idat", Png::Deflate(row)).Iend().bytes);
    EXPECT_EQ(d.image.PixelValue(1, 0), 20u);
  }
  {
    SCOPED_TRACE("16-bit grey tRNS 0x0101 is RGB(1, 1, 1)");
    Decoded d;
    Load(d, Png().Ihdr(1, 1, 16, 0).Chunk("tRNS", {1, 1}).Idat({0, 1, 1}).Iend().bytes);
    EXPECT_TRUE(d.image.Transparent);
    EXPECT_EQ(d.image.TransparentColor, 0x010101u);
  }
  {
    SCOPED_TRACE("ancillary chunks too short for their fields are passed over");
    Decoded d;
    Load(d, Png().Ihdr(3, 1, 8, 0).Chunk("gAMA", {1}).Chunk("tRNS", {}).Chunk("bKGD", {4}).Idat(row).Iend().bytes);
    EXPECT_FALSE(d.image.Properties.Flags & ipGammaSeen);
    EXPECT_FALSE(d.image.Transparent);
  }
  {
    SCOPED_TRACE("an indexed tRNS longer than 256 and indices past the palette");
    Bytes alphas(300, 7);
    Decoded d;
    Load(d, Png().Ihdr(2, 1, 8, 3).Chunk("PLTE", {1, 2, 3}).Chunk("tRNS", alphas).Idat({0, 0, 200}).Iend().bytes);
    EXPECT_EQ(d.image.AlphaTable.size(), 256u);
    EXPECT_EQ(Rgba(d), (Bytes{1, 2, 3, 7, 0, 0, 0, 7}));
  }
  {
    SCOPED_TRACE("two images back to back: the stream stops after the first IEND");
    const Bytes one = Png().Ihdr(3, 1, 8, 0).Idat(row).Iend().bytes;
    Bytes both = one;
    both.insert(both.end(), one.begin(), one.end());
    rtl::TMemoryStream s(both);
    Decoded d;
    TPNGReader reader(d.cm);
    reader.Load(s, d.image);
    EXPECT_EQ(s.Position(), static_cast<int64_t>(one.size()));
    reader.Load(s, d.image);
    EXPECT_EQ(s.Position(), static_cast<int64_t>(both.size()));
  }
}

TEST(PNGReader, DecompressionBombIsNotInflatedBeyondTheImage) {
  // 64 MB of zeros behind a 1 x 1 image: only the one row is ever inflated.
  Bytes zeros(64u << 20, 0);
  const Bytes file = Png().Ihdr(1, 1, 8, 0).Idat(zeros).Iend().bytes;
  ASSERT_LT(file.size(), 200000u);
  Decoded d;
  Load(d, file);
  EXPECT_EQ(d.image.PixelValue(0, 0), 0u);
}

TEST(PNGReader, GammaOfOnePictureDoesNotCarryIntoTheNext) {
  const Bytes levels = {0, 64, 128, 255};
  Decoded d;
  Load(d, Png().Ihdr(4, 1, 8, 2).Chunk("gAMA", {0, 1, 0x86, 0xA0}).Idat({0, 64, 64, 64, 128, 128, 128, 0, 0, 0, 255, 255, 255}).Iend().bytes);
  EXPECT_NE(Rgba(d)[0], 64) << "gamma 1.0 shown at 2.2 brightens";
  Load(d, Png().Ihdr(4, 1, 8, 2).Idat({0, 64, 64, 64, 128, 128, 128, 0, 0, 0, 255, 255, 255}).Iend().bytes);
  const Bytes px = Rgba(d);
  EXPECT_EQ(px[0], 64);
  EXPECT_EQ(px[4], 128);
  EXPECT_FALSE(d.image.Properties.Flags & ipGammaSeen);
}

TEST(PNGReader, ProgressIsReportedAroundTheImageData) {
  Decoded d;
  rtl::TMemoryStream s(Png().Ihdr(3, 2, 8, 0).Idat({0, 1, 2, 3, 0, 4, 5, 6}).Iend().bytes);
  TPNGReader reader(d.cm);
  std::vector<std::string> seen;
  gui::TRect last;
  reader.OnProgress = [&](TProgressStage stage, int percent, bool redraw, const gui::TRect& r, const std::string& m) {
    seen.push_back(std::to_string(static_cast<int>(stage)) + ":" + m);
    EXPECT_EQ(percent, 0);
    EXPECT_FALSE(redraw);
    last = r;
  };
  reader.Load(s, d.image);
  EXPECT_EQ(seen, (std::vector<std::string>{"0:Preparing...", "2:", "0:Transfering...", "2:"}));
  EXPECT_EQ(last, gui::Rect(0, 2, 3, 3)) << "one row down per decoded row";
}

TEST(PNGReader, AlphaBitmapFromTransparentKeyAndFromGammaGrey) {
  // RGB, bottom-left pixel red: exactly the red pixels stay clear when Transparent is asked for.
  Decoded rgb;
  Load(rgb, Png().Ihdr(2, 2, 8, 2).Idat({0, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 255}).Iend().bytes);
  const Bytes keyed = Rgba(rgb, true);
  EXPECT_EQ(keyed[3], 0);
  EXPECT_EQ(keyed[7], 255);
  EXPECT_EQ(keyed[11], 0);
  EXPECT_EQ(keyed[15], 255);
  EXPECT_EQ(Rgba(rgb, false)[3], 255);

  // 8-bit grey with gAMA: a black shape, opacity 255 minus the corrected level.
  Decoded grey;
  Load(grey, Png().Ihdr(2, 1, 8, 0).Chunk("gAMA", {0, 0, 0xB1, 0x8F}).Idat({0, 0, 200}).Iend().bytes);
  const Bytes shape = Rgba(grey);
  Bytes rows(8);
  PngToAlphaBGRA32(grey.image, grey.cm, false, rows.data(), 8);
  EXPECT_EQ(Bytes(rows.begin() + 4, rows.begin() + 7), (Bytes{0, 0, 0}));
  EXPECT_EQ(shape[3], 255);
  EXPECT_EQ(shape[7], 255 - grey.cm.GammaTable()[200]);
}

TEST(PNGReader, BottomUpRowsMirrorTopDown) {
  Decoded d;
  Load(d, CorpusFile("c6_d8.png"));
  const int w = d.image.Width(), h = d.image.Height();
  Bytes top(static_cast<size_t>(w) * h * 4), bottom(top.size());
  ConvertToBGRA32(d.image, top.data(), w * 4);
  ConvertToBGRA32(d.image, bottom.data() + (h - 1) * w * 4, -w * 4);
  for (int y = 0; y < h; ++y)
    ASSERT_EQ(0, std::memcmp(top.data() + y * w * 4, bottom.data() + (h - 1 - y) * w * 4, w * 4)) << y;
}

TEST(PNGReader, Crc32MatchesZlib) {
  Bytes data(100);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 37 + 11);
  for (size_t n : {0u, 1u, 7u, 8u, 9u, 63u, 100u}) {
    EXPECT_EQ(UpdateCrc32(0, data.data(), n), crc32(0, data.data(), static_cast<uInt>(n))) << n;
    EXPECT_EQ(UpdateCrc32(UpdateCrc32(0, data.data(), 3), data.data() + 3, n - std::min<size_t>(n, 3)),
              crc32(0, data.data(), static_cast<uInt>(std::max<size_t>(n, 3))))
        << n;
  }
  EXPECT_EQ(UpdateCrc32(0x1234, nullptr, 5), 0u);
}

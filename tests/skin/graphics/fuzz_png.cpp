// Feeds the PNG reader files made from the fuzzer's bytes: every input must end in a picture
// or in one of the reader's exceptions, without touching memory it does not own.
//
// Input that starts with the PNG signature is read as it is (the reader of this build does
// not check CRCs, so mutations of real files get past the chunk framing). Any other input
// describes a file, which is built with correct CRCs and with image data deflated here, so
// that the chunk handlers, the filters and every colour path are reached:
//   header   width (2 bytes), height (2), bit depth, colour type, compression, interlace
//   chunks   until the input ends: a selector byte, a length byte, that many bytes of data
//            (selector 0-3 IDAT with the data deflated at level selector * 3, split into
//            chunks of at most 64 bytes when the length byte is odd; 4 IDAT raw; 5 PLTE;
//            6 tRNS; 7 gAMA; 8 bKGD; 9 IEND; 10 tEXt; 11 IHDR; 12 an unknown critical chunk;
//            others: the four data bytes' type, any letter case)
// An IEND is added at the end unless the input had one.
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "rtl/Classes.h"
#include "skin/graphics/acPNGReader.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutBE32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}

void PutChunk(Bytes& file, const char* type, const uint8_t* data, size_t n) {
  PutBE32(file, static_cast<uint32_t>(n));
  const size_t typeAt = file.size();
  file.insert(file.end(), type, type + 4);
  file.insert(file.end(), data, data + n);
  PutBE32(file, static_cast<uint32_t>(crc32(0, file.data() + typeAt, static_cast<uInt>(n + 4))));
}

Bytes Deflate(const uint8_t* data, size_t n, int level) {
  uLongf size = compressBound(static_cast<uLong>(n));
  Bytes out(size);
  if (compress2(out.data(), &size, data, static_cast<uLong>(n), level) != Z_OK) return {};
  out.resize(size);
  return out;
}

Bytes BuildFile(const uint8_t* in, size_t size) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes file(kSignature, kSignature + 8);
  if (size < 8) return file;
  uint8_t ihdr[13] = {};
  // Mostly small images, so that the fuzzer spends its time on variety.
  const uint32_t w = (static_cast<uint32_t>(in[0]) << 8 | in[1]) % 300 + 1;
  const uint32_t h = (static_cast<uint32_t>(in[2]) << 8 | in[3]) % 300 + 1;
  for (int i = 0; i < 4; ++i) {
    ihdr[i] = static_cast<uint8_t>(w >> (24 - 8 * i));
    ihdr[4 + i] = static_cast<uint8_t>(h >> (24 - 8 * i));
  }
  ihdr[8] = in[4];
  ihdr[9] = in[5];
  ihdr[10] = in[6] > 250 ? in[6] : 0;
  ihdr[11] = 0;
  ihdr[12] = in[7];
  PutChunk(file, "IHDR", ihdr, 13);
  size_t pos = 8;
  bool ended = false;
  while (pos + 2 <= size) {
    const uint8_t selector = in[pos];
    const size_t n = std::min<size_t>(in[pos + 1], size - pos - 2);
    const uint8_t* data = in + pos + 2;
    pos += 2 + n;
    switch (selector) {
      case 0:
      case 1:
      case 2:
      case 3: {
        const Bytes z = Deflate(data, n, selector * 3);
        const size_t piece = (in[pos - n - 1] & 1) ? 64 : z.size() + 1;
        for (size_t at = 0; at < z.size(); at += piece)
          PutChunk(file, "IDAT", z.data() + at, std::min(piece, z.size() - at));
        break;
      }
      case 4: PutChunk(file, "IDAT", data, n); break;
      case 5: PutChunk(file, "PLTE", data, n); break;
      case 6: PutChunk(file, "tRNS", data, n); break;
      case 7: PutChunk(file, "gAMA", data, n); break;
      case 8: PutChunk(file, "bKGD", data, n); break;
      case 9:
        PutChunk(file, "IEND", data, n);
        ended = true;
        break;
      case 10: PutChunk(file, "tEXt", data, n); break;
      case 11: PutChunk(file, "IHDR", data, n); break;
      case 12: PutChunk(file, "FUZZ", data, n); break;
      default: {
        char type[4] = {'a', 'b', 'c', 'd'};
        std::memcpy(type, data, std::min<size_t>(n, 4));
        PutChunk(file, type, data, n);
        break;
      }
    }
  }
  if (!ended) PutChunk(file, "IEND", nullptr, 0);
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  skin::TPNGReader::MaxPixels = 1u << 20;
  skin::TPNGReader::MaxBytes = 16u << 20;
  const bool isPng = size >= 8 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G';
  rtl::TMemoryStream stream(isPng ? Bytes(data, data + size) : BuildFile(data, size));
  skin::TColorManager cm;
  skin::TPNGImage image;
  skin::TPNGReader reader(cm);
  try {
    reader.Load(stream, image);
  } catch (const rtl::Exception&) {
    return 0;
  }
  if (!image.Empty()) {
    std::vector<uint8_t> rows(static_cast<size_t>(image.Width()) * image.Height() * 4);
    const ptrdiff_t delta = static_cast<ptrdiff_t>(image.Width()) * 4;
    skin::ConvertToBGRA32(image, rows.data(), delta);
    skin::PngToAlphaBGRA32(image, cm, true, rows.data() + (image.Height() - 1) * delta, -delta);
    skin::PngToAlphaBGRA32(image, cm, false, rows.data(), delta);
  }
  return 0;
}

#include "skin/core/acSkinPack.h"

#include <zlib.h>

#include "rtl/SysUtils.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>

namespace skin {

namespace {

constexpr std::string_view kSignature = "ASzf";
constexpr std::string_view kOptionsName = "Options.dat";
constexpr std::string_view kPreviewMark = "previewimg";
// Deflate never expands data by more than this factor, so a declared size beyond it
// cannot come from the bytes that are left.
constexpr uint64_t kMaxInflateRatio = 1032;

// Reading position over the packed bytes; every read checks what is left.
class TReader {
 public:
  explicit TReader(const TacBytes& bytes) : bytes_(bytes) {}
  size_t Left() const { return bytes_.size() - pos_; }
  size_t Pos() const { return pos_; }
  bool ReadInt32(int32_t& value) {
    if (Left() < 4) return false;
    uint32_t v = uint32_t(bytes_[pos_]) | uint32_t(bytes_[pos_ + 1]) << 8 | uint32_t(bytes_[pos_ + 2]) << 16 |
                 uint32_t(bytes_[pos_ + 3]) << 24;
    value = int32_t(v);
    pos_ += 4;
    return true;
  }
  bool ReadText(size_t length, std::string& text) {
    if (Left() < length) return false;
    text.assign(reinterpret_cast<const char*>(bytes_.data() + pos_), length);
    pos_ += length;
    return true;
  }
  // Inflates one zlib stream that must give exactly size bytes and end there; the position
  // moves to the first byte after the stream.
  bool Inflate(size_t size, TacBytes& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    // One spare byte shows a stream that holds more than its declared size.
    out.assign(size + 1, 0);
    z.next_in = const_cast<Bytef*>(bytes_.data() + pos_);
    z.avail_in = uInt(std::min<size_t>(Left(), UINT_MAX));
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    int rc;
    do {
      rc = inflate(&z, Z_NO_FLUSH);
    } while (rc == Z_OK);
    const bool ok = rc == Z_STREAM_END && z.total_out == size;
    pos_ += z.total_in;
    inflateEnd(&z);
    out.resize(size);
    return ok;
  }

 private:
  const TacBytes& bytes_;
  size_t pos_ = 0;
};

bool ReadEntries(TacSkinConvertor& c) {
  TReader in(c.SourceStream);
  std::string signature;
  if (!in.ReadText(kSignature.size(), signature) || signature != kSignature) return false;
  int32_t count = 0;
  if (!in.ReadInt32(count) || count < 0) return false;
  for (int32_t i = 0; i < count; ++i) {
    int32_t nameLength = 0, size = 0;
    std::string name;
    if (!in.ReadInt32(nameLength) || nameLength < 0 || nameLength > kPackMaxNameLength) return false;
    if (!in.ReadText(size_t(nameLength), name)) return false;
    if (!in.ReadInt32(size) || size < 0 || size > kPackMaxEntrySize) return false;
    if (uint64_t(size) > uint64_t(in.Left()) * kMaxInflateRatio) return false;
    TacBytes data;
    if (!in.Inflate(size_t(size), data)) return false;
    if (rtl::SameText(name, kOptionsName)) {
      c.OptionsStream = std::move(data);  // a later options entry replaces an earlier one
    } else {
      c.Files.push_back(TacFileItem{name, FileKindOf(name), std::move(data)});
    }
  }
  return true;
}

}  // namespace

const TacFileItem* FindFileEntry(const TacSkinConvertor& convertor, std::string_view name) {
  for (const auto& item : convertor.Files)
    if (rtl::SameText(item.Name, name)) return &item;
  return nullptr;
}

int32_t FileKindOf(std::string_view name) {
  size_t dot = name.find_last_of(".\\/:");
  if (dot == std::string_view::npos || name[dot] != '.') return fkOther;
  std::string_view ext = name.substr(dot);
  if (rtl::SameText(ext, ".BMP")) return fkBitmap;
  if (rtl::SameText(ext, ".TTF") || rtl::SameText(ext, ".OTF")) return fkFont;
  return fkOther;
}

bool UnpackSkinStream(TacSkinConvertor& c) {
  c.OptionsStream.reset();
  c.Files.clear();
  bool ok = ReadEntries(c);
  if (!ok) {
    c.OptionsStream.reset();
    c.Files.clear();
  }
  c.FileCount = int32_t(c.Files.size());
  return ok;
}

size_t FindPattern(size_t offset, std::string_view pattern, std::string_view text) {
  const size_t m = pattern.size();
  if (m == 0 || offset > text.size() || text.size() - offset < m) return 0;
  std::array<size_t, 256> skip;
  skip.fill(m);
  for (size_t i = 0; i + 1 < m; ++i) skip[uint8_t(pattern[i])] = m - 1 - i;
  for (size_t pos = offset; pos + m <= text.size();) {
    if (std::memcmp(text.data() + pos, pattern.data(), m) == 0) return pos + 1;
    pos += skip[uint8_t(text[pos + m - 1])];
  }
  return 0;
}

std::optional<TacBytes> ExtractPreviewImage(const TacBytes& source) {
  std::string_view text(reinterpret_cast<const char*>(source.data()), source.size());
  size_t found = FindPattern(0, kPreviewMark, text);
  if (found == 0) return std::nullopt;
  size_t at = found - 1 + kPreviewMark.size();
  if (source.size() - at < 4) return std::nullopt;
  int32_t size = int32_t(uint32_t(source[at]) | uint32_t(source[at + 1]) << 8 | uint32_t(source[at + 2]) << 16 |
                         uint32_t(source[at + 3]) << 24);
  at += 4;
  if (size < 0 || size_t(size) > source.size() - at) return std::nullopt;
  return TacBytes(source.begin() + ptrdiff_t(at), source.begin() + ptrdiff_t(at) + size);
}

std::optional<TacBytes> LoadPreviewFromFile(const std::string& fileName) {
  std::ifstream f(fileName, std::ios::binary);
  if (!f) return std::nullopt;
  TacBytes bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  return ExtractPreviewImage(bytes);
}

}  // namespace skin

#include "skin/core/acSkinPack.h"

#include <zlib.h>

#include "rtl/Classes.h"
#include "rtl/SysUtils.h"

#include <algorithm>
#include <climits>

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
  bool Skip(size_t n) {
    if (Left() < n) return false;
    pos_ += n;
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
  const size_t pos = text.find(pattern, offset);
  return pos == std::string_view::npos ? 0 : pos + 1;
}

std::optional<TacBytes> ExtractPreviewImage(const TacBytes& source) {
  std::string_view text(reinterpret_cast<const char*>(source.data()), source.size());
  size_t found = FindPattern(0, kPreviewMark, text);
  if (found == 0) return std::nullopt;
  TReader in(source);
  int32_t size = 0;
  if (!in.Skip(found - 1 + kPreviewMark.size()) || !in.ReadInt32(size)) return std::nullopt;
  if (size < 0 || size_t(size) > in.Left()) return std::nullopt;
  const auto at = source.begin() + ptrdiff_t(in.Pos());
  return TacBytes(at, at + size);
}

std::optional<TacBytes> LoadPreviewFromFile(const std::string& fileName) {
  TacBytes bytes;
  try {
    bytes = rtl::ReadFileBytes(fileName);
  } catch (const rtl::Exception&) {
    return std::nullopt;
  }
  return ExtractPreviewImage(bytes);
}

}  // namespace skin

// The packed skin format: one file holding a skin's options text and its other files,
// each as its own zlib stream, plus an optional uncompressed preview picture. The reader
// works on bytes in memory and is Win32-free; the skin manager shows the message when it
// refuses a file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// Shown when a file is not a packed skin: a wrong signature, or a file that is cut short,
// gives impossible lengths or holds damaged compressed data.
inline constexpr std::string_view SNotPackedSkin = "Loaded data is not a packed skin file";

using TacBytes = std::vector<uint8_t>;

// What kind of file an entry is, from its extension.
enum TacFileKind : int32_t { fkBitmap = 0, fkFont = 1, fkOther = 2 };

// One unpacked file other than the options text.
struct TacFileItem {
  std::string Name;  // as stored
  int32_t Kind = fkOther;
  TacBytes Data;
};
using TacFileItems = std::vector<TacFileItem>;

// A packed skin in memory and what the reader took out of it.
struct TacSkinConvertor {
  TacBytes SourceStream;                  // the packed file's bytes, set before reading
  std::optional<TacBytes> OptionsStream;  // the "Options.dat" entry; none when absent
  int32_t FileCount = 0;                  // number of entries in Files
  TacFileItems Files;                     // in file order
};

// Limits beyond which a packed file is refused as damaged rather than allocated.
inline constexpr int32_t kPackMaxNameLength = 1024;
inline constexpr int32_t kPackMaxEntrySize = 64 * 1024 * 1024;

// Reads every entry of SourceStream into the other fields. False for anything that is not
// a complete, well-formed packed skin; then the convertor holds no options text and no
// files (the caller shows SNotPackedSkin).
bool UnpackSkinStream(TacSkinConvertor& convertor);

// The first file entry whose name equals name without regard to case (how master bitmaps,
// element pictures and fonts are found in a packed skin); nullptr when none.
const TacFileItem* FindFileEntry(const TacSkinConvertor& convertor, std::string_view name);

// The kind of an entry name: ".BMP" a bitmap, ".TTF" or ".OTF" a font, anything else other
// (extensions compared without case).
int32_t FileKindOf(std::string_view name);

// Position (1-based) of the first occurrence of pattern in text at or after the 0-based
// byte offset; 0 when absent. Boyer-Moore-Horspool with one skip per byte value.
size_t FindPattern(size_t offset, std::string_view pattern, std::string_view text);

// The preview picture of a packed file: the bytes after the first "previewimg" and its
// 4-byte size. Nothing when the marker is absent or the size does not fit the file.
std::optional<TacBytes> ExtractPreviewImage(const TacBytes& source);
// The same for a file on disk; nothing when the file cannot be read.
std::optional<TacBytes> LoadPreviewFromFile(const std::string& fileName);

}  // namespace skin

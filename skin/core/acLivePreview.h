// The live preview of an outside skin editor: while a skin is edited, the editor sends the
// skin's name, directory and whole options text to the running program in one WM_COPYDATA
// record (WParam 7), which the program then loads instead of the files on disk. The record
// comes from another process, so it is read defensively: it must arrive whole, and each of
// its texts ends at its first zero or at the end of its field, whichever comes first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace skin {

inline constexpr uint32_t kLivePreviewTag = 0xA400;
inline constexpr uintptr_t kLivePreviewCopyDataId = 7;
// Little-endian tag, then three single-byte text fields.
inline constexpr size_t kLivePreviewNameOffset = 4, kLivePreviewNameSize = 128;
inline constexpr size_t kLivePreviewDirOffset = 132, kLivePreviewDirSize = 512;
inline constexpr size_t kLivePreviewTextOffset = 644, kLivePreviewTextSize = 30001;
inline constexpr size_t kLivePreviewSize = kLivePreviewTextOffset + kLivePreviewTextSize;  // 30,645

struct TacLivePreview {
  std::string SkinName;
  std::string SkinDirectory;
  std::string OptionsText;
};

// True when the data begins with the preview tag (the editor's mark, whatever its length).
bool HasLivePreviewTag(const void* data, size_t size);
// The record, or nothing when the data is not one whole record with the tag.
std::optional<TacLivePreview> ReadLivePreview(const void* data, size_t size);
// The bytes of a record, for the editor's side and for tests; texts longer than their
// field are cut.
std::string MakeLivePreviewRecord(const TacLivePreview& preview);

}  // namespace skin

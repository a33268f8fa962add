// Image-element values of a skin's options text: the older notations converted to the one
// canonical notation of fixed positions, and the canonical text read into its fields.
// Win32-free; a value that does not convert raises rtl::EConvertError.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "skin/core/sConst.h"

namespace skin {

// Canonical notation (1-based positions): 1 "&"; 2-17 the rectangle, four 4-digit fields;
// 18-33 the left, top, right and bottom borders; 34 frame count; 35 mask blocks; 36 kind;
// 37-38 paint flags; 39-44 reserved; 45 on the image file name.
inline constexpr size_t kElementDigitsEnd = 38;
inline constexpr size_t kElementNameStart = 45;
inline constexpr int32_t kMaxElementKind = 4;

// Converts a value written in an older notation ("!", "^", "@", "~" or a plain file name)
// to the canonical one; canonical values come back unchanged. The image kind of a "!"
// value is kept within 0..4, so it always takes its one position.
std::string ConvertElementValue(std::string_view value);

// StrToInt of count characters at the 1-based position; a field that is not a number or
// does not lie wholly inside the value raises the conversion error.
int32_t ReadDigits(std::string_view value, size_t position, size_t count);
// Four 4-digit fields at position, +4, +8, +12 (canonical) ...
TacRect ReadValueRect(std::string_view value, size_t position);
// ... or at position, +5, +10, +15 (one separator between the fields).
TacRect ReadOldValueRect(std::string_view value, size_t position);

// The fields of a canonical element value.
struct TacElementValue {
  TacRect SrcRect;
  int32_t BorderLeft = 0, BorderTop = 0, BorderRight = 0, BorderBottom = 0;
  int32_t FrameCount = 1;
  int32_t MaskBlocks = 0;
  int32_t ElementKind = 0;  // 0..4; larger digits count as 4
  int32_t PaintFlags = 0;
  std::string FileName;  // empty for a region of the master bitmap
};
// Reads a canonical value; raises the conversion error for a field that is not a number
// or a value too short to hold every field.
TacElementValue ReadElementValue(std::string_view canonical);

}  // namespace skin

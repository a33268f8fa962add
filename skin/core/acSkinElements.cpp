#include "skin/core/acSkinElements.h"

#include <algorithm>

#include "rtl/SysUtils.h"
#include "skin/core/sCommonUtils.h"

namespace skin {

namespace {

std::string Pad2(std::string_view s) { return PadLeftWith('0', s, 2); }

const std::string kZeros16(16, '0');
const std::string kZeros32(32, '0');
constexpr std::string_view kReserved = "000000";

// Borders of a "^" value written as four zero fields: one width for all four sides in
// word 12, or, when that is zero too, half the frame less a pixel on each side.
std::string CaretBorders(std::string_view value, std::string_view sep) {
  std::string borders;
  for (int w = 5; w <= 8; ++w) borders += NthWord(w, value, sep);
  if (borders != "0000000000000000" || value.size() <= 47) return borders;
  std::string common = PadLeftWith('0', NthWord(12, value, sep), 4);
  if (common != "0000") return common + common + common + common;
  TacRect r = ReadOldValueRect(value, 2);
  int64_t frames = rtl::StrToInt(NthWord(9, value, sep));
  int64_t parts = int64_t(rtl::StrToInt(NthWord(10, value, sep))) + 1;
  if (frames == 0 || parts == 0) throw rtl::EConvertError("Division by zero");
  int64_t lr = std::max<int64_t>(0, ((r.Right - r.Left) / frames - 1) / 2);
  int64_t tb = std::max<int64_t>(0, ((r.Bottom - r.Top) / parts - 1) / 2);
  std::string h = PadLeftWith('0', std::to_string(lr), 4), v = PadLeftWith('0', std::to_string(tb), 4);
  return h + v + h + v;
}

}  // namespace

std::string ConvertElementValue(std::string_view value) {
  if (!value.empty() && value[0] == '&') return std::string(value);
  char notation = value.empty() ? '\0' : value[0];
  std::string sep = "!";
  int32_t kind = 1;
  std::string name;
  switch (notation) {
    case '!':
      // Any number the skin writes is accepted; the kind is one digit, so it is held in range.
      kind = std::clamp<int64_t>(rtl::StrToIntDef(NthWord(4, value, sep), 0), 0, kMaxElementKind);
      name = NthWord(1, value, sep);
      break;
    case '^': sep = "^"; kind = 0; break;
    case '@': sep = "@"; kind = 2; break;
    case '~':
      sep = "~";
      kind = 1;
      if (CountWords(value, sep) > 6) name = NthWord(7, value, sep);
      break;
    default:
      notation = '\0';  // a file name, read like a "!" value of kind 1
      name = NthWord(1, value, sep);
      break;
  }
  auto word = [&](int n) { return NthWord(n, value, sep); };
  const std::string k = std::to_string(kind);
  if (value.size() < 4) return "&" + kZeros32 + "30" + k + "01" + std::string(kReserved) + name;

  const int words = CountWords(value, sep);
  if (notation == '^')
    return "&" + word(1) + word(2) + word(3) + word(4) + CaretBorders(value, sep) + word(9) + word(10) + "0" +
           Pad2(word(11)) + std::string(kReserved);
  if (notation == '@')
    return "&" + word(1) + word(2) + word(3) + word(4) + kZeros16 + word(5) + word(6) + "2" + "00" +
           std::string(kReserved);
  if (notation == '~') {
    std::string mask = value.size() >= 25 ? std::string(1, value[24]) : "0";
    return "&" + word(1) + word(2) + word(3) + word(4) + kZeros16 + "1" + mask + "1" + Pad2(word(5)) +
           std::string(kReserved) + name;
  }
  // "!" and plain file names.
  const std::string tail = Pad2(word(9)) + std::string(kReserved) + name;
  switch (kind) {
    case 0:
      return "&" + kZeros16 + word(5) + word(6) + word(7) + word(8) + word(2) + word(3) + k + tail;
    case 3:
      if (words < 5) return "&" + kZeros32 + "10" + "3" + "00" + std::string(kReserved) + name;
      return "&" + kZeros16 + word(5) + word(6) + word(7) + word(8) + word(2) + word(3) + k + tail;
    case 1:
      if (value.find('!') == std::string_view::npos)
        return "&" + kZeros32 + "10" + "1" + "00" + std::string(kReserved) + name;
      return "&" + kZeros32 + word(2) + word(3) + "1" + tail;
    default:  // 2 and 4
      if (words < 5) return "&" + kZeros32 + word(2) + word(3) + k + tail;
      return "&" + word(5) + word(6) + word(7) + word(8) + kZeros16 + word(2) + word(3) + k + tail;
  }
}

int32_t ReadDigits(std::string_view value, size_t position, size_t count) {
  // A field cut short by the end of the value is refused, never read beyond it.
  if (position == 0 || position - 1 + count > value.size()) {
    std::string rest(value.substr(std::min(position > 0 ? position - 1 : 0, value.size())));
    throw rtl::EConvertError(rtl::Format("'%s' is not a valid integer value", rest.c_str()));
  }
  return rtl::StrToInt(value.substr(position - 1, count));
}

TacRect ReadValueRect(std::string_view value, size_t position) {
  return TacRect{ReadDigits(value, position, 4), ReadDigits(value, position + 4, 4),
                 ReadDigits(value, position + 8, 4), ReadDigits(value, position + 12, 4)};
}

TacRect ReadOldValueRect(std::string_view value, size_t position) {
  return TacRect{ReadDigits(value, position, 4), ReadDigits(value, position + 5, 4),
                 ReadDigits(value, position + 10, 4), ReadDigits(value, position + 15, 4)};
}

TacElementValue ReadElementValue(std::string_view v) {
  TacElementValue e;
  e.SrcRect = ReadValueRect(v, 2);
  e.BorderLeft = ReadDigits(v, 18, 4);
  e.BorderTop = ReadDigits(v, 22, 4);
  e.BorderRight = ReadDigits(v, 26, 4);
  e.BorderBottom = ReadDigits(v, 30, 4);
  e.FrameCount = ReadDigits(v, 34, 1);
  e.MaskBlocks = ReadDigits(v, 35, 1);
  e.ElementKind = std::clamp(ReadDigits(v, 36, 1), 0, kMaxElementKind);
  e.PaintFlags = ReadDigits(v, 37, 2);
  if (v.size() >= kElementNameStart) e.FileName = std::string(v.substr(kElementNameStart - 1));
  return e;
}

}  // namespace skin

// The engine's Win32-free utilities: the exact in-memory INI reader the skin text parser
// uses, hexadecimal and number parsing, PPI and scale-step arithmetic, rectangles, words
// and strings, directory names.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/core/sConst.h"

namespace skin {

// ---------------------------------------------------------------- in-memory INI
// One section of INI text: its name as written between the brackets and its raw lines
// (key=value text, unchanged), in file order.
struct TIniSection {
  std::string Name;
  std::vector<std::string> Lines;
};
// The sections own their lines, so reloading or dropping a list frees every nested list.
using TIniSections = std::vector<TIniSection>;

// Replaces sections by the sections of lines: empty lines and lines starting with ";" are
// skipped; "[name]" (first and last character) starts a section; every other line goes
// unchanged into the current section; lines before the first section are dropped.
void ParseIniLines(const std::vector<std::string>& lines, TIniSections& sections);
// Splits text at CR LF, LF or CR into lines.
std::vector<std::string> SplitLines(std::string_view text);
// The first section named section and in it the first line whose text before its first
// "=" is ident (both ignoring case, no trimming); the rest of the line, or def.
std::string IniListReadString(const TIniSections& sections, std::string_view section, std::string_view ident,
                              std::string_view def);
// The same value as an integer: decimal with optional sign, "$" or "0x" hexadecimal; def
// for anything else (and for decimal values outside 32 bits).
int32_t IniListReadInteger(const TIniSections& sections, std::string_view section, std::string_view ident,
                           int32_t def);
// The conversion IniListReadInteger applies to a value's text.
int32_t IniStrToIntDef(std::string_view text, int32_t def);

// ---------------------------------------------------------------- numbers and scaling
// Hexadecimal digits to a number: one final "H" is allowed, any other character gives 0;
// digits beyond the sixteenth push the highest bits out.
uint64_t ParseHex(std::string_view s);
// Value * PPI div 96, truncated toward zero.
int32_t ScaleByPPI(int32_t value, int32_t ppi);
// Step 1 adds a quarter, 2 a half, 3 doubles; other steps keep the value.
int32_t ScaleByStep(int32_t value, int step);
// 0 up to 110 PPI, 1 up to 134, 2 up to 170, else 3.
int ScaleStepOfPPI(int32_t ppi);

// ---------------------------------------------------------------- values and rectangles
bool IsBetween(int32_t value, int32_t low, int32_t high, bool anyOrder);
int32_t ClampInt(int32_t value, int32_t min, int32_t max);
bool IndexInRange(int32_t index, int32_t count, int32_t low = 0);
int32_t RectWidth(const TacRect& r, bool nonNegative = false);
int32_t RectHeight(const TacRect& r, bool nonNegative = false);
// B is not empty and the two overlap; touching edges do not count.
bool RectsOverlap(const TacRect& a, const TacRect& b);
// The area's right and bottom edges count as inside. Entirely: both corners of r inside;
// else r overlaps the area.
bool RectInArea(const TacRect& area, const TacRect& r, bool entirely);
// Max of lefts and tops, min of rights and bottoms; not normalised.
TacRect IntersectRects(const TacRect& a, const TacRect& b);
TacRect MirrorRect(const TacRect& r, int32_t width, int32_t height, bool horizontal);
TacRect MirrorRectIn(const TacRect& r, const TacRect& area, bool horizontal);
TacRect MoveRect(const TacRect& r, int32_t dx, int32_t dy);

// ---------------------------------------------------------------- words and strings
// Words are runs of characters not in delims. Positions are 1-based; 0 when there are
// fewer than n words.
size_t NthWordPos(int n, std::string_view s, std::string_view delims);
std::string NthWord(int n, std::string_view s, std::string_view delims);
int CountWords(std::string_view s, std::string_view delims);
std::string RepeatChar(char ch, int count);
std::string PadLeftWith(char ch, std::string_view s, int width);
std::string RemoveChars(std::string_view s, char ch);
// Every occurrence, left to right; replaced text is not scanned again; an empty pattern
// leaves s unchanged.
std::string ReplaceAll(std::string_view s, std::string_view pattern, std::string_view replacement);

// ---------------------------------------------------------------- files
// "" stays ""; a final "\" stays; a final "/" becomes "\"; a single character is a drive
// letter and gets ":\"; anything else gets "\".
std::string NormalizeDirPath(std::string_view path);

// ---------------------------------------------------------------- published properties
// By name, through the class layer's property registry; an absent property is skipped.
bool HasProp(rtl::TObject* obj, std::string_view name);
rtl::TObject* ReadObjectProp(rtl::TObject* obj, std::string_view name);  // nullptr when absent
int64_t ReadOrdProp(rtl::TObject* obj, std::string_view name);          // -1 when absent
void WriteOrdProp(rtl::TObject* obj, std::string_view name, int64_t value);
// True when one member of the set property is named exactly element.
bool SetPropContains(rtl::TObject* obj, std::string_view name, std::string_view element);
// Adds element to the set (when its text form does not name it yet) or removes it from
// the text form; members are matched by their whole names.
void ChangeSetProp(rtl::TObject* obj, std::string_view name, std::string_view element, bool include);
// The text form after ChangeSetProp's rule; unchanged text means nothing to write.
std::string ChangeSetText(const std::string& text, std::string_view element, bool include);

// ---------------------------------------------------------------- ticks
// Milliseconds still to wait at tick now for a wait of interval milliseconds that began
// at tick start; 0 once it is over. Ticks are those of the 64-bit counter, so a wait that
// runs across the point where the 32-bit count wraps neither ends early nor hangs.
inline uint32_t TicksLeft(uint64_t start, uint32_t interval, uint64_t now) {
  const uint64_t passed = now - start;  // an unsigned difference holds across any wrap
  return passed >= interval ? 0 : static_cast<uint32_t>(interval - passed);
}

// ---------------------------------------------------------------- message boxes
// Kinds and button bits of the engine's message box.
enum TacMsgKind : int { mkWarning = 0, mkError = 1, mkInformation = 2, mkConfirmation = 3, mkCustom = 4 };
enum TacMsgButton : unsigned {
  mbtYes = 1u << 0, mbtNo = 1u << 1, mbtOK = 1u << 2, mbtCancel = 1u << 3, mbtAbort = 1u << 4,
  mbtRetry = 1u << 5, mbtIgnore = 1u << 6, mbtHelp = 1u << 10
};
// The MessageBox style of a kind and a button set: icon, buttons (first match: OK, then
// Abort or Ignore, then Yes or No, then Retry) and the help button.
uint32_t MessageBoxStyle(int kind, unsigned buttons);
// "Warning", "Error", "Information", "Confirm", "" for a custom box.
const char* DefaultMessageCaption(int kind);

// ---------------------------------------------------------------- command line
// True when a parameter, lower-cased, is exactly "/acver".
bool HasVersionSwitch(const std::vector<std::string>& params);
inline constexpr const char* kEngineVersionText = "skin engine v14.27";

// ---------------------------------------------------------------- command records
// Skin commands that carry a pointer are answered only when the pointer names a record its
// sender is passing right now in this thread: a message that another program posts to our
// windows carries numbers, not our objects. A sender holds its record for the send.
class TacCommandRecord {
 public:
  explicit TacCommandRecord(const void* record);
  ~TacCommandRecord();
  TacCommandRecord(const TacCommandRecord&) = delete;
  TacCommandRecord& operator=(const TacCommandRecord&) = delete;

 private:
  const void* record_;
};
// The address is a record held by a sender of this thread (nullptr never is).
bool IsCommandRecord(const void* address);

}  // namespace skin

// A skin parsed for one PPI: section records with their three states, image elements cut
// from the master bitmap or taken from picture files (rescaled to the PPI and shared), and
// the look-ups the painters use by name. Win32-free: pictures are the engine's portable
// 32-bit bitmaps, and picture files reach it through a loader the caller supplies.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/core/sCommonUtils.h"
#include "skin/core/sConst.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acGradient.h"

namespace skin {

// ---------------------------------------------------------------- the options text
// A skin's options text as the engine reads it: section and key names compared exactly
// (case-sensitive), the first section or key of a name wins.
class TacOptionsText {
 public:
  TacOptionsText() = default;
  explicit TacOptionsText(std::string_view text);
  const TIniSections& Sections() const { return sections_; }
  const TIniSection* FindSection(std::string_view name) const;
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def = "") const;
  // Decimal, "$" or "0x" hexadecimal; def when absent or not a number.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  // The key names of a section, in order.
  static std::vector<std::string> Keys(const TIniSection& section);

 private:
  TIniSections sections_;
};

// ---------------------------------------------------------------- records
struct TsGenState {
  int32_t GlowSize = 0;
  int32_t ImagePercent = 0;
  int32_t TextureIndex = -1;
  int32_t Transparency = 0;
  int32_t GradientPercent = 0;
  uint32_t Color = 0xFFFFFF;
  uint32_t GlowColor = 0xFFFFFF;
  uint32_t FontColor = 0;
  int32_t ContourLeft = -1, ContourTop = -1, ContourRight = -1, ContourBottom = -1;
  TsGradArray Gradient;  // every state owns its copy
};
using TsProps = std::array<TsGenState, 3>;

struct TsGeneralData {
  std::string ParentClass;
  std::string SectionName;
  TsProps StateParams;
  bool UseState2 = false;
  bool GiveOwnFont = false;
  bool ShiftClick = false;
  bool ReservedBoolean = false;
  int32_t States = 3;
  int32_t FrameKind = 0;  // -2 no border mask; -1 an edit with one-pixel borders; 0 any other
  int32_t Glow = 0;
  int32_t GlowMargin = 0;
  int32_t BorderIndex = 0;
  std::array<int32_t, 4> CornerImages{-1, -1, -1, -1};
  int32_t OuterMode = 0;
  int32_t OuterIndex = -1;
  int32_t OuterOpacity = 0;
  int32_t OuterOffsetL = 0, OuterOffsetT = 0, OuterOffsetR = 0, OuterOffsetB = 0;
  int32_t OuterBlur = 0;
  int32_t OuterRadius = 0;
  uint32_t OuterColorL = 0, OuterColorT = 0, OuterColorR = 0, OuterColorB = 0;
};

// Paint flags of an element.
inline constexpr int32_t pfNeverRescaled = 8;
inline constexpr int32_t pfAlphaPicture = 0x10;

struct TsMaskData {
  TBitmap32* Image = nullptr;  // a shared image of the skin data; nullptr: a region of the master bitmap
  std::string SectionName;
  std::string KeyName;
  TacRect SrcRect;
  int16_t FrameCount = 1;
  int16_t MaskBlocks = 0;
  int16_t PaintFlags = 0;
  uint8_t ElementKind = 0;
  int16_t BorderLeft = 0, BorderTop = 0, BorderRight = 0, BorderBottom = 0;
  int32_t CornerFlags = 0;
  int32_t TargetPPI = 96;
  int32_t SourcePPI = 96;
  int32_t SectionIndex = -1;
  int32_t FrameWidth = 0;
  int32_t FrameHeight = 0;
};

// A picture shared by the elements that name the same file or the same master region.
struct TacBmpData {
  int32_t PPI = 96;
  int32_t SourcePPI = 96;
  int32_t MaskBlocks = 0;
  std::string Owner;     // section and key of the element that made it, joined by "-"
  std::string FileName;  // upper case; empty for a region of the master bitmap
  std::unique_ptr<TBitmap32> Bitmap;
  TacRect Rect;
  TacRect SourceRect;
};

// What a load reads besides the options text.
struct TacSkinSource {
  TacOptionsText Options;
  const TBitmap32* Master = nullptr;  // the master bitmap, 32-bit; may be missing
  // Loads a picture file of the skin named as in its element value (upper case), as a
  // 32-bit bitmap with fuchsia key pixels where it has no alpha; nullptr when absent.
  std::function<std::unique_ptr<TBitmap32>(const std::string& fileName)> LoadPicture;
  // Palette entries 0 (main colour) and 1 (main font colour) for the built-in sections.
  uint32_t MainColor = 0xFFFFFF;
  uint32_t MainFontColor = 0;
};

class TacSkinData {
 public:
  explicit TacSkinData(int32_t ppi);
  int32_t PPI = 96;
  int32_t Percent = 100;
  int32_t ScaleStep = 0;
  uint8_t TabsCover = 0, RibbonTabsCover = 0;
  std::vector<TacBmpData> SharedImages;
  std::vector<TsMaskData> Masks;
  std::vector<TsGeneralData> Sections;

  int32_t ScaleInt(int32_t value) const { return int32_t(int64_t(value) * PPI / 96); }
};

// ---------------------------------------------------------------- building
// Appends a section; a copy of section copyFrom when it is valid, else a fresh one whose
// three states take the given colours.
int32_t AddSection(TacSkinData& data, std::string_view name, int32_t copyFrom, uint32_t fontColor, uint32_t color,
                   int32_t transparency, int32_t states);
int32_t FindSharedImage(const TacSkinData& data, std::string_view fileName, const TacRect& sourceRect);
void AssignSharedImage(const TacSkinData& data, TsMaskData& element, int32_t index);

// The value of key for the skin data's step, or of the nearest step that has one (larger
// steps first), converted to the canonical element notation; with the PPI it was drawn for.
struct TacScaledValue {
  std::string Value;
  int32_t SourcePPI = 96;
};
TacScaledValue FindScaledValue(const TacSkinData& data, const TacOptionsText& options, std::string_view section,
                               std::string_view key);

// Image elements of every section (before the sections are parsed).
void LoadImageElements(TacSkinData& data, const TacSkinSource& source);
// Rescales an element's picture from its source PPI to the target PPI; false when the
// element is drawn unscaled (same PPI, tiny, or one-pixel borders). Key pixels become
// replacement (alpha 0) before resampling. On success the element's Image is a new picture
// that the caller takes into a shared image.
bool PrepareElementScale(TsMaskData& element, const TBitmap32* master, bool keepKeyColour, TPixel replacement);
// 1 when a corner of any frame holds the fuchsia key colour (2 for the huge button's
// border), else 0.
int32_t GetCornerTransparency(const TsMaskData& element, const TBitmap32* master);

// The section records with inheritance, then the built-in sections.
void ParseSections(TacSkinData& data, const TacSkinSource& source);
// Each section's element indices and each element's frame size.
void ResolveSectionElements(TacSkinData& data);

// ---------------------------------------------------------------- look-ups
int32_t GetSkinIndex(const TacSkinData& data, std::string_view name);
// The element of that name in the section or, failing that, up its PARENTCLASS chain;
// every section is visited at most once, so a cycle ends with -1.
int32_t GetMaskIndex(const TacSkinData& data, int32_t skinIndex, std::string_view imageName);
// A texture (kind 1) of that section name and image name, up the chain likewise.
int32_t GetTextureIndex(const TacSkinData& data, int32_t skinIndex, std::string_view sectionName,
                        std::string_view imageName);
int32_t FindMaskIndex(const TacSkinData& data, std::string_view sectionName, std::string_view imageName);

// Readers of the options text with PARENTCLASS inheritance (each section visited once).
std::optional<std::string> ReadInheritedValue(const TacOptionsText& options, std::string_view section,
                                              std::string_view key, bool skipNegative);
int32_t ReadInheritedInt(const TacOptionsText& options, std::string_view section, std::string_view key,
                         int32_t def, bool raw = false, int32_t limit = -1);
bool ReadInheritedBool(const TacOptionsText& options, std::string_view section, std::string_view key, bool def);
std::string ReadInheritedString(const TacOptionsText& options, std::string_view section, std::string_view key,
                                std::string_view def);

// Windows' MulDiv: a * b / c rounded half away from zero; -1 when c is 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

}  // namespace skin

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

#include "rtl/IniFiles.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sConst.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acGradient.h"

namespace skin {

// ---------------------------------------------------------------- the options text
// A skin's options text as the engine reads it: the class layer's INI store with section
// and key names compared exactly (case-sensitive).
class TacOptionsText : public rtl::TMemIniFile {
 public:
  TacOptionsText() : rtl::TMemIniFile(true) {}
  explicit TacOptionsText(std::string_view text) : TacOptionsText() { SetText(text); }
  // The value when the key is present (even empty), else nothing.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
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

// A frequently used section with its element indices.
struct TacConstElementData {
  int32_t Section = -1;
  int32_t BorderMask = -1;
  int32_t GlyphMask = -1;
  int32_t Texture = -1;
  int32_t HotTexture = -1;
  std::string FoundName;
};

struct TrackBarElemData {
  int32_t Section = -1, BorderMask = -1, SliderMask = -1, Texture = -1, HotTexture = -1;
  int32_t TickMask = -1, ProgressMask = -1, ChannelMask = -1;
};

// Outer effects of the skin: entry 0 the light outline, entry 1 the shadow.
struct TacOuterEffect {
  uint32_t ColorL = 0, ColorT = 0, ColorR = 0, ColorB = 0;
  int32_t OffsetL = 0, OffsetT = 0, OffsetR = 0, OffsetB = 0;
  int32_t WidthL = -1, WidthT = -1, WidthR = -1, WidthB = -1;
  int32_t Blur = 0;
  int32_t Radius = 0;
  int32_t EffectMask = -1;
  int32_t Source = 0;  // 0 none, 1 an element of the options text, 2 generated
  int32_t Opacity = 0;
};

// The standard sections the painters use by index.
inline constexpr int kStandardSectionCount = 53;
extern const std::array<std::string_view, kStandardSectionCount> StandardSectionNames;
inline constexpr int kTitleButtonImages = 13;

struct TacSkinColors;

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
  // The light outline's colours pass through these (nullptr: the system's answers).
  const TacSkinColors* Colors = nullptr;
  // The manager's common sections: INI text whose sections are added to every skin that
  // lacks them (names compared exactly), taking defaults from a parent named in any case.
  std::string CommonSections;
  // The manager draws extended borders (form shadows) with this skin.
  bool ExtendedBorders = false;
  // The system's sizing-frame width, the default of the form offset.
  int32_t SystemFrameWidth = 4;
};

class TacSkinData {
 public:
  explicit TacSkinData(int32_t ppi);
  int32_t PPI = 96;
  int32_t Percent = 100;
  int32_t ScaleStep = 0;
  uint8_t TabsCover = 0, RibbonTabsCover = 0;

  // Skin-wide metrics (scaled to the PPI).
  int32_t Shadow1Blur = 0, Shadow1Offset = 0, Shadow1Transparency = 0;
  int32_t BorderWidth = 0, TitleHeight = 0, MaxTitleHeight = 0, FormOffset = 0, CenterOffset = 0;
  int32_t AlignOffsetL = 0, AlignOffsetR = 0, AlignOffsetT = 0, AlignOffsetB = 0;
  int32_t TitleBtnRight = 0, TitleBtnLeft = 0, TitleBtnTop = 0, TitleBtnSpace = 0;
  int32_t WndShadowRadius = 0, WndShadowSize = 0, WndShadowOffset = 0;
  uint32_t WndShadowColorInactive = 0, WndShadowColorActive = 0;
  int32_t BorderMode = 0, ComboMrg = 0, SliderMrg = 0;
  std::array<TacOuterEffect, 2> OuterEffects{};

  // Standard sections and pre-computed element indices.
  int32_t GlobalInfoIndex = -1;
  std::array<int32_t, kStandardSectionCount> StandardSections{};
  std::array<TacConstElementData, 4> ScrollBarElems, ScrollBtnElems, UpDownElems;
  std::array<TacConstElementData, 2> SliderElems;
  TacConstElementData MenuItemElem, ComboBtnElem;
  std::array<TacIntArray, 5> TitleBtnGlows;
  std::array<int32_t, 5> TitleBtnGlowMargins{};
  std::array<int32_t, kTitleButtonImages> TitleBtnImages{};
  std::array<int32_t, 2> RadioImages{};
  std::array<int32_t, 3> CheckImages{}, SmallCheckImages{};
  std::array<TrackBarElemData, 2> TrackBarElems;
  std::array<std::array<TacConstElementData, 4>, 4> TabElems;  // first, last, middle, single
  int32_t ExtBorderImage = -1, GripVertImage = -1, GripHorzImage = -1, GripImage = -1;

  // Window shadows (made on first use) and the form-shadow pictures with their margins.
  std::unique_ptr<TBitmap32> ActiveShadow, InactiveShadow;
  std::unique_ptr<TBitmap32> FormShadowActive, FormShadowInactive;
  TacRect FormShadowMargins;

  std::vector<TacBmpData> SharedImages;
  std::vector<TsMaskData> Masks;
  std::vector<TsGeneralData> Sections;

  // Value x PPI div 96, held within 32 bits (values come from the skin text unbounded).
  int32_t ScaleInt(int32_t value) const;
  const TBitmap32& GetActiveShadowBmp();
  const TBitmap32& GetNormalShadowBmp();
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

// The section records with inheritance, the built-in sections, then ReadCommonMetrics.
void ParseSections(TacSkinData& data, const TacSkinSource& source);
// Each section's element indices and each element's frame size.
void ResolveSectionElements(TacSkinData& data);

// A "GLOBALINFO" integer for the data's step: its own variant, else the plain key scaled
// (ScaleByElement: scaled from the PPI of element maskIndex's picture when it has one).
int32_t ReadScaledGlobal(const TacSkinData& data, const TacOptionsText& options, std::string_view name,
                         int32_t def, int32_t maskIndex, bool scaleByElement);
// The picture element of a skin-wide outer effect: an image of the options text (source 1,
// taken as written) or a generated shadow with its colour block (source 2, shared as
// "OuterCalc"); then the effect's widths are scaled.
void ReadOuterEffectMask(TacSkinData& data, const TacSkinSource& source, TacOuterEffect& effect,
                         std::string_view keyName);
// The skin-wide metrics and the values of the two outer effects with their pictures.
void ReadCommonMetrics(TacSkinData& data, const TacSkinSource& source);
// The standard section indices (adding the sections that fall back on others) and the
// element indices the painters use.
void ResolveStandardElements(TacSkinData& data);
void ReadTitleMetrics(TacSkinData& data, const TacSkinSource& source);

// The form-shadow pictures and margins: from the skin's extended-border element, else from
// the window shadows; none without extended borders.
void PrepareFormShadow(TacSkinData& data, const TacSkinSource& source);

// A whole load into empty skin data, in order: image elements, sections with the skin-wide
// metrics, standard sections, section elements, title metrics, form shadow.
void LoadSkinData(TacSkinData& data, const TacSkinSource& source);

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

// The colour part of a generated outer element in rect: all of it in colour a when c3 is
// clFuchsia; otherwise the top half c3, the bottom half c1, and triangles from the left edge
// (a) and the right edge (c2) to the middle.
void DrawElementMask(TBitmap32& bitmap, const TacRect& rect, uint32_t a, uint32_t c1, uint32_t c2, uint32_t c3);
// For a section with outer mode 3 or 4 and no outer image: a shadow element made from the
// section's outer values, registered as shared image "Outer" + its index.
int32_t MakeOuterElement(TacSkinData& data, int32_t sectionIndex);

// Windows' MulDiv: a * b / c rounded half away from zero; -1 when c is 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

}  // namespace skin

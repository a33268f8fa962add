// The engine's shared enumerations, global settings, scale-step tables, class-name lists
// and standard element names. Win32-free: the tables are read by the skin parsing code
// that also builds natively.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "rtl/Classes.h"

namespace skin {

enum class TacOuterVisibility : uint8_t { ovNone, ovAlways };
enum class TacAnimType : uint8_t { atFading, atAero, atDropDown };
enum class TacBtnEvent : uint8_t { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
using TacBtnEvents = unsigned;  // bit (1 << TacBtnEvent)
enum class TacScaleMode : uint8_t { sm100, sm125, sm150, sm200, smAuto, smOldMode, smVCL, smCustomPPI };
// The ordinals are the ShowWindow command codes.
enum class TsWindowShowMode : uint8_t {
  soHide, soNormal, soShowMinimized, soMaximize, soShowNoActivate, soShow,
  soMinimize, soShowMinNoActive, soShowNA, soRestore, soDefault
};
enum class TacOptimizingPriority : uint8_t { opSpeed, opMemory };
enum class TacArrowsStyle : uint8_t { arsSolid1, arsLines1, arsSolid2, arsLines2, arsDefault };

struct TacRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TacRect&, const TacRect&) = default;
};
using TacIntArray = std::vector<int32_t>;
using TRects = std::vector<TacRect>;

// ---------------------------------------------------------------- scale steps
// A scale step is 0..3; these tables are indexed by it.
inline constexpr int kScaleStepCount = 4;
inline constexpr std::array<int, kScaleStepCount> ScalePPI{96, 120, 144, 192};
// Appended to a skin key to find the variant drawn for a step.
inline constexpr std::array<std::string_view, kScaleStepCount> ScaleSuffix{"", "*125", "*150", "*200"};

// ---------------------------------------------------------------- global settings
// Process-wide; set at start-up and read by the painters and hooks.
struct TacGlobals {
  // The Windows major version, or 8 for 6.2 and for anything above 6.
  int32_t WinVersionFlag = 0;
  int32_t HScrollBtnWidth = 16;
  int32_t DefArrowSize = 5;
  int32_t DefArrowLineWidth = 2;
  int32_t SkipSkinTag = 256;
  TacScaleMode GlobalScaleMode = TacScaleMode::smVCL;
  uint8_t MaxSkinnedDialogs = 2;
  bool Wow64NoComposition = false;
  uint32_t TransparentColor = 0x00FF00FF;  // clFuchsia
};
TacGlobals& Globals();

// The flag for a Windows version: 6.0, 6.1 and 6.3 give 6; 6.2 and every major above 6 give 8.
int32_t WinVersionFlagOf(uint32_t major, uint32_t minor);
// A control or form whose Tag holds every bit of SkipSkinTag is left unskinned.
bool IsSkipSkinTag(int64_t tag);

// ---------------------------------------------------------------- class-name lists
// The default classes of each kind of control the engine can hook, CR LF separated;
// " " is an empty list.
inline constexpr int kThirdPartyKinds = 23;
extern const std::array<std::string_view, kThirdPartyKinds> ThirdPartyPropNames;
extern const std::array<std::string_view, kThirdPartyKinds> ThirdPartyDefaultLists;

// ---------------------------------------------------------------- element names
extern const std::array<std::string_view, 16> TabElementNames;
extern const std::array<std::string_view, 4> ScrollBtnElementNames;
extern const std::array<std::string_view, 4> ScrollBarElementNames;
extern const std::array<std::string_view, 4> UpDownElementNames;
extern const std::array<std::string_view, 2> SliderElementNames;
extern const std::array<std::string_view, 2> RadioElementNames;
extern const std::array<std::string_view, 3> CheckBoxElementNames;
extern const std::array<std::string_view, 3> SmallCheckElementNames;

// ---------------------------------------------------------------- base classes
// The plain base of the engine's data objects.
class TacObject : public rtl::TObject {
  KORVAN_CLASS(TacObject)
};

// The index of a skin's preview picture, attached to each listed skin name.
class TacItemDrawData : public TacObject {
  KORVAN_CLASS(TacItemDrawData)
 public:
  int32_t ImageIndex = 0;
};

}  // namespace skin

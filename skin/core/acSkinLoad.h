// What the skin manager decides without Win32 while it loads a skin: where the skin
// directory is, which files a skin list shows, the skin's common information and version
// check, its palette, and the scale steps and PPI it paints with. The manager
// (sSkinManager) does the files, the messages and the windows around these rules.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/core/acSkinColors.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sConst.h"

namespace skin {

// ---------------------------------------------------------------- directories and names
// The skin directory made absolute against the program's folder (exeFolder ends with "\"):
// "..\X" one level above it, ".\X" and "./X" inside it, "." the folder itself, a name
// without a drive colon or a leading "\\" inside it; anything else as written. The result
// ends with "\".
std::string ResolveSkinDirectory(std::string_view skinDirectory, std::string_view exeFolder);
// The packed file of a skin: in the resolved directory, as the folder skin and the skin
// list look.
std::string PackedSkinFileName(std::string_view resolvedDirectory, std::string_view skinName);
// A skin name longer than four characters that ends in ".asz" (any case) loses the ending.
std::string StripSkinSuffix(std::string_view skinName);
// The files a font entry of a folder skin may name, in the order they are tried: a
// relative value inside the skin folder first, then as written.
std::vector<std::string> FontFileCandidates(std::string_view value, std::string_view skinFolder);

// The skin list: a file entry is listed when it is no directory, does not start with "."
// and ends in ".asz" exactly (case-sensitive); its listed name loses the first ".asz"
// found in any case.
bool IsListedSkinFile(std::string_view fileName, bool isDirectory);
std::string ListedSkinName(std::string_view fileName);

// ---------------------------------------------------------------- common information
struct TacSkinCommonInfo {
  bool Loaded = false;  // a skin with at least one section is loaded
  bool AeroBlur = false;
  double Version = 0;
  std::string Author, SkinFolder, MainFont, Description;
  uint32_t ShadowColor = 0;
  uint32_t InactiveBorderColor = 0;
  uint8_t ArrowStyle = 0;
  int32_t TitleIconAlign = 0;
  int32_t KeepHue = 0;
  int32_t BrightMin = -50, BrightMax = 50;
};

// GLOBALINFO "VERSION" with "." as decimal separator; 0 when absent or no number.
double ReadSkinVersion(const TacOptionsText& options);
// The GLOBALINFO values of the common information (the skin folder and the loaded flag
// are the manager's).
void ReadCommonInfo(const TacOptionsText& options, TacSkinCommonInfo& info);
// The manager's SkinInfo: the version in its shortest text, "N/A" without a skin.
std::string SkinInfoText(bool skinLoaded, double version);

enum class TacVersionNotice { vnNone, vnOldSkin, vnNewerSkin };
// Below 10.26 only a designer is told; above 14.99 everybody, unless the first parameter
// is exactly "/acpreview". The load goes on in every case.
TacVersionNotice CheckSkinVersion(double version, bool designing, const std::vector<std::string>& params);
std::string OldSkinMessage(std::string_view skinName);
extern const char* const SNewerSkinVersion;
// Shown when a packed file holds no options text.
std::string InternalFormatErrorMessage(std::string_view skinName);

// ---------------------------------------------------------------- palette
// The 60 colours of a skin from its GLOBALINFO keys and its EDIT, HINT, SELECTION and
// MENUITEM sections of the 96-PPI data (nullptr: none of them). System colours are
// resolved through the pixel core's ColorToRGB. The keys read as 64-bit numbers raise the
// conversion error for a value that is no number.
void ReadPalette(const TacOptionsText& options, const TacSkinData* data96, TacPalette& palette);
// Palette entries 0 and 1 alone, which the parse of the sections needs before the rest.
uint32_t ReadMainColor(const TacOptionsText& options);
uint32_t ReadMainFontColor(const TacOptionsText& options);

// ---------------------------------------------------------------- scale steps and PPI
inline constexpr std::array<int, kScaleStepCount> ScalePercent{100, 125, 150, 200};
inline constexpr int32_t kMinCustomPPI = 48, kMaxCustomPPI = 384;

// What the scale rules read of a manager.
struct TacScaleState {
  TacScaleMode Mode = TacScaleMode::smVCL;
  int32_t PixelsPerInch = 96;  // Options.PixelsPerInch
  int SystemStep = 0;          // the main form's step when the manager was made
  bool Designing = false;
};

// The step a manager paints with outside smVCL: 0 while designed and in smOldMode and
// smVCL; the system step in smAuto; the fixed step in sm100..sm200; in smCustomPPI the step
// of its PPI, so that every answer indexes the step tables.
int GetScaleStep(const TacScaleState& s);
// Value scaled for the mode: by the custom PPI, unchanged in smOldMode, else by the step
// (the mode's step when step is -1).
int32_t ScaleInt(const TacScaleState& s, int32_t value, int step = -1);
// The PPI a manager with a skin paints with; nothing in smVCL (each control's own).
std::optional<int32_t> ManagerSkinPPI(const TacScaleState& s);
// The entry of the per-step skin data that serves a PPI.
int SkinDataStep(const TacScaleState& s, int32_t ppi);
// The PPIs whose skin data a load makes: 96 and the main form's in smVCL, the custom PPI,
// or the PPI of the mode's step.
std::vector<int32_t> SkinDataPPIs(const TacScaleState& s, int32_t mainFormPPI);
// The scroll-bar width at a PPI: a set ScrollSize scaled, else the system's width by mode.
int32_t ScrollBarWidth(const TacScaleState& s, int32_t scrollSize, int32_t ppi, int32_t systemWidth,
                       int32_t screenPPI);

// Handed to OnScaleModeChange.
struct TScaleChangeData {
  TacScaleMode OldMode = TacScaleMode::smVCL, NewMode = TacScaleMode::smVCL;
  int32_t OldPercent = 100, NewPercent = 100, OldPPI = 96, NewPPI = 96;
};
struct TacScalePlan {
  TScaleChangeData Data;
  bool Shrinking = false;
  // smVCL from a fixed step passes through smCustomPPI at the main form's PPI first.
  bool ThroughCustomPPI = false;
  int32_t PixelsPerInch = 96;  // Options.PixelsPerInch after the change
};
// The figures of a change of mode or custom PPI (mainFormPPI: the main form's monitor PPI).
TacScalePlan PlanScaleChange(const TacScaleState& s, TacScaleMode oldMode, TacScaleMode newMode, int32_t newPPI,
                             int32_t oldPPI, int32_t mainFormPPI);

}  // namespace skin

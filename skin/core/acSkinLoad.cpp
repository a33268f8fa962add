#include "skin/core/acSkinLoad.h"

#include <algorithm>

#include "rtl/SysUtils.h"
#include "skin/core/sCommonUtils.h"
#include "skin/graphics/acBitmap32.h"

namespace skin {

namespace {

constexpr std::string_view kGlobalInfo = "GLOBALINFO";
constexpr std::string_view kPackedExt = ".asz";

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// A relative value names a file inside the skin folder; a drive, a share or a root does not.
bool IsAbsolutePath(std::string_view p) {
  return p.find(':') != std::string_view::npos || StartsWith(p, "\\") || StartsWith(p, "/");
}

}  // namespace

// ---------------------------------------------------------------- directories and names

std::string ResolveSkinDirectory(std::string_view dir, std::string_view exe) {
  std::string r;
  if (StartsWith(dir, "..")) {
    // One level up: the program's folder without its final separator, cut back to the
    // separator before it.
    std::string parent(exe);
    if (!parent.empty()) parent.pop_back();
    while (!parent.empty() && parent.back() != '\\' && parent.back() != '/') parent.pop_back();
    r = parent + std::string(dir.size() > 3 ? dir.substr(3) : std::string_view{});
  } else if (StartsWith(dir, ".\\") || StartsWith(dir, "./")) {
    r = std::string(exe) + std::string(dir.substr(2));
  } else if (dir == ".") {
    r = std::string(exe);
  } else if (dir.find(':') == std::string_view::npos && dir.find("\\\\") == std::string_view::npos) {
    r = std::string(exe) + std::string(dir);
  } else {
    r = std::string(dir);
  }
  return NormalizeDirPath(r);
}

std::string PackedSkinFileName(std::string_view resolvedDirectory, std::string_view skinName) {
  return NormalizeDirPath(resolvedDirectory) + std::string(skinName) + std::string(kPackedExt);
}

std::string StripSkinSuffix(std::string_view name) {
  if (name.size() > kPackedExt.size() && rtl::SameText(name.substr(name.size() - kPackedExt.size()), kPackedExt))
    return std::string(name.substr(0, name.size() - kPackedExt.size()));
  return std::string(name);
}

std::vector<std::string> FontFileCandidates(std::string_view value, std::string_view skinFolder) {
  std::vector<std::string> files;
  if (value.empty()) return files;
  if (!IsAbsolutePath(value) && !skinFolder.empty()) files.push_back(NormalizeDirPath(skinFolder) + std::string(value));
  files.emplace_back(value);
  return files;
}

bool IsListedSkinFile(std::string_view fileName, bool isDirectory) {
  if (isDirectory || fileName.empty() || fileName[0] == '.') return false;
  const size_t dot = fileName.rfind('.');
  return dot != std::string_view::npos && fileName.substr(dot) == kPackedExt;
}

std::string ListedSkinName(std::string_view fileName) {
  const std::string upper = rtl::UpperCase(fileName);
  const size_t at = upper.find(rtl::UpperCase(kPackedExt));
  std::string name(fileName);
  if (at != std::string::npos) name.erase(at, kPackedExt.size());
  return name;
}

// ---------------------------------------------------------------- common information

double ReadSkinVersion(const TacOptionsText& o) {
  const std::string text = o.ReadString(kGlobalInfo, "VERSION", "");
  if (text.empty()) return 0;
  try {
    return rtl::StrToFloat(text);
  } catch (const rtl::EConvertError&) {
    return 0;
  }
}

void ReadCommonInfo(const TacOptionsText& o, TacSkinCommonInfo& info) {
  info.Author = o.ReadString(kGlobalInfo, "AUTHOR", "");
  info.Description = o.ReadString(kGlobalInfo, "DESCRIPTION", "");
  info.MainFont = o.ReadString(kGlobalInfo, "MainFont", "");
  info.AeroBlur = o.ReadInteger(kGlobalInfo, "AEROBLUR", 0) != 0;
  info.BrightMin = o.ReadInteger(kGlobalInfo, "BRIGHTMIN", -50);
  info.BrightMax = o.ReadInteger(kGlobalInfo, "BRIGHTMAX", 50);
  info.TitleIconAlign = o.ReadInteger(kGlobalInfo, "BIVALIGN", 0);
  info.KeepHue = o.ReadInteger(kGlobalInfo, "BIKEEPHUE", 0);
  info.ShadowColor = uint32_t(o.ReadInteger(kGlobalInfo, "SHADOW1COLOR", 0));
  info.ArrowStyle = uint8_t(o.ReadInteger(kGlobalInfo, "ARROWSTYLE", 0));
  info.Version = ReadSkinVersion(o);
}

std::string SkinInfoText(bool skinLoaded, double version) {
  return skinLoaded ? rtl::FloatToStr(version) : std::string("N/A");
}

TacVersionNotice CheckSkinVersion(double version, bool designing, const std::vector<std::string>& params) {
  if (version < 10.26) return designing ? TacVersionNotice::vnOldSkin : TacVersionNotice::vnNone;
  if (version > 14.99) {
    if (!params.empty() && params[0] == "/acpreview") return TacVersionNotice::vnNone;
    return TacVersionNotice::vnNewerSkin;
  }
  return TacVersionNotice::vnNone;
}

std::string OldSkinMessage(std::string_view skinName) {
  return "You are using an old version of the \"" + std::string(skinName) + "\" skin. " +
         "Please, update skins to latest or contact the skin engine support for upgrading of existing skin." +
         "\r\n\r\n" +
         "This notification occurs in design-time only for your information and will not be shown in real-time.";
}

const char* const SNewerSkinVersion =
    "This version of the skin has not complete support by used skin engine package release.\r\n"
    "Components must be updated to latest version for using this skin.";

std::string InternalFormatErrorMessage(std::string_view skinName) {
  return "Internal format error in the \"" + std::string(skinName) +
         "\" skin. Please, update this skin to latest version.";
}

// ---------------------------------------------------------------- palette

namespace {

// System colours the palette falls back on (the class library's codes).
constexpr uint32_t clSysWindow = 0xFF000005, clSysWindowText = 0xFF000008, clSysHighlight = 0xFF00000D,
                   clSysHighlightText = 0xFF00000E, clSysBtnFace = 0xFF00000F, clSysInfoText = 0xFF000017,
                   clSysInfoBk = 0xFF000018;
constexpr uint32_t kNone = 0xFFFFFFFF;  // -1: the section gives no colour

uint32_t Int(const TacOptionsText& o, std::string_view key, uint32_t def) {
  return uint32_t(o.ReadInteger(kGlobalInfo, key, int32_t(def)));
}

// A colour with an alpha byte above 0x7F does not fit a 32-bit integer's text: these keys
// are read as 64-bit numbers and their low 32 bits kept.
uint32_t Int64Low(const TacOptionsText& o, std::string_view key, uint32_t def) {
  std::optional<std::string> v = o.Read(kGlobalInfo, key);
  if (!v) return def;
  std::string text = *v;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
  return uint32_t(uint64_t(rtl::StrToInt64(text)));
}

const TsGeneralData* Section(const TacSkinData* d, std::string_view name) {
  if (!d) return nullptr;
  const int32_t i = GetSkinIndex(*d, name);
  return i >= 0 ? &d->Sections[size_t(i)] : nullptr;
}

}  // namespace

uint32_t ReadMainColor(const TacOptionsText& o) { return Int(o, "COLOR", ColorToRGB(clSysBtnFace)); }
uint32_t ReadMainFontColor(const TacOptionsText& o) { return Int(o, "FONTCOLOR", 0); }

void ReadPalette(const TacOptionsText& o, const TacSkinData* data96, TacPalette& p) {
  p.fill(0);
  p[0] = ReadMainColor(o);
  p[1] = ReadMainFontColor(o);
  p[2] = Int(o, "TCBOTTOM", ColorToRGB(0xFF0000));  // clBlue
  p[3] = Int(o, "TCTOP", ColorToRGB(0x0000FF));     // clRed
  p[55] = Int(o, "BORDERCOLOR", 0);
  if (const TsGeneralData* edit = Section(data96, "EDIT")) {
    p[4] = ColorToRGB(edit->StateParams[0].FontColor);
    p[5] = ColorToRGB(edit->StateParams[0].Color);
  } else {
    p[4] = ColorToRGB(clSysWindowText);
    p[5] = ColorToRGB(clSysWindow);
  }
  if (const TsGeneralData* hint = Section(data96, "HINT")) {
    p[58] = ColorToRGB(hint->StateParams[0].FontColor);
    p[57] = ColorToRGB(hint->StateParams[0].Color);
  } else {
    p[58] = ColorToRGB(clSysInfoText);
    p[57] = ColorToRGB(clSysInfoBk);
  }

  // Selection: the section's own values as stored; its second state when it has one.
  if (const TsGeneralData* sel = Section(data96, "SELECTION")) {
    const TsGenState& n = sel->StateParams[0];
    const TsGenState& h = sel->States > 1 ? sel->StateParams[1] : n;
    p[6] = n.Color;
    p[7] = n.FontColor;
    p[8] = h.Color;
    p[9] = h.FontColor;
  } else {
    p[6] = p[7] = p[8] = p[9] = kNone;
  }
  if (p[7] == kNone || p[7] == clFuchsia) {
    if (const TsGeneralData* item = Section(data96, "MENUITEM")) {
      const TsGenState& h = item->StateParams[1];
      p[7] = h.FontColor;
      p[6] = h.Color;
      p[8] = h.Color;
      // The entry is painted as a colour: a system colour is resolved like every other.
      p[7] = (p[7] == kNone || p[7] == clFuchsia) ? ColorToRGB(clSysHighlightText) : ColorToRGB(p[7]);
      p[9] = p[7];
    } else {
      p[9] = p[7] = ColorToRGB(clSysHighlightText);
      p[6] = p[8] = ColorToRGB(clSysHighlight);
    }
  }

  p[14] = Int(o, "EDITTEXT_OK", 0x404000);
  p[15] = Int(o, "EDITTEXT_WARN", 0x004C4C);
  p[16] = p[17] = p[18] = Int(o, "EDITTEXT_ALERT", 0x00006C);
  p[19] = Int(o, "EDITBG_OK", 0xC9FFD2);
  p[20] = Int(o, "EDITBG_WARN", 0xBAFFFF);
  p[21] = p[22] = p[23] = Int(o, "EDITBG_ALERT", 0xDBDBFF);
  p[24] = Int(o, "EDITTEXT_H1", 0);
  p[25] = Int(o, "EDITTEXT_H2", 0);
  p[26] = Int(o, "EDITTEXT_H3", 0);
  p[11] = Int(o, "EDITTEXT_INV", p[5]);
  p[10] = Int(o, "EDITBG_INV", p[4]);
  p[12] = Int(o, "EDITBG_ODD", p[5]);
  p[13] = Int(o, "EDITBG_EVEN", MixColors(p[4], p[5], 13));

  constexpr uint32_t kOpaque = 0xFF000000;
  p[27] = Int64Low(o, "BTNCOLOR1ACTIVE", MixColors(p[0], 0xFFFFFF, 177) | kOpaque);
  p[28] = Int64Low(o, "BTNCOLOR2ACTIVE", p[0] | kOpaque);
  p[29] = Int(o, "BTNBORDERACTIVE", p[55]);
  p[30] = Int(o, "BTNFONTACTIVE", p[1]);
  p[31] = Int64Low(o, "BTNCOLOR1NORMAL", p[0] | kOpaque);
  p[32] = Int64Low(o, "BTNCOLOR2NORMAL", MixColors(p[0], 0, 244) | kOpaque);
  p[33] = Int(o, "BTNBORDERNORMAL", p[55]);
  p[34] = Int(o, "BTNFONTNORMAL", p[1]);
  p[35] = Int64Low(o, "BTNCOLOR1PRESSED", MixColors(p[0], 0, 233) | kOpaque);
  p[36] = Int64Low(o, "BTNCOLOR2PRESSED", MixColors(p[0], 0, 233) | kOpaque);
  p[37] = Int(o, "BTNBORDERPRESSED", p[55]);
  p[38] = Int(o, "BTNFONTPRESSED", p[1]);

  struct Tone {
    const char *Key, *ActiveKey, *Text, *TextActive;
    uint32_t Def, TextDef;
  };
  static const Tone tones[4] = {
      {"COLORTONERED", "COLORTONEREDACTIVE", "COLORTONEREDTEXT", "COLORTONEREDTEXTACTIVE", 0xD5D5FF, 0x0000B4},
      {"COLORTONEGREEN", "COLORTONEGREENACTIVE", "COLORTONEGREENTEXT", "COLORTONEGREENTEXTACTIVE", 0xE1FFD2,
       0x28851A},
      {"COLORTONEBLUE", "COLORTONEBLUEACTIVE", "COLORTONEBLUETEXT", "COLORTONEBLUETEXTActive", 0xFFEDC9, 0xAE7400},
      {"COLORTONEYELLOW", "COLORTONEYELLOWACTIVE", "COLORTONEYELLOWTEXT", "COLORTONEYELLOWTEXTActive", 0xCAF3FF,
       0x00A5D7},
  };
  for (size_t i = 0; i < 4; ++i) {
    const size_t c = 39 + 2 * i, t = 47 + 2 * i;
    p[c] = Int(o, tones[i].Key, tones[i].Def);
    p[c + 1] = Int(o, tones[i].ActiveKey, p[c]);
    p[t] = Int(o, tones[i].Text, tones[i].TextDef);
    p[t + 1] = Int(o, tones[i].TextActive, p[t]);
  }
  p[56] = Int(o, "GRIDLINE", kNone);
  if (p[56] == kNone) p[56] = MixColors(p[4], p[5], 30);
}

// ---------------------------------------------------------------- scale steps and PPI

int GetScaleStep(const TacScaleState& s) {
  if (s.Designing) return 0;
  switch (s.Mode) {
    case TacScaleMode::sm100: return 0;
    case TacScaleMode::sm125: return 1;
    case TacScaleMode::sm150: return 2;
    case TacScaleMode::sm200: return 3;
    case TacScaleMode::smAuto: return std::clamp(s.SystemStep, 0, kScaleStepCount - 1);
    // A custom PPI has no step of its own: the step of its PPI keeps the tables in range.
    case TacScaleMode::smCustomPPI: return ScaleStepOfPPI(s.PixelsPerInch);
    default: return 0;
  }
}

int32_t ScaleInt(const TacScaleState& s, int32_t value, int step) {
  if (s.Mode == TacScaleMode::smCustomPPI) return int32_t(int64_t(value) * s.PixelsPerInch / 96);
  if (s.Mode == TacScaleMode::smOldMode) return ScaleByStep(value, 0);
  return ScaleByStep(value, step == -1 ? GetScaleStep(s) : step);
}

std::optional<int32_t> ManagerSkinPPI(const TacScaleState& s) {
  if (s.Designing) return 96;
  if (s.Mode == TacScaleMode::smCustomPPI) return s.PixelsPerInch;
  if (s.Mode == TacScaleMode::smVCL) return std::nullopt;
  return ScalePPI[size_t(GetScaleStep(s))];
}

int SkinDataStep(const TacScaleState& s, int32_t ppi) {
  return s.Mode == TacScaleMode::smVCL && !s.Designing ? ScaleStepOfPPI(ppi) : 0;
}

std::vector<int32_t> SkinDataPPIs(const TacScaleState& s, int32_t mainFormPPI) {
  switch (s.Mode) {
    case TacScaleMode::smVCL:
      if (mainFormPPI != 96) return {96, mainFormPPI};
      return {96};
    case TacScaleMode::smCustomPPI: return {s.PixelsPerInch};
    default: return {ScalePPI[size_t(GetScaleStep(s))]};
  }
}

int32_t ScrollBarWidth(const TacScaleState& s, int32_t scrollSize, int32_t ppi, int32_t w, int32_t screenPPI) {
  if (scrollSize >= 0) return int32_t(int64_t(scrollSize) * ppi / 96);
  const int system = std::clamp(s.SystemStep, 0, kScaleStepCount - 1);
  switch (s.Mode) {
    case TacScaleMode::smAuto:
    case TacScaleMode::smOldMode: return w;
    case TacScaleMode::smVCL: return MulDiv(w, ppi, screenPPI);
    case TacScaleMode::smCustomPPI: return MulDiv(w, s.PixelsPerInch, ScalePPI[size_t(system)]);
    default: return MulDiv(w, ScalePercent[size_t(GetScaleStep(s))], ScalePercent[size_t(system)]);
  }
}

TacScalePlan PlanScaleChange(const TacScaleState& s, TacScaleMode oldMode, TacScaleMode newMode, int32_t newPPI,
                             int32_t oldPPI, int32_t mainFormPPI) {
  using M = TacScaleMode;
  TacScalePlan plan;
  plan.PixelsPerInch = s.PixelsPerInch;
  const int system = std::clamp(s.SystemStep, 0, kScaleStepCount - 1);
  const int32_t mainPercent = ScalePercent[size_t(ScaleStepOfPPI(mainFormPPI))];
  int32_t oldPercent = 100, newPercent = 100;
  if (newMode == M::smCustomPPI) {
    if (oldMode == M::smCustomPPI) {
      oldPPI = s.PixelsPerInch;
      if (newPPI != 0)
        plan.PixelsPerInch = newPPI;
      else
        newPPI = oldPPI;
      newPercent = newPPI * 100 / 96;
      oldPercent = oldPPI * 100 / 96;
    } else {
      oldPercent = oldMode == M::smVCL ? mainPercent : ScalePercent[size_t(GetScaleStep(s))];
      newPPI = s.PixelsPerInch;
      newPercent = newPPI * 100 / 96;
      oldPPI = oldPercent * 96 / 100;
    }
  } else {
    oldPercent = s.Mode == M::smVCL         ? mainPercent
                 : s.Mode == M::smCustomPPI ? s.PixelsPerInch * 100 / 96
                                            : ScalePercent[size_t(GetScaleStep(s))];
    switch (newMode) {
      case M::smAuto:
        newPercent = ScalePercent[size_t(system)];
        newPPI = ScalePPI[size_t(system)];
        break;
      case M::smOldMode:
        newPercent = 100;
        newPPI = 96;
        break;
      case M::smVCL:
        if (s.Mode == M::sm100 || s.Mode == M::sm125 || s.Mode == M::sm150 || s.Mode == M::sm200) {
          plan.PixelsPerInch = mainFormPPI;
          plan.ThroughCustomPPI = true;
        } else if (s.Mode == M::smCustomPPI) {
          plan.PixelsPerInch = mainFormPPI;
        }
        newPercent = ScalePercent[size_t(system)];
        break;
      default: {
        const size_t step = size_t(newMode);  // sm100..sm200 are steps 0..3
        newPercent = ScalePercent[step];
        newPPI = ScalePPI[step];
      }
    }
  }
  plan.Shrinking = newPercent < oldPercent;
  plan.Data = TScaleChangeData{oldMode, newMode, oldPercent, newPercent, oldPPI, newPPI};
  if (newMode != M::smVCL) plan.PixelsPerInch = newPPI;
  return plan;
}

}  // namespace skin

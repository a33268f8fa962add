// Skin-wide metrics, outer effects, standard sections and the element indices painters
// use by position.
#include <algorithm>
#include <climits>

#include "rtl/SysUtils.h"
#include "skin/core/acSkinColors.h"
#include "skin/core/acSkinElements.h"
#include "skin/core/acSkinData.h"

namespace skin {

const std::array<std::string_view, kStandardSectionCount> StandardSectionNames{
    "MENUITEM",   "CHECKBOX",    "SPEEDBUTTON", "SPEEDBUTTON_SMALL", "TOOLBUTTON", "TRANSPARENT", "GROUPBOX",
    "DIVIDER",    "WEBBUTTON",   "BUTTON",      "COMBONOEDIT",       "BUTTON_HUGE", "TOOLBAR",    "EDIT",
    "GAUGE",      "SELECTION",   "STATUSBAR",   "PANEL",             "PANEL_LOW",  "TRACKBAR",    "PROGRESSV",
    "DRAGBAR",    "GRIPH",       "GRIPV",       "PROGRESSH",         "TABSHEET",   "UPDOWNBTN",   "COMBOBOX",
    "CAPTION",    "MAINMENU",    "SPLITTER",    "COMBOBTN",          "FORMTITLE",  "HINT",        "DIVIDERV",
    "PAGECONTROL", "TABTOP",     "BARPANEL",    "BARTITLE",          "MENUCAPTION", "DIALOGTITLE", "MENUBTN",
    "MENULINE",   "FORMHEADER",  "TB_BTN",      "TB_MENUBTN",        "TB_TAB",     "COLHEADER",   "COLHEADERA",
    "COLHEADERL", "COLHEADERR",  "SLIDER_OFF",  "SLIDER_ON"};

namespace {

constexpr std::string_view kGlobalInfo = "GLOBALINFO";

std::optional<int32_t> ReadNumber(const TacOptionsText& o, std::string_view key) {
  auto v = o.Read(kGlobalInfo, key);
  if (!v) return std::nullopt;
  constexpr int32_t kAbsent = INT32_MIN;
  int32_t n = IniStrToIntDef(*v, kAbsent);
  if (n == kAbsent) return std::nullopt;
  return n;
}

// Metrics come from the skin text unbounded: sums are taken wide and held in range.
int32_t Held(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Shadows are drawn around windows and controls: their parts are held to what a screen can
// show, so that a damaged skin text cannot ask for a picture no memory holds.
constexpr int32_t kMaxShadowPart = 1024;
int32_t ShadowPart(int64_t v) { return int32_t(std::min<int64_t>(v, kMaxShadowPart)); }

std::string Suffixed(std::string_view name, int step) {
  return std::string(name) + std::string(ScaleSuffix[size_t(std::clamp(step, 0, kScaleStepCount - 1))]);
}

}  // namespace

void ReadOuterEffectMask(TacSkinData& d, const TacSkinSource& source, TacOuterEffect& e, std::string_view keyName) {
  e.EffectMask = -1;
  if (e.Source == 1) {
    // An image of the options text, taken as written for the step (or the plain key).
    std::string value = source.Options.ReadString(kGlobalInfo, Suffixed(keyName, d.ScaleStep), "");
    if (value.empty()) value = source.Options.ReadString(kGlobalInfo, keyName, "");
    if (value.empty()) return;
    TacElementValue v = ReadElementValue(ConvertElementValue(rtl::UpperCase(value)));
    TsMaskData m;
    m.SectionIndex = GetSkinIndex(d, kGlobalInfo);
    m.SectionName = std::string(kGlobalInfo);
    m.KeyName = std::string(keyName);
    m.SrcRect = v.SrcRect;
    m.FrameCount = int16_t(std::max(1, v.FrameCount));
    m.MaskBlocks = int16_t(v.MaskBlocks);
    m.PaintFlags = int16_t(v.PaintFlags);
    m.ElementKind = uint8_t(v.ElementKind);
    m.BorderLeft = int16_t(v.BorderLeft);
    m.BorderTop = int16_t(v.BorderTop);
    m.BorderRight = int16_t(v.BorderRight);
    m.BorderBottom = int16_t(v.BorderBottom);
    m.TargetPPI = m.SourcePPI = d.PPI;
    m.FrameWidth = RectWidth(m.SrcRect) / m.FrameCount;
    m.FrameHeight = RectHeight(m.SrcRect) / (m.MaskBlocks + 1);
    d.Masks.push_back(std::move(m));
    e.EffectMask = int32_t(d.Masks.size()) - 1;
  } else if (e.Source == 2) {
    TBitmap32 shadow = CreateShadowBitmap(0, ShadowPart(e.Radius), 0, ShadowPart(int64_t(e.OffsetT) + e.OffsetB),
                                          ShadowPart(int64_t(e.OffsetL) + e.OffsetR), e.Blur, true);
    const int32_t w = shadow.Width(), h = shadow.Height();
    if (w <= 0 || h <= 0) return;
    auto half = [](int64_t v) { return Held(v / 2); };
    if (e.WidthL == -1) e.WidthL = half(int64_t(w) + e.OffsetL - e.OffsetR - 1);
    if (e.WidthR == -1) e.WidthR = half(int64_t(w) + e.OffsetR - e.OffsetL - 1);
    if (e.WidthT == -1) e.WidthT = half(int64_t(h) + e.OffsetT - e.OffsetB - 1);
    if (e.WidthB == -1) e.WidthB = half(int64_t(h) + e.OffsetB - e.OffsetT - 1);
    auto picture = std::make_unique<TBitmap32>(w, h * 2);
    DrawElementMask(*picture, TacRect{0, 0, w, h}, e.ColorL, e.ColorB, e.ColorR, e.ColorT);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) picture->At(x, h + y) = shadow.At(x, y);
    TsMaskData m;
    m.SectionIndex = GetSkinIndex(d, kGlobalInfo);
    m.SectionName = std::string(kGlobalInfo);
    m.KeyName = std::string(keyName);
    m.FrameCount = 1;
    m.MaskBlocks = 1;
    m.PaintFlags = 1;
    m.SrcRect = TacRect{0, 0, Held(2 * int64_t(e.Radius) + 1), Held(4 * int64_t(e.Radius) + 2)};
    m.BorderLeft = int16_t(e.WidthL);
    m.BorderTop = int16_t(e.WidthT);
    m.BorderRight = int16_t(e.WidthR);
    m.BorderBottom = int16_t(e.WidthB);
    m.TargetPPI = m.SourcePPI = d.PPI;
    m.FrameWidth = w;
    m.FrameHeight = h;
    TacBmpData shared;
    shared.PPI = shared.SourcePPI = d.PPI;
    shared.MaskBlocks = 1;
    shared.FileName = "OuterCalc";
    shared.Rect = TacRect{0, 0, w, h * 2};
    shared.Bitmap = std::move(picture);
    m.Image = shared.Bitmap.get();
    d.SharedImages.push_back(std::move(shared));
    d.Masks.push_back(std::move(m));
    e.EffectMask = int32_t(d.Masks.size()) - 1;
  }
  // The widths are scaled once the effect's picture exists.
  e.WidthL = d.ScaleInt(e.WidthL);
  e.WidthT = d.ScaleInt(e.WidthT);
  e.WidthR = d.ScaleInt(e.WidthR);
  e.WidthB = d.ScaleInt(e.WidthB);
}

int32_t ReadScaledGlobal(const TacSkinData& d, const TacOptionsText& o, std::string_view name, int32_t def,
                         int32_t maskIndex, bool scaleByElement) {
  const int32_t plain = o.ReadInteger(kGlobalInfo, name, def);
  if (scaleByElement && maskIndex >= 0 && size_t(maskIndex) < d.Masks.size()) {
    const int32_t p = d.Masks[size_t(maskIndex)].SourcePPI;
    if (auto v = ReadNumber(o, Suffixed(name, ScaleStepOfPPI(p))); v && p > 0) return Held(int64_t(*v) * d.PPI / p);
    return d.ScaleInt(plain);
  }
  if (auto v = ReadNumber(o, Suffixed(name, d.ScaleStep))) return *v;
  if (d.ScaleStep == 0) return def;
  return scaleByElement ? d.ScaleInt(plain) : plain;
}

void ReadCommonMetrics(TacSkinData& d, const TacSkinSource& source) {
  const TacOptionsText& o = source.Options;
  auto plain = [&](const char* key, int32_t def) { return o.ReadInteger(kGlobalInfo, key, def); };
  auto scaled = [&](std::string_view key, int32_t def) { return ReadScaledGlobal(d, o, key, def, -1, true); };
  d.BorderMode = plain("BORDERMODE", 0);
  d.AlignOffsetL = scaled("ALIGNOFFSET", 0);
  d.AlignOffsetR = scaled("ALIGNOFFSETR", d.AlignOffsetL);
  d.AlignOffsetT = scaled("ALIGNOFFSETT", d.AlignOffsetL);
  d.AlignOffsetB = scaled("ALIGNOFFSETB", d.AlignOffsetL);
  d.WndShadowRadius = scaled("WSHRAD", 17);
  d.WndShadowOffset = scaled("WSHOFFS", 2);
  d.WndShadowSize = scaled("WSHSIZE", 13);
  d.WndShadowColorInactive = uint32_t(plain("WSHCOLN", 0x44000000));
  d.WndShadowColorActive = uint32_t(plain("WSHCOLA", int32_t(0x99000000u)));
  d.TitleBtnSpace = scaled("BISPACE", 0);
  d.TitleBtnRight = scaled("BIRIGHT", 0);
  d.TitleBtnLeft = scaled("BILEFT", 0);
  d.TitleBtnTop = scaled("BITOP", 0);
  static const char* const glowButtons[5] = {"BICLOSEALONE", "BICONCLOSE", "BICONMAX", "BICONMIN", "BICONNORM"};
  for (size_t k = 0; k < 5; ++k) d.TitleBtnGlowMargins[k] = scaled(std::string(glowButtons[k]) + "GLOWMARGIN", 0);
  const int32_t glows = std::clamp(plain("BICONCLOSEGLOW", 0), 0, 255);
  for (auto& g : d.TitleBtnGlows) g.assign(size_t(glows), -1);
  d.Shadow1Offset = scaled("SHADOW1OFFSET", 0);
  d.Shadow1Blur = scaled("SHADOW1BLUR", -1);
  d.Shadow1Transparency = plain("SHADOW1TRANSPARENCY", 0);
  d.ComboMrg = plain("COMBOMARGIN", 2);
  if (d.ComboMrg == 1 && d.PPI > 143) d.ComboMrg = 2;
  d.SliderMrg = plain("SLIDERMARGIN", 1);

  auto effect = [&](TacOuterEffect& e, const std::string& p, const int32_t defs[8]) {
    e.WidthL = plain((p + "WIDTHL").c_str(), -1);
    e.WidthT = plain((p + "WIDTHT").c_str(), -1);
    e.WidthR = plain((p + "WIDTHR").c_str(), -1);
    e.WidthB = plain((p + "WIDTHB").c_str(), -1);
    e.OffsetL = d.ScaleInt(plain((p + "OFFSETL").c_str(), defs[0]));
    e.OffsetR = d.ScaleInt(plain((p + "OFFSETR").c_str(), defs[1]));
    e.OffsetT = d.ScaleInt(plain((p + "OFFSETT").c_str(), defs[2]));
    e.OffsetB = d.ScaleInt(plain((p + "OFFSETB").c_str(), defs[3]));
    e.Radius = d.ScaleInt(plain((p + "RADIUS_OE").c_str(), defs[4]));
    e.Blur = d.ScaleInt(plain((p + "BLUR_OE").c_str(), defs[5]));
    e.Opacity = plain((p + "OPACITY").c_str(), defs[6]);
    e.Source = plain((p + "SOURCE").c_str(), defs[7]);
  };
  static const int32_t shadowDefs[8] = {3, 3, 2, 5, 9, 5, 60, 2};
  static const int32_t outlineDefs[8] = {2, 2, 2, 4, 9, 5, 200, 2};
  TacOuterEffect& shadow = d.OuterEffects[1];
  shadow = TacOuterEffect{};
  shadow.ColorL = uint32_t(plain("SH_COLORL", 0));
  shadow.ColorT = 0x00FF00FF;  // clFuchsia: the shadow has one colour
  effect(shadow, "SH_", shadowDefs);
  TacOuterEffect& outline = d.OuterEffects[0];
  outline = TacOuterEffect{};
  outline.ColorL = ColorToSkinRGB(uint32_t(plain("LO_COLORL", 0xFFFFFF)), source.Colors);
  outline.ColorT = ColorToSkinRGB(uint32_t(plain("LO_COLORT", 0)), source.Colors);
  outline.ColorR = ColorToSkinRGB(uint32_t(plain("LO_COLORR", 0xFFFFFF)), source.Colors);
  outline.ColorB = ColorToSkinRGB(uint32_t(plain("LO_COLORB", 0xFFFFFF)), source.Colors);
  effect(outline, "LO_", outlineDefs);
  ReadOuterEffectMask(d, source, shadow, "SH_MASK");
  ReadOuterEffectMask(d, source, outline, "LO_MASK");
}

namespace {

TacConstElementData ConstElement(const TacSkinData& d, std::initializer_list<std::string_view> names) {
  TacConstElementData r;
  for (std::string_view n : names) {
    r.FoundName = std::string(n);
    r.Section = GetSkinIndex(d, n);
    if (r.Section >= 0) break;
  }
  r.BorderMask = GetMaskIndex(d, r.Section, "BORDERSMASK");
  r.GlyphMask = GetMaskIndex(d, r.Section, "GLYPHMASK");
  r.Texture = GetMaskIndex(d, r.Section, "PATTERN");
  r.HotTexture = GetMaskIndex(d, r.Section, "HOTPATTERN");
  return r;
}

}  // namespace

void ResolveStandardElements(TacSkinData& d) {
  d.GlobalInfoIndex = GetSkinIndex(d, kGlobalInfo);
  for (size_t i = 0; i < StandardSectionNames.size(); ++i) d.StandardSections[i] = GetSkinIndex(d, StandardSectionNames[i]);

  // Entries 39-52: a missing section takes its fallback's index; a copy of the fallback is
  // added under the missing name so that look-ups by that name find it.
  struct TFallback { int entry; int fallback; };
  static const TFallback fallbacks[] = {{39, 12}, {40, 32}, {41, 2},  {42, 42}, {43, 43}, {44, 4},  {45, 45},
                                        {46, 36}, {47, 9},  {48, 47}, {49, 47}, {50, 47}, {51, 18}, {52, 18}};
  for (const auto& f : fallbacks) {
    int32_t& idx = d.StandardSections[size_t(f.entry)];
    if (idx >= 0 || f.fallback == f.entry) continue;
    const int32_t from = d.StandardSections[size_t(f.fallback)];
    idx = from;
    const std::string_view name = StandardSectionNames[size_t(f.entry)];
    if (from >= 0) {
      AddSection(d, name, from, 0, 0, 0, 0);
    } else {
      AddSection(d, name, -1, uint32_t(-1), uint32_t(-1), -1, -1);
    }
  }

  const int32_t g = d.GlobalInfoIndex;
  auto global = [&](std::string_view name) { return GetMaskIndex(d, g, name); };
  for (size_t i = 0; i < 3; ++i) d.CheckImages[i] = global(CheckBoxElementNames[i]);
  for (size_t i = 0; i < 3; ++i) d.SmallCheckImages[i] = global(SmallCheckElementNames[i]);
  for (size_t i = 0; i < 2; ++i) d.RadioImages[i] = global(RadioElementNames[i]);
  d.ExtBorderImage = global("EXBORDER");
  d.GripImage = global("GRIPIMAGE");
  d.GripHorzImage = global("GRIPHORZ");
  d.GripVertImage = global("GRIPVERT");

  d.MenuItemElem = ConstElement(d, {"MENUITEM"});
  d.ComboBtnElem = ConstElement(d, {"COMBOBTN"});
  d.ComboBtnElem.GlyphMask = GetMaskIndex(d, GetSkinIndex(d, "COMBOBOX"), "GLYPHMASK");
  for (size_t grp = 0; grp < 4; ++grp)
    for (size_t side = 0; side < 4; ++side) d.TabElems[grp][side] = ConstElement(d, {TabElementNames[grp * 4 + side]});
  for (size_t i = 0; i < 2; ++i) d.SliderElems[i] = ConstElement(d, {SliderElementNames[i]});
  const int32_t track = GetSkinIndex(d, "TRACKBAR");
  for (size_t i = 0; i < 2; ++i) {
    TrackBarElemData& t = d.TrackBarElems[i];
    const bool vertical = i == 0;
    t.Section = track;
    t.BorderMask = GetMaskIndex(d, track, "BORDERSMASK");
    t.SliderMask = vertical ? GetMaskIndex(d, track, "SLIDERVMASK") : -1;
    if (t.SliderMask < 0) t.SliderMask = GetMaskIndex(d, track, "SLIDERMASK");
    t.Texture = GetMaskIndex(d, track, "PATTERN");
    t.HotTexture = GetMaskIndex(d, track, "HOTPATTERN");
    t.TickMask = GetMaskIndex(d, track, vertical ? "TICKVERT" : "TICKHORZ");
    t.ProgressMask = GetMaskIndex(d, track, vertical ? "PROGVERT" : "PROGHORZ");
    t.ChannelMask = GetMaskIndex(d, track, "SLIDERCHANNEL");
  }
  for (size_t i = 0; i < 4; ++i) {
    d.ScrollBtnElems[i] = ConstElement(d, {ScrollBtnElementNames[i]});
    d.ScrollBarElems[i] = ConstElement(d, {ScrollBarElementNames[i]});
    d.UpDownElems[i] = ConstElement(d, {UpDownElementNames[i], "UPDOWNBTN", "BUTTON"});
  }

  static const char* const titleButtons[kTitleButtonImages - 1] = {
      "BICLOSEALONE", "BICONCLOSE", "BICONMAX",  "BICONMIN",  "BICONNORM", "BICONHELP",
      "SICONCLOSE",   "SICONMAX",   "SICONMIN",  "SICONNORM", "SICONHELP", "TITLEBUTTON"};
  for (size_t i = 0; i + 1 < size_t(kTitleButtonImages); ++i) d.TitleBtnImages[i] = global(titleButtons[i]);
  d.TitleBtnImages[kTitleButtonImages - 1] = -1;
  if (d.TitleBtnImages[0] < 0) d.TitleBtnImages[0] = d.TitleBtnImages[1];
  for (size_t i = 6; i <= 10; ++i)
    if (d.TitleBtnImages[i] < 0) d.TitleBtnImages[i] = d.TitleBtnImages[i - 5];
  for (size_t k = 0; k < 5; ++k)
    for (size_t n = 0; n < d.TitleBtnGlows[k].size(); ++n)
      d.TitleBtnGlows[k][n] = global(std::string(titleButtons[k]) + "GLOW" + std::to_string(n));
  if (d.TitleBtnImages[0] == d.TitleBtnImages[1]) {
    d.TitleBtnGlowMargins[0] = d.TitleBtnGlowMargins[1];
    d.TitleBtnGlows[0] = d.TitleBtnGlows[1];
  }
}

void LoadSkinData(TacSkinData& d, const TacSkinSource& source) {
  LoadImageElements(d, source);
  ParseSections(d, source);
  ResolveStandardElements(d);
  ResolveSectionElements(d);
  ReadTitleMetrics(d, source);
  PrepareFormShadow(d, source);
}

void ReadTitleMetrics(TacSkinData& d, const TacSkinSource& source) {
  const TacOptionsText& o = source.Options;
  auto read = [&](const char* key, int32_t def) { return ReadScaledGlobal(d, o, key, def, d.ExtBorderImage, true); };
  d.BorderWidth = std::max(1, read("BORDERWIDTH", 4));
  d.FormOffset = read("FORMOFFSET", source.SystemFrameWidth);
  d.TitleHeight = read("TITLEHEIGHT", 30);
  if (d.TitleHeight <= 0) d.TitleHeight = d.ScaleInt(30);
  d.MaxTitleHeight = read("MAXHEIGHT", 0);
  if (d.MaxTitleHeight <= 0) d.MaxTitleHeight = d.TitleHeight;
  d.CenterOffset = read("CENTEROFFSET", 0);
}

namespace {

std::unique_ptr<TBitmap32> WindowShadow(const TacSkinData& d, uint32_t color) {
  const int32_t extra = Held(2 * int64_t(ShadowPart(d.WndShadowSize)));
  return std::make_unique<TBitmap32>(CreateShadowBitmap(color, ShadowPart(d.WndShadowRadius),
                                                        ShadowPart(d.WndShadowOffset), extra, extra, 0, false));
}

// A 32-bit copy of w x h pixels of picture from (x, y); pixels outside it stay 0.
std::unique_ptr<TBitmap32> CopyArea(const TBitmap32* picture, int32_t x, int32_t y, int32_t w, int32_t h) {
  auto copy = std::make_unique<TBitmap32>(w, h);
  if (!picture) return copy;
  for (int32_t row = 0; row < h; ++row)
    for (int32_t col = 0; col < w; ++col)
      if (picture->Inside(x + col, y + row)) copy->At(col, row) = picture->At(x + col, y + row);
  return copy;
}

}  // namespace

const TBitmap32& TacSkinData::GetActiveShadowBmp() {
  if (!ActiveShadow) ActiveShadow = WindowShadow(*this, WndShadowColorActive);
  return *ActiveShadow;
}

const TBitmap32& TacSkinData::GetNormalShadowBmp() {
  if (!InactiveShadow) InactiveShadow = WindowShadow(*this, WndShadowColorInactive);
  return *InactiveShadow;
}

void PrepareFormShadow(TacSkinData& d, const TacSkinSource& source) {
  d.FormShadowActive.reset();
  d.FormShadowInactive.reset();
  d.FormShadowMargins = TacRect{};
  if (!source.ExtendedBorders) return;
  if (IndexInRange(d.ExtBorderImage, int32_t(d.Masks.size()))) {
    const TsMaskData& e = d.Masks[size_t(d.ExtBorderImage)];
    auto margin = [&](int32_t border) { return Held(std::max<int64_t>(0, int64_t(border) - d.FormOffset)); };
    if (d.BorderMode != 0)
      d.FormShadowMargins = TacRect{d.FormOffset, d.FormOffset, d.FormOffset, d.FormOffset};
    else
      d.FormShadowMargins =
          TacRect{margin(e.BorderLeft), margin(e.BorderTop), margin(e.BorderRight), margin(e.BorderBottom)};
    // An element cut from the master bitmap is copied from its region there.
    const TBitmap32* picture = e.Image ? e.Image : source.Master;
    const int32_t x = e.Image ? 0 : e.SrcRect.Left, y = e.Image ? 0 : e.SrcRect.Top;
    d.FormShadowInactive = CopyArea(picture, x, y, e.FrameWidth, e.FrameHeight);
    d.FormShadowActive = CopyArea(picture, e.FrameCount > 1 ? x + e.FrameWidth : x, y, e.FrameWidth, e.FrameHeight);
  } else {
    d.FormShadowActive = std::make_unique<TBitmap32>(d.GetActiveShadowBmp().Clone());
    d.FormShadowInactive = std::make_unique<TBitmap32>(d.GetNormalShadowBmp().Clone());
    const int64_t size = d.WndShadowSize, offset = d.WndShadowOffset;
    d.FormShadowMargins = TacRect{d.WndShadowSize, Held(std::max<int64_t>(0, size - offset)), d.WndShadowSize,
                                  Held(std::max<int64_t>(0, size + offset))};
  }
}

}  // namespace skin

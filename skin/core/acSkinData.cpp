#include "skin/core/acSkinData.h"

#include <algorithm>
#include <climits>
#include <set>

#include "rtl/SysUtils.h"
#include "skin/core/acSkinElements.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acResample.h"

namespace skin {

namespace {

constexpr std::string_view kGlobalInfo = "GLOBALINFO";
constexpr TPixel kKeyPixel = 0x00FF00FF;  // clFuchsia as a pixel with alpha 0

bool IsEmptyRect(const TacRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

}  // namespace

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  int64_t p = int64_t(a) * b;
  int64_t q = (std::abs(p) * 2 + std::abs(int64_t(c))) / (2 * std::abs(int64_t(c)));
  return int32_t(((p < 0) != (c < 0)) ? -q : q);
}

// ---------------------------------------------------------------- options text

std::optional<std::string> TacOptionsText::Read(std::string_view section, std::string_view key) const {
  if (!ValueExists(section, key)) return std::nullopt;
  return ReadString(section, key, "");
}

// ---------------------------------------------------------------- inheritance

std::optional<std::string> ReadInheritedValue(const TacOptionsText& options, std::string_view section,
                                              std::string_view key, bool skipNegative) {
  std::set<std::string, std::less<>> visited;
  std::string current(section);
  while (!current.empty() && visited.insert(current).second) {
    if (auto v = options.Read(current, key)) {
      // A negative number cannot override a parent's value: it counts as missing.
      if (!skipNegative) return v;
      int32_t n = IniStrToIntDef(*v, -1);
      if (n >= 0) return v;
    }
    current = options.ReadString(current, "PARENTCLASS", "");
  }
  return std::nullopt;
}

int32_t ReadInheritedInt(const TacOptionsText& options, std::string_view section, std::string_view key, int32_t def,
                         bool raw, int32_t limit) {
  auto v = ReadInheritedValue(options, section, key, true);
  int32_t value = v ? IniStrToIntDef(*v, raw ? -1 : def) : (raw ? -1 : def);
  return limit >= 0 ? std::min(limit, value) : value;
}

bool ReadInheritedBool(const TacOptionsText& options, std::string_view section, std::string_view key, bool def) {
  auto v = ReadInheritedValue(options, section, key, false);
  return v ? (*v == "TRUE" || *v == "1") : def;
}

std::string ReadInheritedString(const TacOptionsText& options, std::string_view section, std::string_view key,
                                std::string_view def) {
  auto v = ReadInheritedValue(options, section, key, false);
  return v ? *v : std::string(def);
}

// ---------------------------------------------------------------- skin data

int32_t TacSkinData::ScaleInt(int32_t value) const {
  return int32_t(std::clamp<int64_t>(int64_t(value) * PPI / 96, INT32_MIN, INT32_MAX));
}

TacSkinData::TacSkinData(int32_t ppi) : PPI(ppi), Percent(ppi * 100 / 96), ScaleStep(ScaleStepOfPPI(ppi)) {}

int32_t AddSection(TacSkinData& data, std::string_view name, int32_t copyFrom, uint32_t fontColor, uint32_t color,
                   int32_t transparency, int32_t states) {
  TsGeneralData s;
  if (copyFrom >= 0 && size_t(copyFrom) < data.Sections.size()) {
    s = data.Sections[size_t(copyFrom)];
  } else {
    s.States = states;
    s.BorderIndex = 0;
    s.OuterIndex = 0;
    s.CornerImages = {0, 0, 0, 0};
    for (auto& st : s.StateParams) {
      st = TsGenState{};
      st.GlowColor = 0;
      st.TextureIndex = 0;
      st.Transparency = transparency;
      st.Color = color;
      st.FontColor = fontColor;
    }
  }
  s.SectionName = std::string(name);
  s.ParentClass.clear();
  data.Sections.push_back(std::move(s));
  return int32_t(data.Sections.size()) - 1;
}

int32_t FindSharedImage(const TacSkinData& data, std::string_view fileName, const TacRect& sourceRect) {
  for (size_t i = 0; i < data.SharedImages.size(); ++i) {
    const auto& b = data.SharedImages[i];
    if (b.FileName == fileName && (!fileName.empty() || b.SourceRect == sourceRect)) return int32_t(i);
  }
  return -1;
}

namespace {

void ClampFarBorders(TsMaskData& e, int32_t frameWidth, int32_t frameHeight) {
  e.BorderRight = int16_t(std::min<int32_t>(e.BorderRight, frameWidth - e.BorderLeft - 1));
  e.BorderBottom = int16_t(std::min<int32_t>(e.BorderBottom, frameHeight - e.BorderTop - 1));
}

void ScaleBorders(TsMaskData& e) {
  e.BorderLeft = int16_t(MulDiv(e.BorderLeft, e.TargetPPI, e.SourcePPI));
  e.BorderTop = int16_t(MulDiv(e.BorderTop, e.TargetPPI, e.SourcePPI));
  e.BorderRight = int16_t(MulDiv(e.BorderRight, e.TargetPPI, e.SourcePPI));
  e.BorderBottom = int16_t(MulDiv(e.BorderBottom, e.TargetPPI, e.SourcePPI));
}

int32_t AddSharedImage(TacSkinData& data, std::unique_ptr<TBitmap32> bitmap, std::string fileName, int32_t maskBlocks,
                       int32_t sourcePPI, const TacRect& sourceRect, std::string owner) {
  TacBmpData b;
  b.PPI = data.PPI;
  b.SourcePPI = sourcePPI;
  b.MaskBlocks = maskBlocks;
  b.Owner = std::move(owner);
  b.FileName = std::move(fileName);
  b.Rect = TacRect{0, 0, bitmap->Width(), bitmap->Height()};
  b.SourceRect = sourceRect;
  b.Bitmap = std::move(bitmap);
  data.SharedImages.push_back(std::move(b));
  return int32_t(data.SharedImages.size()) - 1;
}

}  // namespace

void AssignSharedImage(const TacSkinData& data, TsMaskData& e, int32_t index) {
  const TacBmpData& b = data.SharedImages[size_t(index)];
  e.Image = b.Bitmap.get();
  e.SrcRect = b.Rect;
  e.FrameWidth = RectWidth(b.Rect);
  e.FrameHeight = RectHeight(b.Rect);
  e.TargetPPI = b.PPI;
  e.SourcePPI = b.SourcePPI;
  ScaleBorders(e);
  ClampFarBorders(e, e.FrameWidth / std::max<int32_t>(1, e.FrameCount), e.FrameHeight / (e.MaskBlocks + 1));
}

// ---------------------------------------------------------------- scaled variants

TacScaledValue FindScaledValue(const TacSkinData& data, const TacOptionsText& options, std::string_view section,
                               std::string_view key) {
  int start = data.ScaleStep;
  if (ScalePPI[size_t(start)] < data.PPI && start < kScaleStepCount - 1) ++start;
  auto tryStep = [&](int step, TacScaledValue& out) {
    std::string v = options.ReadString(section, std::string(key) + std::string(ScaleSuffix[size_t(step)]), "");
    if (v.empty()) return false;
    out.Value = ConvertElementValue(rtl::UpperCase(v));
    out.SourcePPI = ScalePPI[size_t(step)];
    return true;
  };
  TacScaledValue found;
  for (int t = start; t < kScaleStepCount; ++t)
    if (tryStep(t, found)) return found;
  for (int t = start - 1; t >= 0; --t)
    if (tryStep(t, found)) return found;
  return TacScaledValue{"", data.PPI};
}

// ---------------------------------------------------------------- element pictures

bool PrepareElementScale(TsMaskData& e, const TBitmap32* master, bool keepKeyColour, TPixel replacement) {
  if (e.TargetPPI == e.SourcePPI || e.SourcePPI <= 0) return false;
  const TBitmap32* src = e.Image ? e.Image : master;
  if (!src) return false;
  const int32_t frames = std::max<int32_t>(1, e.FrameCount);
  const int32_t w = RectWidth(e.SrcRect), h = RectHeight(e.SrcRect);
  const int32_t fw = w / frames;
  const int32_t ih = e.MaskBlocks != 0 ? h / 2 : h;
  if (e.BorderLeft + e.BorderRight == 2 || e.BorderTop + e.BorderBottom == 2 || ih <= 2 || fw <= 2) return false;
  // A region reaching outside its picture has nothing to rescale; it is drawn as it is.
  if (e.SrcRect.Left < 0 || e.SrcRect.Top < 0 || e.SrcRect.Right > src->Width() || e.SrcRect.Bottom > src->Height())
    return false;

  auto copyBlock = [&](int32_t top, int32_t height) {
    TBitmap32 block(w, height);
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < w; ++x) {
        int32_t sx = e.SrcRect.Left + x, sy = top + y;
        block.At(x, y) = src->Inside(sx, sy) ? src->At(sx, sy) : 0;
      }
    return block;
  };
  replacement &= 0xFFFFFF;
  TBitmap32 image = copyBlock(e.SrcRect.Top, ih);
  const int32_t newWidth = e.TargetPPI * fw / e.SourcePPI * frames;
  int32_t newHeight;
  auto result = std::make_unique<TBitmap32>();
  if (e.MaskBlocks != 0) {
    TBitmap32 mask = copyBlock(e.SrcRect.Top + ih, ih);
    auto corner = [&](int32_t x0, int32_t y0, int32_t cw, int32_t ch) {
      for (int32_t y = std::max(0, y0); y < std::min(ih, y0 + ch); ++y)
        for (int32_t x = std::max(0, x0); x < std::min(w, x0 + cw); ++x) {
          if (image.At(x, y) == kKeyPixel) {
            image.At(x, y) = replacement;
            mask.At(x, y) = 0xFFFFFF;
          } else if (mask.At(x, y) == kKeyPixel) {
            mask.At(x, y) = 0xFFFFFF;
          }
        }
    };
    corner(0, 0, e.BorderLeft, e.BorderTop);
    corner(fw - e.BorderRight, 0, e.BorderRight, e.BorderTop);
    corner(0, ih - e.BorderBottom, e.BorderLeft, e.BorderBottom);
    corner(fw - e.BorderRight, ih - e.BorderBottom, e.BorderRight, e.BorderBottom);
    newHeight = (h / 2) * e.TargetPPI / e.SourcePPI * 2;
    TBitmap32 scaledImage, scaledMask;
    ResampleBitmap(image, scaledImage, newWidth, newHeight / 2, 6);
    ResampleBitmap(mask, scaledMask, newWidth, newHeight / 2, 6);
    result = std::make_unique<TBitmap32>(newWidth, newHeight);
    for (int32_t y = 0; y < newHeight / 2; ++y)
      for (int32_t x = 0; x < newWidth; ++x) {
        TPixel p = scaledImage.Inside(x, y) ? scaledImage.At(x, y) : 0;
        result->At(x, y) = ChA(p) < 100 ? kKeyPixel : p;
        result->At(x, y + newHeight / 2) = scaledMask.Inside(x, y) ? scaledMask.At(x, y) : 0;
      }
  } else {
    const bool keyed = !(e.PaintFlags & pfAlphaPicture) && !keepKeyColour;
    if (keyed)
      for (int32_t y = 0; y < ih; ++y)
        for (int32_t x = 0; x < w; ++x)
          if (image.At(x, y) == kKeyPixel) image.At(x, y) = replacement;
    newHeight = h * e.TargetPPI / e.SourcePPI;
    ResampleBitmap(image, *result, newWidth, newHeight, 6);
    if (keyed)
      for (int32_t y = 0; y < result->Height(); ++y)
        for (int32_t x = 0; x < result->Width(); ++x) {
          TPixel& p = result->At(x, y);
          p = ChA(p) > 89 ? (p | 0xFF000000u) : kKeyPixel;
        }
  }
  // The caller registers the new picture as a shared image; the element points at it then.
  e.Image = result.release();
  e.SrcRect = TacRect{0, 0, e.Image->Width(), e.Image->Height()};
  e.FrameWidth = e.Image->Width() / frames;
  if (!(e.PaintFlags & pfAlphaPicture)) e.FrameHeight = e.Image->Height() / (e.MaskBlocks + 1);
  ScaleBorders(e);
  ClampFarBorders(e, e.FrameWidth, e.FrameHeight);
  return true;
}

int32_t GetCornerTransparency(const TsMaskData& e, const TBitmap32* master) {
  if (e.SectionName == "BUTTON_HUGE" && e.KeyName == "BORDERSMASK") return 2;
  const TBitmap32* img = e.Image ? e.Image : master;
  const TacRect& r = e.SrcRect;
  if (RectHeight(r) <= 0 || !img) return 0;
  const int32_t frames = std::max<int32_t>(1, e.FrameCount);
  auto scan = [&](int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    x0 = std::max(0, x0), y0 = std::max(0, y0);
    x1 = std::min(x1, img->Width()), y1 = std::min(y1, img->Height());
    for (int32_t y = y0; y < y1; ++y)
      for (int32_t x = x0; x < x1; ++x)
        if (img->At(x, y) == kKeyPixel) return true;
    return false;
  };
  const int32_t frameW = RectWidth(r) / frames;
  const int32_t y1 = r.Top + RectHeight(r) / (e.MaskBlocks + 1) - e.BorderBottom;
  for (int32_t f = 0; f < frames; ++f) {
    int32_t x0 = r.Left + f * frameW, right = x0 + frameW;
    if (scan(x0, x0 + e.BorderLeft, r.Top, r.Top + e.BorderTop) ||
        scan(right - e.BorderRight, right, r.Top, r.Top + e.BorderTop) ||
        scan(x0, x0 + e.BorderLeft, y1, y1 + e.BorderBottom) ||
        scan(right - e.BorderRight, right, y1, y1 + e.BorderBottom))
      return 1;
  }
  return 0;
}

namespace {

void SetFrameSize(TsMaskData& e) {
  e.FrameWidth = RectWidth(e.SrcRect) / std::max<int32_t>(1, e.FrameCount);
  e.FrameHeight = e.MaskBlocks == -1  ? 0
                  : e.MaskBlocks != 0 ? RectHeight(e.SrcRect) / (e.MaskBlocks + 1)
                                      : RectHeight(e.SrcRect);
}

// Key pixels take the skin's main colour with alpha 0 before resampling, so that the key
// colour does not bleed into their neighbours.
TPixel ReplacementPixel(const TacSkinSource& source) { return SwapRB(source.MainColor) & 0xFFFFFF; }

bool AcquireElementImage(TacSkinData& data, const TacSkinSource& source, TsMaskData& e, const std::string& fileName) {
  int32_t shared = FindSharedImage(data, fileName, e.SrcRect);
  if (shared >= 0) {
    AssignSharedImage(data, e, shared);
  } else if (!fileName.empty()) {
    std::unique_ptr<TBitmap32> picture = source.LoadPicture ? source.LoadPicture(fileName) : nullptr;
    if (!picture || picture->Width() < 1) return false;
    const TacRect before = e.SrcRect;
    int32_t index = AddSharedImage(data, std::move(picture), fileName, e.MaskBlocks, e.SourcePPI, before,
                                   e.SectionName + "-" + e.KeyName);
    e.Image = data.SharedImages[size_t(index)].Bitmap.get();
    if (IsEmptyRect(e.SrcRect)) e.SrcRect = TacRect{0, 0, e.Image->Width(), e.Image->Height()};
    if (e.SourcePPI != e.TargetPPI && !(e.PaintFlags & pfNeverRescaled)) {
      const bool flat = e.ElementKind == 1 || e.ElementKind == 4;
      if (PrepareElementScale(e, nullptr, flat, ReplacementPixel(source))) {
        // The rescaled picture replaces the loaded one in its shared entry.
        auto& entry = data.SharedImages[size_t(index)];
        entry.Bitmap.reset(e.Image);
        entry.Rect = e.SrcRect;
      }
    }
  } else if (e.SourcePPI != e.TargetPPI && !(e.PaintFlags & pfNeverRescaled)) {
    const TacRect before = e.SrcRect;
    if (PrepareElementScale(e, source.Master, false, ReplacementPixel(source))) {
      std::unique_ptr<TBitmap32> picture(e.Image);
      int32_t index = AddSharedImage(data, std::move(picture), "", e.MaskBlocks, e.SourcePPI, before,
                                     e.SectionName + "-" + e.KeyName);
      e.Image = data.SharedImages[size_t(index)].Bitmap.get();
    }
  }
  if (IsEmptyRect(e.SrcRect) && e.Image) e.SrcRect = TacRect{0, 0, e.Image->Width(), e.Image->Height()};
  return true;
}

void LoadElement(TacSkinData& data, const TacSkinSource& source, int32_t sectionIndex, const std::string& section,
                 const std::string& key) {
  TacScaledValue found = FindScaledValue(data, source.Options, section, key);
  if (found.Value.empty()) return;
  TacElementValue v = ReadElementValue(found.Value);
  TsMaskData e;
  e.SectionIndex = sectionIndex;
  e.KeyName = key;
  e.SectionName = section;
  e.SrcRect = v.SrcRect;
  e.MaskBlocks = int16_t(v.MaskBlocks);
  e.PaintFlags = int16_t(v.PaintFlags);
  e.ElementKind = uint8_t(v.ElementKind);
  e.TargetPPI = data.PPI;
  e.SourcePPI = found.SourcePPI;
  e.BorderLeft = int16_t(v.BorderLeft);
  e.BorderTop = int16_t(v.BorderTop);
  e.BorderRight = int16_t(v.BorderRight);
  e.BorderBottom = int16_t(v.BorderBottom);
  // A frame count of 0 means one frame whose missing borders are half its size; it is
  // settled here, before anything divides by it.
  const bool defaultBorders = v.FrameCount == 0;
  e.FrameCount = int16_t(defaultBorders ? 1 : v.FrameCount);
  if (!AcquireElementImage(data, source, e, v.FileName)) return;
  if (defaultBorders) {
    SetFrameSize(e);
    const int32_t lr = (e.FrameWidth - 1) / 2, tb = (e.FrameHeight - 1) / ((e.MaskBlocks + 1) * 2);
    if (e.BorderLeft <= 0) e.BorderLeft = int16_t(lr);
    if (e.BorderRight <= 0) e.BorderRight = int16_t(lr);
    if (e.BorderTop <= 0) e.BorderTop = int16_t(tb);
    if (e.BorderBottom <= 0) e.BorderBottom = int16_t(tb);
  }
  if (e.ElementKind == 0) e.CornerFlags |= GetCornerTransparency(e, source.Master);
  data.Masks.push_back(std::move(e));
}

}  // namespace

void LoadImageElements(TacSkinData& data, const TacSkinSource& source) {
  data.SharedImages.clear();
  data.Masks.clear();
  const std::vector<std::string> sections = source.Options.ReadSections();
  for (size_t i = 0; i < sections.size(); ++i) {
    const std::string& section = sections[i];
    bool masterSkipped = false;
    for (const std::string& key : source.Options.ReadSection(section)) {
      if (section == kGlobalInfo && key == "MASTERBITMAP" && !masterSkipped) {
        masterSkipped = true;
        continue;
      }
      if (key.find('*') != std::string::npos) continue;
      std::string value = rtl::UpperCase(source.Options.ReadString(section, key, ""));
      if (value.empty()) continue;
      const char c = value[0];
      if (c == '!' || c == '&' || c == '^' || c == '~' || c == '@' || value.find(".JPG") != std::string::npos ||
          value.find(".BMP") != std::string::npos)
        LoadElement(data, source, int32_t(i), section, key);
    }
  }
}

// ---------------------------------------------------------------- sections

namespace {

// The twelve keys of each state: colour, font colour, four contours, glow colour and size,
// gradient percent and data, image percent, transparency.
using TStateKeys = const char* const[12];
const TStateKeys kStateKeys[3] = {
    {"COLOR", "FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM", "GCOL", "GSIZE", "GRADIENTPERCENT",
     "GRADIENTDATA", "IMAGEPERCENT", "TRANSPARENCY"},
    {"HOTCOLOR", "HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM", "HGCOL", "HGSIZE",
     "HOTGRADIENTPERCENT", "HOTGRADIENTDATA", "HOTIMAGEPERCENT", "HOTTRANSPARENCY"},
    {"COLOR2", "FONTCOLOR2", "TCLEFT2", "TCTOP2", "TCRIGHT2", "TCBOTTOM2", "GCOL2", "GSIZE2", "GRADIENTPERCENT2",
     "GRADIENTDATA2", "IMAGEPERCENT2", "TRANSPARENCY2"}};

// One state from its twelve keys: integer(key, default) reads numbers, text(key) the
// gradient ("" when absent); def gives what the keys do not set.
template <class ReadInt, class ReadText>
TsGenState ReadStateWith(const TsGenState& def, const TStateKeys& k, ReadInt integer, ReadText text) {
  TsGenState st = def;
  st.Color = uint32_t(integer(k[0], int32_t(def.Color)));
  st.FontColor = uint32_t(integer(k[1], int32_t(def.FontColor)));
  st.ContourLeft = integer(k[2], def.ContourLeft);
  st.ContourTop = integer(k[3], def.ContourTop);
  st.ContourRight = integer(k[4], def.ContourRight);
  st.ContourBottom = integer(k[5], def.ContourBottom);
  st.GlowColor = uint32_t(integer(k[6], int32_t(def.GlowColor)));
  st.GlowSize = integer(k[7], def.GlowSize);
  st.GradientPercent = integer(k[8], def.GradientPercent);
  // A gradient text shorter than 4 characters keeps the default's gradient.
  if (std::string g = text(k[9]); g.size() >= 4) ParseGradientString(g, st.Gradient);
  st.ImagePercent = integer(k[10], def.ImagePercent);
  st.Transparency = integer(k[11], def.Transparency);
  return st;
}

// A state of a section of the options text, every key with inheritance.
TsGenState ReadState(const TacOptionsText& o, const std::string& section, int n) {
  return ReadStateWith(
      TsGenState{}, kStateKeys[n], [&](const char* key, int32_t def) { return ReadInheritedInt(o, section, key, def); },
      [&](const char* key) { return ReadInheritedString(o, section, key, ""); });
}

// A section of the common sections, added after the skin's own.
void AddCommonSection(TacSkinData& data, const TacOptionsText& o, const TIniSections& common, const std::string& name) {
  auto text = [&](std::string_view key) -> std::optional<std::string> {
    const std::string none = "\x01";
    std::string v = IniListReadString(common, name, key, none);
    if (v == none) return std::nullopt;
    return v;
  };
  // Integers of the common text: a negative or unreadable value counts as absent.
  auto integer = [&](std::string_view key, int32_t def) {
    int32_t v = IniListReadInteger(common, name, key, -1);
    return v < 0 ? def : v;
  };
  auto boolean = [&](std::string_view key, bool def) {
    auto v = text(key);
    if (!v) return def;
    std::string up = rtl::UpperCase(*v);
    return up == "1" || up == "TRUE";
  };
  TsGeneralData s;
  s.ParentClass = rtl::UpperCase(text("PARENTCLASS").value_or("-1"));
  const TsGeneralData* parent = nullptr;
  for (const TsGeneralData& existing : data.Sections)
    if (rtl::UpperCase(existing.SectionName) == s.ParentClass) {
      parent = &existing;
      break;
    }
  TsGeneralData base;  // a fresh section's values, or the parent's
  if (parent) base = *parent;
  s.SectionName = name;
  s.States = integer("STATES", base.States);
  if (auto v = text("USESTATE2"))
    s.UseState2 = IniStrToIntDef(*v, 0) == 1;
  else
    s.UseState2 = parent && ReadInheritedInt(o, parent->SectionName, "USESTATE2", 0) == 1;
  auto readState = [&](int n) {
    return ReadStateWith(base.StateParams[size_t(n)], kStateKeys[n], integer,
                         [&](const char* key) { return text(key).value_or(""); });
  };
  s.StateParams[0] = readState(0);
  s.StateParams[1] = s.States >= 2 ? readState(1) : s.StateParams[0];
  s.StateParams[2] = s.UseState2 ? readState(2) : s.StateParams[1];
  s.ReservedBoolean = boolean("RESERVEDBOOLEAN", base.ReservedBoolean);
  s.GiveOwnFont = boolean("GIVEOWNFONT", base.GiveOwnFont);
  s.Glow = integer("GLOW", base.Glow);
  s.GlowMargin = integer("GLOWMARGIN", base.GlowMargin);
  if (auto mask = text("BORDERSMASK"); mask && mask->size() < 5) s.BorderIndex = -2;
  data.Sections.push_back(std::move(s));
}

}  // namespace

void ParseSections(TacSkinData& data, const TacSkinSource& source) {
  const TacOptionsText& o = source.Options;
  data.TabsCover = uint8_t(o.ReadInteger("TABTOP", "TABSCOVERING", 0));
  data.RibbonTabsCover = uint8_t(o.ReadInteger("RIBBONTAB", "TABSCOVERING", 0));
  data.Sections.clear();
  for (const std::string& name : o.ReadSections()) {
    TsGeneralData s;
    s.SectionName = name;
    s.ParentClass = o.ReadString(name, "PARENTCLASS", "");
    s.CornerImages = {-1, -1, -1, -1};
    s.ReservedBoolean = ReadInheritedBool(o, name, "RESERVEDBOOLEAN", false);
    s.GiveOwnFont = ReadInheritedBool(o, name, "GIVEOWNFONT", false);
    s.ShiftClick = ReadInheritedBool(o, name, "SHIFTCLICK", false);
    s.Glow = ReadInheritedInt(o, name, "GLOW", 0, false, 255);
    s.GlowMargin = ReadInheritedInt(o, name, "GLOWMARGIN", 0, false, 255);
    if (!data.Masks.empty()) s.GlowMargin = MulDiv(s.GlowMargin, data.PPI, 96);
    s.States = ReadInheritedInt(o, name, "STATES", 3, false, 255);
    auto outer = [&](const char* key) {
      int32_t v = ReadInheritedInt(o, name, key, -1, true, 255);
      return data.ScaleInt(v);
    };
    s.OuterOffsetL = outer("OUTOFFSL");
    s.OuterOffsetT = outer("OUTOFFST");
    s.OuterOffsetR = outer("OUTOFFSR");
    s.OuterOffsetB = outer("OUTOFFSB");
    s.OuterOpacity = ReadInheritedInt(o, name, "OUTOPACITY", 200, false, 255);
    s.OuterMode = ReadInheritedInt(o, name, "OUTERMODE", 2);
    s.OuterBlur = data.ScaleInt(ReadInheritedInt(o, name, "OUTBLUR", 9, false, 30));
    s.OuterRadius = data.ScaleInt(ReadInheritedInt(o, name, "OUTRADIUS", 9, false, 30));
    s.OuterColorL = uint32_t(ReadInheritedInt(o, name, "OUTCOLL", 0));
    s.OuterColorT = uint32_t(ReadInheritedInt(o, name, "OUTCOLT", 0));
    s.OuterColorR = uint32_t(ReadInheritedInt(o, name, "OUTCOLR", 0));
    s.OuterColorB = uint32_t(ReadInheritedInt(o, name, "OUTCOLB", 0));
    s.UseState2 = ReadInheritedInt(o, name, "USESTATE2", 0) == 1;
    s.StateParams[0] = ReadState(o, name, 0);
    s.StateParams[1] = s.States >= 2 ? ReadState(o, name, 1) : s.StateParams[0];
    s.StateParams[2] = s.UseState2 ? ReadState(o, name, 2) : s.StateParams[1];
    data.Sections.push_back(std::move(s));
  }
  if (!source.CommonSections.empty()) {
    TIniSections common;
    ParseIniLines(SplitLines(source.CommonSections), common);
    for (const TIniSection& c : common)
      if (GetSkinIndex(data, c.Name) < 0) AddCommonSection(data, o, common, c.Name);
  }
  if (GetSkinIndex(data, "TRANSPARENT") < 0)
    AddSection(data, "TRANSPARENT", -1, source.MainFontColor, 0xFFFFFF, 100, 1);
  if (GetSkinIndex(data, "MAINCOLOR") < 0)
    AddSection(data, "MAINCOLOR", -1, source.MainFontColor, source.MainColor, 0, 1);
  ReadCommonMetrics(data, source);
}

void ResolveSectionElements(TacSkinData& data) {
  static const char* const corners[4] = {"IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT"};
  for (size_t i = 0; i < data.Sections.size(); ++i) {
    TsGeneralData& s = data.Sections[i];
    if (s.SectionName == kGlobalInfo) continue;
    const int32_t idx = int32_t(i);
    if (s.BorderIndex == 0) s.BorderIndex = GetMaskIndex(data, idx, "BORDERSMASK");
    for (int c = 0; c < 4; ++c) s.CornerImages[size_t(c)] = GetMaskIndex(data, idx, corners[c]);
    s.OuterIndex = s.OuterMode == 0 ? -1 : GetMaskIndex(data, idx, "OUTERMASK");
    if (s.OuterIndex < 0 && (s.OuterMode == 3 || s.OuterMode == 4)) s.OuterIndex = MakeOuterElement(data, idx);
    auto& st = s.StateParams;
    st[0].TextureIndex = GetTextureIndex(data, idx, s.SectionName, "PATTERN");
    if (s.States > 1) st[1].TextureIndex = GetTextureIndex(data, idx, s.SectionName, "HOTPATTERN");
    if (s.States > 2 && s.UseState2)
      st[2].TextureIndex = GetTextureIndex(data, idx, s.SectionName, "PATTERN2");
    else
      st[2].TextureIndex = st[1].TextureIndex;
    if (s.BorderIndex < 0) {
      s.FrameKind = -2;
    } else {
      const TsMaskData& b = data.Masks[size_t(s.BorderIndex)];
      const bool thin = b.BorderLeft == 1 && b.BorderTop == 1 && b.BorderRight == 1 && b.BorderBottom == 1;
      s.FrameKind = (thin && (s.SectionName == "EDIT" || s.SectionName == "ALPHAEDIT")) ? -1 : 0;
    }
  }
  for (TsMaskData& e : data.Masks) SetFrameSize(e);
}

// ---------------------------------------------------------------- generated outer elements

void DrawElementMask(TBitmap32& bmp, const TacRect& r, uint32_t a, uint32_t c1, uint32_t c2, uint32_t c3) {
  if (c3 == 0xFF00FF) {
    FillBitmapRect(bmp, {r.Left, r.Top, r.Right, r.Bottom}, a, 255);
    return;
  }
  const int32_t w = RectWidth(r), h = RectHeight(r);
  FillBitmapRect(bmp, {r.Left, r.Top, r.Right, r.Top + h / 2}, c3, 255);
  FillBitmapRect(bmp, {r.Left, r.Top + h / 2, r.Right, r.Bottom}, c1, 255);
  // Triangles (0, 1) - middle - (0, h - 2) and (w - 1, 1) - middle - (w - 1, h - 2), edges
  // included as a filled polygon with its outline.
  const int32_t mx = w / 2, my = h / 2, half = std::max(1, my - 1);
  for (int32_t y = 1; y <= h - 2; ++y) {
    const int32_t reach = mx * (half - std::min(half, std::abs(y - my))) / half;
    for (int32_t x = 0; x <= reach; ++x) {
      if (bmp.Inside(r.Left + x, r.Top + y)) bmp.At(r.Left + x, r.Top + y) = SwapRB(a) | 0xFF000000u;
      if (bmp.Inside(r.Right - 1 - x, r.Top + y)) bmp.At(r.Right - 1 - x, r.Top + y) = SwapRB(c2) | 0xFF000000u;
    }
  }
}

int32_t MakeOuterElement(TacSkinData& data, int32_t sectionIndex) {
  const TsGeneralData& s = data.Sections[size_t(sectionIndex)];
  TBitmap32 shadow = CreateShadowBitmap(s.OuterColorL, s.OuterRadius, 0,
                                        std::max(0, s.OuterOffsetT) + std::max(0, s.OuterOffsetB),
                                        std::max(0, s.OuterOffsetL) + std::max(0, s.OuterOffsetR), s.OuterBlur, true);
  const int32_t w = shadow.Width(), sh = shadow.Height();
  if (w <= 0 || sh <= 0) return -1;
  auto picture = std::make_unique<TBitmap32>(w, sh * 2);
  const TacRect upper{0, 0, w, sh};
  if (s.OuterMode == 3)
    DrawElementMask(*picture, upper, s.OuterColorL, 0, 0, 0xFF00FF);
  else
    DrawElementMask(*picture, upper, s.OuterColorL, s.OuterColorB, s.OuterColorR, s.OuterColorT);
  for (int32_t y = 0; y < sh; ++y)
    for (int32_t x = 0; x < w; ++x) picture->At(x, sh + y) = shadow.At(x, y);

  TsMaskData e;
  e.SectionIndex = sectionIndex;
  e.SectionName = s.SectionName;
  e.KeyName = "OUTERMASK";
  e.TargetPPI = e.SourcePPI = data.PPI;
  e.FrameCount = 1;
  e.MaskBlocks = 1;
  e.PaintFlags = 1;
  e.SrcRect = TacRect{0, 0, w, sh * 2};
  e.BorderLeft = int16_t((w + s.OuterOffsetL - s.OuterOffsetR) / 2);
  e.BorderRight = int16_t((w + s.OuterOffsetR - s.OuterOffsetL) / 2);
  e.BorderTop = int16_t((sh + s.OuterOffsetT - s.OuterOffsetB) / 2);
  e.BorderBottom = int16_t((sh + s.OuterOffsetB - s.OuterOffsetT) / 2);
  const int32_t index = int32_t(data.Masks.size());
  const int32_t shared = AddSharedImage(data, std::move(picture), "Outer" + std::to_string(index), 1, data.PPI,
                                        TacRect{}, s.SectionName + "-OUTERMASK");
  e.Image = data.SharedImages[size_t(shared)].Bitmap.get();
  data.Masks.push_back(std::move(e));
  return index;
}

// ---------------------------------------------------------------- look-ups

int32_t GetSkinIndex(const TacSkinData& data, std::string_view name) {
  if (name.empty()) return -1;
  for (size_t i = 0; i < data.Sections.size(); ++i)
    if (data.Sections[i].SectionName == name) return int32_t(i);
  return -1;
}

int32_t GetMaskIndex(const TacSkinData& data, int32_t skinIndex, std::string_view imageName) {
  std::set<int32_t> visited;
  while (IndexInRange(skinIndex, int32_t(data.Sections.size())) && visited.insert(skinIndex).second) {
    for (size_t m = 0; m < data.Masks.size(); ++m)
      if (data.Masks[m].SectionIndex == skinIndex && data.Masks[m].KeyName == imageName) return int32_t(m);
    skinIndex = GetSkinIndex(data, data.Sections[size_t(skinIndex)].ParentClass);
  }
  return -1;
}

int32_t GetTextureIndex(const TacSkinData& data, int32_t skinIndex, std::string_view sectionName,
                        std::string_view imageName) {
  if (skinIndex < 0 || data.Masks.empty()) return -1;
  std::set<std::string, std::less<>> visited;
  std::string name(sectionName);
  while (!name.empty() && visited.insert(name).second) {
    for (size_t m = 0; m < data.Masks.size(); ++m) {
      const TsMaskData& e = data.Masks[m];
      if (e.ElementKind == 1 && e.SectionName == name && e.KeyName == imageName) return int32_t(m);
    }
    if (!IndexInRange(skinIndex, int32_t(data.Sections.size()))) return -1;
    std::string parent = data.Sections[size_t(skinIndex)].ParentClass;
    if (parent.empty() || parent == name) return -1;
    skinIndex = GetSkinIndex(data, parent);
    name = parent;
  }
  return -1;
}

int32_t FindMaskIndex(const TacSkinData& data, std::string_view sectionName, std::string_view imageName) {
  if (sectionName.empty()) return -1;
  for (size_t m = 0; m < data.Masks.size(); ++m)
    if (data.Masks[m].SectionName == sectionName && data.Masks[m].KeyName == imageName) return int32_t(m);
  return -1;
}

}  // namespace skin

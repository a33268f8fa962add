#include "skin/core/acSkinAdjust.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace skin {

namespace {

constexpr uint32_t kNoColor = 0xFFFFFFFF;  // -1: a state value that gives no colour

// The palette entries that follow the skin's colour changes.
bool AdjustedEntry(size_t i) {
  return i <= 2 || (i >= 4 && i <= 13) || (i >= 27 && i <= 38) || (i >= 55 && i <= 58);
}

template <class F>
void ForEachStateColor(TacSkinData& d, bool gradientOnlyInUse, F change) {
  for (TsGeneralData& s : d.Sections)
    for (TsGenState& st : s.StateParams) {
      for (uint32_t* c : {&st.Color, &st.FontColor, &st.GlowColor})
        if (*c != kNoColor) *c = change(*c);
      for (int32_t* c : {&st.ContourLeft, &st.ContourTop, &st.ContourRight, &st.ContourBottom})
        if (*c != -1) *c = int32_t(change(uint32_t(*c)));
      if (!gradientOnlyInUse || st.GradientPercent > 0)
        for (TsGradStop& g : st.Gradient) g.Color = change(g.Color);
    }
}

template <class F>
void ForPaletteAndShadow(TacSkinColorTarget& t, F change) {
  if (t.ShadowColor) *t.ShadowColor = change(*t.ShadowColor);
  if (t.Palette)
    for (size_t i = 0; i < t.Palette->size(); ++i)
      if (AdjustedEntry(i)) (*t.Palette)[i] = change((*t.Palette)[i]);
}

void Pixels(TBitmap32* bmp, TPixelProc proc, int param) {
  if (bmp) ForEachPixel(*bmp, proc, param, clFuchsia);
}

// The rows of the lower half of r (the mask part of an element with a mask half).
void CopyLowerHalf(TBitmap32& dst, const TBitmap32& src, const TacRect& r) {
  const int32_t top = r.Top + (r.Bottom - r.Top) / 2;
  for (int32_t y = std::max(top, 0); y < r.Bottom; ++y)
    for (int32_t x = std::max(r.Left, 0); x < r.Right; ++x)
      if (dst.Inside(x, y) && src.Inside(x, y)) dst.At(x, y) = src.At(x, y);
}

bool InsideAny(const std::vector<TacRect>& rects, int32_t x, int32_t y) {
  for (const TacRect& r : rects)
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return true;
  return false;
}

}  // namespace

void AdjustSaturation(TacSkinColorTarget& t, int amount) {
  if (amount == 0) return;
  const int v = std::clamp(amount * 255 / 100, -255, 255);
  Pixels(t.Master, SaturationPixelProc, v);
  if (t.Data) {
    for (TacBmpData& img : t.Data->SharedImages) Pixels(img.Bitmap.get(), SaturationPixelProc, v);
    ForEachStateColor(*t.Data, false, [v](uint32_t c) { return ChangeColorSaturation(c, v); });
  }
  ForPaletteAndShadow(t, [v](uint32_t c) { return ChangeColorSaturation(c, v); });
}

void AdjustBrightness(TacSkinColorTarget& t, int amount) {
  if (amount == 0) return;
  // The mask halves keep their values: they are shapes, not colours.
  TBitmap32 before = t.Master ? t.Master->Clone() : TBitmap32();
  Pixels(t.Master, BrightnessPixelProc, amount);
  if (t.Data) {
    if (t.Master)
      for (const TsMaskData& e : t.Data->Masks)
        if (!e.Image && e.MaskBlocks > 0) CopyLowerHalf(*t.Master, before, e.SrcRect);
    for (TacBmpData& img : t.Data->SharedImages) {
      if (!img.Bitmap) continue;
      TBitmap32& bmp = *img.Bitmap;
      if (img.MaskBlocks > 0) {
        TBitmap32 mask = bmp.Clone();
        Pixels(&bmp, BrightnessPixelProc, amount);
        CopyLowerHalf(bmp, mask, TacRect{0, 0, bmp.Width(), bmp.Height()});
      } else {
        Pixels(&bmp, BrightnessPixelProc, amount);
      }
    }
    ForEachStateColor(*t.Data, false, [amount](uint32_t c) { return ChangeColorBrightness(c, amount); });
  }
}

void AdjustHue(TacSkinColorTarget& t, int degrees) {
  if (degrees == 0) return;
  std::vector<const TBitmap32*> kept;
  if (t.KeepHue < 1) {
    Pixels(t.Master, HuePixelProc, degrees);
  } else {
    // The title-button icons keep their colours: those cut from the master bitmap by
    // leaving their regions out, those with pictures of their own (and their glows) by
    // leaving their pictures out.
    std::vector<TacRect> excluded;
    if (t.Data) {
      std::vector<const char*> names{"BICONCLOSE", "BICLOSEALONE", "SICONCLOSE"};
      if (t.KeepHue == 1)
        names.insert(names.end(), {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONMAX", "SICONMIN",
                                   "SICONNORM"});
      const int32_t global = GetSkinIndex(*t.Data, "GLOBALINFO");
      for (const char* name : names) {
        const int32_t i = GetMaskIndex(*t.Data, global, name);
        if (i < 0) continue;
        const TsMaskData& e = t.Data->Masks[size_t(i)];
        if (!e.Image) {
          excluded.push_back(e.SrcRect);
          continue;
        }
        kept.push_back(e.Image);
        const int32_t glow = GetMaskIndex(*t.Data, global, std::string(name) + "GLOW0");
        if (glow >= 0 && t.Data->Masks[size_t(glow)].Image) kept.push_back(t.Data->Masks[size_t(glow)].Image);
      }
    }
    if (t.Master && t.Master->HasRows()) {
      const TPixel key = SwapRB(clFuchsia);
      for (int32_t y = 0; y < t.Master->Height(); ++y)
        for (int32_t x = 0; x < t.Master->Width(); ++x) {
          TPixel& p = t.Master->At(x, y);
          if (p != key && !InsideAny(excluded, x, y)) HuePixelProc(&p, degrees);
        }
    }
  }
  if (t.Data) {
    for (TacBmpData& img : t.Data->SharedImages)
      if (img.Bitmap && std::find(kept.begin(), kept.end(), img.Bitmap.get()) == kept.end())
        Pixels(img.Bitmap.get(), HuePixelProc, degrees);
    ForEachStateColor(*t.Data, true, [degrees](uint32_t c) { return ChangeColorHue(degrees, c); });
  }
  ForPaletteAndShadow(t, [degrees](uint32_t c) { return ChangeColorHue(degrees, c); });
}

void ApplyColorAdjustments(TacSkinColorTarget& t, int hueOffset, int saturation, int brightness) {
  AdjustHue(t, hueOffset);
  AdjustSaturation(t, saturation);
  AdjustBrightness(t, brightness);
}

void MirrorElementFrames(const TsMaskData& e, TBitmap32* master) {
  TBitmap32* img = e.Image ? e.Image : master;
  if (!img || !img->HasRows() || e.FrameCount <= 0) return;
  const int32_t w = RectWidth(e.SrcRect) / e.FrameCount;
  for (int32_t y = std::max(e.SrcRect.Top, 0); y < std::min(e.SrcRect.Bottom, img->Height()); ++y)
    for (int32_t n = 0; n < e.FrameCount; ++n) {
      const int32_t left = e.SrcRect.Left + n * w;
      for (int32_t i = 0; i < w / 2; ++i) {
        const int32_t a = left + i, b = left + w - 1 - i;
        if (img->Inside(a, y) && img->Inside(b, y)) std::swap(img->At(a, y), img->At(b, y));
      }
    }
}

void MirrorTitleButtons(const std::vector<TacSkinData*>& steps, TBitmap32* master) {
  struct Done {
    const TBitmap32* Image;
    TacRect Rect;
    int16_t Frames;
  };
  std::vector<Done> done;
  auto mirror = [&](const TacSkinData& d, int32_t index) {
    if (!IndexInRange(index, int32_t(d.Masks.size()))) return;
    const TsMaskData& e = d.Masks[size_t(index)];
    for (const Done& x : done)
      if (x.Image == e.Image && x.Rect == e.SrcRect && x.Frames == e.FrameCount) return;
    done.push_back({e.Image, e.SrcRect, e.FrameCount});
    MirrorElementFrames(e, master);
  };
  for (TacSkinData* d : steps) {
    if (!d) continue;
    // Close, maximize, minimize and restore: entries 1 to 4 of the title-button table.
    for (size_t k = 1; k <= 4; ++k) {
      mirror(*d, d->TitleBtnImages[k]);
      if (!d->TitleBtnGlows[k].empty()) mirror(*d, d->TitleBtnGlows[k][0]);
    }
  }
}

}  // namespace skin

#include "skin/core/acControlPaint.h"

#include <algorithm>

#include "rtl/Utf.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGradientGdi.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/graphics/acSkinText.h"
#include "skin/graphics/acTextPixels.h"

namespace skin {

namespace {

int LimitState(int state, int states) { return std::max(0, std::min({state, states - 1, 2})); }

bool Inside(const gui::TRect& r, const gui::TBitmap& bmp) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= bmp.Width() && r.Bottom <= bmp.Height();
}

void ColorEffects(gui::TBitmap& bmp, TsCommonData& d, uint32_t tone, int saturation) {
  TBitmap32 px = Pixels32(bmp);
  if (!px.HasRows()) return;
  if (tone != clNone) ForEachPixel(px, TonePixelProc, int(ColorToSkinRGB(tone, d.GetSkinManager())), clFuchsia);
  if (d.FHueOffset != 0) ForEachPixel(px, HuePixelProc, d.FHueOffset, clFuchsia);
  if (saturation != 0) ForEachPixel(px, SaturationPixelProc, saturation, clFuchsia);
}

}  // namespace

TSkinOnBitmap::TSkinOnBitmap(TsSkinManager* manager, TacSkinData* data, gui::TBitmap& bmp)
    : Fills(bmp.Canvas().Handle()) {
  if (manager && manager->MasterBitmap()) Master = Pixels32(*manager->MasterBitmap());
  Source.Data = data;
  Source.Master = Master.HasRows() ? &Master : nullptr;
  Source.Fills = &Fills;
}

TSkinOnBitmap::TSkinOnBitmap(TsCommonData& d, gui::TBitmap& bmp)
    : TSkinOnBitmap(d.GetSkinManager(), d.GetScaledSkin(), bmp) {}

void PaintControlBackground(TsCommonData& d, const TacBackgroundCache& cache, int state, gui::TBitmap& bmp,
                            gui::TPoint offset, const gui::TRect& r) {
  if (!d.IsSkinned(false)) return;
  uint32_t custom = clFuchsia;
  if (d.FCustomColor && d.FControl) custom = ColorToSkinRGB(uint32_t(d.FControl->Color()), d.GetSkinManager());
  TSkinOnBitmap skin(d.GetSkinManager(), d.GetScaledSkin(), bmp);
  TBitmap32 px = Pixels32(bmp);
  PaintSkinSectionBackground(skin.Source, d.FSkinIndex, cache, state, r, offset, px, -1, -1, custom);
}

void PaintControlSection(TsCommonData& d, const TacBackgroundCache& cache, int state, const gui::TRect& r,
                         gui::TPoint offset, gui::TBitmap& bmp, bool maskUsesCache) {
  if (!d.GetSkinManager() || bmp.Empty() || !d.IsSkinned(false) || !Inside(r, bmp)) return;
  PaintControlBackground(d, cache, state, bmp, offset, r);
  TSkinOnBitmap skin(d.GetSkinManager(), d.GetScaledSkin(), bmp);
  TBitmap32 px = Pixels32(bmp);
  PaintSectionCorners(skin.Source, d.FSkinIndex, state, r, px);
  const TacSkinData& data = *skin.Source.Data;
  const TsGeneralData& sec = data.Sections[size_t(d.FSkinIndex)];
  const int st = LimitState(state, sec.States);
  bool effects = sec.StateParams[size_t(st)].Transparency == 0;
  if (skin.Source.ValidElement(sec.BorderIndex)) {
    const TsMaskData& m = data.Masks[size_t(sec.BorderIndex)];
    if (!(state == 0 && (m.PaintFlags & 4))) {
      TacBackgroundCache moved = cache;
      moved.X += offset.X;
      moved.Y += offset.Y;
      DrawSkinMask(px, r, moved, m, skin.Source.Master, st, maskUsesCache);
      effects = true;
    }
  }
  if (effects) ColorEffects(bmp, d, d.FColorTone, d.FSaturation);
}

void ApplyColorEffects(gui::TBitmap& bmp, TsCommonData& d, uint32_t tone, int state) {
  uint32_t t = d.FColorTone;
  if (d.FControlKind == 93 || d.FControlKind == 94) t = (tone == clNone || tone == 0) ? clNone : tone;
  ColorEffects(bmp, d, t, std::clamp(d.FSaturation * 255 / 100, -255, 255));
  if (&bmp == d.FCache.get())
    FillTransparentCorners(d, state, acTopLeft | acBottomLeft | acTopRight | acBottomRight);
}

namespace {

int32_t WebButtonIndex(const TacSkinData& sd) {
  static const size_t at = size_t(
      std::find(StandardSectionNames.begin(), StandardSectionNames.end(), "WEBBUTTON") - StandardSectionNames.begin());
  return at < sd.StandardSections.size() ? sd.StandardSections[at] : -1;
}

}  // namespace

void WriteControlText(gui::TCanvas& canvas, std::string_view text, bool enabled, const gui::TRect& r, UINT format,
                      TsCommonData* d, int state, bool allowGlow) {
  // A web button's caption is underlined while hot or pressed, as a link is.
  if (state != 0 && d && d->IsSkinned(false))
    if (const TacSkinData* sd = d->GetScaledSkin(); sd && d->FSkinIndex >= 0 && d->FSkinIndex == WebButtonIndex(*sd))
      canvas.Font().SetStyle(canvas.Font().Style() | gui::fsUnderline);
  canvas.TextWidth(std::string());  // the canvas font into its DC
  HDC dc = canvas.Handle();
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  const std::wstring w = rtl::W(text);
  auto draw = [&](gui::TRect at, uint32_t color) {
    SetTextColor(dc, ColorToRGB(color) & 0xFFFFFF);
    RECT rc{at.Left, at.Top, at.Right, at.Bottom};
    DrawTextW(dc, w.c_str(), int(w.size()), &rc, format);
  };
  auto plain = [&] {
    if (!enabled) {
      draw(r.Offset(1, 1), 0xFF000014);  // clBtnHighlight
      draw(r, 0xFF000010);               // clBtnShadow
    } else {
      draw(r, uint32_t(canvas.Font().Color()));
    }
  };
  if (!d || !d->IsSkinned(false) || d->FCustomFont) {
    plain();
    RestoreDC(dc, saved);
    return;
  }
  TacSkinData* data = d->GetScaledSkin();
  int index = d->FSkinIndex;
  gui::TControl* c = d->FControl;
  if (c && c->Parent() &&
      std::find(data->StandardSections.begin(), data->StandardSections.begin() + 10, index) !=
          data->StandardSections.begin() + 10)
    index = GetFontSourceIndex(c, index, d->GetSkinManager(), state);
  if (index < 0 && c && c->Parent()) {
    canvas.Font().SetColor(c->Parent()->Font().Color());
    plain();
    RestoreDC(dc, saved);
    return;
  }
  if (index < 0 || size_t(index) >= data->Sections.size()) {
    draw(r, uint32_t(canvas.Font().Color()));
    RestoreDC(dc, saved);
    return;
  }
  const TsGenState& st = data->Sections[size_t(index)].StateParams[size_t(std::clamp(state, 0, 2))];
  auto effect = [&](uint32_t color) { return ApplyColorEffectsToColor(color, d->FColorTone, d->FHueOffset, d->FSaturation); };
  if (allowGlow && d->FCache && st.GlowSize != 0) {
    // The glow stays inside the text's rectangle: what lies around it is put back.
    TBitmap32 px = Pixels32(*d->FCache);
    const TBitmap32 before = px.Clone();
    TacGlowMask mask;
    DrawTextGlow(*d->FCache, text, r, format, 15, st.GlowSize, effect(st.GlowColor), mask);
    for (int y = 0; y < px.Height(); ++y)
      for (int x = 0; x < px.Width(); ++x)
        if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) px.At(x, y) = before.At(x, y);
  }
  if (!enabled) {
    TsSkinManager* m = d->GetSkinManager();
    draw(r, effect(MixColors(st.FontColor, m ? m->GetGlobalColor() : 0, 100)));
  } else {
    const int32_t contours[4] = {st.ContourLeft, st.ContourTop, st.ContourRight, st.ContourBottom};
    const gui::TPoint moves[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    for (int i = 0; i < 4; ++i)
      if (contours[i] != -1) draw(r.Offset(moves[i].X, moves[i].Y), effect(uint32_t(contours[i])));
    draw(r, effect(st.FontColor));
  }
  RestoreDC(dc, saved);
}

}  // namespace skin

#include "skin/graphics/acSkinSection.h"

#include <algorithm>

#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acNineParts.h"
#include "skin/graphics/acSkinMask.h"

namespace skin {

using gui::Bounds;

bool TacSectionSource::ValidSection(int index) const {
  return Data != nullptr && index >= 0 && static_cast<size_t>(index) < Data->Sections.size();
}
bool TacSectionSource::ValidElement(int index) const {
  return Data != nullptr && index >= 0 && static_cast<size_t>(index) < Data->Masks.size();
}

namespace {

constexpr TRect kCovered{-1, -1, -1, -1};

TRect Intersect(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

// Tiles of Src laid on a grid through Anchor, painted only inside Clip.
void TileFrom(TBitmap32& bmp, const TBitmap32& img, const TRect& src, TPoint anchor, TRect clip) {
  clip = Intersect(clip, bmp.Bounds());
  const int tw = src.Width(), th = src.Height();
  if (tw <= 0 || th <= 0 || clip.IsEmpty()) return;
  const auto first = [](int from, int anchorPos, int size) {
    const int k = from - anchorPos;
    return anchorPos + (k >= 0 ? k / size : -((-k + size - 1) / size)) * size;
  };
  for (int y = first(clip.Top, anchor.Y, th); y < clip.Bottom; y += th)
    for (int x = first(clip.Left, anchor.X, tw); x < clip.Right; x += tw) {
      const TRect d = Intersect(Bounds(x, y, tw, th), clip);
      if (d.IsEmpty()) continue;
      const TRect part = Bounds(src.Left + d.Left - x, src.Top + d.Top - y, d.Width(), d.Height());
      DrawBlitParts(bmp, img, {TBlitPart{d, part}});
    }
}

// The element stretched over a strip; a strip shorter (narrower) than the element across
// its length takes only as many of the element's rows (columns).
void StretchStrip(TBitmap32& bmp, const TBitmap32& img, TRect src, const TRect& strip, bool horizontal) {
  if (strip.IsEmpty()) return;
  if (horizontal)
    src.Bottom = src.Top + std::min(src.Height(), strip.Height());
  else
    src.Right = src.Left + std::min(src.Width(), strip.Width());
  DrawBlitParts(bmp, img, {TBlitPart{strip, src, true}});
}

// Bands of the element's height (width) across R, each stretched to R's width (height);
// the last one moved back to end at R's bottom (right).
void StretchBands(TBitmap32& bmp, const TBitmap32& img, const TRect& src, const TRect& r, bool rows) {
  const int size = rows ? src.Height() : src.Width();
  const int start = rows ? r.Top : r.Left, end = rows ? r.Bottom : r.Right;
  if (size <= 0) return;
  const auto band = [&](int pos) {
    const int p = std::max(pos, start);
    StretchStrip(bmp, img, src, rows ? TRect{r.Left, p, r.Right, std::min(p + size, end)}
                                     : TRect{p, r.Top, std::min(p + size, end), r.Bottom},
                 rows);
  };
  int pos = start;
  for (; pos + size <= end; pos += size) band(pos);
  if (pos < end) band(end - size);
}

TRect Uncovered(const TRect& r) { return r.IsEmpty() ? kCovered : r; }

}  // namespace

void PaintTexture(TBitmap32& bmp, TRect& r, const TsMaskData& texture, const TBitmap32* master) {
  const TBitmap32* img = ElementImage(texture, master);
  const TRect src = ToRect(texture.SrcRect);
  if (img == nullptr || src.IsEmpty() || r.IsEmpty()) return;
  const int ew = src.Width(), eh = src.Height();
  const TRect a = r;
  switch (texture.PaintFlags) {
    case 0: TileFrom(bmp, *img, src, {a.Left, a.Top}, a); r = kCovered; break;
    case 1: DrawBlitParts(bmp, *img, {TBlitPart{a, src, true}}); r = kCovered; break;
    case 2:
      TileFrom(bmp, *img, src, {a.Left, a.Top}, {a.Left, a.Top, a.Right, std::min(a.Top + eh, a.Bottom)});
      r = Uncovered({a.Left, a.Top + eh, a.Right, a.Bottom});
      break;
    case 3:
      TileFrom(bmp, *img, src, {a.Left, a.Top}, {a.Left, a.Top, std::min(a.Left + ew, a.Right), a.Bottom});
      r = Uncovered({a.Left + ew, a.Top, a.Right, a.Bottom});
      break;
    case 4:
      StretchStrip(bmp, *img, src, {a.Left, a.Top, a.Right, std::min(a.Top + eh, a.Bottom)}, true);
      r = Uncovered({a.Left, a.Top + eh, a.Right, a.Bottom});
      break;
    case 5:
      StretchStrip(bmp, *img, src, {a.Left, a.Top, std::min(a.Left + ew, a.Right), a.Bottom}, false);
      r = Uncovered({a.Left + ew, a.Top, a.Right, a.Bottom});
      break;
    case 6:
      TileFrom(bmp, *img, src, {a.Left, a.Bottom - eh}, {a.Left, std::max(a.Top, a.Bottom - eh), a.Right, a.Bottom});
      r = Uncovered({a.Left, a.Top, a.Right, a.Bottom - eh});
      break;
    case 7:
      TileFrom(bmp, *img, src, {a.Right - ew, a.Top}, {std::max(a.Left, a.Right - ew), a.Top, a.Right, a.Bottom});
      r = Uncovered({a.Left, a.Top, a.Right - ew, a.Bottom});
      break;
    case 10:
      TileFrom(bmp, *img, src, {a.Left, a.Top}, {a.Left, a.Top, a.Right, a.Top + a.Height() / eh * eh});
      r = kCovered;
      break;
    case 11: StretchBands(bmp, *img, src, a, true); r = kCovered; break;
    case 12: StretchBands(bmp, *img, src, a, false); r = kCovered; break;
    case 13: TileFrom(bmp, *img, src, {a.Right - ew, a.Bottom - eh}, a); r = kCovered; break;
    default: break;  // no texture of that mode: the colour fills the rectangle
  }
}

void PaintMaskedTexture(TBitmap32& bmp, TRect& r, const TsMaskData& texture, const TBitmap32* master,
                        const TacBackgroundCache& cache) {
  const TBitmap32* img = ElementImage(texture, master);
  const int mode = texture.PaintFlags;
  const TRect a = r;
  r = kCovered;
  if (img == nullptr || (mode != 0 && mode != 10) || a.IsEmpty()) return;
  const int fw = texture.FrameWidth, fh = ToRect(texture.SrcRect).Height() / 2;
  if (fw <= 0 || fh <= 0) return;
  const TRect tile = Bounds(texture.SrcRect.Left, texture.SrcRect.Top, fw, fh);
  const TRect area = mode == 0 ? a : TRect{a.Left, a.Top, a.Left + a.Width() / fw * fw, a.Top + a.Height() / fh * fh};
  ForEachTile(bmp.Bounds(), area, tile,
              [&](const TRect& d, const TRect& s) { CopyMaskedFromMaster(d, s, bmp, cache, texture, img); });
  if (mode == 0) return;
  // The band below the last full row and the column right of the last full tile.
  const TRect below{a.Left, area.Bottom, a.Right, a.Bottom}, right{area.Right, a.Top, a.Right, area.Bottom};
  for (const TRect& rest : {below, right}) {
    if (rest.IsEmpty()) continue;
    if (cache.Ready && cache.Bitmap != nullptr)
      DrawBlitParts(bmp, *cache.Bitmap, {TBlitPart{rest, rest.Offset(cache.X, cache.Y)}});
    else
      FillBitmapRect(bmp, rest, cache.FillColor, 255);
  }
}

namespace {

int LimitState(int state, int states) { return std::max(0, std::min({state, states - 1, 2})); }

bool AlphaGradient(const TsGradArray& g) { return !g.empty() && (g[0].Mode & gmAlphaGradient) != 0; }

// The state's look without anything behind it, into R of Bmp.
struct TOpaque {
  const TacSectionSource& skin;
  TColor color;
  int I, G, texture;
  const TsGradArray* gradient;
  // The rules of a section painted with another border element: no texture and gradient in
  // one pass, and at the end a sum of 0 or above 100 fills with EndColor.
  bool withMask = false;
  TColor endColor = 0;

  void Paint(TBitmap32& bmp, TRect r, TGradientFills* fills) const {
    const TacSkinData& d = *skin.Data;
    const bool validTexture = skin.ValidElement(texture);
    const TsMaskData* tex = validTexture ? &d.Masks[size_t(texture)] : nullptr;
    const bool hasStops = gradient != nullptr && !gradient->empty();
    if (!withMask && I + G == 100 && G > 0 && G < 100 && tex != nullptr && tex->PaintFlags == 0 && hasStops &&
        (*gradient)[0].Mode < 2) {
      if (const TBitmap32* img = ElementImage(*tex, skin.Master))
        PaintTexturedGradient(bmp, r, *gradient, *img, ToRect(tex->SrcRect), uint8_t(I * 255 / 100), 255);
      return;
    }
    bool textured = false;
    if (I > 0 && tex != nullptr) {
      TRect rest = r;
      PaintTexture(bmp, rest, *tex, skin.Master);
      textured = true;
      FillBitmapRect(bmp, rest, color, 255);
    }
    if (G > 0) {
      if (textured) {
        TBitmap32 tmp(r.Width(), r.Height());
        if (hasStops)
          PaintGradient(tmp, tmp.Bounds(), *gradient);
        else
          FillBitmapRect(tmp, tmp.Bounds(), color, 255);
        BlendBitmapRect(bmp, tmp, uint8_t(std::clamp(I * 255 / 100, 0, 255)), LastPixelRect(tmp.Bounds()),
                        {r.Left, r.Top});
      } else if (hasStops) {
        PaintGradient(bmp, r, *gradient, fills);
      } else {
        FillBitmapRect(bmp, r, color, 255);
      }
    }
    const int s = I + G;
    if (s > 0 && s < 100)
      FadeRectToColor(bmp, LastPixelRect(r), uint8_t(s * 255 / 100), color);
    else if (s == 0 || (withMask && s > 100))
      FillBitmapRect(bmp, r, withMask ? endColor : color, 255);
  }
};

// The picture behind R as the cache knows it: its bitmap at the offset, or its fill colour.
void PutBackground(TBitmap32& bmp, const TRect& r, const TacBackgroundCache& cache, TPoint offset) {
  if (cache.Ready && cache.Bitmap != nullptr) {
    if (cache.Bitmap != &bmp)
      DrawBlitParts(bmp, *cache.Bitmap,
                    {TBlitPart{r, Bounds(cache.X + offset.X, cache.Y + offset.Y, r.Width(), r.Height())}});
  } else {
    FillBitmapRect(bmp, r, cache.FillColor, 255);
  }
}

// A cache that is not ready but holds a picture: only its margins outside FillRect are
// taken, the rest of R is the fill colour.
void PutBackgroundMargins(TBitmap32& bmp, const TRect& r, const TacBackgroundCache& cache, TPoint offset) {
  FillBitmapRect(bmp, r, cache.FillColor, 255);
  const TBitmap32& b = *cache.Bitmap;
  const TRect c = ClipRect(r, bmp);
  for (int y = c.Top; y < c.Bottom; ++y)
    for (int x = c.Left; x < c.Right; ++x) {
      const int sx = cache.X + offset.X + x - r.Left, sy = cache.Y + offset.Y + y - r.Top;
      if (!b.Inside(sx, sy)) continue;
      const bool margin = sx < cache.FillRect.Left || sy < cache.FillRect.Top ||
                          sx >= b.Width() - cache.FillRect.Right || sy >= b.Height() - cache.FillRect.Bottom;
      if (margin) bmp.At(x, y) = b.At(sx, sy);
    }
}

bool InsideBitmap(const TRect& r, const TBitmap32& bmp) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= bmp.Width() && r.Bottom <= bmp.Height();
}

TacBackgroundCache Moved(TacBackgroundCache c, TPoint offset) {
  c.X += offset.X;
  c.Y += offset.Y;
  return c;
}

}  // namespace

void PaintSkinSectionBackground(const TacSectionSource& skin, int skinIndex, const TacBackgroundCache& cache,
                                int state, const TRect& r, TPoint offset, TBitmap32& bmp, int texture, int hotTexture,
                                TColor customColor) {
  if (!skin.ValidSection(skinIndex) || !bmp.HasRows() || r.IsEmpty()) return;
  const TsGeneralData& sec = skin.Data->Sections[size_t(skinIndex)];
  const int st = LimitState(state, sec.States);
  const TsGenState& S = sec.StateParams[size_t(st)];
  TColor color = S.Color;
  int t = S.Transparency, I = 0, G = 0;
  bool alphaGradient = false;
  if (customColor == clFuchsia) {
    alphaGradient = AlphaGradient(S.Gradient);
    if (t < 100) {
      I = S.ImagePercent;
      G = alphaGradient ? 0 : S.GradientPercent;
    }
    if (I > 0 && texture < 0) texture = S.TextureIndex;
  } else {
    color = customColor;
    t = 0;
  }
  const TOpaque opaque{skin, color, I, G, texture, &S.Gradient, false, 0};
  const bool known = cache.Ready || cache.FillColor != clFuchsia;
  if (!known || t <= 0) {
    opaque.Paint(bmp, r, skin.Fills);
  } else if (t >= 100) {
    if (cache.Ready || cache.Bitmap == nullptr)
      PutBackground(bmp, r, cache, offset);
    else
      PutBackgroundMargins(bmp, r, cache, offset);
  } else if (cache.Ready || I + G != 0) {
    TBitmap32 tmp(r.Width(), r.Height());
    opaque.Paint(tmp, tmp.Bounds(), nullptr);
    PutBackground(bmp, r, cache, offset);
    BlendBitmapRect(bmp, tmp, uint8_t(t * 255 / 100), LastPixelRect(tmp.Bounds()), {r.Left, r.Top});
  } else {
    FillBitmapRect(bmp, r, MixColors(cache.FillColor, color, uint8_t(t * 255 / 100)), 255);
  }
  if (alphaGradient) PaintGradient(bmp, r, S.Gradient, skin.Fills);
  if (texture < 0) texture = S.TextureIndex;
  const int overlay = st == 0 ? texture : hotTexture;
  if (skin.ValidElement(overlay)) {
    const TsMaskData& m = skin.Data->Masks[size_t(overlay)];
    if (m.MaskBlocks > 0 && m.PaintFlags == 10) {
      TRect rest = r;
      PaintMaskedTexture(bmp, rest, m, skin.Master, Moved(cache, offset));
    }
  }
}

void PaintSectionCorners(const TacSectionSource& skin, int skinIndex, int state, const TRect& r, TBitmap32& bmp) {
  if (!skin.ValidSection(skinIndex) || !bmp.HasRows()) return;
  const TsGeneralData& sec = skin.Data->Sections[size_t(skinIndex)];
  const int st = LimitState(state, sec.States);
  const TacBackgroundCache self = MakeBackgroundCache(&bmp, 0, 0);
  for (size_t c = 0; c < 4; ++c) {  // top-left, top-right, bottom-left, bottom-right
    if (!skin.ValidElement(sec.CornerImages[c])) continue;
    const TsMaskData& m = skin.Data->Masks[size_t(sec.CornerImages[c])];
    const int x = (c == 1 || c == 3) ? r.Right - m.FrameWidth : r.Left;
    const int y = c >= 2 ? r.Bottom - m.FrameHeight : r.Top;
    DrawMaskGlyph(bmp, {x, y}, st, 1, m, skin.Master, self);
  }
}

void PaintSkinSection(const TacSectionSource& skin, int skinIndex, const TacBackgroundCache& cache, int state,
                      const TRect& r, TPoint offset, TBitmap32& bmp, int texture, int hotTexture) {
  if (!skin.ValidSection(skinIndex) || !bmp.HasRows() || r.IsEmpty() || !InsideBitmap(r, bmp)) return;
  PaintSkinSectionBackground(skin, skinIndex, cache, state, r, offset, bmp, texture, hotTexture, clFuchsia);
  PaintSectionCorners(skin, skinIndex, state, r, bmp);
  const TsGeneralData& sec = skin.Data->Sections[size_t(skinIndex)];
  const int st = LimitState(state, sec.States);
  if (skin.ValidElement(sec.BorderIndex))
    DrawSkinMask(bmp, r, Moved(cache, offset), skin.Data->Masks[size_t(sec.BorderIndex)], skin.Master, st, true);
}

void PaintStateBackgroundAlpha(const TacSectionSource& skin, int skinIndex, int state, const TRect& r,
                               TBitmap32& bmp) {
  if (!skin.ValidSection(skinIndex) || !bmp.HasRows() || r.IsEmpty()) return;
  TsGeneralData& sec = skin.Data->Sections[size_t(skinIndex)];
  TsGenState& S = sec.StateParams[size_t(std::clamp(state, 0, 2))];
  const int t = S.Transparency, I = S.ImagePercent, G = S.GradientPercent;
  const uint8_t alpha = uint8_t(std::clamp((100 - t) * 255 / 100, 0, 255));
  const bool whole = r == bmp.Bounds();
  if (t >= 100) {
    if (whole) FillBitmapRect(bmp, r, 0, 0);
    return;
  }
  const TsMaskData* tex = skin.ValidElement(S.TextureIndex) ? &skin.Data->Masks[size_t(S.TextureIndex)] : nullptr;
  if (I + G == 100 && G >= 1 && G <= 99 && tex != nullptr && tex->PaintFlags == 0 && !S.Gradient.empty() &&
      S.Gradient[0].Mode < 2) {
    if (const TBitmap32* img = ElementImage(*tex, skin.Master))
      PaintTexturedGradient(bmp, r, S.Gradient, *img, ToRect(tex->SrcRect), uint8_t(I * 255 / 100), alpha);
    return;
  }
  bool textured = false;
  if (I > 0) {
    TRect a = r;
    if (tex != nullptr) {
      if (tex->MaskBlocks != 0)
        PaintMaskedTexture(bmp, a, *tex, skin.Master, EmptyBackgroundCache());
      else
        PaintTexture(bmp, a, *tex, skin.Master);
      textured = true;
    }
    if (a.Right >= 0) FillBitmapRect(bmp, a, S.Color, 255);
  }
  if (G > 0) {
    if (textured) {
      TBitmap32 tmp(r.Width(), r.Height());
      if (S.Gradient.empty())
        FillBitmapRect(tmp, tmp.Bounds(), S.Color, 255);
      else
        PaintGradient(tmp, tmp.Bounds(), S.Gradient);
      BlendBitmapRect(bmp, tmp, uint8_t(std::clamp(I * 255 / 100, 0, 255)), LastPixelRect(tmp.Bounds()),
                      {r.Left, r.Top});
    } else if (S.Gradient.empty()) {
      FillBitmapRect(bmp, r, S.Color, 255);
    } else {
      // The stops take the state's opacity once; the mark keeps later paints from redoing it.
      if (!(S.Gradient[0].Mode & gmAlphaStop)) {
        for (TsGradStop& stop : S.Gradient) stop.Color = (stop.Color & 0x00FFFFFFu) | (uint32_t(alpha) << 24);
        S.Gradient[0].Mode |= gmAlphaStop;
      }
      PaintGradient(bmp, r, S.Gradient, skin.Fills);
    }
  }
  const int p = I + G;
  if (p > 0 && p < 100) {
    FadeRectToColor(bmp, LastPixelRect(r), uint8_t(p * 255 / 100), S.Color);
  } else if (p == 0) {
    const TPixel v = bmp.Inside(r.Left, r.Top) ? bmp.At(r.Left, r.Top) : 0;
    if (v == 0)
      FillBitmapRect(bmp, r, S.Color, alpha);
    else if (t == 0)
      FillBitmapRect(bmp, r, S.Color, 255);
    else
      BlendRectToColor(bmp, r, S.Color, uint8_t(100 - t), std::max<uint8_t>(ChA(v), alpha));
  }
}

void PaintSkinSectionAlpha(const TacSectionSource& skin, int skinIndex, int state, const TRect& r, TBitmap32& bmp,
                           bool composition) {
  if (!skin.ValidSection(skinIndex) || !bmp.HasRows() || r.IsEmpty() || !InsideBitmap(r, bmp)) return;
  const TsGeneralData& sec = skin.Data->Sections[size_t(skinIndex)];
  state = std::max(0, std::min(state, sec.States - 1));
  TBitmap32 copy(r.Width() + 1, r.Height() + 1);
  DrawBlitParts(copy, bmp, {TBlitPart{copy.Bounds(), Bounds(r.Left, r.Top, copy.Width(), copy.Height())}});
  PaintStateBackgroundAlpha(skin, skinIndex, std::min(state, 2), r, bmp);
  if (skin.ValidElement(sec.BorderIndex))
    DrawSkinMaskAlpha(bmp, r, MakeBackgroundCache(&copy, -r.Left, -r.Top), skin.Data->Masks[size_t(sec.BorderIndex)],
                      skin.Master, state);
  if (r == bmp.Bounds()) PremultiplyBitmapRect(bmp, r, composition);
}

void PaintSkinSectionWithMask(const TacSectionSource& skin, int skinIndex, int maskIndex, int texture,
                              int hotTexture, const TacBackgroundCache& cache, int state, const TRect& r, TPoint offset,
                              TBitmap32& bmp) {
  if (!skin.ValidSection(skinIndex) || !bmp.HasRows() || r.IsEmpty() || !InsideBitmap(r, bmp)) return;
  const TsGeneralData& sec = skin.Data->Sections[size_t(skinIndex)];
  const int st = LimitState(state, sec.States);
  const TsGenState& S = sec.StateParams[size_t(st)];
  const int t = S.Transparency;
  const bool alphaGradient = AlphaGradient(S.Gradient);
  const int I = t < 100 ? S.ImagePercent : 0, G = t < 100 && !alphaGradient ? S.GradientPercent : 0;
  const TColor endColor = !cache.Ready && t >= 100 ? cache.FillColor : S.Color;
  const TOpaque opaque{skin, S.Color, I, G, st == 0 ? texture : hotTexture, &S.Gradient, true, endColor};
  if (cache.Ready && t >= 100) {
    PutBackground(bmp, r, cache, offset);
  } else if (cache.Ready && t > 0) {
    TBitmap32 tmp(r.Width(), r.Height());
    opaque.Paint(tmp, tmp.Bounds(), nullptr);
    PutBackground(bmp, r, cache, offset);
    BlendBitmapRect(bmp, tmp, uint8_t(t * 255 / 100), LastPixelRect(tmp.Bounds()), {r.Left, r.Top});
  } else {
    opaque.Paint(bmp, r, skin.Fills);
  }
  if (alphaGradient) PaintGradient(bmp, r, S.Gradient, skin.Fills);
  if (skin.ValidElement(maskIndex))
    DrawSkinMask(bmp, r, Moved(cache, offset), skin.Data->Masks[size_t(maskIndex)], skin.Master, st, true);
}

}  // namespace skin

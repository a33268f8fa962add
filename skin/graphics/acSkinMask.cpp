#include "skin/graphics/acSkinMask.h"

#include <algorithm>

#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acNineParts.h"
#include "skin/graphics/acResample.h"

namespace skin {

using gui::Bounds;

const TacBackgroundCache& EmptyBackgroundCache() {
  static const TacBackgroundCache empty;
  return empty;
}

const TBitmap32* ElementImage(const TsMaskData& mask, const TBitmap32* master) {
  const TBitmap32* img = mask.Image != nullptr ? mask.Image : master;
  return img != nullptr && img->HasRows() ? img : nullptr;
}

namespace {

// Border widths shrunk to a destination narrower (lower) than both of them: each loses half
// the excess, an odd pixel taken from the right (bottom) one.
void ShrinkBorders(int& first, int& second, int size) {
  if (size >= first + second) return;
  const int d = first + second - size, h = d / 2;
  first = std::max(0, first - h);
  second = std::max(0, second - h - d % 2);
}

int FrameIndex(int state, int frameCount) { return std::max(0, state < frameCount ? state : frameCount - 1); }

// An element's geometry comes from the skin's text and may hold any values: a frame whose
// picture rectangle would not fit pixel coordinates is not drawn. X0 is the frame's left edge
// in the element's picture.
bool FrameFits(const TsMaskData& m, int state, int& x0) {
  constexpr int64_t kLimit = int64_t(1) << 28;
  const auto in = [](int64_t v) { return v > -kLimit && v < kLimit; };
  const int64_t left = int64_t(m.SrcRect.Left) + int64_t(FrameIndex(state, m.FrameCount)) * m.FrameWidth;
  if (!in(left) || !in(m.FrameWidth) || !in(m.FrameHeight) || !in(left + m.FrameWidth) || !in(m.SrcRect.Top) ||
      !in(int64_t(m.SrcRect.Top) + m.FrameHeight) || !in(m.SrcRect.Right) || !in(m.SrcRect.Bottom))
    return false;
  x0 = int(left);
  return true;
}

inline uint32_t MaskMix(uint32_t d, uint32_t i, uint32_t m) {  // ((d - i) * m + i * 256) >> 8
  return static_cast<uint32_t>((static_cast<int>(d) - static_cast<int>(i)) * static_cast<int>(m) +
                               static_cast<int>(i) * 256) >> 8;
}

// Each colour channel of D weighed against I by its own byte of M (the same byte W for all
// three when W is given); D's alpha kept.
inline TPixel MaskBlend(TPixel d, TPixel i, TPixel m) {
  return MakePixel(MaskMix(ChB(d), ChB(i), ChB(m)), MaskMix(ChG(d), ChG(i), ChG(m)), MaskMix(ChR(d), ChR(i), ChR(m)),
                   ChA(d));
}
inline TPixel MaskBlendAll(TPixel d, TPixel i, uint32_t w) { return MaskBlend(d, i, MakePixel(w, w, w, 0)); }

void CopyPart(TBitmap32& dst, const TRect& d, const TBitmap32& src, const TRect& s, bool stretch) {
  DrawBlitParts(dst, src, {TBlitPart{d, s, stretch}});
}

}  // namespace

bool LayoutSkinMask(const TsMaskData& mask, const TBitmap32* master, const TRect& r, int state, TMaskLayout& o) {
  if (state == 0 && (mask.PaintFlags & pfSkipState0)) return false;
  if (r.Width() < 2 || r.Height() < 2 || ElementImage(mask, master) == nullptr || mask.FrameCount <= 0) return false;
  o.L = mask.BorderLeft, o.T = mask.BorderTop, o.Rt = mask.BorderRight, o.B = mask.BorderBottom;
  ShrinkBorders(o.L, o.Rt, r.Width());
  ShrinkBorders(o.T, o.B, r.Height());
  if (!FrameFits(mask, state, o.X0)) return false;
  o.Y0 = mask.SrcRect.Top;
  o.MW = mask.FrameWidth - o.L - o.Rt;
  o.MH = mask.FrameHeight - o.T - o.B;
  if (o.MW < 0 || o.MH < 0) return false;
  // Plain and alpha elements hold no mask block: their bottom parts end at the rectangle's
  // bottom, a masked element's at its image block's.
  const int yb = mask.MaskBlocks != 0 ? o.Y0 + mask.FrameHeight : mask.SrcRect.Bottom;
  const int X0 = o.X0, Y0 = o.Y0, L = o.L, T = o.T, Rt = o.Rt, B = o.B, MW = o.MW, MH = o.MH;
  const int xr = X0 + L + MW;
  o.Parts = {{
      {Bounds(X0, Y0, L, T), {r.Left, r.Top, r.Left + L, r.Top + T}, mpCorner},
      {Bounds(X0, Y0 + T, L, MH), {r.Left, r.Top + T, r.Left + L, r.Bottom - B}, mpSide},
      {Bounds(X0 + L, Y0, MW, T), {r.Left + L, r.Top, r.Right - Rt, r.Top + T}, mpSide},
      {Bounds(X0, yb - B, L, B), {r.Left, r.Bottom - B, r.Left + L, r.Bottom}, mpCorner},
      {Bounds(X0 + L, yb - B, MW, B), {r.Left + L, r.Bottom - B, r.Right - Rt, r.Bottom}, mpSide},
      {Bounds(xr, yb - B, Rt, B), {r.Right - Rt, r.Bottom - B, r.Right, r.Bottom}, mpCorner},
      {Bounds(xr, Y0, Rt, T), {r.Right - Rt, r.Top, r.Right, r.Top + T}, mpCorner},
      {Bounds(xr, Y0 + T, Rt, MH), {r.Right - Rt, r.Top + T, r.Right, r.Bottom - B}, mpSide},
      {Bounds(X0 + L, Y0 + T, MW, MH), {r.Left + L, r.Top + T, r.Right - Rt, r.Bottom - B}, mpCentre},
  }};
  return true;
}

void DrawSkinMask(TBitmap32& bmp, const TRect& r, const TacBackgroundCache& cache, const TsMaskData& mask,
                  const TBitmap32* master, int state, bool useCache) {
  TMaskLayout lay;
  if (!bmp.HasRows() || !LayoutSkinMask(mask, master, r, state, lay)) return;
  const TBitmap32& img = *ElementImage(mask, master);
  const bool stretch = (mask.PaintFlags & pfStretch) != 0;
  const bool cornerCache = useCache && (mask.CornerFlags & 3) != 0;
  const int maskOffset = ToRect(mask.SrcRect).Height() / 2;
  for (const TMaskPart& p : lay.Parts) {
    if (p.Dst.IsEmpty() || p.Src.IsEmpty()) continue;
    if (p.Kind == mpCentre && !(mask.PaintFlags & pfDrawCentre)) continue;
    if (mask.MaskBlocks != 0) {
      if (p.Kind == mpCorner)
        DrawMaskedImage(p.Dst, p.Src, bmp, img, cache, cornerCache, maskOffset);
      else if (stretch)
        StretchMaskedPiece(p.Dst.Left, p.Dst.Top, p.Dst.Width(), p.Dst.Height(), p.Src.Left, p.Src.Top,
                           p.Src.Width(), p.Src.Height(), bmp, img, mask.FrameHeight, p.Kind == mpCentre);
      else
        ForEachTile(bmp.Bounds(), p.Dst, p.Src, [&](const TRect& d, const TRect& s) {
          DrawMaskedImage(d, s, bmp, img, EmptyBackgroundCache(), false, maskOffset);
        });
    } else if (mask.PaintFlags & pfAlphaPicture) {
      if (p.Kind != mpCorner && stretch)
        StretchAlphaBlend(bmp, p.Dst.Left, p.Dst.Top, p.Dst.Width(), p.Dst.Height(), img, p.Src.Left, p.Src.Top,
                          p.Src.Width(), p.Src.Height(), 255);
      else
        ForEachTile(bmp.Bounds(), p.Dst, p.Src, [&](const TRect& d, const TRect& s) {
          AlphaBlendRect(bmp, img, LastPixelRect(s), {d.Left, d.Top}, 255);
        });
    } else if (p.Kind == mpCorner) {
      CopyBitmapKeyed(bmp, img, p.Dst.Left, p.Dst.Top, LastPixelRect(p.Src), 0x00FF00FFu, cache, cornerCache);
    } else if (stretch) {
      CopyPart(bmp, p.Dst, img, p.Src, true);
    } else {
      ForEachTile(bmp.Bounds(), p.Dst, p.Src,
                  [&](const TRect& d, const TRect& s) { CopyPart(bmp, d, img, s, false); });
    }
  }
}

namespace {

// The image and mask pieces of a masked element at the destination size: resampled (a
// one-pixel piece first widened to two) for a centre and for pieces that only shrink along
// one side, else stretched pixel by pixel.
void StretchPieces(int dstW, int dstH, int srcX, int srcY, int srcW, int srcH, const TBitmap32& src, int maskOffset,
                   bool isCentre, int maskFilter, TBitmap32& image, TBitmap32& mask) {
  const bool smooth = dstW > 1 && dstH > 1 &&
                      (isCentre || (dstW < srcW && srcH == dstH) || (srcW == dstW && dstH < srcH));
  for (int k = 0; k < 2; ++k) {
    TBitmap32& out = k == 0 ? image : mask;
    const int top = srcY + (k == 0 ? 0 : maskOffset);
    if (smooth) {
      TBitmap32 work(std::max(srcW, 2), std::max(srcH, 2));
      CopyPart(work, Bounds(srcW == 1 ? 1 : 0, srcH == 1 ? 1 : 0, srcW, srcH), src, Bounds(srcX, top, srcW, srcH),
               false);
      ResampleBitmap(work, out, dstW, dstH, k == 0 ? 6 : maskFilter);
    } else {
      out = TBitmap32(dstW, dstH);
      CopyPart(out, out.Bounds(), src, Bounds(srcX, top, srcW, srcH), true);
    }
  }
}

}  // namespace

namespace {

// The rules by which a stretched masked piece meets the destination: the filter of the
// mask on the smooth path, whether a piece may start left of or above the bitmap, the rule
// for a pixel under other mask values (image pixel I, stretched mask pixel M) and for a
// one-pixel centre of colour K under mask byte G (neither 0 nor 255).
struct TPieceRules {
  int MaskFilter = 6;
  bool ClipNegative = false;
  int Opacity = 255;
  TPixel (*Pixel)(TPixel d, TPixel i, TPixel m, int opacity) = nullptr;
  TPixel (*Centre)(TPixel d, TPixel k, uint32_t g, int opacity) = nullptr;
};

void StretchPiece(int dstX, int dstY, int dstW, int dstH, int srcX, int srcY, int srcW, int srcH, TBitmap32& dst,
                  const TBitmap32& src, int maskOffset, bool isCentre, const TPieceRules& rules) {
  if ((!rules.ClipNegative && (dstX < 0 || dstY < 0)) || dstW <= 0 || dstH <= 0 || dst.Width() < 2 ||
      dst.Height() < 2)
    return;
  if (maskOffset == 0) {
    CopyPart(dst, Bounds(dstX, dstY, dstW, dstH), src, Bounds(srcX, srcY, srcW, srcH), true);
    return;
  }
  if (srcX < 0 || srcY < 0 || srcW <= 0 || srcH <= 0 || srcX + srcW > src.Width() || srcY + srcH > src.Height())
    return;
  const int maskY = srcY + maskOffset;
  const TRect target = ClipRect(Bounds(dstX, dstY, dstW, dstH), dst);
  if (isCentre && srcW == 1 && srcH == 1) {
    if (!src.Inside(srcX, maskY)) return;
    const TPixel k = src.At(srcX, srcY);
    const uint32_t g = ChR(src.At(srcX, maskY));
    if (g == 0) {
      FillBitmapRect(dst, target, SwapRB(k & 0x00FFFFFFu), 255);
    } else if (g != 255) {
      for (int y = target.Top; y < target.Bottom; ++y)
        for (int x = target.Left; x < target.Right; ++x) dst.At(x, y) = rules.Centre(dst.At(x, y), k, g, rules.Opacity);
    }
    return;
  }
  if (maskY < 0 || maskY + srcH > src.Height()) return;
  TBitmap32 image, mask;
  StretchPieces(dstW, dstH, srcX, srcY, srcW, srcH, src, maskOffset, isCentre, rules.MaskFilter, image, mask);
  if (!image.HasRows() || !mask.HasRows()) return;
  for (int y = target.Top; y < target.Bottom; ++y)
    for (int x = target.Left; x < target.Right; ++x)
      dst.At(x, y) =
          rules.Pixel(dst.At(x, y), image.At(x - dstX, y - dstY), mask.At(x - dstX, y - dstY), rules.Opacity);
}

inline uint32_t Weigh(uint32_t d, uint32_t s, uint32_t keep) {  // (d * keep + s * (255 - keep)) >> 8
  return (d * keep + s * (255u - keep)) >> 8;
}
inline TPixel WeighAll(TPixel d, TPixel s, uint32_t keep, uint32_t alpha) {
  return MakePixel(Weigh(ChB(d), ChB(s), keep), Weigh(ChG(d), ChG(s), keep), Weigh(ChR(d), ChR(s), keep), alpha);
}
// Alpha 0 becomes Zero, alpha below Floor becomes Floor, others stay.
inline uint32_t RaiseAlpha(uint32_t a, uint32_t zero, uint32_t floor) { return a == 0 ? zero : std::max(a, floor); }

const TPieceRules kPlainPiece{6, false, 255,
                              [](TPixel d, TPixel i, TPixel m, int) { return MaskBlend(d, i, m) | 0xFF000000u; },
                              [](TPixel d, TPixel k, uint32_t g, int) { return MaskBlendAll(d, k, g); }};

const TPieceRules kAlphaPiece{
    2, true, 255,
    [](TPixel d, TPixel i, TPixel mp, int) {
      const uint32_t m = ChR(mp);
      if (m == 0) return i | 0xFF000000u;
      if (m == 255) return d;
      return WeighAll(d, i, m, std::max<uint32_t>(ChA(d), 255u - m));
    },
    [](TPixel d, TPixel k, uint32_t f, int) {
      const uint32_t w = std::min<uint32_t>(f, ChA(d));
      return WeighAll(d, k, w, std::max<uint32_t>(ChA(d), 255u - f));
    }};

TPieceRules BlendedPiece(int opacity) {
  return {2, true, opacity,
          [](TPixel d, TPixel i, TPixel mp, int o) {
            const uint32_t m = ChR(mp), op = static_cast<uint32_t>(o);
            if (m == 0) return WeighAll(d, i, 255u - op, (ChA(mp) * op) >> 8);
            if (m == 255) return d;
            const uint32_t h = ((255u - m) * op) >> 8;
            return WeighAll(d, i, 255u - h, RaiseAlpha(ChA(d), h, 255u - m));
          },
          [](TPixel d, TPixel k, uint32_t g, int o) {
            const uint32_t v = ((255u - g) * static_cast<uint32_t>(o)) >> 8;
            return WeighAll(d, k, 255u - v, RaiseAlpha(ChA(d), 255u - g, 255u - g));
          }};
}

}  // namespace

void StretchMaskedPiece(int dstX, int dstY, int dstW, int dstH, int srcX, int srcY, int srcW, int srcH,
                        TBitmap32& dst, const TBitmap32& src, int maskOffset, bool isCentre) {
  StretchPiece(dstX, dstY, dstW, dstH, srcX, srcY, srcW, srcH, dst, src, maskOffset, isCentre, kPlainPiece);
}

void StretchMaskedPieceAlpha(int dstX, int dstY, int dstW, int dstH, int srcX, int srcY, int srcW, int srcH,
                             TBitmap32& dst, const TBitmap32& src, int maskOffset, bool isCentre) {
  StretchPiece(dstX, dstY, dstW, dstH, srcX, srcY, srcW, srcH, dst, src, maskOffset, isCentre, kAlphaPiece);
}

void StretchMaskedPieceBlended(int dstX, int dstY, int dstW, int dstH, int srcX, int srcY, int srcW, int srcH,
                               TBitmap32& dst, const TBitmap32& src, int maskOffset, int opacity, bool isCentre) {
  StretchPiece(dstX, dstY, dstW, dstH, srcX, srcY, srcW, srcH, dst, src, maskOffset, isCentre,
               BlendedPiece(std::clamp(opacity, 0, 255)));
}

namespace {

// The masked copy of the alpha painters: image over the destination by the mask's red
// byte; key pixels take the cache's picture (at the destination's own position) or lose
// their alpha. Rule(d, s, m) gives the blended pixel.
template <class Rule>
void CopyMaskedWith(const TRect& dstR, const TRect& srcR, TBitmap32& bmp, const TBitmap32& src,
                    const TacBackgroundCache& cache, const TsMaskData& mask, Rule rule) {
  TCopyArea a = ClipRects(bmp, dstR, src, srcR);
  if (a.Empty()) return;
  int mo = ToRect(mask.SrcRect).Height() / 2;
  if (a.SrcY + mo + a.Height > src.Height()) mo = src.Height() - a.Height - a.SrcY;
  if (a.SrcY + mo < 0) return;
  const bool fromCache = cache.Ready && cache.Bitmap != nullptr;
  for (int j = 0; j < a.Height; ++j) {
    const TPixel* s = src.Row(a.SrcY + j) + a.SrcX;
    const TPixel* m = src.Row(a.SrcY + mo + j) + a.SrcX;
    TPixel* d = bmp.Row(a.DstY + j) + a.DstX;
    for (int i = 0; i < a.Width; ++i) {
      if (s[i] != 0x00FF00FFu) {
        d[i] = rule(d[i], s[i], ChR(m[i]));
      } else if (fromCache) {
        const int bx = cache.X + a.DstX + i, by = cache.Y + a.DstY + j;
        if (cache.Bitmap->Inside(bx, by)) d[i] = cache.Bitmap->At(bx, by);
      } else {
        d[i] &= 0x00FFFFFFu;
      }
    }
  }
}

}  // namespace

void CopyMaskedAlpha(const TRect& dstR, const TRect& srcR, TBitmap32& bmp, const TBitmap32& src,
                     const TacBackgroundCache& cache, const TsMaskData& mask) {
  CopyMaskedWith(dstR, srcR, bmp, src, cache, mask, [](TPixel d, TPixel s, uint32_t m) {
    const uint32_t a = ChA(d);
    return WeighAll(d, s, m, a == 255 ? 255u : RaiseAlpha(a, 255u - m, 255u - m));
  });
}

void CopyMaskedBlended(const TRect& dstR, const TRect& srcR, TBitmap32& bmp, const TBitmap32& src,
                       const TacBackgroundCache& cache, const TsMaskData& mask, int opacity) {
  const uint32_t op = static_cast<uint32_t>(std::clamp(opacity, 0, 255));
  const bool ready = cache.Ready;
  CopyMaskedWith(dstR, srcR, bmp, src, cache, mask, [op, ready](TPixel d, TPixel s, uint32_t m) {
    const uint32_t h = ((255u - m) * op) >> 8, a = ChA(d);
    return WeighAll(d, s, 255u - h, a == 255 ? 255u : RaiseAlpha(a, ready ? 255u - m : h, 255u - m));
  });
}

void DrawMaskGlyph(TBitmap32& bmp, TPoint p, int state, int blendMode, const TsMaskData& mask,
                   const TBitmap32* master, const TacBackgroundCache& cache) {
  if (!bmp.HasRows() || mask.FrameCount <= 0 || mask.FrameWidth <= 0 || mask.FrameHeight <= 0) return;
  int x0 = 0;
  if (!FrameFits(mask, state, x0)) return;
  const TRect src = Bounds(x0, mask.SrcRect.Top, mask.FrameWidth, mask.FrameHeight);
  const TRect dst = Bounds(p.X, p.Y, mask.FrameWidth, mask.FrameHeight);
  if (mask.Image != nullptr) {
    if (mask.Image->Width() < mask.SrcRect.Right || mask.Image->Height() < mask.SrcRect.Bottom) return;
    DrawMaskGlyphPixels(LastPixelRect(dst), LastPixelRect(src), bmp, *mask.Image, blendMode, mask);
    return;
  }
  if (master == nullptr || !master->HasRows()) return;
  if (mask.MaskBlocks > 0)
    DrawMaskGlyphPixels(LastPixelRect(dst), LastPixelRect(src), bmp, *master, blendMode, mask);
  else if (mask.PaintFlags & pfAlphaPicture)
    AlphaBlendRect(bmp, *master, LastPixelRect(src), p, blendMode == 1 ? 255 : 127);
  else if (blendMode == 1)
    CopyBitmapKeyed(bmp, *master, p.X, p.Y, LastPixelRect(src), 0x00FF00FFu, cache, true);
  else
    BlendCopyBitmap(bmp, p.X, p.Y, *master, LastPixelRect(src), 127, 0x00FF00FFu);
}

void DrawMaskGlyphPixels(const TRect& dstR, const TRect& srcR, TBitmap32& bmp, const TBitmap32& src, int blendMode,
                         const TsMaskData& mask) {
  TCopyArea a = ClipRects(bmp, InclusiveRect(dstR), src, InclusiveRect(srcR));
  if (a.Empty()) return;
  if (mask.MaskBlocks == 0 && !(mask.PaintFlags & pfAlphaPicture)) {
    BlendBitmapKeyed(bmp, src, a.DstX, a.DstY, LastPixelRect(Bounds(a.SrcX, a.SrcY, a.Width, a.Height)), clFuchsia,
                     blendMode == 1 ? 0 : 180);
    return;
  }
  const bool normal = blendMode == 1;
  if (mask.MaskBlocks != 0) {
    const int mo = ToRect(mask.SrcRect).Height() / (mask.MaskBlocks + 1);
    a.Height = std::min(a.Height, src.Height() - (a.SrcY + mo));
    if (a.Height <= 0 || a.SrcY + mo < 0) return;
    for (int j = 0; j < a.Height; ++j) {
      const TPixel* s = src.Row(a.SrcY + j) + a.SrcX;
      const TPixel* m = src.Row(a.SrcY + mo + j) + a.SrcX;
      TPixel* d = bmp.Row(a.DstY + j) + a.DstX;
      for (int i = 0; i < a.Width; ++i) {
        TPixel out = d[i];
        if (s[i] != 0x00FF00FFu && ChR(m[i]) != 255) {
          const TPixel w = normal ? m[i]
                                  : MakePixel(std::min(ChB(m[i]) + 100, 255), std::min(ChG(m[i]) + 100, 255),
                                              std::min(ChR(m[i]) + 100, 255), 0);
          out = MaskBlend(out, s[i], w);
        }
        const uint32_t da = ChA(out);
        d[i] = (out & 0x00FFFFFFu) | ((da + (((255u - da) * (255u - ChR(m[i]))) >> 8)) << 24);
      }
    }
    return;
  }
  ForEachPair(bmp, src, a, [normal](TPixel& d, TPixel s, int, int) {
    uint32_t w = 255u - ChA(s);
    if (!normal) w = std::min(w + 100, 255u);
    const TPixel out = MaskBlendAll(d, s, w);
    const uint32_t da = ChA(out);
    d = (out & 0x00FFFFFFu) | ((da + (((255u - da) * ChA(s)) >> 8)) << 24);
  });
}

void CopyMaskedFromMaster(const TRect& dstR, const TRect& srcR, TBitmap32& bmp, const TacBackgroundCache& cache,
                          const TsMaskData& mask, const TBitmap32* master) {
  if (master == nullptr || !bmp.HasRows()) return;
  TCopyArea a = ClipRects(bmp, dstR, *master, srcR);
  const int mo = ToRect(mask.SrcRect).Height() / 2;
  if (a.Empty() || a.SrcY + mo < 0) return;
  a.Height = std::min(a.Height, master->Height() - (a.SrcY + mo));
  for (int j = 0; j < a.Height; ++j) {
    const TPixel* s = master->Row(a.SrcY + j) + a.SrcX;
    const TPixel* m = master->Row(a.SrcY + mo + j) + a.SrcX;
    TPixel* d = bmp.Row(a.DstY + j) + a.DstX;
    for (int i = 0; i < a.Width; ++i) {
      if (s[i] != 0x00FF00FFu) {
        d[i] = MaskBlend(d[i], s[i], m[i]);
      } else if (cache.FillColor != clFuchsia) {
        d[i] = SwapRB(cache.FillColor);
      } else if (cache.Ready && cache.Bitmap != nullptr) {
        const int bx = cache.X + a.DstX + i, by = cache.Y + a.DstY + j;
        if (bx >= cache.Bitmap->Width()) break;
        if (cache.Bitmap->Inside(bx, by)) d[i] = cache.Bitmap->At(bx, by);
      }
    }
  }
}

}  // namespace skin

namespace skin {

void DrawSkinMaskAlpha(TBitmap32& bmp, const TRect& r, const TacBackgroundCache& cache, const TsMaskData& mask,
                       const TBitmap32* master, int state) {
  TMaskLayout lay;
  if (!bmp.HasRows() || !LayoutSkinMask(mask, master, r, state, lay)) return;
  const TBitmap32& img = *ElementImage(mask, master);
  const bool stretch = (mask.PaintFlags & pfStretch) != 0;
  for (const TMaskPart& p : lay.Parts) {
    if (p.Dst.IsEmpty() || p.Src.IsEmpty()) continue;
    if (p.Kind == mpCentre && !(mask.PaintFlags & pfDrawCentre)) continue;
    if (mask.MaskBlocks != 0) {
      if (p.Kind == mpCorner)
        CopyMaskedAlpha(p.Dst, p.Src, bmp, img, cache, mask);
      else if (stretch)
        StretchMaskedPieceAlpha(p.Dst.Left, p.Dst.Top, p.Dst.Width(), p.Dst.Height(), p.Src.Left, p.Src.Top,
                                p.Src.Width(), p.Src.Height(), bmp, img, mask.FrameHeight, p.Kind == mpCentre);
      else
        ForEachTile(bmp.Bounds(), p.Dst, p.Src, [&](const TRect& d, const TRect& s) {
          CopyMaskedAlpha(d, s, bmp, img, EmptyBackgroundCache(), mask);
        });
    } else if (p.Kind == mpCorner) {
      if (mask.PaintFlags & pfAlphaPicture)
        AlphaBlendRect(bmp, img, LastPixelRect(p.Src), {p.Dst.Left, p.Dst.Top}, 255);
      else
        CopyBitmapKeyed(bmp, img, p.Dst.Left, p.Dst.Top, LastPixelRect(p.Src), 0x00FF00FFu, cache, true);
    } else if (stretch && (mask.PaintFlags & pfAlphaPicture)) {
      StretchAlphaBlend(bmp, p.Dst.Left, p.Dst.Top, p.Dst.Width(), p.Dst.Height(), img, p.Src.Left, p.Src.Top,
                        p.Src.Width(), p.Src.Height(), 255);
    } else if (stretch) {
      CopyPart(bmp, p.Dst, img, p.Src, true);
    } else {
      ForEachTile(bmp.Bounds(), p.Dst, p.Src,
                  [&](const TRect& d, const TRect& s) { CopyPart(bmp, d, img, s, false); });
    }
  }
}

void DrawSkinMaskBlended(TBitmap32& bmp, const TRect& r, const TacBackgroundCache& cache, const TsMaskData& mask,
                         const TBitmap32* master, int state, const TRect& margins, int opacity) {
  TMaskLayout lay;
  if (!bmp.HasRows() || !LayoutSkinMask(mask, master, r, state, lay)) return;
  if (mask.MaskBlocks == 0 && !(mask.PaintFlags & pfAlphaPicture)) {
    DrawSkinMaskAlpha(bmp, r, cache, mask, master, state);  // a plain element knows no opacity or margins
    return;
  }
  const TBitmap32& img = *ElementImage(mask, master);
  const bool stretch = (mask.PaintFlags & pfStretch) != 0;
  const uint8_t op = static_cast<uint8_t>(std::clamp(opacity, 0, 255));
  const int mL = std::max(0, std::min(lay.L, margins.Left)), mT = std::max(0, std::min(lay.T, margins.Top));
  const int mR = std::max(0, std::min(lay.Rt, margins.Right)), mB = std::max(0, std::min(lay.B, margins.Bottom));
  const int X0 = lay.X0, Y0 = lay.Y0, FW = mask.FrameWidth, FH = mask.FrameHeight;
  if (mask.MaskBlocks != 0) {
    // Sides only as thick as the margins let them lie outside the object; no centre.
    const std::array<TRect, 4> sideSrc{Bounds(X0, Y0 + lay.T, mL, lay.MH), Bounds(X0 + lay.L, Y0, lay.MW, mT),
                                       Bounds(X0 + lay.L, Y0 + FH - mB, lay.MW, mB),
                                       Bounds(X0 + FW - mR, Y0 + lay.T, mR, lay.MH)};
    const std::array<TRect, 4> sideDst{TRect{r.Left, r.Top + lay.T, r.Left + mL, r.Bottom - lay.B},
                                       TRect{r.Left + lay.L, r.Top, r.Right - lay.Rt, r.Top + mT},
                                       TRect{r.Left + lay.L, r.Bottom - mB, r.Right - lay.Rt, r.Bottom},
                                       TRect{r.Right - mR, r.Top + lay.T, r.Right, r.Bottom - lay.B}};
    constexpr int sideOfPart[9] = {-1, 0, 1, -1, 2, -1, -1, 3, -1};
    for (size_t k = 0; k < 8; ++k) {
      const TMaskPart& p = lay.Parts[k];
      if (p.Kind == mpCorner) {
        if (!p.Dst.IsEmpty()) CopyMaskedBlended(p.Dst, p.Src, bmp, img, cache, mask, op);
        continue;
      }
      const TRect& s = sideSrc[size_t(sideOfPart[k])];
      const TRect& d = sideDst[size_t(sideOfPart[k])];
      if (d.IsEmpty() || s.IsEmpty()) continue;
      if (stretch)
        StretchMaskedPieceBlended(d.Left, d.Top, d.Width(), d.Height(), s.Left, s.Top, s.Width(), s.Height(), bmp, img,
                                  FH, op, false);
      else
        ForEachTile(bmp.Bounds(), d, s, [&](const TRect& dt, const TRect& st) {
          CopyMaskedBlended(dt, st, bmp, img, EmptyBackgroundCache(), mask, op);
        });
    }
    return;
  }
  // An alpha picture: corners at their size; stretched sides (the left one as thick as its
  // margin) and tiles, all at the opacity.
  for (size_t k = 0; k < lay.Parts.size(); ++k) {
    TMaskPart p = lay.Parts[k];
    if (p.Kind == mpCentre && !(mask.PaintFlags & pfDrawCentre)) continue;
    if (p.Kind != mpCorner && stretch) {
      if (k == 1) p.Src.Right = p.Src.Left + mL, p.Dst.Right = p.Dst.Left + mL;
      if (!p.Dst.IsEmpty() && !p.Src.IsEmpty())
        StretchAlphaBlend(bmp, p.Dst.Left, p.Dst.Top, p.Dst.Width(), p.Dst.Height(), img, p.Src.Left, p.Src.Top,
                          p.Src.Width(), p.Src.Height(), op);
      continue;
    }
    if (p.Dst.IsEmpty() || p.Src.IsEmpty()) continue;
    ForEachTile(bmp.Bounds(), p.Dst, p.Src, [&](const TRect& d, const TRect& s) {
      AlphaBlendRect(bmp, img, LastPixelRect(s), {d.Left, d.Top}, op);
    });
  }
}

}  // namespace skin

namespace skin {

void FillTransparentCorners(TBitmap32& cached, const TsMaskData& border, const TBitmap32* master, int state,
                            uint8_t corners, TacBackgroundQuery q, TPoint controlPos) {
  if ((border.CornerFlags & 3) == 0 || !cached.HasRows()) return;
  TsMaskData m = border;
  if (m.FrameCount == 0 && m.Image != nullptr) {  // a picture of its own without frames: three masked ones
    m.MaskBlocks = 1;
    m.FrameCount = 3;
    m.SrcRect = {0, 0, m.Image->Width(), m.Image->Height()};
  }
  const TBitmap32* img = ElementImage(m, master);
  if (img == nullptr || m.FrameCount <= 0) return;
  if (q.Kind == bkBitmap) q.OffsetX += controlPos.X, q.OffsetY += controlPos.Y;
  const int L = m.BorderLeft, T = m.BorderTop, Rt = m.BorderRight, B = m.BorderBottom;
  const int MW = m.FrameWidth - L - Rt;
  const int X0 = m.SrcRect.Left + m.FrameWidth * FrameIndex(state, m.FrameCount), Y0 = m.SrcRect.Top;
  const int yb = m.MaskBlocks != 0 ? Y0 + m.FrameHeight : m.SrcRect.Bottom;
  const int W = cached.Width(), H = cached.Height();
  const struct {
    uint8_t bit;
    TRect src;
    TPoint at;
  } parts[] = {
      {acTopLeft, Bounds(X0, Y0, L, T), {0, 0}},
      {acBottomLeft, Bounds(X0, yb - B, L, B), {0, H - B}},
      {acBottomRight, Bounds(X0 + L + MW, yb - B, Rt, B), {W - Rt, H - B}},
      {acTopRight, Bounds(X0 + L + MW, Y0, Rt, T), {W - Rt, 0}},
  };
  for (const auto& p : parts) {
    if (!(corners & p.bit) || p.src.IsEmpty()) continue;
    if (m.MaskBlocks != 0)
      FillMaskedCornerFromParent(cached, Bounds(p.at.X, p.at.Y, p.src.Width(), p.src.Height()), p.src, *img, q);
    else
      FillCornerFromParent(cached, *img, p.at.X, p.at.Y, q, LastPixelRect(p.src));
  }
}

void FillCornerFromParent(TBitmap32& cached, const TBitmap32& src, int dstX, int dstY, const TacBackgroundQuery& q,
                          const TRect& srcR) {
  const TRect s = ClipRectInclusive(srcR, src);
  const bool fromBitmap = q.Kind == bkBitmap && q.Bitmap != nullptr;
  if (!fromBitmap && q.Color == clFuchsia) return;
  for (int y = s.Top; y <= s.Bottom; ++y)
    for (int x = s.Left; x <= s.Right; ++x) {
      const int tx = dstX + x - srcR.Left, ty = dstY + y - srcR.Top;
      if (src.At(x, y) != 0x00FF00FFu || !cached.Inside(tx, ty)) continue;
      if (!fromBitmap)
        cached.At(tx, ty) = SwapRB(q.Color);
      else if (q.Bitmap->Inside(tx + q.OffsetX, ty + q.OffsetY))
        cached.At(tx, ty) = q.Bitmap->At(tx + q.OffsetX, ty + q.OffsetY);
    }
}

void FillMaskedCornerFromParent(TBitmap32& cached, const TRect& dstR, const TRect& srcR, const TBitmap32& src,
                                const TacBackgroundQuery& q) {
  const TCopyArea a = ClipRects(cached, dstR, src, srcR);
  const bool fromBitmap = q.Kind == bkBitmap && q.Bitmap != nullptr;
  for (int j = 0; j < a.Height; ++j) {
    const int ty = a.DstY + j, by = q.OffsetY + ty;
    if (fromBitmap && (by < 0 || by >= q.Bitmap->Height())) continue;
    for (int i = 0; i < a.Width; ++i) {
      if (src.At(a.SrcX + i, a.SrcY + j) != 0x00FF00FFu) continue;
      const int tx = a.DstX + i, bx = q.OffsetX + tx;
      if (!fromBitmap) {
        cached.At(tx, ty) = SwapRB(q.Color);
      } else {
        if (bx >= q.Bitmap->Width()) break;
        if (bx >= 0) cached.At(tx, ty) = q.Bitmap->At(bx, by);
      }
    }
  }
}

}  // namespace skin

#include "skin/graphics/acBlend.h"

#include <algorithm>

#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acResample.h"

namespace skin {

TCopyArea ClipCopy(const TBitmap32& dst, int x, int y, const TBitmap32& src, TRect s) {
  TCopyArea a;
  if (!dst.HasRows() || !src.HasRows()) return a;
  if (s.Left < 0) x -= s.Left, s.Left = 0;
  if (s.Top < 0) y -= s.Top, s.Top = 0;
  s.Right = std::min(s.Right, src.Width());
  s.Bottom = std::min(s.Bottom, src.Height());
  if (x < 0) s.Left -= x, x = 0;
  if (y < 0) s.Top -= y, y = 0;
  a = {x, y, s.Left, s.Top, std::min(s.Right - s.Left, dst.Width() - x), std::min(s.Bottom - s.Top, dst.Height() - y)};
  return a.Empty() ? TCopyArea{} : a;
}

TCopyArea ClipRects(const TBitmap32& dst, const TRect& dr, const TBitmap32& src, const TRect& sr) {
  const int w = std::min(dr.Width(), sr.Width()), h = std::min(dr.Height(), sr.Height());
  if (w <= 0 || h <= 0) return {};
  return ClipCopy(dst, dr.Left, dr.Top, src, {sr.Left, sr.Top, sr.Left + w, sr.Top + h});
}

namespace {

inline uint32_t Mix(uint32_t s, uint32_t d, uint32_t w) {  // ((s - d) * w + d * 256) >> 8
  return static_cast<uint32_t>((static_cast<int>(s) - static_cast<int>(d)) * static_cast<int>(w) +
                               static_cast<int>(d) * 256) >> 8;
}

// Colour channels of S over D with weight W; D's alpha byte kept.
inline TPixel BlendColor(TPixel d, TPixel s, uint32_t w) {
  return MakePixel(Mix(ChB(s), ChB(d), w), Mix(ChG(s), ChG(d), w), Mix(ChR(s), ChR(d), w), ChA(d));
}

inline TPixel WithAlpha(TPixel p, uint32_t a) { return (p & 0x00FFFFFFu) | (a << 24); }

}  // namespace

void BlendBitmapRect(TBitmap32& dst, const TBitmap32& src, uint8_t t, const TRect& srcRect, TPoint dstPoint) {
  const TCopyArea a = ClipCopy(dst, dstPoint.X, dstPoint.Y, src, InclusiveRect(srcRect));
  if (a.Empty()) return;
  ForEachPair(dst, src, a, [t](TPixel& d, TPixel s, int, int) {
    d = MakePixel(Mix(ChB(d), ChB(s), t), Mix(ChG(d), ChG(s), t), Mix(ChR(d), ChR(s), t), Mix(ChA(d), ChA(s), t));
  });
}

void BlendCopyBitmap(TBitmap32& dst, int x, int y, const TBitmap32& src, const TRect& srcRect, uint8_t t, uint32_t key) {
  const TCopyArea a = ClipCopy(dst, x, y, src, InclusiveRect(srcRect));
  if (a.Empty()) return;
  const uint32_t k = 255u - t;
  ForEachPair(dst, src, a, [&](TPixel& d, TPixel s, int, int) {
    if (s == key) return;
    d = MakePixel((ChB(s) * k + ChB(d) * t) >> 8, (ChG(s) * k + ChG(d) * t) >> 8, (ChR(s) * k + ChR(d) * t) >> 8,
                  (ChA(s) * k + ChA(d) * t) >> 8);
  });
}

void AlphaBlendRect(TBitmap32& dst, const TBitmap32& src, const TRect& srcRect, TPoint dstPoint, uint8_t opacity) {
  const TCopyArea a = ClipCopy(dst, dstPoint.X, dstPoint.Y, src, InclusiveRect(srcRect));
  if (a.Empty()) return;
  ForEachPair(dst, src, a, [opacity](TPixel& d, TPixel s, int, int) {
    const uint32_t w = opacity == 255 ? ChA(s) : (ChA(s) * opacity) >> 8;
    const uint32_t da = ChA(d);
    d = WithAlpha(BlendColor(d, s, w), std::max(da, Mix(w, da, w)));
  });
}

void AlphaBlendBitmap(TBitmap32& dst, const TBitmap32& src) {
  if (dst.Width() != src.Width() || dst.Height() != src.Height()) return;
  const TCopyArea a = ClipCopy(dst, 0, 0, src, src.Bounds());
  ForEachPair(dst, src, a, [](TPixel& d, TPixel s, int, int) { d = BlendColor(d, s, ChA(s)); });
}

void AlphaBlendWithBackground(const TRect& dstRect, const TRect& srcRect, TBitmap32& dst, const TBitmap32& src,
                              const TacBackgroundCache& cache, bool useCache) {
  const TCopyArea a = ClipRects(dst, dstRect, src, srcRect);
  if (a.Empty()) return;
  ForEachPair(dst, src, a, [&](TPixel& d, TPixel s, int i, int j) {
    if (cache.Ready && s == 0x00FF00FFu) {
      TPixel b;
      if (useCache && BackgroundPixel(cache, a.DstX + i, a.DstY + j, b)) d = b;
      return;
    }
    const uint32_t sa = ChA(s);
    TPixel out = BlendColor(d, s, sa);
    if (sa != 0) out = WithAlpha(out, ChA(d) + (((255u - ChA(d)) * sa) >> 8));
    d = out;
  });
}

void StretchCopy(TBitmap32& dst, const TRect& dr, const TBitmap32& src, const TRect& sr) {
  if (dr.IsEmpty() || sr.IsEmpty() || !dst.HasRows() || !src.HasRows()) return;
  const TRect c = ClipRect(dr, dst);
  for (int y = c.Top; y < c.Bottom; ++y) {
    const int sy = sr.Top + static_cast<int>(static_cast<int64_t>(y - dr.Top) * sr.Height() / dr.Height());
    if (sy < 0 || sy >= src.Height()) continue;
    const TPixel* srow = src.Row(sy);
    TPixel* drow = dst.Row(y);
    for (int x = c.Left; x < c.Right; ++x) {
      const int sx = sr.Left + static_cast<int>(static_cast<int64_t>(x - dr.Left) * sr.Width() / dr.Width());
      if (sx >= 0 && sx < src.Width()) drow[x] = srow[sx];
    }
  }
}

void StretchAlphaBlend(TBitmap32& dst, int x, int y, int width, int height, const TBitmap32& src, int srcX, int srcY,
                       int srcWidth, int srcHeight, uint8_t opacity) {
  if (x < 0) srcX -= x, x = 0;
  if (y < 0) srcY -= y, y = 0;
  if (srcX < 0) x -= srcX, srcX = 0;
  if (srcY < 0) y -= srcY, srcY = 0;
  if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return;
  if (!dst.Inside(x, y) || !src.Inside(srcX, srcY)) return;
  TBitmap32 temp(width, height);
  if (srcX != 0 || srcY != 0)
    StretchCopy(temp, temp.Bounds(), src, {srcX, srcY, srcX + srcWidth, srcY + srcHeight});
  else
    ResampleInto(src, temp, 6);
  AlphaBlendRect(dst, temp, {0, 0, width - 1, height - 1}, {x, y}, opacity);
}

namespace {
inline bool Transparent(TPixel s) { return s == 0x00FF00FFu || ChA(s) <= 16; }

// The mono colour brightened so that its largest channel is 255, in pixel order.
TPixel BrightMono(TColor mono) {
  const TPixel m = SwapRB(ColorToRGB(mono));
  const uint32_t add = 255u - std::max({ChB(m), ChG(m), ChR(m)});
  return MakePixel(ChB(m) + add, ChG(m) + add, ChR(m) + add, 0);
}

inline TPixel MonoPixel(TPixel s, TPixel mono) {
  const uint32_t z = ChR(s) / 4 + ChG(s) / 2 + ChB(s) / 4;
  return MakePixel((ChB(mono) * z) >> 8, (ChG(mono) * z) >> 8, (ChR(mono) * z) >> 8, ChA(s));
}
}  // namespace

void DrawAlphaImage(const TRect& dstRect, const TRect& srcRect, TBitmap32& dst, const TBitmap32& src,
                    const TacBackgroundCache& cache, bool useCache, TColor monoColor, int transparency,
                    bool reflection) {
  const TCopyArea a = ClipRects(dst, dstRect, src, srcRect);
  if (a.Empty()) return;
  const uint32_t o = static_cast<uint32_t>(255 - transparency * 255 / 100);
  const bool mono = monoColor != clNone;
  const TPixel monoPixel = mono ? BrightMono(monoColor) : 0;
  ForEachPair(dst, src, a, [&](TPixel& d, TPixel s, int i, int j) {
    if (cache.Ready && Transparent(s)) {
      TPixel b;
      if (useCache && BackgroundPixel(cache, a.DstX + i - dstRect.Left, a.DstY + j - dstRect.Top, b)) d = b;
      return;
    }
    const uint32_t sa = ChA(s), da = ChA(d);
    const uint32_t w = transparency != 0 ? (o * sa) >> 8 : sa;
    const TPixel colour = mono ? MonoPixel(s, monoPixel) : s;
    TPixel out = BlendColor(d, colour, w);
    if (transparency == 0) {
      if (!mono)
        out = WithAlpha(out, std::max(da, sa));
      else if (!cache.Ready)
        out = WithAlpha(out, ((255u - da) * sa + da * 256) >> 8);
    }
    d = out;
  });
  if (!reflection) return;
  const int n = std::min(src.Height() / 2 - 1, dst.Height() - dstRect.Bottom - 1);
  if (n < 1) return;
  const int fadeStep = 255 / src.Height();
  int f = 255;
  for (int k = 1; k <= n; ++k, f -= fadeStep) {
    const int sy = srcRect.Bottom - k - 1, dy = dstRect.Bottom + k;
    if (sy < 0 || sy >= src.Height() || dy < 0 || dy >= dst.Height()) continue;
    const TPixel* srow = src.Row(sy) + a.SrcX;
    TPixel* drow = dst.Row(dy) + a.DstX;
    for (int i = 0; i < a.Width; ++i) {
      const TPixel s = srow[i];
      if (Transparent(s)) continue;
      const uint32_t base = ChA(s) * static_cast<uint32_t>(n - k) / static_cast<uint32_t>(n);
      uint32_t w;
      if (!mono)
        w = transparency != 0 ? ((base * static_cast<uint32_t>(f) / 512) * o) >> 8 : (base * static_cast<uint32_t>(f)) >> 9;
      else
        w = transparency != 0 ? ((base / 4) * o) >> 8 : base >> 2;
      drow[i] = BlendColor(drow[i], mono ? MonoPixel(s, monoPixel) : s, w & 0xFF);
    }
  }
}

void DrawMaskedImage(const TRect& dstRect, const TRect& srcRect, TBitmap32& dst, const TBitmap32& src,
                     const TacBackgroundCache& cache, bool fillKey, int maskOffset) {
  const TCopyArea a = ClipRects(dst, dstRect, src, srcRect);
  if (a.Empty()) return;
  const TPixel fill = SwapRB(cache.FillColor);
  for (int j = 0; j < a.Height; ++j) {
    const int my = a.SrcY + j + maskOffset;
    if (my < 0 || my >= src.Height()) break;
    const TPixel* s = src.Row(a.SrcY + j) + a.SrcX;
    const TPixel* m = src.Row(my) + a.SrcX;
    TPixel* d = dst.Row(a.DstY + j) + a.DstX;
    for (int i = 0; i < a.Width; ++i) {
      if (fillKey && s[i] == 0x00FF00FFu) {
        TPixel b;
        if (!cache.Ready)
          d[i] = fill;
        else if (BackgroundPixel(cache, a.DstX + i - dstRect.Left, a.DstY + j - dstRect.Top, b))
          d[i] = b;
        continue;
      }
      if (!cache.Ready && s[i] == 0x00FF00FFu) continue;
      TPixel out = MakePixel(Mix(ChB(d[i]), ChB(s[i]), ChB(m[i])), Mix(ChG(d[i]), ChG(s[i]), ChG(m[i])),
                             Mix(ChR(d[i]), ChR(s[i]), ChR(m[i])), ChA(d[i]));
      d[i] = cache.Ready ? WithAlpha(out, 255) : out;
    }
  }
}

void TintBitmap(TBitmap32& bmp, uint8_t amount, TColor color) {
  if (!bmp.HasRows()) return;
  const TPixel k = SwapRB(ColorToRGB(color));
  for (int y = 0; y < bmp.Height(); ++y) {
    TPixel* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x)
      if (row[x] != 0x00FF00FFu) row[x] = MixColors(row[x], k, amount);
  }
}

void MaskBlendColor(TBitmap32& dst, const TBitmap32& mask, TColor color) {
  if (dst.Width() != mask.Width() || dst.Height() != mask.Height()) return;
  const TPixel k = SwapRB(ColorToRGB(color));
  ForEachPair(dst, mask, ClipCopy(dst, 0, 0, mask, mask.Bounds()), [k](TPixel& d, TPixel m, int, int) {
    d = MakePixel(Mix(ChB(d), ChB(k), ChB(m)), Mix(ChG(d), ChG(k), ChG(m)), Mix(ChR(d), ChR(k), ChR(m)), ChA(d));
  });
}

void MixBitmaps(TBitmap32& dst, const TBitmap32& src1, const TBitmap32& src2, const TBitmap32* mask, int weight) {
  const int w = dst.Width(), h = dst.Height();
  if (!dst.HasRows() || src1.Width() != w || src1.Height() != h || src2.Width() != w || src2.Height() != h) return;
  if (mask != nullptr && (mask->Width() != w || mask->Height() != h)) return;
  for (int y = 0; y < h; ++y) {
    TPixel* d = dst.Row(y);
    const TPixel *a = src1.Row(y), *b = src2.Row(y);
    const TPixel* m = mask ? mask->Row(y) : nullptr;
    for (int x = 0; x < w; ++x) {
      uint32_t out = d[x] & 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        const int64_t wt = m ? Channel(m[x], c) : weight;
        const int64_t v = ((static_cast<int64_t>(Channel(a[x], c)) - Channel(b[x], c)) * wt + Channel(b[x], c) * 256) >> 8;
        out |= static_cast<uint32_t>(v & 0xFF) << (8 * c);
      }
      d[x] = out;
    }
  }
}

void CopyBitmapOpaque(TBitmap32& dst, const TBitmap32& src, int x, int y, TColor key) {
  const TPixel k = SwapRB(key);
  const TCopyArea a = ClipCopy(dst, std::max(x, 0), std::max(y, 0), src, src.Bounds());
  ForEachPair(dst, src, a, [k](TPixel& d, TPixel s, int, int) {
    if (s != k) d = s | 0xFF000000u;
  });
}

void CopyBitmapKeyed(TBitmap32& dst, const TBitmap32& src, int x, int y, const TRect& srcRect, uint32_t key,
                     const TacBackgroundCache& cache, bool useCache) {
  const TCopyArea a = ClipCopy(dst, x, y, src, InclusiveRect(srcRect));
  if (a.Empty()) return;
  if (useCache && cache.Ready && cache.Bitmap != nullptr) {
    const bool intoCache = cache.Bitmap->Row(0) == dst.Row(0);
    ForEachPair(dst, src, a, [&](TPixel& d, TPixel s, int i, int j) {
      if (s != key)
        d = intoCache ? s | 0xFF000000u : s;
      else if (!intoCache)
        BackgroundPixel(cache, a.DstX + i - x, a.DstY + j - y, d);
    });
  } else if (cache.Ready) {
    ForEachPair(dst, src, a, [&](TPixel& d, TPixel s, int, int) {
      if (s != key) d = s;
    });
  } else {
    const TPixel fill = WithAlpha(SwapRB(cache.FillColor), ChA(dst.At(0, 0)));
    ForEachPair(dst, src, a, [&](TPixel& d, TPixel s, int, int) { d = s == key ? fill : s; });
  }
}

void BlendBitmapKeyed(TBitmap32& dst, const TBitmap32& src, int x, int y, const TRect& srcRect, TColor key,
                      uint8_t opacity) {
  const TCopyArea a = ClipCopy(dst, x, y, src, InclusiveRect(srcRect));
  if (a.Empty()) return;
  const TPixel k = SwapRB(key) & 0x00FFFFFFu;
  ForEachPair(dst, src, a, [&](TPixel& d, TPixel s, int, int) {
    if (s == k) return;
    d = opacity == 0 ? s : WithAlpha(BlendColor(d, s, opacity), std::max<uint32_t>(ChA(d), opacity));
  });
}

void DrawReflection(TBitmap32& dst, const TBitmap32& src, TPoint dstPos, const TRect& srcRect, TColor key,
                    int transparency) {
  if (!dst.HasRows() || !src.HasRows()) return;
  const TRect s = ClipRect(InclusiveRect(srcRect), src);
  const int n = std::min(src.Height() / 3 * 2 - 1, dst.Height() - 1 - dstPos.Y);
  if (n < 1 || s.IsEmpty()) return;
  const int step = 255 / (n + 1);
  const TPixel k = SwapRB(key);
  // Columns: the cut source rectangle placed at DstPos, cut to the destination.
  const TCopyArea cols = ClipCopy(dst, dstPos.X + s.Left - srcRect.Left, 0, src, {s.Left, 0, s.Right, 1});
  int f = 255;
  for (int k2 = 0; k2 <= n; ++k2, f -= step) {
    const int dy = dstPos.Y + k2, sy = s.Bottom - 1 - k2;
    if (dy < 0 || dy >= dst.Height() || sy < s.Top) continue;
    const uint32_t w = static_cast<uint32_t>((100 - transparency) * ((n - k2) * 255 / n * f / 512) / 100) & 0xFF;
    const TPixel* srow = src.Row(sy) + cols.SrcX;
    TPixel* drow = dst.Row(dy) + cols.DstX;
    for (int i = 0; i < cols.Width; ++i)
      if (srow[i] != k) drow[i] = BlendColor(drow[i], srow[i], w);
  }
}

void DiscolourGlyphStrip(TBitmap32& strip, int frameCount, TColor mono) {
  if (frameCount < 1 || !strip.HasRows() || mono == clNone) return;
  const int fw = strip.Width() / frameCount;
  if (fw <= 0) return;
  const TPixel tone = BrightMono(mono);
  for (int f = 0; f < frameCount; ++f) {
    const TPixel key = strip.At(f * fw, strip.Height() - 1) & 0x00FFFFFFu;
    for (int y = 0; y < strip.Height(); ++y)
      for (int x = f * fw; x < f * fw + fw; ++x) {
        TPixel& p = strip.At(x, y);
        if ((p & 0x00FFFFFFu) != key) p = MonoPixel(p, tone);
      }
  }
}

void DrawGlyphFrame(const TBitmap32& glyph, TBitmap32& dst, TRect r, int frameCount, bool enabled, int mode,
                    uint8_t blend, int state, bool reflected, bool plainOrder) {
  if (frameCount < 1 || !glyph.HasRows()) return;
  if (reflected) r = r.Offset(0, -(r.Height() / 8));
  if (frameCount == 1) mode = 0;
  if (mode > 0) blend = 0;
  int index;
  if (mode == 0 || !enabled)
    index = 0;
  else if (mode == 1)
    index = plainOrder ? 0 : 1;
  else if (mode == 2) {
    index = state + 2;
    if (index >= frameCount) index = plainOrder ? 0 : std::min(1, frameCount - 1);
  } else if (mode == 3)
    index = frameCount >= 3 ? 2 : 0;
  else
    return;  // no frame for other modes
  const int fw = glyph.Width() / frameCount;
  if (fw <= 0 || index < 0) return;
  const TRect frame{index * fw, 0, index * fw + fw - 1, glyph.Height() - 1};
  if (frame.Right >= glyph.Width()) return;
  const TColor key = SwapRB(glyph.At(frame.Left, frame.Bottom) & 0x00FFFFFFu);
  if (enabled || blend == 0)
    BlendBitmapKeyed(dst, glyph, r.Left, r.Top, frame, key, 0);
  else
    BlendCopyBitmap(dst, r.Left, r.Top, glyph, frame, blend, clFuchsia);
  if (reflected) {
    r = r.Offset(0, r.Height());
    DrawReflection(dst, glyph, {r.Left, r.Top}, frame, key, blend);
  }
}

TBitmap32 ExtractMaskedImage(const TBitmap32& master, const TRect& r) {
  const int w = r.Width(), h = r.Height() / 2;
  if (w <= 0 || h <= 0) return {};
  TBitmap32 out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int sx = r.Left + x, sy = r.Top + y;
      if (!master.Inside(sx, sy) || !master.Inside(sx, sy + h)) continue;
      out.At(x, y) = WithAlpha(master.At(sx, sy), 255u - ChR(master.At(sx, sy + h)));
    }
  return out;
}

TBitmap32 MakeMaskedImage(const TBitmap32& bmp) {
  if (!bmp.HasRows()) return {};
  const int w = bmp.Width(), h = bmp.Height();
  TBitmap32 out(w, 2 * h, bmp.Delta() < 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TPixel p = bmp.At(x, y);
      const uint32_t g = 255u - ChA(p);
      out.At(x, y) = p;
      out.At(x, y + h) = MakePixel(g, g, g, 255);
    }
  return out;
}

void ApplyGlyphEffects(TBitmap32& glyph, uint8_t flags, TColor fallbackColor, const TacBackgroundCache& cache,
                       TPoint offset) {
  if (!glyph.HasRows()) return;
  if (flags & gfDisabled) ForEachPixel(glyph, SaturationPixelProc, DisabledGlyphLevel * 255 / 100, clFuchsia);
  if (!(flags & gfBlendBackground)) return;
  const TRect r = glyph.Bounds();
  if (cache.Ready) {
    if (cache.Bitmap != nullptr)
      BlendCopyBitmap(glyph, 0, 0, *cache.Bitmap, r.Offset(cache.X + offset.X, cache.Y + offset.Y), DisabledTextWeight,
                      clFuchsia);
  } else {
    FadeRectToColor(glyph, r, DisabledTextWeight, cache.FillColor != clFuchsia ? cache.FillColor : fallbackColor);
  }
}

}  // namespace skin

#include "skin/graphics/acGradient.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "rtl/SysUtils.h"
#include "skin/graphics/acAlphaPixels.h"

namespace skin {

namespace {

std::vector<std::string_view> SplitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t semi = text.find(';', start);
    fields.push_back(text.substr(start, semi == std::string_view::npos ? std::string_view::npos : semi - start));
    if (semi == std::string_view::npos) break;
    start = semi + 1;
  }
  return fields;
}

// Field k counted from 1. A field the string does not have is read as an empty text, which
// the integer conversion refuses like any other bad number.
int64_t Field(const std::vector<std::string_view>& fields, size_t k) {
  return rtl::StrToInt64(k >= 1 && k <= fields.size() ? fields[k - 1] : std::string_view());
}

uint8_t ClampPercent(int64_t v) { return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 100)); }

}  // namespace

void ParseGradientString(std::string_view text, TsGradArray& gradient) {
  gradient.clear();
  if (text.size() <= 4) return;
  const std::vector<std::string_view> fields = SplitFields(text);
  const unsigned char last = static_cast<unsigned char>(text.back());
  if (last == '0') {
    const size_t n = fields.size() / 5;
    gradient.resize(n);
    int sum = 0;
    for (size_t k = 0; k < n; ++k) {
      TsGradStop& s = gradient[k];
      s.Index = static_cast<uint16_t>(k);
      s.Color = static_cast<uint32_t>(Field(fields, 5 * k + 1)) | 0xFF000000u;
      s.Percent = static_cast<uint8_t>(std::min(100, sum));
      sum += ClampPercent(Field(fields, 5 * k + 3));
      s.Mode = static_cast<uint32_t>(Field(fields, 5 * k + 4)) & ~gmAlphaStop;
    }
    if (n > 0 && (gradient[0].Mode & gmDirectionMask) == gdCorners)
      while (gradient.size() < 5) gradient.push_back(gradient.back());
  } else {
    const int n = static_cast<int>(last) - 64;
    if (n < 0) throw rtl::ERangeError("Range check error");
    gradient.resize(static_cast<size_t>(n));
    bool alpha = false;
    for (size_t k = 0; k < gradient.size(); ++k) {
      TsGradStop& s = gradient[k];
      s.Index = static_cast<uint16_t>(k);
      s.Color = static_cast<uint32_t>(Field(fields, 3 * k + 1));
      s.Percent = ClampPercent(Field(fields, 3 * k + 2));
      s.Mode = static_cast<uint32_t>(Field(fields, 3 * k + 3));
      alpha = alpha || (s.Mode & gmAlphaStop) != 0;
    }
    if (alpha) gradient[0].Mode |= gmAlphaGradient;
  }
  // An array without stops has no last stop to complete.
  if (!gradient.empty()) gradient.back().Percent = 100;
}

namespace {

// The colour at Pos of a band that spans Span steps from C0 to C1, channels rounded
// (halves to even), as an opaque pixel. A band without span is its first colour.
TPixel StepColor(uint32_t c0, uint32_t c1, int pos, int span) {
  if (span <= 0) return SwapRB(c0 & 0x00FFFFFFu) | 0xFF000000u;
  uint32_t out = 0xFF000000u;
  for (int i = 0; i < 3; ++i) {
    const double a = Channel(c0, i), b = Channel(c1, i);
    const double v = a + (b - a) / span * pos;
    out |= static_cast<uint32_t>(std::clamp<int64_t>(rtl::Round(v), 0, 255)) << (8 * (2 - i));
  }
  return out;
}

bool AlphaBand(const TsGradArray& g, size_t i) { return ((g[i - 1].Mode | g[i].Mode) & gmAlphaStop) != 0; }

int PercentSpan(const TsGradArray& g, size_t i) { return static_cast<int>(g[i].Percent) - g[i - 1].Percent; }

// Columns start..end (both included) of row Y get the band's stepped colours.
void PaintRowSegment(TPixel* row, int start, int end, uint32_t c0, uint32_t c1) {
  for (int x = start; x <= end; ++x) row[x] = StepColor(c0, c1, x - start, end - start);
}

// The band ends of a horizontal gradient that is painted pixel by pixel: both included,
// every band starting where the one before ended, never running backwards, and never
// beyond the rectangle's last column.
int HorizontalBandEnd(const TsGradArray& g, size_t i, const TRect& r, int start, int limit) {
  int end = static_cast<int>(rtl::Round(PercentSpan(g, i) * r.Width() / 100.0 + start));
  if (i + 1 == g.size() || end > limit) end = limit;
  return std::max(end, start);
}

// The end of a vertical band: the row after its last, or with Inclusive its last row; the
// last band, and a band that would pass the rectangle, end at the rectangle's bottom.
int VerticalBandEnd(const TsGradArray& g, size_t i, const TRect& r, int start, bool inclusive) {
  const int limit = inclusive ? r.Bottom - 1 : r.Bottom;
  int end = start + PercentSpan(g, i) * r.Height() / 100;
  if (i + 1 == g.size() || end > limit) end = limit;
  return std::max(end, start);
}

}  // namespace

void PaintGradient(TBitmap32& bmp, const TRect& rect, const TsGradArray& gradient, TGradientFills* fills) {
  if (gradient.empty() || !bmp.HasRows()) return;
  const TRect r = ClipRect(rect, bmp);
  if (r.IsEmpty()) return;
  const TsGradArray& g = gradient;
  switch (g[0].Mode & gmDirectionMask) {
    case gdVertical: {
      int y = r.Top;
      for (size_t i = 1; i < g.size(); ++i) {
        const int start = y;
        y = VerticalBandEnd(g, i, r, start, false);
        const int n = y - start;
        const uint32_t c0 = g[i - 1].Color, c1 = g[i].Color;
        if (AlphaBand(g, i)) {
          if (fills && n > 0) fills->Linear(true, r.Left, start - 1, r.Width(), n + 1, c0, c1);
        } else if (c0 == c1) {
          FillBitmapRect(bmp, {r.Left, start, r.Right, y}, c0, 255);
        } else {
          for (int row = 0; row < n; ++row) {
            const TPixel p = StepColor(c0, c1, row, n);
            std::fill(bmp.Row(start + row) + r.Left, bmp.Row(start + row) + r.Right, p);
          }
        }
      }
      break;
    }
    case gdHorizontal: {
      int x = r.Left;
      for (size_t i = 1; i < g.size(); ++i) {
        const int start = x;
        const uint32_t c0 = g[i - 1].Color, c1 = g[i].Color;
        if (AlphaBand(g, i)) {
          const int end = HorizontalBandEnd(g, i, r, start, r.Right);
          if (fills && end > start) fills->Linear(false, start - 1, r.Top, end - start + 1, r.Height(), c0, c1);
          x = end;
          continue;
        }
        const int end = HorizontalBandEnd(g, i, r, start, r.Right - 1);
        PaintRowSegment(bmp.Row(r.Top), start, end, c0, c1);
        for (int y = r.Top + 1; y < r.Bottom; ++y)
          std::copy(bmp.Row(r.Top) + start, bmp.Row(r.Top) + end + 1, bmp.Row(y) + start);
        x = end;
      }
      break;
    }
    case gdCorners: {
      if (g.size() < 5 || fills == nullptr) break;
      if (g[0].Mode & gmAlphaGradient) {
        const TColor corners[4] = {g[0].Color, g[2].Color, g[3].Color, g[4].Color};
        fills->Path(r, corners, g[1].Color);
      } else {
        const TPoint v[5] = {{r.Left, r.Top},
                             {r.Left + r.Width() / 2, r.Top + r.Height() / 2},
                             {r.Right, r.Top},
                             {r.Right, r.Bottom},
                             {r.Left, r.Bottom}};
        const TColor c[5] = {g[0].Color, g[1].Color, g[2].Color, g[3].Color, g[4].Color};
        fills->Triangles(v, c);
      }
      break;
    }
    default: break;
  }
}

void PaintTexturedGradient(TBitmap32& bmp, const TRect& rect, const TsGradArray& gradient, const TBitmap32& texture,
                           TRect textureRect, uint8_t mix, uint8_t alpha) {
  if (gradient.empty() || !bmp.HasRows() || !texture.HasRows()) return;
  const TRect r = ClipRect(rect, bmp);
  if (r.IsEmpty()) return;
  if (textureRect.IsEmpty()) textureRect = texture.Bounds();
  int tw = std::max(0, textureRect.Width()), th = std::max(0, textureRect.Height());
  if (textureRect.Left + tw >= texture.Width()) tw = texture.Width() - textureRect.Left - 1;
  if (textureRect.Top + th >= texture.Height()) th = texture.Height() - textureRect.Top - 1;
  // Nothing to tile: a texture rectangle that is empty, or lies outside the texture.
  if (tw <= 0 || th <= 0 || textureRect.Left < 0 || textureRect.Top < 0) return;

  const auto mixed = [&](TPixel grad, int x, int y) {
    const TPixel t = texture.At(textureRect.Left + x % tw, textureRect.Top + y % th);
    uint32_t out = static_cast<uint32_t>(alpha) << 24;
    for (int c = 0; c < 3; ++c) {
      const int gc = Channel(grad, c), tc = Channel(t, c);
      out |= static_cast<uint32_t>(((mix * (tc - gc) + gc * 256) >> 8) & 0xFF) << (8 * c);
    }
    return out;
  };
  const TsGradArray& g = gradient;
  switch (g[0].Mode & gmDirectionMask) {
    case gdVertical: {
      int y = r.Top;
      for (size_t i = 1; i < g.size(); ++i) {
        const int start = y;
        const int end = VerticalBandEnd(g, i, r, start, true);
        for (int row = start; row <= end; ++row) {
          const TPixel p = StepColor(g[i - 1].Color, g[i].Color, row - start, end - start);
          TPixel* out = bmp.Row(row);
          for (int x = r.Left; x < r.Right; ++x) out[x] = mixed(p, x, row);
        }
        y = end;
      }
      break;
    }
    case gdHorizontal: {
      // The gradient row across the rectangle, then every row mixed with its texture row.
      std::vector<TPixel> line(static_cast<size_t>(bmp.Width()), 0xFF000000u);
      int x = r.Left;
      for (size_t i = 1; i < g.size(); ++i) {
        const int end = HorizontalBandEnd(g, i, r, x, r.Right - 1);
        PaintRowSegment(line.data(), x, end, g[i - 1].Color, g[i].Color);
        x = end;
      }
      for (int y = r.Top; y < r.Bottom; ++y) {
        TPixel* out = bmp.Row(y);
        for (int c = r.Left; c < r.Right; ++c) out[c] = mixed(line[static_cast<size_t>(c)], c, y);
      }
      break;
    }
    default: break;
  }
}

TBitmap32 CreateShadowBitmap(uint32_t color, int radius, int offset, int extraHeight, int extraWidth, int fadeWidth,
                             bool asMask) {
  // Sizes come from skins: negative parts and sizes beyond an int give an empty bitmap.
  const int64_t w64 = 2 * int64_t{radius} + extraWidth + 1, h64 = 2 * int64_t{radius} + extraHeight + offset + 1;
  if (radius < 0 || offset < 0 || extraWidth < 0 || extraHeight < 0 || w64 > INT32_MAX || h64 > INT32_MAX) return {};
  const int R = radius;
  const int width = static_cast<int>(w64), height = static_cast<int>(h64);
  TBitmap32 bmp(width, height, true);
  if (!bmp.HasRows()) return bmp;
  const TPixel outside = asMask ? 0xFFFFFFFFu : 0u;
  FillBitmapRect(bmp, bmp.Bounds(), asMask ? 0xFFFFFF : 0, asMask ? 255 : 0);

  int inner = 0;
  if (fadeWidth > 0)
    inner = R - fadeWidth;
  else
    fadeWidth = R;
  const uint32_t a = color >> 24;
  const TPixel rgb = SwapRB(color & 0x00FFFFFFu);
  const int cy = R + offset;
  for (int y = offset; y <= offset + R; ++y) {
    TPixel* row = bmp.Row(y);
    for (int x = 0; x <= R; ++x) {
      const double d = std::hypot(static_cast<double>(x - R), static_cast<double>(y - cy));
      TPixel p = outside;
      if (d <= R) {
        if (!asMask) {
          int64_t w = 255;
          if (d > inner) {
            const double span = R - inner;
            // Just outside the inner radius the fade formula passes 255: held at 255.
            w = std::clamp<int64_t>(rtl::Round((R + 1 - d) * (1 - (d - inner) / span) / span * 255), 0, 255);
          }
          const uint32_t al = (a * static_cast<uint32_t>(w)) >> 8;
          p = MakePixel((ChB(rgb) * 255 * al) >> 16, (ChG(rgb) * 255 * al) >> 16, (ChR(rgb) * 255 * al) >> 16, al);
        } else {
          int64_t i = 255;
          if (d > inner) {
            const double f1 = fadeWidth + 1;
            i = std::clamp<int64_t>(rtl::Round((R + 1 - d) * (1 - (d - inner) / f1) * 255 / f1), 0, 255);
          }
          const uint32_t grey = (255u * (255u - static_cast<uint32_t>(i)) + a * static_cast<uint32_t>(i)) >> 8;
          p = MakePixel(grey, grey, grey, 255);
        }
      }
      row[x] = p;
      row[2 * R - x] = p;
    }
    std::copy(row, row + 2 * R + 1, bmp.Row(2 * cy + extraHeight - y));
  }
  for (int y = cy + 1; y <= cy + extraHeight; ++y) std::copy(bmp.Row(cy), bmp.Row(cy) + 2 * R + 1, bmp.Row(y));
  for (int y = 0; y < height; ++y) {
    TPixel* row = bmp.Row(y);
    std::copy_backward(row + R + 1, row + 2 * R + 1, row + width);
    std::fill(row + R + 1, row + R + 1 + extraWidth, row[R]);
  }
  return bmp;
}

}  // namespace skin

#include "skin/graphics/acShapes.h"

#include <cmath>
#include <numbers>

namespace skin {

namespace {

// One pixel, when it lies on the bitmap.
void Plot(TBitmap32& bmp, int x, int y, TPixel p) {
  if (bmp.Inside(x, y)) bmp.At(x, y) = p;
}

// Pixels X1..X2 of row Y (both included, any order).
void Row(TBitmap32& bmp, int y, int x1, int x2, TPixel p) {
  if (x1 > x2) std::swap(x1, x2);
  for (int x = x1; x <= x2; ++x) Plot(bmp, x, y, p);
}

void Column(TBitmap32& bmp, int x, int y1, int y2, TPixel p) {
  if (y1 > y2) std::swap(y1, y2);
  for (int y = y1; y <= y2; ++y) Plot(bmp, x, y, p);
}

// The colour of a pen as a GDI pen leaves it in a 32-bit bitmap: alpha 0.
TPixel PenPixel(uint32_t rgb) { return SwapRB(rgb & 0xFFFFFF); }

}  // namespace

void DrawSolidArrow(TBitmap32& bmp, TColor color, const TRect& r, int direction, int ppi) {
  const int s = kArrowSize * ppi / 96;
  const int h = s / 2 + s % 2;
  const bool vertical = direction == adUp || direction == adDown;
  const int x0 = r.Left + (r.Width() - (vertical ? s : h)) / 2;
  const int y0 = r.Top + (r.Height() - (vertical ? h : s)) / 2;
  const int farX = x0 + (vertical ? s : h), farY = y0 + (vertical ? h : s);
  if (s <= 0 || x0 < 0 || y0 < 0 || farX >= bmp.Width() || farY >= bmp.Height()) return;
  const TPixel p = SwapRB(color);
  switch (direction) {
    case adDown:
      for (int k = 0; k < h; ++k)
        for (int x = x0 + k; x <= x0 + s - 1 - k; ++x) bmp.At(x, y0 + k) = p;
      break;
    case adUp:
      for (int k = 0; k < h; ++k)
        for (int x = x0 + k; x <= x0 + s - 1 - k; ++x) bmp.At(x, y0 + h - 1 - k) = p;
      break;
    case adLeft:
      for (int i = 0; i <= s; ++i) {
        const int from = i < h ? x0 + h - i : x0 + i - h;
        for (int x = from; x <= x0 + h - 1; ++x) bmp.At(x, y0 + i) = p;
      }
      break;
    case adRight:
      for (int i = 0; i <= s; ++i) {
        const int to = i < h ? x0 + i : x0 + s - i - 1;
        for (int x = x0; x <= to; ++x) bmp.At(x, y0 + i) = p;
      }
      break;
    default:
      break;
  }
}

void DrawRectFrame(TBitmap32& bmp, TRect& r, TColor topLeftColor, uint32_t bottomRightColor, int& width) {
  const TPixel light = PenPixel(ColorToRGB(topLeftColor)), dark = PenPixel(bottomRightColor);
  --r.Right;
  --r.Bottom;
  while (width > 0) {
    --width;
    // Each ring as two pen strokes, end points excluded the way a GDI line leaves them: the
    // left side and the top, then the right side and the bottom (which takes the corner at
    // the bottom left).
    Column(bmp, r.Left, r.Bottom, r.Top + 1, light);
    Row(bmp, r.Top, r.Left, r.Right - 1, light);
    Column(bmp, r.Right, r.Top, r.Bottom - 1, dark);
    Row(bmp, r.Bottom, r.Right, r.Left, dark);
    ++r.Left;
    ++r.Top;
    --r.Right;
    --r.Bottom;
  }
  ++r.Right;
  ++r.Bottom;
}

void DrawDottedFrame(TBitmap32& bmp, const TRect& r, TColor color1, TColor color2) {
  const int right = r.Right - 1, bottom = r.Bottom - 1;
  const int n = r.Width() / 2, m = r.Height() / 2;
  const bool use1 = color1 != clNone, use2 = color2 != clNone;
  const TPixel p1 = PenPixel(ColorToRGB(color1)), p2 = PenPixel(ColorToRGB(color2));
  for (int i = 0; i < n; ++i) {
    const int x = r.Left + 2 * (n - i);
    if (use2) {
      Plot(bmp, x, r.Top, p2);
      Plot(bmp, x, bottom, p2);
    }
    if (use1) {
      Plot(bmp, x - 1, r.Top, p1);
      Plot(bmp, x - 1, bottom, p1);
    }
  }
  for (int i = 0; i < m; ++i) {
    const int y = r.Top + 2 * (m - i);
    if (use2) {
      Plot(bmp, r.Left, y, p2);
      Plot(bmp, right, y, p2);
    }
    if (use1) {
      Plot(bmp, r.Left, y - 1, p1);
      Plot(bmp, right, y - 1, p1);
    }
  }
}

namespace {

struct TSinCos {
  float Sin, Cos;
};

// Built once on first use; the table is constant afterwards.
const std::array<TSinCos, 360>& SinCosTable() {
  static const std::array<TSinCos, 360> table = [] {
    std::array<TSinCos, 360> t{};
    for (int i = 0; i < 360; ++i) {
      const double a = i * std::numbers::pi / 180.0;
      t[i] = {static_cast<float>(std::sin(a)), static_cast<float>(std::cos(a))};
    }
    return t;
  }();
  return table;
}

int DegreeIndex(int a) {
  if (a >= 0) return a % 360;
  // Counted in 64 bits so that the most negative integer turns too.
  return static_cast<int>((360 - (-static_cast<int64_t>(a)) % 360) % 360);
}

}  // namespace

float SinDeg(int degrees) { return SinCosTable()[DegreeIndex(degrees)].Sin; }
float CosDeg(int degrees) { return SinCosTable()[DegreeIndex(degrees)].Cos; }

TPrlgram::TPrlgram(std::initializer_list<TPoint> points) {
  size_t i = 0;
  for (const TPoint& p : points) {
    if (i == p_.size()) break;
    p_[i++] = {static_cast<double>(p.X), static_cast<double>(p.Y)};
  }
}

TPoint TPrlgram::GetPoint(int index) const {
  if (index < 0 || index >= 4) return {};
  return {static_cast<int32_t>(std::nearbyint(p_[index].X)), static_cast<int32_t>(std::nearbyint(p_[index].Y))};
}

void TPrlgram::Rotate(uint16_t degrees) {
  const float cx = static_cast<float>((p_[0].X + p_[2].X) / 2), cy = static_cast<float>((p_[0].Y + p_[2].Y) / 2);
  const double s = SinDeg(degrees), k = CosDeg(degrees);
  for (TDoublePoint& p : p_) {
    const double dx = p.X - cx, dy = p.Y - cy;
    p = {cx + dx * k + dy * s, cy - dx * s + dy * k};
  }
}

}  // namespace skin

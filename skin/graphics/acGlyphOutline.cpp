#include "skin/graphics/acGlyphOutline.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "rtl/SysUtils.h"

namespace skin {

gui::TRect TacStrokeCollection::Bounds() const {
  if (strokes_.empty()) return {};
  gui::TRect r{strokes_[0].X1, strokes_[0].Y1, strokes_[0].X1, strokes_[0].Y1};
  auto take = [&r](int32_t x, int32_t y) {
    r.Left = std::min(r.Left, x);
    r.Right = std::max(r.Right, x);
    r.Top = std::min(r.Top, y);
    r.Bottom = std::max(r.Bottom, y);
  };
  for (const TacStroke& s : strokes_) {
    take(s.X1, s.Y1);
    take(s.X2, s.Y2);
  }
  return r;
}

TacStroke TacStrokeCollection::Stroke(int i) const {
  if (i < 0 || i >= Count()) throw rtl::ERangeError("List index out of bounds (" + std::to_string(i) + ")");
  return strokes_[size_t(i)];
}

int TacStrokeCollection::ContourCount() const { return strokes_.empty() ? 0 : strokes_.back().Contour + 1; }

int TacStrokeCollection::FirstStroke(int n) const {
  if (n < 0 || n >= ContourCount()) return -1;
  for (int i = 0; i < Count(); ++i)
    if (strokes_[size_t(i)].Contour == n) return i;
  return -1;
}

int TacStrokeCollection::StrokeCount(int n) const {
  const int first = FirstStroke(n);
  if (first < 0) return -1;
  int i = first;
  while (i < Count() && strokes_[size_t(i)].Contour == n) ++i;
  return i - first;
}

namespace {

struct TFixedPoint {
  double X = 0, Y = 0;
  friend bool operator==(const TFixedPoint&, const TFixedPoint&) = default;
};

uint32_t ReadU32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
uint16_t ReadU16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
// A 16.16 fixed-point number: the fraction in the low word, the signed value in the high.
double ReadFixed(const uint8_t* p) { return double(int32_t(ReadU32(p))) / 65536.0; }
TFixedPoint ReadPoint(const uint8_t* p) { return {ReadFixed(p), ReadFixed(p + 4)}; }

int32_t RoundHalfEven(double v) {
  const double r = std::nearbyint(v);  // the default rounding mode rounds halves to even
  if (!(r > -2147483648.0 && r < 2147483647.0)) return r > 0 ? INT32_MAX : INT32_MIN;
  return static_cast<int32_t>(r);
}

class TWalk {
 public:
  explicit TWalk(TacStrokeCollection& out) : out_(out) {}
  void Begin(int contour, TFixedPoint start) {
    contour_ = contour;
    start_ = current_ = start;
  }
  void LineTo(TFixedPoint p) {
    if (!(p == current_))
      out_.Add({contour_, RoundHalfEven(current_.X), RoundHalfEven(current_.Y), RoundHalfEven(p.X),
                RoundHalfEven(p.Y)});
    current_ = p;
  }
  // The quadratic curve from the current point through control B to End, in 7 pieces.
  void CurveTo(TFixedPoint b, TFixedPoint end) {
    const TFixedPoint c = current_;
    for (int k = 1; k <= kQSplinePieces; ++k) {
      const double t = double(k) / kQSplinePieces;
      LineTo({c.X + t * t * (c.X - 2 * b.X + end.X) + t * (2 * b.X - 2 * c.X),
              c.Y + t * t * (c.Y - 2 * b.Y + end.Y) + t * (2 * b.Y - 2 * c.Y)});
    }
  }
  void Close() { LineTo(start_); }

 private:
  TacStrokeCollection& out_;
  int contour_ = 0;
  TFixedPoint start_, current_;
};

}  // namespace

TacStrokeCollection WalkGlyphOutline(const uint8_t* buffer, size_t size) {
  TacStrokeCollection strokes;
  if (!buffer || size < size_t(kPolygonHeaderSize) || ReadU32(buffer + 4) != kPolygonTypeTT) return strokes;
  TWalk walk(strokes);
  size_t offset = 0;
  for (int k = 0; offset + kPolygonHeaderSize <= size; ++k) {
    const uint8_t* polygon = buffer + offset;
    const size_t cb = ReadU32(polygon);
    // A byte size below the header would never move on; one past the buffer reads outside.
    if (cb < size_t(kPolygonHeaderSize) || cb > size - offset || ReadU32(polygon + 4) != kPolygonTypeTT) break;
    const size_t kept = size_t(strokes.Count());
    walk.Begin(k, ReadPoint(polygon + 8));
    bool broken = false;
    for (size_t at = kPolygonHeaderSize; at < cb;) {
      if (cb - at < 4) {
        broken = true;
        break;
      }
      const uint16_t type = ReadU16(polygon + at);
      const size_t n = ReadU16(polygon + at + 2);
      if (n == 0 || n > (cb - at - 4) / 8) {
        broken = true;
        break;
      }
      const uint8_t* points = polygon + at + 4;
      if (type == kPrimLine) {
        for (size_t i = 0; i < n; ++i) walk.LineTo(ReadPoint(points + 8 * i));
      } else if (type == kPrimQSpline) {
        for (size_t i = 0; i + 1 < n; ++i) {
          const TFixedPoint b = ReadPoint(points + 8 * i), next = ReadPoint(points + 8 * (i + 1));
          const TFixedPoint end = i + 2 < n ? TFixedPoint{(b.X + next.X) / 2, (b.Y + next.Y) / 2} : next;
          walk.CurveTo(b, end);
        }
      }
      at += 4 + 8 * n;
    }
    if (broken) {
      strokes.Truncate(kept);
      break;
    }
    walk.Close();
    offset += cb;
  }
  return strokes;
}

gui::TPoint FitOutlineSize(const gui::TRect& bounds, int e, int f, int fontHeight, bool measureOnly) {
  const int64_t g = int64_t(bounds.Right) - bounds.Left, h = int64_t(bounds.Bottom) - bounds.Top;
  if (g <= 0 || h <= 0) return {};
  gui::TPoint size;
  if (double(e) >= double(f) * (double(g) / double(h))) {
    size.Y = std::min(measureOnly ? f - 4 : f, fontHeight);
    size.X = int32_t(g * size.Y / h);
  } else {
    size.X = measureOnly ? e - 6 : e;
    size.Y = int32_t(h * size.X / g);
  }
  return size;
}

std::vector<std::vector<TacOutlinePoint>> PlaceOutline(const TacStrokeCollection& strokes, const gui::TRect& r,
                                                       gui::TPoint size) {
  std::vector<std::vector<TacOutlinePoint>> polygons;
  const gui::TRect b = strokes.Bounds();
  const double g = double(b.Right) - b.Left, h = double(b.Bottom) - b.Top;
  const int e = r.Width(), f = r.Height();
  const int left = r.Left + (e - size.X) / 2, top = r.Top + (f - size.Y) / 2;
  for (const TacStroke& s : strokes.Strokes()) {
    if (polygons.size() <= size_t(s.Contour)) polygons.resize(size_t(s.Contour) + 1);
    polygons[size_t(s.Contour)].push_back(
        {float(RoundHalfEven(size.X / (g + 1) * (double(s.X1) - b.Left)) + left),
         float(top + f - RoundHalfEven(size.Y / (h + 1) * (double(s.Y1) - b.Top)) - 2)});
  }
  // Contours without strokes (an outline broken off) leave no empty polygons behind.
  polygons.erase(std::remove_if(polygons.begin(), polygons.end(), [](const auto& p) { return p.empty(); }),
                 polygons.end());
  return polygons;
}

}  // namespace skin

// Glyph outlines as straight strokes, free of Win32. The system hands a glyph's outline
// over as one buffer of polygons (a 16-byte header: byte size, type, start point) each
// followed by its curves (type, point count, points; 4 + 8 * count bytes), coordinates in
// 16.16 fixed point. The walker reads that buffer as outside data: a font may come from a
// skin, so every polygon and every curve must lie inside the buffer and inside its
// polygon, and the walk stops at the first one that does not.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gui/Types.h"

namespace skin {

// One straight stroke of a glyph outline, in font design units with Y pointing up.
struct TacStroke {
  int32_t Contour = 0;  // the 0-based closed outline it belongs to
  int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// The strokes of one glyph in outline order; the strokes of a contour are consecutive and
// contours are numbered 0, 1, 2... in order.
class TacStrokeCollection {
 public:
  void Clear() { strokes_.clear(); }
  void Add(const TacStroke& s) { strokes_.push_back(s); }
  int Count() const { return static_cast<int>(strokes_.size()); }
  // The rectangle spanned by every end point; (0, 0, 0, 0) when empty.
  gui::TRect Bounds() const;
  // A copy of stroke I; raises EListError for an index out of range.
  TacStroke Stroke(int i) const;
  // The last stroke's contour + 1; 0 when empty.
  int ContourCount() const;
  // The index of contour N's first stroke; -1 for N outside 0 .. ContourCount - 1 (or a
  // contour without strokes).
  int FirstStroke(int n) const;
  // The number of strokes of contour N; -1 when FirstStroke(N) is -1.
  int StrokeCount(int n) const;
  const std::vector<TacStroke>& Strokes() const { return strokes_; }
  void Truncate(size_t count) { strokes_.resize(count < strokes_.size() ? count : strokes_.size()); }

 private:
  std::vector<TacStroke> strokes_;
};

inline constexpr uint32_t kPolygonTypeTT = 24;  // TT_POLYGON_TYPE
inline constexpr uint16_t kPrimLine = 1;        // TT_PRIM_LINE
inline constexpr uint16_t kPrimQSpline = 2;     // TT_PRIM_QSPLINE
inline constexpr int kPolygonHeaderSize = 16;
inline constexpr int kQSplinePieces = 7;

// Walks an outline buffer (the GGO_NATIVE form) into strokes. Nothing is made unless the
// first polygon is of the TrueType type. A polygon whose byte size is below its header,
// runs past the buffer or has another type, and a curve without points or running past
// its polygon, stop the walk: the strokes of the polygons walked in full are kept, the
// broken polygon adds none. Quadratic curves are flattened into 7 pieces each.
TacStrokeCollection WalkGlyphOutline(const uint8_t* buffer, size_t size);

// A point of a fitted outline on the screen (Y pointing down).
struct TacOutlinePoint {
  float X = 0, Y = 0;
};

// How the strokes fit a rectangle of E x F pixels: the outline's size there. With
// MeasureOnly the fit leaves a margin (4 pixels of height, 6 of width) and never exceeds
// FontHeight; an outline of no width or height fits nothing ((0, 0)).
gui::TPoint FitOutlineSize(const gui::TRect& bounds, int e, int f, int fontHeight, bool measureOnly);
// Every contour's start points placed, centred, into R at Size (from FitOutlineSize),
// turned downwards: one closed polygon per contour.
std::vector<std::vector<TacOutlinePoint>> PlaceOutline(const TacStrokeCollection& strokes, const gui::TRect& r,
                                                       gui::TPoint size);

}  // namespace skin

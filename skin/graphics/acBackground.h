// The two records that carry a control's background to the painters: the question a
// control asks its parent (TacBackgroundQuery) and what the painters read (the cache:
// a picture and an offset into it, or a fill colour). Free of Win32.
#pragma once
#include <cstdint>

#include "skin/graphics/acBitmap32.h"

namespace skin {

enum TacBackgroundKind : uint8_t { bkNone = 0, bkColor = 1, bkBitmap = 2, bkNotReady = 3 };

struct TacBackgroundQuery {
  TBitmap32* Bitmap = nullptr;  // the parent's cached image (kind 2)
  TColor Color = 0;             // background colour (kind 1), fill colour of FillRect
  int OffsetX = 0, OffsetY = 0;  // the asker's position inside Bitmap
  TRect PaintRect;
  TRect FillRect;  // part of the answer to fill with Color instead of taking Bitmap's pixels
  uint8_t Kind = bkNone;
  bool PleaseDraw = false;
  uintptr_t DC = 0;  // device context to paint into when PleaseDraw
};

struct TacBackgroundCache {
  TBitmap32* Bitmap = nullptr;
  int X = 0, Y = 0;            // offset into Bitmap of the painted area's origin
  TColor FillColor = clFuchsia;  // clFuchsia: no background known
  TRect FillRect;
  bool Ready = false;  // True: take pixels from Bitmap; False: use FillColor

  bool Usable() const { return Ready || FillColor != clFuchsia; }
};

inline TacBackgroundCache MakeBackgroundCache(TBitmap32* bitmap, int x, int y) {
  TacBackgroundCache c;
  c.Bitmap = bitmap;
  c.X = x;
  c.Y = y;
  c.Ready = true;
  return c;
}

inline TacBackgroundCache BackgroundQueryToCache(const TacBackgroundQuery& q) {
  if (q.Kind == bkBitmap) return MakeBackgroundCache(q.Bitmap, q.OffsetX, q.OffsetY);
  TacBackgroundCache c;
  c.Bitmap = q.Bitmap;
  c.X = q.OffsetX;
  c.Y = q.OffsetY;
  c.Ready = false;
  c.FillColor = ColorToRGB(q.Color);
  c.FillRect = q.FillRect;
  return c;
}

// The background pixel of the cache at (X + x, Y + y), made opaque; False outside its
// picture (the destination pixel then stays as it is).
inline bool BackgroundPixel(const TacBackgroundCache& cache, int x, int y, TPixel& out) {
  if (cache.Bitmap == nullptr) return false;
  const int bx = cache.X + x, by = cache.Y + y;
  if (!cache.Bitmap->Inside(bx, by)) return false;
  out = cache.Bitmap->At(bx, by) | 0xFF000000u;
  return true;
}

}  // namespace skin

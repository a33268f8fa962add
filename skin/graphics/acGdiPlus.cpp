#include "skin/graphics/acGdiPlus.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "skin/graphics/acGdiBitmap.h"

namespace skin {

namespace {

// The entry points, in the order they are taken. GdipDeleteEffect is taken as well so that
// the blur releases its effect object.
enum ProcId {
  pDrawArc, pDrawLine, pCreatePen1, pStartup, pShutdown, pDrawEllipse, pFillEllipse, pFillRectangle,
  pCreateFromHDC, pCreateSolidFill, pSetSmoothingMode, pDrawImageRectRect, pCreateLineBrush,
  pSetCompositingMode, pSetCompositingQuality, pDeleteGraphics, pDisposeImage, pBitmapLockBits,
  pCreateBitmapFromScan0, pBitmapUnlockBits, pCreatePathGradient, pDeleteBrush, pDeletePen, pCreateEffect,
  pSetEffectParameters, pBitmapCreateApplyEffect, pCreateBitmapFromHBITMAP, pCreateHBITMAPFromBitmap,
  pSetPenBrushFill, pSetPathGradientCenterColor, pSetPathGradientSurroundColorsWithCount,
  pNewPrivateFontCollection, pPrivateAddFontFile, pGetFontCollectionFamilyList, pGetFamilyName, pDrawPolygon,
  pFillPolygon, pDrawImagePoints, pDrawBeziers, pSetInterpolationMode, pDeleteEffect, pCount
};
const char* const kProcNames[pCount] = {
    "GdipDrawArc", "GdipDrawLine", "GdipCreatePen1", "GdiplusStartup", "GdiplusShutdown", "GdipDrawEllipse",
    "GdipFillEllipse", "GdipFillRectangle", "GdipCreateFromHDC", "GdipCreateSolidFill", "GdipSetSmoothingMode",
    "GdipDrawImageRectRect", "GdipCreateLineBrush", "GdipSetCompositingMode", "GdipSetCompositingQuality",
    "GdipDeleteGraphics", "GdipDisposeImage", "GdipBitmapLockBits", "GdipCreateBitmapFromScan0",
    "GdipBitmapUnlockBits", "GdipCreatePathGradient", "GdipDeleteBrush", "GdipDeletePen", "GdipCreateEffect",
    "GdipSetEffectParameters", "GdipBitmapCreateApplyEffect", "GdipCreateBitmapFromHBITMAP",
    "GdipCreateHBITMAPFromBitmap", "GdipSetPenBrushFill", "GdipSetPathGradientCenterColor",
    "GdipSetPathGradientSurroundColorsWithCount", "GdipNewPrivateFontCollection", "GdipPrivateAddFontFile",
    "GdipGetFontCollectionFamilyList", "GdipGetFamilyName", "GdipDrawPolygon", "GdipFillPolygon",
    "GdipDrawImagePoints", "GdipDrawBeziers", "GdipSetInterpolationMode", "GdipDeleteEffect"};

struct StartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};
struct GpRect {
  INT X, Y, Width, Height;
};
struct GpBitmapData {
  UINT Width, Height;
  INT Stride;
  INT PixelFormat;
  void* Scan0;
  UINT_PTR Reserved;
};
struct BlurParams {
  float Radius;
  BOOL ExpandEdge;
};
static_assert(sizeof(BlurParams) == 8);

constexpr INT kPixelFormat32bppARGB = 0x26200A;
constexpr int kSmoothingHighQuality = 2, kUnitWorld = 0, kUnitPixel = 2, kWrapTile = 0, kWrapClamp = 4;
constexpr int kCompositingSourceCopy = 1, kCompositingHighSpeed = 1, kInterpolationHighQuality = 2;
constexpr UINT kLockReadWrite = 3;
const GUID kBlurEffectGuid = {0x633C80A4, 0x1843, 0x482B, {0x9E, 0xF2, 0xBE, 0x28, 0x34, 0xC5, 0xFD, 0xD4}};

struct {
  HMODULE lib = nullptr;
  ULONG_PTR token = 0;
  bool started = false;
  bool tried = false;  // the library was looked for since the unit's start-up
  int count = 0;
  FARPROC procs[pCount] = {};
} api;

using Status = int;

// Calls entry point Id with the arguments; True when it exists and answers Ok (0).
template <class... A>
bool Ok(ProcId id, A... args) {
  using F = Status(WINAPI*)(A...);
  const FARPROC p = api.procs[id];
  return p != nullptr && reinterpret_cast<F>(reinterpret_cast<void*>(p))(args...) == 0;
}

bool Has(ProcId id) { return api.procs[id] != nullptr; }

// GDI+ around one operation; nothing to do when the library is missing.
struct Session {
  bool ok = BeginGdiPlus(false);
  ~Session() { EndGdiPlus(false); }
};

// A Graphics object on a device context, deleted at the end.
struct Graphics {
  void* g = nullptr;
  explicit Graphics(HDC dc) {
    if (!Ok(pCreateFromHDC, dc, &g)) g = nullptr;
  }
  ~Graphics() {
    if (g) Ok(pDeleteGraphics, g);
  }
};

// A GDI+ object released by the named entry point at the end.
struct Owned {
  ProcId release;
  void* p = nullptr;
  ~Owned() {
    if (p) Ok(release, p);
  }
};

uint32_t Argb(TColor c) { return SwapRB(c); }
uint32_t PenArgb(TColor c) { return (c >> 24) == 0 ? SwapRB(c) | 0xFF000000u : SwapRB(c); }

}  // namespace

namespace {
// The library is loaded, its entry points taken and GDI+ started at the first ask while
// the unit runs, not at the unit's start-up: nothing on the way to the first window draws
// with GDI+.
bool Load() {
  if (api.count == 0) return false;
  if (!api.tried) {
    api.tried = true;
    api.lib = LoadLibraryA("gdiplus.dll");
    if (api.lib == nullptr) return false;
    for (int i = 0; i < pCount; ++i) api.procs[i] = GetProcAddress(api.lib, kProcNames[i]);
    const StartupInput input;
    api.started = Ok(pStartup, &api.token, &input, static_cast<void*>(nullptr));
  }
  return api.lib != nullptr;
}
}  // namespace

void InitGdiPlus() { ++api.count; }

void FinalGdiPlus() {
  if (api.count == 0 || --api.count > 0) return;
  if (api.started && Has(pShutdown))
    reinterpret_cast<void(WINAPI*)(ULONG_PTR)>(reinterpret_cast<void*>(api.procs[pShutdown]))(api.token);
  api.started = false;
  api.tried = false;
  if (api.lib) FreeLibrary(api.lib);
  api.lib = nullptr;
  std::fill(std::begin(api.procs), std::end(api.procs), nullptr);
}

bool BeginGdiPlus(bool startNow) {
  if (!Load()) return false;
  if (startNow) {
    const StartupInput input;
    api.started = Ok(pStartup, &api.token, &input, static_cast<void*>(nullptr));
  }
  return api.started;
}

void EndGdiPlus(bool stopNow) {
  if (stopNow && api.lib && api.started && Has(pShutdown)) {
    reinterpret_cast<void(WINAPI*)(ULONG_PTR)>(reinterpret_cast<void*>(api.procs[pShutdown]))(api.token);
    api.started = false;
  }
}

bool GdiPlusLoaded() { return Load(); }

bool GdiPlusHas(const char* name) {
  Load();
  for (int i = 0; i < pCount; ++i)
    if (std::strcmp(kProcNames[i], name) == 0) return api.procs[i] != nullptr;
  return false;
}

void DrawLineGdiPlus(HDC dc, TColor color, float x1, float y1, float x2, float y2, float width) {
  Session s;
  if (!s.ok || !Has(pDrawLine)) return;
  Graphics g(dc);
  if (!g.g || !Ok(pSetSmoothingMode, g.g, kSmoothingHighQuality)) return;
  Owned pen{pDeletePen};
  if (!Ok(pCreatePen1, PenArgb(color), width, kUnitWorld, &pen.p)) return;
  Ok(pDrawLine, g.g, pen.p, x1, y1, x2, y2);
}

void DrawPolygonGdiPlus(HDC dc, TColor color, const TPointF* points, int count, int width) {
  Session s;
  if (!s.ok || count < 2) return;
  Graphics g(dc);
  if (!g.g || !Ok(pSetSmoothingMode, g.g, kSmoothingHighQuality)) return;
  Owned pen{pDeletePen};
  if (!Ok(pCreatePen1, PenArgb(color), static_cast<float>(width), kUnitWorld, &pen.p)) return;
  Ok(pDrawPolygon, g.g, pen.p, points, count);
}

namespace {
void FillLinear(HDC dc, TColor c1, TColor c2, float x, float y, float w, float h, bool vertical) {
  Session s;
  if (!s.ok) return;
  Graphics g(dc);
  if (!g.g) return;
  const TPointF p1{x, y}, p2{vertical ? x : x + w, vertical ? y + h : y};
  Owned brush{pDeleteBrush};
  if (!Ok(pCreateLineBrush, &p1, &p2, Argb(c1), Argb(c2), kWrapTile, &brush.p)) return;
  Ok(pFillRectangle, g.g, brush.p, x, y, w, h);
}
}  // namespace

void FillHorzGradientGdiPlus(HDC dc, TColor c1, TColor c2, float x, float y, float w, float h) {
  FillLinear(dc, c1, c2, x, y, w, h, false);
}

void FillVertGradientGdiPlus(HDC dc, TColor c1, TColor c2, float x, float y, float w, float h) {
  FillLinear(dc, c1, c2, x, y, w, h, true);
}

void FillPathGradientGdiPlus(HDC dc, const TPoint points[4], const TColor colors[4], float x, float y, float w,
                             float h, TColor centerColor) {
  Session s;
  if (!s.ok) return;
  Graphics g(dc);
  if (!g.g) return;
  TPointF pts[4];
  uint32_t argb[4];
  for (int i = 0; i < 4; ++i) {
    pts[i] = {static_cast<float>(points[i].X), static_cast<float>(points[i].Y)};
    argb[i] = Argb(colors[i]);
  }
  Owned brush{pDeleteBrush};
  int count = 4;
  if (!Ok(pCreatePathGradient, static_cast<const TPointF*>(pts), 4, kWrapClamp, &brush.p) ||
      !Ok(pSetPathGradientCenterColor, brush.p, Argb(centerColor)) ||
      !Ok(pSetPathGradientSurroundColorsWithCount, brush.p, static_cast<const uint32_t*>(argb), &count))
    return;
  Ok(pFillRectangle, g.g, brush.p, x, y, w, h);
}

void StretchBitmapGdiPlus(gui::TBitmap& dst, gui::TBitmap& src, const TRect& dstRect, const TRect& srcRect) {
  Session s;
  if (!s.ok || dst.Empty() || src.Empty()) return;
  const TBitmap32 from = Pixels32(src);
  bool drawn = false;
  {
    Graphics g(dst.Canvas().Handle());
    if (!g.g) return;
    Owned image{pDisposeImage};
    // A failed step leaves Dst as it was: the alpha widening below runs only after a drawing.
    if (!Ok(pCreateBitmapFromScan0, src.Width(), src.Height(), 4 * src.Width(), kPixelFormat32bppARGB,
            static_cast<uint8_t*>(nullptr), &image.p))
      return;
    GpRect all{0, 0, src.Width(), src.Height()};
    GpBitmapData data{};
    if (!Ok(pBitmapLockBits, image.p, static_cast<const GpRect*>(&all), kLockReadWrite, kPixelFormat32bppARGB, &data))
      return;
    for (int y = 0; y < from.Height(); ++y) {
      auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + ptrdiff_t{y} * data.Stride);
      for (int x = 0; x < from.Width(); ++x) {
        const TPixel p = from.At(x, y);
        row[x] = (p & 0x00FFFFFFu) | ((ChA(p) / 2u + 127u) << 24);
      }
    }
    if (!Ok(pBitmapUnlockBits, image.p, &data) || !Ok(pSetCompositingMode, g.g, kCompositingSourceCopy) ||
        !Ok(pSetCompositingQuality, g.g, kCompositingHighSpeed))
      return;
    drawn = Ok(pDrawImageRectRect, g.g, image.p, float(dstRect.Left), float(dstRect.Top), float(dstRect.Width()),
               float(dstRect.Height()), float(srcRect.Left), float(srcRect.Top), float(srcRect.Width()),
               float(srcRect.Height()), kUnitPixel, static_cast<void*>(nullptr), static_cast<void*>(nullptr),
               static_cast<void*>(nullptr));
  }
  if (!drawn) return;
  TBitmap32 to = Pixels32(dst);
  for (int y = 0; y < to.Height(); ++y) {
    TPixel* row = to.Row(y);
    for (int x = 0; x < to.Width(); ++x) {
      const uint32_t a = ChA(row[x]);
      if (a == 0) continue;
      const auto widen = [a](uint32_t c) { return std::min(255u, c * 256u / a); };
      row[x] = MakePixel(widen(ChB(row[x])), widen(ChG(row[x])), widen(ChR(row[x])), a * 2 > 255 ? a * 2 - 255 : 0);
    }
  }
}

void StretchBitmapPartGdiPlus(gui::TBitmap& dst, gui::TBitmap& src, int x, int y, int w, int h) {
  StretchBitmapGdiPlus(dst, src, dst.Empty() ? TRect{} : TRect{0, 0, dst.Width(), dst.Height()}, {x, y, x + w, y + h});
}

void BlurBitmapByHalving(gui::TBitmap& bmp) {
  const int w = bmp.Width(), h = bmp.Height();
  if (w / 2 == 0 || h / 2 == 0) return;
  auto half = CreateBitmap32(w / 2, h / 2);
  StretchBitmapPartGdiPlus(*half, bmp, 0, 0, w, h);
  StretchBitmapPartGdiPlus(bmp, *half, 0, 0, w / 2, h / 2);
}

void BlurBitmap(gui::TBitmap& bmp, float radius) {
  if (bmp.Empty()) return;
  Session s;
  if (!s.ok) return;
  bool blurred = false;
  if (Has(pCreateEffect)) {
    Owned effect{pDeleteEffect};
    const BlurParams params{radius, FALSE};
    Owned input{pDisposeImage};
    if (Ok(pCreateEffect, kBlurEffectGuid, &effect.p) && effect.p &&
        Ok(pSetEffectParameters, effect.p, static_cast<const void*>(&params), static_cast<UINT>(sizeof params)) &&
        Ok(pCreateBitmapFromHBITMAP, bmp.Handle(), bmp.Palette(), &input.p)) {
      RECT roi{0, 0, bmp.Width(), bmp.Height()};
      Owned output{pDisposeImage};
      HBITMAP handle = nullptr;
      if (Ok(pBitmapCreateApplyEffect, &input.p, 1, effect.p, &roi, static_cast<RECT*>(nullptr), &output.p, FALSE,
             static_cast<void**>(nullptr), static_cast<int*>(nullptr)) &&
          Ok(pCreateHBITMAPFromBitmap, output.p, &handle, uint32_t{0}) && handle) {
        bmp.SetHandle(handle);
        blurred = true;
      }
    }
  }
  // GDI+ without a working blur effect (Wine's, for one): the halving blur instead.
  if (!blurred) BlurBitmapByHalving(bmp);
}

namespace {
// Sine and cosine of whole degrees, from a table made once.
void SinCos(int angle, float& s, float& c) {
  static const auto table = [] {
    std::vector<std::pair<float, float>> t(360);
    for (int i = 0; i < 360; ++i) {
      const double r = i * 3.14159265358979323846 / 180.0;
      t[static_cast<size_t>(i)] = {static_cast<float>(std::sin(r)), static_cast<float>(std::cos(r))};
    }
    return t;
  }();
  const auto& e = table[static_cast<size_t>(((angle % 360) + 360) % 360)];
  s = e.first;
  c = e.second;
}
}  // namespace

void RotatePoints(TPointF* points, TPointF center, int count, int angle) {
  float s, c;
  SinCos(angle, s, c);
  for (int i = 0; i < count; ++i) {
    const float dx = points[i].X - center.X, dy = points[i].Y - center.Y;
    points[i] = {center.X + dx * c + dy * s, center.Y - dx * s + dy * c};
  }
}

void DrawRotatedBitmapGdiPlus(HDC dc, gui::TBitmap& bmp, const TRect& rect, int angle) {
  if (bmp.Empty()) return;
  int a = 360 - angle;
  if (a >= 360) a -= 360;
  if (a < 0) a += 360;
  const float l = static_cast<float>(rect.Left), t = static_cast<float>(rect.Top);
  const float w = static_cast<float>(bmp.Width()), h = static_cast<float>(bmp.Height());
  TPointF pts[4] = {{l, t}, {l + w, t}, {l, t + h}, {l + w, t + h}};
  RotatePoints(pts, {(rect.Left + rect.Right) / 2.0f, (rect.Top + rect.Bottom) / 2.0f}, 4, a);
  Session s;
  if (!s.ok) return;
  Graphics g(dc);
  if (!g.g || !Ok(pSetInterpolationMode, g.g, kInterpolationHighQuality)) return;
  Owned image{pDisposeImage};
  if (!Ok(pCreateBitmapFromHBITMAP, bmp.Handle(), bmp.Palette(), &image.p)) return;
  Ok(pDrawImagePoints, g.g, image.p, static_cast<const TPointF*>(pts), 3);
}

}  // namespace skin

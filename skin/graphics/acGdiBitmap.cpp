#include "skin/graphics/acGdiBitmap.h"

#include "skin/core/acProcAddress.h"

#include <vector>

namespace skin {

// ---- engine bitmaps ----

std::unique_ptr<gui::TBitmap> CreateBitmap32(int width, int height) {
  auto bmp = std::make_unique<gui::TBitmap>();
  bmp->IgnorePalette = true;
  bmp->SetPixelFormat(gui::pf32bit);
  if (width < 0 || height < 0) width = height = 0;
  try {
    bmp->SetSize(width, height);
  } catch (...) {
    bmp->SetSize(0, 0);
  }
  return bmp;
}

std::unique_ptr<gui::TBitmap> CreateBitmap32ForRect(const TRect& r) {
  return CreateBitmap32(std::max(r.Width(), 0), std::max(r.Height(), 0));
}

std::unique_ptr<gui::TBitmap> CreateBitmap32OfSize(TPoint size) { return CreateBitmap32(size.X, size.Y); }

std::unique_ptr<gui::TBitmap> CreateBitmap32Like(const gui::TBitmap& bmp) {
  return CreateBitmap32(bmp.Width(), bmp.Height());
}

std::unique_ptr<gui::TBitmap> CreateBitmapLike(const gui::TBitmap& bmp) {
  auto out = CreateBitmap32(0, 0);
  out->SetPixelFormat(bmp.PixelFormat());
  out->SetSize(bmp.Width(), bmp.Height());
  return out;
}

void CopyBitmapInto(gui::TBitmap& dst, gui::TBitmap& src) {
  dst.SetPixelFormat(src.PixelFormat());
  dst.SetHandleType(gui::bmDIB);
  dst.SetSize(src.Width(), src.Height());
  if (src.Empty()) return;
  BitBlt(dst.Canvas().Handle(), 0, 0, src.Width(), src.Height(), src.Canvas().Handle(), 0, 0, SRCCOPY);
}

void SetPixelFormat32(gui::TBitmap& bmp) { bmp.SetPixelFormat(gui::pf32bit); }

bool GetBitmapRows(gui::TBitmap& bmp, uint8_t*& row0, ptrdiff_t& delta) {
  if (bmp.Empty()) return false;
  row0 = static_cast<uint8_t*>(bmp.ScanLine(0));
  delta = bmp.Height() > 1 ? static_cast<uint8_t*>(bmp.ScanLine(1)) - row0 : 0;
  return true;
}

TBitmap32 Pixels32(gui::TBitmap& bmp) {
  if (bmp.Empty()) return {};
  bmp.SetPixelFormat(gui::pf32bit);
  uint8_t* row0 = nullptr;
  ptrdiff_t delta = 0;
  GetBitmapRows(bmp, row0, delta);
  return TBitmap32::View(row0, delta, bmp.Width(), bmp.Height());
}

std::unique_ptr<gui::TBitmap> RotateBitmap32(gui::TBitmap& bmp, int angle) {
  if (bmp.PixelFormat() != gui::pf32bit) return nullptr;
  const int w = bmp.Width(), h = bmp.Height();
  // The bits top-down, as GetBitmapBits gives them for a 32-bit bitmap.
  std::vector<uint32_t> bits(static_cast<size_t>(w) * static_cast<size_t>(h));
  GdiFlush();
  if (bits.empty() ||
      GetBitmapBits(bmp.Handle(), static_cast<LONG>(bits.size() * 4), bits.data()) == 0)
    return nullptr;
  const TBitmap32 turned = RotateBitmap32(TBitmap32::View(bits.data(), ptrdiff_t{w} * 4, w, h), angle);
  auto out = CreateBitmap32(turned.Width(), turned.Height());
  std::vector<uint32_t> outBits(bits.size());
  for (int y = 0; y < turned.Height(); ++y)
    std::copy(turned.Row(y), turned.Row(y) + turned.Width(), outBits.begin() + ptrdiff_t{y} * turned.Width());
  SetBitmapBits(out->Handle(), static_cast<DWORD>(outBits.size() * 4), outBits.data());
  return out;
}

HRGN CreateRegionWithoutColor(gui::TBitmap& bmp, TColor color) {
  HRGN rgn = CreateRectRgn(0, 0, bmp.Width(), bmp.Height());
  for (const TRect& r : ColorRuns(Pixels32(bmp), color)) {
    HRGN run = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(rgn, rgn, run, RGN_DIFF);
    DeleteObject(run);
  }
  return rgn;
}

HBITMAP CreateClearMask(int w, int h) {
  // CreateBitmap leaves bits it is not given undefined.
  const size_t rowBytes = static_cast<size_t>((w + 15) / 16 * 2);
  const std::vector<uint8_t> zeros(rowBytes * static_cast<size_t>(std::max(h, 0)) + 2, 0);
  return CreateBitmap(w, h, 1, 1, zeros.data());
}

HICON CreateIconFromBitmap(gui::TBitmap& bmp) {
  HBITMAP mask = CreateClearMask(bmp.Width(), bmp.Height());
  ICONINFO ii{TRUE, 0, 0, mask, bmp.Handle()};
  HICON icon = CreateIconIndirect(&ii);
  DeleteObject(mask);
  return icon;
}

HICON IconFromAlphaBitmap(gui::TBitmap& bmp) {
  bmp.SetPixelFormat(gui::pf32bit);
  gui::TBitmap mask(bmp.Width(), bmp.Height(), gui::pf8bit);
  const TBitmap32 pixels = Pixels32(bmp);
  for (int y = 0; y < pixels.Height(); ++y) {
    auto* m = static_cast<uint8_t*>(mask.ScanLine(y));
    for (int x = 0; x < pixels.Width(); ++x) m[x] = static_cast<uint8_t>(255 - ChA(pixels.At(x, y)));
  }
  GdiFlush();
  ICONINFO ii{TRUE, 0, 0, mask.Handle(), bmp.Handle()};
  return CreateIconIndirect(&ii);
}

// ---- frames ----

void DrawBitmapNineParts(gui::TBitmap& dst, gui::TBitmap& src, const TRect& dstRect, const TRect& srcRect,
                         const TRect& widths, const TRect& limits, const TRect& sideModes, bool stretchCenter,
                         bool drawCenter) {
  if (dst.Empty() || src.Empty()) return;
  HDC d = dst.Canvas().Handle(), s = src.Canvas().Handle();
  const int oldMode = SetStretchBltMode(d, COLORONCOLOR);
  for (const TBlitPart& p : NinePartPlan(dstRect, srcRect, widths, limits, sideModes, stretchCenter, drawCenter)) {
    if (p.Stretch)
      StretchBlt(d, p.Dst.Left, p.Dst.Top, p.Dst.Width(), p.Dst.Height(), s, p.Src.Left, p.Src.Top, p.Src.Width(),
                 p.Src.Height(), SRCCOPY);
    else
      BitBlt(d, p.Dst.Left, p.Dst.Top, p.Dst.Width(), p.Dst.Height(), s, p.Src.Left, p.Src.Top, SRCCOPY);
  }
  SetStretchBltMode(d, oldMode);
  GdiFlush();
}

void CopyBorderFromDC(HDC dstDC, int x, int y, int width, int height, HDC srcDC, int srcX, int srcY, int left,
                      int top, int right, int bottom) {
  if (left < 0) left = 0;
  if (bottom < 1) {
    if (top < 1) top = left;
    if (right < 1) right = left;
    bottom = left;
  }
  BitBlt(dstDC, x, y, left, height, srcDC, srcX, srcY, SRCCOPY);
  BitBlt(dstDC, x + left, y, width - left, top, srcDC, srcX + left, srcY, SRCCOPY);
  BitBlt(dstDC, x + width - right, y + top, right, height - top, srcDC, srcX + width - right, srcY + top, SRCCOPY);
  BitBlt(dstDC, x + left, y + height - bottom, width - left - right, bottom, srcDC, srcX + left,
         srcY + height - bottom, SRCCOPY);
}

void FillRectOnDC(HDC dc, const TRect& r, TColor color) {
  const int saved = SaveDC(dc);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color) & 0x00FFFFFFu);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  FillRect(dc, &rc, brush);
  RestoreDC(dc, saved);
  DeleteObject(brush);
}

void ExcludeChildControlsClip(HDC dc, gui::TWinControl& parent, int offsetX, int offsetY, bool excludeGraphic) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    gui::TControl* c = parent.Controls(i);
    if (c == nullptr || !c->Visible()) continue;
    if (!excludeGraphic && dynamic_cast<gui::TGraphicControl*>(c) != nullptr) continue;
    const TRect b = c->BoundsRect().Offset(offsetX, offsetY);
    ExcludeClipRect(dc, b.Left, b.Top, b.Right, b.Bottom);
  }
}

// ---- layered windows and DC layout ----

TSetLayout SetLayoutProc = nullptr;
TGetLayout GetLayoutProc = nullptr;
TUpdateLayeredWindow UpdateLayeredWindowProc = nullptr;
TSetLayeredWindowAttributes SetLayeredWindowAttributesProc = nullptr;

namespace {
int unitCount = 0;
HMODULE gdiLib = nullptr, userLib = nullptr;

uint32_t SystemColor(int index) { return GetSysColor(index); }
}  // namespace

bool LayeredWindowsAvailable() { return UpdateLayeredWindowProc != nullptr; }

void SetDCLayout(HDC dc, DWORD layout) {
  if (SetLayoutProc) SetLayoutProc(dc, layout);
}

DWORD GetDCLayout(HDC dc) { return GetLayoutProc ? GetLayoutProc(dc) : 0; }

void InitBitmapUnit() {
  if (unitCount++ > 0) return;
  SetSysColorSource(SystemColor);
  gdiLib = LoadLibraryA("gdi32.dll");
  SetLayoutProc = ProcAddress<TSetLayout>(gdiLib, "SetLayout");
  GetLayoutProc = ProcAddress<TGetLayout>(gdiLib, "GetLayout");
  if (UpdateLayeredWindowProc == nullptr) {
    userLib = LoadLibraryA("user32.dll");
    UpdateLayeredWindowProc = ProcAddress<TUpdateLayeredWindow>(userLib, "UpdateLayeredWindow");
    SetLayeredWindowAttributesProc =
        ProcAddress<TSetLayeredWindowAttributes>(userLib, "SetLayeredWindowAttributes");
  }
}

void FinalBitmapUnit() {
  if (unitCount == 0 || --unitCount > 0) return;
  SetLayoutProc = nullptr;
  GetLayoutProc = nullptr;
  UpdateLayeredWindowProc = nullptr;
  SetLayeredWindowAttributesProc = nullptr;
  if (gdiLib) FreeLibrary(gdiLib);
  if (userLib) FreeLibrary(userLib);
  gdiLib = userLib = nullptr;
  SetSysColorSource(nullptr);
}

}  // namespace skin

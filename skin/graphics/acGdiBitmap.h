// The engine bitmap on Windows: a class-layer TBitmap in 32 bits, a DIB section whose rows
// the pixel core reads through a TBitmap32 view. Here sit the operations that need GDI or
// user32: creating such bitmaps, quarter turns through GetBitmapBits, regions and icons
// from bitmaps, nine-part drawing with BitBlt/StretchBlt, border strips copied between
// device contexts, and the layered-window and DC-layout entry points taken at start-up.
#pragma once
#include <windows.h>

#include <memory>

#include "gui/Controls.h"
#include "gui/Graphics.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acNineParts.h"

namespace skin {

// ---- engine bitmaps ----

// A new 32-bit DIB bitmap without palette; a negative size, or a size the system cannot
// give, leaves it 0 x 0.
std::unique_ptr<gui::TBitmap> CreateBitmap32(int width, int height);
std::unique_ptr<gui::TBitmap> CreateBitmap32ForRect(const TRect& r);
std::unique_ptr<gui::TBitmap> CreateBitmap32OfSize(TPoint size);
std::unique_ptr<gui::TBitmap> CreateBitmap32Like(const gui::TBitmap& bmp);
// Bmp's size and pixel format, whatever that is.
std::unique_ptr<gui::TBitmap> CreateBitmapLike(const gui::TBitmap& bmp);
// Dst takes Src's pixel format, size and pixels.
void CopyBitmapInto(gui::TBitmap& dst, gui::TBitmap& src);
void SetPixelFormat32(gui::TBitmap& bmp);
// The address of row 0 and the distance between rows (negative for these bottom-up DIBs,
// 0 with one row); False for a bitmap without rows.
bool GetBitmapRows(gui::TBitmap& bmp, uint8_t*& row0, ptrdiff_t& delta);
// The bitmap's pixels for the pixel core (the bitmap is made 32-bit first); empty without rows.
TBitmap32 Pixels32(gui::TBitmap& bmp);

// A new bitmap turned by 90, 180 or 270 degrees (others copy); nullptr for a bitmap that is
// not 32-bit or whose bits cannot be read, so the caller keeps its own.
std::unique_ptr<gui::TBitmap> RotateBitmap32(gui::TBitmap& bmp, int angle);
// The bitmap's rectangle without every pixel whose value equals Color's low 24 bits.
// The caller owns the region.
HRGN CreateRegionWithoutColor(gui::TBitmap& bmp, TColor color);
// An icon with the bitmap as its colour part and an empty 1-bit mask.
HICON CreateIconFromBitmap(gui::TBitmap& bmp);
// A monochrome mask of w x h pixels, every pixel cleared (shown).
HBITMAP CreateClearMask(int w, int h);
// An icon whose mask is 255 minus each pixel's alpha; 0 when the system refuses it.
HICON IconFromAlphaBitmap(gui::TBitmap& bmp);

// ---- frames ----

// The nine-part copies carried out with BitBlt and StretchBlt (COLORONCOLOR) between the
// two bitmaps' device contexts.
void DrawBitmapNineParts(gui::TBitmap& dst, gui::TBitmap& src, const TRect& dstRect, const TRect& srcRect,
                         const TRect& widths, const TRect& limits, const TRect& sideModes, bool stretchCenter,
                         bool drawCenter);
// The four frame strips of (X, Y, Width, Height) from (SrcX, SrcY) of SrcDC. A Bottom below
// 1 means one width, Left's, for all four sides.
void CopyBorderFromDC(HDC dstDC, int x, int y, int width, int height, HDC srcDC, int srcX, int srcY, int left,
                      int top, int right, int bottom);
void FillRectOnDC(HDC dc, const TRect& r, TColor color);
// Keeps the visible child controls of Parent, moved by the offset, out of the DC's clip.
// Graphic controls are drawn by the parent and stay in the clip unless ExcludeGraphic.
void ExcludeChildControlsClip(HDC dc, gui::TWinControl& parent, int offsetX, int offsetY, bool excludeGraphic = false);

// ---- layered windows and DC layout ----

using TSetLayout = DWORD(WINAPI*)(HDC, DWORD);
using TGetLayout = DWORD(WINAPI*)(HDC);
using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
extern TSetLayout SetLayoutProc;
extern TGetLayout GetLayoutProc;
extern TUpdateLayeredWindow UpdateLayeredWindowProc;
extern TSetLayeredWindowAttributes SetLayeredWindowAttributesProc;

bool LayeredWindowsAvailable();
void SetDCLayout(HDC dc, DWORD layout);
DWORD GetDCLayout(HDC dc);

// Start-up and shut-down of the bitmap unit: the entry points above and the system-colour
// source of the pixel core. Counted: only the first start-up and the matching shut-down act.
void InitBitmapUnit();
void FinalBitmapUnit();

}  // namespace skin

#include "skin/graphics/acImgListConvert.h"

#include <algorithm>
#include <vector>

#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acResample.h"

namespace skin {

namespace {
constexpr int kMitchell = 6;

// The colour part of an icon read as 32-bit top-down pixels of its own size.
bool ReadIconColor(HICON icon, int& w, int& h, std::vector<uint32_t>& color, std::vector<uint32_t>& mask) {
  ICONINFO ii{};
  if (!icon || !GetIconInfo(icon, &ii)) return false;
  BITMAP bm{};
  const bool ok = ii.hbmColor && GetObjectW(ii.hbmColor, sizeof bm, &bm);
  if (ok) {
    w = bm.bmWidth;
    h = bm.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    color.assign(size_t(w) * size_t(h), 0);
    mask.assign(size_t(w) * size_t(h), 0);
    GetDIBits(dc, ii.hbmColor, 0, UINT(h), color.data(), &bi, DIB_RGB_COLORS);
    BITMAP mb{};
    if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof mb, &mb) && mb.bmWidth == w && mb.bmHeight == h)
      GetDIBits(dc, ii.hbmMask, 0, UINT(h), mask.data(), &bi, DIB_RGB_COLORS);
    else
      mask.clear();
    ReleaseDC(nullptr, dc);
  }
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  return ok;
}

void CopyInto(gui::TBitmap& bmp, const std::vector<uint32_t>& pixels, int w, int h) {
  TBitmap32 px = Pixels32(bmp);
  for (int y = 0; y < std::min(h, px.Height()); ++y)
    for (int x = 0; x < std::min(w, px.Width()); ++x) px.At(x, y) = pixels[size_t(y) * w + x];
}
}  // namespace

int GetBpp() {
  HDC dc = GetDC(nullptr);
  const int bpp = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(nullptr, dc);
  return bpp;
}

bool DetectImageFormat(rtl::TStream&, uint8_t& format) {
  format = 0;  // PNG
  return true;
}

void AddBitmapToImageList(gui::TCustomImageList& list, gui::TBitmap* bmp, int index) {
  if (!bmp || !list.HandleAllocated()) return;
  const int w = list.Width(), h = list.Height();
  std::unique_ptr<gui::TBitmap> work;
  gui::TBitmap* source = bmp;
  if (bmp->Width() != w || bmp->Height() != h) {
    work = CreateBitmap32(w, h);
    TBitmap32 cell = Pixels32(*work);
    if (bmp->Width() < 2 || bmp->Height() < 2) {
      FillBitmapRect(cell, cell.Bounds(), 0, 1);
    } else {
      FillBitmapRect(cell, cell.Bounds(), 0, 0);
      ResampleInto(Pixels32(*bmp), cell, kMitchell);
    }
    source = work.get();
  }
  SetPixelFormat32(*source);
  // The colour part keeps its alpha and the mask stays empty: the alpha decides. The
  // picture goes in as a bitmap: through an icon the system would make the icon and then
  // copy it out again, several times the work for the same image.
  HBITMAP mask = CreateClearMask(w, h);
  if (!mask) return;
  GdiFlush();
  if (index < 0) ImageList_Add(list.Handle(), source->Handle(), mask);
  else ImageList_Replace(list.Handle(), index, source->Handle(), mask);
  DeleteObject(mask);
}

std::unique_ptr<gui::TBitmap> IconToBitmap32(HICON icon, int width, int height, bool useMask) {
  int w = 0, h = 0;
  std::vector<uint32_t> color, mask;
  if (!ReadIconColor(icon, w, h, color, mask)) return CreateBitmap32(width, height);
  auto result = CreateBitmap32(w, h);
  if (useMask && !mask.empty())
    for (size_t i = 0; i < color.size(); ++i)
      color[i] = (color[i] & 0xFFFFFFu) | (uint32_t(255 - (mask[i] & 0xFF)) << 24);
  CopyInto(*result, color, w, h);
  return result;
}

bool IconToBitmap32Into(HICON icon, gui::TBitmap& bmp) {
  int w = 0, h = 0;
  std::vector<uint32_t> color, mask;
  if (!ReadIconColor(icon, w, h, color, mask)) return false;
  SetPixelFormat32(bmp);
  CopyInto(bmp, color, w, h);
  return true;
}

void EnsureAlphaBitmap(gui::TBitmap& bmp) {
  if (bmp.PixelFormat() == gui::pf32bit) return;
  SetPixelFormat32(bmp);
  TBitmap32 px = Pixels32(bmp);
  AlphaFromCornerColor(px);
}

std::unique_ptr<gui::TBitmap> ResampledBitmap(gui::TBitmap& src, int width, int height) {
  auto result = CreateBitmap32(width, height);
  TBitmap32 dst = Pixels32(*result);
  SetPixelFormat32(src);
  ResampleInto(Pixels32(src), dst, kMitchell);
  return result;
}

}  // namespace skin

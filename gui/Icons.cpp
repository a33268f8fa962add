#include "gui/Icons.h"

#include <cstring>
#include <vector>

#include "gui/Graphics.h"

namespace gui {

namespace {

#pragma pack(push, 1)
struct IconDir {
  uint16_t Reserved, Type, Count;
};
struct IconDirEntry {
  uint8_t Width, Height, Colors, Reserved;
  uint16_t Planes, BitCount;
  uint32_t BytesInRes, ImageOffset;
};
#pragma pack(pop)

// The rows of a bitmap as 32-bit bottom-up pixels (what an icon file stores).
std::vector<uint8_t> Bits32(HBITMAP bmp, int w, int h) {
  std::vector<uint8_t> bits(size_t(w) * size_t(h) * 4);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC dc = GetDC(nullptr);
  const int got = GetDIBits(dc, bmp, 0, UINT(h), bits.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (got != h) bits.assign(bits.size(), 0);
  return bits;
}

}  // namespace

void TIcon::LoadFromStream(rtl::TStream& s) {
  const int64_t left = s.Size() - s.Position();
  std::vector<uint8_t> data(size_t(left > 0 ? left : 0));
  if (!data.empty()) s.ReadBuffer(data.data(), int64_t(data.size()));
  IconDir dir{};
  IconDirEntry e{};
  if (data.size() >= sizeof dir + sizeof e) {
    std::memcpy(&dir, data.data(), sizeof dir);
    std::memcpy(&e, data.data() + sizeof dir, sizeof e);
  }
  // The image must lie inside the data the stream gave.
  if (dir.Reserved != 0 || dir.Type != 1 || dir.Count == 0 || e.ImageOffset > data.size() ||
      e.BytesInRes > data.size() - e.ImageOffset || e.BytesInRes < sizeof(BITMAPINFOHEADER))
    throw EInvalidGraphic("Icon image is not valid");
  HICON h = CreateIconFromResourceEx(data.data() + e.ImageOffset, e.BytesInRes, TRUE, 0x00030000, e.Width,
                                     e.Height, LR_DEFAULTCOLOR);
  if (!h) throw EInvalidGraphic("Icon image is not valid");
  SetHandle(h);
}

void TIcon::SaveToStream(rtl::TStream& s) const {
  ICONINFO ii{};
  if (!handle_ || !GetIconInfo(handle_, &ii)) return;
  BITMAP bm{};
  GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
  const int w = bm.bmWidth, h = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
  std::vector<uint8_t> color = ii.hbmColor ? Bits32(ii.hbmColor, w, h) : std::vector<uint8_t>(size_t(w) * h * 4);
  // The mask as 1-bit rows padded to 4 bytes: read it 32-bit and keep one bit per pixel.
  const std::vector<uint8_t> mask32 = Bits32(ii.hbmMask, w, h);
  const int maskRow = ((w + 31) / 32) * 4;
  std::vector<uint8_t> mask(size_t(maskRow) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (mask32[(size_t(y) * w + x) * 4]) mask[size_t(y) * maskRow + x / 8] |= uint8_t(0x80 >> (x % 8));
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  BITMAPINFOHEADER bih{sizeof bih, w, 2 * h, 1, 32, BI_RGB, DWORD(color.size() + mask.size()), 0, 0, 0, 0};
  const IconDir dir{0, 1, 1};
  const IconDirEntry e{uint8_t(w < 256 ? w : 0), uint8_t(h < 256 ? h : 0), 0, 0, 1, 32,
                       uint32_t(sizeof bih + color.size() + mask.size()), sizeof dir + sizeof e};
  s.WriteBuffer(&dir, sizeof dir);
  s.WriteBuffer(&e, sizeof e);
  s.WriteBuffer(&bih, sizeof bih);
  s.WriteBuffer(color.data(), int64_t(color.size()));
  s.WriteBuffer(mask.data(), int64_t(mask.size()));
}

}  // namespace gui

// TBitmap: DIB sections, pixel-format conversion and the BMP file format.
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "gui/Graphics.h"
#include "rtl/Utf.h"

namespace gui {

namespace {

const char kInvalidBitmap[] = "Bitmap image is not valid";

int BitsOf(TPixelFormat pf) {
  switch (pf) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
  }
}

int StrideOf(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

std::vector<RGBQUAD> DefaultColors(TPixelFormat pf) {
  std::vector<RGBQUAD> c;
  auto add = [&](int r, int g, int b) {
    c.push_back(RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0});
  };
  if (pf == pf1bit) {
    add(0, 0, 0);
    add(255, 255, 255);
  } else if (pf == pf4bit) {
    static const int vga[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                   {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                   {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                   {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (auto& v : vga) add(v[0], v[1], v[2]);
  } else if (pf == pf8bit) {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) add(r * 51, g * 51, b * 51);
    for (int i = 0; i < 40; ++i) add(i * 255 / 39, i * 255 / 39, i * 255 / 39);
  }
  return c;
}

// BITMAPINFO with room for masks or a full colour table.
struct Info {
  BITMAPINFOHEADER h{};
  RGBQUAD colors[256]{};
  BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

void FillInfo(Info& bi, int w, int h, TPixelFormat pf, const std::vector<RGBQUAD>& colors) {
  bi.h.biSize = sizeof(BITMAPINFOHEADER);
  bi.h.biWidth = w;
  bi.h.biHeight = h;  // bottom-up
  bi.h.biPlanes = 1;
  bi.h.biBitCount = static_cast<WORD>(BitsOf(pf));
  bi.h.biCompression = BI_RGB;
  if (pf == pf16bit) {
    bi.h.biCompression = BI_BITFIELDS;
    DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(bi.colors, masks, sizeof masks);
  } else if (BitsOf(pf) <= 8) {
    size_t n = std::min<size_t>(colors.size(), size_t{1} << BitsOf(pf));
    bi.h.biClrUsed = static_cast<DWORD>(n);
    std::copy_n(colors.begin(), n, bi.colors);
  }
}

struct Section {
  HBITMAP handle = nullptr;
  uint8_t* bits = nullptr;
};

Section CreateSection(int w, int h, TPixelFormat pf, const std::vector<RGBQUAD>& colors) {
  Info bi;
  FillInfo(bi, w, h, pf, colors);
  void* bits = nullptr;
  HBITMAP hb = CreateDIBSection(nullptr, bi.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!hb || !bits) throw rtl::Exception("Out of system resources");
  return {hb, static_cast<uint8_t*>(bits)};
}

// Pixel (x) of a row as 0xAARRGGBB; formats without alpha give alpha 0.
uint32_t ReadPixel(const uint8_t* row, int x, TPixelFormat pf, const std::vector<RGBQUAD>& colors) {
  auto pal = [&](unsigned i) -> uint32_t {
    if (i >= colors.size()) return 0;
    const RGBQUAD& q = colors[i];
    return (uint32_t{q.rgbRed} << 16) | (uint32_t{q.rgbGreen} << 8) | q.rgbBlue;
  };
  auto scale5 = [](uint32_t v) { return (v << 3) | (v >> 2); };
  switch (pf) {
    case pf1bit: return pal((row[x >> 3] >> (7 - (x & 7))) & 1);
    case pf4bit: return pal((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
    case pf8bit: return pal(row[x]);
    case pf15bit: {
      uint32_t v = row[2 * x] | (row[2 * x + 1] << 8);
      return (scale5((v >> 10) & 31) << 16) | (scale5((v >> 5) & 31) << 8) | scale5(v & 31);
    }
    case pf16bit: {
      uint32_t v = row[2 * x] | (row[2 * x + 1] << 8);
      uint32_t g = (v >> 5) & 63;
      return (scale5((v >> 11) & 31) << 16) | (((g << 2) | (g >> 4)) << 8) | scale5(v & 31);
    }
    case pf24bit: return (uint32_t{row[3 * x + 2]} << 16) | (uint32_t{row[3 * x + 1]} << 8) | row[3 * x];
    default: {
      uint32_t v;
      std::memcpy(&v, row + 4 * x, 4);
      return v;
    }
  }
}

void WritePixel(uint8_t* row, int x, TPixelFormat pf, uint32_t argb) {
  uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  switch (pf) {
    case pf15bit: {
      uint32_t v = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
      row[2 * x] = static_cast<uint8_t>(v);
      row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
      break;
    }
    case pf16bit: {
      uint32_t v = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
      row[2 * x] = static_cast<uint8_t>(v);
      row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
      break;
    }
    case pf24bit:
      row[3 * x] = static_cast<uint8_t>(b);
      row[3 * x + 1] = static_cast<uint8_t>(g);
      row[3 * x + 2] = static_cast<uint8_t>(r);
      break;
    default: std::memcpy(row + 4 * x, &argb, 4);
  }
}

int NearestIndex(const std::vector<RGBQUAD>& colors, uint32_t rgb) {
  int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  int best = 0, bestDist = 1 << 30;
  for (size_t i = 0; i < colors.size(); ++i) {
    int dr = colors[i].rgbRed - r, dg = colors[i].rgbGreen - g, db = colors[i].rgbBlue - b;
    int d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

void SetIndex(uint8_t* row, int x, int bits, int v) {
  if (bits == 8) {
    row[x] = static_cast<uint8_t>(v);
  } else if (bits == 4) {
    int shift = (x & 1) ? 0 : 4;
    row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & ~(0xF << shift)) | ((v & 0xF) << shift));
  } else {
    uint8_t m = static_cast<uint8_t>(0x80 >> (x & 7));
    row[x >> 3] = static_cast<uint8_t>((v & 1) ? row[x >> 3] | m : row[x >> 3] & ~m);
  }
}

// Copies the palette index of pixel sx in a 1/4-bit row into pixel dx of another row.
void CopyIndex(const uint8_t* src, int sx, uint8_t* dst, int dx, int bits) {
  if (bits == 1) {
    int v = (src[sx >> 3] >> (7 - (sx & 7))) & 1;
    uint8_t m = static_cast<uint8_t>(0x80 >> (dx & 7));
    dst[dx >> 3] = static_cast<uint8_t>(v ? dst[dx >> 3] | m : dst[dx >> 3] & ~m);
  } else {
    int v = (src[sx >> 1] >> ((sx & 1) ? 0 : 4)) & 0xF;
    int shift = (dx & 1) ? 0 : 4;
    dst[dx >> 1] = static_cast<uint8_t>((dst[dx >> 1] & ~(0xF << shift)) | (v << shift));
  }
}

TPixelFormat FormatOf(int bits, DWORD compression, const DWORD* masks) {
  switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16:
      if (compression != BI_BITFIELDS || (masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x1F)) return pf15bit;
      if (masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x1F) return pf16bit;
      return pfCustom;
    case 24: return pf24bit;
    case 32:
      if (compression != BI_BITFIELDS || (masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF)) return pf32bit;
      return pfCustom;
    default: return pfCustom;
  }
}

// Channel value under a bit mask, scaled to 0..255.
uint32_t MaskChannel(uint32_t v, DWORD mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  uint32_t max = mask >> shift;
  return ((v & mask) >> shift) * 255 / max;
}

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24); }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

// Whether a DIB section stores its top row first. GetObject does not always keep the
// sign of the height, so a marker written into the first row in memory is looked for
// through GDI; the bytes are put back afterwards.
bool IsTopDown(HBITMAP h, const DIBSECTION& ds, HDC dc, const std::vector<RGBQUAD>& colors) {
  if (ds.dsBmih.biHeight < 0) return true;
  int ht = ds.dsBm.bmHeight, bits = ds.dsBmih.biBitCount;
  if (ht < 2) return false;
  uint8_t* first = static_cast<uint8_t*>(ds.dsBm.bmBits);
  uint8_t* last = first + static_cast<size_t>(ht - 1) * ds.dsBm.bmWidthBytes;
  size_t n = bits >= 8 ? static_cast<size_t>(bits / 8) : 1;
  uint8_t a = 0x00, b = 0xFF;
  if (bits <= 8) {
    // Two palette entries of different colours.
    auto rgb = [&](size_t i) { return i < colors.size() ? (colors[i].rgbRed << 16) | (colors[i].rgbGreen << 8) | colors[i].rgbBlue : 0; };
    size_t other = 1;
    while (other < colors.size() && rgb(other) == rgb(0)) ++other;
    if (other >= colors.size()) return false;  // one colour only: the order cannot show
    a = 0;
    b = bits == 8 ? static_cast<uint8_t>(other) : bits == 4 ? static_cast<uint8_t>(other * 0x11) : 0xFF;
    if (bits == 1 && other != 1) return false;
  }
  HGDIOBJ old = SelectObject(dc, h);
  if (!old) return false;  // selected elsewhere: trust the header
  std::vector<uint8_t> saveFirst(first, first + n), saveLast(last, last + n);
  GdiFlush();
  std::memset(first, a, n);
  std::memset(last, b, n);
  COLORREF top = GetPixel(dc, 0, 0), bottom = GetPixel(dc, 0, ht - 1);
  std::memset(first, b, n);
  std::memset(last, a, n);
  COLORREF top2 = GetPixel(dc, 0, 0);
  std::memcpy(first, saveFirst.data(), n);
  std::memcpy(last, saveLast.data(), n);
  SelectObject(dc, old);
  return top != top2 && top2 == bottom;
}

}  // namespace

// The bitmap's canvas: a memory DC that holds the bitmap selected. The DC stays the same
// when the bitmap is replaced (resize, format change, load), so an HDC taken from the
// canvas keeps drawing into the current picture.
class TBitmap::BitmapCanvas : public TCanvas {
 public:
  explicit BitmapCanvas(TBitmap* owner) : owner_(owner) {}
  ~BitmapCanvas() override { FreeContext(); }

  void Rebind(HBITMAP h) {
    if (!memDC_) return;
    if (h) {
      HGDIOBJ prev = SelectObject(memDC_, h);
      if (!stock_) stock_ = prev;
    } else if (stock_) {
      SelectObject(memDC_, stock_);
      stock_ = nullptr;
    }
  }

  void FreeContext() {
    if (!memDC_) return;
    SetHandle(nullptr);
    if (stock_) SelectObject(memDC_, stock_);
    DeleteDC(memDC_);
    memDC_ = nullptr;
    stock_ = nullptr;
  }

 protected:
  void CreateHandle() override {
    memDC_ = CreateCompatibleDC(nullptr);
    if (!memDC_) return;
    if (owner_->handle_) stock_ = SelectObject(memDC_, owner_->handle_);
    SetHandle(memDC_);
  }

 private:
  TBitmap* owner_;
  HDC memDC_ = nullptr;
  HGDIOBJ stock_ = nullptr;  // the DC's own 1x1 bitmap
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat pf) {
  pf_ = pf;
  SetSize(width, height);
}

TBitmap::~TBitmap() {
  canvas_.reset();
  if (handle_) DeleteObject(handle_);
  FreePalette();
}

void TBitmap::FreePalette() {
  if (palette_) DeleteObject(palette_);
  palette_ = nullptr;
}

void TBitmap::Replace(HBITMAP h, void* bits, int w, int h2, TPixelFormat pf, std::vector<RGBQUAD> colors) {
  HBITMAP old = handle_;
  if (canvas_) canvas_->Rebind(h);
  handle_ = h;
  bits_ = static_cast<uint8_t*>(bits);
  width_ = h ? w : 0;
  height_ = h ? h2 : 0;
  pf_ = pf;
  stride_ = h ? StrideOf(w, BitsOf(pf)) : 0;
  colors_ = std::move(colors);
  FreePalette();
  if (old && old != h) DeleteObject(old);
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<BitmapCanvas>(this);
    canvas_->OnChange = [this](rtl::TObject*) { Changed(); };
  }
  return *canvas_;
}

void TBitmap::Changed() { TGraphic::Changed(); }

void TBitmap::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == width_ && h == height_) return;
  if (w == 0 || h == 0) {
    Replace(nullptr, nullptr, 0, 0, pf_, colors_);
    Changed();
    return;
  }
  std::vector<RGBQUAD> colors = BitsOf(pf_) <= 8 ? (colors_.empty() ? DefaultColors(pf_) : colors_) : colors_;
  Section s = CreateSection(w, h, pf_, colors);
  if (handle_) {
    GdiFlush();
    int bits = BitsOf(pf_);
    int stride = StrideOf(w, bits);
    int cw = std::min(w, width_), ch = std::min(h, height_);
    for (int y = 0; y < ch; ++y) {
      const uint8_t* src = bits_ + static_cast<size_t>(height_ - 1 - y) * stride_;
      uint8_t* dst = s.bits + static_cast<size_t>(h - 1 - y) * stride;
      if (bits >= 8) std::memcpy(dst, src, static_cast<size_t>(cw) * (bits / 8));
      else
        for (int x = 0; x < cw; ++x) CopyIndex(src, x, dst, x, bits);
    }
  }
  Replace(s.handle, s.bits, w, h, pf_, std::move(colors));
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat pf) {
  if (pf == pfCustom) throw EInvalidGraphicOperation("Cannot set a custom pixel format");
  if (pf == pf_) return;
  // The device format is a 32-bit surface: switching between the two only relabels it.
  if (Empty() || (BitsOf(pf) == 32 && BitsOf(pf_) == 32 && pf_ != pfCustom)) {
    if (Empty()) colors_ = DefaultColors(pf);
    pf_ = pf;
    Changed();
    return;
  }
  GdiFlush();
  std::vector<RGBQUAD> colors = DefaultColors(pf);
  Section s = CreateSection(width_, height_, pf, colors);
  int stride = StrideOf(width_, BitsOf(pf));
  if (BitsOf(pf) > 8) {
    for (int y = 0; y < height_; ++y) {
      const uint8_t* src = bits_ + static_cast<size_t>(y) * stride_;
      uint8_t* dst = s.bits + static_cast<size_t>(y) * stride;
      for (int x = 0; x < width_; ++x) WritePixel(dst, x, pf, ReadPixel(src, x, pf_, colors_));
    }
  } else {
    // To a palette: each colour becomes the nearest entry of the new colour table.
    std::unordered_map<uint32_t, uint8_t> nearest;
    int bits = BitsOf(pf);
    for (int y = 0; y < height_; ++y) {
      const uint8_t* src = bits_ + static_cast<size_t>(y) * stride_;
      uint8_t* dst = s.bits + static_cast<size_t>(y) * stride;
      for (int x = 0; x < width_; ++x) {
        uint32_t rgb = ReadPixel(src, x, pf_, colors_) & 0xFFFFFF;
        auto it = nearest.find(rgb);
        if (it == nearest.end()) it = nearest.emplace(rgb, NearestIndex(colors, rgb)).first;
        SetIndex(dst, x, bits, it->second);
      }
    }
  }
  Replace(s.handle, s.bits, width_, height_, pf, std::move(colors));
  Changed();
}

void TBitmap::SetHandleType(TBitmapHandleType t) {
  if (t == HandleType()) return;
  SetPixelFormat(t == bmDDB ? pfDevice : pf32bit);
}

void* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= height_) throw rtl::ERangeError("Scan line index out of range");
  if (pf_ == pfDevice) pf_ = pf32bit;  // raw access makes it a DIB
  GdiFlush();
  return bits_ + static_cast<size_t>(height_ - 1 - y) * stride_;
}

HPALETTE TBitmap::Palette() {
  if (!palette_ && !colors_.empty() && BitsOf(pf_) <= 8) {
    std::vector<uint8_t> buf(sizeof(LOGPALETTE) + colors_.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(colors_.size());
    for (size_t i = 0; i < colors_.size(); ++i)
      lp->palPalEntry[i] = PALETTEENTRY{colors_[i].rgbRed, colors_[i].rgbGreen, colors_[i].rgbBlue, 0};
    palette_ = CreatePalette(lp);
  }
  return palette_;
}

void TBitmap::SetHandle(HBITMAP h) {
  if (h == handle_) return;
  if (!h) {
    Replace(nullptr, nullptr, 0, 0, pf_, {});
    Changed();
    return;
  }
  AdoptForeign(h);
  Changed();
}

void TBitmap::AdoptForeign(HBITMAP h) {
  DIBSECTION ds{};
  int n = GetObjectW(h, sizeof ds, &ds);
  if (n == 0) throw EInvalidGraphic("Invalid bitmap handle");
  int w = ds.dsBm.bmWidth, ht = ds.dsBm.bmHeight;
  HDC dc = CreateCompatibleDC(nullptr);
  if (n == sizeof(DIBSECTION) && ds.dsBm.bmBits) {
    int bits = ds.dsBmih.biBitCount;
    TPixelFormat pf = FormatOf(bits, ds.dsBmih.biCompression, ds.dsBitfields);
    std::vector<RGBQUAD> colors;
    if (bits <= 8) {
      colors.resize(size_t{1} << bits);
      HGDIOBJ old = SelectObject(dc, h);
      colors.resize(GetDIBColorTable(dc, 0, static_cast<UINT>(colors.size()), colors.data()));
      SelectObject(dc, old);
    }
    bool topDown = IsTopDown(h, ds, dc, colors);
    if (!topDown && pf != pfCustom) {
      DeleteDC(dc);
      Replace(h, ds.dsBm.bmBits, w, ht, pf, std::move(colors));
      return;
    }
    // Top-down or unusual bit fields: copied into a bottom-up section of our own.
    TPixelFormat target = pf == pfCustom ? pf32bit : pf;
    Section s = CreateSection(w, ht, target, colors);
    int srcStride = ds.dsBm.bmWidthBytes, stride = StrideOf(w, BitsOf(target));
    for (int y = 0; y < ht; ++y) {
      const uint8_t* src = static_cast<uint8_t*>(ds.dsBm.bmBits) + static_cast<size_t>(topDown ? y : ht - 1 - y) * srcStride;
      uint8_t* dst = s.bits + static_cast<size_t>(ht - 1 - y) * stride;
      if (pf != pfCustom) {
        std::memcpy(dst, src, static_cast<size_t>(stride));
        continue;
      }
      for (int x = 0; x < w; ++x) {
        uint32_t v = bits == 16 ? Le16(src + 2 * x) : Le32(src + 4 * x);
        uint32_t argb = (MaskChannel(v, ds.dsBitfields[0]) << 16) | (MaskChannel(v, ds.dsBitfields[1]) << 8) |
                        MaskChannel(v, ds.dsBitfields[2]);
        WritePixel(dst, x, pf32bit, argb);
      }
    }
    DeleteDC(dc);
    DeleteObject(h);
    Replace(s.handle, s.bits, w, ht, target, std::move(colors));
    return;
  }
  // A device-dependent bitmap: read out through GDI in the nearest DIB format.
  TPixelFormat target = ds.dsBm.bmBitsPixel == 1 ? pf1bit : pfDevice;
  std::vector<RGBQUAD> colors = DefaultColors(target);
  Section s = CreateSection(w, ht, target, colors);
  Info bi;
  FillInfo(bi, w, ht, target, colors);
  GetDIBits(dc, h, 0, static_cast<UINT>(ht), s.bits, bi.get(), DIB_RGB_COLORS);
  DeleteDC(dc);
  DeleteObject(h);
  Replace(s.handle, s.bits, w, ht, target, std::move(colors));
}

HBITMAP TBitmap::ReleaseHandle() {
  HBITMAP h = handle_;
  if (canvas_) canvas_->Rebind(nullptr);
  handle_ = nullptr;  // keeps Replace from deleting what the caller now owns
  Replace(nullptr, nullptr, 0, 0, pf_, {});
  Changed();
  return h;
}

void TBitmap::SetTransparentMode(TTransparentMode m) {
  if (m == transparentMode_) return;
  transparentMode_ = m;
  if (m == tmAuto) transparentColor_ = clDefault;
  Changed();
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
  if (Empty()) return clDefault;
  GdiFlush();
  uint32_t argb = ReadPixel(bits_, 0, pf_, colors_);  // memory row 0 is the bottom row
  TColor c = static_cast<TColor>(((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16));
  return c | 0x02000000;
}

void TBitmap::SetTransparentColor(TColor c) {
  transparentColor_ = c;
  transparentMode_ = c == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::Assign(const rtl::TPersistent* source) {
  if (source == this) return;
  if (!source) {
    Replace(nullptr, nullptr, 0, 0, pf_, {});
    Changed();
    return;
  }
  auto* b = dynamic_cast<const TBitmap*>(source);
  if (!b) return TGraphic::Assign(source);
  if (b->Empty()) {
    Replace(nullptr, nullptr, 0, 0, b->pf_, b->colors_);
  } else {
    GdiFlush();
    Section s = CreateSection(b->width_, b->height_, b->pf_, b->colors_);
    std::memcpy(s.bits, b->bits_, static_cast<size_t>(b->stride_) * b->height_);
    Replace(s.handle, s.bits, b->width_, b->height_, b->pf_, b->colors_);
  }
  transparent_ = b->transparent_;
  transparentMode_ = b->transparentMode_;
  transparentColor_ = b->transparentColor_;
  Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) {
  if (Empty()) return;
  HDC src = Canvas().Handle();
  HDC dst = canvas.Handle();
  if (transparent_) {
    UINT key = static_cast<UINT>(ColorToColorRef(TransparentColor() & 0xFFFFFF));
    TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_, key);
    return;
  }
  int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
  StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_, canvas.CopyMode);
  SetStretchBltMode(dst, oldMode);
}

// ---- BMP file format ----

void TBitmap::LoadFromStream(rtl::TStream& s) {
  int64_t available = s.Size() - s.Position();
  if (available <= 0) {
    Replace(nullptr, nullptr, 0, 0, pf_, {});
    Changed();
    return;
  }
  uint8_t fh[14];
  s.ReadBuffer(fh, sizeof fh);
  if (fh[0] != 'B' || fh[1] != 'M') throw EInvalidGraphic(kInvalidBitmap);
  uint32_t offBits = Le32(fh + 10);
  uint8_t hsz[4];
  s.ReadBuffer(hsz, 4);
  uint32_t headerSize = Le32(hsz);
  if (headerSize != 12 && (headerSize < 40 || headerSize > 124)) throw EInvalidGraphic(kInvalidBitmap);
  std::vector<uint8_t> hdr(headerSize);
  std::memcpy(hdr.data(), hsz, 4);
  s.ReadBuffer(hdr.data() + 4, headerSize - 4);
  uint32_t consumed = 14 + headerSize;

  int w, h, bits;
  uint32_t compression = BI_RGB, clrUsed = 0, sizeImage = 0;
  if (headerSize == 12) {
    w = Le16(&hdr[4]);
    h = static_cast<int16_t>(Le16(&hdr[6]));
    bits = Le16(&hdr[10]);
  } else {
    w = static_cast<int32_t>(Le32(&hdr[4]));
    h = static_cast<int32_t>(Le32(&hdr[8]));
    bits = Le16(&hdr[14]);
    compression = Le32(&hdr[16]);
    sizeImage = Le32(&hdr[20]);
    clrUsed = Le32(&hdr[32]);
  }
  bool topDown = h < 0;
  int ht = topDown ? -h : h;
  bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  bool fields = compression == BI_BITFIELDS || compression == 6;  // 6: BI_ALPHABITFIELDS
  bool known = compression == BI_RGB || (compression == BI_RLE8 && bits == 8) || (compression == BI_RLE4 && bits == 4) ||
               (fields && (bits == 16 || bits == 32));
  if (w <= 0 || ht <= 0 || w > 65535 || ht > 65535 || static_cast<int64_t>(w) * ht > (int64_t{1} << 28) || !known ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) || (rle && topDown))
    throw EInvalidGraphic(kInvalidBitmap);

  DWORD masks[4] = {0, 0, 0, 0};
  if (fields) {
    int count = compression == 6 ? 4 : 3;
    if (headerSize >= 52) {
      for (int i = 0; i < 4 && 40 + 4 * i + 4 <= static_cast<int>(headerSize); ++i) masks[i] = Le32(&hdr[40 + 4 * i]);
    } else {
      uint8_t m[16];
      s.ReadBuffer(m, 4 * count);
      consumed += 4 * count;
      for (int i = 0; i < count; ++i) masks[i] = Le32(m + 4 * i);
    }
  }
  std::vector<RGBQUAD> colors;
  if (bits <= 8) {
    uint32_t n = clrUsed && clrUsed < (1u << bits) ? clrUsed : (1u << bits);
    int entry = headerSize == 12 ? 3 : 4;
    std::vector<uint8_t> table(n * entry);
    s.ReadBuffer(table.data(), static_cast<int64_t>(table.size()));
    consumed += static_cast<uint32_t>(table.size());
    for (uint32_t i = 0; i < n; ++i) colors.push_back(RGBQUAD{table[i * entry], table[i * entry + 1], table[i * entry + 2], 0});
  }
  if (offBits > consumed) {
    std::vector<uint8_t> gap(offBits - consumed);
    s.ReadBuffer(gap.data(), static_cast<int64_t>(gap.size()));
  }
  int srcStride = StrideOf(w, bits);
  size_t dataSize = rle ? sizeImage : static_cast<size_t>(srcStride) * ht;
  if (rle && dataSize == 0) dataSize = static_cast<size_t>(std::max<int64_t>(0, s.Size() - s.Position()));
  std::vector<uint8_t> data(dataSize);
  s.ReadBuffer(data.data(), static_cast<int64_t>(dataSize));

  TPixelFormat pf = FormatOf(bits, fields ? BI_BITFIELDS : BI_RGB, masks);
  // Bit fields other than the common ones are decoded into plain 32-bit pixels.
  TPixelFormat target = pf == pfCustom ? pf32bit : pf;
  if (bits <= 8) colors.resize(size_t{1} << bits, RGBQUAD{0, 0, 0, 0});
  Section sec = CreateSection(w, ht, target, colors);
  int stride = StrideOf(w, BitsOf(target));
  if (rle) {
    Info bi;
    FillInfo(bi, w, ht, target, colors);
    bi.h.biCompression = compression;
    bi.h.biSizeImage = static_cast<DWORD>(dataSize);
    HDC dc = CreateCompatibleDC(nullptr);
    SetDIBits(dc, sec.handle, 0, static_cast<UINT>(ht), data.data(), bi.get(), DIB_RGB_COLORS);
    DeleteDC(dc);
  } else {
    for (int y = 0; y < ht; ++y) {  // y counts rows from the top of the picture
      const uint8_t* src = data.data() + static_cast<size_t>(topDown ? y : ht - 1 - y) * srcStride;
      uint8_t* dst = sec.bits + static_cast<size_t>(ht - 1 - y) * stride;
      if (pf != pfCustom) {
        std::memcpy(dst, src, static_cast<size_t>(stride));
        continue;
      }
      for (int x = 0; x < w; ++x) {
        uint32_t v = bits == 16 ? Le16(src + 2 * x) : Le32(src + 4 * x);
        uint32_t argb = (MaskChannel(v, masks[3]) << 24) | (MaskChannel(v, masks[0]) << 16) |
                        (MaskChannel(v, masks[1]) << 8) | MaskChannel(v, masks[2]);
        WritePixel(dst, x, pf32bit, argb);
      }
    }
  }
  Replace(sec.handle, sec.bits, w, ht, target, std::move(colors));
  Changed();
}

void TBitmap::SaveToStream(rtl::TStream& s) const {
  if (Empty()) return;
  GdiFlush();
  int bits = BitsOf(pf_);
  uint32_t tableBytes = pf_ == pf16bit ? 12 : bits <= 8 ? static_cast<uint32_t>(4u << bits) : 0;
  uint32_t imageBytes = static_cast<uint32_t>(stride_) * height_;
  uint32_t off = 14 + 40 + tableBytes;
  std::vector<uint8_t> head(off, 0);
  head[0] = 'B';
  head[1] = 'M';
  Put32(&head[2], off + imageBytes);
  Put32(&head[10], off);
  uint8_t* ih = &head[14];
  Put32(ih, 40);
  Put32(ih + 4, static_cast<uint32_t>(width_));
  Put32(ih + 8, static_cast<uint32_t>(height_));  // bottom-up, as held in memory
  Put16(ih + 12, 1);
  Put16(ih + 14, static_cast<uint16_t>(bits));
  Put32(ih + 16, pf_ == pf16bit ? BI_BITFIELDS : BI_RGB);
  Put32(ih + 20, imageBytes);
  Put32(ih + 24, 3780);  // 96 dpi in pixels per metre
  Put32(ih + 28, 3780);
  uint8_t* table = ih + 40;
  if (pf_ == pf16bit) {
    Put32(table, 0xF800);
    Put32(table + 4, 0x07E0);
    Put32(table + 8, 0x001F);
  } else if (bits <= 8) {
    for (size_t i = 0; i < colors_.size() && i < (size_t{1} << bits); ++i) std::memcpy(table + 4 * i, &colors_[i], 4);
  }
  s.WriteBuffer(head.data(), static_cast<int64_t>(head.size()));
  s.WriteBuffer(bits_, imageBytes);
}

void TBitmap::ReadData(rtl::TStream& s) {
  uint8_t sz[4];
  s.ReadBuffer(sz, 4);
  std::vector<uint8_t> bytes(Le32(sz));
  s.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  rtl::TMemoryStream m(std::move(bytes));
  LoadFromStream(m);
}

void TBitmap::WriteData(rtl::TStream& s) const {
  rtl::TMemoryStream m;
  SaveToStream(m);
  uint8_t sz[4];
  Put32(sz, static_cast<uint32_t>(m.Size()));
  s.WriteBuffer(sz, 4);
  s.WriteBuffer(m.Memory(), m.Size());
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  HANDLE h = LoadImageW(instance, rtl::W(name).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!h) throw rtl::Exception(rtl::Format("Resource %s not found", name.c_str()));
  SetHandle(static_cast<HBITMAP>(h));
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
  HANDLE h = LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!h) throw rtl::Exception(rtl::Format("Resource %d not found", id));
  SetHandle(static_cast<HBITMAP>(h));
}

}  // namespace gui

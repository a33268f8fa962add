#include "skin/graphics/acPNG.h"

#include <algorithm>
#include <cstring>

namespace skin {

TPNGGraphic::TPNGGraphic() : colorManager_(std::make_unique<TColorManager>()) {}

TPNGGraphic::~TPNGGraphic() = default;

void TPNGGraphic::Assign(const rtl::TPersistent* source) {
  if (auto* png = dynamic_cast<const TPNGGraphic*>(source)) {
    image_ = png->image_;
    image_.AlphaTable.clear();
    image_.BackgroundColor = 0xFFFFFF;
    image_.TransparentColor = clNone;
  }
  gui::TBitmap::Assign(source);
}

void TPNGGraphic::LoadFromStream(rtl::TStream& s) {
  SetHandle(nullptr);
  TPNGReader reader(*colorManager_);
  reader.OnProgress = [this](TProgressStage stage, int percent, bool redraw, const gui::TRect& r,
                             const std::string& msg) {
    Progress(static_cast<gui::TProgressStage>(stage), percent, redraw, r, msg);
  };
  reader.Load(s, image_);
  if (image_.Empty()) return;

  const int w = image_.Width(), h = image_.Height();
  const int bits = PixelFormatBits(image_.PixelFormat());
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = w;
  // Top-down, as the reader made the rows: the bitmap takes such a section over by copying
  // it into its own bottom-up one, with no need to guess the row order.
  info.header.biHeight = -h;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits);
  info.header.biCompression = BI_RGB;
  if (bits <= 8) {
    const size_t n = std::min(image_.Palette.Entries.size(), size_t{1} << bits);
    for (size_t i = 0; i < n; ++i) {
      const TPaletteEntry& e = image_.Palette.Entries[i];
      info.colours[i] = RGBQUAD{e.Blue, e.Green, e.Red, 0};
    }
    info.header.biClrUsed = static_cast<DWORD>(n ? n : size_t{1} << bits);
  }
  void* pixels = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!section || !pixels) throw gui::EInvalidGraphic("Out of system resources");
  for (int y = 0; y < h; ++y)
    std::memcpy(static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * image_.Stride(), image_.ScanLine(y),
                image_.Stride());
  SetHandle(section);
  IgnorePalette = image_.IgnorePalette;
  if (image_.Transparent) {
    SetTransparentColor(image_.TransparentColor);
    SetTransparent(true);
  }
}

void TPNGGraphic::ReadData(rtl::TStream& s) {
  // Layouts store the picture as the bitmap does (size + BMP file): read it with the
  // bitmap's own reader, not as PNG.
  uint8_t size[4];
  s.ReadBuffer(size, 4);
  const uint32_t n = size[0] | size[1] << 8 | size[2] << 16 | static_cast<uint32_t>(size[3]) << 24;
  if (static_cast<int64_t>(n) > s.Size() - s.Position()) throw rtl::EReadError("Stream read error");
  std::vector<uint8_t> bytes(n);
  s.ReadBuffer(bytes.data(), n);
  rtl::TMemoryStream bmp(std::move(bytes));
  image_ = TPNGImage{};
  gui::TBitmap::LoadFromStream(bmp);
}

void TPNGGraphic::Draw(gui::TCanvas& canvas, const gui::TRect& r) {
  if (PixelFormat() != gui::pf32bit) {
    gui::TBitmap::Draw(canvas, r);
    return;
  }
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0 || Empty()) return;
  // The background the picture is blended over, then the picture scaled as COLORONCOLOR
  // scales (nearest pixel) with colours and alpha taken together, then back to the canvas.
  gui::TBitmap work(w, h, gui::pf32bit);
  BitBlt(work.Canvas().Handle(), 0, 0, w, h, canvas.Handle(), r.Left, r.Top, SRCCOPY);
  const int sw = Width(), sh = Height();
  for (int y = 0; y < h; ++y) {
    const auto* src = static_cast<const uint8_t*>(ScanLine(static_cast<int>(static_cast<int64_t>(y) * sh / h)));
    auto* dst = static_cast<uint8_t*>(work.ScanLine(y));
    for (int x = 0; x < w; ++x, dst += 4) {
      const uint8_t* p = src + 4 * (static_cast<int64_t>(x) * sw / w);
      const int a = p[3];
      for (int c = 0; c < 3; ++c) dst[c] = static_cast<uint8_t>((p[c] * a + dst[c] * (255 - a)) / 255);
    }
  }
  BitBlt(canvas.Handle(), r.Left, r.Top, w, h, work.Canvas().Handle(), 0, 0, SRCCOPY);
}

void PngToAlphaBitmap(gui::TBitmap& bitmap, const TPNGGraphic& png) {
  const bool transparent = bitmap.Transparent();
  const TPNGImage& image = png.Image();
  bitmap.Assign(nullptr);
  bitmap.SetPixelFormat(gui::pf32bit);
  bitmap.SetSize(image.Width(), image.Height());
  if (bitmap.Empty()) return;
  // Scan line 0 is the top row; the next lies one row below it in memory.
  auto* top = static_cast<uint8_t*>(bitmap.ScanLine(0));
  PngToAlphaBGRA32(image, png.ColorManager(), transparent, top, -static_cast<ptrdiff_t>(bitmap.RowBytes()));
}

namespace {
int registrations = 0;
}

void RegisterPNGGraphic() {
  if (registrations++ == 0)
    gui::TPicture::RegisterFileFormat("PNG", "Portable network graphics (skin engine)",
                                      gui::GraphicClassOf<TPNGGraphic>());
}

void UnregisterPNGGraphic() {
  if (registrations > 0 && --registrations == 0) gui::TPicture::UnregisterGraphicClass(TPNGGraphic::StaticClassName());
}

}  // namespace skin

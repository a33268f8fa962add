// Graphics classes under Wine: pixels drawn on DIB canvases, bitmap row order and file
// format, layout framing, JPEG photos kept byte for byte, and the picture format list.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <thread>

#include "gui/Graphics.h"
#include "gui/Jpeg.h"
#include "rtl/Utf.h"

using namespace gui;

namespace {

// 16x8 JPEG: left half pure red, right half pure blue, no chroma subsampling.
const uint8_t kJpeg[] = {
  0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01,
  0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43,
  0x00, 0x02, 0x01, 0x01, 0x01, 0x01, 0x01, 0x02, 0x01, 0x01, 0x01, 0x02,
  0x02, 0x02, 0x02, 0x02, 0x04, 0x03, 0x02, 0x02, 0x02, 0x02, 0x05, 0x04,
  0x04, 0x03, 0x04, 0x06, 0x05, 0x06, 0x06, 0x06, 0x05, 0x06, 0x06, 0x06,
  0x07, 0x09, 0x08, 0x06, 0x07, 0x09, 0x07, 0x06, 0x06, 0x08, 0x0b, 0x08,
  0x09, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x06, 0x08, 0x0b, 0x0c, 0x0b, 0x0a,
  0x0c, 0x09, 0x0a, 0x0a, 0x0a, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x02, 0x02,
  0x02, 0x02, 0x02, 0x02, 0x05, 0x03, 0x03, 0x05, 0x0a, 0x07, 0x06, 0x07,
  0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a,
  0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a,
  0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a,
  0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a,
  0x0a, 0x0a, 0xff, 0xc0, 0x00, 0x11, 0x08, 0x00, 0x08, 0x00, 0x10, 0x03,
  0x01, 0x11, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xff, 0xc4, 0x00,
  0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0xff, 0xc4, 0x00, 0x14, 0x10,
  0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
  0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xc4, 0x00, 0x16, 0x01, 0x01, 0x01,
  0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
  0x00, 0x00, 0x0a, 0x08, 0x09, 0xff, 0xc4, 0x00, 0x14, 0x11, 0x01, 0x00,
  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
  0x00, 0x00, 0x00, 0xff, 0xda, 0x00, 0x0c, 0x03, 0x01, 0x00, 0x02, 0x11,
  0x03, 0x11, 0x00, 0x3f, 0x00, 0x17, 0xa5, 0x36, 0xfe, 0x08, 0x65, 0x50,
  0x35, 0xef, 0xff, 0xd9
};

std::vector<uint8_t> JpegBytes() { return {std::begin(kJpeg), std::end(kJpeg)}; }

uint32_t PixelAt(TBitmap& b, int x, int y) {
  return static_cast<uint32_t*>(b.ScanLine(y))[x];  // 0xAARRGGBB
}
uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFF; }

// Each channel within tol of the expected 0xRRGGBB.
bool Near(uint32_t argb, uint32_t rgb, int tol) {
  for (int s = 0; s < 24; s += 8) {
    int a = (argb >> s) & 0xFF, b = (rgb >> s) & 0xFF;
    if (std::abs(a - b) > tol) return false;
  }
  return true;
}

TBitmap& WhiteBitmap(TBitmap& b, int w, int h) {
  b.SetPixelFormat(pf32bit);
  b.SetSize(w, h);
  b.Canvas().Brush().SetColor(clWhite);
  b.Canvas().FillRect(Rect(0, 0, w, h));
  return b;
}

std::vector<uint8_t> Bytes(rtl::TMemoryStream& m) { return m.Bytes(); }

std::string TempPath(const std::string& name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return rtl::U8(dir) + name;
}

}  // namespace

// ---- colours ----

TEST(Colors, SystemColoursResolveThroughGetSysColor) {
  struct Case { TColor c; COLORREF want; } cases[] = {
      {clRed, 0x0000FF}, {clBlue, 0xFF0000}, {clFuchsia, 0xFF00FF}, {clNone, 0x1FFFFFFF},
      {clBtnFace, GetSysColor(COLOR_BTNFACE)}, {clWindowText, GetSysColor(COLOR_WINDOWTEXT)},
      {clInfoBk, GetSysColor(COLOR_INFOBK)}, {clMenuBar, GetSysColor(30)}};
  for (auto& c : cases) EXPECT_EQ(static_cast<COLORREF>(ColorToRGB(c.c)), c.want) << std::hex << c.c;
  EXPECT_EQ(static_cast<uint32_t>(clHighlight), 0xFF00000Du);
  EXPECT_EQ(clDefault, 0x20000000);
}

// ---- fonts ----

TEST(Font, SizeAndHeightFollowPixelsPerInch) {
  TFont f;
  int changes = 0;
  f.OnChange = [&](rtl::TObject*) { ++changes; };
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  EXPECT_EQ(f.Size(), 10);
  f.SetSize(10);
  EXPECT_EQ(changes, 1);  // no change, no event
  f.SetStyle(fsBold | fsItalic);
  LOGFONTW lf{};
  GetObjectW(f.Handle(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);

  TFont g;
  g.PixelsPerInch = 120;
  g.Assign(&f);  // keeps the point size at the other resolution
  EXPECT_EQ(g.Size(), 10);
  EXPECT_EQ(g.Height(), -17);
  EXPECT_EQ(g.Style(), fsBold | fsItalic);
  EXPECT_EQ(g.Name(), f.Name());
}

// ---- canvas ----

TEST(Canvas, FillLineAndTextLeavePixels) {
  TBitmap b;
  WhiteBitmap(b, 40, 20);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clRed);
  c.FillRect(Rect(2, 2, 6, 5));
  EXPECT_EQ(Rgb(PixelAt(b, 2, 2)), 0xFF0000u);
  EXPECT_EQ(Rgb(PixelAt(b, 5, 4)), 0xFF0000u);
  EXPECT_EQ(Rgb(PixelAt(b, 6, 4)), 0xFFFFFFu);  // right and bottom edges are exclusive
  EXPECT_EQ(c.Pixels(3, 3), clRed);

  c.Brush().SetStyle(bsClear);  // a clear brush fills nothing
  c.Brush().SetColor(clBlue);
  c.FillRect(Rect(10, 10, 20, 20));
  EXPECT_EQ(Rgb(PixelAt(b, 12, 12)), 0xFFFFFFu);

  c.Pen().SetColor(clBlue);
  c.MoveTo(0, 15);
  c.LineTo(40, 15);
  EXPECT_EQ(Rgb(PixelAt(b, 30, 15)), 0x0000FFu);
  EXPECT_EQ(Rgb(PixelAt(b, 30, 14)), 0xFFFFFFu);

  c.SetPixel(39, 0, clLime);
  EXPECT_EQ(Rgb(PixelAt(b, 39, 0)), 0x00FF00u);
}

TEST(Canvas, TextDrawsInsideItsExtentOnly) {
  TBitmap b;
  WhiteBitmap(b, 80, 30);
  TCanvas& c = b.Canvas();
  c.Font().SetColor(clBlack);
  c.Brush().SetStyle(bsClear);
  TSize ext = c.TextExtent("Wg");
  ASSERT_GT(ext.cx, 0);
  ASSERT_GT(ext.cy, 0);
  c.TextOut(5, 5, "Wg");
  int dark = 0, outside = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) {
      if (Rgb(PixelAt(b, x, y)) == 0xFFFFFF) continue;
      bool in = x >= 5 && x < 5 + ext.cx && y >= 5 && y < 5 + ext.cy;
      (in ? dark : outside)++;
    }
  EXPECT_GT(dark, 5);
  EXPECT_EQ(outside, 0);
}

TEST(Canvas, FontChangedWhileSelectedTakesEffect) {
  TBitmap b;
  WhiteBitmap(b, 10, 10);
  TCanvas& c = b.Canvas();
  c.Font().SetHeight(-10);
  int small = c.TextWidth("MMMM");
  c.Font().SetHeight(-30);  // the old font is selected in the DC at this point
  int large = c.TextWidth("MMMM");
  EXPECT_GT(large, small * 2);
  c.Font().Assign(&c.Font());
  EXPECT_EQ(c.TextWidth("MMMM"), large);
}

TEST(Canvas, ForeignDcGetsItsOwnObjectsBack) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(dc, 10, 10);
  HGDIOBJ oldBmp = SelectObject(dc, bmp);
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), pen = GetCurrentObject(dc, OBJ_PEN),
          brush = GetCurrentObject(dc, OBJ_BRUSH);
  {
    TCanvas c;
    EXPECT_THROW(c.Handle(), rtl::EInvalidOperation);  // a plain canvas has no DC of its own
    c.SetHandle(dc);
    c.Brush().SetColor(clRed);
    c.Rectangle(0, 0, 5, 5);
    c.TextOut(0, 0, "x");
    EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), font);
    c.SetHandle(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    c.SetHandle(dc);
    c.FillRect(Rect(0, 0, 2, 2));
  }  // destroyed while holding the DC: it still lets go of it cleanly
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  SelectObject(dc, oldBmp);
  DeleteObject(bmp);
  DeleteDC(dc);
}

TEST(Canvas, LockIsReentrantAndExcludesOtherThreads) {
  TCanvas c;
  c.Lock();
  c.Lock();
  EXPECT_EQ(c.LockCount(), 2);
  bool other = true;
  std::thread([&] { other = c.TryLock(); }).join();
  EXPECT_FALSE(other);
  c.Unlock();
  c.Unlock();
  EXPECT_EQ(c.LockCount(), 0);
  std::thread([&] {
    other = c.TryLock();
    if (other) c.Unlock();
  }).join();
  EXPECT_TRUE(other);
}

TEST(Canvas, DrawHonoursTransparentColour) {
  TBitmap src;
  WhiteBitmap(src, 4, 4);
  src.Canvas().Brush().SetColor(clFuchsia);
  src.Canvas().FillRect(Rect(0, 2, 4, 4));  // bottom half: the bottom-left pixel decides
  EXPECT_EQ(src.TransparentColor(), clFuchsia | 0x02000000);
  src.SetTransparent(true);

  TBitmap dst;
  WhiteBitmap(dst, 8, 8);
  dst.Canvas().Brush().SetColor(clGreen);
  dst.Canvas().FillRect(Rect(0, 0, 8, 8));
  dst.Canvas().StretchDraw(Rect(0, 0, 8, 8), &src);
  EXPECT_EQ(Rgb(PixelAt(dst, 1, 1)), 0xFFFFFFu);
  EXPECT_EQ(Rgb(PixelAt(dst, 1, 6)), 0x008000u);  // fuchsia left the green showing

  src.SetTransparent(false);
  dst.Canvas().Draw(0, 0, &src);
  EXPECT_EQ(Rgb(PixelAt(dst, 1, 3)), 0xFF00FFu);
}

// ---- bitmap ----

TEST(Bitmap, ScanLinesRunBottomUpAndCheckTheirRange) {
  TBitmap b(5, 3, pf32bit);
  auto* r0 = static_cast<uint8_t*>(b.ScanLine(0));
  auto* r1 = static_cast<uint8_t*>(b.ScanLine(1));
  EXPECT_EQ(r1 - r0, -b.RowBytes());
  EXPECT_EQ(b.RowBytes(), 20);
  // Row 0 is the top row as GDI sees it.
  static_cast<uint32_t*>(b.ScanLine(0))[0] = 0x00FF0000;  // BGRA in memory: red
  EXPECT_EQ(b.Canvas().Pixels(0, 0), clRed);
  for (int y : {-1, 3}) {
    try {
      b.ScanLine(y);
      ADD_FAILURE() << y;
    } catch (const rtl::ERangeError& e) {
      EXPECT_EQ(e.Message(), "Scan line index out of range");
    }
  }
  TBitmap empty;
  EXPECT_TRUE(empty.Empty());
  EXPECT_THROW(empty.ScanLine(0), rtl::ERangeError);
}

TEST(Bitmap, ResizeKeepsContentAndCanvasDc) {
  TBitmap b;
  WhiteBitmap(b, 4, 4);
  HDC dc = b.Canvas().Handle();
  b.Canvas().Brush().SetColor(clRed);
  b.Canvas().FillRect(Rect(0, 0, 2, 2));
  b.SetSize(6, 3);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(Rgb(PixelAt(b, 1, 1)), 0xFF0000u);
  EXPECT_EQ(Rgb(PixelAt(b, 3, 2)), 0xFFFFFFu);
  EXPECT_EQ(Rgb(PixelAt(b, 5, 0)), 0u);  // new area
  // The canvas DC now holds the new picture.
  EXPECT_EQ(b.Canvas().Handle(), dc);
  ::SetPixel(dc, 5, 2, RGB(0, 0, 255));
  EXPECT_EQ(Rgb(PixelAt(b, 5, 2)), 0x0000FFu);
}

TEST(Bitmap, PixelFormatConversions) {
  TBitmap b(3, 2, pf32bit);
  static_cast<uint32_t*>(b.ScanLine(0))[0] = 0x80102030;
  static_cast<uint32_t*>(b.ScanLine(1))[2] = 0xFF405060;
  b.SetSize(4, 2);
  EXPECT_EQ(PixelAt(b, 0, 0), 0x80102030u);  // alpha survives a resize

  b.SetPixelFormat(pf24bit);
  auto* row = static_cast<uint8_t*>(b.ScanLine(1));
  EXPECT_EQ(row[6], 0x60);
  EXPECT_EQ(row[7], 0x50);
  EXPECT_EQ(row[8], 0x40);
  b.SetPixelFormat(pf32bit);
  EXPECT_EQ(PixelAt(b, 2, 1), 0x00405060u);  // 24 -> 32: alpha 0

  b.SetPixelFormat(pf16bit);
  b.SetPixelFormat(pf32bit);
  EXPECT_TRUE(Near(PixelAt(b, 2, 1), 0x405060, 8));

  TBitmap d;
  EXPECT_EQ(d.PixelFormat(), pfDevice);
  EXPECT_EQ(d.HandleType(), bmDDB);
  d.SetSize(2, 2);
  d.ScanLine(0);  // raw access makes it a DIB
  EXPECT_EQ(d.HandleType(), bmDIB);
  EXPECT_EQ(d.PixelFormat(), pf32bit);
}

TEST(Bitmap, AdoptsForeignHandlesAndHandsThemOver) {
  // A top-down section from elsewhere is stored bottom-up like every bitmap.
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, -3, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP td = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  static_cast<uint32_t*>(bits)[0] = 0x11223344;  // top-left
  TBitmap b;
  b.SetHandle(td);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(PixelAt(b, 0, 0), 0x11223344u);
  EXPECT_LT(static_cast<uint8_t*>(b.ScanLine(1)) - static_cast<uint8_t*>(b.ScanLine(0)), 0);

  HDC screen = GetDC(nullptr);
  HBITMAP ddb = CreateCompatibleBitmap(screen, 7, 5);
  ReleaseDC(nullptr, screen);
  b.SetHandle(ddb);
  EXPECT_EQ(b.Width(), 7);
  EXPECT_EQ(b.HandleType(), bmDDB);

  HBITMAP h = b.Handle();
  EXPECT_EQ(b.ReleaseHandle(), h);
  EXPECT_TRUE(b.Empty());
  BITMAP bm{};
  EXPECT_EQ(GetObjectW(h, sizeof bm, &bm), static_cast<int>(sizeof bm));  // still alive: the caller owns it
  DeleteObject(h);
}

TEST(Bitmap, AssignCopiesDeeply) {
  TBitmap a(2, 2, pf32bit);
  static_cast<uint32_t*>(a.ScanLine(1))[1] = 0x7F010203;
  a.SetTransparentColor(clLime);
  TBitmap b;
  b.Assign(&a);
  EXPECT_NE(a.Handle(), b.Handle());
  EXPECT_EQ(PixelAt(b, 1, 1), 0x7F010203u);
  EXPECT_EQ(b.TransparentColor(), clLime);
  static_cast<uint32_t*>(a.ScanLine(1))[1] = 0;
  EXPECT_EQ(PixelAt(b, 1, 1), 0x7F010203u);
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
  rtl::TStringList notAPicture;
  EXPECT_THROW(b.Assign(&notAPicture), rtl::Exception);
}

// BMP file bytes written by hand, as other programs write them.
std::vector<uint8_t> BmpFile(int bits, int w, int h, uint32_t compression, std::vector<uint32_t> table,
                             std::vector<uint8_t> pixels) {
  std::vector<uint8_t> f(14 + 40 + 4 * table.size());
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&f[at], &v, 4); };
  f[0] = 'B';
  f[1] = 'M';
  put32(10, static_cast<uint32_t>(f.size()));
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  f[26] = 1;
  f[28] = static_cast<uint8_t>(bits);
  put32(30, compression);
  put32(34, static_cast<uint32_t>(pixels.size()));
  put32(46, static_cast<uint32_t>(table.size()));  // colours used
  for (size_t i = 0; i < table.size(); ++i) put32(54 + 4 * i, table[i]);
  f.insert(f.end(), pixels.begin(), pixels.end());
  put32(2, static_cast<uint32_t>(f.size()));
  return f;
}

TEST(Bitmap, ReadsBmpFilesOfEveryCommonKind) {
  const uint32_t red = 0xFF0000, blue = 0x0000FF, green = 0x00FF00;
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    TPixelFormat pf;
    uint32_t topLeft, bottomRight;
  } cases[] = {
      // 2x2, rows bottom-up: bottom row first.
      {"24 bottom-up", BmpFile(24, 2, 2, BI_RGB, {}, {0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0}), pf24bit, blue, green},
      {"24 top-down", BmpFile(24, 2, -2, BI_RGB, {}, {0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0}), pf24bit, red, 0},
      {"8 palette", BmpFile(8, 2, 2, BI_RGB, {red, blue, green}, {0, 2, 0, 0, 1, 0, 0, 0}), pf8bit, blue, green},
      {"4 palette", BmpFile(4, 2, 2, BI_RGB, {red, blue}, {0x01, 0, 0, 0, 0x10, 0, 0, 0}), pf4bit, blue, blue},
      {"1 palette", BmpFile(1, 2, 2, BI_RGB, {red, green}, {0x40, 0, 0, 0, 0x80, 0, 0, 0}), pf1bit, green, green},
      {"8 RLE", BmpFile(8, 2, 2, BI_RLE8, {red, blue, green}, {1, 2, 1, 0, 0, 0, 2, 1, 0, 1}), pf8bit, blue, red},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    rtl::TMemoryStream s(c.file);
    TBitmap b;
    b.LoadFromStream(s);
    EXPECT_EQ(s.Position(), s.Size());
    EXPECT_EQ(b.PixelFormat(), c.pf);
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(static_cast<uint32_t>(b.Canvas().Pixels(0, 0)),
              ((c.topLeft & 0xFF) << 16) | (c.topLeft & 0xFF00) | (c.topLeft >> 16));
    EXPECT_EQ(static_cast<uint32_t>(b.Canvas().Pixels(1, 1)),
              ((c.bottomRight & 0xFF) << 16) | (c.bottomRight & 0xFF00) | (c.bottomRight >> 16));
  }
}

TEST(Bitmap, BmpRoundTripKeepsPixelsAndAlpha) {
  for (TPixelFormat pf : {pf32bit, pf24bit, pf16bit, pf8bit, pf1bit}) {
    SCOPED_TRACE(pf);
    TBitmap a(3, 2, pf32bit);
    static_cast<uint32_t*>(a.ScanLine(0))[0] = 0x80FFFFFF;
    static_cast<uint32_t*>(a.ScanLine(1))[2] = 0x01000000;
    a.SetPixelFormat(pf);
    rtl::TMemoryStream s;
    a.SaveToStream(s);
    ASSERT_GT(s.Size(), 54);
    EXPECT_EQ(s.Memory()[0], 'B');
    s.SetPosition(0);
    TBitmap b;
    b.LoadFromStream(s);
    EXPECT_EQ(b.PixelFormat(), pf);
    b.SetPixelFormat(pf32bit);
    uint32_t alphaMask = pf == pf32bit ? 0xFFFFFFFF : 0xFFFFFF;
    EXPECT_EQ(PixelAt(b, 0, 0), 0x80FFFFFFu & alphaMask);
    EXPECT_EQ(PixelAt(b, 2, 1), 0x01000000u & alphaMask);
    EXPECT_EQ(Rgb(PixelAt(b, 1, 0)), 0u);
  }
}

TEST(Bitmap, RefusesBadBmpData) {
  TBitmap b(1, 1);
  rtl::TMemoryStream notBmp(std::vector<uint8_t>(60, 'x'));
  try {
    b.LoadFromStream(notBmp);
    ADD_FAILURE();
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Bitmap image is not valid");
  }
  auto file = BmpFile(24, 2, 2, BI_RGB, {}, std::vector<uint8_t>(16));
  file.resize(file.size() - 3);
  rtl::TMemoryStream shortFile(file);
  EXPECT_THROW(b.LoadFromStream(shortFile), rtl::EReadError);
  EXPECT_EQ(b.Width(), 1);  // left as it was
  rtl::TMemoryStream nothing;
  b.LoadFromStream(nothing);
  EXPECT_TRUE(b.Empty());
}

// The layout form: 4-byte little-endian size, then the BMP file; a descendant class
// registered under another name ("TPNGGraphic") reads the same data.
class TPNGGraphicLike : public TBitmap {
  KORVAN_CLASS(TPNGGraphic)
 public:
  std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TPNGGraphicLike>(); }
};

TEST(Bitmap, LayoutDataIsSizePrefixedBmp) {
  TBitmap a(3, 3, pf32bit);
  static_cast<uint32_t*>(a.ScanLine(2))[1] = 0xAB123456;
  rtl::TMemoryStream m;
  a.WriteData(m);
  m.WriteBuffer("tail", 4);  // the next property of the layout
  const uint8_t* p = m.Memory();
  uint32_t size = p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24);
  EXPECT_EQ(size, m.Size() - 8);
  EXPECT_EQ(p[4], 'B');
  EXPECT_EQ(p[5], 'M');

  EXPECT_EQ(TPicture::CreateGraphicByClassName("TPNGGraphic"), nullptr);
  TPicture::RegisterFileFormat("png", "Portable Network Graphics", GraphicClassOf<TPNGGraphicLike>());
  auto g = TPicture::CreateGraphicByClassName("TPNGGraphic");
  ASSERT_NE(g, nullptr);
  EXPECT_STREQ(g->ClassName(), "TPNGGraphic");
  m.SetPosition(0);
  g->ReadData(m);
  EXPECT_EQ(m.Position(), m.Size() - 4);  // stops exactly at the end of its data
  ASSERT_EQ(g->Width(), 3);
  EXPECT_EQ(PixelAt(static_cast<TBitmap&>(*g), 1, 2), 0xAB123456u);

  TPicture pic;  // a copy keeps the class
  pic.SetGraphic(g.get());
  EXPECT_STREQ(pic.Graphic()->ClassName(), "TPNGGraphic");
  TBitmap plain;
  plain.Assign(g.get());
  EXPECT_EQ(PixelAt(plain, 1, 2), 0xAB123456u);

  TPicture::UnregisterGraphicClass("TPNGGraphic");
  EXPECT_EQ(TPicture::CreateGraphicByClassName("TPNGGraphic"), nullptr);
  EXPECT_EQ(TPicture::GraphicClassByExtension("png"), nullptr);

  TBitmap empty;
  rtl::TMemoryStream e;
  empty.WriteData(e);
  EXPECT_EQ(e.Size(), 4);
  e.SetPosition(0);
  a.ReadData(e);
  EXPECT_TRUE(a.Empty());
}

// ---- JPEG ----

TEST(Jpeg, DecodesAndKeepsTheLoadedBytes) {
  rtl::TMemoryStream in(JpegBytes());
  TJPEGImage j;
  j.LoadFromStream(in);
  EXPECT_EQ(j.Width(), 16);
  EXPECT_EQ(j.Height(), 8);
  rtl::TMemoryStream out;
  j.SaveToStream(out);
  EXPECT_EQ(Bytes(out), JpegBytes());

  TBitmap b;
  b.Assign(&j);
  ASSERT_EQ(b.Width(), 16);
  EXPECT_TRUE(Near(PixelAt(b, 1, 1), 0xFF0000, 24));
  EXPECT_TRUE(Near(PixelAt(b, 14, 6), 0x0000FF, 24));

  TBitmap canvas;
  WhiteBitmap(canvas, 32, 8);
  canvas.Canvas().StretchDraw(Rect(0, 0, 32, 8), &j);
  EXPECT_TRUE(Near(PixelAt(canvas, 2, 4), 0xFF0000, 24));
  EXPECT_TRUE(Near(PixelAt(canvas, 29, 4), 0x0000FF, 24));

  TJPEGImage copy;
  copy.Assign(&j);
  rtl::TMemoryStream out2;
  copy.SaveToStream(out2);
  EXPECT_EQ(Bytes(out2), JpegBytes());
  EXPECT_THROW(j.SetWidth(3), EInvalidGraphicOperation);
}

TEST(Jpeg, RefusesDataThatIsNotAJpeg) {
  TJPEGImage j;
  rtl::TMemoryStream good(JpegBytes());
  j.LoadFromStream(good);
  auto damaged = JpegBytes();
  damaged.resize(40);  // SOI marker, then the file stops
  for (const auto& bytes : {std::vector<uint8_t>{'B', 'M', 0, 0, 0, 0}, damaged, std::vector<uint8_t>{}}) {
    rtl::TMemoryStream s(bytes);
    try {
      j.LoadFromStream(s);
      ADD_FAILURE() << bytes.size();
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message().rfind("JPEG error", 0), 0u) << e.Message();
    }
  }
  EXPECT_EQ(j.Data(), JpegBytes());  // a failed load leaves the photo as it was
  EXPECT_EQ(j.Width(), 16);
}

TEST(Jpeg, LayoutDataAndEncodingFromABitmap) {
  TJPEGImage j;
  rtl::TMemoryStream in(JpegBytes());
  j.LoadFromStream(in);
  rtl::TMemoryStream m;
  j.WriteData(m);
  EXPECT_EQ(m.Size(), static_cast<int64_t>(sizeof kJpeg) + 4);
  m.SetPosition(0);
  TJPEGImage k;
  k.ReadData(m);
  EXPECT_EQ(k.Data(), JpegBytes());

  TBitmap b;
  WhiteBitmap(b, 20, 10);
  b.Canvas().Brush().SetColor(clBlue);
  b.Canvas().FillRect(Rect(10, 0, 20, 10));
  TJPEGImage enc;
  enc.Assign(&b);
  ASSERT_FALSE(enc.Empty());
  EXPECT_EQ(enc.Data()[0], 0xFF);
  EXPECT_EQ(enc.Data()[1], 0xD8);
  EXPECT_EQ(enc.Width(), 20);
  TBitmap back;
  back.Assign(&enc);
  EXPECT_TRUE(Near(PixelAt(back, 2, 5), 0xFFFFFF, 24));
  EXPECT_TRUE(Near(PixelAt(back, 17, 5), 0x0000FF, 40));
}

TEST(Jpeg, DecodesOnAnotherThread) {
  int w = 0;
  std::thread([&] {
    TJPEGImage j;
    rtl::TMemoryStream in(JpegBytes());
    j.LoadFromStream(in);
    w = j.Width();
  }).join();
  EXPECT_EQ(w, 16);
}

// ---- picture ----

TEST(Picture, ChoosesTheClassByExtension) {
  std::string jpg = TempPath("korvan_gfx_photo.JPG"), jpeg = TempPath("korvan_gfx_photo.jpeg"),
              bmp = TempPath("korvan_gfx_pic.Bmp");
  rtl::WriteFileBytes(jpg, kJpeg, sizeof kJpeg);
  rtl::WriteFileBytes(jpeg, kJpeg, sizeof kJpeg);
  TBitmap b(4, 2);
  b.SaveToFile(bmp);

  TPicture p;
  int changes = 0;
  p.OnChange = [&](rtl::TObject*) { ++changes; };
  struct Case { std::string path; const char* cls; int w; } cases[] = {
      {jpg, "TJPEGImage", 16}, {jpeg, "TJPEGImage", 16}, {bmp, "TBitmap", 4}};
  for (auto& c : cases) {
    p.LoadFromFile(c.path);
    ASSERT_NE(p.Graphic(), nullptr);
    EXPECT_STREQ(p.Graphic()->ClassName(), c.cls) << c.path;
    EXPECT_EQ(p.Width(), c.w);
  }
  EXPECT_EQ(changes, 3);

  p.LoadFromFile(jpg);
  TPicture q;
  q.Assign(&p);
  ASSERT_NE(q.Graphic(), p.Graphic());
  rtl::TMemoryStream s;
  q.SaveToStream(s);
  EXPECT_EQ(Bytes(s), JpegBytes());  // the photo is stored as it was loaded
  EXPECT_EQ(q.Bitmap().Width(), 0);  // asking for a bitmap replaces the photo
  EXPECT_STREQ(q.Graphic()->ClassName(), "TBitmap");

  for (const char* name : {"photo.xyz", "noext"}) {
    try {
      p.LoadFromFile(TempPath(name));
      ADD_FAILURE() << name;
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), std::string(name) == "noext" ? "Unknown picture file extension (.)"
                                                           : "Unknown picture file extension (.xyz)");
    }
  }
  EXPECT_STREQ(p.Graphic()->ClassName(), "TJPEGImage");
  for (auto& f : {jpg, jpeg, bmp}) DeleteFileW(rtl::W(f).c_str());
}

TEST(Picture, FormatListByNameAndExtension) {
  ASSERT_NE(TPicture::GraphicClassByExtension(".JPEG"), nullptr);
  EXPECT_EQ(TPicture::GraphicClassByExtension("Jpg")->ClassName, "TJPEGImage");
  EXPECT_EQ(TPicture::GraphicClassByExtension("bmp")->ClassName, "TBitmap");
  EXPECT_EQ(TPicture::GraphicClassByExtension("gif"), nullptr);
  auto g = TPicture::CreateGraphicByClassName("TBitmap");
  ASSERT_NE(g, nullptr);
  EXPECT_NE(dynamic_cast<TBitmap*>(g.get()), nullptr);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(TPicture::CreateGraphicByClassName("TJPEGImage").get()), nullptr);
  EXPECT_NE(TPicture::GraphicFilter().find("*.bmp;*.jpeg;*.jpg|"), std::string::npos);
}

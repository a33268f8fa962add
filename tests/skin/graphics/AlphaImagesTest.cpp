// Alpha images on canvases, PNG loading into engine bitmaps and the background question,
// under Wine.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "GdiTestSupport.h"
#include "PixelTestSupport.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acGdiBitmap.h"

using namespace skin;

namespace {

std::unique_ptr<gui::TBitmap> Filled(int w, int h, TPixel p) { return test::FilledBitmap(w, h, p); }

// A window class whose windows answer the background question when Answer is set, and
// paint themselves red into a DC handed over with WM_PAINT.
bool answer = false;
LRESULT CALLBACK BackgroundWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == gui::SM_ALPHACMD && wp == kBackgroundCommand && answer) {
    reinterpret_cast<TacBackgroundQuery*>(lp)->Kind = bkBitmap;
    return 1;
  }
  if (msg == WM_PAINT && wp != 0) {
    RECT r{0, 0, 100, 100};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(reinterpret_cast<HDC>(wp), &r, red);
    DeleteObject(red);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  return DefWindowProcW(wnd, msg, wp, lp);
}

HWND BackgroundWindow() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BackgroundWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvanBackgroundTest";
    return RegisterClassW(&wc) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowW(L"KorvanBackgroundTest", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                       GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(AlphaImages, DrawnOnACanvasWithTheirAlpha) {
  auto canvas = Filled(6, 6, 0xFF000000);
  auto picture = Filled(2, 2, 0x80FFFFFF);
  DrawAlphaBitmapOnCanvas(canvas->Canvas(), *picture, {1, 1, 3, 3}, false);
  GdiFlush();
  const TBitmap32 c = Pixels32(*canvas);
  EXPECT_EQ(c.At(1, 1), 0xFF7F7F7Fu);  // (255 * 128) >> 8, alpha max(255, 128)
  EXPECT_EQ(c.At(3, 3), 0xFF000000u);
  // Another size: stretched over R.
  auto one = Filled(1, 1, 0xFFFFFFFF);
  DrawAlphaBitmapOnCanvas(canvas->Canvas(), *one, {2, 2, 6, 6}, false);
  GdiFlush();
  EXPECT_EQ(test::CountNot(Pixels32(*canvas), 0xFF000000u), 16 + 3);
  // Not 32-bit: drawn by the bitmap itself.
  gui::TBitmap plain(2, 2, gui::pf24bit);
  plain.Canvas().Brush().SetColor(0x0000FF);
  plain.Canvas().FillRect({0, 0, 2, 2});
  auto target = Filled(2, 2, 0xFF000000);
  DrawAlphaBitmapOnCanvas(target->Canvas(), plain, {0, 0, 2, 2}, false);
  GdiFlush();
  EXPECT_EQ(Pixels32(*target).At(0, 0) & 0x00FFFFFFu, 0x00FF0000u);
}

TEST(AlphaImages, PngFileAndStreamBecomeAlphaBitmaps) {
  const std::string file = std::string(KORVAN_PNG_CORPUS) + "/c6_d8.png";  // RGBA, 8 bits
  auto fromFile = CreateBitmap32(0, 0);
  LoadPngFileToBitmap(*fromFile, file);
  ASSERT_FALSE(fromFile->Empty());
  EXPECT_EQ(fromFile->PixelFormat(), gui::pf32bit);

  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  rtl::TMemoryStream stream(bytes);
  auto fromStream = CreateBitmap32(0, 0);
  fromStream->SetTransparent(true);
  LoadPngStreamToBitmap(*fromStream, stream);
  EXPECT_TRUE(fromStream->Transparent());
  ASSERT_EQ(fromStream->Width(), fromFile->Width());
  EXPECT_EQ(test::Rows(Pixels32(*fromStream)), test::Rows(Pixels32(*fromFile)));
}

TEST(BackgroundQuery, AnsweredUnansweredAndPainted) {
  HWND wnd = BackgroundWindow();
  ASSERT_NE(wnd, nullptr);
  TacBackgroundQuery q;
  answer = true;
  EXPECT_TRUE(QueryWindowBackground(q, wnd, false));
  EXPECT_EQ(q.Kind, bkBitmap);
  EXPECT_EQ(BackgroundQueryToCache(q).FillColor, clFuchsia);
  EXPECT_TRUE(BackgroundQueryToCache(q).Ready);

  answer = false;
  TacBackgroundQuery c;
  EXPECT_FALSE(QueryWindowBackground(c, wnd, false));
  EXPECT_EQ(c.Kind, bkColor);
  EXPECT_EQ(c.Color, clBtnFace);  // no skin loaded
  EXPECT_FALSE(BackgroundQueryToCache(c).Ready);
  EXPECT_EQ(BackgroundQueryToCache(c).FillColor, static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));

  // Painted: the window paints into the DC shifted by the offset, clipped to PaintRect,
  // and the caller's PaintRect is left shifted.
  auto target = Filled(10, 10, 0xFF000000);
  TacBackgroundQuery p;
  p.DC = reinterpret_cast<uintptr_t>(target->Canvas().Handle());
  p.OffsetX = 3;
  p.OffsetY = 2;
  p.PaintRect = {0, 0, 4, 4};
  EXPECT_FALSE(QueryWindowBackground(p, wnd, true));
  GdiFlush();
  EXPECT_EQ(p.Kind, bkNone);
  EXPECT_EQ(p.PaintRect, (TRect{3, 2, 7, 6}));
  const TBitmap32 t = Pixels32(*target);
  EXPECT_EQ(t.At(0, 0) & 0x00FFFFFFu, 0x00FF0000u);
  EXPECT_EQ(t.At(3, 3) & 0x00FFFFFFu, 0x00FF0000u);
  EXPECT_EQ(t.At(4, 4), 0xFF000000u);  // outside the clip
  DestroyWindow(wnd);
}

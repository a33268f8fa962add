// Text on 32-bit bitmaps under Wine, drawn with the test skin's font "Korvan Test" (a full
// em square at "A"), so every inked pixel is known: the alpha rules of both modes, a text
// rectangle above the bitmap, contours of a section state, cutting to a width, the length
// cap of drawing on a device context and the glow of size 0.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinText.h"
#include "tests/skin/graphics/GdiTestSupport.h"

namespace skin {
namespace {

constexpr TColor kText = 0x00336699;  // red 0x99, green 0x66, blue 0x33
constexpr UINT kFlags = DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX;

class SkinText : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::ifstream f(std::string(KORVAN_TEST_SKIN) + "/Korvan Test/KorvanTest.ttf", std::ios::binary);
    static const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    DWORD count = 0;
    font_ = AddFontMemResourceEx(const_cast<char*>(bytes.data()), DWORD(bytes.size()), nullptr, &count);
  }
  static void TearDownTestSuite() {
    if (font_) RemoveFontMemResourceEx(font_);
  }
  void SetUp() override { ASSERT_NE(font_, nullptr); }

  // A bitmap whose canvas writes "Korvan Test" with a 20-pixel em.
  static std::unique_ptr<gui::TBitmap> Target(int w, int h, TPixel fill, int em = 20) {
    auto b = test::FilledBitmap(w, h, fill);
    b->Canvas().Font().SetName("Korvan Test");
    b->Canvas().Font().SetHeight(-em);
    return b;
  }
  static inline HANDLE font_ = nullptr;
};

TEST_F(SkinText, AlphaModeOverTransparentPixels) {
  auto bmp = Target(50, 40, 0);
  DrawTextOnBitmap32(*bmp, "A", true, {5, 5, 45, 35}, kFlags, kText, true);
  TBitmap32 px = Pixels32(*bmp);
  const auto full = [](int k) { return uint32_t((((0 - k) + k * 256) * 254) >> 16); };
  EXPECT_EQ(px.At(15, 15), MakePixel(full(0x33), full(0x66), full(0x99), 254));
  EXPECT_EQ(px.At(6, 23), px.At(15, 15));
  EXPECT_EQ(px.At(30, 15), 0u);  // right of the square: paper
  EXPECT_EQ(px.At(15, 30), 0u);  // below it
  EXPECT_EQ(px.At(2, 2), 0u);    // outside the rectangle
}

TEST_F(SkinText, OpaqueModeGivesTheColourExactly) {
  auto bmp = Target(50, 40, MakePixel(200, 200, 200, 17));
  DrawTextOnBitmap32(*bmp, "A", false, {5, 5, 45, 35}, kFlags, kText, false);
  TBitmap32 px = Pixels32(*bmp);
  EXPECT_EQ(px.At(15, 15), MakePixel(0x33, 0x66, 0x99, 255));
  EXPECT_EQ(px.At(30, 15), MakePixel(200, 200, 200, 17));
}

TEST_F(SkinText, ARectangleAboveTheBitmapTransfersItsLowerRows) {
  auto bmp = Target(50, 40, 0);
  DrawTextOnBitmap32(*bmp, "A", false, {5, -3, 45, 27}, kFlags, kText, true);
  TBitmap32 px = Pixels32(*bmp);
  EXPECT_EQ(px.At(15, 0), MakePixel(0x33, 0x66, 0x99, 255));   // text row 3
  EXPECT_EQ(px.At(15, 16), MakePixel(0x33, 0x66, 0x99, 255));  // text row 19, the square's last
  EXPECT_EQ(px.At(15, 17), 0u);
}

TEST_F(SkinText, SectionColoursAndContours) {
  TacSkinData data(96);
  data.Sections.resize(1);
  TsGenState& st = data.Sections[0].StateParams[1];
  st.FontColor = 0x000000FF;     // red
  st.ContourLeft = 0x00FF0000;   // blue, one pixel left
  st.ContourBottom = 0x0000FF00;  // green, one pixel down
  struct Case {
    bool alphaMode;
    int index;
    TPixel inside, left, below;
  } cases[] = {
      // Full ink in alpha mode: 255 * 255 * 254 >> 16 = 252 of the colour, alpha 254; each
      // later copy covers the one before.
      {true, 0, MakePixel(0, 0, 252, 254), MakePixel(252, 0, 0, 254), MakePixel(0, 252, 0, 254)},
      {false, 0, 0xFFFF0000u, 0u, 0u},          // no contours without alpha
      {false, 5, 0xFF000000u | 0x00ABCDEFu, 0u, 0u},  // no such section: the canvas font colour
  };
  for (const Case& c : cases) {
    auto bmp = Target(50, 40, 0);
    bmp->Canvas().Font().SetColor(SwapRB(0x00ABCDEF));
    WriteSkinTextOnBitmap(*bmp, "A", c.alphaMode, {5, 5, 45, 35}, kFlags, &data, c.index, 1);
    TBitmap32 px = Pixels32(*bmp);
    EXPECT_EQ(px.At(15, 15), c.inside) << c.alphaMode << c.index;
    EXPECT_EQ(px.At(4, 15), c.left) << c.alphaMode << c.index;
    EXPECT_EQ(px.At(15, 25), c.below) << c.alphaMode << c.index;
  }
}

TEST_F(SkinText, SkinTextOnACanvas) {
  TacSkinData data(96);
  data.Sections.resize(1);
  TsGenState& s0 = data.Sections[0].StateParams[0];
  s0.FontColor = 0x000000FF;
  s0.Color = 0x00FF0000;
  s0.ContourLeft = 0x0000FF00;
  struct Case {
    bool enabled;
    int index;
    TPixel inside, left;
  } cases[] = {
      {true, 0, 0x00FF0000u, 0x0000FF00u},                                  // font colour, green contour
      {false, 0, SwapRB(MixColors(0x000000FF, 0x00FF0000, 100)), 0x01010101u},  // mixed, no contour
      {true, 3, SwapRB(0x00ABCDEF), 0x01010101u},                           // no section: the font's colour
  };
  for (const Case& c : cases) {
    auto bmp = Target(50, 40, 0x01010101u);
    bmp->Canvas().Font().SetColor(0x00ABCDEF);
    WriteSkinText(bmp->Canvas(), "A", c.enabled, {5, 5, 45, 35}, kFlags, &data, c.index, 0);
    GdiFlush();
    TBitmap32 px = Pixels32(*bmp);
    EXPECT_EQ(px.At(15, 15) & 0xFFFFFF, c.inside) << c.enabled << c.index;
    EXPECT_EQ(px.At(4, 15), c.left) << c.enabled << c.index;
    EXPECT_EQ(px.At(30, 15), 0x01010101u);  // a transparent background
  }
}

TEST_F(SkinText, FontMeasures) {
  gui::TFont a, b;
  a.SetName("Korvan Test");
  b.SetName("Korvan Test");
  a.SetHeight(-20);
  b.SetHeight(-20);
  EXPECT_TRUE(FontsEqual(a, b));
  b.SetColor(0x00FF0000);
  EXPECT_FALSE(FontsEqual(a, b));  // only the colour differs
  // The test font's cell is its em: 20 pixels without leadings, 26 with the extra 6.
  EXPECT_EQ(GetFontTextHeight(a.Handle(), true), 20);
  EXPECT_EQ(GetFontTextHeight(a.Handle(), false), 26);
  SIZE one{}, wrapped{}, withI{};
  ASSERT_TRUE(GetTextExtentOnDC(nullptr, "AA", one, a.Handle()));
  EXPECT_EQ(one.cx, 40);
  wrapped = GetTextSizeWithFont(a.Handle(), "AA AA", DT_WORDBREAK | DT_NOPREFIX, true, 45, false);
  EXPECT_EQ(wrapped.cy, 40);  // two lines within 45 pixels
  withI = GetTextSizeWithFont(a.Handle(), "AA", 0, false, 0, true);
  EXPECT_GT(withI.cx, 40);
}

TEST_F(SkinText, CutTextToWidth) {
  auto bmp = Target(10, 10, 0, 10);
  gui::TCanvas& c = bmp->Canvas();
  const int a = GetTextWidth(c, "A"), dots = GetTextWidth(c, "...");
  ASSERT_GT(a, 0);
  const std::string text(8, 'A');
  struct Case {
    int maxWidth;
    const char* expect;
  } cases[] = {
      {0, ""},
      {-5, ""},
      {8 * a, "AAAAAAAA"},
      {a + dots, "A..."},
      {a + dots - 1, ""},  // not even one character and the dots fit
      {3 * a + dots, "AAA..."},
  };
  for (const Case& k : cases) EXPECT_EQ(CutTextToWidth(c, text, k.maxWidth), k.expect) << k.maxWidth;
  EXPECT_EQ(CutTextToWidth(c, "", 100), "");
}

TEST_F(SkinText, DrawingOnADeviceContextStopsAt5460Characters) {
  // Lines of one character each: the measured height counts the lines drawn.
  auto bmp = Target(10, 10, 0, 2);
  gui::TCanvas& c = bmp->Canvas();
  c.TextWidth("A");  // the font is selected into the DC
  std::string longText, capped;
  for (int i = 0; i < 3000; ++i) longText += "A\n";
  capped = longText.substr(0, size_t(kMaxTextOnDC));
  const UINT flags = DT_LEFT | DT_TOP | DT_NOPREFIX | DT_CALCRECT;
  TRect whole{0, 0, 100, 0}, onDC{0, 0, 100, 0}, cap{0, 0, 100, 0};
  DrawTextOnCanvas(c, longText, whole, flags);
  DrawTextOnDC(c.Handle(), longText, onDC, flags);
  DrawTextOnDC(c.Handle(), capped, cap, flags);
  EXPECT_EQ(onDC.Height(), cap.Height());
  EXPECT_GT(whole.Height(), onDC.Height());
}

TEST_F(SkinText, AGlowOfSizeZeroKeepsTheTextShape) {
  auto bmp = Target(50, 40, 0);
  TacGlowMask mask;
  DrawTextGlow(*bmp, "A", {5, 5, 45, 35}, kFlags, 0, 0, 0x00FF0000, mask);
  EXPECT_EQ(mask.Width, 40 + 8);
  TBitmap32 px = Pixels32(*bmp);
  // The glow lies under the text moved by one pixel, in blue with alpha 254, nowhere else.
  EXPECT_EQ(px.At(16, 16), MakePixel(254, 0, 0, 254));
  EXPECT_EQ(px.At(6, 6), MakePixel(254, 0, 0, 254));
  EXPECT_EQ(px.At(5, 5), 0u);
  EXPECT_EQ(px.At(30, 16), 0u);
}

}  // namespace
}  // namespace skin

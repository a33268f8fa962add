// The GDI and GDI+ adapters of the pixel core under Wine: engine bitmaps, nine-part drawing
// with BitBlt/StretchBlt, border strips between device contexts, regions and icons from
// bitmaps, GDI+ lines, stretching with alpha and the blur, the platform-drawn gradients and
// the start-up pairs.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "PixelTestSupport.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGdiPlus.h"
#include "skin/graphics/acGradientGdi.h"

using namespace skin;
using skin::test::Rows;

namespace {

// The graphics units started as the program starts them, for the whole test program.
class GraphicsUnits : public ::testing::Environment {
 public:
  void SetUp() override {
    gui::InitApplication();
    InitBitmapUnit();
    InitGdiPlus();
    InitGradientFill();
  }
  void TearDown() override {
    FinalGradientFill();
    FinalGdiPlus();
    FinalBitmapUnit();
    gui::DoneApplication();
  }
};
const auto* const units = ::testing::AddGlobalTestEnvironment(new GraphicsUnits);

std::unique_ptr<gui::TBitmap> Filled(int w, int h, TPixel p) { return test::FilledBitmap(w, h, p); }

// A source whose every pixel is different: 0xFF000000 | (y << 8) | x.
std::unique_ptr<gui::TBitmap> Numbered(int w, int h) {
  auto b = CreateBitmap32(w, h);
  TBitmap32 px = Pixels32(*b);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px.At(x, y) = 0xFF000000u | (static_cast<uint32_t>(y) << 8) | static_cast<uint32_t>(x);
  return b;
}

}  // namespace

TEST(GdiBitmap, CreationAndRows) {
  auto empty = CreateBitmap32(-1, 10);
  EXPECT_EQ(empty->Width(), 0);
  EXPECT_EQ(empty->Height(), 0);
  EXPECT_EQ(empty->PixelFormat(), gui::pf32bit);
  uint8_t* row0 = nullptr;
  ptrdiff_t delta = 0;
  EXPECT_FALSE(GetBitmapRows(*empty, row0, delta));

  auto b = CreateBitmap32ForRect({5, 5, 8, 7});
  ASSERT_TRUE(GetBitmapRows(*b, row0, delta));
  EXPECT_EQ(delta, -12);  // bottom-up DIB section
  auto like = CreateBitmap32Like(*b);
  EXPECT_EQ(like->Width(), 3);
  EXPECT_EQ(like->Height(), 2);

  auto src = Numbered(3, 2);
  auto copy = CreateBitmap32(0, 0);
  CopyBitmapInto(*copy, *src);
  EXPECT_EQ(Rows(Pixels32(*copy)), Rows(Pixels32(*src)));
}

TEST(GdiBitmap, QuarterTurnThroughBitmapBits) {
  auto src = Numbered(3, 2);
  auto turned = RotateBitmap32(*src, 90);
  ASSERT_TRUE(turned);
  ASSERT_EQ(turned->Width(), 2);
  ASSERT_EQ(turned->Height(), 3);
  const TBitmap32 t = Pixels32(*turned);
  EXPECT_EQ(t.At(1, 0), 0xFF000000u);  // the source's top-left at the top right
  EXPECT_EQ(t.At(0, 0), 0xFF000100u);  // (0, 1) of the source
  gui::TBitmap eight(2, 2, gui::pf8bit);
  EXPECT_FALSE(RotateBitmap32(eight, 90));
}

TEST(GdiBitmap, RegionWithoutAColour) {
  auto b = Filled(4, 3, 0xFF102030);
  TBitmap32 px = Pixels32(*b);
  px.At(0, 0) = px.At(1, 0) = 0x00FF00FF;  // a run of two
  px.At(3, 2) = 0x00FF00FF;
  px.At(2, 1) = 0xFFFF00FF;  // fuchsia with alpha is not the colour
  HRGN rgn = CreateRegionWithoutColor(*b, clFuchsia);
  ASSERT_NE(rgn, nullptr);
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  EXPECT_FALSE(PtInRegion(rgn, 1, 0));
  EXPECT_TRUE(PtInRegion(rgn, 2, 0));
  EXPECT_TRUE(PtInRegion(rgn, 2, 1));
  EXPECT_FALSE(PtInRegion(rgn, 3, 2));
  EXPECT_TRUE(PtInRegion(rgn, 0, 2));
  EXPECT_FALSE(PtInRegion(rgn, 4, 0));
  DeleteObject(rgn);
}

TEST(GdiBitmap, IconsFromBitmaps) {
  auto b = Filled(16, 16, 0x80FF0000);
  HICON a = IconFromAlphaBitmap(*b);
  HICON c = CreateIconFromBitmap(*b);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(c, nullptr);
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(a, &ii));
  EXPECT_TRUE(ii.fIcon);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  DestroyIcon(a);
  DestroyIcon(c);
}

TEST(GdiBitmap, LayeredAndLayoutEntryPoints) {
  EXPECT_TRUE(LayeredWindowsAvailable());
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDCLayout(dc), 0u);
  SetDCLayout(dc, LAYOUT_RTL);
  EXPECT_EQ(GetDCLayout(dc), static_cast<DWORD>(LAYOUT_RTL));
  DeleteDC(dc);
  EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
}

TEST(NineParts, BlitsMatchThePortableCopies) {
  // A 6 x 6 source with borders of 2, drawn into 11 x 9: tiled sides and centre, then the
  // same with the left side and centre stretched; GDI's copies and the pixel core's agree.
  struct {
    TRect modes;
    bool stretchCenter;
  } cases[] = {{{0, 0, 0, 0}, false}, {{1, 0, 0, 1}, false}, {{0, 0, 0, 0}, true}};
  for (const auto& c : cases) {
    auto src = Numbered(6, 6);
    auto gdi = Filled(11, 9, 0x11111111);
    DrawBitmapNineParts(*gdi, *src, {0, 0, 11, 9}, {0, 0, 6, 6}, {2, 2, 2, 2}, {255, 255, 255, 255}, c.modes,
                        c.stretchCenter, true);
    TBitmap32 portable = test::Filled(11, 9, 0x11111111);
    DrawBitmapNineParts(portable, Pixels32(*src), {0, 0, 11, 9}, {0, 0, 6, 6}, {2, 2, 2, 2}, {255, 255, 255, 255},
                        c.modes, c.stretchCenter, true);
    const TBitmap32 g = Pixels32(*gdi);
    EXPECT_EQ(g.At(0, 0), 0xFF000000u);
    EXPECT_EQ(g.At(10, 8), 0xFF000505u);
    EXPECT_EQ(test::CountNot(g, 0x11111111), 99);
    if (c.modes.Left == 0 && !c.stretchCenter) {
      EXPECT_EQ(Rows(g), Rows(portable));
      EXPECT_EQ(g.At(2, 0), 0xFF000002u);  // the top side tiles columns 2, 3, 2, 3 ...
      EXPECT_EQ(g.At(4, 0), 0xFF000002u);
      EXPECT_EQ(g.At(6, 0), 0xFF000002u);
      EXPECT_EQ(g.At(8, 0), 0xFF000002u);  // the last tile cut after one column
    } else {
      // Stretches may pick other source pixels than the portable nearest-pixel copy, but
      // always from the same part of the source.
      EXPECT_EQ(g.At(0, 4) & 0xFF, 0u);
    }
  }
}

TEST(NineParts, LimitsLeaveTheInnerCornerUndrawn) {
  auto src = Numbered(6, 6);
  auto dst = Filled(10, 10, 0x11111111);
  DrawBitmapNineParts(*dst, *src, {0, 0, 10, 10}, {0, 0, 6, 6}, {2, 2, 2, 2}, {1, 1, 1, 1}, {0, 0, 0, 0}, false, false);
  const TBitmap32 d = Pixels32(*dst);
  EXPECT_EQ(d.At(0, 0), 0xFF000000u);
  EXPECT_EQ(d.At(1, 0), 0xFF000001u);
  EXPECT_EQ(d.At(0, 1), 0xFF000100u);
  EXPECT_EQ(d.At(1, 1), 0x11111111u);  // inside the limits: the L-shaped corner leaves it
  EXPECT_EQ(d.At(5, 5), 0x11111111u);  // no centre
}

TEST(NineParts, CopyBorderFromDCCopiesOnlyTheFrame) {
  auto src = Filled(20, 20, 0xFFFFFFFF);
  auto dst = Filled(20, 20, 0xFF000000);
  CopyBorderFromDC(dst->Canvas().Handle(), 2, 3, 12, 10, src->Canvas().Handle(), 2, 3, 4, 0, 0, 0);
  GdiFlush();
  const TBitmap32 d = Pixels32(*dst);
  int white = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inRect = x >= 2 && x < 14 && y >= 3 && y < 13;
      const bool inInner = x >= 6 && x < 10 && y >= 7 && y < 9;
      const bool isWhite = d.At(x, y) == 0xFFFFFFFFu;
      EXPECT_EQ(isWhite, inRect && !inInner) << x << "," << y;
      white += isWhite;
    }
  EXPECT_EQ(white, 12 * 10 - 4 * 2);
}

TEST(NineParts, FillRectOnDCKeepsTheDCState) {
  auto b = Filled(4, 4, 0xFF000000);
  HDC dc = b->Canvas().Handle();
  HGDIOBJ before = GetCurrentObject(dc, OBJ_BRUSH);
  FillRectOnDC(dc, {1, 1, 3, 3}, 0x0000FF);
  GdiFlush();
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), before);
  EXPECT_EQ(Pixels32(*b).At(1, 1) & 0x00FFFFFFu, 0x00FF0000u);
  EXPECT_EQ(Pixels32(*b).At(0, 0), 0xFF000000u);
}

TEST(NineParts, ChildControlsKeptOutOfTheClip) {
  // A visible panel is cut out of the clip; a hidden panel and a label (drawn by the
  // parent) are not.
  gui::TPanel parent(nullptr);
  parent.SetBounds(0, 0, 30, 10);
  auto* shown = new gui::TPanel(&parent);
  shown->SetParent(&parent);
  shown->SetBounds(0, 0, 10, 10);
  auto* hidden = new gui::TPanel(&parent);
  hidden->SetParent(&parent);
  hidden->SetBounds(10, 0, 10, 10);
  hidden->SetVisible(false);
  auto* label = new gui::TLabel(&parent);
  label->SetParent(&parent);
  label->SetBounds(20, 0, 10, 10);
  auto b = Filled(40, 12, 0xFF000000);
  HDC dc = b->Canvas().Handle();
  const int saved = SaveDC(dc);
  ExcludeChildControlsClip(dc, parent, 1, 1);
  FillRectOnDC(dc, {0, 0, 40, 12}, 0xFFFFFF);
  RestoreDC(dc, saved);
  GdiFlush();
  const TBitmap32 d = Pixels32(*b);
  EXPECT_EQ(d.At(5, 5), 0xFF000000u);        // under the visible panel, moved by (1, 1)
  EXPECT_NE(d.At(0, 0), 0xFF000000u);        // left of it after the offset
  EXPECT_NE(d.At(15, 5), 0xFF000000u);       // the hidden panel
  EXPECT_NE(d.At(25, 5), 0xFF000000u);       // the label stays in the clip
}

TEST(GdiPlus, WithoutTheLibraryNothingIsDrawn) {
  FinalGdiPlus();  // the environment's start-up: the library is let go
  ASSERT_FALSE(GdiPlusLoaded());
  auto b = Filled(8, 8, 0xFF000000);
  DrawLineGdiPlus(b->Canvas().Handle(), 0x0000FF, 0, 4, 8, 4, 3);
  FillVertGradientGdiPlus(b->Canvas().Handle(), 0xFF0000FF, 0xFF0000FF, 0, 0, 8, 8);
  Pixels32(*b).At(4, 4) = 0xFFFFFFFF;  // one sharp pixel: the blur must leave it
  BlurBitmap(*b, 2);
  GdiFlush();
  EXPECT_EQ(test::CountNot(Pixels32(*b), 0xFF000000), 1);
  EXPECT_EQ(Pixels32(*b).At(4, 4), 0xFFFFFFFFu);
  InitGdiPlus();
  EXPECT_TRUE(GdiPlusLoaded());
}

TEST(GdiPlus, PolygonOutline) {
  auto b = Filled(20, 20, 0xFF000000);
  const TPointF square[4] = {{4, 4}, {15, 4}, {15, 15}, {4, 15}};
  DrawPolygonGdiPlus(b->Canvas().Handle(), 0x00FF00, square, 4, 2);
  GdiFlush();
  const TBitmap32 d = Pixels32(*b);
  EXPECT_GE(ChG(d.At(10, 4)), 200);   // on the outline
  EXPECT_EQ(d.At(10, 10), 0xFF000000u);  // inside: not filled
}

TEST(GdiPlus, LoadedWithItsEntryPoints) {
  ASSERT_TRUE(GdiPlusLoaded());
  EXPECT_TRUE(GdiPlusHas("GdipDrawLine"));
  EXPECT_TRUE(GdiPlusHas("GdipCreateBitmapFromScan0"));
  EXPECT_TRUE(BeginGdiPlus(false));
  EndGdiPlus(false);
}

TEST(GdiPlus, LineColourAndAlpha) {
  // A horizontal line 3 pixels wide across the middle of an opaque black bitmap: opaque
  // red, then half-transparent red (high byte 0x80) over black.
  struct {
    TColor color;
    int minRed, maxRed;
  } cases[] = {{0x0000FF, 250, 255}, {0x800000FF, 110, 145}};
  for (const auto& c : cases) {
    auto b = Filled(20, 9, 0xFF000000);
    DrawLineGdiPlus(b->Canvas().Handle(), c.color, 0, 4.5f, 20, 4.5f, 3);
    GdiFlush();
    const TPixel p = Pixels32(*b).At(10, 4);
    EXPECT_GE(ChR(p), c.minRed) << std::hex << c.color;
    EXPECT_LE(ChR(p), c.maxRed) << std::hex << c.color;
    EXPECT_LE(ChG(p), 10);
    EXPECT_LE(ChB(p), 10);
    EXPECT_EQ(Pixels32(*b).At(10, 0), 0xFF000000u);  // away from the line: untouched
  }
}

TEST(GdiPlus, PathAndLinearGradientsFill) {
  auto b = Filled(20, 20, 0xFF000000);
  const TPoint pts[4] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
  const TColor colors[4] = {0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF};
  FillPathGradientGdiPlus(b->Canvas().Handle(), pts, colors, 0, 0, 20, 20, 0xFF0000FF);
  GdiFlush();
  EXPECT_GE(ChR(Pixels32(*b).At(10, 10)), 250);
  FillVertGradientGdiPlus(b->Canvas().Handle(), 0xFF000000, 0xFFFF0000, 0, 0, 20, 20);
  GdiFlush();
  EXPECT_LT(ChB(Pixels32(*b).At(10, 1)), ChB(Pixels32(*b).At(10, 18)));
}

TEST(GdiPlus, StretchKeepsAlphaThroughItsMapping) {
  // Unscaled: alpha 255 travels as 254 and comes back as 2 * 254 - 255 = 253; alpha 0
  // travels as 127 and comes back as 0.
  auto src = Filled(4, 4, 0xFF4080C0);
  Pixels32(*src).At(0, 0) = 0x00000000;
  auto dst = Filled(4, 4, 0);
  StretchBitmapGdiPlus(*dst, *src, {0, 0, 4, 4}, {0, 0, 4, 4});
  const TBitmap32 d = Pixels32(*dst);
  EXPECT_EQ(ChA(d.At(2, 2)), 253);
  EXPECT_EQ(ChA(d.At(0, 0)), 0);
  EXPECT_NEAR(ChR(d.At(2, 2)), 0x40, 2);
  EXPECT_NEAR(ChB(d.At(2, 2)), 0xC0, 2);
}

TEST(GdiPlus, BlurFallsBackToHalvingWithoutEffects) {
  // A sharp vertical edge softens; the bitmap keeps a valid handle and its size, whether
  // GDI+ blurred it or (as under Wine, whose GDI+ has no effects) the halving blur did.
  auto b = Filled(16, 8, 0xFF000000);
  TBitmap32 px = Pixels32(*b);
  for (int y = 0; y < 8; ++y)
    for (int x = 8; x < 16; ++x) px.At(x, y) = 0xFFFFFFFF;
  BlurBitmap(*b, 3.0f);
  ASSERT_NE(b->Handle(), nullptr);
  BITMAP info{};
  ASSERT_EQ(GetObject(b->Handle(), sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(b->Width(), 16);
  EXPECT_EQ(b->Height(), 8);
  const TBitmap32 after = Pixels32(*b);
  int between = 0;
  for (int x = 5; x < 11; ++x) between += ChR(after.At(x, 4)) > 10 && ChR(after.At(x, 4)) < 245;
  EXPECT_GE(between, 1);
}

TEST(GdiPlus, RotatedBitmapTurnsClockwise) {
  TPointF p[1] = {{10, 0}};
  RotatePoints(p, {0, 0}, 1, 90);  // counter-clockwise on screen: (10, 0) -> (0, -10)
  EXPECT_NEAR(p[0].X, 0, 1e-4);
  EXPECT_NEAR(p[0].Y, -10, 1e-4);

  // A 4 x 2 bitmap red on its left half, placed at (2, 2) and turned by 90 about the centre
  // (4, 4) of Rect: its top edge runs down column 6, so it covers columns 4 and 5, the red
  // half on top.
  auto pic = Filled(4, 2, 0xFF0000FF);
  TBitmap32 px = Pixels32(*pic);
  px.At(0, 0) = px.At(1, 0) = px.At(0, 1) = px.At(1, 1) = 0xFFFF0000;
  auto straight = Filled(8, 8, 0xFF000000);
  DrawRotatedBitmapGdiPlus(straight->Canvas().Handle(), *pic, {2, 3, 6, 5}, 0);
  auto turned = Filled(8, 8, 0xFF000000);
  DrawRotatedBitmapGdiPlus(turned->Canvas().Handle(), *pic, {2, 2, 6, 6}, 90);
  GdiFlush();
  EXPECT_GE(ChR(Pixels32(*straight).At(2, 3)), 200);  // unrotated at Rect's corner
  EXPECT_GE(ChB(Pixels32(*straight).At(5, 4)), 200);
  EXPECT_GE(ChR(Pixels32(*turned).At(5, 2)), 200);  // left half now on top
  EXPECT_GE(ChB(Pixels32(*turned).At(5, 5)), 200);
  EXPECT_EQ(Pixels32(*turned).At(2, 3), 0xFF000000u);
}

TEST(GradientGdi, FourCornersAndAlphaBands) {
  ASSERT_NE(GradientFillProc(), nullptr);
  TsGradArray g;
  ParseGradientString("255;0;0;2;0;65280;0;0;0;0;16711680;0;0;0;0;0;0;0;0;0;16777215;0;0;0;0", g);
  ASSERT_EQ(g.size(), 5u);
  auto b = Filled(40, 40, 0);
  PaintGradient(*b, {0, 0, 40, 40}, g);
  const TBitmap32 d = Pixels32(*b);
  // Top-left red, centre green, top-right blue, bottom-right black, bottom-left white.
  EXPECT_GE(ChR(d.At(1, 0)), 200);
  EXPECT_GE(ChG(d.At(20, 20)), 200);
  EXPECT_GE(ChB(d.At(38, 0)), 200);
  EXPECT_LE(ChR(d.At(38, 39)) + ChG(d.At(38, 39)) + ChB(d.At(38, 39)), 60);
  EXPECT_GE(ChG(d.At(1, 39)), 200);

  // Bands touching an alpha stop go to GDI+; a band between plain stops is painted pixel by
  // pixel.
  TsGradArray a;
  ParseGradientString("4278190335;0;16;4278190335;30;16;65280;60;0;65280;100;0;D", a);
  auto c = Filled(10, 10, 0);
  PaintGradient(*c, {0, 0, 10, 10}, a);
  const TBitmap32 e = Pixels32(*c);
  EXPECT_GE(ChR(e.At(5, 1)), 200);  // GDI+ band: red to red
  EXPECT_EQ(e.At(5, 8), 0xFF00FF00u);  // the plain band: green
}

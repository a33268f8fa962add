// The engine's image lists under Wine, with the generated icon font (its glyphs are plain
// boxes, so the covered pixels are known): the standard glyph list after start-up, item
// sizes at two densities, gradients and outlines of real glyphs, alpha image lists (sizes,
// resampling, the cache, degenerate pictures, the system's icons), drawing state pictures
// and glyphs, and the never-skinned form classes.
#include <windows.h>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include "GdiTestSupport.h"
#include "gui/Forms.h"
#include "gui/Icons.h"
#include "report/Render.h"
#include "skin/core/acShellCtrls.h"
#include "skin/core/acStartup.h"
#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/acGlyphDraw.h"
#include "skin/graphics/acGlyphRender.h"
#include "skin/graphics/acImgListConvert.h"

namespace skin {
namespace {

class ImageLists : public ::testing::Test {
 protected:
  void SetUp() override {
    gui::InitApplication();
    RunEngineStartup();
  }
  void TearDown() override {
    SetListSettingsSource(nullptr);
    while (EngineStarted()) RunEngineShutdown();
  }
};

// A PNG file of W x H RGBA pixels, each 0xAARRGGBB.
std::vector<uint8_t> Png(int w, int h, const std::vector<uint32_t>& px) {
  auto be = [](std::vector<uint8_t>& v, uint32_t x) {
    for (int s = 24; s >= 0; s -= 8) v.push_back(uint8_t(x >> s));
  };
  auto chunk = [&](std::vector<uint8_t>& out, const char* kind, const std::vector<uint8_t>& data) {
    be(out, uint32_t(data.size()));
    std::vector<uint8_t> body(kind, kind + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    be(out, uint32_t(crc32(0, body.data(), uInt(body.size()))));
  };
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, ihdr;
  be(ihdr, uint32_t(w));
  be(ihdr, uint32_t(h));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  chunk(out, "IHDR", ihdr);
  std::vector<uint8_t> raw;
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = px[size_t(y) * w + x];
      raw.insert(raw.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    }
  }
  uLongf n = compressBound(uLong(raw.size()));
  std::vector<uint8_t> z(n);
  compress(z.data(), &n, raw.data(), uLong(raw.size()));
  z.resize(n);
  chunk(out, "IDAT", z);
  chunk(out, "IEND", {});
  return out;
}

std::vector<uint8_t> UniformPng(int w, int h, uint32_t p) { return Png(w, h, std::vector<uint32_t>(size_t(w) * h, p)); }

TsImgListItem* AddPng(TsAlphaImageList& list, const std::vector<uint8_t>& png) {
  TsImgListItem* item = list.Items.Add();
  item->ImgData.Write(png.data(), int64_t(png.size()));
  item->ImgData.SetPosition(0);
  item->ImageFormat = ifPNG;
  return item;
}

TPixel At(gui::TBitmap& bmp, int x, int y) { return Pixels32(bmp).At(x, y); }

bool Near(TPixel a, TPixel b, int tolerance = 1) {
  for (int i = 0; i < 4; ++i)
    if (std::abs(int(Channel(a, i)) - int(Channel(b, i))) > tolerance) return false;
  return true;
}

// The icon the Windows image list holds at Index, read back with its alpha.
std::unique_ptr<gui::TBitmap> ListIcon(gui::TCustomImageList& list, int index) {
  HICON h = ImageList_GetIcon(list.Handle(), index, ILD_NORMAL);
  if (!h) return nullptr;
  auto b = IconToBitmap32(h, list.Width(), list.Height(), false);
  DestroyIcon(h);
  return b;
}

TEST_F(ImageLists, StandardGlyphListAfterStartUp) {
  TsCharImageList* list = StandardGlyphs();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Width(), 16);
  EXPECT_EQ(list->Height(), 14);
  EXPECT_EQ(list->BkColor(), gui::clWhite);
  EXPECT_EQ(list->BlendValue(), 222);
  EXPECT_EQ(list->GetItemsCount(), 25);
  EXPECT_EQ(list->Count(), 25);  // one icon each in the Windows image list
  EXPECT_TRUE(list->ImagesGenerated());
  // The order the engine names its entries by.
  struct Entry {
    int index;
    const char* font;
    uint16_t ch;
    double scaling;
    int offsetY;
  } entries[] = {{0, "FontAwesome", 0xF016, 1.0, 0}, {3, "FontAwesome", 0xF141, 1.0, 4},
                 {5, "FontAwesome", 0xF111, 0.75, 0}, {6, "FontAwesome", 0xF00C, 1.0, 0},
                 {7, "FontAwesome", 0xF047, 0.9, 1},  {11, "FontAwesome", 0xF067, 0.8, 2},
                 {20, "FontAwesome", 0xF00D, 0.8, 0}, {21, "Marlett", '0', 1.0, 0},
                 {22, "Marlett", '1', 1.0, 0},        {23, "Marlett", '2', 1.0, 0},
                 {24, "Marlett", 'r', 1.0, 0}};
  for (const Entry& e : entries) {
    const TacCharListItem& item = *list->Items.Items(e.index);
    EXPECT_EQ(item.FontName(), e.font) << e.index;
    EXPECT_EQ(item.Char(), e.ch) << e.index;
    EXPECT_DOUBLE_EQ(item.ScalingFactor(), e.scaling) << e.index;
    EXPECT_EQ(item.OffsetY(), e.offsetY) << e.index;
  }
  EXPECT_EQ(sgCheckMark, 6);
  EXPECT_EQ(sgSysClose, 24);
  RunEngineShutdown();
  EXPECT_EQ(StandardGlyphs(), nullptr);
}

TEST_F(ImageLists, FirstRenderingsAreReplacedWhenDrawnWithATextColour) {
  TsCharImageList* list = StandardGlyphs();
  TacCharListItem& check = *list->Items.Items(sgCheckMark);
  // Made at start-up, before the icon font was there and without a text colour.
  ASSERT_TRUE(check.CacheBitmap);
  EXPECT_EQ(check.CacheBitmap->Canvas().Font().Color(), gui::clNone);
  // Wine keeps the font it chose for a height it has seen before, whatever was registered
  // since; so the glyph is drawn at 144 pixels per inch, a height start-up did not use.
  auto target = CreateBitmap32(30, 30);
  target->Canvas().Font().SetColor(gui::clRed);
  TPoint size;
  DrawListImage(list, *target, 2, 3, sgCheckMark, 0, gui::clNone, 0, 1, false, 144, size);
  EXPECT_EQ(size, (TPoint{24, 21}));
  ASSERT_TRUE(check.CacheBitmap);
  EXPECT_EQ(check.CacheBitmap->Canvas().Font().Color(), gui::clRed);
  // The box glyph in a cell of 21 pixels, centred in 24: ink from x 3.1 to 19.9 and down to
  // the baseline at 16.8; inside it, full coverage blended by 222.
  EXPECT_EQ(At(*check.CacheBitmap, 10, 8), 0xDDFF0000u);
  EXPECT_EQ(ChA(At(*check.CacheBitmap, 10, 20)), 0u);
  EXPECT_EQ(ChA(At(*check.CacheBitmap, 1, 8)), 0u);
  // On the target: red over the list's white background, at (2, 3) on.
  const TPixel drawn = At(*target, 12, 11);
  EXPECT_EQ(ChR(drawn), 255);
  EXPECT_LT(ChG(drawn), 60);
  EXPECT_EQ(At(*target, 12, 23) & 0xFFFFFF, 0xFFFFFFu);  // below the glyph: the white cell
  EXPECT_EQ(At(*target, 27, 11), 0u);                    // beyond the cell: untouched
  EXPECT_EQ(list->GlyphColor, gui::clNone);
  // An active state renders afresh at full opacity and leaves the cache alone.
  list->State = 1;
  list->RenderPPI = 144;
  std::unique_ptr<gui::TBitmap> active = list->RenderItem(sgCheckMark, 24, 0, gui::clRed, 21);
  list->RenderPPI = 96;
  list->State = 0;
  EXPECT_EQ(At(*active, 10, 8), 0xFFFF0000u);
  EXPECT_EQ(At(*check.CacheBitmap, 10, 8), 0xDDFF0000u);
}

TEST_F(ImageLists, ItemSizesAtTwoDensities) {
  TsCharImageList* list = StandardGlyphs();
  struct Case {
    int index, ppi, width, height;
  } cases[] = {{11, 96, 13, 13}, {11, 144, 19, 19}, {-1, 96, 16, 14}, {-1, 144, 24, 21},
               {5, 96, 12, 10},  {3, 96, 16, 18},   {99, 144, 24, 21}};
  for (const Case& c : cases) {
    EXPECT_EQ(GetImageListWidth(list, c.index, c.ppi), c.width) << c.index << " " << c.ppi;
    EXPECT_EQ(GetImageListHeight(list, c.index, c.ppi), c.height) << c.index << " " << c.ppi;
  }
  TsAlphaImageList plain(nullptr);
  plain.SetWidth(20);
  plain.SetHeight(10);
  EXPECT_EQ(GetImageListWidth(&plain, 3, 144), 30);
  EXPECT_EQ(GetImageListHeight(&plain, 3, 144), 15);
  EXPECT_EQ(GetImageListWidth(nullptr, 0, 96), 0);
}

TEST_F(ImageLists, NewCharListDefaultsAndAGradientGlyph) {
  TsCharImageList list(nullptr);
  EXPECT_EQ(list.Width(), 26);
  EXPECT_EQ(list.Height(), 24);
  list.SetWidth(16);
  list.SetHeight(16);
  TacCharListItem* item = list.Items.Add();
  item->SetChar(0xF016);
  item->SetColor(gui::clRed);
  item->SetSecondColor(gui::clBlue);
  list.RebuildImages();
  EXPECT_TRUE(list.ImagesGenerated());
  // The box covers the cell from its top down to the baseline at 12.8; the colour runs
  // from red in row 0 to blue in row 15: row 5 is 255 - 5 * 17 = 170 red, 85 blue.
  std::unique_ptr<gui::TBitmap> glyph = list.CreateItemBitmap(0, 16, 0, 16);
  ASSERT_TRUE(glyph);
  // (Row 0 is only partly inked.) Row 1: 238 red, 17 blue.
  EXPECT_EQ(At(*glyph, 8, 1), 0xFFEE0011u);
  EXPECT_EQ(At(*glyph, 8, 5), 0xFFAA0055u);
  EXPECT_EQ(At(*glyph, 8, 15), 0u);  // no coverage: all four bytes 0
  // GetItemBitmap answers True even for an index out of range and leaves the bitmap.
  gui::TBitmap untouched(3, 3);
  EXPECT_TRUE(list.GetItemBitmap(7, &untouched, 0));
  EXPECT_EQ(untouched.Width(), 3);
}

TEST_F(ImageLists, GlyphOutlinesOfRealGlyphs) {
  gui::TFont font;
  font.SetName("FontAwesome");
  // The plus sign is two overlapping boxes: two contours of four strokes each.
  std::unique_ptr<TacStrokeCollection> plus = GetGlyphStrokes(0xF067, font);
  ASSERT_TRUE(plus);
  EXPECT_EQ(plus->ContourCount(), 2);
  EXPECT_EQ(plus->StrokeCount(0), 4);
  EXPECT_EQ(plus->StrokeCount(1), 4);
  EXPECT_EQ(plus->Stroke(4).Contour, 1);
  // Drawn as an outline: the box's edges are inked, its middle stays clear.
  TsCharImageList list(nullptr);
  list.SetWidth(32);
  list.SetHeight(32);
  TacCharListItem* box = list.Items.Add();
  box->SetChar(0xF016);
  box->SetDrawContour(true);
  box->SetColor(gui::clBlack);
  list.RebuildImages();
  std::unique_ptr<gui::TBitmap> outline = list.CreateItemBitmap(0, 32, 0, 32);
  ASSERT_TRUE(outline);
  TBitmap32 px = Pixels32(*outline);
  EXPECT_EQ(ChA(px.At(16, 16)), 0u);
  int inked = 0;
  for (int x = 0; x < 32; ++x) inked += ChA(px.At(x, 16)) > 128;
  EXPECT_GE(inked, 2);  // the left and the right edge
  EXPECT_LE(inked, 8);
}

TEST_F(ImageLists, AlphaListItemsAtTheirSizeAndResampled) {
  TsAlphaImageList list(nullptr);
  const uint32_t green = 0xFF00C000;
  std::vector<uint32_t> pattern(256);
  for (int i = 0; i < 256; ++i) pattern[size_t(i)] = uint32_t(0xFF000000 | (i << 16) | (255 - i));
  list.BeginItemsChange();
  AddPng(list, Png(16, 16, pattern));
  AddPng(list, UniformPng(32, 32, green));
  list.EndItemsChange(true);
  EXPECT_EQ(list.StoredWidth(), 16);  // a new list at 16 x 16 records that size
  EXPECT_EQ(list.StoredHeight(), 16);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items.Items(1)->SourceWidth, 32);
  // At its source size a picture comes back pixel for pixel.
  std::unique_ptr<gui::TBitmap> same = list.CreateItemBitmap(0, 16, 0, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(At(*same, x, y), pattern[size_t(y) * 16 + x]) << x << "," << y;
  // A larger one is resampled to the size asked for.
  std::unique_ptr<gui::TBitmap> small = list.CreateItemBitmap(1, 16, 0, 16);
  EXPECT_EQ(small->Width(), 16);
  EXPECT_TRUE(Near(At(*small, 7, 7), green, 2));
  // The icon made of it fills the list's cell.
  std::unique_ptr<gui::TBitmap> icon = ListIcon(list, 1);
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->Width(), 16);
  EXPECT_TRUE(Near(At(*icon, 15, 15), green, 2));
}

TEST_F(ImageLists, AListThatIsNotSquareGetsIconsOfItsOwnSize) {
  TsAlphaImageList list(nullptr);
  list.SetWidth(16);
  list.SetHeight(8);
  const uint32_t blue = 0xFF0000FF;
  AddPng(list, UniformPng(32, 32, blue));
  list.RebuildImages();
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list.Handle(), &cx, &cy);
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 8);
  std::unique_ptr<gui::TBitmap> icon = ListIcon(list, 0);
  ASSERT_TRUE(icon);
  // Every row of the cell is covered: the picture was stretched to 16 x 8 exactly, not
  // to 16 x 32 and cut.
  for (int y = 0; y < 8; ++y) EXPECT_TRUE(Near(At(*icon, 8, y), blue, 2)) << y;
  // A picture of one column gives an almost transparent cell.
  auto narrow = CreateBitmap32(1, 20);
  AddBitmapToImageList(list, narrow.get(), -1);
  std::unique_ptr<gui::TBitmap> faint = ListIcon(list, 1);
  ASSERT_TRUE(faint);
  EXPECT_EQ(At(*faint, 3, 3), 0x01000000u);
}

TEST_F(ImageLists, DecodingIsCachedOncePerSize) {
  TsAlphaImageList list(nullptr);
  TsImgListItem* item = AddPng(list, UniformPng(16, 16, 0xFF123456));
  list.RebuildImages();
  std::unique_ptr<gui::TBitmap> first = list.CreateItemBitmap(0, 24, 0, 24);
  // The bytes go bad: the same size still comes from the cache, another size must decode.
  const uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
  item->ImgData.Clear();
  item->ImgData.Write(junk, sizeof junk);
  std::unique_ptr<gui::TBitmap> second = list.CreateItemBitmap(0, 24, 0, 24);
  ASSERT_TRUE(second);
  EXPECT_EQ(At(*second, 5, 5), At(*first, 5, 5));
  EXPECT_ANY_THROW(list.CreateItemBitmap(0, 20, 0, 20));
  // Without the cache every call decodes.
  list.SetUseCache(false);
  EXPECT_FALSE(item->CacheBitmap);
}

TEST_F(ImageLists, ItemsWithoutAPictureAndRemovedItems) {
  TsAlphaImageList list(nullptr);
  AddPng(list, UniformPng(16, 16, 0xFF00FF00));
  TsImgListItem* none = AddPng(list, UniformPng(16, 16, 0xFFFF0000));
  none->ImageFormat = 7;  // no picture of its own: no image is added
  AddPng(list, UniformPng(16, 16, 0xFF0000FF));
  list.RebuildImages();
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(ImageList_GetBkColor(list.Handle()), CLR_NONE);
  delete list.Items.Items(0);  // its image goes with it
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items.Count(), 2);
}

TEST_F(ImageLists, AddImageFromStream) {
  TsAlphaImageList list(nullptr);
  rtl::TMemoryStream png(UniformPng(16, 16, 0xFF00FF00));
  EXPECT_FALSE(AddImageFromStream(list, png));  // no Windows image list yet
  EXPECT_EQ(list.Items.Count(), 0);
  list.CreateImages();
  EXPECT_TRUE(AddImageFromStream(list, png));
  EXPECT_EQ(list.Count(), 1);
  rtl::TMemoryStream junk(std::vector<uint8_t>{1, 2, 3});
  EXPECT_FALSE(AddImageFromStream(list, junk));
  EXPECT_EQ(list.Items.Count(), 2);  // the refused bytes stay as an item
  EXPECT_EQ(list.Count(), 1);
}

TEST_F(ImageLists, SystemIconsBecomeIconItems) {
  TsAlphaImageList* icons = SystemImageList();
  if (!icons) GTEST_SKIP() << "the shell gives no system image list";
  EXPECT_TRUE(icons->ShareImages);
  EXPECT_EQ(ImageList_GetBkColor(icons->Handle()), CLR_NONE);
  const int n = icons->Count();
  ASSERT_GT(n, 0);
  EXPECT_EQ(icons->GetItemsCount(), n);
  EXPECT_EQ(icons->Items.Items(0)->ImageFormat, ifICO);
  EXPECT_EQ(icons->Items.Items(0)->SourceWidth, icons->Width());
  gui::TBitmap bmp(icons->Width(), icons->Height());
  EXPECT_TRUE(icons->GetItemBitmap(0, &bmp, 0));
  EXPECT_EQ(bmp.PixelFormat(), gui::pf32bit);
  // The icon's bytes read back as an icon of the same size.
  gui::TIcon icon;
  icons->Items.Items(0)->ImgData.SetPosition(0);
  icon.LoadFromStream(icons->Items.Items(0)->ImgData);
  EXPECT_EQ(icon.Width(), icons->Width());
}

TEST_F(ImageLists, IconsOfAForeignListBecomeItemsAndSurviveARebuild) {
  HIMAGELIST foreign = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4);
  auto red = test::FilledBitmap(16, 16, 0xFFFF0000);
  for (int i = 0; i < 5; ++i) {
    HICON icon = CreateIconFromBitmap(*red);
    ImageList_ReplaceIcon(foreign, -1, icon);
    DestroyIcon(icon);
  }
  TsAlphaImageList list(nullptr);
  list.SetHandle(foreign);
  EXPECT_EQ(list.Items.Count(), 0);
  EXPECT_EQ(list.GetItemsCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list.Items.Items(i)->ImageFormat, ifICO);
  list.SetHeight(16);  // records the size
  list.RebuildImages();  // from the icon files the items keep
  EXPECT_EQ(list.Count(), 5);
  std::unique_ptr<gui::TBitmap> back = ListIcon(list, 4);
  ASSERT_TRUE(back);
  EXPECT_TRUE(Near(At(*back, 8, 8), 0xFFFF0000, 2));
  // A copy of the list has the same items and cell.
  TsAlphaImageList copy(nullptr);
  copy.Assign(&list);
  EXPECT_EQ(copy.Items.Count(), 5);
  EXPECT_EQ(copy.Count(), 5);
  EXPECT_EQ(copy.Width(), 16);
}

TEST_F(ImageLists, CharListItemsStreamingRulesAndUpgrade) {
  TsCharImageList list(nullptr);
  TacCharListItem* item = list.Items.Add();
  EXPECT_FALSE(item->StoresFontName());
  EXPECT_FALSE(item->StoresScalingFactor());
  EXPECT_FALSE(item->StoresAddedFontName());
  item->SetAddedFontName("Marlett");
  EXPECT_FALSE(item->StoresAddedFontName());  // only with an added character
  item->SetAddedChar('r');
  EXPECT_TRUE(item->StoresAddedFontName());
  // A stored scaling factor of 0 (older streams) becomes the font's text-height ratio on
  // loading, and the item follows the text colour again.
  list.BeginLoading();
  TacCharListItem* old = list.Items.Add();
  old->LoadScalingFactor(0);
  old->SetColor(gui::clRed);
  list.EndLoading();
  EXPECT_GT(old->ScalingFactor(), 0.5);
  EXPECT_EQ(old->Color(), gui::clNone);
  EXPECT_TRUE(list.ImagesGenerated());
  // The list's fonts: after an Assign the first one stands for the icon font.
  TacEmbeddedFonts empty;
  list.EmbeddedFonts.Assign(&empty);
  ASSERT_EQ(list.EmbeddedFonts.Count(), 1);
  EXPECT_EQ(list.EmbeddedFonts.Items(0)->FontName, "FontAwesome");
  TacEmbeddedFonts withBytes;
  TacEmbeddedFont* f = withBytes.Add();
  f->FontName = "Own";
  const uint8_t b = 1;
  f->FontData.Write(&b, 1);
  list.EmbeddedFonts.Assign(&withBytes);
  ASSERT_EQ(list.EmbeddedFonts.Count(), 2);
  EXPECT_EQ(list.EmbeddedFonts.Items(1)->FontName, "Own");
  EXPECT_EQ(list.EmbeddedFonts.Items(1)->FontData.Size(), 1);
}

TEST_F(ImageLists, ListsDrawOnACanvasInTheTextColour) {
  auto page = test::FilledBitmap(40, 40, 0xFFFFFFFF);
  TsCharImageList chars(nullptr);
  chars.SetWidth(20);
  chars.SetHeight(20);
  chars.Items.Add()->SetChar(0xF016);
  chars.RebuildImages();
  page->Canvas().Font().SetColor(gui::clBlue);
  chars.Draw(page->Canvas(), 5, 5, 0);
  GdiFlush();
  // The box from x 2 to 18 and y 0.5 to 16 of the cell: blue inside, white around.
  EXPECT_TRUE(Near(At(*page, 15, 13) & 0xFFFFFF, 0x0000FF, 2)) << std::hex << At(*page, 15, 13);
  EXPECT_EQ(At(*page, 15, 24) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(chars.GlyphColor, gui::clNone);
  TsAlphaImageList pictures(nullptr);
  AddPng(pictures, UniformPng(16, 16, 0xFF00C000));
  pictures.RebuildImages();
  pictures.Draw(page->Canvas(), 22, 22, 0);
  GdiFlush();
  EXPECT_TRUE(Near(At(*page, 30, 30) & 0xFFFFFF, 0x00C000, 2));
  EXPECT_EQ(At(*page, 39, 39) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(ImageLists, StandardGlyphsAsAPersonSeesThem) {
  // Every entry at 144 pixels per inch in black, then in an active look, side by side on
  // white: the snapshot is looked at, the test checks that each cell holds ink.
  TsCharImageList* list = StandardGlyphs();
  const int cell = 26;
  auto page = test::FilledBitmap(cell * 25 + 4, cell * 2 + 4, 0xFFFFFFFF);
  page->Canvas().Font().SetColor(gui::clBlack);
  for (int state = 0; state < 2; ++state)
    for (int i = 0; i < 25; ++i) {
      TPoint size;
      DrawListImage(list, *page, 2 + i * cell, 2 + state * cell, i, 0, gui::clNone, state, 1, false, 144, size);
    }
  for (int i = 0; i < 21; ++i) {  // the icon font's entries; Marlett may be missing
    int ink = 0;
    for (int y = 2; y < 2 + cell; ++y)
      for (int x = 2 + i * cell; x < 2 + (i + 1) * cell; ++x) ink += (At(*page, x, y) & 0xFF) < 128;
    EXPECT_GT(ink, 10) << i;
  }
  report::SaveBitmapToPng(*page, "Z:" KORVAN_SNAPSHOT_DIR "/standard_glyphs.png");
}

TEST_F(ImageLists, DrawListImageWithSeveralGlyphsAndAStateBeyondThem) {
  TsAlphaImageList list(nullptr);
  list.SetWidth(48);
  list.SetHeight(16);
  std::vector<uint32_t> strip(48 * 16);
  const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 48; ++x) strip[size_t(y) * 48 + x] = colours[x / 16];
  AddPng(list, Png(48, 16, strip));
  list.RebuildImages();
  for (int state : {1, 5}) {
    auto bmp = CreateBitmap32(20, 20);
    TPoint size;
    DrawListImage(&list, *bmp, 2, 2, 0, 0, gui::clNone, state, 3, false, 96, size);
    EXPECT_EQ(size, (TPoint{16, 16}));
    EXPECT_TRUE(Near(At(*bmp, 10, 10), colours[state == 1 ? 1 : 2], 2)) << state << std::hex << At(*bmp, 10, 10);
    EXPECT_EQ(At(*bmp, 19, 10), 0u);
  }
}

TEST_F(ImageLists, StandardGlyphOrderAndDisabledLooksOfAGlyphStrip) {
  auto glyph = CreateBitmap32(32, 16);
  {
    TBitmap32 g = Pixels32(*glyph);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 32; ++x) g.At(x, y) = x < 16 ? 0xFFFF0000 : 0xFF0000FF;
  }
  auto draw = [&](bool enabled, int state) {
    auto dst = CreateBitmap32(16, 16);
    TacGlyphDrawParams p;
    p.Glyph = glyph.get();
    p.NumGlyphs = 2;
    p.CurrentState = state;
    p.Enabled = enabled;
    p.DstBitmap = dst.get();
    p.Rect = {0, 0, 16, 16};
    p.SkinIndex = 1;
    DrawGlyph(p);
    return At(*dst, 8, 8);
  };
  EXPECT_TRUE(Near(draw(false, 0), 0xFFFF0000, 2));  // the class library's order is off
  SetListSettingsSource([] {
    TacListSettings s;
    s.HasManager = true;
    s.StdGlyphsOrder = true;
    return s;
  });
  EXPECT_TRUE(Near(draw(false, 0), 0xFF0000FF, 2));  // a disabled control shows picture 1
  EXPECT_TRUE(Near(draw(true, 1), 0xFFFF0000, 2));   // hot shows picture 0
}

TEST_F(ImageLists, NeverSkinnedFormClassesComparedWithCase) {
  EXPECT_TRUE(IsExcludedFormClass("TApplication"));
  EXPECT_TRUE(IsExcludedFormClass("TcxGridFilterPopup"));
  EXPECT_FALSE(IsExcludedFormClass("Tapplication"));
  EXPECT_FALSE(IsExcludedFormClass("TApplication "));
  EXPECT_FALSE(IsExcludedFormClass("TForm"));
  RunEngineShutdown();
  EXPECT_FALSE(IsExcludedFormClass("TApplication"));
}

}  // namespace
}  // namespace skin

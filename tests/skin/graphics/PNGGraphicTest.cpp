#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gui/Graphics.h"
#include "rtl/Classes.h"
#include "skin/graphics/acPNG.h"

using namespace skin;
using Bytes = std::vector<uint8_t>;

namespace {

const std::string kCorpus = KORVAN_PNG_CORPUS;

struct Registered : ::testing::Test {
  void SetUp() override { RegisterPNGGraphic(); }
  void TearDown() override { UnregisterPNGGraphic(); }
};

// Top-down B G R A of a 32-bit bitmap.
Bytes Pixels(gui::TBitmap& b) {
  Bytes out;
  for (int y = 0; y < b.Height(); ++y) {
    auto* row = static_cast<const uint8_t*>(b.ScanLine(y));
    out.insert(out.end(), row, row + 4 * b.Width());
  }
  return out;
}

// The corpus keeps R G B A; bitmaps hold B G R A.
Bytes ExpectedBGRA(const std::string& name) {
  Bytes rgba = rtl::ReadFileBytes(kCorpus + "/" + name + ".rgba");
  for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
  return rgba;
}

}  // namespace

TEST_F(Registered, PictureLoadsPngFilesByExtensionInAnyCase) {
  gui::TPicture picture;
  picture.LoadFromFile(kCorpus + "/c6_d8.png");
  auto* png = dynamic_cast<TPNGGraphic*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_STREQ(png->ClassName(), "TPNGGraphic");
  EXPECT_EQ(png->PixelFormat(), gui::pf32bit);
  EXPECT_TRUE(png->IgnorePalette);
  EXPECT_EQ(Pixels(*png), ExpectedBGRA("c6_d8"));

  // 2-bit indexed: a 4-bit bitmap whose palette shows the file's colours.
  picture.LoadFromFile(kCorpus + "/c3_d2.png");
  png = dynamic_cast<TPNGGraphic*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->PixelFormat(), gui::pf4bit);
  EXPECT_NE(png->Palette(), nullptr);
  gui::TBitmap copy;
  copy.Assign(png);
  copy.SetPixelFormat(gui::pf32bit);
  Bytes got = Pixels(copy), want = ExpectedBGRA("c3_d2");
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); i += 4) ASSERT_EQ(0, std::memcmp(&got[i], &want[i], 3)) << i / 4;

  // RGB with tRNS: a transparent bitmap keyed on that colour.
  picture.LoadFromFile(kCorpus + "/c2_d8_t.png");
  png = dynamic_cast<TPNGGraphic*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_TRUE(png->Transparent());
}

TEST_F(Registered, LayoutDataUnderTheClassNameIsABitmapNotPng) {
  gui::TBitmap source(5, 3, gui::pf24bit);
  static_cast<uint8_t*>(source.ScanLine(0))[2] = 200;
  rtl::TMemoryStream stored;
  source.WriteData(stored);  // 4-byte size + BMP file, as a layout keeps it
  stored.SetPosition(0);
  auto graphic = gui::TPicture::CreateGraphicByClassName("TPNGGraphic");
  ASSERT_NE(graphic, nullptr);
  graphic->ReadData(stored);
  auto* png = dynamic_cast<TPNGGraphic*>(graphic.get());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->Width(), 5);
  EXPECT_EQ(png->Height(), 3);
  EXPECT_EQ(png->PixelFormat(), gui::pf24bit);
  EXPECT_EQ(static_cast<uint8_t*>(png->ScanLine(0))[2], 200);

  rtl::TMemoryStream saved;
  png->SaveToStream(saved);
  ASSERT_GE(saved.Size(), 2);
  EXPECT_EQ(saved.Memory()[0], 'B');
  EXPECT_EQ(saved.Memory()[1], 'M');
}

TEST_F(Registered, UnregisteringForgetsTheFormat) {
  UnregisterPNGGraphic();
  gui::TPicture picture;
  EXPECT_THROW(picture.LoadFromFile(kCorpus + "/c6_d8.png"), gui::EInvalidGraphic);
  EXPECT_EQ(gui::TPicture::CreateGraphicByClassName("TPNGGraphic"), nullptr);
  RegisterPNGGraphic();
}

TEST(PNGGraphic, Draws32BitPicturesBlendedByAlphaAtAnySize) {
  TPNGGraphic png;
  rtl::TMemoryStream file(rtl::ReadFileBytes(kCorpus + "/c6_d8.png"));
  png.LoadFromStream(file);
  const int w = png.Width(), h = png.Height();
  const Bytes want = ExpectedBGRA("c6_d8");

  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    gui::TBitmap canvas(w * scale + 4, h * scale + 4, gui::pf32bit);
    canvas.Canvas().Brush().SetColor(gui::clWhite);
    canvas.Canvas().FillRect(gui::Rect(0, 0, canvas.Width(), canvas.Height()));
    png.Draw(canvas.Canvas(), gui::Bounds(2, 2, w * scale, h * scale));
    for (int y = 0; y < h * scale; ++y)
      for (int x = 0; x < w * scale; ++x) {
        const uint8_t* p = &want[(static_cast<size_t>(y / scale) * w + x / scale) * 4];
        const uint8_t* got = static_cast<uint8_t*>(canvas.ScanLine(y + 2)) + 4 * (x + 2);
        for (int c = 0; c < 3; ++c)
          ASSERT_EQ(got[c], (p[c] * p[3] + 255 * (255 - p[3])) / 255) << x << "," << y << " channel " << c;
      }
    EXPECT_EQ(static_cast<uint8_t*>(canvas.ScanLine(0))[0], 255) << "outside the rectangle stays";
  }
}

TEST(PNGGraphic, AlphaBitmapFromTheAlphaTableAndFromATransparentKey) {
  TPNGGraphic png;
  rtl::TMemoryStream file(rtl::ReadFileBytes(kCorpus + "/c3_d8_t.png"));
  png.LoadFromStream(file);
  gui::TBitmap alpha;
  PngToAlphaBitmap(alpha, png);
  EXPECT_EQ(alpha.PixelFormat(), gui::pf32bit);
  EXPECT_EQ(Pixels(alpha), ExpectedBGRA("c3_d8_t"));

  TPNGGraphic rgb;
  rtl::TMemoryStream rgbFile(rtl::ReadFileBytes(kCorpus + "/c2_d8.png"));
  rgb.LoadFromStream(rgbFile);
  gui::TBitmap keyed;
  keyed.SetTransparent(true);
  PngToAlphaBitmap(keyed, rgb);
  const Bytes px = Pixels(keyed);
  const size_t bottomLeft = static_cast<size_t>(rgb.Height() - 1) * rgb.Width() * 4;
  for (size_t i = 0; i < px.size(); i += 4) {
    const bool key = std::memcmp(&px[i], &px[bottomLeft], 3) == 0;
    ASSERT_EQ(px[i + 3], key ? 0 : 255) << i / 4;
  }
}

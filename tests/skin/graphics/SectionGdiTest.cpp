// Skin sections painted onto device contexts under Wine, on the project's test skin: the
// same pixels as painted into an engine bitmap, placed at the rectangle and nowhere else;
// and a section over a bitmap whose background comes from a device context.
#include <gtest/gtest.h>

#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinSectionGdi.h"
#include "skin/graphics/acSkinMask.h"
#include "tests/skin/TestSkin.h"
#include "tests/skin/graphics/GdiTestSupport.h"
#include "tests/skin/graphics/PixelTestSupport.h"

namespace skin {
namespace {

TEST(SectionOnDC, PaintsThroughATemporaryBitmap) {
  auto s = test::Load("Korvan Test", 96);
  const TacSectionSource src{s->data.get(), s->master.get(), nullptr};
  const int button = GetSkinIndex(*s->data, "BUTTON");
  TBitmap32 expect(20, 20);
  PaintSkinSection(src, button, EmptyBackgroundCache(), 1, expect.Bounds(), {0, 0}, expect);
  auto target = test::FilledBitmap(30, 30, 0x01020304u);
  PaintSkinSectionToDC(src, button, EmptyBackgroundCache(), 1, {3, 4, 23, 24}, {0, 0}, target->Canvas().Handle());
  GdiFlush();
  TBitmap32 px = Pixels32(*target);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = x >= 3 && x < 23 && y >= 4 && y < 24;
      ASSERT_EQ(px.At(x, y), inside ? expect.At(x - 3, y - 4) : 0x01020304u) << x << "," << y;
    }
  PaintSkinSectionToDC(src, button, EmptyBackgroundCache(), 1, {-1, 4, 23, 24}, {0, 0}, target->Canvas().Handle());
  GdiFlush();
  EXPECT_EQ(px.At(0, 10), 0x01020304u);
}

TEST(SectionOnDC, BackgroundFromADeviceContext) {
  auto s = test::Load("Korvan Test", 96);
  const TacSectionSource src{s->data.get(), s->master.get(), nullptr};
  auto source = test::FilledBitmap(30, 30, 0xFF0A0B0Cu);
  auto bmp = test::FilledBitmap(10, 10, 0);
  // CHECKBOX is fully transparent: the bitmap shows the device context's pixels.
  EXPECT_EQ(PaintSkinSectionFromDC(*bmp, -1, GetSkinIndex(*s->data, "CHECKBOX"), 0, src, {5, 5, 15, 15}, clFuchsia,
                                   source->Canvas().Handle()),
            GetSkinIndex(*s->data, "CHECKBOX"));
  EXPECT_EQ(test::CountNot(Pixels32(*bmp), 0xFF0A0B0Cu), 0);
  EXPECT_EQ(PaintSkinSectionFromDC(*bmp, -1, -1, 0, src, {0, 0, 10, 10}, clFuchsia, nullptr), -1);
}

}  // namespace
}  // namespace skin

// Every pixel operation with rectangles and positions anywhere around small bitmaps: only
// the pixels of the destination's own rows may change.
#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGradient.h"
#include "skin/graphics/acNineParts.h"

using namespace skin;
using skin::test::Filled;

namespace {
const TPixel kF = 0x00FF00FF;
constexpr int kOperations = 24;

TsGradStop Stop(uint32_t color, int percent, int mode = 0) {
  TsGradStop s;
  s.Color = color;
  s.Percent = static_cast<uint8_t>(percent);
  s.Mode = static_cast<uint32_t>(mode);
  return s;
}
}  // namespace

TEST(Clipping, EveryOperationStaysInsideItsBitmaps) {
  // Rectangles and positions anywhere around small bitmaps of both row orders: the
  // sanitizer build reports any access outside the rows; the guard pixels around the
  // destination's rows must survive.
  uint32_t seed = 7;
  auto next = [&seed](int lo, int hi) {
    seed = seed * 1103515245u + 12345u;
    return lo + static_cast<int>((seed >> 16) % static_cast<uint32_t>(hi - lo + 1));
  };
  auto rect = [&] { return TRect{next(-6, 8), next(-6, 8), next(-6, 12), next(-6, 12)}; };
  for (int round = 0; round < 24000; ++round) {
    // Destination rows inside a larger buffer whose outer ring is a guard.
    const int w = next(1, 5), h = next(1, 5);
    std::vector<TPixel> store(static_cast<size_t>((w + 2) * (h + 2)), 0xDEADBEEF);
    const bool up = next(0, 1) == 1;
    TPixel* first = store.data() + (up ? (h * (w + 2)) : (w + 2)) + 1;
    TBitmap32 d = TBitmap32::View(first, (up ? -1 : 1) * (w + 2) * 4, w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) d.At(x, y) = 0x00FF00FF;
    TBitmap32 s = Filled(next(1, 6), next(1, 6), next(0, 1) ? 0x80FFFFFF : 0x00FF00FF, next(0, 1) == 1);
    TBitmap32 bg = Filled(3, 3, 0xFF123456);
    TacBackgroundCache cache = next(0, 1) ? MakeBackgroundCache(&bg, next(-3, 3), next(-3, 3)) : TacBackgroundCache();
    const TRect r = rect(), q = rect();
    const int x = next(-6, 8), y = next(-6, 8);
    switch (round % kOperations) {
      case 0: BlendBitmapRect(d, s, 100, r, {x, y}); break;
      case 1: BlendCopyBitmap(d, x, y, s, r, 100, kF); break;
      case 2: AlphaBlendRect(d, s, r, {x, y}, 128); break;
      case 3: AlphaBlendWithBackground(r, q, d, s, cache, true); break;
      case 4: DrawAlphaImage(r, q, d, s, cache, true, next(0, 1) ? clNone : 0x0000FF, next(0, 1) * 50, true); break;
      case 5: DrawMaskedImage(r, q, d, s, cache, true, next(-2, 4)); break;
      case 6: CopyBitmapKeyed(d, s, x, y, r, kF, cache, true); break;
      case 7: BlendBitmapKeyed(d, s, x, y, r, clFuchsia, 50); break;
      case 8: DrawReflection(d, s, {x, y}, r, clFuchsia, 20); break;
      case 9: StretchAlphaBlend(d, x, y, next(-2, 9), next(-2, 9), s, next(-2, 6), next(-2, 6), next(-2, 9), next(-2, 9), 200); break;
      case 10: CopyBitmapOpaque(d, s, x, y, clFuchsia); break;
      case 11: DrawGlyphFrame(s, d, r, next(0, 4), next(0, 1), next(0, 4), 100, next(-1, 3), next(0, 1), next(0, 1)); break;
      case 12: StretchCopy(d, r, s, q); break;
      case 13: ApplyGlyphEffects(d, gfBlendBackground | gfDisabled, 0, cache, {x, y}); break;
      case 14: FillBitmapRect(d, r, 0x123456, 7); break;
      case 15: FadeRectToColor(d, r, 100, 0xFFFFFF); break;
      case 16: BlendRectToColor(d, r, 0xFFFFFF, 50, 9); break;
      case 17: FillBitmapAlpha(d, r, 3, next(0, 1) ? clNone : kF); break;
      case 18: PremultiplyBitmapRect(d, r, false); break;
      case 19: FillTransparentFromBitmap(d, s, r, {x, y}); break;
      case 20: DrawBitmapNineParts(d, s, r, q, rect(), rect(), {next(0, 1), next(0, 1), next(0, 1), next(0, 1)},
                                   next(0, 1), true); break;
      case 21: PaintGradient(d, r, {Stop(0, next(0, 100), next(0, 1)), Stop(0xFF, next(0, 100)), Stop(0xFF00, 100)}); break;
      case 22: PaintTexturedGradient(d, r, {Stop(0, 0, next(0, 1)), Stop(0xFF, 100)}, s, q, 100, 255); break;
      case 23: MixBitmaps(d, s, s, nullptr, 100); break;
    }
    for (int yy = 0; yy < h + 2; ++yy)
      for (int xx = 0; xx < w + 2; ++xx)
        if (yy == 0 || xx == 0 || yy == h + 1 || xx == w + 1)
          ASSERT_EQ(store[static_cast<size_t>(yy * (w + 2) + xx)], 0xDEADBEEFu) << "operation " << round % kOperations;
  }
}

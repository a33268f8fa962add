// Throughput of the skin engine's pixel core on a screen-sized picture: the operations a
// repaint of skinned controls runs most (alpha blends, keyed copies, premultiplying,
// gradients, resampling), in megapixels per second.
//
//   pixels_bench [width height [rounds]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGradient.h"
#include "skin/graphics/acResample.h"

using namespace skin;

namespace {

TBitmap32 Noise(int w, int h) {
  TBitmap32 b(w, h, true);
  uint32_t seed = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245 + 12345;
      b.At(x, y) = seed ^ (static_cast<uint32_t>(x) << 8);
    }
  return b;
}

void Measure(const char* name, double pixels, int rounds, const std::function<void()>& work) {
  work();  // warm the caches
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) work();
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-34s %9.1f Mpixel/s\n", name, pixels * rounds / s / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  const int w = argc > 2 ? std::atoi(argv[1]) : 1920, h = argc > 2 ? std::atoi(argv[2]) : 1080;
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 20;
  const double n = static_cast<double>(w) * h;
  std::printf("%d x %d, %d rounds\n", w, h, rounds);
  TBitmap32 src = Noise(w, h), dst = Noise(w, h);
  const TRect all{0, 0, w - 1, h - 1};
  TacBackgroundCache none;
  Measure("AlphaBlendRect (opacity 255)", n, rounds, [&] { AlphaBlendRect(dst, src, all, {0, 0}, 255); });
  Measure("AlphaBlendRect (opacity 128)", n, rounds, [&] { AlphaBlendRect(dst, src, all, {0, 0}, 128); });
  Measure("BlendCopyBitmap", n, rounds, [&] { BlendCopyBitmap(dst, 0, 0, src, all, 100, clFuchsia); });
  Measure("CopyBitmapKeyed", n, rounds, [&] { CopyBitmapKeyed(dst, src, 0, 0, all, 0x00FF00FF, none, false); });
  Measure("DrawAlphaImage", n, rounds, [&] {
    DrawAlphaImage(src.Bounds(), src.Bounds(), dst, src, none, false, clNone, 0, false);
  });
  Measure("PremultiplyBitmap", n, rounds, [&] { PremultiplyBitmap(dst, true); });
  Measure("FadeRectToColor", n, rounds, [&] { FadeRectToColor(dst, dst.Bounds(), 128, 0x808080); });
  TsGradArray vertical, horizontal;
  ParseGradientString("16777215;0;0;255;40;0;65280;100;0;C", vertical);
  ParseGradientString("16777215;0;0;255;40;1;65280;100;0;C", horizontal);
  horizontal[0].Mode = gdHorizontal;
  Measure("PaintGradient (vertical)", n, rounds, [&] { PaintGradient(dst, dst.Bounds(), vertical); });
  Measure("PaintGradient (horizontal)", n, rounds, [&] { PaintGradient(dst, dst.Bounds(), horizontal); });
  Measure("PaintTexturedGradient", n, rounds, [&] {
    PaintTexturedGradient(dst, dst.Bounds(), vertical, src, {0, 0, 64, 64}, 128, 255);
  });
  TBitmap32 half;
  Measure("ResampleBitmap to half (triangle)", n, rounds, [&] { ResampleBitmap(src, half, w / 2, h / 2, 1); });
  Measure("ResampleBitmap to half (Mitchell)", n, rounds, [&] { ResampleBitmap(src, half, w / 2, h / 2, 6); });
  return 0;
}

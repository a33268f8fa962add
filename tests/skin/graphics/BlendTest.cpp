// Copies and blends between engine bitmaps: the integer results of each formula, the key
// and cache rules of the keyed copies, and clipping against both bitmaps.
#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "skin/graphics/acBlend.h"

using namespace skin;
using skin::test::CountNot;
using skin::test::Filled;
using skin::test::Pixels;
using skin::test::Rows;

namespace {
const TPixel kF = 0x00FF00FF;  // the transparent key as a pixel
using Grid = std::vector<std::vector<TPixel>>;
}  // namespace

TEST(Blend, TransparencyAndOpacityFormulas) {
  // BlendBitmapRect, T = 0: an exact copy, alpha included; T = 255 keeps 255/256 of d.
  TBitmap32 d = Filled(2, 1, 0x80402010);
  TBitmap32 s = Pixels({{0x11223344, 0xFFFFFFFF}});
  BlendBitmapRect(d, s, 0, {0, 0, 0, 0}, {0, 0});
  BlendBitmapRect(d, s, 255, {1, 0, 1, 0}, {1, 0});
  // (-127 * 255 + 255 * 256) >> 8 = 128 for 0x80; 64, 32 and 16 likewise.
  EXPECT_EQ(Rows(d)[0], (std::vector<TPixel>{0x11223344, 0x80402010}));

  // BlendCopyBitmap, T = 255: the destination changes only by rounding, d * 255 >> 8.
  TBitmap32 c = Filled(1, 1, 0xFF808080);
  BlendCopyBitmap(c, 0, 0, Pixels({{0x00000000}}), {0, 0, 0, 0}, 255, kF);
  EXPECT_EQ(c.At(0, 0), 0xFE7F7F7Fu);
  // ... and skips its key; T = 100 with white over black: (255 * 155) >> 8 = 154, alpha
  // (255 * 155 + 255 * 100) >> 8 = 254.
  TBitmap32 k = Filled(2, 1, 0xFF000000);
  BlendCopyBitmap(k, 0, 0, Pixels({{kF, 0xFFFFFFFF}}), {0, 0, 1, 0}, 100, kF);
  EXPECT_EQ(Rows(k)[0], (std::vector<TPixel>{0xFF000000, 0xFE9A9A9A}));
}

TEST(Blend, AlphaBlendRect) {
  struct {
    TPixel d, s;
    uint8_t opacity;
    TPixel out;
  } cases[] = {
      {0x80123456, 0x00FFFFFF, 255, 0x80123456},  // source alpha 0: unchanged
      {0x00000000, 0xFFFFFFFF, 255, 0xFEFEFEFE},  // 255 over 0 gives 254; alpha (255*255) >> 8
      {0xFF000000, 0x80FFFFFF, 255, 0xFF7F7F7F},  // w 128: (255 * 128) >> 8; alpha stays the larger
      {0x00000000, 0xFF0000FF, 128, 0x3F00007E},  // w = 255*128 >> 8 = 127; alpha (127*127) >> 8 = 63
  };
  for (const auto& c : cases) {
    TBitmap32 d = Filled(1, 1, c.d);
    AlphaBlendRect(d, Filled(1, 1, c.s), {0, 0, 1, 1}, {0, 0}, c.opacity);
    EXPECT_EQ(d.At(0, 0), c.out) << std::hex << c.d << " " << c.s;
  }
}

TEST(Blend, AlphaBlendBitmapKeepsTheDestinationAlpha) {
  TBitmap32 d = Filled(1, 1, 0x20000000);
  AlphaBlendBitmap(d, Filled(1, 1, 0x80FFFFFF));
  EXPECT_EQ(d.At(0, 0), 0x207F7F7Fu);
  AlphaBlendBitmap(d, Filled(2, 1, 0xFFFFFFFF));  // sizes differ: nothing
  EXPECT_EQ(d.At(0, 0), 0x207F7F7Fu);
}

TEST(Blend, ColourFamilies) {
  // TintBitmap keeps Amount/256 of the pixel, fuchsia untouched: (0x80*64 + 0xFF*191) >> 8.
  TBitmap32 t = Pixels({{0x7F808080, kF}});
  TintBitmap(t, 64, 0xFFFFFF);
  EXPECT_EQ(Rows(t)[0], (std::vector<TPixel>{0x7FDEDEDE, kF}));
  // MaskBlendColor: mask 0 gives the colour, 255 keeps 255/256 of the pixel.
  TBitmap32 m = Pixels({{0x11808080, 0x11808080}});
  MaskBlendColor(m, Pixels({{0x00000000, 0x00FFFFFF}}), 0x0000FF);
  EXPECT_EQ(Rows(m)[0], (std::vector<TPixel>{0x11FF0000, 0x11800000 | 0x7F7F}));
  // MixBitmaps: ((s1 - s2) * W + s2 * 256) >> 8, destination alpha kept.
  TBitmap32 x = Filled(1, 1, 0xAA000000);
  MixBitmaps(x, Filled(1, 1, 0x00FF0000), Filled(1, 1, 0x000000FF), nullptr, 128);
  EXPECT_EQ(x.At(0, 0), 0xAA7F007Fu);
  TBitmap32 mask = Filled(1, 1, 0x00FF0000);
  MixBitmaps(x, Filled(1, 1, 0x00FF00FF), Filled(1, 1, 0x000000FF), &mask, 0);
  EXPECT_EQ(x.At(0, 0), 0xAAFE00FFu);
}

TEST(Blend, KeyedCopies) {
  TBitmap32 src = Pixels({{kF, 0x80112233}});
  TBitmap32 bg = Pixels({{0x00AAAAAA, 0x00BBBBBB}});
  TacBackgroundCache ready = MakeBackgroundCache(&bg, 0, 0);
  TacBackgroundCache fill;
  fill.FillColor = 0x0000FF;

  struct {
    const char* name;
    const TacBackgroundCache* cache;
    bool useCache;
    Grid out;
  } cases[] = {
      {"opaque background under the key", &ready, true, {{0xFFAAAAAA, 0x80112233}}},
      {"key skipped", &ready, false, {{0x55555555, 0x80112233}}},
      {"fill colour with the top-left alpha", &fill, false, {{0x55FF0000, 0x80112233}}},
  };
  for (const auto& c : cases) {
    TBitmap32 d = Filled(2, 1, 0x55555555);
    CopyBitmapKeyed(d, src, 0, 0, {0, 0, 1, 0}, kF, *c.cache, c.useCache);
    EXPECT_EQ(Rows(d), c.out) << c.name;
  }
  // Into the cache's own picture: key skipped, the rest made opaque.
  CopyBitmapKeyed(bg, src, 0, 0, {0, 0, 1, 0}, kF, ready, true);
  EXPECT_EQ(Rows(bg), (Grid{{0x00AAAAAA, 0xFF112233}}));

  // BlendBitmapKeyed skips only the key with alpha 0; opacity 0 copies all four bytes.
  TBitmap32 b = Filled(3, 1, 0x10000000);
  BlendBitmapKeyed(b, Pixels({{kF, 0xFFFF00FF, 0x80204060}}), 0, 0, {0, 0, 2, 0}, clFuchsia, 0);
  EXPECT_EQ(Rows(b)[0], (std::vector<TPixel>{0x10000000, 0xFFFF00FF, 0x80204060}));
  TBitmap32 o = Filled(1, 1, 0x10000000);
  BlendBitmapKeyed(o, Pixels({{0x00FFFFFF}}), 0, 0, {0, 0, 0, 0}, clFuchsia, 128);
  EXPECT_EQ(o.At(0, 0), 0x807F7F7Fu);  // alpha max(0x10, 128)

  // CopyBitmapOpaque: key (as a colour) skipped, copied pixels opaque; a negative position
  // puts the source's corner at 0.
  TBitmap32 q = Filled(2, 2, 0);
  CopyBitmapOpaque(q, Pixels({{0x00112233, 0x00445566}}), -1, 1, 0x665544);
  EXPECT_EQ(Rows(q), (Grid{{0, 0}, {0xFF112233, 0}}));
}

TEST(Blend, CopiesClipToBothBitmaps) {
  // Source rectangles reaching beyond the source and destinations beyond the destination:
  // only the overlap is written (the sanitizer build catches any stray access).
  TBitmap32 src = Filled(3, 3, 0xFFFFFFFF, true);
  TBitmap32 dst = Filled(2, 2, 0);
  TacBackgroundCache none;
  BlendBitmapRect(dst, src, 0, {-1, -1, 10, 10}, {0, 0});  // source pixel 0 lands on 1
  EXPECT_EQ(CountNot(dst, 0), 1);
  EXPECT_EQ(dst.At(1, 1), 0xFFFFFFFFu);
  dst = Filled(2, 2, 0);
  CopyBitmapKeyed(dst, src, -1, -1, {0, 0, 100, 100}, kF, none, false);
  EXPECT_EQ(CountNot(dst, 0xFFFFFFFF), 0);
  dst = Filled(2, 2, 0);
  AlphaBlendRect(dst, src, {1, 1, 5, 5}, {-1, 0}, 255);
  EXPECT_EQ(Rows(dst), (Grid{{0xFEFEFEFE, 0}, {0xFEFEFEFE, 0}}));
  dst = Filled(2, 2, 0);
  DrawAlphaImage({1, 1, 9, 9}, {0, 0, 9, 9}, dst, src, none, false, clNone, 0, true);
  EXPECT_EQ(CountNot(dst, 0), 1);
  StretchAlphaBlend(dst, 1, 1, 8, 8, src, 0, 0, 3, 3, 255);
  DrawReflection(dst, src, {0, 0}, {0, 0, 50, 50}, clFuchsia, 0);
  TBitmap32 empty;
  BlendCopyBitmap(empty, 0, 0, src, src.Bounds(), 0, kF);
  BlendCopyBitmap(dst, 0, 0, empty, {0, 0, 3, 3}, 0, kF);
}

TEST(Blend, StretchAlphaBlend) {
  // Origin (0, 0): the whole source resampled (equal sizes copy), then blended by its alpha.
  TBitmap32 d = Filled(3, 3, 0xFF000000);
  StretchAlphaBlend(d, 1, 1, 2, 2, Filled(2, 2, 0xFFFFFFFF), 0, 0, 2, 2, 255);
  EXPECT_EQ(Rows(d), (Grid{{0xFF000000, 0xFF000000, 0xFF000000},
                           {0xFF000000, 0xFFFEFEFE, 0xFFFEFEFE},
                           {0xFF000000, 0xFFFEFEFE, 0xFFFEFEFE}}));
  // Another origin: that part stretched pixel for pixel; opacity 128 takes half.
  TBitmap32 src = Pixels({{0xFF000000, 0xFFFFFFFF}});
  TBitmap32 e = Filled(2, 2, 0xFF000000);
  StretchAlphaBlend(e, 0, 0, 2, 2, src, 1, 0, 1, 1, 128);
  EXPECT_EQ(test::CountNot(e, 0xFF7E7E7E), 0);  // w = 255 * 128 >> 8 = 127; 255 * 127 >> 8
  // An origin outside either bitmap or an empty size: nothing.
  StretchAlphaBlend(e, 5, 0, 2, 2, src, 0, 0, 1, 1, 255);
  StretchAlphaBlend(e, 0, 0, 2, 2, src, 2, 0, 1, 1, 255);
  StretchAlphaBlend(e, 0, 0, 0, 2, src, 0, 0, 1, 1, 255);
  EXPECT_EQ(test::CountNot(e, 0xFF7E7E7E), 0);
}

TEST(Blend, AlphaImageWithAReadyCache) {
  TBitmap32 bg = Filled(4, 4, 0x00345678);
  const TacBackgroundCache cache = MakeBackgroundCache(&bg, 1, 1);
  TBitmap32 src = Pixels({{0x0AFFFFFF, 0xFFFFFFFF}});
  TBitmap32 d = Filled(2, 1, 0x11111111);
  DrawAlphaImage({0, 0, 2, 1}, {0, 0, 2, 1}, d, src, cache, true, clNone, 0, false);
  // Alpha 10 is transparent: the background pixel, opaque; the other pixel blends
  // (255 * 255 + 0x11 * 256 - 0x11 * 255 ... = 0xFE) with alpha max(0x11, 255).
  EXPECT_EQ(Rows(d)[0], (std::vector<TPixel>{0xFF345678, 0xFFFEFEFE}));
  TBitmap32 e = Filled(2, 1, 0x11111111);
  DrawAlphaImage({0, 0, 2, 1}, {0, 0, 2, 1}, e, src, cache, false, clNone, 0, false);
  EXPECT_EQ(e.At(0, 0), 0x11111111u);
  // Transparency 50: w = (128 * 255) >> 8 = 127, alpha unchanged.
  TBitmap32 h = Filled(1, 1, 0x11000000);
  DrawAlphaImage({0, 0, 1, 1}, {1, 0, 2, 1}, h, src, TacBackgroundCache(), false, clNone, 50, false);
  EXPECT_EQ(h.At(0, 0), 0x117E7E7Eu);
}

TEST(Blend, AlphaImageWithItsReflection) {
  // An 1 x 8 opaque white picture over black, 12 rows: n = min(8 / 2 - 1, 12 - 8 - 1) = 3
  // rows mirrored below the picture, the row right below it left out; fade 255, then
  // 255 - 255 / 8 = 224. Row 9: 255 * 2 / 3 = 170, 170 * 255 >> 9 = 84 -> 255 * 84 >> 8 = 83;
  // row 10: 85 * 224 >> 9 = 37 -> 36; row 11: weight 0.
  TBitmap32 d = Filled(1, 12, 0xFF000000);
  DrawAlphaImage({0, 0, 1, 8}, {0, 0, 1, 8}, d, Filled(1, 8, 0xFFFFFFFF), TacBackgroundCache(), false, clNone, 0, true);
  EXPECT_EQ(d.At(0, 7), 0xFFFEFEFEu);
  EXPECT_EQ(d.At(0, 8), 0xFF000000u);
  EXPECT_EQ(d.At(0, 9), 0xFF535353u);
  EXPECT_EQ(d.At(0, 10), 0xFF242424u);
  EXPECT_EQ(d.At(0, 11), 0xFF000000u);
}

TEST(Blend, AlphaImageInOneColour) {
  // Mono colour 0x000080 (red 128) is brightened to red 255, green and blue 127; the pixel
  // (R 0x40, G 0x80, B 0xC0) gives Z = 16 + 64 + 48 = 128.
  TBitmap32 d = Filled(1, 1, 0x00000000);
  DrawAlphaImage({0, 0, 1, 1}, {0, 0, 1, 1}, d, Filled(1, 1, 0xFF4080C0), TacBackgroundCache(), false, 0x000080, 0,
                 false);
  // Colour (255*128 >> 8, 127*128 >> 8, ...) = (127, 63, 63) blended by 255: 126, 62, 62;
  // alpha ((255 - 0) * 255 + 0) >> 8 = 254.
  EXPECT_EQ(d.At(0, 0), 0xFE7E3E3Eu);
}

TEST(Blend, ReflectionFadesDownwards) {
  // A 1 x 6 source; reflected rows n = min(6 / 3 * 2 - 1, 10 - 1 - 0) = 3, step 255 / 4 = 63.
  TBitmap32 src = Filled(1, 6, 0xFFFFFFFF);
  TBitmap32 dst = Filled(1, 10, 0xFF000000);
  DrawReflection(dst, src, {0, 0}, {0, 0, 0, 5}, clFuchsia, 0);
  // Row 0: w = 100 * (3 * 255 / 3 * 255 / 512) / 100 = 127 -> 255 * 127 >> 8 = 126;
  // row 1: f 192: 2*255/3 = 170, 170*192/512 = 63 -> 62; row 2: f 129: 85*129/512 = 21 -> 20;
  // row 3: weight 0.
  EXPECT_EQ(dst.At(0, 0), 0xFF7E7E7Eu);
  EXPECT_EQ(dst.At(0, 1), 0xFF3E3E3Eu);
  EXPECT_EQ(dst.At(0, 2), 0xFF141414u);
  EXPECT_EQ(dst.At(0, 3), 0xFF000000u);
}

TEST(Blend, GlyphFrames) {
  // A strip of three 2 x 1 frames; the bottom-left pixel of each frame is its key.
  TBitmap32 strip = Pixels({{0x00000001, 0xFF0000A1, 0x00000002, 0xFF0000A2, 0x00000003, 0xFF0000A3}});
  struct {
    int frameCount, mode, state;
    bool enabled, plainOrder;
    TPixel drawn;
  } cases[] = {
      {1, 2, 0, true, false, 0xFF0000A1},  // one frame: always frame 0
      {3, 1, 0, true, false, 0xFF0000A2},  // hot frame
      {3, 1, 0, true, true, 0xFF0000A1},   // the standard order keeps frame 0
      {3, 2, 0, true, false, 0xFF0000A3},  // state 0 + 2
      {3, 2, 5, true, false, 0xFF0000A2},  // beyond the strip: frame 1
      {3, 3, 0, true, false, 0xFF0000A3},
      {3, 1, 0, false, false, 0xFF0000A1},  // disabled: frame 0
  };
  for (const auto& c : cases) {
    TBitmap32 d = Filled(2, 1, 0x12345678);
    const int frameWidth = 6 / c.frameCount;
    TBitmap32 g = c.frameCount == 3 ? strip.Clone() : Pixels({{0x00000001, 0xFF0000A1}});
    DrawGlyphFrame(g, d, {0, 0, 2, 1}, c.frameCount, c.enabled, c.mode, 0, c.state, false, c.plainOrder);
    EXPECT_EQ(Rows(d)[0], (std::vector<TPixel>{0x12345678, c.drawn})) << c.frameCount << c.mode << frameWidth;
  }
  TBitmap32 d = Filled(2, 1, 0x12345678);
  DrawGlyphFrame(strip, d, {0, 0, 2, 1}, 0, true, 0, 0, 0, false, false);  // no frames: nothing
  EXPECT_EQ(CountNot(d, 0x12345678), 0);
}

TEST(Blend, DiscolouredStripKeepsEachFramesKey) {
  // Two 2 x 2 frames, keys fuchsia and 0x000001 (the bottom-left pixel of each); fuchsia in
  // frame 1 is a colour there. Mono 0x000080 brightens to red 255, green and blue 127: a
  // pixel of brightness Z becomes (255 Z >> 8, 127 Z >> 8, 127 Z >> 8) with its alpha kept.
  TBitmap32 strip = Pixels({{0xFF4080C0, 0x00FF00FF, 0xFF4080C0, 0x80112233},  //
                            {0x00FF00FF, 0x00FF00FF, 0x00000001, 0x00FF00FF}});
  DiscolourGlyphStrip(strip, 2, 0x000080);
  EXPECT_EQ(Rows(strip)[0], (std::vector<TPixel>{0xFF7F3F3F, 0x00FF00FF, 0xFF7F3F3F, 0x80201010}));
  EXPECT_EQ(Rows(strip)[1], (std::vector<TPixel>{0x00FF00FF, 0x00FF00FF, 0x00000001, 0x007D3E3E}));
  TBitmap32 same = strip.Clone();
  DiscolourGlyphStrip(same, 2, clNone);    // no colour: nothing
  DiscolourGlyphStrip(same, 0, 0x000080);  // no frames: nothing
  EXPECT_EQ(Rows(same), Rows(strip));
}

TEST(Blend, MaskedImages) {
  TBitmap32 made = MakeMaskedImage(Filled(2, 2, 0x00123456));
  ASSERT_EQ(made.Height(), 4);
  EXPECT_EQ(Rows(made), (Grid{{0x00123456, 0x00123456}, {0x00123456, 0x00123456},
                              {0xFFFFFFFF, 0xFFFFFFFF}, {0xFFFFFFFF, 0xFFFFFFFF}}));
  EXPECT_FALSE(MakeMaskedImage(TBitmap32()).HasRows());

  // The image above a mask whose red is 0x40: alpha 255 - 0x40.
  TBitmap32 master = Pixels({{0x00112233, 0x00445566}, {0x00400000, 0x00FFFFFF}});
  TBitmap32 x = ExtractMaskedImage(master, {0, 0, 2, 2});
  EXPECT_EQ(Rows(x), (Grid{{0xBF112233, 0x00445566}}));
  EXPECT_FALSE(ExtractMaskedImage(master, {0, 0, 2, 1}).HasRows());

  // DrawMaskedImage: mask 0 shows the image, 255 keeps 255/256 of the destination;
  // fuchsia with FillKey and no ready cache takes the fill colour.
  TBitmap32 src = Pixels({{0x00FFFFFF, 0x00FFFFFF, kF}, {0x00000000, 0x00FFFFFF, 0}});
  TBitmap32 d = Filled(3, 1, 0x44000000);
  TacBackgroundCache fill;
  fill.FillColor = 0x000000FF;
  DrawMaskedImage({0, 0, 3, 1}, {0, 0, 3, 1}, d, src, fill, true, 1);
  EXPECT_EQ(Rows(d)[0], (std::vector<TPixel>{0x44FFFFFF, 0x44000000, 0x00FF0000}));
}

TEST(Blend, GlyphEffects) {
  // Disabled look: saturation -229 on everything but fuchsia with alpha 0.
  TBitmap32 g = Pixels({{0x7F4080C0, kF}});
  ApplyGlyphEffects(g, gfDisabled, 0, TacBackgroundCache(), {0, 0});
  EXPECT_EQ(Rows(g)[0], (std::vector<TPixel>{0x7F6E747B, kF}));
  // Blend without a ready cache: fade to the fill colour keeping 100/256.
  TBitmap32 f = Filled(1, 1, 0xFFFFFFFF);
  TacBackgroundCache fill;
  fill.FillColor = 0x000000;
  ApplyGlyphEffects(f, gfBlendBackground, 0xFFFFFF, fill, {0, 0});
  EXPECT_EQ(f.At(0, 0), 0xFF636363u);  // 255 * 100 >> 8 = 99
  // ... or the control's colour when the fill colour is unknown.
  TBitmap32 u = Filled(1, 1, 0xFF000000);
  ApplyGlyphEffects(u, gfBlendBackground, 0xFFFFFF, TacBackgroundCache(), {0, 0});
  EXPECT_EQ(u.At(0, 0), 0xFF9A9A9Au);  // 255 * 155 >> 8 = 154
  // With a ready cache, the background at the cache offset plus Offset blends in.
  TBitmap32 bg = Pixels({{0, 0}, {0, 0xFFFFFFFF}});
  TBitmap32 c = Filled(1, 1, 0xFF000000);
  ApplyGlyphEffects(c, gfBlendBackground, 0, MakeBackgroundCache(&bg, 1, 0), {0, 1});
  EXPECT_EQ(c.At(0, 0), 0xFE9A9A9Au);
}

TEST(Blend, AlphaBlendWithBackground) {
  TBitmap32 bg = Filled(3, 3, 0x00ABCDEF);
  TacBackgroundCache cache = MakeBackgroundCache(&bg, 1, 1);
  TBitmap32 src = Pixels({{kF, 0x80FFFFFF}});
  TBitmap32 d = Filled(2, 1, 0x40000000);
  AlphaBlendWithBackground({0, 0, 2, 1}, {0, 0, 2, 1}, d, src, cache, true);
  // Alpha grows by ((255 - 0x40) * 128) >> 8 = 95.
  EXPECT_EQ(Rows(d)[0], (std::vector<TPixel>{0xFFABCDEF, 0x9F7F7F7F}));
  cache.Ready = false;
  TBitmap32 e = Filled(1, 1, 0x40000000);
  AlphaBlendWithBackground({0, 0, 1, 1}, {0, 0, 1, 1}, e, src, cache, true);
  EXPECT_EQ(e.At(0, 0), 0x40000000u);  // fuchsia with alpha 0 blended by its alpha 0
}

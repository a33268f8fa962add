// libFuzzer over the painters of skin data: an options text is parsed (with a small master
// bitmap and one picture file), then every section is painted with and without alpha and
// every element drawn as a border, blended, and as a glyph at points around and across the
// target's edges. Element rectangles, borders and frame sizes come from the text unchecked,
// so every read must stay inside the pictures.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rtl/SysUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static skin::TBitmap32 master = [] {
    skin::TBitmap32 b(64, 48);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) b.At(x, y) = (x + y) % 7 == 0 ? 0x00FF00FFu : 0xFF000000u | uint32_t(x * 4 + y);
    return b;
  }();
  skin::TacSkinSource source;
  source.Options = skin::TacOptionsText(std::string_view(reinterpret_cast<const char*>(data), size));
  source.Master = &master;
  source.LoadPicture = [](const std::string& name) {
    return name.find("A.BMP") != std::string::npos ? std::make_unique<skin::TBitmap32>(12, 8) : nullptr;
  };
  skin::TacSkinData skinData(96);
  try {
    skin::LoadSkinData(skinData, source);
  } catch (const rtl::Exception&) {
    return 0;  // a text that does not convert loads nothing to paint
  }
  skin::TBitmap32 back(40, 30), bmp(40, 30);
  const skin::TacBackgroundCache cache = skin::MakeBackgroundCache(&back, 3, -2);
  const skin::TacSectionSource src{&skinData, &master, nullptr};
  const size_t sections = std::min<size_t>(skinData.Sections.size(), 64);
  for (size_t i = 0; i < sections; ++i)
    for (int state : {0, 1, 5}) {
      skin::PaintSkinSection(src, int(i), cache, state, {2, 3, 38, 27}, {4, 5}, bmp);
      skin::PaintSkinSectionBackground(src, int(i), skin::EmptyBackgroundCache(), state, {-5, -5, 45, 35}, {0, 0}, bmp);
      skin::PaintSkinSectionAlpha(src, int(i), state, bmp.Bounds(), bmp);
    }
  const size_t masks = std::min<size_t>(skinData.Masks.size(), 64);
  for (size_t i = 0; i < masks; ++i) {
    const skin::TsMaskData& m = skinData.Masks[i];
    for (int state : {0, 2}) {
      skin::DrawSkinMask(bmp, {-3, 2, 30, 40}, cache, m, &master, state, true);
      skin::DrawSkinMaskAlpha(bmp, {1, 1, 39, 29}, cache, m, &master, state);
      skin::DrawSkinMaskBlended(bmp, {1, -4, 44, 29}, cache, m, &master, state, {2, 9, 0, 1}, 200);
      for (skin::TPoint p : {skin::TPoint{-7, -5}, skin::TPoint{30, 25}, skin::TPoint{5, 5}})
        for (int blend : {0, 1}) skin::DrawMaskGlyph(bmp, p, state, blend, m, &master, cache);
    }
  }
  return 0;
}

// The project's test skin read the way a skin manager reads it: the options text, the
// 24-bit master bitmap with its fuchsia key pixels, and the loose pictures, parsed for a PPI.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "rtl/SysUtils.h"
#include "skin/core/acSkinData.h"

namespace skin::test {

inline std::string ReadText(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  EXPECT_TRUE(f.good()) << path;
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// The test skin's pictures are 24-bit bottom-up BMPs; the engine gives them alpha 255 but on
// the fuchsia key pixels, as the loader of the skin manager does.
inline std::unique_ptr<TBitmap32> ReadBmp24(const std::string& path) {
  std::string b = ReadText(path);
  if (b.size() < 54 || b.compare(0, 2, "BM") != 0) return nullptr;
  auto u32 = [&](size_t at) { uint32_t v; std::memcpy(&v, b.data() + at, 4); return v; };
  const int w = int(u32(18)), h = int(u32(22));
  const size_t offset = u32(10), stride = (size_t(w) * 3 + 3) & ~size_t(3);
  auto bmp = std::make_unique<TBitmap32>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const auto* p = reinterpret_cast<const uint8_t*>(b.data() + offset + size_t(h - 1 - y) * stride + size_t(x) * 3);
      skin::TPixel px = skin::MakePixel(p[0], p[1], p[2], 255);
      bmp->At(x, y) = (px & 0xFFFFFF) == 0xFF00FF ? 0x00FF00FF : px;
    }
  return bmp;
}

struct LoadedSkin {
  skin::TacSkinSource source;
  std::unique_ptr<TBitmap32> master;
  std::map<std::string, int> pictureLoads;
  std::unique_ptr<TacSkinData> data;
};

// Loads a skin folder of the test data at a PPI, in the order of a real load.
inline std::unique_ptr<LoadedSkin> Load(const std::string& folder, int ppi) {
  auto s = std::make_unique<LoadedSkin>();
  const std::string dir = std::string(KORVAN_TEST_SKIN) + "/" + folder + "/";
  s->source.Options = skin::TacOptionsText(ReadText(dir + "Options.dat"));
  s->master = ReadBmp24(dir + "Master.bmp");
  s->source.Master = s->master.get();
  s->source.MainColor = 0xDDDDDD;
  s->source.MainFontColor = 0x000080;
  LoadedSkin* raw = s.get();
  s->source.LoadPicture = [raw, dir](const std::string& name) {
    ++raw->pictureLoads[name];
    // Picture names come upper-cased from the element values; the files keep their case.
    static const char* const files[] = {"Glyph.bmp", "Pattern.bmp"};
    for (const char* f : files)
      if (rtl::UpperCase(f) == name) return ReadBmp24(dir + f);
    return std::unique_ptr<TBitmap32>();
  };
  s->data = std::make_unique<TacSkinData>(ppi);
  skin::LoadSkinData(*s->data, s->source);
  return s;
}

}  // namespace skin::test

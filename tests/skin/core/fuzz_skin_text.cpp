// libFuzzer over a whole parse of an options text: image elements (with a small master
// bitmap and one picture file), section records with inheritance, skin-wide metrics,
// standard sections, element indices and form shadows, the common information and the
// palette, at a PPI that makes elements rescale. Values that do not convert end the parse
// with the conversion error, as they end a load.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rtl/SysUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/core/acSkinLoad.h"

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
  source.ExtendedBorders = true;
  source.LoadPicture = [](const std::string& name) {
    return name.find("A.BMP") != std::string::npos ? std::make_unique<skin::TBitmap32>(12, 8) : nullptr;
  };
  for (int ppi : {96, 144}) {
    skin::TacSkinData skinData(ppi);
    try {
      skin::LoadSkinData(skinData, source);
      // What the manager reads next from the same text: the common information and the
      // palette from the parsed sections.
      skin::TacSkinCommonInfo info;
      skin::ReadCommonInfo(source.Options, info);
      skin::TacPalette palette;
      skin::ReadPalette(source.Options, &skinData, palette);
    } catch (const rtl::Exception&) {
      // the conversion and range errors of values that do not convert
    }
  }
  return 0;
}

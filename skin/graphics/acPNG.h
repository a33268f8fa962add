// The engine's picture class for PNG images: a bitmap that decodes PNG data into its own
// pixel format (1, 4, 8 bits with palette, 24 or 32 bits) and draws 32-bit images with
// their alpha. Everything else, the layout streaming (size + BMP file) included, is the
// bitmap's. Windows only; the decoding itself lives in acPNGReader.
#pragma once
#include <memory>
#include <vector>

#include "gui/Graphics.h"
#include "skin/graphics/acPNGReader.h"

namespace skin {

class TPNGGraphic : public gui::TBitmap {
  KORVAN_CLASS(TPNGGraphic)
 public:
  TPNGGraphic();
  ~TPNGGraphic() override;

  // From another TPNGGraphic the header record comes along; the alpha table, the colour
  // manager's settings and the background and transparent colours do not.
  void Assign(const rtl::TPersistent* source) override;
  void Draw(gui::TCanvas& canvas, const gui::TRect& r) override;
  // Reads a PNG image from the stream's position; the stream is left after its IEND.
  void LoadFromStream(rtl::TStream& s) override;
  // A 4-byte little-endian size and a BMP file, read by the bitmap's reader.
  void ReadData(rtl::TStream& s) override;
  std::unique_ptr<gui::TGraphic> NewInstance() const override { return std::make_unique<TPNGGraphic>(); }

  TColorManager& ColorManager() { return *colorManager_; }
  const TColorManager& ColorManager() const { return *colorManager_; }
  const TPNGImageProperties& ImageProperties() const { return image_.Properties; }
  const std::vector<uint8_t>& AlphaTable() const { return image_.AlphaTable; }
  TColor BackgroundColor() const { return image_.BackgroundColor; }
  // The decoded picture in the reader's own form.
  const TPNGImage& Image() const { return image_; }

 private:
  std::unique_ptr<TColorManager> colorManager_;
  TPNGImage image_;
};

// Makes bitmap a 32-bit copy of a loaded png with an alpha channel (see PngToAlphaBGRA32).
void PngToAlphaBitmap(gui::TBitmap& bitmap, const TPNGGraphic& png);

// The start-up and shutdown work of the unit: registers the picture format "PNG"
// ("Portable network graphics (skin engine)"), which also makes the class name
// "TPNGGraphic" known to layout reading. Counted, so several callers may pair them.
void RegisterPNGGraphic();
void UnregisterPNGGraphic();

}  // namespace skin

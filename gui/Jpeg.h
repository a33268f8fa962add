// JPEG photos. A photo keeps the exact bytes it was loaded with and is saved back as
// those bytes, never re-encoded; decoding (through WIC) only serves drawing and size.
#pragma once
#include <cstdint>
#include <vector>

#include "gui/Graphics.h"

namespace gui {

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };

class TJPEGImage : public TGraphic {
  KORVAN_CLASS(TJPEGImage)
 public:
  TJPEGImage() = default;
  ~TJPEGImage() override;

  int Width() const override { return Decoded().Width(); }
  int Height() const override { return Decoded().Height(); }
  // The size of a photo follows its data; raises EInvalidGraphicOperation.
  void SetWidth(int w) override;
  void SetHeight(int h) override;
  bool Empty() const override { return data_.empty(); }

  // Raises EInvalidGraphic ("JPEG error: ...") for data that is not a readable JPEG;
  // the picture is then left as it was.
  void LoadFromStream(rtl::TStream& s) override;
  // Bytes known to be a readable JPEG (built into the program): kept, and decoded only
  // when the picture is first measured or drawn, so no decoder starts before then.
  void LoadBuiltIn(std::vector<uint8_t> bytes);
  void SaveToStream(rtl::TStream& s) const override;
  // 4-byte little-endian size followed by the JPEG data.
  void ReadData(rtl::TStream& s) override;
  void WriteData(rtl::TStream& s) const override;
  void Draw(TCanvas& canvas, const TRect& r) override;
  // From a TJPEGImage: the same bytes. From a bitmap (or any picture): encoded anew
  // with CompressionQuality. nullptr empties it.
  void Assign(const rtl::TPersistent* source) override;
  std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TJPEGImage>(); }

  const std::vector<uint8_t>& Data() const { return data_; }
  // The decoded picture (32 bits per pixel).
  const TBitmap& Bitmap() const { return Decoded(); }
  int CompressionQuality = 90;
  TJPEGPerformance Performance = jpBestQuality;  // decoding always gives full quality

 protected:
  // Into a TBitmap: the decoded pixels.
  void AssignTo(rtl::TPersistent* dest) const override;

 private:
  void SetData(std::vector<uint8_t> bytes);
  const TBitmap& Decoded() const;
  std::vector<uint8_t> data_;
  mutable TBitmap bitmap_;
  mutable bool pending_ = false;  // bitmap_ not decoded from data_ yet
};

}  // namespace gui

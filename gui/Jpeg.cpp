#include "gui/Jpeg.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>

#include "gui/Com.h"

namespace gui {

namespace {

// Owns one COM interface pointer.
template <class T>
class Com {
 public:
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p_) p_->Release();
  }
  T** operator&() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

[[noreturn]] void Fail(const char* what, HRESULT hr) {
  throw EInvalidGraphic(rtl::Format("JPEG error: %s (0x%08lX)", what, static_cast<unsigned long>(hr)));
}

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) Fail(what, hr);
}

void CreateFactory(Com<IWICImagingFactory>& f) {
  UseCom();  // WIC is COM
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&f));
  if (FAILED(hr)) throw EInvalidGraphic(rtl::Format("JPEG error: no image decoder (0x%08lX)", static_cast<unsigned long>(hr)));
}

void Decode(const std::vector<uint8_t>& data, TBitmap& out) {
  // A JPEG file starts with the SOI marker; anything else is refused before WIC guesses.
  if (data.size() < 4 || data[0] != 0xFF || data[1] != 0xD8) throw EInvalidGraphic("JPEG error: not a JPEG image");
  Com<IWICImagingFactory> f;
  CreateFactory(f);
  Com<IWICStream> ws;
  Check(f->CreateStream(&ws), "cannot read the image");
  Check(ws->InitializeFromMemory(const_cast<BYTE*>(data.data()), static_cast<DWORD>(data.size())), "cannot read the image");
  Com<IWICBitmapDecoder> dec;
  Check(f->CreateDecoderFromStream(ws.get(), nullptr, WICDecodeMetadataCacheOnDemand, &dec), "not a JPEG image");
  GUID container{};
  Check(dec->GetContainerFormat(&container), "not a JPEG image");
  if (!IsEqualGUID(container, GUID_ContainerFormatJpeg)) throw EInvalidGraphic("JPEG error: not a JPEG image");
  Com<IWICBitmapFrameDecode> frame;
  Check(dec->GetFrame(0, &frame), "damaged image data");
  Com<IWICFormatConverter> conv;
  Check(f->CreateFormatConverter(&conv), "damaged image data");
  Check(conv->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                         WICBitmapPaletteTypeCustom),
        "damaged image data");
  UINT w = 0, h = 0;
  Check(conv->GetSize(&w, &h), "damaged image data");
  if (w == 0 || h == 0 || w > 65535 || h > 65535) throw EInvalidGraphic("JPEG error: bad image size");
  UINT stride = w * 4;
  std::vector<BYTE> pixels(static_cast<size_t>(stride) * h);
  Check(conv->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data()), "damaged image data");
  TBitmap bmp(static_cast<int>(w), static_cast<int>(h), pf32bit);
  for (UINT y = 0; y < h; ++y) std::memcpy(bmp.ScanLine(static_cast<int>(y)), pixels.data() + static_cast<size_t>(y) * stride, stride);
  out.Assign(&bmp);
}

std::vector<uint8_t> Encode(const TBitmap& source, int quality) {
  TBitmap bmp;
  bmp.Assign(&source);
  bmp.SetPixelFormat(pf24bit);
  UINT w = static_cast<UINT>(bmp.Width()), h = static_cast<UINT>(bmp.Height());
  UINT stride = static_cast<UINT>(bmp.RowBytes());
  std::vector<BYTE> pixels(static_cast<size_t>(stride) * h);
  for (UINT y = 0; y < h; ++y) std::memcpy(pixels.data() + static_cast<size_t>(y) * stride, bmp.ScanLine(static_cast<int>(y)), stride);

  Com<IWICImagingFactory> f;
  CreateFactory(f);
  Com<IStream> stm;
  Check(CreateStreamOnHGlobal(nullptr, TRUE, &stm), "cannot encode the image");
  Com<IWICBitmapEncoder> enc;
  Check(f->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &enc), "cannot encode the image");
  Check(enc->Initialize(stm.get(), WICBitmapEncoderNoCache), "cannot encode the image");
  Com<IWICBitmapFrameEncode> fe;
  Com<IPropertyBag2> props;
  Check(enc->CreateNewFrame(&fe, &props), "cannot encode the image");
  if (props.get()) {
    PROPBAG2 opt{};
    opt.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R4;
    v.fltVal = static_cast<float>(std::clamp(quality, 1, 100)) / 100.0f;
    props->Write(1, &opt, &v);  // an encoder without the option keeps its default quality
  }
  Check(fe->Initialize(props.get()), "cannot encode the image");
  Check(fe->SetSize(w, h), "cannot encode the image");
  WICPixelFormatGUID pf = GUID_WICPixelFormat24bppBGR;
  Check(fe->SetPixelFormat(&pf), "cannot encode the image");
  if (!IsEqualGUID(pf, GUID_WICPixelFormat24bppBGR)) throw EInvalidGraphic("JPEG error: cannot encode the image");
  Check(fe->WritePixels(h, stride, static_cast<UINT>(pixels.size()), pixels.data()), "cannot encode the image");
  Check(fe->Commit(), "cannot encode the image");
  Check(enc->Commit(), "cannot encode the image");

  STATSTG st{};
  Check(stm->Stat(&st, STATFLAG_NONAME), "cannot encode the image");
  std::vector<uint8_t> out(static_cast<size_t>(st.cbSize.QuadPart));
  LARGE_INTEGER zero{};
  Check(stm->Seek(zero, STREAM_SEEK_SET, nullptr), "cannot encode the image");
  ULONG got = 0;
  Check(stm->Read(out.data(), static_cast<ULONG>(out.size()), &got), "cannot encode the image");
  out.resize(got);
  return out;
}

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24); }

}  // namespace

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

void TJPEGImage::SetData(std::vector<uint8_t> bytes) {
  TBitmap decoded;
  Decode(bytes, decoded);  // raises before anything changes
  data_ = std::move(bytes);
  bitmap_.Assign(&decoded);
  pending_ = false;
  Changed();
}

void TJPEGImage::LoadBuiltIn(std::vector<uint8_t> bytes) {
  data_ = std::move(bytes);
  bitmap_.Assign(nullptr);
  pending_ = true;
  Changed();
}

const TBitmap& TJPEGImage::Decoded() const {
  if (pending_) {
    pending_ = false;
    Decode(data_, bitmap_);
  }
  return bitmap_;
}

void TJPEGImage::LoadFromStream(rtl::TStream& s) {
  int64_t n = s.Size() - s.Position();
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(n, 0)));
  s.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  SetData(std::move(bytes));
}

void TJPEGImage::SaveToStream(rtl::TStream& s) const {
  s.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TJPEGImage::ReadData(rtl::TStream& s) {
  uint8_t sz[4];
  s.ReadBuffer(sz, 4);
  std::vector<uint8_t> bytes(Le32(sz));
  s.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  if (bytes.empty()) return Assign(nullptr);
  SetData(std::move(bytes));
}

void TJPEGImage::WriteData(rtl::TStream& s) const {
  uint32_t n = static_cast<uint32_t>(data_.size());
  uint8_t sz[4] = {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n >> 16),
                   static_cast<uint8_t>(n >> 24)};
  s.WriteBuffer(sz, 4);
  SaveToStream(s);
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& r) {
  Decoded();
  bitmap_.Draw(canvas, r);
}

void TJPEGImage::Assign(const rtl::TPersistent* source) {
  if (source == this) return;
  if (!source) {
    data_.clear();
    bitmap_.Assign(nullptr);
    pending_ = false;
    Changed();
    return;
  }
  if (auto* j = dynamic_cast<const TJPEGImage*>(source)) {
    data_ = j->data_;
    bitmap_.Assign(&j->Decoded());
    pending_ = false;
    CompressionQuality = j->CompressionQuality;
    Changed();
    return;
  }
  if (auto* g = dynamic_cast<const TGraphic*>(source)) {
    if (g->Empty()) return Assign(nullptr);
    TBitmap bmp;
    bmp.Assign(g);
    SetData(Encode(bmp, CompressionQuality));
    return;
  }
  TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(rtl::TPersistent* dest) const {
  if (auto* b = dynamic_cast<TBitmap*>(dest)) return b->Assign(&Decoded());
  TGraphic::AssignTo(dest);
}

}  // namespace gui

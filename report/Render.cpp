#include "report/Render.h"

#include <wincodec.h>
#include <windows.h>

#include <cmath>
#include <unordered_map>
#include <vector>

#include "gui/Com.h"
#include "rtl/Utf.h"

namespace report {

namespace {

int Px(double v) { return static_cast<int>(std::lround(v)); }

// A GDI font for the described font at the scale; font sizes are points, page units 1/96 inch.
HFONT MakeFont(const TFontSpec& f, double scale) {
  LOGFONTW lf{};
  lf.lfHeight = -std::max(1, Px(f.Size * 96.0 / 72.0 * scale));
  lf.lfWeight = (f.Style & gui::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (f.Style & gui::fsItalic) ? 1 : 0;
  lf.lfUnderline = (f.Style & gui::fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = (f.Style & gui::fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = ANTIALIASED_QUALITY;
  std::wstring name = rtl::W(f.Name);
  wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

void DrawText(HDC dc, const TPlacedItem& it, const RECT& r, double scale) {
  if (it.Color != gui::clNone) {
    HBRUSH b = CreateSolidBrush(gui::ColorToColorRef(it.Color));
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  if (it.Text.empty()) return;
  HFONT font = MakeFont(it.Font, scale);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, gui::ColorToColorRef(it.Font.Color));
  UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
  flags |= it.Align == TTextAlign::Right ? DT_RIGHT : it.Align == TTextAlign::Center ? DT_CENTER : DT_LEFT;
  if (it.WordWrap) flags |= DT_WORDBREAK;
  if (it.Text.find('\n') == std::string::npos && !it.WordWrap) flags |= DT_SINGLELINE;
  // Autosized frames are measured on the screen; a printer's font may come out a little
  // wider, so single lines are never clipped.
  if (!it.WordWrap) flags |= DT_NOCLIP;
  std::wstring w = rtl::W(it.Text);
  RECT tr = r;
  ::DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &tr, flags);
  SelectObject(dc, old);
  DeleteObject(font);
}

}  // namespace

void RenderPage(const TReportPage& page, const TReportPages& pages, gui::TCanvas& canvas, double scale,
                int originX, int originY, bool paper) {
  HDC dc = canvas.Handle();
  canvas.Refresh();  // our own objects go in and out below
  int saved = SaveDC(dc);
  auto map = [&](const gui::TRect& r) {
    return RECT{originX + Px(r.Left * scale), originY + Px(r.Top * scale), originX + Px(r.Right * scale),
                originY + Px(r.Bottom * scale)};
  };
  if (paper) {
    RECT pr = map(gui::Rect(0, 0, pages.PageWidth, pages.PageHeight));
    FillRect(dc, &pr, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  for (const TPlacedItem& it : page.Items) {
    RECT r = map(it.Rect);
    switch (it.Kind) {
      case TPlacedKind::BandBackground: {
        HBRUSH b = CreateSolidBrush(gui::ColorToColorRef(it.Color));
        FillRect(dc, &r, b);
        DeleteObject(b);
        break;
      }
      case TPlacedKind::Text:
        DrawText(dc, it, r, scale);
        break;
      case TPlacedKind::Image:
        if (it.Picture && !it.Picture->Empty()) {
          gui::TRect dest{r.left, r.top, r.right, r.bottom};
          if (!it.Stretch) {
            dest.Right = dest.Left + Px(it.Picture->Width() * scale);
            dest.Bottom = dest.Top + Px(it.Picture->Height() * scale);
          }
          int s2 = SaveDC(dc);
          IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
          SetStretchBltMode(dc, HALFTONE);
          SetBrushOrgEx(dc, 0, 0, nullptr);
          it.Picture->Draw(canvas, dest);
          canvas.Refresh();
          RestoreDC(dc, s2);
        }
        break;
      case TPlacedKind::Line:
      case TPlacedKind::Rectangle:
      case TPlacedKind::Ellipse: {
        int pw = std::max(1, Px(it.PenWidth * scale));
        HPEN pen = it.PenColor == gui::clNone ? static_cast<HPEN>(GetStockObject(NULL_PEN))
                                              : CreatePen(PS_SOLID, pw, gui::ColorToColorRef(it.PenColor));
        HBRUSH brush = it.Color == gui::clNone ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                               : CreateSolidBrush(gui::ColorToColorRef(it.Color));
        HGDIOBJ op = SelectObject(dc, pen), ob = SelectObject(dc, brush);
        if (it.Kind == TPlacedKind::Line) {
          MoveToEx(dc, r.left, r.top, nullptr);
          LineTo(dc, r.right, r.bottom);
        } else if (it.Kind == TPlacedKind::Rectangle) {
          Rectangle(dc, r.left, r.top, r.right, r.bottom);
        } else {
          Ellipse(dc, r.left, r.top, r.right, r.bottom);
        }
        SelectObject(dc, op);
        SelectObject(dc, ob);
        if (it.PenColor != gui::clNone) DeleteObject(pen);
        if (it.Color != gui::clNone) DeleteObject(brush);
        break;
      }
    }
  }
  RestoreDC(dc, saved);
}

void RenderPageToBitmap(const TReportPage& page, const TReportPages& pages, gui::TBitmap& bmp, double scale) {
  bmp.SetPixelFormat(gui::pf32bit);
  bmp.SetSize(Px(pages.PageWidth * scale), Px(pages.PageHeight * scale));
  RenderPage(page, pages, bmp.Canvas(), scale);
}

namespace {

// One line's width in a font made for this measure alone: the way of any thread but the
// measurer's.
int MeasureOnce(const TFontSpec& font, const std::wstring& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT f = MakeFont(font, 1.0);
  HGDIOBJ old = SelectObject(dc, f);
  SIZE sz{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &sz);
  SelectObject(dc, old);
  DeleteObject(f);
  DeleteDC(dc);
  return sz.cx;
}

// A layout measures every auto-sized text of every row: the thread that measures first
// keeps one memory DC for it, the fonts of the last few specs and the widths of texts
// already measured in each. A font's colour does not change its widths.
class TTextMeasurer {
 public:
  TTextMeasurer() : thread_(GetCurrentThreadId()) {}
  ~TTextMeasurer() {
    Forget();
    if (dc_) DeleteDC(dc_);
  }
  TTextMeasurer(const TTextMeasurer&) = delete;
  TTextMeasurer& operator=(const TTextMeasurer&) = delete;

  int Width(const TFontSpec& spec, const std::string& text) {
    if (GetCurrentThreadId() != thread_) return MeasureOnce(spec, rtl::W(text));
    if (!dc_) {
      dc_ = CreateCompatibleDC(nullptr);
      if (!dc_) return MeasureOnce(spec, rtl::W(text));
      original_ = GetCurrentObject(dc_, OBJ_FONT);
    }
    TFont& f = FontOf(spec);
    if (auto hit = f.widths.find(text); hit != f.widths.end()) return hit->second;
    if (selected_ != f.handle) {
      SelectObject(dc_, f.handle);
      selected_ = f.handle;
    }
    std::wstring w = rtl::W(text);
    SIZE sz{};
    GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &sz);
    if (f.widths.size() >= kMeasuredTexts) f.widths.clear();
    f.widths.emplace(text, sz.cx);
    return sz.cx;
  }

 private:
  struct TFont {
    TFontSpec spec;
    HFONT handle = nullptr;
    std::unordered_map<std::string, int> widths;
  };

  static bool SameFace(const TFontSpec& a, const TFontSpec& b) {
    return a.Size == b.Size && a.Style == b.Style && a.Name == b.Name;
  }

  TFont& FontOf(const TFontSpec& spec) {
    if (last_ < fonts_.size() && SameFace(fonts_[last_].spec, spec)) return fonts_[last_];
    for (size_t k = 0; k < fonts_.size(); ++k)
      if (SameFace(fonts_[k].spec, spec)) return fonts_[last_ = k];
    if (fonts_.size() >= kMeasureFonts) Forget();
    fonts_.push_back(TFont{spec, MakeFont(spec, 1.0), {}});
    last_ = fonts_.size() - 1;
    return fonts_.back();
  }

  // Lets go of every font (the DC holds its own one again).
  void Forget() {
    if (dc_ && selected_) SelectObject(dc_, original_);
    selected_ = nullptr;
    for (TFont& f : fonts_) DeleteObject(f.handle);
    fonts_.clear();
    last_ = 0;
  }

  const DWORD thread_;
  HDC dc_ = nullptr;
  HGDIOBJ original_ = nullptr;
  HFONT selected_ = nullptr;
  std::vector<TFont> fonts_;
  size_t last_ = 0;
};

}  // namespace

int MeasureTextGdi(const TFontSpec& font, const std::string& text) {
  if (text.empty()) return 0;
  static TTextMeasurer measurer;
  return measurer.Width(font, text);
}

namespace {

template <class T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) throw rtl::Exception(std::string("PNG encoder: ") + what + " failed");
}

}  // namespace

void SaveBitmapToPng(gui::TBitmap& bmp, const std::string& utf8Path) {
  bmp.SetPixelFormat(gui::pf32bit);
  const int w = bmp.Width(), h = bmp.Height();
  // Top-down rows in BGRA with the alpha made opaque: GDI leaves alpha 0 where it drew.
  std::vector<uint8_t> rows(static_cast<size_t>(w) * 4 * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y) {
    auto* src = static_cast<const uint8_t*>(bmp.ScanLine(y));
    uint8_t* dst = rows.data() + static_cast<size_t>(y) * w * 4;
    for (int x = 0; x < w; ++x) {
      dst[x * 4 + 0] = src[x * 4 + 0];
      dst[x * 4 + 1] = src[x * 4 + 1];
      dst[x * 4 + 2] = src[x * 4 + 2];
      dst[x * 4 + 3] = 255;
    }
  }
  Com<IWICImagingFactory> factory;
  gui::UseCom();
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         reinterpret_cast<void**>(&factory)),
        "factory");
  Com<IWICStream> stream;
  Check(factory->CreateStream(&stream), "stream");
  std::wstring path = rtl::W(utf8Path);
  Check(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE), "file");
  Com<IWICBitmapEncoder> enc;
  Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &enc), "encoder");
  Check(enc->Initialize(stream.p, WICBitmapEncoderNoCache), "initialise");
  Com<IWICBitmapFrameEncode> frame;
  Check(enc->CreateNewFrame(&frame, nullptr), "frame");
  Check(frame->Initialize(nullptr), "frame initialise");
  Check(frame->SetSize(static_cast<UINT>(w), static_cast<UINT>(h)), "size");
  WICPixelFormatGUID fmt = GUID_WICPixelFormat32bppBGRA;
  Check(frame->SetPixelFormat(&fmt), "pixel format");
  if (!IsEqualGUID(fmt, GUID_WICPixelFormat32bppBGRA)) throw rtl::Exception("PNG encoder: 32-bit BGRA refused");
  Check(frame->WritePixels(static_cast<UINT>(h), static_cast<UINT>(w) * 4, static_cast<UINT>(rows.size()),
                           rows.data()),
        "pixels");
  Check(frame->Commit(), "frame commit");
  Check(enc->Commit(), "commit");
}

}  // namespace report

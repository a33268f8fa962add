#include "skin/graphics/acSkinText.h"

#include <algorithm>
#include <array>

#include "rtl/Utf.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {

namespace {

RECT ToRECT(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
TRect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The first kMaxTextOnDC UTF-16 units, not splitting a surrogate pair.
std::wstring CappedText(std::string_view text) {
  std::wstring w = rtl::W(text);
  if (w.size() > size_t(kMaxTextOnDC)) {
    size_t n = size_t(kMaxTextOnDC);
    if (w[n - 1] >= 0xD800 && w[n - 1] <= 0xDBFF) --n;
    w.resize(n);
  }
  return w;
}

// The length of Text without its last UTF-8 character.
size_t WithoutLastChar(std::string_view text) {
  size_t n = text.size();
  while (n > 0 && (static_cast<unsigned char>(text[n - 1]) & 0xC0) == 0x80) --n;
  return n > 0 ? n - 1 : 0;
}

// A DC for measuring: the given one, or the screen's with Font selected; released at the end.
class TMeasureDC {
 public:
  TMeasureDC(HDC dc, HFONT font) : dc_(dc) {
    if (dc_ == nullptr) {
      dc_ = GetDC(nullptr);
      own_ = true;
    }
    if (font != nullptr && dc_ != nullptr) old_ = SelectObject(dc_, font);
  }
  ~TMeasureDC() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    if (own_ && dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }
  TMeasureDC(const TMeasureDC&) = delete;
  TMeasureDC& operator=(const TMeasureDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
  bool own_ = false;
};

}  // namespace

int DrawTextOnDC(HDC dc, std::string_view text, TRect& r, UINT format) {
  const std::wstring w = CappedText(text);
  RECT rc = ToRECT(r);
  const int h = DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &rc, format);
  if (format & DT_CALCRECT) r = FromRECT(rc);
  return h;
}

int DrawTextOnCanvas(gui::TCanvas& canvas, std::string_view text, TRect& r, UINT format) {
  return canvas.TextRect(r, std::string(text), format);
}

void CanvasTextRect(gui::TCanvas& canvas, const TRect& r, int x, int y, std::string_view text) {
  canvas.TextRect(r, x, y, std::string(text));
}

std::string CutTextToWidth(gui::TCanvas& canvas, std::string_view text, int maxWidth) {
  if (maxWidth <= 0) return {};
  std::string result(text);
  if (result.empty() || canvas.TextWidth(result) <= maxWidth) return result;
  while (!result.empty()) {
    if (canvas.TextWidth(result + "...") <= maxWidth) break;
    result.resize(WithoutLastChar(result));
  }
  return result.empty() ? result : result + "...";
}

int GetTextWidth(gui::TCanvas& canvas, std::string_view text) { return canvas.TextWidth(std::string(text)); }
int GetTextHeight(gui::TCanvas& canvas, std::string_view text) { return canvas.TextHeight(std::string(text)); }
SIZE GetTextSize(gui::TCanvas& canvas, std::string_view text) {
  const auto s = canvas.TextExtent(std::string(text));
  return {s.cx, s.cy};
}

bool GetTextExtentOnDC(HDC dc, std::string_view text, SIZE& size, HFONT font) {
  TMeasureDC m(dc, dc == nullptr ? font : nullptr);
  const std::wstring w = rtl::W(text);
  return m.Get() != nullptr && GetTextExtentPoint32W(m.Get(), w.c_str(), static_cast<int>(w.size()), &size);
}

SIZE GetTextSizeWithFont(HFONT font, std::string_view text, UINT format, bool wordWrap, int maxWidth,
                         bool addCharWidth) {
  TMeasureDC m(nullptr, font);
  SIZE size{0, 0};
  if (m.Get() == nullptr) return size;
  const std::wstring w = rtl::W(text);
  if (wordWrap) {
    RECT rc{0, 0, maxWidth, 0};
    DrawTextW(m.Get(), w.c_str(), static_cast<int>(w.size()), &rc, format | DT_CALCRECT);
    size = {rc.right - rc.left, rc.bottom - rc.top};
  } else if (!GetTextExtentPoint32W(m.Get(), w.c_str(), static_cast<int>(w.size()), &size)) {
    size = {0, 0};
  }
  if (addCharWidth) {
    SIZE i{0, 0};
    if (GetTextExtentPoint32W(m.Get(), L"I", 1, &i)) size.cx += i.cx;
  }
  return size;
}

int GetFontTextHeight(HFONT font, bool withoutLeading) {
  TMeasureDC m(nullptr, font);
  TEXTMETRICW tm{};
  if (m.Get() == nullptr || !GetTextMetricsW(m.Get(), &tm)) return 0;
  return withoutLeading ? tm.tmHeight - tm.tmInternalLeading - tm.tmExternalLeading : tm.tmHeight + 6;
}

bool FontsEqual(const gui::TFont& a, const gui::TFont& b) {
  return a.Style() == b.Style() && a.Size() == b.Size() && a.Color() == b.Color() && a.Name() == b.Name();
}

void DrawTextOnBitmap32(gui::TBitmap& bmp, std::string_view text, bool alphaMode, const TRect& r, UINT flags,
                        TColor color, bool wholeText) {
  auto t = CreateBitmap32ForRect(r);
  if (t->Empty() || bmp.Empty()) return;
  // Paper everywhere first: a fresh bitmap is black, which would read as ink where the
  // text's own background does not reach.
  TBitmap32 paper = Pixels32(*t);
  for (int y = 0; y < paper.Height(); ++y) std::fill(paper.Row(y), paper.Row(y) + paper.Width(), 0x00FFFFFFu);
  gui::TCanvas& c = t->Canvas();
  c.Font().Assign(&bmp.Canvas().Font());
  c.Font().SetHeight(bmp.Canvas().Font().Height());
  c.Font().SetColor(0);
  c.Brush().SetColor(0xFFFFFF);
  c.Brush().SetStyle(gui::bsSolid);
  TRect tr{0, 0, t->Width(), t->Height()};
  if (wholeText)
    c.TextRect(tr, std::string(text), flags);
  else
    c.TextRect(tr, rtl::U8(CappedText(text)), flags);
  GdiFlush();
  TBitmap32 target = Pixels32(bmp);
  TransferTextPixels(target, Pixels32(*t), {r.Left, r.Top}, alphaMode, color);
}

namespace {

const TsGenState* SectionState(const TacSkinData* data, int skinIndex, int state) {
  if (data == nullptr || skinIndex < 0 || size_t(skinIndex) >= data->Sections.size()) return nullptr;
  return &data->Sections[size_t(skinIndex)].StateParams[size_t(std::clamp(state, 0, 2))];
}

// The four contour colours with the shift of each copy.
struct TContour {
  int32_t color;
  int dx, dy;
};
std::array<TContour, 4> Contours(const TsGenState& s) {
  return {{{s.ContourLeft, -1, 0}, {s.ContourTop, 0, -1}, {s.ContourRight, 1, 0}, {s.ContourBottom, 0, 1}}};
}

}  // namespace

void WriteSkinTextOnBitmap(gui::TBitmap& bmp, std::string_view text, bool alphaMode, const TRect& r, UINT flags,
                           const TacSkinData* data, int skinIndex, int state) {
  if (r.IsEmpty()) return;
  const TsGenState* s = SectionState(data, skinIndex, state);
  if (s == nullptr) {
    DrawTextOnBitmap32(bmp, text, alphaMode, r, flags, bmp.Canvas().Font().Color(), false);
    return;
  }
  if (alphaMode)
    for (const TContour& c : Contours(*s))
      if (c.color != -1) DrawTextOnBitmap32(bmp, text, true, r.Offset(c.dx, c.dy), flags, TColor(c.color), false);
  DrawTextOnBitmap32(bmp, text, alphaMode, r, flags, s->FontColor, false);
}

void WriteSkinText(gui::TCanvas& canvas, std::string_view text, bool enabled, const TRect& r, UINT format,
                   const TacSkinData* data, int skinIndex, int state) {
  const TsGenState* s = SectionState(data, skinIndex, state);
  if (s != nullptr && !enabled) {
    const TsGenState& s0 = data->Sections[size_t(skinIndex)].StateParams[0];
    canvas.Font().SetColor(MixColors(s0.FontColor, s0.Color, DisabledTextWeight));
  }
  canvas.TextWidth(std::string());  // the canvas font into its DC
  const HDC dc = canvas.Handle();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = GetTextColor(dc);
  const std::wstring w = rtl::W(text);
  const auto draw = [&](TRect at, TColor color) {
    SetTextColor(dc, ColorToRGB(color) & 0xFFFFFF);
    RECT rc = ToRECT(at);
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &rc, format);
  };
  if (s != nullptr && enabled) {
    for (const TContour& c : Contours(*s))
      if (c.color != -1) draw(r.Offset(c.dx, c.dy), TColor(c.color));
    draw(r, s->FontColor);
  } else {
    draw(r, canvas.Font().Color());
  }
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

void DrawTextGlow(gui::TBitmap& bmp, std::string_view text, const TRect& r, UINT format, int flags, int glowSize,
                  TColor glowColor, TacGlowMask& mask) {
  glowSize = std::max(glowSize, 0);
  const TRect rr = r.Offset(1, 1);
  const int d = glowSize + 4;
  const int w = rr.Width() + 2 * d, h = rr.Height() + 2 * d;
  if (w <= 0 || h <= 0 || bmp.Empty()) return;
  if (mask.Width != w || mask.Height != h || mask.Pixels.size() != size_t(w) * size_t(h)) {
    // The text in black on white, then its grey levels blurred.
    auto t = CreateBitmap32(w, h);
    if (t->Empty()) return;
    TBitmap32 px = Pixels32(*t);
    for (int y = 0; y < h; ++y) std::fill(px.Row(y), px.Row(y) + w, 0x00FFFFFFu);
    gui::TCanvas& c = t->Canvas();
    c.Font().Assign(&bmp.Canvas().Font());
    c.Font().SetColor(0);
    c.Brush().SetStyle(gui::bsClear);
    const TRect tr{d, d, d + rr.Width(), d + rr.Height()};
    const TPoint shifts[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    for (int k = 0; k < 4; ++k)
      if (flags & (1 << k)) {
        TRect sr = tr.Offset(shifts[k].X, shifts[k].Y);
        c.TextRect(sr, rtl::U8(CappedText(text)), format);
      }
    TRect main = tr;
    c.TextRect(main, rtl::U8(CappedText(text)), format);
    GdiFlush();
    mask.Width = w;
    mask.Height = h;
    mask.Pixels.assign(size_t(w) * size_t(h), 255);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) mask.Pixels[size_t(y) * size_t(w) + size_t(x)] = Luma(px.At(x, y));
    TBytePlane plane = mask.Plane();
    BlurMask8(plane, glowSize);
  }
  TBitmap32 target = Pixels32(bmp);
  ApplyGlowMask(target, mask, {rr.Left - d, rr.Top - d}, glowColor);
}

}  // namespace skin

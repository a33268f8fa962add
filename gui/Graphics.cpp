#include "gui/Graphics.h"

#include <algorithm>

#include "gui/Jpeg.h"
#include "rtl/Utf.h"

namespace gui {

TColor ColorToRGB(TColor c) {
  if (c < 0) return static_cast<TColor>(GetSysColor(c & 0xFF));
  return c;
}

// ---- fonts, pens, brushes ----

void TGraphicsObject::Deselect() {
  if (selectedIn_) selectedIn_->ObjectChanged(this);
}

void TGraphicsObject::Changed(bool handleChanges) {
  Deselect();
  if (handleChanges) FreeHandle();
  if (OnChange) OnChange(this);
}

TFont::TFont() = default;
TFont::~TFont() { FreeHandle(); }

void TFont::FreeHandle() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  adopted_ = false;
}

void TFont::Set(auto& field, auto value, bool handleChanges) {
  if (field == value) return;
  field = value;
  Changed(handleChanges);
}

void TFont::SetName(const std::string& v) { Set(name_, v, true); }
void TFont::SetHeight(int v) { Set(height_, v, true); }
int TFont::Size() const { return -MulDiv(height_, 72, PixelsPerInch); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }
void TFont::SetColor(TColor v) { Set(color_, v, false); }
void TFont::SetStyle(TFontStyles v) { Set(style_, v & 0xF, true); }
void TFont::SetCharset(uint8_t v) { Set(charset_, v, true); }
void TFont::SetPitch(TFontPitch v) { Set(pitch_, v, true); }
void TFont::SetOrientation(int v) { Set(orientation_, v, true); }

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfEscapement = lf.lfOrientation = orientation_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    std::wstring face = rtl::W(name_);
    face.resize(std::min<size_t>(face.size(), LF_FACESIZE - 1));
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    handle_ = CreateFontIndirectW(&lf);
  }
  return handle_;
}

void TFont::SetHandle(HFONT h) {
  LOGFONTW lf{};
  if (!h || GetObjectW(h, sizeof lf, &lf) == 0) throw EInvalidGraphicOperation("Invalid font handle");
  Deselect();
  FreeHandle();
  name_ = rtl::U8(lf.lfFaceName);
  height_ = lf.lfHeight;
  orientation_ = lf.lfEscapement;
  style_ = (lf.lfWeight >= FW_BOLD ? fsBold : 0u) | (lf.lfItalic ? fsItalic : 0u) |
           (lf.lfUnderline ? fsUnderline : 0u) | (lf.lfStrikeOut ? fsStrikeOut : 0u);
  charset_ = lf.lfCharSet;
  int pitch = lf.lfPitchAndFamily & 3;
  pitch_ = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  handle_ = h;
  adopted_ = true;
  Changed(false);
}

void TFont::Assign(const rtl::TPersistent* source) {
  auto* f = dynamic_cast<const TFont*>(source);
  if (!f) return TGraphicsObject::Assign(source);
  if (f == this) return;
  name_ = f->name_;
  // A font measured at another resolution keeps its point size.
  height_ = f->PixelsPerInch == PixelsPerInch ? f->height_ : -MulDiv(f->Size(), PixelsPerInch, 72);
  color_ = f->color_;
  style_ = f->style_;
  charset_ = f->charset_;
  pitch_ = f->pitch_;
  orientation_ = f->orientation_;
  Changed(true);
}

TPen::~TPen() { FreeHandle(); }

void TPen::FreeHandle() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
}

void TPen::SetColor(TColor v) {
  if (v != color_) { color_ = v; Changed(true); }
}
void TPen::SetWidth(int v) {
  if (v != width_) { width_ = v; Changed(true); }
}
void TPen::SetStyle(TPenStyle v) {
  if (v != style_) { style_ = v; Changed(true); }
}
void TPen::SetMode(TPenMode v) {
  if (v != mode_) { mode_ = v; Changed(false); }
}

HPEN TPen::Handle() const {
  if (!handle_) {
    static const UINT styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    LOGPEN lp{styles[style_], {width_, 0}, ColorToColorRef(color_)};
    handle_ = CreatePenIndirect(&lp);
  }
  return handle_;
}

void TPen::Assign(const rtl::TPersistent* source) {
  auto* p = dynamic_cast<const TPen*>(source);
  if (!p) return TGraphicsObject::Assign(source);
  if (p == this) return;
  color_ = p->color_;
  width_ = p->width_;
  style_ = p->style_;
  mode_ = p->mode_;
  Changed(true);
}

TBrush::~TBrush() { FreeHandle(); }

void TBrush::FreeHandle() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
}

void TBrush::SetColor(TColor v) {
  if (v != color_) { color_ = v; Changed(true); }
}
void TBrush::SetStyle(TBrushStyle v) {
  if (v != style_) { style_ = v; Changed(true); }
}

HBRUSH TBrush::Handle() const {
  if (!handle_) {
    LOGBRUSH lb{BS_SOLID, ColorToColorRef(color_), 0};
    if (style_ == bsClear) lb.lbStyle = BS_HOLLOW;
    else if (style_ != bsSolid) {
      lb.lbStyle = BS_HATCHED;
      lb.lbHatch = static_cast<ULONG_PTR>(style_ - bsHorizontal);  // HS_HORIZONTAL .. HS_DIAGCROSS
    }
    handle_ = CreateBrushIndirect(&lb);
  }
  return handle_;
}

void TBrush::Assign(const rtl::TPersistent* source) {
  auto* b = dynamic_cast<const TBrush*>(source);
  if (!b) return TGraphicsObject::Assign(source);
  if (b == this) return;
  color_ = b->color_;
  style_ = b->style_;
  Changed(true);
}

// ---- canvas ----

TCanvas::TCanvas() {
  InitializeCriticalSection(&lock_);
  font_.selectedIn_ = this;
  pen_.selectedIn_ = this;
  brush_.selectedIn_ = this;
}

TCanvas::~TCanvas() {
  // Descendants release their own DCs in their destructors; a foreign DC is only left.
  SetHandle(nullptr);
  font_.selectedIn_ = pen_.selectedIn_ = brush_.selectedIn_ = nullptr;
  DeleteCriticalSection(&lock_);
}

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  if (!dc_) throw rtl::EInvalidOperation("Canvas does not allow drawing");
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  if (dc_) DeselectObjects();
  dc_ = dc;
}

void TCanvas::DeselectObjects() {
  if (!dc_) { selected_ = 0; return; }
  if ((selected_ & kFont) && oldFont_) SelectObject(dc_, oldFont_);
  if ((selected_ & kPen) && oldPen_) SelectObject(dc_, oldPen_);
  if ((selected_ & kBrush) && oldBrush_) SelectObject(dc_, oldBrush_);
  oldFont_ = oldPen_ = oldBrush_ = nullptr;
  selected_ = 0;
}

void TCanvas::ObjectChanged(TGraphicsObject* o) {
  if (!dc_) return;
  if (o == &font_ && (selected_ & kFont)) {
    SelectObject(dc_, oldFont_);
    oldFont_ = nullptr;
    selected_ &= ~kFont;
  } else if (o == &pen_ && (selected_ & kPen)) {
    SelectObject(dc_, oldPen_);
    oldPen_ = nullptr;
    selected_ &= ~kPen;
  } else if (o == &brush_ && (selected_ & kBrush)) {
    SelectObject(dc_, oldBrush_);
    oldBrush_ = nullptr;
    selected_ &= ~kBrush;
  }
}

void TCanvas::Refresh() { DeselectObjects(); }

void TCanvas::RequireState(unsigned what) {
  HDC dc = Handle();
  if ((what & kFont) && !(selected_ & kFont)) {
    oldFont_ = SelectObject(dc, font_.Handle());
    SetTextColor(dc, ColorToColorRef(font_.Color()));
    selected_ |= kFont;
  }
  if ((what & kPen) && !(selected_ & kPen)) {
    static const int rops[] = {R2_BLACK, R2_WHITE, R2_NOP, R2_NOT, R2_COPYPEN, R2_NOTCOPYPEN,
                               R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,
                               R2_NOTMERGEPEN, R2_MASKPEN, R2_NOTMASKPEN, R2_XORPEN, R2_NOTXORPEN};
    oldPen_ = SelectObject(dc, pen_.Handle());
    SetROP2(dc, rops[pen_.Mode()]);
    selected_ |= kPen;
  }
  if ((what & kBrush) && !(selected_ & kBrush)) {
    HBRUSH b = brush_.Handle();
    UnrealizeObject(b);
    oldBrush_ = SelectObject(dc, b);
    // Text and hatch backgrounds follow the brush: opaque in its colour, or see-through.
    if (brush_.Style() == bsSolid) {
      SetBkColor(dc, ColorToColorRef(brush_.Color()));
      SetBkMode(dc, OPAQUE);
    } else {
      SetBkColor(dc, ~ColorToColorRef(brush_.Color()) & 0xFFFFFF);
      SetBkMode(dc, TRANSPARENT);
    }
    selected_ |= kBrush;
  }
}

void TCanvas::Lock() {
  EnterCriticalSection(&lock_);
  ++lockCount_;
}

void TCanvas::Unlock() {
  --lockCount_;
  LeaveCriticalSection(&lock_);
}

bool TCanvas::TryLock() {
  if (!TryEnterCriticalSection(&lock_)) return false;
  ++lockCount_;
  return true;
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

static RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

void TCanvas::FillRect(const TRect& r) {
  Changing();
  RequireState(kBrush);
  RECT rc = ToRECT(r);
  ::FillRect(dc_, &rc, brush_.Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  Changing();
  RequireState(kBrush);
  RECT rc = ToRECT(r);
  ::FrameRect(dc_, &rc, brush_.Handle());
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Changing();
  RequireState(kPen | kBrush);
  ::Rectangle(dc_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  Changing();
  RequireState(kPen | kBrush);
  ::RoundRect(dc_, x1, y1, x2, y2, x3, y3);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Changing();
  RequireState(kPen | kBrush);
  ::Ellipse(dc_, x1, y1, x2, y2);
  Changed();
}

// TPoint is laid out as POINT.
static_assert(sizeof(TPoint) == sizeof(POINT));

void TCanvas::Polygon(const TPoint* points, int count) {
  if (count <= 0) return;
  Changing();
  RequireState(kPen | kBrush);
  ::Polygon(dc_, reinterpret_cast<const POINT*>(points), count);
  Changed();
}

void TCanvas::Polyline(const TPoint* points, int count) {
  if (count <= 0) return;
  Changing();
  RequireState(kPen);
  ::Polyline(dc_, reinterpret_cast<const POINT*>(points), count);
  Changed();
}

void TCanvas::MoveTo(int x, int y) {
  ::MoveToEx(Handle(), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequireState(kPen | kBrush);
  ::LineTo(dc_, x, y);
  Changed();
}

TPoint TCanvas::PenPos() {
  POINT p{};
  GetCurrentPositionEx(Handle(), &p);
  return {p.x, p.y};
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Changing();
  RequireState(kFont | kBrush);
  std::wstring w = rtl::W(text);
  ExtTextOutW(dc_, x, y, 0, nullptr, w.c_str(), static_cast<UINT>(w.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  Changing();
  RequireState(kFont | kBrush);
  std::wstring w = rtl::W(text);
  RECT rc = ToRECT(r);
  UINT opts = ETO_CLIPPED | (brush_.Style() != bsClear ? ETO_OPAQUE : 0);
  ExtTextOutW(dc_, x, y, opts, &rc, w.c_str(), static_cast<UINT>(w.size()), nullptr);
  Changed();
}

int TCanvas::TextRect(TRect& r, const std::string& text, unsigned drawTextFlags) {
  bool calc = (drawTextFlags & DT_CALCRECT) != 0;
  if (!calc) Changing();
  RequireState(kFont | kBrush);
  std::wstring w = rtl::W(text);
  RECT rc = ToRECT(r);
  int h = DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &rc, drawTextFlags);
  if (calc) r = {rc.left, rc.top, rc.right, rc.bottom};
  else Changed();
  return h;
}

TSize TCanvas::TextExtent(const std::string& text) {
  RequireState(kFont);
  std::wstring w = rtl::W(text);
  SIZE sz{};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &sz);
  return {sz.cx, sz.cy};
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  Handle();
  graphic->Draw(*this, r);
  Changed();
}

void TCanvas::CopyRect(const TRect& d, TCanvas& source, const TRect& s) {
  Changing();
  RequireState(kBrush);
  HDC src = source.Handle();
  StretchBlt(dc_, d.Left, d.Top, d.Width(), d.Height(), src, s.Left, s.Top, s.Width(), s.Height(), CopyMode);
  Changed();
}

TColor TCanvas::Pixels(int x, int y) {
  COLORREF c = GetPixel(Handle(), x, y);
  return static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor c) {
  Changing();
  ::SetPixel(Handle(), x, y, ColorToColorRef(c));
  Changed();
}

TRect TCanvas::ClipRect() {
  RECT rc{};
  GetClipBox(Handle(), &rc);
  return {rc.left, rc.top, rc.right, rc.bottom};
}

// ---- TGraphic ----

void TGraphic::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of this picture"); }
void TGraphic::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of this picture"); }

void TGraphic::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Changed();
}

void TGraphic::Changed() {
  Modified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::Progress(TProgressStage stage, int percentDone, bool redrawNow, const TRect& r,
                        const std::string& msg) {
  if (OnProgress) OnProgress(this, stage, percentDone, redrawNow, r, msg);
}

void TGraphic::LoadFromFile(const std::string& utf8Path) {
  rtl::TMemoryStream s(rtl::ReadFileBytes(utf8Path));
  LoadFromStream(s);
}

void TGraphic::SaveToFile(const std::string& utf8Path) const {
  rtl::TMemoryStream s;
  SaveToStream(s);
  rtl::WriteFileBytes(utf8Path, s.Memory(), s.Bytes().size());
}

std::unique_ptr<TGraphic> TGraphic::NewInstance() const {
  if (auto* cls = TPicture::FindGraphicClass(ClassName())) return cls->Create();
  throw EInvalidGraphicOperation(rtl::Format("Cannot create a picture of class %s", ClassName()));
}

void TGraphic::AssignTo(rtl::TPersistent* dest) const {
  auto* b = dynamic_cast<TBitmap*>(dest);
  if (!b) return rtl::TPersistent::AssignTo(dest);
  b->Assign(nullptr);
  if (Empty()) return;
  b->SetPixelFormat(pf32bit);
  b->SetSize(Width(), Height());
  TCanvas& c = b->Canvas();
  c.Brush().SetColor(clWhite);
  c.Brush().SetStyle(bsSolid);
  c.FillRect(Rect(0, 0, Width(), Height()));
  // Drawing does not change the picture; Draw is not const because pictures decode lazily.
  const_cast<TGraphic*>(this)->Draw(c, Rect(0, 0, Width(), Height()));
}

// ---- TPicture and the format list ----

namespace {

struct FileFormat {
  std::string ext;
  std::string description;
  TGraphicClass cls;
};

struct FormatRegistry {
  std::vector<FileFormat> formats;   // searched newest first
  std::vector<TGraphicClass> named;  // known by class name only
  FormatRegistry() {
    formats.push_back({"bmp", "Bitmaps", GraphicClassOf<TBitmap>()});
    formats.push_back({"jpeg", "JPEG Image File", GraphicClassOf<TJPEGImage>()});
    formats.push_back({"jpg", "JPEG Image File", GraphicClassOf<TJPEGImage>()});
  }
};

// Built on first use, so no start-up order between translation units matters.
FormatRegistry& Registry() {
  static FormatRegistry r;
  return r;
}

std::string StripDot(const std::string& ext) { return !ext.empty() && ext[0] == '.' ? ext.substr(1) : ext; }

}  // namespace

TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const std::string& ext, const std::string& description, const TGraphicClass& cls) {
  Registry().formats.push_back({rtl::LowerCase(StripDot(ext)), description, cls});
}

void TPicture::RegisterGraphicClass(const TGraphicClass& cls) { Registry().named.push_back(cls); }

void TPicture::UnregisterGraphicClass(const std::string& className) {
  auto& r = Registry();
  std::erase_if(r.formats, [&](const FileFormat& f) { return rtl::SameText(f.cls.ClassName, className); });
  std::erase_if(r.named, [&](const TGraphicClass& c) { return rtl::SameText(c.ClassName, className); });
}

const TGraphicClass* TPicture::GraphicClassByExtension(const std::string& ext) {
  auto& f = Registry().formats;
  std::string e = StripDot(ext);
  for (auto it = f.rbegin(); it != f.rend(); ++it)
    if (rtl::SameText(it->ext, e)) return &it->cls;
  return nullptr;
}

const TGraphicClass* TPicture::FindGraphicClass(const std::string& className) {
  auto& r = Registry();
  for (auto it = r.named.rbegin(); it != r.named.rend(); ++it)
    if (rtl::SameText(it->ClassName, className)) return &*it;
  for (auto it = r.formats.rbegin(); it != r.formats.rend(); ++it)
    if (rtl::SameText(it->cls.ClassName, className)) return &it->cls;
  return nullptr;
}

std::unique_ptr<TGraphic> TPicture::CreateGraphicByClassName(const std::string& className) {
  const TGraphicClass* cls = FindGraphicClass(className);
  return cls ? cls->Create() : nullptr;
}

std::string TPicture::GraphicFilter() {
  auto& f = Registry().formats;
  std::string all, each;
  for (const auto& ff : f) {
    std::string mask = "*." + ff.ext;
    all += (all.empty() ? "" : ";") + mask;
    each += "|" + ff.description + " (" + mask + ")|" + mask;
  }
  return "All (" + all + ")|" + all + each;
}

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> g) {
  graphic_ = std::move(g);
  if (graphic_) graphic_->OnChange = [this](rtl::TObject*) { Changed(); };
  Changed();
}

void TPicture::SetGraphic(const TGraphic* g) {
  if (g == graphic_.get()) return;
  if (!g) return SetGraphic(std::unique_ptr<TGraphic>());
  auto copy = g->NewInstance();
  copy->Assign(g);
  SetGraphic(std::move(copy));
}

TBitmap& TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_.get())) SetGraphic(std::make_unique<TBitmap>());
  return *static_cast<TBitmap*>(graphic_.get());
}

void TPicture::LoadFromFile(const std::string& utf8Path) {
  size_t slash = utf8Path.find_last_of("\\/");
  size_t dot = utf8Path.find_last_of('.');
  std::string ext = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? utf8Path.substr(dot + 1) : "";
  const TGraphicClass* cls = GraphicClassByExtension(ext);
  if (!cls) throw EInvalidGraphic(rtl::Format("Unknown picture file extension (.%s)", ext.c_str()));
  auto g = cls->Create();
  g->LoadFromFile(utf8Path);
  SetGraphic(std::move(g));
}

void TPicture::SaveToFile(const std::string& utf8Path) const {
  if (graphic_) graphic_->SaveToFile(utf8Path);
}

void TPicture::LoadFromStream(rtl::TStream& s, const TGraphicClass& cls) {
  auto g = cls.Create();
  g->LoadFromStream(s);
  SetGraphic(std::move(g));
}

void TPicture::SaveToStream(rtl::TStream& s) const {
  if (graphic_) graphic_->SaveToStream(s);
}

void TPicture::Assign(const rtl::TPersistent* source) {
  if (!source) return SetGraphic(static_cast<const TGraphic*>(nullptr));
  if (auto* p = dynamic_cast<const TPicture*>(source)) return SetGraphic(p->Graphic());
  if (auto* g = dynamic_cast<const TGraphic*>(source)) return SetGraphic(g);
  rtl::TPersistent::Assign(source);
}

void TPicture::AssignTo(rtl::TPersistent* dest) const {
  if (auto* g = dynamic_cast<TGraphic*>(dest)) return g->Assign(graphic_.get());
  rtl::TPersistent::AssignTo(dest);
}

}  // namespace gui

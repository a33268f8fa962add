#include "gui/ExtCtrls.h"

#include "rtl/Utf.h"

namespace gui {

namespace {

// Raised or lowered edges of the given width, as the class library's Frame3D draws them:
// the rectangle shrinks by the width.
void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width) {
  HBRUSH tl = CreateSolidBrush(ColorToRGB(topLeft));
  HBRUSH br = CreateSolidBrush(ColorToRGB(bottomRight));
  for (int i = 0; i < width && r.right - r.left > 1 && r.bottom - r.top > 1; ++i) {
    RECT top{r.left, r.top, r.right - 1, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom - 1};
    RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, tl);
    FillRect(dc, &left, tl);
    FillRect(dc, &bottom, br);
    FillRect(dc, &right, br);
    InflateRect(&r, -1, -1);
  }
  DeleteObject(tl);
  DeleteObject(br);
}

void BevelColors(TBevelCut b, TColor& top, TColor& bottom) {
  top = b == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight;
  bottom = b == TBevelCut::bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

// ---------------------------------------------------------------- TPanel

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  width_ = 185;
  height_ = 41;
  ControlStyle |= csAcceptsControls | csOpaque;
}

void TPanel::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  if (borderStyle_ == TBorderStyle::bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) {
  width_ = 65;
  height_ = 17;
  parentColor_ = true;
}

void TStaticText::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"STATIC";
  p.Style |= SS_NOTIFY | (alignment_ == TAlignment::taCenter         ? SS_CENTER
                          : alignment_ == TAlignment::taRightJustify ? SS_RIGHT
                                                                     : SS_LEFT);
  p.Style &= ~static_cast<DWORD>(WS_TABSTOP);
  if (bevelKind_ != TBevelKind::bkNone) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TStaticText::SetAlignment(TAlignment a) {
  alignment_ = a;
  if (HandleAllocated()) RecreateWnd();
}

void TStaticText::SetBevelKind(TBevelKind k) {
  bevelKind_ = k;
  if (HandleAllocated()) RecreateWnd();
}

void TPanel::SetBevelOuter(TBevelCut b) {
  bevelOuter_ = b;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut b) {
  bevelInner_ = b;
  Invalidate();
}

void TPanel::SetBevelWidth(int w) {
  bevelWidth_ = w;
  Invalidate();
}

// The border is a window style: the window is made anew.
void TPanel::SetBorderStyle(TBorderStyle b) {
  if (b == borderStyle_) return;
  borderStyle_ = b;
  RecreateWnd();
}

void TPanel::SetAlignment(TAlignment a) {
  alignment_ = a;
  Invalidate();
}

void TPanel::Paint() {
  HDC dc = canvas_.Handle();
  RECT r;
  GetClientRect(handle_, &r);
  TColor top, bottom;
  if (bevelOuter_ != TBevelCut::bvNone) {
    BevelColors(bevelOuter_, top, bottom);
    Frame3D(dc, r, top, bottom, bevelWidth_);
  }
  if (bevelInner_ != TBevelCut::bvNone) {
    BevelColors(bevelInner_, top, bottom);
    Frame3D(dc, r, top, bottom, bevelWidth_);
  }
  if (text_.empty()) return;
  std::wstring w = rtl::W(text_);
  HGDIOBJ old = SelectObject(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(enabled_ ? font_.Color() : clGrayText));
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
  if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
  else if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
  DrawTextW(dc, w.c_str(), -1, &r, flags);
  SelectObject(dc, old);
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  width_ = 105;
  height_ = 105;
  picture_.OnChange = [this](TObject*) {
    if (transparent_ && picture_.Graphic()) picture_.Graphic()->SetTransparent(true);
    Invalidate();
  };
}

void TImage::SetStretch(bool v) {
  stretch_ = v;
  Invalidate();
}

void TImage::SetProportional(bool v) {
  proportional_ = v;
  Invalidate();
}

void TImage::SetCenter(bool v) {
  center_ = v;
  Invalidate();
}

void TImage::SetTransparent(bool v) {
  transparent_ = v;
  if (picture_.Graphic()) picture_.Graphic()->SetTransparent(v);
  Invalidate();
}

// Stretched fills the control; proportional keeps the picture's aspect (and shrinks a
// picture larger than the control even without Stretch); centred splits the free space.
TRect TImage::DestRect() const {
  int w = picture_.Width(), h = picture_.Height();
  int cw = width_, ch = height_;
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<int>(cw / aspect);
        if (h > ch) {
          h = ch;
          w = static_cast<int>(ch * aspect);
        }
      } else {
        h = ch;
        w = static_cast<int>(ch * aspect);
        if (w > cw) {
          w = cw;
          h = static_cast<int>(cw / aspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Rect(0, 0, w, h);
  if (center_) r = r.Offset((cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TGraphic* g = picture_.Graphic();
  if (!g || g->Empty()) return;
  canvas_.StretchDraw(DestRect(), g);
}

}  // namespace gui

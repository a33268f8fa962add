#include "gui/Buttons.h"

#include <algorithm>

#include "rtl/Utf.h"

namespace gui {

namespace {

// What a button with a picture shows: the picture strip and which image of it, the caption.
struct TGlyphFace {
  TBitmap* Glyph;
  int NumGlyphs;
  int Image;  // 0 up, 1 disabled, 2 pressed, 3 down
  TButtonLayout Layout;
  int Margin, Spacing;
  const std::string& Caption;
  TFont& Font;
  bool Enabled;
};

// Glyph and caption placed by Layout, Margin and Spacing (Margin -1 centres them) in a
// button Width x Height, moved by Offset (a pressed button's content).
void PaintGlyphAndCaption(HDC dc, int width, int height, const TGlyphFace& f, int offset) {
  int gw = 0, gh = 0;
  if (f.Glyph && !f.Glyph->Empty()) {
    gw = f.Glyph->Width() / std::max(1, f.NumGlyphs);
    gh = f.Glyph->Height();
  }
  std::wstring text = rtl::W(f.Caption);
  HGDIOBJ oldFont = SelectObject(dc, f.Font.Handle());
  SIZE ts{0, 0};
  if (!text.empty()) {
    RECT calc{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    ts = {calc.right, calc.bottom};
  }
  const bool horizontal = f.Layout == TButtonLayout::blGlyphLeft || f.Layout == TButtonLayout::blGlyphRight;
  const int space = (gw > 0 && !text.empty()) ? f.Spacing : 0;
  const int total = horizontal ? gw + space + ts.cx : gh + space + ts.cy;
  const int avail = horizontal ? width : height;
  const int start = f.Margin < 0 ? (avail - total) / 2 : f.Margin;
  POINT gp{}, tp{};
  if (horizontal) {
    gp.y = (height - gh) / 2;
    tp.y = (height - ts.cy) / 2;
    if (f.Layout == TButtonLayout::blGlyphLeft) {
      gp.x = start;
      tp.x = start + gw + space;
    } else {
      tp.x = f.Margin < 0 ? start : avail - f.Margin - total;
      gp.x = tp.x + ts.cx + space;
    }
  } else {
    gp.x = (width - gw) / 2;
    tp.x = (width - ts.cx) / 2;
    if (f.Layout == TButtonLayout::blGlyphTop) {
      gp.y = start;
      tp.y = start + gh + space;
    } else {
      tp.y = f.Margin < 0 ? start : avail - f.Margin - total;
      gp.y = tp.y + ts.cy + space;
    }
  }
  if (gw > 0) {
    const int index = f.Image < f.NumGlyphs ? f.Image : 0;
    HDC src = f.Glyph->Canvas().Handle();
    COLORREF key = ColorToRGB(f.Glyph->TransparentColor());
    TransparentBlt(dc, gp.x + offset, gp.y + offset, gw, gh, src, index * gw, 0, gw, gh, key);
  }
  if (!text.empty()) {
    // Placed by its measured size but drawn unclipped: a substituted face may ink a column
    // past its advance, which the measured rectangle would cut off.
    SetBkMode(dc, TRANSPARENT);
    RECT tr{tp.x + offset, tp.y + offset, tp.x + offset + ts.cx, tp.y + offset + ts.cy};
    if (!f.Enabled) {
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      RECT t1 = tr;
      OffsetRect(&t1, 1, 1);
      DrawTextW(dc, text.c_str(), -1, &t1, DT_SINGLELINE | DT_NOCLIP);
      SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
      SetTextColor(dc, ColorToRGB(f.Font.Color()));
    }
    DrawTextW(dc, text.c_str(), -1, &tr, DT_SINGLELINE | DT_NOCLIP);
  }
  SelectObject(dc, oldFont);
}

}  // namespace

TButtonGlyph::TButtonGlyph(TControl* button) : button_(button) {
  glyph_.OnChange = [this](TObject*) { button_->Invalidate(); };
}

void TButtonGlyph::SetNumGlyphs(int n) {
  numGlyphs_ = std::clamp(n, 1, 4);
  button_->Invalidate();
}

void TButtonGlyph::SetLayout(TButtonLayout l) {
  layout_ = l;
  button_->Invalidate();
}

void TButtonGlyph::SetMargin(int m) {
  margin_ = m;
  button_->Invalidate();
}

void TButtonGlyph::SetSpacing(int s) {
  spacing_ = s;
  button_->Invalidate();
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), TButtonGlyph(this) {
  width_ = 23;
  height_ = 22;
  parentColor_ = true;
  ControlStyle = csCaptureMouse | csDoubleClicks;  // clicks are ours: see WndProc
}

void TSpeedButton::SetFlat(bool v) {
  if (v == flat_) return;
  flat_ = v;
  Invalidate();
}

// Down only holds in a group; a down button of a group without AllowAllUp can only be
// released by pressing another one of its group.
void TSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = v;
  state_ = v ? TButtonState::bsExclusive : TButtonState::bsUp;
  Invalidate();
  if (v) UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int g) {
  groupIndex_ = g;
  if (g == 0 && down_) {
    down_ = false;
    state_ = TButtonState::bsUp;
    Invalidate();
  }
}

void TSpeedButton::SetAllowAllUp(bool v) {
  allowAllUp_ = v;
  // The whole group shares the setting.
  if (groupIndex_ != 0 && parent_)
    for (int i = 0; i < parent_->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TSpeedButton*>(parent_->Controls(i)); b && b != this && b->groupIndex_ == groupIndex_)
        b->allowAllUp_ = v;
}

// Pressing one button of a group releases the others of that group on the same parent.
void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !parent_) return;
  for (int i = 0; i < parent_->ControlCount(); ++i) {
    auto* b = dynamic_cast<TSpeedButton*>(parent_->Controls(i));
    if (!b || b == this || b->groupIndex_ != groupIndex_ || !b->down_) continue;
    b->down_ = false;
    b->state_ = TButtonState::bsUp;
    b->Invalidate();
  }
}

void TSpeedButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (enabled_) {
        dragging_ = true;
        if (!down_) state_ = TButtonState::bsDown;
        Invalidate();
        // A double click on a group button presses it like a click.
        if (msg.Msg == WM_LBUTTONDBLCLK && groupIndex_ == 0) {
          TControl::WndProc(msg);
          return;
        }
      }
      break;
    case WM_MOUSEMOVE:
      if (dragging_) {
        bool inside = Rect(0, 0, width_, height_).Contains({msg.XPos(), msg.YPos()});
        TButtonState want = inside ? TButtonState::bsDown : (down_ ? TButtonState::bsExclusive : TButtonState::bsUp);
        if (want != state_) {
          state_ = want;
          Invalidate();
        }
      }
      break;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        bool inside = Rect(0, 0, width_, height_).Contains({msg.XPos(), msg.YPos()});
        if (groupIndex_ == 0) {
          state_ = TButtonState::bsUp;
        } else if (inside) {
          SetDown(!down_);
          state_ = down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
        } else {
          state_ = down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
        }
        Invalidate();
        TControl::WndProc(msg);  // mouse-up handler
        if (inside && enabled_) Click();
        return;
      }
      break;
    case CM_MOUSEENTER:
      mouseIn_ = true;
      if (flat_ && enabled_) Invalidate();
      break;
    case CM_MOUSELEAVE:
      mouseIn_ = false;
      if (flat_ && enabled_) Invalidate();
      break;
    case CM_ENABLEDCHANGED:
      Invalidate();
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(msg);
}

void TSpeedButton::Paint() {
  HDC dc = canvas_.Handle();
  RECT r{0, 0, width_, height_};
  HBRUSH face = CreateSolidBrush(ColorToRGB(parentColor_ && !flat_ ? clBtnFace : color_));
  FillRect(dc, &r, face);
  DeleteObject(face);
  if (!enabled_) state_ = down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
  bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  if (flat_) {
    // Flat: no frame until the mouse is over it or it is pressed.
    if (pressed) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (mouseIn_ && enabled_) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  } else if (pressed) {
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
  } else {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  }
  if (state_ == TButtonState::bsExclusive && !flat_) {
    // A down button shows the checked pattern of the class library's buttons.
    RECT in = r;
    InflateRect(&in, -2, -2);
    HBRUSH b = CreateSolidBrush(ColorToRGB(clBtnHighlight));
    FillRect(dc, &in, b);
    DeleteObject(b);
  }
  PaintGlyphAndText(dc, r, pressed ? 1 : 0);
}

void TSpeedButton::PaintGlyphAndText(HDC dc, RECT r, int offset) {
  (void)r;
  // Image 1 is the disabled look, 2 the pressed, 3 the down one, when present.
  int image = 0;
  if (!enabled_ && numGlyphs_ > 1) image = 1;
  else if (state_ == TButtonState::bsDown && numGlyphs_ > 2) image = 2;
  else if (state_ == TButtonState::bsExclusive && numGlyphs_ > 3) image = 3;
  PaintGlyphAndCaption(dc, width_, height_,
                       {&glyph_, numGlyphs_, image, layout_, margin_, spacing_, text_, font_, enabled_}, offset);
}

// ---------------------------------------------------------------- bitmap buttons

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), TButtonGlyph(this) {}

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  // The button draws itself; the system still tracks pushing, focus and clicks.
  p.Style = (p.Style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  if (Default || focused) {
    // The default button's dark outline, as the system draws it for a push button.
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));
  if (pressed) FrameRect(dc, &r, static_cast<HBRUSH>(GetSysColorBrush(COLOR_BTNSHADOW)));
  const int image = !enabled_ ? 1 : pressed ? 2 : 0;
  PaintGlyphAndCaption(dc, width_, height_,
                       {&glyph_, numGlyphs_, image, layout_, margin_, spacing_, text_, font_, enabled_},
                       pressed ? 1 : 0);
  if (focused) {
    RECT f = item.rcItem;
    InflateRect(&f, -4, -4);
    DrawFocusRect(dc, &f);
  }
}

void TBitBtn::WndProc(TMessage& msg) {
  if (msg.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam));
    msg.Result = TRUE;
    return;
  }
  TButton::WndProc(msg);
}

}  // namespace gui

#include "gui/Buttons.h"

#include <algorithm>

#include "rtl/Utf.h"

namespace gui {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  width_ = 23;
  height_ = 22;
  parentColor_ = true;
  ControlStyle = csCaptureMouse | csDoubleClicks;  // clicks are ours: see WndProc
  glyph_.OnChange = [this](TObject*) { Invalidate(); };
}

void TSpeedButton::SetNumGlyphs(int n) {
  numGlyphs_ = std::clamp(n, 1, 4);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout l) {
  layout_ = l;
  Invalidate();
}

void TSpeedButton::SetMargin(int m) {
  margin_ = m;
  Invalidate();
}

void TSpeedButton::SetSpacing(int s) {
  spacing_ = s;
  Invalidate();
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

// Glyph and caption placed by Layout, Margin and Spacing (Margin -1 centres them).
void TSpeedButton::PaintGlyphAndText(HDC dc, RECT r, int offset) {
  int gw = 0, gh = 0;
  if (!glyph_.Empty()) {
    gw = glyph_.Width() / numGlyphs_;
    gh = glyph_.Height();
  }
  std::wstring text = rtl::W(text_);
  HGDIOBJ oldFont = SelectObject(dc, font_.Handle());
  SIZE ts{0, 0};
  if (!text.empty()) {
    RECT calc{0, 0, width_, 0};
    DrawTextW(dc, text.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    ts = {calc.right, calc.bottom};
  }
  bool horizontal = layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;
  int space = (gw > 0 && !text.empty()) ? spacing_ : 0;
  int total = horizontal ? gw + space + ts.cx : gh + space + ts.cy;
  int avail = horizontal ? width_ : height_;
  int start = margin_ < 0 ? (avail - total) / 2 : margin_;
  POINT gp{}, tp{};
  if (horizontal) {
    gp.y = (height_ - gh) / 2;
    tp.y = (height_ - ts.cy) / 2;
    if (layout_ == TButtonLayout::blGlyphLeft) {
      gp.x = start;
      tp.x = start + gw + space;
    } else {
      tp.x = margin_ < 0 ? start : avail - margin_ - total;
      gp.x = tp.x + ts.cx + space;
    }
  } else {
    gp.x = (width_ - gw) / 2;
    tp.x = (width_ - ts.cx) / 2;
    if (layout_ == TButtonLayout::blGlyphTop) {
      gp.y = start;
      tp.y = start + gh + space;
    } else {
      tp.y = margin_ < 0 ? start : avail - margin_ - total;
      gp.y = tp.y + ts.cy + space;
    }
  }
  if (gw > 0) {
    // Image 1 is the disabled look, 2 the pressed, 3 the down one, when present.
    int index = 0;
    if (!enabled_ && numGlyphs_ > 1) index = 1;
    else if (state_ == TButtonState::bsDown && numGlyphs_ > 2) index = 2;
    else if (state_ == TButtonState::bsExclusive && numGlyphs_ > 3) index = 3;
    HDC src = glyph_.Canvas().Handle();
    COLORREF key = ColorToRGB(glyph_.TransparentColor());
    TransparentBlt(dc, gp.x + offset, gp.y + offset, gw, gh, src, index * gw, 0, gw, gh, key);
  }
  if (!text.empty()) {
    // Placed by its measured size but drawn unclipped: a substituted face may ink a column
    // past its advance, which the measured rectangle would cut off.
    SetBkMode(dc, TRANSPARENT);
    RECT tr{tp.x + offset, tp.y + offset, tp.x + offset + ts.cx, tp.y + offset + ts.cy};
    if (!enabled_) {
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      RECT t1 = tr;
      OffsetRect(&t1, 1, 1);
      DrawTextW(dc, text.c_str(), -1, &t1, DT_SINGLELINE | DT_NOCLIP);
      SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
      SetTextColor(dc, ColorToRGB(font_.Color()));
    }
    DrawTextW(dc, text.c_str(), -1, &tr, DT_SINGLELINE | DT_NOCLIP);
  }
  SelectObject(dc, oldFont);
}

}  // namespace gui

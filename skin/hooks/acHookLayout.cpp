#include "skin/hooks/acHookLayout.h"

#include <algorithm>

namespace skin {

// ---------------------------------------------------------------- dialog buttons

int ModalIdOfResult(int modalResult) {
  switch (modalResult) {
    case 1:  // mrOk
    case 6:  // mrYes
      return 1;
    case 2:  // mrCancel
    case 7:  // mrNo
      return 7;
    default:
      return 0;
  }
}

TacModalColors ModalButtonColors(unsigned coloring, int modalId, bool hasOkSibling, bool hasNoSibling, bool hot) {
  TacModalColors c;
  if (coloring == 0) return c;
  const bool ok = modalId == 1 || modalId == 6;
  const bool cancel = modalId == 2 || modalId == 7;
  if (!ok && !cancel) return c;
  // A dialog's Cancel (ID 2) only stands out next to an OK or Yes; the No sibling test
  // chooses the palette for every Cancel/No button.
  if (modalId == 2 && !hasOkSibling) return c;
  uint32_t back, text;
  if (ok) {
    back = hot ? 0xFFCDFFB4 : 0xFFE1FFD2;
    text = hot ? 0xFF008E00 : 0xFF28851A;
  } else if (hasNoSibling) {
    back = hot ? 0xFFFFE9BE : 0xFFFFEDC9;
    text = hot ? 0xFF916000 : 0xFFAE7400;
  } else {
    back = hot ? 0xFFBDBDFF : 0xFFD5D5FF;
    text = hot ? 0xFF0000A2 : 0xFF0000B4;
  }
  if (coloring & 1) c.Background = back;
  if (coloring & 2) c.Glyph = text;
  if (coloring & 4) c.Text = text;
  return c;
}

// ---------------------------------------------------------------- push buttons

int ButtonStateIndex(int buttonState, int sectionStates) {
  if (buttonState == 3 && sectionStates < 4) return 1;
  return std::max(0, std::min(buttonState, sectionStates - 1));
}

gui::TRect ButtonCaptionRect(int width, int height, gui::TSize caption, bool shifted) {
  const int dx = (width - caption.cx) / 2, dy = (height - caption.cy) / 2;
  gui::TRect r{dx - 1, dy, width - dx + 2, height - dy};
  return shifted ? r.Offset(1, 1) : r;
}

int ButtonMaxCaptionWidth(int width, bool hasCaption, int glyphWidth) {
  if (!hasCaption) return 0;
  if (glyphWidth == 0) return width + 1;
  return std::max(0, width - glyphWidth);
}

gui::TPoint BitBtnGlyphPos(TacGlyphLayout layout, int width, int height, gui::TSize glyph, gui::TSize caption,
                           int spacing, bool shifted) {
  const int gw = glyph.cx, gh = glyph.cy, cw = caption.cx, ch = caption.cy;
  const int s = (gw > 0 && cw > 0) ? spacing : 0;
  gui::TPoint p;
  switch (layout) {
    case TacGlyphLayout::Left: p = {(width - gw - cw - s) / 2, (height - gh) / 2}; break;
    case TacGlyphLayout::Right: p = {(width + s + cw - gw) / 2, (height - gh) / 2}; break;
    case TacGlyphLayout::Top: p = {(width - gw) / 2 + 1, (height - gh - ch - s) / 2}; break;
    case TacGlyphLayout::Bottom: {
      const int top = (height - gh - ch - s) / 2;
      p = {(width - gw) / 2 + 1, height - top - gh};
      break;
    }
  }
  if (shifted) p = {p.X + 1, p.Y + 1};
  return p;
}

gui::TRect BitBtnCaptionRect(TacGlyphLayout layout, int width, int height, gui::TSize glyph, gui::TSize caption,
                             bool shifted) {
  const int gw = glyph.cx, gh = glyph.cy, cw = caption.cx, ch = caption.cy;
  gui::TPoint p;
  switch (layout) {
    case TacGlyphLayout::Left: p = {(width - gw - cw) / 2 + gw, (height - ch) / 2}; break;
    case TacGlyphLayout::Right: p = {(width - gw - cw) / 2, (height - ch) / 2}; break;
    case TacGlyphLayout::Top: p = {(width - cw) / 2, (height - gh - ch) / 2 + gh}; break;
    case TacGlyphLayout::Bottom: p = {(width - cw) / 2, (height - gh - ch) / 2}; break;
  }
  gui::TRect r{p.X, p.Y, p.X + cw, p.Y + ch};
  return shifted ? r.Offset(1, 1) : r;
}

int BitBtnMaxCaptionWidth(TacGlyphLayout layout, int width, bool hasCaption, int margin, int glyphWidth, int spacing) {
  if (!hasCaption) return 0;
  int w = width - 2 * margin;
  if ((layout == TacGlyphLayout::Left || layout == TacGlyphLayout::Right) && glyphWidth > 0) w -= glyphWidth + spacing;
  return w;
}

// ---------------------------------------------------------------- speed buttons

gui::TRect SpeedGlyphRect(const TacSpeedLayout& l) {
  const int gw = l.Glyph.cx, gh = l.Glyph.cy, tw = l.Caption.cx, th = l.Caption.cy;
  const bool caption = tw > 0 || th > 0;
  const int sx = (gw > 0 && caption) ? l.Spacing : 0, sy = (gh > 0 && caption) ? l.Spacing : 0;
  const int x = (l.Width - (gw + sx + tw)) / 2, y = (l.Height - (gh + sy + th)) / 2;
  int left = 0, top = 0;
  switch (l.Layout) {
    case TacGlyphLayout::Left:
      left = l.Margin != -1 ? l.Margin : x;
      top = (l.Height - gh) / 2;
      break;
    case TacGlyphLayout::Right:
      left = l.Width - gw - (l.Margin != -1 ? l.Margin : x);
      top = (l.Height - gh) / 2;
      break;
    case TacGlyphLayout::Top:
      left = (l.Width - gw) / 2;
      top = l.Margin != -1 ? l.Margin : y;
      break;
    case TacGlyphLayout::Bottom:
      left = (l.Width - gw) / 2;
      top = l.Height - gh - (l.Margin != -1 ? l.Margin : y);
      break;
  }
  if (l.Shifted) ++left, ++top;
  return {left, top, left + gw, top + gh};
}

gui::TRect SpeedCaptionRect(const TacSpeedLayout& l) {
  const int tw = l.Caption.cx, th = l.Caption.cy, W = l.Width, H = l.Height;
  int left = 0, top = 0;
  if (l.Glyph.cx <= 0 || l.Glyph.cy <= 0) {
    if (l.Margin == -1) {
      left = (W - tw) / 2;
      top = (H - th) / 2;
    } else {
      switch (l.Layout) {
        case TacGlyphLayout::Left: left = l.Margin, top = (H - th) / 2; break;
        case TacGlyphLayout::Right: left = W - l.Margin - tw, top = (H - th) / 2; break;
        case TacGlyphLayout::Top: left = (W - tw) / 2, top = l.Margin; break;
        case TacGlyphLayout::Bottom: left = (W - tw) / 2, top = H - l.Margin - th; break;
      }
    }
  } else {
    // The glyph's rectangle already carries the pressed shift; the caption is placed from
    // the unshifted glyph and shifted once below.
    TacSpeedLayout unshifted = l;
    unshifted.Shifted = false;
    const gui::TRect g = SpeedGlyphRect(unshifted);
    switch (l.Layout) {
      case TacGlyphLayout::Left: left = g.Right + l.Spacing, top = (H - th) / 2; break;
      case TacGlyphLayout::Right: left = g.Left - (l.Spacing + tw), top = (H - th) / 2; break;
      case TacGlyphLayout::Top: left = (W - tw) / 2, top = g.Bottom + l.Spacing; break;
      case TacGlyphLayout::Bottom: left = (W - tw) / 2, top = g.Top - (l.Spacing + th); break;
    }
  }
  gui::TRect r{left, top, left + tw, top + th};
  return l.Shifted ? r.Offset(1, 1) : r;
}

// ---------------------------------------------------------------- check boxes

gui::TRect CheckGlyphRect(int width, int height, gui::TSize element, bool leftText) {
  if (element.cx <= 0 || element.cy <= 0) return {};
  const int x = leftText ? width - element.cx : 0, y = (height - element.cy) / 2;
  return {x, y, x + element.cx, y + element.cy};
}

TacCheckCaption CheckCaptionRect(int width, int height, int glyphWidth, gui::TSize text, bool leftText,
                                 bool rtlReading, bool multiLine) {
  const int available = CheckCaptionWidth(width, glyphWidth);
  const int top = std::max((height - text.cy) / 2, 0), bottom = height - top;
  TacCheckCaption c;
  if (!leftText) {
    const int left = width - available + 2;
    c.Rect = gui::TRect{left, top, left + text.cx, bottom}.Offset(multiLine ? -1 : 0, -1);
  } else if (rtlReading) {
    const int right = width - glyphWidth - 6;
    c.Rect = {right - text.cx, top, right, bottom};
    c.RightAligned = !multiLine;
  } else {
    c.Rect = {2, top, text.cx + 2, bottom};
  }
  return c;
}

// ---------------------------------------------------------------- panels and group boxes

std::string PanelSectionByBevel(TacBevel outer, TacBevel inner, bool bordered) {
  switch (outer) {
    case TacBevel::Lowered: return inner == TacBevel::Raised ? "GROUPBOX" : "PANEL_LOW";
    case TacBevel::Raised: return inner == TacBevel::Lowered ? "GROUPBOX" : "PANEL";
    default: return bordered ? "PANEL_LOW" : "TRANSPARENT";
  }
}

gui::TRect GroupCaptionRect(int width, gui::TSize caption, bool rtlReading) {
  if (caption.cx <= 0 && caption.cy <= 0) return {};
  const int left = rtlReading ? width - caption.cx - 14 : 6;
  return {left, 0, std::min(left + caption.cx + 8, width - 1), std::max(4, caption.cy) + 2};
}

// ---------------------------------------------------------------- up-down

TacSpinButtons SpinButtonRects(int width, int height, bool horizontal, int leftOffset) {
  if (horizontal) return {{0, 0, (width + 1) / 2, height}, {width / 2, 0, width, height}};
  return {{leftOffset, 0, width, (height + 1) / 2}, {leftOffset, height / 2, width, height}};
}

TacSpinStates SpinButtonStates(int width, int height, bool horizontal, bool rightToLeft, gui::TPoint cursor,
                               bool pressed) {
  TacSpinStates s;
  if (!gui::TRect{0, 0, width, height}.Contains(cursor)) return s;
  const int active = pressed ? 2 : 1;
  bool first;
  if (horizontal) {
    const bool leftHalf = cursor.X < width - width / 2;
    first = rightToLeft ? !leftHalf : leftHalf;
  } else {
    first = cursor.Y < height - height / 2;
  }
  (first ? s.First : s.Second) = active;
  return s;
}

}  // namespace skin

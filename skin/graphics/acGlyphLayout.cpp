#include "skin/graphics/acGlyphLayout.h"

#include <algorithm>

#include "skin/core/sCommonUtils.h"

namespace skin {

TGlyphTextLayout LayoutGlyphAndText(const TRect& r, TPoint gs, TPoint ts, TButtonLayout layout, TAlignment alignment,
                                    int margin, int spacing, uint8_t biDiFlags, uint8_t vertAlign) {
  const TPoint cs{r.Right - r.Left, r.Bottom - r.Top};
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  TGlyphTextLayout out;
  TPoint& gp = out.GlyphPos;
  TRect& tr = out.TextRect;
  tr = {0, 0, ts.X, ts.Y};
  int tx, ty;
  if (horizontal) {
    gp.Y = (cs.Y - gs.Y + 1) / 2;
    tx = 0;
    ty = (cs.Y - ts.Y + 1) / 2;
  } else {
    gp.X = (cs.X - gs.X + 1) / 2;
    tx = (cs.X - ts.X + 1) / 2;
    ty = 0;
  }
  if (ts.X == 0 || gs.X == 0) spacing = 0;

  // The margin along the layout's axis.
  int m;
  auto axis = [&](TPoint p) { return horizontal ? p.X : p.Y; };
  if (margin == -1 && spacing < 0) {
    const TPoint total{gs.X + ts.X, gs.Y + ts.Y};
    m = spacing = (axis(cs) - axis(total)) / 3;
  } else if (margin == -1) {
    const TPoint total = alignment == taCenter ? TPoint{gs.X + ts.X + spacing, gs.Y + ts.Y + spacing} : cs;
    m = -1;
    if (vertAlign == kVertAlignTop || vertAlign == kVertAlignBottom)
      m = 2;
    else if (vertAlign == kVertAlignCenter)
      m = alignment == taCenter ? (axis(cs) - axis(total) + 1) / 2 : 2;
  } else if (spacing < 0) {
    const TPoint total{cs.X - gs.X - margin, cs.Y - gs.Y - margin};
    m = margin;
    spacing = (axis(total) - axis(ts)) / 2;
  } else {
    m = margin;
  }

  switch (layout) {
    case blGlyphRight:
      if (alignment == taLeftJustify) {
        gp.X = m + ts.X + spacing;
        tx = m;
      } else if (alignment == taRightJustify) {
        gp.X = cs.X - m - gs.X;
        tr.Right = gp.X - spacing;
        tx = 0;
      } else {
        tx = (cs.X - ts.X - spacing - gs.X) / 2;
        gp.X = spacing + tx + ts.X;
      }
      break;
    case blGlyphTop:
      ty = (cs.Y - gs.Y - spacing - ts.Y) / 2;
      gp.Y = ty;
      ty += gs.Y + spacing;
      break;
    case blGlyphBottom:
      gp.Y = cs.Y - gs.Y - (cs.Y - gs.Y - spacing - ts.Y) / 2;
      ty = gp.Y - spacing - ts.Y;
      break;
    case blGlyphLeft:
      if (alignment == taRightJustify) {
        tx = cs.X - m - ts.X;
        gp.X = tx - spacing - gs.X;
      } else if (alignment == taCenter) {
        gp.X = std::max((cs.X - ts.X - spacing - gs.X) / 2, m);
        tx = spacing + gp.X + gs.X;
      } else if (gs.X != 0) {
        gp.X = m;
        tx = m + gs.X + spacing;
        tr.Right = r.Right - m - tx;
      } else {
        tr.Right = m + ts.X;
        tx = m;
      }
      break;
  }

  gp.X += r.Left;
  gp.Y += r.Top;
  tr = tr.Offset(tx + r.Left, ty + r.Top);

  const int g = std::max(0, margin);
  auto moveTextTopTo = [&](int top) { tr = tr.Offset(0, top - tr.Top); };
  if (vertAlign == kVertAlignTop) {
    if (horizontal) {
      gp.Y = g;
      moveTextTopTo(g);
    } else if (layout == blGlyphTop) {
      tr = tr.Offset(0, g - gp.Y);
      gp.Y = g;
    } else {
      gp.Y += g - tr.Top;
      moveTextTopTo(g);
    }
  } else if (vertAlign == kVertAlignBottom) {
    if (horizontal) {
      gp.Y = r.Bottom - g - gs.Y;
      tr = tr.Offset(0, r.Bottom - g - tr.Bottom);
    } else if (layout == blGlyphTop) {
      const int d = r.Bottom - g - tr.Bottom;
      gp.Y += d;
      tr = tr.Offset(0, d);
    } else {
      tr = tr.Offset(0, r.Bottom - g - gp.Y - gs.Y);
      gp.Y = r.Bottom - g - gs.Y;
    }
  }

  if (biDiFlags & kBiDiRightToLeft) {
    const TacRect mirrored = MirrorRect({tr.Left, tr.Top, tr.Right, tr.Bottom}, cs.X, cs.Y, true);
    tr = {mirrored.Left, mirrored.Top, mirrored.Right, mirrored.Bottom};
    gp.X = cs.X - gp.X - gs.X;
  }
  return out;
}

}  // namespace skin

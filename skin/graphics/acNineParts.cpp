#include "skin/graphics/acNineParts.h"

#include <algorithm>
#include <cstring>

#include "skin/graphics/acBlend.h"

namespace skin {

using gui::Bounds;

namespace {

void Add(std::vector<TBlitPart>& parts, TRect dst, TRect src) {
  if (dst.IsEmpty() || src.IsEmpty()) return;
  parts.push_back({dst, src, dst.Width() != src.Width() || dst.Height() != src.Height()});
}

// Blocks of the tile's size from Y0 while another whole block fits before End, then one
// block cut at End (rows when Vertical, else columns).
void Tile(std::vector<TBlitPart>& parts, const TRect& tile, int start, int end, int x, int y, bool vertical) {
  const int step = vertical ? tile.Height() : tile.Width();
  if (step <= 0) return;
  int pos = start;
  while (pos < end - step) {
    Add(parts, vertical ? Bounds(x, pos, tile.Width(), step) : Bounds(pos, y, step, tile.Height()), tile);
    pos += step;
  }
  const int rest = end - pos;
  if (rest > 0)
    Add(parts, vertical ? Bounds(x, pos, tile.Width(), rest) : Bounds(pos, y, rest, tile.Height()),
        vertical ? Bounds(tile.Left, tile.Top, tile.Width(), rest) : Bounds(tile.Left, tile.Top, rest, tile.Height()));
}

}  // namespace

std::vector<TBlitPart> NinePartPlan(const TRect& d, const TRect& s, const TRect& w, const TRect& lim,
                                    const TRect& modes, bool stretchCenter, bool drawCenter) {
  std::vector<TBlitPart> parts;
  const int L = std::min(w.Left, lim.Left), R = std::min(w.Right, lim.Right);
  const int T = std::min(w.Top, lim.Top), B = std::min(w.Bottom, lim.Bottom);
  // Corners meet at the destination's centre lines (measured from its own corner, so a
  // destination away from the origin shrinks its corners the same way).
  const int cx = (d.Left + d.Right) / 2, cy = (d.Top + d.Bottom) / 2;
  const int CL = std::min(w.Left, cx - d.Left), CT = std::min(w.Top, cy - d.Top);
  const int CR = std::min(d.Right - cx, w.Right), CB = std::min(d.Bottom - cy, w.Bottom);

  // Corners; with limits, L-shaped pieces that leave the inner area undrawn.
  Add(parts, Bounds(d.Left, d.Top, CL, T), Bounds(s.Left, s.Top, CL, T));
  Add(parts, Bounds(d.Right - CR, d.Top, CR, T), Bounds(s.Right - CR, s.Top, CR, T));
  Add(parts, Bounds(d.Left, d.Bottom - B, CL, B), Bounds(s.Left, s.Bottom - B, CL, B));
  Add(parts, Bounds(d.Right - CR, d.Bottom - B, CR, B), Bounds(s.Right - CR, s.Bottom - B, CR, B));
  if (T != w.Top) {
    Add(parts, Bounds(d.Left, d.Top + T, L, CT - T), Bounds(s.Left, s.Top + T, L, CT - T));
    Add(parts, Bounds(d.Right - R, d.Top + T, R, CT - T), Bounds(s.Right - R, s.Top + T, R, CT - T));
  }
  if (B != w.Bottom) {
    Add(parts, Bounds(d.Left, d.Bottom - CB, L, CB - B), Bounds(s.Left, s.Bottom - CB, L, CB - B));
    Add(parts, Bounds(d.Right - R, d.Bottom - CB, R, CB - B), Bounds(s.Right - R, s.Bottom - CB, R, CB - B));
  }

  const int SW = std::max(0, s.Width() - w.Left - w.Right), SH = std::max(0, s.Height() - w.Top - w.Bottom);
  if (SH > 0) {
    const int srcH = s.Height() - CT - CB, dstH = d.Height() - CT - CB;
    const struct {
      int thick, dstX, srcX, mode;
    } sides[] = {{L, d.Left, s.Left, modes.Left}, {R, d.Right - R, s.Right - R, modes.Right}};
    for (const auto& side : sides) {
      if (side.mode & 1)
        Add(parts, Bounds(side.dstX, d.Top + CT, side.thick, dstH), Bounds(side.srcX, s.Top + CT, side.thick, srcH));
      else
        Tile(parts, Bounds(side.srcX, s.Top + CT, side.thick, SH), d.Top + CT, d.Bottom - CB, side.dstX, 0, true);
    }
  }
  if (SW > 0) {
    const int srcW = s.Width() - CL - CR, dstW = d.Width() - CL - CR;
    const struct {
      int thick, dstY, srcY, mode;
    } sides[] = {{T, d.Top, s.Top, modes.Top}, {B, d.Bottom - B, s.Bottom - B, modes.Bottom}};
    for (const auto& side : sides) {
      if (side.mode & 1)
        Add(parts, Bounds(d.Left + CL, side.dstY, dstW, side.thick), Bounds(s.Left + CL, side.srcY, srcW, side.thick));
      else
        Tile(parts, Bounds(s.Left + CL, side.srcY, SW, side.thick), d.Left + CL, d.Right - CR, 0, side.dstY, false);
    }
  }
  if (drawCenter) {
    const TRect centre{d.Left + CL, d.Top + CT, d.Right - CR, d.Bottom - CB};
    if (stretchCenter) {
      Add(parts, centre, Bounds(s.Left + CL, s.Top + CT, s.Width() - CL - CR, s.Height() - CT - CB));
    } else if (SW > 0 && SH > 0) {
      for (int x = centre.Left; x < centre.Right; x += SW) {
        const int cw = std::min(SW, centre.Right - x);
        for (int y = centre.Top; y < centre.Bottom; y += SH)
          Add(parts, Bounds(x, y, cw, std::min(SH, centre.Bottom - y)),
              Bounds(s.Left + CL, s.Top + CT, cw, std::min(SH, centre.Bottom - y)));
      }
    }
  }
  return parts;
}

void DrawBlitParts(TBitmap32& dst, const TBitmap32& src, const std::vector<TBlitPart>& parts) {
  for (const TBlitPart& p : parts) {
    if (p.Stretch) {
      StretchCopy(dst, p.Dst, src, p.Src);
      continue;
    }
    const TCopyArea a = ClipCopy(dst, p.Dst.Left, p.Dst.Top, src, p.Src);
    for (int j = 0; j < a.Height; ++j)
      std::memcpy(dst.Row(a.DstY + j) + a.DstX, src.Row(a.SrcY + j) + a.SrcX, static_cast<size_t>(a.Width) * 4);
  }
}

void AddTransparentCornerRects(TRects& rects, int width, const TacElementPicture& e, int y, bool bottom,
                               int xOffset) {
  if (e.Image == nullptr || !e.Image->HasRows()) return;
  const TBitmap32& img = *e.Image;
  const int imageHeight = e.MaskBlocks == 1 ? e.SrcRect.Height() / 2 : e.SrcRect.Height();
  const int bandRows = bottom ? e.BorderBottom : e.BorderTop;
  const int firstRow = e.SrcRect.Top + (bottom ? imageHeight - bandRows : 0);
  if (bandRows <= 0 || firstRow < 0 || firstRow + bandRows > img.Height()) return;
  const int frameWidth = e.FrameWidth;
  // Runs of fuchsia in columns [from, to) of the first frame, placed by Place(column).
  const auto scan = [&](int row, int from, int to, auto place) {
    from = std::max(from, 0);
    to = std::min(to, frameWidth);
    const TPixel* p = img.Row(firstRow + row);
    int c = from;
    while (c < to) {
      const int sx = e.SrcRect.Left + c;
      if (sx < 0 || sx >= img.Width() || p[sx] != 0x00FF00FFu) {
        ++c;
        continue;
      }
      const int start = c;
      while (c < to && e.SrcRect.Left + c < img.Width() && p[e.SrcRect.Left + c] == 0x00FF00FFu) ++c;
      const int x = place(start);
      const int ry = y + row - (bottom ? xOffset : 0);
      rects.push_back({x, ry, x + c - start, ry + 1});
    }
  };
  for (int r = 0; r < bandRows; ++r) {
    scan(r, 0, e.BorderLeft, [&](int column) { return xOffset + column; });
    scan(r, frameWidth - e.BorderRight, frameWidth,
         [&](int column) { return width - (frameWidth - column) - xOffset; });
  }
}

}  // namespace skin

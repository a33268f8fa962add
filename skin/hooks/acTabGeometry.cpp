#include "skin/hooks/acTabGeometry.h"

#include <algorithm>

namespace skin {
namespace {

void Inflate(TBarRect& r, int32_t dx, int32_t dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
}

void Offset(TBarRect& r, int32_t dx, int32_t dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

bool IsEmpty(const TBarRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

}  // namespace

TTabSide TabSideOf(uint32_t style) {
  if (style & kTcsVertical) return (style & kTcsBottom) ? tsRight : tsLeft;
  return (style & kTcsBottom) ? tsBottom : tsTop;
}

TTabStyle TabStyleOf(uint32_t style) {
  if (style & kTcsFlatButtons) return tyFlatButtons;
  if (style & kTcsButtons) return tyButtons;
  return tyTabs;
}

int32_t TabSectionEntry(TTabSide side) {
  switch (side) {
    case tsTop: return 1;
    case tsBottom: return 3;
    case tsLeft: return 0;
    case tsRight: return 2;
  }
  return 1;
}

namespace {

// Where the page area meets the tabs' strip, on the axis of the side.
int32_t PageEdge(const TBarRect& d, TTabSide side) {
  switch (side) {
    case tsTop: return d.Top - 4;
    case tsBottom: return d.Bottom + 2;
    case tsLeft: return d.Left - 1;
    case tsRight: return d.Right + 1;
  }
  return 0;
}

// The part of a Width x Height control on the page's side of the edge (Page) or the tabs'.
TBarRect SideOfEdge(int32_t width, int32_t height, const TBarRect& d, int32_t tabCount, TTabSide side, bool page) {
  TBarRect r{0, 0, width, height};
  if (tabCount <= 0) return r;
  const int32_t edge = PageEdge(d, side);
  // The page lies after the edge for top and left tabs, before it for bottom and right ones.
  const bool pageAfter = side == tsTop || side == tsLeft;
  int32_t& coord = (side == tsTop || side == tsBottom) ? (pageAfter == page ? r.Top : r.Bottom)
                                                       : (pageAfter == page ? r.Left : r.Right);
  coord = edge;
  return r;
}

}  // namespace

TBarRect PageAreaRect(int32_t width, int32_t height, const TBarRect& d, int32_t tabCount, TTabSide side) {
  return SideOfEdge(width, height, d, tabCount, side, true);
}

TBarRect TabsAreaRect(int32_t width, int32_t height, const TBarRect& d, int32_t tabCount, TTabSide side) {
  return SideOfEdge(width, height, d, tabCount, side, false);
}

TBarRect TabSkinRect(const TBarRect& item, bool active, TTabSide side, TTabStyle style, int32_t tabsCovering) {
  TBarRect r = item;
  if (style != tyTabs || IsEmpty(r)) return r;
  if (active) {
    r.Bottom -= 1;
  } else {
    r.Bottom += 3;
    r.Right -= 1;
  }
  const int32_t a = active ? 1 : 0;
  switch (side) {
    case tsTop:
      Inflate(r, 2 * a, 2 * a);
      r.Bottom += 1;
      break;
    case tsBottom:
      Inflate(r, 2 * a, a);
      r.Top -= 2;
      r.Bottom += active ? 1 : -3;
      break;
    case tsLeft:
      Inflate(r, 0, 1);
      r.Right += 2;
      if (active) {
        Inflate(r, 1, 1);
      } else {
        r.Bottom -= 4;
        r.Right += 2;
      }
      break;
    case tsRight:
      Inflate(r, 1, 0);
      Offset(r, -1, -1);
      if (active) {
        Inflate(r, 1, 1);
        r.Bottom += 3;
      } else {
        r.Bottom -= 2;
      }
      break;
  }
  if (tabsCovering > 0) {
    if (side == tsTop || side == tsBottom) {
      Offset(r, tabsCovering, 0);
      Inflate(r, tabsCovering, 0);
    } else {
      Offset(r, 0, tabsCovering);
      Inflate(r, 0, tabsCovering);
    }
  }
  return r;
}

int32_t TabRow(const TBarRect& item, int32_t rows, const TBarRect& area, TTabSide side) {
  if (rows < 2) return 1;
  const int32_t w = item.Right - item.Left;
  const int32_t h = item.Bottom - item.Top;
  // A degenerate item rectangle has no row of its own: keep it with the page.
  if ((side == tsTop || side == tsBottom) ? h <= 0 : w <= 0) return 1;
  int32_t row = 1;
  switch (side) {
    case tsTop: row = (h / 2 + item.Bottom) / h; break;
    case tsLeft: row = (w / 2 + item.Right) / w; break;
    case tsRight: row = rows - (item.Right + w / 2 - area.Left) / w + 1; break;
    case tsBottom: row = rows - (item.Bottom + h / 2 - area.Top) / h + 1; break;
  }
  // A tab reported outside the strip still belongs to a row, or it would never be painted.
  return std::clamp(row, 1, rows);
}

std::vector<int32_t> TabPaintOrder(const std::vector<int32_t>& rowOf, int32_t rows, int32_t active) {
  std::vector<int32_t> order;
  const int32_t count = static_cast<int32_t>(rowOf.size());
  for (int32_t row = 1; row <= std::max(rows, 1); ++row)
    for (int32_t i = 0; i < count; ++i)
      if (i != active && rowOf[static_cast<size_t>(i)] == row) order.push_back(i);
  if (active >= 0 && active < count) order.push_back(active);
  return order;
}

std::string TabPageSection(const std::string& section, int32_t tabCount, TTabSide side) {
  if (tabCount <= 0) return "TRANSPARENT";
  if (section != "PAGECONTROL") return section;
  switch (side) {
    case tsTop: return section;
    case tsBottom: return section + "BOTTOM";
    case tsLeft: return section + "LEFT";
    case tsRight: return section + "RIGHT";
  }
  return section;
}

}  // namespace skin

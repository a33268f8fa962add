#include "skin/forms/acMenuGeometry.h"

#include <algorithm>

namespace skin {

TsMenuItemType MenuItemKind(std::string_view caption) {
  if (caption.size() == 1 && caption[0] == kMenuCaptionMarker) return TsMenuItemType::smDivider;
  if (caption.size() >= 2 && caption.front() == kMenuCaptionMarker && caption.back() == kMenuCaptionMarker)
    return TsMenuItemType::smCaption;
  return TsMenuItemType::smNormal;
}

std::string CaptionItemText(std::string_view caption) {
  if (caption.size() < 2) return {};
  return std::string(caption.substr(1, caption.size() - 2));
}

int32_t MenuScale(int32_t value, int32_t ppi) { return int32_t(int64_t(value) * ppi / 96); }

int32_t MenuItemHeight(TsMenuItemType kind, int32_t textHeight, int32_t glyphHeight, int32_t margin) {
  switch (kind) {
    case TsMenuItemType::smDivider: return 2;
    case TsMenuItemType::smCaption: return textHeight + 2 * margin + 3;
    default: return std::max(textHeight, glyphHeight) + 2 * margin + 2;
  }
}

int32_t MenuItemWidth(const TacMenuItemWidthQuery& q) {
  int32_t w = 2 * q.GlyphWidth + 3 * q.Margin + q.Spacing;
  if (q.HasText) {
    w += q.TextWidth;
    if (q.NoSkinBorder) w -= 2 * q.BorderWidth;
  }
  return w + q.ExtraLine;
}

int32_t PopupWidth(const std::vector<TacPopupEntry>& items) {
  int32_t total = 0, widest = 0;
  for (const TacPopupEntry& e : items) {
    if (!e.Visible) continue;
    if (e.Break) {
      total += widest + 4;
      widest = 0;
    }
    widest = std::max(widest, e.Width + 12);
  }
  return widest + total;
}

int32_t PopupHeight(const std::vector<TacPopupEntry>& items) {
  int32_t tallest = 0, current = 0;
  for (const TacPopupEntry& e : items) {
    if (!e.Visible) continue;
    if (e.Break) {
      tallest = std::max(tallest, current);
      current = e.Width;
    } else {
      current += e.Width;
    }
  }
  return std::max(tallest, current);
}

bool InLaterColumn(const std::vector<TacPopupEntry>& items, int32_t index) {
  const int32_t last = std::min<int32_t>(index, int32_t(items.size()) - 1);
  for (int32_t i = 1; i <= last; ++i)
    if (items[size_t(i)].Break) return true;
  return false;
}

int32_t PopupFrameWidth(bool hasBorderImage, int32_t leftBorderWidth) {
  if (!hasBorderImage) return 0;
  const int32_t w = std::min(leftBorderWidth, 3);
  return w <= 0 ? 3 : w;
}

int32_t ExtraLineWidthAt(bool useExtraLine, bool lineVisible, int32_t width, int32_t ppi) {
  return useExtraLine && lineVisible ? MenuScale(width, ppi) : 0;
}

int32_t MenuSectionState(int32_t state, int32_t sectionStates) {
  return std::clamp(state, 0, std::max(sectionStates, 1) - 1);
}

TacMenuCaption SplitMenuCaption(std::string_view caption) {
  TacMenuCaption c;
  const size_t tab = caption.find('\t');
  c.Text = std::string(caption.substr(0, tab));
  if (tab != std::string_view::npos) c.RightText = std::string(caption.substr(tab + 1));
  if (!c.Text.empty() && c.Text[0] == '\b') {
    c.Text.erase(0, 1);
    c.Text += "      ";
    c.RightAligned = true;
  }
  return c;
}

TRect MirrorInside(const TRect& r, const TRect& within) {
  return {within.Left + within.Right - r.Right, r.Top, within.Left + within.Right - r.Left, r.Bottom};
}

TRect ItemContentRect(const TacItemContentQuery& q) {
  TRect c{0, 0, q.Item.Width(), q.Item.Height()};
  if (q.ExtraLine > 0) {
    if (q.RightToLeft) {
      if (2 * q.Offset >= q.ImageWidth - q.Item.Right) c.Right -= q.ExtraLine;
    } else if (q.Item.Left <= q.Offset) {
      c.Left += q.ExtraLine;
    }
  }
  return c;
}

TRect ItemTextRect(const TRect& content, int32_t itemHeight, int32_t glyphWidth, int32_t margin, int32_t spacing,
                   bool rightToLeft) {
  TRect t{content.Left + glyphWidth + 2 * margin + spacing, 0, content.Right, itemHeight};
  if (rightToLeft) t = MirrorInside(t, content);
  t.Top += margin;
  t.Bottom -= margin;
  return t;
}

TRect ShortcutRect(const TRect& content, int32_t itemHeight, int32_t textWidth, int32_t skinSpacing,
                   bool rightToLeft) {
  const int32_t right = content.Right - 2 * skinSpacing;
  TRect r{right - textWidth, 0, right, itemHeight};
  return rightToLeft ? MirrorInside(r, content) : r;
}

int32_t CheckGlyphLeft(const TRect& content, int32_t iconLineWidth, int32_t glyphWidth, bool clamp) {
  const int32_t d = (iconLineWidth - glyphWidth) / 2;
  return content.Left + (clamp ? std::max(0, d) : d);
}

TRect DividerLineRect(int32_t itemWidth, int32_t margin, int32_t extraLine, int32_t iconColumn, bool rightToLeft) {
  if (rightToLeft) return {margin, 0, itemWidth - margin - extraLine - iconColumn, 0};
  return {margin + extraLine + iconColumn, 0, itemWidth - margin, 0};
}

}  // namespace skin

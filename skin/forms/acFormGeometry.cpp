#include "skin/forms/acFormGeometry.h"

#include <algorithm>
#include <cmath>

namespace skin {

int32_t IconSizeForHeight(int32_t height) {
  if (height >= -100 && height <= 47) return 16;
  if (height >= 48 && height <= 64) return 24;
  return 32;
}

int32_t SnapDelta(int32_t value, int32_t target, int32_t range) {
  const int64_t v = value, t = target, r = range;
  return (v >= t - r && v <= t + r) ? int32_t(v - t) : 0;
}

namespace {
constexpr uint32_t kThickFrame = 0x00040000;  // WS_THICKFRAME
constexpr uint32_t kThinBorder = 0x00800000;  // WS_BORDER
}  // namespace

int32_t FrameKindOfStyle(uint32_t style) {
  if (style & kThickFrame) return 1;
  if (style & kThinBorder) return 2;
  return 3;
}

int32_t BorderWidth(const TacBorderWidthQuery& q) {
  if (q.UseSkin && q.HasBorderForm && q.BorderFormManaged) return q.SkinBorderWidth;
  const int32_t kind = FrameKindOfStyle(q.Style);
  int32_t width = q.Answers[kind - 1];
  // A border window without a skin of its own sits on the system's wider frame.
  if (kind == 1 && q.HasBorderForm && !q.BorderFormManaged && q.Windows8OrLater) width += 4;
  return width;
}

int32_t OwnBorderWidth(const TacBorderWidthQuery& q) { return q.HasBorderForm ? 0 : BorderWidth(q); }

TacCaptionMetric SysCaptionMetric(TacBorderStyle style, bool windows10OrLater, bool iconic) {
  switch (style) {
    case TacBorderStyle::bsDialog:
      return windows10OrLater && !iconic ? TacCaptionMetric::SmallCaption : TacCaptionMetric::Caption;
    case TacBorderStyle::bsToolWindow:
    case TacBorderStyle::bsSizeToolWin:
      return iconic ? TacCaptionMetric::Caption : TacCaptionMetric::SmallCaption;
    default:
      return TacCaptionMetric::Caption;
  }
}

int32_t CaptionHeight(const TacCaptionQuery& q) {
  if ((!q.HasBorder || !q.HasCaption) && !q.Iconic) return 0;
  const int32_t a = q.UseSkin ? q.BorderFormTitleHeight : 0;
  if (q.TallTitleMaximized) return std::max(a, q.SysCaptionHeight + 4);
  return a != 0 ? a : q.SysCaptionHeight;
}

int32_t ExtraTitleHeight(bool hasBorderForm, int32_t skinCaption, int32_t sysCaption, int32_t ownFrame) {
  return hasBorderForm ? skinCaption - sysCaption - ownFrame : 0;
}

int32_t ExtraBorderWidth(bool hasBorderForm, int32_t skinBorder, int32_t ownBorder) {
  return hasBorderForm ? skinBorder - ownBorder : 0;
}

int32_t BorderFormTitleHeight(bool hasBorderForm, bool zoomed, int32_t titleHeight, int32_t maxTitleHeight) {
  if (!hasBorderForm) return 0;
  return zoomed ? maxTitleHeight : titleHeight;
}

int32_t BorderOwnerOffsetX(const TacBorderOffsetQuery& q) { return q.SkinBorderWidth + q.Shadow.Left - q.OwnFrame; }

int32_t BorderOwnerOffsetY(const TacBorderOffsetQuery& q) {
  if (q.TallTitleMaximized) return q.Shadow.Top + q.ExtraTitle + 4;
  int32_t y = q.Shadow.Top;
  if (q.SysCaption != 0) y += q.SkinTitleHeight;
  return y - q.OwnFrame - q.SysCaption;
}

int32_t SysButtonCount(const TacSysButtons& b) {
  if (!b.HasSystemMenuObject || !b.HasSystemMenu) return 0;
  int32_t n = 3 + (b.Help ? 1 : 0);
  if (!b.MinVisible) --n;
  if (!b.MaxVisible) --n;
  return n;
}

bool IsNormalTitle(TacBorderStyle style) {
  return style == TacBorderStyle::bsSingle || style == TacBorderStyle::bsSizeable || style == TacBorderStyle::bsDialog;
}

TacGlyphIndexes TitleGlyphIndexes(bool normalTitle, bool minOrMaxVisible, bool maximized, bool minimizedNotMain) {
  if (!normalTitle) return {tgSmallClose, tgSmallMax, tgSmallMin, tgSmallHelp};
  return {minOrMaxVisible ? tgClose : tgCloseAlone, maximized ? tgNorm : tgMax, minimizedNotMain ? tgNorm : tgMin,
          tgHelp};
}

// ---------------------------------------------------------------- title layout
int32_t TitleButtonWidth(const TacTitleInput& in, int32_t glyphIndex) {
  if (glyphIndex < 0 || glyphIndex > 10) return kDefaultTitleButtonSize;
  const int32_t w = in.GlyphWidths[glyphIndex];
  return w > 0 ? w : kDefaultTitleButtonSize;
}

int32_t UserButtonWidth(const TacTitleInput& in, const TacUserButton& b) {
  const int32_t glyph = b.GlyphWidth > 0 ? b.GlyphWidth + 2 : 0;
  const int32_t mask = in.TitleButtonMaskWidth > 0 ? in.TitleButtonMaskWidth : kDefaultTitleButtonSize;
  return std::max(glyph, mask);
}

namespace {
bool SystemButtonsShown(const TacSysButtons& b) { return b.HasSystemMenuObject && b.HasSystemMenu; }

TacGlyphIndexes GlyphsOf(const TacTitleInput& in) {
  return TitleGlyphIndexes(in.NormalTitle, in.Buttons.MinVisible || in.Buttons.MaxVisible, in.Zoomed,
                           in.MinimizedNotMain);
}
}  // namespace

int32_t TitleButtonsWidth(const TacTitleInput& in) {
  const int32_t gap = in.NormalTitle ? in.BISpace : 0;
  int32_t w = in.BIRight;
  if (SystemButtonsShown(in.Buttons)) {
    const TacGlyphIndexes g = GlyphsOf(in);
    w += TitleButtonWidth(in, g.Close);
    if (in.Buttons.MaxVisible) w += gap + TitleButtonWidth(in, g.Max);
    if (in.Buttons.MinVisible) w += gap + TitleButtonWidth(in, g.Min);
    if (in.Buttons.Help) w += gap + TitleButtonWidth(in, g.Help);
  }
  if (!in.UserButtons.empty()) w += in.Spacing;
  for (const TacUserButton& b : in.UserButtons) w += gap + UserButtonWidth(in, b);
  return w;
}

int32_t TitleBandWidth(const TacTitleInput& in, int32_t elementWidth) { return 2 * elementWidth + TitleButtonsWidth(in); }

TacTitleLayout LayoutTitle(const TacTitleInput& in) {
  TacTitleLayout out;
  const TacRect& sh = in.Shadow;
  if (in.HasBorderForm) {
    out.TopY = TitleOffsetYFor(true, in.Zoomed, sh, in.BITop);
    out.TitleBottom = in.CaptionHeight + sh.Top;
    out.TitleVCenter = out.TitleBottom - (in.Zoomed ? in.MaxTitleHeight : in.TitleHeight) / 2;
    // A maximized title of its own height is centred as it is drawn.
    if (!(in.Zoomed && in.MaxTitleHeight != in.TitleHeight)) out.TitleVCenter += in.CenterOffset;
  } else {
    out.TitleVCenter = sh.Top + in.CaptionHeight / 2;
    out.TopY = sh.Top + (in.Zoomed ? in.FrameWidthZoomed - 1 : 0);
    out.TitleBottom = in.OwnBorderWidthSkin + in.CaptionHeight + sh.Top;
    out.TitleVCenter += in.BorderWidthSkin / 2;
  }
  if (in.Zoomed) out.TitleVCenter += 2;

  const int32_t left = in.BorderWidthSkin + in.BILeft + sh.Left;
  const int32_t right = in.CacheWidth - (in.BIRight + sh.Right + std::max(4, in.BorderWidthSkin));
  int32_t w = 0;
  if (in.IconVisible) {
    out.IconRect.Top = out.TitleVCenter - in.IconHeight / 2;
    out.IconRect.Bottom = out.IconRect.Top + in.IconHeight;
    w = in.IconWidth;
  }
  int32_t l, r;
  if (in.RTLSysButtons) {
    out.IconRect.Left = right - w;
    out.IconRect.Right = right;
    r = out.IconRect.Left - (in.IconVisible ? in.Spacing : 0);
    l = left;
  } else {
    out.IconRect.Left = left;
    out.IconRect.Right = left + w;
    l = out.IconRect.Right + (in.IconVisible ? in.Spacing : 0);
    r = right;
  }
  if (!in.IconVisible) out.IconRect = {out.IconRect.Left, 0, out.IconRect.Left, 0};

  const int32_t gap = in.NormalTitle ? in.BISpace : 0;
  auto place = [&](TacTitleButtonPlace& b, int32_t width, bool user) {
    if (in.RTLSysButtons) {
      b.Rect.Left = l;
      b.Rect.Right = l + width;
      l = b.Rect.Right + gap;
    } else {
      b.Rect.Right = r;
      b.Rect.Left = r - width;
      r = b.Rect.Left - gap;
    }
    b.Rect.Top = ((b.NormalTitle || user) && in.BIVAlign == 1) ? out.TopY : out.TitleVCenter - in.TitleButtonHeight / 2;
    b.Rect.Bottom = b.Rect.Top + in.TitleButtonHeight;
  };
  // A hidden button keeps an empty rectangle where the cursor stands.
  auto empty = [&](TacTitleButtonPlace& b) {
    const int32_t at = in.RTLSysButtons ? l : r;
    b.Rect = {at, 0, at, 0};
  };

  const TacGlyphIndexes g = GlyphsOf(in);
  TacTitleButtonPlace* buttons[4] = {&out.Close, &out.Max, &out.Min, &out.Help};
  const int32_t glyphs[4] = {g.Close, g.Max, g.Min, g.Help};
  const int32_t hits[4] = {kHitClose, kHitMax, kHitMin, kHitHelp};
  for (int i = 0; i < 4; ++i) {
    buttons[i]->GlyphIndex = glyphs[i];
    buttons[i]->HitCode = hits[i];
    buttons[i]->NormalTitle = in.NormalTitle;
  }
  if (SystemButtonsShown(in.Buttons)) {
    place(out.Close, TitleButtonWidth(in, g.Close), false);
    if (in.Buttons.MaxVisible) place(out.Max, TitleButtonWidth(in, g.Max), false); else empty(out.Max);
    if (in.Buttons.MinVisible) place(out.Min, TitleButtonWidth(in, g.Min), false); else empty(out.Min);
    if (in.Buttons.Help) {
      if (in.RTLSysButtons) l += in.Spacing; else r -= in.Spacing;
      place(out.Help, TitleButtonWidth(in, g.Help), false);
    } else {
      empty(out.Help);
    }
  } else {
    empty(out.Close);
    empty(out.Max);
    empty(out.Min);
    empty(out.Help);
  }

  if (!in.UserButtons.empty()) {
    if (in.RTLSysButtons) l += in.Spacing; else r -= in.Spacing;
    for (size_t i = 0; i < in.UserButtons.size(); ++i) {
      const TacUserButton& u = in.UserButtons[i];
      TacTitleButtonPlace p;
      p.GlyphIndex = u.UseSkinData ? tgUserSkinned : tgUserPlain;
      p.HitCode = kHitUserButton + int32_t(i);
      p.NormalTitle = in.NormalTitle;
      if (u.Visible) place(p, UserButtonWidth(in, u), true); else empty(p);
      out.User.push_back(p);
    }
  }
  out.FreeLeft = l;
  out.FreeRight = r;
  return out;
}

// ---------------------------------------------------------------- client area and the rest
int32_t ClientOffsetX(const TacClientQuery& q) {
  if (q.HasBorderForm) return q.FrameWidthSkin + q.Shadow.Left;
  return (q.WindowWidth - q.ClientWidth - q.VertScrollWidth) / 2 + q.Shadow.Left;
}

int32_t ClientOffsetY(const TacClientQuery& q) {
  if (q.HasBorderForm)
    return q.CaptionHeight + q.MenuLines * q.MenuLineHeight + q.FormBorderWidth + q.Shadow.Top +
           (q.MenuLineHeight != 0 ? 1 : 0);
  return q.WindowHeight - q.ClientHeight - (q.StyleBorder ? q.FrameWidthSkin : 0) - q.HorzScrollHeight + q.Shadow.Top;
}

TacRect ClientAreaRect(const TacClientQuery& q) {
  const int32_t x = ClientOffsetX(q), y = ClientOffsetY(q);
  TacRect r{x, y, x + q.ClientWidth, y + q.ClientHeight};
  if (q.Style == TacBorderStyle::bsSizeable && !q.HasBorderForm) r = {r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2};
  return r;
}

int32_t CaptionBandHeight(const TacClientQuery& q) {
  int32_t h;
  if (q.HasBorderForm)
    h = q.CaptionHeight;
  else if (q.CaptionHeight != 0)
    h = q.WindowHeight - q.ClientHeight - q.FrameHeightSkin;
  else
    h = q.WindowHeight - q.ClientHeight - (q.StyleBorder ? q.FrameHeightSkin : 0);
  h = std::max(0, h);
  if (q.Iconic) h += q.OwnBorderWidth;
  return h - q.HorzScrollHeight;
}

int32_t MenuLineCountFor(int32_t firstItemBottom, int32_t clientTop, int32_t cyMenu) {
  const int32_t line = cyMenu - 2;
  if (firstItemBottom >= clientTop || line <= 0) return 1;
  return (clientTop - firstItemBottom) / line + 1;
}

int32_t CacheWidthFor(int32_t formWidth, bool iconicNotMain, bool hasBorderForm, int32_t extraBorder,
                      const TacRect& shadow) {
  int32_t w = iconicNotMain ? kIconicCacheWidth : formWidth;
  if (hasBorderForm) w += 2 * extraBorder;
  return w + shadow.Left + shadow.Right;
}

TacPoint GripPositionFor(int32_t cacheWidth, int32_t cacheHeight, int32_t gripWidth, int32_t gripHeight,
                         int32_t borderWidthSkin, const TacRect& shadow) {
  if (cacheWidth <= 0 || cacheHeight <= 0) return {};
  return {cacheWidth - gripWidth - borderWidthSkin - shadow.Right - 1,
          cacheHeight - gripHeight - borderWidthSkin - shadow.Bottom - 1};
}

TacRect UWPShadowMargins(int32_t shadowSize, int32_t shadowOffset) {
  return {shadowSize, std::max(0, shadowSize - shadowOffset), shadowSize, std::max(0, shadowSize + shadowOffset)};
}

int32_t TitleOffsetYFor(bool hasBorderForm, bool zoomed, const TacRect& shadow, int32_t biTop) {
  if (!hasBorderForm) return shadow.Top + (zoomed ? 6 : 0);
  return shadow.Top + (zoomed ? 4 : biTop);
}

TacPoint ThumbnailSize(int32_t imageWidth, int32_t imageHeight, int32_t maxWidth, int32_t maxHeight) {
  if (imageWidth <= 0 || imageHeight <= 0 || maxWidth <= 0 || maxHeight <= 0) return {};
  TacPoint size{maxWidth, maxHeight};
  // Compared across so that no quotient is rounded before the choice.
  if (int64_t(maxWidth) * imageHeight > int64_t(imageWidth) * maxHeight)
    size.X = int32_t(std::nearbyint(double(maxHeight) * imageWidth / imageHeight));
  else
    size.Y = int32_t(std::nearbyint(double(maxWidth) * imageHeight / imageWidth));
  if (size.X <= 0 || size.Y <= 0) return {};
  return size;
}

// ---------------------------------------------------------------- caption text
TacRect CaptionTextRect(const TacCaptionTextQuery& q) {
  const TacRect& sh = q.Shadow;
  const int32_t sectionGap = q.CaptionSection ? 2 : 0;
  TacRect r;
  if (q.Centered) {
    r.Left = q.FrameWidth + sh.Left;
    r.Right = q.ImageWidth - sh.Right;
  } else if (q.RTLSysButtons) {
    r.Right = q.ImageWidth - q.FrameWidth - (q.IconVisible ? q.IconWidth : 0) - q.Spacing - q.BIRight - sh.Right -
              sectionGap;
    r.Left = q.FrameWidth + q.TitleButtonsWidth + sh.Right + q.Spacing;
  } else {
    r.Left = q.FrameWidth + (q.IconVisible ? q.IconWidth + q.Spacing : 0) + q.BILeft + sh.Left + sectionGap;
    r.Right = q.ImageWidth - q.TitleButtonsWidth - sh.Right - q.FrameWidth - q.Spacing;
  }
  r.Top = q.Maximized ? sh.Top + (q.HasBorderForm ? 1 : 3) : sh.Top + 2;
  r.Bottom = q.TitleBottom;
  if (q.HasBorderForm) {
    int32_t dy = q.CenterOffset;
    if (q.Maximized && q.MaxTitleHeight != 0 && q.MaxTitleHeight != q.TitleHeight)
      dy += (q.TitleHeight - q.MaxTitleHeight) / 2;
    r.Top += dy;
    r.Bottom += dy;
  }
  return r;
}

void AlignCaption(TacAlignment alignment, bool rightToLeft, int32_t spacing, int32_t captionWidth, int32_t addedWidth,
                  int32_t& left, int32_t& right) {
  if (rightToLeft) {
    if (alignment == TacAlignment::taLeftJustify)
      alignment = TacAlignment::taRightJustify;
    else if (alignment == TacAlignment::taRightJustify)
      alignment = TacAlignment::taLeftJustify;
  }
  const int32_t both = captionWidth + addedWidth;
  if (alignment == TacAlignment::taRightJustify) {
    if (spacing + both <= right - left) left = right - spacing - both;
  } else if (alignment == TacAlignment::taCenter) {
    left = std::max(left, left + (right - left - both - spacing) / 2);
    right = std::min(left + captionWidth, right);
  }
}

}  // namespace skin

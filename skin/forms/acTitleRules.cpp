#include "skin/forms/acTitleRules.h"

#include <algorithm>
#include <cstdlib>

namespace skin {

namespace {
using S = TacBorderStyle;
bool SingleOrSizeable(S s) { return s == S::bsSingle || s == S::bsSizeable; }
bool Inside(const TacRect& r, int32_t x, int32_t y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }
}  // namespace

TacSysMenuRules SysMenuRules(const TacSysMenuFacts& f) {
  TacSysMenuRules r;
  const bool framed = f.MDIChild || SingleOrSizeable(f.BorderStyle);
  r.CloseVisible = f.SystemMenu && (!f.HasWindowMenu || f.CloseStateReadable);
  r.CloseEnabled = f.HasWindowMenu ? !f.CloseDisabled : f.SystemMenu;
  r.MaxVisible = f.SystemMenu && (f.Iconic || f.MDIChild || (SingleOrSizeable(f.BorderStyle) && f.Maximize));
  r.MaxEnabled = framed && f.Maximize;
  r.MinVisible = f.SystemMenu && (f.Iconic || f.MDIChild || (SingleOrSizeable(f.BorderStyle) && f.Minimize));
  r.MinEnabled = f.Minimize;
  r.RestoreVisible = f.SystemMenu && framed;
  r.RestoreEnabled = (f.Maximize && f.WindowState != TacWindowState::wsNormal) ||
                     f.WindowState == TacWindowState::wsMinimized;
  r.MoveEnabled = f.WindowState != TacWindowState::wsMaximized;
  r.SizeVisible = f.MDIChild || !(f.BorderStyle == S::bsNone || f.BorderStyle == S::bsDialog ||
                                  f.BorderStyle == S::bsToolWindow);
  r.SizeEnabled = f.BorderStyle != S::bsSingle && !f.Iconic;
  return r;
}

TacNativeSysCommands NativeSysCommands(const TacSysMenuRules& r, bool iconic, TacWindowState state) {
  TacNativeSysCommands c;
  c.Restore = r.RestoreVisible && r.RestoreEnabled;
  c.Move = r.MoveEnabled && !iconic;
  c.Size = r.SizeVisible && r.SizeEnabled && state == TacWindowState::wsNormal;
  c.Minimize = r.MinVisible && r.MinEnabled;
  c.Maximize = r.MaxVisible && r.MaxEnabled;
  c.Close = r.CloseVisible && r.CloseEnabled;
  return c;
}

std::vector<int32_t> CountedSysButtons(const TacTitleHitFacts& f, bool countIconicMin) {
  std::vector<int32_t> codes;
  if (!f.SystemMenu) return codes;
  codes.push_back(kHitClose);
  if (f.Rules.MaxVisible) codes.push_back(kHitMax);
  if (f.Rules.MinVisible || (countIconicMin && f.Iconic)) codes.push_back(kHitMin);
  if (f.Help) codes.push_back(kHitHelp);
  return codes;
}

int32_t TitlePositionCode(int32_t position, const TacTitleHitFacts& f) {
  if (position < 1) return kHitClient;
  const std::vector<int32_t> sys = CountedSysButtons(f, true);
  size_t i = size_t(position - 1);
  if (i < sys.size()) {
    switch (sys[i]) {
      case kHitClose: return f.Rules.CloseEnabled ? kHitClose : kHitCaption;
      case kHitMax: return f.Rules.MaxEnabled || (f.Rules.RestoreEnabled && !f.Iconic) ? kHitMax : kHitCaption;
      case kHitMin: return f.Iconic || f.Rules.MinEnabled ? kHitMin : kHitCaption;
      default: return kHitHelp;
    }
  }
  i -= sys.size();
  if (i < f.UserButtons.size()) return f.UserButtons[i].Enabled ? kHitUserButton + int32_t(i) : kHitClient;
  i -= f.UserButtons.size();
  if (i < f.TitleBarItems.size()) {
    const TacTitleItemFacts& item = f.TitleBarItems[i];
    if (!item.Enabled || item.PressedDropDown) return kHitClient;
    return kHitTitleBarItem + int32_t(i);
  }
  return kHitClient;
}

int32_t FrameHitCode(int32_t x, int32_t y, const TacFrameHitFacts& f) {
  if (!f.Maximized && f.ThickFrame && !f.BorderForm) {
    int32_t v = kHitClient;
    if (y >= f.Height - f.Border)
      v = kHitBottom;
    else if (y < f.TopBorder)
      v = kHitTop;
    int32_t code = v;
    if (x < f.Border)
      code = v == kHitTop ? kHitTopLeft : v == kHitBottom ? kHitBottomLeft : kHitLeft;
    else if (x >= f.Width - f.Border)
      code = v == kHitTop ? kHitTopRight : v == kHitBottom ? kHitBottomRight : kHitRight;
    if (code != kHitClient) return code;
  }
  const int32_t c = f.SysCaption, d = f.OwnBorder;
  if (y >= 0 && y <= c + d) {
    if (y >= f.OwnBorderSys + c && y <= f.OwnBorderSys + f.SkinCaptionHeight + f.MenuLineHeight) return kHitMenu;
    return Inside(f.IconRect, x, y) ? kHitSysMenu : kHitCaption;
  }
  if (y > c + d + f.MenuLineCount * f.MenuLineHeight) {
    if (!f.GripArea || !f.HasGripImage) return kHitClient;
    return y > f.GripY && x > f.GripX ? kHitBottomRight : kHitClient;
  }
  return kHitMenu;
}

TacHoverChange SetHot(TacTitleHover& s, int32_t code, bool suppressed) {
  TacHoverChange c;
  if (code == s.HotItem || suppressed) return c;
  if (s.HotItem > 0) c.Normal = s.HotItem;
  s.HotItem = code;
  if (s.ButtonPressed || code < 1) return c;
  c.Item = code;
  c.NewState = 1;
  return c;
}

bool PressAllowed(int32_t code, const TacSysMenuRules& r, bool maximized) {
  switch (code) {
    case kHitMax: return r.MaxEnabled || (maximized && r.RestoreEnabled);
    case kHitClose: return r.CloseEnabled;
    case kHitMDIRestore: return r.MaxEnabled;
    default: return true;
  }
}

TacHoverChange SetPressed(TacTitleHover& s, int32_t code, bool allowed) {
  TacHoverChange c;
  if (code != s.HotItem && s.HotItem > 0) c.Normal = s.HotItem;
  s.HotItem = code;
  if (!allowed) {
    s.HotItem = 0;
    return c;
  }
  c.Item = code;
  c.NewState = 2;
  s.ButtonPressed = true;
  return c;
}

TacRect ShadowRect(const TacBorderBandFacts& f) {
  return {f.Shadow.Left, f.Shadow.Top, f.Width - f.Shadow.Right, f.Height - f.Shadow.Bottom};
}

TacRect ResizeBandRect(const TacBorderBandFacts& f) {
  const TacRect s = ShadowRect(f);
  if (f.BorderMode == 1)
    return {s.Left - f.AlignOffset.Left, s.Top - f.AlignOffset.Top, s.Right + f.AlignOffset.Right,
            s.Bottom + f.AlignOffset.Bottom};
  const int32_t w = std::max(f.SkinBorderWidth, 6);
  return {s.Left - w, s.Top - w, s.Right + w, s.Bottom + w};
}

int32_t BorderBandHitCode(int32_t x, int32_t y, const TacBorderBandFacts& f) {
  const TacRect s = ShadowRect(f);
  if (!f.Maximized && f.ThickFrame) {
    const TacRect b = ResizeBandRect(f);
    if (x >= b.Left && x <= b.Right && y >= b.Top && y <= b.Bottom) {
      bool top, bottom, left, right;
      if (f.BorderMode == 1) {
        top = y <= b.Top + 4;
        bottom = y >= b.Bottom - f.OwnFrame;
        left = x <= b.Left + f.OwnFrame;
        right = x >= b.Right - f.OwnFrame;
      } else {
        top = y <= s.Top;
        bottom = y >= s.Bottom;
        left = x <= s.Left;
        right = x >= s.Right;
      }
      if (top && left) return kHitTopLeft;
      if (top && right) return kHitTopRight;
      if (bottom && left) return kHitBottomLeft;
      if (bottom && right) return kHitBottomRight;
      if (top) return kHitTop;
      if (bottom) return kHitBottom;
      if (left) return kHitLeft;
      if (right) return kHitRight;
    }
  }
  if (y < f.CaptionHeight + f.Shadow.Top) return Inside(f.IconRect, x, y) ? kHitSysMenu : kHitCaption;
  if (y <= f.CaptionHeight + f.MenuLineHeight) return kHitMenu;
  if (!Inside(s, x, y)) return kHitTransparent;
  if (f.GripArea && f.HasGripImage && x > f.GripX && y > f.GripY) return kHitBottomRight;
  return kHitTransparent;
}

bool InShadowBeyondBand(int32_t x, int32_t y, const TacBorderBandFacts& f) {
  const TacRect b = ResizeBandRect(f);
  return !(x >= b.Left && x <= b.Right && y >= b.Top && y <= b.Bottom);
}

TacPlace GlowWindowPlace(const TacRect& target, const TacRect& e, int32_t margin) {
  const int32_t w = std::max(0, target.Right - target.Left), h = std::max(0, target.Bottom - target.Top);
  return {target.Left - e.Left + margin, target.Top - e.Top + margin, w + e.Left + e.Right - 2 * margin,
          h + e.Top + e.Bottom - 2 * margin};
}

TacPlace MaximizedBounds(const TacRect& w, int32_t frame, int32_t extraTitle) {
  return {-frame, extraTitle - frame, w.Right - w.Left + 2 * frame, w.Bottom - w.Top + 2 * frame - extraTitle};
}

TacPlace StretchedBounds(const TacPlace& b, const TacRect& w, bool vertical, int32_t extraBorder, int32_t extraTitle) {
  if (vertical) return {b.Left, w.Top + extraTitle, b.Width, w.Bottom - extraBorder - (w.Top + extraTitle)};
  return {w.Left + extraBorder, b.Top, w.Right - w.Left - 2 * extraBorder, b.Height};
}

TacPlace VerticalRestoreBounds(const TacPlace& moving, const TacPlace& saved) {
  return {moving.Left, saved.Top, moving.Width, saved.Height};
}

bool DragOutOfMaximized(TacPoint cursor, TacPoint pressed, int32_t formWidth, TacPoint& topLeft) {
  if (std::abs(cursor.X - pressed.X) < 6 && std::abs(cursor.Y - pressed.Y) < 6) return false;
  topLeft.X = cursor.X - formWidth / 2;
  topLeft.Y = cursor.Y >= 0 && cursor.Y <= 24 ? -8 : cursor.Y - 8;
  return true;
}

std::string SkinNameOfMenuCaption(const std::string& caption, const std::string& internalMarker) {
  std::string name;
  for (char c : caption)
    if (c != '&') name += c;
  if (!internalMarker.empty())
    if (const size_t at = name.find(internalMarker); at != std::string::npos) name.resize(at + internalMarker.size());
  return name;
}

TacBlurArea BlurBehindArea(const TBitmap32& image, const TacRect& shadow, int32_t formOffset) {
  TacBlurArea a;
  a.Inner = {shadow.Left + 1, shadow.Top + 1, image.Width() - shadow.Right - 1, image.Height() - shadow.Bottom - 1};
  if (a.Inner.Right <= a.Inner.Left || a.Inner.Bottom <= a.Inner.Top) {
    a.Inner = {};
    return a;
  }
  const int32_t side = std::max(0, formOffset);
  auto corner = [&](int32_t x0, int32_t y0) {
    for (int32_t y = y0; y < y0 + side; ++y)
      for (int32_t x = x0; x < x0 + side; ++x) {
        if (x < a.Inner.Left || x >= a.Inner.Right || y < a.Inner.Top || y >= a.Inner.Bottom) continue;
        if ((image.At(x, y) & 0xFFFFFFu) == 0) a.Cut.push_back({x, y});
      }
  };
  corner(a.Inner.Left, a.Inner.Top);
  corner(a.Inner.Right - side, a.Inner.Top);
  corner(a.Inner.Left, a.Inner.Bottom - side);
  corner(a.Inner.Right - side, a.Inner.Bottom - side);
  std::sort(a.Cut.begin(), a.Cut.end(), [](const TacPoint& l, const TacPoint& r) {
    return l.Y != r.Y ? l.Y < r.Y : l.X < r.X;
  });
  a.Cut.erase(std::unique(a.Cut.begin(), a.Cut.end()), a.Cut.end());
  return a;
}

void PrepareBorderImage(TBitmap32& bmp) {
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) {
      TPixel& p = bmp.At(x, y);
      if (p == 0x00FF00FFu)
        p = 0;
      else if ((p >> 24) == 0)
        p |= 0xFF000000u;
    }
}

}  // namespace skin

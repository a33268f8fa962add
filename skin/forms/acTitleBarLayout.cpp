#include "skin/forms/acTitleBarLayout.h"

#include <algorithm>

namespace skin {

int32_t MenuExtraMargin(TacBtnStyle style) { return style == TacBtnStyle::bsMenu ? 4 : 0; }

TacItemSize ItemSize(const TacItemSizeInput& in) {
  const int32_t p = in.Ppi > 0 ? in.Ppi : 96;
  TacItemSize s;
  int32_t& cw = s.ContentWidth;
  int32_t& ch = s.ContentHeight;
  if (in.StretchImage) {
    cw = p * in.Width / 96, ch = p * in.Height / 96;
  } else if (in.ImageWidth > 0 && in.ImageHeight > 0) {
    cw = in.ImageWidth, ch = in.ImageHeight;
  } else if (in.GlyphWidth > 0 && in.GlyphHeight > 0) {
    cw = p * in.GlyphWidth / (std::max(1, in.NumGlyphs) * 96), ch = p * in.GlyphHeight / 96;
  }
  if (in.HasCaption) {
    if (cw != 0) cw += p * in.Spacing * (in.Style == TacBtnStyle::bsTab ? 2 : 1) / 96;
    cw += in.CaptionWidth + 2;
    ch = std::max(ch, in.CaptionHeight);
  }
  if ((in.Style == TacBtnStyle::bsButton || in.Style == TacBtnStyle::bsMenu) && in.HasDropdown)
    cw += in.Spacing + p * in.Spacing / 96 + in.ArrowSize;
  if (in.Style == TacBtnStyle::bsMenu || in.Style == TacBtnStyle::bsTab) ch += 1;
  if (in.Style == TacBtnStyle::bsSpacing) {
    s.Width = in.Width, s.Height = in.Height;
  } else {
    s.Width = std::max(16, p * (MenuExtraMargin(in.Style) + in.ItemsMargin) * 2 / 96 + cw);
    s.Height = std::max(16, p * in.ItemsMargin * 2 / 96 + ch);
  }
  return s;
}

TacItemAlign EffectiveAlign(TacItemAlign align, bool rightToLeft) {
  if (!rightToLeft) return align;
  if (align == TacItemAlign::tbaLeft) return TacItemAlign::tbaRight;
  if (align == TacItemAlign::tbaRight) return TacItemAlign::tbaLeft;
  return align;
}

TacBarLayout LayoutBarItems(const TacBarArea& area, const std::vector<TacBarItem>& items) {
  const int32_t p = area.Ppi > 0 ? area.Ppi : 96;
  auto width = [&](const TacBarItem& it) { return it.AutoSize ? it.Width : p * it.Width / 96; };
  auto height = [&](const TacBarItem& it) { return it.AutoSize ? it.Height : p * it.Height / 96; };
  TacBarLayout l;
  l.RightWidth = area.RightSpacing;
  bool firstLeft = true;
  for (const TacBarItem& it : items) {
    if (!it.Visible) continue;
    switch (EffectiveAlign(it.Align, area.RightToLeft)) {
      case TacItemAlign::tbaLeft:
        if (firstLeft) l.LeftWidth = area.LeftSpacing, firstLeft = false;
        l.LeftWidth += width(it);
        break;
      case TacItemAlign::tbaRight: l.RightWidth += width(it); break;
      case TacItemAlign::tbaCenter: l.CenterWidth += width(it); break;
      case TacItemAlign::tbaCenterInSpace: l.CenterSpaceWidth += width(it); break;
    }
  }
  const TacRect& b = area.BarRect;
  int32_t pos[4] = {
      b.Left,                                                   // left
      b.Right - l.RightWidth,                                   // right
      b.Left + (area.FullRight - b.Left - l.CenterWidth) / 2,  // centre
      b.Left + l.LeftWidth + (b.Right - b.Left - l.RightWidth - l.LeftWidth - l.CenterSpaceWidth) / 2,
  };
  l.Rects.assign(items.size(), TacRect{});
  const int n = int(items.size());
  for (int k = 0; k < n; ++k) {
    const int i = area.RightToLeft ? n - 1 - k : k;
    const TacBarItem& it = items[size_t(i)];
    if (!it.Visible) continue;
    const int32_t w = width(it), h = height(it);
    TacRect& r = l.Rects[size_t(i)];
    switch (it.Style) {
      case TacBtnStyle::bsMenu: r.Top = b.Top; break;
      case TacBtnStyle::bsTab: r.Top = b.Bottom - h; break;
      default: r.Top = area.BarVCenter - h / 2; break;
    }
    int32_t& x = pos[int(EffectiveAlign(it.Align, area.RightToLeft))];
    r.Left = x;
    x += w;
    r.Right = r.Left + w;
    r.Bottom = r.Top + h;
  }
  return l;
}

int32_t ItemDrawState(TacBtnStyle style, bool droppedDown, bool down, int32_t state) {
  const bool pressable = style == TacBtnStyle::bsButton || style == TacBtnStyle::bsMenu || style == TacBtnStyle::bsTab;
  return (droppedDown || down) && pressable ? 2 : state;
}

int32_t SectionStateFor(int32_t state, int32_t stateCount) {
  return std::max(0, std::min({state, stateCount - 1, 2}));
}

// ---------------------------------------------------------------- fades

int32_t TacFadeSteps::StepAlpha() const { return StepCount == 0 ? 255 : std::max(255 / StepCount, 0); }

void TacFadeSteps::ChangeState(int32_t newState, bool rising) {
  if (State == newState) return;
  State = newState;
  if (newState != 0) {
    // A pressed look is a new picture, not the hot one faded further.
    if (newState == 2) DropPicture();
    Step = 1;
    Rising = rising;
    Show(std::min(StepAlpha(), 255));
    Step = 2;
    SetTimer(true);
    return;
  }
  Rising = false;
  --Step;
  // A fade-out of one step has nothing to step through: the picture goes now rather than
  // staying on the screen with no timer to take it away.
  if (StepCount < 2) {
    State = -1;
    SetTimer(false);
    Finished();
    return;
  }
  Show(FadeOutFromFull ? 255 : std::min(StepAlpha(), 255));
  SetTimer(true);
}

void TacFadeSteps::Tick() {
  if (Rising) {
    if (Step >= StepCount) {
      if (StepCount != -1) {
        StepCount = -1;
        Show(255);
        FadeInDone();
      }
      // Told after the last step is shown, so that the owner's fade-out starts from it.
      MouseLeft();
      return;
    }
    Show(std::max(std::min(StepAlpha() * Step, 255), 0));
    ++Step;
    return;
  }
  if (Step <= 0) {
    State = -1;
    SetTimer(false);
    Finished();
    return;
  }
  Show(std::max(0, std::min(StepAlpha() * Step, 255)));
  --Step;
}

}  // namespace skin

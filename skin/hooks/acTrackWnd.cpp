#include "skin/hooks/acTrackWnd.h"

#include "skin/core/sMessages.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/core/acControlPaint.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acResample.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {
namespace {

// One frame of an element.
POINT ElementSize(const TsMaskData& e) {
  return {(e.SrcRect.Right - e.SrcRect.Left) / std::max<int>(1, e.FrameCount),
          (e.SrcRect.Bottom - e.SrcRect.Top) / (e.MaskBlocks + 1)};
}

// Left-right (Across false: top-bottom) mirror image of a bitmap's pixels.
void Mirror(TBitmap32& b, bool leftRight) {
  if (leftRight) {
    for (int y = 0; y < b.Height(); ++y) std::reverse(b.Row(y), b.Row(y) + b.Width());
  } else {
    for (int y = 0; y < b.Height() / 2; ++y) std::swap_ranges(b.Row(y), b.Row(y) + b.Width(), b.Row(b.Height() - 1 - y));
  }
}

}  // namespace

void TacTrackWnd::Install(HWND wnd, const std::string& section) {
  Attach(wnd, section);
  if (TsCommonData* d = SkinData()) d->UpdateSkinIndex(true);
  tickLength_ = kTrackTickLength;
  AfterCreation();
}

bool TacTrackWnd::Vertical() const { return (GetWindowLongW(Wnd(), GWL_STYLE) & TBS_VERT) != 0; }

TBarRect TacTrackWnd::ChannelRect() const {
  RECT r{};
  SendMessageW(Wnd(), TBM_GETCHANNELRECT, 0, LPARAM(&r));
  // Windows reports a vertical bar's channel lying down (Wine upright): stand it up.
  if (Vertical() && r.right - r.left > r.bottom - r.top) return {r.top, r.left, r.bottom, r.right};
  return {r.left, r.top, r.right, r.bottom};
}

TBarRect TacTrackWnd::ThumbRect() const {
  RECT r{};
  SendMessageW(Wnd(), TBM_GETTHUMBRECT, 0, LPARAM(&r));
  return {r.left, r.top, r.right, r.bottom};
}

void TacTrackWnd::PrepareCache() {
  TsCommonData* d = SkinData();
  if (!d) return;
  const TWndBounds b = GetWndBounds(Wnd());
  if (b.WndSize.x <= 0 || b.WndSize.y <= 0) return;
  EnsureCache(*d, b.WndSize.x, b.WndSize.y);
  TacBackgroundCache bg;
  GetWndParentBackground(Wnd(), bg);
  PaintControlSection(*d, bg, pressed_ ? 1 : 0, gui::TRect(0, 0, b.WndSize.x, b.WndSize.y),
                      gui::TPoint(b.WndPos.x, b.WndPos.y), *d->FCache);
  const TacSkinData* data = d->GetScaledSkin();
  if (!data || data->TrackBarElems[Vertical() ? 0 : 1].Section < 0) return;
  PaintChannel();
  PaintThumb();
  if (!IsWindowEnabled(Wnd())) {
    bg.X += b.WndPos.x;
    bg.Y += b.WndPos.y;
    ApplyDisabledLook(*d->FCache, bg);
  }
  d->FCacheInvalid = false;
}

void TacTrackWnd::PaintChannel() {
  TsCommonData* d = SkinData();
  const TacSkinData* data = d->GetScaledSkin();
  const TrackBarElemData& t = data->TrackBarElems[Vertical() ? 0 : 1];
  TSkinOnBitmap skin(*d, *d->FCache);
  if (skin.Source.ValidElement(t.ChannelMask)) {
    const TsMaskData& e = data->Masks[size_t(t.ChannelMask)];
    const POINT size = ElementSize(e);
    const TBarRect k = TrackChannelRect(ChannelRect(), Vertical(), size.x, size.y);
    TBitmap32 px = Pixels32(*d->FCache);
    TacBackgroundCache self = MakeBackgroundCache(&px, 0, 0);
    DrawSkinMask(px, TRect(k.Left, k.Top, k.Right + 1, k.Bottom + 1), self, e, skin.Source.Master, d->CurrentState(),
                 true);
  }
  PaintTicks();
}

void TacTrackWnd::PaintTicks() {
  const LONG style = GetWindowLongW(Wnd(), GWL_STYLE);
  if (style & TBS_NOTICKS) return;
  TsCommonData* d = SkinData();
  const TacSkinData* data = d->GetScaledSkin();
  const bool vertical = Vertical();
  GdiFlush();
  const TBarRect k = ChannelRect(), thumb = ThumbRect();
  const int count = int(SendMessageW(Wnd(), TBM_GETNUMTICS, 0, 0));
  const std::vector<TTickMark> marks =
      TrackTickMarks(TrackTickPositions(count, k, thumb, vertical), k, thumb, vertical,
                     TrackTickSide(uint32_t(style)), tickLength_);
  const TrackBarElemData& t = data->TrackBarElems[vertical ? 0 : 1];
  TSkinOnBitmap skin(*d, *d->FCache);
  TBitmap32 px = Pixels32(*d->FCache);
  TacBackgroundCache self = MakeBackgroundCache(&px, 0, 0);
  HDC dc = d->FCache->Canvas().Handle();
  for (const TTickMark& m : marks) {
    if (skin.Source.ValidElement(t.TickMask)) {
      const TsMaskData& e = data->Masks[size_t(t.TickMask)];
      const POINT size = ElementSize(e);
      DrawMaskGlyph(px, vertical ? TPoint(m.X, m.Y - size.y) : TPoint(m.X - size.x, m.Y), pressed_ ? 1 : 0, 1, e,
                    skin.Source.Master, self);
      continue;
    }
    // An etched mark: the shadow line and a white one beside it.
    const gui::TRect shadow = vertical ? gui::TRect(m.X, m.Y, m.X + tickLength_, m.Y + 1)
                                       : gui::TRect(m.X, m.Y, m.X + 1, m.Y + tickLength_);
    const gui::TRect light = vertical ? gui::TRect(m.X, m.Y + 1, m.X + tickLength_, m.Y + 2)
                                      : gui::TRect(m.X + 1, m.Y, m.X + 2, m.Y + tickLength_);
    FillRectOnDC(dc, shadow, TColor(GetSysColor(COLOR_BTNSHADOW)));
    FillRectOnDC(dc, light, TColor(0xFFFFFF));
  }
}

void TacTrackWnd::PaintThumb() {
  TsCommonData* d = SkinData();
  const TacSkinData* data = d->GetScaledSkin();
  const bool vertical = Vertical();
  const TrackBarElemData& t = data->TrackBarElems[vertical ? 0 : 1];
  TSkinOnBitmap skin(*d, *d->FCache);
  if (!skin.Source.ValidElement(t.SliderMask)) return;
  const TsMaskData& e = data->Masks[size_t(t.SliderMask)];
  const POINT size = ElementSize(e);
  const TBarRect r = ThumbRect();
  const int tw = r.Right - r.Left, th = r.Bottom - r.Top;
  if (tw <= 0 || th <= 0 || size.x <= 0 || size.y <= 0) return;
  const bool mirrored = TrackTickSide(uint32_t(GetWindowLongW(Wnd(), GWL_STYLE))) == 1;
  const bool scaled = TrackThumbScaled(r, vertical, size.x, size.y);
  GdiFlush();
  TBitmap32 px = Pixels32(*d->FCache);
  if (!scaled && !mirrored) {
    TacBackgroundCache self = MakeBackgroundCache(&px, 0, 0);
    DrawMaskGlyph(px, TPoint(r.Left + (tw - size.x) / 2, r.Top + (th - size.y) / 2), pressed_ ? 1 : 0, 1, e,
                  skin.Source.Master, self);
    return;
  }
  // The thumb drawn on a piece of its own: turned for ticks on top (left) so that it points
  // at them, and brought to the thumb's size.
  TBitmap32 under(tw, th);
  for (int y = 0; y < th; ++y)
    for (int x = 0; x < tw; ++x)
      if (px.Inside(r.Left + x, r.Top + y)) under.At(x, y) = px.At(r.Left + x, r.Top + y);
  TBitmap32 work(size.x, size.y);
  ResampleBitmap(under, work, size.x, size.y, 6);
  if (mirrored) Mirror(work, vertical);
  TacBackgroundCache self = MakeBackgroundCache(&work, 0, 0);
  DrawMaskGlyph(work, TPoint(0, 0), pressed_ ? 1 : 0, 1, e, skin.Source.Master, self);
  if (mirrored) Mirror(work, vertical);
  TBitmap32 back(tw, th);
  ResampleBitmap(work, back, tw, th, 6);
  for (int y = 0; y < th; ++y)
    for (int x = 0; x < tw; ++x)
      if (px.Inside(r.Left + x, r.Top + y)) px.At(r.Left + x, r.Top + y) = back.At(x, y);
}

void TacTrackWnd::Paint(gui::TMessage& m) {
  PAINTSTRUCT ps;
  BeginPaint(Wnd(), &ps);
  TsCommonData* d = SkinData();
  if (d && !d->IsUpdating(false)) SendMessageW(GetParent(Wnd()), SM_ALPHACMD, MakeSkinCommand(AC_BEFORESCROLL_PAINT), 0);
  if (d && !d->IsUpdating(false) && (IsWindowVisible(Wnd()) || m.WParam)) {
    HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : GetDC(Wnd());
    PrepareCache();
    if (!d->CacheEmpty())
      BitBlt(dc, 0, 0, d->FCache->Width(), d->FCache->Height(), d->FCache->Canvas().Handle(), 0, 0, SRCCOPY);
    if (!m.WParam) ReleaseDC(Wnd(), dc);
  }
  EndPaint(Wnd(), &ps);
  m.Result = 0;
}

void TacTrackWnd::HandleMessage(gui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      Paint(m);
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      m.Result = 1;
      return;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      CallOldWndProc(m);
      return;
    case WM_LBUTTONUP:
      pressed_ = false;
      CallOldWndProc(m);
      return;
    default:
      CallOldWndProc(m);
  }
}

}  // namespace skin

#include "skin/hooks/acScrollWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "gui/StdCtrls.h"

#include "skin/core/acControlUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/hooks/acHookPaint.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGradientGdi.h"
#include "skin/graphics/acShapesGdi.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"

namespace skin {

namespace {

// One bar is tracked at a time: the mouse is captured while a button is down on it.
struct TTracking {
  TacScrollWnd* Wnd = nullptr;
  int BarKind = -1;
  UINT ScrollMsg = 0;
  int PressedPart = bpNone;
  int PressedHotPart = bpNone;
  int32_t LastTrackPos = 0;  // relative to nMin
  int32_t ThumbSize = 0;
  int32_t MouseOffset = 0;
  uintptr_t Timer = 0;
};
TTracking g_track;

struct THover {
  HWND Wnd = nullptr;
  int BarKind = -1;
  int Part = bpNone;
  TBarRect BarRect;
};
THover g_hover;
bool g_inNcHitTest = false;

bool Inside(const TBarRect& r, POINT p) { return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom; }

int32_t BarLength(const TBarRect& r, bool horizontal) { return horizontal ? r.Right - r.Left : r.Bottom - r.Top; }
int32_t BarStart(const TBarRect& r, bool horizontal) { return horizontal ? r.Left : r.Top; }

}  // namespace

TBarScrollInfo TacScrollBar::Info() const {
  TBarScrollInfo si;
  si.nMin = FScrollInfo.nMin;
  si.nMax = FScrollInfo.nMax;
  si.nPage = FScrollInfo.nPage;
  si.nPos = FScrollInfo.nPos;
  si.nTrackPos = FScrollInfo.nTrackPos;
  return si;
}

TacScrollWnd* GetScrollWnd(HWND wnd) { return static_cast<TacScrollWnd*>(GetPropW(wnd, kScrollHookProp)); }

TacScrollBar* GetScrollBarOf(HWND wnd, int kind) {
  TacScrollWnd* w = GetScrollWnd(wnd);
  if (!w || (kind != SB_HORZ && kind != SB_VERT)) return nullptr;
  return kind == SB_HORZ ? &w->HorzBar() : &w->VertBar();
}

bool SetMinThumbSize(HWND wnd, int kind, int32_t size) {
  TacScrollWnd* w = GetScrollWnd(wnd);
  if (!w) return false;
  if (kind == SB_HORZ || kind == SB_BOTH) w->HorzBar().FMinThumbSize = size;
  if (kind == SB_VERT || kind == SB_BOTH) w->VertBar().FMinThumbSize = size;
  return true;
}

int32_t LastTrackPos() { return g_track.LastTrackPos; }

void SendScrollMessage(HWND wnd, UINT msg, int code, bool setPos, int32_t pos) {
  const LPARAM announce = MAKELPARAM(WORD(code), WORD(msg));
  const bool readsPos = SendSkinCommand(wnd, AC_BEFORESCROLL, announce) == 1;
  LPARAM lParam = 0;
  if (readsPos) {
    lParam = pos;
  } else if (setPos && code == SB_THUMBTRACK) {
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(wnd, msg == WM_HSCROLL ? SB_HORZ : SB_VERT, &si, FALSE);
  }
  SendMessageDirect(wnd, msg, MAKEWPARAM(WORD(code), WORD(std::clamp<int32_t>(pos, 0, 0xFFFF))), lParam);
  SendSkinCommand(wnd, AC_AFTERSCROLL, announce);
}

bool TacScrollWnd::ShiftDown() const { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

TacScrollWnd::TacScrollWnd() {
  horz_.FKind = SB_HORZ;
  vert_.FKind = SB_VERT;
}

TacScrollWnd::~TacScrollWnd() {
  if (g_track.Wnd == this) {
    if (g_track.Timer && Wnd()) KillTimer(Wnd(), g_track.Timer);
    g_track = TTracking{};
  }
  if (g_hover.Wnd == Wnd()) g_hover = THover{};
  const bool wasOn = !Released();
  TakeOff();
  // The window computes its frame again, with the system's bars.
  TsCommonData* d = SkinData();
  if (wasOn && Wnd() && IsWindow(Wnd()) && !(d && d->FUpdating)) RepaintFrame(Wnd(), true);
}

std::unique_ptr<TsCommonData> TacScrollWnd::CreateSkinData() {
  borders_.Left = -1;
  bordersKnown_ = false;
  auto d = std::make_unique<TsScrollWndData>(nullptr, true);
  d->FLoading = true;
  return d;
}

void TacScrollWnd::Prepare(bool repaint) {
  HWND w = Wnd();
  const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
  for (TacScrollBar* b : {&horz_, &vert_}) {
    b->FScrollInfo = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(w, b->FKind, &b->FScrollInfo);
    b->FFlags = (style & (b->FKind == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) ? 8 : 0;
    b->FThickness = -1;
    b->FArrowLength = -1;
    b->FMinThumbSize = kDefaultMinThumb;
  }
  leftScrollBar_ = (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  SetPropW(w, kScrollHookProp, HANDLE(this));
  if (repaint) RepaintFrame(w, true);
}

void TacScrollWnd::Install(HWND wnd, bool repaint, const std::string& section) {
  Attach(wnd, section);
  Prepare(repaint);
}

void TacScrollWnd::InstallControl(gui::TWinControl* control, TsCommonData* shared, bool repaint,
                                  const std::string& section) {
  AttachControl(control, shared, section);
  Prepare(repaint);
}

bool TacScrollWnd::ReleaseScroll(bool repaint) {
  if (g_track.Wnd == this) {
    if (GetCapture() == Wnd()) ReleaseCapture();
    if (g_track.Timer) KillTimer(Wnd(), g_track.Timer);
    g_track = TTracking{};
  }
  if (g_hover.Wnd == Wnd()) {
    KillTimer(Wnd(), kScrollHoverTimer);
    g_hover = THover{};
  }
  horz_.FVisible = vert_.FVisible = false;
  return Release(repaint);
}

void TacScrollWnd::RestoreOriginalLook() {
  TacMainWnd::RestoreOriginalLook();
  bordersKnown_ = false;
}

bool TacScrollWnd::Skinned() const {
  TsCommonData* d = SkinData();
  return d && d->IsSkinned() && d->GetScaledSkin();
}

int TacScrollWnd::VisibleScrollBarSize(bool vertical) const {
  const TacScrollBar& b = vertical ? vert_ : horz_;
  return b.FVisible ? Thickness(b) : 0;
}

int32_t TacScrollWnd::Thickness(const TacScrollBar& bar) const {
  TBarSizeInputs in;
  in.OwnThickness = bar.FThickness;
  in.SystemThickness = GetSystemMetrics(bar.FKind == SB_HORZ ? SM_CYHSCROLL : SM_CXVSCROLL);
  TsCommonData* d = SkinData();
  if (auto* sd = dynamic_cast<TsScrollWndData*>(d)) {
    in.DataWidth = (bar.FKind == SB_HORZ ? sd->HorzScrollData() : sd->VertScrollData()).ScrollWidth();
  }
  if (TsSkinManager* m = d ? d->GetSkinManager() : nullptr) {
    in.ManagerWidth = m->GetScrollBarWidth(96);
    in.SkinScaleNum = m->ScaleInt(1000);
    in.SkinScaleDen = 1000;
  }
  return BarThickness(in);
}

int32_t TacScrollWnd::ArrowLength(const TacScrollBar& bar) const {
  TBarSizeInputs in;
  in.OwnArrow = bar.FArrowLength;
  in.SkinButtonSize = Globals().HScrollBtnWidth;
  TsCommonData* d = SkinData();
  if (auto* sd = dynamic_cast<TsScrollWndData*>(d)) {
    in.DataButtons = (bar.FKind == SB_HORZ ? sd->HorzScrollData() : sd->VertScrollData()).ButtonsSize();
  }
  if (TsSkinManager* m = d ? d->GetSkinManager() : nullptr) {
    in.ManagerWidth = m->GetScrollBarWidth(96);
    in.ManagerButtons = m->ScrollsOptions.ButtonsSize();
    in.SkinScaleNum = m->ScaleInt(1000);
    in.SkinScaleDen = 1000;
  }
  return BarArrowLength(in);
}

TBarRect TacScrollWnd::BarRect(const TacScrollBar& bar) const {
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  const TBarRect w{wr.left, wr.top, wr.right, wr.bottom};
  TBarLayout l{horz_.FVisible, vert_.FVisible, Thickness(horz_), Thickness(vert_), leftScrollBar_};
  const TBarBorders b{std::max(0, borders_.Left), borders_.Top, borders_.Right, borders_.Bottom};
  return bar.FKind == SB_HORZ ? HorzBarRect(w, b, l) : VertBarRect(w, b, l);
}

bool TacScrollWnd::ScrollBarEnabled(const TacScrollBar& bar) const {
  const LONG_PTR style = GetWindowLongPtrW(Wnd(), GWL_STYLE);
  if (!ScrollBarFunctions().GetScrollBarInfo) return (bar.FFlags & 8) != 0;
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  const LONG obj = bar.FKind == SB_HORZ ? OBJID_HSCROLL : bar.FKind == SB_VERT ? OBJID_VSCROLL : OBJID_CLIENT;
  if (!ScrollBarFunctions().GetScrollBarInfo(Wnd(), obj, &info)) return false;
  // Both arrows off (by the hook's own marks or by the window's EnableScrollBar) is a bar
  // that cannot be used.
  if ((bar.FFlags & 3) == 3) return false;
  if ((info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) && (info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE)) return false;
  if (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) return false;
  if (bar.FFlags & 4) {
    const SCROLLINFO& si = bar.FScrollInfo;
    if (!(UINT(si.nMax) >= si.nPage && si.nMax > si.nMin && si.nMax != 0)) return false;
  }
  if (Control() && !Control()->Enabled()) return false;
  (void)style;
  return true;
}

void TacScrollWnd::UpdateScrollInfo(bool repaint) {
  TsCommonData* d = SkinData();
  if (!d || d->FUpdating || d->FUpdateCount > 0 || !IsWindowVisible(Wnd())) return;
  for (TacScrollBar* b : {&horz_, &vert_}) {
    b->FScrollInfo = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Wnd(), b->FKind, &b->FScrollInfo);
  }
  if (repaint && !AnimationInProgress) PaintScrollBars();
}

// ---------------------------------------------------------------- painting

void TacScrollWnd::PaintScrollBars(HDC dc) {
  TsCommonData* d = SkinData();
  if (!Skinned() || d->FUpdating || !IsWindowVisible(Wnd())) return;
  if (d->FCacheInvalid) SendSkinCommand(Wnd(), AC_PREPARECACHE);
  HDC own = dc ? nullptr : GetWindowDC(Wnd());
  HDC target = dc ? dc : own;
  for (TacScrollBar* b : {&horz_, &vert_}) {
    const int pressed = (g_track.Wnd == this && g_track.BarKind == b->FKind) ? g_track.PressedHotPart : bpNone;
    PaintBar(target, *b, pressed);
  }
  if (horz_.FVisible && vert_.FVisible) PaintCorner(target);
  if (own) ReleaseDC(Wnd(), own);
}

bool TacScrollWnd::CornerHasGrip() const {
  if (!horz_.FVisible || !vert_.FVisible) return false;
  HWND top = GetAncestor(Wnd(), GA_ROOT);
  RECT wr, client;
  if (!top || top == Wnd() || !GetWindowRect(Wnd(), &wr) || !GetClientRect(top, &client)) return false;
  MapWindowPoints(top, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return CornerTakesGrip({wr.left, wr.top, wr.right, wr.bottom}, {client.left, client.top, client.right, client.bottom});
}

void TacScrollWnd::PaintCorner(HDC dc) {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d->GetSkinManager();
  TacSkinData* sd = d->GetScaledSkin();
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  const TBarRect h = BarRect(horz_), v = BarRect(vert_);
  const int w = v.Right - v.Left, ht = h.Bottom - h.Top;
  if (w <= 0 || ht <= 0) return;
  auto bmp = CreateBitmap32(w, ht);
  const int track = sd->ScrollBarElems[0].Section;
  const TsGeneralData* s = track >= 0 && track < int(sd->Sections.size()) ? &sd->Sections[size_t(track)] : nullptr;
  if (s && s->StateParams[0].Transparency < 100) {
    uint32_t color = s->StateParams[0].Color == clFuchsia ? m->GetGlobalColor() : s->StateParams[0].Color;
    // A disabled bar beside it fades the corner as it fades the bar.
    if (!ScrollBarEnabled(horz_) || !ScrollBarEnabled(vert_)) color = MixColors(m->GetGlobalColor(), color, 153);
    FillRectOnDC(bmp->Canvas().Handle(), gui::TRect(0, 0, w, ht), TColor(color & 0xFFFFFF));
  } else {
    // A see-through track shows what lies behind the window.
    TacBackgroundCache bg;
    GetWndParentBackground(Wnd(), bg);
    POINT pos{wr.left, wr.top};
    ScreenToClient(GetParent(Wnd()) ? GetParent(Wnd()) : Wnd(), &pos);
    CopyParentBackground(*bmp, bg, gui::TRect(0, 0, w, ht), {pos.x + v.Left - wr.left, pos.y + h.Top - wr.top});
  }
  if (CornerHasGrip() && sd->GripImage >= 0 && sd->GripImage < int(sd->Masks.size())) {
    const TsMaskData& grip = sd->Masks[size_t(sd->GripImage)];
    TBitmap32 px = Pixels32(*bmp);
    TBitmap32 self = px.Clone();
    TBitmap32 master;
    if (m->MasterBitmap()) master = Pixels32(*m->MasterBitmap());
    DrawMaskGlyph(px, {std::max(w - grip.FrameWidth, 0), std::max(ht - grip.FrameHeight, 0)}, 0, 1, grip,
                  master.HasRows() ? &master : nullptr, MakeBackgroundCache(&self, 0, 0));
  }
  BitBlt(dc, v.Left - wr.left, h.Top - wr.top, w, ht, bmp->Canvas().Handle(), 0, 0, SRCCOPY);
}

void PaintScrollPart(const TacSectionSource& src, const TacConstElementData& e, const TRect& rc, int state,
                     const TacBackgroundCache& cache, TBitmap32& px) {
  if (e.Section < 0 || rc.Right <= rc.Left || rc.Bottom <= rc.Top) return;
  PaintSkinSectionWithMask(src, e.Section, e.BorderMask, e.Texture, e.HotTexture, cache, state, rc, TPoint{0, 0}, px);
}

void PaintScrollArrowGlyph(gui::TBitmap& bmp, const TacSkinData& sd, const TacConstElementData& e, const TRect& rc,
                           int state, int direction, TsSkinManager* manager) {
  TsSkinManager* m = manager ? manager : DefaultManager();
  const TsGeneralData* s = e.Section >= 0 && e.Section < int(sd.Sections.size()) ? &sd.Sections[size_t(e.Section)] : nullptr;
  GdiFlush();
  if (e.GlyphMask >= 0 && e.GlyphMask < int(sd.Masks.size())) {
    const TsMaskData& g = sd.Masks[size_t(e.GlyphMask)];
    TBitmap32 px = Pixels32(bmp);
    TBitmap32 self = px.Clone();
    TBitmap32 master;
    if (m && m->MasterBitmap()) master = Pixels32(*m->MasterBitmap());
    DrawMaskGlyph(px, {rc.Left + (rc.Width() - g.FrameWidth) / 2, rc.Top + (rc.Height() - g.FrameHeight) / 2}, state, 1,
                  g, master.HasRows() ? &master : nullptr, MakeBackgroundCache(&self, 0, 0));
    return;
  }
  const uint32_t color = s ? s->StateParams[size_t(std::min(state, 2))].FontColor : 0;
  const bool shifted = state == 2 && ((m && m->ButtonsOptions.ShiftContentOnClick) || (s && s->ShiftClick));
  const TRect r = shifted ? TRect(rc.Left + 1, rc.Top + 1, rc.Right + 1, rc.Bottom + 1) : rc;
  const auto style = static_cast<TacArrowsStyle>(m ? m->Options.GetActualArrowsStyle() : 0);
  DrawStyledArrow(bmp, TColor(color), clNone, r, direction, 0, 0, 0, style, sd.PPI);
}

TRect ScrollArrowRect(const TacSkinData& sd, const TacConstElementData& e, const TRect& rc, int direction) {
  if (e.Section < 0 || e.BorderMask < 0 || e.BorderMask >= int(sd.Masks.size())) return rc;
  const TsMaskData& image = sd.Masks[size_t(e.BorderMask)];
  const TBarRect r = ArrowButtonRect({rc.Left, rc.Top, rc.Right, rc.Bottom}, direction, image.FrameWidth, image.FrameHeight);
  return TRect(r.Left, r.Top, r.Right, r.Bottom);
}

void TacScrollWnd::PaintBar(HDC dc, TacScrollBar& bar, int pressedPart, int thumbStartOverride) {
  TsCommonData* d = SkinData();
  if (!bar.FVisible || (tracking_ && thumbStartOverride < 0 && g_track.BarKind == bar.FKind)) return;
  TacSkinData* sd = d->GetScaledSkin();
  const bool h = bar.FKind == SB_HORZ;
  const TacConstElementData& track1 = sd->ScrollBarElems[h ? 0 : 1];
  const TacConstElementData& track2 = sd->ScrollBarElems[h ? 2 : 3];
  const TacConstElementData& first = sd->ScrollBtnElems[h ? 0 : 1];
  const TacConstElementData& second = sd->ScrollBtnElems[h ? 2 : 3];
  const TacConstElementData& slider = sd->SliderElems[h ? 0 : 1];
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  const TBarRect r = BarRect(bar);
  const int32_t len = BarLength(r, h);
  const int32_t thick = h ? r.Bottom - r.Top : r.Right - r.Left;
  if (len <= 1 || thick <= 0 || track1.Section < 0) return;
  if (thumbStartOverride < 0) {
    bar.FScrollInfo = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Wnd(), bar.FKind, &bar.FScrollInfo);
  }
  auto bmp = CreateBitmap32(r.Right - r.Left, r.Bottom - r.Top);
  TBitmap32 master;
  TsSkinManager* m = d->GetSkinManager();
  if (m->MasterBitmap()) master = Pixels32(*m->MasterBitmap());
  TGdiGradientFills fills(bmp->Canvas().Handle());
  TacSectionSource src{sd, master.HasRows() ? &master : nullptr, &fills};
  TBitmap32 px = Pixels32(*bmp);
  TacBackgroundCache cache;
  cache.FillColor = TColor(m->GetGlobalColor());
  const bool enabled = ScrollBarEnabled(bar);
  const bool hoverBar = g_hover.Wnd == Wnd() && g_hover.BarKind == bar.FKind && enabled && pressedPart == bpNone;
  auto stateOf = [&](int part) { return pressedPart == part ? 2 : (hoverBar && g_hover.Part == part ? 1 : 0); };
  // A span along the bar as a rectangle of the bar's bitmap.
  auto span = [&](int32_t a, int32_t b) {
    return h ? TRect(a, 0, b, thick) : TRect(0, a, thick, b);
  };
  auto paint = [&](const TacConstElementData& e, const TRect& rc, int state) {
    PaintScrollPart(src, e, rc, state, cache, px);
  };
  auto arrowGlyph = [&](const TacConstElementData& e, const TRect& rc, int state, int direction) {
    PaintScrollArrowGlyph(*bmp, *sd, e, rc, state, direction, m);
  };
  const int firstDir = h ? 0 : 1, secondDir = h ? 2 : 3;
  const int32_t arrow = ArrowLength(bar);
  if (2 * arrow < len) {
    TThumb thumb = ThumbGeometry(len, 0, arrow, bar.Info(), bar.FMinThumbSize);
    if (thumbStartOverride >= 0) {
      thumb.Length = g_track.ThumbSize;
      thumb.Start = thumbStartOverride;
    }
    const int32_t mid = thumb.Start + thumb.Length / 2;
    const TRect firstRect = ScrollArrowRect(*sd, first, span(0, arrow), firstDir);
    const TRect secondRect = ScrollArrowRect(*sd, second, span(len - arrow, len), secondDir);
    paint(track1, span(0, mid), stateOf(bpTrackBefore));
    paint(track2, span(mid, len), stateOf(bpTrackAfter));
    paint(first, firstRect, thumbStartOverride >= 0 ? 0 : stateOf(bpFirstArrow));
    paint(second, secondRect, thumbStartOverride >= 0 ? 0 : stateOf(bpSecondArrow));
    if (enabled && ThumbFits(len, arrow, thumb))
      paint(slider, span(thumb.Start, thumb.Start + thumb.Length), thumbStartOverride >= 0 ? 2 : stateOf(bpThumb));
    arrowGlyph(first, firstRect, stateOf(bpFirstArrow), firstDir);
    arrowGlyph(second, secondRect, stateOf(bpSecondArrow), secondDir);
  } else {
    const int32_t half = len / 2;
    const TRect firstRect = ScrollArrowRect(*sd, first, span(0, half), firstDir);
    const TRect secondRect = ScrollArrowRect(*sd, second, span(half, len), secondDir);
    paint(first, firstRect, stateOf(bpFirstArrow));
    paint(second, secondRect, stateOf(bpSecondArrow));
    arrowGlyph(first, firstRect, stateOf(bpFirstArrow), firstDir);
    arrowGlyph(second, secondRect, stateOf(bpSecondArrow), secondDir);
  }
  if (!enabled) {
    // A bar that cannot be used fades into its background: 60 percent of the colour over it.
    GdiFlush();
    const uint32_t c = cache.FillColor;
    const uint32_t shade = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    for (int y = 0; y < px.Height(); ++y)
      for (int x = 0; x < px.Width(); ++x) px.At(x, y) = MixColors(shade, px.At(x, y), 153) | 0xFF000000u;
  }
  BitBlt(dc, r.Left - wr.left, r.Top - wr.top, r.Right - r.Left, r.Bottom - r.Top, bmp->Canvas().Handle(), 0, 0,
         SRCCOPY);
}

// ---------------------------------------------------------------- messages

bool TacScrollWnd::HandleSkinCommand(gui::TMessage& m) {
  switch (m.WParamHi()) {
    case AC_PREPARECACHE:
      // The window answers first; -2 says it painted its image itself.
      CallOldWndProc(m);
      if (TsCommonData* d = SkinData(); d && d->FCacheInvalid && !d->FUpdating && m.Result != -2) {
        PaintWindowCache(*d, Wnd(), InNativeDialog());
        if (!InNativeDialog()) PaintCacheCorners(*d, 0, Wnd());
      }
      return true;
    case AC_SETUPDATING:
      if (TsCommonData* d = SkinData()) d->FUpdating = m.WParamLo() == 1;
      CallOldWndProc(m);
      return true;
    default:
      return false;
  }
}

void TacScrollWnd::NcCalcSize(gui::TMessage& m) {
  RECT* rc = m.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0] : reinterpret_cast<RECT*>(m.LParam);
  const RECT proposed = *rc;
  const LONG_PTR style = GetWindowLongPtrW(Wnd(), GWL_STYLE);
  // A one-line edit computes its frame with its style as it is.
  const bool oneLineEdit = Control() && dynamic_cast<gui::TEdit*>(Control());
  if ((style & (WS_HSCROLL | WS_VSCROLL)) && !oneLineEdit) {
    // The system must not keep room for its own bars: they are hidden while it computes.
    paintLock_ = true;
    SetWindowLongPtrW(Wnd(), GWL_STYLE, style & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL));
    CallOldWndProc(m);
    SetWindowLongPtrW(Wnd(), GWL_STYLE, style);
    paintLock_ = false;
  } else {
    CallOldWndProc(m);
  }
  const LRESULT answer = m.Result;
  borders_ = {rc->left - proposed.left, rc->top - proposed.top, proposed.right - rc->right,
              proposed.bottom - rc->bottom};
  TBarRect client{rc->left, rc->top, rc->right, rc->bottom};
  TBarLayout l{false, false, Thickness(horz_), Thickness(vert_), leftScrollBar_};
  horz_.FFlags = (style & WS_HSCROLL) ? 8 : 0;
  vert_.FFlags = (style & WS_VSCROLL) ? 8 : 0;
  ReserveBars(client, horz_.FFlags != 0, vert_.FFlags != 0, l);
  horz_.FVisible = l.HorzVisible;
  vert_.FVisible = l.VertVisible;
  *rc = RECT{client.Left, client.Top, client.Right, client.Bottom};
  m.Result = answer;
  bordersKnown_ = true;
}

void TacScrollWnd::NcHitTest(gui::TMessage& m) {
  if (g_inNcHitTest) {
    m.Result = HTNOWHERE;
    return;
  }
  g_inNcHitTest = true;
  // The bars lie outside the client area, where no mouse move reaches the window.
  if (TsCommonData* d = SkinData(); d && !d->FHovered && !(Control() && NoHoverKinds.Has(d->FControlKind)))
    if (TsSkinManager* sm = d->GetSkinManager(); sm && sm->HoveredWindow() != Wnd()) sm->SetHoveredWindow(Wnd());
  const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (horz_.FVisible && Inside(BarRect(horz_), p))
    m.Result = ScrollBarEnabled(horz_) ? HTHSCROLL : HTNOWHERE;
  else if (vert_.FVisible && Inside(BarRect(vert_), p))
    m.Result = ScrollBarEnabled(vert_) ? HTVSCROLL : HTNOWHERE;
  else if (CornerHasGrip() && Inside({BarRect(vert_).Left, BarRect(horz_).Top, BarRect(vert_).Right, BarRect(horz_).Bottom}, p))
    m.Result = HTBOTTOMRIGHT;
  else
    CallOldWndProc(m);
  g_inNcHitTest = false;
}

void TacScrollWnd::NcButtonDown(gui::TMessage& m) {
  if (m.WParam != HTHSCROLL && m.WParam != HTVSCROLL) {
    CallOldWndProc(m);
    return;
  }
  const bool h = m.WParam == HTHSCROLL;
  TacScrollBar& bar = h ? horz_ : vert_;
  const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  const TBarRect r = BarRect(bar);
  const int32_t arrow = ArrowLength(bar);
  g_track.Wnd = this;
  g_track.ScrollMsg = h ? WM_HSCROLL : WM_VSCROLL;
  g_track.BarKind = bar.FKind;
  g_track.PressedPart = HitTestBar(h, r, p.x, p.y, arrow, bar.Info(), bar.FMinThumbSize, ShiftDown());
  m.Result = 0;
  switch (g_track.PressedPart) {
    case bpFirstArrow:
    case bpSecondArrow:
      if (bar.FFlags & (g_track.PressedPart == bpFirstArrow ? 1 : 2)) {
        g_track = TTracking{};
        return;
      }
      [[fallthrough]];
    case bpTrackBefore:
    case bpTrackAfter:
      if (!ScrollBarEnabled(bar)) {
        g_track = TTracking{};
        return;
      }
      g_track.PressedHotPart = g_track.PressedPart;
      PaintScrollBars();
      SendScroll(g_track.PressedPart, false, 0);
      g_track.Timer = kScrollDelayTimer;
      SetTimer(Wnd(), kScrollDelayTimer, kScrollDelayMs, nullptr);
      break;
    case bpTrackJump: {
      // The thumb jumps under the mouse; no capture, nothing more follows.
      const TThumb thumb = ThumbGeometry(BarLength(r, h), BarStart(r, h), arrow, bar.Info(), bar.FMinThumbSize);
      g_track.ThumbSize = thumb.Length;
      g_track.MouseOffset = thumb.Length / 2;
      g_track.LastTrackPos = bar.FScrollInfo.nPos - bar.FScrollInfo.nMin;
      DragStep(p);
      g_track = TTracking{};
      PaintScrollBars();
      return;
    }
    case bpThumb: {
      if (!ScrollBarEnabled(bar)) {
        g_track = TTracking{};
        return;
      }
      const TThumb thumb = ThumbGeometry(BarLength(r, h), BarStart(r, h), arrow, bar.Info(), bar.FMinThumbSize);
      tracking_ = true;
      g_track.PressedHotPart = bpThumb;
      g_track.ThumbSize = thumb.Length;
      g_track.MouseOffset = (h ? p.x : p.y) - thumb.Start;
      g_track.LastTrackPos = bar.FScrollInfo.nPos - bar.FScrollInfo.nMin;
      DragStep(p);
      break;
    }
    default:
      g_track = TTracking{};
      CallOldWndProc(m);
      return;
  }
  if (g_track.PressedPart != bpNone) SetCapture(Wnd());
}

void TacScrollWnd::SendScroll(int code, bool setPos, int32_t pos) {
  sendingScroll_ = true;
  SendScrollMessage(Wnd(), g_track.ScrollMsg, code, setPos, pos);
  sendingScroll_ = false;
  if (!tracking_) UpdateScrollInfo(true);
}

bool TacScrollWnd::ScrollInfoChanged() {
  for (TacScrollBar* b : {&horz_, &vert_}) {
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Wnd(), b->FKind, &si);
    const SCROLLINFO& o = b->FScrollInfo;
    if (si.nMin != o.nMin || si.nMax != o.nMax || si.nPage != o.nPage || si.nPos != o.nPos) return true;
  }
  return false;
}

namespace {
// Messages after which a window may have drawn its own bars (it scrolled or changed its
// scroll information and asked for a redraw).
bool MayRedrawOwnBars(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SETTEXT:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_ENABLE:
    case WM_SETFONT:
      return true;
    default:
      // the edit messages, then the combo and list box ones
      return (msg >= EM_GETSEL && msg < WM_KEYFIRST) || (msg >= CB_GETEDITSEL && msg < WM_MOUSEFIRST);
  }
}
}  // namespace

void TacScrollWnd::DragStep(POINT p) {
  TacScrollBar& bar = BarOfKind(g_track.BarKind);
  const bool h = bar.FKind == SB_HORZ;
  const TBarRect r = BarRect(bar);
  const int32_t arrow = ArrowLength(bar);
  const int32_t start = BarStart(r, h), len = BarLength(r, h);
  const int32_t thumbStart = DraggedThumbStart(h ? p.x : p.y, g_track.MouseOffset, start, len, arrow, g_track.ThumbSize);
  const int32_t pos = DraggedPosition(thumbStart - start - arrow, bar.Info(), len - 2 * arrow, g_track.ThumbSize);
  if (pos != g_track.LastTrackPos) {
    bar.FScrollInfo.nTrackPos = pos + bar.FScrollInfo.nMin;
    SendScroll(SB_THUMBTRACK, true, bar.FScrollInfo.nTrackPos);
    g_track.LastTrackPos = pos;
  }
  // Painted after the window has moved: a window that redraws its own bar while it
  // scrolls does so over ours.
  if (Skinned()) {
    HDC dc = GetWindowDC(Wnd());
    const bool was = tracking_;
    tracking_ = false;
    PaintBar(dc, bar, bpThumb, thumbStart - start);
    tracking_ = was;
    if (BarOfKind(1 - g_track.BarKind).FVisible) PaintBar(dc, BarOfKind(1 - g_track.BarKind), bpNone);
    ReleaseDC(Wnd(), dc);
  }
}

void TacScrollWnd::MouseMove(gui::TMessage& m) {
  if (g_track.Wnd != this || g_track.PressedPart == bpNone) {
    CallOldWndProc(m);
    return;
  }
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  ClientToScreen(Wnd(), &p);
  if (tracking_) {
    DragStep(p);
    return;
  }
  TacScrollBar& bar = BarOfKind(g_track.BarKind);
  const bool h = bar.FKind == SB_HORZ;
  const int part = HitTestBar(h, BarRect(bar), p.x, p.y, ArrowLength(bar), bar.Info(), bar.FMinThumbSize, false);
  if (part < bpFirstArrow || part == bpTrackJump) return;
  const int hot = part == g_track.PressedPart ? part : bpNone;
  if (hot != g_track.PressedHotPart) {
    g_track.PressedHotPart = hot;
    PaintScrollBars();
  }
}

void TacScrollWnd::ButtonUp(gui::TMessage& m) {
  if (g_track.Wnd != this || g_track.PressedPart == bpNone) {
    CallOldWndProc(m);
    return;
  }
  if (GetCapture() == Wnd()) ReleaseCapture();
  if (g_track.Timer) KillTimer(Wnd(), g_track.Timer);
  TacScrollBar& bar = BarOfKind(g_track.BarKind);
  if (tracking_) {
    SendScroll(SB_THUMBPOSITION, false, g_track.LastTrackPos + bar.FScrollInfo.nMin);
    tracking_ = false;
  }
  SendScroll(SB_ENDSCROLL, false, 0);
  g_track = TTracking{};
  UpdateScrollInfo(true);
  CallOldWndProc(m);
}

void TacScrollWnd::Timer(gui::TMessage& m) {
  const uintptr_t id = m.WParam;
  if (id == kScrollDelayTimer || id == kScrollRepeatTimer) {
    if (g_track.Wnd != this || g_track.PressedPart == bpNone) {
      KillTimer(Wnd(), id);
      return;
    }
    if (id == kScrollDelayTimer) {
      KillTimer(Wnd(), kScrollDelayTimer);
      g_track.Timer = kScrollRepeatTimer;
      SetTimer(Wnd(), kScrollRepeatTimer, kScrollRepeatMs, nullptr);
    }
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(Wnd(), &p);
    gui::TMessage move{WM_MOUSEMOVE, 0, MAKELPARAM(std::max<LONG>(0, p.x), std::max<LONG>(0, p.y)), 0};
    MouseMove(move);
    if (g_track.PressedHotPart != bpNone) SendScroll(g_track.PressedHotPart, false, 0);
    UpdateScrollInfo(true);
    return;
  }
  if (id == kScrollHoverTimer) {
    if (tracking_) return;
    POINT p;
    GetCursorPos(&p);
    if (g_hover.Wnd != Wnd() || !Inside(g_hover.BarRect, p)) {
      KillTimer(Wnd(), kScrollHoverTimer);
      if (g_hover.Wnd == Wnd()) {
        g_hover = THover{};
        PaintScrollBars();
      }
      return;
    }
    TacScrollBar& bar = BarOfKind(g_hover.BarKind);
    const int part = HitTestBar(bar.FKind == SB_HORZ, g_hover.BarRect, p.x, p.y, ArrowLength(bar), bar.Info(),
                                bar.FMinThumbSize, false);
    if (part != g_hover.Part) {
      g_hover.Part = part;
      PaintScrollBars();
    }
    return;
  }
  CallOldWndProc(m);
  if (!sendingScroll_ && !tracking_) UpdateScrollInfo(true);
}

void TacScrollWnd::NcMouseMove(gui::TMessage& m) {
  if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) {
    const int kind = m.WParam == HTHSCROLL ? SB_HORZ : SB_VERT;
    if (g_hover.Wnd != Wnd() || g_hover.BarKind != kind) {
      g_hover = THover{Wnd(), kind, bpNone, BarRect(BarOfKind(kind))};
      SetTimer(Wnd(), kScrollHoverTimer, kScrollHoverMs, nullptr);
      PaintScrollBars();
    }
  }
  CallOldWndProc(m);
}

void TacScrollWnd::HandleMessage(gui::TMessage& m) {
  if (!Skinned()) {
    CallOldWndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      NcCalcSize(m);
      return;
    case WM_NCPAINT:
      if (!IsWindowVisible(Wnd())) {
        CallOldWndProc(m);
        return;
      }
      if (!bordersKnown_) RepaintFrame(Wnd(), true);
      {
        // The frame first, without the system's bars, then ours over their room.
        const LONG_PTR style = GetWindowLongPtrW(Wnd(), GWL_STYLE);
        paintLock_ = true;
        if (style & (WS_HSCROLL | WS_VSCROLL))
          SetWindowLongPtrW(Wnd(), GWL_STYLE, style & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL));
        CallOldWndProc(m);
        if (style & (WS_HSCROLL | WS_VSCROLL)) SetWindowLongPtrW(Wnd(), GWL_STYLE, style);
        paintLock_ = false;
      }
      if (!sendingScroll_) PaintScrollBars();
      return;
    case WM_NCHITTEST:
      NcHitTest(m);
      return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      NcButtonDown(m);
      return;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
      // No system scroll menu on a skinned bar.
      if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) {
        m.Result = 0;
        return;
      }
      break;
    case WM_NCMOUSEMOVE:
      NcMouseMove(m);
      return;
    case WM_MOUSEMOVE:
      MouseMove(m);
      return;
    case WM_LBUTTONUP:
      ButtonUp(m);
      return;
    case WM_TIMER:
      Timer(m);
      return;
    case WM_STYLECHANGED:
      if (paintLock_) return;
      leftScrollBar_ = (GetWindowLongPtrW(Wnd(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
      break;
    case WM_SYSCOMMAND:
      // The system's own tracking of the vertical bar would draw its bar.
      if ((m.WParam & 0xFFF0) == SC_VSCROLL || (m.WParam & 0xFFF0) == SC_HSCROLL) {
        m.Result = 0;
        return;
      }
      break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case gui::CM_MOUSEWHEEL:
    case gui::CM_FOCUSCHANGED:
      CallOldWndProc(m);
      if (!sendingScroll_) UpdateScrollInfo(true);
      return;
    case gui::CM_BIDIMODECHANGED:
      CallOldWndProc(m);
      leftScrollBar_ = (GetWindowLongPtrW(Wnd(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
      RepaintFrame(Wnd(), true);
      return;
    default:
      break;
  }
  CallOldWndProc(m);
  if (!sendingScroll_ && !tracking_ && Skinned() && bordersKnown_ && (MayRedrawOwnBars(m.Msg) || ScrollInfoChanged()))
    UpdateScrollInfo(true);
}

}  // namespace skin

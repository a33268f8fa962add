#include "skin/hooks/acSBWnd.h"

#include <windowsx.h>

#include "skin/core/acControlPaint.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acHookPaint.h"
#include "skin/hooks/acScrollWnd.h"

namespace skin {
namespace {

TRect ToRect(const TBarRect& r) { return TRect(r.Left, r.Top, r.Right, r.Bottom); }
bool Empty(const TBarRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

}  // namespace

void TacSBWnd::Install(HWND wnd, const std::string& section) {
  Attach(wnd, section);
  if (TsCommonData* d = SkinData()) d->UpdateSkinIndex(true);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(wnd, SB_CTL, &si);
  SBCtrlSetScrollInfo(info_, kSifRange | kSifPage | kSifPos, si.nMin, si.nMax, int32_t(si.nPage), si.nPos, false);
  // The hooked bar is worked by the mouse alone.
  SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) & ~WS_TABSTOP);
  AfterCreation();
}

bool TacSBWnd::Vertical() const { return (GetWindowLongW(Wnd(), GWL_STYLE) & SBS_VERT) != 0; }

int32_t TacSBWnd::ArrowLength() const {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  return m ? m->GetScrollBarWidth(96) : GetSystemMetrics(Vertical() ? SM_CYVSCROLL : SM_CXHSCROLL);
}

TSBCtrlGeometry TacSBWnd::Geometry() const {
  RECT r;
  GetClientRect(Wnd(), &r);
  return SBCtrlGeometry(Vertical(), r.right, r.bottom, ArrowLength(), info_);
}

TSBCtrlPart TacSBWnd::PartAt(POINT p) const { return SBCtrlPartAt(Geometry(), p.x, p.y); }

int32_t TacSBWnd::PositionAt(POINT p) const {
  RECT r;
  GetClientRect(Wnd(), &r);
  const TSBCtrlGeometry g = Geometry();
  return SBCtrlPositionAt(Vertical() ? p.y : p.x, Vertical() ? r.bottom : r.right, ArrowLength(), g.ThumbLength, info_,
                          IsWindowEnabled(Wnd()) != FALSE);
}

void TacSBWnd::SetPosition(int32_t pos) {
  info_.DisplayPos = pos;
  SetScrollPos(Wnd(), SB_CTL, pos, FALSE);
}

void TacSBWnd::PaintTo(HDC dc) {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  TacSkinData* sd = d ? d->GetScaledSkin() : nullptr;
  RECT cr;
  GetClientRect(Wnd(), &cr);
  if (!m || !sd || !m->IsSkinLoaded() || cr.right <= 0 || cr.bottom <= 0) return;
  const bool vertical = Vertical();
  if (cr.right == cr.bottom) {
    // A square control has no room for a bar: the scroll section's colour alone.
    const int scroll = m->GetSkinIndex("SCROLLBAR1H");
    const uint32_t color =
        scroll >= 0 ? sd->Sections[size_t(scroll)].StateParams[0].Color : m->GetGlobalColor();
    FillRectOnDC(dc, gui::TRect(0, 0, cr.right, cr.bottom), TColor(color));
    return;
  }
  auto bmp = CreateBitmap32(cr.right, cr.bottom);
  TSkinOnBitmap skin(*d, *bmp);
  TBitmap32 px = Pixels32(*bmp);
  TacBackgroundCache cache;
  GetWndParentBackground(Wnd(), cache);
  if (!cache.Usable()) cache.FillColor = TColor(m->GetGlobalColor());
  const bool enabled = IsWindowEnabled(Wnd()) != FALSE;
  const TSBCtrlGeometry g = Geometry();
  const int current = d->CurrentState();
  auto state = [&](TSBCtrlPart p) { return enabled ? std::max(parts_.State[p], p <= spSecondTrack ? current : 0) : 0; };
  const size_t h = vertical ? 1 : 0;
  if (!Empty(g.FirstTrack)) PaintScrollPart(skin.Source, sd->ScrollBarElems[h], ToRect(g.FirstTrack), state(spFirstTrack), cache, px);
  if (!Empty(g.SecondTrack))
    PaintScrollPart(skin.Source, sd->ScrollBarElems[h + 2], ToRect(g.SecondTrack), state(spSecondTrack), cache, px);
  PaintScrollPart(skin.Source, sd->ScrollBtnElems[h], ToRect(g.FirstArrow), state(spFirstArrow), cache, px);
  PaintScrollPart(skin.Source, sd->ScrollBtnElems[h + 2], ToRect(g.SecondArrow), state(spSecondArrow), cache, px);
  if (enabled && g.ThumbShown)
    PaintScrollPart(skin.Source, sd->SliderElems[h], ToRect(g.Thumb), state(spThumb), cache, px);
  GdiFlush();
  PaintScrollArrowGlyph(*bmp, *sd, sd->ScrollBtnElems[h], ToRect(g.FirstArrow), state(spFirstArrow), vertical ? 1 : 0);
  PaintScrollArrowGlyph(*bmp, *sd, sd->ScrollBtnElems[h + 2], ToRect(g.SecondArrow), state(spSecondArrow),
                        vertical ? 3 : 2);
  BitBlt(dc, 0, 0, cr.right, cr.bottom, bmp->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TacSBWnd::MouseEnter() {
  parts_.MouseEnter();
  InvalidateRect(Wnd(), nullptr, FALSE);
}

void TacSBWnd::MouseLeave() {
  parts_.MouseLeave();
  InvalidateRect(Wnd(), nullptr, FALSE);
}

bool TacSBWnd::HandleSkinCommand(gui::TMessage& m) {
  switch (m.WParamHi()) {
    case AC_MOUSEENTER:
      MouseEnter();
      m.Result = 0;
      return true;
    case AC_MOUSELEAVE:
      MouseLeave();
      m.Result = 0;
      return true;
    default:
      return false;
  }
}

void TacSBWnd::DoubleClick(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (IsWindowVisible(Wnd())) {
    // The system would paint its own pressed bar in between.
    CallWndProc(WM_SETREDRAW, FALSE, 0);
    CallOldWndProc(m);
    CallWndProc(WM_SETREDRAW, TRUE, 0);
  } else {
    CallOldWndProc(m);
  }
  if (!IsWindowEnabled(Wnd())) return;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(Wnd(), &p);
  parts_.MouseDown(PartAt(p), d->CurrentState(), PositionAt(p), GetScrollPos(Wnd(), SB_CTL));
  parts_.MouseUp(PartAt(p), d->CurrentState());
  RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
}

void TacSBWnd::HandleMessage(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (!d) {
    CallOldWndProc(m);
    return;
  }
  const bool visible = IsWindowVisible(Wnd()) != FALSE;
  switch (m.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(Wnd(), &ps);
      PaintTo(dc);
      if (!m.WParam) EndPaint(Wnd(), &ps);
      m.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      m.Result = 1;
      return;
    case WM_NCHITTEST: {
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      ScreenToClient(Wnd(), &p);
      if (IsWindowEnabled(Wnd())) {
        if (auto pos = parts_.MouseMove(PartAt(p), PositionAt(p), GetScrollPos(Wnd(), SB_CTL))) SetPosition(*pos);
        InvalidateRect(Wnd(), nullptr, FALSE);
      }
      CallOldWndProc(m);
      return;
    }
    case WM_LBUTTONDOWN: {
      const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      if (IsWindowEnabled(Wnd())) {
        parts_.MouseDown(PartAt(p), d->CurrentState(), PositionAt(p), GetScrollPos(Wnd(), SB_CTL));
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      }
      // The system's tracking runs in here.
      CallOldWndProc(m);
      if (visible) RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
      return;
    }
    case WM_LBUTTONUP: {
      const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      if (IsWindowEnabled(Wnd())) {
        parts_.MouseUp(PartAt(p), d->CurrentState());
        InvalidateRect(Wnd(), nullptr, FALSE);
      }
      CallOldWndProc(m);
      return;
    }
    case SBM_SETSCROLLINFO: {
      RECT r;
      GetClientRect(Wnd(), &r);
      if (const auto* si = reinterpret_cast<const SCROLLINFO*>(m.LParam); si && r.right != r.bottom)
        SBCtrlSetScrollInfo(info_, si->fMask, si->nMin, si->nMax, int32_t(si->nPage), si->nPos,
                            parts_.ScrollCode == kSbThumbTrack);
      if (!visible) {
        CallOldWndProc(m);
        return;
      }
      // The system would draw its own bar: without redraw, then ours.
      CallWndProc(WM_SETREDRAW, FALSE, 0);
      CallOldWndProc(m);
      CallWndProc(WM_SETREDRAW, TRUE, 0);
      RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
      return;
    }
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
      DoubleClick(m);
      return;
    case gui::CM_MOUSEENTER:
      CallOldWndProc(m);
      MouseEnter();
      return;
    case gui::CM_MOUSELEAVE:
      CallOldWndProc(m);
      MouseLeave();
      return;
    case WM_ENABLE:
      CallOldWndProc(m);
      InvalidateRect(Wnd(), nullptr, FALSE);
      return;
    default:
      CallOldWndProc(m);
  }
}

}  // namespace skin

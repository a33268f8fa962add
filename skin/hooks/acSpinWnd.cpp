#include "skin/hooks/acSpinWnd.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/core/acControlPaint.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

namespace {
constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
// The skin command the owner gets after the arrows painted.
constexpr WORD kOwnerPainted = 78;
}

void TacSpinWnd::AfterCreation() {
  firstState_ = secondState_ = 0;
  FLeftOffset = 0;
  FOwnerWnd = nullptr;
  AfterCreationIn("UPDOWNBTN");
}

bool TacSpinWnd::Horizontal() { return (GetWindowLongW(Wnd(), GWL_STYLE) & UDS_HORZ) != 0; }

void TacSpinWnd::UpdateStates() {
  const TWndBounds b = GetWndBounds(Wnd());
  POINT p;
  GetCursorPos(&p);
  p.x -= b.WndRect.left;
  p.y -= b.WndRect.top;
  const TacSpinStates s =
      SpinButtonStates(b.WndSize.x, b.WndSize.y, Horizontal(), FRightToLeft, {p.x, p.y}, mousePressed_);
  firstState_ = s.First;
  secondState_ = s.Second;
}

void TacSpinWnd::PrepareSpinCache() {
  TsCommonData* d = SkinData();
  TacSkinData* skin = d->GetScaledSkin();
  TsSkinManager* m = d->GetSkinManager();
  const TWndBounds b = GetWndBounds(Wnd());
  EnsureCache(*d, b.WndSize.x, b.WndSize.y);
  if (!skin || !m) return;
  TacBackgroundCache bg;
  GetWndParentBackground(Wnd(), bg);
  const bool horz = Horizontal();
  const TacSpinButtons r = SpinButtonRects(b.WndSize.x, b.WndSize.y, horz, FLeftOffset);
  // The skin's elements in the order left, up, right, down.
  const int firstDir = horz ? 0 : 1, secondDir = horz ? 2 : 3;
  const int saved = d->FSkinIndex;
  TBitmap32 master;
  if (m->MasterBitmap()) master = Pixels32(*m->MasterBitmap());
  auto button = [&](const gui::TRect& rc, int dir, int state) {
    const TacConstElementData& e = skin->UpDownElems[size_t(dir)];
    d->FSkinIndex = e.Section;
    PaintControlSection(*d, bg, state, rc, {b.WndPos.x, b.WndPos.y}, *d->FCache);
    if (e.GlyphMask >= 0 && e.GlyphMask < int(skin->Masks.size())) {
      const TsMaskData& g = skin->Masks[size_t(e.GlyphMask)];
      TBitmap32 px = Pixels32(*d->FCache);
      TBitmap32 self = px.Clone();
      DrawMaskGlyph(px, {rc.Left + (rc.Width() - g.FrameWidth) / 2, rc.Top + (rc.Height() - g.FrameHeight) / 2}, state, 1,
                    g, master.HasRows() ? &master : nullptr, MakeBackgroundCache(&self, 0, 0));
    } else {
      uint32_t color = 0;
      if (e.Section >= 0 && e.Section < int(skin->Sections.size()))
        color = skin->Sections[size_t(e.Section)].StateParams[size_t(std::min(state, 2))].FontColor;
      DrawSolidArrow(d->FCache->Canvas().Handle(), rc, dir, color, state == 2 && IsContentShifted(*d));
    }
  };
  button(r.First, firstDir, firstState_);
  button(r.Second, secondDir, secondState_);
  d->FSkinIndex = saved;
  d->FCacheInvalid = false;
}

void TacSpinWnd::PaintSpin(HDC given) {
  TsCommonData* d = SkinData();
  UpdateStates();
  PAINTSTRUCT ps{};
  HDC painted = given ? nullptr : BeginPaint(Wnd(), &ps);
  if (!d->IsUpdating(true)) {
    HDC dc = given ? given : GetDC(Wnd());
    d->FCacheInvalid = true;
    PrepareSpinCache();
    const int from = Horizontal() ? 0 : FLeftOffset;
    BitBlt(dc, from, 0, d->FCache->Width() - from, d->FCache->Height(), d->FCache->Canvas().Handle(), from, 0, SRCCOPY);
    if (!given) ReleaseDC(Wnd(), dc);
  }
  if (painted) EndPaint(Wnd(), &ps);
}

bool TacSpinWnd::HandleSkinCommand(gui::TMessage& m) {
  if (FActive && m.WParamHi() == 30) RedrawWindow(Wnd(), nullptr, nullptr, kRedrawAll);
  return false;
}

void TacSpinWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (!FActive || Released() || !HookPaints(d)) {
    TacMainWnd::WndProc(m);
    KeepLeftForRightToLeftOwner(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      PaintSpin(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      if (FOwnerWnd && IsWindow(FOwnerWnd)) SendSkinCommand(FOwnerWnd, kOwnerPainted);
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      m.Result = 1;
      return;
    case WM_LBUTTONDOWN:
      mousePressed_ = true;
      break;
    case WM_LBUTTONUP:
      mousePressed_ = false;
      break;
    case WM_MOUSELEAVE:
      tracking_ = false;
      InvalidateRect(Wnd(), nullptr, FALSE);
      break;
    default:
      break;
  }
  TacMainWnd::WndProc(m);
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      if (IsWindowEnabled(Wnd())) {
        TrackMouseLeave(Wnd(), tracking_);
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      break;
    case WM_LBUTTONDBLCLK:
      mousePressed_ = true;
      RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      mousePressed_ = false;
      break;
    default:
      break;
  }
  KeepLeftForRightToLeftOwner(m);
}

void TacSpinWnd::KeepLeftForRightToLeftOwner(gui::TMessage& m) {
  if (m.Msg != WM_WINDOWPOSCHANGING || !m.LParam || !FOwnerWnd || !IsWindow(FOwnerWnd)) return;
  if (GetWindowLongW(FOwnerWnd, GWL_EXSTYLE) & WS_EX_RTLREADING) reinterpret_cast<WINDOWPOS*>(m.LParam)->x = 0;
}

}  // namespace skin

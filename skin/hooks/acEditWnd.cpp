#include "skin/hooks/acEditWnd.h"

#include "gui/StdCtrls.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

// ---------------------------------------------------------------- TacHookBrush

HBRUSH TacHookBrush::Get(COLORREF color) {
  if (brush_ && color == color_) return brush_;
  Free();
  brush_ = CreateSolidBrush(color);
  color_ = color;
  return brush_;
}

void TacHookBrush::Free() {
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
}

// ---------------------------------------------------------------- TacBaseWnd

void TacBaseWnd::HandleMessage(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !d || !d->IsSkinned()) {
    TacScrollWnd::HandleMessage(m);
    return;
  }
  switch (m.Msg) {
    case WM_SIZE:
    case WM_EXITSIZEMOVE:
      d->FCacheInvalid = true;
      break;
    case WM_SETCURSOR:
      CallOldWndProc(m);
      return;
    case 0x2100:
      m.Result = 0;
      return;
    default:
      break;
  }
  TacScrollWnd::HandleMessage(m);
  switch (m.Msg) {
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (!SendingScroll()) UpdateScrollInfo(true);
      break;
    case WM_ENABLE:
    case gui::CM_ENABLEDCHANGED:
      if (IsWindowVisible(Wnd())) SendMessageW(Wnd(), WM_NCPAINT, 0, 0);
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------- TacEditWnd

void TacEditWnd::HookWindow(HWND wnd, const TacSkinParams& params) {
  Install(wnd, false, params.SkinSection.empty() ? DefaultSection() : params.SkinSection);
  Finish(params);
}

void TacEditWnd::HookControl(gui::TWinControl* control, const TacSkinParams& params) {
  TacSkinParams own = params;
  if (own.SkinSection.empty()) own.SkinSection = DefaultSection();
  // A control that draws a panel's border of its own shows its parent through the frame,
  // whatever section it was given.
  if (control && HasProp(control, "PanelBorder")) own.SkinSection = "TRANSPARENT";
  InstallControl(control, nullptr, false, own.SkinSection);
  Finish(own);
}

TacEditWnd::~TacEditWnd() {
  // Taken off here, while the edit's own restore still answers.
  TakeOff();
}

void TacEditWnd::HookControl(gui::TWinControl* control, TsCommonData& shared) {
  InstallControl(control, &shared, false);
  Finish({}, false);
}

void TacEditWnd::Finish(const TacSkinParams& params, bool ownState) {
  TsCommonData* d = SkinData();
  if (!d) return;
  if (ownState) TakeParams(params);
  if (auto* sd = dynamic_cast<TsScrollWndData*>(d); sd && ownState) {
    if (params.HorzScrollSize >= 0) sd->HorzScrollData().SetScrollSize(0, params.HorzScrollSize);
    if (params.HorzScrollBtnSize >= 0) sd->HorzScrollData().SetScrollSize(1, params.HorzScrollBtnSize);
    if (params.VertScrollSize >= 0) sd->VertScrollData().SetScrollSize(0, params.VertScrollSize);
    if (params.VertScrollBtnSize >= 0) sd->VertScrollData().SetScrollSize(1, params.VertScrollBtnSize);
  }
  SaveOriginalLook();
  d->UpdateSkinIndex(true);
  AfterCreation();
  ApplySkinLook();
  RepaintFrame(Wnd(), true);
}

void TacEditWnd::SaveOriginalLook() {
  TsCommonData* d = SkinData();
  if (!d || saved_) return;
  saved_ = true;
  if (gui::TWinControl* c = Control()) {
    d->FSavedColor = c->Color();
    d->FSavedFontColor = c->Font().Color();
  }
}

bool TacEditWnd::SkinnedNow() {
  TsCommonData* d = SkinData();
  return !Released() && d && d->IsSkinned();
}

int TacEditWnd::LookState() {
  TsCommonData* d = SkinData();
  const TsGeneralData* s = d ? d->Section() : nullptr;
  return d && d->FFocused && s && s->States > 1 ? 1 : 0;
}

void TacEditWnd::ApplySkinLook() {
  TsCommonData* d = SkinData();
  if (lookLock_ || !d) return;
  if (!SkinnedNow()) {
    frameColor_ = 0;
    return;
  }
  lookLock_ = true;
  d->FUpdating = true;
  TakeSkinColors(*d);
  skinnedLook_ = true;
  d->FCacheInvalid = true;
  d->FUpdating = false;
  lookLock_ = false;
  TacBaseWnd::ApplySkinLook();
}

void TacEditWnd::TakeSkinColors(TsCommonData& d) {
  const int state = LookState();
  backColor_ = d.GetBackgroundColor(state, Wnd()) & 0xFFFFFF;
  textColor_ = GetWndSkinFontColor(Wnd(), d.FSkinIndex, d.GetSkinManager(), state) & 0xFFFFFF;
  frameColor_ = d.GetSkinManager()->Palette()[55] & 0xFFFFFF;
  if (gui::TWinControl* c = Control()) {
    if (!d.FCustomColor && c->Color() != TColor(backColor_)) c->SetColor(TColor(backColor_));
    if (!d.FCustomFont && c->Font().Color() != TColor(textColor_)) c->Font().SetColor(TColor(textColor_));
  }
}

void TacEditWnd::RestoreOriginalLook() {
  TacBaseWnd::RestoreOriginalLook();
  TsCommonData* d = SkinData();
  // The control gets the colours it had before the skin, not the system's defaults.
  if (gui::TWinControl* c = Control(); c && !c->IsDestroying() && d && saved_ && skinnedLook_) {
    if (!d->FCustomColor) c->SetColor(TColor(d->FSavedColor));
    if (!d->FCustomFont) c->Font().SetColor(TColor(d->FSavedFontColor));
  }
  skinnedLook_ = false;
  frameColor_ = 0;
  brush_.Free();
  if (Wnd() && IsWindow(Wnd()))
    SetWindowPos(Wnd(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TacEditWnd::AnswerColor(gui::TMessage& m, TacEditWnd& from) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, from.textColor_);
  SetBkColor(dc, from.backColor_);
  m.Result = reinterpret_cast<LRESULT>(from.brush_.Get(from.backColor_));
}

void TacEditWnd::PaintFrame() {
  TsCommonData* d = SkinData();
  HWND w = Wnd();
  if (!d || !IsWindowVisible(w)) return;
  if (d->FCacheInvalid || d->CacheEmpty()) PrepareCache();
  if (!d->FCache || d->FCache->Empty()) return;
  RECT wr, cr;
  GetWindowRect(w, &wr);
  GetClientRect(w, &cr);
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&cr), 2);
  OffsetRect(&cr, -wr.left, -wr.top);
  HDC dc = GetWindowDC(w);
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
  BitBlt(dc, 0, 0, wr.right - wr.left, wr.bottom - wr.top, d->FCache->Canvas().Handle(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
  ReleaseDC(w, dc);
  PaintScrollBars();
}

void TacEditWnd::PrepareCache() {
  TsCommonData* d = SkinData();
  if (!d) return;
  d->FCacheInvalid = true;
  PaintWindowCache(*d, Wnd(), InNativeDialog());
  if (!InNativeDialog()) PaintCacheCorners(*d, LookState(), Wnd());
}

RECT TacEditWnd::ClientInWindow() const {
  RECT wr, cr;
  GetWindowRect(Wnd(), &wr);
  GetClientRect(Wnd(), &cr);
  MapWindowPoints(Wnd(), nullptr, reinterpret_cast<POINT*>(&cr), 2);
  OffsetRect(&cr, -wr.left, -wr.top);
  return cr;
}

void TacEditWnd::Print(gui::TMessage& m) {
  // The engine's own snapshots ask with no flags: the window as it shows.
  if (!m.LParam) m.LParam = PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  // The window's own printing may leave its clipping in the DC.
  const int own = dc ? SaveDC(dc) : 0;
  CallOldWndProc(m);
  if (dc) RestoreDC(dc, own);
  TsCommonData* d = SkinData();
  if (m.Result == 2 || !d || !dc) return;
  d->FUpdating = false;
  if (!skinnedLook_) ApplySkinLook();
  PrepareCache();
  if (d->CacheEmpty()) return;
  const RECT cr = ClientInWindow();
  HDC cache = d->FCache->Canvas().Handle();
  const int saved = SaveDC(dc);
  if (m.LParam & PRF_NONCLIENT) {
    ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
    BitBlt(dc, 0, 0, d->FCache->Width(), d->FCache->Height(), cache, 0, 0, SRCCOPY);
    PaintScrollBars(dc);
  }
  RestoreDC(dc, saved);
  if (!(m.LParam & PRF_CLIENT)) return;
  // The client area: the section's background under what the window prints of itself, in
  // its own coordinates and clipped to the area beside the bars.
  const int inner = SaveDC(dc);
  if (m.LParam & PRF_NONCLIENT) {
    IntersectClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
    OffsetViewportOrgEx(dc, cr.left, cr.top, nullptr);
  }
  RECT client;
  GetClientRect(Wnd(), &client);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  BitBlt(dc, 0, 0, client.right, client.bottom, cache, cr.left, cr.top, SRCCOPY);
  SendMessageW(Wnd(), WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT | (m.LParam & PRF_OWNED));
  RestoreDC(dc, inner);
}

bool TacEditWnd::PaintDisabledFromCache() {
  HWND w = Wnd();
  auto* edit = dynamic_cast<gui::TEdit*>(Control());
  if (!edit || IsWindowEnabled(w) || (GetWindowLongPtrW(w, GWL_STYLE) & ES_MULTILINE)) return false;
  TsCommonData* d = SkinData();
  PAINTSTRUCT ps;
  BeginPaint(w, &ps);
  EndPaint(w, &ps);
  if (d->FCacheInvalid || d->CacheEmpty()) PrepareCache();
  if (d->CacheEmpty()) return true;
  HDC dc = GetWindowDC(w);
  BitBlt(dc, 0, 0, d->FCache->Width(), d->FCache->Height(), d->FCache->Canvas().Handle(), 0, 0, SRCCOPY);
  ReleaseDC(w, dc);
  PaintScrollBars();
  return true;
}

bool TacEditWnd::HandleSkinCommand(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  switch (m.WParamHi()) {
    case AC_CTRLHANDLED:
      m.Result = 1;
      return true;
    case AC_ENDPARENTUPDATE:
      // The parent's update ended: a control that waited for it paints now.
      if (d && d->FUpdating && !d->IsUpdating(true))
        RedrawWindow(Wnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      return TacScrollWnd::HandleSkinCommand(m);
    case AC_GETBG: {
      // A child window asks for what lies behind it: the control's own colour when it
      // keeps one, else the section's background, seen from inside the frame.
      // Only a record a sender of this thread holds is read.
      if (!d || !IsCommandRecord(reinterpret_cast<const void*>(m.LParam))) return true;
      CallOldWndProc(m);
      auto& q = *reinterpret_cast<TacBackgroundQuery*>(m.LParam);
      if (q.Kind == bkNone) {
        if (d->FCustomColor) {
          q.Kind = bkColor;
          q.Color = Control() ? Control()->Color() : TColor(backColor_);
        } else {
          d->FillBackgroundQuery(q, LookState(), Wnd());
        }
      }
      const RECT cr = ClientInWindow();
      q.OffsetX += cr.left;
      q.OffsetY += cr.top;
      return true;
    }
    case AC_SETSCALE:
      // The frame is measured again for the new pixels per inch.
      CallOldWndProc(m);
      if (d) ProcessSkinCommand(m, d);
      SetWindowPos(Wnd(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return true;
    case AC_REFRESH:
      if (TacScrollWnd::HandleSkinCommand(m)) return true;
      ApplySkinLook();
      return false;
    case AC_PREPARECACHE:
      PrepareCache();
      return true;
    default:
      return TacScrollWnd::HandleSkinCommand(m);
  }
}

void TacEditWnd::HandleMessage(gui::TMessage& m) {
  if (!SkinnedNow()) {
    TacBaseWnd::HandleMessage(m);
    return;
  }
  TsCommonData* d = SkinData();
  switch (m.Msg) {
    case WM_PAINT:
      if (!m.WParam && IsWindowVisible(Wnd()) && !d->FUpdating && PaintDisabledFromCache()) {
        m.Result = 0;
        return;
      }
      break;
    case WM_PRINT:
      Print(m);
      return;
    case WM_SETREDRAW:
      // Children made or put in meanwhile show once drawing is on again.
      if (m.WParam && childrenChanged_) {
        childrenChanged_ = false;
        TacBaseWnd::HandleMessage(m);
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      d->FFocused = m.Msg == WM_SETFOCUS;
      d->FCacheInvalid = true;
      TacBaseWnd::HandleMessage(m);
      const COLORREF before = backColor_;
      ApplySkinLook();
      if (backColor_ != before)
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      else
        SendMessageW(Wnd(), WM_NCPAINT, 0, 0);
      return;
    }
    case WM_SETTEXT:
    case gui::CM_ENABLEDCHANGED:
    case gui::CM_FONTCHANGED:
      d->FCacheInvalid = true;
      TacBaseWnd::HandleMessage(m);
      if (!lookLock_ && !d->FUpdating && d->FUpdateCount < 1)
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
      return;
    case WM_NCPAINT:
      if (inNcPaint_ || !IsWindowVisible(Wnd()) || d->FUpdating) {
        if (!IsWindowVisible(Wnd())) CallOldWndProc(m);
        return;
      }
      inNcPaint_ = true;
      PaintFrame();
      inNcPaint_ = false;
      m.Result = 0;
      return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      // A child window of ours (a combo box's edit or list) asks for its colours.
      TacBaseWnd::HandleMessage(m);
      if (!InNativeDialog() && !d->FCustomColor) AnswerColor(m, *this);
      return;
    default:
      break;
  }
  TacBaseWnd::HandleMessage(m);
  switch (m.Msg) {
    case WM_SETFONT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case gui::CN_KEYDOWN:
    case gui::CN_KEYUP:
      if (!SendingScroll()) UpdateScrollInfo(true);
      break;
    case EM_REPLACESEL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETCURSEL:
    case LB_SETTOPINDEX:
      UpdateScrollInfo(true);
      break;
    case WM_MOUSEMOVE:
      // A selection dragged past the edge scrolls the text.
      if (GetCapture() == Wnd()) UpdateScrollInfo(true);
      break;
    case WM_PARENTNOTIFY:
      if (LOWORD(m.WParam) == WM_CREATE) childrenChanged_ = true;
      break;
    case gui::CM_CONTROLLISTCHANGE:
      childrenChanged_ = true;
      break;
    default:
      break;
  }
}

}  // namespace skin

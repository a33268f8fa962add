#include "skin/forms/sFrameAdapter.h"

#include "gui/Menus.h"
#include "rtl/SysUtils.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/hooks/acHookPaint.h"
#include "skin/hooks/acScrollWnd.h"

namespace skin {

namespace {
rtl::TComponent* FrameOwner(rtl::TComponent* owner) {
  if (!dynamic_cast<gui::TFrame*>(owner))
    throw rtl::Exception("TsFrameAdapter adapter must be placed on the handled frame");
  return owner;
}

constexpr WORD CommandOf(WPARAM w) { return WORD((w >> 16) & 0xFFFF); }
constexpr UINT kRedrawWhole = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
}  // namespace

TsFrameAdapter::TsFrameAdapter(rtl::TComponent* owner)
    : rtl::TComponent(FrameOwner(owner)), frame_(static_cast<gui::TFrame*>(owner)) {
  skinData_ = std::make_unique<TsScrollWndData>(this, true);
  skinData_->FControlKind = 226;
  skinData_->FControl = frame_;
  // See-through unless another section is named: the frame shows its parent's background.
  skinData_->SetSkinSection("TRANSPARENT");
  if (!IsControlSkinned(frame_, false)) {
    oldWndProc_ = frame_->WindowProc;
    frame_->WindowProc = [this](gui::TMessage& m) { FrameWndProc(m); };
  }
  skinData_->AttachToWindow();
}

TsFrameAdapter::~TsFrameAdapter() {
  AttachAdapterToForm(false);
  scrollHook_.reset();
  if (frame_ && oldWndProc_) {
    frame_->WindowProc = oldWndProc_;
    skinData_->FWndProc = oldWndProc_;
  }
  if (frame_ && frame_->HandleAllocated() && !frame_->IsDestroying()) {
    skinData_->DetachFromWindow();
    InvalidateRect(frame_->Handle(), nullptr, TRUE);
  }
  frame_ = nullptr;
}

void TsFrameAdapter::Loaded() {
  rtl::TComponent::Loaded();
  hasLists_ = LoadThirdPartyLists(ThirdParty, thirdLists_);
  AttachAdapterToForm(true);
  // The form's adapter takes the frame's controls at once when it is already at work.
  if (attachedTo_) SendSkinCommand(attachedTo_, AC_ADDTOADAPTER, 0);
  TsSkinManager* m = skinData_->GetSkinManager();
  if (frame_ && m && m->IsSkinLoaded()) {
    skinData_->UpdateSkinIndex(true);
    HookPopups();
  }
  skinData_->AttachToWindow();
}

// The form's provider keeps the adapter in its list while the adapter is attached; the
// record is held for the send, as the provider reads only records of this thread's senders.
void TsFrameAdapter::AttachAdapterToForm(bool attach) {
  HWND target = attachedTo_;
  if (attach && !target) {
    gui::TCustomForm* form = frame_ ? frame_->ParentForm() : nullptr;
    target = form && form->HandleAllocated() ? form->Handle() : nullptr;
  }
  if (!target || !IsWindow(target)) {
    attachedTo_ = nullptr;
    return;
  }
  TacCommandRecord held(this);
  SendMessageW(target, SM_ALPHACMD, MakeSkinCommand(AC_ATTACHADAPTER, attach ? 1 : 0), LPARAM(this));
  attachedTo_ = attach ? target : nullptr;
}

void TsFrameAdapter::JoinForm() {
  TsSkinManager* m = skinData_->GetSkinManager();
  if (!m || !(m->SkinningRules() & srThirdParty)) return;
  AttachAdapterToForm(true);
  if (attachedTo_) SendSkinCommand(attachedTo_, AC_ADDTOADAPTER, 0);
}

void TsFrameAdapter::HookPopups() {
  TsSkinManager* m = skinData_->GetSkinManager();
  if (!frame_ || !m || !m->SkinnedPopups()) return;
  TsSkinableMenus* menus = SkinableMenus(m);
  if (!menus) return;
  for (int i = 0; i < frame_->ComponentCount(); ++i)
    if (auto* popup = dynamic_cast<gui::TPopupMenu*>(frame_->Components(i))) menus->HookMenu(popup, true);
}

void TsFrameAdapter::CallOld(gui::TMessage& m) {
  if (oldWndProc_) oldWndProc_(m);
}

bool TsFrameAdapter::Skinned() {
  TsSkinManager* m = skinData_->GetSkinManager();
  return frame_ && !frame_->IsDestroying() && !IsDestroying() && m && m->IsSkinLoaded() && skinData_->IsSkinned(false);
}

bool TsFrameAdapter::PrepareCache() {
  TsScrollWndData& d = *skinData_;
  if (!frame_ || !frame_->Parent() || !frame_->HandleAllocated()) {
    d.FUpdating = true;
    return false;
  }
  d.FCacheInvalid = true;
  d.FUpdating = false;
  PaintWindowCache(d, frame_->Handle(), false);
  if (d.FUpdating || d.CacheEmpty()) {
    d.FUpdating = true;
    return false;
  }
  d.PaintChildrenOuterEffects(frame_, {0, 0});
  d.FCacheInvalid = false;
  return true;
}

void TsFrameAdapter::PaintTo(HDC dc) {
  TsScrollWndData& d = *skinData_;
  if (!dc || !frame_ || d.IsUpdating(false)) return;
  const int saved = SaveDC(dc);
  RECT clip;
  const bool partial = GetClipBox(dc, &clip) != ERROR &&
                       (clip.left > 0 || clip.top > 0 || clip.right < frame_->Width() || clip.bottom < frame_->Height());
  d.FPartlyPainted = d.NeedsRepaintOnMove() && frame_->Parent() && partial;
  if ((d.FCacheInvalid || d.CacheEmpty() || d.FPartlyPainted) && !PrepareCache()) {
    RestoreDC(dc, saved);
    return;
  }
  PaintCacheExceptChildren(frame_, &d, {0, 0}, 0, 0, false, dc, gui::TRect{0, 0, frame_->Width(), frame_->Height()});
  PaintGraphicControls(dc, frame_, false, {0, 0}, true);
  RestoreDC(dc, saved);
  EndUpdateChildControls(frame_);
}

void TsFrameAdapter::PaintFrame(HDC dc) {
  PAINTSTRUCT ps;
  HDC painted = BeginPaint(frame_->Handle(), &ps);
  HDC use = dc ? dc : painted;
  const int saved = SaveDC(use);
  if (!skinData_->IsUpdating(false)) PaintTo(use);
  RestoreDC(use, saved);
  EndPaint(frame_->Handle(), &ps);
}

void TsFrameAdapter::Moved(bool changed, bool sized) {
  skinData_->FCacheInvalid = skinData_->FCacheInvalid || changed;
  if (changed) {
    gui::TMessage m;
    m.Msg = SM_ALPHACMD;
    m.WParam = MakeSkinCommand(AC_INVALIDATE, 1);
    BroadcastMessage(frame_, m);
  }
  if (sized && frame_->HandleAllocated()) InvalidateRect(frame_->Handle(), nullptr, TRUE);
}

// The commands answered whatever the frame's state; True when done.
bool TsFrameAdapter::SkinCommand(gui::TMessage& m) {
  TsScrollWndData& d = *skinData_;
  TsSkinManager* manager = d.GetSkinManager();
  const bool ours = manager && m.LParam == LPARAM(manager);
  const HWND wnd = frame_->HandleAllocated() ? frame_->Handle() : nullptr;
  switch (CommandOf(m.WParam)) {
    case AC_SETNEWSKIN:
      if (!ours) return false;
      ProcessSkinDataMessage(m, &d);
      BroadcastMessage(frame_, m);
      HookPopups();
      return true;
    case AC_REMOVESKIN:
      if (!ours) return false;
      scrollHook_.reset();
      ProcessSkinDataMessage(m, &d);
      if (wnd) {
        SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        if (IsWindowVisible(wnd)) RedrawWindow(wnd, nullptr, nullptr, kRedrawWhole);
      }
      BroadcastMessage(frame_, m);
      return true;
    case AC_STOPFADING:
      BroadcastMessage(frame_, m);
      return true;
    case AC_REFRESH:
      if (!ours) return false;
      ProcessSkinDataMessage(m, &d);
      d.UpdateSkinIndex(true);
      if (LOWORD(m.WParam) != 1) BroadcastMessage(frame_, m);
      if (wnd && IsWindowVisible(wnd)) {
        d.FCacheInvalid = true;
        RedrawWindow(wnd, nullptr, nullptr, kRedrawWhole);
        UpdateScrollWnd(d, scrollHook_);
      }
      return true;
    case AC_CTRLHANDLED:
      m.Result = 1;
      return true;
    case AC_GETSKININDEX:
      d.UpdateSkinIndex(true);
      m.Result = d.FSkinIndex + 1;
      return true;
    case AC_GETCONTROLCOLOR:
      if (Skinned()) return false;
      m.Result = gui::ColorToRGB(frame_->Color());
      return true;
    case AC_PREPARECACHE:
      if (!d.IsUpdating(false) && !PrepareCache()) d.FUpdating = true;
      return true;
    case AC_GETSKININDEXTO:
      // Only a record a sender of this thread holds: posted numbers are no record of ours.
      if (IsCommandRecord(reinterpret_cast<const void*>(m.LParam)))
        reinterpret_cast<int32_t*>(m.LParam)[1] = d.FSkinIndex;
      return true;
    case AC_GETSKINDATA:
      m.Result = LRESULT(static_cast<TsCommonData*>(&d));
      return true;
    case AC_BEFORESCROLL:
    case AC_AFTERSCROLL:
      if (wnd && (IsSkinCommandTrue(wnd, AC_BGVARIES) || d.NeedsRepaintOnMove())) {
        SetRedraw(wnd, CommandOf(m.WParam) == AC_AFTERSCROLL);
        if (CommandOf(m.WParam) == AC_AFTERSCROLL) RedrawWindow(wnd, nullptr, nullptr, kRedrawWhole);
      }
      return false;
    case AC_SETSCALE:
      ProcessSkinCommand(m, &d);
      return true;
    default:
      return false;
  }
}

void TsFrameAdapter::FrameWndProc(gui::TMessage& m) {
  if (!frame_) return;
  TsScrollWndData& d = *skinData_;
  if (m.Msg == WM_DESTROY) AttachAdapterToForm(false);
  if (m.Msg == WM_SIZE) d.FCacheInvalid = true;
  if (m.Msg == SM_ALPHACMD && SkinCommand(m)) return;

  if (!Skinned()) {
    if ((m.Msg == gui::CM_VISIBLECHANGED || m.Msg == gui::CM_SHOWINGCHANGED) && frame_->HandleAllocated()) {
      d.UpdateSkinIndex(true);
      if (TsSkinManager* manager = d.GetSkinManager()) {
        gui::TMessage b;
        b.Msg = SM_ALPHACMD;
        b.WParam = MakeSkinCommand(AC_SETNEWSKIN);
        b.LParam = LPARAM(manager);
        BroadcastMessage(frame_, b);
      }
    }
    CallOld(m);
    return;
  }

  const HWND wnd = frame_->HandleAllocated() ? frame_->Handle() : nullptr;
  switch (m.Msg) {
    case WM_CREATE:
    case WM_NCCREATE:
      CallOld(m);
      if (frame_->HandleAllocated()) d.AttachToWindow();
      return;
    case WM_MOVE:
    case WM_SIZE: {
      const bool changed = (m.Msg == WM_SIZE && d.FVaryFlags != 0) || d.NeedsRepaintOnMove();
      Moved(changed, m.Msg == WM_SIZE);
      CallOld(m);
      return;
    }
    case WM_PAINT:
      if (!frame_->Parent()) break;
      PaintFrame(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return;
    case WM_ERASEBKGND:
      if (!frame_->Showing()) break;
      if (!d.IsUpdating(false) && !d.FCacheInvalid) PaintTo(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_WINDOWPOSCHANGED:
      if (inPosChanged_) return;
      inPosChanged_ = true;
      Moved(d.NeedsRepaintOnMove(), false);
      CallOld(m);
      inPosChanged_ = false;
      return;
    case WM_NCPAINT:
      // A skinned frame draws no frame of its own.
      if (!d.IsUpdating(false)) m.Result = 0;
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      CallOld(m);
      if (scrollHook_) scrollHook_->UpdateScrollInfo(true);
      return;
    case WM_PARENTNOTIFY:
      if ((LOWORD(m.WParam) == WM_CREATE || LOWORD(m.WParam) == WM_DESTROY) && !(frame_->ComponentState() & rtl::csLoading)) {
        if (LOWORD(m.WParam) == WM_CREATE) JoinForm();
        CallOld(m);
        if (scrollHook_) scrollHook_->UpdateScrollInfo(false);
        return;
      }
      break;
    case WM_PRINT: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      d.FUpdating = false;
      if (!dc || !IsControlReady(frame_)) return;
      if (!scrollHook_) UpdateScrollWnd(d, scrollHook_);
      d.FCacheInvalid = true;
      if (scrollHook_) scrollHook_->PaintScrollBars(dc);
      // The client area alone takes the background: the bars stay as painted.
      RECT cr;
      GetClientRect(wnd, &cr);
      const int saved = SaveDC(dc);
      IntersectClipRect(dc, 0, 0, cr.right, cr.bottom);
      PaintTo(dc);
      RestoreDC(dc, saved);
      return;
    }
    case SM_ALPHACMD:
      switch (CommandOf(m.WParam)) {
        case AC_ENDPARENTUPDATE:
          if (d.FUpdating && !d.IsUpdating(true)) {
            if (d.FCacheInvalid) PrepareCache();
            if (wnd) RedrawWindow(wnd, nullptr, nullptr, kRedrawWhole);
            EndUpdateChildControls(frame_);
          }
          return;
        case AC_SETUPDATING: {
          d.FUpdating = LOWORD(m.WParam) == 1;
          for (int i = 0; i < frame_->ControlCount(); ++i) frame_->Controls(i)->Perform(m.Msg, m.WParam, m.LParam);
          return;
        }
        case AC_BGVARIES: {
          const TsGeneralData* s = d.Section();
          m.Result = s && (s->StateParams[0].GradientPercent + s->StateParams[0].ImagePercent > 0 || d.NeedsRepaintOnMove());
          return;
        }
        case AC_GETCONTROLCOLOR:
          m.Result = d.GetBackgroundColor(0, wnd);
          return;
        case AC_PREPARECACHE:
          if (!PrepareCache()) d.FUpdating = true;
          return;
        default:
          try {
            if (!ProcessSkinCommand(m, &d)) CallOld(m);
          } catch (const std::exception&) {
          }
          return;
      }
    case gui::CM_MOUSEENTER: {
      CallOld(m);
      // The mouse is over this frame now: a frame inside it that still shows itself hovered
      // is left (the one the mouse came from is told by its own leave).
      for (int i = 0; i < frame_->ControlCount(); ++i) {
        auto* inner = dynamic_cast<gui::TFrame*>(frame_->Controls(i));
        if (!inner || LPARAM(inner) == m.LParam || !inner->HandleAllocated()) continue;
        auto* cd = reinterpret_cast<TsCommonData*>(inner->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETSKINDATA), 0));
        if (cd && cd->FHovered) inner->Perform(gui::CM_MOUSELEAVE, 0, LPARAM(inner));
      }
      if (TsSkinManager* manager = d.GetSkinManager(); manager && wnd) manager->SetHoveredWindow(wnd);
      return;
    }
    case gui::CM_VISIBLECHANGED:
      d.FCacheInvalid = true;
      CallOld(m);
      if (TsSkinManager* manager = d.GetSkinManager())
        frame_->Perform(SM_ALPHACMD, MakeSkinCommand(AC_REFRESH), LPARAM(manager));
      return;
    case gui::CM_SHOWINGCHANGED:
      CallOld(m);
      UpdateScrollWnd(d, scrollHook_);
      JoinForm();
      if (frame_->Visible()) {
        d.FUpdating = false;
        frame_->Invalidate();
      }
      return;
    default:
      break;
  }
  CallOld(m);
}

}  // namespace skin

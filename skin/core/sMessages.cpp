#include "skin/core/sMessages.h"

#include <algorithm>

#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "rtl/SysUtils.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/sSkinManager.h"
#include "rtl/Utf.h"
#include "skin/core/sCommonData.h"

namespace skin {

namespace {

bool Dying(const rtl::TComponent* c) { return (c->ComponentState() & rtl::csDestroying) != 0; }

}  // namespace

LRESULT SendMessageDirect(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TsCommonData* data = GetWindowSkinData(wnd);
  if (data && data->FWndProc) {
    gui::TMessage m;
    m.Msg = msg;
    m.WParam = wParam;
    m.LParam = lParam;
    data->FWndProc(m);
    return m.Result;
  }
  return SendMessageW(wnd, msg, wParam, lParam);
}

LRESULT SendControlMessage(gui::TControl* control, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!control) return 0;
  auto* win = dynamic_cast<gui::TWinControl*>(control);
  if (!win) return control->Perform(msg, wParam, lParam);
  if (Dying(win) || !win->HandleAllocated()) return 0;
  HWND h = win->Handle();
  TsCommonData* data = GetWindowSkinData(h);
  if (data && !data->FWndProc && data->FControl) {
    data->FWndProc = win->WindowProc;
    return SendMessageDirect(h, msg, wParam, lParam);
  }
  return SendMessageW(h, msg, wParam, lParam);
}

void BroadcastMessage(gui::TWinControl* control, gui::TMessage& message) {
  if (!control) return;
  for (int i = 0; i < control->ControlCount(); ++i) {
    gui::TControl* child = control->Controls(i);
    if (!child || Dying(child)) break;
    auto* win = dynamic_cast<gui::TWinControl*>(child);
    if (!win || !win->HandleAllocated()) {
      child->Perform(message.Msg, message.WParam, message.LParam);
      continue;
    }
    SendMessageDirect(win->Handle(), message.Msg, message.WParam, message.LParam);
    if (!IsWndSkinned(win->Handle())) BroadcastMessage(win, message);
  }
}

namespace {
struct TBroadcast {
  HWND Parent;
  gui::TMessage* Message;
};
BOOL CALLBACK BroadcastToChild(HWND child, LPARAM l) {
  auto* b = reinterpret_cast<TBroadcast*>(l);
  if (GetParent(child) == b->Parent) SendMessageDirect(child, b->Message->Msg, b->Message->WParam, b->Message->LParam);
  return TRUE;
}
}  // namespace

void BroadcastToChildWindows(HWND wnd, gui::TMessage& message) {
  TBroadcast b{wnd, &message};
  EnumChildWindows(wnd, BroadcastToChild, reinterpret_cast<LPARAM>(&b));
}

bool IsWndSkinned(HWND wnd) {
  if (!wnd) return false;
  if (GetWindowSkinData(wnd) || GetPropW(wnd, kScrollHookProp)) return true;
  return IsSkinCommandTrue(wnd, AC_CTRLHANDLED);
}

bool IsControlSkinned(gui::TControl* control, bool checkIndex) {
  if (!control) return false;
  auto* win = dynamic_cast<gui::TWinControl*>(control);
  if (win && win->HandleAllocated()) {
    HWND h = win->Handle();
    if (TsCommonData* data = GetWindowSkinData(h)) return !checkIndex || data->IsSkinned(false);
    if (auto* hookData = static_cast<TsCommonData*>(GetPropW(h, kScrollHookProp)))
      return !checkIndex || hookData->IsSkinned(false);
    return IsSkinCommandTrue(h, AC_CTRLHANDLED);
  }
  return control->Perform(SM_ALPHACMD, MakeSkinCommand(AC_CTRLHANDLED), 0) == 1;
}

bool IsControlReady(gui::TControl* control) {
  if (!control || !control->Parent()) return false;
  auto* win = dynamic_cast<gui::TWinControl*>(control);
  if (win && !win->HandleAllocated()) return false;
  if (control->ComponentState() & (rtl::csLoading | rtl::csDestroying)) return false;
  return (control->ControlState & (gui::csReadingState | gui::csCreating)) == 0;
}

gui::TCustomForm* GetOwnerForm(rtl::TComponent* component) {
  for (rtl::TComponent* c = component; c; c = c->Owner())
    if (auto* f = dynamic_cast<gui::TCustomForm*>(c)) return f;
  return nullptr;
}

gui::TRect GetClientRectInWindow(HWND wnd) {
  RECT client{}, window{};
  GetClientRect(wnd, &client);
  GetWindowRect(wnd, &window);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  const int dx = origin.x - window.left, dy = origin.y - window.top;
  return {client.left + dx, client.top + dy, client.right + dx, client.bottom + dy};
}

std::string GetWindowClassName(HWND wnd) {
  wchar_t buf[128] = {};
  GetClassNameW(wnd, buf, 128);
  return rtl::U8(buf);
}

// ---------------------------------------------------------------- the common handler

namespace {

bool IsPointerCommand(WORD cmd) {
  switch (cmd) {
    case AC_SETSECTION: case AC_GETSKININDEXTO: case AC_GETBG: case AC_PAINTOUTER: case AC_GETOPAQUESECTION:
    case AC_GETBOUNDS: case AC_GETSCALEDSKIN:
      return true;
    default:
      return false;
  }
}

bool Matches(const gui::TMessage& m, TsCommonData* d) {
  return reinterpret_cast<TsSkinManager*>(m.LParam) == d->GetSkinManager();
}

// The control's answer to command 21: its background colour as RGB.
uint32_t ControlColorAnswer(TsCommonData* d) {
  gui::TControl* c = d->FControl;
  const uint32_t own = ColorToRGB(uint32_t(c->Color()));
  const TsGeneralData* s = d->Section();
  if (!s) return own;
  const TsGenState& st = s->StateParams[0];
  const int t = st.Transparency;
  if (t <= 0) return st.Color;
  gui::TWinControl* parent = c->Parent();
  auto parentAnswer = [&]() -> uint32_t {
    if (!parent) return own;
    if (parent->HandleAllocated() && IsWndSkinned(parent->Handle()))
      return uint32_t(SendSkinCommand(parent->Handle(), AC_GETCONTROLCOLOR));
    return ColorToRGB(uint32_t(parent->Color()));
  };
  if (t >= 100) {
    if (!parent) return own;
    if (parent->HandleAllocated() && IsWndSkinned(parent->Handle()))
      return uint32_t(SendSkinCommand(parent->Handle(), AC_GETCONTROLCOLOR));
    return uint32_t(parent->Color());
  }
  const uint32_t p = parentAnswer();
  uint32_t r = p & 0xFF000000;
  for (int i = 0; i < 3; ++i) {
    const int sb = int((st.Color >> (8 * i)) & 0xFF), pb = int((p >> (8 * i)) & 0xFF);
    // An arithmetic shift: a parent darker than the section mixes towards it, never wraps.
    const int v = std::clamp(sb + (((pb - sb) * t) >> 8), 0, 255);
    r |= uint32_t(v) << (8 * i);
  }
  return r;
}

}  // namespace

bool ProcessSkinCommand(gui::TMessage& m, TsCommonData* d) {
  if (!d || m.Msg != SM_ALPHACMD) return false;
  const WORD cmd = m.WParamHi();
  if (IsPointerCommand(cmd) && m.LParam && !IsCommandRecord(reinterpret_cast<void*>(m.LParam))) {
    m.Result = 0;  // a pointer this thread is not passing: not ours to read
    return true;
  }
  gui::TControl* c = d->FControl;
  auto* win = dynamic_cast<gui::TWinControl*>(c);
  HWND h = win && win->HandleAllocated() ? win->Handle() : nullptr;
  switch (cmd) {
    case AC_SETNEWSKIN:
      if (!Matches(m, d)) return true;
      d->FScaledSkin = nullptr;
      d->StopAnimation();
      d->ResolveDefaultSection();
      d->SelectFirstSection({d->SkinSection()});
      if (d->FCache) d->FCache->SetSize(0, 0);
      return true;
    case AC_REMOVESKIN: {
      if (!Matches(m, d)) return true;
      d->FScaledSkin = nullptr;
      if (d->FSkinIndex >= 0) {
        d->FSkinIndex = -1;
        d->StopAnimation();
        if (auto* mgr = d->GetSkinManager(); mgr && mgr->IsDestroying()) d->ForgetSkinManager();
      }
      if (d->FCache) d->FCache->SetSize(0, 0);
      if (h) SetClassLongPtrW(h, GCLP_HBRBACKGROUND, LONG_PTR(GetSysColorBrush(COLOR_BTNFACE)));
      if (auto* edit = dynamic_cast<gui::TEdit*>(c); edit || dynamic_cast<gui::TMemo*>(c)) {
        if (!d->FCustomColor) c->SetColor(gui::clWindow);
        if (!d->FCustomFont) c->Font().SetColor(gui::clWindowText);
        if (h) RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_NOERASE | RDW_INVALIDATE);
      } else if (win) {
        for (int i = 0; i < win->ControlCount(); ++i)
          if (auto* label = dynamic_cast<gui::TLabel*>(win->Controls(i))) label->Font().SetColor(gui::clWindowText);
      }
      return false;  // the window's own procedure sees it too
    }
    case AC_REFRESH:
      if (!Matches(m, d)) return true;
      d->StopAnimation();
      d->FCacheInvalid = true;
      d->FUpdating = false;
      d->UpdateSkinColors(true);
      if (h && FrameChangeKinds.Has(d->FControlKind)) SetWindowPos(h, nullptr, 0, 0, 0, 0, kFrameChangedFlags);
      return true;
    case AC_ENDPARENTUPDATE:
      if (d->FUpdating && win) {
        if (!d->IsUpdating(true) && h)
          RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EndUpdateChildControls(win);
      }
      return true;
    case AC_CTRLHANDLED: m.Result = 1; return true;
    case AC_SETUPDATING: d->FUpdating = m.WParamLo() == 1; return true;
    case AC_PREPARING:
      if (d->IsUpdating(false))
        m.Result = 1;
      else if (d->FCustomColor)
        m.Result = 0;
      else if (win) {
        if (d->CacheEmpty() || d->FCacheInvalid) {
          if (h) SendSkinCommand(h, AC_PREPARECACHE);
          m.Result = d->CacheEmpty() ? 1 : 0;
        } else {
          m.Result = d->FCache->Width() != c->Width() || d->FCache->Height() != c->Height() ? 1 : 0;
        }
      } else {
        m.Result = 0;
      }
      return true;
    case AC_GETPARTLYPAINTED: m.Result = d->FPartlyPainted ? 1 : 0; return true;
    case AC_SECTIONREFRESH:
      if (m.LParam && IsCommandRecord(reinterpret_cast<void*>(m.LParam))) {
        const char first = *reinterpret_cast<const char*>(m.LParam);
        if (rtl::UpperCase(d->SkinSection()) == std::string(1, first)) d->Invalidate(false);
      }
      return true;
    case AC_SETSECTION:
      if (!m.LParam) {
        m.Result = 0;
        return true;
      }
      d->SetSkinSection(*reinterpret_cast<const std::string*>(m.LParam));
      m.Result = 1;
      return true;
    case AC_STOPFADING: d->StopAnimation(); return true;
    case AC_INVALIDATE:
      d->FCacheInvalid = true;
      if (win) win->Broadcast(m);
      return true;
    case AC_REPAINT: d->Invalidate(false); return true;
    case AC_BGVARIES: m.Result = d->HasVaryingBackground() ? 1 : 0; return true;
    case AC_PARENTBGCHANGED: {
      const bool v = d->NeedsRepaintOnMove();
      d->FCacheInvalid = d->FCacheInvalid || v;
      d->StopAnimation();
      if (win) {
        if (m.WParamLo() == 1 && h)
          RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN);
        if (v)
          for (int i = 0; i < win->ControlCount(); ++i) {
            gui::TControl* child = win->Controls(i);
            if (child && !child->IsDestroying())
              child->Perform(SM_ALPHACMD, MakeSkinCommand(AC_PARENTBGCHANGED, 1), 0);
          }
      }
      return true;
    }
    case AC_GETCONTROLCOLOR:
      if (c) m.Result = LRESULT(ControlColorAnswer(d));
      return true;
    case AC_SETPARTLYPAINTED: d->FPartlyPainted = true; return true;
    case AC_PREPARECACHE: d->FCacheInvalid = false; return true;
    case AC_GETSKININDEXTO:
      if (m.LParam) reinterpret_cast<int32_t*>(m.LParam)[1] = d->FSkinIndex;
      return true;
    case AC_CLEARCACHE:
      if (d->FCache) {
        if (win)
          for (int i = 0; i < win->ControlCount(); ++i)
            if (auto* cw = dynamic_cast<gui::TWinControl*>(win->Controls(i)); cw && cw->HandleAllocated())
              SendSkinCommand(cw->Handle(), AC_CLEARCACHE);
        d->FCache->SetSize(0, 0);
        d->FCacheInvalid = true;
      }
      return true;
    case AC_GETBG:
      if (m.LParam) {
        const int state = d->FFocused || (d->FHovered && !NoGlowOnLeaveKinds.Has(d->FControlKind)) ? 1 : 0;
        d->FillBackgroundQuery(*reinterpret_cast<TacBackgroundQuery*>(m.LParam), state, d->GetWndHandle());
      }
      return true;
    case AC_FONTSCHANGED: {
      if (!Matches(m, d)) return true;
      d->FCacheInvalid = true;
      // A provider's state stands for its form.
      gui::TControl* target = c;
      if (!target && d->FControlKind == kKindForm)
        if (auto* host = dynamic_cast<rtl::TComponent*>(d->FHost))
          target = dynamic_cast<gui::TCustomForm*>(host->Owner());
      if (!target) return true;
      if (TsSkinManager* mgr = d->GetSkinManager()) mgr->ApplyMainFont(target);
      if (auto* tw = dynamic_cast<gui::TWinControl*>(target)) BroadcastMessage(tw, m);
      return true;
    }
    case AC_GETSKINDATA: m.Result = reinterpret_cast<LRESULT>(d); return true;
    case AC_PRINTING:
      if (m.LParam)
        d->FStateFlags |= sfOutsidePaint;
      else
        d->FStateFlags &= ~sfOutsidePaint;
      d->FPaintDC = reinterpret_cast<HDC>(m.LParam);
      return true;
    case AC_PAINTOUTER:
      if (m.LParam) d->PaintOuterEffects(*reinterpret_cast<TacOuterTarget*>(m.LParam), m.WParamLo());
      return true;
    case AC_UPDATEFRAMES:
      if (h) SetWindowPos(h, nullptr, 0, 0, 0, 0, kFrameChangedFlags);
      if (win) BroadcastMessage(win, m);
      return true;
    case AC_GETAPPLICATION: m.Result = reinterpret_cast<LRESULT>(gui::Application); return true;
    case AC_GETOPAQUESECTION: {
      if (!m.LParam || !d->IsSkinned(false)) return true;
      auto& q = *reinterpret_cast<TacOpaqueSectionQuery*>(m.LParam);
      q.SkinIndex = d->FSkinIndex;
      if (d->IsTransparent(q.State)) {
        if (c && c->Parent())
          m.Result = QueryOpaqueSection(c->Parent(), q);
        else if (!c && d->FWnd && GetParent(d->FWnd))
          m.Result = QueryWndOpaqueSection(GetParent(d->FWnd), q);
      } else {
        m.Result = 1;
      }
      return true;
    }
    case AC_SETSCALE: {
      d->FPixelsPerInch = int32_t(m.LParam);
      TsSkinManager* mgr = d->GetSkinManager();
      d->SetScaledSkin(mgr ? mgr->GetSkinDataForPPI(int32_t(m.LParam)) : nullptr);
      if (win) BroadcastMessage(win, m);
      return false;
    }
    case AC_GETSCALE: m.Result = d->FPixelsPerInch; return true;
    case AC_GETBOUNDS:
      if (m.LParam) *reinterpret_cast<gui::TRect*>(m.LParam) = c ? c->BoundsRect() : gui::TRect{};
      return true;
    case AC_OPAQUEPAINTING: {
      TsSkinManager* mgr = d->GetSkinManager();
      m.Result = (mgr && mgr->IsSkinLoaded()) || !c || !(c->ControlStyle & gui::csOpaque) ? 1 : 0;
      return true;
    }
    case AC_GETSCALEDSKIN:
      m.Result = reinterpret_cast<LRESULT>(d->GetScaledSkin());
      if (m.LParam) *reinterpret_cast<TacSkinData**>(m.LParam) = d->FScaledSkin;
      return true;
    default:
      return false;
  }
}

}  // namespace skin

#include "skin/hooks/acSBUtils.h"

#include "skin/core/acProcAddress.h"
#include "skin/hooks/acHookPaint.h"
#include "skin/hooks/acPageControlWnd.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"

namespace skin {

namespace {
TScrollBarFunctions g_fn;
HMODULE g_comctl = nullptr;

template <class F>
void Bind(F& f, HMODULE m, const char* name) {
  f = ProcAddress<F>(m, name);
}
}  // namespace

const TScrollBarFunctions& ScrollBarFunctions() { return g_fn; }

void InitScrollBarHooksUnit() {
  Bind(g_fn.GetScrollBarInfo, GetModuleHandleW(L"user32.dll"), "GetScrollBarInfo");
  if (!g_comctl) g_comctl = LoadLibraryW(L"comctl32.dll");
  Bind(g_fn.InitializeFlatSB, g_comctl, "InitializeFlatSB");
  Bind(g_fn.UninitializeFlatSB, g_comctl, "UninitializeFlatSB");
}

void DoneScrollBarHooksUnit() {
  g_fn = TScrollBarFunctions{};
  if (g_comctl) FreeLibrary(g_comctl);
  g_comctl = nullptr;
  // The page hooks' list has one owner, which frees it once and leaves it empty.
  FreePageHooks();
}

// ---------------------------------------------------------------- the hooks' base

void RepaintFrame(HWND wnd, bool viaSetWindowPos) {
  if (viaSetWindowPos)
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOCOPYBITS |
                     SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  else
    SendMessageDirect(wnd, WM_NCPAINT, 1, 0);
}

int UnskinningControls = 0;

bool TacMainWnd::LeavesLookToOtherManager() const {
  if (UnskinningControls <= 0) return false;
  const auto removing = [](const TsSkinManager* m) { return m && (m->State() & msRemoving); };
  const TsCommonData* d = SkinData();
  if (removing(d ? d->GetSkinManager() : nullptr)) return false;
  return !(AdapterManager && removing(AdapterManager()));
}

void TacMainWnd::TakeOff() {
  if (released_) return;
  // The binding always goes with the hook: a procedure left pointing at a freed hook would
  // be called with the window's next message. Only the look may be left to the manager.
  if (control_) {
    if (savedControlStyle_) control_->ControlStyle = *savedControlStyle_;
    control_->WindowProc = vclWindowProc_;
    if (TsCommonData* d = SkinData()) d->FWndProc = vclWindowProc_;
  } else {
    // The subclass lets go; with another subclass on top its procedure stays a plain
    // pass-on for the window's life.
    Unbind();
  }
  if (!LeavesLookToOtherManager()) RestoreOriginalLook();
  released_ = true;
}

TacMainWnd::~TacMainWnd() {
  TakeOff();
  if (themeOff_ && wnd_ && IsWindow(wnd_))
    if (TSetWindowThemeProc setTheme = SetWindowThemeProc()) setTheme(wnd_, nullptr, nullptr);
  if (skinData_) skinData_->DetachFromWindow();
  if (wnd_ && IsWindow(wnd_)) RemovePropW(wnd_, kScrollHookProp);
}

std::unique_ptr<TsCommonData> TacMainWnd::CreateSkinData() {
  auto d = std::make_unique<TsCommonData>(nullptr, true);
  d->FLoading = true;
  return d;
}

bool SkinningDialogControls = false;

void TacMainWnd::Bound(HWND wnd) {
  wnd_ = wnd;
  released_ = false;
  inNativeDialog_ = SkinningDialogControls;
  TsCommonData* d = SkinData();
  // The system's visual style would paint over the skin; a native dialog's controls keep it.
  if (TSetWindowThemeProc setTheme = SetWindowThemeProc();
      setTheme && KeepsNoVisualStyle() && d->FControlKind != kKindForm && d->SkinSection() != "DIALOG" &&
      !inNativeDialog_) {
    setTheme(wnd, L" ", L" ");
    themeOff_ = true;
  }
  d->FWnd = wnd;
  d->FWndProc = [this](gui::TMessage& m) { WindowProc(m); };
  wndText_ = GetWindowWideText(wnd);
}

void TacMainWnd::Attach(HWND wnd, const std::string& section) {
  skinData_ = CreateSkinData();
  if (!section.empty()) skinData_->SetSkinSection(section);
  Bound(wnd);
  Bind(wnd);
}

void TacMainWnd::AttachControl(gui::TWinControl* control, TsCommonData* shared, const std::string& section) {
  control_ = control;
  if (shared) {
    shared_ = shared;
  } else {
    skinData_ = CreateSkinData();
    skinData_->FControl = control;
    if (!section.empty()) skinData_->SetSkinSection(section);
  }
  Bound(control->Handle());
  vclWindowProc_ = control->WindowProc;
  control->WindowProc = [this](gui::TMessage& m) { WindowProc(m); };
  // The hook paints the whole control: nothing of its parent needs to show through.
  savedControlStyle_ = control->ControlStyle;
  control->ControlStyle |= gui::csOpaque;
}

void TacMainWnd::TakeParams(const TacSkinParams& p) {
  if (!skinData_) return;
  if (!p.SkinSection.empty() && p.SkinSection != skinData_->SkinSection()) skinData_->SetSkinSection(p.SkinSection);
  if (p.HookedControl && p.HookedControl == skinData_->FControl) skinData_->FHost = p.HookedControl;
  skinData_->SetCustomColor(!p.SkinColors);
  skinData_->SetCustomFont(!p.SkinFontColors);
}

void TacMainWnd::AfterCreationIn(const char* section) {
  TsCommonData* d = SkinData();
  if (!d) return;
  if (d->SkinSection().empty()) d->SetSkinSection(section);
  d->UpdateSkinIndex(true);
  AfterCreation();
}

void TacMainWnd::AfterCreation() {
  TsCommonData* d = SkinData();
  if (!d) return;
  d->FLoading = false;
  d->AttachToWindow();
}

bool TacMainWnd::HasPreviousHandler() const {
  return control_ ? bool(vclWindowProc_) : (gui::TWindowSubclass::Bound() && PreviousProc() != nullptr);
}

void TacMainWnd::CallOldWndProc(gui::TMessage& m) {
  if (control_) {
    m.Result = 0;
    if (vclWindowProc_) vclWindowProc_(m);
  } else if (gui::TWindowSubclass::Bound()) {
    CallPrevious(m);
  } else {
    m.Result = 0;
  }
}

bool TacMainWnd::Release(bool repaint) {
  if (released_) return true;
  bool done = false;
  if (control_) {
    control_->WindowProc = vclWindowProc_;
    if (TsCommonData* d = SkinData()) d->FWndProc = vclWindowProc_;
    done = true;
  } else if (gui::TWindowSubclass::Bound()) {
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Handle(), GWLP_WNDPROC)) == InstanceProc()) {
      Unbind();
      done = true;
    }
  }
  RestoreOriginalLook();
  if (!going_ && wnd_ && IsWindowVisible(wnd_)) RepaintFrame(wnd_, repaint);
  if (skinData_) skinData_->ClearOwner();
  released_ = done;
  return done;
}

void TacMainWnd::RestoreOriginalLook() {
  if (skinData_) skinData_->DetachFromWindow();
  if (!wnd_ || !IsWindow(wnd_)) return;
  RemovePropW(wnd_, kScrollHookProp);
  // Only a class this hook gave the skin's brush is given the button face back.
  if (skinned_) SetClassLongPtrW(wnd_, GCLP_HBRBACKGROUND, LONG_PTR(GetSysColorBrush(COLOR_BTNFACE)));
  skinned_ = false;
}

void TacMainWnd::ApplySkinLook() {
  skinned_ = true;
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  if (!m || !wnd_ || !IsWindow(wnd_)) return;
  if (HBRUSH b = m->PaletteBrush(0)) SetClassLongPtrW(wnd_, GCLP_HBRBACKGROUND, LONG_PTR(b));
}

LRESULT TacMainWnd::CallWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  gui::TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  WindowProc(m);
  return m.Result;
}

void TacMainWnd::WindowGoing(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (d) {
    d->StopAnimation();
    HideGlowEffect(d->FGlowID, false);
  }
  // A message handed on again while we are still in it must not come back here.
  going_ = true;
  if (!HasPreviousHandler()) {
    // Nothing to pass the window's end to: sending it again to the same window would only
    // come back to this hook, so the system's default handling takes it.
    m.Result = DefWindowProcW(wnd_, m.Msg, m.WParam, m.LParam);
    Release(false);
  } else if (control_) {
    gui::TWndMethod previous = vclWindowProc_;
    Release(false);
    previous(m);
  } else {
    CallOldWndProc(m);
    if (m.Result == 0) Release(false);
  }
  going_ = false;
  m.Result = 1;
  if (d && d->FCache) d->FCache->SetSize(0, 0);
}

void TacMainWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  switch (m.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
      if (released_ || going_) {
        CallOldWndProc(m);
      } else {
        WindowGoing(m);
      }
      return;
    case WM_NCCREATE:
    case WM_CREATE:
      CallOldWndProc(m);
      if (d) d->AttachToWindow();
      return;
    case WM_SETTEXT:
      CallOldWndProc(m);
      wndText_ = GetWindowWideText(wnd_);
      return;
    case WM_UPDATEUISTATE:
      // The window would repaint its focus and accelerator marks over the skinned look.
      m.Result = 0;
      return;
    case WM_PRINT:
      if (PrintsItself()) break;
      m.Result = SendMessageW(wnd_, WM_PAINT, m.WParam, m.LParam);
      return;
    case WM_SIZE:
      if (d) d->FCacheInvalid = true;
      break;
    case WM_MOUSEMOVE:
      // Windows tells no window that the mouse left it for another; the manager does.
      if (TsSkinManager* dm = DefaultManager();
          dm && !dm->Designing() && IsWindowEnabled(wnd_) && dm->HoveredWindow() != wnd_)
        dm->SetHoveredWindow(wnd_);
      break;
    default:
      break;
  }
  if (m.Msg == SM_ALPHACMD) {
    const WORD cmd = m.WParamHi();
    TsSkinManager* manager = d ? d->GetSkinManager() : nullptr;
    if (cmd == AC_REMOVESKIN && manager && m.LParam == reinterpret_cast<LPARAM>(manager)) RestoreOriginalLook();
    // Without a loaded skin the window answers for itself.
    if (!manager || !manager->IsSkinLoaded()) {
      CallOldWndProc(m);
      return;
    }
    if (cmd == AC_GETHOOK) {
      m.Result = reinterpret_cast<LRESULT>(static_cast<TacWindowHook*>(this));
      return;
    }
    if (cmd == AC_SETNEWSKIN || cmd == AC_REMOVESKIN || cmd == AC_REFRESH) BroadcastToChildWindows(wnd_, m);
    if (HandleSkinCommand(m)) return;
    if (cmd == AC_PREPARECACHE && d) {
      // A bare window's image is the section over its parent's background; the window
      // itself may still add to it.
      PaintWindowCache(*d, wnd_, false);
      CallOldWndProc(m);
      return;
    }
    if (ProcessSkinCommand(m, d)) return;
    CallOldWndProc(m);
    return;
  }
  if (ProcessSkinDataMessage(m, d)) return;
  HandleMessage(m);
}

void TacMainWnd::WindowDestroyed() {
  if (TsCommonData* d = SkinData()) {
    d->DetachFromWindow();
    d->FWnd = nullptr;
  }
  released_ = true;
}

}  // namespace skin

// The skin manager's work towards the windows of the program: a skin applied to, removed
// from and repainted in every form, the outside editor's live preview, the application
// window's messages and the window-creation hook.
#include "skin/core/sSkinManagerHooks.h"

#include "gui/Forms.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/acSkinChangeAnim.h"
#include "skin/core/acSysColors.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sSysUtils.h"
#include "skin/core/sVclUtils.h"
#include "skin/core/sCommonData.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {

namespace {

HHOOK g_cbtHook = nullptr;
bool g_copyDataBusy = false;
// How long an ending program waits at most for a skin change's animation beyond its time.
constexpr unsigned kSkinChangeWaitMs = 500;

LRESULT CALLBACK PassOnCBT(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

void SendToAllForms(TsSkinManager* manager, WORD command) {
  gui::TMessage m{SM_ALPHACMD, MakeSkinCommand(command), LPARAM(manager), 0};
  BroadcastToAllForms(m);
}

void RedrawHookedWindows() {
  std::vector<HWND> windows;
  for (const auto& w : HookedWindows())
    if (w) windows.push_back(w->Window());
  for (HWND wnd : windows)
    if (IsWindow(wnd) && IsWindowVisible(wnd))
      RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
}

// The skinned forms of the manager that are on screen, with their providers.
std::vector<std::pair<gui::TCustomForm*, TacAnimatedForm*>> SkinnedFormsOf(TsSkinManager* manager) {
  std::vector<std::pair<gui::TCustomForm*, TacAnimatedForm*>> found;
  for (gui::TCustomForm* form : SkinnedForms()) {
    if (form->WindowState == gui::TWindowState::wsMinimized || form->FormStyle == gui::TFormStyle::fsMDIChild ||
        form->Parent() || !form->HandleAllocated() || !form->Visible())
      continue;
    TacAnimatedForm* provider = GetAnimatedForm(form->Handle());
    if (provider && provider->SkinManager() == manager) found.emplace_back(form, provider);
  }
  return found;
}

// The skinned forms held still while the windows take a new skin, so that the change shows
// in one step.
void FreezeSkinnedForms(TsSkinManager* manager) {
  if (gui::Application && IsIconic(gui::Application->Handle())) return;
  if (manager->IsDefault() && manager->AnimEffects.SkinChanging.Active) SkinChangeAnimating = true;
  for (auto [form, provider] : SkinnedFormsOf(manager)) {
    provider->ChangingSkin = true;
    provider->Frozen = true;
    if (form->BorderStyle != gui::TFormBorderStyle::bsNone) form->Perform(WM_SETREDRAW, 0, 0);
  }
}

// The frozen forms show their new look: through the skin-change animation when asked for.
void UnfreezeSkinnedForms(TsSkinManager* manager, bool animate) {
  if (gui::Application && IsIconic(gui::Application->Handle())) return;
  if (manager->IsDefault()) SkinChangeAnimating = false;
  const auto forms = SkinnedFormsOf(manager);
  for (auto [form, provider] : forms)
    if (provider->Frozen) form->Perform(WM_SETREDRAW, 1, 0);
  for (auto [form, provider] : forms) {
    if (!provider->Frozen) continue;
    provider->ChangingSkin = false;
    if (animate) {
      const TacFormAnimation& change = manager->AnimEffects.SkinChanging;
      if (change.Active) {
        if (provider->DrawsNonClientArea())
          SkinChangeAnimation(form, change.Time, form->AlphaBlend() ? form->AlphaBlendValue() : 255,
                              change.Mode == TacAnimType::atAero ? 1 : 0);
        else
          SkinChangeAnimation(form, 0, 255, 0);
      }
      RedrawWindow(form->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    } else {
      form->Perform(WM_SETREDRAW, 1, 0);
    }
    provider->Frozen = false;
  }
}

// The program ends and hides its application window: the main form disappears with its
// hide animation, the frames played at once (no message loop ticks any more).
void HideMainFormAnimated(TsSkinManager* manager) {
  const TacFormAnimation& hide = manager->AnimEffects.FormHide;
  if (!LayeredWindowsAvailable() || !hide.Active || !manager->Effects.AllowAnimation || hide.Time == 0) return;
  gui::TApplication* app = gui::Application;
  if (!app || IsIconic(app->Handle()) || !app->Terminated()) return;
  gui::TCustomForm* main = app->MainForm();
  if (!main || !main->HandleAllocated() || !IsWindowVisible(main->Handle())) return;
  TacAnimatedForm* provider = GetAnimatedForm(main->Handle());
  if (!provider || !provider->DrawsNonClientArea() || !manager->Options.GetOption(6) || provider->Animating ||
      !provider->AllowsAnimation())
    return;
  provider->Animating = true;
  provider->HiddenByAnimation = true;
  UpdateWindow(main->Handle());
  // A timer of its own: an earlier hide ends on the old one.
  HideTimer = nullptr;
  AnimHideForm(provider, hide.Time, hide.Mode);
  // The mark of a skin change is cleared on this thread, so it can only clear while
  // messages are handled here, and the program must end even if it never does.
  WaitWhilePumping([] { return SkinChangeAnimating; }, kSkinChangeWaitMs + manager->AnimEffects.SkinChanging.Time);
}

// The system's own minimize and restore animation is held off while the program minimizes
// or restores its application window: the forms animate themselves, or not at all.
template <class F>
void WithoutSystemAnimation(F work) {
  const bool on = MinimizeAnimationOn();
  if (on) SetMinimizeAnimation(false);
  work();
  if (on) SetMinimizeAnimation(true);
}

// The main form's provider while the main form is on screen; nullptr otherwise.
TacAnimatedForm* ShownMainFormProvider(gui::TCustomForm*& main) {
  main = gui::Application ? gui::Application->MainForm() : nullptr;
  if (!main || !main->Visible() || !main->HandleAllocated()) return nullptr;
  return GetAnimatedForm(main->Handle());
}

// SC_MINIMIZE to the application window: the main form shrinks into the task bar by its
// provider's animation, or the application minimizes here without the system's. True when
// the command was carried out here.
bool MinimizeApplication(TsSkinManager* manager) {
  gui::TApplication* app = gui::Application;
  gui::TCustomForm* main = nullptr;
  if (!app || IsIconic(app->Handle())) return false;
  TacAnimatedForm* provider = ShownMainFormProvider(main);
  if (!provider || !IsWindowVisible(main->Handle())) return false;
  if (!manager->AnimEffects.Minimizing.Active || !manager->Effects.AllowAnimation) {
    provider->DropBorderWindow();
    return false;
  }
  if (!provider->DrawsNonClientArea() || !manager->Options.GetOption(6)) return false;
  provider->Animating = true;
  const bool started = provider->AnimateMinimize();
  bool handled = false;
  if (!CompositionEnabledProc()) {
    handled = true;
    WithoutSystemAnimation([app] { app->Minimize(); });
  }
  if (!started) {
    if (provider->HasBorderWindow() && !provider->InOwnMinimize()) provider->DropBorderWindow();
    // No animation runs that would end the mark: it would hold off every later one.
    provider->Animating = false;
  }
  return handled;
}

// SC_RESTORE to the application window: the forms come back without the system's
// animation. True when the command was carried out here.
bool RestoreApplication(TsSkinManager* manager) {
  gui::TApplication* app = gui::Application;
  if (!app) return false;
  gui::TCustomForm* main = nullptr;
  const bool composition = CompositionEnabledProc();
  if (TacAnimatedForm* provider = ShownMainFormProvider(main)) {
    provider->HiddenByAnimation = false;
    provider->BeforeApplicationRestore();
    WithoutSystemAnimation([app] { app->Restore(); });
    HWND wnd = main->Handle();
    if (composition) {
      RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
      if (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) {
        provider->MarkForRepaint();
        SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
      }
    }
    return false;
  }
  if (manager->AnimEffects.Minimizing.Active && manager->Effects.AllowAnimation && main && main->Visible() &&
      !composition) {
    WithoutSystemAnimation([app] { app->Restore(); });
    return true;
  }
  if (!composition) return false;
  WithoutSystemAnimation([app] { app->Restore(); });
  if (main && main->HandleAllocated()) {
    if (!IsWindowVisible(main->Handle())) main->Show();
    RedrawWindow(main->Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  }
  return true;
}

}  // namespace

TCBTHookProc CBTHookProc = &PassOnCBT;
void (*CBTHookRemoved)() = nullptr;
bool (*MenuBorderRequest)(TsSkinManager*, UINT, LPARAM) = nullptr;
HHOOK CBTHookHandle() { return g_cbtHook; }

// ---------------------------------------------------------------- apply, remove, repaint

void TsSkinManager::ApplySkin(bool animate) {
  if (Loading()) return;
  state_ |= msApplying;
  if (!Designing() && animate) FreezeSkinnedForms(this);
  commonInfo_.Loaded = false;
  SendToAllForms(this, AC_SETNEWSKIN);
  TacSkinData* first = SkinDataOfStep(0);
  commonInfo_.Loaded = first && !first->Sections.empty();
  if (IsDefault() && !hookInstalled_) InstallWindowHook();
  if (Fonts.MainMode() == TacFontMode::fmFromSkin)
    SetMainFont(commonInfo_.MainFont.empty() ? GetDefaultFontName() : commonInfo_.MainFont, false);
  if (animate) RepaintAll(false);
  // Frozen above, so the forms get their redrawing back here: a freeze always ends.
  if (!Designing() && animate) UnfreezeSkinnedForms(this, !externalUpdate_);
  state_ &= uint8_t(~msApplying);
}

void TsSkinManager::RemoveSkin() {
  state_ |= msRemoving;
  if (Fonts.MainMode() == TacFontMode::fmFromSkin && !(gui::Application && gui::Application->Terminated()))
    SetMainFont(GetDefaultFontName(), false);
  RemoveWindowHook();
  FreeSkinData();
  SendToAllForms(this, AC_REMOVESKIN);
  master_.reset();
  state_ &= uint8_t(~msRemoving);
}

void TsSkinManager::RepaintAll(bool animate) {
  if (!Designing()) SendToAllForms(this, AC_STOPFADING);
  if (Loading()) {
    SendToAllForms(this, AC_REFRESH);
  } else {
    if (animate) FreezeSkinnedForms(this);
    SendToAllForms(this, AC_REFRESH);
    if (animate) UnfreezeSkinnedForms(this, !externalUpdate_);
  }
  RedrawHookedWindows();
}

void TsSkinManager::EndExternalUpdate(bool animate, bool withSkinChangeAnimation) {
  externalUpdate_ = false;
  const bool wasActive = AnimEffects.SkinChanging.Active;
  AnimEffects.SkinChanging.Active = false;
  try {
    UpdateSkin(animate);
  } catch (...) {
    AnimEffects.SkinChanging.Active = wasActive;
    throw;
  }
  if (!withSkinChangeAnimation) AnimEffects.SkinChanging.Active = wasActive;
  if (OnAfterChange) OnAfterChange(this);
}

// ---------------------------------------------------------------- main font

void TsSkinManager::SetMainFont(const std::string& fontName, bool freeze) {
  if (Designing() || fontName == lastMainFont_) return;
  state_ |= msMainFontChanging;
  if (freeze) FreezeSkinnedForms(this);
  requestedMainFont_ = fontName;
  GetDefaultFontName();
  SendToAllForms(this, AC_FONTSCHANGED);
  const std::string oldName = lastMainFont_;
  if (OnFontChanged) OnFontChanged(this, oldName, fontName);
  lastMainFont_ = fontName;
  if (freeze) UnfreezeSkinnedForms(this, !externalUpdate_);
  state_ &= uint8_t(~msMainFontChanging);
}

const std::string& TsSkinManager::GetDefaultFontName() {
  if (defaultFontName_.empty()) {
    gui::TCustomForm* main = gui::Application ? gui::Application->MainForm() : nullptr;
    defaultFontName_ = main ? main->Font().Name() : "Tahoma";
    lastMainFont_ = defaultFontName_;
  }
  return defaultFontName_;
}

bool TsSkinManager::ApplyMainFont(gui::TControl* control) {
  const std::string name = IsSkinLoaded() ? requestedMainFont_ : GetDefaultFontName();
  if (!control || (control->Parent() && control->ParentFont())) return false;
  const std::string& current = control->Font().Name();
  if (current != lastMainFont_ && current != GetDefaultFontName()) return false;
  auto* windowed = dynamic_cast<gui::TWinControl*>(control);
  if (windowed ? !windowed->HandleAllocated() : !control->Parent()) return false;
  control->Font().SetName(name);
  return true;
}

void TacFonts::SetMainFont(const std::string& v) {
  if (v == mainFont_) return;
  mainFont_ = v;
  if (!owner_->Loading() && mainMode_ == TacFontMode::fmCustom) owner_->SetMainFont(v, true);
}

void TacFonts::SetMainMode(TacFontMode v) {
  if (v == mainMode_) return;
  mainMode_ = v;
  if (owner_->Loading()) return;
  switch (v) {
    case TacFontMode::fmDefault: owner_->SetMainFont(owner_->GetDefaultFontName(), true); break;
    case TacFontMode::fmFromSkin: {
      const std::string& skinFont = owner_->CommonInfo().MainFont;
      owner_->SetMainFont(skinFont.empty() ? owner_->GetDefaultFontName() : skinFont, true);
      break;
    }
    // No custom name yet: the controls keep the default font rather than a nameless one.
    case TacFontMode::fmCustom: owner_->SetMainFont(mainFont_.empty() ? owner_->GetDefaultFontName() : mainFont_, true); break;
  }
}

// ---------------------------------------------------------------- live preview

void TsSkinManager::ApplyEditorSkin() {
  if (!livePreview_) return;
  // Read once: a second command 71 without a new record loads nothing.
  const TacLivePreview preview = std::move(*livePreview_);
  livePreview_.reset();
  BeginExternalUpdate();
  editorText_ = preview.OptionsText;
  try {
    SetSkinDirectory(preview.SkinDirectory);
    SetSkinName(preview.SkinName);
  } catch (...) {
    editorText_.reset();
    externalUpdate_ = false;
    throw;
  }
  // The load has read the text; a later load reads the skin's own source again.
  editorText_.reset();
  EndExternalUpdate(true, false);
}

bool TsSkinManager::ReceiveLivePreview(WPARAM id, const COPYDATASTRUCT* data) {
  if (!data || !data->lpData || id != kLivePreviewCopyDataId || !HasLivePreviewTag(data->lpData, data->cbData))
    return false;
  // Another program's data: only a whole record is taken; a cut one is the editor's all
  // the same and is swallowed.
  if (auto record = ReadLivePreview(data->lpData, data->cbData)) {
    livePreview_ = std::move(record);
    if (gui::Application) PostMessageW(gui::Application->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_SKINTEXT), 0);
  }
  return true;
}

// ---------------------------------------------------------------- the application window

void TsSkinManager::HookApplicationWindow() {
  if (appHookId_ || Designing() || !gui::Application) return;
  appHookId_ = gui::Application->HookMainWindow([this](gui::TMessage& m) { return AppWindowHook(m); });
}

void TsSkinManager::UnhookApplicationWindow() {
  if (!appHookId_ || !gui::Application) return;
  gui::Application->UnhookMainWindow(appHookId_);
  appHookId_ = 0;
}

bool TsSkinManager::AppWindowHook(gui::TMessage& message) {
  switch (message.Msg) {
    case WM_COPYDATA: {
      if (message.Result != 0 || g_copyDataBusy) return false;
      g_copyDataBusy = true;
      ReceiveLivePreview(message.WParam, reinterpret_cast<const COPYDATASTRUCT*>(message.LParam));
      g_copyDataBusy = false;
      return true;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      if (pos && (pos->flags & SWP_HIDEWINDOW)) HideMainFormAnimated(this);
      return false;
    }
    case WM_SYSCOMMAND:
      if (IsSkinLoaded()) {
        const WPARAM command = message.WParam & 0xFFF0;
        lastSysCommand_ = command == SC_MINIMIZE ? 2 : command == SC_RESTORE ? 1 : 0;
        if (command == SC_MINIMIZE) return MinimizeApplication(this);
        if (command == SC_RESTORE) return RestoreApplication(this);
      }
      return false;
    case WM_THEMECHANGED:
      // The theme change does not reach the application.
      return true;
    case gui::CM_ACTIVATE:
      if (gui::Screen)
        for (int i = gui::Screen->FormCount() - 1; i >= 0; --i) {
          if (i >= gui::Screen->FormCount()) continue;
          gui::TCustomForm* form = gui::Screen->Forms(i);
          if (form->HandleAllocated()) SendSkinCommand(form->Handle(), AC_REPAINT);
        }
      return false;
    case 0xBCB3:
    case 0xBCB4:
      // A popup's border its item painter could not reach: the menu painter paints it.
      if (!SkinnedPopups() || !MenuBorderRequest) return false;
      MenuBorderRequest(this, message.Msg, message.LParam);
      return true;
    default:
      if (message.Msg == SM_ALPHACMD && HIWORD(message.WParam) == AC_SKINTEXT) ApplyEditorSkin();
      return false;
  }
}

// ---------------------------------------------------------------- the mouse's window and control

void TsSkinManager::SetHoveredWindow(HWND wnd) {
  if (wnd == hoveredWnd_) return;
  // Moving onto the hovered window's own parent is no leave while the mouse is still over it.
  if (hoveredWnd_ && IsWindowUnderMouse(hoveredWnd_) && IsWindowOrDescendant(hoveredWnd_, wnd)) return;
  if (hoveredWnd_ && hoveredControl_) {
    SetHoveredControl(nullptr);
    if (hoveredControl_) {
      // A pressed control keeps its window hovered.
      SendSkinCommand(hoveredWnd_, AC_MOUSELEAVE, reinterpret_cast<LPARAM>(this));
      return;
    }
  }
  const HWND old = hoveredWnd_;
  hoveredWnd_ = wnd;
  if (old && IsWindow(old)) SendSkinCommand(old, AC_MOUSELEAVE, reinterpret_cast<LPARAM>(this));
  if (wnd) SendSkinCommand(wnd, AC_MOUSEENTER, reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::SetHoveredControl(gui::TControl* control) {
  if (IsDestroying() || (Owner() && Owner()->IsDestroying()) || control == hoveredControl_) return;
  if (!control && !hoveredControl_->IsDestroying()) {
    auto* d = reinterpret_cast<TsCommonData*>(hoveredControl_->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETSKINDATA), 0));
    if (d && d->FPressed) return;
  }
  gui::TControl* old = hoveredControl_;
  if (old) old->RemoveFreeNotification(this);
  hoveredControl_ = control;
  if (control) control->FreeNotification(this);
  if (old && !old->IsDestroying())
    old->Perform(SM_ALPHACMD, MakeSkinCommand(AC_MOUSELEAVE), reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::HoverTimer() {
  if (!hoveredWnd_) return;
  RECT r{};
  const gui::TPoint p = GetMousePos();
  if (!GetWindowRect(hoveredWnd_, &r) || !PtInRect(&r, POINT{p.X, p.Y})) SetHoveredWindow(nullptr);
  if (hoveredControl_ && !hoveredControl_->IsDestroying() && !IsControlUnderMouse(hoveredControl_))
    hoveredControl_->Perform(SM_ALPHACMD, MakeSkinCommand(AC_MOUSELEAVE), reinterpret_cast<LPARAM>(hoveredControl_));
}

void TsSkinManager::Notification(rtl::TComponent* component, rtl::TOperation op) {
  rtl::TComponent::Notification(component, op);
  if (op == rtl::TOperation::opRemove && component == hoveredControl_) hoveredControl_ = nullptr;
}

// ---------------------------------------------------------------- window-creation hook

void TsSkinManager::InstallWindowHook() {
  if (Designing() || !IsDefault() || hookInstalled_) return;
  hookInstalled_ = true;
  HookedWindows();
  g_cbtHook = SetWindowsHookExW(WH_CBT, CBTHookProc, nullptr, GetCurrentThreadId());
  if (Options.GetOption(4)) SwitchSysColorDetours(true);
}

void TsSkinManager::RemoveWindowHook() {
  if (Designing() || !IsDefault() || !hookInstalled_) return;
  if (g_cbtHook) UnhookWindowsHookEx(g_cbtHook);
  if (CBTHookRemoved) CBTHookRemoved();
  FreeHookedWindows();
  if (Options.GetOption(4)) SwitchSysColorDetours(false);
  hookInstalled_ = false;
  g_cbtHook = nullptr;
}

}  // namespace skin

// The provider's handlers around closing, showing and hiding the form, the application's
// activation, the system colours and the menus' loops and changes.
#include "skin/core/acControlUtils.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acMinTimer.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {

using gui::TMessage;

namespace {

// The manager's options let this form disappear with the hide animation.
bool HideAnimationWanted(const TsSkinProvider& p, const TsSkinManager* m) {
  return m && p.AllowAnimation && m->AnimEffects.FormHide.Active && m->Effects.AllowAnimation;
}

bool ApplicationMinimized() { return gui::Application && IsIconic(gui::Application->Handle()); }

}  // namespace

// The form's complete image goes into the cache now, while it still shows: once the form is
// hidden there is nothing left to capture for its hide animation.
void TsSkinProvider::CaptureHideImage() {
  if (skinData_->FCacheInvalid || !FormImage()) PrepareCache();
  SetFormState(formState_ | psAnimating);
  std::unique_ptr<gui::TBitmap> image = CreateFormImage(this, true);
  SetFormState(formState_ & ~psAnimating);
  if (!image) return;
  skinData_->FCache = std::move(image);
  skinData_->FCacheInvalid = false;
}

void TsSkinProvider::WMClose(TMessage& m) {
  HWND wnd = FormHandle();
  if (!wnd || !HideAnimationWanted(*this, skinData_->GetSkinManager()) || !DrawNonClient() ||
      (formState_ & psAnimating) || form_->Parent() || IsDestroying() || !IsWindowVisible(wnd)) {
    PassOn(m);
    return;
  }
  CaptureHideImage();
  // A close that may still be refused leaves the image to be built again on the next paint.
  if (form_->OnCloseQuery) skinData_->FCacheInvalid = true;
  if (BorderForm && BorderForm->Handle()) {
    BorderForm->UpdateRegion();
    BorderForm->UpdateBorderWindow(false);
  }
  PassOn(m);
}

void TsSkinProvider::WMSysColorChange(TMessage& m) {
  PassOn(m);
  RefreshMenuBar();
}

void TsSkinProvider::WMActivateApp(TMessage& m) {
  PassOn(m);
  TsSkinManager* mgr = skinData_->GetSkinManager();
  if (m.WParam != 1 || !mgr || !mgr->AnimEffects.Minimizing.Active || (formState_ & psMinimizing)) return;
  HWND wnd = FormHandle();
  if (BorderForm) {
    if (!(formState_ & psDisabled)) BorderForm->UpdateBorderWindow(false);
    return;
  }
  // The main form left marked minimized while its window is back: it is a normal form again.
  if (wnd && gui::Application && gui::Application->MainForm() == form_ &&
      form_->WindowState == gui::TWindowState::wsMinimized && !IsIconic(wnd) && !MinTimer) {
    form_->WindowState = gui::TWindowState::wsNormal;
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  }
}

void TsSkinProvider::WMContextMenu(TMessage& m) {
  // The class library's forms carry no popup-menu property: the popup menus the form owns
  // are the ones a right click can open.
  TsSkinManager* mgr = skinData_->GetSkinManager();
  if (TsSkinableMenus* menus = mgr && mgr->IsDefault() ? SkinableMenus(mgr) : nullptr)
    for (int i = 0; i < form_->ComponentCount(); ++i)
      if (auto* pm = dynamic_cast<gui::TPopupMenu*>(form_->Components(i))) menus->HookMenu(pm, mgr->SkinnedPopups());
  PassOn(m);
}

void TsSkinProvider::WMEnterMenuLoop(TMessage& m) { PassOn(m); }

void TsSkinProvider::WMExitMenuLoop(TMessage& m) {
  RegionLocked = false;
  PassOn(m);
}

void TsSkinProvider::CMMenuChanged(TMessage& m) {
  HWND wnd = FormHandle();
  if (!(form_->FormState() & gui::fsCreating) && wnd && IsWindowVisible(wnd) && !skinData_->IsAnimating() &&
      !(skinData_->FStateFlags & sfUpdating)) {
    MenuLineCount = -1;
    MenuChanged = true;
    if (form_->Menu()) skinData_->FCacheInvalid = true;
  }
  PassOn(m);
}

void TsSkinProvider::CMVisibleChanged(TMessage& m) {
  TsSkinManager* mgr = skinData_->GetSkinManager();
  HWND wnd = FormHandle();
  if (m.WParam == 1) {
    if (forDialog_) {
      forDialog_ = false;
      CompleteSetup();
      UpdateExtBorders(mgr && mgr->ExtendedBorders());
    }
    if (mgr && mgr->IsSkinLoaded() && wnd)
      if (HBRUSH b = mgr->PaletteBrush(0)) SetClassLongPtrW(wnd, GCLP_HBRBACKGROUND, LONG_PTR(b));
  }
  PassOn(m);
  if (m.WParam == 1) {
    if (form_->Parent()) EndUpdateChildControls(form_);
    return;
  }
  if (!IsDestroying() && skinData_->FCache) skinData_->FCache->SetSize(0, 0);
  FreeTitleAnimations();
}

void TsSkinProvider::CMVisibleChangedUnskinned(TMessage& m) {
  HWND wnd = FormHandle();
  TsSkinManager* mgr = skinData_->GetSkinManager();
  if (m.WParam != 0 || !wnd || !mgr || !mgr->IsSkinLoaded() || !DrawNonClient() || IsIconic(wnd)) return;
  if (ApplicationMinimized() || !HideAnimationWanted(*this, mgr) || (formState_ & psAnimating) || form_->Parent())
    return;
  if (!IsWindowVisible(wnd) || (gui::Application && gui::Application->Terminated())) return;
  // The form still shows: its image is taken now for the hide that follows.
  CaptureHideImage();
  if (BorderForm && BorderForm->Handle()) {
    BorderForm->Updating = true;
    BorderForm->UpdateRegion();
    BorderForm->UpdateBorderWindow(false);
  }
}

std::unique_ptr<TacGlowForm> TsSkinProvider::TakeSnapshotWindow() {
  if (!BorderForm || !(formState_ & psAnimating)) return nullptr;
  return BorderForm->TakeWindow();
}

// A form whose frame a border window carries disappears in that window: it shows the whole
// form while the form goes, then plays the hide animation and goes too. The form is clear
// meanwhile, so it never shows a frame of its own.
bool TsSkinProvider::HideWithBorderWindow(TMessage& m) {
  HWND wnd = FormHandle();
  TsSkinManager* mgr = skinData_->GetSkinManager();
  if (AnimShown || !wnd || !BorderForm || !BorderForm->Handle() || !IsWindowVisible(wnd) || IsIconic(wnd) ||
      !LayeredWindowsAvailable() || !DrawNonClient() || !HideAnimationWanted(*this, mgr) || ApplicationMinimized() ||
      form_->FormStyle == gui::TFormStyle::fsMDIChild || (formState_ & (psAnimating | psMinimizing)) ||
      mgr->AnimEffects.FormHide.Time < 12 || skinData_->CacheEmpty())
    return false;
  std::unique_ptr<gui::TBitmap> whole = FormImageWithClient();
  if (!whole) return false;
  {
    // The picture as the border window shows it: its transparent parts and the clear parts
    // of the shadow without colour.
    TBitmap32 px = Pixels32(*whole);
    GdiFlush();
    PrepareBorderImage(px);
  }
  skinData_->FCache = std::move(whole);
  skinData_->FCacheInvalid = false;
  BorderForm->Updating = true;
  SetFormState(formState_ | psAnimating);
  AnimShown = true;
  SetWindowLayered(wnd, true, 1);
  PassOn(m);
  const TacFormAnimation& hide = mgr->AnimEffects.FormHide;
  AnimHideForm(this, hide.Time, hide.Mode);
  SetFormState(formState_ & ~psAnimating);
  skinData_->FCacheInvalid = true;
  if (IsWindow(wnd) && !(gui::Application && gui::Application->Terminated())) SetWindowLayered(wnd, false, 1);
  // Only now: the style change above would otherwise make a new border window at once.
  if (BorderForm) BorderForm->Updating = false;
  AnimShown = false;
  return true;
}

void TsSkinProvider::AfterWindowPosChangedUnskinned(TMessage& m) {
  const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  HWND wnd = FormHandle();
  TsSkinManager* mgr = skinData_->GetSkinManager();
  if (!wp || !(wp->flags & SWP_HIDEWINDOW) || !wnd || !LayeredWindowsAvailable() || !mgr || !mgr->Active() ||
      !DrawNonClient() || !HideAnimationWanted(*this, mgr) || IsIconic(wnd) || AnimShown || !FormImage())
    return;
  // A running hide of another form ends as this one starts; this one plays to its end.
  AnimShown = true;
  const TacFormAnimation& hide = mgr->AnimEffects.FormHide;
  AnimHideForm(this, hide.Time, hide.Mode);
  WaitWhilePumping([] { return HideTimer && HideTimer->Running(); }, unsigned(hide.Time) + 1000);
  if (IsWindow(wnd)) SetWindowLayered(wnd, false, 1);
  AnimShown = false;
}

// ---------------------------------------------------------------- a provider made for a dialog

// A provider the window-creation hook attached arrives after the form was built, so what
// InitSkin and the form's creation would have prepared is done here, on the form's first
// non-client message.
void TsSkinProvider::CompleteSetup() {
  HWND wnd = FormHandle();
  if (wnd) SetDwmTransitions(wnd, DrawNonClient());
  InitSkin();
  if (!Adapter) CreateAdapter();
  if (SystemMenu) SystemMenu->UpdateItems(false);
  if (titleButtons_)
    for (int i = 0; i < titleButtons_->Count(); ++i) {
      TsTitleButton* b = titleButtons_->Items(i);
      b->Data.GlyphIndex = uint8_t(b->UseSkinData ? tgUserSkinned : tgUserPlain);
    }
  if (form_->BorderStyle == gui::TFormBorderStyle::bsSizeToolWin) {
    AllowBlendOnMoving = false;
    SetBoolProp(3, true);  // UseGlobalColor
  }
  TsSkinManager* mgr = skinData_->GetSkinManager();
  if (wnd && mgr && mgr->IsSkinLoaded())
    if (HBRUSH b = mgr->PaletteBrush(0)) SetClassLongPtrW(wnd, GCLP_HBRBACKGROUND, LONG_PTR(b));
}

// ---------------------------------------------------------------- the application minimized

bool TsSkinProvider::AnimateMinimize() { return StartMinimizeAnimation(this); }

void TsSkinProvider::DropBorderWindow() {
  if (BorderForm) BorderForm->FreeBorderWindow();
}

void TsSkinProvider::BeforeApplicationRestore() {
  // An image made without the extended border would show without it once the form is back.
  if (GetBoolProp(0) && !BorderForm && skinData_ && skinData_->FCache) skinData_->FCache->SetSize(0, 0);
}

void TsSkinProvider::MarkForRepaint() {
  if (skinData_) skinData_->FCacheInvalid = true;
}

POINT TsSkinProvider::BorderOffset() {
  if (!BorderForm) return {};
  return {BorderForm->OwnerOffsetX(), BorderForm->OwnerOffsetY()};
}

void TsSkinProvider::RefreshBorderWindow() {
  if (BorderForm) BorderForm->UpdateBorderWindow(true);
}

}  // namespace skin

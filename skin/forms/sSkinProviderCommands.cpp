// The provider's answers to the skin command message, and skinning switched on and off:
// a loaded skin applied to the form, the form given back its own look when skinning ends.
#include <algorithm>

#include "gui/StdCtrls.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acCtrlAdapter.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

using gui::TFormBorderStyle;
using gui::TMessage;

namespace {

constexpr WORD kFormNotification = 77;

bool IsMDIForm(gui::TCustomForm* f) { return f && f->FormStyle == gui::TFormStyle::fsMDIForm; }

// A record another thread or program cannot have handed us: only our own senders' records
// are read.
template <class T>
T* OwnRecord(LPARAM lParam) {
  void* p = reinterpret_cast<void*>(lParam);
  return p && IsCommandRecord(p) ? static_cast<T*>(p) : nullptr;
}

}  // namespace

// ---------------------------------------------------------------- both branches

bool TsSkinProvider::HandleSkinCommandFirst(TMessage& m) {
  TsSkinManager* own = skinData_ ? skinData_->GetSkinManager() : nullptr;
  const bool fromOwn = own && reinterpret_cast<TsSkinManager*>(m.LParam) == own;
  const bool destroying = !form_ || (form_->ComponentState() & rtl::csDestroying);
  switch (m.WParamHi()) {
    case AC_SETNEWSKIN:
      if (!skinData_) return false;
      skinData_->SetScaledSkin(nullptr);
      FreeTitleAnimations();
      if (!destroying && fromOwn && !SystemMenu) InitSkin();
      return false;
    case AC_REMOVESKIN:
      if (!skinData_) return true;
      if (fromOwn) {
        SwitchSkinOff();
      } else {
        ProcessSkinCommand(m, skinData_.get());
        if (form_) BroadcastMessage(form_, m);
      }
      return true;
    case AC_CTRLHANDLED: m.Result = 1; return true;
    case AC_GETSKININDEX: {
      if (!own || !skinData_) return true;
      TacSkinData* sd = skinData_->GetScaledSkin();
      int32_t index = -1;
      if (!skinData_->SkinSection().empty())
        index = own->GetSkinIndex(skinData_->SkinSection(), sd);
      else
        index = own->GetSkinIndex("FORM", sd);
      m.Result = 1 + index;
      return true;
    }
    case AC_GETBG: {
      if (!skinData_ || !skinData_->IsSkinned(false)) return false;
      auto* q = OwnRecord<TacBackgroundQuery>(m.LParam);
      if (!q) return true;
      return AnswerBackgroundQuery(*q);
    }
    case AC_FONTSCHANGED:
      // The added title follows the main font when it showed it so far.
      if (own && fromOwn && AddedTitle.Font.Name() == own->LastMainFont())
        AddedTitle.Font.SetName(own->RequestedMainFont());
      RedrawNonClient();
      if (skinData_) ProcessSkinCommand(m, skinData_.get());
      return true;
    // The provider's skin state is asked for in both branches: the children and the
    // engine reach the form's skin through it.
    case AC_GETSKINDATA: m.Result = reinterpret_cast<LRESULT>(skinData_.get()); return true;
    case AC_ATTACHADAPTER:
      // Only an adapter of this thread that holds itself out for the send is listed: the
      // adapter scans what the list holds.
      if (auto* item = OwnRecord<rtl::TComponent>(m.LParam); item && skinData_ && !skinData_->FLoading) {
        auto it = std::find(ChildList.begin(), ChildList.end(), item);
        if (m.WParamLo() != 0) {
          if (it == ChildList.end()) ChildList.push_back(item);
        } else if (it != ChildList.end()) {
          ChildList.erase(it);
        }
      }
      return true;
    case AC_GETAPPLICATION: m.Result = reinterpret_cast<LRESULT>(gui::Application); return true;
    case 61: m.Result = LRESULT(MAKELONG(WORD(ClientOffsetX()), WORD(ClientOffsetY()))); return true;
    case AC_SETSCALE:
      FreeTitleAnimations();
      SetHotItem(-1, true);
      if (skinData_) {
        ProcessSkinCommand(m, skinData_.get());
        if (own) skinData_->SetScaledSkin(own->GetSkinDataForPPI(int32_t(m.LParam)));
      }
      UpdateSysMetrics(int32_t(m.LParam));
      if (form_) BroadcastMessage(form_, m);
      PassOn(m);
      return true;
    case AC_GETSCALE: m.Result = ScaleAnimation && skinData_ ? skinData_->FPixelsPerInch : -1; return true;
    case 76: case 77: case 78: case 79: case 80: case 81: PassOn(m); return true;
    default: return false;
  }
}

bool TsSkinProvider::AnswerBackgroundQuery(TacBackgroundQuery& q) {
  q.OffsetX = q.OffsetY = 0;
  TsSkinManager* own = skinData_->GetSkinManager();
  if (skinData_->FCacheInvalid && (!skinData_->FUpdating || InAnimation)) {
    // Without its border window yet, a form that will get one has no image to offer.
    if (!BorderForm && own && own->ExtendedBorders() && !IsZoomed(FormHandle()) &&
        form_->BorderStyle != TFormBorderStyle::bsNone)
      return false;
    PrepareCache();
  }
  if (q.PleaseDraw) q.OffsetX += ClientOffsetX(), q.OffsetY += ClientOffsetY();
  skinData_->FillBackgroundQuery(q, std::min<int>(FormActive, std::max(0, skinData_->Section()->States - 1)), FormHandle());
  if (q.Kind == bkBitmap && !q.PleaseDraw && !q.Bitmap) {
    if (skinData_->FCacheInvalid) PrepareCache();
    q.Bitmap = skinData_->CacheView();
  }
  q.OffsetX += ClientOffsetX();
  if (q.OffsetX != 0) q.FillRect.Left = std::max(0, q.FillRect.Left - q.OffsetX);
  q.OffsetY += ClientOffsetY();
  if (q.OffsetY != 0) q.FillRect.Top = std::max(0, q.FillRect.Top - q.OffsetY);
  return true;
}

// ---------------------------------------------------------------- unskinned

bool TsSkinProvider::HandleSkinCommandUnskinned(TMessage& m) {
  switch (m.WParamHi()) {
    case AC_SETNEWSKIN: {
      if (!form_ || (form_->ComponentState() & rtl::csDestroying) || !skinData_) return false;
      if (reinterpret_cast<TsSkinManager*>(m.LParam) == skinData_->GetSkinManager()) ApplySkinSequence();
      return true;
    }
    case AC_GETPROVIDER: m.Result = reinterpret_cast<LRESULT>(static_cast<TacAnimatedForm*>(this)); return true;
    case AC_PREPARECACHE:
      if (skinData_) skinData_->FCacheInvalid = false;
      return true;
    default: return false;
  }
}

void TsSkinProvider::ApplySkinSequence() {
  TsSkinManager* own = skinData_->GetSkinManager();
  skinData_->SetScaledSkin(nullptr);
  FreeTitleAnimations();
  skinData_->FLoading = false;
  skinData_->UpdateSkinIndex(true);
  TitleSkinIndex = -1;
  UpdateSectionIndexes();
  if (own) {
    HWND wnd = FormHandle();
    TallTitleMaximized = BorderForm && wnd && IsZoomed(wnd) && SkinTitleHeight(false) > GetSysCaptionHeight() + 4;
    UpdateSysMenuStyle(true);
    InitTitleButtons();
    if (form_->Active()) FormActive = 1;
    if (!own->Loading()) {
      if (form_->Menu() && UseOwnerDrawMenu) MenuHooked = true;
      HookFormMenus(true);
      if (!MenuHooked) MenuHooked = RefreshMenuBar();
      if (Adapter)
        for (int i = 0; i < form_->ControlCount(); ++i)
          if (auto* label = dynamic_cast<gui::TLabel*>(form_->Controls(i))) SkinLabel(label, true);
    }
    skinData_->FCacheInvalid = true;
    MenuLineCount = -1;
    if (IsMDIForm(form_)) UpdateMDIHook(true);
    PrepareTitleBarItems();
    if (wnd) SetDwmTransitions(wnd, DrawNonClient());
  }
  if (Adapter)
    AdapterAddAllItems(nullptr);
  else
    CreateAdapter();
}

// ---------------------------------------------------------------- skinned

void TsSkinProvider::HandleSkinCommand(TMessage& m) {
  TsSkinManager* own = skinData_->GetSkinManager();
  const bool fromOwn = own && reinterpret_cast<TsSkinManager*>(m.LParam) == own;
  HWND wnd = FormHandle();
  switch (m.WParamHi()) {
    case AC_SETNEWSKIN:
      if (!fromOwn) break;
      skinData_->UpdateSkinIndex(true);
      TitleSkinIndex = -1;
      UpdateSectionIndexes();
      InitTitleButtons();
      UpdateSysMenuStyle(DrawNonClient());
      skinData_->FCacheInvalid = true;
      MenuLineCount = -1;
      PrepareTitleBarItems();
      if (IsMDIForm(form_)) UpdateMDIHook(true);
      break;
    case AC_REFRESH:
      if (fromOwn) RepaintAfterSkinChange();
      break;
    case AC_GETPROVIDER: m.Result = reinterpret_cast<LRESULT>(static_cast<TacAnimatedForm*>(this)); break;
    case AC_ENDPARENTUPDATE:
      if (skinData_->FUpdating && !skinData_->IsUpdating(true)) {
        if (wnd) RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
        EndUpdateChildControls(form_);
      }
      break;
    case AC_SETUPDATING:
      skinData_->FUpdating = m.WParamLo() == 1;
      if (skinData_->ParentUpdating()) skinData_->FCacheInvalid = true;
      break;
    case AC_PREPARING: m.Result = skinData_->FUpdating && !AnimationInProgress ? 1 : 0; break;
    case AC_INVALIDATE: skinData_->FCacheInvalid = true; break;
    case AC_BGVARIES: {
      const TsGeneralData* s = skinData_->Section();
      TacSkinData* sd = skinData_->GetScaledSkin();
      bool varies = s && !s->StateParams.empty() && s->StateParams[0].GradientPercent + s->StateParams[0].ImagePercent > 0;
      if (!varies && s && sd && s->BorderIndex >= 0 && size_t(s->BorderIndex) < sd->Masks.size())
        varies = (sd->Masks[size_t(s->BorderIndex)].PaintFlags & 4) != 0;
      m.Result = m.LParam = varies ? 1 : 0;
      break;
    }
    case AC_GETCONTROLCOLOR: m.Result = LRESULT(skinData_->GetBackgroundColor(0, wnd)); break;
    case AC_PREPARECACHE:
      if (skinData_->SkinIsChanging() || !skinData_->FCacheInvalid || skinData_->FUpdating) {
        m.Result = -2;
        break;
      }
      PrepareCache();
      if (skinData_->FCacheInvalid && ((form_->ControlState & gui::csCreating) ||
                                       (formState_ & (psBlendMoving | psAnimating)) || skinData_->FSkinIndex < 0))
        skinData_->FCacheInvalid = false;
      break;
    case AC_ADDTOADAPTER:
      // No control: the whole form. A control only when its sender holds it: a number
      // another program posts is no control of ours.
      if (!(form_->ComponentState() & rtl::csLoading) && Adapter) {
        if (!m.LParam)
          AdapterAddAllItems(form_);
        else if (auto* c = OwnRecord<gui::TControl>(m.LParam))
          if (auto* win = dynamic_cast<gui::TWinControl*>(c)) AdapterAddAllItems(win);
      }
      break;
    case AC_MOUSELEAVE:
      SetHotItem(-1, true);
      ButtonPressed = false;
      break;
    case AC_BEFORESCROLL:
      if (skinData_->NeedsRepaintOnMove()) form_->Perform(WM_SETREDRAW, 0, 0);
      break;
    case AC_AFTERSCROLL:
      if (skinData_->NeedsRepaintOnMove()) {
        form_->Perform(WM_SETREDRAW, 1, 0);
        if (wnd)
          RedrawWindow(wnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      }
      break;
    case AC_TITLECHANGED:
      if (m.LParam == 1) {
        skinData_->FCacheInvalid = true;
        PrepareTitleBarItems();
      }
      RedrawNonClient();
      break;
    case AC_CHILDMOVING:
      SetFormState(m.LParam == 1 ? formState_ | psNoGlue : formState_ & ~psNoGlue);
      break;
    case 64: m.Result = (formState_ & psNoGlue) ? 1 : 0; break;
    case AC_SETALPHA: SetWindowAlpha(uint8_t(m.LParam)); break;
    case AC_GETOPAQUESECTION:
      if (auto* q = OwnRecord<TacOpaqueSectionQuery>(m.LParam)) m.Result = AnswerOpaqueSection(*q);
      break;
    case AC_GETBORDERWIDTH: m.Result = FrameWidthAnswer(m.LParam); break;
    case 83: SetNonClientSkinned((m.LParam & 0xFF) != 0); break;
    case 87: StartScaleAnimation(int32_t(HIWORD(m.LParam)), m.LParam != 0); break;
    default:
      // Any other command is the provider's alone: it reaches neither the form nor its controls.
      break;
  }
}

void TsSkinProvider::SetWindowAlpha(uint8_t alpha) {
  HWND wnd = FormHandle();
  if (!wnd || !IsWindowVisible(wnd)) return;
  const LONG ex = GetWindowLongW(wnd, GWL_EXSTYLE);
  if (alpha != 255) {
    if (!(ex & WS_EX_LAYERED)) SetWindowLongW(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(wnd, 0, alpha, LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongW(wnd, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
  }
}

LRESULT TsSkinProvider::AnswerOpaqueSection(TacOpaqueSectionQuery& q) {
  TacSkinData* sd = skinData_->GetScaledSkin();
  if (FormHeader.AdditionalHeight > 0 && HeaderSkinIndex >= 0 && sd &&
      q.Rect.Top < sd->ScaleInt(FormHeader.AdditionalHeight)) {
    q.SkinIndex = HeaderSkinIndex;
    q.SkinManager = skinData_->GetSkinManager();
    return 1;
  }
  if (form_->Parent() && skinData_->IsTransparent(q.State)) return QueryOpaqueSection(form_->Parent(), q);
  const TsGeneralData* s = skinData_->Section();
  if (s && q.State < s->States) {
    q.SkinIndex = skinData_->FSkinIndex;
    return 1;
  }
  return -1;
}

void TsSkinProvider::RepaintAfterSkinChange() {
  TsSkinManager* own = skinData_->GetSkinManager();
  if (Adapter)
    AdapterAddAllItems(nullptr);
  else
    CreateAdapter();
  MenuLineCount = -1;
  if (own && !own->Loading()) {
    RefreshMenuBar();
    HookFormMenus(skinData_->IsSkinned(false));
  }
  if (HasBorder()) RegionChanged = true;
  PrepareTitleBarItems();
  HWND wnd = FormHandle();
  if (!wnd || !form_->Visible()) return;
  skinData_->FCacheInvalid = true;
  UpdateExtBorders(own && own->ExtendedBorders());
  if (!AnimationInProgress) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (IsMDIForm(form_) && RedrawTarget() != wnd)
      RedrawWindow(RedrawTarget(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  }
  if (GetBoolProp(3) && !skinData_->FCustomColor && own) form_->SetColor(gui::TColor(own->GetGlobalColor()));
  skinData_->FUpdating = false;
  TMessage pass{SM_ALPHACMD, MakeSkinCommand(AC_REFRESH), LPARAM(own), 0};
  PassToAdapter(pass);
  if (BorderForm) UpdateBorderWindow(true, 255);
  SendSkinCommand(wnd, kFormNotification);
}

// ---------------------------------------------------------------- skinning off

void TsSkinProvider::SwitchSkinOff() {
  TsSkinManager* own = skinData_->GetSkinManager();
  HWND wnd = FormHandle();
  if (wnd) SetDwmTransitions(wnd, false);
  TMessage remove{SM_ALPHACMD, MakeSkinCommand(AC_REMOVESKIN), LPARAM(own), 0};
  ProcessSkinCommand(remove, skinData_.get());
  MenuLineCount = TitleSkinIndex = CaptionSkinIndex = -1;
  if (form_) BroadcastMessage(form_, remove);
  FreeAdapter();
  FreeTitleAnimations();
  if (!form_ || (form_->ComponentState() & rtl::csDestroying)) return;
  if (own) {
    HookFormMenus(false);
    UpdateSysMenuStyle(false);
    if (IsMDIForm(form_)) UpdateMDIHook(false);
    if (wnd && HasBorder() && !RegionLocked) SetWindowRgn(wnd, nullptr, TRUE);
    if (form_->Menu()) RefreshMenuBar();
    if (GetBoolProp(3) && !skinData_->FCustomColor) form_->SetColor(gui::clBtnFace);
    UpdateExtBorders(false);
    // The form itself (for an MDI form its client window) takes its own look again; the
    // rest of the screen has nothing to repaint.
    if (wnd)
      RedrawWindow(RedrawTarget(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  for (int i = 0; i < form_->ControlCount(); ++i)
    if (auto* label = dynamic_cast<gui::TLabel*>(form_->Controls(i))) SkinLabel(label, false);
  // The labels the adapter coloured on panels and pages get their own colours back too.
  const std::vector<TacLabelColor> nested = LabelColors;
  for (const TacLabelColor& c : nested) SkinLabel(c.Label, false);
  skinData_->FCache.reset();
  if (wnd) {
    SetClassLongPtrW(wnd, GCLP_HBRBACKGROUND, LONG_PTR(GetSysColorBrush(COLOR_BTNFACE)));
    SendSkinCommand(wnd, kFormNotification);
  }
}

HWND TsSkinProvider::RedrawTarget() {
  HWND wnd = FormHandle();
  if (wnd && IsMDIForm(form_))
    if (HWND client = FindWindowExW(wnd, nullptr, L"MDICLIENT", nullptr)) return client;
  return wnd;
}

// ---------------------------------------------------------------- skinning on

void TsSkinProvider::InitSkin() {
  TsSkinManager* own = skinData_ ? skinData_->GetSkinManager() : nullptr;
  if (forDialog_ || passive_ || !own || !form_ || !form_->HandleAllocated() || !own->IsSkinLoaded()) return;
  // The menu first: everything below may ask for it.
  if (!SystemMenu) MakeSystemMenu();
  UseOwnerDrawMenu = false;
  skinData_->FLoading = false;
  skinData_->UpdateSkinIndex(true);
  UpdateSectionIndexes();
  UpdateSysMenuStyle(true);
  if (IsMDIForm(form_)) UpdateMDIHook(true);
  skinData_->UpdateSkinIndex(true);
  PrepareTitleBarItems();
  InitTitleButtons();
  if (!(form_->ControlState & (gui::csReadingState | gui::csCreating)) &&
      !(form_->ComponentState() & rtl::csLoading) && GetBoolProp(3) && !skinData_->FCustomColor)
    form_->SetColor(gui::TColor(own->GetGlobalColor()));
  if (!(form_->ComponentState() & rtl::csLoading) && form_->Showing()) UpdateExtBorders(own->ExtendedBorders());
  UpdateSectionIndexes();
}

void TsSkinProvider::SetNonClientSkinned(bool active) {
  TsSkinManager* own = skinData_->GetSkinManager();
  if (!own) return;
  HWND wnd = FormHandle();
  if (active) {
    UpdateSysMenuStyle(true);
    if (!wnd || !form_->Showing() || !skinData_->IsSkinned(false)) return;
    skinData_->FCacheInvalid = true;
    HookMenuLine();
    UpdateExtBorders(own->ExtendedBorders());
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW | RDW_FRAME);
    return;
  }
  FreeBorderForm();
  if (!wnd) return;
  if (TSetWindowThemeProc setTheme = SetWindowThemeProc()) setTheme(wnd, nullptr, nullptr);
  if (form_->BorderIcons & gui::biSystemMenu)
    SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) | WS_SYSMENU);
  if (form_->Showing()) SetWindowRgn(wnd, nullptr, TRUE);
  skinData_->FCacheInvalid = true;
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TsSkinProvider::UpdateSysMenuStyle(bool skinning) {
  HWND wnd = FormHandle();
  if (!wnd) return;
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  if (skinning) {
    // The system draws no caption buttons of its own over a skinned title.
    if (DrawNonClient()) {
      if (style & WS_SYSMENU) SetWindowLongW(wnd, GWL_STYLE, style & ~WS_SYSMENU);
    } else if (!(style & WS_SYSMENU)) {
      SetWindowLongW(wnd, GWL_STYLE, style | WS_SYSMENU);
    }
    return;
  }
  if (!(form_->BorderIcons & gui::biSystemMenu)) return;
  SetWindowLongW(wnd, GWL_STYLE, style | WS_SYSMENU);
  form_->Perform(WM_SETICON, ICON_SMALL, form_->Perform(WM_GETICON, ICON_SMALL, 0));
}

void TsSkinProvider::RefreshBorders() {
  skinData_->FCacheInvalid = true;
  if (BorderForm) {
    UpdateBorderWindow(true, 255);
    return;
  }
  UpdateRegion(true, false);
  if (HWND wnd = FormHandle())
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TsSkinProvider::SkinLabel(gui::TControl* control, bool skinned) {
  auto* label = dynamic_cast<gui::TLabel*>(control);
  if (!label) return;
  TsSkinManager* own = skinData_->GetSkinManager();
  const bool transparentAlways = own && own->LabelsOptions.TransparentAlways;
  auto entry = std::find_if(LabelColors.begin(), LabelColors.end(),
                            [&](const TacLabelColor& c) { return c.Label == label; });
  if (skinned) {
    if (IsSkipSkinTag(label->Tag)) return;
    if (entry == LabelColors.end()) {
      LabelColors.push_back({uint32_t(label->Font().Color()), label, label->ParentFont()});
      // A label freed while skinned takes its entry with it.
      label->FreeNotification(this);
    }
    if (label->Transparent || transparentAlways) label->ControlStyle &= ~gui::csOpaque;
    if (TsSkinManager* def = DefaultManager()) label->Font().SetColor(gui::TColor(def->GetGlobalFontColor()));
    return;
  }
  if (entry != LabelColors.end()) {
    if (!entry->ParentFont) {
      label->Font().SetColor(gui::TColor(entry->Color));
    } else if (label->ParentFont()) {
      if (label->Parent()) label->Font().SetColor(label->Parent()->Font().Color());
    } else {
      label->SetParentFont(true);
    }
    *entry = LabelColors.back();
    LabelColors.pop_back();
    label->RemoveFreeNotification(this);
  }
  if (label->Transparent || transparentAlways) label->ControlStyle |= gui::csOpaque;
}

// ---------------------------------------------------------------- the child-control adapter

// Made with the skin's first application; it scans the form at once.
void TsSkinProvider::CreateAdapter() {
  if (!Adapter) Adapter = std::make_unique<TacCtrlAdapter>(this);
  Adapter->AddAllItems(nullptr);
}
void TsSkinProvider::FreeAdapter() { Adapter.reset(); }
void TsSkinProvider::PassToAdapter(TMessage& m) {
  if (Adapter) Adapter->PassMessage(m);
}
void TsSkinProvider::AdapterAddAllItems(gui::TWinControl* control) {
  if (Adapter) Adapter->AddAllItems(control);
}
void TsSkinProvider::AdapterAddNewItem(gui::TWinControl* control) {
  if (Adapter) Adapter->AddNewItem(control);
}

}  // namespace skin

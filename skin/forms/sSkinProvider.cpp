#include "skin/forms/sSkinProvider.h"

#include "skin/forms/acCtrlAdapter.h"

#include <algorithm>

#include "gui/Menus.h"
#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerUnit.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sSysUtils.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acCaptForm.h"
#include "skin/forms/acFormsStartup.h"
#include "skin/forms/acTitleBar.h"
#include "skin/forms/sSkinPreview.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGradientGdi.h"
#include "skin/graphics/acResample.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/graphics/acSkinText.h"
#include "skin/graphics/acTextPixels.h"

namespace skin {

using gui::TMessage;
using gui::TFormBorderStyle;

namespace {

constexpr uint32_t kClWindowText = 0xFF000008, kClNone = 0x1FFFFFFF;
// The class layer's forms keep no inner border of their own.
constexpr int32_t kFormBorderWidth = 0;

bool Windows10OrLater() {
  OSVERSIONINFOEXW v{};
  v.dwOSVersionInfoSize = sizeof v;
  v.dwMajorVersion = 10;
  const DWORDLONG mask = VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL);
  return VerifyVersionInfoW(&v, VER_MAJORVERSION, mask) != FALSE;
}

bool Windows8OrLater() {
  OSVERSIONINFOEXW v{};
  v.dwOSVersionInfoSize = sizeof v;
  v.dwMajorVersion = 6;
  v.dwMinorVersion = 2;
  DWORDLONG mask = VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL);
  mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
  return VerifyVersionInfoW(&v, VER_MAJORVERSION | VER_MINORVERSION, mask) != FALSE;
}

TacBorderStyle StyleOf(TFormBorderStyle s) { return TacBorderStyle(int32_t(s)); }

gui::TRect ToGui(const TacRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

const TsMaskData* Element(const TacSkinData* sd, int32_t index) {
  if (!sd || index < 0 || size_t(index) >= sd->Masks.size()) return nullptr;
  return &sd->Masks[size_t(index)];
}

int LimitState(int state, int states) { return std::max(0, std::min({state, states - 1, 2})); }

}  // namespace

int32_t GetSysMetricForPPI(int index, int32_t ppi) {
  if (TGetSystemMetricsForDpi f = GetSystemMetricsForDpiProc(); f && ppi > 0)
    if (int v = f(index, UINT(ppi)); v != 0) return v;
  return GetSystemMetrics(index);
}

bool ShutdownPending = false;

TsSkinProvider* GetFormProvider(rtl::TComponent* component) {
  for (rtl::TComponent* c = component; c; c = c->Owner())
    if (auto* form = dynamic_cast<gui::TCustomForm*>(c)) {
      const LRESULT r = form->HandleAllocated()
                            ? SendMessageDirect(form->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_GETPROVIDER), 0)
                            : form->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETPROVIDER), 0);
      return TsSkinProvider::ProviderOfAnswer(r);
    }
  return nullptr;
}

bool NoBorderImage(int32_t index, const TacSkinData* skinData) {
  if (index < 0) return true;
  const TsMaskData* e = Element(skinData, index);
  return e && e->ElementKind == 1;
}

gui::TWinControl* FindControlByID(int id, rtl::TComponent* component) {
  if (!component) return nullptr;
  for (int i = 0; i < component->ComponentCount(); ++i) {
    rtl::TComponent* c = component->Components(i);
    if (auto* w = dynamic_cast<gui::TWinControl*>(c); w && w->HandleAllocated() && GetDlgCtrlID(w->Handle()) == id)
      return w;
    if (gui::TWinControl* found = FindControlByID(id, c)) return found;
  }
  return nullptr;
}

// ---------------------------------------------------------------- desktop composition

namespace {

struct TDwm {
  HMODULE Module = nullptr;
  bool Loaded = false;
  int Composition = -1;  // not asked yet
  HRESULT(WINAPI* SetWindowAttribute)(HWND, DWORD, LPCVOID, DWORD) = nullptr;
  HRESULT(WINAPI* EnableBlurBehindWindow)(HWND, const void*) = nullptr;
  HRESULT(WINAPI* IsCompositionEnabled)(BOOL*) = nullptr;
  HRESULT(WINAPI* SetIconicThumbnail)(HWND, HBITMAP, DWORD) = nullptr;
  HRESULT(WINAPI* SetIconicLivePreviewBitmap)(HWND, HBITMAP, POINT*, DWORD) = nullptr;
  HRESULT(WINAPI* InvalidateIconicBitmaps)(HWND) = nullptr;
};
TDwm& Dwm() {
  static TDwm d;
  return d;
}

template <class F>
bool Bind(F& f, const char* name) {
  if (f) return true;
  LoadDwmLibrary();
  if (!Dwm().Module) return false;
  f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Dwm().Module, name)));
  return f != nullptr;
}

bool Windows6OrLater() { return Globals().WinVersionFlag >= 6; }

// The image a thumbnail or live preview shows: the provider's cached image.
gui::TBitmap* PreviewImage(TsSkinProvider* provider) {
  if (!provider || !provider->SkinData()) return nullptr;
  gui::TBitmap* cache = provider->SkinData()->FCache.get();
  return cache && !cache->Empty() ? cache : nullptr;
}

}  // namespace

void LoadDwmLibrary() {
  if (Dwm().Loaded) return;
  Dwm().Loaded = true;
  Dwm().Module = LoadLibraryW(L"DWMAPI.DLL");
}

bool IsCompositionEnabled() {
  TDwm& d = Dwm();
  if (d.Composition >= 0) return d.Composition == 1;
  BOOL on = FALSE;
  d.Composition = Windows6OrLater() && Bind(d.IsCompositionEnabled, "DwmIsCompositionEnabled") &&
                          SUCCEEDED(d.IsCompositionEnabled(&on)) && on
                      ? 1
                      : 0;
  return d.Composition == 1;
}

HRESULT SetDwmWindowAttribute(HWND wnd, DWORD attribute, const void* value, DWORD size) {
  TDwm& d = Dwm();
  if (!Bind(d.SetWindowAttribute, "DwmSetWindowAttribute")) return E_NOTIMPL;
  Bind(d.EnableBlurBehindWindow, "DwmEnableBlurBehindWindow");
  return d.SetWindowAttribute(wnd, attribute, value, size);
}

void SetDwmTransitions(HWND wnd, bool disable) {
  // Without composition there are no transitions: the call says so plainly.
  const int32_t value = disable && IsCompositionEnabled() ? 1 : 0;
  SetDwmWindowAttribute(wnd, 3 /* DWMWA_TRANSITIONS_FORCEDISABLED */, &value, sizeof value);
}

void EnableBlurBehind(HWND wnd, bool enable, HRGN region) {
  TDwm& d = Dwm();
  if (d.Module && IsCompositionEnabled() && Globals().WinVersionFlag < 10 && d.EnableBlurBehindWindow) {
    struct {
      DWORD Flags;
      BOOL Enable;
      HRGN Region;
      BOOL TransitionOnMaximized;
    } blur{0x1u | (region ? 0x2u : 0u), enable ? TRUE : FALSE, region, FALSE};
    d.EnableBlurBehindWindow(wnd, &blur);
  }
  if (region) DeleteObject(region);
}

bool SetIconicThumbnail(HWND wnd, TsSkinProvider* provider, int32_t maxWidth, int32_t maxHeight) {
  TDwm& d = Dwm();
  if (!Windows6OrLater() || maxWidth == 0 || maxHeight == 0) return false;
  if (!Bind(d.SetIconicThumbnail, "DwmSetIconicThumbnail")) return false;
  gui::TBitmap* image = PreviewImage(provider);
  if (!image) return false;
  const TacPoint size = ThumbnailSize(image->Width(), image->Height(), maxWidth, maxHeight);
  if (size.X == 0) return false;
  provider->SetFormState(provider->FormState() | psThumbnail);
  auto setThumbnail = [&](gui::TBitmap& from) {
    auto thumb = CreateBitmap32(size.X, size.Y);
    TBitmap32 dst = Pixels32(*thumb);
    ResampleInto(Pixels32(from), dst, 6);
    GdiFlush();
    return SUCCEEDED(d.SetIconicThumbnail(wnd, thumb->Handle(), 0));
  };
  bool ok = setThumbnail(*image);
  // The cache holds the frame only: the thumbnail is set again with the client painted in.
  if (ok)
    if (std::unique_ptr<gui::TBitmap> whole = CreateFormImage(provider, false)) {
      setThumbnail(*whole);
      if (provider->BorderForm) provider->UpdateBorderWindow(false, 255);
    }
  provider->SetFormState(provider->FormState() & ~psThumbnail);
  return ok;
}

bool SetLivePreviewBitmap(HWND wnd, TsSkinProvider* provider) {
  TDwm& d = Dwm();
  if (!Windows6OrLater()) return false;
  if (!Bind(d.SetIconicLivePreviewBitmap, "DwmSetIconicLivePreviewBitmap")) return false;
  gui::TBitmap* image = PreviewImage(provider);
  if (!image) return false;
  provider->SetFormState(provider->FormState() | psThumbnail);
  POINT origin{0, 0};
  // The preview shows the whole form: its frame with the client painted in.
  std::unique_ptr<gui::TBitmap> whole = CreateFormImage(provider, false);
  const bool ok = d.SetIconicLivePreviewBitmap(wnd, (whole ? whole.get() : image)->Handle(), &origin,
                                               1 /* DWM_SIT_DISPLAYFRAME */) == S_OK;
  if (whole && provider->BorderForm) provider->UpdateBorderWindow(false, 255);
  provider->SetFormState(provider->FormState() & ~psThumbnail);
  return ok;
}

void InvalidateIconicBitmaps(HWND wnd) {
  TDwm& d = Dwm();
  if (Windows6OrLater() && Bind(d.InvalidateIconicBitmaps, "DwmInvalidateIconicBitmaps")) d.InvalidateIconicBitmaps(wnd);
}

// ---------------------------------------------------------------- life cycle

TsSkinProvider::TsSkinProvider(rtl::TComponent* owner)
    : rtl::TComponent(dynamic_cast<gui::TCustomForm*>(owner) ? owner : nullptr) {
  AddedTitle.provider_ = this, FormHeader.provider_ = this, TitleIcon.provider_ = this;
  auto* form = dynamic_cast<gui::TCustomForm*>(owner);
  if (!form) {
    MessageBoxEx("Warning", "TsSkinProvider component may be used with forms only!", mkWarning, mbtOK, 0, -1, -1);
    return;
  }
  form_ = form;
  InitPreviewMode(CommandLineParams());
  // A provider the window-creation hook made gives way; any other keeps the form.
  if (auto* other = ProviderOfAnswer(form->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETPROVIDER), 0));
      other && other != this) {
    if (other->forDialog_)
      delete other;
    else
      passive_ = true;
  }
  for (rtl::TStringList& list : ThirdLists) list.CaseSensitive = true;
  skinData_ = std::make_unique<TsScrollWndData>(this, false);
  skinData_->SetSkinSection("FORM");
  skinData_->FControlKind = kKindForm;
  Composition = IsCompositionEnabled();
  if (!passive_) Hook();
  // What the class library does after construction: the lists are read, and a provider
  // placed on a form while a skin is active takes it at once.
  LoadThirdPartyLists();
  TsSkinManager* m = skinData_->GetSkinManager();
  if (!passive_ && m && m->Active() && m->IsSkinLoaded()) {
    skinData_->FLoading = false;
    skinData_->UpdateSkinIndex(true);
    UpdateSkinIndexes();
    InitTitleButtons();
  }
}

TsSkinProvider* TsSkinProvider::CreateForForm(gui::TCustomForm* form) {
  auto* p = new TsSkinProvider(form);
  p->forDialog_ = true;
  return p;
}

TsSkinProvider::~TsSkinProvider() {
  // Only the provider that took the form's procedure gives it back: a passive or refused
  // one never held it.
  FreeTitleAnimations();
  if (form_ && hooked_) Unhook();
  if (form_) RemoveGluedEntries(form_);
  skinData_.reset();
  if (form_) SaveThirdPartyLists();
}

void TsSkinProvider::LoadThirdPartyLists() { HasThirdPartyLists = skin::LoadThirdPartyLists(ThirdParty, ThirdLists); }

void TsSkinProvider::SaveThirdPartyLists() {
  for (int i = 0; i < kThirdPartyKinds; ++i) ThirdParty.SetClassNames(i, ThirdLists[size_t(i)].Text());
}

void TsSkinProvider::Hook() {
  oldWndProc_ = form_->WindowProc;
  form_->WindowProc = [this](TMessage& m) { FormWndProc(m); };
  skinData_->FWndProc = form_->WindowProc;
  hooked_ = true;
  FormActive = 1;
  // The manager's broadcasts reach a skinned form through this list.
  AddSkinnedForm(form_);
}

void TsSkinProvider::Unhook() {
  // Only the provider that serves the form takes it off the list: a passive one leaving
  // must not cut the serving one off from the broadcasts.
  RemoveSkinnedForm(form_);
  form_->WindowProc = oldWndProc_;
  hooked_ = false;
}

TsSkinProvider* TsSkinProvider::ProviderOfAnswer(LRESULT answer) {
  return dynamic_cast<TsSkinProvider*>(reinterpret_cast<TacAnimatedForm*>(answer));
}

void TsSkinProvider::Loaded() {
  rtl::TComponent::Loaded();
  if (!form_) return;
  LoadThirdPartyLists();
  if (passive_ || forDialog_) return;
  TsSkinManager* m = skinData_->GetSkinManager();
  if (!m || !m->Active() || !m->IsSkinLoaded()) return;
  skinData_->FLoading = false;
  skinData_->UpdateSkinIndex(true);
  UpdateSkinIndexes();
  InitTitleButtons();
  if (RightToLeft()) m->UpdateRTLSysButtons(true);
}

void TsSkinProvider::Notification(rtl::TComponent* component, rtl::TOperation op) {
  rtl::TComponent::Notification(component, op);
  if (op == rtl::TOperation::opRemove)
    std::erase_if(LabelColors, [&](const TacLabelColor& c) { return c.Label == component; });
  if (!skinData_) return;
  // A windowed control put on the form joins the adapter when its class is listed (in the
  // provider's own lists when it has any, else in the manager's).
  if (auto* control = dynamic_cast<gui::TWinControl*>(component); control && op == rtl::TOperation::opInsert && Adapter) {
    TsSkinManager* own = skinData_->GetSkinManager();
    if (HasThirdPartyLists || own) {
      const TacThirdPartyLists& lists = HasThirdPartyLists ? ThirdLists : own->ThirdPartyLists();
      if (IsInStringLists(lists, control->ClassName()) && AllowSkin3rdParty) AdapterAddNewItem(control);
    }
    return;
  }
  auto* m = dynamic_cast<TsSkinManager*>(component);
  if (!m) return;
  if (op == rtl::TOperation::opInsert && !skinData_->SkinManagerStored())
    skinData_->SetSkinManager(m);
  else if (op == rtl::TOperation::opRemove && skinData_->SkinManagerStored() && skinData_->GetSkinManager() == m)
    skinData_->ForgetSkinManager();
}

void TsSkinProvider::SetFormState(uint32_t value) {
  // The class layer aligns children only when a form is sized, so the minimize and restore
  // animations have no alignment to hold back.
  formState_ = value;
}

void TsSkinProvider::SetBoolProp(int index, bool value) {
  if (index < 0 || index >= 5 || boolProps_[index] == value) return;
  boolProps_[index] = value;
  if (!skinData_) return;
  switch (index) {
    case 3:
      if (value && form_ && skinData_->IsSkinned(false) && !skinData_->FCustomColor)
        form_->SetColor(gui::TColor(skinData_->GetSkinManager()->GetGlobalColor()));
      break;
    default:
      skinData_->FCacheInvalid = true;
      break;
  }
}

void TsSkinProvider::SetSkinProp(int index, const std::string& value) {
  std::string& target = index == 0 ? titleSkin_ : menuLineSkin_;
  if (target == value) return;
  target = value;
  if (index != 0 || !skinData_) return;
  TitleSkinIndex = -1;
  skinData_->FCacheInvalid = true;
  UpdateSkinIndexes();
}

void TsSkinProvider::UpdateSkinIndexes() {
  TacSkinData* sd = skinData_ ? skinData_->GetScaledSkin() : nullptr;
  TsSkinManager* m = skinData_ ? skinData_->GetSkinManager() : nullptr;
  if (!sd || !m) {
    TitleSkinIndex = CaptionSkinIndex = HeaderSkinIndex = -1;
    return;
  }
  auto standard = [&](std::string_view name) {
    for (size_t i = 0; i < StandardSectionNames.size(); ++i)
      if (StandardSectionNames[i] == name) return sd->StandardSections[i];
    return -1;
  };
  // The caption section stands behind the caption only when the skin names one itself.
  CaptionSkinIndex = GetSkinIndex(*sd, "CAPTION") >= 0 ? standard("CAPTION") : -1;
  HeaderSkinIndex = GetSkinIndex(*sd, "FORMHEADER") >= 0 ? standard("FORMHEADER") : -1;
  TitleSkinIndex = titleSkin_.empty() ? standard("FORMTITLE") : m->GetSkinIndex(titleSkin_);
}

void TsSkinProvider::UpdateSectionIndexes() { UpdateSkinIndexes(); }

// ---------------------------------------------------------------- skin command 67

LRESULT TsSkinProvider::FrameWidthAnswer(LPARAM lParam) {
  const int32_t ppi = form_ ? GetControlPPI(form_) : 96;
  const WORD lo = LOWORD(lParam), hi = HIWORD(lParam);
  if (lo == 1) return GetSysMetricForPPI(SM_CXFRAME, ppi) + PaddedBorder();
  if (lo == 2) return GetSysMetricForPPI(SM_CXFIXEDFRAME, ppi) + PaddedBorder();
  RECT wr{}, cr{};
  GetWindowRect(FormHandle(), &wr);
  GetClientRect(FormHandle(), &cr);
  int32_t w = ((wr.right - wr.left) - (cr.right - cr.left)) / 2 - kFormBorderWidth;
  if (w == 0) w = hi == 1 ? GetSysMetricForPPI(SM_CXFRAME, ppi) : hi == 2 ? GetSysMetricForPPI(SM_CXFIXEDFRAME, ppi) : 0;
  return w + PaddedBorder();
}

HWND TsSkinProvider::FormHandle() const { return form_ && form_->HandleAllocated() ? form_->Handle() : nullptr; }

// ---------------------------------------------------------------- metrics

int32_t TsSkinProvider::GetSysCaptionHeight(int32_t ppi) {
  if (!form_) return 0;
  if (ppi == 0) ppi = GetControlPPI(form_);
  const bool iconic = IsIconic(FormHandle()) != FALSE;
  const TacCaptionMetric metric = SysCaptionMetric(StyleOf(form_->BorderStyle), Windows10OrLater(), iconic);
  sysCaptionHeight_ = GetSysMetricForPPI(metric == TacCaptionMetric::Caption ? SM_CYCAPTION : SM_CYSMCAPTION, ppi);
  return sysCaptionHeight_;
}

bool TsSkinProvider::HasBorder() {
  if (!form_) return false;
  return form_->BorderStyle != TFormBorderStyle::bsNone || (GetWindowLongW(FormHandle(), GWL_STYLE) & WS_CHILD);
}

int32_t TsSkinProvider::CaptionHeight(bool useSkin) {
  TacCaptionQuery q;
  q.HasBorder = HasBorder();
  q.HasCaption = (GetWindowLongW(FormHandle(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  q.Iconic = IsIconic(FormHandle()) != FALSE;
  q.UseSkin = useSkin;
  q.BorderFormTitleHeight = GetBorderFormTitleHeight();
  q.TallTitleMaximized = TallTitleMaximized && BorderForm;
  q.SysCaptionHeight = GetSysCaptionHeight();
  return skin::CaptionHeight(q);
}

TacBorderWidthQuery TsSkinProvider::BorderWidthQuery(bool useSkin) {
  TacBorderWidthQuery q;
  q.Style = uint32_t(GetWindowLongW(FormHandle(), GWL_STYLE));
  q.UseSkin = useSkin;
  q.HasBorderForm = BorderForm != nullptr;
  q.BorderFormManaged = skinData_ && skinData_->GetSkinManager();
  q.SkinBorderWidth = GetSkinBorderWidth();
  q.Windows8OrLater = q.HasBorderForm && Windows8OrLater();
  const int32_t kind = FrameKindOfStyle(q.Style);
  q.Answers[kind - 1] = int32_t(FrameWidthAnswer(kind));
  return q;
}

int32_t TsSkinProvider::GetBorderWidth(bool useSkin) { return BorderWidth(BorderWidthQuery(useSkin)); }
int32_t TsSkinProvider::GetOwnBorderWidth(bool useSkin) { return OwnBorderWidth(BorderWidthQuery(useSkin)); }

int32_t TsSkinProvider::GetSkinBorderWidth() {
  TacSkinData* sd = skinData_ && skinData_->GetSkinManager() ? skinData_->GetScaledSkin() : nullptr;
  return BorderForm && sd ? sd->BorderWidth : 0;
}

int32_t TsSkinProvider::GetBorderFormTitleHeight() {
  TacSkinData* sd = BorderForm && skinData_ ? skinData_->GetScaledSkin() : nullptr;
  if (!sd) return 0;
  return skin::BorderFormTitleHeight(true, IsZoomed(FormHandle()) != FALSE, sd->TitleHeight, sd->MaxTitleHeight);
}

int32_t TsSkinProvider::GetExtraTitleHeight() {
  if (!BorderForm) return 0;
  return ExtraTitleHeight(true, CaptionHeight(true), CaptionHeight(false), GetBorderWidth(false));
}

int32_t TsSkinProvider::GetExtraBorderWidth() {
  if (!BorderForm) return 0;
  return ExtraBorderWidth(true, GetBorderWidth(true), GetBorderWidth(false));
}
int32_t TsSkinProvider::FrameWidth(bool useSkin) { return GetBorderWidth(useSkin) + kFormBorderWidth; }
int32_t TsSkinProvider::FrameHeight(bool useSkin) {
  return GetOwnBorderWidth(useSkin) + kFormBorderWidth;
}

int32_t TsSkinProvider::PaddedBorder() {
  if (!form_) return 0;
  if (form_->BorderStyle != TFormBorderStyle::bsSizeable && form_->BorderStyle != TFormBorderStyle::bsSizeToolWin)
    return 0;
  return GetSysMetricForPPI(SM_CXPADDEDBORDER, GetWindowPPI(FormHandle()));
}

bool TsSkinProvider::HasSystemMenu() { return form_ && (form_->BorderIcons & gui::biSystemMenu); }

bool TsSkinProvider::OptionsLive() const {
  return form_ && !(ComponentState() & rtl::csLoading) && !(form_->ComponentState() & rtl::csLoading);
}

bool TsSkinProvider::IconVisible() {
  if (!form_ || !TitleIcon.Visible || !boolProps_[2]) return false;
  if (form_->BorderStyle != TFormBorderStyle::bsSingle && form_->BorderStyle != TFormBorderStyle::bsSizeable)
    return false;
  return FormHandle() && GetSystemMenu(FormHandle(), FALSE) != nullptr;
}

int32_t TsSkinProvider::IconWidth() {
  if (!IconVisible()) return 0;
  if (TitleIcon.Width > 0) return TitleIcon.Width;
  if (!TitleIcon.Glyph().Empty()) return TitleIcon.Glyph().Width();
  TacSkinData* sd = skinData_->GetScaledSkin();
  return IconSizeForHeight(CaptionHeight(true) - (sd ? sd->TitleBtnTop : 0));
}

int32_t TsSkinProvider::IconHeight() {
  if (!IconVisible()) return 0;
  if (TitleIcon.Height > 0) return TitleIcon.Height;
  if (!TitleIcon.Glyph().Empty()) return TitleIcon.Glyph().Height();
  TacSkinData* sd = skinData_->GetScaledSkin();
  return IconSizeForHeight(CaptionHeight(true) - (sd ? sd->TitleBtnTop : 0));
}

int32_t TsSkinProvider::TitleButtonHeight() {
  TacSkinData* sd = skinData_->GetScaledSkin();
  const TsMaskData* e = sd ? Element(sd, sd->TitleBtnImages[tgClose]) : nullptr;
  return e && e->FrameHeight > 0 ? e->FrameHeight : kDefaultTitleButtonSize;
}

int32_t TsSkinProvider::TitleButtonWidth(int32_t glyphIndex) {
  TacSkinData* sd = skinData_->GetScaledSkin();
  const TsMaskData* e =
      sd && glyphIndex >= 0 && glyphIndex < kTitleButtonImages ? Element(sd, sd->TitleBtnImages[size_t(glyphIndex)]) : nullptr;
  return e && e->FrameWidth > 0 ? e->FrameWidth : kDefaultTitleButtonSize;
}

namespace {
TacSysButtons SysButtonsOf(gui::TCustomForm* form, HWND wnd) {
  TacSysButtons b;
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  b.HasSystemMenu = form && (form->BorderIcons & gui::biSystemMenu);
  b.Help = form && (form->BorderIcons & gui::biHelp);
  b.MinVisible = (style & WS_MINIMIZEBOX) != 0;
  b.MaxVisible = (style & WS_MAXIMIZEBOX) != 0;
  return b;
}
}  // namespace

int32_t TsSkinProvider::SysButtonCount() { return skin::SysButtonCount(SysButtonsOf(form_, FormHandle())); }

bool TsSkinProvider::RightToLeft() {
  return FormHandle() && (GetWindowLongW(FormHandle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
}

bool TsSkinProvider::RTLSysButtons() {
  TsSkinManager* m = skinData_ ? skinData_->GetSkinManager() : nullptr;
  return RightToLeft() && m && m->ButtonsOptions.AllowRTLSysButtons;
}

bool TsSkinProvider::DrawNonClient() {
  TsSkinManager* m = skinData_ ? skinData_->GetSkinManager() : nullptr;
  return boolProps_[1] && m && m->Options.GetOption(6);
}

bool TsSkinProvider::GripVisible() {
  return GripMode == TsGripMode::gmRightBottom && !IsZoomed(FormHandle()) &&
         (GetWindowLongW(FormHandle(), GWL_STYLE) & WS_THICKFRAME);
}

bool TsSkinProvider::IconicNotMain() {
  return IsIconic(FormHandle()) && !(gui::Application && gui::Application->MainForm() == form_);
}

int32_t TsSkinProvider::SkinTitleHeight(bool maximized) {
  TacSkinData* sd = skinData_->GetScaledSkin();
  if (!sd) return 0;
  return maximized || IsZoomed(FormHandle()) ? sd->MaxTitleHeight : sd->TitleHeight;
}

int32_t TsSkinProvider::ExtraMaxTitleHeight(bool maximized) {
  return std::max(0, SkinTitleHeight(maximized) - (GetSysCaptionHeight() + 4));
}

void TsSkinProvider::UpdateSysMetrics(int32_t ppi) {
  sysCaptionHeight_ = -1;
  GetSysCaptionHeight(ppi);
  SysFrameWidth = GetSysMetricForPPI(SM_CXFRAME, ppi);
  SysFixedFrameWidth = GetSysMetricForPPI(SM_CXFIXEDFRAME, ppi);
  SysPaddedBorder = GetSysMetricForPPI(SM_CXPADDEDBORDER, ppi);
}

int32_t TsSkinProvider::UpdateFrameWidth() {
  SysFrameWidth = GetSysMetricForPPI(SM_CXFRAME, form_ ? GetControlPPI(form_) : 96);
  return SysFrameWidth;
}

int32_t TsSkinProvider::UpdateFixedFrameWidth() {
  SysFixedFrameWidth = GetSysMetricForPPI(SM_CXFIXEDFRAME, form_ ? GetControlPPI(form_) : 96);
  return SysFixedFrameWidth;
}

int32_t TsSkinProvider::SmallGlyphWidth() {
  TacSkinData* sd = skinData_->GetScaledSkin();
  const TsMaskData* e = sd ? Element(sd, sd->TitleBtnImages[tgSmallClose]) : nullptr;
  return e && e->FrameWidth > 0 ? e->FrameWidth : 16;
}

int32_t TsSkinProvider::SmallGlyphHeight() {
  TacSkinData* sd = skinData_->GetScaledSkin();
  const TsMaskData* e = sd ? Element(sd, sd->TitleBtnImages[tgSmallClose]) : nullptr;
  return e && e->FrameHeight > 0 ? e->FrameHeight : 16;
}

gui::TPoint TsSkinProvider::FormScreenOrigin() {
  HWND wnd = FormHandle();
  if (form_ && form_->FormStyle == gui::TFormStyle::fsMDIChild) {
    POINT p{0, 0};
    ClientToScreen(wnd, &p);
    const int32_t top = GetOwnBorderWidth(true) + (IsIconic(wnd) ? 0 : CaptionHeight(true));
    return {p.x - GetBorderWidth(true), p.y - top};
  }
  RECT r{};
  GetWindowRect(wnd, &r);
  return {r.left, r.top};
}

gui::TPoint TsSkinProvider::ScreenToForm(int32_t x, int32_t y) {
  const gui::TPoint o = FormScreenOrigin();
  return {x - o.X, y - o.Y};
}

int32_t TsSkinProvider::TitleOffsetY() {
  TacSkinData* sd = skinData_->GetScaledSkin();
  return TitleOffsetYFor(BorderForm != nullptr, IsZoomed(FormHandle()) != FALSE, GetShadowSize(),
                         sd ? sd->TitleBtnTop : 0);
}

TacRect TsSkinProvider::GetShadowSize() const {
  TacSkinData* sd = BorderForm && skinData_ ? skinData_->GetScaledSkin() : nullptr;
  if (!sd) return {};
  // In UWP mode the form is framed by the skin's window shadow, whatever extended border
  // the skin has.
  return GetBoolProp(4) ? UWPShadowMargins(sd->WndShadowSize, sd->WndShadowOffset) : sd->FormShadowMargins;
}

int32_t TsSkinProvider::CacheWidth() {
  RECT wr{};
  GetWindowRect(FormHandle(), &wr);
  return CacheWidthFor(wr.right - wr.left, IconicNotMain(), BorderForm != nullptr, GetExtraBorderWidth(), GetShadowSize());
}

int32_t TsSkinProvider::CacheHeight() {
  RECT wr{};
  GetWindowRect(FormHandle(), &wr);
  const int32_t h = IconicNotMain() ? GetOwnBorderWidth(true) + CaptionHeight(true) + 2 : wr.bottom - wr.top;
  if (!BorderForm) return h;
  const TacRect s = GetShadowSize();
  return h + GetExtraTitleHeight() + GetExtraBorderWidth() + s.Top + s.Bottom;
}

TacClientQuery TsSkinProvider::ClientQuery() {
  TacClientQuery q;
  RECT wr{}, cr{};
  GetWindowRect(FormHandle(), &wr);
  GetClientRect(FormHandle(), &cr);
  const LONG style = GetWindowLongW(FormHandle(), GWL_STYLE);
  q.WindowWidth = wr.right - wr.left;
  q.WindowHeight = wr.bottom - wr.top;
  q.ClientWidth = cr.right - cr.left;
  q.ClientHeight = cr.bottom - cr.top;
  q.StyleBorder = (style & WS_BORDER) != 0;
  q.StyleCaption = (style & WS_CAPTION) == WS_CAPTION;
  q.Iconic = IsIconic(FormHandle()) != FALSE;
  q.Style = StyleOf(form_->BorderStyle);
  q.FrameWidthSkin = FrameWidth(true);
  q.FrameHeightSkin = FrameHeight(true);
  q.OwnBorderWidth = GetOwnBorderWidth(true);
  q.CaptionHeight = CaptionHeight(true);
  q.FormBorderWidth = kFormBorderWidth;
  q.Shadow = GetShadowSize();
  // With a border window the image is the border window's: the client lies below the skin's
  // title and the menu lines, right of the skin's frame.
  q.HasBorderForm = BorderForm != nullptr;
  if (q.HasBorderForm && HasMenuLine()) {
    q.MenuLines = GetMenuLineCount();
    q.MenuLineHeight = MenuLineHeight();
  }
  return q;
}

int32_t TsSkinProvider::ClientOffsetX() { return skin::ClientOffsetX(ClientQuery()); }
int32_t TsSkinProvider::ClientOffsetY() { return skin::ClientOffsetY(ClientQuery()); }
gui::TRect TsSkinProvider::ClientAreaRect() { return ToGui(skin::ClientAreaRect(ClientQuery())); }
int32_t TsSkinProvider::CaptionBandHeight() { return skin::CaptionBandHeight(ClientQuery()); }

// ---------------------------------------------------------------- title layout

TacTitleInput TsSkinProvider::TitleInput() {
  TacTitleInput in;
  TacSkinData* sd = skinData_->GetScaledSkin();
  TsSkinManager* m = skinData_->GetSkinManager();
  if (sd) {
    in.BILeft = sd->TitleBtnLeft, in.BIRight = sd->TitleBtnRight, in.BITop = sd->TitleBtnTop;
    in.BISpace = sd->TitleBtnSpace, in.Spacing = sd->ScaleInt(4);
    in.CenterOffset = sd->CenterOffset, in.TitleHeight = sd->TitleHeight, in.MaxTitleHeight = sd->MaxTitleHeight;
    for (int i = 0; i <= tgSmallHelp; ++i)
      if (const TsMaskData* e = Element(sd, sd->TitleBtnImages[size_t(i)])) in.GlyphWidths[i] = e->FrameWidth;
    if (const TsMaskData* e = Element(sd, sd->TitleBtnImages[tgUserSkinned])) in.TitleButtonMaskWidth = e->FrameWidth;
  }
  if (m) in.BIVAlign = m->CommonInfo().TitleIconAlign;
  in.TitleButtonHeight = TitleButtonHeight();
  in.NormalTitle = IsNormalTitle(StyleOf(form_->BorderStyle));
  in.Zoomed = IsZoomed(FormHandle()) != FALSE;
  in.MinimizedNotMain = IconicNotMain();
  in.RTLSysButtons = RTLSysButtons();
  in.Buttons = SysButtonsOf(form_, FormHandle());
  in.CacheWidth = CacheWidth();
  in.CaptionHeight = CaptionHeight(true);
  in.BorderWidthSkin = GetBorderWidth(true);
  in.OwnBorderWidthSkin = GetOwnBorderWidth(true);
  in.FrameWidthZoomed = GetSysMetricForPPI(SM_CXFRAME, GetControlPPI(form_));
  in.Shadow = GetShadowSize();
  in.HasBorderForm = BorderForm != nullptr;
  in.IconVisible = IconVisible();
  in.IconWidth = IconWidth();
  in.IconHeight = IconHeight();
  AddUserButtons(in);
  return in;
}

int32_t TsSkinProvider::TitleButtonsWidth() { return skin::TitleButtonsWidth(TitleInput()); }

bool TsSkinProvider::HasVisibleMainMenu() {
  if (!form_ || !form_->Menu() || form_->Menu()->Items()->Count() == 0) return false;
  return form_->FormStyle != gui::TFormStyle::fsMDIChild && form_->BorderStyle != TFormBorderStyle::bsDialog;
}

bool TsSkinProvider::HasMenuLine() {
  if (!form_ || form_->BorderStyle == TFormBorderStyle::bsDialog || form_->FormStyle == gui::TFormStyle::fsMDIChild ||
      !form_->Menu())
    return false;
  gui::TMenuItem* items = form_->Menu()->Items();
  for (int i = 0; i < items->Count(); ++i)
    if (items->Items(i)->Visible()) return true;
  return false;
}

int32_t TsSkinProvider::MenuLineHeight() {
  if (!HasVisibleMainMenu()) return 0;
  return GetSysMetricForPPI(SM_CYMENU, GetWindowPPI(FormHandle())) - 1;
}

int32_t TsSkinProvider::GetMenuLineCount() {
  if (MenuLineCount != -1) return MenuLineCount;
  HWND wnd = FormHandle();
  RECT item{};
  if (!form_ || !form_->Menu() || IsIconic(wnd) || !GetMenu(wnd) || !GetMenuItemRect(wnd, GetMenu(wnd), 0, &item)) {
    MenuLineCount = 0;
    return 0;
  }
  RECT wr{}, cr{};
  GetWindowRect(wnd, &wr);
  GetClientRect(wnd, &cr);
  const int32_t clientTop = wr.bottom - cr.bottom - FrameHeight(false) - 2 * kFormBorderWidth;
  MenuLineCount = MenuLineCountFor(item.bottom, clientTop, GetSysMetricForPPI(SM_CYMENU, GetWindowPPI(wnd)));
  return MenuLineCount;
}

void TsSkinProvider::InitTitleButtons() {
  if (!form_) return;
  NormalTitle = IsNormalTitle(StyleOf(form_->BorderStyle));
  MinBtn.HitCode = kHitMin, MaxBtn.HitCode = kHitMax, CloseBtn.HitCode = kHitClose, HelpBtn.HitCode = kHitHelp;
  const TacSysButtons b = SysButtonsOf(form_, FormHandle());
  const TacGlyphIndexes g = TitleGlyphIndexes(NormalTitle, b.MinVisible || b.MaxVisible, IsZoomed(FormHandle()) != FALSE,
                                              IconicNotMain());
  CloseBtn.GlyphIndex = uint8_t(g.Close), MaxBtn.GlyphIndex = uint8_t(g.Max);
  MinBtn.GlyphIndex = uint8_t(g.Min), HelpBtn.GlyphIndex = uint8_t(g.Help);
  for (TacTitleButtonData* t : {&MinBtn, &MaxBtn, &HelpBtn, &CloseBtn}) t->NormalTitle = NormalTitle;
}

void TsSkinProvider::UpdateTitleLayout() {
  if (!form_) return;
  const TacTitleLayout t = LayoutTitle(TitleInput());
  TitleVCenter = t.TitleVCenter;
  TitleBottom = t.TitleBottom;
  IconRect = ToGui(t.IconRect);
  auto take = [](TacTitleButtonData& d, const TacTitleButtonPlace& p) {
    d.Rect = ToGui(p.Rect);
    d.GlyphIndex = uint8_t(p.GlyphIndex);
    d.HitCode = p.HitCode;
    d.NormalTitle = p.NormalTitle;
  };
  take(CloseBtn, t.Close);
  take(MaxBtn, t.Max);
  take(MinBtn, t.Min);
  take(HelpBtn, t.Help);
  TakeTitleExtras(t);
}

// ---------------------------------------------------------------- the cached image

bool TsSkinProvider::PrepareCache() {
  if (!form_ || !hooked_ || !skinData_) return true;
  if (form_->ControlState & gui::csCreating) return true;
  if ((formState_ & (psBlendMoving | psAnimating)) && !(formState_ & psScaling)) return true;
  if (skinData_->FSkinIndex < 0) return true;
  TacSkinData* sd = skinData_->GetScaledSkin();
  TsSkinManager* m = skinData_->GetSkinManager();
  if (!sd || !m || size_t(skinData_->FSkinIndex) >= sd->Sections.size()) return true;
  if (FontChanged) {
    FontChanged = false;
    MenuChanged = true;
    skinData_->FCacheInvalid = true;
    SetWindowPos(FormHandle(), nullptr, 0, 0, 0, 0, 0x737);
  }
  const int32_t captionH = CaptionHeight(true);
  const TacRect shadow = GetShadowSize();
  const int32_t imageH = CacheHeight();
  const int32_t imageW = CacheWidth();
  const TsGeneralData& sec = sd->Sections[size_t(skinData_->FSkinIndex)];
  const int state = LimitState(FormActive, sec.States);

  if (!skinData_->FCache) skinData_->FCache = CreateBitmap32(imageW, imageH);
  gui::TBitmap& cache = *skinData_->FCache;
  if (cache.PixelFormat() != gui::pf32bit) SetPixelFormat32(cache);
  if (cache.Width() != imageW || cache.Height() != imageH) {
    cache.SetSize(imageW, imageH);
    skinData_->FCacheInvalid = true;
  }
  const int32_t frameW = GetBorderWidth(true);
  const gui::TRect frameRect{shadow.Left, shadow.Top, imageW - shadow.Right, imageH - shadow.Bottom};

  if (skinData_->FCacheInvalid) {
    UpdateTitleLayout();
    TSkinOnBitmap skin(m, sd, cache);
    TBitmap32 px = Pixels32(cache);
    GdiFlush();
    // A form without a parent stands on nothing: its transparent parts stay fuchsia.
    FillBitmapRect(px, px.Bounds(), clFuchsia, 0);
    const TacBackgroundCache none;
    const bool uwp = boolProps_[4];
    if (HasBorder() && skin.Source.ValidElement(sec.BorderIndex) && !uwp) {
      PaintSkinSection(skin.Source, skinData_->FSkinIndex, none, state, frameRect, {frameRect.Left, frameRect.Top}, px);
    } else {
      PaintSkinSectionBackground(skin.Source, skinData_->FSkinIndex, none, state, frameRect,
                                 {frameRect.Left, frameRect.Top}, px);
      PaintSectionCorners(skin.Source, skinData_->FSkinIndex, state, frameRect, px);
    }
    PaintTitle(cache, imageW, state);
    PaintMenuLine(cache, imageW, state);
    PaintCaptionText(cache, frameW);
    PaintTitleBarItems(cache);
    if (BorderForm) PaintShadow(cache, frameRect);
    if (GripVisible()) PaintGrip(cache);
    if (captionH != 0 && DrawNonClient() && !uwp) {
      SaveTitleRightPart(imageW, true);
      PaintTitleButtons(cache, imageW);
    }
    MenuChanged = false;
    skinData_->FCacheInvalid = false;
    skinData_->PaintChildrenOuterEffects(form_, {ClientOffsetX(), ClientOffsetY()});
    CacheReady = true;
  }
  skinData_->FUpdating = false;
  return true;
}

void TsSkinProvider::PaintShadow(gui::TBitmap& cache, const gui::TRect& frameRect) {
  TacSkinData* sd = skinData_->GetScaledSkin();
  TRect widths;
  const TBitmap32* shadow = sd ? FormShadowTemplate(*sd, FormActive != 0, widths, GetBoolProp(4)) : nullptr;
  if (!shadow) return;
  TBitmap32 px = Pixels32(cache);
  GdiFlush();
  TBitmap32 around(px.Width(), px.Height());
  DrawFormShadow(around, shadow, widths);
  for (int32_t y = 0; y < px.Height(); ++y)
    for (int32_t x = 0; x < px.Width(); ++x)
      if (x < frameRect.Left || y < frameRect.Top || x >= frameRect.Right || y >= frameRect.Bottom)
        px.At(x, y) = around.At(x, y);
  // The frame's transparent corners show the shadow: the title's border picture (else the
  // form's) says how large the top corners are, the form's the bottom ones.
  auto border = [&](int32_t section) -> const TsMaskData* {
    return section >= 0 && size_t(section) < sd->Sections.size() ? Element(sd, sd->Sections[size_t(section)].BorderIndex)
                                                                  : nullptr;
  };
  const TsMaskData* bottom = border(skinData_->FSkinIndex);
  const TsMaskData* top = border(TitleSkinIndex);
  if (!top) top = bottom;
  const gui::TRect& f = frameRect;
  std::vector<gui::TRect> corners;
  if (top) {
    corners.push_back({f.Left, f.Top, f.Left + top->BorderLeft, f.Top + top->BorderTop});
    corners.push_back({f.Right - top->BorderRight, f.Top, f.Right, f.Top + top->BorderTop});
  }
  if (bottom) {
    corners.push_back({f.Left, f.Bottom - bottom->BorderBottom, f.Left + bottom->BorderLeft, f.Bottom});
    corners.push_back({f.Right - bottom->BorderRight, f.Bottom - bottom->BorderBottom, f.Right, f.Bottom});
  }
  for (const gui::TRect& r : corners)
    if (r.Right > r.Left && r.Bottom > r.Top)
      FillTransparentFromBitmap(px, around, TRect{r.Left, r.Top, r.Right, r.Bottom}, TPoint{r.Left, r.Top});
}

void TsSkinProvider::PaintTitle(gui::TBitmap& cache, int32_t width, int32_t state) {
  const int32_t captionH = CaptionHeight(true);
  if (captionH == 0 || !DrawNonClient() || boolProps_[4]) return;
  TacSkinData* sd = skinData_->GetScaledSkin();
  TSkinOnBitmap skin(skinData_->GetSkinManager(), sd, cache);
  TBitmap32 px = Pixels32(cache);
  const int32_t topFrame = GetOwnBorderWidth(true);
  const TacRect shadow = GetShadowSize();
  const int32_t titleBottom = topFrame + captionH + shadow.Top;
  const gui::TRect frameRect{shadow.Left, shadow.Top, cache.Width() - shadow.Right, cache.Height() - shadow.Bottom};
  const TacBackgroundCache self = MakeBackgroundCache(&px, 0, 0);
  if (skin.Source.ValidSection(TitleSkinIndex)) {
    const TsGeneralData& title = sd->Sections[size_t(TitleSkinIndex)];
    const gui::TRect r{frameRect.Left, frameRect.Top, frameRect.Right, IconicNotMain() ? frameRect.Bottom : titleBottom};
    PaintSkinSection(skin.Source, TitleSkinIndex, self, LimitState(FormActive, title.States), r, {r.Left, r.Top}, px);
  }
  if (FormHeader.AdditionalHeight > 0 && skin.Source.ValidSection(HeaderSkinIndex)) {
    const gui::TRect r{frameRect.Left, frameRect.Top, frameRect.Right,
                       titleBottom + sd->ScaleInt(FormHeader.AdditionalHeight)};
    PaintSkinSection(skin.Source, HeaderSkinIndex, self, LimitState(FormActive, sd->Sections[size_t(HeaderSkinIndex)].States),
                     r, {r.Left, r.Top}, px);
  }
  PaintIcon(cache);
  const int32_t band = GetMaskIndex(*sd, skinData_->FSkinIndex, "TITLEBAR");
  if (SysButtonCount() > 0 && skin.Source.ValidElement(band)) {
    const TsMaskData& e = sd->Masks[size_t(band)];
    const gui::TRect r{width - skin::TitleBandWidth(TitleInput(), e.FrameWidth), 0, cache.Width(), topFrame + captionH};
    DrawSkinMask(px, r, self, e, skin.Source.Master, state, true);
  }
}

void TsSkinProvider::PaintIcon(gui::TBitmap& cache) {
  if (!IconVisible() || IconRect.IsEmpty()) return;
  TBitmap32 px = Pixels32(cache);
  GdiFlush();
  const gui::TRect r = IconRect;
  if (!TitleIcon.Glyph().Empty()) {
    // The title's own picture, with its alpha, scaled when its place has another size.
    TBitmap32 g = Pixels32(*TitleIcon.glyph_);
    if (g.Width() == r.Width() && g.Height() == r.Height())
      AlphaBlendRect(px, g, g.Bounds(), {r.Left, r.Top}, 255);
    else
      StretchAlphaBlend(px, r.Left, r.Top, r.Width(), r.Height(), g, 0, 0, g.Width(), g.Height(), 255);
    return;
  }
  std::vector<TPixel> before;
  for (int y = std::max(0, r.Top); y < std::min(r.Bottom, px.Height()); ++y)
    for (int x = std::max(0, r.Left); x < std::min(r.Right, px.Width()); ++x) before.push_back(px.At(x, y));
  const UINT kind = r.Height() > 16 ? ICON_BIG : ICON_SMALL2;
  HICON icon = gui::Application ? HICON(SendMessageW(gui::Application->Handle(), WM_GETICON, kind, 0)) : nullptr;
  if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
  DrawIconEx(cache.Canvas().Handle(), r.Left, r.Top, icon, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
  GdiFlush();
  // What the icon drew is opaque; the rest keeps the title's own alpha.
  size_t i = 0;
  for (int y = std::max(0, r.Top); y < std::min(r.Bottom, px.Height()); ++y)
    for (int x = std::max(0, r.Left); x < std::min(r.Right, px.Width()); ++x, ++i)
      if (px.At(x, y) != before[i]) px.At(x, y) |= 0xFF000000u;
}

void TsSkinProvider::PaintCaptionText(gui::TBitmap& cache, int32_t frameW) {
  CaptionRect = {};
  const int32_t captionH = CaptionHeight(true);
  if (captionH == 0 || !DrawNonClient() || boolProps_[4]) return;
  TacSkinData* sd = skinData_->GetScaledSkin();
  if (!sd) return;
  const TacRect shadow = GetShadowSize();
  TacCaptionTextQuery q;
  q.ImageWidth = cache.Width();
  q.FrameWidth = frameW;
  q.Shadow = shadow;
  q.TitleBottom = GetOwnBorderWidth(true) + captionH + shadow.Top;
  q.Centered = CaptionAlignment == TacAlignment::taCenter;
  q.RTLSysButtons = RTLSysButtons();
  q.IconVisible = IconVisible();
  q.IconWidth = IconRect.Width();
  q.Spacing = sd->ScaleInt(4);
  q.BILeft = sd->TitleBtnLeft, q.BIRight = sd->TitleBtnRight;
  q.TitleButtonsWidth = TitleButtonsWidth();
  q.CaptionSection = CaptionSkinIndex >= 0;
  q.Maximized = IsZoomed(FormHandle()) != FALSE;
  q.CenterOffset = sd->CenterOffset, q.TitleHeight = sd->TitleHeight, q.MaxTitleHeight = sd->MaxTitleHeight;
  TacRect r = CaptionTextRect(q);
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  const bool showCaption = AddedTitle.ShowMainCaption && (!TitleBar || TitleBar->ShowCaption);

  gui::TCanvas& canvas = cache.Canvas();
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  std::string fontName = rtl::U8(ncm.lfCaptionFont.lfFaceName);
  TsSkinManager* m = skinData_->GetSkinManager();
  if (m && !m->CommonInfo().MainFont.empty()) fontName = m->CommonInfo().MainFont;
  const std::string caption = form_->Caption();
  int32_t addedW = 0, addedH = 0, captionW = 0, captionH2 = 0;
  if (!AddedTitle.Text.empty()) {
    UseAddedTitleFont(canvas, *sd);
    const SIZE s = GetTextSize(canvas, AddedTitle.Text);
    addedW = s.cx, addedH = s.cy;
  }
  canvas.Font().SetName(fontName);
  canvas.Font().SetStyle(0);
  canvas.Font().SetHeight(sd->ScaleInt(-13));
  if (showCaption) {
    const SIZE s = GetTextSize(canvas, caption);
    captionW = s.cx, captionH2 = s.cy;
  }
  const int32_t textH = std::max(addedH, captionH2);
  r.Top = TitleVCenter - textH / 2;
  r.Bottom = r.Top + textH;
  AlignCaption(CaptionAlignment, RightToLeft(), q.Spacing, captionW, addedW, r.Left, r.Right);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (RightToLeft()) flags |= DT_RTLREADING;
  const int titleState = TitleSkinIndex >= 0 ? LimitState(FormActive, sd->Sections[size_t(TitleSkinIndex)].States) : 0;
  gui::TRect text = ToGui(r);
  if (showCaption && !caption.empty()) {
    int section = TitleSkinIndex;
    int textState = titleState;
    if (CaptionSkinIndex >= 0 && size_t(CaptionSkinIndex) < sd->Sections.size()) {
      gui::TRect calc = text;
      DrawTextOnCanvas(canvas, caption, calc, flags | DT_CALCRECT);
      const gui::TRect back{calc.Left - 4, calc.Top - 2, calc.Right + 4, calc.Bottom + 2};
      TSkinOnBitmap skin(m, sd, cache);
      TBitmap32 px = Pixels32(cache);
      textState = LimitState(FormActive, sd->Sections[size_t(CaptionSkinIndex)].States);
      PaintSkinSection(skin.Source, CaptionSkinIndex, MakeBackgroundCache(&px, 0, 0), textState, back,
                       {back.Left, back.Top}, px);
      section = CaptionSkinIndex;
    }
    if (section >= 0) {
      const TsGenState& st = sd->Sections[size_t(section)].StateParams[size_t(textState)];
      if (st.GlowSize != 0) {
        TacGlowMask mask;
        DrawTextGlow(cache, caption, text, flags, 15, st.GlowSize, gui::TColor(st.GlowColor), mask);
      }
    }
    canvas.Brush().SetStyle(gui::bsClear);
    WriteSkinText(canvas, caption, form_->Enabled(), text, flags, sd, section, textState);
    CaptionRect = {text.Left, text.Top, std::min(text.Right, text.Left + captionW), text.Bottom};
  }
  if (!AddedTitle.Text.empty()) {
    int32_t left = text.Left + (showCaption ? captionW : 0) + q.Spacing;
    const gui::TRect added{left, text.Top, left + addedW + 4, text.Bottom};
    if (added.Right - added.Left > 8 && TitleSkinIndex >= 0) {
      const TsGeneralData& title = sd->Sections[size_t(TitleSkinIndex)];
      uint32_t color = uint32_t(AddedTitle.Font.Color());
      if (color == kClWindowText || color == kClNone) color = title.StateParams[size_t(titleState)].FontColor;
      if (FormActive == 0) color = MixColors(color, title.StateParams[0].FontColor, 127);
      UseAddedTitleFont(canvas, *sd);
      canvas.Font().SetColor(gui::TColor(color));
      canvas.Brush().SetStyle(gui::bsClear);
      gui::TRect at = added;
      DrawTextOnCanvas(canvas, AddedTitle.Text, at, flags);
    }
  }
}

void TsSkinProvider::UseAddedTitleFont(gui::TCanvas& canvas, const TacSkinData& sd) {
  canvas.Font().SetName(AddedTitle.Font.Name());
  canvas.Font().SetStyle(AddedTitle.Font.Style());
  canvas.Font().SetCharset(AddedTitle.Font.Charset());
  canvas.Font().SetHeight(sd.ScaleInt(AddedTitle.Font.Height()));
}

void TsSkinProvider::PaintTitleButtons(gui::TBitmap& cache, int32_t width) {
  if (!HasBorder()) return;
  RestoreTitleRightPart(width);
  if (!HasSystemMenu()) return;
  TacSkinData* sd = skinData_->GetScaledSkin();
  TSkinOnBitmap skin(skinData_->GetSkinManager(), sd, cache);
  TBitmap32 px = Pixels32(cache);
  GdiFlush();
  const TacBackgroundCache self = MakeBackgroundCache(&px, 0, 0);
  HMENU sys = GetSystemMenu(FormHandle(), FALSE);
  auto enabled = [&](UINT command) {
    if (!sys) return true;
    const UINT s = GetMenuState(sys, command, MF_BYCOMMAND);
    return s == UINT(-1) || !(s & (MF_GRAYED | MF_DISABLED));
  };
  const bool formEnabled = form_->Enabled();
  auto draw = [&](TacTitleButtonData& b, bool on) {
    const TsMaskData* e = Element(sd, b.GlyphIndex < kTitleButtonImages ? sd->TitleBtnImages[b.GlyphIndex] : -1);
    if (!e || b.Rect.IsEmpty()) return;
    const bool faded = (b.State == 0 && FormActive == 0) || !on || !formEnabled;
    DrawMaskGlyph(px, {b.Rect.Left, b.Rect.Top}, b.State, faded ? 2 : 1, *e, skin.Source.Master, self);
  };
  const TacSysButtons buttons = SysButtonsOf(form_, FormHandle());
  draw(CloseBtn, enabled(SC_CLOSE));
  if (buttons.MaxVisible) draw(MaxBtn, enabled(IsZoomed(FormHandle()) ? SC_RESTORE : SC_MAXIMIZE));
  if (buttons.MinVisible) draw(MinBtn, enabled(SC_MINIMIZE));
  if (buttons.Help) draw(HelpBtn, true);
  PaintUserButtons(cache);
}

void TsSkinProvider::SaveTitleRightPart(int32_t x, bool fullHeight) {
  gui::TBitmap* cache = skinData_ ? skinData_->FCache.get() : nullptr;
  if (!cache || cache->Empty()) return;
  const TacRect shadow = GetShadowSize();
  const int32_t w = GetBorderWidth(true) + TitleButtonsWidth() + shadow.Right + 10;
  const int32_t h = GetOwnBorderWidth(true) + GetBorderWidth(false) + CaptionHeight(true) + MenuLineHeight() + shadow.Top;
  if (!titleRightPart_) titleRightPart_ = CreateBitmap32(w, h);
  if (titleRightPart_->Width() != w || titleRightPart_->Height() != h) titleRightPart_->SetSize(w, h);
  titleRightRows_ = fullHeight ? h : GetOwnBorderWidth(true) + CaptionHeight(true);
  BitBlt(titleRightPart_->Canvas().Handle(), 0, 0, w, titleRightRows_, cache->Canvas().Handle(), x - w, 0, SRCCOPY);
}

void TsSkinProvider::RestoreTitleRightPart(int32_t x) {
  gui::TBitmap* cache = skinData_ ? skinData_->FCache.get() : nullptr;
  if (!cache || !titleRightPart_ || titleRightRows_ == 0) return;
  const int32_t w = titleRightPart_->Width();
  BitBlt(cache->Canvas().Handle(), x - w, 0, w, titleRightRows_, titleRightPart_->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TsSkinProvider::PaintNonClient(HDC dc) {
  if (!form_ || !hooked_ || !skinData_) return;
  if (skinData_->FCacheInvalid) {
    RECT wr{};
    GetWindowRect(FormHandle(), &wr);
    TacSkinData* sd = skinData_->GetScaledSkin();
    const TsGeneralData* sec = skinData_->Section();
    gui::TBitmap* c = skinData_->FCache.get();
    const bool complete = MenuChanged || !c || !sec || NoBorderImage(sec->BorderIndex, sd) || CacheWidth() != c->Width() ||
                          c->Height() != CacheHeight() || !HasBorder();
    if (complete) RepaintClient = !CacheReady;
    PrepareCache();
    skinData_->FCacheInvalid = false;
    skinData_->FUpdating = false;
  }
  gui::TBitmap* cache = skinData_->FCache.get();
  if (!cache || cache->Empty()) return;
  HDC src = cache->Canvas().Handle();
  if (BorderForm) {
    // The border window lies over the frame and shows the image: the window shows what the
    // image has under it, its client area left alone.
    RECT wr{}, cr{};
    GetWindowRect(FormHandle(), &wr);
    GetClientRect(FormHandle(), &cr);
    const POINT at = BorderOffset();
    const int32_t cx = ClientOffsetX() - at.x, cy = ClientOffsetY() - at.y;
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, cx, cy, cx + cr.right, cy + cr.bottom);
    BitBlt(dc, 0, 0, wr.right - wr.left, wr.bottom - wr.top, src, at.x, at.y, SRCCOPY);
    RestoreDC(dc, saved);
    return;
  }
  const int32_t w = cache->Width(), h = cache->Height();
  int32_t band = FrameHeight(true);
  if ((GetWindowLongW(FormHandle(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION) band = CaptionBandHeight();
  if (band != 0)
    BitBlt(dc, 0, 0, w, band, src, 0, 0, SRCCOPY);
  else if (HasMenuLine())
    BitBlt(dc, 0, 0, w, GetMenuLineCount() * MenuLineHeight() + 1, src, 0, 0, SRCCOPY);
  const int32_t fw = FrameWidth(true);
  // Left, right and bottom strips below the band.
  CopyBorderFromDC(dc, 0, band, w, h - band, src, 0, band, fw, 0, fw, fw);
}

void TsSkinProvider::PaintClientBackground(HDC dc, const gui::TRect& r, bool flag) {
  if (!form_ || !hooked_ || !skinData_) return;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  if (skinData_->FCacheInvalid) PrepareCache();
  if (form_->FormStyle != gui::TFormStyle::fsMDIForm && skinData_->FCache) {
    const gui::TPoint origin{ClientOffsetX(), ClientOffsetY()};
    PaintCacheExceptChildren(form_, skinData_.get(), {origin.X + r.Left, origin.Y + r.Top}, 0, 0, false, dc, r);
    PaintGraphicControls(dc, form_, true, {0, 0}, true);
  }
  RestoreDC(dc, saved);
  if (flag) EndUpdateChildControls(form_);
  RepaintClient = false;
}

void TsSkinProvider::PaintGrip(gui::TBitmap& cache) {
  TacSkinData* sd = skinData_->GetScaledSkin();
  const TsMaskData* e = Element(sd, sd ? sd->GripImage : -1);
  if (!e) return;
  TSkinOnBitmap skin(skinData_->GetSkinManager(), sd, cache);
  TBitmap32 px = Pixels32(cache);
  const TacPoint p = GripPositionFor(cache.Width(), cache.Height(), e->FrameWidth, e->FrameHeight, GetBorderWidth(true),
                                     GetShadowSize());
  DrawMaskGlyph(px, {p.X, p.Y}, 0, 1, *e, skin.Source.Master, MakeBackgroundCache(&px, 0, 0));
}

}  // namespace skin

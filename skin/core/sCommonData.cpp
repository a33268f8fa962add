#include "skin/core/sCommonData.h"

#include <algorithm>

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "rtl/SysUtils.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/core/acThdTimer.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerUnit.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acNineParts.h"
#include "skin/graphics/acSkinMask.h"

namespace skin {

namespace {

constexpr const wchar_t* kSkinDataProp = L"ACSDATA";

TacGlowEffects* glowEffects = nullptr;

bool Dying(const rtl::TComponent* c) { return c && (c->ComponentState() & rtl::csDestroying) != 0; }
bool Loading(const rtl::TComponent* c) { return c && (c->ComponentState() & rtl::csLoading) != 0; }
bool Designing(const rtl::TComponent* c) { return c && (c->ComponentState() & rtl::csDesigning) != 0; }
gui::TWinControl* Windowed(gui::TControl* c) { return dynamic_cast<gui::TWinControl*>(c); }
HWND HandleOf(gui::TControl* c) {
  auto* w = Windowed(c);
  return w && w->HandleAllocated() ? w->Handle() : nullptr;
}

// The state's record, its index limited to the section's states and to 2.
const TsGenState& StateOf(const TsGeneralData& s, int state) {
  const int limit = std::max(0, std::min(s.States - 1, 2));
  return s.StateParams[size_t(std::clamp(state, 0, limit))];
}

// Both states fully transparent: the control never changes its colours.
bool FullyTransparent(const TsGeneralData& s) {
  return s.StateParams[0].Transparency == 100 && s.StateParams[1].Transparency == 100;
}

void SetControlColors(TsCommonData& d, const TsGenState& st, bool& changed) {
  d.FStateFlags |= sfSettingColors;
  if (!d.FCustomColor && uint32_t(d.FControl->Color()) != st.Color) {
    d.FControl->SetColor(gui::TColor(st.Color));
    changed = true;
  }
  if (!d.FCustomFont && uint32_t(d.FControl->Font().Color()) != st.FontColor) {
    d.FControl->Font().SetColor(gui::TColor(st.FontColor));
    changed = true;
  }
  d.FStateFlags &= ~sfSettingColors;
}

// The record behind a pointer-carrying command, or nullptr when its sender holds none.
template <class T>
T* CommandRecord(const gui::TMessage& m) {
  void* p = reinterpret_cast<void*>(m.LParam);
  return IsCommandRecord(p) ? static_cast<T*>(p) : nullptr;
}

}  // namespace

void SetGlowEffects(TacGlowEffects* effects) { glowEffects = effects; }
TacGlowEffects* GlowEffects() { return glowEffects; }
void HideGlowEffect(int& glowID, bool animate) {
  if (glowID < 0) return;
  if (glowEffects)
    glowEffects->HideGlowEffect(glowID, animate);
  glowID = -1;
}

TsCommonData* GetWindowSkinData(HWND wnd) {
  return wnd ? static_cast<TsCommonData*>(GetPropW(wnd, kSkinDataProp)) : nullptr;
}

// ---------------------------------------------------------------- sub-objects

void TacScrollData::SetScrollSize(int index, int32_t value) {
  int32_t& field = index == 0 ? scrollWidth_ : buttonsSize_;
  if (field == value) return;
  field = value;
  auto* win = owner_ ? Windowed(owner_->FControl) : nullptr;
  if (!win || Loading(win) || !win->HandleAllocated()) return;
  if (index == 0)
    SetWindowPos(win->Handle(), nullptr, 0, 0, 0, 0, kFrameChangedFlags);
  else
    SendMessageDirect(win->Handle(), WM_NCPAINT, 0, 0);
}

void TacOuterEffects::SetVisibility(TacOuterVisibility v) {
  if (visibility_ == v) return;
  visibility_ = v;
  if (!owner_->FControl || !Loading(owner_->FControl)) Refresh();
}

void TacOuterEffects::Refresh() {
  gui::TControl* c = owner_->FControl;
  if (!c || !c->Parent() || !c->Parent()->HandleAllocated() || Loading(c) || Dying(c)) return;
  SendSkinCommand(c->Parent()->Handle(), AC_REPAINT);
  owner_->Invalidate(false);
}

// ---------------------------------------------------------------- lifetime

TsCommonData::TsCommonData(rtl::TPersistent* owner, bool createCache) {
  FControl = dynamic_cast<gui::TControl*>(owner);
  if (auto* win = Windowed(FControl)) FWndProc = win->WindowProc;
  FHost = owner;
  outerEffects_ = std::make_unique<TacOuterEffects>(this);
  if (createCache) FCache = CreateBitmap32(0, 0);
  AttachToWindow();
}

TsCommonData::~TsCommonData() {
  DetachFromWindow();
  FSkinIndex = -1;
  skinManager_ = nullptr;
  ClearOwner();
  if (FAnimTimer && !FAnimTimer->FDestroying) {
    TacThreadedTimer* t = FAnimTimer;
    FAnimTimer = nullptr;
    t->FSkinData = nullptr;
    delete t;
  }
  FCache.reset();
  HideGlowEffect(FGlowID, false);
  FOuterCache.reset();
}

void TsCommonData::ClearOwner() {
  FControl = nullptr;
  FHost = nullptr;
  FWnd = nullptr;
}

HWND TsCommonData::GetWndHandle() const {
  if (!FControl || Dying(FControl)) return FWnd;
  return HandleOf(FControl);
}

void TsCommonData::AttachToWindow() {
  HWND wnd = GetWndHandle();
  if (!wnd) return;
  if (!FWndProc)
    if (auto* win = Windowed(FControl)) FWndProc = win->WindowProc;
  SetPropW(wnd, kSkinDataProp, this);
}

void TsCommonData::DetachFromWindow() {
  if (gui::Application && gui::Application->Terminated()) return;
  // The window of a control being destroyed is still ours to clean up: FWnd or the handle.
  HWND wnd = FWnd;
  if (!wnd) wnd = HandleOf(FControl);
  if (wnd && GetWindowSkinData(wnd) == this) RemovePropW(wnd, kSkinDataProp);
}

void TsCommonData::Loaded(bool updateColors) {
  FLoading = false;
  SetScaledSkin(nullptr);
  ResolveDefaultSection();
  if (IsSkinned(false) && FControl && FControl->Parent() && !Loading(FControl)) {
    if (Windowed(FControl)) AddControlToAdapter(FControl);
    if (updateColors) UpdateSkinColors(false);
  }
  AttachToWindow();
  if (TsSkinManager* m = GetSkinManager(); m && FControl && !Loading(FControl)) m->ApplyMainFont(FControl);
}

// ---------------------------------------------------------------- manager and section

TsSkinManager* TsCommonData::GetSkinManager() const { return skinManager_ ? skinManager_ : DefaultManager(); }

void TsCommonData::SetSkinManager(TsSkinManager* value) {
  if (value == skinManager_) return;
  FScaledSkin = nullptr;
  skinManager_ = value == DefaultManager() ? nullptr : value;
  if (FLoading || (FControl && Loading(FControl))) return;
  const bool hasSections = value && value->GetSectionCount() > 0;
  if (hasSections)
    UpdateSkinIndex(true);
  else
    FSkinIndex = -1;
  if (FControl && FControl->Parent() && !Dying(FControl)) {
    const bool valid = hasSections && FSkinIndex >= 0 && FSkinIndex < value->GetSectionCount();
    FControl->Perform(SM_ALPHACMD, MakeSkinCommand(valid ? AC_REFRESH : AC_REMOVESKIN),
                      reinterpret_cast<LPARAM>(value));
  }
}

void TsCommonData::SetSkinSection(const std::string& value) {
  if (value == skinSection_) return;
  HideGlowEffect(FGlowID, false);
  skinSection_ = rtl::UpperCase(value);
  TsSkinManager* m = GetSkinManager();
  if (m && m->GetSectionCount() > 0)
    UpdateSkinIndex(true);
  else
    FSkinIndex = -1;
  if (!FControl || !FControl->Parent() || (FControl->ComponentState() & (rtl::csLoading | rtl::csReading)) ||
      Dying(FControl))
    return;
  if (auto* win = Windowed(FControl)) {
    FCache.reset();
    gui::TMessage msg;
    msg.Msg = SM_ALPHACMD;
    msg.WParam = MakeSkinCommand(AC_INVALIDATE, 1);
    BroadcastMessage(win, msg);
  }
  if (FUpdating || FLoading) {
    if (!FLoading) ApplyStateColors(false);
  } else {
    const bool valid = m && FSkinIndex >= 0 && FSkinIndex < m->GetSectionCount();
    FControl->Perform(SM_ALPHACMD, MakeSkinCommand(valid ? AC_REFRESH : AC_REMOVESKIN, valid ? 1 : 0),
                      reinterpret_cast<LPARAM>(m));
  }
}

void TsCommonData::UpdateSkinIndex(bool lookup) {
  FCacheInvalid = true;
  if (lookup) {
    FScaledSkin = nullptr;
    int32_t index = -1;
    TsSkinManager* m = GetSkinManager();
    if (m && m->Active()) {
      if (!skinSection_.empty())
        index = m->GetSkinIndex(skinSection_);
      else if (FControl)
        index = int32_t(Windowed(FControl) ? QueryControlSkinCommand(FControl, AC_GETSKININDEX)
                                           : FControl->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETSKININDEX), 0)) -
                1;
      else if (FWnd)
        index = int32_t(SendSkinCommand(FWnd, AC_GETSKININDEX)) - 1;
    }
    FSkinIndex = index;
  }
  UpdateVaryFlags();
}

void TsCommonData::SelectFirstSection(std::initializer_list<std::string> names) {
  TsSkinManager* m = GetSkinManager();
  if (!m) {
    FSkinIndex = -1;
    return;
  }
  for (const std::string& name : names) {
    if (name.empty()) continue;
    FSkinIndex = m->GetSkinIndex(name);
    if (FSkinIndex >= 0) {
      UpdateSkinIndex(false);
      return;
    }
  }
}

void TsCommonData::ResolveDefaultSection() {
  if (!skinSection_.empty()) {
    UpdateSkinIndex(true);
    return;
  }
  static constexpr TacKindSet kOwnerReports =
      MakeKindSet({{2, 10}, {12, 14}, {32, 34}, {50, 51}, {53, 54}, {57, 59}, {74, 76}, {78, 78}, {81, 85}, {92, 94},
                   {132, 141}, {143, 143}, {151, 152}, {161, 161}, {165, 165}, {224, 224}, {226, 227}});
  if (kOwnerReports.Has(FControlKind)) {
    UpdateSkinIndex(true);
    return;
  }
  switch (FControlKind) {
    case 18: SetSkinSection("COMBOBOX"); break;
    case 19: SetSkinSection("BAR"); break;
    case 20: SetSkinSection("BARTITLE"); break;
    case 56: SetSkinSection("DRAGBAR"); break;
    case 98: SetSkinSection("TOOLBUTTON"); break;
    case 230: SetSkinSection("EDIT"); break;
    default:
      if (FHost) SetSkinSection(FHost->ClassName());
  }
}

void TsCommonData::UpdateVaryFlags() {
  FVaryFlags = 0;
  TsSkinManager* m = GetSkinManager();
  if (!m || FSkinIndex < 0) return;
  for (int step = 0; step < kScaleStepCount; ++step) {
    const TacSkinData* d = m->SkinDataOfStep(step);
    if (!d || size_t(FSkinIndex) >= d->Sections.size()) continue;
    const TsGeneralData& s = d->Sections[size_t(FSkinIndex)];
    if (s.BorderIndex >= 0 && size_t(s.BorderIndex) < d->Masks.size()) {
      const int mode = d->Masks[size_t(s.BorderIndex)].PaintFlags;
      auto in = [mode](std::initializer_list<int> l) { return std::find(l.begin(), l.end(), mode) != l.end(); };
      if (in({1, 4, 5, 8, 9, 11, 12})) FVaryFlags |= 4;
      if (in({0, 1, 3, 5, 10, 12})) FVaryFlags |= 0x10;
      if (in({0, 1, 7, 9, 10, 12})) FVaryFlags |= 0x40;
      if (in({0, 1, 2, 4, 10, 11})) FVaryFlags |= 0x20;
      if (in({0, 1, 6, 8, 10, 11})) FVaryFlags |= 0x80;
    }
    const TsGenState& st = s.StateParams[0];
    if (!st.Gradient.empty() && (st.GradientPercent > 0 || (st.Gradient[0].Mode & gmAlphaGradient))) {
      switch (st.Gradient[0].Mode & gmDirectionMask) {
        case gdVertical: FVaryFlags |= 2; break;
        case gdHorizontal: FVaryFlags |= 1; break;
        case gdCorners: FVaryFlags |= 3; break;
      }
    }
  }
}

bool TsCommonData::ChangedBySize() const {
  return ((FStateFlags & sfWidthChanged) && (FVaryFlags & 0xA5)) ||
         ((FStateFlags & sfHeightChanged) && (FVaryFlags & 0x56));
}

// ---------------------------------------------------------------- scale

TacSkinData* TsCommonData::GetScaledSkin() {
  TsSkinManager* m = GetSkinManager();
  if (m && FSkinIndex >= 0 && m->IsSkinLoaded() && m->SkinDataCount() > 0) {
    if (FScaledSkin) return FScaledSkin;
    if (!FControl) {
      SetScaledSkin(m->GetSkinDataForPPI(GetMainFormPPI()));
      return FScaledSkin;
    }
    gui::TWinControl* parent = FControl->Parent();
    if (IsControlReady(FControl) && parent && parent->HandleAllocated() && parent->Showing()) {
      int ppi = FPixelsPerInch;
      if (!(m->State() & msFormScaling)) switch (m->Options.ScaleMode()) {
          case TacScaleMode::smOldMode: ppi = 96; break;
          case TacScaleMode::smCustomPPI: ppi = m->Options.PixelsPerInch(); break;
          case TacScaleMode::sm100: ppi = ScalePPI[0]; break;
          case TacScaleMode::sm125: ppi = ScalePPI[1]; break;
          case TacScaleMode::sm150: ppi = ScalePPI[2]; break;
          case TacScaleMode::sm200: ppi = ScalePPI[3]; break;
          default: ppi = GetControlPPI(FControl);
        }
      SetScaledSkin(m->GetSkinDataForPPI(ppi));
      return FScaledSkin;
    }
    return m->GetSkinDataForPPI(GetMainFormPPI());
  }
  FScaledSkin = nullptr;
  if (!m) return SharedSkinData(ScaleStepOfPPI(FControl ? GetControlPPI(FControl) : GetMainFormPPI()));
  if (m->Options.ScaleMode() == TacScaleMode::smCustomPPI) return m->GetSkinDataForPPI(m->Options.PixelsPerInch());
  return m->GetSkinDataForPPI(GetMainFormPPI());
}

void TsCommonData::SetScaledSkin(TacSkinData* data) {
  FScaledSkin = data;
  FScaleIndex = data ? data->ScaleStep : -1;
}

int32_t TsCommonData::GetPixelsPerInch() {
  if (Designing(FControl)) return 96;
  TsSkinManager* m = GetSkinManager();
  if (m && FSkinIndex >= 0 && m->IsSkinLoaded()) {
    if (FScaledSkin) return FScaledSkin->PPI;
    if (FControl && IsControlReady(FControl)) return GetControlPPI(FControl);
    return GetMainFormPPI();
  }
  if (m) return m->Options.ScaleMode() == TacScaleMode::smCustomPPI ? m->Options.PixelsPerInch() : GetMainFormPPI();
  return FControl ? GetControlPPI(FControl) : GetMainFormPPI();
}

bool TsCommonData::IsSkinned(bool checkActive) {
  try {
    TsSkinManager* m = GetSkinManager();
    if (!m || Dying(m) || FSkinIndex < 0) return false;
    TacSkinData* d = GetScaledSkin();
    if (!d || size_t(FSkinIndex) >= d->Sections.size()) return false;
    return !checkActive || m->IsSkinLoaded();
  } catch (...) {
    return false;
  }
}

bool TsCommonData::SkinIsChanging() const {
  TsSkinManager* m = GetSkinManager();
  return m && (m->State() & msChanging) != 0;
}

const TsGeneralData* TsCommonData::Section() {
  if (!IsSkinned(false)) return nullptr;
  return &GetScaledSkin()->Sections[size_t(FSkinIndex)];
}

// ---------------------------------------------------------------- painting state

int TsCommonData::CurrentState() const {
  if (!FControl || Dying(FControl) || Designing(FControl) || !FControl->Enabled()) return 0;
  if (FFocused) return 1;
  if (HWND h = HandleOf(FControl); h && GetFocus() == h) return dynamic_cast<gui::TPanel*>(FControl) ? 0 : 1;
  if (!FHovered) return 0;
  TsSkinManager* m = GetSkinManager();
  if (m && m->Options.GetOption(1)) return 0;  // NoMouseHover
  if (NoHoverKinds.Has(FControlKind) || EditLikeKinds.Has(FControlKind)) return 0;
  return 1;
}

void TsCommonData::AllocCache() {
  if (!FCache)
    FCache = CreateBitmap32(0, 0);
  else {
    if (FCache->HandleType() == gui::bmDDB) FCache->SetHandleType(gui::bmDIB);
    SetPixelFormat32(*FCache);
  }
  if (FControl) {
    const int w = std::max(0, FControl->Width()), h = std::max(0, FControl->Height());
    if (FCache->Width() != w || FCache->Height() != h) FCache->SetSize(w, h);
  }
}

void TsCommonData::Invalidate(bool updateNow) {
  FCacheInvalid = true;
  if (FLoading || !FControl) return;
  if (Loading(FControl) || Dying(FControl) || !IsControlReady(FControl)) return;
  const UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | (updateNow ? RDW_UPDATENOW : 0);
  if (HWND h = HandleOf(FControl))
    RedrawWindow(h, nullptr, nullptr, flags);
  else if (!Windowed(FControl)) {
    if (FControlKind == kKindGraphicRepaint)
      FControl->Perform(SM_ALPHACMD, MakeSkinCommand(AC_REPAINT), 0);
    else
      FControl->Repaint();
  }
}

void TsCommonData::BeginUpdate() {
  ++FUpdateCount;
  FUpdating = true;
  FStateFlags |= sfUpdating;
  if (FControl) FControl->Perform(SM_ALPHACMD, MakeSkinCommand(AC_BEGINUPDATE), 0);
}

void TsCommonData::EndUpdate(bool repaint) {
  --FUpdateCount;
  FUpdating = false;
  FStateFlags &= ~sfUpdating;
  if (FUpdateCount <= 0) {
    if (FControl) FControl->Perform(SM_ALPHACMD, MakeSkinCommand(AC_ENDUPDATE), 0);
    if (repaint) Invalidate(true);
  }
}

bool TsCommonData::ParentUpdating() {
  if (Designing(FControl) || !GetSkinManager() || Dying(FControl)) return false;
  if (FUpdating) return true;
  if (FControl && FControl->Parent()) return QueryControlSkinCommand(FControl->Parent(), AC_PREPARING) != 0;
  return false;
}

bool TsCommonData::IsUpdating(bool recheck) {
  if (recheck) FUpdating = false;
  const bool r = ParentUpdating();
  if (r) FUpdating = true;
  return r;
}

void TsCommonData::RefreshParentCache() {
  if (IsUpdating(false)) return;
  if (!FControl || !FControl->Parent() || !FControl->Parent()->HandleAllocated()) return;
  HWND p = FControl->Parent()->Handle();
  SendSkinCommand(p, AC_INVALIDATE);
  SendSkinCommand(p, AC_PREPARECACHE);
}

// ---------------------------------------------------------------- colours

void TsCommonData::SetCustomFlag(int index, bool value) {
  bool& flag = index == 0 ? FCustomColor : FCustomFont;
  if (flag == value) return;
  flag = value;
  if (FControl && !Loading(FControl) && (index == 1 || !FLoading)) {
    uint32_t& saved = index == 0 ? FSavedColor : FSavedFontColor;
    const uint32_t current = uint32_t(index == 0 ? FControl->Color() : FControl->Font().Color());
    if (value && saved != clNone) {
      if (index == 0)
        FControl->SetColor(gui::TColor(saved));
      else
        FControl->Font().SetColor(gui::TColor(saved));
    } else {
      saved = current;
    }
  }
  UpdateSkinColors(true);
}

void TsCommonData::UpdateSkinColors(bool repaint) {
  if (!FControl || FSkinIndex < 0) return;
  auto* win = Windowed(FControl);
  if (win && !win->HandleAllocated()) return;
  if (IsSkinned(false)) {
    FStateFlags |= sfSettingColors;
    const TsGeneralData& s = *Section();
    if (StateColorKinds.Has(FControlKind) && !FullyTransparent(s)) {
      const TsGenState& st = s.StateParams[0];
      if (!FCustomColor) {
        const uint32_t c = ApplyColorEffectsToColor(st.Color, clNone, FHueOffset, FSaturation);
        if (uint32_t(FControl->Color()) != c) FControl->SetColor(gui::TColor(c));
      }
      if (!FCustomFont && FControlKind != kKindFontFromControl) {
        const uint32_t c = ApplyColorEffectsToColor(st.FontColor, clNone, FHueOffset, FSaturation);
        if (uint32_t(FControl->Font().Color()) != c) FControl->Font().SetColor(gui::TColor(c));
      }
    }
    if (win)
      if (HBRUSH b = GetSkinManager()->PaletteBrush(0))
        SetClassLongPtrW(win->Handle(), GCLP_HBRBACKGROUND, LONG_PTR(b));
    FStateFlags &= ~sfSettingColors;
  } else if (win && FControlKind != kKindKeepsClassBrush) {
    SetClassLongPtrW(win->Handle(), GCLP_HBRBACKGROUND, LONG_PTR(GetSysColorBrush(COLOR_BTNFACE)));
  }
  if (repaint) Invalidate(true);
}

void TsCommonData::ApplyStateColors(bool noRedrawLock) {
  if (!FControl) return;
  HWND h = HandleOf(FControl);
  const bool lock = !noRedrawLock && h && FControl->Visible();
  if (lock) SendMessageDirect(h, WM_SETREDRAW, 0, 0);
  if (const TsGeneralData* s = Section()) {
    bool changed = false;
    SetControlColors(*this, StateOf(*s, CurrentState()), changed);
  }
  if (lock) SendMessageDirect(h, WM_SETREDRAW, 1, 0);
}

// ---------------------------------------------------------------- backgrounds

TBitmap32* TsCommonData::CacheView() {
  cacheView_ = FCache ? Pixels32(*FCache) : TBitmap32();
  return &cacheView_;
}

bool TsCommonData::OuterEffectsAllowed() const {
  TsSkinManager* m = GetSkinManager();
  return m && Windowed(FControl) && m->Effects.AllowOuterEffects();
}

void TsCommonData::FillBackgroundQuery(TacBackgroundQuery& q, int state, HWND wnd) {
  auto prepare = [this] {
    if (FCacheInvalid && FControl) SendControlSkinCommand(FControl, AC_PREPARECACHE);
  };
  if (q.PleaseDraw) {
    prepare();
    if (!FCacheInvalid && !CacheEmpty())
      BitBlt(reinterpret_cast<HDC>(q.DC), q.PaintRect.Left, q.PaintRect.Top, q.PaintRect.Width(),
             q.PaintRect.Height(), FCache->Canvas().Handle(), q.OffsetX, q.OffsetY, SRCCOPY);
    q.Kind = bkBitmap;
    return;
  }
  q.Bitmap = nullptr;
  if (!IsSkinned(false) || FCustomColor) {
    if (FControl) {
      q.Kind = bkColor;
      q.Color = ColorToRGB(uint32_t(FControl->Color()));
    }
    return;
  }
  const TsGeneralData& s = *Section();
  const TsGenState& st = StateOf(s, state);
  const int t = st.Transparency, i = st.ImagePercent, g = st.GradientPercent;
  auto answerCache = [&] {
    q.Kind = bkBitmap;
    q.Bitmap = CacheView();
    q.OffsetX = q.OffsetY = 0;
  };
  if (t > 0 && t < 100) {
    if (!FCache) {
      q.Kind = bkColor;
      q.Color = clFuchsia;
      return;
    }
    if (CacheEmpty()) {
      prepare();
      if (CacheEmpty()) {
        FUpdating = true;
        q.Kind = bkNotReady;
        return;
      }
      FillBackgroundQuery(q, state, wnd);
      return;
    }
    answerCache();
    return;
  }
  if (t == 100 && !FCache) {
    if (FControl && FControl->Parent()) {
      QueryControlBackground(q, *FControl->Parent(), false);
      q.OffsetX += FControl->Left();
      q.OffsetY += FControl->Top();
      q.FillRect.Right -= FControl->Left();
      q.FillRect.Bottom -= FControl->Top();
    } else if (wnd && GetParent(wnd)) {
      QueryWindowBackground(q, GetParent(wnd), false);
      if (q.Kind == bkBitmap) {
        RECT r;
        GetWindowRect(wnd, &r);
        MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
        q.OffsetX += r.left;
        q.OffsetY += r.top;
      }
    } else {
      q.Kind = bkColor;
      TsSkinManager* d = DefaultManager();
      q.Color = d ? d->GetGlobalColor() : ColorToRGB(clBtnFace);
    }
    return;
  }
  if (t == 100) {
    prepare();
    if (FCacheInvalid) {
      q.Kind = bkColor;
      q.Color = GetBackgroundColor(0, wnd);
      q.OffsetX = q.OffsetY = 0;
    } else {
      answerCache();
    }
    return;
  }
  const bool corners = std::any_of(s.CornerImages.begin(), s.CornerImages.end(), [](int32_t c) { return c >= 0; });
  if (t == 0 && i < 1 && g < 1 && !corners && !OuterEffectsAllowed()) {
    q.Kind = bkColor;
    q.Color = GetBackgroundColor(state, wnd);
    const TacSkinData* d = GetScaledSkin();
    if (s.BorderIndex >= 0 && size_t(s.BorderIndex) < d->Masks.size()) {
      const TsMaskData& m = d->Masks[size_t(s.BorderIndex)];
      if (!(m.PaintFlags & 4)) {
        q.FillRect = {m.BorderLeft, m.BorderTop, m.BorderRight, m.BorderBottom};
        q.Bitmap = CacheView();
        q.OffsetX = q.OffsetY = 0;
      }
    }
    return;
  }
  TsSkinManager* m = GetSkinManager();
  q.Color = m->GetGlobalColor();
  const bool sized = FControl && FCache && FCache->Width() == FControl->Width() && FCache->Height() == FControl->Height();
  if (CacheEmpty() || FCacheInvalid || !sized) {
    FCacheInvalid = true;
    if (FCache) FCache->SetSize(0, 0);
    if (FControl) SendControlSkinCommand(FControl, AC_PREPARECACHE);
    if (CacheEmpty()) {
      q.Kind = bkNotReady;
      return;
    }
  }
  q.Kind = bkBitmap;
  if (FAnimTimer && FAnimTimer->Enabled() && FAnimTimer->FWorkImage) {
    cacheView_ = Pixels32(*FAnimTimer->FWorkImage);
    q.Bitmap = &cacheView_;
  } else {
    q.Bitmap = CacheView();
  }
  q.OffsetX = q.OffsetY = 0;
}

uint32_t TsCommonData::GetBackgroundColor(int state, HWND wnd) {
  auto parentColor = [&](uint32_t fallback) -> uint32_t {
    if (FControl && FControl->Parent()) return GetControlColor(FControl->Parent());
    if (wnd && GetParent(wnd)) return GetWindowColor(GetParent(wnd));
    return fallback;
  };
  if (const TsGeneralData* s = Section()) {
    const bool hot = state > 0 && s->States > 1;
    const TsGenState& st = s->StateParams[hot ? 1 : 0];
    const int t = st.Transparency;
    if (t == 100) return parentColor(st.Color);
    if (t > 0 && t < 100) return MixColors(st.Color, parentColor(ColorToRGB(clBtnFace)), uint8_t(t * 255 / 100));
    if (t == 0 && !FCustomColor) return st.Color;
  }
  if (FControl) return uint32_t(FControl->Color());
  return clBtnFace;
}

void TsCommonData::GetParentBackground(TacBackgroundCache& cache) {
  auto plain = [&] {
    cache = TacBackgroundCache();
    cache.FillColor = GetBackgroundColor(0);
    cache.Ready = false;
  };
  if (!IsSkinned(false) || !FControl) {
    plain();
    return;
  }
  TacBackgroundQuery q;
  if (FControl->Parent()) {
    QueryControlBackground(q, *FControl->Parent(), false);
  } else if (HWND h = HandleOf(FControl); h && GetParent(h)) {
    QueryWindowBackground(q, GetParent(h), false);
  } else {
    plain();
    return;
  }
  if (q.Kind == bkNotReady) {
    cache = TacBackgroundCache();
    cache.FillColor = clFuchsia;
    cache.Ready = false;
  } else {
    cache = BackgroundQueryToCache(q);
  }
}

void GetWndParentBackground(HWND wnd, TacBackgroundCache& cache) {
  cache = TacBackgroundCache();
  HWND parent = wnd ? GetParent(wnd) : nullptr;
  if (!parent) return;
  TacBackgroundQuery q;
  QueryWindowBackground(q, parent, false);
  cache = BackgroundQueryToCache(q);
}

bool SectionIsTransparent(TsSkinManager* manager, int skinIndex, int state, gui::TControl* control) {
  if (control && !control->Parent()) return false;
  TacSkinData* d = manager ? manager->GetSkinDataForPPI(96) : nullptr;
  if (!d || skinIndex < 0 || size_t(skinIndex) >= d->Sections.size()) return false;
  const TsGeneralData& s = d->Sections[size_t(skinIndex)];
  const int st = std::max(0, std::min({state, s.States - 1, 2}));
  const int t = s.StateParams[size_t(st)].Transparency;
  const bool hasMask = s.BorderIndex >= 0 && size_t(s.BorderIndex) < d->Masks.size();
  if (t <= 50 || !hasMask) return t > 50;
  const TsMaskData& m = d->Masks[size_t(s.BorderIndex)];
  if (st == 0) return !(m.PaintFlags & 0x10) || (m.PaintFlags & 4);
  if (!(m.PaintFlags & 0x10)) return true;
  if (m.MaskBlocks == 0) return false;
  TBitmap32 master = manager->MasterBitmap() ? Pixels32(*manager->MasterBitmap()) : TBitmap32();
  const TBitmap32* img = ElementImage(m, &master);
  if (!img) return false;
  const int fw = m.FrameWidth, fh = m.FrameHeight;
  const int x = m.SrcRect.Left + st * fw + fw / 2, y = m.SrcRect.Bottom - fh / 2;
  if (x < 0 || y < 0 || x >= img->Width() || y >= img->Height()) return false;
  return (img->At(x, y) & 0xFF) > 127;
}

bool TsCommonData::IsTransparent(int state) { return SectionIsTransparent(GetSkinManager(), FSkinIndex, state, FControl); }

bool TsCommonData::NeedsRepaintOnMove() {
  if (!IsSkinned(false) || !FControl || SkinIsChanging() || !FControl->Enabled()) return true;
  if (Section()->StateParams[0].Transparency <= 0) return false;
  gui::TWinControl* p = FControl->Parent();
  return p && p->HandleAllocated() && QueryControlSkinCommand(p, AC_BGVARIES) != 0;
}

void TsCommonData::UpdateGlow(bool hide, HWND wnd, int skinIndex, bool animate, uint8_t startAlpha) {
  TsSkinManager* m = GetSkinManager();
  if (skinIndex < 0) skinIndex = FSkinIndex;
  TacSkinData* d = GetScaledSkin();
  if (!m || !m->Effects.AllowGlowing || m->Options.GetOption(1) || GetCapture() || !d || skinIndex < 0 ||
      size_t(skinIndex) >= d->Sections.size())
    return;
  const TsGeneralData& s = d->Sections[size_t(skinIndex)];
  if (s.Glow < 1) return;
  if (!glowEffects) return;
  auto clipToDC = [](HWND h, RECT r) {
    HDC dc = GetWindowDC(h);
    RECT clip;
    if (GetClipBox(dc, &clip) != ERROR) {
      RECT wr;
      GetWindowRect(h, &wr);
      OffsetRect(&clip, wr.left, wr.top);
      IntersectRect(&r, &r, &clip);
    }
    ReleaseDC(h, dc);
    return gui::TRect{r.left, r.top, r.right, r.bottom};
  };
  if (!FControl) {
    if (!wnd) return;
    if (FHovered && !hide) {
      if (FGlowID >= 0) return;
      RECT r;
      GetWindowRect(wnd, &r);
      FGlowID = glowEffects->ShowGlowEffect(clipToDC(wnd, r), skinSection_, "GLOW", this, GetAncestor(wnd, GA_ROOT),
                                            startAlpha, s.GlowMargin);
    } else {
      HideGlowEffect(FGlowID, false);
    }
    return;
  }
  if (!FHovered) {
    HideGlowEffect(FGlowID, animate);
    return;
  }
  if (FControl->ControlState & gui::csLButtonDown) return;
  if (!hide && FGlowID >= 0) return;
  const bool anim = animate && m->Effects.AllowAnimation;
  if (anim) startAlpha = 0;
  gui::TCustomForm* form = FControl->ParentForm();
  HWND formWnd = form && form->HandleAllocated() ? form->Handle() : nullptr;
  if (FGlowID < 0) {
    gui::TRect r;
    if (HWND h = HandleOf(FControl)) {
      RECT wr;
      GetWindowRect(h, &wr);
      r = clipToDC(h, wr);
    } else if (FControl->Parent() && FControl->Parent()->HandleAllocated()) {
      const gui::TPoint tl = FControl->ClientToScreen({0, 0});
      RECT cr{tl.X, tl.Y, tl.X + FControl->Width(), tl.Y + FControl->Height()};
      HWND p = FControl->Parent()->Handle();
      HDC dc = GetDC(p);
      RECT clip;
      if (GetClipBox(dc, &clip) != ERROR) {
        POINT o{0, 0};
        ClientToScreen(p, &o);
        OffsetRect(&clip, o.x, o.y);
        IntersectRect(&cr, &cr, &clip);
      }
      ReleaseDC(p, dc);
      r = {cr.left, cr.top, cr.right, cr.bottom};
    }
    FGlowID = glowEffects->ShowGlowEffect(r, skinSection_, "GLOW", this, formWnd, startAlpha, s.GlowMargin);
  }
  if (anim && FGlowID >= 0) {
    FCacheInvalid = false;
    RepaintWithFade(this, 1, GlowFadeStep, true, false, false);
    if (FAnimTimer) FAnimTimer->FGlowOnly = 1;
  }
}

// ---------------------------------------------------------------- outer effects

namespace {

// A rectangle of pixels between two engine bitmaps, cut to both.
void CopyPixels(TBitmap32& dst, int dx, int dy, const TBitmap32& src, const gui::TRect& from) {
  for (int y = from.Top; y < from.Bottom; ++y)
    for (int x = from.Left; x < from.Right; ++x) {
      const int tx = dx + x - from.Left, ty = dy + y - from.Top;
      if (src.Inside(x, y) && dst.Inside(tx, ty)) dst.At(tx, ty) = src.At(x, y);
    }
}

}  // namespace

void TsCommonData::PaintOuterEffects(TacOuterTarget& target, WORD argument) {
  if (!target.Bitmap || outerEffects_->Visibility() != TacOuterVisibility::ovAlways) return;
  const TsGeneralData* s = Section();
  if (!s || s->OuterMode < 1) return;
  const TacSkinData* d = GetScaledSkin();
  const TsMaskData* mask = nullptr;
  gui::TRect margins;
  int opacity = 0;
  if (s->OuterIndex >= 0 && size_t(s->OuterIndex) < d->Masks.size()) {
    mask = &d->Masks[size_t(s->OuterIndex)];
    margins = {s->OuterOffsetL, s->OuterOffsetT, s->OuterOffsetR, s->OuterOffsetB};
    opacity = s->OuterOpacity;
  } else if (s->OuterMode - 1 < int(d->OuterEffects.size())) {
    const TacOuterEffect& e = d->OuterEffects[size_t(s->OuterMode - 1)];
    if (e.EffectMask < 0 || size_t(e.EffectMask) >= d->Masks.size()) return;
    mask = &d->Masks[size_t(e.EffectMask)];
    margins = {e.OffsetL, e.OffsetT, e.OffsetR, e.OffsetB};
    opacity = e.Opacity;
  }
  if (!mask) return;
  gui::TRect bounds;
  if (FControl) {
    TacCommandRecord hold(&bounds);
    FControl->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETBOUNDS), reinterpret_cast<LPARAM>(&bounds));
  }
  bounds = bounds.Offset(target.Offset.X, target.Offset.Y);
  const gui::TRect r{bounds.Left - margins.Left, bounds.Top - margins.Top, bounds.Right + margins.Right,
                     bounds.Bottom + margins.Bottom};
  if (r.IsEmpty()) return;
  TsSkinManager* m = GetSkinManager();
  TBitmap32 master = m && m->MasterBitmap() ? Pixels32(*m->MasterBitmap()) : TBitmap32();
  TBitmap32 parent = Pixels32(*target.Bitmap);
  const gui::TRect local = gui::Rect(0, 0, r.Width(), r.Height());
  if ((argument & 1) && FOuterCache) {
    // Back to the parent's own pixels first, so that a repeated paint does not darken.
    TBitmap32 old = Pixels32(*FOuterCache);
    CopyPixels(parent, r.Left, r.Top, old, gui::Rect(0, 0, old.Width(), old.Height()));
    auto copy = CreateBitmap32(r.Width(), r.Height());
    TBitmap32 c = Pixels32(*copy);
    CopyPixels(c, 0, 0, parent, r);
    DrawSkinMaskBlended(c, local, EmptyBackgroundCache(), *mask, master.HasRows() ? &master : nullptr, 0, margins,
                        opacity);
    CopyPixels(parent, r.Left, r.Top, c, local);
    return;
  }
  if (!FOuterCache)
    FOuterCache = CreateBitmap32(r.Width(), r.Height());
  else
    FOuterCache->SetSize(r.Width(), r.Height());
  TBitmap32 keep = Pixels32(*FOuterCache);
  CopyPixels(keep, 0, 0, parent, r);
  if (opacity > 0)
    DrawSkinMaskBlended(parent, r, EmptyBackgroundCache(), *mask, master.HasRows() ? &master : nullptr, 0, margins,
                        opacity);
}

void TsCommonData::PaintChildrenOuterEffects(gui::TWinControl* control, gui::TPoint offset) {
  TsSkinManager* m = GetSkinManager();
  if (!control || !IsSkinned(false) || !m || !m->Effects.AllowOuterEffects() || !FCache) return;
  for (int i = 0; i < control->ControlCount(); ++i) {
    gui::TControl* child = control->Controls(i);
    if (!IsControlReady(child) || !child->Visible()) continue;
    TacOuterTarget target{FCache.get(), offset, 2};
    TacCommandRecord hold(&target);
    child->Perform(SM_ALPHACMD, MakeSkinCommand(AC_PAINTOUTER), reinterpret_cast<LPARAM>(&target));
  }
}

// ---------------------------------------------------------------- region

TRects SkinCornerRects(const TsMaskData& m, TsSkinManager* manager, int width, bool top, int bottomY) {
  TBitmap32 master = manager && manager->MasterBitmap() ? Pixels32(*manager->MasterBitmap()) : TBitmap32();
  TacElementPicture e;
  e.Image = ElementImage(m, master.HasRows() ? &master : nullptr);
  e.SrcRect = ToRect(m.SrcRect);
  e.FrameWidth = m.FrameWidth;
  e.FrameHeight = m.FrameHeight;
  e.BorderLeft = m.BorderLeft;
  e.BorderTop = m.BorderTop;
  e.BorderRight = m.BorderRight;
  e.BorderBottom = m.BorderBottom;
  e.MaskBlocks = m.MaskBlocks;
  TRects corners;
  if (top) AddTransparentCornerRects(corners, width, e, 0, false, 0);
  if (bottomY >= 0) AddTransparentCornerRects(corners, width, e, bottomY, true, 0);
  return corners;
}

HRGN CreateSkinRegion(int skinIndex, gui::TBitmap& bmp, TsCommonData& data) {
  const TacSkinData* d = data.GetScaledSkin();
  if (!d || skinIndex < 0 || size_t(skinIndex) >= d->Sections.size()) return nullptr;
  const int border = d->Sections[size_t(skinIndex)].BorderIndex;
  if (border < 0 || size_t(border) >= d->Masks.size()) return nullptr;
  const TsMaskData& m = d->Masks[size_t(border)];
  const int w = bmp.Width(), h = bmp.Height();
  const TRects corners = SkinCornerRects(m, data.GetSkinManager(), w, true, h - m.BorderBottom);
  // The whole bitmap: a region one pixel smaller would cut the control's last column and row.
  HRGN region = CreateRectRgn(0, 0, w, h);
  TBitmap32 px = Pixels32(bmp);
  for (const TacRect& c : corners) {
    for (int y = c.Top; y < c.Bottom; ++y)
      for (int x = c.Left; x < c.Right; ++x)
        if (px.Inside(x, y)) px.At(x, y) = 0;
    HRGN cut = CreateRectRgn(c.Left, c.Top, c.Right, c.Bottom);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
  }
  return region;
}

// ---------------------------------------------------------------- fades

void TsCommonData::StopAnimation() {
  if (!FAnimTimer || FAnimTimer->FDestroying) return;
  FAnimTimer->SetEnabled(false);
  FAnimTimer->FAnimKind = -1;
  FAnimTimer->FOldImage.reset();
  FAnimTimer->FNewImage.reset();
  FAnimTimer->FWorkImage.reset();
}

bool TsCommonData::IsAnimating() const { return FAnimTimer && FAnimTimer->Enabled(); }

// ---------------------------------------------------------------- font and opaque sections

LRESULT QueryOpaqueSection(gui::TControl* control, TacOpaqueSectionQuery& query) {
  if (control->Parent()) query.Rect = query.Rect.Offset(control->Left(), control->Top());
  TacCommandRecord hold(&query);
  LRESULT answer;
  if (HWND h = HandleOf(control))
    answer = SendMessageDirect(h, SM_ALPHACMD, MakeSkinCommand(AC_GETOPAQUESECTION), reinterpret_cast<LPARAM>(&query));
  else
    answer = control->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETOPAQUESECTION), reinterpret_cast<LPARAM>(&query));
  if (Designing(control) || (answer != -1 && answer != 0)) return answer;
  return query.SkinIndex;
}

LRESULT QueryWndOpaqueSection(HWND wnd, TacOpaqueSectionQuery& query) {
  TacCommandRecord hold(&query);
  return SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(AC_GETOPAQUESECTION), reinterpret_cast<LPARAM>(&query));
}

namespace {
LRESULT AskOpaque(gui::TControl* control, TacOpaqueSectionQuery& q) {
  TacCommandRecord hold(&q);
  return control->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETOPAQUESECTION), reinterpret_cast<LPARAM>(&q));
}
}  // namespace

int GetFontSourceIndex(gui::TControl* control, int skinIndex, TsSkinManager* manager, int state) {
  const int s = std::min(state, 2);
  TacSkinData* d = manager ? manager->GetSkinDataForPPI(96) : nullptr;
  if (!control) return skinIndex;
  if (s > 0 && skinIndex >= 0 && d && size_t(skinIndex) < d->Sections.size()) {
    const TsGeneralData& sec = d->Sections[size_t(skinIndex)];
    if (state < sec.States && sec.StateParams[size_t(s)].Transparency <= 39) return skinIndex;
  }
  TacOpaqueSectionQuery q;
  q.State = state;
  q.SkinIndex = 0;
  q.Rect = control->BoundsRect();
  q.SkinManager = manager;
  const LRESULT a = AskOpaque(control, q);
  if (a == -1) return skinIndex;
  if (a == 0) return -1;
  return q.SkinIndex >= 0 ? q.SkinIndex : skinIndex;
}

uint32_t GetSkinFontColor(gui::TControl* control, int skinIndex, TsSkinManager* manager, int state,
                          TsCommonData* skinData) {
  if (skinData && skinData->FCustomFont && control) return uint32_t(control->Font().Color());
  const int s = std::min(2, state);
  TacSkinData* d = manager ? manager->GetSkinDataForPPI(96) : nullptr;
  auto valid = [&](int i) { return d && i >= 0 && size_t(i) < d->Sections.size(); };
  if (control && valid(skinIndex) && state < d->Sections[size_t(skinIndex)].States &&
      d->Sections[size_t(skinIndex)].StateParams[size_t(s)].Transparency > 39) {
    TacOpaqueSectionQuery q;
    q.State = state;
    q.SkinIndex = skinIndex;
    q.Rect = control->BoundsRect();
    q.SkinManager = manager;
    const LRESULT a = AskOpaque(control, q);
    if (a == 0)
      return uint32_t(control->Parent() ? control->Parent()->Font().Color() : control->Font().Color());
    if (a != -1 && q.SkinIndex >= 0) skinIndex = q.SkinIndex;
  }
  if (manager && manager->IsSkinLoaded()) {
    if (!valid(skinIndex)) return manager->Palette()[1];
    const TsGeneralData& sec = d->Sections[size_t(skinIndex)];
    return sec.StateParams[size_t(std::max(0, std::min({sec.States - 1, s, 2})))].FontColor;
  }
  return control ? uint32_t(control->Font().Color()) : 0xFF000005;
}

uint32_t GetWndSkinFontColor(HWND wnd, int skinIndex, TsSkinManager* manager, int state) {
  TacSkinData* d = manager ? manager->GetSkinDataForPPI(96) : nullptr;
  auto valid = [&](int i) { return d && i >= 0 && size_t(i) < d->Sections.size(); };
  const bool ask = state == 0 || !valid(skinIndex) || state >= d->Sections[size_t(skinIndex)].States ||
                   d->Sections[size_t(skinIndex)].StateParams[size_t(std::min(state, 2))].Transparency > 39;
  if (ask && wnd) {
    TacOpaqueSectionQuery q;
    q.State = state;
    q.SkinIndex = skinIndex;
    q.SkinManager = manager;
    TacCommandRecord hold(&q);
    const LRESULT a =
        SendMessageDirect(wnd, SM_ALPHACMD, MakeSkinCommand(AC_GETOPAQUESECTION), reinterpret_cast<LPARAM>(&q));
    if (a == 0) return 0xFF000012;  // clBtnText
    if (a != -1 && q.SkinIndex >= 0) skinIndex = q.SkinIndex;
  }
  if (!manager || !manager->IsSkinLoaded()) return 0xFF000012;
  if (valid(skinIndex)) return d->Sections[size_t(skinIndex)].StateParams[size_t(std::clamp(state, 0, 2))].FontColor;
  return manager->Palette()[1];
}

// ---------------------------------------------------------------- common message handling

namespace {

// The state-1 colours on focus or hover, the state-0 ones back; true when one changed.
bool ApplyColorsOfState(TsCommonData& d, int state) {
  const TsGeneralData* s = d.Section();
  if (!s || !d.FControl) return false;
  bool changed = false;
  SetControlColors(d, s->StateParams[size_t(state)], changed);
  return changed;
}

void MouseEnter(TsCommonData& d) {
  if (!d.IsSkinned(false) || d.FHovered) return;
  TsSkinManager* m = d.GetSkinManager();
  auto* win = Windowed(d.FControl);
  const TsGeneralData& s = *d.Section();
  TsSkinManager* dm = DefaultManager();
  if (m->Designing() || m->Options.GetOption(1) || FullyTransparent(s) || !win) {
    if (dm && HandleOf(win)) dm->SetHoveredWindow(HandleOf(win));
    if (!NoHoverKinds.Has(d.FControlKind)) d.FHovered = true;
  } else {
    if (!NoHoverKinds.Has(d.FControlKind)) d.FHovered = true;
    if (dm && HandleOf(win)) dm->SetHoveredWindow(HandleOf(win));
    if (!NoGlowOnLeaveKinds.Has(d.FControlKind) && !GraphicGlowKinds.Has(d.FControlKind))
      d.UpdateGlow(false, HandleOf(win), d.FSkinIndex, true, m->Effects.AllowAnimation ? 0 : 255);
    if (StateColorKinds.Has(d.FControlKind) && !EditLikeKinds.Has(d.FControlKind) && s.States > 1) {
      d.FCacheInvalid = true;
      if (HWND h = HandleOf(win)) {
        if (ApplyColorsOfState(d, 1)) InvalidateRect(h, nullptr, TRUE);
        SendMessageDirect(h, WM_NCPAINT, 0, 0);
      }
    }
  }
  // The engine's hint controller shows the control's hint as soon as the mouse is on it.
  if (ActiveHintShow && d.FControl && d.FControl->ShowHint && !d.FControl->Hint.empty())
    ActiveHintShow(GetMousePos(), d.FControl->Hint);
}

void MouseLeave(TsCommonData& d) {
  if (!d.IsSkinned(false) || !d.FControl) return;
  TsSkinManager* m = d.GetSkinManager();
  if (m->Options.GetOption(1) || m->Designing() || d.MouseInside()) return;
  if (!NoHoverKinds.Has(d.FControlKind)) d.FHovered = false;
  if (!NoGlowOnLeaveKinds.Has(d.FControlKind) && !GraphicGlowKinds.Has(d.FControlKind))
    HideGlowEffect(d.FGlowID, true);
  const TsGeneralData& s = *d.Section();
  if (StateColorKinds.Has(d.FControlKind) && d.CurrentState() == 0 && !FullyTransparent(s)) {
    const bool changed = ApplyColorsOfState(d, 0);
    if (d.FControl->Visible()) {
      d.FCacheInvalid = true;
      if (HWND h = HandleOf(d.FControl)) {
        if (changed) InvalidateRect(h, nullptr, TRUE);
        SendMessageDirect(h, WM_NCPAINT, 0, 0);
      }
    }
  }
}

void FocusChanged(TsCommonData& d, bool focused) {
  auto* win = Windowed(d.FControl);
  if (!win || !d.IsSkinned(false) || !win->CanFocus() || (focused && !win->TabStop)) return;
  const TsGeneralData& s = *d.Section();
  if (FullyTransparent(s)) return;
  d.FCacheInvalid = true;
  d.FFocused = focused;
  if (!StateColorKinds.Has(d.FControlKind)) {
    if (focused && win->HandleAllocated()) SendMessageDirect(win->Handle(), WM_NCPAINT, 0, 0);
    return;
  }
  bool changed = false;
  if (focused && s.States > 1) changed = ApplyColorsOfState(d, 1);
  if (!focused && d.CurrentState() == 0) changed = ApplyColorsOfState(d, 0);
  if (!win->HandleAllocated() || (!focused && !win->Visible())) return;
  if (changed)
    RedrawWindow(win->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SendMessageDirect(win->Handle(), WM_NCPAINT, 0, 0);
}

}  // namespace

void (*PreparePopupMenu)(TsSkinManager* manager, gui::TPopupMenu* menu) = nullptr;

bool ProcessSkinDataMessage(gui::TMessage& m, TsCommonData* d) {
  if (!d) return false;
  gui::TControl* c = d->FControl;
  auto* win = Windowed(c);
  switch (m.Msg) {
    case WM_CREATE:
    case WM_NCCREATE: d->AttachToWindow(); return false;
    case WM_MOVE:
      if (d->IsSkinned(false)) {
        if (d->OuterEffectsAllowed() && win && win->HandleAllocated() && IsWindowVisible(win->Handle()))
          d->RefreshParentCache();
        if (d->NeedsRepaintOnMove()) {
          d->FCacheInvalid = true;
          if (c && !d->SkinIsChanging()) c->Perform(SM_ALPHACMD, MakeSkinCommand(AC_PARENTBGCHANGED, 1), 0);
        }
        HideGlowEffect(d->FGlowID, false);
      }
      return false;
    case WM_SIZE:
      if (d->IsSkinned(false)) {
        d->FCacheInvalid = true;
        if (d->OuterEffectsAllowed() && win && win->HandleAllocated() && IsWindowVisible(win->Handle()))
          d->RefreshParentCache();
        if (d->ChangedBySize()) {
          if (win)
            for (int i = 0; i < win->ControlCount(); ++i)
              if (gui::TControl* child = win->Controls(i); child && !Dying(child))
                SendControlMessage(child, SM_ALPHACMD, MakeSkinCommand(AC_PARENTBGCHANGED, 1), 0);
          d->FStateFlags &= ~(sfWidthChanged | sfHeightChanged);
        }
        if (!d->IsAnimating()) HideGlowEffect(d->FGlowID, false);
      }
      return false;
    case WM_SETFOCUS: FocusChanged(*d, true); return false;
    case WM_KILLFOCUS: FocusChanged(*d, false); return false;
    case WM_SHOWWINDOW: d->StopAnimation(); return false;
    case 0x001D:
    case gui::CM_ENABLEDCHANGED:
      d->FHovered = false;
      d->FFocused = false;
      d->FCacheInvalid = true;
      if (c && !c->Enabled()) HideGlowEffect(d->FGlowID, false);
      return false;
    case WM_WINDOWPOSCHANGING:
      if (HWND h = d->GetWndHandle(); h && m.LParam) {
        const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
        RECT r;
        GetWindowRect(h, &r);
        if (!(wp->flags & SWP_NOSIZE)) {
          if (r.right - r.left != wp->cx) d->FStateFlags |= sfWidthChanged;
          if (r.bottom - r.top != wp->cy) d->FStateFlags |= sfHeightChanged;
        }
      }
      return false;
    case WM_UPDATEUISTATE:
      if (d->IsSkinned(false)) return true;
      if (win && win->HandleAllocated() && GetThemesEnabled())
        if (auto proc = SetWindowThemeProc()) proc(win->Handle(), nullptr, nullptr);
      return false;
    case WM_PARENTNOTIFY:
      if (win && LOWORD(m.WParam) == WM_CREATE) AddControlToAdapter(c);
      return false;
    case WM_CONTEXTMENU:
      // Before the control opens its menu, so the menu shows in the manager's look.
      if (TsSkinManager* mgr = d->GetSkinManager(); mgr && c && c->PopupMenu() && PreparePopupMenu)
        PreparePopupMenu(mgr, c->PopupMenu());
      return false;
    case WM_PRINT:
      if (!d->IsSkinned(false) && m.WParam && win) {
        const bool edge = win->HandleAllocated() && (GetWindowLongW(win->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        PaintGraphicControls(reinterpret_cast<HDC>(m.WParam), win, true, edge ? gui::TPoint{2, 2} : gui::TPoint{0, 0},
                             false);
        return true;
      }
      return false;
    case SM_ALPHACMD: return ProcessSkinCommand(m, d);
    case gui::CM_VISIBLECHANGED: {
      d->FScaledSkin = nullptr;
      if (d->FGlowID >= 0 && m.WParam == 0) HideGlowEffect(d->FGlowID, false);
      TsSkinManager* mgr = d->GetSkinManager();
      if (mgr && c && !Dying(c) && d->FCache) {
        if (mgr->Options.OptimizingPriority == TacOptimizingPriority::opMemory) {
          if (m.WParam != 0) {
            d->FUpdating = false;
          } else {
            d->FCache->SetSize(0, 0);
            if (win)
              for (int i = 0; i < win->ControlCount(); ++i) {
                gui::TControl* child = win->Controls(i);
                if (HWND ch = HandleOf(child))
                  SendSkinCommand(ch, AC_CLEARCACHE);
                else if (child)
                  child->Perform(SM_ALPHACMD, MakeSkinCommand(AC_CLEARCACHE), 0);
              }
          }
        }
        d->FCacheInvalid = true;
      }
      if (d->OuterEffects().Visibility() == TacOuterVisibility::ovAlways) d->OuterEffects().Refresh();
      return false;
    }
    case gui::CM_MOUSEENTER: MouseEnter(*d); return false;
    case gui::CM_MOUSELEAVE: MouseLeave(*d); return false;
    case gui::CM_SHOWINGCHANGED:
      if (c && c->Visible()) d->Loaded(true);
      return false;
    default: return false;
  }
}

bool TsCommonData::MouseInside() {
  HWND h = nullptr;
  RECT area{};
  POINT p;
  if (!GetCursorPos(&p)) return false;
  if (auto* win = Windowed(FControl)) {
    if (!win->HandleAllocated() || !IsWindowVisible(win->Handle())) return false;
    h = win->Handle();
    GetClientRect(h, &area);
    ScreenToClient(h, &p);
  } else {
    h = GetWndHandle();
    if (!h || !IsWindowVisible(h)) return false;
    RECT wr, cr;
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    p.x -= wr.left;
    p.y -= wr.top;
    area = {0, 0, cr.right, cr.bottom};
  }
  if (auto* hook = reinterpret_cast<TacWindowHook*>(SendSkinCommand(h, AC_GETHOOK))) {
    area.bottom += hook->VisibleScrollBarSize(false);
    area.right += hook->VisibleScrollBarSize(true);
  }
  if (!PtInRect(&area, p)) return false;
  HDC dc = GetDC(h);
  RECT clip{};
  const int kind = GetClipBox(dc, &clip);
  ReleaseDC(h, dc);
  if (kind == ERROR || !PtInRect(&clip, p)) return false;
  if (auto* under = dynamic_cast<gui::TWinControl*>(FindControlUnderMouse()); under && under->HandleAllocated())
    return IsWindowOrDescendant(under->Handle(), h);
  return true;
}

void FillTransparentCorners(TsCommonData& d, int state, uint8_t corners) {
  const TsGeneralData* s = d.Section();
  if (!s || d.CacheEmpty() || !d.FControl) return;
  const TacSkinData* data = d.GetScaledSkin();
  if (s->BorderIndex < 0 || size_t(s->BorderIndex) >= data->Masks.size()) return;
  TsSkinManager* m = d.GetSkinManager();
  TBitmap32 master = m && m->MasterBitmap() ? Pixels32(*m->MasterBitmap()) : TBitmap32();
  TBitmap32 cache = Pixels32(*d.FCache);
  TacBackgroundQuery q;
  gui::TPoint pos{0, 0};
  if (gui::TWinControl* parent = d.FControl->Parent()) {
    QueryControlBackground(q, *parent, false);
    pos = {d.FControl->Left(), d.FControl->Top()};
  } else {
    q.Kind = bkColor;
    q.Color = ColorToRGB(uint32_t(d.FControl->Color()));
  }
  FillTransparentCorners(cache, data->Masks[size_t(s->BorderIndex)], &master, state, corners, q, pos);
}

// ---------------------------------------------------------------- cache to screen

namespace {

template <class Exclude>
void CopyCacheClipped(TsCommonData* d, gui::TPoint src, bool fillCorners, HDC dc, const gui::TRect& dst,
                      Exclude exclude) {
  if (d->CacheEmpty()) return;
  if (fillCorners) FillTransparentCorners(*d, d->CurrentState(), acTopLeft | acBottomLeft | acTopRight | acBottomRight);
  const int saved = SaveDC(dc);
  try {
    IntersectClipRect(dc, dst.Left, dst.Top, dst.Right, dst.Bottom);
    exclude();
    BitBlt(dc, dst.Left, dst.Top, dst.Width(), dst.Height(), d->FCache->Canvas().Handle(), src.X, src.Y, SRCCOPY);
  } catch (...) {
    RestoreDC(dc, saved);
    throw;
  }
  RestoreDC(dc, saved);
}

bool Intersects(const gui::TRect& a, const gui::TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace

void PaintCacheExceptChildren(gui::TWinControl* control, TsCommonData* d, gui::TPoint srcPos, int offsetX, int offsetY,
                              bool fillCorners, HDC dc, const gui::TRect& dstRect) {
  if (!d || !control) return;
  CopyCacheClipped(d, srcPos, fillCorners, dc, dstRect, [&] {
    TsSkinManager* m = d->GetSkinManager();
    const bool skipGraphic = m && m->Options.GetOption(5);  // StdImgTransparency
    for (int i = 0; i < control->ControlCount(); ++i) {
      gui::TControl* child = control->Controls(i);
      const bool graphic = dynamic_cast<gui::TGraphicControl*>(child) != nullptr;
      if (!child || (graphic && skipGraphic) || !child->Visible() || !Intersects(child->BoundsRect(), dstRect)) continue;
      if ((child->ControlStyle & gui::csOpaque) || graphic ||
          SendControlSkinCommand(child, AC_OPAQUEPAINTING) == 1) {
        const gui::TRect r = child->BoundsRect().Offset(offsetX, offsetY);
        ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
      }
    }
  });
}

void PaintCacheExceptChildWindows(HWND wnd, TsCommonData* d, gui::TPoint srcPos, int offsetX, int offsetY,
                                  bool fillCorners, HDC dc, const gui::TRect& dstRect) {
  if (!d || !wnd) return;
  CopyCacheClipped(d, srcPos, fillCorners, dc, dstRect, [&] {
    RECT pr;
    GetWindowRect(wnd, &pr);
    for (HWND child = GetTopWindow(wnd); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsWindowVisible(child)) continue;
      RECT cr;
      GetWindowRect(child, &cr);
      OffsetRect(&cr, -pr.left - offsetX, -pr.top - offsetY);
      const LONG style = GetWindowLongW(child, GWL_STYLE), ex = GetWindowLongW(child, GWL_EXSTYLE);
      if ((style & 7) != 7 || (ex & WS_EX_CLIENTEDGE)) {
        ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
        continue;
      }
      // A skinned MDI child: only its caption and frame lie over the parent's image.
      TsSkinManager* m = DefaultManager();
      if (!m) continue;
      const int caption = int(SendSkinCommand(child, AC_GETCAPTIONHEIGHT));
      ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.top + caption);
      const TacSkinData* data = m->GetSkinDataForPPI(96);
      const int form = data ? GetSkinIndex(*data, "FORM") : -1;
      if (form < 0) continue;
      const int mask = data->Sections[size_t(form)].BorderIndex;
      if (mask < 0 || size_t(mask) >= data->Masks.size()) continue;
      const TsMaskData& b = data->Masks[size_t(mask)];
      ExcludeClipRect(dc, cr.left, cr.top, cr.left + b.BorderLeft, cr.bottom);
      ExcludeClipRect(dc, cr.right - b.BorderRight, cr.top, cr.right, cr.bottom);
      ExcludeClipRect(dc, cr.left, cr.bottom - b.BorderBottom, cr.right, cr.bottom);
    }
  });
}

// ---------------------------------------------------------------- scroll-bar state

TsScrollWndData::TsScrollWndData(rtl::TPersistent* owner, bool createCache)
    : TsCommonData(owner, createCache),
      vert_(std::make_unique<TacScrollData>(this)),
      horz_(std::make_unique<TacScrollData>(this)) {}

TsScrollWndData::~TsScrollWndData() {
  vert_.reset();
  horz_.reset();
}

}  // namespace skin

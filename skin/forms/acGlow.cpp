#include "skin/forms/acGlow.h"

#include "skin/core/acControlPaint.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/acSkinData.h"
#include "skin/core/acThdTimer.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acTitleRules.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinMask.h"

namespace skin {

bool GlowWindowsClosing = false;

namespace {
// Released glow windows: hidden at once, freed by the next glow operation, so that none is
// destroyed from inside its own message handling.
std::vector<std::unique_ptr<TacGlowForm>>& Released() {
  static std::vector<std::unique_ptr<TacGlowForm>> forms;
  return forms;
}
void FreeReleased() {
  GlowWindowsClosing = true;
  Released().clear();
  GlowWindowsClosing = false;
}
// The form goes at once while its manager or the application ends.
void DisposeGlowForm(std::unique_ptr<TacGlowForm> form, TsSkinManager* manager) {
  if (!form) return;
  GlowWindowsClosing = true;
  const bool now = (manager && manager->IsDestroying()) || !gui::Application || gui::Application->Terminated();
  if (now) {
    form.reset();
  } else {
    if (form->HandleAllocated()) ShowWindow(form->Handle(), SW_HIDE);
    Released().push_back(std::move(form));
  }
  GlowWindowsClosing = false;
}
}  // namespace

TacGlowEffect::~TacGlowEffect() {
  ReleaseWindow();
  FGlowBmp.reset();
}

void TacGlowEffect::ReleaseWindow() {
  if (!FGlowForm) return;
  FGlowForm->WindowProc = FSavedWndProc;
  DisposeGlowForm(std::move(FGlowForm), FOwnerManager);
}

void TacGlowEffect::GlowWndProc(gui::TMessage& m) {
  if (m.Msg == WM_NCHITTEST) {
    m.Result = HTTRANSPARENT;
    return;
  }
  if (FSavedWndProc) FSavedWndProc(m);
}

void TacGlowEffect::CreateGlowBitmap(int32_t w, int32_t h) {
  FGlowBmp = NewBitmap32(std::max(w, 1), std::max(h, 1));
  if (FMaskIndex < 0 || !FOwnerData) return;
  TacSkinData* sd = FOwnerData->GetScaledSkin();
  if (!sd || size_t(FMaskIndex) >= sd->Masks.size()) return;
  TSkinOnBitmap skin(FOwnerManager, sd, *FGlowBmp);
  TBitmap32 px = Pixels32(*FGlowBmp);
  GdiFlush();
  TacBackgroundCache empty;  // not ready: the element's corners take no background
  DrawSkinMask(px, px.Bounds(), empty, sd->Masks[size_t(FMaskIndex)], skin.Source.Master, 0, false);
  uint32_t tone = clNone;
  if (HWND target = FOwnerData->GetWndHandle())
    SendMessageW(target, SM_ALPHACMD, MakeSkinCommand(AC_GETGLOWTONE), LPARAM(&tone));
  ApplyColorEffects(*FGlowBmp, *FOwnerData, tone, 0);
}

void TacGlowEffect::CreateGlowWindow(const gui::TRect& r, uint8_t alpha, HWND wnd) {
  if (FGlowForm) return;
  FGlowForm = std::make_unique<TacGlowForm>(nullptr);
  FSavedWndProc = FGlowForm->WindowProc;
  FGlowForm->WindowProc = [this](gui::TMessage& m) { GlowWndProc(m); };
  TacRect borders;
  if (FOwnerData && FMaskIndex >= 0)
    if (TacSkinData* sd = FOwnerData->GetScaledSkin(); sd && size_t(FMaskIndex) < sd->Masks.size()) {
      const TsMaskData& e = sd->Masks[size_t(FMaskIndex)];
      borders = {e.BorderLeft, e.BorderTop, e.BorderRight, e.BorderBottom};
    }
  const TacPlace place = GlowWindowPlace({r.Left, r.Top, r.Right, r.Bottom}, borders, FGlowMargin);
  CreateGlowBitmap(place.Width, place.Height);
  FGlowForm->SetBounds(place.Left, place.Top, place.Width, place.Height);
  HWND after = HWND_TOPMOST;
  if (wnd && !(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) && FOwnerData) {
    after = GetWindow(wnd, GW_HWNDPREV);
    if (!after) after = wnd;
  }
  FGlowForm->HandleNeeded();
  HWND h = FGlowForm->HandleAllocated() ? FGlowForm->Handle() : nullptr;
  if (!h) return;
  SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TRANSPARENT);
  SetWindowPos(h, nullptr, place.Left, place.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateLayeredImage(h, *FGlowBmp, alpha);
  SetWindowPos(h, after, place.Left, place.Top, 0, 0, 0x659);
}

TacGlowEffect* TacGlowEffectList::Effect(int id) const {
  return id >= 0 && size_t(id) < Effects.size() ? Effects[size_t(id)].get() : nullptr;
}

int TacGlowEffectList::Add(std::unique_ptr<TacGlowEffect> e, const gui::TRect& rect, int margin, int32_t mask,
                           uint8_t alpha, HWND wnd) {
  FreeReleased();
  TacGlowEffect* g = e.get();
  Effects.push_back(std::move(e));
  g->FGlowMargin = margin;
  g->FMaskIndex = mask;
  g->CreateGlowWindow(rect, alpha, wnd);
  return int(Effects.size()) - 1;
}

int TacGlowEffectList::ShowGlowEffect(const gui::TRect& rect, const std::string& section, const std::string& image,
                                      TsCommonData* data, HWND wnd, uint8_t alpha, int margin) {
  if (!LayeredWindowsAvailable() || !data || GetCapture()) return -1;
  TsSkinManager* m = data->GetSkinManager();
  TacSkinData* sd = data->GetScaledSkin();
  if (!m || !sd) return -1;
  const std::string name = image + "0";
  const int32_t mask =
      section.empty() ? m->GetMaskIndex(data->FSkinIndex, name, sd) : m->FindMaskIndex(section, name, sd);
  if (mask < 0) return -1;
  auto e = std::make_unique<TacGlowEffect>();
  e->FOwnerData = data;
  e->FOwnerManager = m;
  return Add(std::move(e), rect, margin, mask, alpha, wnd);
}

int TacGlowEffectList::ShowGlowEffectByMask(const gui::TRect& rect, const std::vector<int32_t>& maskIndexes,
                                            int margin, uint8_t alpha, HWND wnd, TsCommonData* data) {
  if (!LayeredWindowsAvailable() || !data || GetCapture()) return -1;
  if (maskIndexes.empty() || maskIndexes[0] < 0) return -1;
  auto e = std::make_unique<TacGlowEffect>();
  e->FOwnerData = data;
  e->FOwnerManager = data->GetSkinManager();
  return Add(std::move(e), rect, margin, maskIndexes[0], alpha, wnd);
}

void TacGlowEffectList::HideGlowEffect(int& glowID, bool animate) {
  TacGlowEffect* e = Effect(glowID);
  if (!e) return;
  TsCommonData* data = e->FOwnerData;
  TsSkinManager* m = data ? data->GetSkinManager() : nullptr;
  const bool terminating = gui::Application && gui::Application->Terminated();
  if (animate && m && m->Effects.AllowAnimation && !terminating && data->FControl &&
      (!data->FAnimTimer || data->FAnimTimer->FGlowOnly)) {
    // The halo fades out on the control's timer, which hides it at its last step; a fade
    // towards normal that already runs is left to do so.
    const bool fresh = !data->FAnimTimer;
    const int start = InitAnimTimer(data->FAnimTimer, data->FControl, 1);
    TacThreadedTimer* t = data->FAnimTimer;
    t->FGlowOnly = 1;
    if (fresh) t->FAlpha = 255;  // the halo is seen at full strength: it fades from there
    if (t->FAnimKind != 0) {
      t->StartAnimation(data, start, GlowFadeStep, 0, false);
      t->Step();
    }
    return;
  }
  Effects[size_t(glowID)].reset();
  glowID = -1;
  if (data && data->FAnimTimer) data->StopAnimation();
}

void TacGlowEffectList::SetGlowEffectAlpha(int glowID, uint8_t alpha) {
  TacGlowEffect* e = Effect(glowID);
  if (!e || !e->FGlowForm || !e->FGlowBmp || !e->FGlowForm->HandleAllocated()) return;
  SetLayeredBitmap(e->FGlowForm->Handle(), e->FGlowBmp.get(), alpha, nullptr);
}

void TacGlowEffectList::ClearGlowEffects(bool destroyWindows) {
  if (GlowWindowsClosing) return;
  for (auto& e : Effects) {
    if (!e) continue;
    if (destroyWindows && e->FGlowForm) {
      e->FGlowForm->WindowProc = e->FSavedWndProc;
      GlowWindowsClosing = true;
      e->FGlowForm.reset();
      GlowWindowsClosing = false;
    }
    if (e->FOwnerData) e->FOwnerData->FGlowID = -1;
    e.reset();
  }
  Effects.clear();
  FreeReleased();
}

TacGlowEffectList& GlowEffectList() {
  static TacGlowEffectList list;
  if (!GlowEffects()) SetGlowEffects(&list);
  return list;
}

int ShowGlowEffectByMask(const gui::TRect& rect, const std::vector<int32_t>& maskIndexes, int margin, uint8_t alpha,
                         HWND wnd, TsCommonData* data) {
  return GlowEffectList().ShowGlowEffectByMask(rect, maskIndexes, margin, alpha, wnd, data);
}
void SetGlowEffectAlpha(int glowID, uint8_t alpha) { GlowEffectList().SetGlowEffectAlpha(glowID, alpha); }
void ClearGlowEffects(bool destroyWindows) { GlowEffectList().ClearGlowEffects(destroyWindows); }

}  // namespace skin

#include "skin/forms/acMinTimer.h"

#include <cmath>

#include "skin/core/acLayeredWindows.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sSysUtils.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

namespace {
constexpr unsigned kMinInterval = 6;

int32_t MinimizingTime(TsSkinProvider* p) {
  TsSkinManager* m = p && p->SkinData() ? p->SkinData()->GetSkinManager() : DefaultManager();
  return m ? m->AnimEffects.Minimizing.Time : 0;
}

HWND TaskBarWindow() { return FindWindowW(L"Shell_TrayWnd", nullptr); }
}  // namespace

TacRect GetTargetRect(const TacRect& window, bool composition) {
  HWND tray = TaskBarWindow();
  if (!tray) return {};
  if (!composition && gui::Application) {
    const gui::TRect b = FindTaskBarButton(gui::Application->Handle());
    if (!b.IsEmpty()) return {b.Left, b.Top, b.Right, b.Bottom};
  }
  RECT t;
  GetWindowRect(tray, &t);
  const int32_t w = window.Right - window.Left, h = window.Bottom - window.Top;
  const int32_t tw = w - 2 * (w / 8), th = h - 2 * (h / 8);
  const int32_t cx = (t.left + t.right) / 2, cy = (t.top + t.bottom) / 2;
  return {cx - tw / 2, cy - th / 2, cx - tw / 2 + tw, cy - th / 2 + th};
}

TacMinTimer::TacMinTimer(TsSkinProvider* provider) : TacThreadedTimer(provider, true), Provider(provider) {
  SetInterval(kMinInterval);
  SavedImage = NewBitmap32(0, 0);
}

TacMinTimer::~TacMinTimer() { SetEnabled(false); }

void TacMinTimer::Init() {
  SetInterval(kMinInterval);
  StepCount = std::max(1, MinimizingTime(Provider) / int32_t(kMinInterval));
  if (!FormHandle && Provider && Provider->Form() && Provider->Form()->HandleAllocated())
    FormHandle = Provider->Form()->Handle();
  RECT r{};
  // With a border window the whole image is the border window's: it flies from there.
  HWND from = Provider && Provider->BorderForm && Provider->BorderForm->Handle() ? Provider->BorderForm->Handle()
                                                                                : FormHandle;
  if (from) GetWindowRect(from, &r);
  WindowRect = {r.left, r.top, r.right, r.bottom};
  TargetRect = GetTargetRect(WindowRect, Provider && Provider->Composition);
  Minimize.emplace(WindowRect, TargetRect, StepCount, TargetAlpha);
  Restore.reset();
  if (!Frame) Frame = NewBitmap32(r.right - r.left, r.bottom - r.top);
  else Frame->SetSize(r.right - r.left, r.bottom - r.top);
  if (!AnimForm) {
    AnimForm = std::make_unique<TacGlowForm>(nullptr);
    AnimForm->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    AnimForm->HandleNeeded();
    SetWindowLongPtrW(AnimForm->Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrW(AnimForm->Handle(), GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  }
}

void TacMinTimer::PrepareRestore() {
  SetInterval(kMinInterval);
  Restore.emplace(WindowRect, TargetRect, MinimizingTime(Provider) / int32_t(kMinInterval) + 1, TargetAlpha);
  Minimize.reset();
}

void TacMinTimer::ShowAt(gui::TBitmap& bmp, const TacFlight& f) {
  if (!AnimForm || !AnimForm->HandleAllocated()) return;
  const POINT at{LONG(std::lround(f.Left)), LONG(std::lround(f.Top))};
  SetLayeredBitmap(AnimForm->Handle(), &bmp, BYTE(std::clamp(std::lround(f.Alpha), 0L, 255L)), &at);
  HWND tray = TaskBarWindow();
  SetWindowPos(AnimForm->Handle(), tray ? tray : HWND_TOP, 0, 0, 0, 0, kShowFlags);
}

void TacMinTimer::Step() {
  if (busy_) return;
  if (!AnimForm || !AnimForm->HandleAllocated()) {
    SetEnabled(false);
    return;
  }
  busy_ = true;
  if (!Minimized && Minimize) {
    const bool going = Minimize->Step();
    if (going) {
      // The saved image stretched to the flight's size in a frame of the window's size.
      TBitmap32 px = Pixels32(*Frame);
      GdiFlush();
      for (int y = 0; y < px.Height(); ++y)
        for (int x = 0; x < px.Width(); ++x) px.At(x, y) = 0;
      const TacFlight& f = Minimize->Cur;
      const int w = std::max(0, int(f.Right - f.Left)), h = std::max(0, int(f.Bottom - f.Top));
      SetStretchBltMode(Frame->Canvas().Handle(), COLORONCOLOR);
      StretchBlt(Frame->Canvas().Handle(), 0, 0, w, h, SavedImage->Canvas().Handle(), 0, 0, SavedImage->Width(),
                 SavedImage->Height(), SRCCOPY);
      ShowAt(*Frame, f);
    } else {
      SetEnabled(false);
      if (Provider) Provider->SetFormState(Provider->FormState() & ~psMinimizing);
      if (FormHandle)
        SetWindowLongPtrW(FormHandle, GWL_EXSTYLE, GetWindowLongPtrW(FormHandle, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
      ShowWindow(AnimForm->Handle(), SW_HIDE);
      Minimized = true;
    }
  } else if (Minimized && Restore) {
    if (Provider && (Provider->FormState() & psSysRestoring)) {
      busy_ = false;
      return;
    }
    if (Restore->Step()) {
      ShowAt(*SavedImage, Restore->Cur);
    } else {
      SetEnabled(false);
      TacFlight done = Restore->Cur;
      done.Left = WindowRect.Left, done.Top = WindowRect.Top, done.Alpha = TargetAlpha;
      ShowAt(*SavedImage, done);
      if (FormHandle && IsIconic(FormHandle)) {
        const bool systemAnimation = MinimizeAnimationOn();
        if (systemAnimation) SetMinimizeAnimation(false);
        ShowWindow(FormHandle, IsZoomed(FormHandle) ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
        if (systemAnimation) SetMinimizeAnimation(true);
      }
      if (Provider) Provider->SetFormState(Provider->FormState() & ~psRestoring);
      if (FormHandle) {
        SetWindowLongPtrW(FormHandle, GWL_EXSTYLE, GetWindowLongPtrW(FormHandle, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
        RedrawWindow(FormHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      }
      ShowWindow(AnimForm->Handle(), SW_HIDE);
      Minimized = false;
      if (TacBorderForm* border = Provider ? Provider->BorderForm.get() : nullptr) {
        border->Updating = false;
        Provider->SkinData()->FCacheInvalid = true;
        border->UpdateBorderWindow(true);
      }
    }
  }
  busy_ = false;
}

bool StartMinimizeAnimation(TsSkinProvider* p) {
  if (!p || !p->Form() || !p->SkinData()) return false;
  TsSkinManager* m = p->SkinData()->GetSkinManager();
  if (!IsCompositionEnabled() && Globals().WinVersionFlag >= 6) return false;
  if (!m || !m->AnimEffects.Minimizing.Active || !m->Effects.AllowAnimation) return false;
  if (p->FormState() & psMinimizing) return true;
  p->SetFormState((p->FormState() | psMinimizing) & ~psRestoring);
  auto* t = p->MinTimer;
  if (!t) p->MinTimer = t = new TacMinTimer(p);
  if (auto image = p->FormImageWithClient()) t->SavedImage = std::move(image);
  t->Minimized = false;
  t->Init();
  if (TacBorderForm* border = p->BorderForm.get(); border && border->Handle()) {
    // The flight shows the border window's image: the border window itself waits hidden.
    border->Updating = true;
    ShowWindow(border->Handle(), SW_HIDE);
  }
  HWND wnd = p->Form()->Handle();
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(wnd, 0, 0, LWA_ALPHA);
  t->Step();
  if (t->StepCount > 1) t->SetEnabled(true);
  return true;
}

bool StartRestoreAnimation(TsSkinProvider* p) {
  TacMinTimer* t = p ? p->MinTimer : nullptr;
  if (!t || (p->FormState() & psRestoring)) return true;
  p->SetFormState((p->FormState() & ~psMinimizing) | psRestoring);
  p->FormActive = 1;
  t->PrepareRestore();
  if (p->BorderForm) p->BorderForm->Updating = true;  // shown again when the flight lands
  HWND wnd = p->Form()->Handle();
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(wnd, 0, 0, LWA_ALPHA);
  t->SetEnabled(true);
  return true;
}

// ---------------------------------------------------------------- blend on moving

namespace {
// Skin commands told to the form around the drag: its layering changed, its alpha, the drag
// begins; and to a glued form: its alpha.
constexpr WORD kCmdLayeredChanged = 77, kCmdFormAlpha = 78, kCmdBlendMoving = 81, kCmdBorderBlendMoving = 82;

void TellGluedForms(TsSkinProvider* p, BYTE alpha) {
  for (gui::TCustomForm* f : SkinnedForms())
    if (f != p->Form() && f->HandleAllocated() && p->IsGluedTo(f) && IsWindowVisible(f->Handle()))
      SendMessageW(f->Handle(), SM_ALPHACMD, MakeSkinCommand(AC_SETALPHA), alpha);
}
}  // namespace

TacMoveTimer::TacMoveTimer(TsSkinProvider* provider) : TacThreadedTimer(provider, true), Provider(provider) {
  SetInterval(12);
}

void TacMoveTimer::Step() {
  if (!Enabled() || !FormHandle) return;
  const BYTE a = BYTE(std::clamp(std::lround(CurAlpha), 0L, 255L));
  TacBorderForm* border = Provider ? Provider->BorderForm.get() : nullptr;
  if (border && border->Handle() && Provider->SkinData() && !Provider->SkinData()->CacheEmpty()) {
    // The border window carries the whole form while it is dragged.
    SetLayeredBitmap(border->Handle(), Provider->SkinData()->FCache.get(), a, nullptr);
    TellGluedForms(Provider, a);
    if (CurAlpha > TargetAlpha) CurAlpha = std::max(double(TargetAlpha), CurAlpha - BlendStep);
    return;
  }
  const LONG_PTR ex = GetWindowLongPtrW(FormHandle, GWL_EXSTYLE);
  if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(FormHandle, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  SetLayeredWindowAttributes(FormHandle, 0, a, LWA_ALPHA);
  SendMessageW(FormHandle, SM_ALPHACMD, MakeSkinCommand(kCmdFormAlpha), a);
  if (Provider) TellGluedForms(Provider, a);
  if (CurAlpha > TargetAlpha) CurAlpha = std::max(double(TargetAlpha), CurAlpha - BlendStep);
}

void StartBlendMoving(TsSkinProvider* p, bool doMove) {
  if (!p || !p->Form() || !p->SkinData() || (p->FormState() & psBlendMoving)) return;
  p->MoveGluedForms(false);
  TsSkinManager* m = p->SkinData()->GetSkinManager();
  if (!m || !m->AnimEffects.BlendOnMoving.Active) return;
  HWND wnd = p->Form()->Handle();
  p->SetFormState(p->FormState() | psBlendMoving);
  SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(kCmdBlendMoving), 0);
  delete p->MoveTimer;
  auto* t = p->MoveTimer = new TacMoveTimer(p);
  t->FormHandle = wnd;
  t->CurAlpha = 255;
  t->TargetAlpha = p->AllowBlendOnMoving ? m->AnimEffects.BlendValue : 255;
  const int time = m->AnimEffects.BlendOnMoving.Time;
  t->BlendStep = time < 13 ? 255.0 - t->TargetAlpha : (255.0 - t->TargetAlpha) / (time / 12.0);
  if (TacBorderForm* border = p->BorderForm.get(); border && border->Handle()) {
    // The border window shows the whole form, client and all; the form itself goes clear
    // just below it, and the border window is what the mouse drags.
    SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(kCmdBorderBlendMoving), 0);
    border->UpdateBorderWindow(false);
    border->Updating = true;
    HWND bw = border->Handle();
    SetWindowPos(wnd, bw, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(wnd, 0, 0, LWA_ALPHA);
    t->SetEnabled(true);
    if (doMove) {
      SendMessageW(bw, WM_SYSCOMMAND, 0xF012, 0);  // the border window's drag loop
      if (p->BorderForm) {
        p->BorderForm->TitleClipped = false;
        if (p->BorderForm->SavedTop < 0)
          SetWindowPos(bw, nullptr, p->BorderForm->SavedLeft, p->BorderForm->SavedTop, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      FinishBlendMoving(p);
    }
    return;
  }
  {
    // The form turns layered under a picture of itself, so that the change does not flash.
    std::unique_ptr<TacGlowForm> snapshot = CreateSnapshotForm(wnd, p);
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(wnd, 0, 255, LWA_ALPHA);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  }
  t->SetEnabled(true);
  if (doMove) {
    SendMessageW(wnd, WM_SYSCOMMAND, 0xF012, 0);  // the drag's own loop; returns when it ends
    FinishBlendMoving(p);
  }
}

namespace {
// The form comes back where its border window was dragged to, under it and opaque.
void FinishBorderBlendMoving(TsSkinProvider* p, TacBorderForm& border) {
  HWND wnd = p->Form()->Handle(), bw = border.Handle();
  if (!p->SkinData()->CacheEmpty()) SetLayeredBitmap(bw, p->SkinData()->FCache.get(), 255, nullptr);
  RECT br{};
  GetWindowRect(bw, &br);
  SetWindowPos(wnd, bw, br.left + border.OwnerOffsetX(), br.top + border.OwnerOffsetY(), 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE);
  p->SetFormState(p->FormState() & ~psBlendMoving);
  SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(kCmdLayeredChanged), 0);
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
  p->SkinData()->FCacheInvalid = true;
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  border.Updating = false;
  border.UpdateBorderWindow(true);
  TellGluedForms(p, 255);
  delete p->MoveTimer;
  p->MoveTimer = nullptr;
  // Dropped at the very top of the work area, a sizeable form with a maximize button fills it.
  POINT c{};
  GetCursorPos(&c);
  gui::TCustomForm* f = p->Form();
  if (c.y == GetWorkAreaAtPoint({c.x, c.y}).Top && f->BorderStyle == gui::TFormBorderStyle::bsSizeable &&
      (f->BorderIcons & gui::biMaximize))
    ShowWindow(wnd, SW_MAXIMIZE);
}
}  // namespace

void FinishBlendMoving(TsSkinProvider* p) {
  static bool finishing = false;
  if (!p || !p->Form() || finishing) return;
  finishing = true;
  HWND wnd = p->Form()->Handle();
  if (p->MoveTimer) p->MoveTimer->SetEnabled(false);
  if (TacBorderForm* border = p->BorderForm.get(); border && border->Handle()) {
    FinishBorderBlendMoving(p, *border);
    finishing = false;
    return;
  }
  {
    // Covered by its picture while it becomes a plain window again and repaints.
    std::unique_ptr<TacGlowForm> snapshot = CreateSnapshotForm(wnd, p);
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
    UpdateWindow(wnd);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  }
  p->SetFormState(p->FormState() & ~psBlendMoving);
  SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(kCmdFormAlpha), 255);
  SendMessageW(wnd, SM_ALPHACMD, MakeSkinCommand(kCmdLayeredChanged), 0);
  TellGluedForms(p, 255);
  delete p->MoveTimer;
  p->MoveTimer = nullptr;
  finishing = false;
}

}  // namespace skin

#include "skin/core/acLayeredWindows.h"

#include <algorithm>
#include <cstring>

#include "skin/core/acControlUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSysUtils.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {

std::unique_ptr<gui::TBitmap> CopyBitmap32(gui::TBitmap& src) {
  auto bmp = NewBitmap32(src.Width(), src.Height());
  BitBlt(bmp->Canvas().Handle(), 0, 0, src.Width(), src.Height(), src.Canvas().Handle(), 0, 0, SRCCOPY);
  return bmp;
}

namespace {

constexpr COLORREF kNoKey = 0x1FFFFFFF;  // clNone: no colour key

void AddExStyle(HWND wnd, LONG_PTR bits) {
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | bits);
}

}  // namespace

std::unique_ptr<TacGlowForm> CreateSnapshotWindow(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  auto window = std::make_unique<TacGlowForm>(nullptr);
  window->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  window->HandleNeeded();
  AddExStyle(window->Handle(), WS_EX_LAYERED | WS_EX_NOACTIVATE);
  return window;
}

// ---------------------------------------------------------------- layered windows

std::unique_ptr<gui::TBitmap> NewBitmap32(int width, int height) {
  auto bmp = std::make_unique<gui::TBitmap>(width, height, gui::pf32bit);
  TBitmap32 px = Pixels32(*bmp);
  if (px.HasRows()) FillBitmapRect(px, TRect{0, 0, width, height}, 0, 0);
  return bmp;
}

void UpdateLayeredImage(HWND wnd, gui::TBitmap& bmp, BYTE alpha, const POINT* pos) {
  if (!UpdateLayeredWindowProc) return;
  HDC screen = GetDC(nullptr);
  SIZE size{bmp.Width(), bmp.Height()};
  POINT source{0, 0};
  POINT at = pos ? *pos : POINT{};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  // A failure leaves the window as it was; the animation goes on.
  UpdateLayeredWindowProc(wnd, screen, pos ? &at : nullptr, &size, bmp.Canvas().Handle(), &source, kNoKey, &blend,
                          ULW_ALPHA);
  ReleaseDC(nullptr, screen);
}

bool SetWindowLayered(HWND wnd, bool layered, BYTE alpha) {
  const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  if (!layered || !LayeredWindowsAvailable()) {
    SetWindowLongPtrW(wnd, GWL_STYLE, GetWindowLongPtrW(wnd, GWL_STYLE) & ~LONG_PTR(WS_VISIBLE));
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
    return false;
  }
  const bool added = !(ex & WS_EX_LAYERED);
  if (added) SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  if (SetLayeredWindowAttributesProc) SetLayeredWindowAttributesProc(wnd, kNoKey, alpha, LWA_ALPHA);
  return added;
}

void SetLayeredBitmap(HWND wnd, gui::TBitmap* bmp, BYTE alpha, const POINT* pos) {
  RECT r{};
  GetWindowRect(wnd, &r);
  std::unique_ptr<gui::TBitmap> empty;
  if (!bmp) {
    empty = NewBitmap32(r.right - r.left, r.bottom - r.top);
    bmp = empty.get();
  }
  if (!(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED)) {
    // Without composition what lay below must be painted before the window turns layered.
    const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
    SetWindowLongPtrW(wnd, GWL_STYLE, style & ~LONG_PTR(WS_VISIBLE));
    AddExStyle(wnd, WS_EX_LAYERED);
    RedrawWindow(nullptr, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SetWindowLongPtrW(wnd, GWL_STYLE, style | WS_VISIBLE);
  }
  AddExStyle(wnd, WS_EX_LAYERED);
  UpdateLayeredImage(wnd, *bmp, alpha, pos);
}

void ClearBitmapRects(const std::vector<gui::TRect>& rects, gui::TBitmap& bmp) {
  TBitmap32 px = Pixels32(bmp);
  if (!px.HasRows()) return;
  for (const gui::TRect& r : rects) FillBitmapRect(px, TRect{r.Left, r.Top, r.Right, r.Bottom}, 0, 0);
}

void PaintAnimFrame(gui::TBitmap& frameImage, gui::TBitmap& picture, const TacAnimFrame& frame) {
  if (frame.Cleared) {
    TBitmap32 px = Pixels32(frameImage);
    if (px.HasRows()) FillBitmapRect(px, TRect{0, 0, frameImage.Width(), frameImage.Height()}, 0, 0);
  }
  HDC dst = frameImage.Canvas().Handle(), src = picture.Canvas().Handle();
  switch (frame.Paint) {
    case TacFramePaint::fpCopy:
      BitBlt(dst, 0, 0, picture.Width(), picture.Height(), src, 0, 0, SRCCOPY);
      break;
    case TacFramePaint::fpStretch:
      SetStretchBltMode(dst, COLORONCOLOR);
      StretchBlt(dst, frame.X, frame.Y, frame.Width, frame.Height, src, 0, 0, picture.Width(), picture.Height(),
                 SRCCOPY);
      break;
    case TacFramePaint::fpKeep:
      break;
  }
}

TacAnimatedForm* GetAnimatedForm(HWND wnd) {
  if (!wnd || !IsWindow(wnd)) return nullptr;
  return reinterpret_cast<TacAnimatedForm*>(SendSkinCommand(wnd, AC_GETPROVIDER));
}

// ---------------------------------------------------------------- hide

TacHideTimer* HideTimer = nullptr;

TacHideTimer::TacHideTimer(rtl::TComponent* owner) : TacThreadedTimer(owner, false) {}

TacHideTimer::~TacHideTimer() {
  FireAfterAnimation();
  if (HideTimer == this) HideTimer = nullptr;
}

void TacHideTimer::FireAfterAnimation() {
  if (AfterAnimationFired || !ParentWnd) return;
  TacAnimatedForm* provider = GetAnimatedForm(ParentWnd);
  if (!provider || !provider->OnAfterAnimation) return;
  AfterAnimationFired = true;
  provider->OnAfterAnimation(TacAnimEvent::aeHiding);
}

void TacHideTimer::HideStep() {
  if (!Window) return;
  bool goOn = true;
  if (StepIndex <= FrameCount) {
    const TacAnimFrame frame = Frames->Draw();
    PaintAnimFrame(*FrameImage, *Image, frame);
    // A window that lost its handle shows nothing more; the hide ends normally.
    if (Window->HandleAllocated() && IsWindow(Window->Handle()))
      UpdateLayeredImage(Window->Handle(), *FrameImage, frame.Alpha);
    goOn = Frames->Advance();
    ++StepIndex;
  }
  if (!goOn || StepIndex > FrameCount) Finish();
}

void TacHideTimer::Finish() {
  StepIndex = FrameCount + 1;
  SetEnabled(false);
  FireAfterAnimation();
  SetOnTimer(nullptr);
  SetInterval(65535);
  Window.reset();
  Image.reset();
  FrameImage.reset();
  Frames.reset();
}

void StartHideAnimation(std::unique_ptr<TacGlowForm> window, std::unique_ptr<gui::TBitmap> image, int timeMs,
                        int startAlpha, TacAnimType mode, HWND parentWnd) {
  if (HideTimer && HideTimer->Window) {
    // The running hide ends here: its window goes at once, its form hears of it.
    HideTimer->FireAfterAnimation();
    HideTimer->SetEnabled(false);
    HideTimer->Window.reset();
  }
  const int frames = AnimFrameCount(timeMs);
  if (frames == 0 || !window || !image) return;
  if (!HideTimer) HideTimer = new TacHideTimer(gui::Application);
  TacHideTimer* t = HideTimer;
  t->ParentWnd = parentWnd;
  t->AfterAnimationFired = false;
  t->StepIndex = 0;
  t->Image = std::move(image);
  t->Window = std::move(window);
  t->SetInterval(kAnimFramePeriod);
  t->FrameCount = frames;
  const int w = t->Image->Width(), h = t->Image->Height();
  t->Frames = std::make_unique<TacHideFrames>(w, h, timeMs, startAlpha, mode);

  HWND wnd = t->Window->Handle();
  AddExStyle(wnd, WS_EX_LAYERED | WS_EX_NOACTIVATE);
  UpdateLayeredImage(wnd, *t->Image, BYTE(startAlpha));
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kStillFlags);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  const bool topmost = GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST;
  SetWindowPos(wnd, HWND_TOPMOST, t->Window->Left(), t->Window->Top(), w, h,
               SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW | (topmost ? 0 : SWP_NOZORDER));
  t->FrameImage = NewBitmap32(w, h);

  if (gui::Application && gui::Application->Terminated()) {
    // No message loop will tick the timer any more: the frames run here.
    while (t->Window && t->StepIndex <= t->FrameCount) {
      const uint64_t tick = GetTickCount64();
      t->HideStep();
      WaitUntilTick(tick, kAnimFramePeriod);
    }
    return;
  }
  t->SetOnTimer([t](rtl::TObject*) { t->HideStep(); });
  t->HideStep();
  if (t->Window) t->SetEnabled(true);
}

void AnimHideForm(TacAnimatedForm* provider, int timeMs, TacAnimType mode) {
  if (!provider) return;
  gui::TCustomForm* form = provider->AnimForm();
  if (!form || form->FormStyle == gui::TFormStyle::fsMDIChild || !provider->FormImage() || !form->HandleAllocated())
    return;
  const int startAlpha = form->AlphaBlend() ? form->AlphaBlendValue() : 255;
  AnimationInProgress = true;
  if (!provider->PreparingHide()) provider->PrepareCache();
  gui::TBitmap* cache = provider->FormImage();
  if (!cache) {
    AnimationInProgress = false;
    return;
  }
  HWND wnd = form->Handle();
  std::unique_ptr<TacGlowForm> window = provider->TakeSnapshotWindow();
  if (!window) window = CreateSnapshotWindow(wnd);
  SetWindowLayered(wnd, true, 1);
  auto picture = CopyBitmap32(*cache);
  provider->PrepareRegionRects();
  ClearBitmapRects(provider->RegionRects, *picture);
  StartHideAnimation(std::move(window), std::move(picture), timeMs, startAlpha, mode, wnd);
  SetWindowLayered(wnd, startAlpha != 255, BYTE(startAlpha));
  AnimationInProgress = false;
}

// ---------------------------------------------------------------- show

void RestoreFormLayering(gui::TCustomForm* form) {
  if (!form->HandleAllocated()) return;
  HWND wnd = form->Handle();
  if (form->AlphaBlend()) {
    SetWindowLayered(wnd, true, form->AlphaBlendValue());
    return;
  }
  if (SetLayeredWindowAttributesProc) SetLayeredWindowAttributesProc(wnd, kNoKey, 255, LWA_ALPHA);
  // Left layered at the alpha of the show's start, the form would stay invisible.
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
}

void ForceRelayout(gui::TCustomForm* form, HWND wnd) {
  RECT r{};
  if (!GetWindowRect(wnd, &r)) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  // A form held at its smallest size by its constraints would not come back to it.
  if (form && ((form->Constraints.MinHeight != 0 && form->Constraints.MinHeight == form->Height()) ||
               (form->Constraints.MinWidth != 0 && form->Constraints.MinWidth == form->Width())))
    return;
  rtl::TNotifyEvent onResize;
  if (form) std::swap(onResize, form->OnResize);
  SetWindowPos(wnd, nullptr, 0, 0, w, h - 1, 0x616);
  SetWindowPos(wnd, nullptr, 0, 0, w, h, 0x616);
  if (form) std::swap(onResize, form->OnResize);
}

namespace {
// Plays a show animation's frames of Picture on the layered window Wnd, one per frame period
// (at most Frames + 1 of them), leaving the last frame on it.
void PlayShowFrames(HWND wnd, gui::TBitmap& picture, int timeMs, int blendValue, TacAnimType mode, bool dialog,
                    int frames) {
  if (frames <= 0) return;
  const int w = picture.Width(), h = picture.Height();
  auto frameImage = NewBitmap32(w, h);
  SetStretchBltMode(frameImage->Canvas().Handle(), COLORONCOLOR);
  TacShowFrames show(w, h, timeMs, blendValue, mode, dialog);
  for (int i = 0; i <= frames; ++i) {
    const uint64_t tick = GetTickCount64();
    const TacAnimFrame frame = show.Draw();
    PaintAnimFrame(*frameImage, picture, frame);
    UpdateLayeredImage(wnd, *frameImage, frame.Alpha);
    if (!show.Advance()) break;
    WaitUntilTick(tick, kAnimFramePeriod);
  }
}
}  // namespace

void AnimShowForm(TacAnimatedForm* provider, int timeMs, int blendValue, TacAnimType mode) {
  if (!provider || !provider->HasSkinData()) return;
  gui::TCustomForm* form = provider->AnimForm();
  if (!form) return;
  HWND wnd = form->Handle();
  if (IsIconic(wnd)) return;
  AnimationInProgress = true;
  provider->PrepareCache();
  gui::TBitmap* cache = provider->FormImage();
  if (!cache) {
    AnimationInProgress = false;
    return;
  }
  auto window = std::make_unique<TacGlowForm>(nullptr);
  auto picture = NewBitmap32(cache->Width(), cache->Height());
  provider->PaintFormImage(*picture);
  RECT r{};
  GetWindowRect(wnd, &r);
  // With a border window the picture has the shadow around the form, which keeps its alpha.
  const POINT offset = provider->BorderOffset();
  {
    TBitmap32 px = Pixels32(*picture);
    if (px.HasRows())
      FillBitmapAlpha(px, TRect{offset.x, offset.y, offset.x + (r.right - r.left), offset.y + (r.bottom - r.top)}, 255,
                      0x1FFFFFFF);
  }
  r = {r.left - offset.x, r.top - offset.y, r.right, r.bottom};
  const int w = picture->Width(), h = picture->Height();
  const int frames = AnimFrameCount(timeMs);
  const BYTE firstAlpha = BYTE(frames > 0 ? 0 : blendValue);
  provider->PrepareRegionRects();
  ClearBitmapRects(provider->RegionRects, *picture);

  HWND insertAfter = wnd;
  if (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) {
    window->FormStyle = gui::TFormStyle::fsStayOnTop;
    insertAfter = HWND_TOPMOST;
  } else if (form->FormState() & gui::fsModal) {
    window->FormStyle = gui::TFormStyle::fsStayOnTop;
  }
  window->SetBounds(r.left, r.top, w, h);
  HWND aw = window->Handle();
  AddExStyle(aw, WS_EX_NOACTIVATE | WS_EX_LAYERED);
  UpdateLayeredImage(aw, *picture, firstAlpha);
  SetWindowPos(aw, nullptr, 0, 0, 0, 0, kShowFlags);
  ShowWindow(aw, SW_SHOWNOACTIVATE);
  SetWindowPos(aw, insertAfter, r.left, r.top, w, h, kFrameFlags);

  PlayShowFrames(aw, *picture, timeMs, blendValue, mode, false, frames);
  SetWindowPos(aw, nullptr, r.left, r.top, w, h, kFrameFlags | SWP_NOZORDER);
  UpdateLayeredImage(aw, *picture, BYTE(blendValue));

  provider->ClearPendingShow();
  SetWindowLayered(wnd, true, 0);
  static constexpr int kShowCommand[] = {SW_SHOWNORMAL, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED};
  ShowWindow(wnd, kShowCommand[int(form->WindowState)]);
  SetWindowPos(wnd, aw, 0, 0, 0, 0, kBehindFlags);
  RestoreFormLayering(form);
  AnimationInProgress = false;
  ForceRelayout(form, wnd);
  EndUpdateChildControls(form);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  SetWindowPos(aw, wnd, 0, 0, 0, 0, kBehindFlags);
  window.reset();
  if (provider->OnAfterAnimation) provider->OnAfterAnimation(TacAnimEvent::aeShowing);
}

bool (*CompositionEnabledProc)() = [] { return false; };

// ---------------------------------------------------------------- native dialogs

void PrintChildWindows(HWND wnd, HDC dc) {
  for (HWND child = GetTopWindow(wnd); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int saved = SaveDC(dc);
    RECT r{};
    GetWindowRect(child, &r);
    POINT at{r.left, r.top};
    ScreenToClient(GetParent(child), &at);
    OffsetWindowOrgEx(dc, -at.x, -at.y, nullptr);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & WS_CHILD) && (style & WS_VISIBLE)) {
      const LRESULT answer = SendSkinCommand(child, AC_PRINTING, reinterpret_cast<LPARAM>(dc));
      if (answer == 1 || IsWndSkinned(child)) {
        SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
      } else {
        // A child without a hook prints nothing for an empty request: it is asked for
        // what it shows on screen (its own children come below, one by one).
        SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
      }
      SendSkinCommand(child, AC_PRINTING, 0);
    }
    PrintChildWindows(child, dc);
    RestoreDC(dc, saved);
  }
}

void PaintDialogToBitmap(TacAnimatedDialog* dialog, gui::TBitmap& bmp, bool fromScreen, POINT at) {
  HWND wnd = dialog ? dialog->DialogHandle() : nullptr;
  if (!wnd || bmp.Empty()) return;
  const int ox = at.x + dialog->ClientOffsetX(), oy = at.y + dialog->ClientOffsetY();
  RECT cr{};
  GetClientRect(wnd, &cr);
  // Around a dialog with a border window lies the shadow, which keeps its own alpha.
  const bool shadowed = at.x != 0 || at.y != 0;
  TRect opaque = shadowed ? TRect{ox, oy, std::min<int>(ox + cr.right, bmp.Width()), std::min<int>(oy + cr.bottom, bmp.Height())}
                          : TRect{0, 0, bmp.Width(), bmp.Height()};
  if (fromScreen) {
    const gui::TRect c = GetClientRectInWindow(wnd);
    HDC dc = GetWindowDC(wnd);
    if (dc) {
      BitBlt(bmp.Canvas().Handle(), ox, oy, c.Width(), c.Height(), dc, c.Left, c.Top, SRCCOPY);
      ReleaseDC(wnd, dc);
    }
    opaque = TRect{ox, oy, std::min<int>(ox + c.Width(), bmp.Width()), std::min<int>(oy + c.Height(), bmp.Height())};
  } else {
    gui::TCanvas& canvas = bmp.Canvas();
    canvas.Lock();
    HDC dc = canvas.Handle();
    const int saved = SaveDC(dc);
    try {
      OffsetWindowOrgEx(dc, -ox, -oy, nullptr);
      IntersectClipRect(dc, 0, 0, cr.right, cr.bottom);
      PrintChildWindows(wnd, dc);
    } catch (...) {
      RestoreDC(dc, saved);
      canvas.Unlock();
      throw;
    }
    RestoreDC(dc, saved);
    canvas.Unlock();
  }
  GdiFlush();
  TBitmap32 px = Pixels32(bmp);
  if (px.HasRows()) FillBitmapAlpha(px, opaque, 255, 0x1FFFFFFF);
}

void AnimShowDialog(TacAnimatedDialog* dialog, int timeMs, int blendValue, TacAnimType mode) {
  HWND wnd = dialog ? dialog->DialogHandle() : nullptr;
  if (!wnd) return;
  AnimationInProgress = true;
  dialog->PrepareCache();
  gui::TBitmap* cache = dialog->DialogImage();
  if (!cache || cache->Empty()) {
    AnimationInProgress = false;
    return;
  }
  // With a border window the show plays in it, the dialog inside the skin's shadow.
  HWND border = dialog->AnimBorderWindow();
  gui::TBitmap* borderImage = border ? dialog->AnimBorderImage() : nullptr;
  if (!borderImage) border = nullptr;
  const POINT offset = border ? dialog->AnimBorderOffset() : POINT{};
  auto picture = CopyBitmap32(border ? *borderImage : *cache);
  PaintDialogToBitmap(dialog, *picture, false, offset);
  const int w = picture->Width(), h = picture->Height();
  const int frames = AnimFrameCount(timeMs);
  RECT r{};
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -offset.x, -offset.y);
  if (!border) {
    dialog->PrepareRegionRects();
    ClearBitmapRects(dialog->RegionRects, *picture);
  }

  std::unique_ptr<TacGlowForm> window;
  HWND insertAfter = wnd;
  const bool topmost = GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST;
  if (topmost) insertAfter = HWND_TOPMOST;
  HWND aw = border;
  if (!border) {
    window = std::make_unique<TacGlowForm>(nullptr);
    if (topmost) window->FormStyle = gui::TFormStyle::fsStayOnTop;
    window->SetBounds(r.left, r.top, w, h);
    aw = window->Handle();
  } else {
    SetWindowRgn(aw, nullptr, FALSE);
    if (topmost) SetWindowPos(aw, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(aw, nullptr, r.left, r.top, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  // The border window keeps its own style: after the show it carries the dialog's frame.
  AddExStyle(aw, border ? WS_EX_LAYERED : WS_EX_LAYERED | WS_EX_NOACTIVATE);
  UpdateLayeredImage(aw, *picture, BYTE(frames > 0 ? 0 : blendValue));
  ShowWindow(aw, SW_SHOWNOACTIVATE);
  SetWindowPos(aw, insertAfter, r.left, r.top, w, h, kFrameFlags);
  PlayShowFrames(aw, *picture, timeMs, blendValue, mode, true, frames);
  SetWindowRgn(aw, nullptr, FALSE);
  SetWindowPos(aw, nullptr, 0, 0, 0, 0, kFrameFlags | SWP_NOSIZE | SWP_NOMOVE);
  UpdateLayeredImage(aw, *picture, BYTE(blendValue));
  dialog->UpdateRegion(false);
  SetWindowPos(wnd, aw, 0, 0, 0, 0, kBehindFlags);
  SetWindowLongPtrW(wnd, GWL_STYLE, GetWindowLongPtrW(wnd, GWL_STYLE) | WS_VISIBLE);
  dialog->CallDialogProc(WM_SETREDRAW, 1, 0);
  AnimationInProgress = false;
  dialog->HoldPainting(true);
  ForceRelayout(nullptr, wnd);
  dialog->HoldPainting(false);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  if (border) {
    dialog->UpdateRegion(false);
    dialog->AnimBorderShown();
    SetWindowPos(aw, wnd, 0, 0, 0, 0, kFrameFlags | SWP_NOSIZE | SWP_NOMOVE);
    dialog->UpdateRegion(false);
    return;
  }
  SetWindowPos(aw, wnd, 0, 0, 0, 0, kFrameFlags | SWP_NOSIZE | SWP_NOMOVE);
}

void AnimHideDialog(TacAnimatedDialog* dialog, int timeMs, TacAnimType mode) {
  HWND wnd = dialog ? dialog->DialogHandle() : nullptr;
  gui::TBitmap* cache = dialog ? dialog->DialogImage() : nullptr;
  if (!wnd || !cache || cache->Empty()) return;
  AnimationInProgress = true;
  std::unique_ptr<TacGlowForm> window = dialog->TakeSnapshotWindow();
  std::unique_ptr<gui::TBitmap> picture;
  // A border window already lies over the dialog with its shadow: it plays the hide, and
  // a snapshot window a close made ready is not needed.
  gui::TBitmap* borderImage = dialog->AnimBorderWindow() ? dialog->AnimBorderImage() : nullptr;
  if (borderImage) picture = CopyBitmap32(*borderImage);
  if (std::unique_ptr<TacGlowForm> border = picture ? dialog->TakeBorderWindow() : nullptr) {
    window = std::move(border);
  } else {
    picture = CopyBitmap32(*cache);
    if (!window) window = CreateSnapshotWindow(wnd);
    dialog->PrepareRegionRects();
    ClearBitmapRects(dialog->RegionRects, *picture);
  }
  StartHideAnimation(std::move(window), std::move(picture), timeMs, 255, mode, nullptr);
  AnimationInProgress = false;
}

bool WaitWhilePumping(const std::function<bool()>& condition, unsigned timeoutMs) {
  const uint64_t start = GetTickCount64();
  while (condition()) {
    if (GetTickCount64() - start >= timeoutMs) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (condition()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

}  // namespace skin

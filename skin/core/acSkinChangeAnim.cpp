#include "skin/core/acSkinChangeAnim.h"

#include <string>

#include "gui/Forms.h"
#include "skin/core/acAnimFrames.h"
#include "skin/core/acBaseForms.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acLayeredWindows.h"
#include "skin/core/sConst.h"
#include "skin/core/sSysUtils.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"

namespace skin {

gui::TWinControl* SkinChangeWindow = nullptr;
gui::TBitmap* OldScreenImage = nullptr;

namespace {

constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

void SetOpaque(gui::TBitmap& bmp) {
  TBitmap32 px = Pixels32(bmp);
  if (px.HasRows()) FillBitmapAlpha(px, TRect{0, 0, bmp.Width(), bmp.Height()}, 255, 0x1FFFFFFF);
}

bool Showable(gui::TWinControl* control) {
  // A form's owner is the application window, so a form minimized by itself is asked too.
  return control && control->HandleAllocated() && IsWindowVisible(control->Handle()) &&
         !IsIconic(control->Handle()) && !IsIconic(GetRootWindow(control->Handle()));
}

void EndRedraw(gui::TWinControl* control) {
  control->Perform(WM_SETREDRAW, 1, 0);
  RedrawWindow(control->Handle(), nullptr, nullptr, kRedrawAll);
}

// The new look over the form in a layered window, faded (or grown) in; the form repaints.
void LayeredTransition(gui::TCustomForm* form, TacAnimatedForm* provider, int timeMs, int blendValue, bool aero) {
  // With an extended border the border window still shows the old look (frame, shadow and
  // all): it fades out under the new look, which lies over it at its place.
  HWND border = provider->BorderWindowHandle();
  std::unique_ptr<gui::TBitmap> oldImage;
  if (border) {
    if (gui::TBitmap* old = provider->FormImage(); old && !old->Empty()) oldImage = CopyBitmap32(*old);
  }
  provider->PrepareCache();
  gui::TBitmap* cache = provider->FormImage();
  if (!cache) {
    AnimationInProgress = false;
    return;
  }
  auto newImage = NewBitmap32(cache->Width(), cache->Height());
  provider->PaintFormImage(*newImage);
  if (!border) SetOpaque(*newImage);
  const int w = newImage->Width(), h = newImage->Height();
  const int frames = AnimFrameCount(timeMs);
  HWND wnd = form->Handle();

  auto window = std::make_unique<TacGlowForm>(nullptr);
  RECT r{};
  GetWindowRect(wnd, &r);
  const POINT offset = border ? provider->BorderOffset() : POINT{};
  window->SetBounds(r.left - offset.x, r.top - offset.y, w, h);
  HWND aw = window->Handle();
  HWND insertAfter = GetWindow(wnd, GW_HWNDPREV);
  if (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) {
    window->FormStyle = gui::TFormStyle::fsStayOnTop;
    insertAfter = HWND_TOPMOST;
  }
  SetWindowPos(aw, insertAfter ? insertAfter : HWND_TOP, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  SetWindowLongPtrW(aw, GWL_EXSTYLE, GetWindowLongPtrW(aw, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  UpdateLayeredImage(aw, *newImage, BYTE(frames >= 1 ? 0 : blendValue));
  // The skin's shape: its transparent corners are not part of the window (the border
  // image carries its own shape in its alpha).
  if (!border) {
    HRGN region = CreateRectRgn(0, 0, w, h);
    provider->PrepareRegionRects();
    for (const gui::TRect& cut : provider->RegionRects) {
      HRGN c = CreateRectRgn(cut.Left, cut.Top, cut.Right, cut.Bottom);
      CombineRgn(region, region, c, RGN_DIFF);
      DeleteObject(c);
    }
    if (!SetWindowRgn(aw, region, FALSE)) DeleteObject(region);
  }
  ShowWindow(aw, SW_SHOWNOACTIVATE);

  if (frames > 0) {
    auto frameImage = NewBitmap32(w, h);
    TacSkinChangeFrames change(w, h, timeMs, blendValue, aero);
    for (int i = 0; i <= frames; ++i) {
      const uint64_t tick = GetTickCount64();
      const TacAnimFrame frame = change.Draw();
      PaintAnimFrame(*frameImage, *newImage, frame);
      UpdateLayeredImage(aw, *frameImage, frame.Alpha);
      if (border && oldImage && IsWindow(border)) UpdateLayeredImage(border, *oldImage, change.OldLookAlpha(frame.Alpha));
      change.Advance();
      WaitUntilTick(tick, kAnimFramePeriod);
    }
  }
  AnimationInProgress = false;
  if (form->AlphaBlend()) form->SetAlphaBlendValue(uint8_t(blendValue));
  EndRedraw(form);
  // The border window takes the new look before the window over it goes.
  if (border) provider->RefreshBorderWindow();
}

// Without layered windows: the old screen content mixed into the new look in a plain
// window over the control.
void PlainTransition(gui::TWinControl* control, int timeMs) {
  if (!SkinChangeWindow) SnapshotForSkinChange(control);
  if (!SkinChangeWindow || !OldScreenImage) {
    AnimationInProgress = false;
    EndRedraw(control);
    return;
  }
  HWND sw = SkinChangeWindow->Handle();
  if (control->Parent()) PlaceAbove(sw, control->Handle());
  const int w = control->Width(), h = control->Height();
  auto newImage = NewBitmap32(w, h);
  {
    HDC dc = newImage->Canvas().Handle();
    const int saved = SaveDC(dc);
    try {
      PaintControlToBitmap(*newImage, control, 0, 0, true);
    } catch (...) {
      RestoreDC(dc, saved);
      throw;
    }
    RestoreDC(dc, saved);
  }
  auto work = NewBitmap32(w, h);
  HDC windowDC = GetWindowDC(sw);
  TBitmap32 workPx = Pixels32(*work), oldPx = Pixels32(*OldScreenImage), newPx = Pixels32(*newImage);
  for (int weight : SkinChangeMixWeights(timeMs)) {
    const uint64_t tick = GetTickCount64();
    if (workPx.HasRows() && oldPx.HasRows() && newPx.HasRows()) MixBitmaps(workPx, oldPx, newPx, nullptr, weight);
    BitBlt(windowDC, 0, 0, w, h, work->Canvas().Handle(), 0, 0, SRCCOPY);
    WaitUntilTick(tick, kMixFramePeriod);
  }
  BitBlt(windowDC, 0, 0, w, h, newImage->Canvas().Handle(), 0, 0, SRCCOPY);
  AnimationInProgress = false;
  if (control->Visible()) {
    if (SkinChangeWindow->Parent()) {
      control->Perform(WM_SETREDRAW, 1, 0);
    } else {
      SetOpaque(*newImage);
      control->Perform(WM_SETREDRAW, 1, 0);
      SetLayeredBitmap(sw, newImage.get(), 254, nullptr);
    }
    RedrawWindow(control->Handle(), nullptr, nullptr, kRedrawAll);
    const bool layeredForm = dynamic_cast<gui::TCustomForm*>(control) &&
                             (GetWindowLongPtrW(control->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    if (!layeredForm)
      SetWindowPos(sw, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER);
  }
  ReleaseDC(sw, windowDC);
  FreeSkinChangeImages();
}

}  // namespace

TOutputWindow::TOutputWindow(rtl::TComponent* owner) : gui::TCustomControl(owner) {
  const std::string name = "acOW" + std::to_string(GetTickCount());
  SetName(name);
  SetText(name);
  SetVisible(false);
  SetColor(0x00FF00FF);
  Tag = Globals().SkipSkinTag;  // no hook takes this window
}

void TOutputWindow::CreateParams(gui::TCreateParams& params) {
  gui::TCustomControl::CreateParams(params);
  if (!Parent() && !params.WndParent) {
    params.Style = WS_POPUP;
    if (gui::Application) params.WndParent = gui::Application->Handle();
  }
}

void TOutputWindow::WndProc(gui::TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    m.Result = 1;
    return;
  }
  if (m.Msg == WM_NCPAINT) {
    m.Result = 0;
    return;
  }
  gui::TCustomControl::WndProc(m);
}

void PlaceAbove(HWND window, HWND control) {
  HWND above = GetWindow(control, GW_HWNDPREV);
  SetWindowPos(window, above && above != window ? above : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FreeSkinChangeImages() {
  delete SkinChangeWindow;
  SkinChangeWindow = nullptr;
  delete OldScreenImage;
  OldScreenImage = nullptr;
}

void SnapshotForSkinChange(gui::TWinControl* control) {
  if (!Showable(control)) return;
  RECT r{};
  GetWindowRect(control->Handle(), &r);
  const int w = control->Width(), h = control->Height();
  if (!OldScreenImage) OldScreenImage = NewBitmap32(w, h).release();
  HDC screen = GetDC(nullptr);
  BitBlt(OldScreenImage->Canvas().Handle(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  if (!SkinChangeWindow) SkinChangeWindow = new TOutputWindow(nullptr);
  if (gui::TWinControl* parent = control->Parent()) {
    SkinChangeWindow->SetParent(parent);
    SkinChangeWindow->SetBounds(control->Left(), control->Top(), w, h);
    ShowWindow(SkinChangeWindow->Handle(), SW_SHOWNA);
    PlaceAbove(SkinChangeWindow->Handle(), control->Handle());
  } else {
    SkinChangeWindow->SetBounds(r.left, r.top, w, h);
    SetWindowPos(SkinChangeWindow->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  }
}

void SkinChangeAnimation(gui::TWinControl* control, int timeMs, int blendValue, int mode) {
  if (!Showable(control)) return;
  AnimationInProgress = true;
  auto* form = dynamic_cast<gui::TCustomForm*>(control);
  TacAnimatedForm* provider = form ? GetAnimatedForm(form->Handle()) : nullptr;
  if (LayeredWindowsAvailable() && form && provider) {
    LayeredTransition(form, provider, timeMs, blendValue, mode == 1);
  } else {
    PlainTransition(control, timeMs);
  }
}

}  // namespace skin

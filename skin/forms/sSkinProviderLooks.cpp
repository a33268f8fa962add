// The provider's passing looks: the veil over a disabled form (blurred when asked) and the
// cover over the frame while the system repaints the native caption.
#include <algorithm>

#include "skin/core/acLayeredWindows.h"
#include "skin/core/sMessages.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acCaptForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acBlend.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGdiPlus.h"

namespace skin {

std::unique_ptr<gui::TBitmap> TsSkinProvider::FormImageWithClient() {
  skinData_->FCacheInvalid = true;
  PrepareCache();
  gui::TBitmap* cache = skinData_->FCache.get();
  if (!cache || cache->Empty()) return nullptr;
  auto image = CopyBitmap32(*cache);
  HWND wnd = FormHandle();
  gui::TRect c = GetClientRectInWindow(wnd);
  if (BorderForm) {
    // The image is the border window's: the client lies at the client offsets in it.
    RECT cr{};
    GetClientRect(wnd, &cr);
    c = {ClientOffsetX(), ClientOffsetY(), ClientOffsetX() + cr.right, ClientOffsetY() + cr.bottom};
  }
  HDC dc = image->Canvas().Handle();
  POINT old;
  SetViewportOrgEx(dc, c.Left, c.Top, &old);
  HRGN clip = CreateRectRgn(c.Left, c.Top, c.Right, c.Bottom);
  SelectClipRgn(dc, clip);
  SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
  GdiFlush();
  // The client area is painted without alpha: it is opaque.
  TBitmap32 px = Pixels32(*image);
  for (int y = std::max(0, c.Top); y < std::min(c.Bottom, px.Height()); ++y)
    for (int x = std::max(0, c.Left); x < std::min(c.Right, px.Width()); ++x) px.At(x, y) |= 0xFF000000u;
  return image;
}

void TsSkinProvider::UpdateDisabledLook() {
  if (!form_ || !skinData_) return;
  if (form_->Enabled()) {
    DisabledForm.reset();
    return;
  }
  FormActive = 0;
  auto image = FormImageWithClient();
  if (!image) return;
  if (!DisabledForm) {
    DisabledForm = std::make_unique<TacGlowForm>(nullptr);
    DisabledForm->HandleNeeded();
    SetWindowLongPtrW(DisabledForm->Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrW(DisabledForm->Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
  }
  // With a border window the image is the border window's: the veil lies over it.
  RECT wr;
  GetWindowRect(BorderForm && BorderForm->Handle() ? BorderForm->Handle() : FormHandle(), &wr);
  const uint32_t c = DisabledBlendColor, keep = 255u - DisabledBlendValue;
  const uint32_t tint = ((c & 0xFF) * keep >> 8) | (((c >> 8) & 0xFF) * keep >> 8) << 8 | (((c >> 16) & 0xFF) * keep >> 8) << 16;
  TBitmap32 px = Pixels32(*image);
  GdiFlush();
  // The value is how much of the form's own look stays: 255 leaves it, 0 shows the colour.
  TintBitmap(px, DisabledBlendValue, gui::TColor(tint));
  // The skin's transparent corners stay transparent.
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x)
      if ((px.At(x, y) & 0xFFFFFF) == 0xFF00FF) px.At(x, y) = 0;
  if (DisabledBlured) {
    BlurBitmap(*image, 20);
    // Only the frame and the client are veiled: whatever the blur spread into the shadow
    // band around the visible frame is taken away again.
    TBitmap32 b = Pixels32(*image);
    GdiFlush();
    const TacRect band = GetShadowSize();
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        if (x < band.Left || y < band.Top || x >= b.Width() - band.Right || y >= b.Height() - band.Bottom) b.At(x, y) = 0;
  }
  HWND veil = DisabledForm->Handle();
  const POINT at{wr.left, wr.top};
  UpdateLayeredImage(veil, *image, 255, &at);
  SetWindowPos(veil, HWND_TOP, wr.left, wr.top, 0, 0, 0x659);
  DisabledForm->Show();
}

void TsSkinProvider::ShowCaptForm() {
  if (!form_ || !DrawNonClient() || boolProps_[4] || (!form_->Enabled() && DisabledBlured)) return;
  HWND wnd = FormHandle();
  if (!wnd || IsIconic(wnd) || !IsWindowVisible(wnd) || (formState_ & psBlendMoving)) return;
  // A border window carries the title: only a menu line is left for the system to paint over.
  if (BorderForm && !HasVisibleMainMenu()) return;
  if (!CaptForm) {
    CaptForm = std::make_unique<TacCaptForm>(nullptr);
    CaptForm->Provider = this;
    CaptForm->HandleNeeded();
    if (!CaptForm->HandleAllocated()) {
      CaptForm.reset();
      return;
    }
  }
  RECT wr;
  GetWindowRect(wnd, &wr);
  const bool topmost = GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST;
  HWND cover = CaptForm->Handle();
  if (BorderForm) {
    // The cover lies over the menu line only, as the border window's image shows it.
    const int32_t frame = GetBorderWidth(false);
    const int32_t ch = GetMenuLineCount() * MenuLineHeight() + 1;
    const int32_t top = wr.top + ClientOffsetY() - BorderOffset().y - ch;
    SetWindowRgn(cover, nullptr, FALSE);
    SetWindowPos(cover, topmost ? HWND_TOPMOST : HWND_TOP, wr.left + frame, top, wr.right - wr.left - 2 * frame, ch,
                 SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    RedrawWindow(cover, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    Sleep(40);
    return;
  }
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  HRGN region;
  if (IsZoomed(wnd)) {
    const gui::TRect a = GetFormWorkArea(form_);
    region = CreateRectRgn(a.Left - wr.left, a.Top - wr.top, a.Right - wr.left, a.Bottom - wr.top);
  } else {
    region = CreateRectRgn(0, 0, w, h);
  }
  ExcludeWindowsAbove(wnd, region, {wr.left, wr.top});
  // Only the frame is covered: the client area goes on painting itself.
  const gui::TRect c = GetClientRectInWindow(wnd);
  HRGN client = CreateRectRgn(c.Left, c.Top, c.Right, c.Bottom);
  CombineRgn(region, region, client, RGN_DIFF);
  DeleteObject(client);
  SetWindowRgn(cover, region, FALSE);  // the window owns the region now
  SetWindowPos(cover, topmost ? HWND_TOPMOST : HWND_TOP, wr.left, wr.top, w, h,
               SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  ShowWindow(cover, SW_SHOWNOACTIVATE);
  RedrawWindow(cover, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
  // The cover must be on the screen before the system paints its caption.
  Sleep(40);
}

void TsSkinProvider::HideCaptForm() { CaptForm.reset(); }

void TsSkinProvider::PassCovered(gui::TMessage& m) {
  ShowCaptForm();
  if (oldWndProc_) oldWndProc_(m);
  HideCaptForm();
}

}  // namespace skin

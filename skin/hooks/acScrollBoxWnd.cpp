#include "skin/hooks/acScrollBoxWnd.h"

#include "skin/core/acControlPaint.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

void TacScrollBoxWnd::HookWindow(HWND wnd, const std::string& section) {
  Install(wnd, false, section.empty() ? kDefaultSection : section);
  if (TsCommonData* d = SkinData()) d->UpdateSkinIndex(true);
  AfterCreation();
  RepaintFrame(wnd, true);
}

void TacScrollBoxWnd::PrepareSkinCache() {
  TsCommonData* d = SkinData();
  if (!d) return;
  d->FCacheInvalid = true;
  PaintWindowCache(*d, Wnd(), false);
  d->FCacheInvalid = false;
}

void TacScrollBoxWnd::PaintClient(HDC dc) {
  TsCommonData* d = SkinData();
  if (!d || d->IsUpdating(false)) return;
  const bool own = dc == nullptr;
  if (own) dc = GetDC(Wnd());
  const int saved = SaveDC(dc);
  if (d->FPartlyPainted || d->FCacheInvalid || d->CacheEmpty()) PrepareSkinCache();
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  if (!d->CacheEmpty())
    BitBlt(dc, 0, 0, wr.right - wr.left - 4, wr.bottom - wr.top - 4, d->FCache->Canvas().Handle(), 2, 2, SRCCOPY);
  RestoreDC(dc, saved);
  if (own) ReleaseDC(Wnd(), dc);
}

void TacScrollBoxWnd::PaintFrame(HDC dc) {
  TsCommonData* d = SkinData();
  if (!d) return;
  const bool own = dc == nullptr;
  if (own) dc = GetWindowDC(Wnd());
  RECT wr, cr;
  GetWindowRect(Wnd(), &wr);
  GetClientRect(Wnd(), &cr);
  PrepareSkinCache();
  PaintScrollBars(dc);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  const int border = (w - cr.right) / 2;
  if (border > 0 && !d->CacheEmpty())
    CopyBorderFromDC(dc, 0, 0, w, h, d->FCache->Canvas().Handle(), 0, 0, border, 0, 0, 0);
  if (own) ReleaseDC(Wnd(), dc);
}

void TacScrollBoxWnd::HandleMessage(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !d || !d->IsSkinned()) {
    TacScrollWnd::HandleMessage(m);
    return;
  }
  switch (m.Msg) {
    case WM_ERASEBKGND:
      if (m.WParam) PaintClient(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(Wnd(), &ps);
      PaintClient(dc);
      if (!m.WParam) EndPaint(Wnd(), &ps);
      m.Result = 0;
      return;
    }
    case WM_PRINTCLIENT:
      PaintClient(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_NCPAINT: {
      // A uniform two-pixel frame from the image, then the bars.
      TacScrollWnd::HandleMessage(m);
      if (d->CacheEmpty() || d->FCacheInvalid) PrepareSkinCache();
      RECT wr;
      GetWindowRect(Wnd(), &wr);
      HDC dc = GetWindowDC(Wnd());
      if (!d->CacheEmpty())
        CopyBorderFromDC(dc, 0, 0, wr.right - wr.left, wr.bottom - wr.top, d->FCache->Canvas().Handle(), 0, 0, 2, 0,
                         0, 0);
      ReleaseDC(Wnd(), dc);
      PaintScrollBars();
      m.Result = 0;
      return;
    }
    case WM_SIZE:
    case WM_MOVE:
      d->FCacheInvalid = true;
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      TacScrollWnd::HandleMessage(m);
      if (!SendingScroll()) UpdateScrollInfo(true);
      InvalidateRect(Wnd(), nullptr, TRUE);
      return;
    default:
      break;
  }
  TacScrollWnd::HandleMessage(m);
}

}  // namespace skin

#include "skin/hooks/acContainerWnd.h"

#include <algorithm>

#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {
namespace {

// The window's image remade from its section when it is out of date.
bool RefreshImage(TsCommonData& d, HWND wnd, RECT& client) {
  if (!d.FCacheInvalid) return false;
  const TWndBounds b = GetWndBounds(wnd);
  GetClientRect(wnd, &client);
  EnsureCache(d, b.WndSize.x, b.WndSize.y);
  PaintWindowCache(d, wnd, false);
  PaintCacheCorners(d, 0, wnd);
  d.FCacheInvalid = false;
  return true;
}

// A frame Width pixels wide from the image onto the window.
void CopyFrame(TsCommonData& d, HWND wnd, int width) {
  if (d.CacheEmpty() || width <= 0) return;
  HDC dc = GetWindowDC(wnd);
  CopyBorderFromDC(dc, 0, 0, d.FCache->Width(), d.FCache->Height(), d.FCache->Canvas().Handle(), 0, 0, width, 0, 0, 0);
  ReleaseDC(wnd, dc);
}

}  // namespace

void TacContainerWnd::Install(HWND wnd, const std::string& section) {
  Attach(wnd, section);
  if (TsCommonData* d = SkinData()) d->UpdateSkinIndex(true);
  AfterCreationIn("TRANSPARENT");
}

void TacContainerWnd::PrepareCache() {
  TsCommonData* d = SkinData();
  if (!d) return;
  RefreshImage(*d, Wnd(), clientRect_);
  // Read every time: the image may have been made by the common answers meanwhile.
  const TWndBounds b = GetWndBounds(Wnd());
  RECT c;
  GetClientRect(Wnd(), &c);
  frameWidth_ = std::max(0, int(b.WndSize.y - c.bottom) / 2);
}

void TacContainerWnd::PaintFrame() {
  TsCommonData* d = SkinData();
  if (!d || d->FUpdating || !(GetWindowLongW(Wnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
  PrepareCache();
  if (d->CacheEmpty()) return;
  RECT c;
  GetClientRect(Wnd(), &c);
  CopyFrame(*d, Wnd(), (d->FCache->Width() - int(c.right)) / 2);
}

void TacContainerWnd::PaintClient(HDC given) {
  TsCommonData* d = SkinData();
  if (!d || !IsWindowVisible(Wnd())) return;
  d->FCacheInvalid = true;
  PrepareCache();
  if (d->CacheEmpty()) return;
  const int f = frameWidth_;
  const int w = d->FCache->Width() - 2 * f, h = d->FCache->Height() - 2 * f;
  if (w <= 0 || h <= 0) return;
  TBitmap32 px = Pixels32(*d->FCache);
  FillBitmapAlpha(px, TRect(f, f, f + w, f + h), 255, clNone);
  HDC dc = given ? given : GetDC(Wnd());
  BitBlt(dc, 0, 0, w, h, d->FCache->Canvas().Handle(), f, f, SRCCOPY);
  if (!given) ReleaseDC(Wnd(), dc);
}

void TacContainerWnd::HandleMessage(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (!d || !HookPaints(d)) {
    CallOldWndProc(m);
    return;
  }
  const bool visible = IsWindowVisible(Wnd()) != FALSE;
  switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      d->FCacheInvalid = true;
      CallOldWndProc(m);
      if (m.Msg == WM_SIZE)
        d->FCacheInvalid = true;
      else
        SendMessageW(Wnd(), WM_NCPAINT, 1, 0);
      return;
    case WM_PAINT:
      if (!visible) break;
      {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Wnd(), &ps);
        if (!d->FUpdating) PaintClient(dc);
        EndPaint(Wnd(), &ps);
      }
      m.Result = 0;
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_NCPAINT:
      if (!visible) break;
      PaintFrame();
      m.Result = 0;
      return;
    case WM_PRINTCLIENT:
      PaintClient(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return;
    default:
      break;
  }
  CallOldWndProc(m);
}

void TacSearchWnd::Install(HWND wnd, const std::string& section) {
  Attach(wnd, section);
  if (TsCommonData* d = SkinData()) d->UpdateSkinIndex(true);
  AfterCreationIn("TRANSPARENT");
}

void TacSearchWnd::UpdateCache() {
  if (TsCommonData* d = SkinData()) RefreshImage(*d, Wnd(), clientRect_);
}

void TacSearchWnd::PaintFrame() {
  TsCommonData* d = SkinData();
  if (!d || d->FUpdating) return;
  UpdateCache();
  CopyFrame(*d, Wnd(), 3);
}

void TacSearchWnd::HandleMessage(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (!d || !HookPaints(d)) {
    CallOldWndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      // The system paints the box; the frame goes over its edge.
      CallOldWndProc(m);
      PaintFrame();
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_NCPAINT:
      PaintFrame();
      m.Result = 0;
      return;
    default:
      CallOldWndProc(m);
      if (m.Msg == WM_SIZE) {
        d->FCacheInvalid = true;
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      }
  }
}

}  // namespace skin

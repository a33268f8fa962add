#include "skin/hooks/acMnuWnd.h"

#include "gui/Forms.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

namespace {
// Hooks taken out of the list while one of them was still handling its window's end.
std::vector<std::unique_ptr<TacMnuWnd>>& Retired() {
  static std::vector<std::unique_ptr<TacMnuWnd>> retired;
  return retired;
}
constexpr int kMenuFrame = 3;
}  // namespace

std::vector<std::unique_ptr<TacMnuWnd>>& MenuWnds() {
  static std::vector<std::unique_ptr<TacMnuWnd>> wnds;
  return wnds;
}

void ClearMenuWnds() {
  auto& list = MenuWnds();
  for (auto& h : list) Retired().push_back(std::move(h));
  list.clear();
}

void FinalMenuWnds() {
  ClearMenuWnds();
  Retired().clear();
}

TacMnuWnd* HookMenuWindow(HWND wnd) {
  Retired().clear();
  MenuWnds().push_back(std::make_unique<TacMnuWnd>());
  TacMnuWnd* h = MenuWnds().back().get();
  h->InstallMenu(wnd);
  return h;
}

void TacMnuWnd::InstallMenu(HWND wnd) {
  Install(wnd, false, "MAINMENU");
  if (IsCompositionEnabled())
    if (TsSkinManager* m = DefaultManager(); m && m->PaletteBrush(0))
      SetClassLongPtrW(wnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(m->PaletteBrush(0)));
  ncPainted_ = layering_ = false;
  AfterCreation();
}

bool TacMnuWnd::HandleSkinCommand(gui::TMessage& msg) {
  switch (msg.WParamHi()) {
    case AC_CTRLHANDLED: msg.Result = 1; break;
    case AC_GETAPPLICATION: msg.Result = reinterpret_cast<LRESULT>(gui::Application); break;
    default: msg.Result = 0; break;  // among them the frame marks the menu painter sends
  }
  return true;
}

void TacMnuWnd::PrepareMenuCache() {
  TsCommonData* d = SkinData();
  if (!d || !d->FCacheInvalid) return;
  PaintWindowCache(*d, Wnd(), false);
  PaintCacheCorners(*d, 0, Wnd());
  d->FCacheInvalid = false;
}

void TacMnuWnd::WindowGoes(gui::TMessage& msg) {
  if (!HasPreviousHandler()) {
    msg.Result = SendMessageW(Wnd(), msg.Msg, msg.WParam, msg.LParam);
    return;
  }
  CallOldWndProc(msg);
  ReleaseScroll(false);
  ClearMenuCache();
  bool others = false;
  for (auto& h : MenuWnds()) {
    if (h.get() == this || h->Released()) continue;
    others = true;
    RedrawWindow(h->Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  }
  if (!others) ClearMenuWnds();
  PopupMeasured = false;
}

void TacMnuWnd::NcPaint() {
  TsSkinManager* m = DefaultManager();
  TsSkinableMenus* menus = SkinableMenus(m);
  HWND wnd = Wnd();
  if (TacPopupCache* rec = menus ? menus->GetMenuInfo(nullptr, nullptr, wnd) : nullptr) {
    RECT wr{};
    GetWindowRect(wnd, &wr);
    gui::TBitmap* src = rec->Image.get();
    // The prepared image covers the whole window; one of another size is not this window's.
    if (!src || src->Width() != wr.right - wr.left || src->Height() != wr.bottom - wr.top) {
      PrepareMenuCache();
      src = SkinData() ? SkinData()->FCache.get() : nullptr;
    }
    if (src) {
      HDC dc = GetWindowDC(wnd);
      CopyBorderFromDC(dc, 0, 0, src->Width(), src->Height(), src->Canvas().Handle(), 0, 0, kMenuFrame, kMenuFrame,
                       kMenuFrame, kMenuFrame);
      ReleaseDC(wnd, dc);
    }
  }
  if (IsCompositionEnabled() && !ncPainted_) RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const uint8_t alpha = menus ? menus->MenuSupport.AlphaBlend : 255;
  const LONG_PTR ex = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  if (alpha == 255) {
    if (ex & WS_EX_LAYERED) SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
  } else {
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(wnd, 0, alpha, LWA_ALPHA);
  }
}

void TacMnuWnd::WndProc(gui::TMessage& msg) {
  if (msg.Msg == WM_DESTROY || msg.Msg == WM_NCDESTROY) {
    WindowGoes(msg);
    return;
  }
  if (msg.Msg == SM_ALPHACMD) {
    HandleSkinCommand(msg);
    return;
  }
  if (!PopupMeasured) {
    TacScrollWnd::WndProc(msg);
    return;
  }
  switch (msg.Msg) {
    case WM_ERASEBKGND: {
      PrepareMenuCache();
      HDC dc = reinterpret_cast<HDC>(msg.WParam);
      const bool own = dc == nullptr;
      if (own) dc = GetDC(Wnd());
      const int32_t offset = PopupClientOffset(Wnd(), kMenuFrame);
      if (TsCommonData* d = SkinData(); d && d->FCache)
        BitBlt(dc, 0, 0, d->FCache->Width(), d->FCache->Height(), d->FCache->Canvas().Handle(), offset, offset, SRCCOPY);
      if (own) ReleaseDC(Wnd(), dc);
      msg.Result = 1;
      return;
    }
    case WM_WINDOWPOSCHANGING: {
      TacScrollWnd::WndProc(msg);
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(msg.LParam);
      if (layering_ || !wp || (wp->flags & SWP_NOREDRAW) || !(wp->flags & SWP_SHOWWINDOW) || IsWindowVisible(Wnd()))
        return;
      layering_ = true;
      // Fully transparent until the frame is painted.
      SetWindowLongPtrW(Wnd(), GWL_EXSTYLE, GetWindowLongPtrW(Wnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
      SetLayeredWindowAttributes(Wnd(), 0, 0, LWA_ALPHA);
      layering_ = false;
      return;
    }
    case WM_NCPAINT:
      NcPaint();
      ncPainted_ = true;
      msg.Result = 0;
      return;
    default:
      TacScrollWnd::WndProc(msg);
  }
}

}  // namespace skin

#include "skin/hooks/acGridWnd.h"

#include <commctrl.h>

#include "skin/hooks/acHookPaint.h"

namespace skin {

// ---------------------------------------------------------------- TacGridWnd

void TacGridWnd::HandleMessage(gui::TMessage& m) {
  if (SkinnedNow() && m.Msg == WM_VSCROLL && Control() && Control()->ClassNameIs("TDBGrid")) {
    // A data-aware grid reads the bar: it must hold the dragged position.
    const int code = LOWORD(m.WParam);
    if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
      SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, m.LParam ? int(m.LParam) : int(HIWORD(m.WParam)), 0};
      SetScrollInfo(Wnd(), SB_VERT, &si, FALSE);
    }
  }
  TacListViewWnd::HandleMessage(m);
  if (SkinnedNow() && m.Msg == WM_WINDOWPOSCHANGED && IsWindowVisible(Wnd()))
    SendMessageW(Wnd(), WM_NCPAINT, 0, 0);
}

// ---------------------------------------------------------------- TacTreeViewWnd

void TacTreeViewWnd::SaveOriginalLook() {
  TacEditWnd::SaveOriginalLook();
  if (savedTv_ || !Wnd()) return;
  savedTv_ = true;
  savedBk_ = TreeView_GetBkColor(Wnd());
  savedText_ = TreeView_GetTextColor(Wnd());
}

void TacTreeViewWnd::TakeSkinColors(TsCommonData& d) {
  TacEditWnd::TakeSkinColors(d);
  if (InNativeDialog()) {
    TreeView_SetBkColor(Wnd(), GetSysColor(COLOR_BTNFACE));
    TreeView_SetTextColor(Wnd(), GetSysColor(COLOR_WINDOWTEXT));
    return;
  }
  if (!d.FCustomColor && TreeView_GetBkColor(Wnd()) != backColor_) TreeView_SetBkColor(Wnd(), backColor_);
  if (!d.FCustomFont && TreeView_GetTextColor(Wnd()) != textColor_) TreeView_SetTextColor(Wnd(), textColor_);
}

void TacTreeViewWnd::RestoreOriginalLook() {
  if (savedTv_ && Wnd() && IsWindow(Wnd())) {
    TreeView_SetBkColor(Wnd(), savedBk_);
    TreeView_SetTextColor(Wnd(), savedText_);
  }
  TacEditWnd::RestoreOriginalLook();
}

void TacTreeViewWnd::HandleMessage(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (m.Msg == WM_ERASEBKGND && SkinnedNow() && !d->FUpdating) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    RECT r;
    GetClientRect(Wnd(), &r);
    COLORREF c = backColor_;
    if (InNativeDialog()) c = GetSysColor(COLOR_BTNFACE);
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
    m.Result = 1;
    return;
  }
  TacEditWnd::HandleMessage(m);
  if (m.Msg == WM_LBUTTONUP && GetCapture() == Wnd()) ReleaseCapture();
  // A tree view sets its scroll information while it paints, and the system then draws
  // its own bar over ours.
  if (m.Msg == WM_PAINT && SkinnedNow() && !SendingScroll()) {
    UpdateScrollInfo(false);
    PaintScrollBars();
  }
}

}  // namespace skin

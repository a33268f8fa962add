#include "skin/hooks/acListViewWnd.h"

#include <commctrl.h>

#include "skin/core/sMessages.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

int TacListViewWnd::ListViewKind() {
  switch (SendMessageW(Wnd(), LVM_GETVIEW, 0, 0)) {
    case LV_VIEW_DETAILS:
      return 3;
    case LV_VIEW_LIST:
      return 2;
    case LV_VIEW_SMALLICON:
      return 1;
    default:
      return 0;
  }
}

void TacListViewWnd::SaveOriginalLook() {
  TacEditWnd::SaveOriginalLook();
  if (savedLv_ || !Wnd()) return;
  savedLv_ = true;
  savedBk_ = ListView_GetBkColor(Wnd());
  savedTextBk_ = ListView_GetTextBkColor(Wnd());
  savedText_ = ListView_GetTextColor(Wnd());
}

void TacListViewWnd::TakeSkinColors(TsCommonData& d) {
  TacEditWnd::TakeSkinColors(d);
  COLORREF back = backColor_, text = textColor_;
  if (InNativeDialog()) {
    back = GetSysColor(COLOR_BTNFACE);
    text = GetSysColor(COLOR_BTNTEXT);
  }
  if (!d.FCustomColor) {
    ListView_SetBkColor(Wnd(), back);
    ListView_SetTextBkColor(Wnd(), back);
  }
  if (!d.FCustomFont) ListView_SetTextColor(Wnd(), text);
}

void TacListViewWnd::RestoreOriginalLook() {
  if (savedLv_ && Wnd() && IsWindow(Wnd())) {
    ListView_SetBkColor(Wnd(), savedBk_);
    ListView_SetTextBkColor(Wnd(), savedTextBk_);
    ListView_SetTextColor(Wnd(), savedText_);
  }
  TacEditWnd::RestoreOriginalLook();
  if (Wnd() && IsWindow(Wnd())) InvalidateRect(Wnd(), nullptr, TRUE);
}

// A dragged thumb: the difference to the last position told, scrolled by the list view
// itself (whole items in a details view without groups, item widths in a list view).
void TacListViewWnd::ThumbTrack(gui::TMessage& m, bool vertical) {
  const int32_t pos = m.LParam ? int32_t(m.LParam) : int32_t(HIWORD(m.WParam));
  const int32_t diff = pos - LastTrackPos();
  m.Result = 0;
  if (diff == 0) return;
  RECT item{};
  item.left = LVIR_BOUNDS;
  const bool haveItem = SendMessageW(Wnd(), LVM_GETITEMRECT, 0, LPARAM(&item)) != 0;
  if (vertical) {
    int dy = diff;
    if (ListViewKind() == 3 && !SendMessageW(Wnd(), LVM_ISGROUPVIEWENABLED, 0, 0) && haveItem)
      dy = diff * (item.bottom - item.top);
    ListView_Scroll(Wnd(), 0, dy);
  } else {
    int dx = diff;
    if (ListViewKind() == 2 && haveItem) dx = diff * (item.right - item.left);
    ListView_Scroll(Wnd(), dx, 0);
  }
}

bool TacListViewWnd::HandleSkinCommand(gui::TMessage& m) {
  switch (m.WParamHi()) {
    case AC_BEFORESCROLL:
      // The position comes in LParam; the list view's own scroll information stays.
      m.Result = 1;
      return true;
    default:
      return TacEditWnd::HandleSkinCommand(m);
  }
}

void TacListViewWnd::HandleMessage(gui::TMessage& m) {
  if (!SkinnedNow()) {
    TacEditWnd::HandleMessage(m);
    return;
  }
  switch (m.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (LOWORD(m.WParam) == SB_THUMBTRACK) {
        ThumbTrack(m, m.Msg == WM_VSCROLL);
        return;
      }
      // Any other step goes on as the system's bar would send it.
      m.LParam = 0;
      break;
    case WM_NCPAINT:
      m.Result = 0;
      break;
    default:
      break;
  }
  TacEditWnd::HandleMessage(m);
  switch (m.Msg) {
    case WM_SIZE:
      if (TsCommonData* d = SkinData()) d->FCacheInvalid = true;
      break;
    case WM_STYLECHANGED:
    case LVM_ARRANGE:
    case LVM_INSERTITEMW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SETITEMCOUNT:
      UpdateScrollInfo(true);
      break;
    case WM_LBUTTONUP:
      ReleaseCapture();
      break;
    default:
      break;
  }
}

}  // namespace skin

#include "skin/hooks/acListViewWnd.h"

#include <commctrl.h>

#include <string>

#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

// ---------------------------------------------------------------- the column header

TacHeaderWnd::~TacHeaderWnd() {
  if (Bound()) {
    HWND h = Handle();
    Unbind();
    InvalidateRect(h, nullptr, TRUE);
  }
}

int TacHeaderWnd::ColumnAt(LPARAM point) {
  HDHITTESTINFO hit{};
  hit.pt = {short(LOWORD(point)), short(HIWORD(point))};
  const int i = int(SendMessageW(Handle(), HDM_HITTEST, 0, LPARAM(&hit)));
  return (hit.flags & HHT_ONHEADER) ? i : -1;
}

void TacHeaderWnd::PaintHeader(HDC given) {
  TsSkinManager* m = listData_ ? listData_->GetSkinManager() : nullptr;
  TacSkinData* data = listData_ ? listData_->GetScaledSkin() : nullptr;
  if (!m || !data) return;
  RECT cr;
  GetClientRect(Handle(), &cr);
  if (cr.right <= 0 || cr.bottom <= 0) return;
  auto bmp = CreateBitmap32(cr.right, cr.bottom);
  const int section = m->GetSkinIndex("COLHEADER");
  TSkinOnBitmap skin(m, data, *bmp);
  TBitmap32 px = Pixels32(*bmp);
  TBitmap32 none = px.Clone();
  auto paint = [&](const RECT& r, int state) {
    if (skin.Source.ValidSection(section))
      PaintSkinSection(skin.Source, section, MakeBackgroundCache(&none, 0, 0), state,
                       TRect(r.left, r.top, r.right, r.bottom), TPoint(0, 0), px);
  };
  paint(cr, 0);  // right of the last column too
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  gui::TCanvas& canvas = bmp->Canvas();
  LOGFONTW lf{};
  if (font && GetObjectW(font, sizeof lf, &lf)) {
    if (HFONT copy = CreateFontIndirectW(&lf)) canvas.Font().SetHandle(copy);
  }
  const int count = int(SendMessageW(Handle(), HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(Handle(), HDM_GETITEMRECT, WPARAM(i), LPARAM(&r))) continue;
    const int state = i == pressed_ ? 2 : i == hot_ ? 1 : 0;
    paint(r, state);
    wchar_t text[260] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = 259;
    SendMessageW(Handle(), HDM_GETITEMW, WPARAM(i), LPARAM(&item));
    const UINT align = (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                       : (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                    : DT_LEFT;
    const int shift = state == 2 ? 1 : 0;
    const TRect tr{r.left + 6 + shift, r.top + shift, r.right - 6 + shift, r.bottom + shift};
    SetBkMode(canvas.Handle(), TRANSPARENT);
    WriteSkinText(canvas, rtl::U8(text), true, tr, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS, data,
                  section, state == 0 ? 0 : 1);
  }
  HDC dc = given ? given : GetDC(Handle());
  BitBlt(dc, 0, 0, cr.right, cr.bottom, canvas.Handle(), 0, 0, SRCCOPY);
  if (!given) ReleaseDC(Handle(), dc);
}

void TacHeaderWnd::WndProc(gui::TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(Handle(), &ps);
      PaintHeader(dc);
      if (!m.WParam) EndPaint(Handle(), &ps);
      m.Result = 0;
      return;
    }
    case WM_PRINTCLIENT:
      PaintHeader(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_MOUSEMOVE:
      CallPrevious(m);
      TrackMouseLeave(Handle(), tracking_);
      if (const int hot = ColumnAt(m.LParam); hot != hot_) {
        hot_ = hot;
        InvalidateRect(Handle(), nullptr, FALSE);
      }
      return;
    case WM_MOUSELEAVE:
      tracking_ = false;
      hot_ = -1;
      CallPrevious(m);
      InvalidateRect(Handle(), nullptr, FALSE);
      return;
    case WM_LBUTTONDOWN:
      pressed_ = ColumnAt(m.LParam);
      CallPrevious(m);
      InvalidateRect(Handle(), nullptr, FALSE);
      return;
    case WM_LBUTTONUP:
      pressed_ = -1;
      CallPrevious(m);
      InvalidateRect(Handle(), nullptr, FALSE);
      return;
    default:
      CallPrevious(m);
  }
}

// ---------------------------------------------------------------- the list view

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
  // The column header follows the list view's look.
  if (HWND h = ListView_GetHeader(Wnd()); h && (!header_ || header_->Handle() != h)) {
    header_ = std::make_unique<TacHeaderWnd>(SkinData());
    header_->Bind(h);
    InvalidateRect(h, nullptr, TRUE);
  }
}

void TacListViewWnd::RestoreOriginalLook() {
  header_.reset();
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
    case WM_PRINT:
      PrintHeader(reinterpret_cast<HDC>(m.WParam));
      break;
    default:
      break;
  }
}

// A printed details view shows its column header where the header window sits.
void TacListViewWnd::PrintHeader(HDC dc) {
  HWND h = header_ ? header_->Handle() : nullptr;
  if (!dc || !h || ListViewKind() != 3 || !IsWindowVisible(h)) return;
  RECT wr, hr;
  GetWindowRect(Wnd(), &wr);
  GetWindowRect(h, &hr);
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, hr.left - wr.left, hr.top - wr.top, nullptr);
  IntersectClipRect(dc, 0, 0, hr.right - hr.left, hr.bottom - hr.top);
  header_->PaintHeader(dc);
  RestoreDC(dc, saved);
}

}  // namespace skin

#include "skin/hooks/acToolBarWnd.h"

#include <commctrl.h>

#include <algorithm>

#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acAlphaPixels.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

void TacToolBarWnd::AfterCreation() { AfterCreationIn("TRANSPARENT"); }

bool TacToolBarWnd::PrepareCache() {
  TsCommonData* d = SkinData();
  const TWndBounds b = GetWndBounds(Wnd());
  if (d->FCacheInvalid) {
    RECT client{};
    GetClientRect(Wnd(), &client);
    EnsureCache(*d, b.WndSize.x, b.WndSize.y);
    PaintWindowCache(*d, Wnd(), false);
    PaintCacheCorners(*d, 0, Wnd());
    borderWidth_ = std::max<int>(0, (b.WndSize.y - client.bottom) / 2);
    d->FCacheInvalid = false;
  }
  return true;
}

int TacToolBarWnd::HotIndex() {
  POINT p;
  GetCursorPos(&p);
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  if (!PtInRect(&wr, p)) return -1;
  const int n = int(SendMessageW(Wnd(), TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    RECT r{};
    if (!SendMessageW(Wnd(), TB_GETITEMRECT, WPARAM(i), LPARAM(&r))) continue;
    MapWindowPoints(Wnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

int TacToolBarWnd::ButtonState(int index) {
  TBBUTTON btn{};
  if (!SendMessageW(Wnd(), TB_GETBUTTON, WPARAM(index), LPARAM(&btn))) return 0;
  if (!(btn.fsState & TBSTATE_ENABLED)) return 0;
  if (btn.fsState & TBSTATE_PRESSED) return 2;
  return HotIndex() == index ? 1 : 0;
}

std::pair<std::string, std::string> TacToolBarWnd::BreakText(HDC dc, const std::string& text, int width) {
  auto fits = [&](const std::string& s) {
    TRect r{0, 0, 0, 0};
    DrawTextOnDC(dc, s, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return r.Right - r.Left <= width;
  };
  if (fits(text)) return {text, {}};
  for (size_t space = text.rfind(' '); space != std::string::npos && space > 0;
       space = text.rfind(' ', space - 1)) {
    if (fits(text.substr(0, space))) return {text.substr(0, space), text.substr(space + 1)};
  }
  return {text, {}};
}

void TacToolBarWnd::PaintToolButton(int index, RECT r, gui::TBitmap& bmp) {
  TBBUTTON btn{};
  if (!SendMessageW(Wnd(), TB_GETBUTTON, WPARAM(index), LPARAM(&btn))) return;
  TsCommonData* d = SkinData();
  TsSkinManager* m = d->GetSkinManager();
  TacSkinData* data = d->GetScaledSkin();
  if (!m || !data) return;
  r.right = std::min<LONG>(r.right, bmp.Width());
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  auto piece = CreateBitmap32(w, h);
  HDC pdc = piece->Canvas().Handle();
  BitBlt(pdc, 0, 0, w, h, d->FCache->Canvas().Handle(), r.left, r.top, SRCCOPY);
  TBitmap32 under = Pixels32(*piece).Clone();
  TSkinOnBitmap skin(*d, *piece);
  TBitmap32 into = Pixels32(*piece);
  if (btn.fsStyle & BTNS_SEP) {
    const int divider = m->GetSkinIndex("DIVIDER");
    const int border = skin.Source.ValidSection(divider) ? m->GetMaskIndex(divider, "BORDERSMASK") : -1;
    if (!skin.Source.ValidElement(border)) return;
    PaintSkinSection(skin.Source, divider, MakeBackgroundCache(&under, 0, 0), 0,
                     TRect(w / 2 - 1, 2, w / 2 + 3, h - 2), TPoint(0, 0), into);
    BitBlt(bmp.Canvas().Handle(), r.left, r.top, w, h, pdc, 0, 0, SRCCOPY);
    return;
  }
  const int section = m->GetSkinIndex("TOOLBUTTON");
  const int state = ButtonState(index);
  const int shift = state == 2 ? 1 : 0;
  if (skin.Source.ValidSection(section))
    PaintSkinSection(skin.Source, section, MakeBackgroundCache(&under, 0, 0), state, TRect(0, 0, w, h), TPoint(0, 0),
                     into);
  // The text, when the button has one of its own.
  std::string text;
  const int len = int(SendMessageW(Wnd(), TB_GETBUTTONTEXTW, WPARAM(btn.idCommand), 0));
  if (len > 0) {
    std::wstring wtext(size_t(len) + 1, L'\0');
    SendMessageW(Wnd(), TB_GETBUTTONTEXTW, WPARAM(btn.idCommand), LPARAM(wtext.data()));
    wtext.resize(size_t(len));
    text = rtl::U8(wtext);
  }
  // The image, and the arrow of a drop-down button at its right side.
  const bool dropDown = (btn.fsStyle & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN)) != 0;
  const int arrowWidth = dropDown ? std::min(14, w / 2) : 0;
  const int contentWidth = w - arrowWidth;
  int imageHeight = 0;
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(Wnd(), TB_GETIMAGELIST, 0, 0));
  if (btn.iBitmap >= 0 && images) {
    ImageList_SetBkColor(images, CLR_NONE);
    int iw = 0, ih = 0;
    ImageList_GetIconSize(images, &iw, &ih);
    imageHeight = ih;
    const int x = (contentWidth - iw) / 2 + shift;
    const int y = text.empty() ? (h - ih) / 2 + shift : 4 + shift;
    ImageList_Draw(images, btn.iBitmap, pdc, x, y, ILD_TRANSPARENT);
  }
  const int colourSection = state == 0 ? d->FSkinIndex : section;
  const uint32_t arrowColour = GetSkinFontColor(nullptr, colourSection, m, std::min(state, 2), d);
  if (dropDown)
    DrawSolidArrow(pdc, gui::TRect(contentWidth, 0, w, h), 3, arrowColour, state == 2);
  if (!text.empty()) {
    // The bar's own font, as every hook writes with it.
    PrepareCacheFont(*d, Wnd());
    gui::TCanvas& canvas = piece->Canvas();
    canvas.Font().Assign(&d->FCache->Canvas().Font());
    HGDIOBJ oldFont = SelectObject(pdc, canvas.Font().Handle());
    SetBkMode(pdc, TRANSPARENT);
    const int top = imageHeight > 0 ? 2 + imageHeight + 2 : 2;
    TRect tr{2 + shift, top + shift, contentWidth - 2 + shift, h - 2 + shift};
    const auto [first, second] = BreakText(pdc, text, tr.Right - tr.Left);
    if (second.empty()) {
      WriteSkinText(canvas, text, true, tr, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_END_ELLIPSIS, data,
                    colourSection, state == 0 ? 0 : 1);
    } else {
      TEXTMETRICW tm{};
      GetTextMetricsW(pdc, &tm);
      TRect line1{tr.Left, tr.Top, tr.Right, tr.Top + tm.tmHeight};
      TRect line2{tr.Left, line1.Bottom, tr.Right, tr.Bottom};
      WriteSkinText(canvas, first, true, line1, DT_CENTER, data, colourSection, state == 0 ? 0 : 1);
      WriteSkinText(canvas, second, true, line2, DT_CENTER | DT_END_ELLIPSIS, data, colourSection, state == 0 ? 0 : 1);
    }
    SelectObject(pdc, oldFont);
  }
  if (!(btn.fsState & TBSTATE_ENABLED)) ApplyDisabledLook(*piece, MakeBackgroundCache(&under, 0, 0));
  BitBlt(bmp.Canvas().Handle(), r.left, r.top, w, h, pdc, 0, 0, SRCCOPY);
}

void TacToolBarWnd::PaintButtons(gui::TBitmap& bmp) {
  const int n = int(SendMessageW(Wnd(), TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    RECT r{};
    if (!SendMessageW(Wnd(), TB_GETITEMRECT, WPARAM(i), LPARAM(&r))) continue;
    OffsetRect(&r, borderWidth_, borderWidth_);
    PaintToolButton(i, r, bmp);
  }
}

void TacToolBarWnd::PaintToolBar(HDC dc) {
  TsCommonData* d = SkinData();
  d->FCacheInvalid = true;
  if (!PrepareCache() || d->CacheEmpty()) return;
  auto copy = CreateBitmap32(d->FCache->Width(), d->FCache->Height());
  BitBlt(copy->Canvas().Handle(), 0, 0, copy->Width(), copy->Height(), d->FCache->Canvas().Handle(), 0, 0, SRCCOPY);
  PaintButtons(*copy);
  TBitmap32 px = Pixels32(*copy);
  FillBitmapAlpha(px, TRect(0, 0, px.Width(), px.Height()), 255, clNone);
  HDC target = dc ? dc : GetDC(Wnd());
  BitBlt(target, 0, 0, copy->Width() - 2 * borderWidth_, copy->Height() - 2 * borderWidth_,
         copy->Canvas().Handle(), borderWidth_, borderWidth_, SRCCOPY);
  if (!dc) ReleaseDC(Wnd(), target);
}

void TacToolBarWnd::PaintToolBarFrame() {
  TsCommonData* d = SkinData();
  if (!(GetWindowLongW(Wnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) || d->FUpdating) return;
  PrepareCache();
  if (d->CacheEmpty()) return;
  RECT client{};
  GetClientRect(Wnd(), &client);
  const int bw = (d->FCache->Width() - client.right) / 2;
  HDC dc = GetWindowDC(Wnd());
  CopyBorderFromDC(dc, 0, 0, d->FCache->Width(), d->FCache->Height(), d->FCache->Canvas().Handle(), 0, 0, bw, 0, 0, 0);
  ReleaseDC(Wnd(), dc);
}

void TacToolBarWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !HookPaints(d)) {
    TacMainWnd::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      if (IsWindowVisible(Wnd())) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Wnd(), &ps);
        if (!d->FUpdating) PaintToolBar(dc);
        EndPaint(Wnd(), &ps);
        m.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_NCPAINT:
      PaintToolBarFrame();
      m.Result = 0;
      return;
    case WM_PRINT:
      PaintToolBar(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_MOUSELEAVE:
      tracking_ = false;
      hot_ = -1;
      InvalidateRect(Wnd(), nullptr, FALSE);
      break;
    default:
      break;
  }
  TacMainWnd::WndProc(m);
  switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      d->FCacheInvalid = true;
      RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      break;
    case WM_MOUSEMOVE:
      // The system does not repaint a button the mouse merely enters on every bar.
      if (IsWindowEnabled(Wnd())) {
        TrackMouseLeave(Wnd(), tracking_);
        if (const int hot = HotIndex(); hot != hot_) {
          hot_ = hot;
          InvalidateRect(Wnd(), nullptr, FALSE);
        }
      }
      break;
    default:
      break;
  }
}

}  // namespace skin

#include "skin/hooks/acTabControlWnd.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "gui/ComCtrls.h"
#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGradientGdi.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {
namespace {

gui::TRect ToRect(const TBarRect& r) { return gui::TRect(r.Left, r.Top, r.Right, r.Bottom); }
TBarRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The parent's background (or its colour) into R of Bmp; Origin is R's place in the parent.
void PaintBackgroundInto(gui::TBitmap& bmp, const TacBackgroundCache& bg, const gui::TRect& r, POINT origin) {
  if (!bg.Ready || !bg.Bitmap) {
    FillRectOnDC(bmp.Canvas().Handle(), r, bg.FillColor == clFuchsia ? TColor(GetSysColor(COLOR_BTNFACE)) : bg.FillColor);
    return;
  }
  TBitmap32 px = Pixels32(bmp);
  const int top = std::max(0, int(r.Top)), bottom = std::min(px.Height(), int(r.Bottom));
  const int left = std::max(0, int(r.Left)), right = std::min(px.Width(), int(r.Right));
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      TPixel p;
      if (BackgroundPixel(bg, origin.x + x - r.Left, origin.y + y - r.Top, p)) px.Row(y)[x] = p;
    }
}

// The control's font, turned by Escapement (a new font the caller deletes).
HFONT ControlFont(HWND wnd, int escapement) {
  HFONT f = reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0));
  if (!f) f = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW lf{};
  GetObjectW(f, sizeof lf, &lf);
  if (escapement != 0) {
    lf.lfEscapement = lf.lfOrientation = escapement;
    lf.lfWeight = FW_NORMAL;
    // A bitmap font cannot be turned.
    if (std::wstring(lf.lfFaceName) == L"MS Sans Serif") wcscpy(lf.lfFaceName, L"Arial");
  }
  return CreateFontIndirectW(&lf);
}

}  // namespace

void TacTabControlWnd::Install(HWND wnd, const std::string& section) {
  Attach(wnd, section);
  if (TsCommonData* d = SkinData()) d->UpdateSkinIndex(true);
  AfterCreation();
}

TTabSide TacTabControlWnd::Side() const { return TabSideOf(uint32_t(GetWindowLongW(Wnd(), GWL_STYLE))); }
TTabStyle TacTabControlWnd::Style() const { return TabStyleOf(uint32_t(GetWindowLongW(Wnd(), GWL_STYLE))); }
int TacTabControlWnd::TabCount() const { return int(SendMessageW(Wnd(), TCM_GETITEMCOUNT, 0, 0)); }
int TacTabControlWnd::ActiveTab() const { return int(SendMessageW(Wnd(), TCM_GETCURSEL, 0, 0)); }

int TacTabControlWnd::TabSection() const {
  TsCommonData* d = SkinData();
  const TacSkinData* data = d ? d->GetScaledSkin() : nullptr;
  if (!data || data->TabElems[3][1].Section <= 0) return -1;
  return data->TabElems[3][size_t(TabSectionEntry(Side()))].Section;
}

gui::TRect TacTabControlWnd::GetDisplayRect() {
  RECT r;
  GetWindowRect(Wnd(), &r);
  r = {0, 0, r.right - r.left, r.bottom - r.top};
  SendMessageW(Wnd(), TCM_ADJUSTRECT, FALSE, LPARAM(&r));
  return gui::TRect(r.left, r.top + 2, r.right, r.bottom);
}

gui::TRect TacTabControlWnd::GetPageAreaRect() {
  const TWndBounds b = GetWndBounds(Wnd());
  const gui::TRect d = GetDisplayRect();
  return ToRect(PageAreaRect(b.WndSize.x, b.WndSize.y, {d.Left, d.Top, d.Right, d.Bottom}, TabCount(), Side()));
}

gui::TRect TacTabControlWnd::GetTabsAreaRect() {
  const TWndBounds b = GetWndBounds(Wnd());
  const gui::TRect d = GetDisplayRect();
  return ToRect(TabsAreaRect(b.WndSize.x, b.WndSize.y, {d.Left, d.Top, d.Right, d.Bottom}, TabCount(), Side()));
}

gui::TRect TacTabControlWnd::GetTabRect(int index, bool active) {
  if (index < 0 || index >= TabCount()) return gui::TRect(0, 0, 0, 0);
  RECT item{};
  SendMessageW(Wnd(), TCM_GETITEMRECT, WPARAM(index), LPARAM(&item));
  const TacSkinData* data = SkinData() ? SkinData()->GetScaledSkin() : nullptr;
  return ToRect(TabSkinRect(FromRect(item), active, Side(), Style(), data ? data->TabsCover : 0));
}

int TacTabControlWnd::GetTabRow(int index) {
  RECT item{};
  SendMessageW(Wnd(), TCM_GETITEMRECT, WPARAM(index), LPARAM(&item));
  const gui::TRect a = GetTabsAreaRect();
  return TabRow(FromRect(item), int(SendMessageW(Wnd(), TCM_GETROWCOUNT, 0, 0)), {a.Left, a.Top, a.Right, a.Bottom},
                Side());
}

void TacTabControlWnd::PaintTab(int index, int state, POINT offset, gui::TBitmap& bmp) {
  TsCommonData* d = SkinData();
  if (index < 0 || !d || d->CacheEmpty()) return;
  const bool isActive = index == ActiveTab();
  gui::TRect r2 = GetTabRect(index, state == 2 && isActive);
  if (r2.Right <= r2.Left || r2.Bottom <= r2.Top) return;
  wchar_t text[4096] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = 4095;
  SendMessageW(Wnd(), TCM_GETITEMW, WPARAM(index), LPARAM(&item));

  const int section = TabSection();
  const TTabSide side = Side();
  if (section >= 0) {
    auto tab = CreateBitmap32(r2.Width(), r2.Height());
    TSkinOnBitmap painter(*d, bmp);
    if (state == 2) {
      // The active tab lies over what the control's image holds under it.
      BitBlt(tab->Canvas().Handle(), 0, 0, r2.Width(), r2.Height(), d->FCache->Canvas().Handle(), r2.Left, r2.Top,
             SRCCOPY);
      BitBlt(bmp.Canvas().Handle(), r2.Left + offset.x, r2.Top + offset.y, r2.Width(), r2.Height(),
             tab->Canvas().Handle(), 0, 0, SRCCOPY);
      TBitmap32 under = Pixels32(*tab);
      TBitmap32 into = Pixels32(bmp);
      PaintSkinSection(painter.Source, section, MakeBackgroundCache(&under, 0, 0), 2,
                       TRect(r2.Left + offset.x, r2.Top + offset.y, r2.Right + offset.x, r2.Bottom + offset.y),
                       TPoint(-(r2.Left + offset.x), -(r2.Top + offset.y)), into);
    } else {
      TBitmap32 cache = Pixels32(*d->FCache);
      TBitmap32 px = Pixels32(*tab);
      TSkinOnBitmap tabPainter(*d, *tab);
      PaintSkinSection(tabPainter.Source, section, MakeBackgroundCache(&cache, r2.Left, r2.Top), 0,
                       TRect(0, 0, r2.Width(), r2.Height()), TPoint(0, 0), px);
      HDC dc = bmp.Canvas().Handle();
      const int saved = SaveDC(dc);
      // Tabs above or left of the page tuck under it.
      if (side == tsTop || side == tsLeft) {
        const gui::TRect page = GetPageAreaRect();
        ExcludeClipRect(dc, page.Left + offset.x, page.Top + offset.y, page.Right + offset.x, page.Bottom + offset.y);
      }
      BitBlt(dc, r2.Left + offset.x, r2.Top + offset.y, r2.Width(), r2.Height(), tab->Canvas().Handle(), 0, 0, SRCCOPY);
      RestoreDC(dc, saved);
    }
  }
  r2 = gui::TRect(r2.Left + offset.x, r2.Top + offset.y, r2.Right + offset.x, r2.Bottom + offset.y);

  gui::TCanvas& canvas = bmp.Canvas();
  const std::string caption = rtl::U8(text);
  const TacSkinData* data = d->GetScaledSkin();
  // An owner-drawn page control draws over the skinned tab; when its handler leaves another
  // font behind, the text is written plainly in that font.
  bool handlerFont = false;
  if (auto* pages = dynamic_cast<gui::TPageControl*>(Control()); pages && pages->OwnerDraw() && pages->OnDrawTab) {
    gui::TCanvas& pc = pages->Canvas();
    HDC before = pc.HandleAllocated() ? pc.Handle() : nullptr;
    pc.SetHandle(canvas.Handle());
    pc.Font().Assign(&pages->Font());
    canvas.Font().Assign(&pages->Font());
    const TColor color =
        section >= 0 ? TColor(GetWndSkinFontColor(Wnd(), section, d->GetSkinManager(), std::min(state, 2)))
                     : pc.Font().Color();
    pc.Font().SetColor(color);
    canvas.Font().SetColor(color);
    pages->OnDrawTab(pages, index, r2, state == 2);
    if (!FontsEqual(pc.Font(), canvas.Font())) {
      canvas.Font().Assign(&pc.Font());
      handlerFont = true;
    }
    pc.SetHandle(before);
  }
  // The tab's image, when the control has a list and the tab names one of its pictures.
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(Wnd(), TCM_GETIMAGELIST, 0, 0));
  const bool hasImage = images && item.iImage >= 0 && item.iImage < ImageList_GetImageCount(images);
  int cx = 0, cy = 0;
  if (hasImage) ImageList_GetIconSize(images, &cx, &cy);
  if (side == tsTop || side == tsBottom) {
    if (!handlerFont) canvas.Font().SetHandle(ControlFont(Wnd(), 0));
    if (hasImage) {
      HDC dc = canvas.Handle();
      SelectObject(dc, canvas.Font().Handle());
      SIZE ext{};
      GetTextExtentPoint32W(dc, text, int(wcslen(text)), &ext);
      ImageList_Draw(images, item.iImage, dc, r2.Left + (r2.Width() - (ext.cx + cx + 8)) / 2,
                     r2.Top + (r2.Height() - cy) / 2, ILD_NORMAL);
      r2.Left += cx;
    }
    if (handlerFont) {
      HDC dc = canvas.Handle();
      SelectObject(dc, canvas.Font().Handle());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, gui::ColorToColorRef(canvas.Font().Color()));
      RECT tr{r2.Left, r2.Top, r2.Right, r2.Bottom};
      DrawTextW(dc, text, -1, &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
      WriteSkinText(canvas, caption, true, r2, DT_CENTER | DT_VCENTER | DT_SINGLELINE, data, section,
                    state == 2 ? 1 : 0);
    }
    return;
  }
  // Left tabs read from the bottom up, right tabs from the top down.
  HFONT turned = ControlFont(Wnd(), side == tsLeft ? -2700 : -900);
  const COLORREF color =
      section >= 0 ? gui::ColorToColorRef(TColor(GetWndSkinFontColor(Wnd(), section, d->GetSkinManager(), state == 2 ? 1 : 0)))
                   : GetSysColor(COLOR_BTNTEXT);
  HDC dc = canvas.Handle();
  HFONT before = static_cast<HFONT>(SelectObject(dc, turned));
  SIZE ext{};
  const std::wstring w = text;
  GetTextExtentPoint32W(dc, w.c_str(), int(w.size()), &ext);
  const int tw = ext.cx, th = ext.cy;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  const RECT clip{r2.Left, r2.Top, r2.Right, r2.Bottom};
  auto shiftActive = [&] {
    if (state == 2) r2 = gui::TRect(r2.Left + 2, r2.Top, r2.Right + 2, r2.Bottom);
  };
  if (side == tsLeft) {
    POINT at{r2.Left + (r2.Width() - th) / 2, r2.Bottom - (r2.Height() - tw) / 2};
    if (hasImage) {
      shiftActive();
      const int y = r2.Bottom - (r2.Height() - (cy + tw + 4)) / 2 - cy;
      ImageList_Draw(images, item.iImage, dc, r2.Left + (r2.Width() - cx) / 2, y, ILD_TRANSPARENT);
      at = {r2.Left + (r2.Width() - th) / 2, y - 4};
    }
    ExtTextOutW(dc, at.x, at.y, ETO_CLIPPED, &clip, w.c_str(), UINT(w.size()), nullptr);
  } else {
    r2 = gui::TRect(r2.Left - 2, r2.Top - 1, r2.Right - 2, r2.Bottom - 1);
    POINT at{r2.Left + (r2.Width() - th) / 2 + th, r2.Top + (r2.Height() - tw) / 2};
    if (hasImage) {
      shiftActive();
      const int y = r2.Top + (r2.Height() - (cy + tw + 4)) / 2;
      ImageList_Draw(images, item.iImage, dc, r2.Left + (r2.Width() - cx) / 2, y, ILD_TRANSPARENT);
      at = {r2.Left + (r2.Width() - th) / 2 + th, y + cy + 4};
    }
    ExtTextOutW(dc, at.x, at.y, ETO_CLIPPED, &clip, w.c_str(), UINT(w.size()), nullptr);
  }
  SelectObject(dc, before);
  DeleteObject(turned);
}

void TacTabControlWnd::PaintControl(HDC given) {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  if (!d || !m || d->IsUpdating(false)) return;
  const TWndBounds b = GetWndBounds(Wnd());
  if (b.WndSize.x <= 0 || b.WndSize.y <= 0) return;
  HDC dc = given ? given : GetDC(Wnd());
  const int saved = SaveDC(dc);
  d->FCacheInvalid = true;

  const int count = TabCount();
  const TTabSide side = Side();
  d->FSkinIndex = m->GetSkinIndex(TabPageSection(d->SkinSection(), count, side));
  TacBackgroundCache bg;
  GetWndParentBackground(Wnd(), bg);
  EnsureCache(*d, b.WndSize.x, b.WndSize.y);

  if (count > 0) {
    const gui::TRect area = GetTabsAreaRect();
    PaintBackgroundInto(*d->FCache, bg, area, {b.WndPos.x + area.Left, b.WndPos.y + area.Top});
    const int rows = std::max(1, int(SendMessageW(Wnd(), TCM_GETROWCOUNT, 0, 0)));
    std::vector<int32_t> rowOf;
    for (int i = 0; i < count; ++i) rowOf.push_back(GetTabRow(i));
    const int active = ActiveTab();
    for (int32_t i : TabPaintOrder(rowOf, rows, active))
      if (i != active) PaintTab(i, 0, {0, 0}, *d->FCache);
  }
  const gui::TRect page = count > 0 ? GetPageAreaRect() : gui::TRect(0, 0, b.WndSize.x, b.WndSize.y);
  PaintControlSection(*d, bg, 0, page, gui::TPoint(b.WndPos.x, b.WndPos.y), *d->FCache);
  d->FCacheInvalid = false;

  const int active = count > 0 ? ActiveTab() : -1;
  gui::TRect act(0, 0, 0, 0);
  if (active >= 0) {
    act = GetTabRect(active, true);
    ExcludeClipRect(dc, act.Left, act.Top, act.Right, act.Bottom);
  }
  BitBlt(dc, 0, 0, b.WndSize.x, b.WndSize.y, d->FCache->Canvas().Handle(), 0, 0, SRCCOPY);
  if (active >= 0 && act.Right > act.Left && act.Bottom > act.Top) {
    RestoreDC(dc, saved);
    SaveDC(dc);
    auto tab = CreateBitmap32(act.Width(), act.Height());
    PaintTab(active, 2, {-act.Left, -act.Top}, *tab);
    BitBlt(dc, act.Left, act.Top, act.Width(), act.Height(), tab->Canvas().Handle(), 0, 0, SRCCOPY);
  }
  RestoreDC(dc, -1);
  if (!given) ReleaseDC(Wnd(), dc);
}

void TacTabControlWnd::RefreshUpDownHook() {
  TsCommonData* d = SkinData();
  HWND child = d && d->IsSkinned(false) ? FindWindowExW(Wnd(), nullptr, UPDOWN_CLASSW, nullptr) : nullptr;
  // A hook still on the same arrows is kept rather than made again.
  if (child && upDownHook_ && !upDownHook_->Released() && upDownHook_->Wnd() == child) return;
  upDownHook_.reset();
  if (!child) return;
  upDownHook_ = std::make_unique<TacSpinWnd>();
  upDownHook_->Attach(child, "UPDOWNBTN");
  if (TsCommonData* sd = upDownHook_->SkinData()) sd->SetSkinManager(d->GetSkinManager());
  upDownHook_->AfterCreation();
  upDownHook_->FOwnerWnd = Wnd();
  InvalidateRect(child, nullptr, TRUE);
}

void TacTabControlWnd::HandleMessage(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (!d || !d->IsSkinned(false)) {
    CallOldWndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      PaintThroughErase(Wnd(), m);
      return;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_PRINTCLIENT:
      // The erase's DC is clipped to the update: the control paints through its own.
      AnswerWholePaint(Wnd(), m, [this](HDC dc, bool printing) { PaintControl(printing ? dc : nullptr); }, 0);
      if (m.Msg != WM_NCPAINT) RefreshUpDownHook();
      return;
    case TCM_SETCURSEL:
      // Without redraw, so the old selection is not drawn by the system in between.
      CallWndProc(WM_SETREDRAW, 0, 0);
      CallOldWndProc(m);
      CallWndProc(WM_SETREDRAW, 1, 0);
      return;
    default:
      CallOldWndProc(m);
      if (m.Msg == WM_SIZE) RefreshUpDownHook();
  }
}

}  // namespace skin

#include "skin/hooks/acPanelWnd.h"

#include <algorithm>

#include "gui/ExtCtrls.h"
#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookLayout.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

namespace {
// A panel marked with this tag is painted without its caption.
constexpr intptr_t kNoCaptionTag = 999;

TacBevel Bevel(gui::TBevelCut b) { return TacBevel(int(b)); }


void CopyToDCExceptChildren(HWND wnd, gui::TBitmap& cache, HDC dc, int x, int y) {
  const int saved = SaveDC(dc);
  for (HWND c = GetWindow(wnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  BitBlt(dc, 0, 0, cache.Width() - x, cache.Height() - y, cache.Canvas().Handle(), x, y, SRCCOPY);
  RestoreDC(dc, saved);
}
}  // namespace

// ---------------------------------------------------------------- panels

gui::TPanel* TacPanelWnd::Panel() const { return dynamic_cast<gui::TPanel*>(Control()); }

void TacPanelWnd::AfterCreation() {
  TsCommonData* d = SkinData();
  if (!d) return;
  if (d->SkinSection().empty()) {
    if (gui::TPanel* p = Panel())
      d->SetSkinSection(PanelSectionByBevel(Bevel(p->BevelOuter()), Bevel(p->BevelInner()),
                                            p->BorderStyle() == gui::TBorderStyle::bsSingle));
    else
      d->SetSkinSection("TRANSPARENT");
  }
  d->UpdateSkinIndex(true);
  TacMainWnd::AfterCreation();
}

bool TacPanelWnd::PrepareCache() {
  TsCommonData* d = SkinData();
  const TWndBounds b = GetWndBounds(Wnd());
  TacBackgroundCache bg;
  GetWndParentBackground(Wnd(), bg);
  if (!bg.Usable()) {
    d->FUpdating = true;
    return false;
  }
  EnsureCache(*d, b.WndSize.x, b.WndSize.y);
  PaintControlSection(*d, bg, 0, gui::TRect{0, 0, b.WndSize.x, b.WndSize.y}, {b.WndPos.x, b.WndPos.y}, *d->FCache);
  gui::TPanel* p = Panel();
  if (!p || p->Tag != kNoCaptionTag) {
    RECT cr;
    GetClientRect(Wnd(), &cr);
    int inset = 0;
    if (p) {
      if (p->BevelOuter() != gui::TBevelCut::bvNone) inset += p->BevelWidth();
      if (p->BevelInner() != gui::TBevelCut::bvNone) inset += p->BevelWidth();
    }
    const std::string text = rtl::U8(WndText());
    if (!text.empty()) {
      PrepareCacheFont(*d, Wnd());
      gui::TCanvas& canvas = d->FCache->Canvas();
      SetBkMode(canvas.Handle(), TRANSPARENT);
      UINT format = DT_CENTER | DT_VCENTER;
      if (p) {
        format = DT_WORDBREAK | DT_VCENTER;
        if (p->Alignment() == gui::TAlignment::taCenter) format |= DT_CENTER;
        if (p->Alignment() == gui::TAlignment::taRightJustify) format |= DT_RIGHT;
      }
      // Centred on the height of one line.
      SelectObject(canvas.Handle(), canvas.Font().Handle());
      SIZE line{};
      GetTextExtentPoint32W(canvas.Handle(), L"Wg", 2, &line);
      gui::TRect r{cr.left + inset, cr.top + inset, cr.right - inset, cr.bottom - inset};
      const int top = r.Top + (r.Height() - line.cy) / 2;
      r.Top = top;
      r.Bottom = top + line.cy;
      WriteControlText(canvas, text, p ? p->Enabled() : true, r, format, d, 0, false);
    }
  }
  d->FCacheInvalid = false;
  return true;
}

void TacPanelWnd::PaintPanel(HDC given) {
  TsCommonData* d = SkinData();
  if (d->FUpdating && d->IsUpdating(true)) return;
  HDC dc = given ? given : GetWindowDC(Wnd());
  if (d->FCacheInvalid || !Control()) {
    if (!PrepareCache()) {
      if (!given) ReleaseDC(Wnd(), dc);
      return;
    }
  }
  RECT wr, cr;
  GetWindowRect(Wnd(), &wr);
  GetClientRect(Wnd(), &cr);
  const int frame = ((wr.right - wr.left) - cr.right) / 2;
  if (d->FCache) CopyToDCExceptChildren(Wnd(), *d->FCache, dc, frame, frame);
  if (!given) ReleaseDC(Wnd(), dc);
}

bool TacPanelWnd::HandleSkinCommand(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  switch (m.WParamHi()) {
    case 6:  // the parent's update ended
      if (d->FUpdating) {
        d->FUpdating = false;
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      }
      return true;
    case 7:
      m.Result = 1;
      return true;
    case AC_PREPARECACHE:
      PrepareCache();
      return true;
    default:
      return false;
  }
}

void TacPanelWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !HookPaints(d)) {
    TacMainWnd::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT: {
      // Painting happens on the background's erasing.
      InvalidateRect(Wnd(), nullptr, FALSE);
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Wnd(), &ps);
      // The windowless children (labels) over the skinned background.
      if (gui::TWinControl* c = Control()) PaintGraphicControls(dc, c, false, {0, 0}, true);
      EndPaint(Wnd(), &ps);
      m.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      if (IsWindowVisible(Wnd())) PaintPanel(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_PRINTCLIENT:
    case WM_PRINT:
      d->FCacheInvalid = true;
      d->FUpdating = false;
      PaintPanel(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_UPDATEUISTATE:
      m.Result = 1;
      return;
    case WM_SETTEXT:
    case WM_WINDOWPOSCHANGED:
    case gui::CM_TEXTCHANGED:
      d->FCacheInvalid = true;
      TacMainWnd::WndProc(m);
      InvalidateRect(Wnd(), nullptr, TRUE);
      return;
    default:
      break;
  }
  TacMainWnd::WndProc(m);
}

// ---------------------------------------------------------------- group boxes

void TacGroupBoxWnd::AfterCreation() { AfterCreationIn("GROUPBOX"); }

gui::TRect TacGroupBoxWnd::CaptionRect() {
  TsCommonData* d = SkinData();
  const std::string text = rtl::U8(WndText());
  const TWndBounds b = GetWndBounds(Wnd());
  if (text.empty()) return {};
  EnsureCache(*d, std::max<LONG>(1, b.WndSize.x), std::max<LONG>(1, b.WndSize.y));
  PrepareCacheFont(*d, Wnd());
  HDC dc = d->FCache->Canvas().Handle();
  SelectObject(dc, d->FCache->Canvas().Font().Handle());
  TRect r{0, 0, 0, 0};
  DrawTextOnDC(dc, text, r, DT_CALCRECT | DT_CENTER);
  return GroupCaptionRect(b.WndSize.x, {r.Right - r.Left, r.Bottom - r.Top},
                          (GetWindowLongW(Wnd(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0);
}

void TacGroupBoxWnd::PrepareGroupCache() {
  TsCommonData* d = SkinData();
  const TWndBounds b = GetWndBounds(Wnd());
  const gui::TRect caption = CaptionRect();
  EnsureCache(*d, b.WndSize.x, b.WndSize.y);
  TacBackgroundCache bg;
  GetWndParentBackground(Wnd(), bg);
  const gui::TPoint pos{b.WndPos.x, b.WndPos.y};
  CopyParentBackground(*d->FCache, bg, gui::TRect{0, 0, b.WndSize.x, caption.Bottom}, pos);
  const int half = caption.Height() / 2;
  PaintControlSection(*d, bg, 0, gui::TRect{0, half, b.WndSize.x, b.WndSize.y}, {pos.X, pos.Y}, *d->FCache);
  if (!caption.IsEmpty()) {
    // The caption hides the frame line under it.
    CopyParentBackground(*d->FCache, bg, caption, pos);
    gui::TCanvas& canvas = d->FCache->Canvas();
    PrepareCacheFont(*d, Wnd());
    canvas.Font().SetColor(TColor(GetWndSkinFontColor(Wnd(), d->FSkinIndex, d->GetSkinManager(), 0)));
    SetBkMode(canvas.Handle(), TRANSPARENT);
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (GetWindowLongW(Wnd(), GWL_EXSTYLE) & WS_EX_RTLREADING) format |= DT_RTLREADING;
    WriteSkinText(canvas, rtl::U8(WndText()), true, caption, format, d->GetScaledSkin(), d->FSkinIndex, 0);
  }
  d->FCacheInvalid = false;
}

void TacGroupBoxWnd::PaintGroupBox(HDC given) {
  PAINTSTRUCT ps{};
  HDC painted = given ? nullptr : BeginPaint(Wnd(), &ps);
  TsCommonData* d = SkinData();
  if (!d->IsUpdating(true)) {
    HDC dc = given ? given : GetDC(Wnd());
    PrepareGroupCache();
    CopyToDCExceptChildren(Wnd(), *d->FCache, dc, 0, 0);
    if (!given) ReleaseDC(Wnd(), dc);
  }
  if (painted) EndPaint(Wnd(), &ps);
}

bool TacGroupBoxWnd::HandleSkinCommand(gui::TMessage& m) {
  switch (m.WParamHi()) {
    case 27:
      m.Result = CaptionRect().Height();
      return true;
    case AC_PREPARECACHE:
      PrepareGroupCache();
      return true;
    default:
      return false;
  }
}

void TacGroupBoxWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !HookPaints(d)) {
    TacMainWnd::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
      TacMainWnd::WndProc(m);
      d->FCacheInvalid = true;
      RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
      return;
    case WM_PAINT:
      PaintGroupBox(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      PaintGroupBox(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    default:
      break;
  }
  TacMainWnd::WndProc(m);
}

// ---------------------------------------------------------------- see-through child dialogs

void TacTransPanelWnd::PaintTransPanel(HDC given) {
  TsCommonData* d = SkinData();
  const TWndBounds b = GetWndBounds(Wnd());
  HDC dc = given ? given : GetWindowDC(Wnd());
  d->FCacheInvalid = true;
  PaintWindowCache(*d, Wnd(), false);
  if (d->FCache)
    PaintCacheExceptChildWindows(Wnd(), d, {0, 0}, 0, 0, false, dc, gui::TRect{0, 0, b.WndSize.x, b.WndSize.y});
  if (!given) ReleaseDC(Wnd(), dc);
}

void TacTransPanelWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !HookPaints(d)) {
    TacMainWnd::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      BeginPaint(Wnd(), &ps);
      PaintTransPanel(nullptr);
      EndPaint(Wnd(), &ps);
      m.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      PaintTransPanel(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_NCPAINT:
      m.Result = 0;
      return;
    default:
      TacMainWnd::WndProc(m);
  }
}

}  // namespace skin

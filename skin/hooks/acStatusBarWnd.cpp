#include "skin/hooks/acStatusBarWnd.h"

#include <commctrl.h>

#include <algorithm>

#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {
namespace {

gui::TRect Shrunk(const gui::TRect& r, int by) { return gui::TRect(r.Left + by, r.Top + by, r.Right - by, r.Bottom - by); }

UINT AlignFlags(gui::TAlignment a) {
  switch (a) {
    case gui::TAlignment::taCenter: return DT_CENTER;
    case gui::TAlignment::taRightJustify: return DT_RIGHT;
    default: return DT_LEFT;
  }
}

}  // namespace

void TacStatusBarWnd::InstallControl(gui::TStatusBar* bar, const std::string& section) {
  bar_ = bar;
  AttachControl(bar, nullptr, section);
  if (TsCommonData* d = SkinData()) d->UpdateSkinIndex(true);
  AfterCreation();
}

void TacStatusBarWnd::Install(HWND wnd, const std::string& section) {
  bar_ = nullptr;
  Attach(wnd, section);
  if (TsCommonData* d = SkinData()) d->UpdateSkinIndex(true);
  AfterCreation();
}

bool TacStatusBarWnd::Simple() const { return SendMessageW(Wnd(), SB_ISSIMPLE, 0, 0) != 0; }
int TacStatusBarWnd::PartCount() const { return int(SendMessageW(Wnd(), SB_GETPARTS, 0, 0)); }

std::string TacStatusBarWnd::PanelText(int index) {
  if (PartCount() <= 0) return {};
  if (Simple()) {
    const int n = int(SendMessageW(Wnd(), WM_GETTEXTLENGTH, 0, 0));
    std::wstring w(size_t(n) + 1, L'\0');
    SendMessageW(Wnd(), WM_GETTEXT, WPARAM(n + 1), LPARAM(w.data()));
    w.resize(wcslen(w.c_str()));
    return rtl::U8(w);
  }
  if (!bar_) return {};
  if (bar_->Panels().Count() == 0) return bar_->SimpleText();
  return index >= 0 && index < bar_->Panels().Count() ? bar_->Panels().Items(index)->Text() : std::string();
}

void TacStatusBarWnd::UpdateCache() {
  TsCommonData* d = SkinData();
  if (!d) return;
  const TWndBounds b = GetWndBounds(Wnd());
  if (b.WndSize.x <= 0 || b.WndSize.y <= 0) return;
  EnsureCache(*d, b.WndSize.x, b.WndSize.y);
  TacBackgroundCache bg;
  d->GetParentBackground(bg);
  PaintControlSection(*d, bg, 0, gui::TRect(0, 0, b.WndSize.x, b.WndSize.y), gui::TPoint(b.WndPos.x, b.WndPos.y),
                      *d->FCache);
  PaintPanels();
  PaintSizeGrip();
  d->FCacheInvalid = false;
}

void TacStatusBarWnd::PaintSizeGrip() {
  TsCommonData* d = SkinData();
  TacSkinData* data = d->GetScaledSkin();
  TsSkinManager* m = d->GetSkinManager();
  if (!(GetWindowLongW(Wnd(), GWL_STYLE) & SBARS_SIZEGRIP) || !data || !m || data->GripImage < 0 ||
      data->GripImage >= int(data->Masks.size()) || d->CacheEmpty())
    return;
  // The grip sits in the client area's corner, the bar's border width inside the window's.
  const int kBorderWidth = bar_ ? bar_->BorderWidth() : 0;
  const TsMaskData& grip = data->Masks[size_t(data->GripImage)];
  TBitmap32 px = Pixels32(*d->FCache);
  TBitmap32 self = px.Clone();
  TBitmap32 master;
  if (m->MasterBitmap()) master = Pixels32(*m->MasterBitmap());
  DrawMaskGlyph(px, {px.Width() - grip.FrameWidth - kBorderWidth, px.Height() - grip.FrameHeight - kBorderWidth}, 0, 1,
                grip, master.HasRows() ? &master : nullptr, MakeBackgroundCache(&self, 0, 0));
}

// The image covers the whole window; the panels lie in the client area inside the border.
void TacStatusBarWnd::PaintPanels() {
  const gui::TRect c = GetClientRectInWindow(Wnd());
  if (Simple()) {
    PaintPanel(-1, gui::TRect(c.Left, c.Top + 1, c.Right - 1, c.Bottom - 1));
    return;
  }
  for (int i = 0; i < PartCount(); ++i) {
    RECT r{};
    SendMessageW(Wnd(), SB_GETRECT, WPARAM(i), LPARAM(&r));
    OffsetRect(&r, c.Left, c.Top);
    PaintPanel(i, Shrunk(gui::TRect(r.left, r.top, r.right, r.bottom), 1));
  }
}

void TacStatusBarWnd::PaintPanel(int index, const gui::TRect& r) {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  TacSkinData* data = d ? d->GetScaledSkin() : nullptr;
  if (!m || !data || d->CacheEmpty()) return;
  gui::TBitmap& cache = *d->FCache;
  gui::TRect t = Shrunk(r, 1);
  const bool simple = Simple();
  if (d->FSkinIndex >= 0) {
    const int mask = m->GetMaskIndex(d->FSkinIndex, "STATUSPANELMASK");
    TSkinOnBitmap skin(*d, cache);
    TBitmap32 px = Pixels32(cache);
    if (skin.Source.ValidElement(mask)) {
      TacBackgroundCache self = MakeBackgroundCache(&px, 0, 0);
      DrawSkinMask(px, simple ? TRect(0, 0, cache.Width(), cache.Height()) : r, self, data->Masks[size_t(mask)],
                   skin.Source.Master, 0, true);
    } else if (!simple && index + 1 != PartCount()) {
      // Without a panel image the panels are parted by the skin's divider.
      const int divider = m->GetSkinIndex("DIVIDER");
      const int border = skin.Source.ValidSection(divider) ? m->GetMaskIndex(divider, "BORDERSMASK") : -1;
      if (skin.Source.ValidElement(border)) {
        const TsMaskData& e = data->Masks[size_t(border)];
        const int w = std::max(2, e.BorderLeft + e.BorderRight);
        const int h = cache.Height() - 2;
        if (h > 0) {
          auto piece = CreateBitmap32(w, h);
          BitBlt(piece->Canvas().Handle(), 0, 0, w, h, cache.Canvas().Handle(), r.Right - w, r.Top, SRCCOPY);
          TBitmap32 under = Pixels32(*piece).Clone();
          TSkinOnBitmap pieceSkin(*d, *piece);
          TBitmap32 into = Pixels32(*piece);
          PaintSkinSection(pieceSkin.Source, divider, MakeBackgroundCache(&under, 0, 0), 0, TRect(0, 0, w, h),
                           TPoint(0, 0), into);
          BitBlt(cache.Canvas().Handle(), r.Right - w, 1, w, h, piece->Canvas().Handle(), 0, 0, SRCCOPY);
        }
      }
    }
  }
  if (!bar_) return;
  gui::TCanvas& canvas = cache.Canvas();
  if (index >= 0 && index < bar_->Panels().Count() &&
      bar_->Panels().Items(index)->Style() == gui::TStatusPanelStyle::psOwnerDraw && bar_->OnDrawPanel) {
    // The application draws on the bar's canvas, bound to the image for the while.
    gui::TCanvas& barCanvas = bar_->Canvas();
    HDC before = barCanvas.HandleAllocated() ? barCanvas.Handle() : nullptr;
    barCanvas.SetHandle(canvas.Handle());
    bar_->OnDrawPanel(bar_, bar_->Panels().Items(index), r);
    barCanvas.SetHandle(before);
    return;
  }
  t.Bottom -= 1;
  t.Left += 2;
  t.Right -= 4;
  canvas.Font().Assign(&bar_->Font());
  const std::string text = CutTextToWidth(canvas, PanelText(index), t.Width());
  const UINT align = !simple && index >= 0 && index < bar_->Panels().Count()
                         ? AlignFlags(bar_->Panels().Items(index)->Alignment())
                         : DT_LEFT;
  WriteControlText(canvas, text, true, t, align | DT_VCENTER | DT_SINGLELINE, d, 0, false);
}

void TacStatusBarWnd::PaintWindow(HDC given) {
  TsCommonData* d = SkinData();
  if (!d) return;
  UpdateCache();
  if (d->CacheEmpty()) return;
  const gui::TRect c = GetClientRectInWindow(Wnd());
  HDC dc = given ? given : GetDC(Wnd());
  BitBlt(dc, 0, 0, c.Width(), c.Height(), d->FCache->Canvas().Handle(), c.Left, c.Top, SRCCOPY);
  if (!given) ReleaseDC(Wnd(), dc);
}

void TacStatusBarWnd::PaintFrame(HDC given) {
  TsCommonData* d = SkinData();
  const int width = bar_ ? bar_->BorderWidth() : 0;
  if (!d || width <= 0) return;
  if (d->FCacheInvalid || d->CacheEmpty()) UpdateCache();
  if (d->CacheEmpty()) return;
  HDC dc = given ? given : GetWindowDC(Wnd());
  CopyBorderFromDC(dc, 0, 0, d->FCache->Width(), d->FCache->Height(), d->FCache->Canvas().Handle(), 0, 0, width, 0,
                   0, 0);
  if (!given) ReleaseDC(Wnd(), dc);
}

void TacStatusBarWnd::HandleMessage(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (!d || !d->IsSkinned(false)) {
    CallOldWndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      PaintThroughErase(Wnd(), m);
      return;
    case WM_NCPAINT:
      if (!AnimationInProgress) PaintFrame(nullptr);
      m.Result = 0;
      return;
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
      AnswerWholePaint(Wnd(), m, [this](HDC dc, bool) { PaintWindow(dc); }, 0);
      return;
    default:
      CallOldWndProc(m);
      if (m.Msg == WM_SIZE) RedrawWindow(Wnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
  }
}

}  // namespace skin

#include "skin/hooks/acPageControlWnd.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/graphics/acAlphaImages.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {
namespace {

// The one owner of every page hook.
std::vector<std::unique_ptr<TacPageWnd>>& PageHooks() {
  static std::vector<std::unique_ptr<TacPageWnd>> hooks;
  return hooks;
}

// Pixels of a picture onto a DC: Src from (X, Y), W x H at (DstX, DstY).
void CopyPixels(HDC dc, int dstX, int dstY, const TBitmap32& src, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  auto piece = CreateBitmap32(w, h);
  TBitmap32 px = Pixels32(*piece);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (src.Inside(x + i, y + j)) px.At(i, j) = src.At(x + i, y + j);
  BitBlt(dc, dstX, dstY, w, h, piece->Canvas().Handle(), 0, 0, SRCCOPY);
}

}  // namespace

size_t PageHookCount() { return PageHooks().size(); }

void FreePageHooks() {
  auto& hooks = PageHooks();
  // From the front, as they were made; a hook whose page went is already off its window.
  for (auto& hook : hooks)
    if (!hook->Released()) hook->Release(false);
  hooks.clear();
}

void TacPageWnd::PaintPage(HDC dc) {
  TsCommonData* d = SkinData();
  if (!d || d->IsUpdating(false)) return;
  const TWndBounds b = GetWndBounds(Wnd());
  if (!b.ParentWnd) return;
  TacBackgroundQuery q;
  QueryWindowBackground(q, b.ParentWnd, false);
  if (q.Kind == bkBitmap && q.Bitmap) {
    CopyPixels(dc, 0, 0, *q.Bitmap, b.WndPos.x + q.OffsetX, b.WndPos.y + q.OffsetY, b.WndSize.x, b.WndSize.y);
  } else if (q.Kind == bkColor && page_) {
    FillRectOnDC(dc, gui::TRect(0, 0, b.WndSize.x, b.WndSize.y), q.Color);
    // The page joins the tabs: a strip of the control's image along the tab side.
    if (q.Bitmap && SendMessageW(b.ParentWnd, TCM_GETITEMCOUNT, 0, 0) > 0) {
      const TTabSide side = TabSideOf(uint32_t(GetWindowLongW(b.ParentWnd, GWL_STYLE)));
      const int x = b.WndPos.x + q.OffsetX, y = b.WndPos.y + q.OffsetY, w = b.WndSize.x, h = b.WndSize.y;
      switch (side) {
        case tsTop: CopyPixels(dc, 0, 0, *q.Bitmap, x, y, w, 3); break;
        case tsBottom: CopyPixels(dc, 0, h - 3, *q.Bitmap, x, y + h - 3, w, 3); break;
        case tsLeft: CopyPixels(dc, 0, 0, *q.Bitmap, x, y, 3, h); break;
        case tsRight: CopyPixels(dc, w - 3, 0, *q.Bitmap, x + w - 3, y, 3, h); break;
      }
    }
  }
}

bool TacPageWnd::HandleSkinCommand(gui::TMessage& m) {
  if (m.WParamHi() != AC_GETBG || !m.LParam) return false;
  // Only a query its sender holds is filled in: a posted number is no record of ours.
  if (!IsCommandRecord(reinterpret_cast<const void*>(m.LParam))) {
    m.Result = 0;
    return true;
  }
  // A child asks for the background: the tab control answers, moved to this page.
  auto& q = *reinterpret_cast<TacBackgroundQuery*>(m.LParam);
  const TWndBounds b = GetWndBounds(Wnd());
  QueryWindowBackground(q, b.ParentWnd, q.PleaseDraw);
  q.OffsetX += b.WndPos.x;
  q.OffsetY += b.WndPos.y;
  return true;
}

void TacPageWnd::HandleMessage(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (!d || !d->IsSkinned(false)) {
    CallOldWndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT: {
      if (!IsWindowVisible(Wnd())) break;
      PAINTSTRUCT ps;
      HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(Wnd(), &ps);
      PaintPage(dc);
      if (!m.WParam) EndPaint(Wnd(), &ps);
      m.Result = 0;
      return;
    }
    default:
      break;
  }
  if (!AnswerWholePaint(Wnd(), m, [this](HDC dc, bool) { PaintPage(dc); }, 1)) CallOldWndProc(m);
}

void TacPageControlWnd::InstallControl(gui::TPageControl* control, const std::string& section) {
  pageControl_ = control;
  AttachControl(control, nullptr, section);
  if (TsCommonData* d = SkinData()) d->UpdateSkinIndex(true);
  HookPages();
  AfterCreation();
}

void TacPageControlWnd::HookPages() {
  if (!pageControl_) return;
  for (int i = 0; i < pageControl_->PageCount(); ++i) {
    gui::TTabSheet* page = pageControl_->Pages(i);
    // Pages without a window yet are hooked by a later call; a skinned page never twice.
    if (!page->HandleAllocated() || IsWndSkinned(page->Handle())) continue;
    auto hook = std::make_unique<TacPageWnd>();
    hook->AttachControl(page, nullptr, "TRANSPARENT");
    hook->SetPage(page);
    if (TsCommonData* d = hook->SkinData()) d->UpdateSkinIndex(true);
    hook->AfterCreation();
    PageHooks().push_back(std::move(hook));
  }
}

void TacPageControlWnd::HandleMessage(gui::TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT:
      HookPages();
      m.Result = 0;
      return;
    case WM_PARENTNOTIFY:
    case TCM_SETCURSEL:
    case TCM_SETITEMW:
      HookPages();
      break;
    default:
      break;
  }
  TacTabControlWnd::HandleMessage(m);
}

}  // namespace skin

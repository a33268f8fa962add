#include "skin/hooks/acStaticWnd.h"

#include <algorithm>
#include <vector>

#include "gui/ExtCtrls.h"
#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/sCommonUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookLayout.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

void TacStaticWnd::AfterCreation() {
  AfterCreationIn("TRANSPARENT");
  TsCommonData* d = SkinData();
  if (!d) return;
  const std::string text = rtl::U8(WndText());
  if (!GrowsForText() || text.empty() || !HookPaints(d)) return;
  const TWndBounds b = GetWndBounds(Wnd());
  EnsureCache(*d, std::max<LONG>(b.WndSize.x, 1), std::max<LONG>(b.WndSize.y, 1));
  PrepareCacheFont(*d, Wnd());
  HDC dc = d->FCache->Canvas().Handle();
  SelectObject(dc, d->FCache->Canvas().Font().Handle());
  TRect r{0, 0, b.WndSize.x, 0};
  DrawTextOnDC(dc, text, r, DT_CALCRECT | DT_WORDBREAK);
  // A window large enough is left alone; a smaller one takes exactly the measured text.
  if (b.WndSize.x < r.Right || b.WndSize.y < r.Bottom)
    SetWindowPos(Wnd(), nullptr, 0, 0, r.Right, r.Bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

bool TacStaticWnd::LeftAlone() {
  return (GetWindowLongW(Wnd(), GWL_STYLE) & WS_TABSTOP) || (GetWindowLongW(Wnd(), GWL_EXSTYLE) & WS_EX_STATICEDGE);
}

void TacStaticWnd::PaintStatic(HDC given) {
  TsCommonData* d = SkinData();
  const TWndBounds b = GetWndBounds(Wnd());
  HDC dc = given ? given : GetWindowDC(Wnd());
  const int saved = SaveDC(dc);
  d->FCacheInvalid = true;
  EnsureCache(*d, b.WndSize.x, b.WndSize.y);
  PaintWindowCache(*d, Wnd(), false);
  ShowCache(dc, b.WndSize.x, b.WndSize.y, DrawContent());
  RestoreDC(dc, saved);
  if (!given) ReleaseDC(Wnd(), dc);
}

void TacStaticWnd::ShowCache(HDC dc, int width, int height, bool drawn) {
  if (drawn) BitBlt(dc, 0, 0, width, height, SkinData()->FCache->Canvas().Handle(), 0, 0, SRCCOPY);
}

bool TacStaticWnd::DrawContent() {
  TsCommonData* d = SkinData();
  const std::string text = rtl::U8(WndText());
  if (text.empty() || !d->FCache) return false;
  PrepareCacheFont(*d, Wnd());
  gui::TCanvas& canvas = d->FCache->Canvas();
  canvas.Font().SetColor(TColor(GetWndSkinFontColor(Wnd(), d->FSkinIndex, d->GetSkinManager(), 0)));
  SetBkMode(canvas.Handle(), TRANSPARENT);
  UINT format = 0x0BD4;  // vertically centred, word breaks, tabs of 8, no clipping
  if (GetWindowLongW(Wnd(), GWL_EXSTYLE) & WS_EX_RIGHT) format |= DT_RIGHT;
  WriteSkinText(canvas, text, true, TRect{0, 0, d->FCache->Width(), d->FCache->Height()}, format, d->GetScaledSkin(),
                d->FSkinIndex, 0);
  return true;
}

void TacStaticWnd::Redraw(UINT flags) { RedrawWindow(Wnd(), nullptr, nullptr, flags); }

void TacStaticWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !HookPaints(d) || LeftAlone()) {
    TacMainWnd::WndProc(m);
    return;
  }
  const bool visible = IsWindowVisible(Wnd());
  switch (m.Msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(Wnd(), &ps);
      if (visible) PaintStatic(reinterpret_cast<HDC>(m.WParam));
      EndPaint(Wnd(), &ps);
      m.Result = 0;
      return;
    }
    case WM_PRINT:
    case WM_PRINTCLIENT:
      PaintStatic(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_ERASEBKGND:
      if (visible) {
        m.Result = 1;
        return;
      }
      break;
    case WM_NCPAINT:
      m.Result = 0;
      return;
    case WM_MOVE:
    case WM_ENABLE:
      if (visible) {
        d->FCacheInvalid = true;
        CallOldWndProc(m);
        Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
      }
      break;
    case WM_SETTEXT:
      if (visible) {
        CallWndProc(WM_SETREDRAW, 0, 0);
        TacMainWnd::WndProc(m);  // sets the text and reads it again
        d->FCacheInvalid = true;
        CallWndProc(WM_SETREDRAW, 1, 0);
        Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
      }
      break;
    default:
      break;
  }
  TacMainWnd::WndProc(m);
}

// ---------------------------------------------------------------- icons and bitmaps

bool TacIconWnd::DrawContent() {
  TsCommonData* d = SkinData();
  if (!d->FCache) return false;
  HDC cacheDC = d->FCache->Canvas().Handle();
  if ((GetWindowLongW(Wnd(), GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(Wnd(), STM_GETICON, 0, 0));
    if (!icon) return false;
    DrawIconEx(cacheDC, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    return true;
  }
  HBITMAP bmp = reinterpret_cast<HBITMAP>(SendMessageW(Wnd(), STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info{};
  if (!bmp || GetObjectW(bmp, sizeof info, &info) == 0 || info.bmWidth == 0 || info.bmHeight == 0) return false;
  const int w = std::min<int>(info.bmWidth, d->FCache->Width()), h = std::min<int>(info.bmHeight, d->FCache->Height());
  if (info.bmBitsPixel == 32) {
    // Straight alpha laid over the skinned background, pixel by pixel; the static's bitmap
    // is only read.
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB};
    std::vector<uint32_t> src(size_t(info.bmWidth) * size_t(info.bmHeight));
    if (!GetDIBits(cacheDC, bmp, 0, UINT(info.bmHeight), src.data(), &bi, DIB_RGB_COLORS)) return false;
    TBitmap32 px = Pixels32(*d->FCache);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const TPixel s = src[size_t(y) * size_t(info.bmWidth) + size_t(x)];
        TPixel& t = px.At(x, y);
        const uint32_t a = ChA(s);
        auto mix = [a](uint32_t sc, uint32_t dc) { return (sc * a + dc * (255 - a)) / 255; };
        t = MakePixel(mix(ChB(s), ChB(t)), mix(ChG(s), ChG(t)), mix(ChR(s), ChR(t)), 255);
      }
    return true;
  }
  HDC src = CreateCompatibleDC(cacheDC);
  HGDIOBJ old = SelectObject(src, bmp);
  BitBlt(cacheDC, 0, 0, w, h, src, 0, 0, SRCCOPY);
  SelectObject(src, old);
  DeleteDC(src);
  return true;
}

// ---------------------------------------------------------------- links

std::string TacLinkWnd::ShownText(const std::string& text) { return ReplaceAll(ReplaceAll(text, "<A>", ""), "</A>", ""); }

bool TacLinkWnd::DrawContent() {
  TsCommonData* d = SkinData();
  if (!d->FCache) return false;
  PrepareCacheFont(*d, Wnd());
  gui::TCanvas& canvas = d->FCache->Canvas();
  canvas.Font().SetStyle(canvas.Font().Style() | gui::fsUnderline);
  SetBkMode(canvas.Handle(), TRANSPARENT);
  WriteControlText(canvas, ShownText(rtl::U8(WndText())), true,
                   gui::TRect{0, 0, d->FCache->Width() + 4, d->FCache->Height()}, 0x150, d, 0, false);
  return true;
}

void TacLinkWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !HookPaints(d) || (GetWindowLongW(Wnd(), GWL_EXSTYLE) & WS_EX_STATICEDGE)) {
    TacStaticWnd::WndProc(m);
    return;
  }
  constexpr UINT kAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
  const bool visible = IsWindowVisible(Wnd());
  switch (m.Msg) {
    case WM_MOVE:
      d->FCacheInvalid = true;
      CallOldWndProc(m);
      Redraw(kAll);
      return;
    case WM_SETTEXT:
      TacMainWnd::WndProc(m);
      d->FCacheInvalid = true;
      Redraw(kAll);
      return;
    case WM_PAINT: {
      // The link is painted while its background is erased.
      PAINTSTRUCT ps;
      BeginPaint(Wnd(), &ps);
      EndPaint(Wnd(), &ps);
      return;
    }
    case WM_ERASEBKGND:
      if (visible) {
        PaintStatic(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
      }
      break;
    case WM_NCPAINT:
      m.Result = 0;
      return;
    case WM_UPDATEUISTATE:
      if (!visible) return;
      break;
    default:
      break;
  }
  TacStaticWnd::WndProc(m);
}

// ---------------------------------------------------------------- edges

void TacEdgeWnd::AfterCreation() {
  if (TsCommonData* d = SkinData(); d && d->SkinSection().empty()) d->SetSkinSection("EDIT");
  TacStaticWnd::AfterCreation();
}

void TacEdgeWnd::ShowCache(HDC dc, int width, int height, bool) {
  CopyBorderFromDC(dc, 0, 0, width, height, SkinData()->FCache->Canvas().Handle(), 0, 0, kBorder, 0, 0, 0);
}

void TacEdgeWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !HookPaints(d)) {
    TacMainWnd::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      // The picture is the system's; the frame goes over it afterwards.
      CallOldWndProc(m);
      PaintStatic(nullptr);
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_NCPAINT:
      m.Result = 0;
      return;
    default:
      break;
  }
  TacStaticWnd::WndProc(m);
}

// ---------------------------------------------------------------- static texts

namespace {
TacBevel BevelOf(gui::TBevelCut b) {
  switch (b) {
    case gui::TBevelCut::bvLowered: return TacBevel::Lowered;
    case gui::TBevelCut::bvRaised: return TacBevel::Raised;
    case gui::TBevelCut::bvSpace: return TacBevel::Space;
    default: return TacBevel::None;
  }
}
}  // namespace

void TacStaticTextWnd::AfterCreation() {
  TsCommonData* d = SkinData();
  if (!d) return;
  auto* text = dynamic_cast<gui::TStaticText*>(Control());
  if (d->SkinSection().empty())
    d->SetSkinSection(text && text->BevelKind() != gui::TBevelKind::bkNone
                          ? PanelSectionByBevel(BevelOf(text->BevelOuter()), BevelOf(text->BevelInner()), false)
                          : std::string("TRANSPARENT"));
  d->UpdateSkinIndex(true);
  TacMainWnd::AfterCreation();
  d->FCacheInvalid = true;
}

int TacStaticTextWnd::BorderWidth() {
  RECT wr, cr;
  GetWindowRect(Wnd(), &wr);
  GetClientRect(Wnd(), &cr);
  return std::max<int>(0, ((wr.right - wr.left) - cr.right) / 2);
}

bool TacStaticTextWnd::PrepareCache() {
  TsCommonData* d = SkinData();
  const TWndBounds b = GetWndBounds(Wnd());
  TacBackgroundCache bg;
  GetWndParentBackground(Wnd(), bg);
  if (!bg.Ready && bg.FillColor == clFuchsia) {
    d->FUpdating = true;
    return false;
  }
  EnsureCache(*d, std::max<LONG>(b.WndSize.x, 1), std::max<LONG>(b.WndSize.y, 1));
  if (d->CustomColor() && Control()) {
    RECT all{0, 0, d->FCache->Width(), d->FCache->Height()};
    HBRUSH br = CreateSolidBrush(gui::ColorToRGB(Control()->Color()));
    FillRect(d->FCache->Canvas().Handle(), &all, br);
    DeleteObject(br);
  } else {
    PaintControlSection(*d, bg, 0, gui::TRect{0, 0, b.WndSize.x, b.WndSize.y}, gui::TPoint{b.WndPos.x, b.WndPos.y},
                        *d->FCache);
  }
  WriteText();
  d->FCacheInvalid = false;
  return true;
}

void TacStaticTextWnd::WriteText() {
  TsCommonData* d = SkinData();
  const std::string text = rtl::U8(WndText());
  if (text.empty()) return;
  PrepareCacheFont(*d, Wnd());
  const int bw = BorderWidth();
  RECT cr;
  GetClientRect(Wnd(), &cr);
  const gui::TRect r{bw, bw, bw + cr.right, bw + cr.bottom};
  UINT flags = DT_WORDBREAK;
  bool enabled = true;
  if (auto* st = dynamic_cast<gui::TStaticText*>(Control())) {
    flags |= st->Alignment() == gui::TAlignment::taCenter         ? DT_CENTER
             : st->Alignment() == gui::TAlignment::taRightJustify ? DT_RIGHT
                                                                  : DT_LEFT;
    enabled = st->Enabled();
  } else {
    flags = DT_CENTER | DT_VCENTER;
  }
  SetBkMode(d->FCache->Canvas().Handle(), TRANSPARENT);
  WriteControlText(d->FCache->Canvas(), text, enabled, r, flags, d, 0, false);
}

void TacStaticTextWnd::PaintClient(HDC dc) {
  TsCommonData* d = SkinData();
  if (!d || d->FUpdating) return;
  if ((d->FCacheInvalid || d->CacheEmpty()) && !PrepareCache()) return;
  const bool own = dc == nullptr;
  if (own) dc = GetDC(Wnd());
  const int bw = BorderWidth();
  const TWndBounds b = GetWndBounds(Wnd());
  BitBlt(dc, 0, 0, b.WndSize.x - 2 * bw, b.WndSize.y - 2 * bw, d->FCache->Canvas().Handle(), bw, bw, SRCCOPY);
  if (own) ReleaseDC(Wnd(), dc);
}

void TacStaticTextWnd::PaintFrame(HDC dc) {
  TsCommonData* d = SkinData();
  if (!d || d->FUpdating) return;
  const int bw = BorderWidth();
  if (bw <= 0) return;
  if ((d->FCacheInvalid || d->CacheEmpty()) && !PrepareCache()) return;
  const bool own = dc == nullptr;
  if (own) dc = GetWindowDC(Wnd());
  CopyBorderFromDC(dc, 0, 0, d->FCache->Width(), d->FCache->Height(), d->FCache->Canvas().Handle(), 0, 0, bw, 0, 0,
                   0);
  if (own) ReleaseDC(Wnd(), dc);
}

bool TacStaticTextWnd::HandleSkinCommand(gui::TMessage& m) {
  switch (m.WParamHi()) {
    case AC_CTRLHANDLED:
      m.Result = 1;
      return true;
    case AC_PREPARECACHE:
      PrepareCache();
      return false;
    default:
      return false;
  }
}

void TacStaticTextWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !Control() || !HookPaints(d)) {
    TacMainWnd::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_SETTEXT:
      if (IsWindowVisible(Wnd())) {
        CallWndProc(WM_SETREDRAW, 0, 0);
        TacMainWnd::WndProc(m);
        CallWndProc(WM_SETREDRAW, 1, 0);
        d->FCacheInvalid = true;
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        return;
      }
      break;
    case WM_PAINT: {
      // The picture comes with the erasing; the system's painting is skipped.
      InvalidateRect(Wnd(), nullptr, TRUE);
      ValidateRect(Wnd(), nullptr);
      PAINTSTRUCT ps;
      BeginPaint(Wnd(), &ps);
      EndPaint(Wnd(), &ps);
      m.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      PaintClient(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_NCPAINT:
      PaintFrame(nullptr);
      m.Result = 0;
      return;
    case WM_UPDATEUISTATE:
      m.Result = 1;
      return;
    case WM_PRINTCLIENT:
      PaintClient(reinterpret_cast<HDC>(m.WParam));
      PaintFrame(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_WINDOWPOSCHANGED:
    case WM_ENABLE:
      d->FCacheInvalid = true;
      break;
    default:
      break;
  }
  TacMainWnd::WndProc(m);
}

}  // namespace skin

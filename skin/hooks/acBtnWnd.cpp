#include "skin/hooks/acBtnWnd.h"

#include <algorithm>

#include "gui/Buttons.h"
#include "gui/StdCtrls.h"
#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acThdTimer.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGlyphDraw.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

namespace {
constexpr uint8_t kButtonKind = 93;

bool HasSiblingWithId(HWND wnd, int id) {
  HWND parent = GetParent(wnd);
  if (!parent) return false;
  HWND sib = GetDlgItem(parent, id);
  return sib && sib != wnd;
}

bool CursorInside(HWND wnd) {
  POINT p;
  RECT r;
  return GetCursorPos(&p) && GetWindowRect(wnd, &r) && PtInRect(&r, p);
}

bool NoMouseHover(TsSkinManager* m) { return !m || m->Options.GetOption(1); }

// Each pixel that is not the key colour multiplied by the colour (channel by channel).
void ColorizeBitmap(gui::TBitmap& bmp, uint32_t color) {
  TBitmap32 px = Pixels32(bmp);
  const uint32_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  for (int y = 0; y < px.Height(); ++y)
    for (int x = 0; x < px.Width(); ++x) {
      TPixel& p = px.At(x, y);
      if ((p & 0xFFFFFF) == 0xFF00FF) continue;
      p = MakePixel(ChB(p) * b / 255, ChG(p) * g / 255, ChR(p) * r / 255, ChA(p));
    }
}
}  // namespace

void TacBtnWnd::AfterCreation() {
  TsCommonData* d = SkinData();
  if (!d) return;
  if (d->SkinSection().empty()) d->SetSkinSection("BUTTON");
  d->FControlKind = kButtonKind;
  if (auto* b = dynamic_cast<gui::TButton*>(Control()))
    modalId_ = ModalIdOfResult(b->ModalResult);
  else
    modalId_ = GetDlgCtrlID(Wnd());
  d->UpdateSkinIndex(true);
  TacMainWnd::AfterCreation();
}

bool TacBtnWnd::Pushed() { return (SendMessageW(Wnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

int TacBtnWnd::GetButtonState() {
  TsCommonData* d = SkinData();
  if (Pushed()) {
    if (d) HideGlowEffect(d->FGlowID, false);
    return 2;
  }
  if (!IsWindowEnabled(Wnd())) return 0;
  const bool defaultStyle = (GetWindowLongW(Wnd(), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
  if (Control()) {
    if (d && d->CurrentState() != 0) return 1;
    return defaultStyle ? 1 : 0;
  }
  if (GetFocus() == Wnd() || (d && (d->FHovered || d->FFocused))) return 1;
  return defaultStyle ? 3 : 0;
}

TacModalColors TacBtnWnd::GetModalColors() {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  if (!m) return {};
  const bool okSibling = modalId_ == 2 ? (HasSiblingWithId(Wnd(), 1) || HasSiblingWithId(Wnd(), 6)) : false;
  return ModalButtonColors(m->ButtonsOptions.ModalButtonsColoring, modalId_, okSibling, HasSiblingWithId(Wnd(), 7),
                           GetButtonState() != 0);
}

gui::TSize TacBtnWnd::CaptionSize() {
  TsCommonData* d = SkinData();
  const std::string text = rtl::U8(WndText());
  if (text.empty() || !d || !d->FCache) return {};
  TRect r{0, 0, GetMaxCaptionWidth() + 2, 0};
  UINT flags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_CENTER;
  if (GetWindowLongW(Wnd(), GWL_STYLE) & BS_MULTILINE) flags |= DT_WORDBREAK;
  DrawTextOnDC(d->FCache->Canvas().Handle(), text, r, flags);
  return {r.Right - r.Left, r.Bottom - r.Top};
}

int TacBtnWnd::GetMaxCaptionWidth() {
  const TWndBounds b = GetWndBounds(Wnd());
  return ButtonMaxCaptionWidth(b.WndSize.x, !WndText().empty(), GetGlyphSize().cx);
}

gui::TRect TacBtnWnd::GetCaptionRect(int state) {
  const TWndBounds b = GetWndBounds(Wnd());
  TsCommonData* d = SkinData();
  return ButtonCaptionRect(b.WndSize.x, b.WndSize.y, CaptionSize(), state == 2 && d && IsContentShifted(*d));
}

void TacBtnWnd::DrawCaption(const TacModalColors& colors, int state) {
  TsCommonData* d = SkinData();
  PrepareCacheFont(*d, Wnd());
  const std::string text = rtl::U8(WndText());
  gui::TRect r = GetCaptionRect(state);
  const LONG style = GetWindowLongW(Wnd(), GWL_STYLE);
  UINT flags = DT_CENTER | DT_EXPANDTABS;
  if (style & BS_MULTILINE) flags |= DT_WORDBREAK;
  if (GetWindowLongW(Wnd(), GWL_EXSTYLE) & WS_EX_RTLREADING) flags |= DT_RTLREADING;
  gui::TCanvas& canvas = d->FCache->Canvas();
  HDC dc = canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  if (!text.empty()) {
    if (colors.Text != kNoColor) {
      SelectObject(dc, canvas.Font().Handle());
      SetTextColor(dc, ColorToSkinRGB(colors.Text, d->GetSkinManager()) & 0xFFFFFF);
      TRect tr{r.Left, r.Top, r.Right, r.Bottom};
      DrawTextOnDC(dc, text, tr, flags);
    } else {
      WriteControlText(canvas, text, true, r, flags, d, state == 0 ? 0 : 1, colors.Background == kNoColor);
    }
  }
  TsSkinManager* m = d->GetSkinManager();
  if (IsWindowEnabled(Wnd()) && m && m->ButtonsOptions.ShowFocusRect &&
      (SendMessageW(Wnd(), BM_GETSTATE, 0, 0) & BST_FOCUS) && !text.empty()) {
    const TWndBounds b = GetWndBounds(Wnd());
    gui::TRect f{r.Left - 2, std::max(r.Top - 1, 3), r.Right + 2, std::min(r.Bottom + 1, int(b.WndSize.y) - 3)};
    const int states = d->Section() ? d->Section()->States : 1;
    DrawDottedFrame(dc, f, GetSkinFontColor(d->FControl, d->FSkinIndex, m, std::min(1, states), d));
  }
}

void TacBtnWnd::PrepareButtonCache() {
  TsCommonData* d = SkinData();
  if (!d || !d->Section()) return;
  const TWndBounds b = GetWndBounds(Wnd());
  TacBackgroundCache bg;
  GetWndParentBackground(Wnd(), bg);
  EnsureCache(*d, b.WndSize.x, b.WndSize.y);
  const int state = GetButtonState();
  const int index = ButtonStateIndex(state, d->Section()->States);
  PaintControlSection(*d, bg, index, gui::TRect{0, 0, b.WndSize.x, b.WndSize.y}, gui::TPoint{b.WndPos.x, b.WndPos.y},
                      *d->FCache);
  const TacModalColors colors = GetModalColors();
  if (colors.Background != kNoColor) ColorizeBitmap(*d->FCache, ColorToSkinRGB(colors.Background, d->GetSkinManager()));
  DrawCaption(colors, state);
  PaintGlyph(state);
  if (!IsWindowEnabled(Wnd())) {
    bg.X += b.WndPos.x;
    bg.Y += b.WndPos.y;
    ApplyDisabledLook(*d->FCache, bg);
  }
  d->FCacheInvalid = false;
}

void TacBtnWnd::PaintButton(HDC given) {
  PAINTSTRUCT ps{};
  HDC painted = given ? nullptr : BeginPaint(Wnd(), &ps);
  TsCommonData* d = SkinData();
  if (HookPaints(d)) {
    if (d->IsAnimating() && d->FAnimTimer->FWorkImage) {
      // A fade is running: the screen shows its present frame until the fade ends.
      gui::TBitmap& frame = *d->FAnimTimer->FWorkImage;
      HDC dc = GetDC(Wnd());
      BitBlt(dc, 0, 0, frame.Width(), frame.Height(), frame.Canvas().Handle(), 0, 0, SRCCOPY);
      ReleaseDC(Wnd(), dc);
    } else if (!d->IsUpdating(true)) {
      // The parent's state is asked anew at every paint: a mark left from an earlier paint
      // would keep the button from ever painting again.
      HDC dc = given ? given : GetDC(Wnd());
      d->FCacheInvalid = true;
      PrepareButtonCache();
      if (d->FCache) BitBlt(dc, 0, 0, d->FCache->Width(), d->FCache->Height(), d->FCache->Canvas().Handle(), 0, 0, SRCCOPY);
      if (!given) ReleaseDC(Wnd(), dc);
    }
  }
  if (painted) EndPaint(Wnd(), &ps);
}

void TacBtnWnd::Refresh(gui::TMessage& m, bool stopAnimation) {
  TsCommonData* d = SkinData();
  SendMessageW(Wnd(), WM_SETREDRAW, FALSE, 0);
  CallOldWndProc(m);
  SendMessageW(Wnd(), WM_SETREDRAW, TRUE, 0);
  if (d) {
    d->FCacheInvalid = true;
    if (stopAnimation) d->StopAnimation();
  }
  RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
}

void TacBtnWnd::MouseEntered() {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  // A late word of an enter the mouse has already left again changes nothing.
  if (!d || d->FHovered || NoMouseHover(m) || m->HoveredWindow() != Wnd() || !CursorInside(Wnd())) return;
  d->FCacheInvalid = false;
  d->FUpdating = false;
  d->FHovered = true;
  RepaintWithFade(d, 1, FadeStep, true, false, true);
}

void TacBtnWnd::MouseLeft() {
  TsCommonData* d = SkinData();
  if (!d || !d->FHovered) return;
  d->FHovered = false;
  if (Control() && IsControlUnderMouse(Control())) return;
  d->FUpdating = false;
  d->FCacheInvalid = false;
  RepaintWithFade(d, 0, FadeStep, true, false, false);
}

bool TacBtnWnd::HandleSkinCommand(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  switch (m.WParamHi()) {
    case 6:  // repaint after an update
      if (d && d->FUpdating && !d->IsUpdating(true))
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      return true;
    case AC_PREPARECACHE:
      PrepareButtonCache();
      return true;
    case AC_MOUSEENTER:
      MouseEntered();
      return true;
    case AC_MOUSELEAVE:
      MouseLeft();
      return true;
    case 54: {  // the glow's tone
      const TacModalColors c = GetModalColors();
      const uint32_t tone = c.Background != kNoColor && (modalId_ == 1 || modalId_ == 6) ? c.Background : c.Glyph;
      if (tone == kNoColor) {
        m.Result = 0;
      } else {
        if (m.LParam) *reinterpret_cast<uint32_t*>(m.LParam) = ColorToSkinRGB(tone, d->GetSkinManager());
        m.Result = 1;
      }
      return true;
    }
    default:
      return false;
  }
}

void TacBtnWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !HookPaints(d)) {
    TacMainWnd::WndProc(m);
    return;
  }
  const bool visible = IsWindowVisible(Wnd());
  switch (m.Msg) {
    case WM_PAINT:
      if (visible) {
        PaintButton(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
      }
      break;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      PaintButton(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_NCPAINT:
    case WM_UPDATEUISTATE:
      m.Result = 0;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (IsWindowEnabled(Wnd())) {
        d->FFocused = m.Msg == WM_SETFOCUS;
        Refresh(m, m.Msg == WM_SETFOCUS);
        return;
      }
      break;
    case WM_ENABLE:
    case WM_SETTEXT:
      if (visible) {
        if (m.Msg == WM_SETTEXT) {
          FinishAnimation(d->FAnimTimer);
          d->StopAnimation();
        }
        TacMainWnd::WndProc(m);  // keeps the text the hook writes
        d->FCacheInvalid = true;
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return;
      }
      break;
    case BM_SETSTATE:
    case BM_SETSTYLE:
      if (visible) {
        Refresh(m, true);
        return;
      }
      break;
    case WM_MOVE:
      // A see-through look shows the parent's background at the new place.
      if (const TsGeneralData* sec = d->Section();
          sec && (sec->StateParams[0].Transparency > 0 || (sec->StateParams[1].Transparency > 0 && d->FHovered))) {
        TacMainWnd::WndProc(m);
        d->FCacheInvalid = true;
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return;
      }
      break;
    case WM_MOUSEHOVER:
      SendSkinCommand(Wnd(), AC_MOUSEENTER);
      break;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (TsSkinManager* manager = d->GetSkinManager(); manager && manager->HoveredWindow() == Wnd())
        manager->SetHoveredWindow(nullptr);
      else
        MouseLeft();
      break;
    case WM_LBUTTONUP: {
      const bool hovered = d->FHovered;
      if (hovered) {
        d->StopAnimation();
        d->FHovered = false;
      }
      TacMainWnd::WndProc(m);
      // The click may have closed the button's window (a dialog's OK): nothing more then.
      if (Released() || !IsWindow(Wnd())) return;
      if (hovered) {
        // Released over the button: back to the hot look, faded in from the pressed one.
        if (IsWindowVisible(Wnd())) SendSkinCommand(Wnd(), AC_MOUSEENTER);
      } else {
        d->FCacheInvalid = false;
        RepaintWithFade(d, 0, FadeStep, true, true, true);
      }
      return;
    }
    default:
      break;
  }
  TacMainWnd::WndProc(m);
  if (m.Msg == WM_MOUSEMOVE && IsWindowEnabled(Wnd())) {
    TsSkinManager* manager = d->GetSkinManager();
    if (!NoMouseHover(manager)) {
      TrackMouseLeave(Wnd(), tracking_);
      if (CursorInside(Wnd()))
        manager->SetHoveredWindow(Wnd());
      else if (manager->HoveredWindow() == Wnd())
        manager->SetHoveredWindow(nullptr);
    }
  }
}

// ---------------------------------------------------------------- bitmap buttons

namespace {
gui::TBitBtn* BitBtnOf(gui::TWinControl* c) { return dynamic_cast<gui::TBitBtn*>(c); }
TacGlyphLayout LayoutOf(const gui::TBitBtn& b) { return TacGlyphLayout(int(b.Layout())); }
}  // namespace

int TacBitBtnWnd::GetButtonState() {
  gui::TBitBtn* b = BitBtnOf(Control());
  if (!b) return TacBtnWnd::GetButtonState();
  TsCommonData* d = SkinData();
  if (Pushed()) {
    if (d) HideGlowEffect(d->FGlowID, false);
    return 2;
  }
  if (!IsWindowEnabled(Wnd())) return 0;
  if (d && d->CurrentState() != 0) return 1;
  if (!b->Default) return 0;
  // Another owner-drawn button (a TBitBtn) with the focus takes the default look itself.
  HWND focus = GetFocus();
  return !focus || (GetWindowLongW(focus, GWL_STYLE) & 0x8) == 0 ? 3 : 0;
}

gui::TSize TacBitBtnWnd::GetGlyphSize() {
  if (gui::TBitBtn* b = BitBtnOf(Control())) {
    if (b->Glyph().Empty()) return {};
    return {b->Glyph().Width() / std::max(1, b->NumGlyphs()), b->Glyph().Height()};
  }
  HBITMAP bmp = reinterpret_cast<HBITMAP>(SendMessageW(Wnd(), BM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info{};
  if (!bmp || GetObjectW(bmp, sizeof info, &info) == 0) return {};
  return {info.bmWidth, info.bmHeight};
}

int TacBitBtnWnd::GetMaxCaptionWidth() {
  gui::TBitBtn* b = BitBtnOf(Control());
  if (!b) return TacBtnWnd::GetMaxCaptionWidth();
  return BitBtnMaxCaptionWidth(LayoutOf(*b), GetWndBounds(Wnd()).WndSize.x, !WndText().empty(), b->Margin(),
                               GetGlyphSize().cx, b->Spacing());
}

gui::TRect TacBitBtnWnd::GetCaptionRect(int state) {
  TsCommonData* d = SkinData();
  if (gui::TBitBtn* b = BitBtnOf(Control())) {
    const TWndBounds wb = GetWndBounds(Wnd());
    return BitBtnCaptionRect(LayoutOf(*b), wb.WndSize.x, wb.WndSize.y, GetGlyphSize(), CaptionSize(),
                             state == 2 && d && IsContentShifted(*d));
  }
  gui::TRect r = TacBtnWnd::GetCaptionRect(state);
  const int gw = GetGlyphSize().cx;
  return gw ? r.Offset(gw / 2 + 1, 0) : r;
}

gui::TRect TacBitBtnWnd::GetGlyphRect(int state) {
  const gui::TSize g = GetGlyphSize();
  if (g.cx == 0) return {};
  const TWndBounds b = GetWndBounds(Wnd());
  if (gui::TBitBtn* bb = BitBtnOf(Control())) {
    TsCommonData* d = SkinData();
    const gui::TSize caption = CaptionSize();
    const gui::TPoint p = BitBtnGlyphPos(LayoutOf(*bb), b.WndSize.x, b.WndSize.y, g, caption,
                                         bb->Spacing(), state == 2 && d && IsContentShifted(*d));
    return {p.X, p.Y, p.X + g.cx, p.Y + g.cy};
  }
  const gui::TRect caption = GetCaptionRect(state);
  const int right = caption.Left - 2, top = (b.WndSize.y - g.cy) / 2 + (state == 2 ? 1 : 0);
  return {right - g.cx, top, right, top + g.cy};
}

void TacBitBtnWnd::PaintGlyph(int state) {
  TsCommonData* d = SkinData();
  const gui::TRect r = GetGlyphRect(state);
  if (r.IsEmpty() || !d->FCache) return;
  if (gui::TBitBtn* b = BitBtnOf(Control())) {
    TacGlyphDrawParams p;
    p.Glyph = &b->Glyph();
    p.NumGlyphs = b->NumGlyphs();
    p.SkinIndex = d->FSkinIndex;
    p.SkinData = d->GetScaledSkin();
    p.DstBitmap = d->FCache.get();
    p.Rect = {r.Left, r.Top, r.Right, r.Bottom};
    p.Enabled = b->Enabled();
    p.Down = Pushed();
    p.CurrentState = state;
    SetDiscolouredGlyph(p, *d, state);
    DrawGlyph(p);
    return;
  }
  HBITMAP bmp = reinterpret_cast<HBITMAP>(SendMessageW(Wnd(), BM_GETIMAGE, IMAGE_BITMAP, 0));
  if (!bmp) return;
  // The button keeps its bitmap: it is only selected into a DC of our own for the copy.
  HDC src = CreateCompatibleDC(d->FCache->Canvas().Handle());
  HGDIOBJ old = SelectObject(src, bmp);
  TransparentBlt(d->FCache->Canvas().Handle(), r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, r.Width(), r.Height(),
                 RGB(255, 0, 255));
  SelectObject(src, old);
  DeleteDC(src);
}

// ---------------------------------------------------------------- split buttons

gui::TRect TacSplitBtnWnd::GetCaptionRect(int state) {
  gui::TRect r = TacBtnWnd::GetCaptionRect(state);
  r.Left -= kArrowWidth;
  r.Right -= kArrowWidth;
  return r;
}

gui::TRect TacSplitBtnWnd::ArrowRect() {
  const TWndBounds b = GetWndBounds(Wnd());
  return {b.WndSize.x - (2 * kArrowWidth + 6), 0, b.WndSize.x, b.WndSize.y};
}

void TacSplitBtnWnd::PrepareButtonCache() {
  TacBtnWnd::PrepareButtonCache();
  TsCommonData* d = SkinData();
  if (!d || !d->Section() || !d->FCache) return;
  const int state = std::min(GetButtonState(), 2);
  const uint32_t color = GetSkinFontColor(d->FControl, d->FSkinIndex, d->GetSkinManager(),
                                          ButtonStateIndex(state, d->Section()->States), d);
  DrawSolidArrow(d->FCache->Canvas().Handle(), ArrowRect(), 3, color, false);
}

}  // namespace skin

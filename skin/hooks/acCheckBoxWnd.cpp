#include "skin/hooks/acCheckBoxWnd.h"

#include <algorithm>

#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acSkinData.h"
#include "skin/core/acThdTimer.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookLayout.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

namespace {
constexpr uint8_t kCheckBoxKind = 32;
LONG Style(HWND w) { return GetWindowLongW(w, GWL_STYLE); }
}  // namespace

void TacCheckBoxWnd::AfterCreation() {
  TsCommonData* d = SkinData();
  if (!d) return;
  ownerDraw_ = (Style(Wnd()) & 0xB) == 0xB;
  d->FControlKind = kCheckBoxKind;
  AfterCreationIn("CHECKBOX");
}

int TacCheckBoxWnd::CheckState() {
  const LRESULT s = SendMessageW(Wnd(), BM_GETSTATE, 0, 0);
  if (s & BST_INDETERMINATE) return 2;
  return (s & BST_CHECKED) ? 1 : 0;
}

int TacCheckBoxWnd::HotState() {
  const LRESULT s = SendMessageW(Wnd(), BM_GETSTATE, 0, 0);
  if (s & BST_PUSHED) return 2;
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  if (m && m->Options.GetOption(1)) return 0;  // NoMouseHover
  if (s & BST_FOCUS) return 1;
  return d && d->FHovered ? 1 : 0;
}

bool TacCheckBoxWnd::IsRadio() {
  const LONG type = Style(Wnd()) & 0xF;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON || type == 12;
}

int TacCheckBoxWnd::GlyphElement(int checkState) {
  TsCommonData* d = SkinData();
  TacSkinData* skin = d ? d->GetScaledSkin() : nullptr;
  if (!skin) return -1;
  // An indeterminate radio button shows unchecked.
  if (IsRadio()) return skin->RadioImages[checkState == 1 ? 1 : 0];
  return skin->CheckImages[std::clamp(checkState, 0, 2)];
}

gui::TSize TacCheckBoxWnd::ElementSize(int element) {
  TacSkinData* skin = SkinData()->GetScaledSkin();
  if (!skin || element < 0 || element >= int(skin->Masks.size())) return {};
  const TsMaskData& m = skin->Masks[size_t(element)];
  return {m.FrameWidth, m.FrameHeight};
}

void TacCheckBoxWnd::DrawCheckGlyph(int element) {
  TsCommonData* d = SkinData();
  TacSkinData* skin = d->GetScaledSkin();
  if (!d->FCache || d->FCache->Width() == 0 || element < 0 || !skin || element >= int(skin->Masks.size())) return;
  const gui::TRect r = CheckGlyphRect(d->FCache->Width(), d->FCache->Height(), ElementSize(element),
                                      (Style(Wnd()) & BS_LEFTTEXT) != 0);
  TBitmap32 px = Pixels32(*d->FCache);
  TBitmap32 copy = px.Clone();  // the cache itself is the glyph's background
  TsSkinManager* m = d->GetSkinManager();
  TBitmap32 master;
  if (m && m->MasterBitmap()) master = Pixels32(*m->MasterBitmap());
  DrawMaskGlyph(px, {r.Left, r.Top}, HotState(), 1, skin->Masks[size_t(element)], master.HasRows() ? &master : nullptr,
                MakeBackgroundCache(&copy, 0, 0));
}

void TacCheckBoxWnd::DrawCaption(int glyphWidth) {
  TsCommonData* d = SkinData();
  const std::string text = rtl::U8(WndText());
  if (text.empty()) return;
  const LONG style = Style(Wnd());
  const bool multi = (style & BS_MULTILINE) != 0, leftText = (style & BS_LEFTTEXT) != 0;
  const bool rtl = (GetWindowLongW(Wnd(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  const int width = d->FCache->Width(), height = d->FCache->Height();
  UINT flags = multi ? DT_WORDBREAK : DT_SINGLELINE;
  PrepareCacheFont(*d, Wnd());
  gui::TCanvas& canvas = d->FCache->Canvas();
  HDC dc = canvas.Handle();
  SelectObject(dc, canvas.Font().Handle());
  TRect m{0, 0, CheckCaptionWidth(width, glyphWidth), 0};
  DrawTextOnDC(dc, text, m, flags | DT_CALCRECT);
  const TacCheckCaption c = CheckCaptionRect(width, height, glyphWidth, {m.Right - m.Left, m.Bottom - m.Top},
                                             leftText, rtl, multi);
  if (leftText && rtl) flags |= DT_RTLREADING | (c.RightAligned ? DT_RIGHT : 0);
  SetBkMode(dc, TRANSPARENT);
  const int hot = HotState();
  WriteControlText(canvas, text, true, c.Rect, flags, d, hot ? 1 : 0, true);
  if (SendMessageW(Wnd(), BM_GETSTATE, 0, 0) & BST_FOCUS) {
    const int states = d->Section() ? d->Section()->States : 1;
    DrawDottedFrame(dc, {c.Rect.Left - 2, c.Rect.Top, c.Rect.Right + 2, c.Rect.Bottom},
                    GetSkinFontColor(d->FControl, d->FSkinIndex, d->GetSkinManager(), std::min(1, states), d));
  }
}

void TacCheckBoxWnd::PrepareCheckBoxCache() {
  TsCommonData* d = SkinData();
  const TWndBounds b = GetWndBounds(Wnd());
  EnsureCache(*d, b.WndSize.x, b.WndSize.y);
  if (ownerDraw_) return;
  TacBackgroundCache bg;
  GetWndParentBackground(Wnd(), bg);
  PaintControlSection(*d, bg, d->CurrentState(), gui::TRect{0, 0, b.WndSize.x, b.WndSize.y},
                      gui::TPoint{b.WndPos.x, b.WndPos.y}, *d->FCache);
  // A skin without the element still lays the caption out after a 16-pixel glyph.
  const gui::TSize checked = ElementSize(GlyphElement(1));
  DrawCaption(checked.cx > 0 ? checked.cx : 16);
  DrawCheckGlyph(GlyphElement(CheckState()));
  if (!IsWindowEnabled(Wnd())) {
    bg.X += b.WndPos.x;
    bg.Y += b.WndPos.y;
    ApplyDisabledLook(*d->FCache, bg);
  }
  d->FCacheInvalid = false;
}

void TacCheckBoxWnd::PaintCheckBox(HDC given) {
  PAINTSTRUCT ps{};
  HDC painted = given ? nullptr : BeginPaint(Wnd(), &ps);
  TsCommonData* d = SkinData();
  if (d->IsAnimating() && d->FAnimTimer->FWorkImage) {
    // A fade is running: the screen shows its present frame until the fade ends.
    gui::TBitmap& frame = *d->FAnimTimer->FWorkImage;
    HDC dc = GetDC(Wnd());
    BitBlt(dc, 0, 0, frame.Width(), frame.Height(), frame.Canvas().Handle(), 0, 0, SRCCOPY);
    ReleaseDC(Wnd(), dc);
  } else if (!d->IsUpdating(true) && !ownerDraw_ && (IsWindowVisible(Wnd()) || given)) {
    HDC dc = given ? given : GetDC(Wnd());
    PrepareCheckBoxCache();
    BitBlt(dc, 0, 0, d->FCache->Width(), d->FCache->Height(), d->FCache->Canvas().Handle(), 0, 0, SRCCOPY);
    if (!given) ReleaseDC(Wnd(), dc);
  }
  if (painted) EndPaint(Wnd(), &ps);
}

bool TacCheckBoxWnd::HandleSkinCommand(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  switch (m.WParamHi()) {
    case AC_PREPARECACHE:
      PrepareCheckBoxCache();
      return true;
    case AC_MOUSEENTER: {
      TsSkinManager* manager = d->GetSkinManager();
      POINT p;
      RECT r;
      // A late word of an enter the mouse has already left again changes nothing.
      if (d->FHovered || !manager || manager->Options.GetOption(1) || manager->HoveredWindow() != Wnd() ||
          !GetCursorPos(&p) || !GetWindowRect(Wnd(), &r) || !PtInRect(&r, p))
        return false;
      d->FHovered = true;
      d->FCacheInvalid = false;
      d->FUpdating = false;
      RepaintWithFade(d, 1, FadeStep, true, false, true);
      return true;
    }
    case AC_MOUSELEAVE:
      if (!d->FHovered) return false;
      d->FHovered = false;
      d->FUpdating = false;
      d->FCacheInvalid = false;
      RepaintWithFade(d, 0, FadeStep, true, false, true);
      return true;
    default:
      return false;
  }
}

void TacCheckBoxWnd::WndProc(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (Released() || !HookPaints(d) || m.Msg == WM_DESTROY || m.Msg == WM_NCDESTROY) {
    TacMainWnd::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_ENABLE:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_SETTEXT:
      if (IsWindowVisible(Wnd())) {
        SendMessageW(Wnd(), WM_SETREDRAW, FALSE, 0);
        d->StopAnimation();
        TacMainWnd::WndProc(m);
        SendMessageW(Wnd(), WM_SETREDRAW, TRUE, 0);
        PaintCheckBox(nullptr);
        RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return;
      }
      break;
    case WM_PAINT:
      PaintCheckBox(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return;
    case WM_PRINTCLIENT:
      PaintCheckBox(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_ERASEBKGND:
      if (ownerDraw_) {
        HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : GetDC(Wnd());
        const TWndBounds b = GetWndBounds(Wnd());
        TacBackgroundCache bg;
        GetWndParentBackground(Wnd(), bg);
        auto tmp = CreateBitmap32(b.WndSize.x, b.WndSize.y);
        CopyParentBackground(*tmp, bg, gui::TRect{0, 0, b.WndSize.x, b.WndSize.y}, {b.WndPos.x, b.WndPos.y});
        BitBlt(dc, 0, 0, b.WndSize.x, b.WndSize.y, tmp->Canvas().Handle(), 0, 0, SRCCOPY);
        if (!m.WParam) ReleaseDC(Wnd(), dc);
      }
      m.Result = 1;
      return;
    case WM_NCPAINT:
      m.Result = 0;
      return;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (TsSkinManager* manager = d->GetSkinManager(); manager && manager->HoveredWindow() == Wnd())
        manager->SetHoveredWindow(nullptr);
      else
        SendSkinCommand(Wnd(), AC_MOUSELEAVE);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      d->StopAnimation();
      break;
    default:
      break;
  }
  TacMainWnd::WndProc(m);
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (m.WParam == VK_SPACE) RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      break;
    case WM_MOUSEMOVE:
      if (IsWindowEnabled(Wnd())) TrackMouseLeave(Wnd(), tracking_);
      [[fallthrough]];
    case WM_NCHITTEST:
      // The manager then tells the window that the mouse came (and later that it went).
      if (IsWindowEnabled(Wnd()))
        if (TsSkinManager* manager = d->GetSkinManager(); manager && manager->HoveredWindow() != Wnd())
          manager->SetHoveredWindow(Wnd());
      break;
    default:
      break;
  }
}

}  // namespace skin

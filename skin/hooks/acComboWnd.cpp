#include "skin/hooks/acComboWnd.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "gui/StdCtrls.h"
#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acShapes.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

bool ComboDroppedDown = false;

namespace {
void FillSolid(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}
}  // namespace

HFONT SelectSkinFont(HDC dc, const TsSkinManager* m) {
  if (!dc || !m) return nullptr;
  std::string name;
  if (m->Fonts.MainMode() == TacFontMode::fmFromSkin)
    name = m->CommonInfo().MainFont;
  else if (m->Fonts.MainMode() == TacFontMode::fmCustom)
    name = m->Fonts.MainFont();
  const std::wstring w = rtl::W(name);
  // The face name field holds 31 characters and the end mark.
  if (w.empty() || w.size() >= LF_FACESIZE) return nullptr;
  LOGFONTW lf{};
  if (!GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf)) return nullptr;
  std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), L'\0');
  std::wmemcpy(lf.lfFaceName, w.c_str(), w.size());
  HFONT font = CreateFontIndirectW(&lf);
  if (font) SelectObject(dc, font);
  return font;
}

// ---------------------------------------------------------------- the drop-down list

void TacComboListWnd::HookList(HWND list, bool simple, bool hasItems, TsSkinManager* manager) {
  simple_ = simple;
  TacSkinParams params;
  params.SkinSection = "EDIT";
  Install(list, hasItems, params.SkinSection);
  if (TsCommonData* d = SkinData()) {
    d->SetSkinManager(manager);
    d->UpdateSkinIndex(true);
  }
  AfterCreation();
  ApplySkinLook();
  RepaintFrame(list, true);
}

void TacComboListWnd::TakeSkinColors(TsCommonData& d) {
  if (!d.FCustomColor)
    backColor_ = InNativeDialog() ? GetSysColor(COLOR_BTNFACE) : d.GetBackgroundColor(0, Wnd()) & 0xFFFFFF;
  textColor_ = GetWndSkinFontColor(Wnd(), d.FSkinIndex, d.GetSkinManager(), 0) & 0xFFFFFF;
  frameColor_ = d.GetSkinManager()->Palette()[55] & 0xFFFFFF;
}

// A flat list: its background framed by one pixel of the skin's border colour.
void TacComboListWnd::PrepareCache() {
  TsCommonData* d = SkinData();
  if (!d) return;
  if (simple_) {
    TacEditWnd::PrepareCache();
    return;
  }
  ApplySkinLook();
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  d->FCache = CreateBitmap32(wr.right - wr.left, wr.bottom - wr.top);
  HDC dc = d->FCache->Canvas().Handle();
  HBRUSH brush = CreateSolidBrush(backColor_);
  HPEN pen = CreatePen(PS_SOLID, 1, frameColor_);
  HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
  Rectangle(dc, 0, 0, wr.right - wr.left, wr.bottom - wr.top);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
  d->FCacheInvalid = false;
}

// ---------------------------------------------------------------- the combo box

TacComboBoxWnd::~TacComboBoxWnd() { ReleaseList(); }

TacComboStyle TacComboBoxWnd::Style() const {
  switch (GetWindowLongPtrW(Wnd(), GWL_STYLE) & 3) {
    case CBS_SIMPLE:
      return TacComboStyle::Simple;
    case CBS_DROPDOWN:
      return TacComboStyle::DropDown;
    default:
      return TacComboStyle::DropDownList;
  }
}

TBarRect TacComboBoxWnd::ButtonRect() {
  RECT wr;
  GetWindowRect(Wnd(), &wr);
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  const TacSkinData* sd = d ? d->GetScaledSkin() : nullptr;
  const int32_t bar = m ? m->GetSysScrollBarWidth(d->GetPixelsPerInch()) : GetSystemMetrics(SM_CXVSCROLL);
  return ComboButtonRect(wr.right - wr.left, wr.bottom - wr.top, bar, sd ? sd->ComboMrg : 2,
                         (GetWindowLongPtrW(Wnd(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0, InNativeDialog(), Style());
}

int TacComboBoxWnd::ButtonState() {
  if (listWnd_ && IsWindowVisible(listWnd_)) return 2;
  TsCommonData* d = SkinData();
  return (d && d->CurrentState() > 0) || IsWindowUnderMouse(Wnd()) ? 1 : 0;
}

void TacComboBoxWnd::PaintEditText(gui::TBitmap& image) {
  HWND w = Wnd();
  std::wstring text;
  const LRESULT sel = SendMessageW(w, CB_GETCURSEL, 0, 0);
  if (sel >= 0) {
    const LRESULT len = SendMessageW(w, CB_GETLBTEXTLEN, WPARAM(sel), 0);
    if (len > 0) {
      text.resize(size_t(len) + 1);
      SendMessageW(w, CB_GETLBTEXT, WPARAM(sel), LPARAM(text.data()));
      text.resize(size_t(len));
    }
  } else {
    const int len = GetWindowTextLengthW(w);
    text.resize(size_t(len) + 1);
    GetWindowTextW(w, text.data(), len + 1);
    text.resize(size_t(len));
  }
  const TBarRect b = ButtonRect();
  const TBarRect t = ComboTextRect(image.Width(), image.Height(), b,
                                   (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0);
  RECT r{t.Left, t.Top, t.Right, t.Bottom};
  HDC dc = image.Canvas().Handle();
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)));
  const bool focused = GetFocus() == w;
  SetBkMode(dc, TRANSPARENT);
  if (focused) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    SetTextColor(dc, textColor_);
  }
  RECT tr{r.left + 1, r.top, r.right, r.bottom};
  DrawTextW(dc, text.c_str(), int(text.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (focused) DrawFocusRect(dc, &r);
  SelectObject(dc, oldFont);
}

void TacComboBoxWnd::PaintDropButton(HDC dc, gui::TBitmap& image) {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  if (!m || !m->IsSkinLoaded()) return;
  const int state = ButtonState();
  const TBarRect b = ButtonRect();
  if (b.Right <= b.Left) return;
  const TacSkinData* data = d->GetScaledSkin();
  const int section = data ? data->ComboBtnElem.Section : -1;
  TSkinOnBitmap skin(*d, image);
  TBitmap32 px = Pixels32(image);
  if (skin.Source.ValidSection(section)) {
    TBitmap32 under = px.Clone();
    PaintSkinSection(skin.Source, section, MakeBackgroundCache(&under, 0, 0), state,
                     TRect(b.Left, b.Top, b.Right, b.Bottom), TPoint(0, 0), px);
  } else if (state > 0) {
    // Without the skin's button section, the hot and pressed looks take the combo's colour.
    const COLORREF c = d->GetBackgroundColor(1, Wnd()) & 0xFFFFFF;
    RECT r{b.Left, b.Top, b.Right, b.Bottom};
    HBRUSH br = CreateSolidBrush(state == 2 ? RGB(GetRValue(c) * 7 / 8, GetGValue(c) * 7 / 8, GetBValue(c) * 7 / 8) : c);
    FillRect(image.Canvas().Handle(), &r, br);
    DeleteObject(br);
  }
  const int arrow = data ? data->ComboBtnElem.GlyphMask : -1;
  if (skin.Source.ValidElement(arrow)) {
    const TsMaskData& e = data->Masks[size_t(arrow)];
    const int height = e.FrameHeight > 0 ? e.FrameHeight : 16;
    TBitmap32 self = px.Clone();
    DrawMaskGlyph(px, {b.Left + (b.Right - b.Left - e.FrameWidth) / 2, (px.Height() - height) / 2}, state, 1, e,
                  skin.Source.Master, MakeBackgroundCache(&self, 0, 0));
  } else {
    const uint32_t colour =
        skin.Source.ValidSection(section) ? GetWndSkinFontColor(Wnd(), section, m, std::min(state, 2)) : 0;
    DrawSolidArrow(px, TColor(colour), TRect(b.Left, b.Top, b.Right, b.Bottom), adDown, d->GetPixelsPerInch());
  }
  BitBlt(dc, b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top, image.Canvas().Handle(), b.Left, b.Top, SRCCOPY);
  if (!IsWindowUnderMouse(Wnd())) HideGlowEffect(d->FGlowID, false);
}

void TacComboBoxWnd::DrawItem(int index, const RECT& r, HDC dc, UINT state) {
  TsCommonData* d = SkinData();
  auto* combo = dynamic_cast<gui::TComboBox*>(Control());
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  if (!combo || !m || r.right <= r.left || r.bottom <= r.top) return;
  if (d->FCacheInvalid || d->CacheEmpty()) PrepareCache();
  auto bmp = CreateBitmap32(r.right, r.bottom);
  HDC bdc = bmp->Canvas().Handle();
  const TsGeneralData* s = d->Section();
  const bool edit = (state & ODS_COMBOBOXEDIT) != 0;
  const bool selected = (state & ODS_SELECTED) != 0;
  const int look = edit ? LookState() : 0;
  // The edit part lies on the control's image; a list item on the list's own colour.
  COLORREF back = edit ? d->GetBackgroundColor(look, Wnd()) & 0xFFFFFF
                       : (listHook_ ? listHook_->BackColor() : backColor_);
  COLORREF text = GetWndSkinFontColor(Wnd(), d->FSkinIndex, m, look) & 0xFFFFFF;
  RECT rc = r;
  if (edit && !d->CacheEmpty())
    BitBlt(bdc, r.left, r.top, r.right - r.left, r.bottom - r.top, d->FCache->Canvas().Handle(), r.left, r.top, SRCCOPY);
  else
    FillSolid(bdc, rc, back);
  if (selected) {
    TacSkinData* sd = d->GetScaledSkin();
    const int selection = m->GetSkinIndex("SELECTION", sd);
    if (sd && selection >= 0 && size_t(selection) < sd->Sections.size()) {
      TSkinOnBitmap skin(*d, *bmp);
      TBitmap32 px = Pixels32(*bmp);
      TBitmap32 under = px.Clone();
      PaintSkinSection(skin.Source, selection, MakeBackgroundCache(&under, 0, 0), 1,
                       TRect(r.left, r.top, r.right, r.bottom), TPoint(0, 0), px);
      const TsGenState& st = sd->Sections[size_t(selection)].StateParams[s && s->States > 1 ? 1 : 0];
      back = st.Color & 0xFFFFFF;
      text = st.FontColor & 0xFFFFFF;
    } else {
      back = m->GetHighlightColor(true) & 0xFFFFFF;
      text = m->GetHighlightFontColor(true) & 0xFFFFFF;
      FillSolid(bdc, rc, back);
    }
  }
  HGDIOBJ oldFont = SelectObject(bdc, combo->Font().Handle());
  SetTextColor(bdc, text);
  SetBkColor(bdc, back);
  SetBkMode(bdc, TRANSPARENT);
  if (combo->OnDrawItem && combo->OwnerDrawn() && index >= 0 &&
      index < combo->Items().Count()) {
    // The handler paints on the skinned item, with the skin's colours in its canvas.
    gui::TCanvas& canvas = combo->Canvas();
    canvas.Lock();
    canvas.SetHandle(bdc);
    combo->OnDrawItem(combo, index, gui::TRect{r.left, r.top, r.right, r.bottom}, state);
    canvas.SetHandle(nullptr);
    canvas.Unlock();
  } else if (index >= 0 && index < combo->Items().Count()) {
    RECT tr{r.left + 2, r.top, r.right - 2, r.bottom};
    const std::wstring w = rtl::W(combo->Items()[index]);
    DrawTextW(bdc, w.c_str(), int(w.size()), &tr, DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER);
  }
  SelectObject(bdc, oldFont);
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, bdc, r.left, r.top, SRCCOPY);
}

void TacComboBoxWnd::PaintAll(HDC dc) {
  TsCommonData* d = SkinData();
  if (!d) return;
  if (d->FCacheInvalid || d->CacheEmpty()) PrepareCache();
  if (d->CacheEmpty()) return;
  auto image = CreateBitmap32(d->FCache->Width(), d->FCache->Height());
  BitBlt(image->Canvas().Handle(), 0, 0, image->Width(), image->Height(), d->FCache->Canvas().Handle(), 0, 0,
         SRCCOPY);
  const TacComboStyle style = Style();
  if (style == TacComboStyle::DropDownList) {
    auto* combo = dynamic_cast<gui::TComboBox*>(Control());
    const int sel = int(SendMessageW(Wnd(), CB_GETCURSEL, 0, 0));
    if (combo && combo->OwnerDrawn() && sel >= 0) {
      // The chosen item as the program draws it, on the skin.
      const TBarRect b = ButtonRect();
      const RECT r{3, 3, b.Left, image->Height() - 3};
      const bool focused = GetFocus() == Wnd();
      DrawItem(sel, r, image->Canvas().Handle(), ODS_COMBOBOXEDIT | (focused ? ODS_SELECTED | ODS_FOCUS : 0));
    } else {
      PaintEditText(*image);
    }
  }
  if (style == TacComboStyle::Simple) {
    // The edit area only: the list below is a window of its own.
    RECT cr;
    GetClientRect(Wnd(), &cr);
    const int h = int(SendMessageW(Wnd(), CB_GETITEMHEIGHT, WPARAM(-1), 0)) + 8;
    BitBlt(dc, 0, 0, image->Width(), std::min<int>(h, image->Height()), image->Canvas().Handle(), 0, 0, SRCCOPY);
    return;
  }
  BitBlt(dc, 0, 0, image->Width(), image->Height(), image->Canvas().Handle(), 0, 0, SRCCOPY);
  PaintDropButton(dc, *image);
}

void TacComboBoxWnd::UpdateDropButton() {
  TsCommonData* d = SkinData();
  if (!d || !IsWindowVisible(Wnd())) return;
  // The halo follows the mouse over a combo with a button.
  if (IsWindowUnderMouse(Wnd()) && Style() != TacComboStyle::Simple) {
    if (TsSkinManager* m = d->GetSkinManager()) d->UpdateGlow(false, Wnd(), -1, m->Effects.AllowAnimation, 255);
  } else {
    HideGlowEffect(d->FGlowID, false);
  }
  if (Style() == TacComboStyle::Simple) return;
  HDC dc = GetDCEx(Wnd(), nullptr, DCX_CACHE | DCX_CLIPCHILDREN | DCX_WINDOW);
  if (d->FCacheInvalid || d->CacheEmpty()) PrepareCache();
  if (!d->CacheEmpty()) {
    auto image = CreateBitmap32(d->FCache->Width(), d->FCache->Height());
    BitBlt(image->Canvas().Handle(), 0, 0, image->Width(), image->Height(), d->FCache->Canvas().Handle(), 0, 0,
           SRCCOPY);
    PaintDropButton(dc, *image);
  }
  ReleaseDC(Wnd(), dc);
}

// A drop-down's text selected while it has no focus would look like a choice being made.
void TacComboBoxWnd::ClearEditSelection() {
  auto* combo = dynamic_cast<gui::TComboBox*>(Control());
  if (!combo || combo->Style() != gui::TComboBoxStyle::csDropDown) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(Wnd(), &info) || !info.hwndItem) return;
  HWND focus = GetFocus();
  if (focus == Wnd() || focus == info.hwndItem) return;
  SendMessageW(info.hwndItem, EM_SETSEL, WPARAM(-1), 0);
}

void TacComboBoxWnd::ReleaseList() {
  if (listHook_) listHook_->ReleaseScroll(false);
  listHook_.reset();
  listWnd_ = nullptr;
}

void TacComboBoxWnd::RestoreOriginalLook() {
  ReleaseList();
  TacEditWnd::RestoreOriginalLook();
}

void TacComboBoxWnd::HandleMessage(gui::TMessage& m) {
  if (!SkinnedNow()) {
    TacEditWnd::HandleMessage(m);
    return;
  }
  TsCommonData* d = SkinData();
  switch (m.Msg) {
    case WM_SIZE:
      d->FCacheInvalid = true;
      CallOldWndProc(m);
      return;
    case WM_SETFOCUS:
    case WM_LBUTTONUP:
    case WM_KILLFOCUS:
      d->FFocused = m.Msg != WM_KILLFOCUS;
      d->FCacheInvalid = true;
      CallOldWndProc(m);
      if (m.Msg == WM_KILLFOCUS) ClearEditSelection();
      ApplySkinLook();
      RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      return;
    case WM_PAINT: {
      if (!skinnedLook_) ApplySkinLook();
      CallOldWndProc(m);
      HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : GetDCEx(Wnd(), nullptr, DCX_CACHE | DCX_CLIPCHILDREN);
      PaintAll(dc);
      if (!m.WParam) ReleaseDC(Wnd(), dc);
      return;
    }
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_SETREDRAW:
      // The program's own redraw switch holds our painting off as well (the list's too).
      // A switch on that was never off changes nothing.
      CallOldWndProc(m);
      for (TsCommonData* u : {d, listHook_ ? listHook_->SkinData() : nullptr})
        if (u) u->FUpdateCount = m.WParam ? std::max(u->FUpdateCount - 1, 0) : u->FUpdateCount + 1;
      return;
    case WM_NCPAINT:
      CallOldWndProc(m);
      return;
    case WM_PRINT:
      if (!skinnedLook_) ApplySkinLook();
      d->FUpdating = false;
      d->FCacheInvalid = true;
      if (m.WParam) PaintAll(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_DRAWITEM: {
      // The items the owner paints come in the skin's font; the font lives as long as
      // this one item is drawn.
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      HDC itemDC = di ? di->hDC : nullptr;
      HGDIOBJ before = itemDC ? GetCurrentObject(itemDC, OBJ_FONT) : nullptr;
      HFONT font = SelectSkinFont(itemDC, d->GetSkinManager());
      CallOldWndProc(m);
      if (font) {
        if (GetCurrentObject(itemDC, OBJ_FONT) == font) SelectObject(itemDC, before);
        DeleteObject(font);
      }
      if (Control()) {
        InvalidateRect(Wnd(), nullptr, FALSE);
        UpdateWindow(Wnd());
      }
      return;
    }
    case gui::CN_DRAWITEM:
      if (m.LParam && dynamic_cast<gui::TComboBox*>(Control())) {
        const auto& di = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        DrawItem(int(int32_t(di.itemID)), di.rcItem, di.hDC, di.itemState & (0xFFFF));
        m.Result = TRUE;
        return;
      }
      break;
    case gui::CM_MOUSEENTER:
    case gui::CM_MOUSELEAVE: {
      const bool enter = m.Msg == gui::CM_MOUSEENTER;
      // Leaving into the combo's own edit is no leave.
      if (!enter && IsWindowUnderMouse(Wnd())) return;
      // The control's own hover state may already be set by the time we hear of it.
      ClearEditSelection();
      if (d->FHovered == enter) break;
      d->FHovered = enter;
      d->FCacheInvalid = true;
      TacEditWnd::HandleMessage(m);
      InvalidateRect(Wnd(), nullptr, FALSE);
      UpdateWindow(Wnd());
      UpdateDropButton();
      return;
    }
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      TacEditWnd::HandleMessage(m);
      UpdateDropButton();
      return;
    case WM_COMMAND:
    case gui::CN_COMMAND:
      if (Style() != TacComboStyle::Simple) {
        if (HIWORD(m.WParam) == CBN_CLOSEUP) {
          d->FCacheInvalid = true;
          ComboDroppedDown = false;
          TacEditWnd::HandleMessage(m);
          UpdateDropButton();
          return;
        }
        if (HIWORD(m.WParam) == CBN_DROPDOWN) ComboDroppedDown = true;
      }
      break;
    case WM_CTLCOLORLISTBOX: {
      if (inCtlColor_) break;
      inCtlColor_ = true;
      CallOldWndProc(m);
      HWND list = reinterpret_cast<HWND>(m.LParam);
      if (!listWnd_) listWnd_ = list;
      if (!listHook_ && listWnd_ == list) {
        // The list is hooked the first time it asks for its colours.
        listHook_ = std::make_unique<TacComboListWnd>();
        listHook_->HookList(list, Style() == TacComboStyle::Simple, SendMessageW(Wnd(), CB_GETCOUNT, 0, 0) > 0,
                            d->GetSkinManager());
      }
      if (listHook_ && !InNativeDialog())
        AnswerColor(m, *listHook_);
      inCtlColor_ = false;
      return;
    }
    case CB_SETCURSEL:
      d->FCacheInvalid = true;
      TacEditWnd::HandleMessage(m);
      InvalidateRect(Wnd(), nullptr, FALSE);
      return;
    default:
      break;
  }
  TacEditWnd::HandleMessage(m);
}

}  // namespace skin

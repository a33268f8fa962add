#include "skin/hooks/acToolBarVCLWnd.h"

#include <commctrl.h>

#include <algorithm>

#include "gui/ImgList.h"
#include "rtl/Utf.h"
#include "skin/core/acControlPaint.h"
#include "skin/core/acControlUtils.h"
#include "skin/core/acSkinData.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/acGdiBitmap.h"
#include "skin/graphics/acGlyphDraw.h"
#include "skin/graphics/acShapesGdi.h"
#include "skin/graphics/acSkinMask.h"
#include "skin/graphics/acSkinSection.h"
#include "skin/graphics/acSkinText.h"
#include "skin/hooks/acHookPaint.h"

namespace skin {

using gui::TCustomDrawStage;
using gui::TToolButtonStyle;

TacToolBarVCLWnd::~TacToolBarVCLWnd() { GiveHandlersBack(); }

void TacToolBarVCLWnd::InstallControl(gui::TToolBar* bar, const std::string& section) {
  bar_ = bar;
  hot_ = -1;
  oldDrawButton_ = bar->OnAdvancedCustomDrawButton;
  AttachControl(bar, nullptr, section);
  if (TsCommonData* d = SkinData()) d->UpdateSkinIndex(true);
  InstallHandlers();
  AfterCreation();
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TacToolBarVCLWnd::InstallHandlers() {
  if (!bar_) return;
  bar_->OnAdvancedCustomDraw = [this](gui::TToolBar*, const gui::TRect& r, TCustomDrawStage stage, bool& def) {
    DrawBar(r, stage, def);
  };
  bar_->OnAdvancedCustomDrawButton = [this](gui::TToolBar*, gui::TToolButton* b, gui::TCustomDrawState state,
                                            TCustomDrawStage stage, gui::TTBCustomDrawFlags& flags, bool& def) {
    DrawButton(b, state, stage, flags, def);
  };
}

// The bar draws for itself again; the application's button handler comes back, an earlier
// bar handler of its does not.
void TacToolBarVCLWnd::GiveHandlersBack() {
  if (!bar_) return;
  bar_->OnAdvancedCustomDraw = nullptr;
  bar_->OnAdvancedCustomDrawButton = oldDrawButton_;
  dropped_ = nullptr;
}

void TacToolBarVCLWnd::WindowGoing(gui::TMessage& m) {
  GiveHandlersBack();
  bar_ = nullptr;
  TacMainWnd::WindowGoing(m);
}

bool TacToolBarVCLWnd::Skinned() const {
  TsCommonData* d = SkinData();
  return !Released() && d && d->IsSkinned(true) && HookPaints(d);
}

gui::TRect TacToolBarVCLWnd::ClientRectInWindow() const { return GetClientRectInWindow(Wnd()); }

void TacToolBarVCLWnd::UpdateCache() {
  TsCommonData* d = SkinData();
  const TWndBounds b = GetWndBounds(Wnd());
  if (!d || b.WndSize.x <= 0 || b.WndSize.y <= 0) return;
  EnsureCache(*d, b.WndSize.x, b.WndSize.y);
  TacBackgroundCache bg;
  d->GetParentBackground(bg);
  PaintControlSection(*d, bg, 0, gui::TRect(0, 0, b.WndSize.x, b.WndSize.y), gui::TPoint(b.WndPos.x, b.WndPos.y),
                      *d->FCache);
  d->FCacheInvalid = false;
}

int TacToolBarVCLWnd::ButtonAt(POINT p) const {
  if (!bar_) return -1;
  for (int i = 0; i < bar_->ButtonCount(); ++i) {
    gui::TToolButton* b = bar_->Buttons(i);
    const gui::TRect r = b->BoundsRect();
    if (p.x < r.Left || p.x >= r.Right || p.y < r.Top || p.y >= r.Bottom) continue;
    const TToolButtonStyle s = b->Style();
    return s == TToolButtonStyle::tbsButton || s == TToolButtonStyle::tbsCheck || s == TToolButtonStyle::tbsDropDown
               ? i
               : -1;
  }
  return -1;
}

int TacToolBarVCLWnd::ButtonPaintState(gui::TToolButton* b, gui::TCustomDrawState state) const {
  if (bar_ && !bar_->Flat() && b->Index() == hot_) state |= gui::cdsHot;
  const bool marked = b->Marked() || b->Indeterminate();
  if (!marked && (state & ~gui::cdsDisabled) == 0) return 0;
  return marked || (state & (gui::cdsSelected | gui::cdsChecked)) ? 2 : 1;
}

namespace {
// The section a button's caption and glyph colours come from (see FontSection).
int ButtonSection(gui::TToolBar* bar, TsCommonData* d, gui::TToolButton* b, int state) {
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  if (!m || !bar) return -1;
  // A button has no skin state of its own to answer the query: its section stands.
  if (!bar->Flat() || state != 0) return m->GetSkinIndex("TOOLBUTTON");
  TacOpaqueSectionQuery q;
  q.State = state;
  q.SkinIndex = d->FSkinIndex;
  q.Rect = b->BoundsRect();
  q.SkinManager = m;
  // The answer only says that an opaque section was found (1); the section is the one the
  // answering control wrote into the query.
  QueryOpaqueSection(bar, q);
  return q.SkinIndex;
}
}  // namespace

int TacToolBarVCLWnd::FontSection(gui::TToolButton* b, int state) const { return ButtonSection(bar_, SkinData(), b, state); }

void DrawToolButtonGlyph(gui::TToolBar* bar, gui::TToolButton* button, gui::TCustomDrawState state,
                         gui::TBitmap& bmp) {
  const int st = (state & gui::cdsSelected) ? 2 : (state & gui::cdsHot) ? 1 : (state & gui::cdsChecked) ? 2 : 0;
  auto* d = reinterpret_cast<TsCommonData*>(bar->Perform(SM_ALPHACMD, MakeSkinCommand(AC_GETSKINDATA), 0));
  TsSkinManager* m = d ? d->GetSkinManager() : nullptr;
  const bool skinned = d && m && d->IsSkinned(true);
  const bool discoloured = skinned && st == 0 && m->Effects.DiscoloredGlyphs();
  const int section = skinned ? ButtonSection(bar, d, button, st) : -1;
  TacSkinData* data = d ? d->GetScaledSkin() : nullptr;
  const int ppi = d ? d->FPixelsPerInch : GetControlPPI(bar);

  gui::TCustomImageList* images = bar->Images();
  if ((state & gui::cdsDisabled) && bar->DisabledImages()) images = bar->DisabledImages();
  else if (st == 1 && bar->HotImages()) images = bar->HotImages();
  gui::TCustomImageList* base = bar->Images() ? bar->Images() : images;
  if (!images || !base) return;

  const gui::TRect br = button->BoundsRect();
  const int w = GetImageListWidth(base, -1, ppi), h = GetImageListHeight(base, -1, ppi);
  TRect r;
  if (bar->List()) {
    r.Left = 5;
    r.Top = (br.Height() - base->Height()) / 2;
  } else {
    const int d8 = button->Style() == TToolButtonStyle::tbsDropDown ? 8 : 0;
    int text = 0;
    if (bar->ShowCaptions()) {
      HDC dc = bmp.Canvas().Handle();
      SelectObject(dc, bmp.Canvas().Font().Handle());
      SIZE yy{};
      GetTextExtentPoint32W(dc, L"Yy", 2, &yy);
      text = yy.cy + 3;
    }
    r.Left = (br.Width() - w) / 2 - d8 + 1;
    r.Top = (br.Height() - h - text) / 2;
  }
  r.Right = r.Left + w;
  r.Bottom = r.Top + h;

  TacGlyphDrawParams p;
  p.ImageIndex = button->ImageIndex();
  p.Images = images;
  p.NumGlyphs = 1;
  p.Enabled = bar->Enabled();
  p.Down = st == 2;
  p.CurrentState = st;
  p.SkinIndex = section;
  p.DstBitmap = &bmp;
  p.DstCanvas = &bmp.Canvas();
  p.PPI = ppi;
  p.SkinData = data;
  p.Discoloured = discoloured;
  if (discoloured) {
    p.Options = goGrayDisabled;
    if (data && section >= 0 && size_t(section) < data->Sections.size())
      p.DiscolourColor = gui::TColor(data->Sections[size_t(section)].StateParams[0].Color);
  }
  if (st == 2 && d && section >= 0 && (m->ButtonsOptions.ShiftContentOnClick ||
                                       (data && size_t(section) < data->Sections.size() &&
                                        data->Sections[size_t(section)].ShiftClick)))
    r = TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  p.Rect = r;
  DrawGlyph(p);
}

void TacToolBarVCLWnd::DrawBar(const gui::TRect& r, TCustomDrawStage stage, bool& defaultDraw) {
  TsCommonData* d = SkinData();
  if (!Skinned()) {
    defaultDraw = true;
    return;
  }
  if (d->FUpdating) return;
  if (stage != TCustomDrawStage::cdPrePaint) {
    defaultDraw = false;
    return;
  }
  if (d->FCacheInvalid || d->CacheEmpty()) UpdateCache();
  if (d->CacheEmpty()) return;
  const gui::TRect cr = ClientRectInWindow();
  FillTransparentCorners(*d, 0, 0xF);
  HDC dc = bar_->Canvas().Handle();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  // Children that cover the bar keep their own pixels.
  for (int i = 0; i < bar_->ControlCount(); ++i) {
    gui::TControl* c = bar_->Controls(i);
    if (!c->Visible()) continue;
    const bool graphic = dynamic_cast<gui::TWinControl*>(c) == nullptr;
    if (!graphic && !(c->ControlStyle & gui::csOpaque)) continue;
    ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
  }
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), d->FCache->Canvas().Handle(), cr.Left + r.Left, cr.Top + r.Top,
         SRCCOPY);
  RestoreDC(dc, saved);
  PaintGraphicControls(dc, bar_, true, gui::TPoint(0, 0), true);
  EndUpdateChildControls(bar_);
  const TWndBounds b = GetWndBounds(Wnd());
  if (cr.Left > 0 || cr.Top > 0 || cr.Width() != b.WndSize.x || cr.Height() != b.WndSize.y)
    SendMessageW(Wnd(), WM_NCPAINT, 1, 0);
}

void TacToolBarVCLWnd::PaintButton(gui::TToolButton* b, gui::TCustomDrawState state, HDC dc) {
  TsCommonData* d = SkinData();
  TsSkinManager* m = d->GetSkinManager();
  TacSkinData* data = d->GetScaledSkin();
  const gui::TRect r = b->BoundsRect();
  const int cx = std::max(0, r.Width()), cy = std::max(0, r.Height());
  if (!m || !data || cx == 0 || cy == 0) return;
  if (d->FCacheInvalid || d->CacheEmpty()) UpdateCache();
  if (d->CacheEmpty()) return;
  const int st = ButtonPaintState(b, state);
  if (bar_ && !bar_->Flat() && b->Index() == hot_) state |= gui::cdsHot;
  const int section = m->GetSkinIndex("TOOLBUTTON");
  const int fontSection = FontSection(b, st);

  // What the bar shows under the button, taken from the bar's image at the button's place:
  // the client area starts past the edge lines and the border on the left and top.
  const gui::TRect in = bar_->NonClientInsets();
  auto piece = CreateBitmap32(cx, cy);
  HDC pdc = piece->Canvas().Handle();
  BitBlt(pdc, 0, 0, cx, cy, d->FCache->Canvas().Handle(), in.Left + r.Left, in.Top + r.Top, SRCCOPY);
  TBitmap32 under = Pixels32(*piece).Clone();
  const TacBackgroundCache bg = MakeBackgroundCache(&under, 0, 0);
  TSkinOnBitmap skin(*d, *piece);
  TBitmap32 into = Pixels32(*piece);
  const bool dropDown = b->Style() == TToolButtonStyle::tbsDropDown;
  const int content = cx - (dropDown ? GetSystemMetrics(SM_CXVSCROLL) - 2 : 0);
  const int border = skin.Source.ValidSection(section) ? m->GetMaskIndex(section, "BORDERSMASK") : -1;
  if (skin.Source.ValidSection(section)) {
    PaintSkinSectionBackground(skin.Source, section, bg, st, TRect(0, 0, cx, cy), TPoint(0, 0), into);
    if (skin.Source.ValidElement(border))
      DrawSkinMask(into, TRect(0, 0, content, cy), bg, data->Masks[size_t(border)], skin.Source.Master, st, true);
  }
  const uint32_t fontColor = skin.Source.ValidSection(fontSection)
                                 ? GetSkinFontColor(nullptr, fontSection, m, std::min(st, 2), d)
                                 : uint32_t(gui::ColorToColorRef(gui::clWindowText));
  gui::TCanvas& canvas = piece->Canvas();
  canvas.Font().Assign(&bar_->Font());
  canvas.Font().SetColor(TColor(fontColor));
  gui::TCustomImageList* images = bar_->Images();
  const bool hasImage = images && b->ImageIndex() >= 0 && b->ImageIndex() < images->Count();
  const int shift = st == 2 && IsContentShifted(*d) ? 1 : 0;
  if (bar_->ShowCaptions() && !b->Caption().empty()) {
    SelectObject(pdc, canvas.Font().Handle());
    SIZE ext{}, a{};
    const std::wstring w = rtl::W(b->Caption());
    GetTextExtentPoint32W(pdc, w.c_str(), int(w.size()), &ext);
    GetTextExtentPoint32W(pdc, L"A", 1, &a);
    TRect tr;
    if (bar_->List()) {
      tr = TRect(hasImage ? images->Width() + 6 : 1, 2, content - 2, cy - 2);
    } else {
      const int x = (content - ext.cx) / 2;
      int c, top;
      if (images) {
        c = (cy - images->Height() - a.cy - 3) / 2;
        top = c + images->Height() + 3;
      } else {
        c = (cy - a.cy) / 2;
        top = c;
      }
      tr = TRect(x - 1, top, content - x + 2, cy - c);
    }
    tr = TRect(tr.Left + shift, tr.Top + shift, tr.Right + shift, tr.Bottom + shift);
    WriteSkinText(canvas, b->Caption(), true, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE, data, fontSection,
                  std::min(st, 2));
  }
  if (hasImage) DrawToolButtonGlyph(bar_, b, state, *piece);
  if (dropDown) {
    const int arrowState = (b == dropped_ && b->DropdownMenu) || b->Down() ? 2 : (state & gui::cdsHot) ? 1 : 0;
    if (skin.Source.ValidElement(border)) {
      TBitmap32 px = Pixels32(*piece);
      DrawSkinMask(px, TRect(content, 0, cx, cy), bg, data->Masks[size_t(border)], skin.Source.Master, arrowState,
                   true);
    }
    // A pressed arrow moves with the pressed content, as the caption and the image do.
    const int a = arrowState == 2 && IsContentShifted(*d) ? 1 : 0;
    DrawStyledArrow(*piece, gui::TColor(fontColor), gui::clNone, TRect(content + a, a, cx + a, cy + a), adDown, 0, 0,
                    0, TacArrowsStyle(m->Options.GetActualArrowsStyle()), d->FPixelsPerInch);
  }
  if (!b->Enabled() || b->Indeterminate()) ApplyDisabledLook(*piece, bg);
  BitBlt(dc, r.Left, r.Top, cx, cy, pdc, 0, 0, SRCCOPY);
}

void TacToolBarVCLWnd::DrawButton(gui::TToolButton* b, gui::TCustomDrawState state, TCustomDrawStage stage,
                                  gui::TTBCustomDrawFlags& flags, bool& defaultDraw) {
  if (!Skinned()) {
    defaultDraw = true;
    return;
  }
  defaultDraw = false;
  if (stage != TCustomDrawStage::cdPrePaint || !b) return;
  if (!bar_->Flat() && b->Index() == hot_) state |= gui::cdsHot;
  flags |= gui::tbNoEdges | gui::tbNoEtchedEffect;
  PaintButton(b, state, bar_->Canvas().Handle());
  if (oldDrawButton_) {
    bool def = defaultDraw;
    oldDrawButton_(bar_, b, state, TCustomDrawStage::cdPostPaint, flags, def);
  }
}

void TacToolBarVCLWnd::CopyBorderStrips(HDC dc) {
  TsCommonData* d = SkinData();
  const gui::TRect c = ClientRectInWindow();
  const int w = d->FCache->Width(), h = d->FCache->Height();
  HDC src = d->FCache->Canvas().Handle();
  BitBlt(dc, 0, 0, w, c.Top, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, c.Top, c.Left, c.Height(), src, 0, c.Top, SRCCOPY);
  BitBlt(dc, 0, c.Bottom, w, h - c.Bottom, src, 0, c.Bottom, SRCCOPY);
  BitBlt(dc, c.Right, c.Top, w - c.Right, c.Height(), src, c.Right, c.Top, SRCCOPY);
}

void TacToolBarVCLWnd::PaintBorder(HDC given) {
  TsCommonData* d = SkinData();
  if (!d || d->FUpdating) return;
  const gui::TRect c = ClientRectInWindow();
  const TWndBounds b = GetWndBounds(Wnd());
  if (c.Left == 0 && c.Top == 0 && c.Width() == b.WndSize.x && c.Height() == b.WndSize.y) return;
  if (d->FCacheInvalid || d->CacheEmpty()) UpdateCache();
  if (d->CacheEmpty()) return;
  HDC dc = given ? given : GetWindowDC(Wnd());
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
  CopyBorderStrips(dc);
  RestoreDC(dc, saved);
  if (!given) ReleaseDC(Wnd(), dc);
}

void TacToolBarVCLWnd::RepaintButton(int index) {
  if (!bar_ || index < 0 || index >= bar_->ButtonCount() || !IsWindowVisible(Wnd())) return;
  HDC dc = GetDC(Wnd());
  const int saved = SaveDC(dc);
  gui::TCanvas& canvas = bar_->Canvas();
  HDC before = canvas.HandleAllocated() ? canvas.Handle() : nullptr;
  canvas.SetHandle(dc);
  gui::TTBCustomDrawFlags flags = gui::tbNoEdges | gui::tbNoEtchedEffect;
  bool def = false;
  gui::TToolButton* b = bar_->Buttons(index);
  // The state the bar itself would report: disabled, checked or pressed.
  const LRESULT s = SendMessageW(Wnd(), TB_GETSTATE, WPARAM(b->CommandId()), 0);
  gui::TCustomDrawState state = 0;
  if (s >= 0 && !(s & TBSTATE_ENABLED)) state |= gui::cdsDisabled;
  if (s >= 0 && (s & TBSTATE_CHECKED)) state |= gui::cdsChecked;
  if (s >= 0 && (s & TBSTATE_PRESSED)) state |= gui::cdsSelected;
  DrawButton(b, state, TCustomDrawStage::cdPrePaint, flags, def);
  canvas.SetHandle(before);
  RestoreDC(dc, saved);
  ReleaseDC(Wnd(), dc);
}

bool TacToolBarVCLWnd::HandleSkinCommand(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  const bool ours = d && m.LParam == reinterpret_cast<LPARAM>(d->GetSkinManager());
  switch (m.WParamHi()) {
    case AC_SETNEWSKIN:
      // The new skin's scaled data is looked up again on the next paint.
      if (d) d->SetScaledSkin(nullptr);
      InstallHandlers();
      return false;
    case AC_REMOVESKIN:
      if (ours) GiveHandlersBack();
      return false;
    case AC_REFRESH:
      if (ours) dropped_ = nullptr;
      return false;
    case AC_PREPARECACHE:
      // The image is made when the bar paints.
      m.Result = 0;
      return true;
    case AC_GETBG: {
      // A child on the bar asks for what lies behind it: the bar's image, whose origin is the
      // window's, not the client area's the child's place is counted from.
      if (!m.LParam || !d) return false;
      if (d->FCacheInvalid || d->CacheEmpty()) UpdateCache();
      auto& q = *reinterpret_cast<TacBackgroundQuery*>(m.LParam);
      const gui::TRect c = ClientRectInWindow();
      if (q.PleaseDraw) {
        q.OffsetX += c.Left;
        q.OffsetY += c.Top;
        d->FillBackgroundQuery(q, 0, Wnd());
      } else {
        d->FillBackgroundQuery(q, 0, Wnd());
        q.OffsetX += c.Left;
        q.OffsetY += c.Top;
      }
      m.Result = 0;
      return true;
    }
    default:
      return false;
  }
}

void TacToolBarVCLWnd::HandleMessage(gui::TMessage& m) {
  TsCommonData* d = SkinData();
  if (!bar_ || !Skinned()) {
    CallOldWndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      if (d->FUpdating) {
        PAINTSTRUCT ps;
        BeginPaint(Wnd(), &ps);
        EndPaint(Wnd(), &ps);
        m.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_NCPAINT:
      if (!AnimationInProgress) PaintBorder(nullptr);
      m.Result = 0;
      return;
    case WM_PRINTCLIENT: {
      d->FUpdating = false;
      if (d->FCacheInvalid || d->CacheEmpty()) UpdateCache();
      if (d->CacheEmpty()) break;
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      CopyBorderStrips(dc);
      const gui::TRect c = ClientRectInWindow();
      const int saved = SaveDC(dc);
      POINT old;
      OffsetViewportOrgEx(dc, c.Left, c.Top, &old);
      IntersectClipRect(dc, 0, 0, c.Width(), c.Height());
      SendMessageW(Wnd(), WM_PAINT, m.WParam, 0);
      RestoreDC(dc, saved);
      m.Result = 0;
      return;
    }
    case gui::CN_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
      if (hdr->code == static_cast<UINT>(TBN_DELETINGBUTTON)) {
        if (hot_ >= bar_->ButtonCount()) hot_ = -1;
      } else if (hdr->code == static_cast<UINT>(TBN_DROPDOWN)) {
        if (gui::TToolButton* b = bar_->ButtonByCommand(reinterpret_cast<NMTOOLBARW*>(m.LParam)->iItem)) {
          dropped_ = b;
          RepaintButton(b->Index());
        }
      }
      break;
    }
    default:
      break;
  }
  CallOldWndProc(m);
  if (!bar_) return;
  switch (m.Msg) {
    case WM_SIZE:
      if (!d->FUpdating) InvalidateRect(Wnd(), nullptr, TRUE);
      d->FCacheInvalid = true;
      break;
    case WM_MOUSEMOVE: {
      if (bar_->Flat()) break;
      const int at = ButtonAt(POINT{m.XPos(), m.YPos()});
      if (at == hot_ || (at >= 0 && !bar_->Buttons(at)->Enabled())) break;
      const int old = hot_;
      hot_ = at;
      if (old >= 0 && old < bar_->ButtonCount() && !bar_->Buttons(old)->Down()) RepaintButton(old);
      if (at >= 0 && !bar_->Buttons(at)->Down()) RepaintButton(at);
      break;
    }
    case gui::CN_DROPDOWNCLOSED:
      if (gui::TToolButton* b = dropped_) {
        hot_ = -1;
        dropped_ = nullptr;
        RepaintButton(b->Index());
      }
      break;
    case gui::CM_MOUSELEAVE:
      if (!bar_->Flat() && hot_ >= 0) {
        const int old = hot_;
        hot_ = -1;
        if (old < bar_->ButtonCount() && !bar_->Buttons(old)->Down()) RepaintButton(old);
      }
      break;
    default:
      break;
  }
}

}  // namespace skin

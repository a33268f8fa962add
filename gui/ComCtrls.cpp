#include "gui/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "rtl/Utf.h"

namespace gui {

// ---------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  visible_ = false;  // the page control shows the active page only
  ControlStyle |= csAcceptsControls;
}

// Leave the page control while still a sheet, so that it can drop the page.
TTabSheet::~TTabSheet() {
  if (parent_) SetParent(nullptr);
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(parent_); }

void TTabSheet::SetPageControl(TPageControl* pc) { SetParent(pc); }

int TTabSheet::PageIndex() const {
  TPageControl* pc = PageControl();
  if (!pc) return -1;
  auto it = std::find(pc->pages_.begin(), pc->pages_.end(), this);
  return it == pc->pages_.end() ? -1 : static_cast<int>(it - pc->pages_.begin());
}

int TTabSheet::TabIndex() const {
  TPageControl* pc = PageControl();
  if (!pc || !tabVisible_) return -1;
  int n = 0;
  for (TTabSheet* p : pc->pages_) {
    if (p == this) return n;
    if (p->tabVisible_) ++n;
  }
  return -1;
}

// Hiding the active page's tab moves the page control on to the next page with a tab.
void TTabSheet::SetTabVisible(bool v) {
  if (v == tabVisible_) return;
  tabVisible_ = v;
  TPageControl* pc = PageControl();
  if (!pc) return;
  if (!v && pc->active_ == this) {
    pc->active_ = nullptr;
    for (TTabSheet* p : pc->pages_)
      if (p->tabVisible_) {
        pc->active_ = p;
        break;
      }
    pc->ShowActive();
  }
  pc->UpdateTabs();
}

void TTabSheet::SetBorderWidth(int v) {
  v = std::max(0, v);
  if (v == borderWidth_) return;
  borderWidth_ = v;
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  AlignControls();
}

void TTabSheet::WndProc(TMessage& msg) {
  if (msg.Msg == WM_NCCALCSIZE && borderWidth_ > 0 && msg.LParam) {
    TWinControl::WndProc(msg);
    RECT& r = *reinterpret_cast<RECT*>(msg.LParam);  // the first rectangle in both forms
    const int bw = std::min<int>(borderWidth_, std::max<LONG>(0, std::min(r.right - r.left, r.bottom - r.top) / 2));
    InflateRect(&r, -bw, -bw);
    return;
  }
  if (msg.Msg == WM_NCPAINT && borderWidth_ > 0 && HandleAllocated()) {
    // The system draws nothing in a margin of a window without a frame style.
    TWinControl::WndProc(msg);
    RECT w, c;
    GetWindowRect(Handle(), &w);
    GetClientRect(Handle(), &c);
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&c), 2);
    OffsetRect(&c, -w.left, -w.top);
    OffsetRect(&w, -w.left, -w.top);
    if (HDC dc = GetWindowDC(Handle())) {
      ExcludeClipRect(dc, c.left, c.top, c.right, c.bottom);
      FillRect(dc, &w, BackgroundBrush());
      ReleaseDC(Handle(), dc);
    }
    return;
  }
  TWinControl::WndProc(msg);
}

void TTabSheet::DoTextChanged() {
  if (TPageControl* pc = PageControl()) pc->UpdateTabs();
}

// ---------------------------------------------------------------- TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  width_ = 289;
  height_ = 193;
  TabStop = true;
  ControlStyle |= csAcceptsControls;
}

void TPageControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = WC_TABCONTROLW;
  if (ownerDraw_) p.Style |= TCS_OWNERDRAWFIXED;
}

void TPageControl::SetOwnerDraw(bool v) {
  if (v == ownerDraw_) return;
  ownerDraw_ = v;
  if (handle_) RecreateWnd();
}

void TPageControl::CreateHandleDone() {
  UpdateTabs();
  LayoutPages();
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->Parent() != this) return;
  active_ = page;
  ShowActive();
  if (handle_) SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(page ? page->TabIndex() : -1), 0);
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int i) {
  SetActivePage(i >= 0 && i < PageCount() ? pages_[static_cast<size_t>(i)] : nullptr);
}

void TPageControl::ShowActive() {
  for (TTabSheet* p : pages_)
    if (p != active_) p->SetVisible(false);
  if (active_) {
    active_->SetVisible(true);
    active_->BringToFront();
  }
}

void TPageControl::UpdateTabs() {
  if (!handle_) return;
  SendMessageW(handle_, TCM_DELETEALLITEMS, 0, 0);
  int n = 0;
  for (TTabSheet* p : pages_) {
    if (!p->tabVisible_) continue;
    std::wstring caption = rtl::W(p->Caption());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(handle_, TCM_INSERTITEMW, static_cast<WPARAM>(n++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(active_ ? active_->TabIndex() : -1), 0);
  LayoutPages();
}

TRect TPageControl::DisplayRect() {
  if (!handle_) return Rect(4, 24, std::max(4, width_ - 4), std::max(24, height_ - 4));
  RECT r;
  GetClientRect(handle_, &r);
  SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return {r.left, r.top, r.right, r.bottom};
}

void TPageControl::LayoutPages() {
  TRect d = DisplayRect();
  for (TTabSheet* p : pages_) p->SetBounds(d.Left, d.Top, d.Width(), d.Height());
}

void TPageControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CM_CONTROLLISTCHANGE:
      if (auto* sheet = dynamic_cast<TTabSheet*>(reinterpret_cast<TControl*>(msg.WParam))) {
        if (msg.LParam) {
          pages_.push_back(sheet);
          if (!active_ && sheet->tabVisible_) active_ = sheet;
        } else {
          pages_.erase(std::remove(pages_.begin(), pages_.end(), sheet), pages_.end());
          if (active_ == sheet) active_ = nullptr;
          sheet->SetVisible(false);
        }
        ShowActive();
        UpdateTabs();
        if (msg.LParam) {
          TRect d = DisplayRect();
          sheet->SetBounds(d.Left, d.Top, d.Width(), d.Height());
        }
      }
      break;
    case CN_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
      if (hdr->code == static_cast<UINT>(TCN_SELCHANGING)) {
        bool allow = true;
        if (OnChanging) OnChanging(this, allow);
        msg.Result = allow ? FALSE : TRUE;
      } else if (hdr->code == static_cast<UINT>(TCN_SELCHANGE)) {
        int tab = static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
        for (TTabSheet* p : pages_)
          if (p->TabIndex() == tab) active_ = p;
        ShowActive();
        if (OnChange) OnChange(this);
      }
      return;
    }
    case WM_SIZE:
      TWinControl::WndProc(msg);
      LayoutPages();
      return;
    case CN_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
      if (!OnDrawTab) break;
      HDC before = canvas_.HandleAllocated() ? canvas_.Handle() : nullptr;
      canvas_.SetHandle(di->hDC);
      canvas_.Font().Assign(&Font());
      const RECT& r = di->rcItem;
      OnDrawTab(this, static_cast<int>(di->itemID), TRect(r.left, r.top, r.right, r.bottom),
                (di->itemState & ODS_SELECTED) != 0);
      canvas_.SetHandle(before);
      msg.Result = TRUE;
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

namespace {

// A blank border Width pixels wide inside a bar's edge: the client area shrinks by it (the
// first rectangle of either form of WM_NCCALCSIZE), and it shows the bar's colour until
// someone paints it otherwise.
void InsetCalcSize(TMessage& msg, const RECT& in) {
  auto* r = reinterpret_cast<RECT*>(msg.LParam);
  r->left += in.left;
  r->top += in.top;
  r->right = std::max(r->left, r->right - in.right);
  r->bottom = std::max(r->top, r->bottom - in.bottom);
}

void BorderCalcSize(TMessage& msg, int width) {
  if (width > 0) InsetCalcSize(msg, RECT{width, width, width, width});
}

void PaintBlankBorder(HWND wnd, const RECT& in, TColor color) {
  if (in.left <= 0 && in.top <= 0 && in.right <= 0 && in.bottom <= 0) return;
  RECT wr;
  GetWindowRect(wnd, &wr);
  OffsetRect(&wr, -wr.left, -wr.top);
  HDC dc = GetWindowDC(wnd);
  ExcludeClipRect(dc, in.left, in.top, wr.right - in.right, wr.bottom - in.bottom);
  HBRUSH brush = CreateSolidBrush(ColorToColorRef(color));
  FillRect(dc, &wr, brush);
  DeleteObject(brush);
  ReleaseDC(wnd, dc);
}

void PaintBlankBorder(HWND wnd, int width, TColor color) {
  if (width > 0) PaintBlankBorder(wnd, RECT{width, width, width, width}, color);
}

void FrameChanged(HWND wnd) {
  if (wnd)
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

// ---------------------------------------------------------------- TStatusBar

void TStatusPanel::SetText(const std::string& s) {
  if (s == text_) return;
  text_ = s;
  bar_->UpdatePanel(Index());
}

void TStatusPanel::SetWidth(int w) {
  width_ = w;
  bar_->UpdateParts();
}

void TStatusPanel::SetAlignment(TAlignment a) {
  alignment_ = a;
  bar_->UpdatePanel(Index());
}

int TStatusPanel::Index() const {
  auto& v = bar_->panels_.items_;
  for (size_t i = 0; i < v.size(); ++i)
    if (v[i].get() == this) return static_cast<int>(i);
  return -1;
}

TStatusPanel* TStatusPanels::Add() {
  items_.push_back(std::make_unique<TStatusPanel>(bar_));
  bar_->UpdateParts();
  return items_.back().get();
}

void TStatusPanels::Clear() {
  items_.clear();
  bar_->UpdateParts();
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  width_ = 200;
  height_ = 19;
  align_ = TAlign::alBottom;
}

void TStatusBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = STATUSCLASSNAMEW;
  // Our alignment places the bar; the control must not move itself to its parent's foot.
  p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (sizeGrip_) p.Style |= SBARS_SIZEGRIP;
  p.Style &= ~static_cast<DWORD>(WS_TABSTOP);
}

void TStatusBar::SetSizeGrip(bool v) {
  if (v == sizeGrip_) return;
  sizeGrip_ = v;
  if (handle_) RecreateWnd();
}

void TStatusBar::SetBorderWidth(int v) {
  v = std::max(0, v);
  if (v == borderWidth_) return;
  borderWidth_ = v;
  FrameChanged(handle_);
}

void TStatusBar::CreateHandleDone() {
  UpdateParts();
  SendMessageW(handle_, SB_SIMPLE, simplePanel_, 0);
  SendMessageW(handle_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(rtl::W(simpleText_).c_str()));
}

// Each panel ends where the sum of the widths so far ends; the last one runs to the
// bar's right edge, as the class library lays them out.
void TStatusBar::UpdateParts() {
  if (!handle_) return;
  std::vector<int> edges;
  int x = 0;
  for (int i = 0; i < panels_.Count(); ++i) {
    x += panels_.Items(i)->Width();
    edges.push_back(i + 1 == panels_.Count() ? -1 : x);
  }
  if (edges.empty()) edges.push_back(-1);
  SendMessageW(handle_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < panels_.Count(); ++i) UpdatePanel(i);
}

// The control centres text after one tab and right-aligns it after two.
void TStatusBar::UpdatePanel(int i) {
  if (!handle_ || i < 0 || i >= panels_.Count()) return;
  TStatusPanel* p = panels_.Items(i);
  std::string prefix = p->Alignment() == TAlignment::taCenter ? "\t" : p->Alignment() == TAlignment::taRightJustify ? "\t\t" : "";
  std::wstring w = rtl::W(prefix + p->Text());
  SendMessageW(handle_, SB_SETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.c_str()));
}

void TStatusBar::SetSimplePanel(bool v) {
  simplePanel_ = v;
  if (handle_) SendMessageW(handle_, SB_SIMPLE, v, 0);
}

void TStatusBar::SetSimpleText(const std::string& s) {
  simpleText_ = s;
  if (handle_) SendMessageW(handle_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(rtl::W(s).c_str()));
}

std::string TStatusBar::WindowPartText(int i) {
  HWND h = Handle();
  int n = LOWORD(SendMessageW(h, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0));
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  SendMessageW(h, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.data()));
  w.resize(wcslen(w.c_str()));
  return rtl::U8(w);
}

void TStatusBar::WndProc(TMessage& msg) {
  if (msg.Msg == WM_NCCALCSIZE) {
    TWinControl::WndProc(msg);
    BorderCalcSize(msg, borderWidth_);
    return;
  }
  if (msg.Msg == WM_NCPAINT) {
    TWinControl::WndProc(msg);
    PaintBlankBorder(handle_, borderWidth_, Color());
    return;
  }
  if (msg.Msg == WM_SIZE) {
    TWinControl::WndProc(msg);
    InvalidateRect(handle_, nullptr, TRUE);
    return;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------- TToolBar

int TToolButton::Index() const {
  for (int i = 0; i < bar_->ButtonCount(); ++i)
    if (bar_->Buttons(i) == this) return i;
  return -1;
}

void TToolButton::SetCaption(const std::string& s) {
  caption_ = s;
  bar_->RebuildButtons();
}

void TToolButton::SetImageIndex(int v) {
  imageIndex_ = v;
  bar_->RebuildButtons();
}

void TToolButton::SetEnabled(bool v) {
  enabled_ = v;
  bar_->UpdateButton(this);
}

void TToolButton::SetDown(bool v) {
  down_ = v;
  bar_->UpdateButton(this);
}

void TToolButton::SetMarked(bool v) {
  marked_ = v;
  bar_->UpdateButton(this);
}

void TToolButton::SetIndeterminate(bool v) {
  indeterminate_ = v;
  bar_->UpdateButton(this);
}

void TToolButton::Click() {
  if (OnClick) OnClick(bar_);
}

TRect TToolButton::BoundsRect() const {
  RECT r{};
  if (!bar_->HandleAllocated() || !SendMessageW(bar_->Handle(), TB_GETRECT, WPARAM(id_), LPARAM(&r))) return {};
  return {r.left, r.top, r.right, r.bottom};
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
  width_ = 150;
  height_ = 29;
  align_ = TAlign::alTop;
}

TToolBar::~TToolBar() = default;

void TToolBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = TOOLBARCLASSNAMEW;
  // Our alignment places the bar; it must not move or size itself.
  p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (flat_) p.Style |= TBSTYLE_FLAT;
  if (list_) p.Style |= TBSTYLE_LIST;
  p.Style &= ~static_cast<DWORD>(WS_TABSTOP);
}

void TToolBar::CreateHandleDone() {
  SendMessageW(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(handle_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  RebuildButtons();
}

TToolButton* TToolBar::AddButton(TToolButtonStyle style, const std::string& caption, int imageIndex) {
  buttons_.push_back(std::make_unique<TToolButton>(this, style, nextId_++));
  TToolButton* b = buttons_.back().get();
  b->caption_ = caption;
  b->imageIndex_ = imageIndex;
  RebuildButtons();
  return b;
}

TToolButton* TToolBar::ButtonByCommand(int id) const {
  for (const auto& b : buttons_)
    if (b->id_ == id) return b.get();
  return nullptr;
}

void TToolBar::SetFlat(bool v) {
  if (v == flat_) return;
  flat_ = v;
  if (handle_) RecreateWnd();
}

void TToolBar::SetList(bool v) {
  if (v == list_) return;
  list_ = v;
  if (handle_) RecreateWnd();
}

void TToolBar::SetShowCaptions(bool v) {
  showCaptions_ = v;
  RebuildButtons();
}

void TToolBar::SetImages(TCustomImageList* images) {
  images_ = images;
  RebuildButtons();
}

void TToolBar::SetHotImages(TCustomImageList* images) {
  hotImages_ = images;
  RebuildButtons();
}

void TToolBar::SetDisabledImages(TCustomImageList* images) {
  disabledImages_ = images;
  RebuildButtons();
}

void TToolBar::SetButtonSize(int width, int height) {
  buttonWidth_ = width;
  buttonHeight_ = height;
  RebuildButtons();
}

void TToolBar::SetBorderWidth(int v) {
  v = std::max(0, v);
  if (v == borderWidth_) return;
  borderWidth_ = v;
  FrameChanged(handle_);
}

void TToolBar::SetEdgeBorders(TEdgeBorders v) {
  if (v == edgeBorders_) return;
  edgeBorders_ = v;
  FrameChanged(handle_);
}

void TToolBar::SetEdgeInner(TEdgeStyle v) {
  if (v == edgeInner_) return;
  edgeInner_ = v;
  FrameChanged(handle_);
}

void TToolBar::SetEdgeOuter(TEdgeStyle v) {
  if (v == edgeOuter_) return;
  edgeOuter_ = v;
  FrameChanged(handle_);
}

int TToolBar::EdgeWidth() const {
  return (edgeInner_ != TEdgeStyle::esNone ? 1 : 0) + (edgeOuter_ != TEdgeStyle::esNone ? 1 : 0);
}

TRect TToolBar::NonClientInsets() const {
  const int d = EdgeWidth();
  auto side = [&](TEdgeBorders b) { return (edgeBorders_ & b ? d : 0) + borderWidth_; };
  return {side(ebLeft), side(ebTop), side(ebRight), side(ebBottom)};
}

// The blank border in the bar's colour, then the edge lines over the chosen sides.
void TToolBar::PaintFrame() {
  const TRect in = NonClientInsets();
  PaintBlankBorder(handle_, RECT{in.Left, in.Top, in.Right, in.Bottom}, Color());
  if (EdgeWidth() == 0 || edgeBorders_ == 0) return;
  UINT edge = 0;
  if (edgeOuter_ != TEdgeStyle::esNone) edge |= edgeOuter_ == TEdgeStyle::esRaised ? BDR_RAISEDOUTER : BDR_SUNKENOUTER;
  if (edgeInner_ != TEdgeStyle::esNone) edge |= edgeInner_ == TEdgeStyle::esRaised ? BDR_RAISEDINNER : BDR_SUNKENINNER;
  UINT sides = 0;
  if (edgeBorders_ & ebLeft) sides |= BF_LEFT;
  if (edgeBorders_ & ebTop) sides |= BF_TOP;
  if (edgeBorders_ & ebRight) sides |= BF_RIGHT;
  if (edgeBorders_ & ebBottom) sides |= BF_BOTTOM;
  RECT wr;
  GetWindowRect(handle_, &wr);
  OffsetRect(&wr, -wr.left, -wr.top);
  HDC dc = GetWindowDC(handle_);
  DrawEdge(dc, &wr, edge, sides);
  ReleaseDC(handle_, dc);
}

namespace {
BYTE ButtonStateBits(const TToolButton& b) {
  BYTE s = 0;
  if (b.Enabled()) s |= TBSTATE_ENABLED;
  if (b.Down()) s |= b.Style() == TToolButtonStyle::tbsCheck ? TBSTATE_CHECKED : TBSTATE_PRESSED;
  if (b.Marked()) s |= TBSTATE_MARKED;
  if (b.Indeterminate()) s |= TBSTATE_INDETERMINATE;
  return s;
}
}  // namespace

void TToolBar::UpdateButton(TToolButton* b) {
  if (handle_) SendMessageW(handle_, TB_SETSTATE, WPARAM(b->id_), MAKELPARAM(ButtonStateBits(*b), 0));
}

// The window's buttons made again from ours, so that captions, images and sizes always agree.
void TToolBar::RebuildButtons() {
  if (!handle_) return;
  while (SendMessageW(handle_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(handle_, TB_DELETEBUTTON, 0, 0);
  SendMessageW(handle_, TB_SETIMAGELIST, 0, LPARAM(images_ ? images_->Handle() : nullptr));
  SendMessageW(handle_, TB_SETHOTIMAGELIST, 0, LPARAM(hotImages_ ? hotImages_->Handle() : nullptr));
  SendMessageW(handle_, TB_SETDISABLEDIMAGELIST, 0, LPARAM(disabledImages_ ? disabledImages_->Handle() : nullptr));
  std::vector<std::wstring> texts;
  texts.reserve(buttons_.size());
  for (const auto& b : buttons_) {
    TBBUTTON t{};
    t.idCommand = b->id_;
    t.fsState = ButtonStateBits(*b);
    switch (b->style_) {
      case TToolButtonStyle::tbsCheck: t.fsStyle = BTNS_CHECK; break;
      case TToolButtonStyle::tbsDropDown: t.fsStyle = BTNS_DROPDOWN; break;
      case TToolButtonStyle::tbsSeparator:
      case TToolButtonStyle::tbsDivider: t.fsStyle = BTNS_SEP; break;
      default: t.fsStyle = BTNS_BUTTON; break;
    }
    t.iBitmap = b->style_ == TToolButtonStyle::tbsSeparator || b->style_ == TToolButtonStyle::tbsDivider
                    ? 8
                    : (images_ && b->imageIndex_ >= 0 ? b->imageIndex_ : I_IMAGENONE);
    texts.push_back(rtl::W(b->caption_));
    t.iString = showCaptions_ && !b->caption_.empty() ? INT_PTR(texts.back().c_str()) : -1;
    SendMessageW(handle_, TB_ADDBUTTONSW, 1, LPARAM(&t));
  }
  SendMessageW(handle_, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
  InvalidateRect(handle_, nullptr, TRUE);
}

void TToolBar::DropDown(TToolButton* b) {
  if (!b->DropdownMenu) return;
  RECT r{};
  SendMessageW(handle_, TB_GETRECT, WPARAM(b->id_), LPARAM(&r));
  MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&r), 2);
  b->DropdownMenu->Popup(r.left, r.bottom);
  Perform(CN_DROPDOWNCLOSED, 0, 0);
}

namespace {
TCustomDrawStage StageOf(DWORD stage) {
  switch (stage & ~static_cast<DWORD>(CDDS_ITEM)) {
    case CDDS_POSTPAINT: return TCustomDrawStage::cdPostPaint;
    case CDDS_PREERASE: return TCustomDrawStage::cdPreErase;
    case CDDS_POSTERASE: return TCustomDrawStage::cdPostErase;
    default: return TCustomDrawStage::cdPrePaint;
  }
}

TCustomDrawState StateOf(UINT s) {
  TCustomDrawState r = 0;
  if (s & CDIS_SELECTED) r |= cdsSelected;
  if (s & CDIS_GRAYED) r |= cdsGrayed;
  if (s & CDIS_DISABLED) r |= cdsDisabled;
  if (s & CDIS_CHECKED) r |= cdsChecked;
  if (s & CDIS_FOCUS) r |= cdsFocused;
  if (s & CDIS_DEFAULT) r |= cdsDefault;
  if (s & CDIS_HOT) r |= cdsHot;
  if (s & CDIS_MARKED) r |= cdsMarked;
  if (s & CDIS_INDETERMINATE) r |= cdsIndeterminate;
  return r;
}
}  // namespace

void TToolBar::CustomDraw(TMessage& msg) {
  auto* cd = reinterpret_cast<NMTBCUSTOMDRAW*>(msg.LParam);
  const bool item = (cd->nmcd.dwDrawStage & CDDS_ITEM) != 0;
  msg.Result = CDRF_DODEFAULT;
  if (!item && cd->nmcd.dwDrawStage != CDDS_PREPAINT && cd->nmcd.dwDrawStage != CDDS_POSTPAINT) return;
  HDC before = canvas_.HandleAllocated() ? canvas_.Handle() : nullptr;
  canvas_.SetHandle(cd->nmcd.hdc);
  canvas_.Font().Assign(&Font());
  bool defaultDraw = true;
  const RECT& rc = cd->nmcd.rc;
  if (!item) {
    if (OnAdvancedCustomDraw)
      OnAdvancedCustomDraw(this, TRect(rc.left, rc.top, rc.right, rc.bottom), StageOf(cd->nmcd.dwDrawStage),
                           defaultDraw);
    if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) {
      if (!defaultDraw) msg.Result = CDRF_SKIPDEFAULT;
      if (OnAdvancedCustomDrawButton) msg.Result |= CDRF_NOTIFYITEMDRAW;
      if (OnAdvancedCustomDraw) msg.Result |= CDRF_NOTIFYPOSTPAINT;
    }
  } else if (TToolButton* b = ButtonByCommand(static_cast<int>(cd->nmcd.dwItemSpec)); b && OnAdvancedCustomDrawButton) {
    TTBCustomDrawFlags flags = 0;
    OnAdvancedCustomDrawButton(this, b, StateOf(cd->nmcd.uItemState), StageOf(cd->nmcd.dwDrawStage), flags,
                               defaultDraw);
    if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
      msg.Result = defaultDraw ? CDRF_NOTIFYPOSTPAINT : CDRF_SKIPDEFAULT;
      if (flags & tbNoEdges) msg.Result |= TBCDRF_NOEDGES;
      if (flags & tbHiliteHotTrack) msg.Result |= TBCDRF_HILITEHOTTRACK;
      if (flags & tbNoOffset) msg.Result |= TBCDRF_NOOFFSET;
      if (flags & tbNoMark) msg.Result |= TBCDRF_NOMARK;
      if (flags & tbNoEtchedEffect) msg.Result |= TBCDRF_NOETCHEDEFFECT;
    }
  }
  canvas_.SetHandle(before);
}

void TToolBar::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_NCCALCSIZE: {
      TWinControl::WndProc(msg);
      const TRect in = NonClientInsets();
      InsetCalcSize(msg, RECT{in.Left, in.Top, in.Right, in.Bottom});
      return;
    }
    case WM_NCPAINT:
      TWinControl::WndProc(msg);
      PaintFrame();
      return;
    case WM_ERASEBKGND: {
      // Our window class has no background brush: the bar fills itself with its colour.
      RECT r;
      GetClientRect(handle_, &r);
      HBRUSH brush = CreateSolidBrush(ColorToColorRef(Color()));
      FillRect(reinterpret_cast<HDC>(msg.WParam), &r, brush);
      DeleteObject(brush);
      msg.Result = 1;
      return;
    }
    case CN_COMMAND:
      if (TToolButton* b = ButtonByCommand(LOWORD(msg.WParam))) {
        if (b->style_ == TToolButtonStyle::tbsCheck)
          b->down_ = SendMessageW(handle_, TB_ISBUTTONCHECKED, WPARAM(b->id_), 0) != 0;
        b->Click();
      }
      return;
    case CN_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
      if (hdr->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        CustomDraw(msg);
        return;
      }
      if (hdr->code == static_cast<UINT>(TBN_DROPDOWN)) {
        if (TToolButton* b = ButtonByCommand(reinterpret_cast<NMTOOLBARW*>(msg.LParam)->iItem)) DropDown(b);
        msg.Result = TBDDRET_DEFAULT;
        return;
      }
      break;
    }
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------- TTrackBar

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  width_ = 150;
  height_ = 45;
}

void TTrackBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = TRACKBAR_CLASSW;
  p.Style |= orientation_ == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
  switch (tickMarks_) {
    case TTickMark::tmTopLeft: p.Style |= TBS_TOP; break;
    case TTickMark::tmBoth: p.Style |= TBS_BOTH; break;
    default: p.Style |= TBS_BOTTOM; break;
  }
  p.Style |= tickStyle_ == TTickStyle::tsNone ? TBS_NOTICKS : TBS_AUTOTICKS;
}

void TTrackBar::CreateHandleDone() {
  PushRange();
  SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TTrackBar::PushRange() {
  if (!handle_) return;
  SendMessageW(handle_, TBM_SETRANGEMIN, FALSE, min_);
  SendMessageW(handle_, TBM_SETRANGEMAX, FALSE, max_);
  SendMessageW(handle_, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
  if (v == orientation_) return;
  orientation_ = v;
  SetBounds(left_, top_, height_, width_);
  if (handle_) RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark v) {
  if (v == tickMarks_) return;
  tickMarks_ = v;
  if (handle_) RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle v) {
  if (v == tickStyle_) return;
  tickStyle_ = v;
  if (handle_) RecreateWnd();
}

void TTrackBar::SetMin(int v) {
  min_ = v;
  max_ = std::max(max_, v);
  position_ = std::clamp(position_, min_, max_);
  PushRange();
}

void TTrackBar::SetMax(int v) {
  max_ = v;
  min_ = std::min(min_, v);
  position_ = std::clamp(position_, min_, max_);
  PushRange();
}

void TTrackBar::SetPosition(int v) {
  const int before = position_;
  position_ = std::clamp(v, min_, max_);
  if (handle_) SendMessageW(handle_, TBM_SETPOS, TRUE, position_);
  if (position_ != before && OnChange) OnChange(this);
}

void TTrackBar::SetFrequency(int v) {
  frequency_ = std::max(1, v);
  if (handle_) {
    SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    InvalidateRect(handle_, nullptr, TRUE);
  }
}

void TTrackBar::WndProc(TMessage& msg) {
  if (msg.Msg == CN_HSCROLL || msg.Msg == CN_VSCROLL) {
    const int at = static_cast<int>(SendMessageW(handle_, TBM_GETPOS, 0, 0));
    if (at != position_) {
      position_ = at;
      if (OnChange) OnChange(this);
    }
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------- TProgressBar

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  width_ = 150;
  height_ = 16;
}

void TProgressBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = PROGRESS_CLASSW;
}

void TProgressBar::CreateHandleDone() {
  SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int v) {
  min_ = v;
  if (handle_) SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SetPosition(position_);
}

void TProgressBar::SetMax(int v) {
  max_ = v;
  if (handle_) SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SetPosition(position_);
}

void TProgressBar::SetPosition(int v) {
  position_ = std::clamp(v, min_, std::max(min_, max_));
  if (handle_) SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

// ---------------------------------------------------------------- TDateTimePicker

SYSTEMTIME DateTimeToSystemTime(rtl::TDateTime v) {
  rtl::DateParts d = rtl::DecodeDateTime(v);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(d.year);
  st.wMonth = static_cast<WORD>(d.month);
  st.wDay = static_cast<WORD>(d.day);
  st.wHour = static_cast<WORD>(d.hour);
  st.wMinute = static_cast<WORD>(d.minute);
  st.wSecond = static_cast<WORD>(d.second);
  st.wMilliseconds = static_cast<WORD>(d.msec);
  st.wDayOfWeek = 0;
  return st;
}

// The time of a day before 30/12/1899 counts forward from that day.
rtl::TDateTime SystemTimeToDateTime(const SYSTEMTIME& st) {
  rtl::TDateTime date = rtl::EncodeDate(st.wYear, st.wMonth, st.wDay);
  rtl::TDateTime time = rtl::EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  return date < 0 ? date - time : date + time;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner), value_(rtl::Now()) {
  width_ = 186;
  height_ = 21;
  color_ = clWindow;
  TabStop = true;
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = DATETIMEPICK_CLASSW;
  p.Style |= kind_ == TDateTimeKind::dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
  if (showCheckbox_) p.Style |= DTS_SHOWNONE;
}

void TDateTimePicker::CreateHandleDone() {
  // The program shows dates in its own short format whatever the system's locale is.
  std::string f = !format_.empty() ? format_ : kind_ == TDateTimeKind::dtkTime ? "HH:mm:ss" : "dd/MM/yyyy";
  SendMessageW(handle_, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(rtl::W(f).c_str()));
  PushValue();
}

void TDateTimePicker::PushValue() {
  if (!handle_) return;
  pushing_ = true;
  SYSTEMTIME st = DateTimeToSystemTime(value_);
  SendMessageW(handle_, DTM_SETSYSTEMTIME, (showCheckbox_ && !checked_) ? GDT_NONE : GDT_VALID,
               reinterpret_cast<LPARAM>(&st));
  pushing_ = false;
}

void TDateTimePicker::SetDateTime(rtl::TDateTime v) {
  value_ = v;
  PushValue();
}

void TDateTimePicker::SetDate(rtl::TDateTime v) {
  rtl::TDateTime d = rtl::DateOf(v), t = rtl::TimeOf(value_);
  SetDateTime(d < 0 ? d - t : d + t);
}

void TDateTimePicker::SetTime(rtl::TDateTime v) {
  rtl::TDateTime d = rtl::DateOf(value_), t = rtl::TimeOf(v);
  SetDateTime(d < 0 ? d - t : d + t);
}

void TDateTimePicker::SetKind(TDateTimeKind k) {
  if (k == kind_) return;
  kind_ = k;
  RecreateWnd();
}

void TDateTimePicker::SetFormat(const std::string& f) {
  format_ = f;
  if (handle_) CreateHandleDone();
}

void TDateTimePicker::SetShowCheckbox(bool v) {
  if (v == showCheckbox_) return;
  showCheckbox_ = v;
  RecreateWnd();
}

void TDateTimePicker::SetChecked(bool v) {
  checked_ = v;
  PushValue();
}

void TDateTimePicker::WndProc(TMessage& msg) {
  if (msg.Msg == CN_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
    if (hdr->code == static_cast<UINT>(DTN_DATETIMECHANGE) && !pushing_) {
      // Read the value from the control: Wine's notification does not always carry it.
      SYSTEMTIME st{};
      checked_ = SendMessageW(handle_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID;
      if (checked_) value_ = SystemTimeToDateTime(st);
      if (OnChange) OnChange(this);
    }
    return;
  }
  TWinControl::WndProc(msg);
}

}  // namespace gui

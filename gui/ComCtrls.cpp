#include "gui/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

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
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

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
  p.Style &= ~static_cast<DWORD>(WS_TABSTOP);
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
  if (msg.Msg == WM_SIZE) {
    TWinControl::WndProc(msg);
    InvalidateRect(handle_, nullptr, TRUE);
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

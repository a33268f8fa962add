#include "gui/StdCtrls.h"

#include <algorithm>
#include <compare>
#include <cstdint>
#include <map>

#include "gui/Forms.h"
#include "rtl/Utf.h"

namespace gui {

std::string SystemUpperCase(const std::string& s) {
  std::wstring w = rtl::W(s);
  if (!w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
  return rtl::U8(w);
}

std::string SystemLowerCase(const std::string& s) {
  std::wstring w = rtl::W(s);
  if (!w.empty()) CharLowerBuffW(w.data(), static_cast<DWORD>(w.size()));
  return rtl::U8(w);
}

// ---------------------------------------------------------------- TLabel

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  parentColor_ = true;
  width_ = 65;
  height_ = 17;
}

void TLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustBounds();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

UINT TLabel::DrawFlags() const {
  UINT f = DT_EXPANDTABS;
  if (WordWrap) f |= DT_WORDBREAK;
  if (!ShowAccelChar) f |= DT_NOPREFIX;
  if (Alignment == TAlignment::taCenter) f |= DT_CENTER;
  else if (Alignment == TAlignment::taRightJustify) f |= DT_RIGHT;
  return f;
}

namespace {

// Labels are measured in one memory DC kept for the program's life, with a picture to
// render the text into: a screen DC fetched and given back for every label, and a bitmap
// made for every measure, cost calls to the display server each time.
struct TMeasureSurface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  const uint32_t* bits = nullptr;
  int width = 0, height = 0;

  // The DC with a 32-bit picture of at least w x h pixels selected.
  bool Reserve(int w, int h) {
    if (!dc) dc = CreateCompatibleDC(nullptr);
    if (!dc) return false;
    if (bitmap && w <= width && h <= height) return true;
    w = std::max(w, width);
    h = std::max(h, height);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    HBITMAP b = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (!b || !p) {
      if (b) DeleteObject(b);
      return false;
    }
    SelectObject(dc, b);
    if (bitmap) DeleteObject(bitmap);
    bitmap = b;
    bits = static_cast<const uint32_t*>(p);
    width = w;
    height = h;
    return true;
  }
};

TMeasureSurface& MeasureSurface() {
  static TMeasureSurface s;  // never freed: the system takes it back with the process
  return s;
}

// The right end of the pixels the text really covers when drawn at x = 0. A font drawn
// with another face than the one asked for (a missing face under Wine) may ink a column
// or two beyond its measured advance: a label as wide as the advance would cut its last
// letter. The font is selected into the surface's DC.
int InkRight(TMeasureSurface& s, const std::wstring& text, UINT flags, const RECT& measured) {
  const int w = measured.right + 16, h = std::max<LONG>(measured.bottom, 1);
  if (!s.Reserve(w, h)) return measured.right;
  RECT all{0, 0, w, h};
  FillRect(s.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(s.dc, RGB(0, 0, 0));
  SetBkMode(s.dc, TRANSPARENT);
  DrawTextW(s.dc, text.c_str(), -1, &all, flags);
  GdiFlush();
  int right = 0;
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = s.bits + static_cast<size_t>(y) * static_cast<size_t>(s.width);
    for (int x = w - 1; x >= right; --x)
      if ((row[x] & 0xFFFFFF) != 0xFFFFFF) {
        right = x + 1;
        break;
      }
  }
  return std::max<int>(right, measured.right);
}

// What a label's size is measured for: its text and everything its font is made from.
struct TMeasure {
  std::string text, face;
  int height = 0, orientation = 0, wrapWidth = 0, pitch = 0;
  unsigned style = 0, flags = 0;
  uint8_t charset = 0;
  auto operator<=>(const TMeasure&) const = default;
};

// The size each measure came to, shared by every label: measuring takes a trip through
// the display's text rendering, and most measures repeat. A label is measured with its
// font before its caption is set, windows share their field names, and a label measures
// again on a colour change or when its parent hands down the same font. Labels whose text
// keeps changing would fill the table without end: it starts afresh once it is full.
std::map<TMeasure, SIZE>& MeasuredSizes() {
  static std::map<TMeasure, SIZE> sizes;  // never freed, like the measuring surface
  return sizes;
}
constexpr size_t kMaxMeasuredSizes = 4096;

SIZE Measure(const TMeasure& m, const TFont& font) {
  TMeasureSurface& s = MeasureSurface();
  if (!s.dc) s.dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(s.dc, font.Handle());
  std::wstring w = rtl::W(m.text);
  RECT r{0, 0, m.wrapWidth, 0};
  DrawTextW(s.dc, w.c_str(), -1, &r, m.flags | DT_CALCRECT);
  // A wrapped label keeps its width: only its height is measured.
  const int width = m.wrapWidth ? r.right : InkRight(s, w, m.flags & ~(DT_CENTER | DT_RIGHT), r);
  SelectObject(s.dc, old);
  return SIZE{width, r.bottom};
}

}  // namespace

void TLabel::AdjustBounds() {
  if (!autoSize_ || (ComponentState() & rtl::csLoading)) return;
  TMeasure m{text_.empty() ? std::string(" ") : text_, font_.Name(), font_.Height(), font_.Orientation(),
             WordWrap ? width_ : 0, static_cast<int>(font_.Pitch()), font_.Style(), DrawFlags(), font_.Charset()};
  SIZE size;
  if (font_.HandleAdopted()) {
    // A font taken over from the system may carry more than its attributes say (a weight
    // between normal and bold): measured on its own, never shared.
    size = Measure(m, font_);
  } else {
    auto& sizes = MeasuredSizes();
    auto it = sizes.find(m);
    if (it == sizes.end()) {
      if (sizes.size() >= kMaxMeasuredSizes) sizes.clear();
      SIZE measured = Measure(m, font_);
      it = sizes.emplace(std::move(m), measured).first;
    }
    size = it->second;
  }
  const int newW = WordWrap ? width_ : size.cx;
  int newL = left_;
  if (!WordWrap && Alignment == TAlignment::taRightJustify) newL = left_ + width_ - newW;
  SetBounds(newL, top_, newW, size.cy);
}

void TLabel::Paint() {
  HDC dc = canvas_.Handle();
  RECT r{0, 0, width_, height_};
  if (!Transparent) {
    HBRUSH b = CreateSolidBrush(ColorToRGB(color_));
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  std::wstring w = rtl::W(text_);
  HGDIOBJ old = SelectObject(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  UINT flags = DrawFlags();
  if (Layout != TTextLayout::tlTop) {
    RECT calc = r;
    DrawTextW(dc, w.c_str(), -1, &calc, flags | DT_CALCRECT);
    int h = calc.bottom - calc.top;
    int off = Layout == TTextLayout::tlCenter ? (height_ - h) / 2 : height_ - h;
    r.top += off;
  }
  if (!enabled_) {
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT r1 = r;
    OffsetRect(&r1, 1, 1);
    DrawTextW(dc, w.c_str(), -1, &r1, flags);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  } else {
    SetTextColor(dc, ColorToRGB(font_.Color()));
  }
  DrawTextW(dc, w.c_str(), -1, &r, flags);
  SelectObject(dc, old);
}

// ---------------------------------------------------------------- TEdit

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  width_ = 121;
  height_ = 21;
  color_ = clWindow;
  TabStop = true;
  cursor_ = crDefault;
}

void TEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"EDIT";
  p.Style |= ES_AUTOHSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
  if (readOnly_) p.Style |= ES_READONLY;
  if (charCase_ == TEditCharCase::ecUpperCase) p.Style |= ES_UPPERCASE;
  if (charCase_ == TEditCharCase::ecLowerCase) p.Style |= ES_LOWERCASE;
  if (passwordChar_) p.Style |= ES_PASSWORD;
  if (Alignment == TAlignment::taCenter) p.Style |= ES_CENTER;
  if (Alignment == TAlignment::taRightJustify) p.Style |= ES_RIGHT;
}

void TEdit::CreateHandleDone() {
  SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  if (passwordChar_) SendMessageW(handle_, EM_SETPASSWORDCHAR, passwordChar_, 0);
  lastText_ = text_;
}

void TEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (handle_) SendMessageW(handle_, EM_SETREADONLY, v, 0);
}

void TEdit::SetMaxLength(int v) {
  maxLength_ = v;
  if (handle_) SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

void TEdit::SetPasswordChar(wchar_t c) {
  passwordChar_ = c;
  if (handle_) {
    SendMessageW(handle_, EM_SETPASSWORDCHAR, c, 0);
    InvalidateRect(handle_, nullptr, TRUE);
  }
}

void TEdit::SetCharCase(TEditCharCase c) {
  charCase_ = c;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE) & ~static_cast<LONG_PTR>(ES_UPPERCASE | ES_LOWERCASE);
    if (c == TEditCharCase::ecUpperCase) style |= ES_UPPERCASE;
    if (c == TEditCharCase::ecLowerCase) style |= ES_LOWERCASE;
    SetWindowLongPtrW(handle_, GWL_STYLE, style);
  }
  SetTextBuf(GetText());
}

std::string TEdit::ApplyCharCase(const std::string& s) const {
  switch (charCase_) {
    case TEditCharCase::ecUpperCase: return SystemUpperCase(s);
    case TEditCharCase::ecLowerCase: return SystemLowerCase(s);
    default: return s;
  }
}

void TEdit::SetTextBuf(const std::string& s) {
  std::string t = ApplyCharCase(s);
  // The maximum length holds for text set by code as it does for typing.
  if (maxLength_ > 0) {
    std::wstring w = rtl::W(t);
    if (static_cast<int>(w.size()) > maxLength_) t = rtl::U8(w.substr(0, static_cast<size_t>(maxLength_)));
  }
  text_ = t;
  if (handle_ && GetText() != t) {
    settingText_ = true;
    SetWindowTextW(handle_, rtl::W(t).c_str());
    settingText_ = false;
  }
  CheckChanged();
}

void TEdit::CheckChanged() {
  std::string now = GetText();
  if (now == lastText_) return;
  lastText_ = now;
  Perform(CM_TEXTCHANGED);
  Change();
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

void TEdit::SelectAll() {
  if (handle_) SendMessageW(handle_, EM_SETSEL, 0, -1);
}

int TEdit::SelStart() const {
  DWORD start = 0;
  if (handle_) SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TEdit::SetSelStart(int v) {
  if (handle_) SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(v), v);
}

void TEdit::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (HIWORD(msg.WParam) == EN_CHANGE && !settingText_) CheckChanged();
      return;
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(msg.WParam);
      SetTextColor(dc, ColorToRGB(enabled_ ? font_.Color() : clGrayText));
      SetBkColor(dc, ColorToRGB(color_));
      msg.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return;
    }
    case WM_CHAR:
      // A single-line edit beeps at Enter and Escape; the program treats them as keys only.
      if (msg.WParam == VK_RETURN || msg.WParam == VK_ESCAPE) {
        wchar_t key = static_cast<wchar_t>(msg.WParam);
        DoKeyPress(key);
        return;
      }
      break;
    case WM_SETFOCUS:
      TWinControl::WndProc(msg);
      if (AutoSelect) SelectAll();
      return;
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------- TButton

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  width_ = 75;
  height_ = 25;
  TabStop = true;
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"BUTTON";
  p.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
  if (TCustomForm* f = ParentForm(); f && ModalResult != 0) f->ModalResult = ModalResult;
  TWinControl::Click();
}

void TButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (HIWORD(msg.WParam) == BN_CLICKED) Click();
      return;
    case WM_CHAR:
      if (msg.WParam == VK_RETURN) {
        Click();
        return;
      }
      if (msg.WParam == VK_ESCAPE) {
        if (TCustomForm* f = ParentForm(); f && (f->FormState() & fsModal)) f->ModalResult = mrCancel;
        return;
      }
      break;
    case WM_GETDLGCODE:
      TWinControl::WndProc(msg);
      msg.Result |= DLGC_WANTCHARS;
      return;
    case CM_DIALOGKEY:
      // Escape anywhere on the form clicks its cancel button.
      if (msg.WParam == VK_ESCAPE && Cancel && CanFocus()) {
        Click();
        msg.Result = 1;
      }
      return;
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

}  // namespace gui

namespace gui {

namespace {

// The window's text of a list of lines: joined with CR LF, the last line not ended, as a
// multi-line edit holds it.
std::string JoinLines(const rtl::TStringList& lines) {
  std::string t;
  for (int i = 0; i < lines.Count(); ++i) {
    if (i) t += "\r\n";
    t += lines[i];
  }
  return t;
}

// Colours of an edit-like control; a disabled one greys its text.
LRESULT EditColors(TMessage& msg, bool enabled, TFont& font, TColor color, HBRUSH brush) {
  HDC dc = reinterpret_cast<HDC>(msg.WParam);
  SetTextColor(dc, ColorToRGB(enabled ? font.Color() : clGrayText));
  SetBkColor(dc, ColorToRGB(color));
  return reinterpret_cast<LRESULT>(brush);
}

std::string ApplyCase(TEditCharCase c, const std::string& s) {
  switch (c) {
    case TEditCharCase::ecUpperCase: return SystemUpperCase(s);
    case TEditCharCase::ecLowerCase: return SystemLowerCase(s);
    default: return s;
  }
}

}  // namespace

// ---------------------------------------------------------------- TMemo

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
  width_ = 185;
  height_ = 89;
  color_ = clWindow;
  TabStop = true;
  lines_.OnChange = [this](TObject*) {
    if (!syncing_) LinesChanged();
  };
}

void TMemo::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"EDIT";
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  p.ExStyle |= WS_EX_CLIENTEDGE;
  if (!wordWrap_) p.Style |= ES_AUTOHSCROLL;
  if (readOnly_) p.Style |= ES_READONLY;
  bool vert = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
  bool horz = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
  if (vert) p.Style |= WS_VSCROLL;
  // A wrapping memo never scrolls sideways.
  if (horz && !wordWrap_) p.Style |= WS_HSCROLL;
}

void TMemo::CreateHandleDone() {
  SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  lastText_ = text_;
}

void TMemo::SetScrollBars(TScrollStyle s) {
  if (s == scrollBars_) return;
  scrollBars_ = s;
  RecreateWnd();
}

// Wrapping is a creation style of the edit window (ES_AUTOHSCROLL), so the window is made anew.
void TMemo::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  RecreateWnd();
}

void TMemo::SetReadOnly(bool v) {
  readOnly_ = v;
  if (handle_) SendMessageW(handle_, EM_SETREADONLY, v, 0);
}

void TMemo::SetMaxLength(int v) {
  maxLength_ = v;
  if (handle_) SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

// Code changed the lines: the window follows, and the change handler runs as for typing.
void TMemo::LinesChanged() {
  text_ = JoinLines(lines_);
  if (handle_) {
    syncing_ = true;
    SetWindowTextW(handle_, rtl::W(text_).c_str());
    syncing_ = false;
  }
  if (text_ == lastText_) return;
  lastText_ = text_;
  Perform(CM_TEXTCHANGED);
  if (OnChange) OnChange(this);
}

void TMemo::SetTextBuf(const std::string& s) {
  syncing_ = true;
  lines_.SetText(s);
  syncing_ = false;
  LinesChanged();
}

// The user typed: the lines follow the window.
void TMemo::PullFromWindow() {
  text_ = GetText();
  syncing_ = true;
  lines_.SetText(text_);
  syncing_ = false;
  if (text_ == lastText_) return;
  lastText_ = text_;
  Perform(CM_TEXTCHANGED);
  if (OnChange) OnChange(this);
}

void TMemo::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (HIWORD(msg.WParam) == EN_CHANGE && !syncing_) PullFromWindow();
      return;
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLOREDIT:
      msg.Result = EditColors(msg, enabled_, font_, color_, BackgroundBrush());
      return;
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------- TCheckBox

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  width_ = 97;
  height_ = 17;
  TabStop = true;
  parentColor_ = true;
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"BUTTON";
  // Not BS_AUTO3STATE: the state is ours, and a click goes through SetState.
  p.Style |= BS_3STATE;
}

namespace {
WPARAM CheckOf(TCheckBoxState s) {
  switch (s) {
    case TCheckBoxState::cbChecked: return BST_CHECKED;
    case TCheckBoxState::cbGrayed: return BST_INDETERMINATE;
    default: return BST_UNCHECKED;
  }
}
}  // namespace

void TCheckBox::CreateHandleDone() { SendMessageW(handle_, BM_SETCHECK, CheckOf(state_), 0); }

void TCheckBox::SetState(TCheckBoxState s) {
  if (s == state_) return;
  state_ = s;
  if (handle_) SendMessageW(handle_, BM_SETCHECK, CheckOf(s), 0);
  Click();
}

void TCheckBox::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    if (HIWORD(msg.WParam) == BN_CLICKED) {
      // The class library's toggle: unchecked -> grayed (when allowed) -> checked -> unchecked.
      switch (state_) {
        case TCheckBoxState::cbUnchecked:
          SetState(AllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
          break;
        case TCheckBoxState::cbChecked: SetState(TCheckBoxState::cbUnchecked); break;
        case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbChecked); break;
      }
    }
    return;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------- TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
  width_ = 113;
  height_ = 17;
  parentColor_ = true;
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"BUTTON";
  // Not BS_AUTORADIOBUTTON: Windows would group by WS_GROUP and window order; the
  // program's groups are the parent controls, and checking goes through SetChecked.
  p.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateHandleDone() { SendMessageW(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void TRadioButton::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  TabStop = v;  // only the checked button of a group takes the Tab key
  if (handle_) {
    SendMessageW(handle_, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE, v ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
  }
  if (!v) return;
  if (parent_)
    for (int i = 0; i < parent_->ControlCount(); ++i)
      if (auto* r = dynamic_cast<TRadioButton*>(parent_->Controls(i)); r && r != this) r->SetChecked(false);
  Click();
}

void TRadioButton::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    if (HIWORD(msg.WParam) == BN_CLICKED) SetChecked(true);
    else if (HIWORD(msg.WParam) == BN_DOUBLECLICKED) DblClick();
    return;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------- TComboBox

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  width_ = 145;
  height_ = 21;
  color_ = clWindow;
  TabStop = true;
  items_.OnChange = [this](TObject*) {
    if (!syncing_) ItemsChanged();
  };
}

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"COMBOBOX";
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
    case TComboBoxStyle::csDropDown: p.Style |= CBS_DROPDOWN; break;
    case TComboBoxStyle::csSimple: p.Style |= CBS_SIMPLE; break;
    case TComboBoxStyle::csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
    case TComboBoxStyle::csOwnerDrawFixed: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
    case TComboBoxStyle::csOwnerDrawVariable:
      p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
      break;
  }
  if (charCase_ == TEditCharCase::ecUpperCase) p.Style |= CBS_UPPERCASE;
  if (charCase_ == TEditCharCase::ecLowerCase) p.Style |= CBS_LOWERCASE;
  // A combo box's window height is its height when dropped down.
  p.Height = DroppedHeight();
}

int TComboBox::DroppedHeight() const {
  int item = 16;
  if (handle_) {
    LRESULT h = SendMessageW(handle_, CB_GETITEMHEIGHT, 0, 0);
    if (h > 0) item = static_cast<int>(h);
  }
  if (style_ == TComboBoxStyle::csSimple) return height_;
  int lines = std::max(1, std::min(DropDownCount, std::max(1, items_.Count())));
  return height_ + lines * item + 4;
}

void TComboBox::CreateHandleDone() {
  for (int i = 0; i < items_.Count(); ++i) SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rtl::W(items_[i]).c_str()));
  PushSelection();
  if (style_ != TComboBoxStyle::csSimple) {
    // Windows sizes the closed box to its font; keep that height.
    RECT r;
    GetWindowRect(handle_, &r);
    if (r.bottom > r.top) height_ = r.bottom - r.top;
  }
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
  // Bounds set again unchanged leave the window alone: resizing it to its dropped height
  // makes Windows size and repaint the closed box anew.
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  TWinControl::SetBounds(left, top, width, height);
  if (handle_) SetWindowPos(handle_, nullptr, left_, top_, width_, DroppedHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::PushSelection() {
  if (!handle_) return;
  syncing_ = true;
  SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index_), 0);
  if (index_ < 0 && !ListOnly()) SetWindowTextW(handle_, rtl::W(text_).c_str());
  syncing_ = false;
}

// The list changed from code: the window's list is rebuilt; a selection that no longer
// points at an item goes, and emptying the list empties a drop-down's text as Windows does.
void TComboBox::ItemsChanged() {
  if (index_ >= items_.Count()) index_ = -1;
  if (items_.Count() == 0) text_.clear();
  if (!handle_) return;
  syncing_ = true;
  if (!ListOnly()) text_ = TWinControl::GetText();
  SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < items_.Count(); ++i) SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rtl::W(items_[i]).c_str()));
  if (items_.Count() == 0) text_.clear();
  syncing_ = false;
  PushSelection();
  SetWindowPos(handle_, nullptr, 0, 0, width_, DroppedHeight(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void TComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_.Count()) i = -1;
  index_ = i;
  text_ = i >= 0 ? items_[i] : std::string();
  PushSelection();
}

void TComboBox::Clear() {
  items_.Clear();
  SetItemIndex(-1);
}

void TComboBox::SetStyle(TComboBoxStyle s) {
  if (s == style_) return;
  style_ = s;
  RecreateWnd();
}

void TComboBox::SetCharCase(TEditCharCase c) {
  if (c == charCase_) return;
  charCase_ = c;
  if (!ListOnly()) text_ = ApplyCase(c, GetText());
  RecreateWnd();
}

bool TComboBox::DroppedDown() const { return handle_ && SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0); }

std::string TComboBox::GetText() const {
  if (ListOnly()) return index_ >= 0 && index_ < items_.Count() ? items_[index_] : std::string();
  return TWinControl::GetText();
}

namespace {
int ExactIndex(const rtl::TStringList& items, const std::string& s) {
  for (int i = 0; i < items.Count(); ++i)
    if (items[i] == s) return i;
  return -1;
}
}  // namespace

// On a drop-down list the text chooses the item written exactly so (case counts: "SDR"
// and "SDRi" are different titles), or none; on a drop-down it is the edit's text. Code
// setting the text runs no change handler.
void TComboBox::SetTextBuf(const std::string& s) {
  if (ListOnly()) {
    SetItemIndex(ExactIndex(items_, s));
    return;
  }
  std::string t = ApplyCase(charCase_, s);
  index_ = ExactIndex(items_, t);
  text_ = t;
  if (handle_) {
    syncing_ = true;
    SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index_), 0);
    SetWindowTextW(handle_, rtl::W(t).c_str());
    syncing_ = false;
  }
  Perform(CM_TEXTCHANGED);
}

void TComboBox::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      if (syncing_) return;
      switch (HIWORD(msg.WParam)) {
        case CBN_SELCHANGE: {
          index_ = static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
          if (index_ >= items_.Count()) index_ = -1;
          if (index_ >= 0) text_ = items_[index_];
          if (OnChange) OnChange(this);
          break;
        }
        case CBN_EDITCHANGE:
          text_ = TWinControl::GetText();
          index_ = ExactIndex(items_, text_);
          if (OnChange) OnChange(this);
          break;
        default: break;
      }
      return;
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
      msg.Result = EditColors(msg, enabled_, font_, color_, BackgroundBrush());
      return;
    case CN_DRAWITEM:
      if (OwnerDrawn() && msg.LParam) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam));
        msg.Result = TRUE;
        return;
      }
      break;
    case CN_MEASUREITEM:
      if (style_ == TComboBoxStyle::csOwnerDrawVariable && msg.LParam) {
        // The edit part (item -1) keeps the height the system gives it.
        auto& mi = *reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam);
        const int index = static_cast<int>(static_cast<int32_t>(mi.itemID));
        if (OnMeasureItem && index >= 0 && index < items_.Count()) {
          int height = int(mi.itemHeight);
          OnMeasureItem(this, index, height);
          mi.itemHeight = UINT(std::max(height, 1));
        }
        msg.Result = TRUE;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

void TComboBox::DrawItem(const DRAWITEMSTRUCT& di) {
  const TRect r{di.rcItem.left, di.rcItem.top, di.rcItem.right, di.rcItem.bottom};
  const bool selected = (di.itemState & ODS_SELECTED) != 0;
  canvas_.Lock();
  canvas_.SetHandle(di.hDC);
  const int saved = SaveDC(di.hDC);
  SelectObject(di.hDC, font_.Handle());
  SetTextColor(di.hDC, ColorToRGB(selected ? clHighlightText : font_.Color()));
  SetBkColor(di.hDC, ColorToRGB(selected ? clHighlight : color_));
  const int index = static_cast<int>(static_cast<int32_t>(di.itemID));
  if (OnDrawItem && index >= 0 && index < items_.Count()) {
    OnDrawItem(this, index, r, di.itemState);
  } else {
    RECT rc = di.rcItem;
    ExtTextOutW(di.hDC, rc.left, rc.top, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    if (index >= 0 && index < items_.Count()) {
      rc.left += 2;
      std::wstring w = rtl::W(items_[index]);
      SetBkMode(di.hDC, TRANSPARENT);
      DrawTextW(di.hDC, w.c_str(), -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (di.itemState & ODS_FOCUS) DrawFocusRect(di.hDC, &di.rcItem);
  }
  canvas_.SetHandle(nullptr);
  RestoreDC(di.hDC, saved);
  canvas_.Unlock();
}

// ---------------------------------------------------------------- TGroupBox

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
  width_ = 185;
  height_ = 105;
  parentColor_ = true;
  ControlStyle |= csAcceptsControls;
}

void TGroupBox::Paint() {
  HDC dc = canvas_.Handle();
  HGDIOBJ old = SelectObject(dc, font_.Handle());
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  RECT frame{0, tm.tmHeight / 2, width_, height_};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (!text_.empty()) {
    std::wstring w = rtl::W(text_);
    RECT r{8, 0, width_ - 8, tm.tmHeight};
    DrawTextW(dc, w.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(color_));
    SetTextColor(dc, ColorToRGB(enabled_ ? font_.Color() : clGrayText));
    DrawTextW(dc, w.c_str(), -1, &r, DT_SINGLELINE | DT_NOCLIP);
  }
  SelectObject(dc, old);
}

// ---------------------------------------------------------------- TListBox

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
  width_ = 121;
  height_ = 97;
  color_ = clWindow;
  TabStop = true;
  items_.OnChange = [this](TObject*) { ItemsChanged(); };
}

void TListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"LISTBOX";
  p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateHandleDone() { ItemsChanged(); }

void TListBox::ItemsChanged() {
  if (!handle_) return;
  SendMessageW(handle_, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < items_.Count(); ++i)
    SendMessageW(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rtl::W(items_[i]).c_str()));
  if (itemIndex_ >= 0) SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

int TListBox::ItemIndex() const {
  return handle_ ? static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TListBox::SetItemIndex(int i) {
  itemIndex_ = i;
  if (handle_) SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

}  // namespace gui

namespace gui {

// ---------------------------------------------------------------- TScrollBar

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  width_ = 121;
  height_ = GetSystemMetrics(SM_CYHSCROLL);
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"SCROLLBAR";
  p.Style |= kind_ == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateHandleDone() { PushInfo(); }

void TScrollBar::SetKind(TScrollBarKind k) {
  if (k == kind_) return;
  kind_ = k;
  SetBounds(left_, top_, height_, width_);
  if (handle_) RecreateWnd();
}

// The last position the thumb can reach: with a page the thumb's far end stops at Max.
int TScrollBar::Clamped(int v) const {
  const int last = std::max(min_, max_ - std::max(pageSize_ - 1, 0));
  return std::clamp(v, min_, last);
}

void TScrollBar::SetPageSize(int v) {
  pageSize_ = std::clamp(v, 0, std::max(0, max_ - min_ + 1));
  position_ = Clamped(position_);
  PushInfo();
}

void TScrollBar::SetParams(int position, int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  pageSize_ = std::min(pageSize_, max_ - min_ + 1);
  const int before = position_;
  position_ = Clamped(position);
  PushInfo();
  if (position_ != before && OnChange) OnChange(this);
}

void TScrollBar::PushInfo() {
  if (!handle_) return;
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, min_, max_, static_cast<UINT>(pageSize_), position_, 0};
  SendMessageW(handle_, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
}

void TScrollBar::Scroll(int code) {
  int to = position_;
  switch (code) {
    case SB_LINEUP: to -= SmallChange; break;
    case SB_LINEDOWN: to += SmallChange; break;
    case SB_PAGEUP: to -= LargeChange; break;
    case SB_PAGEDOWN: to += LargeChange; break;
    case SB_TOP: to = min_; break;
    case SB_BOTTOM: to = max_; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 16 bits of the message cannot carry a long range: the control's own track position can.
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      SendMessageW(handle_, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
      to = si.nTrackPos;
      break;
    }
    default: return;
  }
  SetPosition(to);
}

void TScrollBar::WndProc(TMessage& msg) {
  if (msg.Msg == CN_HSCROLL || msg.Msg == CN_VSCROLL) {
    Scroll(LOWORD(msg.WParam));
    msg.Result = 0;
    return;
  }
  TWinControl::WndProc(msg);
}

}  // namespace gui

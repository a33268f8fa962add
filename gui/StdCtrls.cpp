#include "gui/StdCtrls.h"

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

void TLabel::AdjustBounds() {
  if (!autoSize_ || (ComponentState() & rtl::csLoading)) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font_.Handle());
  std::wstring w = rtl::W(text_.empty() ? std::string(" ") : text_);
  RECT r{0, 0, WordWrap ? width_ : 0, 0};
  DrawTextW(dc, w.c_str(), -1, &r, DrawFlags() | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int newW = WordWrap ? width_ : r.right;
  int newL = left_;
  if (!WordWrap && Alignment == TAlignment::taRightJustify) newL = left_ + width_ - newW;
  SetBounds(newL, top_, newW, r.bottom);
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
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

}  // namespace gui

#include "gui/HintWindow.h"

#include <algorithm>

#include "gui/Forms.h"

namespace gui {

namespace {

// Text flags shared by measuring and painting, so the measured box is the painted one.
constexpr unsigned kHintTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
// The text sits this far inside the client area at the left and the top; the border
// and the margins together add this much to the text's width and height.
constexpr int kTextInset = 2;
constexpr int kExtraWidth = 6;
constexpr int kExtraHeight = 2;
constexpr int kExtraBottom = 4;

// Hints are written in the system's status font.
void AssignHintFont(TFont& font) {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, m.cbSize, &m, 0)) return;
  if (HFONT h = CreateFontIndirectW(&m.lfStatusFont)) font.SetHandle(h);
}

}  // namespace

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  visible_ = false;
  color_ = clInfoBk;
  parentFont_ = false;
  AssignHintFont(font_);
  font_.SetColor(clInfoText);
  canvas_.Font().Assign(&font_);
}

void THintWindow::SetParentWindow(HWND owner) {
  if (owner == parentWindow_) return;
  DestroyHandle();
  parentWindow_ = owner;
}

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW;
  p.ClassStyle |= CS_SAVEBITS | CS_DROPSHADOW;
  p.WndParent = parentWindow_ ? parentWindow_ : Application ? Application->Handle() : nullptr;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void*) {
  TRect r{0, 0, maxWidth, 0};
  HDC screen = GetDC(nullptr);
  canvas_.SetHandle(screen);
  canvas_.Font().Assign(&font_);
  canvas_.TextRect(r, hint, kHintTextFlags | DT_CALCRECT);
  canvas_.SetHandle(nullptr);
  ReleaseDC(nullptr, screen);
  r.Right += kExtraWidth;
  r.Bottom += kExtraHeight;
  return r;
}

void THintWindow::ActivateHint(TRect rect, const std::string& hint) {
  SetText(hint);
  // The measured rectangle ends at the last line's cell; the text, set 2 pixels down,
  // needs that much more below it.
  rect.Bottom += kExtraBottom;
  // A hint that would reach past its monitor is moved back onto it, the top-left corner
  // winning when it is larger than the monitor.
  RECT want{rect.Left, rect.Top, rect.Right, rect.Bottom};
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (GetMonitorInfoW(MonitorFromRect(&want, MONITOR_DEFAULTTONEAREST), &mi)) {
    const RECT& m = mi.rcMonitor;
    int w = rect.Width(), h = rect.Height();
    rect.Left = std::max<int>(std::min<int>(rect.Left, m.right - w), m.left);
    rect.Top = std::max<int>(std::min<int>(rect.Top, m.bottom - h), m.top);
    rect.Right = rect.Left + w;
    rect.Bottom = rect.Top + h;
  }
  SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  SetWindowPos(Handle(), HWND_TOPMOST, left_, top_, width_, height_, SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  visible_ = true;
  ShowWindow(handle_, SW_SHOWNOACTIVATE);
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  DestroyHandle();
  visible_ = false;
}

// The mouse goes through to whatever lies under the hint.
void THintWindow::WMNCHitTest(TMessage& msg) { msg.Result = HTTRANSPARENT; }

void THintWindow::Paint() {
  TRect r = ClientRect();
  r.Left += kTextInset;
  r.Top += kTextInset;
  canvas_.Font().Assign(&font_);
  canvas_.Brush().SetStyle(bsClear);
  canvas_.TextRect(r, Text(), kHintTextFlags);
}

}  // namespace gui

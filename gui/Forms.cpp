#include "gui/Forms.h"

#include <commctrl.h>

#include <algorithm>

#include "gui/Dialogs.h"
#include "gui/Menus.h"
#include "gui/Threads.h"
#include "rtl/FormatNumber.h"
#include "rtl/Utf.h"

namespace gui {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

void InitApplication() {
  RegisterControlProperties();
  if (!Application) {
    Application = new TApplication(nullptr);
    Application->Initialize();
  }
  if (!Screen) Screen = new TScreen(nullptr);
}

void DoneApplication() {
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
}

TBusyCursor::TBusyCursor() : saved_(Screen ? Screen->Cursor() : crDefault) {
  if (Screen) Screen->SetCursor(crHourGlass);
}

TBusyCursor::~TBusyCursor() {
  if (Screen) Screen->SetCursor(saved_);
}

// ---------------------------------------------------------------- TCustomForm

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  visible_ = false;
  color_ = clBtnFace;
  parentFont_ = false;
  font_.SetName("Tahoma");
  font_.SetHeight(-11);
  if (Screen) Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  MarkDestroying();
  if (Screen) {
    auto& v = Screen->forms_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    if (Screen->activeForm_ == this) Screen->activeForm_ = nullptr;
  }
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
  DestroyComponents();
  DestroyHandle();
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN;
  p.ExStyle = WS_EX_CONTROLPARENT;
  switch (BorderStyle) {
    case TFormBorderStyle::bsNone: p.Style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: p.Style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case TFormBorderStyle::bsToolWindow:
      p.Style |= WS_CAPTION;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (BorderStyle != TFormBorderStyle::bsNone && (BorderIcons & biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    if (BorderStyle == TFormBorderStyle::bsSingle || BorderStyle == TFormBorderStyle::bsSizeable) {
      if (BorderIcons & biMinimize) p.Style |= WS_MINIMIZEBOX;
      if (BorderIcons & biMaximize) p.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (FormStyle == TFormStyle::fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  p.WndParent = Application ? Application->Handle() : nullptr;
  if (clientWidth_ >= 0) {
    RECT r{0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectEx(&r, p.Style, menu_ != nullptr, p.ExStyle);
    p.Width = r.right - r.left;
    p.Height = r.bottom - r.top;
    width_ = p.Width;
    height_ = p.Height;
  }
}

void TCustomForm::SetAlphaBlend(bool on) {
  if (on == alphaBlend_) return;
  alphaBlend_ = on;
  ApplyAlphaBlend();
}

void TCustomForm::SetAlphaBlendValue(uint8_t alpha) {
  if (alpha == alphaBlendValue_) return;
  alphaBlendValue_ = alpha;
  ApplyAlphaBlend();
}

void TCustomForm::ApplyAlphaBlend() {
  if (!HandleAllocated()) return;
  const LONG_PTR ex = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
  if (alphaBlend_) {
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(handle_, 0, alphaBlendValue_, LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
    RedrawWindow(handle_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TCustomForm::WMGetMinMaxInfo(TMessage& msg) {
  Inherited(msg);
  auto* info = reinterpret_cast<MINMAXINFO*>(msg.LParam);
  if (!info) return;
  const TSizeConstraints& c = Constraints;
  if (c.MinWidth > 0) info->ptMinTrackSize.x = c.MinWidth;
  if (c.MinHeight > 0) info->ptMinTrackSize.y = c.MinHeight;
  if (c.MaxWidth > 0) info->ptMaxTrackSize.x = info->ptMaxSize.x = c.MaxWidth;
  if (c.MaxHeight > 0) info->ptMaxTrackSize.y = info->ptMaxSize.y = c.MaxHeight;
}

void TCustomForm::CreateHandleDone() {
  ApplyAlphaBlend();
  if (menu_) {
    ::SetMenu(handle_, menu_->Handle());
    menu_->WindowHandle = handle_;
  }
  // The frame the system actually drew decides the outer size for a given client size.
  if (clientWidth_ >= 0) {
    RECT wr, cr;
    GetWindowRect(handle_, &wr);
    GetClientRect(handle_, &cr);
    int w = clientWidth_ + (wr.right - wr.left) - cr.right;
    int h = clientHeight_ + (wr.bottom - wr.top) - cr.bottom;
    if (w != wr.right - wr.left || h != wr.bottom - wr.top) {
      width_ = w;
      height_ = h;
      SetWindowPos(handle_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

void TCustomForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  if (handle_) {
    RECT wr, cr;
    GetWindowRect(handle_, &wr);
    GetClientRect(handle_, &cr);
    SetBounds(left_, top_, width + (wr.right - wr.left) - cr.right, height + (wr.bottom - wr.top) - cr.bottom);
  } else {
    TCreateParams p;
    CreateParams(p);
  }
}

TRect TCustomForm::ClientRect() const {
  if (handle_) return TWinControl::ClientRect();
  if (clientWidth_ >= 0) return Rect(0, 0, clientWidth_, clientHeight_);
  return TWinControl::ClientRect();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  if (menu) menu->WindowHandle = handle_;
  if (handle_) ::SetMenu(handle_, menu ? menu->Handle() : nullptr);
}

void TCustomForm::SetTextBuf(const std::string& s) {
  text_ = s;
  if (handle_) SetWindowTextW(handle_, rtl::W(s).c_str());
  Perform(CM_TEXTCHANGED);
}

void TCustomForm::SetActiveControl(TWinControl* c) { activeControl_ = c; }

void TCustomForm::SelectNext(bool forward, HWND from) {
  HWND focus = from ? from : GetFocus();
  HWND next = GetNextDlgTabItem(Handle(), focus && IsChild(handle_, focus) ? focus : nullptr, !forward);
  if (next) {
    ::SetFocus(next);
    if (auto* c = FromHandle(next)) activeControl_ = c;
    // Moving into an edit selects its text, as dialog navigation does.
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
      SendMessageW(next, EM_SETSEL, 0, -1);
  }
}

void TCustomForm::PlaceOnScreen() {
  if (Position == TPosition::poScreenCenter || Position == TPosition::poDesktopCenter ||
      Position == TPosition::poMainFormCenter || Position == TPosition::poOwnerFormCenter) {
    RECT wr;
    GetWindowRect(Handle(), &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    left_ = std::max(0, x);
    top_ = std::max(0, y);
    SetWindowPos(handle_, nullptr, left_, top_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TCustomForm::VisibleChanged() {
  if (!handle_ && !visible_) return;
  if (visible_) HandleNeeded();
  if (visible_ == showing_) return;
  showing_ = visible_;
  // Showing() answers the new state while the message is under way: a hook on the form
  // sees it before the window comes or goes, and again after the form's own handling.
  const bool outer = showingChanging_;
  showingChanging_ = true;
  try {
    Perform(CM_SHOWINGCHANGED);
  } catch (...) {
    showingChanging_ = outer;
    throw;
  }
  showingChanging_ = outer;
}

// A window that is gone shows nothing: the next Show puts the new one on screen.
void TCustomForm::DestroyWnd() {
  showing_ = false;
  formState_ &= ~fsVisible;
  TWinControl::DestroyWnd();
}

void TCustomForm::CMShowingChanged(TMessage&) {
  if (!handle_) return;
  const unsigned outer = formState_ & fsShowing;
  formState_ |= fsShowing;
  try {
    DoShowing();
  } catch (...) {
    formState_ = (formState_ & ~fsShowing) | outer;
    throw;
  }
  formState_ = (formState_ & ~fsShowing) | outer;
}

void TCustomForm::RunShowingEvent(const TNotifyEvent& event) {
  if (!event) return;
  // The form is half way on or off the screen, with the hooks of the message around
  // this call: an error of the handler is reported and the showing goes on.
  try {
    event(this);
  } catch (...) {
    if (Application) Application->HandleException(std::current_exception());
  }
}

void TCustomForm::DoShowing() {
  if (showing_) {
    PlaceOnScreen();
    ShowWindow(handle_, WindowState == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    SetForegroundWindow(handle_);
    SetActiveWindow(handle_);
    formState_ |= fsVisible;
    RunShowingEvent(OnShow);
    if (!handle_) return;
    // Focus the first control that takes it, or the remembered one.
    if (activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus())
      ::SetFocus(activeControl_->Handle());
    else if (HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE))
      ::SetFocus(first);
    else
      ::SetFocus(handle_);
  } else {
    formState_ &= ~fsVisible;
    RunShowingEvent(OnHide);
    if (handle_) ShowWindow(handle_, SW_HIDE);
  }
}

bool TCustomForm::Showing() const {
  if (showingChanging_) return showing_ && handle_;
  return visible_ && handle_ && IsWindowVisible(handle_);
}

bool TCustomForm::Active() const { return handle_ && GetActiveWindow() == handle_; }

void TCustomForm::Show() {
  SetVisible(true);
  BringWindowToTop(Handle());
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::ActivateShown() {
  // Showing a form is not inside any handler of its own: an error of its activation
  // goes to the exception box and the form stays up.
  try {
    Activate();
  } catch (...) {
    if (Application) Application->HandleException(std::current_exception());
  }
}

namespace {
struct DisabledWindows {
  HWND keep;
  std::vector<HWND> list;
};
BOOL CALLBACK DisableOne(HWND h, LPARAM l) {
  auto* d = reinterpret_cast<DisabledWindows*>(l);
  if (h != d->keep && IsWindowVisible(h) && IsWindowEnabled(h)) {
    d->list.push_back(h);
    EnableWindow(h, FALSE);
  }
  return TRUE;
}
}  // namespace

int TCustomForm::ShowModal() {
  if (visible_ || (formState_ & fsModal))
    throw rtl::EInvalidOperation("Cannot make a visible window modal");
  if (GetCapture()) ReleaseCapture();
  HWND previous = GetActiveWindow();
  HandleNeeded();
  DisabledWindows disabled{handle_, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
  formState_ |= fsModal;
  ModalResult = mrNone;
  int result = mrCancel;
  try {
    Show();
    ActivateShown();
    for (;;) {
      if (Application->Terminated()) {
        ModalResult = mrCancel;
        break;
      }
      if (ModalResult != mrNone) {
        // Closing asks CloseQuery and OnClose; a refusal keeps the form up. So does an
        // error of either handler: it is reported like any handler's and the form stays.
        TCloseAction action = TCloseAction::caHide;
        bool closes = false;
        try {
          if (CloseQuery()) {
            DoClose(action);
            closes = action != TCloseAction::caNone;
          }
        } catch (...) {
          Application->HandleException(std::current_exception());
        }
        if (closes) break;
        ModalResult = mrNone;
        continue;
      }
      Application->HandleMessage();
    }
    result = ModalResult;
  } catch (...) {
    formState_ &= ~fsModal;
    for (HWND h : disabled.list) EnableWindow(h, TRUE);
    SetVisible(false);
    throw;
  }
  for (HWND h : disabled.list) EnableWindow(h, TRUE);
  SetVisible(false);
  formState_ &= ~fsModal;
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  return result;
}

bool TCustomForm::CloseQuery() {
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(this, can);
  return can;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
  if (formState_ & fsModal) {
    ModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  SetVisible(false);
}

void TCustomForm::WMClose(TMessage&) { Close(); }

// Menu commands go to the menu; other commands are a child's notification.
void TCustomForm::WMCommand(TMessage& msg) {
  if (msg.LParam == 0 && menu_ && HIWORD(msg.WParam) == 0 && menu_->DispatchCommand(LOWORD(msg.WParam))) return;
  Inherited(msg);
}

void TCustomForm::WMInitMenuPopup(TMessage& msg) {
  if (menu_ && menu_->DispatchPopup(reinterpret_cast<HMENU>(msg.WParam))) return;
  Inherited(msg);
}

// The owner-drawn items of the form's main menu are measured and painted by the menu.
void TCustomForm::WMMenuItemPaint(TMessage& msg) {
  if (menu_ && msg.WParam == 0) {
    const bool done = msg.Msg == WM_MEASUREITEM
                          ? menu_->DispatchMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam))
                          : menu_->DispatchDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(msg.LParam));
    if (done) {
      msg.Result = TRUE;
      return;
    }
  }
  Inherited(msg);
}

// The active control gets the focus back when the form is activated, and is remembered
// when the form is left.
void TCustomForm::WMActivate(TMessage& msg) {
  if (LOWORD(msg.WParam) != WA_INACTIVE) {
    if (Screen) Screen->activeForm_ = this;
    if (activeControl_ && activeControl_->HandleAllocated() && IsWindowEnabled(activeControl_->Handle())) {
      ::SetFocus(activeControl_->Handle());
      msg.Result = 0;
      return;
    }
  } else if (HWND f = GetFocus(); f && IsChild(handle_, f)) {
    if (auto* c = FromHandle(f)) activeControl_ = c;
  }
  Inherited(msg);
}

void TCustomForm::WMWindowPosChanged(TMessage& msg) {
  auto* wp = reinterpret_cast<WINDOWPOS*>(msg.LParam);
  if (!(wp->flags & SWP_NOMOVE)) {
    left_ = wp->x;
    top_ = wp->y;
  }
  if (!(wp->flags & SWP_NOSIZE)) {
    width_ = wp->cx;
    height_ = wp->cy;
  }
  Inherited(msg);
}

// ---------------------------------------------------------------- TFrame

TFrame::TFrame(TComponent* owner) : TCustomControl(owner) {
  width_ = 320;
  height_ = 240;
  parentColor_ = true;
  ControlStyle |= csAcceptsControls;
}

// ---------------------------------------------------------------- TApplication

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
  MarkDestroying();
  DestroyComponents();
  if (handle_) DestroyWindow(handle_);
}

LRESULT CALLBACK TApplication::AppWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  // Threads post WM_NULL here when they hand work over: a message loop that is not ours
  // (a system dialog's) runs it too.
  if (m == WM_NULL) CheckSynchronize();
  if (Application && Application->handle_ == h && !Application->hooks_.empty()) {
    TMessage msg{m, w, l, 0};
    bool handled = false;
    try {
      handled = Application->CallHooks(msg);
    } catch (...) {
      Application->HandleException(std::current_exception());
    }
    if (handled) return msg.Result;
  }
  return DefWindowProcW(h, m, w, l);
}

bool TApplication::CallHooks(TMessage& msg) {
  // A hook may unhook itself or others while it runs: walk the ids as they were.
  std::vector<int> ids;
  for (const auto& e : hooks_) ids.push_back(e.first);
  for (int id : ids) {
    auto it = std::find_if(hooks_.begin(), hooks_.end(), [id](const auto& e) { return e.first == id; });
    if (it == hooks_.end()) continue;
    TWindowHook hook = it->second;  // a copy: the hook may remove its own entry
    if (hook(msg)) return true;
  }
  return false;
}

int TApplication::HookMainWindow(TWindowHook hook) {
  hooks_.emplace_back(++lastHookId_, std::move(hook));
  return lastHookId_;
}

void TApplication::UnhookMainWindow(int id) {
  std::erase_if(hooks_, [id](const auto& e) { return e.first == id; });
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                           ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  // Amounts show the user's own separators.
  wchar_t buf[8];
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buf, 8) > 1)
    rtl::DefaultNumberFormat().thousandSeparator = static_cast<char>(buf[0] < 128 ? buf[0] : ',');
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8) > 1)
    rtl::DefaultNumberFormat().decimalSeparator = static_cast<char>(buf[0] < 128 ? buf[0] : '.');
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = AppWndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TApplication";
  RegisterClassExW(&wc);
  handle_ = CreateWindowExW(0, L"TApplication", rtl::W(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void TApplication::SetTitle(const std::string& t) {
  title_ = t;
  if (handle_) SetWindowTextW(handle_, rtl::W(t).c_str());
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.wParam != VK_TAB && msg.wParam != VK_ESCAPE)) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  HWND h = msg.hwnd;
  // A multi-line edit that takes Tab keeps it; an open drop-down list closes itself on
  // Escape.
  LRESULT code = SendMessageW(h, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | (msg.wParam == VK_TAB ? DLGC_WANTTAB : 0))) return false;
  HWND top = GetAncestor(h, GA_ROOT);
  auto* form = dynamic_cast<TCustomForm*>(TWinControl::FromHandle(top));
  if (!form) return false;
  if (msg.wParam == VK_ESCAPE) return form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0) != 0;
  form->SelectNext(GetKeyState(VK_SHIFT) >= 0, h);
  return true;
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void TApplication::HandleMessage() {
  if (CheckSynchronize() || terminated_) return;
  // Messages or work handed over by a thread, whichever comes first. The wait returns at
  // once while messages are queued, so the loop never asks an empty queue: every such
  // question costs calls into the system (under Wine several), a hundred times a second
  // with a 10 ms timer running.
  HANDLE sync = SyncEvent();
  MsgWaitForMultipleObjectsEx(1, &sync, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  MSG msg;
  ProcessMessage(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg) || CheckSynchronize()) {
  }
}

void TApplication::ShowMainForm() {
  if (!mainForm_) return;
  mainForm_->Show();
  mainForm_->ActivateShown();
}

void TApplication::Run() {
  ShowMainForm();
  while (!terminated_) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(std::current_exception());
    }
  }
}

void TApplication::Minimize() {
  if (!handle_ || IsIconic(handle_)) return;
  // The forms the application window owns go with it and come back with it.
  ShowOwnedPopups(handle_, FALSE);
  ShowWindow(handle_, SW_SHOWMINNOACTIVE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (!handle_ || !IsIconic(handle_)) return;
  // The application window itself stays out of sight as it was before.
  ShowWindow(handle_, SW_RESTORE);
  ShowWindow(handle_, SW_HIDE);
  ShowOwnedPopups(handle_, TRUE);
  if (mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->Handle()))
    SetForegroundWindow(mainForm_->Handle());
  if (OnRestore) OnRestore(this);
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
  terminated_ = true;
}

void TApplication::HandleException(const std::exception_ptr& e) {
  // Called from the boundaries of window procedures and timers: nothing may leave here,
  // not even an error of the box that reports the first one.
  try {
    if (OnException) {
      OnException(this, e);
      return;
    }
    std::string text;
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& ex) {
      text = ex.what();
    } catch (...) {
      text = "Unknown error";
    }
    ShowException(text);
  } catch (...) {
  }
}

void TApplication::ShowException(const std::string& message) { ShowExceptionBox(message); }

// ---------------------------------------------------------------- TScreen

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

std::vector<TMonitor> TScreen::Monitors() const {
  std::vector<TMonitor> list;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR h, HDC, LPRECT, LPARAM l) -> BOOL {
        MONITORINFO mi{sizeof mi};
        if (GetMonitorInfoW(h, &mi)) {
          auto r = [](const RECT& x) { return Rect(x.left, x.top, x.right, x.bottom); };
          reinterpret_cast<std::vector<TMonitor>*>(l)->push_back(
              {h, r(mi.rcMonitor), r(mi.rcWork), (mi.dwFlags & MONITORINFOF_PRIMARY) != 0});
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&list));
  return list;
}

HCURSOR TScreen::Cursors(TCursor c) {
  auto it = cursors_.find(c);
  if (it != cursors_.end()) return it->second;
  LPCWSTR id = reinterpret_cast<LPCWSTR>(IDC_ARROW);
  switch (c) {
    case crHandPoint: id = reinterpret_cast<LPCWSTR>(IDC_HAND); break;
    case crHourGlass: id = reinterpret_cast<LPCWSTR>(IDC_WAIT); break;
    case crIBeam: id = reinterpret_cast<LPCWSTR>(IDC_IBEAM); break;
    default: break;
  }
  HCURSOR h = LoadCursorW(nullptr, id);
  cursors_[c] = h;
  return h;
}

void TScreen::SetCursor(TCursor c) {
  if (c == cursor_) return;
  cursor_ = c;
  if (c != crDefault) {
    ::SetCursor(Cursors(c));
  } else {
    // Let the window under the mouse choose again.
    POINT p;
    GetCursorPos(&p);
    SetCursorPos(p.x, p.y);
  }
}

int TScreen::PixelsPerInch() {
  HDC dc = GetDC(nullptr);
  int v = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return v;
}

}  // namespace gui

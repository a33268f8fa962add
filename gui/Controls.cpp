#include "gui/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <map>

#include "gui/Forms.h"
#include "gui/Menus.h"
#include "rtl/Utf.h"

namespace gui {

namespace {

const wchar_t kControlProp[] = L"KORVAN.Control";
// The control whose window CreateWindowEx is making: the first message to a new window
// binds it, before WM_NCCREATE for child windows and WM_GETMINMAXINFO for top-level ones.
thread_local TWinControl* g_creating = nullptr;
std::map<std::wstring, WNDPROC>& RegisteredClasses() {
  static std::map<std::wstring, WNDPROC> m;
  return m;
}
UINT_PTR g_nextControlId = 100;

}  // namespace

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  return s;
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  MarkDestroying();
  SetPopupMenu(nullptr);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, rtl::TOperation op) {
  TComponent::Notification(component, op);
  if (op == rtl::TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

bool TControl::ShowContextMenu(TMessage& msg) {
  if (!popupMenu_ || (ComponentState() & rtl::csDesigning)) return false;
  TPoint at{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
  if (at.X == -1 && at.Y == -1) at = ClientToScreen({0, 0});
  popupMenu_->Popup(at.X, at.Y);
  msg.Result = 1;
  return true;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw rtl::EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  Invalidate();
  BoundsChanged();
  RequestAlign();
  if (OnResize) OnResize(this);
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TControl* c = this;
  while (c) {
    if (auto* w = dynamic_cast<const TWinControl*>(c); w && w->HandleAllocated()) {
      POINT pt{p.X, p.Y};
      ::ClientToScreen(const_cast<TWinControl*>(w)->Handle(), &pt);
      return {pt.x, pt.y};
    }
    p.X += c->left_;
    p.Y += c->top_;
    c = c->parent_;
  }
  return p;
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint origin = ClientToScreen({0, 0});
  return {p.X - origin.X, p.Y - origin.Y};
}

void TControl::SetAlign(TAlign a) {
  if (a == align_) return;
  align_ = a;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_ && align_ != TAlign::alNone) parent_->AlignControls();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  // The area a windowless control leaves must be painted again by its parent; once
  // hidden it no longer invalidates anything.
  if (!v) Invalidate();
  visible_ = v;
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  if (parent_ && align_ != TAlign::alNone) parent_->AlignControls();
}

void TControl::VisibleChanged() { Invalidate(); }

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Invalidate();
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetTextBuf(const std::string& s) {
  if (s == text_) return;
  text_ = s;
  Invalidate();
  Perform(CM_TEXTCHANGED);
  DoTextChanged();
}

void TControl::SetColor(TColor c) {
  parentColor_ = false;
  if (c == color_) return;
  color_ = c;
  ColorChanged();
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_) {
    color_ = parent_->Color();
    ColorChanged();
  }
}

std::vector<TControl*>& TControl::SiblingsOf(TWinControl* parent) { return parent->controls_; }

void TControl::ColorChanged() {
  Invalidate();
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_) {
    font_.Assign(&parent_->Font());
    parentFont_ = true;
  }
}

void TControl::FontChanged() {
  Invalidate();
  Perform(CM_FONTCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated() && visible_) {
    RECT r{left_, top_, left_ + width_, top_ + height_};
    InvalidateRect(parent_->Handle(), &r, TRUE);
  }
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& v = SiblingsOf(parent_);
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      bool down = msg.Msg == WM_LBUTTONDOWN || msg.Msg == WM_RBUTTONDOWN;
      bool left = msg.Msg == WM_LBUTTONDOWN || msg.Msg == WM_LBUTTONUP;
      TMouseButton b = left ? TMouseButton::mbLeft : TMouseButton::mbRight;
      if (!enabled_) break;
      // A standard control reports its own clicks through its parent.
      auto* win = dynamic_cast<TWinControl*>(this);
      bool synthesize = !win || !win->IsStandardControl();
      if (down) {
        if (left) ControlState |= csClicked | csLButtonDown;
        if (OnMouseDown) OnMouseDown(this, b, KeyboardShiftState(), msg.XPos(), msg.YPos());
      } else {
        bool clicked = left && (ControlState & csClicked);
        if (left) ControlState &= ~(csClicked | csLButtonDown);
        if (OnMouseUp) OnMouseUp(this, b, KeyboardShiftState(), msg.XPos(), msg.YPos());
        if (clicked && synthesize && (ControlStyle & csClickEvents) &&
            Rect(0, 0, width_, height_).Contains({msg.XPos(), msg.YPos()}))
          Click();
      }
      break;
    }
    case WM_LBUTTONDBLCLK:
      if (enabled_ && (ControlStyle & csDoubleClicks)) DblClick();
      break;
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(this, KeyboardShiftState(), msg.XPos(), msg.YPos());
      break;
    case CM_HITTEST:
      msg.Result = HTCLIENT;
      break;
    case WM_CONTEXTMENU:
      // Our menu instead of the window's own (an edit's, say); without one the message goes
      // on, and the system hands it to the parent.
      if (ShowContextMenu(msg)) return;
      break;
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      break;
    case CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave(this);
      break;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        font_.Assign(&parent_->Font());
        parentFont_ = true;
      }
      break;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_) {
        color_ = parent_->Color();
        ColorChanged();
      }
      break;
    default:
      break;
  }
  Dispatch(msg);
}

void TControl::Dispatch(TMessage& msg) {
  if (!DispatchMessageMap(msg)) DefaultHandler(msg);
}

void TControl::DefaultHandler(TMessage&) {}

// ---------------------------------------------------------------- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::WndProc(TMessage& msg) {
  if (msg.Msg == WM_PAINT && msg.WParam) {
    canvas_.SetHandle(reinterpret_cast<HDC>(msg.WParam));
    try {
      Paint();
    } catch (...) {
      canvas_.SetHandle(nullptr);
      throw;
    }
    canvas_.SetHandle(nullptr);
    return;
  }
  TControl::WndProc(msg);
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  MarkDestroying();
  // Owned components go first, while this control is still whole; controls of other
  // owners that sit on it are only detached.
  DestroyComponents();
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  DestroyHandle();
  if (brush_) DeleteObject(brush_);
}

TWinControl* TWinControl::FromHandle(HWND h) {
  return h ? static_cast<TWinControl*>(GetPropW(h, kControlProp)) : nullptr;
}

LRESULT CALLBACK TWinControl::EntryWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  TWinControl* c = FromHandle(h);
  if (!c && g_creating) {
    c = g_creating;
    g_creating = nullptr;
    c->handle_ = h;
    SetPropW(h, kControlProp, c);
  }
  if (!c) {
    // A window of one of our classes whose control is gone: let the class's original
    // procedure finish with it.
    wchar_t cls[256];
    GetClassNameW(h, cls, 256);
    auto it = RegisteredClasses().find(cls);
    return CallWindowProcW(it != RegisteredClasses().end() ? it->second : DefWindowProcW, h, m, w, l);
  }
  TMessage msg{m, w, l, 0};
  try {
    c->WindowProc(msg);
  } catch (...) {
    if (Application) Application->HandleException(std::current_exception());
  }
  if (m == WM_NCDESTROY) {
    RemovePropW(h, kControlProp);
    c->handle_ = nullptr;
  }
  return msg.Result;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = rtl::W(text_);
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (visible_) p.Style |= WS_VISIBLE;
  if (!enabled_) p.Style |= WS_DISABLED;
  if (TabStop) p.Style |= WS_TABSTOP;
  // Only containers take part in dialog navigation as parents: a plain control marked
  // so is searched for children instead of being focused by the Tab key.
  p.ExStyle = (ControlStyle & csAcceptsControls) ? WS_EX_CONTROLPARENT : 0;
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
  p.WndParent = parent_ ? parent_->Handle() : nullptr;
  p.WinClassName = rtl::W(ClassName());
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  auto& reg = RegisteredClasses();
  auto it = reg.find(p.WinClassName);
  if (it == reg.end()) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    WNDPROC base = DefWindowProcW;
    if (!p.BaseClassName.empty()) {
      // Superclass the standard control: same class data, our entry procedure first.
      if (!GetClassInfoExW(nullptr, p.BaseClassName.c_str(), &wc))
        throw rtl::Exception(rtl::Format("Window class %s is not available", rtl::U8(p.BaseClassName).c_str()));
      base = wc.lpfnWndProc;
      wc.cbSize = sizeof wc;
    } else {
      wc.style = p.ClassStyle;
      wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    }
    wc.lpfnWndProc = EntryWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = p.WinClassName.c_str();
    wc.lpszMenuName = nullptr;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw rtl::Exception(rtl::Format("Cannot register window class %s", ClassName()));
    it = reg.emplace(p.WinClassName, base).first;
  }
  defWndProc_ = it->second;
  HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(g_nextControlId++) : nullptr;
  g_creating = this;
  HWND h = CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                           p.Height, p.WndParent, id, GetModuleHandleW(nullptr), nullptr);
  g_creating = nullptr;
  if (!h) throw rtl::Exception(rtl::Format("Error creating window (%s)", ClassName()));
  handle_ = h;
}

HWND TWinControl::Handle() {
  if (!handle_) {
    if (parent_) parent_->HandleNeeded();
    if (!handle_) CreateHandleTree();
  }
  return handle_;
}

void TWinControl::CreateHandleTree() {
  ControlState |= csCreating;
  CreateWnd();
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  CreateHandleDone();
  // Children in tab order, so that the window order is the tab order.
  for (TWinControl* c : WindowedChildren())
    if (HasWindowedChild(c) && !c->handle_) c->CreateHandleTree();
  ControlState &= ~csCreating;
  AlignControls();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  ControlState |= csDestroyingHandle;
  DestroyWnd();
  ControlState &= ~csDestroyingHandle;
}

void TWinControl::DestroyWnd() {
  // Keep what the user typed: the object holds the text while it has no window.
  text_ = GetText();
  for (TWinControl* c : WindowedChildren())
    if (HasWindowedChild(c)) c->DestroyHandle();
  HWND h = handle_;
  DestroyWindow(h);
  if (handle_ == h) {
    RemovePropW(h, kControlProp);
    handle_ = nullptr;
  }
}

// A child's window handling may free, remove or re-parent its siblings (a hook letting
// go, a control freeing another) while the parent walks them: walks go over a copy and
// touch only the children still on the list.
std::vector<TWinControl*> TWinControl::WindowedChildren() const { return tabList_; }

bool TWinControl::HasWindowedChild(const TWinControl* c) const {
  return std::find(tabList_.begin(), tabList_.end(), c) != tabList_.end();
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  Perform(CM_RECREATEWND);
  DestroyHandle();
  HandleNeeded();
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  c->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    tabList_.push_back(w);
    if (handle_) {
      if (w->handle_) ::SetParent(w->handle_, handle_);
      else w->CreateHandleTree();
    }
  }
  if (c->parentFont_) {
    c->font_.Assign(&font_);
    c->parentFont_ = true;
  }
  if (c->parentColor_) c->color_ = color_;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(c), TRUE);
  c->Invalidate();
  c->RequestAlign();
}

void TWinControl::RemoveControl(TControl* c) {
  auto it = std::find(controls_.begin(), controls_.end(), c);
  if (it == controls_.end()) return;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(c), FALSE);
  c->Invalidate();
  controls_.erase(it);
  // By identity, not by type: a control that is being freed is no longer a windowed one
  // by then, yet must leave the tab list all the same.
  std::erase_if(tabList_, [c](TWinControl* w) { return static_cast<TControl*>(w) == c; });
  if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_) w->DestroyHandle();
  if (hoverChild_ == c) hoverChild_ = nullptr;
  if (captureChild_ == c) captureChild_ = nullptr;
  c->parent_ = nullptr;
  if (c->align_ != TAlign::alNone) AlignControls();
}

void TWinControl::Broadcast(TMessage& msg) {
  for (size_t i = 0; i < controls_.size(); ++i) {
    controls_[i]->WindowProc(msg);
    if (msg.Result != 0) return;
  }
}

TControl* TWinControl::ControlAtPos(TPoint p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    // A control that answers the hit test with 0 lets the mouse through to what lies below.
    if (c->visible_ && c->BoundsRect().Contains(p) &&
        c->Perform(CM_HITTEST, 0, MAKELPARAM(p.X - c->left_, p.Y - c->top_)) != 0)
      return c;
  }
  return nullptr;
}

int TWinControl::TabOrder() const {
  if (!parent_) return -1;
  auto& v = parent_->tabList_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!parent_) return;
  auto& v = parent_->tabList_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  order = std::clamp(order, 0, static_cast<int>(v.size()));
  v.insert(v.begin() + order, this);
  // Window order follows tab order, which is what dialog navigation walks.
  HWND after = HWND_TOP;
  for (TWinControl* c : v) {
    if (!c->handle_) continue;
    SetWindowPos(c->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = c->handle_;
  }
}

bool TWinControl::Showing() const {
  if (!visible_) return false;
  if (parent_) return parent_->Showing();
  return handle_ && IsWindowVisible(handle_);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TCustomForm* f = ParentForm()) f->SetActiveControl(this);
  ::SetFocus(Handle());
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  if (handle_) SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
  BoundsChanged();
  AlignControls();
  RequestAlign();
  if (OnResize) OnResize(this);
}

TRect TWinControl::ClientRect() const {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  return Rect(0, 0, width_, height_);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  if (handle_) EnableWindow(handle_, v);
  Invalidate();
  Perform(CM_ENABLEDCHANGED);
}

void TWinControl::VisibleChanged() {
  if (handle_) ShowWindow(handle_, visible_ ? SW_SHOWNOACTIVATE : SW_HIDE);
  if (parent_) TControl::Invalidate();
}

std::string TWinControl::GetText() const {
  if (!handle_) return text_;
  int n = GetWindowTextLengthW(handle_);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(handle_, w.data(), n + 1);
  w.resize(static_cast<size_t>(std::max(0, n)));
  return rtl::U8(w);
}

void TWinControl::SetTextBuf(const std::string& s) {
  if (s == GetText()) return;
  text_ = s;
  if (handle_) SetWindowTextW(handle_, rtl::W(s).c_str());
  Perform(CM_TEXTCHANGED);
  DoTextChanged();
}

void TWinControl::FontChanged() {
  parentFont_ = false;
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  TMessage m{CM_PARENTFONTCHANGED, 0, 0, 0};
  for (TControl* c : controls_) c->WindowProc(m);
  TControl::FontChanged();
}

void TWinControl::ColorChanged() {
  TMessage m{CM_PARENTCOLORCHANGED, 0, 0, 0};
  for (TControl* c : controls_) c->WindowProc(m);
  TControl::ColorChanged();
}

HBRUSH TWinControl::BackgroundBrush() {
  if (!brush_ || brushColor_ != color_) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(ColorToRGB(color_));
    brushColor_ = color_;
  }
  return brush_;
}

void TWinControl::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(dc, &r, BackgroundBrush());
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    if (!c->visible_ || dynamic_cast<TWinControl*>(c)) continue;
    int saved = SaveDC(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x + c->left_, org.y + c->top_, nullptr);
    IntersectClipRect(dc, 0, 0, c->width_, c->height_);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::AlignControls() {
  if (controls_.empty()) return;
  TRect r = ClientRect();
  auto place = [&](TAlign a) {
    for (TControl* c : controls_) {
      if (c->align_ != a || !c->visible_) continue;
      int l = c->left_, t = c->top_, w = c->width_, h = c->height_;
      switch (a) {
        case TAlign::alTop: l = r.Left; t = r.Top; w = r.Width(); r.Top += h; break;
        case TAlign::alBottom: l = r.Left; t = r.Bottom - h; w = r.Width(); r.Bottom -= h; break;
        case TAlign::alLeft: l = r.Left; t = r.Top; h = r.Height(); r.Left += w; break;
        case TAlign::alRight: l = r.Right - w; t = r.Top; h = r.Height(); r.Right -= w; break;
        case TAlign::alClient: l = r.Left; t = r.Top; w = r.Width(); h = r.Height(); break;
        default: break;
      }
      TAlign keep = c->align_;
      c->align_ = TAlign::alNone;  // no re-entry while placing
      c->SetBounds(l, t, w, h);
      c->align_ = keep;
    }
  };
  for (TAlign a : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) place(a);
}

bool TWinControl::DoKeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
  return key == 0;
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
  return key == 0;
}

void TWinControl::ReflectToChild(TMessage& msg, HWND child) {
  if (TWinControl* c = FromHandle(child); c && c != this) {
    TMessage r{msg.Msg + CN_BASE, msg.WParam, msg.LParam, 0};
    c->WindowProc(r);
    msg.Result = r.Result;
    return;
  }
  DefaultHandler(msg);
}

void TWinControl::UpdateHoverChild(TControl* c) {
  if (c == hoverChild_) return;
  TControl* old = hoverChild_;
  hoverChild_ = c;
  if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
  if (c) c->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(c));
}

void TWinControl::MouseToChildren(TMessage& msg) {
  TPoint p{msg.XPos(), msg.YPos()};
  TControl* target = captureChild_ ? captureChild_ : ControlAtPos(p);
  if (msg.Msg == WM_MOUSEMOVE) UpdateHoverChild(ControlAtPos(p));
  if (!target) return;
  if (msg.Msg == WM_LBUTTONDOWN || msg.Msg == WM_RBUTTONDOWN) {
    captureChild_ = target;
    SetCapture(handle_);
  }
  TMessage m{msg.Msg, msg.WParam, MAKELPARAM(p.X - target->left_, p.Y - target->top_), 0};
  if (msg.Msg == WM_LBUTTONUP || msg.Msg == WM_RBUTTONUP) {
    captureChild_ = nullptr;
    ReleaseCapture();
  }
  target->WindowProc(m);
}

// Painting of our own classes; standard controls paint themselves.
void TWinControl::WMPaint(TMessage& msg) {
  if (IsStandardControl()) return Inherited(msg);
  PAINTSTRUCT ps;
  HDC dc = msg.WParam ? reinterpret_cast<HDC>(msg.WParam) : BeginPaint(handle_, &ps);
  PaintWindow(dc);
  PaintControls(dc);
  if (!msg.WParam) EndPaint(handle_, &ps);
}

void TWinControl::WMPrintClient(TMessage& msg) {
  if (IsStandardControl()) return Inherited(msg);
  HDC dc = reinterpret_cast<HDC>(msg.WParam);
  PaintWindow(dc);
  PaintControls(dc);
}

void TWinControl::WMEraseBkgnd(TMessage& msg) {
  if (IsStandardControl()) return Inherited(msg);
  msg.Result = 1;  // WM_PAINT fills the whole client area
}

// Notifications of a child window go back to the child's control as CN_ messages.
void TWinControl::WMReflectFromLParam(TMessage& msg) {
  if (!msg.LParam) return Inherited(msg);
  ReflectToChild(msg, reinterpret_cast<HWND>(msg.LParam));
}

void TWinControl::WMNotify(TMessage& msg) { ReflectToChild(msg, reinterpret_cast<NMHDR*>(msg.LParam)->hwndFrom); }

void TWinControl::WMDrawItem(TMessage& msg) {
  auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
  if (di->CtlType == ODT_MENU) return Inherited(msg);
  ReflectToChild(msg, di->hwndItem);
}

// The item names its control only by id: a combo box asks while it is still being made.
void TWinControl::WMMeasureItem(TMessage& msg) {
  auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam);
  if (!mi || mi->CtlType == ODT_MENU || !handle_) return Inherited(msg);
  ReflectToChild(msg, GetDlgItem(handle_, int(mi->CtlID)));
}

void TWinControl::CNCtlColor(TMessage& msg) {
  HDC dc = reinterpret_cast<HDC>(msg.WParam);
  SetTextColor(dc, ColorToRGB(font_.Color()));
  SetBkColor(dc, ColorToRGB(color_));
  msg.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
}

// Offered to every control inside; the first that takes the key ends the round.
void TWinControl::CMDialogKey(TMessage& msg) { Broadcast(msg); }

void TWinControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_MOUSEMOVE:
      if (!mouseInside_) {
        mouseInside_ = true;
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
        TrackMouseEvent(&t);
        Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
      }
      if (!IsStandardControl()) MouseToChildren(msg);
      break;
    case WM_MOUSELEAVE:
      mouseInside_ = false;
      UpdateHoverChild(nullptr);
      Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
      if (!IsStandardControl()) {
        if (ControlAtPos({msg.XPos(), msg.YPos()}) || captureChild_) {
          MouseToChildren(msg);
          DefaultHandler(msg);
          return;
        }
        // Our own windows handle their own clicks like windowless controls do.
        TControl::WndProc(msg);
        return;
      }
      break;
    case WM_SETCURSOR:
      if (LOWORD(msg.LParam) == HTCLIENT && Screen) {
        TCursor want = Screen->Cursor();
        if (want == crDefault && hoverChild_) want = hoverChild_->Cursor();
        if (want == crDefault) want = cursor_;
        if (want != crDefault) {
          ::SetCursor(Screen->Cursors(want));
          msg.Result = TRUE;
          return;
        }
      }
      break;
    case WM_CHAR: {
      wchar_t key = static_cast<wchar_t>(msg.WParam);
      if (DoKeyPress(key)) return;
      msg.WParam = key;
      break;
    }
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(msg.WParam);
      if (DoKeyDown(key, KeyboardShiftState())) return;
      msg.WParam = key;
      break;
    }
    case WM_KEYUP:
      if (OnKeyUp) {
        WORD key = static_cast<WORD>(msg.WParam);
        OnKeyUp(this, key, KeyboardShiftState());
        if (key == 0) return;
      }
      break;
    case WM_SETFOCUS:
      if (OnEnter) OnEnter(this);
      break;
    case WM_KILLFOCUS:
      if (OnExit) OnExit(this);
      break;
    case WM_SIZE:
      if (!(ControlState & csCreating)) AlignControls();
      break;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        font_.Assign(&parent_->Font());  // FontChanged clears the flag: set it back
        parentFont_ = true;
      }
      DefaultHandler(msg);
      return;
    default:
      break;
  }
  TControl::WndProc(msg);
}

void TWinControl::DefaultHandler(TMessage& msg) {
  if (!handle_ || IsPrivateMessage(msg.Msg)) return;
  msg.Result = CallWindowProcW(defWndProc_, handle_, msg.Msg, msg.WParam, msg.LParam);
}

// ---------------------------------------------------------------- TCustomControl

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(HDC dc) {
  TWinControl::PaintWindow(dc);
  canvas_.SetHandle(dc);
  try {
    Paint();
  } catch (...) {
    canvas_.SetHandle(nullptr);
    throw;
  }
  canvas_.SetHandle(nullptr);
}

}  // namespace gui

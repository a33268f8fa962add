// Controls: the windowless TControl, the windowed TWinControl and the two bases that
// paint themselves (TGraphicControl, TCustomControl). Objects outlive their window
// handles: a handle is created when first needed and can be destroyed and re-created.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "gui/Graphics.h"
#include "gui/Messages.h"
#include "gui/Types.h"
#include "rtl/Classes.h"

namespace gui {

using rtl::TComponent;
using rtl::TNotifyEvent;
using rtl::TObject;

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftBit : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;

using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crHandPoint = -21;

enum TControlStyleBit : unsigned {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csClickEvents = 1u << 3,
  csSetCaption = 1u << 5,
  csOpaque = 1u << 6,
  csDoubleClicks = 1u << 7,
  csNoDesignVisible = 1u << 12,
};
enum TControlStateBit : unsigned {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csPalette = 1u << 2,
  csReadingState = 1u << 3,
  csFocusing = 1u << 5,
  csCreating = 1u << 6,
  csPaintCopy = 1u << 7,
  csDestroyingHandle = 1u << 9,
};

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// The key is a UTF-16 code unit; a handler that sets it to 0 swallows the key.
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;

class TControl : public TComponent {
  KORVAN_CLASS(TControl)
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  virtual TRect ClientRect() const { return Rect(0, 0, width_, height_); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent up to a window that is on screen.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  // Caption and Text are one property, as in the class library.
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& s) { SetText(s); }
  std::string Text() const { return GetText(); }
  void SetText(const std::string& s) { SetTextBuf(s); }

  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TFont& Font() { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c) { cursor_ = c; }
  std::string Hint;
  bool ShowHint = false;
  // The menu a right click (or the menu key) on the control opens at the mouse; a freed
  // menu is forgotten.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  unsigned ControlStyle = csClickEvents | csDoubleClicks;
  unsigned ControlState = 0;

  // The replaceable window procedure; by default it calls the virtual WndProc.
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  virtual void Invalidate();
  void Repaint() { Invalidate(); Update(); }
  virtual void Update();
  void BringToFront();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

  // Runs the click handler as a user's click does.
  virtual void Click();
  TCustomForm* ParentForm() const;

  virtual void WndProc(TMessage& msg);
  // Runs the message's handler from the class's message table (KORVAN_MESSAGES), else
  // from its base classes' tables, else DefaultHandler.
  void Dispatch(TMessage& msg);
  virtual void DefaultHandler(TMessage& msg);
  // The table lookup Dispatch starts with; false when no class has a handler.
  virtual bool DispatchMessageMap(TMessage&) { return false; }

 protected:
  virtual std::string GetText() const { return text_; }
  virtual void SetTextBuf(const std::string& s);
  virtual void DoTextChanged() {}
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void VisibleChanged();
  virtual void BoundsChanged() {}
  virtual void DblClick();
  void Notification(TComponent* component, rtl::TOperation op) override;
  // WM_CONTEXTMENU: the control's popup menu opened at the message's screen point (the
  // control's corner for the keyboard's point -1, -1); False when the control has none.
  bool ShowContextMenu(TMessage& msg);
  void RequestAlign();
  // The parent's z-ordered child list, for BringToFront.
  static std::vector<TControl*>& SiblingsOf(TWinControl* parent);

  std::string text_;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  TFont font_;
  bool parentFont_ = true;
  TCursor cursor_ = crDefault;
  TAlign align_ = TAlign::alNone;
  bool mouseInside_ = false;
  TPopupMenu* popupMenu_ = nullptr;
  friend class TWinControl;
};

// A class's message handlers as named member functions, looked up by message number
// after the class's WndProc has run; a message the class does not list goes to the base
// class's table. Inside a handler, Inherited(msg) hands the message on the same way.
//   KORVAN_MESSAGES(TacGlowForm, TCustomForm, {WM_NCHITTEST, &TacGlowForm::WMNCHitTest})
#define KORVAN_MESSAGES(Class, Base, ...)                                           \
 public:                                                                            \
  bool DispatchMessageMap(::gui::TMessage& m) override {                           \
    static const struct {                                                           \
      UINT Msg;                                                                     \
      void (Class::*Handler)(::gui::TMessage&);                                     \
    } table[] = {__VA_ARGS__};                                                      \
    for (const auto& e : table)                                                     \
      if (e.Msg == m.Msg) {                                                         \
        (this->*e.Handler)(m);                                                      \
        return true;                                                                \
      }                                                                             \
    return Base::DispatchMessageMap(m);                                             \
  }                                                                                 \
                                                                                    \
 protected:                                                                         \
  void Inherited(::gui::TMessage& m) {                                              \
    if (!Base::DispatchMessageMap(m)) DefaultHandler(m);                            \
  }                                                                                 \
                                                                                    \
 private:

// How a windowed control's window is made; each class adjusts it after its base.
struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // The window class registered for this control ("TEdit") and, for controls built on a
  // standard Windows control, the class it is made from ("EDIT").
  std::wstring WinClassName;
  std::wstring BaseClassName;
  UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
  KORVAN_CLASS(TWinControl)
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { (void)Handle(); }
  void DestroyHandle();
  void RecreateWnd();
  // The control that owns a window, or nullptr for windows of other code.
  static TWinControl* FromHandle(HWND h);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int i) const { return controls_.at(static_cast<size_t>(i)); }
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  // Sends a message to every direct child control.
  void Broadcast(TMessage& msg);
  TControl* ControlAtPos(TPoint p) const;

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop = false;
  bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() const override;
  bool Showing() const override;
  void Invalidate() override;
  void Update() override;
  void SetEnabled(bool v) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;

  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  void AlignControls();
  // Standard controls (edits, buttons) paint themselves and report their own clicks; our
  // own classes are painted here with their colour and their windowless children.
  bool IsStandardControl() const { return defWndProc_ != DefWindowProcW; }

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Runs once the window exists: controls push their state (text, limits, items) into it.
  virtual void CreateHandleDone() {}
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc);
  // Key handling shared by every windowed control; returns true when the key was eaten.
  virtual bool DoKeyPress(wchar_t& key);
  virtual bool DoKeyDown(WORD& key, TShiftState shift);
  std::string GetText() const override;
  void SetTextBuf(const std::string& s) override;
  void FontChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;
  HBRUSH BackgroundBrush();
  void UpdateHoverChild(TControl* c);
  std::vector<TWinControl*> WindowedChildren() const;
  bool HasWindowedChild(const TWinControl* c) const;

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = DefWindowProcW;
  std::vector<TControl*> controls_;   // z-order, bottom first
  std::vector<TWinControl*> tabList_;  // windowed children in tab order
  HBRUSH brush_ = nullptr;
  TColor brushColor_ = clNone;
  TControl* hoverChild_ = nullptr;
  TControl* captureChild_ = nullptr;
  bool tracking_ = false;

 private:
  void CreateHandleTree();
  void ReflectToChild(TMessage& msg, HWND child);
  void MouseToChildren(TMessage& msg);
  static LRESULT CALLBACK EntryWndProc(HWND h, UINT m, WPARAM w, LPARAM l);
  void WMPaint(TMessage& msg);
  void WMPrintClient(TMessage& msg);
  void WMEraseBkgnd(TMessage& msg);
  void WMReflectFromLParam(TMessage& msg);
  void WMNotify(TMessage& msg);
  void WMDrawItem(TMessage& msg);
  void WMMeasureItem(TMessage& msg);
  void CNCtlColor(TMessage& msg);
  void CMDialogKey(TMessage& msg);
  friend class TApplication;
  friend class TControl;

  KORVAN_MESSAGES(TWinControl, TControl, {WM_PAINT, &TWinControl::WMPaint},
                  {WM_PRINTCLIENT, &TWinControl::WMPrintClient}, {WM_ERASEBKGND, &TWinControl::WMEraseBkgnd},
                  {WM_COMMAND, &TWinControl::WMReflectFromLParam}, {WM_NOTIFY, &TWinControl::WMNotify},
                  {WM_CTLCOLORBTN, &TWinControl::WMReflectFromLParam},
                  {WM_CTLCOLOREDIT, &TWinControl::WMReflectFromLParam},
                  {WM_CTLCOLORLISTBOX, &TWinControl::WMReflectFromLParam},
                  {WM_CTLCOLORSTATIC, &TWinControl::WMReflectFromLParam},
                  {WM_CTLCOLORSCROLLBAR, &TWinControl::WMReflectFromLParam},
                  {WM_DRAWITEM, &TWinControl::WMDrawItem}, {WM_MEASUREITEM, &TWinControl::WMMeasureItem},
                  {WM_HSCROLL, &TWinControl::WMReflectFromLParam},
                  {WM_VSCROLL, &TWinControl::WMReflectFromLParam}, {CN_CTLCOLOREDIT, &TWinControl::CNCtlColor},
                  {CN_CTLCOLORSTATIC, &TWinControl::CNCtlColor}, {CN_CTLCOLORBTN, &TWinControl::CNCtlColor},
                  {CN_CTLCOLORLISTBOX, &TWinControl::CNCtlColor}, {CM_DIALOGKEY, &TWinControl::CMDialogKey})
};

// A windowless control painted by its parent.
class TGraphicControl : public TControl {
  KORVAN_CLASS(TGraphicControl)
 public:
  explicit TGraphicControl(TComponent* owner);
  TCanvas& Canvas() { return canvas_; }

 protected:
  virtual void Paint() {}
  void WndProc(TMessage& msg) override;
  TCanvas canvas_;
};

// A windowed control that paints itself on its own canvas.
class TCustomControl : public TWinControl {
  KORVAN_CLASS(TCustomControl)
 public:
  explicit TCustomControl(TComponent* owner);
  TCanvas& Canvas() { return canvas_; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;
  TCanvas canvas_;
};

// Registers "Color" and "Font" of every control for reading by name (once).
void RegisterControlProperties();

// Win32 modifier state in the class library's form.
TShiftState KeyboardShiftState();

}  // namespace gui

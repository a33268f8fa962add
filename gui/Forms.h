// Forms, the application object and the screen. Every window of the program is a form
// built once at start-up and shown modally; the login form is the main form.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "gui/Controls.h"
#include "gui/HintWindow.h"

namespace gui {

class TMainMenu;
class TMenuItem;

inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconBit : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateBit : unsigned { fsCreating = 1, fsVisible = 2, fsShowing = 4, fsModal = 8 };

// The smallest and largest size a form may be given, 0 for no limit.
struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TCustomForm : public TWinControl {
  KORVAN_CLASS(TForm)
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
  unsigned BorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition Position = TPosition::poDesigned;
  TFormStyle FormStyle = TFormStyle::fsNormal;
  TWindowState WindowState = TWindowState::wsNormal;
  bool KeyPreview = false;
  // The form follows the screen's pixels per inch (kept for the skin engine's forms).
  bool Scaled = true;
  int ModalResult = mrNone;
  unsigned FormState() const { return formState_; }
  // Sizes the user and the program cannot go beyond.
  TSizeConstraints Constraints;
  // The whole form drawn with a constant alpha (a layered window) while AlphaBlend is on.
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool on);
  uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(uint8_t alpha);

  void SetClientSize(int width, int height);
  void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
  void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
  TRect ClientRect() const override;

  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // An MDI main form: the item of its main menu that lists the children, and the MDI
  // client window that holds them.
  TMenuItem* WindowMenu = nullptr;
  HWND ClientHandle = nullptr;

  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* c);
  // Moves the focus from `from` (the focused window when nullptr) to the next (or
  // previous) control that takes the Tab key; that control becomes the active control.
  void SelectNext(bool forward, HWND from = nullptr);

  // Shows the form and runs its own message loop until ModalResult is set; the
  // activation handler runs once, right after the form appears.
  int ShowModal();
  void Show();
  void Close();
  bool CloseQuery();
  bool Active() const;
  // The form is on screen. While CM_SHOWINGCHANGED is under way it already answers the
  // new state, before the window itself has come or gone.
  bool Showing() const override;
  // Runs the activation handler, as showing the form does. An exception it raises goes
  // to the caller; when the form's own showing runs it, to the exception box.
  void Activate();
  // The activation that showing the form runs, with its own exception boundary.
  void ActivateShown();

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  // A change of Visible that shows or hides the form is sent through WindowProc as
  // CM_SHOWINGCHANGED, so whoever hooks the form works around the window's coming and going.
  void VisibleChanged() override;
  void DestroyWnd() override;
  // The form's own handling of CM_SHOWINGCHANGED: puts the window on screen placed,
  // activated and focused, or takes it off; OnShow and OnHide run here. fsShowing is in
  // FormState meanwhile.
  void CMShowingChanged(TMessage& msg);
  virtual void DoShowing();
  void SetTextBuf(const std::string& s) override;
  void PlaceOnScreen();
  virtual void DoClose(TCloseAction& action);

  unsigned formState_ = 0;
  TMainMenu* menu_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  int clientWidth_ = -1, clientHeight_ = -1;

 private:
  void ApplyAlphaBlend();
  void WMGetMinMaxInfo(TMessage& msg);
  bool alphaBlend_ = false;
  uint8_t alphaBlendValue_ = 255;
  bool showing_ = false;          // the state the last CM_SHOWINGCHANGED announced
  bool showingChanging_ = false;  // CM_SHOWINGCHANGED is under way
  // Runs an event handler of the form's showing; its error goes to the exception box.
  void RunShowingEvent(const TNotifyEvent& event);
  void WMClose(TMessage& msg);
  void WMCommand(TMessage& msg);
  void WMInitMenuPopup(TMessage& msg);
  void WMMenuItemPaint(TMessage& msg);
  void WMActivate(TMessage& msg);
  void WMWindowPosChanged(TMessage& msg);

  KORVAN_MESSAGES(TCustomForm, TWinControl, {WM_CLOSE, &TCustomForm::WMClose}, {WM_COMMAND, &TCustomForm::WMCommand},
                  {WM_INITMENUPOPUP, &TCustomForm::WMInitMenuPopup}, {WM_ACTIVATE, &TCustomForm::WMActivate},
                  {WM_MEASUREITEM, &TCustomForm::WMMenuItemPaint}, {WM_DRAWITEM, &TCustomForm::WMMenuItemPaint},
                  {WM_WINDOWPOSCHANGED, &TCustomForm::WMWindowPosChanged},
                  {WM_GETMINMAXINFO, &TCustomForm::WMGetMinMaxInfo},
                  {CM_SHOWINGCHANGED, &TCustomForm::CMShowingChanged})
};

class TForm : public TCustomForm {
  KORVAN_CLASS(TForm)
 public:
  using TCustomForm::TCustomForm;
};

// A group of controls built once and put on forms as one piece: a plain container that
// takes its parent's colour.
class TFrame : public TCustomControl {
  KORVAN_CLASS(TFrame)
 public:
  explicit TFrame(TComponent* owner);
};

using TExceptionEvent = std::function<void(TObject* sender, const std::exception_ptr& e)>;

class TApplication : public TComponent {
  KORVAN_CLASS(TApplication)
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Common controls, COM for the picture codecs, the locale's separators.
  void Initialize();
  std::string Title() const { return title_; }
  void SetTitle(const std::string& t);
  // The hidden top-level window that owns every form.
  HWND Handle() const { return handle_; }

  TCustomForm* MainForm() const { return mainForm_; }
  // Creates a form or data module owned by the application; the first form becomes
  // the main form.
  template <class T>
  void CreateForm(T*& ref) {
    ref = new T(this);
    if constexpr (std::is_base_of_v<TCustomForm, T>) {
      if (!mainForm_) mainForm_ = ref;
    }
  }
  void SetMainForm(TCustomForm* f) { mainForm_ = f; }

  // Shows the main form, runs its activation and the message loop until Terminate.
  void Run();
  // The first half of Run: the main form on screen and activated.
  void ShowMainForm();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // The whole program goes to the task bar: the application window is minimized and the
  // forms it owns are hidden with it; Restore brings them back as they were.
  void Minimize();
  void Restore();
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  // Handles one message, waiting for one when the queue is empty.
  void HandleMessage();
  // Handles every message in the queue, then returns.
  void ProcessMessages();

  // Hooks on the application window: each sees the window's messages first, in the
  // order hooked; a hook that answers true has handled the message. Unhooking (also from
  // inside a hook) takes the id HookMainWindow gave.
  using TWindowHook = std::function<bool(TMessage& msg)>;
  int HookMainWindow(TWindowHook hook);
  void UnhookMainWindow(int id);

  // An exception that escaped an event handler: OnException, else the exception box.
  // Never throws, so window procedures and timers can call it from their boundary.
  void HandleException(const std::exception_ptr& e);
  void ShowException(const std::string& message);
  TExceptionEvent OnException;

  // The class hint windows are made from, and the pauses (ms) before a hint shows, before
  // the next one shows while hints are on, and before it hides again.
  THintWindowClass HintWindowClass;
  int HintPause = 500;
  int HintShortPause = 50;
  int HintHidePause = 2500;

 private:
  bool ProcessMessage(MSG& msg);
  bool IsKeyMsg(MSG& msg);
  static LRESULT CALLBACK AppWndProc(HWND h, UINT m, WPARAM w, LPARAM l);
  bool CallHooks(TMessage& msg);
  std::vector<std::pair<int, TWindowHook>> hooks_;
  int lastHookId_ = 0;
  std::string title_;
  HWND handle_ = nullptr;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  friend class TCustomForm;
};

// One display of the desktop, in virtual-screen pixels.
struct TMonitor {
  HMONITOR Handle = nullptr;
  TRect BoundsRect;
  TRect WorkareaRect;
  bool Primary = false;
};

class TScreen : public TComponent {
  KORVAN_CLASS(TScreen)
 public:
  explicit TScreen(TComponent* owner);
  // The cursor shown over every window of the program; crDefault lets each control
  // show its own.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  HCURSOR Cursors(TCursor c);
  void SetCursors(TCursor c, HCURSOR h) { cursors_[c] = h; }

  TCustomForm* ActiveForm() const { return activeForm_; }
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int i) const { return forms_.at(static_cast<size_t>(i)); }
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  static int PixelsPerInch();
  // The displays as the system lists them now, the primary one among them.
  std::vector<TMonitor> Monitors() const;

 private:
  friend class TCustomForm;
  TCursor cursor_ = crDefault;
  std::map<TCursor, HCURSOR> cursors_;
  TCustomForm* activeForm_ = nullptr;
  std::vector<TCustomForm*> forms_;
};

extern TApplication* Application;
extern TScreen* Screen;

// Creates the application and screen objects once for the process.
void InitApplication();
// Frees them again (tests).
void DoneApplication();

// Runs the busy cursor over the whole program for the lifetime of the object.
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();

 private:
  TCursor saved_;
};

}  // namespace gui

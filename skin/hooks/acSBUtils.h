// The window hooks' base and the scroll-bar hooks' start-up work (the system's scroll-bar
// information and flat scroll-bar functions, looked up by name).
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gui/Controls.h"
#include "gui/Subclass.h"
#include "skin/core/sCommonData.h"
#include "skin/hooks/acCtrlAdapterRules.h"

namespace skin {

struct TScrollBarFunctions {
  BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
  BOOL(WINAPI* InitializeFlatSB)(HWND) = nullptr;
  HRESULT(WINAPI* UninitializeFlatSB)(HWND) = nullptr;
};
// Each entry nullptr when the system lacks it or outside the engine's run.
const TScrollBarFunctions& ScrollBarFunctions();


// The base of the window hooks that skin a control's window. A hook takes over one window:
// one of our controls by replacing its WindowProc, any other window by subclassing it
// (each hook with its own procedure thunk). Every message meets the common handling in a
// fixed order: a skin command goes to the hook's own answers first, then to the common
// answers, and only then to the window's previous procedure (skin commands 1, 2 and 3
// also reach the child windows); any other message goes through the common message
// handling before the hook's own.
class TacMainWnd : public gui::TWindowSubclass, public TacWindowHook {
 public:
  TacMainWnd() = default;
  ~TacMainWnd() override;
  // Takes over a bare window by subclassing: the skin state is made (marked as loading),
  // given Section when one is named, and bound to it.
  void Attach(HWND wnd, const std::string& section = {});
  // Takes over one of our controls by replacing its WindowProc; Shared is the control's
  // own skin state (kept by the control), nullptr to make one owned by the hook.
  void AttachControl(gui::TWinControl* control, TsCommonData* shared = nullptr, const std::string& section = {});
  // A state the hook owns takes what the parameters ask: the section when one is named, the
  // hooked control as its host, and which colours stay the control's own. A state shared
  // with its control keeps what the control set.
  void TakeParams(const TacSkinParams& params);
  // The state leaves its loading mark and is published on the window.
  void AfterCreation();
  // The same for a hook whose state takes Section when nobody named one, with the
  // section's index looked up first.
  void AfterCreationIn(const char* section);
  // Takes the hook off its window: the previous procedure comes back only while the
  // window's procedure is still this hook's (a subclass put on later stays working and
  // the hook stays unreleased, to be tried again). Repaint recomputes the frame.
  bool Release(bool repaint);
  bool Released() const { return released_; }
  // The manager of the form whose child-control adapter made the hook (asked when the hook
  // goes); empty for a hook made by anyone else.
  std::function<TsSkinManager*()> AdapterManager;
  // The skin look is on (ApplySkinLook ran, skinning has not been removed since).
  bool SkinLookApplied() const { return skinned_; }
  HWND Wnd() const { return wnd_; }
  TsCommonData* SkinData() const { return skinData_ ? skinData_.get() : shared_; }
  const std::wstring& WndText() const { return wndText_; }
  // Straight into this hook's own procedure.
  LRESULT CallWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  void WndProc(gui::TMessage& msg) override;
  // The message to whatever handled the window before the hook; 0 when nothing did.
  void CallOldWndProc(gui::TMessage& msg);
  bool HasPreviousHandler() const;

 protected:
  virtual std::unique_ptr<TsCommonData> CreateSkinData();
  // The hook's own answers to skin commands; True when answered.
  virtual bool HandleSkinCommand(gui::TMessage& msg) = 0;
  // The hook's own handling of any other message; by default the previous procedure.
  virtual void HandleMessage(gui::TMessage& msg) { CallOldWndProc(msg); }
  // Gives the window its own look back: the published state (when the hook owns it), the
  // scroll-bar hook's property and the class background.
  virtual void RestoreOriginalLook();
  // The skin look is on: the window's class erases with the skin's background.
  virtual void ApplySkinLook();
  // The window goes away (its WM_DESTROY or WM_NCDESTROY, while the hook is on).
  virtual void WindowGoing(gui::TMessage& msg);
  void WindowDestroyed() override;
  // Takes the hook off for good, whoever holds the window's procedure now (the destructor's
  // step; a subclass on top keeps passing messages on). The window's look comes back too,
  // unless the hook goes while controls are being unskinned for a manager other than its
  // own or its adapter's: that manager gives the windows their look back itself.
  void TakeOff();
  gui::TWinControl* Control() const { return control_; }
  // False for the hooks that leave the window's visual style on (panels, spin buttons,
  // popup menus).
  virtual bool KeepsNoVisualStyle() const { return true; }
  // True for the hooks that print their window themselves (frame and bars included);
  // the others take WM_PRINT as a paint into the given DC.
  virtual bool PrintsItself() const { return false; }
  bool InNativeDialog() const { return inNativeDialog_; }

 private:
  void Bound(HWND wnd);
  bool LeavesLookToOtherManager() const;
  std::unique_ptr<TsCommonData> skinData_;
  TsCommonData* shared_ = nullptr;
  gui::TWinControl* control_ = nullptr;
  gui::TWndMethod vclWindowProc_;
  std::optional<unsigned> savedControlStyle_;
  HWND wnd_ = nullptr;
  std::wstring wndText_;
  bool released_ = false;
  bool going_ = false;
  bool inNativeDialog_ = false;
  bool themeOff_ = false;
  bool skinned_ = false;
};

// True while the hooks being made belong to the controls of a skinned native dialog (they
// keep their visual style).
extern bool SkinningDialogControls;

// Above 0 while a form's child-control adapter goes and frees the hooks of its controls.
extern int UnskinningControls;
// Counts one such removal for its lifetime.
struct TUnskinningControls {
  TUnskinningControls() { ++UnskinningControls; }
  ~TUnskinningControls() { --UnskinningControls; }
  TUnskinningControls(const TUnskinningControls&) = delete;
  TUnskinningControls& operator=(const TUnskinningControls&) = delete;
};

// Makes the window repaint its frame: through SetWindowPos (which also recomputes the
// non-client area) or a plain WM_NCPAINT.
void RepaintFrame(HWND wnd, bool viaSetWindowPos);

void InitScrollBarHooksUnit();
void DoneScrollBarHooksUnit();

}  // namespace skin

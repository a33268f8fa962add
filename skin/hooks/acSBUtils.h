// The window hooks' base and the scroll-bar hooks' start-up work (the system's scroll-bar
// information and flat scroll-bar functions, looked up by name).
#pragma once
#include <windows.h>

#include <memory>

#include "gui/Subclass.h"
#include "skin/core/sCommonData.h"

namespace skin {

struct TScrollBarFunctions {
  BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
  BOOL(WINAPI* InitializeFlatSB)(HWND) = nullptr;
  HRESULT(WINAPI* UninitializeFlatSB)(HWND) = nullptr;
};
// Each entry nullptr when the system lacks it or outside the engine's run.
const TScrollBarFunctions& ScrollBarFunctions();

// The base of the window hooks that skin a control's window. Every message meets the
// common handling in a fixed order: a skin command goes to the hook's own answers first,
// then to the common answers, and only then to the window's previous procedure (skin
// commands 1, 2 and 3 also reach the child windows); any other message goes through the
// common message handling before the hook's own.
class TacMainWnd : public gui::TWindowSubclass, public TacWindowHook {
 public:
  TacMainWnd() = default;
  ~TacMainWnd() override;
  // Takes over the window: the skin state is made (marked as loading) and bound to it.
  void Attach(HWND wnd);
  // The state leaves its loading mark and is published on the window.
  void AfterCreation();
  TsCommonData* SkinData() const { return skinData_.get(); }
  // Straight into this hook's own procedure.
  LRESULT CallWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  void WndProc(gui::TMessage& msg) override;

 protected:
  virtual std::unique_ptr<TsCommonData> CreateSkinData();
  // The hook's own answers to skin commands; True when answered.
  virtual bool HandleSkinCommand(gui::TMessage& msg) = 0;
  // The hook's own handling of any other message; by default the previous procedure.
  virtual void HandleMessage(gui::TMessage& msg) { CallPrevious(msg); }
  void WindowDestroyed() override;

 private:
  std::unique_ptr<TsCommonData> skinData_;
};

void InitScrollBarHooksUnit();
void DoneScrollBarHooksUnit();

}  // namespace skin

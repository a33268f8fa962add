// Subclassing of bare windows of any class (dialogs, menus, system controls, windows of
// other code): the object takes the window's procedure, sees every message first through
// its replaceable WindowProc, passes it on to the procedure it replaced, and lets go of
// the window by itself when the window is destroyed.
//
// Each object has a procedure of its own (a small executable thunk that carries the
// object), so "is the window's procedure still mine?" has an answer when several
// subclasses stack on one window: on removal the previous procedure is put back only
// while the window's procedure is still this object's; otherwise a later subclass holds
// it, and the chain stays as it is.
#pragma once
#include <windows.h>

#include "gui/Messages.h"

namespace gui {

class TWindowSubclass {
 public:
  TWindowSubclass();
  virtual ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Takes over h's procedure; an object subclasses one window at a time.
  void Bind(HWND h);
  // Lets go of the window: puts the previous procedure back when the window's procedure
  // is still this object's.
  void Unbind();
  bool Bound() const { return handle_ != nullptr; }
  HWND Handle() const { return handle_; }
  // The procedure this object put in place, unique to the object.
  WNDPROC InstanceProc() const { return instance_; }
  WNDPROC PreviousProc() const { return previous_; }

  // The replaceable procedure; by default it calls the virtual WndProc.
  TWndMethod WindowProc;
  // Passes the message on to the procedure that was replaced.
  virtual void WndProc(TMessage& msg) { CallPrevious(msg); }
  void CallPrevious(TMessage& msg);

 protected:
  // Runs after the window's last message (WM_NCDESTROY) has been passed on and the
  // object has let go of the window; an owner may free the object here.
  virtual void WindowDestroyed() {}

 private:
  static LRESULT CALLBACK Entry(TWindowSubclass* self, UINT m, WPARAM w, LPARAM l);
  HWND handle_ = nullptr;
  HWND chainWnd_ = nullptr;  // a window whose chain still calls us after Unbind
  WNDPROC previous_ = nullptr;
  WNDPROC instance_ = nullptr;
  bool passedOn_ = false;
};

// Procedures with an object of their own: executable thunks that call proc with the
// object in place of the window handle. Freed with FreeObjectInstance.
using TObjectWndProc = LRESULT(CALLBACK*)(void* object, UINT m, WPARAM w, LPARAM l);
WNDPROC MakeObjectInstance(TObjectWndProc proc, void* object);
void FreeObjectInstance(WNDPROC instance);

}  // namespace gui

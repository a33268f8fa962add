// The hint window: a small bordered popup that shows a control's hint text above every
// other window without taking the focus or the mouse. Which class the program makes its
// hint windows from is the application's HintWindowClass, so a library can put its own
// hint window in place of this one.
#pragma once
#include <windows.h>

#include <string>

#include "gui/Controls.h"

namespace gui {

class THintWindow : public TCustomControl {
  KORVAN_CLASS(THintWindow)
 public:
  explicit THintWindow(TComponent* owner);

  // The window rectangle at (0, 0) that holds the hint wrapped at maxWidth pixels.
  // data is what the hint's owner attached to it; this class ignores it.
  virtual TRect CalcHintRect(int maxWidth, const std::string& hint, void* data);
  // Shows the hint in rect (screen coordinates, kept on its monitor; 4 pixels taller
  // below the text) above every window, without activating it.
  virtual void ActivateHint(TRect rect, const std::string& hint);
  // Hides the hint by letting its window go; the object serves the next hint.
  void ReleaseHandle();

  // The window that owns the popup while it has no parent control; the application
  // window when none is set. Setting another one lets the present window go.
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND owner);

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;

 private:
  void WMNCHitTest(TMessage& msg);
  HWND parentWindow_ = nullptr;

  KORVAN_MESSAGES(THintWindow, TCustomControl, {WM_NCHITTEST, &THintWindow::WMNCHitTest})
};

// A class reference for hint windows: the class's name and how to make one, as the
// class library passes classes around.
struct THintWindowClass {
  const char* ClassName = THintWindow::StaticClassName();
  THintWindow* (*Create)(TComponent* owner) = [](TComponent* owner) { return new THintWindow(owner); };

  template <class T>
  static THintWindowClass Of() {
    return {T::StaticClassName(), [](TComponent* owner) -> THintWindow* { return new T(owner); }};
  }
  bool operator==(const THintWindowClass& o) const { return Create == o.Create; }
};

}  // namespace gui

// The engine's small window and timer bases: a timer that carries its user's data, and
// the borderless form for glow, shadow and transition pictures that never takes the
// focus or the activation and lets mouse clicks through.
#pragma once
#include <memory>
#include <vector>

#include "gui/Forms.h"
#include "gui/Timer.h"

namespace skin {

using TacCtrlArray = std::vector<gui::TControl*>;  // not owned

class TacTimer : public gui::TTimer {
  KORVAN_CLASS(TacTimer)
 public:
  using gui::TTimer::TTimer;
  void* Data1 = nullptr;
  void* Data2 = nullptr;
};

class TacGlowForm : public gui::TCustomForm {
  KORVAN_CLASS(TacGlowForm)
  KORVAN_MESSAGES(TacGlowForm, gui::TCustomForm, {WM_NCHITTEST, &TacGlowForm::WMNCHitTest},
                  {WM_SHOWWINDOW, &TacGlowForm::WMShowWindow},
                  {gui::CM_SHOWINGCHANGED, &TacGlowForm::CMShowingChanged})
 public:
  // A form without owner and without layout: Tag SkipSkinTag, no border, clicks pass.
  explicit TacGlowForm(rtl::TComponent* owner = nullptr);
  ~TacGlowForm() override;

  std::unique_ptr<gui::TBitmap> Bitmap;  // made by the form's user
  // Shows the form without raising or activating it.
  void Show() { SetVisible(true); }
  bool MouseTransparent = true;

 protected:
  // Scaled follows the engine's scale mode: the class library scales only in smVCL.
  void Loaded() override;
  void CreateWnd() override;
  // Shows without activating or taking the focus; hides like any form.
  void DoShowing() override;

 private:
  void WMNCHitTest(gui::TMessage& msg);
  void WMShowWindow(gui::TMessage& msg);
  void CMShowingChanged(gui::TMessage& msg);
  // Takes the window off the screen at once, before anything else is told.
  void HideNow();
};

}  // namespace skin

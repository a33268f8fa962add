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
                  {WM_SHOWWINDOW, &TacGlowForm::WMHide}, {gui::CM_SHOWINGCHANGED, &TacGlowForm::WMHide})
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
  // Shows without activating; hides like any form.
  void VisibleChanged() override;

 private:
  void WMNCHitTest(gui::TMessage& msg);
  void WMHide(gui::TMessage& msg);
};

}  // namespace skin

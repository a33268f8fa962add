#include "skin/core/acBaseForms.h"

#include "skin/core/sConst.h"

namespace skin {

TacGlowForm::TacGlowForm(rtl::TComponent* owner) : gui::TCustomForm(owner) {
  Tag = Globals().SkipSkinTag;
  BorderStyle = gui::TFormBorderStyle::bsNone;
}

TacGlowForm::~TacGlowForm() = default;

void TacGlowForm::Loaded() {
  Scaled = Globals().GlobalScaleMode == TacScaleMode::smVCL;
  gui::TCustomForm::Loaded();
}

void TacGlowForm::CreateWnd() {
  gui::TCustomForm::CreateWnd();
  if (!handle_) return;
  SetWindowLongPtrW(handle_, GWL_EXSTYLE,
                    GetWindowLongPtrW(handle_, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  SetClassLongPtrW(handle_, GCL_STYLE, GetClassLongPtrW(handle_, GCL_STYLE) & ~static_cast<LONG_PTR>(CS_DROPSHADOW));
}

void TacGlowForm::DoShowing() {
  if (Showing()) {
    ShowWindow(handle_, SW_SHOWNOACTIVATE);
    formState_ |= gui::fsVisible;
  } else {
    formState_ &= ~gui::fsVisible;
    ShowWindow(handle_, SW_HIDE);
  }
}

void TacGlowForm::WMNCHitTest(gui::TMessage& msg) {
  if (MouseTransparent) {
    msg.Result = HTTRANSPARENT;
    return;
  }
  Inherited(msg);
}

void TacGlowForm::HideNow() {
  if (handle_ && IsWindowVisible(handle_))
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOOWNERZORDER |
                     SWP_NOSENDCHANGING);
}

void TacGlowForm::WMShowWindow(gui::TMessage& msg) {
  if (msg.WParam == 0) HideNow();
  Inherited(msg);
}

// The message comes for showing as well as for hiding: only the form's own hiding takes
// the window off, so a shown glow stays up.
void TacGlowForm::CMShowingChanged(gui::TMessage& msg) {
  if (!Showing()) HideNow();
  Inherited(msg);
}

}  // namespace skin

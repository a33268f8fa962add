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

void TacGlowForm::VisibleChanged() {
  if (!handle_ && !visible_) return;
  HandleNeeded();
  if (visible_) {
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

void TacGlowForm::WMHide(gui::TMessage& msg) {
  if (msg.WParam == 0 && handle_ && IsWindowVisible(handle_))
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOOWNERZORDER |
                     SWP_NOSENDCHANGING);
  Inherited(msg);
}

}  // namespace skin

// The caption cover: while the system repaints a skinned form's native caption (the
// default handling of activation and of a new text), a borderless window lies over the
// frame and shows the provider's cached image, so the native title never flashes.
#pragma once
#include <windows.h>

#include "skin/core/acBaseForms.h"

namespace skin {

class TsSkinProvider;

class TacCaptForm : public TacGlowForm {
  KORVAN_CLASS(TacCaptForm)
 public:
  explicit TacCaptForm(rtl::TComponent* owner) : TacGlowForm(owner) {}
  TsSkinProvider* Provider = nullptr;

 protected:
  void WndProc(gui::TMessage& m) override;
};

// Takes from the region the rectangles of the visible top-level windows above Wnd, relative
// to Origin (the region's top-left on the screen).
void ExcludeWindowsAbove(HWND wnd, HRGN region, POINT origin);

}  // namespace skin

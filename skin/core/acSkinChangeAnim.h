// The skin change made visible: while the forms are frozen with the new skin data loaded,
// each form's new look is laid over the old one in a layered window and faded in (or grown
// from an inset, aero), then the form repaints itself. Without layered windows the old
// screen content is kept in a plain window and mixed into the new look frame by frame.
#pragma once
#include <windows.h>

#include <memory>

#include "gui/Controls.h"
#include "gui/Graphics.h"

namespace skin {

// A plain window that shows a bitmap painted into its window DC; no hook skins it.
class TOutputWindow : public gui::TCustomControl {
  KORVAN_CLASS(TOutputWindow)
 public:
  explicit TOutputWindow(rtl::TComponent* owner);

 protected:
  void CreateParams(gui::TCreateParams& params) override;
  void WndProc(gui::TMessage& m) override;
};

// Plays the transition of one control (in practice a form); Mode 1 is aero, others fade.
void SkinChangeAnimation(gui::TWinControl* control, int timeMs, int blendValue, int mode);
// Keeps what the screen shows under the control and lays a plain window over it.
void SnapshotForSkinChange(gui::TWinControl* control);
// The window right above the control in z-order.
void PlaceAbove(HWND window, HWND control);

// The window laid over the control during a transition; nullptr outside one.
extern gui::TWinControl* SkinChangeWindow;
// What the screen showed under the control before the transition (plain path).
extern gui::TBitmap* OldScreenImage;
void FreeSkinChangeImages();

}  // namespace skin

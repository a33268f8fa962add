// The window hook of status bars: the bar's section over the parent's background, each
// panel with the skin's panel image or, without one, a divider between panels (none after
// the last), its text cut to fit, and owner-drawn panels painted by the bar's handler over
// the skinned background.
#pragma once
#include <windows.h>

#include "gui/ComCtrls.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {

class TacStatusBarWnd : public TacMainWnd {
 public:
  // Takes over one of our status bars (section "STATUSBAR" unless named).
  void InstallControl(gui::TStatusBar* bar, const std::string& section = "STATUSBAR");
  // Takes over a bare status-bar window: panels get no text (only the window's own in
  // simple mode).
  void Install(HWND wnd, const std::string& section = "STATUSBAR");

  void UpdateCache();
  // The whole bar into DC (the window's own when nullptr), its image rebuilt first.
  void PaintWindow(HDC dc);
  // The border of our bar's BorderWidth around the client area, from the image, into DC
  // (the window's own when nullptr).
  void PaintFrame(HDC dc);
  std::string PanelText(int index);

 protected:
  // The common answers serve: nothing of its own.
  bool HandleSkinCommand(gui::TMessage&) override { return false; }
  void HandleMessage(gui::TMessage& msg) override;

 private:
  void PaintPanels();
  void PaintPanel(int index, const gui::TRect& r);
  // The skin's grip in the bottom-right corner of a bar of size-grip style.
  void PaintSizeGrip();
  bool Simple() const;
  int PartCount() const;
  gui::TStatusBar* bar_ = nullptr;
};

}  // namespace skin

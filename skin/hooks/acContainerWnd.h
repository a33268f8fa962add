// The hooks of the container windows the system's file dialogs are built from (rebars,
// progress bars, address and search bands, breadcrumbs) and of their search box. Both leave
// the content to the windows themselves and draw what surrounds it from the skin: the
// container its client background and its client-edge frame from its section image, the
// search box a 3-pixel frame. Both default to the section "TRANSPARENT", so the dialog's
// background shows through.
#pragma once
#include <windows.h>

#include <string>

#include "skin/hooks/acSBUtils.h"

namespace skin {

class TacContainerWnd : public TacMainWnd {
 public:
  void Install(HWND wnd, const std::string& section = "TRANSPARENT");
  // The window's section over its parent's background into the image, when out of date;
  // the frame width is read again.
  void PrepareCache();
  // The client-edge frame from the image (nothing for a window without a client edge).
  void PaintFrame();
  // The client area from the image into DC (the window's own when nullptr).
  void PaintClient(HDC dc);
  int FrameWidth() const { return frameWidth_; }

 protected:
  bool HandleSkinCommand(gui::TMessage&) override { return false; }
  void HandleMessage(gui::TMessage& msg) override;

 private:
  RECT clientRect_{};
  int frameWidth_ = 0;
};

class TacSearchWnd : public TacMainWnd {
 public:
  void Install(HWND wnd, const std::string& section = "TRANSPARENT");
  void UpdateCache();
  // A 3-pixel frame from the image over the box's edge.
  void PaintFrame();

 protected:
  bool HandleSkinCommand(gui::TMessage&) override { return false; }
  void HandleMessage(gui::TMessage& msg) override;

 private:
  RECT clientRect_{};
};

}  // namespace skin

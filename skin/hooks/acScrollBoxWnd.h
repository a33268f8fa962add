// The hook of scroll boxes and other scrolling containers: the skin section (a sunken
// panel unless another is named) is the whole background, a two-pixel frame comes from the
// same image, and the skinned bars sit inside it.
#pragma once
#include "skin/hooks/acScrollWnd.h"

namespace skin {

class TacScrollBoxWnd : public TacScrollWnd {
 public:
  static constexpr const char* kDefaultSection = "PANEL_LOW";
  void HookWindow(HWND wnd, const std::string& section = {});
  void PrepareSkinCache();
  // The client area from the image; DC nullptr: the window's.
  void PaintClient(HDC dc);
  // The frame and the bars; DC nullptr: the window's.
  void PaintFrame(HDC dc);

 protected:
  void HandleMessage(gui::TMessage& msg) override;
};

}  // namespace skin

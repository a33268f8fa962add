// The hook of native tool bars ("ToolbarWindow32"): the bar painted from its section over
// the parent's background and every button from the skin's tool-button section in its
// state (disabled, pressed, under the mouse), with its image and its text, a text too long
// for the button broken into two lines; separators drawn with the skin's divider.
#pragma once
#include <windows.h>

#include <string>

#include "skin/hooks/acSBUtils.h"

namespace skin {

class TacToolBarWnd : public TacMainWnd {
 public:
  // Section "TRANSPARENT" unless one was given.
  void AfterCreation();
  void WndProc(gui::TMessage& msg) override;
  // The bar's section into the image; the frame width is read again.
  bool PrepareCache();
  // The whole bar, buttons included, into DC (the client area's, without the frame).
  void PaintToolBar(HDC dc);
  // The state a button is painted in: 0 normal or disabled, 1 under the mouse, 2 pressed.
  int ButtonState(int index);
  int BorderWidth() const { return borderWidth_; }
  // The text of a button broken where it is too wide: the part up to the last space that
  // fits, and the rest (empty when it fits on one line).
  static std::pair<std::string, std::string> BreakText(HDC dc, const std::string& text, int width);

 protected:
  bool HandleSkinCommand(gui::TMessage&) override { return false; }

 private:
  void PaintButtons(gui::TBitmap& bmp);
  void PaintToolButton(int index, RECT r, gui::TBitmap& bmp);
  void PaintToolBarFrame();
  int HotIndex();
  int borderWidth_ = 0;
  int hot_ = -1;
  bool tracking_ = false;
};

}  // namespace skin

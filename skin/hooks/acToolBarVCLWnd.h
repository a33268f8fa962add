// The hook of our tool bars (TToolBar): it paints through the bar's two custom-draw events
// rather than its own window procedure. The bar handler fills the client area from the bar's
// section image, the button handler paints each button from the skin's tool-button section
// with its caption, image and drop-down arrow. The hook paints the border around the client
// area itself and follows the hot button of raised (not flat) bars, which the system does
// not report.
#pragma once
#include <windows.h>

#include <string>

#include "gui/ComCtrls.h"
#include "skin/hooks/acSBUtils.h"

namespace skin {

// A tool button's image drawn into the button's own 32-bit bitmap, in the state the bar's
// custom-draw State gives (pressed, hot, checked or calm): from the bar's disabled or hot
// list where it has one for that state, discoloured when calm and the manager asks so, and
// shifted with the pressed content where the button's section shifts it.
void DrawToolButtonGlyph(gui::TToolBar* bar, gui::TToolButton* button, gui::TCustomDrawState state,
                         gui::TBitmap& bmp);

class TacToolBarVCLWnd : public TacMainWnd {
 public:
  ~TacToolBarVCLWnd() override;
  // Takes over one of our tool bars (section "TOOLBAR" unless named) and its draw events;
  // an application's button handler keeps running after the skin's painting.
  void InstallControl(gui::TToolBar* bar, const std::string& section = "TOOLBAR");
  // The bar's section over the parent's background into the image (window coordinates).
  void UpdateCache();
  // The border around the client area from the image, into DC (the window's own when nullptr).
  void PaintBorder(HDC dc);
  // One button painted at once.
  void RepaintButton(int index);
  // The index of the button under a client point that can be pressed; -1 for none.
  int ButtonAt(POINT p) const;
  // The client rectangle in window coordinates.
  gui::TRect ClientRectInWindow() const;
  int HotIndex() const { return hot_; }
  gui::TToolButton* DroppedButton() const { return dropped_; }
  // The paint state of a button: 0 normal, 1 hot, 2 down (the hook's own hot button included).
  int ButtonPaintState(gui::TToolButton* b, gui::TCustomDrawState state) const;
  // The section whose font colours a button's caption takes in paint state State: the
  // tool-button section for a raised or active button, else the opaque section found behind
  // the bar at the button's place (the bar's own unless it lets its parent show through).
  int FontSection(gui::TToolButton* b, int state) const;

 protected:
  bool HandleSkinCommand(gui::TMessage& msg) override;
  void HandleMessage(gui::TMessage& msg) override;
  void WindowGoing(gui::TMessage& msg) override;

 private:
  void InstallHandlers();
  void GiveHandlersBack();
  void DrawBar(const gui::TRect& r, gui::TCustomDrawStage stage, bool& defaultDraw);
  void DrawButton(gui::TToolButton* b, gui::TCustomDrawState state, gui::TCustomDrawStage stage,
                  gui::TTBCustomDrawFlags& flags, bool& defaultDraw);
  void PaintButton(gui::TToolButton* b, gui::TCustomDrawState state, HDC dc);
  void CopyBorderStrips(HDC dc);
  bool Skinned() const;
  gui::TToolBar* bar_ = nullptr;
  int hot_ = -1;
  gui::TToolButton* dropped_ = nullptr;
  gui::TTBAdvancedCustomDrawBtnEvent oldDrawButton_;
};

}  // namespace skin

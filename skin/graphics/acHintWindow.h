// The bubble of the hint controller drawn from a hint template: its size around the text,
// its place at the anchor point (flipped or shifted at the monitor's edges) and its picture
// with per-pixel alpha, shown in a borderless layered window that lets the mouse through.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "gui/HintWindow.h"
#include "skin/graphics/acAlphaHints.h"

namespace skin {

class TacPngHintWindow : public gui::THintWindow {
  KORVAN_CLASS(TacPngHintWindow)
 public:
  explicit TacPngHintWindow(rtl::TComponent* owner);
  ~TacPngHintWindow() override;

  // The bubble's rectangle for the text, placed at the controller's point.
  gui::TRect CalcHintRect(int maxWidth, const std::string& hint, void* data) override;
  // Builds the bubble's picture and shows it in the controller's back window.
  void ActivateHint(gui::TRect rect, const std::string& hint) override;

  uint8_t Position = 0;  // where the bubble ended up (0..3)
  const std::string& HintText() const { return hintText_; }
  // The premultiplied picture handed to the layered window.
  gui::TBitmap* AlphaImage() const { return alphaImage_.get(); }

 private:
  TacHintController* Controller() const;
  void PrepareHintBitmap(int width, int height);
  gui::TRect ShadowMargins() const;
  std::string hintText_;
  std::unique_ptr<gui::TBitmap> alphaImage_;
};

// Every picture a hint puts on screen goes through this call (UpdateLayeredWindow with the
// bitmap's pixels at its place, with a constant alpha); tests wrap it to see what is shown.
using TacLayeredUpdate = std::function<void(HWND window, gui::TBitmap& picture, gui::TPoint pos, uint8_t alpha)>;
TacLayeredUpdate SetLayeredUpdate(TacLayeredUpdate update);

}  // namespace skin

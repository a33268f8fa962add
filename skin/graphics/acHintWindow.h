// The bubble of the hint controller drawn from a hint template: its size around the text,
// its place at the anchor point (flipped or shifted at the monitor's edges) and its picture
// with per-pixel alpha, shown in a borderless layered window that lets the mouse through.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "gui/HintWindow.h"
#include "skin/graphics/acAlphaHints.h"
#include "skin/graphics/acBitmap32.h"

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
  // Counts as skinned (skin command 7) and answers what lies behind its children with the
  // picture being made (command 34), else its colour.
  void WndProc(gui::TMessage& msg) override;

  uint8_t Position = 0;  // where the bubble ended up (0..3)
  int SkinIndex = -1;            // the skin section the bubble is drawn from, -1: its template
  bool SectionHasAlpha = false;  // the section's border element carries its own alpha
  const std::string& HintText() const { return hintText_; }
  // The premultiplied picture handed to the layered window.
  gui::TBitmap* AlphaImage() const { return alphaImage_.get(); }

 private:
  TacHintController* Controller() const;
  void PrepareHintBitmap(int width, int height);
  void PrepareSkinnedBitmap(int width, int height);
  gui::TRect MeasureContent(int maxWidth, const std::string& hint, const gui::TFont& font);
  // What DrawContent left to draw: the hint text, the fixed content's text in R, or nothing.
  enum class TContentDrawn { HintText, ContentText, All };
  TContentDrawn DrawContent(gui::TBitmap& bmp, gui::TRect& r, std::string& text);
  // The text (or the fixed content) drawn into the bubble's content rectangle.
  void DrawSkinnedText(gui::TBitmap& bmp, bool alphaMode);
  gui::TRect ShadowMargins() const;
  std::string hintText_;
  std::unique_ptr<gui::TBitmap> alphaImage_;
  TBitmap32 pictureView_;  // the picture's pixels as a background answer
};

// The controller draws its bubbles from its skin section: it exists, asks for it, and the
// default manager's skin has the section.
bool UsesSkin(TacHintController* controller);
// That section's index (-1 when not used); notes whether the section has outer effects.
int GetHintSkinIndex(TacHintController* controller);
// Whether the bubble's picture carries its own alpha (a template always does; a section
// when it is see-through with a border element, or has outer effects).
bool UsesSkinAlpha(const TacPngHintWindow& window);
// The space between a skinned bubble's border and its content.
int ContentMargin();
// The hint font's height for the screen: KeepHeight scales the font's own height, else the
// default -12; by the default manager's scale unless it leaves scaling to the forms, then
// by the pixels per inch of the hint's control (else the main form).
void ScaleHintFont(gui::TFont& font, bool keepHeight);

// Every picture a hint puts on screen goes through this call (UpdateLayeredWindow with the
// bitmap's pixels at its place, with a constant alpha); tests wrap it to see what is shown.
using TacLayeredUpdate = std::function<void(HWND window, gui::TBitmap& picture, gui::TPoint pos, uint8_t alpha)>;
TacLayeredUpdate SetLayeredUpdate(TacLayeredUpdate update);

}  // namespace skin

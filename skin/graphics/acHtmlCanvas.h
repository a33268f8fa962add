// The mini-HTML layout on the class layer's canvas: fonts, measuring and DrawText.
#pragma once
#include "gui/Graphics.h"
#include "skin/graphics/sHtml.h"

namespace skin {

class TacCanvasHtml : public TacHtmlCanvas {
 public:
  explicit TacCanvasHtml(gui::TCanvas& canvas) : canvas_(canvas) {}
  TacHtmlFont Font() const override;
  void SetFont(const TacHtmlFont& font) override;
  TPoint TextExtent(std::string_view text) override;
  void TextRect(std::string_view text, const TRect& r, uint32_t flags) override;

 private:
  gui::TCanvas& canvas_;
};

}  // namespace skin

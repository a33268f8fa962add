// A canvas for the mini-HTML layout with fixed measures: every character is Size * 3 / 4
// pixels wide (one more in bold) and the line Size * 2 high; drawings are recorded.
#pragma once
#include <string>
#include <vector>

#include "skin/graphics/sHtml.h"

namespace skin::test {

struct Drawn {
  std::string Text;
  TRect Rect;
  TacHtmlFont Font;
};

class FakeHtmlCanvas : public TacHtmlCanvas {
 public:
  TacHtmlFont F{"Tahoma", 8};
  std::vector<Drawn> Drawings;

  TacHtmlFont Font() const override { return F; }
  void SetFont(const TacHtmlFont& font) override { F = font; }
  TPoint TextExtent(std::string_view text) override {
    int chars = 0;
    for (char c : text)
      if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
    return {chars * (F.Size * 3 / 4 + (F.Bold ? 1 : 0)), F.Size * 2};
  }
  void TextRect(std::string_view text, const TRect& r, uint32_t) override {
    Drawings.push_back({std::string(text), r, F});
  }

  // Everything drawn, in order, as one text.
  std::string All() const {
    std::string s;
    for (const Drawn& d : Drawings) s += d.Text;
    return s;
  }
};

}  // namespace skin::test

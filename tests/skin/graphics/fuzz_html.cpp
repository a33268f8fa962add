// libFuzzer over the mini-HTML reader: the first two bytes choose the rectangle's width and
// the alignment, the rest is the text, laid out and drawn on a canvas with fixed measures.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "HtmlTestSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  skin::test::FakeHtmlCanvas canvas;
  skin::TsHtml html;
  html.Alignment = static_cast<skin::TAlignment>(data[1] % 3);
  html.BiDiMode = static_cast<uint8_t>(data[1] / 3 % 4);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  skin::TRect r{0, 0, data[0], 0};
  html.Init(canvas, text, data[1] % 4 - 1, data[1] % 5 - 1, r);
  skin::TacLinks links;
  html.Render(links, false, r);
  for (const skin::TacLink& l : links) (void)l.Href.size();
  (void)skin::HtmlPlainText(text);
  return 0;
}

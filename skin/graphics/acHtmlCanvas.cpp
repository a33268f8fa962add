#include "skin/graphics/acHtmlCanvas.h"

namespace skin {

TacHtmlFont TacCanvasHtml::Font() const {
  gui::TFont& f = canvas_.Font();
  const gui::TFontStyles s = f.Style();
  return {f.Name(), f.Size(), (s & gui::fsBold) != 0, (s & gui::fsItalic) != 0, (s & gui::fsUnderline) != 0,
          (s & gui::fsStrikeOut) != 0, f.Color()};
}

void TacCanvasHtml::SetFont(const TacHtmlFont& font) {
  gui::TFont& f = canvas_.Font();
  if (!font.Name.empty() && font.Name != f.Name()) f.SetName(font.Name);
  if (font.Size != f.Size()) f.SetSize(font.Size);
  gui::TFontStyles s = 0;
  if (font.Bold) s |= gui::fsBold;
  if (font.Italic) s |= gui::fsItalic;
  if (font.Underline) s |= gui::fsUnderline;
  if (font.StrikeOut) s |= gui::fsStrikeOut;
  if (s != f.Style()) f.SetStyle(s);
  if (font.Color != f.Color()) f.SetColor(font.Color);
}

TPoint TacCanvasHtml::TextExtent(std::string_view text) {
  const gui::TSize sz = canvas_.TextExtent(std::string(text));
  return {sz.cx, sz.cy};
}

void TacCanvasHtml::TextRect(std::string_view text, const TRect& r, uint32_t flags) {
  canvas_.Brush().SetStyle(gui::bsClear);
  gui::TRect rc = r;
  canvas_.TextRect(rc, std::string(text), flags | DT_NOPREFIX);
}

}  // namespace skin

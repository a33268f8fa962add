// Short texts with a small set of HTML tags (bold, italic, underline, line and paragraph
// breaks, fonts, character references and links), laid out word-wrapped inside a rectangle
// with every line aligned, and drawn. Win32-free: measuring and drawing go through the
// canvas interface below, which the Windows build puts over the class layer's canvas and
// the tests over a fake with fixed character widths.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/graphics/acBitmap32.h"
#include "skin/graphics/acGlyphLayout.h"

namespace skin {

struct TacHtmlFont {
  std::string Name;
  int Size = 8;  // points
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  TColor Color = 0;
  friend bool operator==(const TacHtmlFont&, const TacHtmlFont&) = default;
};

// What the layout asks of the canvas it draws on. Texts are UTF-8.
class TacHtmlCanvas {
 public:
  virtual ~TacHtmlCanvas() = default;
  virtual TacHtmlFont Font() const = 0;
  virtual void SetFont(const TacHtmlFont& font) = 0;
  // Width and height of the text in the current font.
  virtual TPoint TextExtent(std::string_view text) = 0;
  // Draws the text into R with DrawText flags.
  virtual void TextRect(std::string_view text, const TRect& r, uint32_t flags) = 0;
  // The same for 32-bit pictures whose alpha must stay right (layered hints).
  virtual void TextRectAlpha(std::string_view text, const TRect& r, uint32_t flags) { TextRect(text, r, flags); }
};

struct TacLink {
  TRect Rect;        // pixels of the drawn picture
  std::string Href;  // as written in the text, case kept
};
using TacLinks = std::vector<TacLink>;

struct TacLineData {
  std::string Text;
  int Width = 0, Height = 0;
};

// The colours links take from an active skin: the palette's font, link and hot-link entries.
struct TacHtmlLinkColors {
  bool SkinActive = false;
  TColor Font = 0, Link = 0, HotLink = 0;
};

// Reading orders, numbered as the class layer numbers them.
enum TacBiDiMode : uint8_t { bdLeftToRight = 0, bdRightToLeft = 1, bdRightToLeftNoAlign = 2, bdRightToLeftReadingOnly = 3 };

// DrawText flags the layout hands to the canvas.
inline constexpr uint32_t kDT_RIGHT = 0x2, kDT_VCENTER = 0x4, kDT_NOCLIP = 0x100, kDT_RTLREADING = 0x20000;

// Text colour of a link: blue, red while pressed and hot; from the skin's palette with one.
TColor HtmlLinkColor(const TacHtmlLinkColors& colors, int type);
// A colour attribute of a FONT tag: "#RRGGBB", one of the sixteen colour names, or a
// hexadecimal number written RRGGBB; anything else is black.
TColor HtmlColorValue(std::string_view upperWord);
// The character a reference stands for (the text between "&" and ";"), UTF-8; empty when
// there is none. Names match with their case first, then without it; codes match exactly.
std::string HtmlEntity(std::string_view name);
// The address of an A tag's text: the HREF value, quoted or not.
std::string HtmlHref(std::string_view tagText);
// The text with every tag ("<" up to the next ">") removed; a "<" without a ">" after it
// ends the removal.
std::string HtmlPlainText(std::string_view text);

class TsHtml {
 public:
  TacHtmlLinkColors LinkColors;
  TAlignment Alignment = taLeftJustify;
  uint8_t BiDiMode = bdLeftToRight;
  bool AlphaText = false;  // draw through TextRectAlpha

  // The canvas must outlive the drawing; its font colour becomes the default text colour.
  void Init(TacHtmlCanvas& canvas, std::string_view text, int hotIndex, int pressedIndex, const TRect& r);
  // Lays the text out in R (Right 0: no wrapping) and, unless MeasureOnly, draws it. R comes
  // back as (0, 0, width, height) of the text; Links as the links' places and addresses.
  void Render(TacLinks& links, bool measureOnly, TRect& r);

  uint32_t TextFlags() const { return flags_; }
  const std::vector<TacLineData>& Lines() const { return lines_; }

 private:
  void Layout(TRect& r);
  void StartLine(const TRect& r);
  void LineBreak(const TRect& r);
  void FlushWord(const TRect& r);
  void Draw(std::string_view text);
  void Reference(const TRect& r);
  void Tag(const TRect& r);
  bool ApplyTag(size_t from, size_t to, const TRect& r);
  void ApplyFontAttributes(size_t from, size_t to);
  void PushFont();
  void PopFont();
  void CloseLink();
  int YyHeight() { return canvas_->TextExtent("Yy").Y; }

  TacHtmlCanvas* canvas_ = nullptr;
  std::string text_, up_;
  TRect rect_;
  TColor defaultColor_ = 0;
  uint32_t flags_ = kDT_NOCLIP | kDT_VCENTER;
  int hot_ = -1, pressed_ = -1;
  bool measuring_ = false;
  int x_ = 0, y_ = 0, lineStartX_ = 0, top_ = 0;
  size_t line_ = 0;
  int lineWidth_ = 0, lineHeight_ = 0, widest_ = 0;
  size_t p_ = 0, pend_ = 0;
  std::vector<TacHtmlFont> fonts_;
  std::vector<TacLineData> lines_;
  std::string lineText_;
  TacLinks links_;
  bool linkOpen_ = false;
};

}  // namespace skin

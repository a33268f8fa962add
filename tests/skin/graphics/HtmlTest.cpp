// The mini-HTML layout on a canvas with fixed character widths: breaks, wrapping, character
// references, fonts, links and their places, alignment, and the plain text of a caption.
#include <gtest/gtest.h>

#include "HtmlTestSupport.h"

using namespace skin;
using skin::test::Drawn;
using skin::test::FakeHtmlCanvas;

namespace {

struct Result {
  FakeHtmlCanvas Canvas;
  TacLinks Links;
  TRect Size;
  std::vector<TacLineData> Lines;
};

// Draws Text in R (measured first, as every drawing is) and keeps what came out.
Result Draw(std::string_view text, TRect r = {0, 0, 0, 0}, TAlignment alignment = taLeftJustify, int hot = -1,
            int pressed = -1, uint8_t biDi = bdLeftToRight) {
  Result res;
  TsHtml html;
  html.Alignment = alignment;
  html.BiDiMode = biDi;
  html.Init(res.Canvas, text, hot, pressed, r);
  html.Render(res.Links, false, r);
  res.Size = r;
  res.Lines = html.Lines();
  return res;
}

std::vector<std::string> Texts(const Result& r) {
  std::vector<std::string> out;
  for (const Drawn& d : r.Canvas.Drawings) out.push_back(d.Text);
  return out;
}

}  // namespace

TEST(HtmlText, BreaksComeOnlyFromTags) {
  struct Case {
    const char* Text;
    size_t Lines;
    const char* Drawn;
  } cases[] = {
      {"one<br>two", 2, "onetwo"},
      {"one<BR/>two", 2, "onetwo"},
      {"one<br />two", 2, "onetwo"},
      {"<p>one</p>two", 3, "onetwo"},
      {"one\r\ntwo", 1, "onetwo"},  // a bare line end separates words but breaks nothing
      {"one\ntwo three", 1, "onetwo three"},
  };
  for (const Case& c : cases) {
    const Result r = Draw(c.Text);
    EXPECT_EQ(r.Lines.size(), c.Lines) << c.Text;
    EXPECT_EQ(r.Canvas.All(), c.Drawn) << c.Text;
  }
  // Each line 16 high plus 2 between them.
  const Result two = Draw("one<br>two");
  EXPECT_EQ(two.Canvas.Drawings[1].Rect.Top, 18);
  EXPECT_EQ(two.Size, (TRect{0, 0, 18, 34}));
}

TEST(HtmlText, StylesApplyToTheirWordsOnly) {
  const Result r = Draw("a <b>bold</b> c <i>it</i> <u>un</u>");
  for (const Drawn& d : r.Canvas.Drawings) {
    EXPECT_EQ(d.Font.Bold, d.Text == "bold") << d.Text;
    EXPECT_EQ(d.Font.Italic, d.Text == "it") << d.Text;
    EXPECT_EQ(d.Font.Underline, d.Text == "un") << d.Text;
  }
  EXPECT_EQ(r.Canvas.All(), "a bold c it un");
}

TEST(HtmlText, EscapesAndReferences) {
  struct Case {
    const char* Text;
    const char* Drawn;
  } cases[] = {
      {"a &amp; b", "a & b"},
      {"a &AMP; b", "a & b"},
      {"a &AmP; b", "a & b"},
      {"x&#38;y", "x&y"},
      {"R&D; & co", "R&D; & co"},         // unknown reference and a lone "&" stay text
      {"a & b;", "a & b;"},               // a space before any ";"
      {"a&&b", "a&b"},                    // "&&" is one "&"
      {"1 << 2", "1 < 2"},                // "<<" is one "<"
      {"if a<x> c", "if a<x> c"},         // an unknown tag is text
      {"<table>t</table>", "<table>t</table>"},
      {"x<y", "xy"},                      // a "<" without ">" is dropped
      {"&eacute;&Eacute;&EACUTE;", "\u00E9\u00C9\u00E9"},
      {"&trade;&euro;&#96;&#39;&39;", "\u2122\u20AC`&#39;'"},
      {"&nbsp;", "\u00A0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Draw(c.Text).Canvas.All(), c.Drawn) << c.Text;
}

TEST(HtmlText, FontTags) {
  struct Case {
    const char* Text;
    int Size;
    TColor Color;
    const char* Face;
  } cases[] = {
      {"<font color=\"#FF0000\">x</font>", 8, 0x0000FF, "Tahoma"},
      {"<font color=red>x</font>", 8, 0x0000FF, "Tahoma"},
      {"<FONT COLOR=\"Navy\">x</FONT>", 8, 0x800000, "Tahoma"},
      {"<font color=00FF00>x</font>", 8, 0x00FF00, "Tahoma"},
      {"<font color=nothex>x</font>", 8, 0x000000, "Tahoma"},
      {"<font size=\"+2\">x</font>", 12, 0, "Tahoma"},
      {"<font size=-3>x</font>", 5, 0, "Tahoma"},
      {"<font size=14>x</font>", 14, 0, "Tahoma"},
      {"<font size=big>x</font>", 8, 0, "Tahoma"},
      {"<font size=+99999999999>x</font>", 8, 0, "Tahoma"},
      {"<font face=\"Courier New\" size=9>x</font>", 9, 0, "Courier New"},
  };
  for (const Case& k : cases) {
    Result r;
    r.Canvas.F.Size = 10;
    if (std::string_view(k.Text).find("size=\"+2\"") == std::string_view::npos) r.Canvas.F.Size = 8;
    TsHtml html;
    TRect rect{};
    html.Init(r.Canvas, k.Text, -1, -1, rect);
    html.Render(r.Links, false, rect);
    ASSERT_EQ(r.Canvas.Drawings.size(), 1u) << k.Text;
    const TacHtmlFont& f = r.Canvas.Drawings[0].Font;
    EXPECT_EQ(f.Size, k.Size) << k.Text;
    EXPECT_EQ(f.Color, k.Color) << k.Text;
    EXPECT_EQ(f.Name, k.Face) << k.Text;
  }
  // The closing tag brings the font before it back; after the drawing the canvas has its own.
  const Result r = Draw("a<font size=12>b</font>c<font color=red>");
  EXPECT_EQ(r.Canvas.Drawings[1].Font.Size, 12);
  EXPECT_EQ(r.Canvas.Drawings[2].Font.Size, 8);
  EXPECT_EQ(r.Canvas.F, (TacHtmlFont{"Tahoma", 8}));
}

TEST(HtmlText, WrapsAtTheRightEdgeOnly) {
  // 6 pixels a character: "aaa bbb" is 42 wide, "aaa bbb ccc" 66.
  const Result narrow = Draw("aaa bbb ccc", {0, 0, 50, 0});
  EXPECT_EQ(Texts(narrow), (std::vector<std::string>{"aaa", " bbb", "ccc"}));
  EXPECT_EQ(narrow.Canvas.Drawings[2].Rect, (TRect{0, 18, 18, 34}));
  EXPECT_EQ(narrow.Size, (TRect{0, 0, 42, 34}));

  const Result unbounded = Draw("aaa bbb ccc", {0, 0, 0, 0});
  EXPECT_EQ(unbounded.Lines.size(), 1u);

  // A word wider than the rectangle gets a line of its own.
  const Result wide = Draw("a longword b", {0, 0, 30, 0});
  EXPECT_EQ(Texts(wide), (std::vector<std::string>{"a", "longword", " b"}));
  EXPECT_EQ(wide.Lines.size(), 3u);
}

TEST(HtmlText, LinesAlignedInTheRectangle) {
  const TRect r{10, 5, 110, 60};
  const Result right = Draw("ab<br>abcd", r, taRightJustify);
  EXPECT_EQ(right.Canvas.Drawings[0].Rect.Left, 110 - 12);
  EXPECT_EQ(right.Canvas.Drawings[1].Rect.Left, 110 - 24);
  EXPECT_EQ(right.Canvas.Drawings[0].Rect.Top, 5);
  const Result centre = Draw("ab", r, taCenter);
  EXPECT_EQ(centre.Canvas.Drawings[0].Rect.Left, 10 + (100 - 12) / 2);
  // Right to left reading turns left into right.
  const Result rtl = Draw("ab", r, taLeftJustify, -1, -1, bdRightToLeft);
  EXPECT_EQ(rtl.Canvas.Drawings[0].Rect.Left, 110 - 12);
}

TEST(HtmlText, LinksKeepTheirAddressAndPlace) {
  const Result r = Draw("go <a href=\"HtTp://Example.ORG/Path?Q=1\">Here</a> or <A HREF='mailto:X@Y.id'>there</A>");
  ASSERT_EQ(r.Links.size(), 2u);
  EXPECT_EQ(r.Links[0].Href, "HtTp://Example.ORG/Path?Q=1");
  EXPECT_EQ(r.Links[1].Href, "mailto:X@Y.id");
  // "go", the space before the tag, then the link's text.
  EXPECT_EQ(Texts(r)[2], "Here");
  EXPECT_EQ(r.Links[0].Rect, (TRect{18, 0, 42, 16}));
  EXPECT_EQ(r.Canvas.Drawings[2].Font.Color, 0xFF0000u);  // blue
  EXPECT_FALSE(r.Canvas.Drawings[2].Font.Underline);
  EXPECT_EQ(HtmlHref("<a href=plain.html>"), "plain.html");
  EXPECT_EQ(HtmlHref("<a name=x>"), "");
}

TEST(HtmlText, HotAndPressedLinks) {
  const char* text = "<a href=a>one</a> <a href=b>two</a>";
  const Result hot = Draw(text, {}, taLeftJustify, 1, -1);
  EXPECT_FALSE(hot.Canvas.Drawings[0].Font.Underline);
  EXPECT_TRUE(hot.Canvas.Drawings[2].Font.Underline);
  EXPECT_EQ(hot.Canvas.Drawings[2].Font.Color, 0xFF0000u);
  const Result pressed = Draw(text, {}, taLeftJustify, 0, 0);
  EXPECT_EQ(pressed.Canvas.Drawings[0].Font.Color, 0x0000FFu);  // red
  TacHtmlLinkColors skin{true, 0x111111, 0x222222, 0x444444};
  EXPECT_EQ(HtmlLinkColor(skin, 0), 0x222222u);
  EXPECT_EQ(HtmlLinkColor(skin, 1), 0x444444u);
  EXPECT_EQ(HtmlLinkColor(skin, 2), MixColors(0x444444, 0x111111, 127));
}

TEST(HtmlText, MeasuringDrawsNothing) {
  FakeHtmlCanvas c;
  TsHtml html;
  TRect r{0, 0, 0xFFFF, 0};
  html.Init(c, "<b>ab</b> cd<br>e", -1, -1, r);
  TacLinks links;
  html.Render(links, true, r);
  EXPECT_TRUE(c.Drawings.empty());
  EXPECT_EQ(r, (TRect{0, 0, 14 + 18, 34}));
}

TEST(HtmlText, PlainCaption) {
  EXPECT_EQ(HtmlPlainText("<b>bold</b> and <a href=x>link</a>"), "bold and link");
  EXPECT_EQ(HtmlPlainText("a>b<c>d"), "a>bd");
  EXPECT_EQ(HtmlPlainText("x<y"), "x<y");
  EXPECT_EQ(HtmlPlainText("x<"), "x<");
  EXPECT_EQ(HtmlPlainText("<<b>>"), ">");
}

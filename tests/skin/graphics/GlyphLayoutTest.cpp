// The glyph-and-caption layout of buttons as a table of cases.
#include <gtest/gtest.h>

#include "skin/graphics/acGlyphLayout.h"

using namespace skin;

namespace {

struct Case {
  const char* What;
  TRect R;
  TPoint Glyph, Text;
  TButtonLayout Layout;
  TAlignment Alignment;
  int Margin, Spacing;
  uint8_t BiDi, VertAlign;
  TPoint GlyphPos;
  TRect TextRect;
};

constexpr TRect kButton{0, 0, 100, 30};
constexpr TPoint kGlyph{16, 16}, kText{40, 12};

const Case kCases[] = {
    {"automatic margin and spacing are a third of the free width each", kButton, kGlyph, kText, blGlyphLeft,
     taLeftJustify, -1, -1, 0, kVertAlignNone, {14, 7}, {44, 9, 86, 21}},
    {"right to left keeps the glyph's distance from the other edge", kButton, kGlyph, kText, blGlyphLeft,
     taLeftJustify, -1, -1, kBiDiRightToLeft, kVertAlignNone, {70, 7}, {14, 9, 56, 21}},
    {"without text the spacing is ignored", kButton, kGlyph, {0, 0}, blGlyphLeft, taCenter, 4, 10, 0,
     kVertAlignNone, {42, 7}, {58, 15, 58, 15}},
    {"glyph on top, text right below it, the pair centred", {0, 0, 60, 60}, kGlyph, {30, 12}, blGlyphTop, taCenter,
     -1, 4, 0, kVertAlignNone, {22, 14}, {15, 34, 45, 46}},
    {"glyph at the bottom, text right above it", {0, 0, 60, 60}, kGlyph, {30, 12}, blGlyphBottom, taCenter, -1, 4,
     0, kVertAlignNone, {22, 30}, {15, 14, 45, 26}},
    {"glyph right, right-justified: text ends a spacing before it", kButton, kGlyph, kText, blGlyphRight,
     taRightJustify, 5, 3, 0, kVertAlignNone, {79, 7}, {0, 9, 76, 21}},
    {"glyph right, left-justified", kButton, kGlyph, kText, blGlyphRight, taLeftJustify, 5, 3, 0, kVertAlignNone,
     {48, 7}, {5, 9, 45, 21}},
    {"a given margin with automatic spacing splits what is left", kButton, kGlyph, kText, blGlyphLeft, taLeftJustify,
     6, -1, 0, kVertAlignNone, {6, 7}, {41, 9, 94, 21}},
    {"top alignment puts both at the margin", kButton, kGlyph, kText, blGlyphLeft, taLeftJustify, 3, 2, 0,
     kVertAlignTop, {3, 3}, {21, 3, 97, 15}},
    {"bottom alignment puts both the margin above the bottom", kButton, kGlyph, kText, blGlyphLeft, taLeftJustify, 3,
     2, 0, kVertAlignBottom, {3, 11}, {21, 15, 97, 27}},
    {"centred with automatic margin centres the pair", kButton, kGlyph, kText, blGlyphLeft, taCenter, -1, 0, 0,
     kVertAlignCenter, {22, 7}, {38, 9, 78, 21}},
    {"without a glyph the text starts at the margin", kButton, {0, 0}, kText, blGlyphLeft, taLeftJustify, 4, 6, 0,
     kVertAlignNone, {0, 15}, {4, 9, 48, 21}},
};

}  // namespace

TEST(GlyphLayout, Table) {
  for (const Case& c : kCases) {
    const TGlyphTextLayout l =
        LayoutGlyphAndText(c.R, c.Glyph, c.Text, c.Layout, c.Alignment, c.Margin, c.Spacing, c.BiDi, c.VertAlign);
    EXPECT_EQ(l.GlyphPos, c.GlyphPos) << c.What << ": glyph at " << l.GlyphPos.X << "," << l.GlyphPos.Y;
    EXPECT_EQ(l.TextRect, c.TextRect) << c.What << ": text " << l.TextRect.Left << "," << l.TextRect.Top << ","
                                      << l.TextRect.Right << "," << l.TextRect.Bottom;
  }
}

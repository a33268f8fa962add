// Element values: every older notation to the canonical one (one table), and the canonical
// fields read back, with the conversion error for values that do not hold them.
#include <gtest/gtest.h>

#include <string>

#include "rtl/SysUtils.h"
#include "skin/core/acSkinElements.h"

namespace {

std::string Z(int n) { return std::string(size_t(n), '0'); }

TEST(ElementValue, OlderNotationsToCanonical) {
  struct { const char* value; std::string canonical; } cases[] = {
      // canonical values stay as they are
      {"&0000000000900040000400040004000431000000000", "&0000000000900040000400040004000431000000000"},
      // shorter than four characters: three frames, flags 01
      {"!A", "&" + Z(32) + "30" + "0" + "01" + Z(6) + "A"},
      {"AB", "&" + Z(32) + "30" + "1" + "01" + Z(6) + "AB"},
      // "!" kind 0: borders from words 5-8, frame count and mask type from words 2 and 3
      {"!GLYPH.BMP!2!0!0!0002!0002!0003!0004!05", "&" + Z(16) + "0002000200030004" + "200" + "05" + Z(6) + "GLYPH.BMP"},
      // "!" kind 3, with and without the border words
      {"!A.BMP!1!1!3!0001!0002!0003!0004!7", "&" + Z(16) + "0001000200030004" + "113" + "07" + Z(6) + "A.BMP"},
      {"!A.BMP!2!0!3", "&" + Z(32) + "10" + "3" + "00" + Z(6) + "A.BMP"},
      // "!" kind 2 without a rectangle, kind 4 with one
      {"!G.PNG!2!1!2", "&" + Z(32) + "212" + "00" + Z(6) + "G.PNG"},
      {"!GLYPH.BMP!2!0!4!0000!0000!0032!0016!01", "&0000000000320016" + Z(16) + "204" + "01" + Z(6) + "GLYPH.BMP"},
      // "!" kind word out of range: a negative word is kind 0, a larger one kind 4, no number 0
      {"!A.BMP!1!0!-1!0001!0001!0001!0001!00", "&" + Z(16) + "0001000100010001" + "100" + "00" + Z(6) + "A.BMP"},
      {"!A.BMP!1!0!9!0001!0002!0003!0004!00", "&0001000200030004" + Z(16) + "104" + "00" + Z(6) + "A.BMP"},
      {"!A.BMP!1!0!X!0001!0002!0003!0004!3", "&" + Z(16) + "0001000200030004" + "100" + "03" + Z(6) + "A.BMP"},
      // a plain file name, and a name followed by "!" words (kind 1)
      {"PATTERN.BMP", "&" + Z(32) + "10" + "1" + "00" + Z(6) + "PATTERN.BMP"},
      {"GLYPH.BMP!2!0!0!0002!0002!0002!0002!00", "&" + Z(32) + "201" + "00" + Z(6) + "GLYPH.BMP"},
      // "^": rectangle, borders, frames, mask type, flags; zero borders from word 12 or the rectangle
      {"^0001^0002^0003^0004^0005^0006^0007^0008^3^1^2", "&00010002000300040005000600070008" + std::string("310") + "02" + Z(6)},
      {"^0000^0000^0060^0020^0000^0000^0000^0000^2^0^00^7", "&0000000000600020" + std::string("0007000700070007") + "200" + "00" + Z(6)},
      {"^0110^0000^0140^0030^0000^0000^0000^0000^1^0^00^0000", "&0110000001400030" + std::string("0014001400140014") + "100" + "00" + Z(6)},
      {"^0000^0000^0090^0040^0000^0000^0000^0000^3^1^00^0000", "&0000000000900040" + std::string("0014000900140009") + "310" + "00" + Z(6)},
      // "@": rectangle, frames, mask type; kind 2
      {"@0000@0040@0032@0056@2@0", "&0000004000320056" + Z(16) + "202" + "00" + Z(6)},
      // "~": rectangle, flags (word 5), mask type at the 25th character, name as word 7
      {"~0000~0000~0008~0008~00~0~PATTERN.BMP", "&0000000000080008" + Z(16) + "101" + "00" + Z(6) + "PATTERN.BMP"},
      {"~0001~0002~0003~0004~5", "&0001000200030004" + Z(16) + "101" + "05" + Z(6)},
  };
  for (const auto& t : cases) EXPECT_EQ(skin::ConvertElementValue(t.value), t.canonical) << t.value;
}

TEST(ElementValue, CaretWithZeroFramesIsAConversionError) {
  EXPECT_THROW(skin::ConvertElementValue("^0000^0000^0090^0040^0000^0000^0000^0000^0^1^00^0000"), rtl::EConvertError);
}

TEST(ElementValue, CanonicalFieldsAreRead) {
  skin::TacElementValue v = skin::ReadElementValue("&0001000200900040000400050006000737415000000FILE.BMP");
  EXPECT_EQ(v.SrcRect, (skin::TacRect{1, 2, 90, 40}));
  EXPECT_EQ(v.BorderLeft, 4);
  EXPECT_EQ(v.BorderTop, 5);
  EXPECT_EQ(v.BorderRight, 6);
  EXPECT_EQ(v.BorderBottom, 7);
  EXPECT_EQ(v.FrameCount, 3);
  EXPECT_EQ(v.MaskBlocks, 7);
  EXPECT_EQ(v.ElementKind, 4);  // a 4 stays 4
  EXPECT_EQ(v.PaintFlags, 15);
  EXPECT_EQ(v.FileName, "FILE.BMP");
  EXPECT_EQ(skin::ReadElementValue("&0000000000000000000000000000000010900").ElementKind, 4);  // 9 counts as 4
  EXPECT_EQ(skin::ReadElementValue("&00000000000000000000000000000000102000000").FileName, "");
}

TEST(ElementValue, ShortOrNonNumericFieldsAreConversionErrors) {
  const char* bad[] = {"", "&", "&0000000000900040", "&000000000090004000040004000400043100",  // cut short
                       "&00000000009000400004000400040004310",                              // flags cut
                       "&000000000090004X000400040004000431000000000", "&0000000000900040000400040004000431x0"};
  for (const char* v : bad) EXPECT_THROW(skin::ReadElementValue(v), rtl::EConvertError) << v;
  EXPECT_THROW(skin::ReadDigits("12", 2, 2), rtl::EConvertError);
  EXPECT_THROW(skin::ReadDigits("12", 0, 1), rtl::EConvertError);
  EXPECT_EQ(skin::ReadDigits("12", 2, 1), 2);
  EXPECT_EQ(skin::ReadOldValueRect("^0001^0002^0003^0004", 2), (skin::TacRect{1, 2, 3, 4}));
}

}  // namespace

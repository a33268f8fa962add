#include <gtest/gtest.h>

#include "rtl/SysUtils.h"
#include "rtl/Utf.h"

using namespace rtl;

TEST(Conversions, IntegersAndTheirErrorText) {
  EXPECT_EQ(StrToInt("10000"), 10000);
  EXPECT_EQ(StrToInt("-42"), -42);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToIntDef("x", 7), 7);
  for (const char* bad : {"", " 1", "1 ", "12a", "-", "2147483648", "$"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid integer value");
    }
  }
}

TEST(Conversions, FloatsAndTheirErrorText) {
  EXPECT_DOUBLE_EQ(StrToFloat("1500.25"), 1500.25);
  EXPECT_DOUBLE_EQ(StrToFloat("-3"), -3);
  EXPECT_DOUBLE_EQ(StrToFloat("1e3"), 1000);
  for (const char* bad : {"", "abc", "1,5", "1.2.3", "inf", "nan", "0x10"}) {
    try {
      StrToFloat(bad);
      ADD_FAILURE() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid floating point value");
    }
  }
  EXPECT_EQ(FloatToStr(0.1), "0.1");
  EXPECT_EQ(FloatToStr(250000), "250000");
}

TEST(Conversions, RoundIsHalfToEven) {
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(3.5), 4);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(2.4999), 2);
}

TEST(Text, CaseRulesAreAsciiOnly) {
  EXPECT_EQ(UpperCase("budi santoso"), "BUDI SANTOSO");
  EXPECT_TRUE(SameText("Admin", "ADMIN"));
  EXPECT_FALSE(SameText("Admin", "Admins"));
  EXPECT_EQ(Trim("  x y \t"), "x y");
}

TEST(Text, Utf8AndUtf16RoundTrip) {
  const std::string s = "SIT\xC3\x8C \xC3\xA9\xE2\x82\xAC \xF0\x9F\x98\x80";
  std::u16string w = Utf8ToUtf16(s);
  EXPECT_EQ(w.size(), 10u);  // the emoji takes a surrogate pair
  EXPECT_EQ(Utf16ToUtf8(w), s);
  // Broken input is replaced, never dropped or read past its end.
  EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

#include <gtest/gtest.h>

#include "rtl/SysUtils.h"
#include "rtl/Utf.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

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

// The program reads its switches with this instead of the shell's splitter: under Windows
// each line is split by the shell as well and must come out the same.
TEST(Text, CommandLinesSplitLikeTheSystem) {
  using Args = std::vector<std::string>;
  const struct {
    const char* line;
    Args args;
  } cases[] = {
      {"prog a  b\t", {"prog", "a", "b"}},
      {R"("C:\Program Files\k.exe" /acver)", {R"(C:\Program Files\k.exe)", "/acver"}},
      {R"("p q"r s)", {"p q", "r", "s"}},
      {R"(p "a b" c"d e"f)", {"p", "a b", "cd ef"}},
      {R"(p a\\b a\"b a\\"b c" a\\\"b)", {"p", R"(a\\b)", R"(a"b)", R"(a\b c)", R"(a\"b)"}},
      {R"(p "" """x""" "a""b")", {"p", "", R"("x")", R"(a"b)"}},
      {"p \"\xC3\x91usantara \xC3\xA9\"", {"p", "\xC3\x91usantara \xC3\xA9"}},
      {"p", {"p"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
#ifdef _WIN32
    int n = 0;
    LPWSTR* argv = CommandLineToArgvW(W(c.line).c_str(), &n);
    ASSERT_NE(argv, nullptr);
    Args shell;
    for (int i = 0; i < n; ++i) shell.push_back(U8(argv[i]));
    LocalFree(argv);
    EXPECT_EQ(SplitCommandLine(c.line), shell) << c.line;
#endif
  }
}

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "registry/rules/Code39.h"

using namespace registry::rules;

namespace {

// Characters as the standard prints them at a wide-to-narrow ratio of 2:1 (one digit per
// module, bar 1, space 0).
TEST(Code39, CharactersMatchTheStandardsBarPatterns) {
  const struct {
    char c;
    const char* modules;
  } cases[] = {
      {'0', "101001101101"}, {'1', "110100101011"}, {'2', "101100101011"}, {'5', "110100110101"},
      {'9', "101100101101"}, {'A', "110101001011"}, {'J', "101011001101"}, {'K', "110101010011"},
      {'M', "110110101001"}, {'T', "101011011001"}, {'U', "110010101011"}, {'Z', "100110110101"},
      {'-', "100101011011"}, {'.', "110010101101"}, {' ', "100110101101"}, {'*', "100101101101"},
      {'$', "100100100101"}, {'/', "100100101001"}, {'+', "100101001001"}, {'%', "101001001001"},
  };
  for (const auto& c : cases) EXPECT_EQ(Code39Modules(std::string(1, c.c), 2), c.modules) << c.c;
}

TEST(Code39, EveryCharacterHasThreeWideElementsAndTheLabelIsFramed) {
  std::string all = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%";
  for (char c : all) {
    std::string_view p = Code39Pattern(c);
    ASSERT_EQ(p.size(), 9u) << c;
    EXPECT_EQ(std::count(p.begin(), p.end(), 'w'), 3) << c;
  }
  EXPECT_EQ(Code39Pattern('k'), Code39Pattern('K'));
  // Start, digits, stop, each character 9 elements plus one gap; 3:1 gives 15 modules.
  std::string label = Code39Framed("1000007032026");
  EXPECT_EQ(label, "*1000007032026*");
  std::string m = Code39Modules(label);
  EXPECT_EQ(m.size(), 15u * 16 - 1);
  EXPECT_EQ(m.substr(0, 16), "1000101110111010");  // "*" and the gap
  EXPECT_EQ(m.substr(m.size() - 15), "100010111011101");
}

TEST(Code39, RefusesCharactersItHasNoCodeFor) {
  for (const char* text : {"12_3", "ÄB", "a\tb", "#"}) EXPECT_THROW(Code39Modules(text), ECode39Error) << text;
  EXPECT_TRUE(Code39Pattern('\0').empty());
}

}  // namespace

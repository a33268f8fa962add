#include <gtest/gtest.h>

#include "shell/rules/PelkatRule.h"

using shell::DecidePelkat;

struct PelkatCase {
  int umur;
  const char* nikah;
  const char* sex;
  const char* group;  // nullptr: nothing written
};

TEST(Pelkat, EveryBoundaryOfTheRules) {
  const PelkatCase cases[] = {
      {0, "BELUM", "Pria", "PA"},       // no birth date reads as age 0
      {12, "SUDAH", "Wanita", "PA"},
      {13, "BELUM", "Pria", "PT"},
      {17, "SUDAH", "Wanita", "PT"},
      {18, "BELUM", "Pria", "GP"},
      {35, "BELUM", "Wanita", "GP"},
      {18, "SUDAH", "Pria", "PKB"},
      {30, "SUDAH", "Wanita", "PKP"},
      {35, "SUDAH", "Wanita", "PKP"},
      {30, "CERAI", "Pria", nullptr},   // neither state: keeps the old group
      {30, "sudah", "Pria", nullptr},   // case-sensitive
      {30, "SUDAH", "pria", nullptr},
      {36, "BELUM", "Pria", "GP"},
      {40, "BELUM", "Wanita", "GP"},
      {45, "BELUM", "Pria", "GP"},
      {46, "BELUM", "Wanita", "PKP"},
      {46, "BELUM", "Pria", "PKB"},
      {36, "SUDAH", "Wanita", "PKP"},
      {59, "CERAI", "Pria", "PKB"},     // 36 to 59: marital state no longer matters
      {50, "SUDAH", "", nullptr},       // no sex: keeps the old group
      {60, "BELUM", "Pria", "PKLU"},
      {60, "SUDAH", "", "PKLU"},
      {99, "CERAI", "Wanita", "PKLU"},
      {-1, "", "", "PA"},               // a birth date in the future
  };
  for (const auto& c : cases) {
    auto g = DecidePelkat(c.umur, c.nikah, c.sex);
    if (c.group) {
      ASSERT_TRUE(g.has_value()) << c.umur << " " << c.nikah << " " << c.sex;
      EXPECT_EQ(*g, c.group) << c.umur << " " << c.nikah << " " << c.sex;
    } else {
      EXPECT_FALSE(g.has_value()) << c.umur << " " << c.nikah << " " << c.sex << " -> " << *g;
    }
  }
}

TEST(Pelkat, GaugeIsRedUpToHalfOfTheRows) {
  // Four rows: red while drawing rows 1 to 3 (progress 0, 1, 2), blue for row 4.
  EXPECT_TRUE(shell::GaugeStillRed(0, 4));
  EXPECT_TRUE(shell::GaugeStillRed(2, 4));
  EXPECT_FALSE(shell::GaugeStillRed(3, 4));
  // Five rows: 2 is below half, 3 above.
  EXPECT_TRUE(shell::GaugeStillRed(2, 5));
  EXPECT_FALSE(shell::GaugeStillRed(3, 5));
}

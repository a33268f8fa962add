#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "registry/rules/Council.h"

using namespace registry::rules;
using rtl::EncodeDate;

namespace {

TEST(CouncilNumber, OneCounterForBothSexesWithTheSexSuffix) {
  struct Case {
    const char* last;  // nullptr: empty table
    const char* sex;
    const char* next;
  } cases[] = {
      {nullptr, "Pria", "MJ-10000-1"},         {nullptr, "Wanita", "MJ-10000-2"},
      {"MJ-10004-2", "Pria", "MJ-10005-1"},    {"MJ-10004-1", "Wanita", "MJ-10005-2"},
      {"MJ-10099-1", "Pria", "MJ-10100-1"},    {"MJ-99998-2", "Wanita", "MJ-99999-2"},
  };
  for (const Case& c : cases) {
    std::optional<std::string> last;
    if (c.last) last = c.last;
    EXPECT_EQ(NextCouncilNumber(last, c.sex), c.next) << (c.last ? c.last : "(none)") << " " << c.sex;
  }
}

TEST(CouncilNumber, RefusesWhatItCannotContinue) {
  // No member chosen (empty sex), an unknown sex, a last key without five digits at the
  // counter's place, and the end of the five digits.
  EXPECT_THROW(NextCouncilNumber(std::nullopt, ""), ENumberingError);
  EXPECT_THROW(NextCouncilNumber(std::nullopt, "pria "), ENumberingError);
  EXPECT_THROW(NextCouncilNumber(std::string("[Auto]"), "Pria"), ENumberingError);
  EXPECT_THROW(NextCouncilNumber(std::string("MJ-1000-1"), "Pria"), ENumberingError);
  EXPECT_THROW(NextCouncilNumber(std::string("MJ-99999-1"), "Pria"), ENumberingError);
}

TEST(CouncilPeriod, YearsOfStartAndEnd) {
  EXPECT_EQ(PeriodText(EncodeDate(2014, 12, 31) + 0.9, EncodeDate(2019, 1, 1)), "2014-2019");
  EXPECT_EQ(PeriodText(EncodeDate(2021, 6, 1), EncodeDate(2016, 6, 1)), "2021-2016");
}

TEST(CouncilAge, WholeDaysDividedBy365) {
  const rtl::TDateTime now = EncodeDate(2025, 3, 10) + 0.5;
  struct Case {
    int daysAgo;
    int age;
  } cases[] = {{0, 0}, {364, 0}, {365, 1}, {400, 1}, {729, 1}, {730, 2}, {365 * 40 + 10, 40}};
  for (const Case& c : cases) EXPECT_EQ(AgeInYears(rtl::DateOf(now) - c.daysAgo, now), c.age) << c.daysAgo;
}

std::vector<int> Deal(int groups, int rows) {
  TGroupDeal deal(groups);
  std::vector<int> out;
  for (int i = 0; i < rows; ++i) out.push_back(deal.Next());
  return out;
}

TEST(GroupDeal, RoundRobinFromGroupOne) {
  EXPECT_EQ(Deal(3, 5), (std::vector<int>{1, 2, 3, 1, 2}));
  EXPECT_EQ(Deal(3, 2), (std::vector<int>{1, 2}));
  EXPECT_EQ(Deal(1, 3), (std::vector<int>{1, 1, 1}));
  // More groups than rows leaves the higher groups empty.
  EXPECT_EQ(Deal(10, 3), (std::vector<int>{1, 2, 3}));
  // A count below one puts everyone into group 1.
  EXPECT_EQ(Deal(-2, 3), (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(Deal(0, 2), (std::vector<int>{1, 1}));
}

}  // namespace

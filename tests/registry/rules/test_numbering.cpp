#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "registry/rules/Numbering.h"

using namespace registry::rules;
using rtl::EncodeDate;

namespace {

const std::optional<std::string> kNone;

struct Case {
  const char* last;  // nullptr: empty table
  const char* next;
};

TEST(FamilyNumber, StartsAtTenThousandAndContinuesTheLastKey) {
  const Case cases[] = {
      {nullptr, "NK-10000"}, {"NK-10000", "NK-10001"}, {"NK-10009", "NK-10010"},
      {"NK-12345", "NK-12346"}, {"NK-99998", "NK-99999"},
  };
  for (const Case& c : cases) {
    std::optional<std::string> last;
    if (c.last) last = c.last;
    EXPECT_EQ(NextFamilyNumber(last), c.next) << (c.last ? c.last : "(none)");
  }
}

TEST(RegistrationNumber, CounterThenTheRegistrationDateAsDayMonthYear) {
  EXPECT_EQ(NextRegistrationNumber(kNone, EncodeDate(2026, 1, 5)), "REG-10000-05012026");
  // The counter runs over the whole table; the date only records the day.
  EXPECT_EQ(NextRegistrationNumber(std::string("REG-10000-05012026"), EncodeDate(2026, 11, 23)),
            "REG-10001-23112026");
  EXPECT_EQ(NextRegistrationNumber(std::string("REG-10199-31121999"), EncodeDate(2000, 2, 29)),
            "REG-10200-29022000");
  // The time of day plays no part.
  EXPECT_EQ(DatePart(EncodeDate(2024, 9, 7) + 0.99), "07092024");
}

TEST(MemberNumber, CarriesTheFamilyDigitsAndCountsWithinTheFamily) {
  EXPECT_EQ(NextMemberNumber("NK-10001", kNone, kNone), "NJ-10001.10000");
  EXPECT_EQ(NextMemberNumber("NK-10001", std::string("NJ-10001.10000"), kNone), "NJ-10001.10001");
  EXPECT_EQ(NextMemberNumber("NK-20500", std::string("NJ-20500.10041"), kNone), "NJ-20500.10042");
}

// Registrations stay when members are deleted: the number after the higher of the last
// stored member and the last registered one, so no number is given twice.
TEST(MemberNumber, NeverGivesANumberItsRegistrationsStillHold) {
  struct MemberCase {
    const char* lastMember;      // nullptr: no member stored
    const char* lastRegistered;  // nullptr: no registration
    const char* next;
  } cases[] = {
      {nullptr, "NJ-10001.10000", "NJ-10001.10001"},         // the only member was deleted
      {"NJ-10001.10001", "NJ-10001.10003", "NJ-10001.10004"},  // the last two were deleted
      {"NJ-10001.10004", "NJ-10001.10002", "NJ-10001.10005"},  // members without registration
      {"NJ-10001.10004", "NJ-10001.10004", "NJ-10001.10005"},
  };
  for (const MemberCase& c : cases) {
    std::optional<std::string> member, registered;
    if (c.lastMember) member = c.lastMember;
    if (c.lastRegistered) registered = c.lastRegistered;
    EXPECT_EQ(NextMemberNumber("NK-10001", member, registered), c.next)
        << (c.lastMember ? c.lastMember : "(none)") << " " << (c.lastRegistered ? c.lastRegistered : "(none)");
  }
}

// Continuing from a key that does not hold five digits at the counter's place would give
// a number out of order or one that exists already: refused, never guessed.
TEST(Numbering, RefusesLastKeysItCannotContinue) {
  const char* families[] = {"NK-", "NK-1234", "NK-1O000", "NK- 1000", "XX", "NK-99999", "NK-00005", ""};
  for (const char* last : families)
    EXPECT_THROW(NextFamilyNumber(std::string(last)), ENumberingError) << last;
  EXPECT_THROW(NextRegistrationNumber(std::string("REG-ABCDE-01012020"), EncodeDate(2020, 1, 1)),
               ENumberingError);
  EXPECT_THROW(NextRegistrationNumber(std::string("REG-99999-01012020"), EncodeDate(2020, 1, 1)),
               ENumberingError);
  EXPECT_THROW(NextMemberNumber("NK-10001", std::string("NJ-10001."), kNone), ENumberingError);
  EXPECT_THROW(NextMemberNumber("NK-10001", std::string("NJ-10001.99999"), kNone), ENumberingError);
  EXPECT_THROW(NextMemberNumber("NK-10001", kNone, std::string("NJ-10001.99999")), ENumberingError);
  EXPECT_THROW(NextMemberNumber("NK-10001", std::string("NJ-10001.10000"), std::string("TST-1")), ENumberingError);
  // The family number itself must be one the program gave out.
  for (const char* nik : {"[Auto]", "", "NK-1000", "NK-100001", "NX-10001"})
    EXPECT_THROW(NextMemberNumber(nik, kNone, kNone), ENumberingError) << nik;
}

TEST(Numbering, TheErrorNamesTheKeyItRefused) {
  try {
    NextFamilyNumber(std::string("NK-ABCDE"));
    FAIL();
  } catch (const ENumberingError& e) {
    EXPECT_NE(e.Message().find("NK-ABCDE"), std::string::npos);
  }
}

}  // namespace

namespace {

TEST(SacramentNumber, CounterDateAndSuffixOverTheWholeTable) {
  EXPECT_EQ(NextSacramentNumber(kNone, EncodeDate(2026, 3, 7), "BPT"), "10000/07032026/BPT");
  // The counter runs on across days and suffixes share the scheme.
  EXPECT_EQ(NextSacramentNumber(std::string("10000/07032026/BPT"), EncodeDate(2026, 12, 24), "BPT"),
            "10001/24122026/BPT");
  EXPECT_EQ(NextSacramentNumber(std::string("10419/01012025/KTS"), EncodeDate(2025, 1, 2), "KTS"),
            "10420/02012025/KTS");
  EXPECT_EQ(NextSacramentNumber(std::string("99998/31122030/NKH"), EncodeDate(2031, 1, 1), "NKH"),
            "99999/01012031/NKH");
  EXPECT_EQ(SacramentLabelDigits("10000/07032026/KTS"), "1000007032026");
}

// Past 99999 the first five characters would no longer be the counter and the next
// number would repeat one that exists: refused before anything is written.
TEST(SacramentNumber, RefusesACounterPastItsDigitsAndKeysItCannotRead) {
  const char* lasts[] = {"99999/31122030/BPT", "1000/07032026/BPT", "ABCDE/07032026/BPT", "", "/"};
  for (const char* last : lasts)
    EXPECT_THROW(NextSacramentNumber(std::string(last), EncodeDate(2031, 1, 1), "BPT"), ENumberingError) << last;
}

}  // namespace

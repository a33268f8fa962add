// The dues and loan rules and the transfer number: the amount in words over the worked
// examples, zero, the largest amount and beyond, negative amounts; the receipt, loan and
// transfer numbers with their first counters and a counter past its digits refused.
#include <gtest/gtest.h>

#include "registry/rules/Numbering.h"
#include "worship/rules/Documents.h"

using namespace worship::rules;
using registry::rules::ENumberingError;
using rtl::EncodeDate;

namespace {

TEST(AmountInWords, WorkedExamplesZeroAndTheLargestAmount) {
  struct Case {
    double amount;
    const char* words;
  };
  const Case cases[] = {
      {1, "satu"},
      {10, "sepuluh"},
      {11, "sebelas"},
      {12, "dua belas"},
      {21, "dua puluh satu"},
      {100, "seratus"},
      {115, "seratus lima belas"},
      {999, "sembilan ratus sembilan puluh sembilan"},
      {1000, "seribu"},
      {1001, "seribu satu"},
      {1500, "seribu lima ratus"},
      {11000, "sebelas ribu"},
      {50000, "lima puluh ribu"},
      {101000, "seratus satu ribu"},
      {250000, "dua ratus lima puluh ribu"},
      {1000000, "satu juta"},
      {1250000, "satu juta dua ratus lima puluh ribu"},
      {1000000000, "satu milyar"},
      {1000000000000, "satu trilyun"},
      {50000.49, "lima puluh ribu"},
      {150000, "seratus lima puluh ribu"},
      {0, ""},
      // Only the thousands group says "se" for a lone one.
      {1001000, "satu juta seribu"},
      {1000001, "satu juta satu"},
      {999.995, "seribu"},  // rounded to cents first
      {999999999999999, "sembilan ratus sembilan puluh sembilan trilyun sembilan ratus sembilan puluh sembilan "
                        "milyar sembilan ratus sembilan puluh sembilan juta sembilan ratus sembilan puluh "
                        "sembilan ribu sembilan ratus sembilan puluh sembilan"},
      // The sign is not worded.
      {-5000, "lima ribu"},
      {-50000, "lima puluh ribu"},
      {-1, "satu"},
      // Beyond fifteen integer places (fourteen with a sign) there are no words.
      {1e15, ""},
      {-1e14, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(AmountInWords(c.amount), c.words) << std::fixed << c.amount;
}

TEST(TotalText, SeparatorsNoDecimalsAndZeroEmpty) {
  EXPECT_EQ(TotalText(0), "");
  EXPECT_EQ(TotalText(150000), "150,000");
  EXPECT_EQ(TotalText(50000.4), "50,000");
}

TEST(DocumentNumbers, FirstCountersAndTheLastStoredNumberContinued) {
  const auto day = EncodeDate(2026, 3, 8);
  EXPECT_EQ(NextReceiptNumber(std::nullopt, "2019-2020", day), "1000000/MPAG-SLV/2019-2020/08032026");
  EXPECT_EQ(NextReceiptNumber(std::string("1000041/MPAG-SLV/2024-2025/01012026"), "2020-2021", day),
            "1000042/MPAG-SLV/2020-2021/08032026");
  EXPECT_EQ(NextLoanNumber(std::nullopt, day), "10000/08032026/PBA");
  EXPECT_EQ(NextLoanNumber(std::string("10007/01012026/PBA"), day), "10008/08032026/PBA");
  EXPECT_EQ(registry::rules::NextTransferNumber(std::nullopt, day), "100000/08032026/ATT");
  EXPECT_EQ(registry::rules::NextTransferNumber(std::string("100099/31122025/ATT"), day), "100100/08032026/ATT");
}

TEST(DocumentNumbers, ACounterPastItsDigitsOrAnUnreadableOneIsRefused) {
  const auto day = EncodeDate(2026, 3, 8);
  for (const char* last : {"9999999/MPAG-SLV/2019-2020/01012026", "100000/MPAG", "x000000/MPAG", ""})
    EXPECT_THROW(NextReceiptNumber(std::string(last), "2019-2020", day), ENumberingError) << last;
  for (const char* last : {"99999/01012026/PBA", "1000/01012026/PBA", ""})
    EXPECT_THROW(NextLoanNumber(std::string(last), day), ENumberingError) << last;
  for (const char* last : {"999999/01012026/ATT", "10000/01012026/ATT", "abc"})
    EXPECT_THROW(registry::rules::NextTransferNumber(std::string(last), day), ENumberingError) << last;
}

}  // namespace

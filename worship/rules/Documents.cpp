#include "worship/rules/Documents.h"

#include <cmath>
#include <cstdio>

#include "registry/rules/Numbering.h"
#include "rtl/FormatNumber.h"
#include "rtl/SysUtils.h"

namespace worship::rules {

const std::vector<const char*>& DuesPeriods() {
  static const std::vector<const char*> p{"2019-2020", "2020-2021", "2021-2022",
                                          "2022-2023", "2023-2024", "2024-2025"};
  return p;
}

std::string NextReceiptNumber(const std::optional<std::string>& last, std::string_view period, rtl::TDateTime day) {
  return rtl::IntToStr(registry::rules::NextCounter(last, 1, 7)) + "/MPAG-SLV/" + std::string(period) + "/" +
         registry::rules::DatePart(day);
}

std::string NextLoanNumber(const std::optional<std::string>& last, rtl::TDateTime day) {
  return registry::rules::NextSacramentNumber(last, day, "PBA");
}

namespace {

const char* const kDigits[] = {"", "satu", "dua", "tiga", "empat", "lima", "enam", "tujuh", "delapan", "sembilan"};
const char* const kScales[] = {"trilyun", "milyar", "juta", "ribu", ""};

int DigitAt(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

// A group's text read as an integer: blanks before it ignored, anything else that is no
// number read as 0.
bool GroupIsZero(std::string_view group) {
  while (!group.empty() && group.front() == ' ') group.remove_prefix(1);
  if (group.empty()) return true;
  size_t i = group.front() == '-' || group.front() == '+' ? 1 : 0;
  if (i == group.size()) return true;
  for (size_t j = i; j < group.size(); ++j)
    if (group[j] < '0' || group[j] > '9') return true;
  for (size_t j = i; j < group.size(); ++j)
    if (group[j] != '0') return false;
  return true;
}

}  // namespace

std::string AmountInWords(double amount) {
  if (amount == 0 || !std::isfinite(amount)) return {};
  // Fifteen places hold the integer part, a minus sign taking one of them.
  const double whole = std::fabs(std::round(amount * 100) / 100);
  if (whole >= (amount < 0 ? 1e14 : 1e15)) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%18.2f", amount);
  const std::string digits = std::string(text).substr(0, 15);
  std::string result;
  for (int k = 0; k < 5; ++k) {
    const std::string_view group = std::string_view(digits).substr(static_cast<size_t>(k) * 3, 3);
    if (GroupIsZero(group)) continue;
    const int hundreds = DigitAt(group[0]), tens = DigitAt(group[1]), units = DigitAt(group[2]);
    std::string words;
    if (hundreds == 1) words += "seratus ";
    else if (hundreds > 1) words += std::string(kDigits[hundreds]) + " ratus ";
    if (tens == 1) {
      if (units == 0) words += "sepuluh ";
      else if (units == 1) words += "sebelas ";
      else words += std::string(kDigits[units]) + " belas ";
    } else if (tens > 1) {
      words += std::string(kDigits[tens]) + " puluh ";
    }
    if (tens != 1) {
      if (units == 1) words += (k == 3 && hundreds == 0 && tens == 0) ? "se" : "satu ";
      else if (units > 1) words += std::string(kDigits[units]) + " ";
    }
    result += words + kScales[k] + " ";
  }
  while (!result.empty() && result.back() == ' ') result.pop_back();
  return result;
}

std::string TotalText(double total) { return rtl::FormatFloat("###,", total); }

}  // namespace worship::rules

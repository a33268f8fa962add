// The dues payments and item loans without windows: their numbers, the dues periods and
// the amount in words that the receipt prints. Win32-free.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/DateUtils.h"

namespace worship::rules {

// The dues periods in list order.
const std::vector<const char*>& DuesPeriods();

// A receipt number: a seven-digit counter (1000000 for the first payment) that follows
// the last stored receipt, "/MPAG-SLV/", the period, "/", the day of saving as ddmmyyyy.
// A last number without seven digits first, or a counter that would outgrow them,
// throws registry::rules::ENumberingError.
std::string NextReceiptNumber(const std::optional<std::string>& lastNoKwitansi, std::string_view period,
                              rtl::TDateTime day);

// A loan form number: a five-digit counter (10000 first) + "/" + ddmmyyyy + "/PBA";
// refused past its digits as the receipt number is.
std::string NextLoanNumber(const std::optional<std::string>& lastNoBlanko, rtl::TDateTime day);

// An amount in Indonesian words, as the receipt writes it: whole rupiah only (the
// decimals are rounded to cents and never worded), groups of three digits with
// "trilyun", "milyar", "juta", "ribu", "seribu" for a lone thousand, the sign not
// worded. Zero gives the empty text; so does an amount of more than fifteen integer
// digits (fourteen when negative), which the words cannot hold.
std::string AmountInWords(double amount);

// The text a total shows in the payment window ("###,": separators, no decimals, zero
// empty).
std::string TotalText(double total);

}  // namespace worship::rules

// Number patterns of the class library's FormatFloat, as the program's screens and
// reports use them ("#.##", "#,##", "#,###", "###,", "#####,"): '#' is an optional digit,
// '0' a required one, ',' anywhere in the integer part turns on thousands separators,
// '.' places the decimal point. A value that leaves no digit (zero under "#,##") is "".
#pragma once
#include <string>
#include <string_view>

namespace rtl {

struct NumberFormat {
  char thousandSeparator = ',';
  char decimalSeparator = '.';
};

// The process-wide separators; the Windows layer fills them from the user's locale at start-up.
NumberFormat& DefaultNumberFormat();

std::string FormatFloat(std::string_view pattern, double value, const NumberFormat& fmt);
inline std::string FormatFloat(std::string_view pattern, double value) {
  return FormatFloat(pattern, value, DefaultNumberFormat());
}

}  // namespace rtl

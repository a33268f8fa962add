// Dates as the class library keeps them: days since 30 December 1899 with the time of
// day as fraction. That day itself (value 0) is the program's "does not apply" date.
#pragma once
#include <array>
#include <string>
#include <string_view>

namespace rtl {

using TDateTime = double;
inline constexpr TDateTime ZeroDate = 0.0;

struct DateParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, msec = 0;
};

bool IsValidDate(int y, int m, int d);
// 28 to 31, leap years counted; 0 for a month that does not exist.
int DaysInAMonth(int y, int m);
// Raise EConvertError for a day that does not exist.
TDateTime EncodeDate(int y, int m, int d);
TDateTime EncodeTime(int h, int n, int s, int ms = 0);
DateParts DecodeDateTime(TDateTime v);
TDateTime DateOf(TDateTime v);
TDateTime TimeOf(TDateTime v);

// The local clock.
TDateTime Now();
TDateTime Date();

// The short date format is day/month/year with a four-digit year ("05/01/2026").
std::string DateToStr(TDateTime v);
std::string TimeToStr(TDateTime v);  // "hh:nn:ss"
// Accepts d/m/y with one or two digit day and month and a two or four digit year
// (two digits mean 2000-2049 or 1950-1999). Raises EConvertError "'%s' is not a valid date".
TDateTime StrToDate(std::string_view s);

// Tokens: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz, "/" ":" and quoted text.
// Month and day names are Indonesian, as the program shows them.
std::string FormatDateTime(std::string_view fmt, TDateTime v);

extern const std::array<const char*, 12> IndonesianMonthNames;
extern const std::array<const char*, 7> IndonesianDayNames;  // Sunday first

}  // namespace rtl

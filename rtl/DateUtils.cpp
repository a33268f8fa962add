#include "rtl/DateUtils.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "rtl/SysUtils.h"

namespace rtl {

const std::array<const char*, 12> IndonesianMonthNames = {
    "Januari", "Februari", "Maret", "April", "Mei", "Juni",
    "Juli", "Agustus", "September", "Oktober", "November", "Desember"};
const std::array<const char*, 7> IndonesianDayNames = {"Minggu", "Senin", "Selasa", "Rabu",
                                                       "Kamis", "Jumat", "Sabtu"};

namespace {

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int DaysInMonth(int y, int m) {
  static const int d[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : d[m - 1];
}

// Days from the civil date to 1970-01-01 (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long yy = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

const long long kEpochOffset = DaysFromCivil(1899, 12, 30);  // 1899-12-30 relative to 1970

std::string Pad(int v, int width) {
  std::string s = std::to_string(v);
  while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
  return s;
}

}  // namespace

int DaysInAMonth(int y, int m) { return m >= 1 && m <= 12 ? DaysInMonth(y, m) : 0; }

bool IsValidDate(int y, int m, int d) {
  return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m);
}

TDateTime EncodeDate(int y, int m, int d) {
  if (!IsValidDate(y, m, d)) throw EConvertError("Invalid argument to date encode");
  return static_cast<TDateTime>(DaysFromCivil(y, unsigned(m), unsigned(d)) - kEpochOffset);
}

TDateTime EncodeTime(int h, int n, int s, int ms) {
  if (h < 0 || h > 23 || n < 0 || n > 59 || s < 0 || s > 59 || ms < 0 || ms > 999)
    throw EConvertError("Invalid argument to time encode");
  return (h * 3600000.0 + n * 60000.0 + s * 1000.0 + ms) / 86400000.0;
}

DateParts DecodeDateTime(TDateTime v) {
  DateParts p;
  // Round to the millisecond first so that 0.99999999 of a day does not show as 23:59:59.999.
  long long totalMs = static_cast<long long>(std::llround(v * 86400000.0));
  long long days = totalMs >= 0 ? totalMs / 86400000 : -((-totalMs + 86399999) / 86400000);
  long long msOfDay = totalMs - days * 86400000;
  // Negative values (before 1899) keep the class library's rule: the fraction counts forward.
  if (v < 0) {
    days = static_cast<long long>(std::trunc(v));
    msOfDay = std::llround(std::fabs(v - std::trunc(v)) * 86400000.0);
    if (msOfDay >= 86400000) msOfDay = 86399999;
  }
  CivilFromDays(days + kEpochOffset, p.year, p.month, p.day);
  p.hour = static_cast<int>(msOfDay / 3600000);
  p.minute = static_cast<int>(msOfDay / 60000 % 60);
  p.second = static_cast<int>(msOfDay / 1000 % 60);
  p.msec = static_cast<int>(msOfDay % 1000);
  return p;
}

TDateTime DateOf(TDateTime v) {
  DateParts p = DecodeDateTime(v);
  return EncodeDate(p.year, p.month, p.day);
}

TDateTime TimeOf(TDateTime v) {
  DateParts p = DecodeDateTime(v);
  return EncodeTime(p.hour, p.minute, p.second, p.msec);
}

TDateTime Now() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t t = system_clock::to_time_t(now);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
         EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec, ms);
}

TDateTime Date() { return std::floor(Now()); }

std::string DateToStr(TDateTime v) { return FormatDateTime("dd/mm/yyyy", v); }
std::string TimeToStr(TDateTime v) { return FormatDateTime("hh:nn:ss", v); }

TDateTime StrToDate(std::string_view s) {
  auto fail = [&]() -> TDateTime {
    throw EConvertError(Format("'%s' is not a valid date", std::string(s).c_str()));
  };
  std::string t = Trim(s);
  int parts[3] = {0, 0, 0};
  int lens[3] = {0, 0, 0};
  int k = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    char c = t[i];
    if (c >= '0' && c <= '9') {
      if (lens[k] >= 4) return fail();
      parts[k] = parts[k] * 10 + (c - '0');
      ++lens[k];
    } else if (c == '/' || c == '-' || c == '.') {
      if (lens[k] == 0 || k == 2) return fail();
      ++k;
    } else {
      return fail();
    }
  }
  if (k != 2 || lens[2] == 0 || lens[0] > 2 || lens[1] > 2 || lens[2] == 3) return fail();
  int y = parts[2];
  if (lens[2] <= 2) y += y < 50 ? 2000 : 1900;
  if (!IsValidDate(y, parts[1], parts[0])) return fail();
  return EncodeDate(y, parts[1], parts[0]);
}

std::string FormatDateTime(std::string_view fmt, TDateTime v) {
  DateParts p = DecodeDateTime(v);
  long long days = static_cast<long long>(std::floor(v));
  // Day 1 (31 December 1899) was a Sunday.
  int dow = static_cast<int>(((days - 1) % 7 + 7) % 7);
  std::string out;
  size_t i = 0;
  auto run = [&](char c) {
    size_t n = 0;
    while (i + n < fmt.size() && (fmt[i + n] | 0x20) == c) ++n;
    return n;
  };
  bool lastWasHour = false;
  while (i < fmt.size()) {
    char c = fmt[i];
    char lc = static_cast<char>(c | 0x20);
    if (c == '"' || c == '\'') {
      size_t j = fmt.find(c, i + 1);
      if (j == std::string_view::npos) j = fmt.size();
      out.append(fmt.substr(i + 1, j - i - 1));
      i = j + 1;
      continue;
    }
    size_t n;
    switch (lc) {
      case 'd':
        n = run('d');
        if (n == 1) out += std::to_string(p.day);
        else if (n == 2) out += Pad(p.day, 2);
        else if (n == 3) out += std::string(IndonesianDayNames[size_t(dow)]).substr(0, 3);
        else out += IndonesianDayNames[size_t(dow)];
        i += n;
        lastWasHour = false;
        break;
      case 'm':
        n = run('m');
        if (lastWasHour && n <= 2) {
          out += n == 1 ? std::to_string(p.minute) : Pad(p.minute, 2);
        } else if (n == 1) out += std::to_string(p.month);
        else if (n == 2) out += Pad(p.month, 2);
        else if (n == 3) out += std::string(IndonesianMonthNames[size_t(p.month - 1)]).substr(0, 3);
        else out += IndonesianMonthNames[size_t(p.month - 1)];
        i += n;
        lastWasHour = false;
        break;
      case 'y':
        n = run('y');
        out += n <= 2 ? Pad(p.year % 100, 2) : Pad(p.year, 4);
        i += n;
        lastWasHour = false;
        break;
      case 'h':
        n = run('h');
        out += n == 1 ? std::to_string(p.hour) : Pad(p.hour, 2);
        i += n;
        lastWasHour = true;
        break;
      case 'n':
        n = run('n');
        out += n == 1 ? std::to_string(p.minute) : Pad(p.minute, 2);
        i += n;
        lastWasHour = false;
        break;
      case 's':
        n = run('s');
        out += n == 1 ? std::to_string(p.second) : Pad(p.second, 2);
        i += n;
        lastWasHour = false;
        break;
      case 'z':
        n = run('z');
        out += n >= 3 ? Pad(p.msec, 3) : std::to_string(p.msec);
        i += n;
        lastWasHour = false;
        break;
      default:
        out.push_back(c);
        ++i;
        break;
    }
  }
  return out;
}

}  // namespace rtl

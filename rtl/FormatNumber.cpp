#include "rtl/FormatNumber.h"

#include <cmath>
#include <cstdio>

namespace rtl {

NumberFormat& DefaultNumberFormat() {
  static NumberFormat f;
  return f;
}

std::string FormatFloat(std::string_view pattern, double value, const NumberFormat& nf) {
  // Only the first section counts; the program never uses ";" sections.
  if (size_t semi = pattern.find(';'); semi != std::string_view::npos) pattern = pattern.substr(0, semi);
  size_t first = pattern.find_first_of("0#.,");
  size_t last = pattern.find_last_of("0#.,");
  std::string prefix, suffix;
  std::string_view body = pattern;
  if (first != std::string_view::npos) {
    prefix = std::string(pattern.substr(0, first));
    suffix = std::string(pattern.substr(last + 1));
    body = pattern.substr(first, last - first + 1);
  } else {
    return std::string(pattern);
  }
  size_t dot = body.find('.');
  std::string_view intPart = body.substr(0, dot);
  std::string_view fracPart = dot == std::string_view::npos ? std::string_view() : body.substr(dot + 1);
  bool thousands = intPart.find(',') != std::string_view::npos;
  int minInt = 0;
  for (char c : intPart)
    if (c == '0') ++minInt;
  int maxFrac = 0, minFrac = 0;
  for (char c : fracPart) {
    if (c == '0') {
      ++maxFrac;
      minFrac = maxFrac;
    } else if (c == '#') {
      ++maxFrac;
    }
  }
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");

  // Round half away from zero at the last decimal place, on the decimal text so that
  // binary fractions such as 2.675 do not round the wrong way.
  bool neg = value < 0;
  double a = std::fabs(value);
  std::string txt;
  {
    char exact[400];
    std::snprintf(exact, sizeof exact, "%.*f", maxFrac + 3, a);
    // Recompute from the longer text: round half up on its decimal digits.
    std::string e(exact);
    size_t pointPos = e.find('.');
    std::string digits = e;
    digits.erase(pointPos, 1);
    size_t keep = pointPos + static_cast<size_t>(maxFrac);
    bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
      int k = static_cast<int>(digits.size()) - 1;
      while (k >= 0 && digits[static_cast<size_t>(k)] == '9') digits[static_cast<size_t>(k--)] = '0';
      if (k < 0) {
        digits.insert(digits.begin(), '1');
        ++pointPos;
      } else {
        ++digits[static_cast<size_t>(k)];
      }
    }
    std::string s = digits.substr(0, digits.size() - static_cast<size_t>(maxFrac));
    if (maxFrac > 0) s += "." + digits.substr(digits.size() - static_cast<size_t>(maxFrac));
    txt = s;
  }
  size_t p = txt.find('.');
  std::string ip = p == std::string::npos ? txt : txt.substr(0, p);
  std::string fp = p == std::string::npos ? std::string() : txt.substr(p + 1);
  while (static_cast<int>(fp.size()) > minFrac && !fp.empty() && fp.back() == '0') fp.pop_back();
  // Leading zeros of the integer part only where '0' placeholders ask for them.
  size_t nz = ip.find_first_not_of('0');
  ip = nz == std::string::npos ? std::string() : ip.substr(nz);
  while (static_cast<int>(ip.size()) < minInt) ip.insert(ip.begin(), '0');
  if (thousands && ip.size() > 3) {
    std::string g;
    int n = static_cast<int>(ip.size());
    for (int i = 0; i < n; ++i) {
      if (i > 0 && (n - i) % 3 == 0) g.push_back(nf.thousandSeparator);
      g.push_back(ip[static_cast<size_t>(i)]);
    }
    ip = g;
  }
  std::string out = ip;
  if (!fp.empty()) {
    out.push_back(nf.decimalSeparator);
    out += fp;
  }
  bool anyNonZero = out.find_first_of("123456789") != std::string::npos;
  if (neg && anyNonZero) out.insert(out.begin(), '-');
  return prefix + out + suffix;
}

}  // namespace rtl

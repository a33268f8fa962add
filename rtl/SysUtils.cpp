#include "rtl/SysUtils.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <limits>

namespace rtl {

std::string Format(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  va_list ap2;
  va_copy(ap2, ap);
  int n = std::vsnprintf(nullptr, 0, fmt, ap);
  va_end(ap);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), fmt, ap2);
    out.resize(static_cast<size_t>(n));
  }
  va_end(ap2);
  return out;
}

namespace {
char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = UpperAscii(c);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(b, e - b));
}

std::string IntToStr(int64_t v) { return std::to_string(v); }

namespace {

bool ParseInt(std::string_view s, int64_t& out) {
  size_t i = 0;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    neg = s[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  uint64_t v = 0;
  const uint64_t limit = neg ? uint64_t(std::numeric_limits<int64_t>::max()) + 1
                             : uint64_t(std::numeric_limits<int64_t>::max());
  for (; i < s.size(); ++i) {
    char c = s[i];
    unsigned d;
    if (c >= '0' && c <= '9') d = unsigned(c - '0');
    else if (hex && c >= 'a' && c <= 'f') d = unsigned(c - 'a' + 10);
    else if (hex && c >= 'A' && c <= 'F') d = unsigned(c - 'A' + 10);
    else return false;
    unsigned base = hex ? 16 : 10;
    if (v > (limit - d) / base) return false;
    v = v * base + d;
  }
  out = neg ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
  return true;
}

}  // namespace

int64_t StrToInt64(std::string_view s) {
  int64_t v;
  if (!ParseInt(s, v)) throw EConvertError(Format("'%s' is not a valid integer value", std::string(s).c_str()));
  return v;
}

int StrToInt(std::string_view s) {
  int64_t v;
  if (!ParseInt(s, v) || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
    throw EConvertError(Format("'%s' is not a valid integer value", std::string(s).c_str()));
  return static_cast<int>(v);
}

int64_t StrToIntDef(std::string_view s, int64_t def) {
  int64_t v;
  return ParseInt(s, v) ? v : def;
}

int32_t StrToInt32HexDef(std::string_view text, int32_t def) {
  std::string s(text);
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
  int64_t v;
  if (!ParseInt(s, v)) return def;
  if (s.find('$') != std::string::npos && v >= 0 && v <= 0xFFFFFFFFLL)
    return static_cast<int32_t>(static_cast<uint32_t>(v));
  if (v < INT32_MIN || v > INT32_MAX) return def;
  return static_cast<int32_t>(v);
}

double StrToFloat(std::string_view s) {
  std::string t = Trim(s);
  // Only plain decimal notation with an optional exponent; no hex floats, inf or nan.
  bool ok = !t.empty();
  size_t i = 0;
  if (ok && (t[i] == '+' || t[i] == '-')) ++i;
  size_t digits = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) ok = false;
  if (ok && i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t ed = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++ed;
    if (ed == 0) ok = false;
  }
  if (i != t.size()) ok = false;
  double v = 0;
  if (ok) {
    // strtod honours the C locale, which the program never changes from "C".
    char* end = nullptr;
    errno = 0;
    v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(v)) ok = false;
  }
  if (!ok) throw EConvertError(Format("'%s' is not a valid floating point value", std::string(s).c_str()));
  return v;
}

std::string FloatToStr(double v) {
  // Fifteen significant digits, plain notation below 1e15, as the class library prints.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  if (std::strchr(buf, 'e') && std::fabs(v) < 1e15 && std::fabs(v) >= 1e-4) {
    int intDigits = std::fabs(v) >= 1 ? static_cast<int>(std::floor(std::log10(std::fabs(v)))) + 1 : 0;
    std::snprintf(buf, sizeof buf, "%.*f", std::max(0, 15 - intDigits), v);
    if (std::strchr(buf, '.')) {
      size_t n = std::strlen(buf);
      while (n > 0 && buf[n - 1] == '0') buf[--n] = 0;
      if (n > 0 && buf[n - 1] == '.') buf[--n] = 0;
    }
  }
  return buf;
}

int64_t Round(double v) { return static_cast<int64_t>(std::nearbyint(v)); }

std::vector<std::string> SplitCommandLine(std::string_view line) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t i = 0;
  std::vector<std::string> args(1);
  if (i < line.size() && line[i] == '"') {
    for (++i; i < line.size() && line[i] != '"'; ++i) args[0] += line[i];
    if (i < line.size()) ++i;
  } else {
    for (; i < line.size() && !blank(line[i]); ++i) args[0] += line[i];
  }
  while (i < line.size() && blank(line[i])) ++i;
  if (i == line.size()) return args;
  // quotes: the quotes seen in the current quoted part (0 outside one); slashes: the
  // backslashes just before.
  std::string arg;
  int quotes = 0;
  size_t slashes = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (blank(c) && quotes == 0) {
      args.push_back(std::move(arg));
      arg.clear();
      while (i < line.size() && blank(line[i])) ++i;
      slashes = 0;
      if (i == line.size()) return args;
      continue;
    }
    ++i;
    if (c == '\\') {
      arg += c;
      ++slashes;
    } else if (c == '"') {
      arg.resize(arg.size() - (slashes + 1) / 2);
      if (slashes % 2) arg += '"';
      else ++quotes;
      slashes = 0;
      for (; i < line.size() && line[i] == '"'; ++i)
        if (++quotes == 3) {
          arg += '"';
          quotes = 0;
        }
      if (quotes == 2) quotes = 0;
    } else {
      arg += c;
      slashes = 0;
    }
  }
  args.push_back(std::move(arg));
  return args;
}

}  // namespace rtl

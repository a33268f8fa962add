// Exceptions, string helpers and conversions with the class library's rules:
// the texts of conversion errors are shown to the user and must stay as they are.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

// Base of every error the program raises itself; Message is what the exception box shows.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};
class ERangeError : public Exception {
 public:
  using Exception::Exception;
};
class EReadError : public Exception {
 public:
  using Exception::Exception;
};
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// ASCII-only case mapping: the program's own keys and flags are ASCII; names
// typed by users keep other letters as typed.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
std::string Trim(std::string_view s);

std::string IntToStr(int64_t v);
// Decimal with an optional sign, or "$" followed by hex digits; surrounding blanks are
// refused like any other bad character. Raises EConvertError "'%s' is not a valid integer value".
int64_t StrToInt64(std::string_view s);
int StrToInt(std::string_view s);
int64_t StrToIntDef(std::string_view s, int64_t def);
// A 32-bit value as INI text writes it: decimal with an optional sign, or "$" or "0x"
// followed by hex digits (a 32-bit pattern: "$FFFFFFFF" is -1); def for anything else,
// decimal values beyond 32 bits included.
int32_t StrToInt32HexDef(std::string_view s, int32_t def);
// Parses with "." as decimal point whatever the locale.
// Raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(std::string_view s);
// Shortest text that reads back as the same value, "." as decimal point.
std::string FloatToStr(double v);

// A Windows command line split into its arguments, the program name first, by the
// system's rules: blanks (spaces, tabs) separate arguments outside double quotes; 2n
// backslashes before a quote give n backslashes and the quote opens or closes a quoted
// part, 2n+1 give n backslashes and a literal quote; other backslashes stay as they are;
// inside a quoted part a doubled quote is a literal quote. The program name ends at its
// first blank, or at its closing quote when it starts with one, and knows no escapes.
std::vector<std::string> SplitCommandLine(std::string_view line);

// Rounding to an integer, half to even as the class library's Round does.
int64_t Round(double v);

}  // namespace rtl

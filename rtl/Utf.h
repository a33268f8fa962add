// UTF-8 is the program's text; UTF-16 exists only at the Win32 and ODBC boundary.
// Every conversion goes through these two functions.
#pragma once
#include <string>
#include <string_view>

namespace rtl {

// Invalid sequences become U+FFFD; nothing is dropped silently.
std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

#ifdef _WIN32
// wchar_t is 16 bits on Windows: the Win32 views of the same conversion.
inline std::wstring W(std::string_view s) {
  auto u = Utf8ToUtf16(s);
  return std::wstring(u.begin(), u.end());
}
inline std::string U8(std::wstring_view s) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(s.data()), s.size()));
}
inline std::string U8(const wchar_t* s) { return s ? U8(std::wstring_view(s)) : std::string(); }
#endif

}  // namespace rtl

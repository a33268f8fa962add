// Code 39 bar codes drawn by the program itself: each character is nine elements, bar
// and space in turn starting with a bar, three of them wide; characters are separated by
// one narrow space. A label's text carries the start and stop character "*" around its
// digits, as a Code 39 font expects it. Win32-free.
#pragma once
#include <string>
#include <string_view>

#include "rtl/SysUtils.h"

namespace registry::rules {

class ECode39Error : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

// The nine elements of one character, 'n' narrow and 'w' wide (bar, space, bar, ...);
// nothing for a character Code 39 does not have. Lower-case letters are their capitals.
std::string_view Code39Pattern(char c);

// The text as modules, '1' bar and '0' space, a wide element `wide` modules (2 or 3) and
// the gap between characters one module. A character Code 39 lacks throws ECode39Error.
std::string Code39Modules(std::string_view text, int wide = 3);

// The text framed by the start and stop character, as a label shows it.
std::string Code39Framed(std::string_view digits);

}  // namespace registry::rules

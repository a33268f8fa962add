#include "data/DBError.h"

#include "rtl/SysUtils.h"

namespace data {

std::string CleanDriverMessage(std::string_view message) {
  size_t i = 0;
  while (i < message.size() && message[i] == '[') {
    size_t close = message.find(']', i);
    if (close == std::string_view::npos) break;
    i = close + 1;
  }
  return rtl::Trim(message.substr(i));
}

}  // namespace data

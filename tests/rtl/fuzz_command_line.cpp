// libFuzzer over the command-line splitter: any bytes as a command line. Every argument
// is made of the line's own characters, so none can be longer than the line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  for (const std::string& arg : rtl::SplitCommandLine(line))
    if (arg.size() > line.size()) std::abort();
  return 0;
}

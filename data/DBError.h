// The error of the database layer: the server's or driver's own words, shown to the user.
#pragma once
#include <string>
#include <string_view>

#include "rtl/SysUtils.h"

namespace data {

class EDatabaseError : public rtl::Exception {
 public:
  explicit EDatabaseError(std::string message, std::string sqlState = {}, int nativeError = 0)
      : rtl::Exception(std::move(message)), sqlState_(std::move(sqlState)), nativeError_(nativeError) {}
  // The five-character ODBC state ("42S02") and the server's error number (1146), when known.
  const std::string& SqlState() const { return sqlState_; }
  int NativeError() const { return nativeError_; }

 private:
  std::string sqlState_;
  int nativeError_;
};

// Drops the bracketed tags that the driver manager and the driver put before a message
// ("[unixODBC][ma-3.1.18][10.11.19-MariaDB]Table ... doesn't exist") so the user reads
// the server's text alone.
std::string CleanDriverMessage(std::string_view message);

}  // namespace data

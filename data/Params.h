// Named statement parameters: ":name" in the SQL text, bound by name, sent to the server
// as "?" markers with typed values. Win32-free.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/Classes.h"
#include "rtl/DateUtils.h"

namespace data {

enum class TParamType { ptNull, ptString, ptInteger, ptFloat, ptDate, ptTime, ptDateTime, ptBlob };

class TParam {
 public:
  explicit TParam(std::string name) : name_(std::move(name)) {}
  const std::string& Name() const { return name_; }
  TParamType DataType() const { return type_; }

  void AsString(std::string_view v);
  void AsInteger(int64_t v);
  void AsFloat(double v);
  // A date keeps only its day, a time only its time of day.
  void AsDate(rtl::TDateTime v);
  void AsTime(rtl::TDateTime v);
  void AsDateTime(rtl::TDateTime v);
  // The blob is the stream's whole content, whatever its position.
  void LoadFromStream(rtl::TStream& s);
  void Clear();
  bool IsNull() const { return type_ == TParamType::ptNull; }

  std::string AsString() const;
  int64_t AsInteger() const;
  double AsFloat() const;
  rtl::TDateTime AsDateTime() const;
  // Text (UTF-8) or blob bytes.
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string name_;
  TParamType type_ = TParamType::ptNull;
  std::string bytes_;
  int64_t int_ = 0;
  double num_ = 0;  // float value or TDateTime
};

// The statement as the server gets it: "?" in place of each parameter, and the parameter
// names in the order their markers appear (a name used twice appears twice).
struct TParsedSql {
  std::string text;
  std::vector<std::string> refs;
};

// A parameter is ":" followed by letters, digits or "_" (a digit may come first: ":2lpf").
// Nothing inside quoted text ('..', "..", `..`) or comments is a parameter, and "::" is
// left as it is.
TParsedSql ParseSql(std::string_view sql);

}  // namespace data

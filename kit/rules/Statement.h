// A statement as a window puts it on a shared query, described without the query: its
// lines, one clause a line, and the values of its named parameters with the type each
// is bound as. A list report adds the filter line its layout prints under the title.
// Win32-free: the windows run it through kit::OpenStatement.
#pragma once
#include <string>
#include <vector>

#include "rtl/DateUtils.h"

namespace kit::rules {

struct TBoundValue {
  enum class TType { Text, Integer, Date };
  std::string name;  // without the colon
  TType type = TType::Text;
  std::string text;
  long long integer = 0;
  rtl::TDateTime date = 0;
  friend bool operator==(const TBoundValue&, const TBoundValue&) = default;
};

struct TStatement {
  std::vector<std::string> lines;
  std::vector<TBoundValue> params;

  TStatement& Line(std::string line);
  TStatement& Text(std::string name, std::string value);
  TStatement& Integer(std::string name, long long value);
  TStatement& Date(std::string name, rtl::TDateTime value);
  // The value bound to `name`, or nullptr.
  const TBoundValue* Param(const std::string& name) const;
};

// The statement of a list report and the filter line that describes it.
struct TReportQuery {
  TStatement statement;
  std::string filter;
};

}  // namespace kit::rules

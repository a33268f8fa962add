#include "kit/rules/Statement.h"

#include <utility>

namespace kit::rules {

TStatement& TStatement::Line(std::string line) {
  lines.push_back(std::move(line));
  return *this;
}

TStatement& TStatement::Text(std::string name, std::string value) {
  params.push_back({.name = std::move(name), .type = TBoundValue::TType::Text, .text = std::move(value)});
  return *this;
}

TStatement& TStatement::Integer(std::string name, long long value) {
  TBoundValue v;
  v.name = std::move(name);
  v.type = TBoundValue::TType::Integer;
  v.integer = value;
  params.push_back(std::move(v));
  return *this;
}

TStatement& TStatement::Date(std::string name, rtl::TDateTime value) {
  TBoundValue v;
  v.name = std::move(name);
  v.type = TBoundValue::TType::Date;
  v.date = value;
  params.push_back(std::move(v));
  return *this;
}

const TBoundValue* TStatement::Param(const std::string& name) const {
  for (const TBoundValue& p : params)
    if (p.name == name) return &p;
  return nullptr;
}

}  // namespace kit::rules

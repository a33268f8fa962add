// Expressions of report items: a field of the current row ("grup", "Q5.grup"), a sum of
// fields and numbers ("kolekte+syukur"), or an aggregate over the printed detail lines
// ("COUNT", "SUM(nominal)", "SUM(kolekte+syukur)"). Win32-free.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rtl/SysUtils.h"

namespace report {

class EReportError : public rtl::Exception {
 public:
  using Exception::Exception;
};

// A field's value in the current row, as the expression sees it.
struct TExprValue {
  std::string Text;
  double Number = 0;
  bool IsNumber = false;
};
// Looks a field up by name (without the query prefix); raises for an unknown field.
using TFieldReader = std::function<TExprValue(const std::string& field)>;

class TExpression {
 public:
  enum class TKind { Value, Count, Sum };

  // Raises EReportError "Invalid expression: <text>" for text it cannot read.
  static TExpression Parse(std::string_view text);

  TKind Kind() const { return kind_; }
  bool IsAggregate() const { return kind_ != TKind::Value; }
  // The fields the expression reads, in order, without the query prefix.
  std::vector<std::string> Fields() const;

  // A plain expression of one field gives that field's value (text or number); a sum of
  // terms gives a number. Aggregates are kept by TAggregate.
  TExprValue Evaluate(const TFieldReader& read) const;

 private:
  struct Term {
    bool negate = false;
    bool isField = false;
    std::string field;
    double number = 0;
  };
  TKind kind_ = TKind::Value;
  std::vector<Term> terms_;
};

// The running value of an aggregate expression over the detail lines printed.
class TAggregate {
 public:
  explicit TAggregate(const TExpression* e = nullptr) : expr_(e) {}
  void Reset() { count_ = 0; sum_ = 0; }
  // One detail line printed: counts it and adds its value.
  void Add(const TFieldReader& read);
  double Value() const;

 private:
  const TExpression* expr_;
  long long count_ = 0;
  double sum_ = 0;
};

}  // namespace report
